#include "app/programloop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <new>

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "platform/qt/bitmap24.h"

namespace {

const char* const kNotEnoughMemory = "Not enough memory.";

} // namespace

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
        if (app.hostForm != nullptr && !app.hostForm->isMinimized()) app.hostForm->showMinimized();
    };
    if (ProgramApplication* application = ProgramApplication::instance()) {
        previousLoop = application->loop;
        application->loop = this;
    }
    previousMemoryHandler = Bitmap24::setOutOfMemoryHandler([this] { recordOutOfMemory(); });
}

ProgramLoop::~ProgramLoop() {
    Bitmap24::setOutOfMemoryHandler(std::move(previousMemoryHandler));
    if (ProgramApplication* application = ProgramApplication::instance();
        application && application->loop == this)
        application->loop = previousLoop;
}

ProgramApplication* ProgramApplication::instance() {
    return dynamic_cast<ProgramApplication*>(QCoreApplication::instance());
}

bool ProgramApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (loop != nullptr) {
            loop->recordFailure();
        } else {
            try {
                throw;
            } catch (const std::exception& e) {
                std::fprintf(stderr, "QuoVelanta: an event failed: %s\n", e.what());
            } catch (...) {
                std::fputs("QuoVelanta: an event failed with an unexpected error\n", stderr);
            }
        }
        return false;
    }
}

void ProgramLoop::tick(bool idle) {
    // A tick never runs inside another: a painter or a window event reached from a tick that waits
    // would otherwise advance playback from the middle of a step.
    if (tickDepth > 0) return;
    ++tickDepth;
    try {
        if (idle)
            app.idleTick();
        else
            app.playbackTick();
    } catch (...) {
        recordFailure();
    }
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
    if (!mayDeliverEvents() || !pump) return;
    // A handler that fails ends its own command here, in the innermost wait that delivered the event.
    try {
        pump();
    } catch (...) {
        recordFailure();
    }
}

void ProgramLoop::waitForEvents(int ms) {
    if (!eventWait || !mayDeliverEvents()) {
        clock.sleepMs(ms);
        return;
    }
    try {
        eventWait(ms);
    } catch (...) {
        recordFailure();
    }
}

void ProgramLoop::settleInput() {
    if (!settle || !mayDeliverEvents()) return;
    try {
        settle();
    } catch (...) {
        recordFailure();
    }
}

void ProgramLoop::recordFailure() noexcept {
    if (failureCaught) return;
    failureCaught = true;
    try {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            reason = kNotEnoughMemory;
        } catch (const std::exception& e) {
            reason = e.what();
        } catch (...) {
            reason.clear();
        }
    } catch (...) {
        reason.clear();
    }
}

void ProgramLoop::recordOutOfMemory() noexcept {
    if (reporting || (memoryReported && clock.nowMs() - memoryReportedAt < kMemoryReportPauseMs)) {
        std::fputs("QuoVelanta: not enough memory for an image\n", stderr);
        return;
    }
    if (failureCaught) return;
    failureCaught = true;
    try {
        reason = kNotEnoughMemory;
    } catch (...) {
        reason.clear();
    }
}

void ProgramLoop::reportFailure() noexcept {
    if (!failureCaught) return;
    const bool memory = reason == kNotEnoughMemory;
    reporting = true;
    try {
        if (isPlaying()) app.togglePlay();
        Llist<std::string> lines(0, 3, true);
        lines.add("The last command failed with an unexpected error and was not completed.");
        if (!reason.empty()) lines.add(reason);
        lines.add("Your session is still open; save it to keep your work.");
        failureCaught = false;
        reason.clear();
        app.prompt.messageBox(lines, PromptButtons::Ok, "");
    } catch (...) {
        failureCaught = false;
        reason.clear();
        std::fputs("QuoVelanta: an unexpected error could not be reported\n", stderr);
    }
    reporting = false;
    if (memory) {
        memoryReported = true;
        memoryReportedAt = clock.nowMs();
    }
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
    try {
        if (app.closeRequestPending) handleCloseRequest();
    } catch (...) {
        recordFailure();
    }
    tick(false);
    try {
        app.animateHint(true);
        app.idleFlash();
        if (app.hooks.titleCardsIdle) app.hooks.titleCardsIdle();
    } catch (...) {
        recordFailure();
    }
    reportFailure();
    waitForEvents(isPlaying() ? 2 : 20);
    // The minimise request is repeated on every pass while the program is still the active one, and
    // dropped once it is not.
    if (app.minimiseRequested) {
        try {
            if (isActive && isActive()) {
                if (minimise) minimise();
            } else {
                app.minimiseRequested = false;
            }
        } catch (...) {
            app.minimiseRequested = false;
            recordFailure();
        }
    }
}

void ProgramLoop::runMainLoop() {
    clock.beginPeriod(1);
    while (!app.quitRequested) mainPass();
    clock.endPeriod(1);
    app.mainLoopEnded = true;
}
