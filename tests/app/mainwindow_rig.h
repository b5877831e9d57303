#pragma once
// The main window under test: the program context over a fake clock and a recording MIDI backend,
// the shipped styles, the real main form (offscreen), the window host and the program's wait-loop
// driver with a scripted event pump.
#include <functional>
#include <memory>
#include <string>

#include "app/mainform.h"
#include "app/programloop.h"
#include "app/qvcontext.h"
#include "app/startup.h"
#include "app/windowhost.h"
#include "tests/app/play_harness.h"
#include "tests/common/qtapp.h"
#include "tests/common/scratchsetup.h"

namespace win {

inline std::string shippedFolder(const std::string& name) {
    return std::string(QV_BINARY_DIR) + "/" + name;
}

inline std::string sampleSession(const std::string& file) {
    return shippedFolder("Samples") + "/" + file;
}

class WindowRig {
  public:
    play::ScratchFolder dir;
    FakeClock clock{100000};
    std::vector<play::TimedMessage> live;
    play::ScriptedPrompt prompt;
    WindowHost host;
    std::unique_ptr<QvContext> ctx;
    std::unique_ptr<TFmain> form;
    std::unique_ptr<ProgramLoop> loop;
    ModalLoop* previousLoop = nullptr;
    // Runs on every pump of the wait loop instead of Qt's event delivery (empty: Qt's events).
    std::function<void()> onPump;
    int pumps = 0;

    // options: applied to the options before the window is laid out.
    explicit WindowRig(const std::function<void(Options&)>& options = {}) {
        ensureQtApp();
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        s.synth = std::make_unique<play::TimedBackend>(clock, live);
        s.stylesFolder = shippedFolder("Styles");
        ctx = std::make_unique<QvContext>(std::move(s));
        host.app = &ctx->app;
        Options& o = ctx->engine.options;
        o.soundCheckDone = true;
        o.mainHintShown = true;
        o.visualTransposeHintShown = true;
        if (options) options(o);
        loop = std::make_unique<ProgramLoop>(ctx->app, clock);
        loop->pump = [this] {
            ++pumps;
            if (onPump) {
                std::function<void()> step = onPump; // a step may replace itself
                step();
            } else
                QCoreApplication::processEvents(QEventLoop::AllEvents, 4);
        };
        loop->isActive = [] { return true; };
        previousLoop = setModalLoop(loop.get());
        form = std::make_unique<TFmain>(ctx->app);
    }

    ~WindowRig() {
        QuoVelanta& a = app();
        a.mainLoopEnded = true;
        form.reset();
        a.hostForm = nullptr;
        a.scContext.scCanvas = nullptr;
        setModalLoop(previousLoop);
        host.app = nullptr;
    }

    QuoVelanta& app() { return ctx->app; }
    QvCore& core() { return ctx->engine.core; }
    Options& options() { return ctx->engine.options; }

    // The start-up sequence (the window is laid out and painted), optionally opening a session.
    void start(const std::string& session = {}) { runStartupSequence(app(), *form, session); }
    void repaint() { app().paintWindow(nullptr); }

    // The window as shown.
    QImage screen() { return form->grab().toImage(); }
    // A back-buffer pixel.
    TColor pixel(int x, int y) { return app().backBuffer.pixel(x, y); }
};

} // namespace win
