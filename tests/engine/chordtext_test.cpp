#include "engine/chordtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/qvcore.h"
#include "engine/qvpage.h"

namespace {

QvChord chord(int key, int variant, int len, int bass = kAutoBassArg) {
    return QvChord(key, variant, 0, bass, false, len);
}

QvPage pageOf(std::initializer_list<QvChord> chords) {
    QvPage p;
    for (const QvChord& c : chords) p.addChord(c, -1);
    return p;
}

std::vector<std::string> linesOf(const QvPage& page, int beats, ChordChartLayout layout,
                                 int sharpFlatMode = 0, int visualTranspose = 0) {
    Llist<std::string> out;
    chordChartPageLines(page, beats, sharpFlatMode, visualTranspose, layout, out);
    return std::vector<std::string>(out.begin(), out.end());
}

using Lines = std::vector<std::string>;

} // namespace

TEST(ChordChartPage, WorkedExample) {
    // C for two bars, G for one bar, F for half a bar, in 4/4.
    QvPage page = pageOf({chord(0, 0, 96), chord(7, 0, 48), chord(5, 0, 24)});
    ChordChartLayout layout;
    EXPECT_EQ(linesOf(page, 4, layout), Lines{"| C . . . | . . . | G . . . | F . . . |"});
    layout.dots = false;
    EXPECT_EQ(linesOf(page, 4, layout), Lines{"| C / / / | / / / | G / / / | F / / / |"});
    layout.bars = false;
    EXPECT_EQ(linesOf(page, 4, layout), Lines{"C G F "});
    // Without the four-bar limit the same page ends with the closing bar sign.
    layout = ChordChartLayout();
    layout.fourBars = false;
    EXPECT_EQ(linesOf(page, 4, layout), Lines{"| C . . . | . . . | G . . . | F . . . |"});
}

TEST(ChordChartPage, EmptyPage) {
    QvPage page;
    ChordChartLayout layout;
    EXPECT_EQ(linesOf(page, 4, layout), Lines{"| . . . . |"});
    EXPECT_EQ(linesOf(page, 3, layout), Lines{"| . . . |"});
    layout.bars = false;
    EXPECT_EQ(linesOf(page, 4, layout), Lines{""});
}

TEST(ChordChartPage, ShortChordsAndTheLastChordFillingItsBar) {
    ChordChartLayout layout;
    // A chord shorter than a beat gets no marks; as the last chord it fills its bar.
    QvPage page = pageOf({chord(0, 0, 12), chord(2, 1, 6)});
    EXPECT_EQ(linesOf(page, 4, layout), Lines{"| C Dm . . |"});
    // A page of one short chord on a bar start: no beat marks, single spaces.
    EXPECT_EQ(linesOf(pageOf({chord(0, 0, 6)}), 4, layout), Lines{"| C |"});
    // A bar sign at a bar start is " |" as it is: after a chord without beats two blanks stand before it.
    EXPECT_EQ(linesOf(pageOf({chord(0, 0, 6), chord(2, 0, 48)}), 4, layout), Lines{"| C  | D . . . |"});
    EXPECT_EQ(linesOf(pageOf({chord(0, 0, 48), chord(2, 0, 6), chord(4, 0, 48)}), 4, layout),
              Lines{"| C . . . | D  | E . . . |"});
    // One and a half beats count as one beat.
    EXPECT_EQ(linesOf(pageOf({chord(0, 0, 18), chord(7, 4, 30)}), 4, layout), Lines{"| C G7 . . |"});
}

TEST(ChordChartPage, FourBarLines) {
    ChordChartLayout layout;
    // Exactly four bars: the line is output at the page's end and nothing follows.
    QvPage four = pageOf({chord(0, 0, 48), chord(9, 1, 48), chord(5, 0, 48), chord(7, 0, 48)});
    EXPECT_EQ(linesOf(four, 4, layout), Lines{"| C . . . | Am . . . | F . . . | G . . . |"});
    // A chord crossing the end of a line continues on the next one with the bar sign.
    QvPage crossing = pageOf({chord(0, 0, 144), chord(7, 0, 96)});
    EXPECT_EQ(linesOf(crossing, 4, layout), (Lines{"| C . . . | . . . | . . . | G . . . |", "| . . . |"}));
    layout.fourBars = false;
    EXPECT_EQ(linesOf(crossing, 4, layout), Lines{"| C . . . | . . . | . . . | G . . . | . . . |"});
}

TEST(ChordChartPage, TripleMeter) {
    ChordChartLayout layout;
    // 3/4: a beat is 16 units, a line holds 12 beats.
    QvPage page = pageOf({chord(0, 0, 48), chord(5, 0, 48), chord(7, 4, 96), chord(0, 0, 48)});
    EXPECT_EQ(linesOf(page, 3, layout), (Lines{"| C . . | F . . | G7 . . | . . |", "| C . . |"}));
}

TEST(ChordChartPage, SymbolsFollowNamesAndTranspose) {
    ChordChartLayout layout;
    layout.bars = false;
    QvPage page = pageOf({chord(10, 0, 48, 2), chord(1, 5, 48)});
    EXPECT_EQ(linesOf(page, 4, layout, 1, 0), Lines{"A#/D C#m7 "});
    EXPECT_EQ(linesOf(page, 4, layout, 0, 0), Lines{"Bb/D Dbm7 "});
    // Shown for an instrument in B flat: every name two semitones up.
    EXPECT_EQ(linesOf(page, 4, layout, 0, 10), Lines{"C/E Ebm7 "});
}

namespace {

// Pages 0 ("1"), 1 ("2") and 10 ("A") with chords; the sequence plays 1 2 1 A.
QvCore chartSession() {
    QvCore core;
    core.tempo(96);
    core.sharpFlatMode = 0;
    core.pages.at(0).addChord(chord(0, 0, 96), -1);
    core.pages.at(0).addChord(chord(7, 0, 48), -1);
    core.pages.at(0).addChord(chord(5, 0, 24), -1);
    core.pages.at(1).addChord(chord(9, 5, 48), -1);
    core.pages.at(1).addChord(chord(2, 4, 48, 6), -1);
    core.pageSlots.clear();
    for (int s : {0, 1, 0, 10}) core.pageSlots.add(s);
    return core;
}

std::vector<std::string> chartOf(const QvCore& core, const std::string& path, ChordChartLayout layout,
                                 bool triple = false) {
    Llist<std::string> out;
    out.add("stale line");
    exportChordsAsText(out, core, triple, "Jazz Waltz", path, 0, layout);
    return std::vector<std::string>(out.begin(), out.end());
}

const std::string kDashes(50, '-');

} // namespace

TEST(ChordChart, UniquePagesInPageOrder) {
    QvCore core = chartSession();
    EXPECT_EQ(chartOf(core, "", ChordChartLayout()),
              (Lines{"Session: [NEW]", "Style: Jazz Waltz", "Tempo: 96 BPM", "Page sequence: 1 2 1 A ",
                     kDashes, "Page 1:", "| C . . . | . . . | G . . . | F . . . |",
                     "Page 2:", "| Am7 . . . | D7/Gb . . . |", "Page A:", "| . . . . |"}));
}

TEST(ChordChart, SavedSessionNamesFileAndFolder) {
    QvCore core = chartSession();
    core.pageSlots.clear();
    core.pageSlots.add(1);
    ChordChartLayout layout;
    layout.bars = false;
    EXPECT_EQ(chartOf(core, "/home/me/my.songs/Blue Sky.qvs", layout),
              (Lines{"Session: Blue Sky.qvs", "Folder: /home/me/my.songs/", "Style: Jazz Waltz",
                     "Tempo: 96 BPM", "Page sequence: 2 ", kDashes, "Page 2:", "Am7 D7/Gb "}));
}

TEST(ChordChart, AllChordsInSeries) {
    QvCore core = chartSession();
    ChordChartLayout layout;
    layout.pages = false;
    EXPECT_EQ(chartOf(core, "", layout),
              (Lines{"Session: [NEW]", "Style: Jazz Waltz", "Tempo: 96 BPM", kDashes,
                     "Chords:", "| C . . . | . . . | G . . . | F . . . |", "", "| Am7 . . . | D7/Gb . . . |",
                     "", "| C . . . | . . . | G . . . | F . . . |", "", "| . . . . |"}));
    layout.fourBars = false;
    layout.dots = false;
    EXPECT_EQ(chartOf(core, "", layout),
              (Lines{"Session: [NEW]", "Style: Jazz Waltz", "Tempo: 96 BPM", kDashes,
                     "Chords:", "| C / / / | / / / | G / / / | F / / / |", "| Am7 / / / | D7/Gb / / / |",
                     "| C / / / | / / / | G / / / | F / / / |", "| / / / / |"}));
    layout.bars = false;
    EXPECT_EQ(chartOf(core, "", layout), (Lines{"Session: [NEW]", "Style: Jazz Waltz", "Tempo: 96 BPM",
                                                kDashes, "Chords:", "C G F ", "Am7 D7/Gb ", "C G F ", ""}));
}

TEST(ChordChart, TripleMeterBeats) {
    QvCore core;
    core.pages.at(0).addChord(chord(0, 0, 48), -1);
    core.pages.at(0).addChord(chord(7, 0, 32), -1);
    EXPECT_EQ(chartOf(core, "", ChordChartLayout(), true),
              (Lines{"Session: [NEW]", "Style: Jazz Waltz", "Tempo: 120 BPM", "Page sequence: 1 ", kDashes,
                     "Page 1:", "| C . . | G . . |"}));
}
