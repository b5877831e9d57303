#include "engine/qvcore.h"

#include <gtest/gtest.h>

#include <climits>

#include "engine_rig.h"

using enginetest::Rig;

namespace {

QvChord chord(int key, int len = 48, int variant = 0) {
    return QvChord(key, variant, 0, kAutoBassArg, false, len);
}

void setChords(QvCore& core, int page, std::initializer_list<QvChord> chords) {
    for (const QvChord& c : chords) core.pages.at(page).addChord(c, -1);
}

} // namespace

TEST(QvCore, TempoAndSlider) {
    Rig r;
    QvCore& c = r.engine.core;
    EXPECT_EQ(c.tempo(250), 220);
    EXPECT_DOUBLE_EQ(c.tempoSlider, 1.0);
    EXPECT_EQ(c.tempo(5), 20);
    EXPECT_DOUBLE_EQ(c.tempoSlider, 0.0);
    c.tempoSlider = 1.0;
    c.setTempoFromSlider();
    EXPECT_EQ(c.tempo(), 220);
    c.tempoSlider = 0.505;
    c.setTempoFromSlider();
    EXPECT_EQ(c.tempo(), 121);
    c.tempoSlider = 7.0;
    c.setTempoFromSlider();
    EXPECT_EQ(c.tempo(), 220);
    EXPECT_DOUBLE_EQ(c.secondsPerBeat(), 60.0 / 220);
    EXPECT_EQ(c.stepsPerBeat(0), 1);
    EXPECT_EQ(c.stepsPerBeat(1000), 256);
    EXPECT_EQ(c.stepsPerBar(-7), 1);
    EXPECT_EQ(c.stepsPerBar(INT_MAX), 8192);
}

TEST(QvCore, PageSequenceTextAndLabels) {
    Rig r;
    QvCore& c = r.engine.core;
    c.parsePageSequence("1a0Z!");
    EXPECT_EQ(c.pageSlots.count(), 4);
    EXPECT_EQ(c.pageSlots.at(0), 0);
    EXPECT_EQ(c.pageSlots.at(1), 10);
    EXPECT_EQ(c.pageSlots.at(2), 9);
    EXPECT_EQ(c.pageSlots.at(3), 35);
    EXPECT_EQ(c.pageSequenceText(), "1A0Z");
    c.parsePageSequence("!?");
    EXPECT_EQ(c.pageSequenceText(), "1");
    EXPECT_EQ(pageLabel(8), "9");
    EXPECT_EQ(pageLabel(36), "0");
    EXPECT_EQ(pageLabel(-1), "0");
}

TEST(QvCore, SongGeometryOverTheSequence) {
    Rig r;
    QvCore& c = r.engine.core;
    setChords(c, 0, {chord(0), chord(5)});         // 2 bars
    setChords(c, 2, {chord(7, 24), chord(7, 96)}); // 120 units: 3 bars
    c.parsePageSequence("131");
    EXPECT_EQ(c.startTickOf(0), 0);
    EXPECT_EQ(c.startTickOf(1), 32);
    EXPECT_EQ(c.startTickOf(2), 80);
    EXPECT_EQ(c.startTickOf(3), 0); // out of range
    EXPECT_EQ(c.songLength(), 112);
    SequenceLocation at = c.locateStep(90);
    EXPECT_EQ(at.entry, 2);
    EXPECT_EQ(at.entryStart, 80);
    EXPECT_EQ(at.offset, 10);
    at = c.locateStep(-3);
    EXPECT_EQ(at.entry, 0);
    EXPECT_EQ(at.offset, 0);
    at = c.locateStep(500); // past the end: the last entry
    EXPECT_EQ(at.entry, 2);
    EXPECT_EQ(at.offset, 420);
    // Entries naming no page count as page 0; an invalid last entry gives a song of length 0.
    c.pageSlots.add(77);
    EXPECT_EQ(c.songLength(), 0);
    EXPECT_EQ(c.startTickOf(3), 112);
    c.pageSlots.at(1) = -4;
    EXPECT_EQ(c.startTickOf(2), 64);
    // A changed step grid invalidates the cached page lengths.
    c.stepsPerBar(12);
    EXPECT_EQ(c.entrySteps(0), 24);
}

TEST(QvCore, SanitizeBringsFileValuesIntoRange) {
    Rig r;
    QvCore& c = r.engine.core;
    c.pageSlots.clear();
    for (int v : {40, -1, 3, 36, 35}) c.pageSlots.add(v);
    c.playingPosition = 9;
    c.editedPosition = -2;
    c.key = -13;
    c.loopMode = 9;
    c.loopStart = 5;
    c.loopEnd = 2;
    c.loopRegionActive = true;
    c.tempoValue = 0;
    c.sanitize();
    EXPECT_EQ(c.pageSequenceText(), "4Z");
    EXPECT_EQ(c.playingPosition, 0);
    EXPECT_EQ(c.editedPosition, 0);
    EXPECT_EQ(c.key, 11);
    EXPECT_EQ(c.loopMode, 2);
    EXPECT_FALSE(c.loopRegionActive);
    EXPECT_EQ(c.tempo(), 20);
    c.pageSlots.clear();
    c.pageSlots.add(99);
    c.sanitize();
    EXPECT_EQ(c.pageSequenceText(), "1");
}

TEST(QvCore, ResetSnapshotsAndTheEngineLink) {
    Rig r;
    QvCore& c = r.engine.core;
    c.key = 5;
    c.styleNumber = 3;
    c.name = "Edit chord";
    QvCore snapshot = c; // a history entry: every field copied, the key shift included
    EXPECT_EQ(snapshot.key, 5);
    QvCore slot; // an empty history slot has no engine
    EXPECT_EQ(slot.engine.get(), nullptr);
    slot = c;
    EXPECT_EQ(slot.engine.get(), nullptr); // a snapshot written into a slot does not point into the engine
    EXPECT_EQ(slot.key, 5);
    c.reset();
    EXPECT_EQ(c.key, 0);
    EXPECT_EQ(c.sharpFlatMode, 0); // flat names by default
    r.engine.options.flatNotesByDefault = false;
    c.reset();
    EXPECT_EQ(c.sharpFlatMode, 1);
    EXPECT_EQ(c.pageSlots.count(), 1);
    EXPECT_EQ(c.pages.count(), kPageCount);
    EXPECT_EQ(c.sessionLinks.count(), kSessionLinkCount);
    c = slot; // restoring the snapshot keeps the live session's link
    EXPECT_EQ(c.engine.get(), &r.engine);
    EXPECT_EQ(c.key, 5);
    EXPECT_EQ(c.name, "Edit chord");
    EXPECT_EQ(QvCore::fadeOutChoices().count(), 21);
    EXPECT_EQ(QvCore::fadeOutChoices().at(1), "-30 sec");
    EXPECT_EQ(QvCore::fadeOutChoices().at(14), "-16 bars");
    EXPECT_EQ(QvCore::fadeOutChoices().at(20), "1 bar");
    EXPECT_EQ(QvCore::cymbalChoices().at(0), "-Style's");
    EXPECT_EQ(QvCore::fromLastPointText(), "From last arrangement point");
}

TEST(QvCore, FadeOutFactors) {
    Rig r;
    QvCore& c = r.engine.core;
    setChords(c, 0, {chord(0, 384)}); // 8 bars: 128 steps
    r.midi.capturing = true;          // the position then comes from the clock alone
    StepControl& clk = r.engine.stepControl;
    c.fadeOutMode = -4; // the last 4 bars: 64 steps
    clk.locate(64, false);
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 1.0);
    clk.locate(96, false);
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 0.5);
    c.fadeOutMode = 2; // 2 seconds at 120 BPM, 4 steps a beat: 16 steps
    clk.locate(124, false);
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 0.25);
    c.fadeOutMode = INT_MIN; // more bars than the song: the whole song
    clk.locate(32, false);
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 0.75);
    c.fadeOutMode = INT_MAX;
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 0.75);
    // From the last arrangement point: none anywhere fades over nothing.
    c.fadeOutMode = kFadeFromLastPoint;
    clk.locate(120, false);
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 1.0);
    c.pages.at(0).addAPoint(288); // bar 7: step 96
    c.updateFadeOut(false);
    EXPECT_DOUBLE_EQ(c.fadeFactor, 1.0 - (120.0 - 96.0) / 32.0);
    r.midi.capturing = false;
}

TEST(QvCore, ChordCheckEveryThirdStepInCompoundMeter) {
    Rig r;
    QvCore& c = r.engine.core;
    c.stepsPerBeat(6);
    c.stepsPerBar(24);
    // D until step 5, then F (a chord starting between two checked steps).
    setChords(c, 0, {chord(2, 10), chord(5, 86)});
    r.midi.startMidiCapture();
    c.playFrom(0, true, false);
    std::vector<int> keyAtStep;
    keyAtStep.push_back(c.currentChord.key);
    while (r.engine.stepControl.stepInPage < 8) {
        int before = r.engine.stepControl.stepInPage;
        c.updatePlayback(false, false);
        if (r.engine.stepControl.stepInPage != before) keyAtStep.push_back(c.currentChord.key);
    }
    EXPECT_EQ(keyAtStep, (std::vector<int>{2, 2, 2, 2, 2, 2, 5, 5, 5}));
    // Found at step 6, which is not the chord's start.
    r.engine.stepControl.stepInPage = 6;
    c.currentChord.variant = -1;
    ChordCheck check = c.chordAtPlayPosition();
    EXPECT_TRUE(check.changed);
    EXPECT_FALSE(check.chordStart);
    r.engine.stepControl.stepInPage = 0;
    check = c.chordAtPlayPosition();
    EXPECT_TRUE(check.chordStart);
    r.midi.capturing = false;
}

TEST(QvCore, PageWithoutChordsPlaysTheLastEarlierChord) {
    Rig r;
    QvCore& c = r.engine.core;
    setChords(c, 0, {chord(0), chord(2, 48, 1)});
    c.parsePageSequence("123");
    c.playingPosition = 2;
    QvChord last = c.lastChordBeforePage();
    EXPECT_EQ(last.key, 2);
    EXPECT_EQ(last.variant, 1);
    c.chordAtPlayPosition();
    EXPECT_EQ(c.currentChord.key, 2);
    // The search stops at an entry that names no page.
    c.pageSlots.at(1) = 50;
    EXPECT_TRUE(c.lastChordBeforePage().equals(QvCore::emptyChord()));
}

TEST(QvCore, LocateMarksTheChordUnknownAndSetsTheFlag) {
    Rig r;
    QvCore& c = r.engine.core;
    setChords(c, 0, {chord(0), chord(5)});
    c.chordChanged = false;
    r.engine.stepControl.locate(16, false);
    EXPECT_EQ(c.currentChord.variant, -1);
    EXPECT_TRUE(c.chordChanged);
    EXPECT_EQ(r.engine.stepControl.stepInPage, 16);
    EXPECT_DOUBLE_EQ(r.engine.stepControl.clockValue(), 16.0);
    EXPECT_EQ(r.engine.stepControl.endStep, 32);
}

TEST(QvCore, ArrangementStateAtAPosition) {
    Rig r;
    QvCore& c = r.engine.core;
    setChords(c, 0, {chord(0, 192)});
    QvPage& page = c.pages.at(0);
    page.addAPoint(48);
    page.addAPoint(96);
    QvAPoint a = page.apointAt(0);
    a.applyKind(7, true, false); // drum break
    page.setAPoint(a, 0);
    QvAPoint b = page.apointAt(1);
    b.arrangeEnabled = false; // only its cymbal counts
    b.cym = 5;
    b.fillEnabled = false;
    page.setAPoint(b, 1);
    r.engine.stepControl.locate(40, false); // bar 3, past both points
    const QvAPoint& live = r.engine.liveArrangement;
    EXPECT_EQ(live.mDrums, 1);
    EXPECT_EQ(live.pos, 96);
    EXPECT_EQ(live.cym, 5);
    EXPECT_FALSE(live.fillEnabled);
    r.engine.stepControl.locate(4, false); // before any point: the default state
    EXPECT_EQ(r.engine.liveArrangement.mDrums, 0);
    EXPECT_EQ(r.engine.liveArrangement.cym, 1);
}
