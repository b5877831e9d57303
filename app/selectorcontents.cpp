// What each of the main window's selectors shows: the style, tempo, key, chord editor, page menu and
// arrangement point selectors, built on the one overlay; their rebuilding and closing.
#include "app/selectorcontents.h"

#include <string>

#include "app/quovelanta.h"
#include "engine/customstylemixes.h"
#include "engine/naming.h"
#include "engine/qvapoint.h"
#include "engine/styles.h"
#include "ui/qvselector.h"

namespace {

constexpr int kFirstUtilityId = 90; // utility styles wait for the last column
constexpr int kLastUtilityId = 110;

bool waitsForLastColumn(int id) {
    return id >= kFirstUtilityId && id <= kLastUtilityId;
}

bool listedLast(int id) {
    return id >= 88 && id <= 149;
}

TRect cellRect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// Fills cells from..to of a page by the column rule; next is the next entry to place.
void fillCells(const Llist<StyleSelectorEntry>& entries, StyleSelectorPage& page, int from, int to,
               int& next) {
    for (int cell = from; cell <= to; ++cell) {
        StyleSelectorCell& c = page.at(cell);
        const bool lastColumn = cell / kStyleSelectorRows == kStyleSelectorColumns - 1;
        if (next >= entries.count() || (waitsForLastColumn(entries.at(next).id) && !lastColumn)) {
            c = StyleSelectorCell{StyleSelectorCell::Ghost, -1};
        } else {
            c = StyleSelectorCell{StyleSelectorCell::Style, next};
            ++next;
        }
    }
}

StyleSelectorPage ghostPage() {
    StyleSelectorPage page;
    for (int i = 0; i < kStyleSelectorCells; ++i) page.add(StyleSelectorCell{});
    return page;
}

} // namespace

void styleSelectorEntries(const Styles& styles, Llist<StyleSelectorEntry>& out) {
    out.clear();
    // Names in library order, those numbered 88..149 last; each name once, followed at its place by
    // every style that carries it, so every style is listed exactly once.
    Llist<std::string> names;
    for (int pass = 0; pass < 2; ++pass)
        for (const StyleFile& s : styles) {
            if (listedLast(s.id) != (pass == 1)) continue;
            bool known = false;
            for (const std::string& n : names) known = known || n == s.name;
            if (!known) names.add(s.name);
        }
    for (int pass = 0; pass < 2; ++pass)
        for (const std::string& n : names)
            for (const StyleFile& s : styles)
                if (s.name == n && listedLast(s.id) == (pass == 1)) {
                    bool taken = false;
                    for (const StyleSelectorEntry& e : out)
                        taken = taken || (e.id == s.id && e.name == s.name);
                    if (!taken) out.add(StyleSelectorEntry{s.id, s.name});
                }
}

void layoutStyleSelectorPages(const Llist<StyleSelectorEntry>& entries, Llist<StyleSelectorPage>& pages) {
    pages.clear();
    const int last = kStyleSelectorCells - 1;
    int next = 0;
    StyleSelectorPage page = ghostPage();
    fillCells(entries, page, 0, last, next);
    if (next >= entries.count()) {
        pages.add(page);
        return;
    }
    // Several pages: each places at least the seven styles of its last column before the "next" cell.
    next = 0;
    while (next < entries.count() || pages.empty()) {
        page = ghostPage();
        int from = 0;
        if (!pages.empty()) {
            page.at(0) = StyleSelectorCell{StyleSelectorCell::Prev, -1};
            from = 1;
        }
        fillCells(entries, page, from, last - 1, next);
        if (entries.count() - next <= 1)
            fillCells(entries, page, last, last, next);
        else
            page.at(last) = StyleSelectorCell{StyleSelectorCell::Next, -1};
        pages.add(page);
    }
}

int styleSelectorPageOf(const Llist<StyleSelectorPage>& pages, int entry) {
    for (int p = 0; p < pages.count(); ++p)
        for (const StyleSelectorCell& c : pages.at(p))
            if (c.kind == StyleSelectorCell::Style && c.entry == entry) return p;
    return 0;
}

void QuoVelanta::beginSelector(int kind, Limage* target, Canvas* canvas, int left, int top, int width,
                               int height) {
    selectorKind = kind;
    if (selector == nullptr) return;
    selector->open(target, canvas, left, top, width, height);
    selector->setKind(kind);
    selector->theme.displayTextColor = engine.options.displayTextColor;
    selector->theme.whiteModel = engine.options.whiteModel;
    selector->volumeLevelsLocked = engine.core.volumeLock;
}

void QuoVelanta::openStyleSelector(Limage* target, Canvas* canvas, int x, int y, int currentStyleId,
                                   bool keepPage1, bool keepPage2) {
    engine.options.mainHintShown = true;
    selectorPlace[0] = x;
    selectorPlace[1] = y;
    beginSelector(kSelectorStyle, target, canvas, x - 3, y + 1, kStyleSelectorWidth, kStyleSelectorHeight);
    if (selector == nullptr) return;
    QvSelector& s = *selector;
    Llist<StyleSelectorEntry> entries;
    styleSelectorEntries(engine.styles, entries);
    Llist<StyleSelectorPage> pages;
    layoutStyleSelectorPages(entries, pages);
    if (!keepPage1 && !keepPage2) {
        int current = -1;
        for (int i = 0; i < entries.count() && current < 0; ++i)
            if (entries.at(i).id == currentStyleId) current = i;
        styleSelectorPage = styleSelectorPageOf(pages, current);
    }
    if (styleSelectorPage > pages.count() - 1) styleSelectorPage = pages.count() - 1;
    if (styleSelectorPage < 0) styleSelectorPage = 0;

    const int W = kStyleSelectorWidth;
    s.addSensor(cellRect(W - 313, 12, 25, 12), "<Lock>~Lock volume levels", engine.core.volumeLock,
                kLockVolumeLevelsId, kSensorToggle, true);
    s.addSensor(cellRect(W - 172, 12, 25, 12), "<Lock>~Lock tempo", engine.core.tempoLock, kLockTempoId,
                kSensorToggle, true);
    const StyleSelectorPage& page = pages.at(styleSelectorPage);
    for (int cell = 0; cell < page.count(); ++cell) {
        const int col = cell / kStyleSelectorRows, row = cell % kStyleSelectorRows;
        const TRect r = cellRect(10 + 126 * col, 31 + 20 * row, 125, 19);
        const StyleSelectorCell& c = page.at(cell);
        switch (c.kind) {
        case StyleSelectorCell::Ghost:
            s.addSensor(r, "<ghost>", false, -1, kSensorInert, false);
            break;
        case StyleSelectorCell::Next:
            s.addSensor(r, "<next>", false, kStyleNextPageId, kSensorInert, false);
            break;
        case StyleSelectorCell::Prev:
            s.addSensor(r, "<prev>", false, kStylePrevPageId, kSensorInert, false);
            break;
        case StyleSelectorCell::Style: {
            const StyleSelectorEntry& e = entries.at(c.entry);
            s.addSensor(r, "@^" + e.name, e.id == currentStyleId, e.id, 0, true);
            if (customStyleMixes != nullptr && customStyleMixes->hasMix(e.id)) s.setLastExtra(1);
            break;
        }
        }
    }
    s.paint(true);
}

void QuoVelanta::openTempoSelector(Limage* target, Canvas* canvas, int x, int y, int currentTempo) {
    engine.options.mainHintShown = true;
    selectorPlace[0] = x;
    selectorPlace[1] = y;
    beginSelector(kSelectorTempo, target, canvas, x - 3, y + 1, kTempoSelectorWidth, kTempoSelectorHeight);
    if (selector == nullptr) return;
    for (int k = 0; k < kTempoCells; ++k) {
        const int bpm = 25 + 5 * k;
        selector->addSensor(cellRect(10 + 47 * (k / 8), 10 + 20 * (k % 8), 46, 19), "^" + std::to_string(bpm),
                            bpm == currentTempo, k, 0, true);
    }
    selector->paint(true);
}

void QuoVelanta::openKeySelector(Limage* target, Canvas* canvas, int x, int y, bool present) {
    engine.options.mainHintShown = true;
    selectorPlace[0] = x;
    selectorPlace[1] = y;
    beginSelector(kSelectorKey, target, canvas, x - 3, y + 1, kKeySelectorWidth, kKeySelectorHeight);
    if (selector == nullptr) return;
    QvSelector& s = *selector;
    const bool sharps = engine.core.sharpFlatMode == 1;
    s.addSensor({10, 10, 56, 29}, "b", !sharps, kKeyFlatId, 1, true);
    s.addSensor({57, 10, 103, 29}, "#", sharps, kKeySharpId, 1, true);
    const int key = ((engine.core.key % 12) + 12) % 12;
    for (int i = 0; i < 12; ++i) {
        const int left = 10 + 26 * i + (i > 5 ? 21 : 0);
        const int shift = i - 5;
        const std::string caption = "^" + std::string(shift > 0 ? "+" : "") + std::to_string(shift);
        s.addSensor(cellRect(left, 41, i == 5 ? 46 : 25, 19), caption, key == (i + 7) % 12, i, 0, true);
    }
    s.paint(present);
}

void QuoVelanta::openChordSelector(const QvChord& chord, Limage* target, Canvas* canvas, int cellX,
                                   int cellTop, int pageLeft, int pageRight) {
    if (selector == nullptr) {
        selectorKind = kSelectorChord;
        return;
    }
    QvSelector& s = *selector;
    if (target != nullptr) {
        selectorPlace[0] = cellX;
        selectorPlace[1] = cellTop;
        selectorPlace[2] = pageLeft;
        selectorPlace[3] = pageRight;
        int left = cellX;
        const int most = pageRight - kChordSelectorWidth - 15;
        if (left > most) left = most;
        if (left < pageLeft + 16) left = pageLeft + 16;
        beginSelector(kSelectorChord, target, canvas, left, cellTop - kChordSelectorHeight - 1,
                      kChordSelectorWidth, kChordSelectorHeight);
    } else {
        s.clear();
    }
    s.chord = chord;
    const int shown = engine.options.visualTranspose;
    for (int i = 0; i < 16; ++i) {
        const int v = kChordEditorVariants[i];
        s.addSensor(cellRect(10 + 26 * i, 10, 25, 25), chordTypeSuffix(v, true), chord.variant == v,
                    kChordVariantFirstId + v, 1, true);
    }
    const int root = chord.visualKey(shown);
    const int bass = chord.visualBass(shown);
    for (int i = 0; i < 12; ++i)
        s.addSensor(cellRect(10 + 26 * i, 47, 25, chord.autoBass ? 38 : 25),
                    sessionNoteName(i, engine.core.sharpFlatMode), root == i, kChordRootFirstId + i, 0, true);
    if (!chord.autoBass)
        for (int i = 0; i < 12; ++i) {
            const bool checked = bass == i;
            s.addSensor(cellRect(10 + 26 * i, 73, 25, 12), checked && chord.bassOctave ? "<up>" : "", checked,
                        kChordBassFirstId + i, 2, true);
        }
    s.addSensor({426, 10, 451, 22}, "<invUp>", chord.inversion > 0, kChordInversionUpId, kSensorToggle, true);
    s.addSensor({426, 23, 451, 35}, "<invDown>", chord.inversion < 0, kChordInversionDownId, kSensorToggle,
                true);
    s.addSensor({322, 73, 347, 85}, "<bass>", !chord.autoBass, kChordBassToggleId, kSensorToggle, true);
    if (target != nullptr) s.paint(true);
}

void QuoVelanta::openPageMenu(Limage* target, Canvas* canvas, int slotX, int slotTop, int currentPage,
                              int pageLeft, int pageRight) {
    selectorPlace[0] = slotX;
    selectorPlace[1] = slotTop;
    selectorPlace[2] = pageLeft;
    selectorPlace[3] = pageRight;
    int left = slotX;
    if (left > pageRight - 394) left = pageRight - 394;
    if (left < pageLeft + 16) left = pageLeft + 16;
    beginSelector(kSelectorPageMenu, target, canvas, left, slotTop - kPageMenuHeight - 1, kPageMenuWidth,
                  kPageMenuHeight);
    if (selector == nullptr) return;
    QvSelector& s = *selector;
    for (int p = 0; p < kPageCount; ++p) {
        const int row = p / 12, col = p % 12;
        const bool used = !engine.core.pages.at(p).isEmpty();
        s.addSensor(cellRect(10 + 20 * col, 10 + 20 * row, 19, 19), (used ? "^%" : "") + pageLabel(p),
                    p == currentPage, p, 0, true);
    }
    const char* const commands[3] = {"Cut Content", "Copy Content", "Paste (Replace)"};
    for (int i = 0; i < 3; ++i) {
        const int cy = 19 + 20 * i;
        s.addLine(250, cy, 270, cy, 0, false);
        s.addSensor(cellRect(270, 10 + 20 * i, 99, 19), commands[i], false, kPageCutId + i, kSensorMomentary,
                    true);
    }
    s.paint(true);
}

void QuoVelanta::openArrangementSelector(const QvAPoint& point, Limage* target, Canvas* canvas, int areaLeft,
                                         int stripTop, int areaRight, int pointX) {
    selectorPlace[0] = areaLeft;
    selectorPlace[1] = stripTop;
    selectorPlace[2] = areaRight;
    selectorPlace[3] = pointX;
    const int W = kArrangementSelectorWidth;
    int left = (areaLeft + areaRight) / 2 - W / 2;
    if (pointX != -1) {
        left = pointX - 10;
        if (left > areaRight - W - 1) left = areaRight - W - 1;
        if (left < areaLeft) left = areaLeft;
    }
    beginSelector(kSelectorArrangement, target, canvas, left, stripTop - kArrangementSelectorHeight - 1, W,
                  kArrangementSelectorHeight);
    if (selector == nullptr) return;
    QvSelector& s = *selector;
    s.power1On = point.arrangeEnabled;
    s.power2On = point.fillEnabled;
    s.addLabel(28, 4, "ARRANGEMENT", false);
    s.addLabel(W - 67, 4, "CYMBAL", false);
    if (point.arrangeEnabled) {
        s.addLabel(30, 27, "Drums", false);
        s.addSensor({17, 42, 78, 68}, QvAPoint::drumModeNames().at(point.mDrums), false,
                    kArrangementDrumModeId, kSensorMomentary, false);
        if (point.mDrums != 2) {
            const char* const parts[4] = {"k", "s", "h", "+"};
            const bool on[4] = {point.oKick, point.oSnare, point.oHihat, point.oPerc};
            s.addLine(77, 46, 183, 46, 1, false);
            for (int i = 0; i < 4; ++i)
                s.addSensor(cellRect(79 + 26 * i, 49, 25, 12), parts[i], on[i], kArrangementKickId + i,
                            kSensorToggle, true);
        }
        s.addLabel(212, 27, "Bass", false);
        s.addSensor({194, 42, 255, 68}, QvAPoint::bassModeNames().at(point.mBass), false,
                    kArrangementBassModeId, kSensorMomentary, false);
        s.addLabel(279, 27, "Chords", false);
        s.addSensor({267, 42, 328, 68}, QvAPoint::chordModeNames().at(point.mChords), false,
                    kArrangementChordModeId, kSensorMomentary, false);
        if (point.mChords != 3) {
            const char* const layers[3] = {" a ", " b ", " c "};
            const bool on[3] = {point.oA, point.oB, point.oC};
            s.addLine(327, 46, 407, 46, 1, false);
            for (int i = 0; i < 3; ++i)
                s.addSensor(cellRect(329 + 26 * i, 49, 25, 12), layers[i], on[i], kArrangementLayerAId + i,
                            kSensorToggle, true);
        }
    }
    if (point.fillEnabled) {
        s.addLabel(453, 27, "Type", false);
        s.addSensor({435, 42, 496, 68}, QvAPoint::cymbalNames().at(point.cym), false, kArrangementCymbalId,
                    kSensorMomentary, false);
    }
    s.paint(true);
}

void QuoVelanta::rebuildStyleSelector(bool keepPage) {
    if (selectorKind != kSelectorStyle || selector == nullptr) return;
    openStyleSelector(selector->target, selector->canvas, selectorPlace[0], selectorPlace[1],
                      engine.core.styleNumber, keepPage, keepPage);
}

void QuoVelanta::rebuildTempoSelector() {
    if (selectorKind != kSelectorTempo || selector == nullptr) return;
    openTempoSelector(selector->target, selector->canvas, selectorPlace[0], selectorPlace[1],
                      engine.core.tempo());
}

void QuoVelanta::rebuildKeySelector(bool present) {
    if (selectorKind != kSelectorKey || selector == nullptr) return;
    openKeySelector(selector->target, selector->canvas, selectorPlace[0], selectorPlace[1], present);
}

void QuoVelanta::rebuildChordSelector(const QvChord& chord) {
    if (selectorKind != kSelectorChord || selector == nullptr) return;
    openChordSelector(chord, selector->target, selector->canvas, selectorPlace[0], selectorPlace[1],
                      selectorPlace[2], selectorPlace[3]);
}

void QuoVelanta::rebuildPageMenu(int currentPage) {
    if (selectorKind != kSelectorPageMenu || selector == nullptr) return;
    openPageMenu(selector->target, selector->canvas, selectorPlace[0], selectorPlace[1], currentPage,
                 selectorPlace[2], selectorPlace[3]);
}

void QuoVelanta::rebuildArrangementSelector(const QvAPoint& point) {
    if (selectorKind != kSelectorArrangement || selector == nullptr) return;
    openArrangementSelector(point, selector->target, selector->canvas, selectorPlace[0], selectorPlace[1],
                            selectorPlace[2], selectorPlace[3]);
}

void QuoVelanta::repaintStyleSelector() {
    rebuildStyleSelector(false);
}

void QuoVelanta::closeSelector(bool present) {
    // What the selector was open on goes first, so that the repaint shows no edited chord, no slot
    // with a menu and no selected point.
    editedChord = -1;
    menuSlot = -1;
    selectedPoint = -1;
    if (selector != nullptr) selector->close();
    selectorKind = kSelectorNone;
    host.selectorClosed(present);
}

int QuoVelanta::selectorSensorAt(int x, int y) const {
    if (selector == nullptr || selectorKind == kSelectorNone || !selector->isOpen()) return -1;
    const int i = selector->sensorAt(x, y);
    return i < 0 ? -1 : selector->sensors.at(i).id;
}
