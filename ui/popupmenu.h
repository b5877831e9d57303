#pragma once
// TFmenu: the program's custom-drawn popup menu, a borderless stay-on-top window that shows a
// list of item texts (markup in ui/menumarkup.h) in one or more columns, tracks the hovered item and
// closes on a click, a key, a click elsewhere or the application losing the focus. Its wait is the
// program's modal loop, so playback keeps ticking while it is open.
#include <functional>
#include <string>

#include "foundation/llist.h"
#include "platform/qt/gditypes.h"
#include "platform/qt/windowsurface.h"
#include "ui/keygate.h"
#include "ui/limage.h"
#include "ui/menumarkup.h"
#include "ui/theme.h"

// What the menu asks of the desktop; the default answers come from Qt, tests script their own.
class PopupDesktop {
  public:
    virtual ~PopupDesktop() = default;
    virtual bool applicationActive() const;
    virtual bool windowActive(const QWidget& window) const;
    virtual TPoint cursorPos() const;
    // The screen (Right and Bottom exclusive) that holds the point, or an empty rect when unknown.
    virtual TRect screenAt(TPoint point) const;
};
// Installs the desktop seam (null: Qt's answers); returns the previous one.
PopupDesktop* setPopupDesktop(PopupDesktop* desktop);
PopupDesktop& popupDesktop();

// The settings the menus follow: the theme (hover colour and the colour swatches), the name that
// marks a colour chooser (the first display text colour name of the options) and the main form's
// key-up handler, which gets the keys released over a menu.
struct PopupSettings {
    Theme theme;
    std::string firstColourName = "Pale red";
    std::function<void(int vk)> keyUp;
};
PopupSettings& popupSettings();

// A click outside the menu that closed it: where (screen coordinates), which button (1 left,
// 2 right, 0 middle) and the modifier code (2 Shift held, 1 Ctrl held, 0 neither). The main window
// replays it.
struct DismissClick {
    bool valid = false;
    TPoint global;
    int button = 1;
    int modifiers = 0;
};

class TFmenu : public WindowSurface {
  public:
    static constexpr TColor kDefaultColour = 0x929292;

    Limage image;
    int columns = -1;
    int rightWidth = 0;
    Llist<TRect> itemRects;
    int hovered = -1;
    int columnWidth = -1;
    Llist<std::string> items;
    int rowsPerColumn = -1;
    int shadingGroup = -1;
    int current = -1;
    TPoint position;
    bool grid = false;
    int result = -1;
    bool cancelled = false;
    TColor colour = kDefaultColour;
    MenuLayout layout;
    DismissClick dismissClick;

    TFmenu();
    ~TFmenu() override;

    void reset();
    // Sizes and places the window from the items and the position (FormShow).
    void sizeAndPlace();
    // Draws the menu into its image and the image onto the window.
    void paintMenu();
    bool isColourChooser() const;

    // The modal loop of one showing; returns the result (see showPopupMenu).
    int run();

    // Event entry points (also called by tests with client coordinates).
    void menuMouseMove(int x, int y);
    void menuMouseDown(int x, int y);
    void menuKeyDown(int vk);
    void menuLeave();
    // A press on another window of the program: closes the menu with -1 and records the click.
    void dismissByClick(TPoint global, int button, int modifiers = 0);
    void closeMenu();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyGate keyGate_{this};
    bool running_ = false;
    bool everActive_ = false;
    bool closed_ = false;
};

// Shows items at (x, y) in screen coordinates (-1000: the mouse position less 10); colour -1 keeps the
// menu grey; columnWidth -1 measures. Returns the chosen index (into items, markers included), or -1
// when the menu closed without a choice, when the menu was already open, or when a quit is pending.
// A click on a dimmed item, a heading or a line returns its index too: callers ignore the indices
// they do not act on.
int showPopupMenu(const Llist<std::string>& items, int current, int x, int y, TColor colour = -1,
                  int columnWidth = -1);
// The same as a grid of columns of rowsPerColumn rows, shaded in bands of shadingGroup rows;
// x or y = -1000 is the mouse position itself.
int showPopupGrid(const Llist<std::string>& items, int current, int rowsPerColumn, int shadingGroup, int x,
                  int y, TColor colour = -1);
// The click elsewhere that closed the last menu (valid false when it closed otherwise).
DismissClick lastDismissClick();
// True when a key press closed the last menu.
bool lastClosedByKey();
// True while a menu is open (the main object's busy test).
bool popupMenuOpen();
// The open menu's window, or null (a window is made for each showing).
TFmenu* activePopupMenu();
