// Playback timing through the real main loop: plays a sample session for a while in an offscreen
// main window on the real clock, stamps every MIDI message as it is sent, and compares the note-on
// times with the ideal ones (the same song rendered through the capture path, at the session's
// tempo). Also measures the time from start to the first painted window with the default SoundFont
// loaded by the built-in synthesizer (offline, so no audio device is needed).
// Usage: qv_playtiming [SESSION-FILE] [SECONDS]   (defaults: the first sample session, 30 s)
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "app/programloop.h"
#include "app/qvcontext.h"
#include "app/startup.h"
#include "app/windowhost.h"
#include "foundation/textfile.h"
#include "platform/fluidsynthbackend.h"

namespace {

using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point t0, Steady::time_point t) {
    return std::chrono::duration<double, std::milli>(t - t0).count();
}

struct Stamped {
    Steady::time_point at;
    std::uint8_t status, d1, d2;
};

// The built-in synthesizer without an audio driver, every message stamped when it is sent.
class StampingSynth : public MidiBackend {
  public:
    explicit StampingSynth(std::vector<Stamped>& log_) : log(log_) {}
    Llist<std::string> deviceNames() override { return inner.deviceNames(); }
    int open(int) override { return inner.openOffline(); }
    void send(std::uint8_t status, std::uint8_t d1, std::uint8_t d2) override {
        log.push_back({Steady::now(), status, d1, d2});
        inner.send(status, d1, d2);
    }
    void reset() override { inner.reset(); }
    void close() override { inner.close(); }
    bool isOpen() const override { return inner.isOpen(); }
    std::string soundFont() const { return inner.loadedSoundFont(); }

  private:
    FluidSynthBackend inner;
    std::vector<Stamped>& log;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5));
    return v[i];
}

} // namespace

int main(int argc, char** argv) {
    const Steady::time_point started = Steady::now();
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Above-normal priority where allowed, as the program itself asks.
    (void)setpriority(PRIO_PROCESS, 0, -5);
    const std::string session =
        argc > 1 ? std::string(argv[1]) : exeRelativePath("Samples/01 Pop Song - Open Road.qvs");
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;

    QTemporaryDir scratch;
    const std::string dir = scratch.path().toStdString();
    std::vector<Stamped> log;
    log.reserve(200000);
    WindowHost host;
    auto synth = std::make_unique<StampingSynth>(log);
    StampingSynth* synthRef = synth.get();
    QvContext::Setup setup;
    setup.realMidi = false;
    setup.synth = std::move(synth);
    setup.optionsPath = dir + "/options.cfg";
    setup.recentPath = dir + "/recent.cfg";
    setup.globalNotesPath = dir + "/globalNotes.cfg";
    setup.customMixesPath = dir + "/customStyleMixes.dat";
    setup.host = &host;
    QvContext context(std::move(setup));
    QuoVelanta& app = context.app;
    host.app = &app;
    Options& options = context.engine.options;
    options.midiDevice = -1;
    options.soundCheckDone = options.mainHintShown = options.visualTransposeHintShown = true;
    ProgramLoop loop(app, context.clock);
    loop.eventWait = waitForWindowEvents;
    ModalLoop* previous = setModalLoop(&loop);
    int status = 0;
    {
        TFmain form(app);
        form.show();
        runStartupSequence(app, form, session);
        while (form.paintCount() == 0 && msSince(started, Steady::now()) < 10000) loop.pumpEvents();
        const double firstPaint = msSince(started, Steady::now());
        std::printf("start to first painted window: %.1f ms (SoundFont %s)\n", firstPaint,
                    synthRef->soundFont().empty() ? "none found" : synthRef->soundFont().c_str());
        if (app.sessionPath.empty()) {
            std::fprintf(stderr, "qv_playtiming: the session could not be opened: %s\n", session.c_str());
            status = 1;
        } else {
            // The ideal: the same song through the capture path, in eighths of a step.
            QvCore& core = context.engine.core;
            MidiOutput& midi = *context.midi;
            core.playFrom(0, false, false);
            midi.startMidiCapture();
            app.togglePlay();
            const int end = core.songLength() * 8;
            for (int guard = 0; midi.captureTime < end - 1 && guard < 50000000; ++guard)
                core.updatePlayback(false, false);
            silenceAllInstruments(context.engine.instruments);
            midi.capturing = false;
            std::vector<MidiEvent> ideal;
            for (const MidiEvent& e : midi.captureList)
                if ((e.status & 0xF0) == 0x90 && e.data2 > 0) ideal.push_back(e);
            midi.captureList.clear();
            if (context.engine.stepControl.isPlaying()) context.engine.stepControl.togglePlay();
            core.playFrom(0, false, false);

            // The live run through the main loop.
            log.clear();
            const double msPerStep = 60000.0 / (core.tempoValue * std::max(1, core.stepsPerBeatValue));
            const Steady::time_point t0 = Steady::now();
            app.togglePlay();
            int passes = 0;
            while (msSince(t0, Steady::now()) < seconds * 1000.0) {
                loop.mainPass();
                ++passes;
            }
            app.togglePlay();

            std::vector<double> late;
            size_t k = 0;
            int mismatched = 0;
            for (const Stamped& m : log) {
                if ((m.status & 0xF0) != 0x90 || m.d2 == 0) continue;
                if (k >= ideal.size()) break;
                const MidiEvent& e = ideal[k++];
                if (e.status != m.status || e.data1 != m.d1) ++mismatched;
                late.push_back(msSince(t0, m.at) - e.time / 8.0 * msPerStep);
            }
            if (std::getenv("QV_TIMING_DETAIL") != nullptr) {
                std::vector<size_t> order(late.size());
                for (size_t i = 0; i < order.size(); ++i) order[i] = i;
                std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return late[a] > late[b]; });
                for (size_t i = 0; i < order.size() && i < 12; ++i)
                    std::printf("  note-on %zu at ideal %.1f ms: %.2f ms late\n", order[i],
                                ideal[order[i]].time / 8.0 * msPerStep, late[order[i]]);
            }
            std::printf(
                "%d s of \"%s\": %zu note-ons, %d main-loop passes, %d not matching the ideal order\n",
                seconds, fileBaseName(session).c_str(), late.size(), passes, mismatched);
            std::printf("note-on lateness: p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", percentile(late, 0.5),
                        percentile(late, 0.99), percentile(late, 1.0));
            if (late.empty() || mismatched > 0) status = 1;
        }
        app.mainLoopEnded = true;
        form.close();
        app.hostForm = nullptr;
        app.scContext.scCanvas = nullptr;
    }
    setModalLoop(previous);
    host.app = nullptr;
    return status;
}
