// The Style Programmer's grid and pattern operations, without a window.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "dialogs/programmermodel.h"
#include "engine/midiout.h"
#include "engine/qvcore.h"
#include "engine/styles.h"
#include "tests/common/tempdir.h"

namespace {

StyleFile makeStyle(int stepsPerBar = 16) {
    StyleFile s;
    s.id = 5;
    s.name = "Grid";
    s.stepsPerBeat = 4;
    s.stepsPerBar = stepsPerBar;
    s.normalizeTracks();
    s.tracks.at(0).type = 0;
    s.tracks.at(0).mode = 1;
    s.tracks.at(1).type = 1;
    s.tracks.at(1).mode = 1;
    s.tracks.at(2).type = 2;
    s.tracks.at(2).mode = 1;
    return s;
}

std::vector<std::tuple<int, int, int, double>> notesOf(const StyleArp& a) {
    std::vector<std::tuple<int, int, int, double>> v;
    for (const StyleNote& n : a.notes) v.emplace_back(n.key, n.vel, n.pos, n.len);
    return v;
}

std::vector<int> positions(const StyleArp& a) {
    std::vector<int> v;
    for (const StyleNote& n : a.notes) v.push_back(n.pos);
    return v;
}

} // namespace

TEST(ProgrammerGrid, TwelveStepsPerBarShowFortyEightStepsAPage) {
    StyleFile s = makeStyle(12);
    ProgrammerModel m(&s);
    EXPECT_EQ(m.stepsPerPage(), 48);
    for (int bar : {6, 24}) {
        s.stepsPerBar = bar;
        EXPECT_EQ(m.stepsPerPage(), 48);
    }
    for (int bar : {16, 9, 32}) {
        s.stepsPerBar = bar;
        EXPECT_EQ(m.stepsPerPage(), 64);
    }
    s.stepsPerBar = 12;
    m.arp().notes.add(StyleNote(36, 90, 50, 1.0));
    m.arp().notes.add(StyleNote(81, 80, 95, 2.0));
    m.arp().notes.add(StyleNote(82, 80, 48, 1.0)); // above the top row: kept, not shown
    m.selectPage(1);                               // F2
    EXPECT_EQ(m.stepOf(0), 48);
    EXPECT_EQ(m.stepOf(47), 95);
    EXPECT_EQ(m.cells[2][1].velocity, 90);
    EXPECT_EQ(m.cells[47][46].velocity, 80);
    EXPECT_EQ(m.cells[47][46].length, 2.0);
    EXPECT_TRUE(m.cells[0][46].empty());
    m.selectPage(0);
    EXPECT_EQ(m.cells[50][1].velocity, 90); // page 0 reaches past its 48 steps
    EXPECT_TRUE(m.cells[47][46].empty());
    // A click on page 2 adds its note at the page's step.
    m.selectPage(1);
    EXPECT_TRUE(m.gridPress(3, 10, false, false, false, false, false));
    EXPECT_EQ(m.arp().notes.at(3).pos, 51);
    EXPECT_EQ(m.arp().notes.at(3).key, 45);
    EXPECT_EQ(m.arp().notes.count(), 4);
}

TEST(ProgrammerGrid, CellsAreFoundByTheirPixelsWithSharedEdgesToTheFirst) {
    int c = -1, r = -1;
    ASSERT_TRUE(ProgrammerModel::cellAt(92, 28, c, r));
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 46);
    ASSERT_TRUE(ProgrammerModel::cellAt(102, 42, c, r)); // edges shared by two cells
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 45);
    ASSERT_TRUE(ProgrammerModel::cellAt(103, 43, c, r));
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 45);
    ASSERT_TRUE(ProgrammerModel::cellAt(92 + 640, 28 + 47 * 14, c, r));
    EXPECT_EQ(c, 63);
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(ProgrammerModel::cellAt(91, 100, c, r));
    EXPECT_FALSE(ProgrammerModel::cellAt(733, 100, c, r));
    EXPECT_FALSE(ProgrammerModel::cellAt(100, 27, c, r));
    for (int col : {0, 17, 63})
        for (int row : {0, 22, 46}) {
            TRect rect = ProgrammerModel::cellRect(col, row);
            ASSERT_TRUE(ProgrammerModel::cellAt(rect.Left + 5, rect.Top + 7, c, r));
            EXPECT_EQ(c, col);
            EXPECT_EQ(r, row);
        }
}

TEST(ProgrammerGrid, LeftDragModeIsDecidedByTheFirstCell) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().notes.add(StyleNote(40, 70, 2, 1.0)); // row 5, column 2
    m.arp().notes.add(StyleNote(40, 70, 4, 1.0)); // row 5, column 4
    m.loadGrid();
    // From an empty cell: only empty cells get notes, filled ones stay as they are.
    EXPECT_TRUE(m.gridPress(1, 5, false, false, false, false, false));
    EXPECT_FALSE(m.gridPress(2, 5, false, false, false, false, true));
    EXPECT_TRUE(m.gridPress(3, 5, false, false, false, false, true));
    EXPECT_FALSE(m.gridPress(4, 5, false, false, false, false, true));
    EXPECT_TRUE(m.gridPress(5, 5, false, false, false, false, true));
    std::set<int> at;
    for (const StyleNote& n : m.arp().notes) at.insert(n.pos);
    EXPECT_EQ(at, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(m.arp().notes.count(), 5);
    EXPECT_EQ(m.cells[3][5].velocity, 100);
    EXPECT_EQ(m.cells[3][5].length, 1.0);
    EXPECT_EQ(m.cells[2][5].velocity, 70);
    // From a filled cell: notes are removed along the way, empty cells stay empty.
    EXPECT_TRUE(m.gridPress(2, 5, false, false, false, false, false));
    EXPECT_TRUE(m.gridPress(3, 5, false, false, false, false, true));
    EXPECT_FALSE(m.gridPress(6, 5, false, false, false, false, true));
    EXPECT_TRUE(m.gridPress(4, 5, false, false, false, false, true));
    EXPECT_EQ(positions(m.arp()), (std::vector<int>{1, 5}));
    EXPECT_TRUE(m.cells[6][5].empty());
}

TEST(ProgrammerGrid, CtrlAltAndShiftStepLengthAndVelocityWithinTheirLimits) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().notes.add(StyleNote(60, 115, 0, 0.5));
    m.arp().notes.add(StyleNote(62, 15, 1, 1.0));
    m.loadGrid();
    const int r60 = 60 - 35, r62 = 62 - 35;
    EXPECT_FALSE(m.gridPress(0, r60, false, true, false, false, false)); // Ctrl+left on 0.5: stays
    EXPECT_EQ(m.arp().notes.at(0).len, 0.5);
    EXPECT_TRUE(m.gridPress(0, r60, true, true, false, false, false)); // Ctrl+right: 1.0
    EXPECT_EQ(m.arp().notes.at(0).len, 1.0);
    EXPECT_TRUE(m.gridPress(0, r60, false, false, true, false, false)); // Alt+left: 105
    EXPECT_EQ(m.arp().notes.at(0).vel, 105);
    EXPECT_TRUE(m.gridPress(0, r60, true, false, true, false, false)); // Alt+right: 115
    EXPECT_TRUE(m.gridPress(0, r60, true, false, true, false, false)); // 125 limited to 120
    EXPECT_EQ(m.arp().notes.at(0).vel, 120);
    EXPECT_FALSE(m.gridPress(0, r60, true, false, true, false, false));
    // Shift is the second modifier for the velocity (Alt+click is often the window manager's).
    EXPECT_TRUE(m.gridPress(1, r62, false, false, false, true, false)); // 15 - 10 limited to 10
    EXPECT_EQ(m.arp().notes.at(1).vel, 10);
    EXPECT_TRUE(m.gridPress(1, r62, true, false, false, true, false));
    EXPECT_EQ(m.arp().notes.at(1).vel, 20);
    // Ctrl wins over Alt; nothing on empty cells and nothing while a drag repeats.
    EXPECT_TRUE(m.gridPress(1, r62, true, true, true, false, false));
    EXPECT_EQ(m.arp().notes.at(1).len, 1.5);
    EXPECT_EQ(m.arp().notes.at(1).vel, 20);
    EXPECT_FALSE(m.gridPress(5, r62, true, true, false, false, false));
    EXPECT_FALSE(m.gridPress(5, r62, true, false, true, false, false));
    EXPECT_FALSE(m.gridPress(1, r62, true, true, false, false, true));
    EXPECT_FALSE(m.gridPress(1, r62, true, false, true, false, true));
    EXPECT_EQ(m.arp().notes.count(), 2);
}

TEST(ProgrammerGrid, RightClickSetsTheStrumHeightFromTheRow) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.selectTrack(2);
    EXPECT_TRUE(m.gridPress(0, 80 - 35, true, false, false, false, false));
    EXPECT_EQ(m.arp().strumHeight, 7);
    EXPECT_TRUE(m.gridPress(10, 40 - 35, true, false, false, false, false));
    EXPECT_EQ(m.arp().strumHeight, 0);
    EXPECT_TRUE(m.gridPress(3, 75 - 35, true, false, false, false, false));
    EXPECT_EQ(m.arp().strumHeight, 4);
    EXPECT_FALSE(m.gridPress(3, 75 - 35, true, false, false, false, true));
    EXPECT_TRUE(m.arp().notes.empty());
    EXPECT_EQ(s.tracks.at(0).arp.strumHeight, 0);
}

TEST(ProgrammerGrid, TheNoteShownIsTheNoteEdited) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().notes.add(StyleNote(50, 40, 3, 1.0));
    m.arp().notes.add(StyleNote(50, 90, 3, 2.0)); // shown: the later one
    m.arp().notes.add(StyleNote(51, 60, 3, 1.0));
    m.loadGrid();
    EXPECT_EQ(m.cells[3][15].velocity, 90);
    EXPECT_EQ(m.cells[3][15].note, 1);
    EXPECT_TRUE(m.gridPress(3, 15, true, false, true, false, false));
    EXPECT_EQ(m.arp().notes.at(0).vel, 40);
    EXPECT_EQ(m.arp().notes.at(1).vel, 100);
    // Erasing empties the cell: every note on it goes.
    EXPECT_TRUE(m.gridPress(3, 15, false, false, false, false, false));
    ASSERT_EQ(m.arp().notes.count(), 1);
    EXPECT_EQ(m.arp().notes.at(0).key, 51);
    EXPECT_TRUE(m.cells[3][15].empty());
}

TEST(ProgrammerOperations, NoteLengthsDoubleAndHalveToHalfSteps) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().notes.add(StyleNote(36, 100, 0, 0.75));
    m.arp().notes.add(StyleNote(36, 100, 1, 0.5));
    m.arp().notes.add(StyleNote(36, 100, 2, 3.0));
    EXPECT_TRUE(m.runOperation(-4)); // Half Note Length
    EXPECT_EQ(m.arp().notes.at(0).len, 0.0);
    EXPECT_EQ(m.arp().notes.at(1).len, 0.0);
    EXPECT_EQ(m.arp().notes.at(2).len, 1.5);
    m.arp().notes.at(0).len = 0.75;
    EXPECT_TRUE(m.runOperation(-3)); // Double Note Length
    EXPECT_EQ(m.arp().notes.at(0).len, 1.5);
    EXPECT_EQ(m.arp().notes.at(2).len, 3.0);
}

TEST(ProgrammerOperations, CopyFirstStepsCopiesOnlyTheNotesThatWereThere) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().length = 64;
    m.arp().notes.add(StyleNote(36, 100, 0, 1.0));
    m.arp().notes.add(StyleNote(38, 100, 20, 1.0));
    EXPECT_TRUE(m.runOperation(16));
    EXPECT_EQ(notesOf(m.arp()),
              (std::vector<std::tuple<int, int, int, double>>{
                  {36, 100, 0, 1.0}, {36, 100, 16, 1.0}, {36, 100, 32, 1.0}, {36, 100, 48, 1.0}}));
    // Again: the copies are within the first 16 steps no more, so nothing doubles up.
    m.arp().notes.add(StyleNote(42, 80, 4, 0.5));
    EXPECT_TRUE(m.runOperation(16));
    std::set<std::pair<int, int>> seen;
    for (const StyleNote& n : m.arp().notes)
        EXPECT_TRUE(seen.insert({n.key, n.pos}).second) << n.key << "@" << n.pos;
    EXPECT_EQ(m.arp().notes.count(), 8);
    // On the longest pattern the copies end at the pattern's end.
    m.arp().length = 100000;
    ASSERT_TRUE(m.setPatternLength("100000"));
    EXPECT_EQ(m.arp().length, kProgrammerMaxLength);
    m.arp().notes.clear();
    m.arp().notes.add(StyleNote(36, 100, 0, 1.0));
    EXPECT_TRUE(m.runOperation(8));
    EXPECT_EQ(m.arp().notes.count(), kProgrammerMaxLength / 8);
    EXPECT_EQ(m.arp().notes.at(m.arp().notes.count() - 1).pos, kProgrammerMaxLength - 8);
}

TEST(ProgrammerOperations, SpeedChangesAndTheirClamps) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().length = 64;
    m.arp().notes.add(StyleNote(36, 100, 7, 1.0));
    m.arp().notes.add(StyleNote(38, 100, 20, 3.0));
    EXPECT_TRUE(m.runOperation(-1)); // Double Speed
    EXPECT_EQ(m.arp().length, 32);
    EXPECT_EQ(positions(m.arp()), (std::vector<int>{3, 10}));
    EXPECT_EQ(m.arp().notes.at(1).len, 1.5);
    EXPECT_TRUE(m.runOperation(-2)); // Half Speed
    EXPECT_EQ(m.arp().length, 64);
    EXPECT_EQ(positions(m.arp()), (std::vector<int>{6, 20}));
    EXPECT_EQ(m.arp().notes.at(1).len, 3.0);
    // Halving never reaches an empty pattern; doubling stops at the longest pattern.
    m.arp().length = 1;
    EXPECT_TRUE(m.runOperation(-1));
    EXPECT_EQ(m.arp().length, 1);
    m.arp().length = kProgrammerMaxLength / 2;
    EXPECT_TRUE(m.runOperation(-2));
    EXPECT_EQ(m.arp().length, kProgrammerMaxLength);
    StyleArp before = m.arp();
    for (int i = 0; i < 40; ++i) EXPECT_FALSE(m.runOperation(-2));
    EXPECT_TRUE(m.arp().equals(before));
    EXPECT_FALSE(m.setPatternLength("0") && m.arp().length != 1);
    EXPECT_EQ(m.arp().length, 1);
}

TEST(ProgrammerOperations, TransposeKeepsMidiKeysAndClearEmpties) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    m.arp().notes.add(StyleNote(60, 100, 0, 1.0));
    m.arp().notes.add(StyleNote(120, 100, 1, 1.0));
    EXPECT_TRUE(m.runOperation(-7));
    EXPECT_TRUE(m.runOperation(-6));
    EXPECT_EQ(m.arp().notes.at(0).key, 49);
    EXPECT_EQ(m.arp().notes.at(1).key, 109);
    EXPECT_TRUE(m.runOperation(-5));
    EXPECT_FALSE(m.runOperation(-5)); // 121 + 12 would leave the MIDI range: nothing moves
    EXPECT_EQ(m.arp().notes.at(1).key, 121);
    EXPECT_TRUE(m.runOperation(-8));
    EXPECT_EQ(m.arp().notes.at(0).key, 60);
    EXPECT_TRUE(m.clearTrackNotes());
    EXPECT_TRUE(m.arp().notes.empty());
    EXPECT_FALSE(m.clearTrackNotes());
}

TEST(ProgrammerStyleFields, TextsAreReadWithinTheirRanges) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    EXPECT_TRUE(m.setStyleFields("New", "abc", "-4", "12"));
    EXPECT_EQ(s.name, "New");
    EXPECT_EQ(s.bpm, kMinTempo);
    EXPECT_EQ(s.stepsPerBeat, 1);
    EXPECT_EQ(s.stepsPerBar, 12);
    EXPECT_EQ(m.stepsPerPage(), 48);
    EXPECT_FALSE(m.setStyleFields("New", "0", "1", "12"));
    EXPECT_TRUE(m.setStyleFields("New", "999", "99999", "99999"));
    EXPECT_EQ(s.bpm, kMaxTempo);
    EXPECT_EQ(s.stepsPerBeat, kMaxStepsPerBeat);
    EXPECT_EQ(s.stepsPerBar, kMaxStepsPerBar);
}

TEST(ProgrammerTrackPanel, ParametersStepWithinTheirRanges) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    StyleTrack& bass = s.tracks.at(1);
    bass.breakVolume = 198;
    EXPECT_TRUE(m.stepParam(1, TrackParam::BreakVolume, true, true));
    EXPECT_EQ(bass.breakVolume, 199);
    bass.breakVolume = 198;
    EXPECT_TRUE(m.stepParam(1, TrackParam::BreakVolume, true, false));
    EXPECT_EQ(bass.breakVolume, 200);
    bass.vol = 3;
    EXPECT_TRUE(m.stepParam(1, TrackParam::Volume, false, false));
    EXPECT_EQ(bass.vol, 0);
    EXPECT_FALSE(m.stepParam(1, TrackParam::Volume, false, false));
    EXPECT_TRUE(m.stepParam(1, TrackParam::Transpose, true, false));
    EXPECT_EQ(bass.key, 12);
    // Track 0 stays a drum track with modes 0 and 1; the others are bass or chord tracks.
    EXPECT_FALSE(m.stepParam(0, TrackParam::Type, true, false));
    EXPECT_EQ(s.tracks.at(0).type, 0);
    EXPECT_FALSE(m.stepParam(0, TrackParam::Mode, true, false));
    EXPECT_TRUE(m.stepParam(0, TrackParam::Mode, false, false));
    EXPECT_EQ(m.paramText(0, TrackParam::Mode), "Off");
    EXPECT_FALSE(m.stepParam(1, TrackParam::Type, false, false));
    EXPECT_EQ(bass.type, 1);
    for (int i = 0; i < 5; ++i) m.stepParam(1, TrackParam::Type, true, false);
    EXPECT_EQ(bass.type, 3);
    EXPECT_FALSE(ProgrammerModel::hasParam(0, TrackParam::Program));
    EXPECT_FALSE(ProgrammerModel::hasParam(0, TrackParam::Transpose));
    EXPECT_FALSE(m.setProgram(0, 5));
    EXPECT_TRUE(m.setProgram(1, 33));
    EXPECT_EQ(m.paramText(1, TrackParam::Program), gmProgramName(33));
    EXPECT_FALSE(m.setProgram(1, 128));
    // Texts: cells that do not apply show "-" and take no clicks; unknown values fall back.
    EXPECT_EQ(m.paramText(0, TrackParam::BreakLength), "-");
    EXPECT_FALSE(m.stepParam(0, TrackParam::BreakVolume, true, false));
    EXPECT_EQ(m.paramText(2, TrackParam::Layer), "[x]");
    s.tracks.at(2).abc = 9;
    EXPECT_EQ(m.paramText(2, TrackParam::Layer), "[x]");
    EXPECT_EQ(m.paramText(2, TrackParam::Type), "M");
    s.tracks.at(2).mode = 4;
    EXPECT_EQ(m.paramText(2, TrackParam::Mode), "Inf");
}

TEST(ProgrammerTrackPanel, CellsAreHitByTheirRectangles) {
    StyleFile s = makeStyle();
    ProgrammerModel m(&s);
    const int w = 1024;
    int t = -1;
    TrackParam p = TrackParam::Program;
    TRect r = ProgrammerModel::paramRect(3, TrackParam::Volume, w);
    EXPECT_EQ(r.Left, w - 170);
    EXPECT_EQ(r.Top, 17 * 4 + 33);
    ASSERT_TRUE(m.paramAt(r.Left + 3, r.Top + 3, w, t, p));
    EXPECT_EQ(t, 3);
    EXPECT_EQ(p, TrackParam::Volume);
    ASSERT_TRUE(m.paramAt(w - 150, r.Top, w, t, p)); // the shared edge goes to the first cell
    EXPECT_EQ(p, TrackParam::Volume);
    r = ProgrammerModel::paramRect(0, TrackParam::Program, w);
    EXPECT_FALSE(m.paramAt(r.Left + 3, r.Top + 3, w, t, p)); // track 0 has no program cell
    EXPECT_FALSE(m.paramAt(w - 5, r.Top + 3, w, t, p));
}

TEST(ProgrammerLibrary, ItemsByCategoryCarryTheirStyleAndTrack) {
    TempDir dir;
    Styles lib(dir.file("none"));
    StyleFile a = makeStyle();
    a.id = 3;
    a.name = "Alpha";
    a.tracks.at(0).arp.notes.add(StyleNote(36, 100, 0, 1.0));
    a.tracks.at(1).prog = 33;
    a.tracks.at(1).arp.notes.add(StyleNote(36, 100, 4, 1.0));
    a.tracks.at(2).arp.notes.add(StyleNote(60, 100, 0, 1.0)); // all at the start: SusHit
    a.tracks.at(3).type = 3;
    a.tracks.at(3).mode = 1;
    a.tracks.at(3).arp.strumHeight = 2;
    a.tracks.at(3).arp.notes.add(StyleNote(72, 100, 1, 1.0)); // Strum
    StyleFile b = a;
    b.id = 8;
    b.name = "Beta";
    b.tracks.at(2).arp.notes.add(StyleNote(64, 100, 1, 1.0)); // moves to Other
    b.tracks.at(4).mode = 0;                                  // off: never listed
    lib.add(a);
    lib.add(b);
    lib.currentIndex = 1;
    StyleFile edited = b;
    ProgrammerModel m(&edited);
    m.selectTrack(1);
    auto texts = [&](int c) {
        std::vector<std::string> v;
        for (const LibraryItem& i : m.libraryItems(lib, c)) v.push_back(i.text);
        return v;
    };
    const std::string bassName = gmProgramName(33);
    EXPECT_EQ(texts(0), (std::vector<std::string>{"00:0 |  Alpha Drums", "01:0 |  Beta Drums*"}));
    EXPECT_EQ(texts(1), (std::vector<std::string>{"00:1 | >>> Alpha : " + bassName,
                                                  "01:1 | >>>@@@ Beta : " + bassName + "*"}));
    EXPECT_EQ(texts(2).size(), 1u);
    EXPECT_EQ(texts(3).size(), 2u);
    EXPECT_EQ(texts(4), (std::vector<std::string>{"01:2 |  Beta : " + gmProgramName(0)}));
    EXPECT_TRUE(texts(5).empty());

    // Copying takes the whole pattern and keeps the track's other fields.
    std::vector<LibraryItem> other = m.libraryItems(lib, 4);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].styleIndex, 1);
    EXPECT_EQ(other[0].track, 2);
    edited.tracks.at(1).vol = 55;
    ASSERT_TRUE(m.copyFromLibrary(lib, other[0]));
    EXPECT_TRUE(m.arp().equals(b.tracks.at(2).arp));
    EXPECT_EQ(edited.tracks.at(1).vol, 55);
    EXPECT_EQ(edited.tracks.at(1).type, 1);
    // An item whose style is gone or changed copies nothing.
    StyleArp kept = m.arp();
    LibraryItem stale = other[0];
    stale.styleId = 99;
    EXPECT_FALSE(m.copyFromLibrary(lib, stale));
    EXPECT_FALSE(m.copyFromLibrary(lib, LibraryItem{}));
    EXPECT_FALSE(m.copyFromLibrary(lib, LibraryItem{5, 1, 8, "x"}));
    EXPECT_FALSE(m.copyFromLibrary(lib, LibraryItem{1, 9, 8, "x"}));
    EXPECT_TRUE(m.arp().equals(kept));
}
