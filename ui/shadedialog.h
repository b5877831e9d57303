#pragma once
// TFshadeDialog: a modal message box in the Shade style: text lines, an optional title, an optional
// web link and OK, Yes/No and Cancel buttons. A new window is made for every showing.
#include <functional>
#include <string>

#include "foundation/llist.h"
#include "ui/keygate.h"
#include "ui/shadeui.h"

class TFshadeDialog : public ShadeWindow {
  public:
    int leftMargin = 20;
    int topMargin = 50;
    int lineHeight = 16;
    TRect linkRect{-1, -1, -1, -1};
    std::string linkText;
    ShadeUI ui;
    std::string title;
    Llist<std::string> lines;
    bool hasCancel = false;
    bool hasNo = false;

    TFshadeDialog();

    // Sizes the window from the lines, lays out the frame and the buttons and paints (FormShow).
    void prepare();
    void paintDialog();
    // Shows the box and waits; the result is 1 for OK or Yes (or Enter), 2 for No, -1 for Cancel, Esc,
    // the close box, the window being hidden or a quit.
    int run();

    // Event entry points (client coordinates; tests call them too).
    void dialogKeyDown(int vk);
    void dialogMouseDown(TPoint client, TPoint screen);
    void dialogMouseMove(TPoint client, TPoint screen);

    // Called once the window is shown and painted, on the first pass of the wait (tests drive it).
    static std::function<void(TFshadeDialog&)>& onShown();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    KeyGate keyGate_{this};
};

// The link of a line: the whitespace-delimited token that holds "www.", or empty.
std::string shadeLinkToken(const std::string& line, std::size_t* start = nullptr);

// Runs the Shade message box. A first line beginning "title:" is the title (the rest of it) and is
// removed from the caller's list. colourSource may be null.
int showShadeDialog(ShadeUI* colourSource, Llist<std::string>& lines, bool hasCancel, bool hasNo);
