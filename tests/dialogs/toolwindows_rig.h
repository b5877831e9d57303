#pragma once
// A program context with the mixer and notes windows installed: a host that routes the refresh and
// reload requests to them, a recording MIDI backend, a fake clock and a scripted wait loop.
#include <memory>

#include "app/qvcontext.h"
#include "dialogs/toolwindows.h"
#include "platform/recordingmidibackend.h"
#include "tests/app/play_harness.h"
#include "tests/common/scratchsetup.h"
#include "tests/dialogs/dialog_rig.h"

namespace tw {

class RoutingHost : public QvHost {
  public:
    ToolWindows* windows = nullptr;
    int mixerRefreshes = 0, notesReloads = 0;
    std::vector<const void*> redrawn;
    void refreshMixer() override {
        ++mixerRefreshes;
        if (windows) windows->refreshMixer();
    }
    void reloadNotes() override {
        ++notesReloads;
        if (windows) windows->reloadNotes();
    }
    void redrawBoundTo(const void* v) override { redrawn.push_back(v); }
};

struct Rig {
    dlg::LoopScope scope;
    play::ScratchFolder dir;
    FakeClock clock{100000};
    play::ScriptedPrompt prompt;
    RoutingHost host;
    RecordingMidiBackend* midi = nullptr;
    std::unique_ptr<QvContext> ctx;
    std::unique_ptr<ToolWindows> windows;

    explicit Rig(QWidget* mainWindow = nullptr) {
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        auto backend = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Test Synth"});
        midi = backend.get();
        s.synth = std::move(backend);
        ctx = std::make_unique<QvContext>(std::move(s));
        play::startWithTestStyles(*ctx);
        windows = installMixerAndNotes(*ctx, mainWindow);
        host.windows = windows.get();
    }
    ~Rig() {
        host.windows = nullptr;
        windows.reset();
    }

    QuoVelanta& app() { return ctx->app; }
    QvCore& core() { return ctx->engine.core; }
    QvSessionMix& mix() { return ctx->engine.core.mix; }
    QvHistory& history() { return ctx->history; }
    TFmixer& mixer() { return windows->mixer(); }
    TFnotes& notes() { return windows->notes(); }
    std::string newest() { return history().description(history().position()); }
};

} // namespace tw
