// Chord, page and clipboard commands on the edited page: deletion, cut, copy, paste and replace,
// clearing, the page sequence, adding chords and pages at their limits, undo and redo, and the reset
// of every index bound to the edited page.
#include "commands_rig.h"

using cmd::Rig;

namespace {

std::vector<int> keysOf(const QvPage& page) {
    std::vector<int> keys;
    for (int i = 0; i < page.chordCount(); ++i) keys.push_back(page.chordAt(i).key);
    return keys;
}

} // namespace

TEST(DeleteCommands, DelWithoutSelectionDeletesTheLastPressedPoint) {
    Rig r;
    r.chords(4, 48);
    r.page().addAPoint(0);
    r.page().addAPoint(96);
    r.app().pointDragIndex = 1;
    r.key(46);
    EXPECT_EQ(r.page().chordCount(), 4);
    ASSERT_EQ(r.page().apointCount(), 1);
    EXPECT_EQ(r.page().apointAt(0).pos, 0);
    EXPECT_EQ(r.history().count(), 2);
    EXPECT_EQ(r.newest(), "Delete Arrangement Point");
    EXPECT_EQ(r.app().pointDragIndex, -1);
}

TEST(DeleteCommands, DelInTheChordEditorDeletesThatChordAndClosesIt) {
    Rig r;
    r.chords(4, 48);
    r.app().hoveredChord = 2;
    r.app().openChordEditor();
    ASSERT_EQ(r.app().selectorKind, 4);
    ASSERT_EQ(r.app().editedChord, 2);
    r.key(46);
    EXPECT_EQ(keysOf(r.page()), (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(r.app().selectorKind, 0);
    EXPECT_EQ(r.app().editedChord, -1);
    EXPECT_EQ(r.host.count("closeSelector"), 1);
    EXPECT_EQ(r.newest(), "Delete chord");
    EXPECT_EQ(r.app().previousClickChord, -1);
}

TEST(DeleteCommands, SelectedChordsAndStaleIndexes) {
    Rig r;
    r.chords(5, 48);
    r.page().setSelected(1, true);
    r.page().setSelected(3, true);
    r.app().deleteChord();
    EXPECT_EQ(keysOf(r.page()), (std::vector<int>{0, 4, 8}));
    EXPECT_EQ(r.newest(), "Delete chords");
    // An editor index beyond the page (left from a page that changed) deletes nothing.
    r.app().editedChord = 7;
    r.app().deleteChord();
    EXPECT_EQ(r.page().chordCount(), 3);
    EXPECT_EQ(r.app().editedChord, -1);
    // A point index beyond the page's points deletes nothing.
    r.page().addAPoint(0);
    r.app().pointDragIndex = 4;
    r.app().deleteArrangementPoint();
    EXPECT_EQ(r.page().apointCount(), 1);
    EXPECT_EQ(r.history().count(), 2);
}

TEST(DeleteCommands, APointIndexNeverCrossesToAnotherPage) {
    Rig r;
    r.page().addAPoint(0);
    r.core().pages.at(1).addAPoint(0);
    r.core().pageSlots.add(1);
    r.app().pointDragIndex = 0;  // pressed on page 0's point
    r.core().editedPosition = 1; // playback followed to page 1
    r.key(46);
    EXPECT_EQ(r.core().pages.at(1).apointCount(), 1);
    EXPECT_EQ(r.core().pages.at(0).apointCount(), 1);
    EXPECT_EQ(r.history().count(), 1);
}

TEST(ClipboardCommands, CutCopyAndPaste) {
    Rig r;
    r.chords(5, 48);
    for (int i : {0, 1, 2}) r.page().setSelected(i, true);
    r.app().cutOrCopyChords(false);
    EXPECT_EQ(r.history().count(), 1); // copy records nothing
    EXPECT_EQ(r.engine().clipboard.chordCount(), 3);
    r.app().cutOrCopyChords(true);
    EXPECT_EQ(keysOf(r.page()), (std::vector<int>{6, 8}));
    EXPECT_EQ(r.newest(), "Cut chords");
    r.app().pasteChords(1, false);
    EXPECT_EQ(keysOf(r.page()), (std::vector<int>{6, 0, 2, 4, 8}));
    EXPECT_EQ(r.page().selectedCount(), 3);
    EXPECT_TRUE(r.page().isSelected(1));
    EXPECT_EQ(r.newest(), "Paste chords");
    r.app().pasteChords(99, false); // an index beyond the page appends
    EXPECT_EQ(r.page().chordCount(), 8);
    EXPECT_EQ(r.page().chordAt(7).key, 4);
}

TEST(ClipboardCommands, ARefusedPasteRecordsNothingButRepaints) {
    Rig r;
    r.chords(4, 48);
    r.page().selectAll();
    r.app().cutOrCopyChords(false);
    r.chords(13, 48); // 13 bars: 4 more do not fit
    r.prompt.answers = {0};
    r.host.clear();
    r.app().pasteChords(-1, false);
    EXPECT_EQ(r.page().chordCount(), 13);
    EXPECT_EQ(r.prompt.asked, 1);
    EXPECT_EQ(r.history().count(), 1);
    EXPECT_EQ(r.host.count("page"), 1);
    r.chords(12, 48); // 12 bars: exactly 768 units fit
    r.app().pasteChords(-1, false);
    EXPECT_EQ(r.page().chordCount(), 16);
    EXPECT_EQ(r.newest(), "Paste chords");
}

TEST(ClipboardCommands, ReplaceIsAtomic) {
    Rig r;
    r.chords(3, 48);
    r.page().addAPoint(48);
    r.app().pasteChords(-1, true); // empty clipboard: the page stays
    EXPECT_EQ(r.page().chordCount(), 3);
    EXPECT_EQ(r.page().apointCount(), 1);

    // 4/4 content with four chords in a bar, pasted into a 3/4 session: the question is declined.
    r.chords(4, 12);
    r.page().selectAll();
    r.app().cutOrCopyChords(false);
    r.chords(3, 48);
    r.use(2);
    ASSERT_TRUE(r.core().isTripleMeter());
    r.prompt.answers = {1, 0}; // Cancel, then OK
    r.key('W', true);
    EXPECT_EQ(keysOf(r.page()), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(r.page().apointCount(), 1);
    EXPECT_EQ(r.history().count(), 1);

    r.key('W', true); // OK: one chord goes, three replace the page
    EXPECT_EQ(r.page().chordCount(), 3);
    EXPECT_EQ(r.page().apointCount(), 0);
    EXPECT_EQ(r.newest(), "Paste chords");
}

TEST(PageCommands, ClearPageClearsALoopBeyondTheSongEnd) {
    Rig r;
    r.chords(4, 48);
    r.core().loopStart = 2;
    r.core().loopEnd = 3;
    r.core().loopRegionActive = true;
    r.page().addAPoint(0);
    r.app().pointDragIndex = 0;
    r.app().clearPage();
    EXPECT_TRUE(r.page().isEmpty());
    EXPECT_EQ(r.core().loopStart, -1);
    EXPECT_EQ(r.core().loopEnd, -1);
    EXPECT_FALSE(r.core().loopRegionActive);
    EXPECT_EQ(r.app().pointDragIndex, -1);
    EXPECT_EQ(r.newest(), "Clear Page");
    // A loop inside what is left stays.
    Rig q;
    q.chords(4, 48);
    q.core().pageSlots.add(0);
    q.core().pages.at(1).addChord(QvChord(), -1);
    q.core().pageSlots.at(1) = 1;
    q.core().loopStart = 0;
    q.core().loopEnd = 1;
    q.core().editedPosition = 0;
    q.app().clearPage();
    EXPECT_EQ(q.core().loopEnd, 1);
}

TEST(PageCommands, PageSequenceCommandsClampThePositions) {
    Rig r;
    for (int p : {1, 2, 3}) r.core().pageSlots.add(p);
    r.core().editedPosition = r.core().playingPosition = 3;
    r.app().clearPageSequence();
    EXPECT_EQ(r.core().pageSlots.count(), 1);
    EXPECT_EQ(r.core().pageSlots.at(0), 0);
    EXPECT_EQ(r.core().editedPosition, 0);
    EXPECT_EQ(r.core().playingPosition, 0);
    EXPECT_EQ(r.core().currentChord.variant, -1);

    std::string shown;
    r.app().hooks.editPageSequence = [&](std::string& text) {
        shown = text;
        text = "1 2";
        return true;
    };
    r.app().editPageSequenceAsText();
    EXPECT_EQ(shown, "1");
    EXPECT_EQ(r.core().pageSlots.count(), 2);
    EXPECT_EQ(r.newest(), "Edit Page sequence as text");
    r.app().hooks.editPageSequence = [&](std::string& text) {
        text = "5";
        return false; // cancelled
    };
    r.app().editPageSequenceAsText();
    EXPECT_EQ(r.core().pageSlots.count(), 2);
    EXPECT_EQ(r.history().count(), 3);
}

TEST(PageCommands, AddChordFillsTheZoomedPageAndStopsAtItsEnd) {
    Rig r;
    EXPECT_EQ(r.app().addChordAtEnd(), 0); // an empty page: a one-bar chord
    EXPECT_EQ(r.page().chordAt(0).len, 48);
    r.chords(7, 48);
    r.page().addChord(QvChord(0, 0, 0, kAutoBassArg, false, 36), -1);
    r.page().setSelected(0, true);
    EXPECT_EQ(r.app().addChordAtEnd(), 8); // the last chord's length, cut to the 12 units left
    EXPECT_EQ(r.page().chordAt(8).len, 12);
    EXPECT_EQ(r.page().selectedCount(), 0);
    EXPECT_EQ(r.page().length(), 8 * 48);
    int steps = r.history().count();
    EXPECT_EQ(r.app().addChordAtEnd(), -1); // full at zoom 8
    EXPECT_EQ(r.history().count(), steps);
    r.page().zoom = 16;
    EXPECT_EQ(r.app().addChordAtEnd(), 9);
    EXPECT_EQ(r.page().chordAt(9).len, 12);
}

TEST(PageCommands, AddPageStopsAtEightyEntries) {
    Rig r;
    r.core().pageSlots.at(0) = 4;
    EXPECT_EQ(r.app().addPageToSequence(), 1);
    EXPECT_EQ(r.core().pageSlots.at(1), 4);
    EXPECT_EQ(r.core().editedPosition, 1);
    EXPECT_EQ(r.core().playingPosition, 1);
    EXPECT_EQ(r.newest(), "Add Page to sequence");
    while (r.core().pageSlots.count() < 80) r.core().pageSlots.add(0);
    int steps = r.history().count();
    EXPECT_EQ(r.app().addPageToSequence(), -1);
    EXPECT_EQ(r.core().pageSlots.count(), 80);
    EXPECT_EQ(r.history().count(), steps);
}

TEST(PageCommands, EditorsOpenOnlyOnValidIndexes) {
    Rig r;
    r.chords(3, 48);
    QvChord target;
    int opened = -1;
    r.app().hooks.openChordSelector = [&](int chord, const QvChord& c) {
        opened = chord;
        target = c;
    };
    r.app().hoveredChord = 5;
    r.app().openChordEditor();
    EXPECT_EQ(r.app().selectorKind, 0);
    r.page().setSelected(0, true);
    r.app().hoveredChord = 1;
    r.app().openChordEditor();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(target.key, 2);
    EXPECT_EQ(r.page().selectedCount(), 0);
    EXPECT_EQ(r.core().currentChord.key, 2); // stopped: the note display shows the chord

    QvAPoint shown;
    int x = -1;
    r.app().hooks.openArrangementSelector = [&](const QvAPoint& p, int px) {
        shown = p;
        x = px;
    };
    r.app().selectedPoint = 0; // no points
    r.app().openArrangementPointEditor();
    EXPECT_EQ(x, -1);
    r.page().addAPoint(48);
    r.app().selectedPoint = 0;
    r.app().selectedPointX = 77;
    r.app().pointDragIndex = 0;
    r.app().openArrangementPointEditor();
    EXPECT_EQ(x, 77);
    EXPECT_EQ(shown.pos, 48);
    EXPECT_EQ(r.app().selectorKind, 6);
    EXPECT_EQ(r.app().pointDragIndex, -1);

    int menuSlot = -1;
    r.app().hooks.openPageMenu = [&](int slot, int, bool) { menuSlot = slot; };
    r.app().menuSlot = 3; // one slot only
    r.app().openPageSlotMenu(false);
    EXPECT_EQ(menuSlot, -1);
    r.app().menuSlot = 0;
    r.app().openPageSlotMenu(false);
    EXPECT_EQ(menuSlot, 0);
    EXPECT_EQ(r.app().selectorKind, 5);
}

TEST(PageCommands, DeselectOnlyAwayFromChords) {
    Rig r;
    r.chords(3, 48);
    r.page().selectAll();
    r.app().hoveredChord = 1;
    r.app().deselectChords();
    EXPECT_EQ(r.page().selectedCount(), 3);
    r.app().hoveredChord = -1;
    r.app().deselectChords();
    EXPECT_EQ(r.page().selectedCount(), 0);
}

TEST(UndoRedo, RestoreAndCancelEveryInteraction) {
    Rig r;
    int mouseResets = 0;
    r.app().hooks.cancelMouseInteractions = [&] { ++mouseResets; };
    r.chords(4, 48);
    r.page().addAPoint(0);
    r.history().reset("[New session]");
    r.page().setSelected(3, true);
    r.app().deleteChord();
    ASSERT_EQ(r.page().chordCount(), 3);
    // An editor and drags on indexes that the undo makes stale.
    r.app().selectorKind = 4;
    r.app().editedChord = 2;
    r.app().selectedPoint = 0;
    r.app().pointDragIndex = 0;
    r.app().resizedChord = 2;
    r.app().pointDragArmed = r.app().loopDragging = true;
    r.app().previousClickChord = 2;
    r.app().playMarkerPosition = 12;
    mouseResets = 0;
    r.host.clear();
    r.key('Z', true);
    EXPECT_EQ(r.page().chordCount(), 4);
    EXPECT_EQ(r.app().selectorKind, 0);
    EXPECT_EQ(r.host.count("closeSelector"), 1);
    EXPECT_EQ(r.app().editedChord, -1);
    EXPECT_EQ(r.app().selectedPoint, -1);
    EXPECT_EQ(r.app().pointDragIndex, -1);
    EXPECT_EQ(r.app().resizedChord, -1);
    EXPECT_FALSE(r.app().dragInProgress());
    EXPECT_EQ(r.app().previousClickChord, -1);
    EXPECT_EQ(r.app().playMarkerPosition, -1);
    EXPECT_GE(mouseResets, 1);
    EXPECT_FALSE(r.app().isBusy());
    r.app().pointDragIndex = 0;
    r.key('Y', true);
    EXPECT_EQ(r.page().chordCount(), 3);
    EXPECT_EQ(r.app().pointDragIndex, -1);
    // Outside the history: nothing happens.
    r.key('Y', true);
    EXPECT_EQ(r.page().chordCount(), 3);
}

TEST(UndoRedo, NewAndOpenCancelInteractions) {
    Rig r;
    r.chords(2);
    r.app().pointDragIndex = 0;
    r.app().editedChord = 1;
    r.app().newSession(true);
    EXPECT_EQ(r.app().pointDragIndex, -1);
    EXPECT_EQ(r.app().editedChord, -1);
    EXPECT_TRUE(r.app().mixAtDefaults);
}

TEST(Quit, OnlyASuccessfulSaveOrNoLetsTheProgramEnd) {
    struct Case {
        const char* name;
        std::vector<int> answers;
        std::string path; // the session's file; empty: Save As, which is cancelled
        bool quits;
    };
    Rig probe;
    const std::string good = probe.dir.file("kept.qvs");
    const std::string bad = probe.dir.file("no/such/folder/song.qvs");
    const std::vector<Case> cases = {
        {"No", {1}, "", true},
        {"Cancel", {2}, "", false},
        {"closed", {}, "", false},
        {"Yes, save as cancelled", {0}, "", false},
        {"Yes, save fails", {0, 0}, bad, false},
        {"Yes, saved", {0}, good, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.chords(2);
        r.history().record("Add chord", false);
        r.app().sessionPath = c.path;
        r.prompt.answers = c.answers;
        EXPECT_EQ(r.app().requestQuit(), c.quits);
        EXPECT_EQ(r.app().quitRequested, c.quits);
        if (!c.quits) {
            EXPECT_TRUE(r.history().modified); // nothing of the work is lost
            EXPECT_EQ(r.page().chordCount(), 2);
        }
    }
    // Nothing unsaved: no question.
    Rig r;
    r.key(27);
    EXPECT_TRUE(r.app().quitRequested);
    EXPECT_EQ(r.prompt.asked, 0);
}

TEST(PageBinding, IndexesTakenAfterAPageChangeSurviveTheNextEvent) {
    Rig r;
    r.core().pageSlots.add(1);
    r.core().pages.at(1).addAPoint(0);
    r.core().pages.at(1).addAPoint(48);
    // A click on slot 1 changes the edited page; the next click presses a point there.
    r.core().editedPosition = 1;
    r.app().checkPageBinding(); // the start of that next event
    r.app().pointDragIndex = 1;
    r.key(46);
    EXPECT_EQ(r.core().pages.at(1).apointCount(), 1);
    EXPECT_EQ(r.core().pages.at(1).apointAt(0).pos, 0);
    // The same page in another slot is another place: its indexes go too.
    r.core().pageSlots.add(1);
    r.app().pointDragIndex = 0;
    r.core().editedPosition = 2;
    r.key(46);
    EXPECT_EQ(r.core().pages.at(1).apointCount(), 1);
}
