#include "ui/modalloop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

#include "platform/clock.h"

namespace {

// Until the application installs its driver: Qt events on the steady clock, no playback.
class PlainLoop : public ModalLoop {
  public:
    void tick(bool) override {}
    void pumpEvents() override {
        if (QCoreApplication::instance() == nullptr) return;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void sleepMs(int ms) override { clock.sleepMs(ms); }
    void waitForEvents(int ms) override { waitForWindowEvents(ms); }
    void settleInput() override { settleWindowInput(); }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return false; }
    bool abortWaits() const override { return false; }

  private:
    SteadyClock clock;
};

PlainLoop plainLoop;
ModalLoop* installed = nullptr;

} // namespace

ModalLoop& modalLoop() {
    return installed != nullptr ? *installed : plainLoop;
}

ModalLoop* setModalLoop(ModalLoop* loop) {
    ModalLoop* previous = installed;
    installed = loop;
    return previous;
}

bool runModalLoop(const std::function<bool()>& done, bool idle) {
    ModalLoop& loop = modalLoop();
    for (;;) {
        if (done()) return true;
        if (loop.abortWaits()) return false;
        loop.tick(idle);
        loop.pumpEvents();
        if (done()) return true;
        if (loop.abortWaits()) return false;
        loop.waitForEvents(loop.isPlaying() ? 2 : 20);
    }
}

void waitForWindowEvents(int ms) {
    if (ms <= 0) return;
    if (QCoreApplication::instance() == nullptr) {
        SteadyClock().sleepMs(ms);
        return;
    }
    // The timer bounds the wait; the first events that arrive end it once they are delivered.
    QTimer bound;
    bound.setSingleShot(true);
    bound.setTimerType(Qt::PreciseTimer);
    bound.start(ms);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void settleWindowInput() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
    QGuiApplication::sync();
    QCoreApplication::sendPostedEvents();
}

void waitMs(int ms, bool keepAlive) {
    ModalLoop& loop = modalLoop();
    loop.pumpEvents();
    const std::int64_t start = loop.nowMs();
    while (loop.nowMs() - start < ms) {
        if (keepAlive) loop.tick(true);
        loop.sleepMs(2);
    }
}
