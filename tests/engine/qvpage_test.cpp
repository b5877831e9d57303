#include <gtest/gtest.h>

#include "engine/qvpage.h"
#include "qvpage_test_util.h"

using V = std::vector<int>;

TEST(QvPage, LengthCountsChordsAndTheLastPoint) {
    QvPage p = pageOfLengths({48, 48, 24});
    p.addAPoint(100);
    EXPECT_EQ(p.length(), 120);
    EXPECT_EQ(p.length(true), 120);
    EXPECT_EQ(p.bars(), 3);

    p.removeAPoint(0);
    p.addAPoint(144); // a point on a bar line claims its bar
    EXPECT_EQ(p.length(), 192);
    EXPECT_EQ(p.length(true), 120);
    EXPECT_EQ(p.bars(), 4);

    p.removeAPoint(0);
    p.addAPoint(96);
    EXPECT_EQ(p.length(), 144);
    EXPECT_EQ(p.bars(), 3);

    QvPage empty;
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.bars(), 1);
    EXPECT_TRUE(empty.isEmpty());
    empty.addAPoint(0);
    EXPECT_FALSE(empty.isEmpty());
    EXPECT_EQ(empty.length(), 48);
    EXPECT_EQ(empty.length(true), 0);

    QvPage one = pageOfLengths({49});
    EXPECT_EQ(one.bars(), 2);
}

TEST(QvPage, CachedLengthFollowsEveryChange) {
    QvPage p = pageOfLengths({48, 48});
    EXPECT_EQ(p.length(), 96);
    EXPECT_FALSE(p.dirty);
    p.setChord(QvChord(0, 0, 0, kAutoBassArg, false, 12), 1);
    EXPECT_EQ(p.length(), 60);
    p.addChord(QvChord(), 0);
    EXPECT_EQ(p.length(), 108);
    p.setSelected(0, true);
    p.deleteSelected();
    EXPECT_EQ(p.length(), 60);
    // A direct edit of the list needs markChanged.
    p.chords.at(0).len = 24;
    EXPECT_EQ(p.length(), 60);
    p.markChanged();
    EXPECT_EQ(p.length(), 36);
}

TEST(QvPage, ChordAccessorsIgnoreBadIndexes) {
    QvPage p = pageOfLengths({48, 24, 12}, 3);
    EXPECT_EQ(p.chordCount(), 3);
    EXPECT_EQ(p.chordStart(0), 0);
    EXPECT_EQ(p.chordStart(2), 72);
    EXPECT_EQ(p.chordStart(3), 0);
    EXPECT_EQ(p.chordStart(-1), 0);
    EXPECT_EQ(p.chordLength(1), 24);
    EXPECT_EQ(p.chordLength(7), 0);
    EXPECT_EQ(p.chordAt(2).key, 5);
    QvChord outside = p.chordAt(3);
    EXPECT_EQ(outside.key, 0);
    EXPECT_EQ(outside.len, 48);
    EXPECT_TRUE(outside.autoBass);

    p.setChord(QvChord(9, 0, 0, kAutoBassArg, false, 12), 3);
    p.setChord(QvChord(9, 0, 0, kAutoBassArg, false, 12), -1);
    EXPECT_EQ(keysOf(p), (V{3, 4, 5}));
    p.addChord(QvChord(9, 0, 0, kAutoBassArg, false, 12), 1);
    p.addChord(QvChord(10, 0, 0, kAutoBassArg, false, 12), -5);
    p.addChord(QvChord(11, 0, 0, kAutoBassArg, false, 12), 99);
    EXPECT_EQ(keysOf(p), (V{3, 9, 4, 5, 10, 11}));
}

TEST(QvPage, SelectionAndDeletion) {
    QvPage p = pageOfLengths({48, 24, 12, 36}, 0);
    int first = 0, last = 0;
    p.selectionRange(first, last);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(last, -1);
    p.setSelected(1, true);
    p.setSelected(3, true);
    p.setSelected(9, true);
    EXPECT_FALSE(p.isSelected(9));
    EXPECT_FALSE(p.isSelected(-1));
    EXPECT_EQ(p.selectedCount(), 2);
    p.selectionRange(first, last);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 3);
    p.deleteSelected();
    EXPECT_EQ(keysOf(p), (V{0, 2}));
    EXPECT_EQ(p.chordStart(1), 48);
    p.selectAll();
    EXPECT_EQ(p.selectedCount(), 2);
    p.selectNone();
    EXPECT_EQ(p.selectedCount(), 0);
}

TEST(QvPage, TransposeAllOrSelected) {
    QvPage p = pageOfLengths({48, 48}, 10);
    p.setSelected(1, true);
    p.transposeChords(3, true);
    EXPECT_EQ(keysOf(p), (V{10, 2}));
    p.transposeChords(-11, false);
    EXPECT_EQ(keysOf(p), (V{11, 3}));
}

TEST(QvPage, PointsStayInPositionOrder) {
    QvPage p;
    p.addAPoint(96);
    p.addAPoint(0);
    p.addAPoint(48);
    p.addAPoint(500);
    EXPECT_EQ(pointPositionsOf(p), (V{0, 48, 96, 500}));
    QvAPoint edited = p.apointAt(1);
    edited.mDrums = 1;
    p.dirty = false;
    p.addAPoint(48); // already there: only the dirty flag changes
    EXPECT_TRUE(p.dirty);
    EXPECT_EQ(p.apointCount(), 4);
    EXPECT_EQ(p.findAPoint(96), 2);
    EXPECT_EQ(p.findAPoint(97), -1);
    EXPECT_FALSE(p.apointsWithin8Bars());
    EXPECT_EQ(p.apointAt(7).pos, 0);
    EXPECT_EQ(p.apointAt(-1).cym, 1);

    // Moving a point keeps the order and tells where it went.
    edited.pos = 200;
    EXPECT_EQ(p.setAPoint(edited, 1), 2);
    EXPECT_EQ(pointPositionsOf(p), (V{0, 96, 200, 500}));
    EXPECT_EQ(p.apointAt(2).mDrums, 1);
    QvAPoint same = p.apointAt(2);
    same.pos = 96; // lands on an equal position: stays after the earlier point
    EXPECT_EQ(p.setAPoint(same, 2), 2);
    EXPECT_EQ(pointPositionsOf(p), (V{0, 96, 96, 500}));
    EXPECT_EQ(p.apointAt(2).mDrums, 1);
    same.pos = 0;
    EXPECT_EQ(p.setAPoint(same, 2), 1);
    EXPECT_EQ(p.apointAt(0).mDrums, 0);
    EXPECT_EQ(p.apointAt(1).mDrums, 1);
    p.dirty = false;
    EXPECT_EQ(p.setAPoint(same, 4), -1);
    EXPECT_TRUE(p.dirty);
    EXPECT_EQ(p.apointCount(), 4);

    p.removeAPoint(3);
    p.removeAPoint(10);
    EXPECT_EQ(pointPositionsOf(p), (V{0, 0, 96}));
    EXPECT_TRUE(p.apointsWithin8Bars());
    p.addAPoint(384);
    EXPECT_TRUE(p.apointsWithin8Bars());
    p.addAPoint(385);
    EXPECT_FALSE(p.apointsWithin8Bars());
}

TEST(QvPage, ClearResetsTheLiveArrangementOnlyWhenGiven) {
    QvAPoint live(96);
    live.mDrums = 1;
    QvPage p = pageOfLengths({48});
    p.addAPoint(0);
    p.zoom = 16;
    p.clear();
    EXPECT_TRUE(p.isEmpty());
    EXPECT_EQ(p.zoom, 8);
    EXPECT_EQ(live.mDrums, 1);
    p.clear(&live);
    EXPECT_EQ(live.mDrums, 0);
    EXPECT_EQ(live.pos, 0);
}

TEST(QvPage, CopyingToTheClipboardKeepsTheLiveArrangement) {
    TestSession s;
    s.live.applyKind(11, true, false); // a break in force
    s.live.pos = 48;
    s.clipboard = pageOfLengths({96}, 7);
    QvPage p = pageOfLengths({48, 24, 12}, 1);
    p.addAPoint(24);
    p.setSelected(0, true);
    p.setSelected(2, true);
    s.triple = true;
    p.copySelectedToClipboard(s.context());
    EXPECT_EQ(keysOf(s.clipboard), (V{1, 3}));
    EXPECT_EQ(s.clipboard.apointCount(), 0);
    EXPECT_TRUE(s.clipboardIs34);
    EXPECT_EQ(s.live.mDrums, 1);
    EXPECT_EQ(s.live.mBass, 2);
    EXPECT_EQ(s.live.pos, 48);

    s.triple = false;
    p.copyAllToClipboard(s.context());
    EXPECT_EQ(keysOf(s.clipboard), (V{1, 2, 3}));
    EXPECT_EQ(pointPositionsOf(s.clipboard), (V{24}));
    EXPECT_FALSE(s.clipboardIs34);
    EXPECT_EQ(s.live.mDrums, 1);
    EXPECT_EQ(keysOf(p), (V{1, 2, 3})); // the source is unchanged
}

TEST(QvPage, PasteKeepsWithinThePageLimit) {
    TestSession s;
    s.clipboard = pageOfLengths({48, 48, 48, 48}, 20);
    QvPage full = pageOfLengths(V(13, 48));
    full.setSelected(2, true);
    EXPECT_FALSE(full.paste(13, false, false, s.context()));
    EXPECT_EQ(full.chordCount(), 13);
    EXPECT_EQ(selectedOf(full), (V{2}));
    ASSERT_EQ(s.prompt.shown.size(), 1u);
    const FakePrompt::Box& box = s.prompt.shown[0];
    EXPECT_EQ(box.buttons, PromptButtons::Ok);
    EXPECT_EQ(box.title, "");
    ASSERT_EQ(box.lines.size(), 2u);
    EXPECT_EQ(box.lines[0], "There is not enough free space on this page to paste the selected chords.");
    EXPECT_EQ(box.lines[1], "A page can hold maximum 16 bars. Please select another page.");

    QvPage twelve = pageOfLengths(V(12, 48));
    twelve.setSelected(0, true);
    EXPECT_TRUE(twelve.paste(12, false, false, s.context())); // exactly 768 is allowed
    EXPECT_EQ(twelve.length(), 768);
    EXPECT_EQ(twelve.chordCount(), 16);
    // The pasted chords are selected; the earlier selection is left as it was.
    EXPECT_EQ(selectedOf(twelve), (V{0, 12, 13, 14, 15}));
    EXPECT_EQ(s.prompt.shown.size(), 1u);
    EXPECT_EQ(keysOf(s.clipboard), (V{8, 9, 10, 11}));
}

TEST(QvPage, PasteInsertsAtTheIndex) {
    TestSession s;
    s.clipboard = pageOfLengths({12, 24}, 8);
    QvPage p = pageOfLengths({48, 48}, 0);
    EXPECT_TRUE(p.paste(1, false, false, s.context()));
    EXPECT_EQ(keysOf(p), (V{0, 8, 9, 1}));
    EXPECT_TRUE(p.paste(-1, false, false, s.context()));
    EXPECT_EQ(keysOf(p), (V{0, 8, 9, 1, 8, 9}));
    EXPECT_TRUE(p.paste(50, false, false, s.context()));
    EXPECT_EQ(p.chordCount(), 8);
    EXPECT_EQ(p.length(), 96 + 3 * 36);
    for (const QvChord& c : p.chords) EXPECT_FALSE(c.pasteSaved);

    TestSession none;
    PageContext noClipboard = none.context();
    noClipboard.clipboard = nullptr;
    EXPECT_FALSE(p.paste(0, false, false, noClipboard));
    EXPECT_EQ(p.chordCount(), 8);
}

TEST(QvPage, MovingASelectionSkipsTheLimit) {
    TestSession s;
    QvPage p = pageOfLengths(V(16, 48), 0);
    p.setSelected(2, true);
    p.setSelected(3, true);
    EXPECT_TRUE(p.paste(10, true, true, s.context()));
    EXPECT_TRUE(s.prompt.shown.empty());
    EXPECT_EQ(keysOf(p), (V{0, 1, 4, 5, 6, 7, 8, 9, 2, 3, 10, 11, 0, 1, 2, 3}));
    EXPECT_EQ(selectedOf(p), (V{8, 9}));
    EXPECT_EQ(p.length(), 768);
    for (const QvChord& c : p.chords) EXPECT_FALSE(c.pasteSaved);
}

TEST(QvPage, RefusedCopyDragRestoresTheSelection) {
    TestSession s;
    QvPage p = pageOfLengths(V(16, 48), 0);
    p.setSelected(2, true);
    p.setSelected(3, true);
    EXPECT_FALSE(p.paste(5, true, false, s.context()));
    EXPECT_EQ(s.prompt.shown.size(), 1u);
    EXPECT_EQ(p.chordCount(), 16);
    EXPECT_EQ(selectedOf(p), (V{2, 3}));
    for (const QvChord& c : p.chords) EXPECT_FALSE(c.pasteSaved);
}

TEST(QvPage, CopyDragSelectsTheCopies) {
    TestSession s;
    QvPage p = pageOfLengths({48, 24, 12}, 0);
    p.setSelected(0, true);
    p.setSelected(2, true);
    EXPECT_TRUE(p.paste(3, true, false, s.context()));
    EXPECT_EQ(keysOf(p), (V{0, 1, 2, 0, 2}));
    EXPECT_EQ(selectedOf(p), (V{3, 4}));
    EXPECT_EQ(p.length(), 144);
}

TEST(QvPage, AddChordsReplacesAndSetsTheZoom) {
    TestSession s;
    s.live.mChords = 3;
    QvPage p = pageOfLengths({48}, 4);
    p.addAPoint(0);
    p.zoom = 16;
    s.edited = &p;
    Llist<QvChord> list(0, 1, true);
    list.add(QvChord(1, 0, 0, kAutoBassArg, false, 96));
    list.add(QvChord(2, 0, 0, kAutoBassArg, false, 96));
    p.addChords(list, false, s.context());
    EXPECT_EQ(keysOf(p), (V{4, 1, 2}));
    EXPECT_EQ(p.zoom, 8); // 5 bars
    EXPECT_EQ(s.live.mChords, 3);

    p.zoom = 16;
    p.addChords(list, false, s.context());
    EXPECT_EQ(p.bars(), 9);
    EXPECT_EQ(p.zoom, 16);

    p.addChords(list, true, s.context());
    EXPECT_EQ(keysOf(p), (V{1, 2}));
    EXPECT_EQ(p.apointCount(), 0);
    EXPECT_EQ(s.live.mChords, 0);
    EXPECT_EQ(p.zoom, 8);

    // Appending a page's own chords to itself.
    p.addChords(p.chords, false, s.context());
    EXPECT_EQ(keysOf(p), (V{1, 2, 1, 2}));
}

TEST(QvPage, ReplaceFromClipboard) {
    TestSession s;
    s.clipboard = pageOfLengths({24, 24}, 5);
    s.clipboard.addAPoint(24);
    QvPage p = pageOfLengths({48, 48, 48}, 0);
    p.addAPoint(96);
    EXPECT_TRUE(p.replaceFromClipboard(s.context()));
    EXPECT_EQ(keysOf(p), (V{5, 6}));
    EXPECT_EQ(pointPositionsOf(p), (V{24}));
    EXPECT_EQ(p.length(), 48);
    EXPECT_TRUE(s.prompt.shown.empty());
}

TEST(QvPage, FileRoundTripIsExact) {
    ScratchDir dir;
    QvPage p;
    ASSERT_TRUE(p.loadFile("chord page 0", modelFixture("chordpage", "page_roundtrip.txt")));
    ASSERT_EQ(p.chordCount(), 4);
    EXPECT_EQ(p.chordAt(1).key, 9);
    EXPECT_EQ(p.chordAt(1).variant, 5);
    EXPECT_EQ(p.chordAt(1).inversion, -2);
    EXPECT_EQ(p.chordAt(1).bass, 4);
    EXPECT_FALSE(p.chordAt(1).autoBass);
    EXPECT_TRUE(p.chordAt(1).bassOctave);
    ASSERT_EQ(p.apointCount(), 3);
    EXPECT_EQ(p.apointAt(0).cym, 7);
    EXPECT_FALSE(p.apointAt(0).fillEnabled);
    EXPECT_FALSE(p.apointAt(2).arrangeEnabled);
    EXPECT_EQ(p.zoom, 16);
    EXPECT_EQ(p.length(true), 120);
    EXPECT_EQ(p.length(), 500);
    ASSERT_TRUE(p.saveFile("chord page 0", dir.path("page.txt")));
    EXPECT_EQ(fileBytes(dir.path("page.txt")), fileBytes(modelFixture("chordpage", "page_roundtrip.txt")));

    // Reading replaces what the page held.
    QvPage q = pageOfLengths({12, 12});
    q.addAPoint(5);
    ASSERT_TRUE(q.loadFile("chord page 0", modelFixture("chordpage", "page_roundtrip.txt")));
    EXPECT_EQ(q.chordCount(), 4);
    EXPECT_EQ(q.apointCount(), 3);
}

TEST(QvPage, ReadingRepairsBadValues) {
    QvPage p;
    ASSERT_TRUE(p.loadFile("chord page 3", modelFixture("chordpage", "page_bad_values.txt")));
    ASSERT_EQ(p.chordCount(), 2); // the page ends at 16 bars: the third chord is dropped
    QvChord a = p.chordAt(0), b = p.chordAt(1);
    EXPECT_EQ(a.key, 11);
    EXPECT_EQ(a.bass, 2);
    EXPECT_EQ(a.variant, 0);
    EXPECT_EQ(a.inversion, 3);
    EXPECT_EQ(a.len, kShortestChord44); // a length of 0 or less: the shortest chord, not a sliver
    EXPECT_EQ(b.key, 2);
    EXPECT_EQ(b.bass, 11);
    EXPECT_EQ(b.variant, 0);
    EXPECT_EQ(b.inversion, -3);
    EXPECT_EQ(b.len, 756); // shortened to end on the 768-unit line
    // Points: positions clamped, sorted stably, one a position (the first of the two at 96 stays).
    EXPECT_EQ(pointPositionsOf(p), (V{0, 48, 96, 767}));
    EXPECT_EQ(p.apointAt(0).cym, 3);
    EXPECT_EQ(p.apointAt(2).cym, 4);
    EXPECT_EQ(p.apointAt(3).cym, 2);
    EXPECT_EQ(p.zoom, 8);
    EXPECT_EQ(p.length(), 768);
    EXPECT_EQ(p.length(true), 768);
}

TEST(QvPage, ZoomReadsAsEightOrSixteen) {
    QvPage p;
    p.zoom = 16;
    ASSERT_TRUE(p.loadFile("chord page 1", modelFixture("chordpage", "page_zoom_missing.txt")));
    EXPECT_EQ(p.zoom, 16); // a missing key keeps the value
    EXPECT_EQ(p.chordCount(), 1);
    for (auto [text, expected] : {std::pair{"pageZoom=16", 16},
                                  {"pageZoom=8", 8},
                                  {"pageZoom=0", 8},
                                  {"pageZoom=32", 8},
                                  {"pageZoom=-16", 8},
                                  {"pageZoom=abc", 8}}) {
        QvPage q;
        q.lines.add(text);
        q.writing = false;
        q.serialize();
        EXPECT_EQ(q.zoom, expected) << text;
    }
}
