#pragma once
// The real window as the main object's host: the engine side's repaint requests reach the main
// window's painters, and the other windows' refreshes reach their hooks.
#include "app/mainform.h"
#include "app/quovelanta.h"
#include "app/qvhost.h"

class WindowHost : public QvHost {
  public:
    QuoVelanta* app = nullptr; // set once the main object exists

    bool isShowing() override { return ready(); }
    void repaintRuler(bool force) override {
        if (ready()) app->paintRuler(force);
    }
    void repaintVisualizer() override {
        if (ready()) app->paintVisualiser();
    }
    void repaintPositionCounter() override {
        if (ready()) app->paintPositionCounter();
    }
    void repaintPlayButton() override {
        if (ready()) app->paintPlayButton(-1);
    }
    void repaintPageArea(bool) override {
        if (ready()) app->repaintPageWithSelector();
    }
    void repaintPageSlots() override {
        if (ready()) app->paintPageSlots(true);
    }
    void refreshPanels() override {
        if (ready()) app->refreshPanels();
    }
    void repaintRepeatBox() override {
        if (ready()) app->paintRepeatBox();
    }
    // The commands' repaints.
    void paintPlayButtonState(int state) override {
        if (ready()) app->paintPlayButton(state);
    }
    // flash 1: the marker flashed on (grey doubled), 0: off (halved), -1: plain.
    void paintPositionMarker(int flash) override {
        if (ready() && app->hooks.paintPositionMarker)
            app->hooks.paintPositionMarker(true, flash == 1 ? 1 : flash == 0 ? 2 : 0);
    }
    void repaintTempoBox() override {
        if (ready()) app->paintTempoBox();
    }
    void repaintKeyBox() override {
        if (ready()) app->paintKeyBox();
    }
    void repaintPrecountBox() override {
        if (ready()) app->paintPrecountBox();
    }
    void repaintMasterTuneBox() override {
        if (ready()) app->paintMasterTuneBox();
    }
    void repaintArrangementStrip() override {
        if (ready()) app->paintArrangementStrip();
    }
    void repaintBarsPanel() override {
        if (ready()) app->paintBarsPanel(false);
    }
    void redrawBoundTo(const void* variable) override {
        if (ready()) app->controls.redrawBoundTo(variable);
    }
    void paintSessionLinks(int highlighted) override {
        if (ready()) app->paintSessionLinks(highlighted);
    }
    void refreshStyleProgrammer() override { call(&WindowHooks::refreshStyleProgrammer); }
    void refreshMixer() override { call(&WindowHooks::refreshMixer); }
    void reloadNotes() override { call(&WindowHooks::reloadNotes); }
    void closeSelector() override { call(&WindowHooks::closeSelector); }
    // What the closed selector covered comes back from the back buffer, repainted first.
    void selectorClosed(bool present) override;
    void resetInputState() override;
    void clearPendingDrag() override { call(&WindowHooks::clearPendingDrag); }

  private:
    bool ready() const { return app != nullptr && app->hostForm != nullptr && app->backBuffer.isValid(); }
    void call(std::function<void()> WindowHooks::*hook) {
        if (app != nullptr && app->hooks.*hook) (app->hooks.*hook)();
    }
};

inline void WindowHost::resetInputState() {
    if (app == nullptr) return;
    app->resetWindowInputState();
    call(&WindowHooks::resetInputState);
}

inline void WindowHost::selectorClosed(bool present) {
    if (!ready()) return;
    // The overlay was drawn into the back buffer: the whole display is painted again under it.
    const bool wasDeferred = app->deferBlit;
    app->deferBlit = true;
    app->updateHover(); // what lies under the mouse counts again now that the overlay is gone
    app->refreshPanels();
    app->paintArrangementStrip();
    app->paintRuler(true);
    app->deferBlit = wasDeferred;
    if (present) app->present(app->displayRect);
}
