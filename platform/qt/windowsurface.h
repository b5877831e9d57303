#pragma once
// A window's drawing surface: a widget whose backing image the program draws on at any time; each
// drawing operation asks for an update of what it changed, and the paint event copies the backing
// image to the screen.
#include <QWidget>

#include "platform/qt/bitmap24.h"

class WindowSurface : public QWidget {
  public:
    explicit WindowSurface(QWidget* parent = nullptr);

    // The backing image follows the widget's size (also while the widget is hidden); the part that
    // stays inside keeps its pixels.
    Bitmap24& image();
    Canvas& canvas() { return image().canvas(); }
    // The backing image could be had for the widget's size (a widget of no size needs none). When
    // memory for it could not be had, the window shows black and the failure has been reported.
    bool imageReady();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    Bitmap24 image_;
    void fitImage(int width, int height);
};
