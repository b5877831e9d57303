#pragma once
// The sequencer clock: turns elapsed milliseconds into fractional steps, tells the session driver
// when a whole step is due, moves the play position through the page sequence and the loop range, and
// on each step has every track engine play and every voice start and stop its notes. Its accumulator
// is the time base of every queued note.
#include <cstdint>

#include "engine/enginelink.h"
#include "foundation/textstream.h"

class StepControl : public TextStream {
  public:
    double accumulator = 0.0;  // song position in steps, fractional
    int counted = 0;           // the last whole accumulator value that produced a step
    int stepInPage = 0;        // step within the playing page
    int patternStep = 0;       // step handed to the track engines
    std::int64_t lastTime = 0; // clock time (ms) of the previous tick
    bool playing = false;
    int startStep = 0; // loop range in song steps
    int endStep = 1;
    EngineLink engine;

    // A clock without an engine (the copy kept in session snapshots); nothing is reset.
    StepControl() = default;
    // Unless noReset, resets.
    StepControl(QvEngine* engine, bool noReset);

    void reset();
    void togglePlay();
    bool isPlaying() const { return playing; }
    // True when a new step is due; at most one step per tick, steps passed over are dropped.
    bool tick();
    // Advances the position after a due step: loop range end, song end, page end.
    void nextStep();
    void playStep(bool chordChanged, bool chordStart, bool pointApplied, bool pointHit);
    int absoluteStep() const;
    // The same for a known start of the playing page (its startTickOf), which saves the walk over the
    // page sequence when the caller has it already.
    int absoluteStepFrom(int pageStart) const;
    double position() const;
    // position() for a known absoluteStep().
    double positionAt(int absolute) const;
    double clockValue() const { return accumulator; }
    // Jumps to a song step: silences every voice, restarts the engines, marks the chord unknown.
    void locate(int step, bool start);
};
