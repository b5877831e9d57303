#pragma once
// Dialog page tests: a scripted wait loop whose every pass of the event pump runs the next step of a
// script (so a step acts on the page that is waiting at that moment), and mouse and key input sent to
// a page at coordinates taken from its computed rectangles.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <deque>
#include <functional>

#include "dialogs/tfdialog.h"
#include "platform/clock.h"
#include "tests/common/qtapp.h"
#include "ui/modalloop.h"

namespace dlg {

class ScriptedLoop : public ModalLoop {
  public:
    FakeClock clock;
    int idleTicks = 0, playTicks = 0, pumps = 0;
    bool playing = false, abort = false;
    std::deque<std::function<void()>> steps; // one step per pump, in turn
    int idlePumpsLeft = 200;                 // pumps without a step before the loop asks every wait to end
    std::function<void()> onSettle;          // input that was waiting when a page opened

    void tick(bool idle) override { ++(idle ? idleTicks : playTicks); }
    void pumpEvents() override {
        ++pumps;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        if (!steps.empty()) {
            std::function<void()> step = std::move(steps.front());
            steps.pop_front();
            step();
        } else if (--idlePumpsLeft <= 0) {
            abort = true; // a script that ran out: never hang the test
        }
    }
    void settleInput() override {
        if (onSettle) onSettle();
    }
    void sleepMs(int ms) override { clock.sleepMs(ms); }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return playing; }
    bool abortWaits() const override { return abort; }
};

// Installs a scripted loop for one test and puts the previous one back.
struct LoopScope {
    ScriptedLoop loop;
    ModalLoop* previous;
    LoopScope() : previous(setModalLoop(&loop)) { ensureQtApp(); }
    ~LoopScope() { setModalLoop(previous); }
    void then(std::function<void()> step) { loop.steps.push_back(std::move(step)); }
    // A step that runs before the ones already queued (for the page a step is about to open).
    void next(std::function<void()> step) { loop.steps.push_front(std::move(step)); }
};

inline void sendMouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF local(x, y);
    const QPointF global = w->mapToGlobal(local);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void press(QWidget* w, int x, int y) {
    sendMouse(w, QEvent::MouseButtonPress, x, y);
}
inline void release(QWidget* w, int x, int y) {
    sendMouse(w, QEvent::MouseButtonRelease, x, y);
}
inline void click(QWidget* w, int x, int y) {
    press(w, x, y);
    release(w, x, y);
}
inline void dragTo(QWidget* w, int x, int y) {
    const QPointF local(x, y);
    QMouseEvent e(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void key(QWidget* w, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, qtKey, mods);
    QApplication::sendEvent(w, &e);
}
inline TPoint centreOf(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}
// Clicks the page's bottom button i at the centre of its rectangle.
inline void clickButton(TFdialog* page, int i) {
    const TPoint p = centreOf(page->bottomButtonRects[i]);
    click(page, p.x, p.y);
}
// The same on the page waiting on top.
inline void clickTopButton(int i) {
    if (TFdialog* top = topDialogPage()) clickButton(top, i);
}
inline void pressTopKey(int qtKey) {
    if (TFdialog* top = topDialogPage()) key(top, qtKey);
}

} // namespace dlg
