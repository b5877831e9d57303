// Main window benchmarks: the full layout and paint, one repaint of the page area, and one pass of
// the main loop while playing with the displayed page following playback (offscreen window).
// QV_BENCH_SESSION=<file.qvs> paints that session instead of the first sample.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/mainform.h"
#include "app/programloop.h"
#include "app/qvcontext.h"
#include "app/startup.h"
#include "app/windowhost.h"
#include "foundation/textfile.h"
#include "platform/recordingmidibackend.h"

namespace {

QApplication& qtApp() {
    static QApplication* app = [] {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qv_bench";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

// The window with the first sample session, over the real clock and a silent recording backend.
struct Window {
    QTemporaryDir dir;
    WindowHost host;
    std::unique_ptr<QvContext> ctx;
    std::unique_ptr<ProgramLoop> loop;
    std::unique_ptr<TFmain> form;
    ModalLoop* previous = nullptr;

    Window() {
        qtApp();
        QvContext::Setup s;
        s.realMidi = false;
        s.synth = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Sink"});
        const std::string d = dir.path().toStdString();
        s.optionsPath = d + "/options.cfg";
        s.recentPath = d + "/recent.cfg";
        s.globalNotesPath = d + "/globalNotes.cfg";
        s.customMixesPath = d + "/customStyleMixes.dat";
        s.host = &host;
        ctx = std::make_unique<QvContext>(std::move(s));
        host.app = &ctx->app;
        Options& o = ctx->engine.options;
        o.soundCheckDone = o.mainHintShown = o.visualTransposeHintShown = true;
        loop = std::make_unique<ProgramLoop>(ctx->app, ctx->clock);
        previous = setModalLoop(loop.get());
        form = std::make_unique<TFmain>(ctx->app);
        // QV_BENCH_SESSION names another session to paint (the largest one the program takes, say).
        const char* session = std::getenv("QV_BENCH_SESSION");
        runStartupSequence(ctx->app, *form,
                           session != nullptr && *session != '\0'
                               ? std::string(session)
                               : exeRelativePath("Samples/01 Pop Song - Open Road.qvs"));
    }
    ~Window() {
        ctx->app.mainLoopEnded = true;
        form.reset();
        ctx->app.hostForm = nullptr;
        ctx->app.scContext.scCanvas = nullptr;
        setModalLoop(previous);
        host.app = nullptr;
    }
};

void BM_PaintWindow(benchmark::State& state) {
    Window w;
    for (auto _ : state) w.ctx->app.paintWindow(nullptr);
}
BENCHMARK(BM_PaintWindow)->Unit(benchmark::kMillisecond);

void BM_PageAreaRepaint(benchmark::State& state) {
    Window w;
    for (auto _ : state) w.ctx->app.paintPage(true);
}
BENCHMARK(BM_PageAreaRepaint)->Unit(benchmark::kMicrosecond);

// One pass without the sleep: idle tick, events, playback tick, hint and flash; the page follows.
void BM_MainLoopPassPlaying(benchmark::State& state) {
    Window w;
    QuoVelanta& app = w.ctx->app;
    app.togglePlay();
    for (auto _ : state) {
        app.idleTick();
        w.loop->pumpEvents();
        app.playbackTick();
        app.animateHint(true);
        app.idleFlash();
    }
    app.togglePlay();
}
BENCHMARK(BM_MainLoopPassPlaying)->Unit(benchmark::kMicrosecond);

} // namespace
