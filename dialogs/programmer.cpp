#include "dialogs/programmer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/paintutil.h"
#include "app/quovelanta.h"
#include "engine/midiout.h"
#include "engine/qvcore.h"
#include "foundation/strutil.h"
#include "platform/qt/keymap.h"
#include "platform/qt/windowsurface.h"
#include "ui/geometry.h"

namespace {

constexpr TColor kGridBase = 3684408;   // dark grey
constexpr TColor kRowC = 6307904;       // the rows of the note C
constexpr TColor kStrumLine = 49407;    // orange
constexpr TColor kNoteColour = 8438015; // C, E, G and drum notes
constexpr TColor kNoteA = 16763016;     // A
constexpr TColor kNoteOther = 6316287;  // every other pitch class
constexpr TColor kNoteEnd = 57600;      // green mark at a note's end
constexpr TColor kPanelDark = 2631720;  // track panel cells
constexpr int kCellTextGap = 4;         // blank columns at least between two track panel values
constexpr TColor kSilver = 13158600;
constexpr TColor kEditBack = 4473924;

constexpr int kPanelRight = 287; // the right part starts at width - 287
constexpr int kEditTop = 17;
constexpr int kEditHeight = 18;

TColor trackColour(const StyleTrack& t) {
    if (t.mode == 0) return kSilver;
    if (t.type == 0) return 11858100;
    if (t.type == 1) return 10537200;
    return 15780000;
}

bool isBlackKey(int key) {
    switch (((key % 12) + 12) % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

void fill(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush.clear = false;
    c.brush.color = colour;
    c.fillRect(TRect{left, top, right, bottom});
}

void hline(Canvas& c, int x0, int x1, int y, TColor colour) {
    c.pen.clear = false;
    c.pen.color = colour;
    c.moveTo(x0, y);
    c.lineTo(x1, y);
}

void vline(Canvas& c, int x, int y0, int y1, TColor colour) {
    c.pen.clear = false;
    c.pen.color = colour;
    c.moveTo(x, y0);
    c.lineTo(x, y1);
}

void text(Canvas& c, int x, int y, const std::string& s, int height, TColor colour, bool bold = false) {
    c.font.name = "Tahoma";
    c.font.height = -height;
    c.font.bold = bold;
    c.font.color = colour;
    c.textOut(x, y, s);
}

QString editStyle() {
    return QStringLiteral(
        "QLineEdit, QListWidget { background: #444444; color: #C0C0C0; border: 1px solid #202020;"
        " selection-background-color: #606060; font-family: 'DejaVu Sans Condensed';"
        " font-size: 11px; }"
        "QListWidget::item { padding: 0px; }"
        "QListWidget::item:selected { background: #606060; color: #FFFFFF; }");
}

} // namespace

TFprogrammer::TFprogrammer(QuoVelanta& app_, QWidget* parent)
    : QWidget(parent, Qt::Tool), model(&app_.styleEdits.style), app(app_) {
    setWindowTitle("Style Programmer");
    setFixedSize(kClientWidth, kClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    surface = new WindowSurface(this);
    surface->setGeometry(0, 0, kClientWidth, kClientHeight);
    surface->setAttribute(Qt::WA_TransparentForMouseEvents);
    image.setSize(kClientWidth, kClientHeight, true);

    const int W = kClientWidth;
    auto makeEdit = [&](int x, int w) {
        auto* e = new QLineEdit(this);
        e->setGeometry(x, kEditTop, w, kEditHeight);
        e->setStyleSheet(editStyle());
        e->installEventFilter(this);
        return e;
    };
    EstyleName = makeEdit(W - 280, 136);
    EstyleTempo = makeEdit(W - 140, 40);
    EstyleStepsPerBeat = makeEdit(W - 96, 40);
    EstyleStepsPerBar = makeEdit(W - 52, 45);
    EarpLength = makeEdit(300, 50);
    EarpLength->setGeometry(300, 4, 50, kEditHeight);
    for (QLineEdit* e : {EstyleName, EstyleTempo, EstyleStepsPerBeat, EstyleStepsPerBar})
        connect(e, &QLineEdit::textChanged, this, [this] {
            if (fieldsReady && !inPopup) readStyleFields();
        });
    connect(EstyleTempo, &QLineEdit::editingFinished, this, [this] { showLimitedTempo(); });

    Larp = new QListWidget(this);
    Larp->setGeometry(W - 280, 197, 280 - 7, kClientHeight - 7 - 197);
    LarpCat = new QListWidget(this);
    LarpCat->setGeometry(W - 280, 197 - 3 - 22, 280 - 7, 22);
    LarpCat->setFlow(QListView::LeftToRight);
    LarpCat->setWrapping(false);
    LarpCat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LarpCat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LarpCat->setUniformItemSizes(true);
    LarpCat->setTextElideMode(Qt::ElideNone);
    LarpCat->setGridSize(QSize((280 - 7 - 4) / 5, 18));
    for (const char* c : kLibraryCategories) LarpCat->addItem(QString::fromUtf8(c));
    for (QListWidget* l : {Larp, LarpCat}) {
        l->setStyleSheet(editStyle());
        l->installEventFilter(this);
    }
    connect(LarpCat, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseCategory(LarpCat->row(item)); });
    connect(Larp, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseLibraryRow(Larp->row(item)); });

    startEditing();
    showStyleFields();
    loadGrid();
}

TFprogrammer::~TFprogrammer() = default;

// ---------------------------------------------------------------------------------------------
// Showing and refreshing

void TFprogrammer::startEditing() {
    // Edits that are not written stay in the buffer; otherwise the window follows the current style.
    if (!app.styleEdits.edited) app.styleEdits.take(app.engine.styles);
    model.style = &app.styleEdits.style;
    model.currentTrack = std::clamp(model.currentTrack, 0, kStyleTrackCount - 1);
}

void TFprogrammer::showProgrammer() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    // Without memory for its picture or window the Style Programmer is not shown (the failure is
    // reported).
    if (!image.isValid()) image.setSize(kClientWidth, kClientHeight, true);
    if (!image.isValid() || !surface->imageReady()) return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - kClientWidth) / 2, area.y() + (area.height() - kClientHeight) / 2);
    }
    show();
}

void TFprogrammer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LarpCat->setCurrentRow(0);
    onShow();
}

void TFprogrammer::onShow() {
    startEditing();
    if (LarpCat->currentRow() < 0) LarpCat->setCurrentRow(0);
    fillLibrary();
    showStyleFields();
    loadGrid();
    paintProgrammer(false);
}

void TFprogrammer::refresh() {
    if (!isVisible() || applying) return;
    onShow();
}

void TFprogrammer::showStyleFields() {
    const StyleFile& s = *model.style;
    fieldsReady = false;
    EstyleName->setText(QString::fromStdString(s.name));
    EstyleTempo->setText(QString::number(s.bpm));
    EstyleStepsPerBeat->setText(QString::number(s.stepsPerBeat));
    EstyleStepsPerBar->setText(QString::number(s.stepsPerBar));
    fieldsReady = true;
}

void TFprogrammer::readStyleFields() {
    const int perBeat = model.style->stepsPerBeat, perBar = model.style->stepsPerBar;
    if (model.setStyleFields(EstyleName->text().toStdString(), EstyleTempo->text().toStdString(),
                             EstyleStepsPerBeat->text().toStdString(),
                             EstyleStepsPerBar->text().toStdString()))
        apply();
    // A tempo above the range shows its limit at once (more digits cannot bring it back); one below
    // it (the first digit of a tempo being typed) once the field is left or Enter is pressed.
    if (textToInt(EstyleTempo->text().toStdString()) > kMaxTempo) showLimitedTempo();
    // The picture shows the step grid, not the name or the tempo: a full paint for every typed
    // character would hold up the keys that follow it.
    if (model.style->stepsPerBeat != perBeat || model.style->stepsPerBar != perBar) paintProgrammer(false);
}

void TFprogrammer::showLimitedTempo() {
    const QString limited = QString::number(model.style->bpm);
    if (EstyleTempo->text() == limited) return;
    fieldsReady = false;
    EstyleTempo->setText(limited);
    fieldsReady = true;
}

void TFprogrammer::loadGrid() {
    fieldsReady = false;
    EarpLength->setText(QString::number(model.arp().length));
    fieldsReady = true;
    model.loadGrid();
}

void TFprogrammer::apply(bool edited) {
    pendingApply = false;
    if (edited) {
        app.styleEdits.beginEdit(app.engine.core.tempoValue);
        app.styleEdits.markEdited(app.engine.styles);
    }
    applying = true;
    app.selectStyle(-2, false, false, false);
    applying = false;
    ++applies;
}

// ---------------------------------------------------------------------------------------------
// Track library

void TFprogrammer::fillLibrary() {
    // Every row carries the style and track it copies; the list is built again from the library as
    // it is now, keeping its scroll position.
    const int scroll = Larp->verticalScrollBar()->value();
    library = model.libraryItems(app.engine.styles, std::max(0, LarpCat->currentRow()));
    Larp->clear();
    for (const LibraryItem& item : library) Larp->addItem(QString::fromStdString(item.text));
    Larp->verticalScrollBar()->setValue(scroll);
    app.playbackTick(); // the listing can take a while
}

void TFprogrammer::chooseCategory(int category) {
    if (category < 0 || category >= 5) return;
    if (LarpCat->currentRow() != category) LarpCat->setCurrentRow(category);
    fillLibrary();
}

void TFprogrammer::chooseLibraryRow(int row) {
    if (inPopup || row < 0 || row >= int(library.size())) return;
    if (!model.copyFromLibrary(app.engine.styles, library[row])) return;
    loadGrid();
    apply();
    paintProgrammer(false);
}

// ---------------------------------------------------------------------------------------------
// Input

void TFprogrammer::mouseDown(int x, int y, bool right, bool ctrl, bool alt, bool shift) {
    if (inPopup) return;
    dragging = false;
    press(x, y, right, ctrl, alt, shift);
}

void TFprogrammer::mouseMove(int x, int y, bool leftHeld, bool rightHeld, bool ctrl, bool alt, bool shift) {
    if (inPopup || (!leftHeld && !rightHeld)) return;
    dragging = true;
    press(x, y, !leftHeld, ctrl, alt, shift);
    dragging = false;
}

void TFprogrammer::mouseUp() {
    if (pendingApply) apply();
}

void TFprogrammer::press(int x, int y, bool right, bool ctrl, bool alt, bool shift) {
    if (x < kLabelMargin) {
        // Margin actions act on the press alone, never again while the mouse moves.
        if (dragging) return;
        if (right)
            openOperationsMenu();
        else
            apply(false); // the style is played again as it stands
        return;
    }
    int column = 0, row = 0;
    if (ProgrammerModel::cellAt(x, y, column, row)) {
        if (model.gridPress(column, row, right, ctrl, alt, shift, dragging)) {
            // Heard when the mouse is released; the buffer holds an edit from now on, so that
            // nothing that selects the style meanwhile takes it back.
            app.styleEdits.beginEdit(app.engine.core.tempoValue);
            pendingApply = true;
            paintProgrammer(true);
        }
        return;
    }
    if (dragging) return;
    const int W = kClientWidth;
    bool repaint = false;
    for (int t = 0; t < kStyleTrackCount; ++t) {
        TRect r = ProgrammerModel::trackRowRect(t, W);
        if (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom && t != model.currentTrack) {
            model.selectTrack(t);
            loadGrid();
            repaint = true;
        }
    }
    int track = 0;
    TrackParam p = TrackParam::Volume;
    if (model.paramAt(x, y, W, track, p)) {
        app.playbackTick();
        if (p == TrackParam::Program) {
            openProgramGrid(track);
        } else if (model.stepParam(track, p, right, ctrl)) {
            if (p == TrackParam::Mode)
                for (int ch = 0; ch < 16; ++ch) app.engine.midi.sendSustain(false, ch);
            apply();
        }
        repaint = true;
    }
    if (repaint) paintProgrammer(false);
}

void TFprogrammer::openOperationsMenu() {
    if (pendingApply) apply();
    Llist<std::string> items(0, 1, true);
    for (const PatternOperation& op : kPatternOperations) items.add(op.text);
    int chosen = -1;
    if (popupMenu) {
        inPopup = true;
        app.popupMenuOpen = true;
        chosen = popupMenu(items, -1, -1000, -1000, -1, -1);
        app.popupMenuOpen = false;
        inPopup = false;
    }
    if (chosen < 0 || chosen >= items.count()) return;
    if (model.runOperation(kPatternOperations[chosen].tag)) apply();
    loadGrid();
    paintProgrammer(false);
}

void TFprogrammer::openProgramGrid(int track) {
    Llist<std::string> names(0, 1, true);
    for (int p = 0; p < 128; ++p) names.add(gmProgramName(p));
    int chosen = -1;
    if (popupGrid) {
        inPopup = true;
        app.popupMenuOpen = true;
        chosen = popupGrid(names, model.paramValue(track, TrackParam::Program), 32, 8, -1000, -1000, -1);
        app.popupMenuOpen = false;
        inPopup = false;
    }
    if (model.setProgram(track, chosen)) apply();
}

bool TFprogrammer::keyDown(int vk) {
    if (inPopup) return false;
    if (vk >= vk::F1 && vk <= vk::F1 + 3) {
        if (pendingApply) apply();
        model.selectPage(vk - vk::F1);
        loadGrid();
        paintProgrammer(false);
        return true;
    }
    if (vk == vk::F1 + 7) { // F8: the current track's notes go
        if (model.clearTrackNotes()) apply();
        loadGrid();
        paintProgrammer(true);
        return true;
    }
    if (vk == vk::Escape) {
        requestClose();
        return true;
    }
    return false;
}

bool TFprogrammer::requestClose() {
    if (closing) return false;
    if (pendingApply) apply();
    closing = true;
    QuoVelanta::StyleEditEnd end = app.closeStyleEdits();
    closing = false;
    if (end == QuoVelanta::StyleEditEnd::KeepEditing) {
        if (isVisible()) paintProgrammer(false);
        return false;
    }
    hide();
    return true;
}

void TFprogrammer::closeEvent(QCloseEvent* event) {
    // The question runs outside the close event; the window stays until it is answered.
    event->ignore();
    QTimer::singleShot(0, this, [this] { requestClose(); });
}

void TFprogrammer::keyPressEvent(QKeyEvent* event) {
    if (!keyDown(qtKeyToVk(event->key(), event->modifiers()))) QWidget::keyPressEvent(event);
}

bool TFprogrammer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int vk = qtKeyToVk(key->key(), key->modifiers());
        if (watched == EarpLength && vk == vk::Return) {
            if (!inPopup && model.setPatternLength(EarpLength->text().toStdString())) apply();
            loadGrid();
            paintProgrammer(false);
            return true;
        }
        if (keyDown(vk)) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFprogrammer::mousePressEvent(QMouseEvent* event) {
    const Qt::KeyboardModifiers m = event->modifiers();
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    const QPoint p = event->position().toPoint();
    mouseDown(p.x(), p.y(), event->button() == Qt::RightButton, m & Qt::ControlModifier, m & Qt::AltModifier,
              m & Qt::ShiftModifier);
}

void TFprogrammer::mouseMoveEvent(QMouseEvent* event) {
    const Qt::KeyboardModifiers m = event->modifiers();
    const QPoint p = event->position().toPoint();
    mouseMove(p.x(), p.y(), event->buttons() & Qt::LeftButton, event->buttons() & Qt::RightButton,
              m & Qt::ControlModifier, m & Qt::AltModifier, m & Qt::ShiftModifier);
}

void TFprogrammer::mouseReleaseEvent(QMouseEvent*) {
    mouseUp();
}

// ---------------------------------------------------------------------------------------------
// Painting

void TFprogrammer::present() {
    if (image.bitmap()) surface->canvas().draw(0, 0, *image.bitmap());
}

void TFprogrammer::paintProgrammer(bool gridOnly) {
    Canvas* cp = image.canvas();
    if (!cp) return;
    Canvas& c = *cp;
    app.playbackTick();
    if (gridOnly) {
        paintGrid(false);
        present();
        return;
    }
    const int W = kClientWidth;
    c.clearClip();
    fill(c, 0, 0, W - kPanelRight, kClientHeight, 0);
    fill(c, W - kPanelRight, 0, W, kClientHeight, kGridBase);
    text(c, 100, 2, "Page " + intToText(model.gridPage + 1), 17, kSilver);
    fill(c, 161, 7, 231, 20, 0);
    c.setClipRect(TRect{161, 7, 231, 20});
    text(c, 163, 7, intToText(model.arp().notes.count()) + " notes", 11, scaleColour(kSilver, 0.67f));
    c.clearClip();
    text(c, 256, 6, "Length", 11, scaleColour(kSilver, 0.8f));
    app.playbackTick();
    paintGrid(true);
    app.playbackTick();
    paintTrackPanel();
    const TColor label = scaleColour(kSilver, 0.8f);
    text(c, W - 280, kEditTop - 15, "Style name", 11, label);
    text(c, W - 140, kEditTop - 15, "BPM", 11, label);
    text(c, W - 96, kEditTop - 15, "s/b", 11, label);
    text(c, W - 52, kEditTop - 15, "s/B", 11, label);
    present();
}

void TFprogrammer::paintGrid(bool labels) {
    Canvas& c = *image.canvas();
    const StyleTrack& track = model.track();
    const StyleFile& style = *model.style;
    const int perBeat = std::max(1, style.stepsPerBeat);
    const int perBar = std::max(1, style.stepsPerBar);
    const int strumRow = track.arp.strumHeight > 0 ? track.arp.strumHeight + 36 : -1;
    c.clearClip();
    fill(c, labels ? 0 : kGridLeft, kGridTop - 2, kGridLeft + kGridColumns * kCellWidth + 8,
         kGridTop + kGridRows * kCellHeight + 2, 0);
    // Pass 1: backgrounds, lines and the row labels.
    for (int row = 0; row < kGridRows; ++row) {
        const int key = row + kGridLowestKey;
        TColor base = kGridBase;
        if (track.type == 3 && row > 25) base = scaleColour(base, 0.4f);
        TColor colour = base;
        if (isBlackKey(key)) colour = scaleColour(base, 0.8f);
        if (row % 12 == 1) colour = kRowC;
        if (track.type == 3) {
            colour = scaleColour(colour, row > 24 ? 1.2f : 0.75f);
            if (row >= 37 && row <= 43) colour = scaleColour(kRowC, 1.2f);
        }
        const TColor line = scaleColour(colour, 0.6f);
        for (int column = 0; column < kGridColumns; ++column) {
            TRect r = ProgrammerModel::cellRect(column, row);
            fill(c, r.Left, r.Top, r.Right, r.Bottom, colour);
            hline(c, r.Left, r.Right, r.Bottom - 1, line);
            const int step = model.stepOf(column);
            float f = step % perBar == 0 ? 1.85f : step % perBeat == 0 ? 1.25f : 1.0f;
            vline(c, r.Left, r.Top, r.Bottom, scaleColour(line, f));
            if (row == strumRow) hline(c, r.Left, r.Right, r.Top + kCellHeight / 2, kStrumLine);
            if (column == 0 && labels) {
                c.setClipRect(TRect{0, r.Top - 2, kGridLeft - 2, r.Bottom});
                fill(c, 0, r.Top - 2, kGridLeft - 2, r.Bottom, 0);
                text(c, 8, r.Top - 2, gridRowLabel(row), 11,
                     scaleColour(colour, isBlackKey(key) ? 1.3f : 1.6f));
                c.clearClip();
            }
        }
    }
    // Pass 2: the notes.
    for (int column = 0; column < kGridColumns; ++column)
        for (int row = 0; row < kGridRows; ++row) {
            const ProgrammerCell& cell = model.cells[column][row];
            if (cell.empty()) continue;
            const int key = row + kGridLowestKey;
            TColor colour = kNoteColour;
            if (track.type >= 1 && track.type <= 3 && (track.type != 3 || key < 60)) {
                const int pc = key % 12;
                if (pc == 0 || pc == 4 || pc == 7)
                    colour = kNoteColour;
                else if (pc == 9)
                    colour = kNoteA;
                else
                    colour = kNoteOther;
            }
            TRect r = ProgrammerModel::cellRect(column, row);
            const double barHeight = kCellHeight * (std::clamp(cell.velocity, 0, 127) * 0.9 / 128 + 0.1);
            const int top = r.Bottom - std::max(1, truncToInt(barHeight));
            const int right =
                r.Left + std::max(1, truncToInt(std::min(cell.length, double(kGridColumns)) * kCellWidth));
            c.setClipRect(TRect{kGridLeft, kGridTop, kGridLeft + kGridColumns * kCellWidth + 1,
                                kGridTop + kGridRows * kCellHeight});
            drawGradient(c, r.Left + 1, top, right - 1, r.Bottom - 2, colour, scaleColour(colour, 1.0f / 3),
                         false);
            if (model.currentTrack != 0) c.setPixel(right - 1, top, kNoteEnd);
            c.clearClip();
        }
}

void TFprogrammer::paintTrackCell(int t, TrackParam p) {
    Canvas& c = *image.canvas();
    const StyleTrack& track = model.style->tracks.at(t);
    TRect r = ProgrammerModel::paramRect(t, p, kClientWidth);
    fill(c, r.Left, r.Top + 1, r.Right, r.Bottom + 1, kPanelDark);
    TColor colour = track.mode == 0   ? scaleColour(kSilver, 0.27f)
                    : track.type == 0 ? 11858100
                    : track.type == 1 ? 10537200
                                      : 15780000;
    // The interface font's stand-in has wider figures than the design's: a value that would run up
    // to the next cell's text is written smaller (down to 9 px, on the same baseline), so that
    // neighbouring values stay apart. Program names are only clipped.
    const std::string value = model.paramText(t, p);
    int size = 11;
    if (p != TrackParam::Program)
        while (size > 9 && paint::textWidth(c, value, size) > r.Right - r.Left - kCellTextGap) --size;
    const int y = r.Top + 11 - size; // the ascent shrinks with the size: one baseline
    c.setClipRect(TRect{r.Left, r.Top, r.Right, r.Bottom + 1});
    text(c, r.Left + 1, y, value, size, colour);
    c.clearClip();
}

void TFprogrammer::paintTrackPanel() {
    Canvas& c = *image.canvas();
    const int W = kClientWidth;
    const TColor caption = scaleColour(kSilver, 0.55f);
    const int headerTop = 17 * 0 + 33;
    static const char* const heads[kTrackParamCount] = {"Program", "Vol", "Tr", "Md", "Ty",
                                                        "L",       "BL",  "BV", "SV"};
    for (int k = 0; k < kTrackParamCount; ++k) {
        TRect r = ProgrammerModel::paramRect(0, TrackParam(k), W);
        text(c, r.Left + 1, headerTop, heads[k], 11, caption);
    }
    for (int t = 0; t < kStyleTrackCount && t < model.style->tracks.count(); ++t) {
        const StyleTrack& track = model.style->tracks.at(t);
        const int top = 17 * (t + 1) + 33;
        const bool current = t == model.currentTrack;
        fill(c, W - 280, top, W - 8, top + 15, kPanelDark);
        const TColor colour = trackColour(track);
        fill(c, W - 280, top, W - 264, top + 16, scaleColour(colour, current ? 0.8f : 0.4f));
        if (current) hline(c, W - 280, W - 8, top + 16, scaleColour(colour, 0.63f));
        text(c, W - 276, top - 2, t == 0 ? "D" : intToText(t), 17,
             scaleColour(colour, current ? 2.0f : 1.25f));
        for (int k = 0; k < kTrackParamCount; ++k)
            if (ProgrammerModel::hasParam(t, TrackParam(k))) paintTrackCell(t, TrackParam(k));
    }
}
