#include "engine/stepcontrol.h"

#include <cmath>

#include "engine/qvengine.h"
#include "foundation/strutil.h"

StepControl::StepControl(QvEngine* engine_, bool noReset) : engine(engine_) {
    if (!noReset) reset();
}

void StepControl::reset() {
    playing = false;
    startStep = 0;
    endStep = 1;
    locate(0, false);
}

void StepControl::togglePlay() {
    playing = !playing;
    int start = engine ? engine->core.startTickOf(engine->core.playingPosition) : 0;
    locate(start, playing);
}

bool StepControl::tick() {
    if (!engine) return false;
    MidiOutput& midi = engine->midi;
    if (midi.capturing) {
        midi.captureTime += 1;
        accumulator += 0.125;
        if (midi.captureTime % 8 != 0) return false;
        stepInPage += 1;
        patternStep += 1;
        return true;
    }
    if (!playing) return false;
    std::int64_t now = engine->clock.nowMs();
    std::int64_t ms = now - lastTime;
    if (ms > 200 || ms < 0) ms = 0; // a gap (blocked process, clock jump) counts as no time
    // While the output is still getting ready to sound, time does not count either: a play started
    // meanwhile begins when it can be heard, and none of its steps is passed over.
    if (!midi.isReady()) ms = 0;
    lastTime = now;
    std::int64_t product =
        ms * std::int64_t(engine->core.tempoValue) * std::int64_t(engine->core.stepsPerBeatValue);
    accumulator += double(product) * (1.0 / 60000.0);
    int whole = truncToInt(accumulator);
    if (whole < counted + 1) return false;
    // One step per tick: steps passed over since the last one are dropped, not caught up.
    counted = whole;
    stepInPage += 1;
    patternStep += 1;
    return true;
}

void StepControl::nextStep() {
    if (!engine) return;
    QvCore& core = engine->core;
    int oldEntry = core.playingPosition;
    if (absoluteStep() >= endStep) {
        SequenceLocation at = core.locateStep(startStep);
        core.playingPosition = at.entry;
        stepInPage = at.offset;
        core.applyArrangementAtPosition();
        if (core.rewindStyleInLoops) patternStep = stepInPage;
        // While the export captures, the song is played once through, whatever the repeat settings.
        bool regionEndsHere = !engine->capturing() && core.loopEnd != -1 && core.loopRegionUsable() &&
                              (long long)(core.loopEnd + 1LL) * core.stepsPerBarValue == endStep;
        if (!regionEndsHere && (core.loopMode == 2 || engine->capturing()) && endStep == core.songLength()) {
            // The song has ended.
            togglePlay();
            locate(core.startTickOf(core.pageSlots.count() - 1), false);
            silenceAllInstruments(engine->instruments);
        }
    }
    if (stepInPage >= core.entrySteps(core.playingPosition)) {
        core.playingPosition += 1;
        if (core.playingPosition >= core.pageSlots.count()) core.playingPosition = 0;
        stepInPage = 0;
        core.applyArrangementAtPosition();
    }
    if (core.restartStyleOnPageChange && core.playingPosition != oldEntry) patternStep = 0;
}

void StepControl::playStep(bool chordChanged, bool chordStart, bool pointApplied, bool pointHit) {
    if (!engine) return;
    if (chordChanged) engine->computeVoicings();
    for (Arpeggio& a : engine->arpeggios)
        a.playStep(patternStep, chordChanged, chordStart, pointApplied, pointHit);
    for (Instrument& v : engine->instruments) v.processDueNotes();
    for (Instrument& v : engine->instruments) v.applySustain();
}

int StepControl::absoluteStep() const {
    if (!engine) return stepInPage;
    return absoluteStepFrom(engine->core.startTickOf(engine->core.playingPosition));
}

int StepControl::absoluteStepFrom(int pageStart) const {
    long long s = (long long)pageStart + stepInPage;
    return s > kMaxSongSteps ? kMaxSongSteps : int(s);
}

double StepControl::position() const {
    return positionAt(absoluteStep());
}

double StepControl::positionAt(int absolute) const {
    return absolute + (accumulator - std::floor(accumulator));
}

void StepControl::locate(int step, bool start) {
    if (!engine) return;
    QvCore& core = engine->core;
    SequenceLocation at = core.locateStep(step);
    core.playingPosition = at.entry;
    stepInPage = at.offset;
    patternStep = core.restartStyleOnPageChange ? stepInPage : absoluteStep();
    accumulator = absoluteStep();
    counted = absoluteStep();
    lastTime = engine->clock.nowMs();
    startStep = 0;
    endStep = core.songLength();
    silenceAllInstruments(engine->instruments);
    // The chord is unknown now: the next step checks it and reports a change.
    core.currentChord.variant = -1;
    core.chordChanged = true;
    core.applyArrangementAtPosition();
    for (Arpeggio& a : engine->arpeggios) a.restart();
    if (start) playing = true;
    engine->visualizer.reset();
}
