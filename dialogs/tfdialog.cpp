#include "dialogs/tfdialog.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "app/utilities.h"
#include "engine/options.h"
#include "engine/qvcore.h"
#include "foundation/strutil.h"
#include "platform/qt/font.h"
#include "platform/qt/keymap.h"
#include "ui/geometry.h"
#include "ui/modalloop.h"

namespace {

// The pages whose wait is running, oldest first.
std::vector<TFdialog*>& openPages() {
    static std::vector<TFdialog*> pages;
    return pages;
}

QColor qcolour(TColor c) {
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

void fillBox(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    if (right < left || bottom < top) return;
    c.brush = {colour, false};
    c.fillRect({left, top, right + 1, bottom + 1});
}

void hline(Canvas& c, int x0, int x1, int y, TColor colour) {
    fillBox(c, x0, y, x1, y, colour);
}

} // namespace

DialogServices& dialogServices() {
    static DialogServices services;
    return services;
}

QSize dialogScreenSize() {
    const DialogServices& s = dialogServices();
    if (s.screenSize) return s.screenSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->geometry().size();
    return {};
}

std::string slotItem(const Llist<std::string>& list, int index) {
    if (index < 0 || index >= list.count()) return {};
    return list.at(index);
}

TFdialog* topDialogPage() {
    std::vector<TFdialog*>& pages = openPages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it)
        if (!(*it)->isClosed()) return *it;
    return nullptr;
}

bool isDialogVisible() {
    for (TFdialog* page : openPages())
        if (page->isVisible()) return true;
    return false;
}

int currentDialogPageId() {
    TFdialog* top = topDialogPage();
    return top ? top->dialogPageId : kNoPage;
}

void closeDialogPages() {
    const std::vector<TFdialog*> pages = openPages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) (*it)->closePage(-1);
}

TFdialog::TFdialog(int pageId) : dialogPageId(pageId) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(makeQFont(Font{})); // the form's 11 px type, which its edit, memo and list take on
    scContext.aaPen = &aaPen;
    scContext.uiReady = true;
    bottomButtonRects.fill({-1, -1, -1, -1});
    keepPlaybackRunning = pageId != kPageReferenceTones;
}

TFdialog::~TFdialog() {
    std::vector<TFdialog*>& pages = openPages();
    pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
    restoreMainDrawing();
}

void TFdialog::tickPlayback() {
    if (keepPlaybackRunning) modalLoop().tick(false);
}

QLineEdit* TFdialog::Esequence() {
    if (!edit_) {
        edit_ = new QLineEdit(this);
        edit_->hide();
        edit_->move(24, 70);
        edit_->setFixedHeight(22);
        edit_->installEventFilter(this);
    }
    return edit_;
}

QPlainTextEdit* TFdialog::Mnotes() {
    if (!memo_) {
        memo_ = new QPlainTextEdit(this);
        memo_->hide();
        memo_->move(24, 52);
        memo_->installEventFilter(this);
    }
    return memo_;
}

QListWidget* TFdialog::Llistbox() {
    if (!list_) {
        list_ = new QListWidget(this);
        list_->hide();
        list_->move(24, 52);
        list_->installEventFilter(this);
        connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            if (onListClick) onListClick(list_->row(item));
        });
        connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { closePage(0); });
    }
    return list_;
}

void TFdialog::selectDialogDrawing() {
    const Options* options = dialogServices().options;
    if (options) {
        theme.whiteModel = options->whiteModel;
        theme.displayTextColor = options->displayTextColor;
    }
    if (dialogPageId == kPageAbout) {
        pageBackground = 0xF0F0F0;
        pageTextColour = 0x000000;
    } else if (theme.whiteModel) {
        pageBackground = 0xE8E8E8;
        pageTextColour = 0x505050;
    } else {
        pageBackground = 0x505050;
        pageTextColour = 0x88AEBE;
    }
    pageLineColour = scaleColour(pageTextColour, 0.8f);
    scContext.scTarget = &dialogImage;
    scContext.scCanvas = &canvas();
    scContext.scFaceColour = theme.whiteModel || dialogPageId == kPageAbout
                                 ? RGB(214, 214, 214)
                                 : scaleColour(pageBackground, 1.3f);
    scContext.scTextColour =
        theme.whiteModel || dialogPageId == kPageAbout ? RGB(40, 40, 40) : scaleColour(pageTextColour, 1.1f);
    scContext.scLedColour = theme.controlHighlightColour();
    scContext.scBoxColour = theme.whiteModel || dialogPageId == kPageAbout
                                ? RGB(150, 190, 235)
                                : scaleColour(theme.displayTextColour(-1), 0.75f);
}

void TFdialog::restoreMainDrawing() {
    scContext.scTarget = nullptr;
    scContext.scCanvas = nullptr;
    if (scContext.grabbedFader != nullptr) scContext.grabbedFader = nullptr;
}

void TFdialog::present() {
    if (!dialogImage.isValid() || dialogImage.bitmap() == nullptr) return;
    Canvas& c = canvas();
    c.clearClip();
    c.draw(0, 0, *dialogImage.bitmap());
}

void TFdialog::closePage(int result) {
    if (closed_) return;
    dialogResult = result;
    closed_ = true;
}

void TFdialog::darkSeam(int x, int h) {
    for (int y = 0; y < h; ++y) {
        const TColor p = dialogImage.pixel(x, y);
        if (p < 0) continue;
        dialogImage.canvas()->setPixel(x, y, mixColours(p, 0x141414, 0.6f));
    }
}

void TFdialog::drawPillar(int x0, int h, TColor p, TColor p2) {
    if (dialogImage.canvas() == nullptr) return;
    Canvas& c = *dialogImage.canvas();
    const int x1 = x0 + 6;
    hline(c, x0, x1, 0, scaleColour(p, 1.15f));
    fillBox(c, x0, 1, x1, 23, p);
    drawGradient(c, x0, 24, x1, 31, scaleColour(p, 0.85f), p, false);
    fillBox(c, x0, 32, x1, h - 65, p);
    drawGradient(c, x0, h - 64, x1, h - 57, p, p2, false);
    fillBox(c, x0, h - 56, x1, h - 2, p2);
    hline(c, x0, x1, h - 1, scaleColour(p2, 0.85f));
}

void TFdialog::drawFrame(int w, int h, const std::string& title) {
    if (dialogImage.canvas() == nullptr) return; // no memory for the picture: the page is not shown
    Canvas& c = *dialogImage.canvas();
    const TColor b = pageBackground;
    if (dialogPageId == kPageAbout) {
        dialogImage.fill(0xFFFFFF);
        c.pen = {0x000000, false};
        c.brush = {0x000000, false}; // a frame is drawn with the brush
        c.frameRect({0, 0, w, h});
        c.brush = {0, true};
        drawGradient(c, 2, 2, w / 2, 80, 0xD0C0C0, 0xFFFFFF, false);
        return;
    }
    dialogImage.fill(b);
    hline(c, 0, w - 1, 24, scaleColour(b, 0.9f));
    hline(c, 0, w - 1, 25, scaleColour(b, 1.15f));
    if (dialogPageId != kPageMessageBox) {
        drawGradient(c, 0, h - 64, w - 1, h - 57, b, scaleColour(b, 0.85f), false);
        fillBox(c, 0, h - 56, w - 1, h - 1, scaleColour(b, 0.85f));
    }
    hline(c, 0, w - 1, h - 1, scaleColour(b, 0.75f));

    const TColor mixedText = mixColours(b, pageTextColour, 0.25f);
    if (dialogPageId == kPageReferenceTones) {
        drawRoundRectAA(aaPen.setTarget(&dialogImage), c, 250, 38, 126, h - 113, 5,
                        scaleColour(b, theme.whiteModel ? 0.935f : 1.13f), b);
        const TColor hint = scaleColour(theme.dimTextColour(), 1.15f);
        c.font = Font{};
        c.font.color = hint;
        c.textOut(76, 128, "use");
        c.textOut(113, 128, "keys");
        c.pen = {hint, false};
        c.brush = {hint, false}; // the boxes are framed with the brush
        for (int top : {120, 137}) {
            c.frameRect({96, top, 96 + 13, top + 15});
            const bool up = top == 120;
            for (int i = 0; i < 4; ++i) {
                const int y = up ? top + 5 + i : top + 9 - i;
                hline(c, 102 - i, 102 + i, y, hint);
            }
        }
    } else if (dialogPageId == kPageAccompaniment) {
        aaPen.setTarget(&dialogImage).setColour(mixedText).circle(248, 165, 7, true);
        c.font = Font{};
        c.font.bold = true;
        c.font.color = pageTextColour;
        c.textOut(248 - c.textWidth("?") / 2, 165 - c.textHeight("?") / 2, "?");
        helpRect = {241, 158, 255, 172};
    } else if (dialogPageId == kPageSoundTest && dialogServices().soundTestPicture != nullptr) {
        // The picture is a grey-level mask on black: tinted, then added to the dark page (table 3,
        // a screen blend) or taken from the light one (table 7), so that its black leaves the page
        // as it is.
        Limage picture;
        picture.assign(*dialogServices().soundTestPicture);
        BlitArgs a;
        a.source = &picture;
        a.target = &dialogImage;
        a.x = 26;
        a.y = 30;
        a.tint = 0x84B0B0;
        a.tintTable = 13;
        a.table = theme.whiteModel ? 7 : 3;
        Limage::blitTintedBlend(a);
    }

    // The side pillars and their seams.
    const bool white = theme.whiteModel;
    const TColor p = RGB(192, truncToInt(192 * (white ? 1.0 : 0.92)), truncToInt(192 * (white ? 1.0 : 0.72)));
    const TColor p2 = dialogPageId == kPageMessageBox ? p : scaleColour(p, 0.85f);
    drawPillar(0, h, p, p2);
    drawPillar(w - 7, h, p, p2);
    for (int x : {0, 6, 7, w - 7, w - 1}) darkSeam(x, h);

    // The title bar.
    fillBox(c, 9, 2, w - 8 - (white ? 0 : 1), 23, scaleColour(b, white ? 1.07f : 1.2f));
    const TColor accent = scaleColour(theme.displayTextColour(-1), 0.84f);
    c.font = Font{};
    c.font.height = -17;
    c.font.color = scaleColour(accent, white ? 0.8f : 1.25f);
    c.setClipRect({9, 0, w - 8, 24});
    c.textOut(16, 1, title);
    c.clearClip();
    c.font = Font{};
    if (dialogPageId == kPageTranspose) {
        const TColor sep = mixColours(b, pageTextColour, 0.35f);
        hline(c, 25, w / 2 - 16, 72, sep);
        hline(c, w / 2 + 16, w - 25, 279, sep);
    }
}

void TFdialog::styleControls() {
    const bool white = theme.whiteModel;
    if (edit_) {
        const bool shown = dialogPageId == kPagePageSequence || dialogPageId == kPageSessionLinks;
        edit_->setVisible(shown);
        // The page sequence takes 80 characters, a link as many as a session file keeps of it (at
        // most three bytes a character), or a longer text read from a file whole.
        const int length = static_cast<int>(edit_->text().size());
        edit_->setMaxLength(dialogPageId == kPagePageSequence ? std::max(80, length)
                                                              : std::max(kMaxLinkBytes / 3, length));
        edit_->move(24, dialogPageId == kPageSessionLinks ? 90 : 70);
        QPalette pal = edit_->palette();
        pal.setColor(QPalette::Base, qcolour(theme.displayTextColour(-1)));
        pal.setColor(QPalette::Text, Qt::black);
        edit_->setPalette(pal);
    }
    const int w = width(), h = height();
    auto styleBox = [&](QWidget* box, bool shown) {
        box->setVisible(shown);
        box->resize(std::max(1, w - 2 * box->x()), std::max(1, h - box->y() - 88));
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, white ? Qt::white : qcolour(0x404040));
        pal.setColor(QPalette::Text, white ? Qt::black : qcolour(theme.themeShadeColour()));
        box->setPalette(pal);
    };
    if (memo_) styleBox(memo_, dialogPageId == kPageTextList);
    if (list_) {
        styleBox(list_, dialogPageId == kPageHistory || dialogPageId == kPagePresetProgressions);
        if (dialogPageId == kPagePresetProgressions) {
            list_->setFlow(QListView::TopToBottom);
            list_->setWrapping(true);
            list_->setResizeMode(QListView::Adjust);
            list_->setGridSize(QSize(std::max(1, (list_->width() - 4) / 3), 16));
        }
    }
}

void TFdialog::beginPage(int width, int height, const std::string& title) {
    linkRect = {-1, -1, -1, -1};
    tabRects.clear();
    selectedLinkTab = 0;
    keepPlaybackRunning = dialogPageId != kPageReferenceTones;
    width = std::max(1, width);
    height = std::max(1, height);
    begun_ = true;

    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setFixedSize(width, height);
    if (reopenPosition) {
        move(*reopenPosition);
    } else {
        const QSize screen = dialogScreenSize();
        if (screen.isValid()) move((screen.width() - width) / 2, (screen.height() - height) / 2);
    }
    dialogImage.setSize(width, height, true);
    tickPlayback();
    selectDialogDrawing();
    drawFrame(width, height, title.empty() ? std::string(kApplicationTitle) : title);
    styleControls();
    controls.clear();
    bottomButtonRects.fill({-1, -1, -1, -1});
    bottomButtonTexts.fill({});
    for (Llist<std::string>& items : slotItems) items.clear();
    tickPlayback();
}

int TFdialog::showPage(const std::string& text1, const std::string& text2, const std::string& text3) {
    if (running_) return -1; // this page is already waiting: a second wait on it would share its state
    if (!begun_) beginPage(500, 124, "");
    if (!dialogImage.isValid() || !imageReady()) {
        // Memory for the page's picture or window could not be had (the failure is reported): the page
        // is not shown and ends as closed.
        restoreMainDrawing();
        dialogResult = -1;
        return dialogResult;
    }
    tickPlayback();
    const int w = dialogImage.width(), h = dialogImage.height();
    if (!text1.empty()) {
        int x0 = w - 343 - (dialogPageId < kPageAbout ? 9 : 0);
        if (text2.empty()) x0 += 112;
        if (text3.empty()) x0 += 112;
        const std::string texts[3] = {text1, text2, text3};
        for (int i = 0; i < 3; ++i) {
            if (i > 0 && texts[i].empty()) continue;
            const int index = addPushButton(x0 + 112 * i, h - 48, 104, texts[i], false);
            bottomButtonRects[i] = controls.buttons.at(index).rect;
            bottomButtonTexts[i] = texts[i];
        }
    }
    controls.drawAll();
    tickPlayback();
    present();

    dialogResult = -1;
    closed_ = false;
    running_ = true;
    openPages().push_back(this);
    show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
    keyGate_.open();
    modalLoop().pumpEvents();
    if (!closed_ && onShown) onShown();
    waitUntilClosed();
    keyGate_.close();
    running_ = false;
    hide();
    std::vector<TFdialog*>& pages = openPages();
    pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
    restoreMainDrawing();
    return dialogResult;
}

void TFdialog::waitUntilClosed() {
    bool first = true;
    auto done = [&] {
        if (closed_) return true;
        if (!first && eachPass) eachPass();
        first = false;
        return closed_;
    };
    bool finished;
    if (keepPlaybackRunning) {
        finished = runModalLoop(done);
    } else {
        // Without playback ticks (the reference tones own the sound while their page shows).
        ModalLoop& loop = modalLoop();
        finished = false;
        for (;;) {
            if (done()) {
                finished = true;
                break;
            }
            if (loop.abortWaits()) break;
            loop.pumpEvents();
            if (done()) {
                finished = true;
                break;
            }
            if (loop.abortWaits()) break;
            loop.sleepMs(10); // the passes keep the page's 10 ms tone timer
        }
    }
    if (!finished) {
        // The program is quitting: the page ends as closed.
        closed_ = true;
        dialogResult = -1;
    }
}

int TFdialog::openSelectorPopup(int x, int y, const Llist<std::string>& items, int slot) {
    if (slot < 0 || slot >= kSlotCount) return -1;
    const ScValueBox& box = selectorSlots[slot];
    if (!ScValueBox::hitTest(box, x, y, -1)) return -1;
    DialogServices& s = dialogServices();
    if (!s.showPopupMenu || items.count() == 0) return -1;
    const QPoint at = mapToGlobal(QPoint(box.rect.Left - 5, box.rect.Bottom));
    const int boxWidth = box.rect.Right - box.rect.Left;
    popupOpen_ = true;
    const int chosen =
        s.showPopupMenu(items, -1, at.x(), at.y(), scaleColour(theme.dimTextColour(), 0.95f), boxWidth + 10);
    popupOpen_ = false;
    if (isVisible() && !closed_) activateWindow();
    return chosen >= 0 && chosen < items.count() ? chosen : -1;
}

void TFdialog::handleKey(int key, bool ctrl, bool shift) {
    if (closed_) return;
    if (onKeyDown && onKeyDown(key, ctrl, shift)) return;
    if (key == vk::Return && dialogPageId != kPageTextList)
        closePage(0);
    else if (key == vk::Escape)
        closePage(-1);
}

void TFdialog::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers m = event->modifiers();
    handleKey(qtKeyToVk(event->key(), m), m & Qt::ControlModifier, m & Qt::ShiftModifier);
    event->accept();
}

bool TFdialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == edit_ || watched == memo_ || watched == list_)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = qtKeyToVk(key->key(), key->modifiers());
        // The edit box and the list pass Enter and Esc to the page; the memo keeps Enter.
        const bool enter = code == vk::Return && watched != memo_;
        if (enter || code == vk::Escape) {
            handleKey(code, key->modifiers() & Qt::ControlModifier, key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return WindowSurface::eventFilter(watched, event);
}

void TFdialog::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (closed_) return;
    DialogServices& s = dialogServices();
    if (popupOpen_ || (s.popupMenuVisible && s.popupMenuVisible())) {
        if (s.closePopupMenu) s.closePopupMenu();
        return;
    }
    const int x = event->position().toPoint().x(), y = event->position().toPoint().y();
    const int button = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 0;
    if (button == 1) {
        void* changed = controls.mouse(x, y, true);
        if (changed != nullptr && onValueChanged) onValueChanged(changed, true);
        if (closed_) return;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (slotItems[slot].count() == 0 || !ScValueBox::hitTest(selectorSlots[slot], x, y, -1)) continue;
            const Llist<std::string> items = slotItems[slot]; // the handler may rebuild the rows
            const int chosen = openSelectorPopup(x, y, items, slot);
            if (chosen >= 0 && onSelectorClick && !closed_) onSelectorClick(slot, chosen);
            return;
        }
    }
    if (onMouseDown) onMouseDown(x, y, button);
    if (closed_) return;
    if (button == 1 && y <= kTitleBarHeight - 1 && dialogPageId != kPageAbout) {
        QWindow* window = windowHandle();
        if (window != nullptr && window->startSystemMove()) return;
        dragArmed_ = true;
        dragMouse_ = event->globalPosition().toPoint();
        dragForm_ = pos();
    }
}

void TFdialog::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint p = event->position().toPoint();
    if (dialogPageId == kPageAbout) {
        const bool overLink = linkRect.Left >= 0 && pointInRect(p.x(), p.y(), linkRect);
        setCursor(overLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    if (closed_) return;
    if (event->buttons() & Qt::LeftButton) {
        void* changed = controls.mouse(p.x(), p.y(), false);
        if (changed != nullptr && onValueChanged) onValueChanged(changed, false);
    }
    if (dragArmed_) {
        const QPoint target = dragForm_ + (event->globalPosition().toPoint() - dragMouse_);
        if (target != pos()) move(target);
    }
}

void TFdialog::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    dragArmed_ = false;
    if (closed_) return;
    const QPoint p = event->position().toPoint();
    const TRect pressed = controls.pressedRect();
    controls.releasePressed();
    for (int i = 0; i < 3; ++i) {
        const TRect& r = bottomButtonRects[i];
        if (r.Left < 0 || !(pressed == r) || !pointInRect(p.x(), p.y(), r)) continue;
        closePage(i);
        return;
    }
    if (onMouseUp) onMouseUp(p.x(), p.y(), pressed);
}

void TFdialog::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second press is a press like the first.
    mousePressEvent(event);
}

void TFdialog::closeEvent(QCloseEvent* event) {
    closePage(-1);
    event->accept();
}

void TFdialog::hideEvent(QHideEvent* event) {
    // Hidden by the program while waiting: the page ends as closed (the window system hiding it, as
    // when the program is minimised, does not end it).
    if (running_ && !event->spontaneous()) closePage(-1);
    WindowSurface::hideEvent(event);
}
