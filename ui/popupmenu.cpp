#include "ui/popupmenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "platform/qt/keymap.h"
#include "ui/geometry.h"
#include "ui/modalloop.h"

bool PopupDesktop::applicationActive() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool PopupDesktop::windowActive(const QWidget& window) const {
    return window.isActiveWindow();
}

TPoint PopupDesktop::cursorPos() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TRect PopupDesktop::screenAt(TPoint point) const {
    QScreen* screen = QGuiApplication::screenAt(QPoint(point.x, point.y));
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const QRect g = screen->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

namespace {

PopupDesktop qtDesktop;
PopupDesktop* installedDesktop = nullptr;

int buttonCode(Qt::MouseButton button) {
    if (button == Qt::RightButton) return 2;
    if (button == Qt::MiddleButton) return 0;
    return 1;
}

// Dots every 3 px along a row, from x0 to x1 (exclusive).
void dottedLine(Canvas& c, int x0, int x1, int y, TColor colour) {
    for (int x = x0; x < x1; x += 3) c.setPixel(x, y, colour);
}

} // namespace

PopupDesktop* setPopupDesktop(PopupDesktop* desktop) {
    PopupDesktop* previous = installedDesktop;
    installedDesktop = desktop;
    return previous;
}

PopupDesktop& popupDesktop() {
    return installedDesktop != nullptr ? *installedDesktop : qtDesktop;
}

PopupSettings& popupSettings() {
    static PopupSettings settings;
    return settings;
}

TFmenu::TFmenu() : WindowSurface(nullptr) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::NoDropShadowWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    image.canvas(); // nothing until the first showing
    reset();
}

TFmenu::~TFmenu() {
    if (running_) qApp->removeEventFilter(this);
}

void TFmenu::reset() {
    colour = kDefaultColour;
    position = {0, 0};
    grid = false;
    hovered = rowsPerColumn = shadingGroup = columnWidth = current = columns = result = -1;
    cancelled = false;
    rightWidth = 0;
    itemRects.clear();
    dismissClick = {};
}

bool TFmenu::isColourChooser() const {
    return items.count() > 0 && !popupSettings().firstColourName.empty() &&
           items.at(0) == popupSettings().firstColourName;
}

void TFmenu::sizeAndPlace() {
    Bitmap24 scratch;
    Canvas& c = scratch.canvas();
    c.font = Font{"Tahoma", -11};
    const MenuMeasure measure = [&c](const std::string& text) { return c.textWidth(text); };
    layout = layoutMenu(items, grid, rowsPerColumn, shadingGroup, columnWidth, measure);
    rowsPerColumn = layout.rowsPerColumn;
    shadingGroup = layout.shadingGroup;
    columnWidth = layout.columnWidth;
    columns = layout.columns;
    rightWidth = layout.rightWidth;
    setFixedSize(layout.width, layout.height);
    const TRect screen = popupDesktop().screenAt(position);
    if (screen.Right > screen.Left && screen.Bottom > screen.Top)
        position = clampToScreen(position, layout.width, layout.height, screen);
    move(position.x, position.y);
}

void TFmenu::paintMenu() {
    if (!isVisible() || layout.rowsPerColumn <= 0 || layout.shadingGroup <= 0) return;
    if (!image.setSize(layout.width, layout.height, true)) return;
    modalLoop().tick(false);
    Canvas& c = *image.canvas();
    c.clearClip();
    const Theme& theme = popupSettings().theme;
    const bool chooser = isColourChooser();
    const TColor m = chooser ? 0x787878 : colour;
    const TColor b = grid ? m : scaleColour(m, 1.72f);
    const TColor rowLine = grid ? scaleColour(m, 1.125f) : scaleColour(b, 0.95f);
    const TColor lineColour = grid ? scaleColour(scaleColour(0xCCF4FF, 0.1f), 0.67f) : scaleColour(b, 0.67f);
    image.fill(grid ? m : b);
    itemRects.clear();
    const int cw = layout.columnWidth;
    const int rh = layout.rowHeight;
    const int group = layout.shadingGroup;
    for (int i = 0; i < items.count(); ++i) {
        const MenuItem item = parseMenuItem(items.at(i));
        const int col = layout.column(i);
        const int row = layout.row(i);
        const int cx = col * cw;
        const int x = cx + (item.indent ? kMenuIndent : 0);
        const int y = row * rh;
        if (grid) {
            c.brush = {(col * group + i) % (2 * group) < group ? scaleColour(m, 0.9f) : m, false};
            c.fillRect({cx + 1, y + 1, cx + cw, y + rh});
        }
        c.pen = {rowLine, false};
        if (row != layout.rowsPerColumn - 1) {
            c.moveTo(cx + 1, y + rh);
            c.lineTo(cx + cw, y + rh);
        }
        if (col != layout.columns - 1) {
            c.moveTo(cx + cw, y + 1);
            c.lineTo(cx + cw, y + rh);
        }
        // Lines above an item run across the whole menu.
        if (item.separator) {
            c.pen = {lineColour, false};
            c.moveTo(0, y);
            c.lineTo(layout.width, y);
        }
        if (item.dotted) dottedLine(c, 0, layout.width, y, lineColour);
        if (i == hovered || item.heading) {
            TColor fill = chooser ? 0x808080 : theme.dimTextColour();
            if (item.heading)
                fill = scaleColour(b, 0.9f);
            else if (item.dimmed)
                fill = mixColours(fill, b, 0.7f);
            c.brush = {fill, false};
            c.fillRect({cx + 2, y + 2, cx + cw - 1, y + rh - 1});
        }
        if (chooser)
            drawGradient(c, x + 3, y + 3, x + 12, y + rh - 3, scaleColour(theme.displayTextColour(i), 1.07f),
                         scaleColour(theme.displayTextColour(i), 0.67f), true);
        clipToRect(c, {x, y, cx + cw - 5, y + rh - 1});
        TColor ink = i == hovered ? 0xFFFFFF : 0;
        if (item.dimmed) ink = mixColours(b, ink, 0.27f);
        const TColor rightInk = item.rightDimmed ? mixColours(b, ink, 0.25f) : ink;
        if (item.heading) ink = mixColours(b, ink, 0.35f);
        if (item.tick) {
            c.pen = {ink, false};
            for (int k = 0; k < 2; ++k) {
                c.moveTo(x + 5, y + 10 + k);
                c.lineTo(x + 7, y + 12 + k);
                c.lineTo(x + 13, y + 6 + k);
            }
        }
        if ((item.bullet || i == current) && layout.columns == 1) {
            c.pen = {ink, false};
            c.brush = {ink, false};
            c.ellipse(x + 7, y + 8, x + 12, y + 13);
        }
        c.font = Font{"Tahoma", -11, item.heading, false, ink};
        const int ty = grid ? y + 1 : y + 3;
        int tx = grid ? x + 4 : x + 18;
        if (item.heading) tx = cx + cw / 2 - c.textWidth(item.label) / 2;
        c.textOut(tx, ty, item.label);
        if (!item.right.empty()) {
            c.font = Font{"Tahoma", -11, false, false, rightInk};
            c.textOut(cx + cw + 1 - layout.rightWidth - 16, ty, item.right);
        }
        clearClip(c);
        itemRects.add(layout.hitRect(i));
    }
    if (!grid) {
        c.pen = {lineColour, false};
        c.brush = {0, true};
        c.rectangle(0, 0, layout.width, layout.height);
    }
    Canvas& screen = canvas();
    screen.clearClip();
    screen.draw(0, 0, *image.bitmap());
}

void TFmenu::menuMouseMove(int x, int y) {
    const int now = layout.itemAt(x, y);
    if (now == hovered) return;
    hovered = now;
    paintMenu();
}

void TFmenu::menuMouseDown(int x, int y) {
    menuMouseMove(x, y); // a press without a move before it still picks the item under it
    result = hovered;
    closeMenu();
}

void TFmenu::menuKeyDown(int vk) {
    (void)vk;
    result = -1;
    cancelled = true;
    closeMenu();
}

void TFmenu::menuLeave() {
    if (hovered < 0) return;
    hovered = -1;
    paintMenu();
}

void TFmenu::dismissByClick(TPoint global, int button, int modifiers) {
    dismissClick = {true, global, button, modifiers};
    result = -1;
    closeMenu();
}

void TFmenu::closeMenu() {
    closed_ = true;
    hide();
}

void TFmenu::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    menuMouseMove(p.x(), p.y());
}

void TFmenu::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    menuMouseDown(p.x(), p.y());
}

void TFmenu::keyPressEvent(QKeyEvent* event) {
    menuKeyDown(qtKeyToVk(event->key(), event->modifiers())); // any key, Shift, Ctrl or Alt alone too
}

void TFmenu::keyReleaseEvent(QKeyEvent* event) {
    if (popupSettings().keyUp) popupSettings().keyUp(qtKeyToVk(event->key(), event->modifiers()));
}

void TFmenu::leaveEvent(QEvent* event) {
    menuLeave();
    WindowSurface::leaveEvent(event);
}

void TFmenu::closeEvent(QCloseEvent* event) {
    event->ignore(); // the window is reused: closing only hides it
    result = -1;
    closeMenu();
}

bool TFmenu::eventFilter(QObject* watched, QEvent* event) {
    if (!running_ || closed_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() == this) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint g = e->globalPosition().toPoint();
        const int modifiers = e->modifiers().testFlag(Qt::ShiftModifier)     ? 2
                              : e->modifiers().testFlag(Qt::ControlModifier) ? 1
                                                                             : 0;
        dismissByClick({g.x(), g.y()}, buttonCode(e->button()), modifiers);
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true; // the other windows take no input while the menu is open
    case QEvent::MouseButtonRelease:
        return false; // but the release of the click that opened the menu still ends that click
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        if (keyGate_.admit(*e)) menuKeyDown(qtKeyToVk(e->key(), e->modifiers()));
        return true;
    }
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        if (keyGate_.admit(*e) && popupSettings().keyUp)
            popupSettings().keyUp(qtKeyToVk(e->key(), e->modifiers()));
        return true;
    }
    default:
        return false;
    }
}

int TFmenu::run() {
    running_ = true;
    closed_ = false;
    everActive_ = false;
    sizeAndPlace();
    // Without memory for its picture or window the menu is not shown (the failure is reported).
    if (!image.setSize(layout.width, layout.height, true) || !imageReady()) {
        closed_ = true;
        running_ = false;
        return -1;
    }
    modalLoop().tick(false);
    // Above a modal window (a dialog page that opened the menu) the menu must not count as blocked.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != this) {
        create();
        if (windowHandle() != nullptr && modal->windowHandle() != nullptr)
            windowHandle()->setTransientParent(modal->windowHandle());
    }
    show();
    if (QGuiApplication::platformName() != "offscreen") raise();
    activateWindow();
    paintMenu();
    qApp->installEventFilter(this);
    keyGate_.open();
    modalLoop().tick(false);
    const bool finished = runModalLoop([this] {
        if (closed_ || !isVisible()) return true;
        const PopupDesktop& desktop = popupDesktop();
        const bool menuActive = desktop.windowActive(*this);
        // Activation may arrive a few passes after showing: the menu counts as left only once it has
        // been active.
        if (menuActive) everActive_ = true;
        if (everActive_ && (!desktop.applicationActive() || !menuActive)) {
            result = -1;
            closeMenu();
            return true;
        }
        return false;
    });
    if (!finished) result = -1;
    keyGate_.close();
    qApp->removeEventFilter(this);
    closeMenu();
    running_ = false;
    // A dimmed item, a heading or a line is chosen like any other: the caller ignores what it does
    // not act on.
    return result >= 0 && result < items.count() ? result : -1;
}

namespace {

DismissClick lastDismiss;
bool lastByKey = false;
TFmenu* openMenu = nullptr;

int showMenu(const Llist<std::string>& items, int current, int x, int y, TColor colour, bool grid,
             int rowsPerColumn, int shadingGroup, int columnWidth) {
    if (openMenu != nullptr) return -1; // one menu at a time
    TFmenu menu;
    lastDismiss = {};
    lastByKey = false;
    menu.items = items;
    menu.current = current;
    menu.grid = grid;
    menu.rowsPerColumn = rowsPerColumn;
    menu.shadingGroup = shadingGroup;
    menu.columnWidth = columnWidth;
    const int offset = grid ? 0 : 10;
    const TPoint mouse = popupDesktop().cursorPos();
    menu.position = {x == -1000 ? mouse.x - offset : x, y == -1000 ? mouse.y - offset : y};
    if (colour != -1) menu.colour = colour;
    openMenu = &menu;
    const int r = menu.run();
    openMenu = nullptr;
    lastDismiss = menu.dismissClick;
    lastByKey = menu.cancelled;
    return r;
}

} // namespace

int showPopupMenu(const Llist<std::string>& items, int current, int x, int y, TColor colour,
                  int columnWidth) {
    return showMenu(items, current, x, y, colour, false, -1, -1, columnWidth);
}

int showPopupGrid(const Llist<std::string>& items, int current, int rowsPerColumn, int shadingGroup, int x,
                  int y, TColor colour) {
    return showMenu(items, current, x, y, colour, true, rowsPerColumn, shadingGroup, -1);
}

DismissClick lastDismissClick() {
    return lastDismiss;
}

bool lastClosedByKey() {
    return lastByKey;
}

bool popupMenuOpen() {
    return openMenu != nullptr;
}

TFmenu* activePopupMenu() {
    return openMenu;
}
