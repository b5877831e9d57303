#pragma once
// ScControls: the Sc widgets of one window in three lists, painted together, repainted by bound
// variable, and driven by the window's mouse events.
#include "foundation/llist.h"
#include "ui/scbutton.h"
#include "ui/scfader.h"

class ScControls {
  public:
    Llist<ScButton> buttons;
    Llist<ScSwitch> switches;
    Llist<ScFader> faders;

    explicit ScControls(ScContext& context);
    ~ScControls();
    ScControls(const ScControls&) = delete;
    ScControls& operator=(const ScControls&) = delete;

    ScContext& context() { return context_; }

    // Filling: empty the lists, then add each widget (it takes the context's colours) and create it in
    // place (initPush, initToggle, initRadio, ScFader::create; a switch gets its bool and images).
    // Emptying or adding drops a grab held by one of this container's faders, whose storage may move.
    void clear();
    void clearButtons();
    void clearSwitches();
    void clearFaders();
    ScButton& addButton();
    ScSwitch& addSwitch();
    ScFader& addFader();

    void drawAll();
    void redrawBoundTo(const void* variable);
    // A press (down) or a move. Returns the address of the bound variable that changed, or null
    // (also for a push button, whose pressed flag the owner reads on mouse-up).
    void* mouse(int x, int y, bool down);
    void releasePressed();
    // The rect of the first pressed button, or (-1, -1, -1, -1).
    TRect pressedRect() const;

  private:
    ScContext& context_;
    void dropOwnGrab();
};
