#include "engine/qvhistory.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/qvengine.h"
#include "model_test_util.h"

namespace {

struct CountingClient : HistoryClient {
    int ticks = 0;
    int repeatRepaints = 0;
    int restores = 0;
    void playbackTick() override { ++ticks; }
    void repaintRepeatBox() override { ++repeatRepaints; }
    void afterHistoryRestore() override { ++restores; }
};

// A live session with its engine over a closed MIDI output and a fake clock.
struct HistoryRig {
    ScratchDir dir;
    FakeClock clock{1000};
    MidiOutput midi{nullptr, nullptr};
    QvEngine engine{midi, clock, QvEngine::Setup{dir.path("Styles"), dir.path("options.cfg"), nullptr}};
    CountingClient client;
    QvHistory history{engine.core, engine.stepControl, client};
    QvCore& core = engine.core;
};

} // namespace

TEST(QvHistory, ResetHoldsOneUnmodifiedEntry) {
    HistoryRig r;
    r.history.record("Edit chord", false);
    r.history.reset("[New session]");
    EXPECT_EQ(r.history.count(), 1);
    EXPECT_EQ(r.history.position(), 0);
    EXPECT_FALSE(r.history.modified);
    EXPECT_EQ(r.history.description(0), "[New session]");
    EXPECT_EQ(r.core.name, "[New session]");
    EXPECT_FALSE(r.history.canUndo());
    EXPECT_EQ(r.history.undoDescription(), "");
    r.history.record("Edit chord", false);
    EXPECT_TRUE(r.history.modified);
    EXPECT_EQ(r.history.undoDescription(), "Edit chord");
}

TEST(QvHistory, RingKeepsTheNewestHundred) {
    HistoryRig r;
    r.history.reset("[New session]"); // record 1
    for (int i = 2; i <= 150; ++i) {
        r.core.tempo(20 + i);
        r.history.record("Step " + std::to_string(i), false);
    }
    EXPECT_EQ(r.history.count(), 100);
    EXPECT_EQ(r.history.position(), 99);
    EXPECT_EQ(r.history.description(0), "Step 51");
    EXPECT_EQ(r.history.description(99), "Step 150");
    for (int i = 0; i < 120; ++i) r.history.undo();
    EXPECT_EQ(r.history.position(), 0);
    EXPECT_EQ(r.core.name, "Step 51");
    EXPECT_EQ(r.core.tempoValue, 71);
    for (int i = 0; i < 5; ++i) r.history.redo();
    EXPECT_EQ(r.core.name, "Step 56");
}

TEST(QvHistory, MergeReplacesTheCurrentEntryWithTheSameKey) {
    HistoryRig r;
    r.history.reset("A");
    r.history.record("B:1", true);
    r.history.record("B:2", true);
    EXPECT_EQ(r.history.count(), 2);
    EXPECT_EQ(r.history.description(1), "B:2");
    // Without a ':' the whole texts are compared; the first entry is never replaced.
    r.history.record("Tempo", true);
    r.history.record("Tempo", true);
    EXPECT_EQ(r.history.count(), 3);
    HistoryRig s;
    s.history.reset("Tempo");
    s.history.record("Tempo", true);
    EXPECT_EQ(s.history.count(), 2);
    // Merging never happens without the flag.
    s.history.record("Tempo", false);
    EXPECT_EQ(s.history.count(), 3);
    EXPECT_EQ(QvHistory::mergeKey("Adjust tempo: 120 BPM"), "Adjust tempo");
    EXPECT_EQ(QvHistory::mergeKey("Edit chord"), "Edit chord");
}

TEST(QvHistory, RecordingAfterUndoDropsTheRedoEntries) {
    HistoryRig r;
    r.history.reset("X");
    r.history.record("A", false);
    r.history.undo();
    EXPECT_EQ(r.core.name, "X");
    EXPECT_EQ(r.history.redoDescription(), "A");
    r.history.record("C", false);
    EXPECT_EQ(r.history.count(), 2);
    EXPECT_EQ(r.history.description(0), "X");
    EXPECT_EQ(r.history.description(1), "C");
    EXPECT_FALSE(r.history.canRedo());
}

TEST(QvHistory, SnapshotsAreDeepCopies) {
    HistoryRig r;
    r.core.pages.at(3).addChord(QvChord(2, 1, 0, kAutoBassArg, false, 48), -1);
    r.core.sessionNotes.add("first");
    r.history.reset("[New session]");
    r.core.pages.at(3).chords.at(0).key = 9;
    r.core.pages.at(3).addChord(QvChord(4, 0, 0, kAutoBassArg, false, 24), -1);
    r.core.sessionNotes.at(0) = "changed";
    r.core.pageSlots.add(3);
    r.core.mix.volBass = 0.1;
    EXPECT_EQ(r.history.ring.entry(0).pages.at(3).chordCount(), 1);
    EXPECT_EQ(r.history.ring.entry(0).pages.at(3).chords.at(0).key, 2);
    EXPECT_EQ(r.history.ring.entry(0).sessionNotes.at(0), "first");
    EXPECT_EQ(r.history.ring.entry(0).pageSlots.count(), 1);
    r.history.record("Edit chord", false);
    r.core.pages.at(3).chords.at(1).len = 12;
    r.history.undo();
    EXPECT_EQ(r.core.pages.at(3).chordCount(), 1);
    EXPECT_EQ(r.core.pages.at(3).chords.at(0).key, 2);
    EXPECT_DOUBLE_EQ(r.core.mix.volBass, 0.8);
    // The restored live session keeps its place in the engine.
    EXPECT_EQ(r.core.engine.get(), &r.engine);
    r.history.redo();
    EXPECT_EQ(r.history.ring.entry(1).pages.at(3).chords.at(1).len, 24);
    EXPECT_EQ(r.core.pages.at(3).chords.at(1).len, 24);
}

TEST(QvHistory, RestoresSetModifiedAndCallTheClient) {
    HistoryRig r;
    r.history.reset("X");
    r.history.record("A", false);
    r.history.record("B", false);
    r.history.modified = false; // as after a save
    r.history.undo();
    EXPECT_TRUE(r.history.modified);
    r.history.modified = false;
    r.history.redo();
    EXPECT_TRUE(r.history.modified);
    r.history.modified = false;
    r.history.jumpTo(0);
    EXPECT_TRUE(r.history.modified);
    EXPECT_EQ(r.core.name, "X");
    EXPECT_EQ(r.client.restores, 3);
    // Outside the entries nothing happens.
    r.history.modified = false;
    r.history.jumpTo(3);
    r.history.jumpTo(-1);
    r.history.undo();
    EXPECT_FALSE(r.history.modified);
    EXPECT_EQ(r.client.restores, 3);
    // Every record polls playback before and after.
    int before = r.client.ticks;
    r.history.record("C", false);
    EXPECT_EQ(r.client.ticks, before + 2);
}

TEST(QvHistory, RestoreDeselectsChordsAndStopsPlayback) {
    HistoryRig r;
    r.core.pages.at(0).addChord(QvChord(), -1);
    r.history.reset("X");
    r.core.pages.at(0).selectAll();
    r.engine.stepControl.togglePlay();
    ASSERT_TRUE(r.engine.stepControl.isPlaying());
    r.history.record("Select", false); // recorded while playing: its clock copy says playing
    EXPECT_TRUE(r.history.ring.entry(1).clockCopy.playing);
    r.history.undo();
    EXPECT_FALSE(r.engine.stepControl.isPlaying());
    r.history.redo();
    EXPECT_FALSE(r.engine.stepControl.isPlaying());
    EXPECT_FALSE(r.core.pages.at(0).isSelected(0));
}

TEST(QvHistory, RecordDropsALoopBeyondTheSong) {
    HistoryRig r;
    r.history.reset("X");
    // One empty page: one bar of 16 steps.
    r.core.loopStart = 0;
    r.core.loopEnd = 0;
    r.core.loopRegionActive = true;
    r.history.record("Set loop", false);
    EXPECT_EQ(r.core.loopEnd, 0);
    EXPECT_EQ(r.client.repeatRepaints, 0);
    r.core.loopEnd = 1;
    r.history.record("Set loop", false);
    EXPECT_EQ(r.core.loopStart, -1);
    EXPECT_EQ(r.core.loopEnd, -1);
    EXPECT_FALSE(r.core.loopRegionActive);
    EXPECT_EQ(r.client.repeatRepaints, 1);
    EXPECT_EQ(r.history.ring.entry(2).loopEnd, -1);
}
