// Transport commands of the main window: the quit request, the count-in, the play commands, the
// wait for the beat and the precount switch. None of them records an undo step.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/pacing.h"
#include "app/quovelanta.h"
#include "engine/precountclick.h"
#include "foundation/strutil.h"
#include "ui/modalloop.h"

namespace {

// The drum channel's controller 7 value after a count-in: the drum part's last sent volume, or the
// General MIDI default when nothing was sent yet.
int drumVolumeToRestore(QvEngine& engine) {
    if (engine.instruments.count() == 0) return 100;
    const Instrument& drums = engine.instruments.at(0);
    return drums.lastVolumeValue < 0 ? 100 : drums.volumeValue();
}

} // namespace

bool QuoVelanta::requestQuit() {
    if (!querySaveChanges()) return false;
    if (hooks.confirmQuit && !hooks.confirmQuit()) return false;
    quitRequested = true;
    if (hooks.afterQuitGranted) hooks.afterQuitGranted();
    return true;
}

// One wait of the count-in: playback ticks and window events (so that a key or click can cancel it)
// until the clock reaches untilMs. False when the count-in was cancelled or a close request ended
// every wait.
bool QuoVelanta::countInWait(std::int64_t untilMs) {
    ModalLoop& loop = modalLoop();
    while (loop.nowMs() < untilMs) {
        loop.tick(false);
        loop.pumpEvents();
        if (countInCancelled || !countInRunning || loop.abortWaits()) return false;
        loop.sleepMs(2);
    }
    return true;
}

bool QuoVelanta::countIn() {
    if (countInRunning || countInCancelled) return false;
    const Options& options = engine.options;
    if (options.precountMode <= 0) return true;
    // Only this (outermost) count-in gets here; whatever way it ends, a cancel request it leaves
    // behind is consumed, so it cannot refuse a later play command.
    ++countInDepth;
    struct Consume {
        QuoVelanta& app;
        ~Consume() {
            if (--app.countInDepth == 0) app.countInCancelled = false;
        }
    } consume{*this};

    QvCore& core = engine.core;
    countInRunning = true;
    if (countInMarkerPosition >= 0) host.repaintPageArea(false);
    if (engine.stepControl.isPlaying()) togglePlay();
    host.repaintRuler(false);

    const PrecountClick click = precountClickNote(options.precountSound);
    int perBeat = core.stepsPerBeat();
    if (perBeat < 1) perBeat = 1;
    int beats = core.stepsPerBar() / perBeat;
    if (beats < 1) beats = 1;
    if (options.precountMode == 2) beats *= 2;
    int tempo = core.tempo();
    if (tempo < 1) tempo = 1;
    const int halfBeat = truncToInt(60.0 / tempo * 1000.0 * 0.5);
    host.paintPlayButtonState(2);

    ModalLoop& loop = modalLoop();
    auto giveUp = [&] {
        stopCountIn(true); // after a close request the count-in is still running
        return false;
    };
    // The clicks keep time by the clock alone: they wait until the output can sound them.
    while (!engine.midi.isReady())
        if (!countInWait(loop.nowMs() + 10)) return giveUp();
    if (options.precountWait >= 0) {
        const int last = options.precountWaitNames.count() - 2;
        const int exponent = std::clamp(options.precountWait, 0, last < 0 ? 0 : last);
        const std::int64_t until = loop.nowMs() + truncToInt(250.0 * std::pow(2.0, exponent));
        if (!countInWait(until)) return giveUp();
    }
    const std::int64_t t0 = loop.nowMs();
    const double v = core.mute ? 0.0 : core.sessionVolume;
    MidiOutput& midi = engine.midi;
    midi.sendMidiShort(
        0xB0 + kDrumChannel, 7,
        std::clamp(truncToInt(std::sqrt(std::max(0.0, options.precountVolume)) * v * 127), 0, 127));
    for (int i = 0; i < 2 * beats; ++i) {
        const bool even = i % 2 == 0;
        if (even) {
            midi.sendNoteOn(click.key, click.velocity, kDrumChannel);
            host.paintPlayButtonState(1);
        } else {
            host.paintPlayButtonState(2);
        }
        if (countInMarkerPosition >= 0) host.paintPositionMarker(even ? 1 : 0);
        if (!even) midi.sendNoteOn(click.key, 0, kDrumChannel);
        if (!countInWait(t0 + std::int64_t(halfBeat) * (i + 1))) {
            if (even) midi.sendNoteOn(click.key, 0, kDrumChannel); // the click must not hang
            return giveUp();
        }
    }
    stopCountIn(false);
    return true;
}

void QuoVelanta::stopCountIn(bool cancel) {
    if (!countInRunning) return;
    countInCancelled = cancel;
    countInRunning = false;
    engine.midi.sendMidiShort(0xB0 + kDrumChannel, 7, drumVolumeToRestore(engine));
    host.paintPlayButtonState(cancel ? 0 : 1);
    if (hooks.updateHover) hooks.updateHover();
}

namespace {

// Playback from a step with the play button lit.
void startAt(QuoVelanta& app, int step) {
    app.engine.core.playFrom(step, true, app.isBusy());
    app.playButtonOn = true;
    app.host.paintPlayButtonState(-1);
}

} // namespace

void QuoVelanta::playFromStart(bool stopIfPlaying) {
    if (stopIfPlaying && engine.stepControl.isPlaying()) {
        togglePlay();
        return;
    }
    if (!countIn()) return;
    closeSelectorOverlay();
    startAt(*this, 0);
}

void QuoVelanta::playFromCurrentPage(bool stopIfPlaying) {
    if (stopIfPlaying && engine.stepControl.isPlaying()) {
        togglePlay();
        return;
    }
    if (!countIn()) return;
    QvCore& core = engine.core;
    startAt(*this, core.startTickOf(core.editedPosition));
}

void QuoVelanta::playFromLoopStart(bool stopIfPlaying) {
    if (stopIfPlaying && engine.stepControl.isPlaying()) {
        togglePlay();
        return;
    }
    QvCore& core = engine.core;
    if (core.loopStart < 0) return;
    if (!countIn()) return;
    closeSelectorOverlay();
    // The loop start may lie beyond a song that was shortened meanwhile: playFrom places it.
    long long step = (long long)core.loopStart * core.stepsPerBar();
    startAt(*this, step > kMaxSongSteps ? kMaxSongSteps : int(step));
}

void QuoVelanta::playFromPosition() {
    if (playMarkerPosition < 0 || countInCancelled) return;
    QvCore& core = engine.core;
    countInMarkerPosition = playMarkerPosition;
    const int step = core.startTickOf(core.editedPosition) + core.stepsPerBar() * countInMarkerPosition / 48;
    const bool precountOff = engine.options.precountMode <= 0;
    if (precountOff || countIn()) {
        core.playFrom(step, true, isBusy());
        if (precountOff) {
            playButtonOn = true;
            host.paintPlayButtonState(-1);
            host.paintPositionMarker(1);
            paceMs(250);
            host.paintPositionMarker(0);
        }
    }
    countInMarkerPosition = -1;
    host.paintPositionMarker(-1);
}

void QuoVelanta::waitForBeat() {
    StepControl& clock = engine.stepControl;
    if (!clock.isPlaying()) return;
    const int g = engine.core.stepsPerBeat() % 3 == 0 ? 3 : 2;
    const int s0 = clock.absoluteStep();
    ModalLoop& loop = modalLoop();
    const std::int64_t start = loop.nowMs();
    while (loop.nowMs() - start < 1000 && clock.isPlaying()) {
        playbackTick(); // without it the play position would never move inside this loop
        host.repaintRuler(false);
        const int s = clock.absoluteStep();
        if (s % g + 1 == g || std::abs(s - s0) >= g) return;
        loop.sleepMs(1);
    }
}

void QuoVelanta::cyclePrecount() {
    int& mode = engine.options.precountMode;
    mode = mode >= 2 || mode < 0 ? 0 : mode + 1;
    host.repaintPrecountBox();
}
