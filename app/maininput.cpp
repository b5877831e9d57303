// The main form's input entry points. The keyboard and mouse dispatch of the main window plugs in
// through hooks (WindowHooks::keyDown, mouseDown ...); until it does, only the window frame is
// handled here: moving the window by its title bar, the close and minimise boxes, the play button,
// Esc (quit) and Space (play or stop).
#include <QCursor>

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "platform/qt/keymap.h"

void QuoVelanta::mouseDown(int x, int y, int button, int modifier, bool synthetic) {
    if (hooks.mouseDown) {
        hooks.mouseDown(x, y, button, modifier, synthetic);
        return;
    }
    mouseX = x;
    mouseY = y;
    if (button != 1) return;
    if (pointInRect(x, y, closeRect)) {
        requestQuit();
        return;
    }
    if (pointInRect(x, y, minimiseRect)) {
        minimiseRequested = true;
        return;
    }
    if (pointInRect(x, y, playButtonRect)) {
        togglePlay();
        return;
    }
    for (const TRect& r : menuTitleRects)
        if (pointInRect(x, y, r)) return;
    if (y < 58 && hostForm != nullptr && !hostForm->beginSystemMove()) {
        // Without the desktop's move the window follows the pointer until the button is released.
        titleDragging = true;
        const QPoint cursor = QCursor::pos();
        dragStartCursor = {cursor.x(), cursor.y()};
        dragStartFormPos = {hostForm->x(), hostForm->y()};
    }
}

void QuoVelanta::mouseMove(int x, int y, bool leftDown, int modifier) {
    if (hooks.mouseMove) {
        hooks.mouseMove(x, y, leftDown, modifier);
        return;
    }
    mouseX = x;
    mouseY = y;
    if (titleDragging && leftDown && hostForm != nullptr) {
        const QPoint cursor = QCursor::pos();
        hostForm->move(dragStartFormPos.x + cursor.x() - dragStartCursor.x,
                       dragStartFormPos.y + cursor.y() - dragStartCursor.y);
        return;
    }
    paintMenuBar(false);
}

void QuoVelanta::mouseUp(int x, int y, int button, int modifier) {
    if (hooks.mouseUp) {
        hooks.mouseUp(x, y, button, modifier);
        return;
    }
    titleDragging = false;
}

void QuoVelanta::keyUp(int key, bool ctrl, bool shift) {
    if (hooks.keyUp) hooks.keyUp(key, ctrl, shift);
}
