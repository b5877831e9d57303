#include "dialogs/noteswindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>

#include "app/quovelanta.h"
#include "dialogs/mixerwindow.h"
#include "engine/qvhistory.h"
#include "platform/qt/font.h"
#include "platform/qt/keymap.h"
#include "ui/theme.h"

namespace {

QColor qcolour(TColor c) {
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

} // namespace

TFnotes::TFnotes(QuoVelanta& app_, QvHistory* history_, QWidget* parent)
    : ShadeWindow(ui, parent), app(app_), history(history_) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle("Session Notes");
    setFixedSize(kClientWidth, kClientHeight);
    Mnotes = new QPlainTextEdit(this);
    Mnotes->setObjectName("Mnotes");
    Mnotes->setGeometry(24, 40, 557, 224);
    Mnotes->setFrameShape(QFrame::NoFrame);
    Mnotes->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Mnotes->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Mnotes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Mnotes->installEventFilter(this);
    connect(Mnotes, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading) changed = true;
    });
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    buildPanel();
}

TFnotes::~TFnotes() = default;

void TFnotes::buildPanel() {
    const bool white = app.engine.options.whiteModel;
    Theme theme;
    theme.whiteModel = white;
    theme.displayTextColor = app.engine.options.displayTextColor;
    shadeDarkSkin() = !white;
    QPalette p = Mnotes->palette();
    p.setColor(QPalette::Base, white ? QColor(255, 255, 255) : qcolour(0x404040));
    p.setColor(QPalette::Text, white ? QColor(0, 0, 0) : qcolour(theme.themeShadeColour()));
    Mnotes->setPalette(p);
    attachToolWindowFrame(ui, this, "Session Notes");
    ui.begin(
        [this] {
            if (ui.buttonClicked && ui.clickedId == 0) closeFlag = true;
        },
        nullptr);
    ui.setX(width() - 128).setY(height() - 48).setWidth(104).setHeight(22).button("Close", 0);
    ui.present();
}

void TFnotes::loadNotes() {
    QStringList lines;
    for (const std::string& line : app.engine.core.sessionNotes) lines << displayText(line);
    loading = true;
    Mnotes->setPlainText(lines.join('\n'));
    loading = false;
    changed = false;
}

void TFnotes::storeNotes() {
    Llist<std::string>& notes = app.engine.core.sessionNotes;
    notes.clear();
    const QString text = Mnotes->toPlainText();
    if (!text.isEmpty())
        for (const QString& line : text.split('\n')) notes.add(line.toStdString());
    changed = false;
}

bool TFnotes::storePending() {
    if (!changed) return false;
    storeNotes();
    if (history) history->record("Edit session notes", false);
    return true;
}

void TFnotes::showNotes() {
    if (!isVisible()) loadNotes();
    if (isMinimized()) showNormal();
    show();
    ui.present();
    raise();
    activateWindow();
    Mnotes->setFocus();
}

void TFnotes::closeForm() {
    closeFlag = false;
    hide();
}

void TFnotes::mousePressEvent(QMouseEvent* event) {
    ShadeWindow::mousePressEvent(event);
    handleTitleBoxes(ui, *this);
    if (closeFlag) closeForm();
}

void TFnotes::keyPressEvent(QKeyEvent* event) {
    if (qtKeyToVk(event->key(), event->modifiers()) == vk::Escape) {
        closeForm();
        return;
    }
    ShadeWindow::keyPressEvent(event);
}

bool TFnotes::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Mnotes && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (qtKeyToVk(key->key(), key->modifiers()) == vk::Escape) {
            closeForm();
            return true;
        }
    }
    return ShadeWindow::eventFilter(watched, e);
}

bool TFnotes::event(QEvent* e) {
    if (e->type() == QEvent::WindowDeactivate) formDeactivate();
    return ShadeWindow::event(e);
}

void TFnotes::hideEvent(QHideEvent* event) {
    storePending();
    closeFlag = false;
    ShadeWindow::hideEvent(event);
}

void TFnotes::closeEvent(QCloseEvent* event) {
    storePending();
    closeFlag = false;
    ShadeWindow::closeEvent(event);
}
