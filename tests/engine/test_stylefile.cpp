// Style model and style file: golden round trips, and what loading makes of hand-edited files.
#include <gtest/gtest.h>

#include <limits>

#include "engine/arpeggio.h"
#include "engine/stylefile.h"
#include "foundation/strutil.h"
#include "stylestestutil.h"

using stylestest::dataPath;
using stylestest::readBytes;
using stylestest::ScratchFolder;
using stylestest::writeBytes;

namespace {

StyleFile loaded(const std::string& path) {
    StyleFile s;
    s.load(path);
    return s;
}

void expectNote(const StyleNote& n, int key, int vel, int pos, double len) {
    EXPECT_EQ(n.key, key);
    EXPECT_EQ(n.vel, vel);
    EXPECT_EQ(n.pos, pos);
    EXPECT_DOUBLE_EQ(n.len, len);
}

void expectDefaultTracks(const StyleFile& s) {
    ASSERT_EQ(s.tracks.count(), 7);
    for (const StyleTrack& t : s.tracks) {
        EXPECT_EQ(t.type, 1);
        EXPECT_EQ(t.mode, 0);
        EXPECT_EQ(t.abc, 0);
        EXPECT_EQ(t.arp.notes.count(), 0);
    }
}

} // namespace

TEST(StyleFile, GoldenFileLoadsWithEveryField) {
    StyleFile s = loaded(dataPath("styles/golden.qms"));
    EXPECT_EQ(s.id, -1);
    EXPECT_EQ(s.fileVersion, 1);
    EXPECT_EQ(s.name, "Shuffle Blues 12/8 = slow");
    EXPECT_EQ(s.bpm, 84);
    EXPECT_EQ(s.stepsPerBeat, 3);
    EXPECT_EQ(s.stepsPerBar, 12);
    EXPECT_EQ(s.globalVol, 90);
    EXPECT_EQ(s.autoCymbal_nthBar, 4);
    ASSERT_EQ(s.tracks.count(), 7);
    EXPECT_EQ(s.tracks.at(0).arp.notes.count(), 12);
    const StyleTrack& strum = s.tracks.at(2);
    EXPECT_EQ(strum.type, 3);
    EXPECT_EQ(strum.mode, 2);
    EXPECT_EQ(strum.prog, 4);
    EXPECT_EQ(strum.vol, 70);
    EXPECT_EQ(strum.abc, 3);
    EXPECT_EQ(strum.breakLength, 6);
    EXPECT_EQ(strum.breakVolume, 120);
    EXPECT_EQ(strum.susVolume, 80);
    EXPECT_EQ(strum.arp.name, "Piano strum <arp>");
    EXPECT_EQ(strum.arp.length, 24);
    EXPECT_EQ(strum.arp.strumHeight, 4);
    ASSERT_EQ(strum.arp.notes.count(), 5);
    expectNote(strum.arp.notes.at(1), 72, 85, 2, 0.3333);
    // A pattern name holding ";" and "=" is a name only, never a note.
    EXPECT_EQ(s.tracks.at(1).arp.name, "Walking; root=fifth");
    EXPECT_EQ(s.tracks.at(1).arp.notes.count(), 4);
    EXPECT_EQ(s.tracks.at(3).key, -12);
    EXPECT_FALSE(s.is34()); // 12 steps at 3 a beat: four beats
    EXPECT_EQ(s.countActiveTracks(), 5);
    EXPECT_EQ(s.countActiveNotes(), 12 + 4 + 5 + 3 + 4);
}

TEST(StyleFile, LoadThenSaveIsByteExact) {
    ScratchFolder tmp;
    StyleFile s = loaded(dataPath("styles/golden.qms"));
    ASSERT_TRUE(s.save(tmp.file("copy.qms")));
    EXPECT_EQ(readBytes(tmp.file("copy.qms")), readBytes(dataPath("styles/golden.qms")));
}

TEST(StyleFile, SavedNormalisedStyleReadsBackUnchanged) {
    // Every hand-edited fixture, once loaded and saved, is a file the program wrote. A drum track
    // saved with layer 0 and mode 1 reads back with the layer its mode implies (the reading rule);
    // from then on loading and saving gives the same bytes and equal patterns.
    ScratchFolder tmp;
    for (const char* name : {"styles/bass_first.qms", "styles/out_of_range.qms"}) {
        SCOPED_TRACE(name);
        StyleFile zeroth = loaded(dataPath(name));
        ASSERT_TRUE(zeroth.save(tmp.file("z.qms")));
        StyleFile first = loaded(tmp.file("z.qms"));
        for (int i = 0; i < 7; ++i) {
            if (zeroth.tracks.at(i).type == 0) continue;
            EXPECT_EQ(first.tracks.at(i).abc, zeroth.tracks.at(i).abc) << i;
        }
        ASSERT_TRUE(first.save(tmp.file("a.qms")));
        StyleFile second = loaded(tmp.file("a.qms"));
        ASSERT_TRUE(second.save(tmp.file("b.qms")));
        EXPECT_EQ(readBytes(tmp.file("a.qms")), readBytes(tmp.file("b.qms")));
        ASSERT_EQ(second.tracks.count(), 7);
        for (int i = 0; i < 7; ++i) EXPECT_TRUE(first.tracks.at(i).arp.equals(second.tracks.at(i).arp));
    }
}

TEST(StyleFile, WritesTheDocumentedLines) {
    StyleFile s;
    s.name = "Tiny";
    StyleTrack drums;
    drums.type = 0;
    drums.mode = 1;
    drums.abc = 2;
    drums.arp.name = "Kick";
    drums.arp.notes.add(StyleNote(36, 100, 0, 0.5));
    s.tracks.add(drums);
    ScratchFolder tmp;
    ASSERT_TRUE(s.save(tmp.file("tiny.qms")));
    EXPECT_EQ(readBytes(tmp.file("tiny.qms")),
              "<QuoVelanta Style File>\r\nfileVersion=1\r\nname=Tiny\r\nbpm=120\r\nstepsPerBeat=4\r\n"
              "stepsPerBar=16\r\nglobalVol=100\r\nautoCymbal_nthBar=0\r\n<tracks>\r\ntype=0\r\nmode=1\r\n"
              "prog=0\r\nvol=100\r\nkey=0\r\nabc=2\r\nbreakLength=0\r\nbreakVolume=100\r\nsusVolume=100\r\n"
              "<arp>\r\nname=Kick\r\nlength=16\r\nstrumHeight=0\r\n36;100;0;0.5\r\n</arp>\r\n</tracks>\r\n"
              "</QuoVelanta Style File>\r\n");
}

TEST(StyleFile, LengthsFollowTheDecimalSeparatorAndReadBackEitherWay) {
    StyleFile s;
    StyleTrack t;
    t.arp.notes.add(StyleNote(60, 90, 3, 2.75));
    s.tracks.add(t);
    ScratchFolder tmp;
    setDecimalSeparator(',');
    bool saved = s.save(tmp.file("comma.qms"));
    setDecimalSeparator('.');
    ASSERT_TRUE(saved);
    EXPECT_NE(readBytes(tmp.file("comma.qms")).find("\r\n60;90;3;2,75\r\n"), std::string::npos);
    StyleFile back = loaded(tmp.file("comma.qms"));
    ASSERT_EQ(back.tracks.at(1).arp.notes.count(), 1); // a drum track was put in front
    EXPECT_DOUBLE_EQ(back.tracks.at(1).arp.notes.at(0).len, 2.75);
}

TEST(StyleFile, SaveReportsFailure) {
    StyleFile s = loaded(dataPath("styles/golden.qms"));
    ScratchFolder tmp;
    EXPECT_FALSE(s.save(tmp.file("missing-folder/x.qms")));
    EXPECT_FALSE(s.save(""));
    // A folder where the file should be: the write fails, nothing is reported as done.
    std::filesystem::create_directory(tmp.file("dir.qms"));
    EXPECT_FALSE(s.save(tmp.file("dir.qms")));
}

TEST(StyleFile, BassFirstFileGetsDrumsInFrontAndLosesItsSeventhTrack) {
    StyleFile s = loaded(dataPath("styles/bass_first.qms"));
    ASSERT_EQ(s.tracks.count(), 7);
    const StyleTrack& front = s.tracks.at(0);
    EXPECT_EQ(front.type, 0);
    EXPECT_EQ(front.mode, 1);
    EXPECT_EQ(front.arp.notes.count(), 0);
    EXPECT_EQ(s.tracks.at(1).arp.name, "Bass; with semicolon");
    for (const StyleTrack& t : s.tracks) EXPECT_NE(t.arp.name, "Seventh track");
    EXPECT_EQ(s.fileVersion, 3);
}

TEST(StyleFile, PatternNameWithSemicolonAddsNoNote) {
    StyleFile s = loaded(dataPath("styles/bass_first.qms"));
    const StyleArp& bass = s.tracks.at(1).arp;
    ASSERT_EQ(bass.notes.count(), 2);
    expectNote(bass.notes.at(0), 36, 100, 0, 1.0);
    expectNote(bass.notes.at(1), 43, 90, 8, 1.0); // three pieces: the length reads as 1.0
}

TEST(StyleFile, DrumModesAndChordLayersAfterLoading) {
    StyleFile s = loaded(dataPath("styles/bass_first.qms"));
    EXPECT_EQ(s.tracks.at(1).abc, 2); // mode 1, no layer line
    const StyleTrack& kit = s.tracks.at(2);
    EXPECT_EQ(kit.type, 0);
    EXPECT_EQ(kit.mode, 1);           // stored with mode 0
    EXPECT_EQ(kit.abc, 0);            // read with mode 0: no layer, and the drum mode does not add one
    EXPECT_EQ(s.tracks.at(0).abc, 0); // the drum track put in front
    EXPECT_EQ(s.tracks.at(3).abc, 3); // mode 2, no layer line
    expectNote(s.tracks.at(3).arp.notes.at(0), 60, 90, 4, 1.0);
    EXPECT_EQ(s.tracks.at(4).abc, 0); // mode 0 keeps 0
    EXPECT_EQ(s.tracks.at(5).abc, 3); // stored 9
    EXPECT_EQ(s.tracks.at(6).abc, 1); // stored -2
    EXPECT_EQ(s.tracks.at(5).arp.strumHeight, 7);
    EXPECT_EQ(s.tracks.at(6).arp.strumHeight, 0);
}

TEST(StyleFile, GridValuesAreRaisedToOne) {
    StyleFile s = loaded(dataPath("styles/bass_first.qms"));
    EXPECT_EQ(s.bpm, 1);
    EXPECT_EQ(s.stepsPerBeat, 1);
    EXPECT_EQ(s.stepsPerBar, 1);
    EXPECT_EQ(s.globalVol, 0);
    EXPECT_EQ(s.autoCymbal_nthBar, kMaxAutoCymbalBars);
}

TEST(StyleFile, OutOfRangeValuesAreClamped) {
    StyleFile s = loaded(dataPath("styles/out_of_range.qms")); // LF line ends
    EXPECT_EQ(s.bpm, 1);
    EXPECT_EQ(s.stepsPerBeat, kMaxStepsPerBeat);
    EXPECT_EQ(s.stepsPerBar, kMaxStepsPerBar);
    EXPECT_EQ(s.globalVol, kMaxStyleVolume);
    ASSERT_EQ(s.tracks.count(), 7);

    const StyleTrack& t = s.tracks.at(0);
    EXPECT_EQ(t.type, 0);
    EXPECT_EQ(t.mode, 1);
    EXPECT_EQ(t.prog, 127);
    EXPECT_EQ(t.vol, 100);
    EXPECT_EQ(t.key, 120);
    EXPECT_EQ(t.abc, 1); // derived from the stored mode 4
    EXPECT_EQ(t.breakLength, 0);
    EXPECT_EQ(t.breakVolume, 0);
    EXPECT_EQ(t.susVolume, 200);
    EXPECT_EQ(t.arp.length, kMaxPatternLength);
    EXPECT_EQ(t.arp.strumHeight, 7);
    ASSERT_EQ(t.arp.notes.count(), 6);
    expectNote(t.arp.notes.at(0), 36, 127, 0, 0.5);
    expectNote(t.arp.notes.at(1), 35, 0, 0, 0.0);
    expectNote(t.arp.notes.at(2), 127, 100, kMaxPatternLength - 1, 1.0); // "nan" length
    expectNote(t.arp.notes.at(3), 0, 100, 2, 1.0);                       // "inf" length
    expectNote(t.arp.notes.at(4), 38, 100, 1, 1.0);                      // a length that is no number
    expectNote(t.arp.notes.at(5), 12, 64, 4, 0.25);                      // "12abc" and a fifth piece

    const StyleTrack& extra = s.tracks.at(1);
    EXPECT_EQ(extra.type, 3);
    EXPECT_EQ(extra.mode, 0);
    EXPECT_EQ(extra.prog, 0);
    EXPECT_EQ(extra.vol, 0);
    EXPECT_EQ(extra.key, -120);
    EXPECT_EQ(extra.abc, 0);
    EXPECT_EQ(extra.breakLength, 100);
    EXPECT_EQ(extra.breakVolume, 200);
    EXPECT_EQ(extra.susVolume, 0);
    EXPECT_EQ(extra.arp.length, 0);
    EXPECT_EQ(s.tracks.at(6).arp.name, "Extra 5"); // tracks past the seventh dropped
}

TEST(StyleFile, MissingStyleNameTakesTheFirstPatternName) {
    EXPECT_EQ(loaded(dataPath("styles/out_of_range.qms")).name, "First pattern");
}

TEST(StyleFile, UnreadableFilesGiveTheDefaultStyle) {
    ScratchFolder tmp;
    writeBytes(tmp.file("blank-header.qms"),
               "<QuoVelanta Style File> \r\nbpm=90\r\n</QuoVelanta Style File>\r\n");
    writeBytes(tmp.file("empty.qms"), "");
    writeBytes(tmp.file("cut-short.qms"), "<QuoVelanta Style File>\r\nbpm=90\r\n<tracks>\r\ntype=0\r\n");
    for (const std::string& path :
         {dataPath("styles/wrong_header.qms"), tmp.file("missing.qms"), tmp.file("blank-header.qms"),
          tmp.file("empty.qms"), tmp.file("cut-short.qms"), std::string()}) {
        SCOPED_TRACE(path);
        StyleFile s = loaded(dataPath("styles/golden.qms"));
        s.load(path); // everything from the golden style is forgotten
        EXPECT_EQ(s.name, "");
        EXPECT_EQ(s.bpm, 120);
        EXPECT_EQ(s.stepsPerBeat, 4);
        EXPECT_EQ(s.stepsPerBar, 16);
        EXPECT_EQ(s.globalVol, 100);
        EXPECT_EQ(s.fileVersion, 1);
        EXPECT_EQ(s.id, -1);
        expectDefaultTracks(s);
    }
}

TEST(StyleFile, ManyNotesLoadQuickly) {
    ScratchFolder tmp;
    std::string text = "<QuoVelanta Style File>\r\n<tracks>\r\ntype=0\r\nmode=1\r\n<arp>\r\nlength=8192\r\n";
    for (int i = 0; i < 20000; ++i) text += "36;100;" + std::to_string(i % 8192) + ";0.5\r\n";
    text += "</arp>\r\n</tracks>\r\n</QuoVelanta Style File>\r\n";
    writeBytes(tmp.file("big.qms"), text);
    StyleFile s = loaded(tmp.file("big.qms"));
    EXPECT_EQ(s.tracks.at(0).arp.notes.count(), 20000);
    EXPECT_EQ(s.countActiveNotes(), 20000);
}

TEST(StyleFile, Is34UsesIntegerDivision) {
    struct Case {
        int perBeat, perBar;
        bool is34;
    };
    // 6 / 4 is 1 in integer division, 15 / 4 (3 bars and a bit) still 3; stepsPerBeat 0 counts as 1.
    const Case cases[] = {{4, 12, true}, {3, 9, true}, {4, 6, false},
                          {4, 15, true}, {0, 3, true}, {-2, 16, false}};
    for (const Case& c : cases) {
        StyleFile s;
        s.stepsPerBeat = c.perBeat;
        s.stepsPerBar = c.perBar;
        EXPECT_EQ(s.is34(), c.is34) << c.perBeat << " " << c.perBar;
    }
}

TEST(StyleFile, CountsOnlyTracksInUse) {
    StyleFile s;
    StyleTrack on;
    on.mode = 3;
    on.arp.notes.add(StyleNote(60, 90, 0, 1));
    on.arp.notes.add(StyleNote(64, 90, 0, 1));
    StyleTrack off;
    off.arp.notes.add(StyleNote(36, 90, 0, 1));
    s.tracks.add(on);
    s.tracks.add(off);
    s.tracks.add(on);
    EXPECT_EQ(s.countActiveTracks(), 2);
    EXPECT_EQ(s.countActiveNotes(), 4);
}

TEST(StyleArp, EqualsComparesEverythingButTheName) {
    StyleArp a;
    a.name = "A";
    a.notes.add(StyleNote(36, 100, 0, 0.5));
    a.notes.add(StyleNote(38, 90, 4, 0.5));
    StyleArp b = a;
    b.name = "B";
    EXPECT_TRUE(a.equals(b));
    b.notes.at(1).len = 0.75;
    EXPECT_FALSE(a.equals(b));
    b = a;
    b.strumHeight = 2;
    EXPECT_FALSE(a.equals(b));
    b = a;
    b.length = 32;
    EXPECT_FALSE(a.equals(b));
    b = a;
    b.notes.remove(1);
    EXPECT_FALSE(a.equals(b));
    b = a;
    std::swap(b.notes.at(0).key, b.notes.at(1).key); // order matters
    EXPECT_FALSE(a.equals(b));
}

TEST(StyleNote, LineFormatBothWays) {
    StyleNote n(36, 100, 0, 0.5);
    EXPECT_EQ(n.toLine(), "36;100;0;0.5");
    EXPECT_EQ(StyleNote(60, 90, 12, 3.0).toLine(), "60;90;12;3");
    StyleNote r;
    r.fromLine("60;90;4");
    expectNote(r, 60, 90, 4, 1.0);
    r.fromLine("");
    expectNote(r, 0, 0, 0, 1.0);
    // Through serialize, as any other persistent object.
    n.writing = true;
    n.lines.clear();
    n.serialize();
    ASSERT_EQ(n.lines.count(), 1);
    StyleNote back;
    back.lines = n.lines;
    back.writing = false;
    back.serialize();
    expectNote(back, 36, 100, 0, 0.5);
}

TEST(StyleNote, ClampKeepsEveryFieldInItsRange) {
    StyleNote n(-1, 128, -5, std::numeric_limits<double>::infinity());
    n.clampToRanges();
    expectNote(n, 0, 127, 0, double(kMaxPatternLength));
    StyleNote m(128, -1, kMaxPatternLength, std::numeric_limits<double>::quiet_NaN());
    m.clampToRanges();
    expectNote(m, 127, 0, kMaxPatternLength - 1, 1.0);
    StyleNote k(60, 100, 3, -0.5);
    k.clampToRanges();
    expectNote(k, 60, 100, 3, 0.0);
}

// A loaded style is saved as it was read: the drum tracks keep the layer 0 that reading gave them,
// and every other field of every track is written as it was read.
TEST(StyleFile, ALoadedStyleIsSavedAsItWasRead) {
    ScratchFolder tmp;
    StyleFile s = loaded(dataPath("styles/bass_first.qms"));
    s.save(tmp.file("again.qms"));
    Text_ saved;
    ASSERT_TRUE(saved.load(tmp.file("again.qms"), true));
    Llist<Text_> blocks;
    TextStream::extractSections(saved, "tracks", blocks);
    ASSERT_EQ(blocks.count(), kStyleTrackCount);
    for (int i = 0; i < kStyleTrackCount; ++i) {
        std::string abcLine;
        for (const std::string& line : blocks.at(i))
            if (line.rfind("abc=", 0) == 0) abcLine = line;
        EXPECT_EQ(abcLine, "abc=" + std::to_string(s.tracks.at(i).abc)) << i;
    }
    EXPECT_EQ(s.tracks.at(0).abc, 0);
    EXPECT_EQ(s.tracks.at(2).abc, 0);
}

// A track engine derives the layer of a track that has none from its mode (a style made in the
// program keeps 0 in its tracks).
TEST(StyleFile, TrackEnginesDeriveAMissingLayerFromTheMode) {
    for (auto [mode, layer] : {std::pair{1, 2}, {2, 3}, {3, 1}, {4, 1}}) {
        StyleTrack t;
        t.type = 2;
        t.mode = mode;
        t.abc = 0;
        Arpeggio a;
        a.loadTrack(t);
        EXPECT_EQ(a.abc, layer) << mode;
        EXPECT_EQ(t.abc, 0);
        t.abc = 3;
        a.loadTrack(t);
        EXPECT_EQ(a.abc, 3);
    }
}
