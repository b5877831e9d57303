#include "ui/shadeui.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWindow>

#include "ui/geometry.h"

namespace {

ShadeUI* current = nullptr;
UrlOpener webOpener;
constexpr const char* kHomePage = "www.quovelanta.example";

bool isAbsent(const TRect& r) {
    return r.Left == -1;
}

TPoint toPoint(const QPoint& p) {
    return {p.x(), p.y()};
}

} // namespace

ShadeUI* currentShadeUI() {
    return current;
}

void setCurrentShadeUI(ShadeUI* ui) {
    current = ui;
}

std::function<void()>& shadePaintHook() {
    static std::function<void()> hook;
    return hook;
}

void callShadePaintHook() {
    if (shadePaintHook()) shadePaintHook()();
}

bool& shadeDarkSkin() {
    static bool dark = true;
    return dark;
}

TPoint& lastMenuAnchor() {
    static TPoint anchor{-1, -1};
    return anchor;
}

std::string& shadeApplicationTitle() {
    static std::string title = "QuoVelanta";
    return title;
}

ShadeFader*& shadeGrabbedFader() {
    static ShadeFader* grabbed = nullptr;
    return grabbed;
}

std::string webLinkAddress(const std::string& link) {
    const std::string target = link.empty() ? std::string(kHomePage) : link;
    // A link that names its scheme already keeps it.
    if (target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0) return target;
    return "http://" + target;
}

ShellOpenResult openWebLink(QWidget* form, const std::string& link) {
    (void)form;
    return shellOpenTarget(webLinkAddress(link), webOpener);
}

void setWebLinkOpener(UrlOpener opener) {
    webOpener = std::move(opener);
}

ShadeUI::~ShadeUI() {
    dropGrab();
    if (current == this) current = nullptr;
}

void ShadeUI::dropGrab() {
    ShadeFader*& grabbed = shadeGrabbedFader();
    for (ShadeFader& f : faders)
        if (grabbed == &f) grabbed = nullptr;
}

bool ShadeUI::canBuild() const {
    return form != nullptr && image.isValid() && enabled;
}

ShadeUI& ShadeUI::begin(ChangeCallback change, MenuCallback menu) {
    changeCallback = std::move(change);
    menuCallback = std::move(menu);
    enabled = true;
    dropGrab();
    buttons.clear();
    faders.clear();
    return *this;
}

ShadeUI& ShadeUI::setX(int x) {
    cursorX = x;
    return *this;
}

ShadeUI& ShadeUI::setY(int y) {
    cursorY = y;
    return *this;
}

ShadeUI& ShadeUI::addX(int n) {
    cursorX += n;
    return *this;
}

ShadeUI& ShadeUI::addY(int n) {
    cursorY += n;
    return *this;
}

ShadeUI& ShadeUI::nextColumn(int gap) {
    cursorX += gap + cellWidth;
    return *this;
}

ShadeUI& ShadeUI::setWidth(int w) {
    cellWidth = w == 0 ? cellHeight : w;
    return *this;
}

ShadeUI& ShadeUI::setHeight(int h) {
    cellHeight = h == 0 ? 22 : h;
    return *this;
}

ShadeUI& ShadeUI::getXY(int& x, int& y) {
    x = cursorX;
    y = cursorY;
    return *this;
}

ShadeUI& ShadeUI::label(const std::string& text) {
    if (!canBuild()) return *this;
    Canvas& c = *image.canvas();
    c.font = Font{"Tahoma", -11, false, false, textColour};
    c.textOut(cursorX, cursorY, text);
    return *this;
}

ShadeUI& ShadeUI::line(int length) {
    if (!canBuild()) return *this;
    Canvas& c = *image.canvas();
    c.pen = {mixColours(faceColour, textColour, 0.35f), false};
    c.moveTo(cursorX, cursorY);
    c.lineTo(cursorX + length, cursorY);
    return *this;
}

ShadeButton& ShadeUI::newButton() {
    dropGrab(); // the list may move
    buttons.add(ShadeButton());
    ShadeButton& b = buttons.at(buttons.current);
    b.target = &image;
    b.canvas = &form->canvas();
    b.faceColour = scaleColour(faceColour, static_cast<float>(faceScale));
    b.textColour = textColour;
    return b;
}

ShadeUI& ShadeUI::button(const std::string& caption, int id) {
    if (!canBuild()) return *this;
    ShadeButton& b = newButton();
    b.initPush(cursorX, cursorY, cellWidth, cellHeight, caption, id);
    b.paint();
    callShadePaintHook();
    return *this;
}

ShadeUI& ShadeUI::toggle(const std::string& caption, bool* bound) {
    if (!canBuild()) return *this;
    ShadeButton& b = newButton();
    b.initToggle(cursorX, cursorY, cellWidth, cellHeight, caption, bound);
    b.paint();
    callShadePaintHook();
    return *this;
}

ShadeUI& ShadeUI::fader(const std::string& text, double* bound, int narrow, int ticks, int centreTick) {
    if (!canBuild()) return *this;
    dropGrab();
    faders.add(ShadeFader());
    ShadeFader& f = faders.at(faders.current);
    f.target = &image;
    f.canvas = &form->canvas();
    f.faceColour = faceColour;
    f.textColour = textColour;
    f.narrow = narrow;
    f.centreTick = centreTick;
    f.knobColour = shadeDarkSkin() ? ShadeFader::kDarkSkinKnob : ShadeFader::kLightSkinKnob;
    f.create(cursorX, cursorY, cellHeight, text, bound, ticks);
    cellWidth = f.rect.Right - f.rect.Left;
    f.paint();
    callShadePaintHook();
    return *this;
}

void ShadeUI::attach(WindowSurface* window, const std::string& title, bool small, bool hasClose) {
    form = window;
    if (form == nullptr) return;
    const bool dark = shadeDarkSkin();
    faceColour = dark ? 0x505050 : 0xE0E0E0;
    textColour = dark ? 0x88AEBE : 0x484848;
    const int w = form->width();
    const int h = form->height();
    if (!image.setSize(w, h, true)) return;
    image.fill(faceColour);
    callShadePaintHook();
    Canvas& c = *image.canvas();
    c.clearClip();

    // Title bar.
    const int barHeight = small ? 31 : 32;
    c.font = Font{"Tahoma", -17, !small, false, textColour};
    const std::string text = title.empty() ? shadeApplicationTitle() : title;
    const int textTop = (barHeight - c.textHeight(text)) / 2 + 1;
    c.textOut(small ? 16 : 38, textTop, text);
    if (small)
        drawGradient(c, 8, barHeight - 1, w - 9, barHeight, mixColours(faceColour, textColour, 0.5f),
                     faceColour, true);

    titleHotRects.clear();
    minimiseRect = {-1, -1, -1, -1};
    closeRect = {-1, -1, -1, -1};
    c.pen = {textColour, false};
    if (!small) {
        for (int y = 9; y <= 17; y += 2) {
            c.moveTo(16, y);
            c.lineTo(26, y);
        }
        titleHotRects.add(TRect{10, 4, 29, 23});
        c.moveTo(w - 40, 16);
        c.lineTo(w - 32, 16);
        minimiseRect = {w - 45, 4, w - 29, 23};
    }
    if (hasClose) {
        c.moveTo(w - 24, 9);
        c.lineTo(w - 16, 17);
        c.moveTo(w - 24, 16);
        c.lineTo(w - 16, 8);
        closeRect = {w - 28, 4, w - 12, 23};
    }

    // Frame: side bands that darken toward the edge, and a 1 px outline.
    drawGradient(c, 0, 0, 6, h - 1, scaleColour(faceColour, dark ? 0.8f : 0.9f), faceColour, true);
    drawGradient(c, w - 7, 0, w - 1, h - 1, faceColour, scaleColour(faceColour, dark ? 0.8f : 0.9f), true);
    c.pen = {dark ? 0x88AEBE : 0xC8C8C8, false};
    c.brush = {0, true};
    c.rectangle(0, 0, w, h);
}

void ShadeUI::present() {
    callShadePaintHook();
    if (form != nullptr && image.isValid()) {
        Canvas& screen = form->canvas();
        screen.clearClip();
        screen.draw(0, 0, *image.bitmap());
    }
    callShadePaintHook();
}

void ShadeUI::drawAll() {
    for (ShadeButton& b : buttons) {
        b.paint();
        callShadePaintHook();
    }
    for (ShadeFader& f : faders) {
        f.paint();
        callShadePaintHook();
    }
}

void ShadeUI::redrawBoundTo(const void* variable) {
    if (variable == nullptr) return;
    for (ShadeButton& b : buttons)
        if (b.toggleTarget == variable || b.radioTarget == variable) b.paint();
    for (ShadeFader& f : faders)
        if (f.value == variable) f.paint();
}

bool ShadeUI::inTitleBar(int x, int y) const {
    if (y >= 33) return false;
    // Without a menu grip (a small window) the whole bar left of the boxes is the title.
    if (titleHotRects.count() > 0 && x < titleHotRects.at(titleHotRects.count() - 1).Right + 8) return false;
    if (!isAbsent(minimiseRect) && x > minimiseRect.Left - 8) return false;
    if (!isAbsent(closeRect) && x > closeRect.Left - 8) return false;
    return true;
}

TPoint ShadeUI::cursorPos() const {
    const QPoint global = QCursor::pos();
    if (form == nullptr) return toPoint(global);
    return toPoint(form->mapFromGlobal(global));
}

void ShadeUI::mouseDown() {
    mouseDown(cursorPos(), toPoint(QCursor::pos()));
}

void ShadeUI::mouseMove() {
    mouseMove(cursorPos(), toPoint(QCursor::pos()));
}

void ShadeUI::mouseDown(TPoint client, TPoint screen) {
    if (form == nullptr) return;
    const int x = client.x;
    const int y = client.y;
    pressMousePos = screen;
    pressWindowPos = toPoint(form->pos());
    dragging = inTitleBar(x, y);
    if (dragging) {
        // The window manager moves the window when it can; otherwise the moves below do.
        QWindow* handle = form->windowHandle();
        if (handle != nullptr && handle->startSystemMove()) dragging = false;
        return;
    }
    if (!isAbsent(closeRect) && pointInRect(x, y, closeRect)) closeRequested = true;
    if (!isAbsent(minimiseRect) && pointInRect(x, y, minimiseRect)) minimiseRequested = true;
    if (titleHotRects.count() > 0 && menuCallback && pointInRect(x, y, titleHotRects.at(0))) {
        const TRect grip = titleHotRects.at(0);
        const QPoint anchor = form->mapToGlobal(QPoint(grip.Left, grip.Bottom));
        lastMenuAnchor() = toPoint(anchor);
        menuCallback(lastMenuAnchor());
    }
    hitTest(x, y, true);
    if (changedVariable != nullptr || buttonClicked) fireChange();
}

void ShadeUI::hitTest(int x, int y, bool press) {
    ShadeFader*& grabbed = shadeGrabbedFader();
    if (press) {
        grabbed = nullptr;
        clickedId = -1;
    }
    changedVariable = nullptr;
    buttonClicked = false;
    if (press) {
        for (int i = 0; i < buttons.count(); ++i) {
            ShadeButton& b = buttons.at(i);
            if (!b.click(x, y)) continue;
            if (b.toggleTarget != nullptr) {
                changedVariable = b.toggleTarget;
            } else if (b.radioTarget != nullptr) {
                changedVariable = b.radioTarget;
                for (int k = 0; k < buttons.count(); ++k)
                    if (k != i && buttons.at(k).radioTarget == b.radioTarget) buttons.at(k).paint();
            } else {
                buttonClicked = true;
                clickedId = b.id;
            }
            return;
        }
    }
    for (ShadeFader& f : faders) {
        if (f.drag(x, y, press, grabbed)) {
            changedVariable = f.value;
            break;
        }
    }
}

void ShadeUI::fireChange() {
    current = this;
    if (changeCallback) changeCallback();
    // The callback may have run another Shade window, which made itself current meanwhile.
    current = this;
}

void ShadeUI::mouseMove(TPoint client, TPoint screen) {
    if (form == nullptr) return;
    const bool overTitle = inTitleBar(client.x, client.y);
    const Qt::CursorShape want = overTitle ? Qt::SizeAllCursor : Qt::ArrowCursor;
    if (form->cursor().shape() != want) form->setCursor(want);
    if (dragging) {
        const QPoint target(pressWindowPos.x + screen.x - pressMousePos.x,
                            pressWindowPos.y + screen.y - pressMousePos.y);
        if (target != form->pos()) form->move(target);
        return;
    }
    hitTest(client.x, client.y, false);
    if (changedVariable != nullptr) fireChange();
}

void ShadeUI::mouseUp() {
    shadeGrabbedFader() = nullptr;
    dragging = false;
    for (ShadeButton& b : buttons) {
        if (!b.pressed) continue;
        b.pressed = false;
        b.paint();
    }
}

ShadeWindow::ShadeWindow(ShadeUI& ui, QWidget* parent) : WindowSurface(parent), ui_(ui) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ShadeWindow::mousePressEvent(QMouseEvent* event) {
    ui_.mouseDown(toPoint(event->position().toPoint()), toPoint(event->globalPosition().toPoint()));
}

void ShadeWindow::mouseMoveEvent(QMouseEvent* event) {
    ui_.mouseMove(toPoint(event->position().toPoint()), toPoint(event->globalPosition().toPoint()));
}

void ShadeWindow::mouseReleaseEvent(QMouseEvent* event) {
    (void)event;
    ui_.mouseUp();
}
