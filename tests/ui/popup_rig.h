#pragma once
// Rigs of the popup menu and Shade window tests: a scripted wait loop whose pumps run the steps of a
// test one after another, and a scripted desktop (activation, mouse position, screen).
#include <QApplication>
#include <deque>
#include <functional>

#include "platform/clock.h"
#include "ui/modalloop.h"
#include "ui/popupmenu.h"

class ScriptedPumps : public ModalLoop {
  public:
    FakeClock clock;
    int idleTicks = 0, playTicks = 0, pumps = 0;
    bool playing = false, abort = false;
    // Steps run one per pump; once they are used up the waits are aborted after a few more pumps,
    // so a test that fails to end its window cannot hang.
    std::deque<std::function<void()>> steps;
    int spareAfterSteps = 50;

    void tick(bool idle) override { ++(idle ? idleTicks : playTicks); }
    void pumpEvents() override {
        ++pumps;
        QCoreApplication::sendPostedEvents();
        if (!steps.empty()) {
            auto step = std::move(steps.front());
            steps.pop_front();
            step();
        } else if (--spareAfterSteps < 0) {
            abort = true;
        }
    }
    void sleepMs(int ms) override { clock.sleepMs(ms); }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return playing; }
    bool abortWaits() const override { return abort; }
    void then(std::function<void()> step) { steps.push_back(std::move(step)); }
};

class ScriptedDesktop : public PopupDesktop {
  public:
    bool appActive = true;
    bool menuActive = true;
    TPoint cursor{300, 200};
    TRect screen{0, 0, 1024, 768};
    int activeQueries = 0;

    bool applicationActive() const override { return appActive; }
    bool windowActive(const QWidget&) const override {
        ++const_cast<ScriptedDesktop*>(this)->activeQueries;
        return menuActive;
    }
    TPoint cursorPos() const override { return cursor; }
    TRect screenAt(TPoint) const override { return screen; }
};

// Installs the scripted loop and desktop for one test.
struct PopupRig {
    ScriptedPumps loop;
    ScriptedDesktop desktop;
    ModalLoop* previousLoop;
    PopupDesktop* previousDesktop;
    PopupRig() : previousLoop(setModalLoop(&loop)), previousDesktop(setPopupDesktop(&desktop)) {}
    ~PopupRig() {
        setModalLoop(previousLoop);
        setPopupDesktop(previousDesktop);
    }
};
