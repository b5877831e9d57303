#include "ui/shadedialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "platform/qt/keymap.h"
#include "ui/geometry.h"
#include "ui/modalloop.h"

namespace {

TPoint toPoint(const QPoint& p) {
    return {p.x(), p.y()};
}

bool isBold(const std::string& line) {
    return !line.empty() && line[0] == '~';
}

std::string shownText(const std::string& line) {
    return isBold(line) ? line.substr(1) : line;
}

} // namespace

std::string shadeLinkToken(const std::string& line, std::size_t* start) {
    const std::size_t www = line.find("www.");
    if (www == std::string::npos) return {};
    std::size_t from = www;
    while (from > 0 && line[from - 1] != ' ' && line[from - 1] != '\t') --from;
    std::size_t to = www;
    while (to < line.size() && line[to] != ' ' && line[to] != '\t') ++to;
    if (start != nullptr) *start = from;
    return line.substr(from, to - from);
}

std::function<void(TFshadeDialog&)>& TFshadeDialog::onShown() {
    static std::function<void(TFshadeDialog&)> hook;
    return hook;
}

TFshadeDialog::TFshadeDialog() : ShadeWindow(ui) {
    setWindowModality(Qt::ApplicationModal);
}

void TFshadeDialog::prepare() {
    callShadePaintHook();
    Bitmap24 scratch;
    Canvas& measure = scratch.canvas();
    measure.font = Font{"Tahoma", -11};
    lineHeight = measure.textHeight("X") + 3;
    int widest = 0;
    for (const std::string& line : lines) {
        measure.font.bold = isBold(line);
        widest = std::max(widest, measure.textWidth(shownText(line)));
    }
    long long height =
        static_cast<long long>(topMargin) + 75 + static_cast<long long>(lines.count()) * lineHeight;
    long long width = std::max<long long>(480, widest + 2LL * leftMargin);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 10000, 10000);
    height = std::min<long long>(height, area.height());
    width = std::min<long long>(width, area.width());
    setFixedSize(static_cast<int>(width), static_cast<int>(height));
    move(area.left() + (area.width() - this->width()) / 2, area.top() + (area.height() - this->height()) / 2);

    callShadePaintHook();
    ui.attach(this, title, true, true);
    const int w = this->width();
    const int h = this->height();
    ui.begin(
        [this] {
            if (ui.buttonClicked && (ui.clickedId == 1 || ui.clickedId == 2 || ui.clickedId == -1))
                ui.closeRequested = true;
        },
        nullptr);
    ui.setWidth(100).setY(h - 48).setX(w - 124);
    if (hasCancel) ui.button("Cancel", -1).setX(w - 100 - 132);
    if (hasNo) ui.button("No", 2).addX(-108);
    ui.button(hasNo ? "Yes" : "OK", 1);
}

void TFshadeDialog::paintDialog() {
    callShadePaintHook();
    if (!ui.image.isValid()) return;
    Canvas& c = *ui.image.canvas();
    c.clearClip();
    const TColor linkColour = shadeDarkSkin() ? 0xFFB0B0 : 0xFF0000;
    int y = topMargin;
    for (const std::string& line : lines) {
        const std::string text = shownText(line);
        c.font = Font{"Tahoma", -11, isBold(line), false, ui.textColour};
        std::size_t start = 0;
        const std::string link = shadeLinkToken(text, &start);
        if (link.empty()) {
            c.textOut(leftMargin, y, text);
        } else {
            const std::string before = text.substr(0, start);
            const std::string after = text.substr(start + link.size());
            const int x0 = leftMargin + c.textWidth(before);
            c.textOut(leftMargin, y, before);
            c.font.underline = true;
            c.font.color = linkColour;
            c.textOut(x0, y, link);
            const int x1 = x0 + c.textWidth(link);
            c.font.underline = false;
            c.font.color = ui.textColour;
            c.textOut(x1, y, after);
            linkRect = {x0 - 2, y - 2, x1 + 2, y + lineHeight};
            linkText = link;
        }
        y += lineHeight;
    }
    ui.present();
}

int TFshadeDialog::run() {
    prepare();
    // Without memory for its picture or window the box is not shown (the failure is reported).
    if (!ui.image.isValid() || !imageReady()) return -1;
    show();
    if (QGuiApplication::platformName() != "offscreen") raise();
    activateWindow();
    paintDialog();
    keyGate_.open();
    bool shownCalled = false;
    const bool finished = runModalLoop([&] {
        if (!shownCalled) {
            shownCalled = true;
            if (onShown()) onShown()(*this);
        }
        callShadePaintHook();
        return ui.closeRequested || !isVisible();
    });
    const int result = finished && ui.closeRequested ? ui.clickedId : -1;
    keyGate_.close();
    hide();
    return result;
}

void TFshadeDialog::dialogKeyDown(int vk) {
    if (vk == vk::Return) {
        ui.setClickedIdOk();
        ui.closeRequested = true;
    } else if (vk == vk::Escape) {
        ui.clickedId = -1;
        ui.closeRequested = true;
    }
}

void TFshadeDialog::dialogMouseDown(TPoint client, TPoint screen) {
    ui.mouseDown(client, screen);
    if (linkRect.Left != -1 && pointInRect(client.x, client.y, linkRect)) openWebLink(this, linkText);
}

void TFshadeDialog::dialogMouseMove(TPoint client, TPoint screen) {
    ui.mouseMove(client, screen);
    if (linkRect.Left != -1 && pointInRect(client.x, client.y, linkRect))
        setCursor(Qt::PointingHandCursor);
    else if (cursor().shape() == Qt::PointingHandCursor)
        setCursor(Qt::ArrowCursor);
}

void TFshadeDialog::keyPressEvent(QKeyEvent* event) {
    dialogKeyDown(qtKeyToVk(event->key(), event->modifiers()));
}

void TFshadeDialog::mousePressEvent(QMouseEvent* event) {
    dialogMouseDown(toPoint(event->position().toPoint()), toPoint(event->globalPosition().toPoint()));
}

void TFshadeDialog::mouseMoveEvent(QMouseEvent* event) {
    dialogMouseMove(toPoint(event->position().toPoint()), toPoint(event->globalPosition().toPoint()));
}

int showShadeDialog(ShadeUI* colourSource, Llist<std::string>& lines, bool hasCancel, bool hasNo) {
    ShadeUI* previous = currentShadeUI();
    TFshadeDialog dialog;
    if (lines.count() > 0 && lines.at(0).rfind("title:", 0) == 0) {
        dialog.title = lines.at(0).substr(6);
        lines.remove(0);
    }
    if (colourSource != nullptr) {
        dialog.ui.faceColour = colourSource->faceColour;
        dialog.ui.textColour = colourSource->textColour;
    }
    dialog.lines = lines;
    dialog.hasCancel = hasCancel;
    dialog.hasNo = hasNo;
    const int result = dialog.run();
    setCurrentShadeUI(previous);
    return result;
}

int ShadeUI::showDialog(Llist<std::string>& lines, bool hasCancel, bool hasNo) {
    return showShadeDialog(this, lines, hasCancel, hasNo);
}
