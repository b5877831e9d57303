#pragma once
// ShadeUI: turns a borderless window into a Shade-styled one. It owns the window's off-screen image,
// draws the frame and the title bar (menu grip, minimise and close boxes), moves the window by its
// title bar, lays out Shade buttons and faders with a small chaining builder, hit-tests the mouse and
// tells its owner about every change through a change callback.
#include <functional>
#include <string>

#include "foundation/llist.h"
#include "platform/qt/gditypes.h"
#include "platform/qt/shellopen.h"
#include "platform/qt/windowsurface.h"
#include "ui/limage.h"
#include "ui/shadewidgets.h"

class ShadeUI {
  public:
    using ChangeCallback = std::function<void()>;
    using MenuCallback = std::function<void(TPoint screen)>;

    WindowSurface* form = nullptr; // not owned
    ChangeCallback changeCallback;
    MenuCallback menuCallback;
    Llist<ShadeButton> buttons;
    Llist<ShadeFader> faders;
    Llist<TRect> titleHotRects; // the first is the menu grip
    TRect minimiseRect{-1, -1, -1, -1};
    TRect closeRect{-1, -1, -1, -1};
    bool dragging = false;
    TPoint pressWindowPos;
    TPoint pressMousePos;
    bool enabled = false;
    int cursorX = 20;
    int cursorY = 56;
    int cellWidth = 100;
    int cellHeight = 22;
    double faceScale = 1.04;
    void* changedVariable = nullptr;
    bool buttonClicked = false;
    int clickedId = -1;
    Limage image;
    TColor faceColour = 0xFFFFFF;
    TColor textColour = 0;
    bool closeRequested = false;
    bool minimiseRequested = false;

    ShadeUI() = default;
    ~ShadeUI();
    ShadeUI(const ShadeUI&) = delete;
    ShadeUI& operator=(const ShadeUI&) = delete;

    // Builder: every call returns the container; widgets are added only while attached and enabled.
    ShadeUI& begin(ChangeCallback change, MenuCallback menu);
    ShadeUI& setX(int x);
    ShadeUI& setY(int y);
    ShadeUI& addX(int n);
    ShadeUI& addY(int n);
    ShadeUI& nextColumn(int gap);
    ShadeUI& setWidth(int w);  // 0: square cells (the cell height)
    ShadeUI& setHeight(int h); // 0: 22
    ShadeUI& getXY(int& x, int& y);
    ShadeUI& label(const std::string& text);
    ShadeUI& line(int length);
    ShadeUI& button(const std::string& caption, int id);
    ShadeUI& toggle(const std::string& caption, bool* bound);
    ShadeUI& fader(const std::string& label, double* bound, int narrow, int ticks, int centreTick);

    // Binds to the window and draws the frame and title bar (an empty title: the application title).
    void attach(WindowSurface* window, const std::string& title, bool small, bool hasClose);
    void present();
    void drawAll();
    void redrawBoundTo(const void* variable);

    bool inTitleBar(int x, int y) const;
    // The window's input. The forms pass the event's client and screen positions; the versions
    // without arguments read the mouse position themselves.
    void mouseDown(TPoint client, TPoint screen);
    void mouseMove(TPoint client, TPoint screen);
    void mouseUp();
    void mouseDown();
    void mouseMove();
    TPoint cursorPos() const; // the mouse in client coordinates
    void hitTest(int x, int y, bool press);
    void fireChange();
    void setClickedIdOk() { clickedId = 1; }

    // The Shade message box with this container as its colour source (see showShadeDialog).
    int showDialog(Llist<std::string>& lines, bool hasCancel, bool hasNo);

  private:
    bool canBuild() const;
    void dropGrab();
    // A new button on the image in the container's colours, still to be set up and painted.
    ShadeButton& newButton();
};

// The container whose change callback runs (null before the first).
ShadeUI* currentShadeUI();
void setCurrentShadeUI(ShadeUI* ui);
// Called after every widget paint, around every present and from the message box's wait (the mixer
// sets it to the playback tick).
std::function<void()>& shadePaintHook();
void callShadePaintHook();
// True: the dark skin.
bool& shadeDarkSkin();
// Where the last menu grip press anchored its menu ((-1, -1) before the first).
TPoint& lastMenuAnchor();
// The title shown by a window whose title is empty.
std::string& shadeApplicationTitle();
// The fader being dragged in any Shade window, or null.
ShadeFader*& shadeGrabbedFader();

// Opens a web link through the desktop; an empty link is the program's home page, and a link without
// a scheme gets "http://" in front. The opener can be replaced (tests); null: the desktop's.
ShellOpenResult openWebLink(QWidget* form, const std::string& link);
std::string webLinkAddress(const std::string& link);
void setWebLinkOpener(UrlOpener opener);

// A borderless Shade-styled top-level window that passes its mouse events to its container.
class ShadeWindow : public WindowSurface {
  public:
    explicit ShadeWindow(ShadeUI& ui, QWidget* parent = nullptr);
    ShadeUI& shade() { return ui_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ShadeUI& ui_;
};
