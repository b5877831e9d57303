#include "app/programloop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include "app/mainform.h"
#include "app/quovelanta.h"

ProgramLoop::ProgramLoop(QuoVelanta& app_, Clock& clock_) : app(app_), clock(clock_) {
    pump = [] {
        if (QCoreApplication::instance() == nullptr) return;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 4);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    isActive = [] {
        return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
               QGuiApplication::applicationState() == Qt::ApplicationActive;
    };
    minimise = [this] {
        if (app.hostForm != nullptr) app.hostForm->showMinimized();
    };
}

void ProgramLoop::tick(bool idle) {
    // A tick never runs inside another: a painter or a window event reached from a tick that waits
    // would otherwise advance playback from the middle of a step.
    if (tickDepth > 0) return;
    ++tickDepth;
    if (idle)
        app.idleTick();
    else
        app.playbackTick();
    --tickDepth;
}

void ProgramLoop::nativeTick() {
    tick(false);
}

bool ProgramLoop::mayDeliverEvents() const {
    // Events are never delivered from inside a paint event or from inside a tick (handlers that wait
    // pump again from their own loops, which nest as the waits do).
    return tickDepth == 0 && (app.hostForm == nullptr || !app.hostForm->isPainting());
}

void ProgramLoop::pumpEvents() {
    if (mayDeliverEvents() && pump) pump();
}

void ProgramLoop::waitForEvents(int ms) {
    if (eventWait && mayDeliverEvents())
        eventWait(ms);
    else
        clock.sleepMs(ms);
}

bool ProgramLoop::isPlaying() const {
    return app.engine.stepControl.isPlaying();
}

bool ProgramLoop::abortWaits() const {
    return app.quitRequested || app.closeRequestPending;
}

void ProgramLoop::handleCloseRequest() {
    app.closeRequestPending = false;
    if (app.hooks.closeDialog) app.hooks.closeDialog();
    app.requestQuit();
}

void ProgramLoop::mainPass() {
    tick(true);
    pumpEvents();
    if (app.closeRequestPending) handleCloseRequest();
    tick(false);
    app.animateHint(true);
    app.idleFlash();
    if (app.hooks.titleCardsIdle) app.hooks.titleCardsIdle();
    waitForEvents(isPlaying() ? 2 : 20);
    // The desktop may refuse to minimise a borderless window: the request is tried once.
    if (app.minimiseRequested) {
        app.minimiseRequested = false;
        if (isActive && isActive() && minimise) minimise();
    }
}

void ProgramLoop::runMainLoop() {
    clock.beginPeriod(1);
    while (!app.quitRequested) mainPass();
    clock.endPeriod(1);
    app.mainLoopEnded = true;
}
