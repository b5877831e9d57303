#include "engine/chordtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
