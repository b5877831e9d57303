#pragma once
// The session mixer, the session notes window and the title cards, connected to the main object:
// keys M and N and the Play menu open them through the main object's hooks, the document flows store
// typed notes before they ask or save, and the host's refreshMixer and reloadNotes reach them.
#include <QPointer>
#include <memory>

#include "dialogs/mixerwindow.h"
#include "dialogs/noteswindow.h"
#include "dialogs/titlecards.h"

class QvContext;

class ToolWindows {
  public:
    ToolWindows(QvContext& context, QWidget* mainWindow);
    // Disconnects the hooks and closes the windows (unless their parent took them already).
    ~ToolWindows();
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    TFmixer& mixer() { return *mixer_; }
    TFnotes& notes() { return *notes_; }
    TFtitle& title() { return *title_; }

    // What the host's refreshMixer and reloadNotes do (the window host calls them).
    void refreshMixer() {
        if (mixer_) mixer_->refreshMixer(true);
    }
    void reloadNotes() {
        if (notes_) notes_->loadNotes();
    }
    // Both windows built again in the current look.
    void rebuildForLook();

  private:
    QvContext& ctx;
    QPointer<TFmixer> mixer_;
    QPointer<TFnotes> notes_;
    QPointer<TFtitle> title_;
    bool ticking = false;
};

// Builds the windows (hidden) and connects them: hooks.showMixer, hooks.showNotes,
// hooks.storePendingEdits and the Shade paint hook (the playback tick while Shade windows draw).
// The caller keeps the result for the program's life and routes its host's refreshMixer and
// reloadNotes to it.
std::unique_ptr<ToolWindows> installMixerAndNotes(QvContext& context, QWidget* mainWindow);
