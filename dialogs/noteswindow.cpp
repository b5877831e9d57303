#include "dialogs/noteswindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextDocument>
#include <utility>

#include "app/quovelanta.h"
#include "dialogs/mixerwindow.h"
#include "engine/qvcore.h"
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
    // An insertion is measured once the edit is complete (the document is not changed from inside
    // its own change notice).
    connect(Mnotes->document(), &QTextDocument::contentsChange, this, [this](int at, int, int added) {
        if (!loading && added > 0) insertedAt = at;
    });
    connect(Mnotes, &QPlainTextEdit::textChanged, this, [this] {
        if (loading) return;
        changed = true;
        const int at = std::exchange(insertedAt, -1);
        if (at >= 0) keepWithinLimits(at);
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
    ui.attach(this, "Session Notes", false, true);
    ui.begin(
        [this] {
            if (ui.buttonClicked && ui.clickedId == 0) closeFlag = true;
        },
        nullptr);
    ui.setX(width() - 128).setY(height() - 48).setWidth(104).setHeight(22).button("Close", 0);
    ui.present();
}

void TFnotes::keepWithinLimits(int at) {
    // A session file keeps at most kMaxNoteLines lines and kMaxNotesBytes bytes of notes (line breaks
    // not counted): what was just typed or pasted beyond them is not taken, so that nothing the window
    // shows is lost when the session is read again.
    QTextDocument* doc = Mnotes->document();
    const QString text = doc->toPlainText();
    int extraLines = doc->blockCount() - kMaxNoteLines;
    qsizetype extraBytes = text.toUtf8().size() - (doc->blockCount() - 1) - kMaxNotesBytes;
    if (extraLines <= 0 && extraBytes <= 0) return;
    const int end = std::min(static_cast<int>(text.size()), Mnotes->textCursor().position());
    int from = end;
    while (from > at && from > 0 && (extraLines > 0 || extraBytes > 0)) {
        int n = 1;
        if (from >= 2 && text.at(from - 1).isLowSurrogate() && text.at(from - 2).isHighSurrogate()) n = 2;
        from -= n;
        if (text.at(from) == QChar('\n'))
            --extraLines;
        else
            extraBytes -= text.mid(from, n).toUtf8().size();
    }
    QTextCursor cut(doc);
    cut.setPosition(from);
    cut.setPosition(end, QTextCursor::KeepAnchor);
    const bool wasLoading = loading;
    loading = true; // the cut belongs to the edit that overflowed
    cut.removeSelectedText();
    loading = wasLoading;
    QApplication::beep();
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
    // Without memory for its picture or window the notes window is not shown (the failure is reported).
    if (!ui.image.isValid() || !imageReady()) buildPanel();
    if (!ui.image.isValid() || !imageReady()) return;
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
