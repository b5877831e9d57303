#pragma once
// The main form: a borderless, fixed-size window whose backing image the main object draws on
// (through its canvas); it forwards its mouse, key and close events to the main object.
#include "platform/qt/windowsurface.h"

class QuoVelanta;

class TFmain : public WindowSurface {
  public:
    explicit TFmain(QuoVelanta& app);

    QuoVelanta& app;

    // Sets the client size (fixed) and, when it changed, centres the window on its screen.
    void setClientSize(int width, int height);
    // Shows the rectangle (inclusive) at once; never inside a paint event (then it is only queued).
    void showNow(int left, int top, int right, int bottom);
    // Starts moving the window with the pointer (the desktop's own move); false where the
    // platform cannot, and then the caller moves the window itself.
    bool beginSystemMove();
    bool isPainting() const { return painting; }
    // Paint events handled so far.
    int paintCount() const { return paints; }

    // The codes the main object's handlers take.
    static int buttonCode(Qt::MouseButton button);       // 1 left, 2 right, 0 other
    static int modifierCode(Qt::KeyboardModifiers mods); // 2 Shift (also with Ctrl), 1 Ctrl, 0 none

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool painting = false;
    int paints = 0;
    bool dialogVisible() const;
    void press(QMouseEvent* event);
};
