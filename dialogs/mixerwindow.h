#pragma once
// TFmixer: the Session Mixer, a borderless Shade-styled tool window whose faders are bound to the
// thirteen levels of the live session's mix, with three group reset toggles and a menu for the
// current style's custom mix. Every change reaches the MIDI output at once and is one undo step
// (a drag merges into one). Keys other than Esc go to the main window.
#include <functional>

#include "engine/qvsessionmix.h"
#include "ui/shadeui.h"

class QuoVelanta;
class QvHistory;
class CustomStyleMixes;
class QKeyEvent;

class TFmixer : public ShadeWindow {
  public:
    static constexpr int kClientWidth = 747;
    static constexpr int kClientHeight = 289;

    // app, history and mixes outlive the window; mainWindow (may be null) gets the forwarded keys,
    // without it they go to the main object's key handler.
    TFmixer(QuoVelanta& app, QvHistory* history, CustomStyleMixes* mixes, QWidget* mainWindow);
    ~TFmixer() override;

    ShadeUI ui;
    bool drumsAtDefault = true;
    bool bassAtDefault = true;
    bool chordsAtDefault = true;
    bool closeFlag = false;
    bool notYetPlaced = true;
    int groupFaderX[3] = {0, 0, 0}; // Drums, Bass, Chords
    int groupFaderY[3] = {0, 0, 0};

    // Lays the panel out again (also after a change of the look).
    void buildMixerPanel();
    // When forced or visible: the reset flags again and every control repainted.
    void refreshMixer(bool force);
    void updateMixResetFlags();
    // The container's change callback.
    void handleMixerChange();
    // The main window's mixer command: shows the window (placed once over the main window), or hides
    // it when it is showing.
    void toggle();
    void closeForm();

    // The popup menu of the custom-mix button (tests may replace it): items, x, y, colour -> choice.
    std::function<int(const Llist<std::string>&, int, int, TColor)> popupMenu;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QuoVelanta& app;
    QvHistory* history;
    CustomStyleMixes* mixes;
    QWidget* mainWindow;
    void customMixMenu();
    void afterTitleBoxes();
};

// The live session's drum, bass and chord groups at their defaults (exact comparisons).
bool drumsMixAtDefault(const QvSessionMix& mix);
bool bassMixAtDefault(const QvSessionMix& mix);
bool chordsMixAtDefault(const QvSessionMix& mix);

// Acts on the title-bar boxes after a press: minimise or hide; true when one was pressed.
bool handleTitleBoxes(ShadeUI& ui, QWidget& window);
