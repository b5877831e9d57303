#include "dialogs/titlecards.h"

#include <QPaintEvent>

TFtitle::TFtitle(QWidget* parent) : WindowSurface(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    resize(1024, 768);
}

void TFtitle::paintEvent(QPaintEvent* event) {
    if (cardImage.isValid()) canvas().draw(0, 0, *cardImage.bitmap());
    WindowSurface::paintEvent(event);
}

bool titleModeOn() {
    return false;
}

void startTitleCardClock() {
    if (!titleModeOn()) return;
}

void pollTitleCards() {
    if (!titleModeOn()) return;
}

void showTitleCard() {
    if (!titleModeOn()) return;
}
