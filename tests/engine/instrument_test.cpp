#include "engine/instrument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine_rig.h"

using enginetest::msg;
using enginetest::Rig;

TEST(Instrument, ApplyDynamicsPinsTheCurve) {
    EXPECT_EQ(applyDynamics(90, 0.5), 90);
    EXPECT_EQ(applyDynamics(20, 1.0), 124);  // + 64 + 40
    EXPECT_EQ(applyDynamics(100, 0.25), 58); // - 32 - 10
    EXPECT_EQ(applyDynamics(100, 0.0), 0);
    EXPECT_EQ(applyDynamics(100, 1.0), 127);
    EXPECT_EQ(applyDynamics(10, 0.1), 1); // below 1 becomes 1
    EXPECT_EQ(applyDynamics(0, 0.5), 0);  // a silent note stays silent
    EXPECT_EQ(applyDynamics(0, 1.0), 0);
}

TEST(Instrument, SamePitchRetriggerEndsTheSoundingNoteFirst) {
    Rig r;
    Instrument& v = r.voice(2);
    v.setVolume(1.0, 0.8);
    r.sent().clear();
    r.at(4.0);
    EXPECT_TRUE(v.playNote(60, 90, 2.0));
    EXPECT_TRUE(v.playNote(60, 70, 2.0));
    v.processDueNotes();
    std::vector<RecordedMidiMessage> expect = {msg(0x92, 60, 90), msg(0x92, 60, 0), msg(0x92, 60, 70)};
    EXPECT_EQ(r.sent(), expect);
    EXPECT_EQ(v.notes.count(), 1);
    // The note ends two steps later, not before.
    r.at(5.99);
    v.processDueNotes();
    EXPECT_EQ(v.notes.count(), 1);
    r.at(6.0);
    v.processDueNotes();
    EXPECT_EQ(v.notes.count(), 0);
    EXPECT_EQ(r.sent().back(), msg(0x92, 60, 0));
}

TEST(Instrument, OpenNoteSoundsUntilAllNotesOff) {
    Rig r;
    Instrument& v = r.voice(1);
    v.setVolume(1.0, 0.5);
    EXPECT_TRUE(v.playNote(40, 100, -1));
    v.processDueNotes();
    r.at(1e6);
    v.processDueNotes();
    EXPECT_EQ(v.notes.count(), 1);
    r.sent().clear();
    v.allNotesOff(true);
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0x91, 40, 0)}));
    EXPECT_TRUE(v.notes.empty());
}

TEST(Instrument, VolumeDropAndRiseSilenceAndRestore) {
    Rig r;
    Instrument& v = r.voice(3);
    v.setVolume(1.0, 0.8);
    EXPECT_EQ(v.volumeValue(), 102);
    v.playNote(50, 100, 4);
    v.processDueNotes();
    r.sent().clear();
    v.setVolume(0.0);
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0xB3, 7, 0), msg(0x93, 50, 0)}));
    EXPECT_TRUE(v.isSilent());
    EXPECT_FALSE(v.playNote(50, 100, 1));
    v.requestSustain();
    EXPECT_FALSE(v.sustainRequested);
    r.sent().clear();
    v.setVolume(0.5); // keeps the stored volume 0.8
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0xB3, 7, 51), msg(0xB3, 64, 0)}));
    EXPECT_TRUE(v.volumeRestored);
    // Out-of-range levels are clamped.
    v.setVolume(4.0, 1.0);
    EXPECT_EQ(v.volumeValue(), 127);
    v.setVolume(-2.0, 1.0);
    EXPECT_EQ(v.lastVolumeValue, 0);
}

TEST(Instrument, SustainIsRequestedThenAppliedAndHeldPitchesKept) {
    Rig r;
    Instrument& v = r.voice(2);
    v.setVolume(1.0, 1.0);
    r.sent().clear();
    v.playNote(64, 80, 1.0);
    v.requestSustain();
    v.processDueNotes();
    v.applySustain();
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0x92, 64, 80), msg(0xB2, 64, 127)}));
    v.requestSustain();
    v.applySustain(); // already down: nothing sent
    EXPECT_EQ(r.sent().size(), 2u);
    r.at(1.0);
    v.processDueNotes();
    EXPECT_TRUE(v.isSounding(64)); // released while the pedal is down: still held
    EXPECT_EQ(v.heldPitches.count(), 1);
    r.sent().clear();
    v.allNotesOff(false);
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0xB2, 64, 0)}));
    EXPECT_FALSE(v.isSounding(64));
}

TEST(Instrument, ResetEndsNotesAndEmptiesQueueAndHeldPitches) {
    Rig r;
    Instrument& v = r.voice(4);
    v.setVolume(1.0, 1.0);
    v.playNote(60, 90, 1.0);
    v.requestSustain();
    v.processDueNotes();
    v.applySustain();
    r.at(2.0);
    v.processDueNotes();
    v.playNote(62, 90, -1);
    v.playNote(64, 90, -1);
    v.processDueNotes();
    v.monophonic = true;
    r.sent().clear();
    v.reset();
    std::vector<RecordedMidiMessage> expect = {msg(0xB4, 64, 0), msg(0x94, 62, 0), msg(0x94, 64, 0),
                                               msg(0xB4, 7, 0),  msg(0xC4, 0, 0),  msg(0xB4, 10, 63)};
    EXPECT_EQ(r.sent(), expect);
    EXPECT_TRUE(v.notes.empty());
    EXPECT_TRUE(v.heldPitches.empty());
    EXPECT_FALSE(v.sustainDown);
    EXPECT_FALSE(v.monophonic);
    EXPECT_EQ(v.lastVolumeValue, 0);
}

TEST(Instrument, DrumVelocitiesFollowTheMixByClass) {
    Rig r;
    Instrument& d = r.voice(0);
    d.setVolume(1.0, 1.0);
    QvSessionMix& mix = r.engine.core.mix;
    mix.mixKick = 1.0;
    mix.mixSnare = 0.25;
    mix.mixExtra = 0.0;
    mix.mixFxCym = 0.75;
    r.sent().clear();
    EXPECT_TRUE(d.playNote(36, 20, 0.5));   // kick +104
    EXPECT_TRUE(d.playNote(38, 100, 0.5));  // snare -42
    EXPECT_FALSE(d.playNote(75, 100, 0.5)); // other percussion at level 0: not played
    EXPECT_TRUE(d.playNote(49, 100, 0.5));  // crash stays (its own level is neutral)
    EXPECT_TRUE(d.playNote(52, 100, 0.5));  // china: fx cymbal +42
    EXPECT_FALSE(d.playNote(42, 0, 0.5));   // velocity 0 stays 0
    d.processDueNotes();
    std::vector<RecordedMidiMessage> expect = {msg(0x99, 36, 124), msg(0x99, 38, 58), msg(0x99, 49, 100),
                                               msg(0x99, 52, 127)};
    EXPECT_EQ(r.sent(), expect);
    // Drum notes are never stamped on the note display.
    EXPECT_EQ(r.engine.visualizer.allNotes.at(36), NoteVisualizer::kNeverStruck);
}

// Velocities are clamped; notes the output cannot send (a pitch outside 0..127, velocity 0) are still
// queued, and only their messages are dropped.
TEST(Instrument, BadNotesAreClampedOrQueuedSilently) {
    Rig r;
    Instrument& v = r.voice(5);
    v.setVolume(1.0, 1.0);
    r.sent().clear();
    EXPECT_TRUE(v.playNote(60, 300, 1.0));
    EXPECT_TRUE(v.playNote(128, 100, 1.0));
    EXPECT_TRUE(v.playNote(-1, 100, 1.0));
    EXPECT_TRUE(v.playNote(61, 100, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(v.playNote(62, 100, -7.0));
    EXPECT_TRUE(v.playNote(63, -5, 1.0));
    v.processDueNotes();
    std::vector<RecordedMidiMessage> expect = {msg(0x95, 60, 127), msg(0x95, 61, 100), msg(0x95, 61, 0),
                                               msg(0x95, 62, 100), msg(0x95, 62, 0),   msg(0x95, 63, 0)};
    EXPECT_EQ(r.sent(), expect);
    EXPECT_EQ(v.notes.count(), 4); // 60, 128, -1 and 63 wait for their end
}

// A one-note voice ends its sounding note for every new note, also for one the output cannot send.
TEST(Instrument, MonophonicVoiceEndsItsNoteForAnUnsendableOne) {
    Rig r;
    Instrument& b = r.voice(1);
    b.setVolume(1.0, 1.0);
    b.monophonic = true;
    b.playNote(36, 100, 4);
    b.processDueNotes();
    r.sent().clear();
    EXPECT_TRUE(b.playNote(140, 100, 4));
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0x91, 36, 0)}));
    ASSERT_EQ(b.notes.count(), 1);
    EXPECT_EQ(b.notes.at(0).note, 140);
    b.processDueNotes();
    EXPECT_EQ(r.sent().size(), 1u); // nothing sent for 140
}

TEST(Instrument, MonophonicEndsQueuedNotesAndProgramDropsUnstarted) {
    Rig r;
    Instrument& b = r.voice(1);
    b.setVolume(1.0, 1.0);
    b.monophonic = true;
    b.playNote(36, 100, 4);
    b.processDueNotes();
    r.sent().clear();
    b.playNote(43, 100, 4);
    EXPECT_EQ(r.sent(), (std::vector<RecordedMidiMessage>{msg(0x91, 36, 0)}));
    EXPECT_EQ(b.notes.count(), 1);
    b.setProgram(33);
    EXPECT_TRUE(b.notes.empty()); // the unstarted note is gone
    EXPECT_EQ(b.describe(true), "Electric Bass - Finger, prog=34, vol=127");
    EXPECT_EQ(r.voice(0).describe(false), "Drums");
    b.setChannel(16); // out of range: unchanged
    EXPECT_EQ(b.channel(), 1);
}
