#include "dialogs/toolwindows.h"

#include "app/qvcontext.h"

ToolWindows::ToolWindows(QvContext& context, QWidget* mainWindow) : ctx(context) {
    QuoVelanta& app = ctx.app;
    mixer_ = new TFmixer(app, &ctx.history, &ctx.customStyleMixes, mainWindow);
    notes_ = new TFnotes(app, &ctx.history, mainWindow);
    title_ = new TFtitle(mainWindow);
    app.hooks.showMixer = [this] {
        if (mixer_) mixer_->toggle();
    };
    app.hooks.showNotes = [this] {
        if (notes_) notes_->showNotes();
    };
    app.hooks.storePendingEdits = [this] {
        if (notes_) notes_->storePending();
    };
    // Playback keeps ticking while Shade windows draw and wait; a tick never runs inside another.
    shadePaintHook() = [this] {
        if (ticking) return;
        ticking = true;
        ctx.app.playbackTick();
        ticking = false;
    };
}

ToolWindows::~ToolWindows() {
    QuoVelanta& app = ctx.app;
    app.hooks.showMixer = nullptr;
    app.hooks.showNotes = nullptr;
    app.hooks.storePendingEdits = nullptr;
    shadePaintHook() = nullptr;
    if (notes_) notes_->storePending();
    delete mixer_.data();
    delete notes_.data();
    delete title_.data();
}

void ToolWindows::rebuildForLook() {
    if (mixer_) mixer_->buildMixerPanel();
    if (notes_) notes_->buildPanel();
}

std::unique_ptr<ToolWindows> installMixerAndNotes(QvContext& context, QWidget* mainWindow) {
    return std::make_unique<ToolWindows>(context, mainWindow);
}
