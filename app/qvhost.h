#pragma once
// What the main object's engine side asks of the window around it: repaints of the regions that
// follow playback. The main window implements it; without a window (tests, start-up before the first
// layout) the null host does nothing.
class QvHost {
  public:
    virtual ~QvHost() = default;
    // The host window is attached and showing (panel repaints are skipped otherwise).
    virtual bool isShowing() { return false; }
    virtual void repaintRuler(bool /*force*/) {}
    virtual void repaintVisualizer() {}
    virtual void repaintPositionCounter() {}
    virtual void repaintPlayButton() {}
    virtual void repaintPageArea(bool /*force*/) {}
    virtual void repaintPageSlots() {}
    // Every panel and the page, in one pass.
    virtual void refreshPanels() {}
    // Runs the Style Programmer's show handler again when that window is visible.
    virtual void refreshStyleProgrammer() {}
    // The repeat box (its loop display).
    virtual void repaintRepeatBox() {}
    // The mixer window shows the live session's mix again; the notes window reloads the session's
    // notes (each only where the window exists).
    virtual void refreshMixer() {}
    virtual void reloadNotes() {}
    // Closes an open selector overlay (with repaint).
    virtual void closeSelector() {}
    // The window's hover, drag, click and selector state goes back to its start values (new session).
    virtual void resetInputState() {}
    // A pending drag of the page area is forgotten (after a history restore).
    virtual void clearPendingDrag() {}

    // ---- Selector overlay ----
    // QuoVelanta::closeSelector has closed the overlay: the window forgets what the selector was open
    // on (edited chord, menu slot, selected point), lays out and repaints what the overlay covered;
    // with present the display is copied to the window.
    virtual void selectorClosed(bool /*present*/) {}
    // --- Repaints of the main window's commands (keyboard, transport, sound and page commands) ---
    // The play button drawn in a state: -1 automatic (from the playing state), 0 plain, 1 lit,
    // 2 the precount look.
    virtual void paintPlayButtonState(int /*state*/) {}
    // The play-from marker: 1 flashed on, 0 flashed off, -1 plain.
    virtual void paintPositionMarker(int /*flash*/) {}
    virtual void repaintTempoBox() {}
    virtual void repaintKeyBox() {}
    virtual void repaintPrecountBox() {}
    virtual void repaintArrangementStrip() {}
    virtual void repaintBarsPanel() {}
    // The control bound to this variable is drawn again (fader, switch, reset button).
    virtual void redrawBoundTo(const void* /*variable*/) {}
    // The five session-link buttons: `highlighted` is drawn lit (-1: all plain).
    virtual void paintSessionLinks(int /*highlighted*/) {}

    // ---- Information pages (dialogs/infopages.h) ----
    // The master tuning changed on the Reference Tones page: the main window's master-tune box
    // (QuoVelanta::paintMasterTuneBox) is drawn again.
    virtual void repaintMasterTuneBox() {}
};

class NullHost : public QvHost {};
