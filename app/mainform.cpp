#include "app/mainform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "app/flagscope.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "platform/qt/keymap.h"

TFmain::TFmain(QuoVelanta& app_) : WindowSurface(nullptr), app(app_) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    QFont f(QStringLiteral("DejaVu Sans Condensed"));
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(1, 1);
}

void TFmain::setClientSize(int width, int height) {
    if (this->width() == width && this->height() == height) return;
    setFixedSize(width, height);
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        move(area.left() + area.width() / 2 - width / 2, area.top() + area.height() / 2 - height / 2);
    }
}

void TFmain::showNow(int left, int top, int right, int bottom) {
    const QRect r(left, top, right - left + 1, bottom - top + 1);
    if (painting || !isVisible()) {
        update(r);
        return;
    }
    repaint(r);
}

bool TFmain::beginSystemMove() {
    QWindow* w = windowHandle();
    return w != nullptr && w->startSystemMove();
}

int TFmain::buttonCode(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return 1;
    if (button == Qt::RightButton) return 2;
    return 0;
}

int TFmain::modifierCode(Qt::KeyboardModifiers mods) {
    if (mods & Qt::ShiftModifier) return 2;
    if (mods & Qt::ControlModifier) return 1;
    return 0;
}

bool TFmain::dialogVisible() const {
    return app.isDialogVisible();
}

void TFmain::paintEvent(QPaintEvent* event) {
    const FlagScope inPaint(painting); // cleared even when painting fails
    ++paints;
    WindowSurface::paintEvent(event);
}

void TFmain::press(QMouseEvent* event) {
    app.clearHint();
    if (dialogVisible()) return;
    const QPoint p = event->position().toPoint();
    app.mouseDown(p.x(), p.y(), buttonCode(event->button()), modifierCode(event->modifiers()), false);
}

void TFmain::mousePressEvent(QMouseEvent* event) {
    press(event);
}

// The second press of a double click is an ordinary press: the main object finds double clicks itself.
void TFmain::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event);
}

void TFmain::mouseMoveEvent(QMouseEvent* event) {
    if (dialogVisible()) return;
    const QPoint p = event->position().toPoint();
    app.mouseMove(p.x(), p.y(), (event->buttons() & Qt::LeftButton) != 0, modifierCode(event->modifiers()));
}

void TFmain::mouseReleaseEvent(QMouseEvent* event) {
    if (dialogVisible()) return;
    const QPoint p = event->position().toPoint();
    app.mouseUp(p.x(), p.y(), buttonCode(event->button()), modifierCode(event->modifiers()));
}

void TFmain::keyPressEvent(QKeyEvent* event) {
    app.clearHint();
    if (dialogVisible()) return;
    const int vk = qtKeyToVk(event->key(), event->modifiers());
    if (vk == 0) return;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    app.keyDown(vk, ctrl, shift);
    if (ctrl && shift && vk == vk::Insert && app.hooks.showStyleProgrammer) app.hooks.showStyleProgrammer();
    if (ctrl && vk == vk::Oem3 && app.hooks.titleCardsShowOne) app.hooks.titleCardsShowOne();
}

void TFmain::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press only, as the key handlers expect.
    if (event->isAutoRepeat() || dialogVisible()) return;
    const int vk = qtKeyToVk(event->key(), event->modifiers());
    if (vk == 0) return;
    app.keyUp(vk, (event->modifiers() & Qt::ControlModifier) != 0,
              (event->modifiers() & Qt::ShiftModifier) != 0);
}

// The desktop asks the window to close. Once the main loop has ended the close goes through without
// a question. Before that the close is refused here and the request recorded: the main loop asks
// the quit question once every running wait has ended, and only a granted quit closes the window.
void TFmain::closeEvent(QCloseEvent* event) {
    if (app.mainLoopEnded) {
        event->accept();
        return;
    }
    event->ignore();
    app.closeRequestPending = true;
}
