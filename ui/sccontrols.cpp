#include "ui/sccontrols.h"

#include <functional>

ScControls::ScControls(ScContext& context) : context_(context) {}

ScControls::~ScControls() {
    dropOwnGrab();
}

void ScControls::dropOwnGrab() {
    ScFader* grabbed = context_.grabbedFader;
    if (grabbed == nullptr || faders.items == nullptr) return;
    const std::less<const ScFader*> before;
    if (!before(grabbed, faders.items) && before(grabbed, faders.items + faders.capacity))
        context_.grabbedFader = nullptr;
}

void ScControls::clear() {
    clearButtons();
    clearSwitches();
    clearFaders();
}

void ScControls::clearButtons() {
    buttons.setCapacity(0, false);
}
void ScControls::clearSwitches() {
    switches.setCapacity(0, false);
}

void ScControls::clearFaders() {
    dropOwnGrab();
    faders.setCapacity(0, false);
}

ScButton& ScControls::addButton() {
    buttons.add(ScButton(&context_));
    return buttons.at(buttons.current);
}

ScSwitch& ScControls::addSwitch() {
    switches.add(ScSwitch(&context_));
    return switches.at(switches.current);
}

ScFader& ScControls::addFader() {
    dropOwnGrab();
    faders.add(ScFader(&context_));
    return faders.at(faders.current);
}

void ScControls::drawAll() {
    if (!context_.uiReady) return;
    for (ScButton& b : buttons) b.paint();
    for (ScSwitch& s : switches) s.paint();
    for (ScFader& f : faders) f.paint();
}

void ScControls::redrawBoundTo(const void* variable) {
    if (!context_.uiReady || variable == nullptr) return;
    for (ScButton& b : buttons)
        if (b.toggleTarget == variable || b.radioTarget == variable) b.paint();
    for (ScSwitch& s : switches)
        if (s.toggleTarget == variable) s.paint();
    for (ScFader& f : faders)
        if (f.value == variable) f.paint();
}

void* ScControls::mouse(int x, int y, bool down) {
    if (down) {
        context_.grabbedFader = nullptr;
        for (ScButton& b : buttons) {
            if (!b.click(x, y)) continue;
            if (b.toggleTarget != nullptr) return b.toggleTarget;
            if (b.radioTarget != nullptr) {
                for (ScButton& other : buttons)
                    if (&other != &b && other.radioTarget == b.radioTarget) other.paint();
                return b.radioTarget;
            }
            return nullptr;
        }
        for (ScSwitch& s : switches)
            if (s.click(x, y)) return s.toggleTarget;
    }
    for (ScFader& f : faders)
        if (f.drag(x, y, down)) return f.value;
    return nullptr;
}

void ScControls::releasePressed() {
    for (ScButton& b : buttons)
        if (b.pressed) {
            b.pressed = false;
            b.paint();
        }
}

TRect ScControls::pressedRect() const {
    for (const ScButton& b : buttons)
        if (b.pressed) return b.rect;
    return {-1, -1, -1, -1};
}
