#pragma once
// TFtitle: the title-card window, a borderless stay-on-top 1024 x 768 form with one hidden image.
// The title mode is off and nothing switches it on, so no card is ever shown: the three operations
// below may be called freely and do nothing.
#include <memory>
#include <string>

#include "foundation/llist.h"
#include "platform/qt/windowsurface.h"
#include "ui/limage.h"

class TFtitle : public WindowSurface {
  public:
    explicit TFtitle(QWidget* parent = nullptr);
    Limage Ilogo; // hidden
    Llist<std::string> cards{0, 1, true};
    Limage cardImage;

  protected:
    void paintEvent(QPaintEvent* event) override; // copies the card image to the form
};

// The title mode (off).
bool titleModeOn();
// At start-up: would note when the cards began.
void startTitleCardClock();
// From the main loop: would show the next card when its time has come.
void pollTitleCards();
// Ctrl+` on the main window: would show one card.
void showTitleCard();
