// The selector overlay's own clicks (style, tempo, key, chord editor, page menu, arrangement point
// editor) and the main window's context menus, both reached from the mouse-down dispatcher.
#include <string>

#include "app/flagscope.h"
#include "app/mainform.h"
#include "app/quovelanta.h"
#include "app/selectorcontents.h"
#include "ui/modalloop.h"
#include "ui/popupmenu.h"
#include "ui/qvselector.h"

namespace {

Llist<std::string> textLines(std::initializer_list<std::string> text) {
    Llist<std::string> out;
    for (const std::string& t : text) out.add(t);
    return out;
}

} // namespace

// ---- Menus and the click replay ----

int QuoVelanta::runContextMenu(const Llist<std::string>& items, int px, int py, TColor colour,
                               int columnWidth) {
    int r = -1;
    {
        const FlagScope busy(popupMenuOpen); // cleared even when the menu fails
        r = contextMenu ? contextMenu(items, px, py, colour, columnWidth)
                        : showPopupMenu(items, -1, px, py, colour, columnWidth);
    }
    if (r >= 0 || quitRequested) return r;
    int x = 0, y = 0, b = 0, m = 0;
    if (dismissClickSource) {
        if (!dismissClickSource(x, y, b, m)) return r;
    } else {
        // Dismissed by a click: on the main window it is replayed, once the current handler has ended.
        const DismissClick d = lastDismissClick();
        if (!d.valid || hostForm == nullptr) return r;
        const QPoint p = hostForm->mapFromGlobal(QPoint(d.global.x, d.global.y));
        if (!hostForm->rect().contains(p)) return r;
        x = p.x();
        y = p.y();
    }
    scheduleClickReplay(x, y, b, m);
    return r;
}

// ---- The selector's own clicks ----

void QuoVelanta::selectorClick(int x, int y, int button, int kindAtEntry, bool& done) {
    QvCore& core = engine.core;
    const int kind = selectorKind;
    if (selector == nullptr || kind == 0) return;
    if (kind == 6) {
        arrangementEditorClick(x, y, button);
        done = true;
        return;
    }
    const int id = button == 1 ? selector->click(x, y) : -1;
    (void)kindAtEntry;
    switch (kind) {
    case 1:
        if (id == kStyleNextPageId || id == kStylePrevPageId) {
            styleSelectorPage += id == kStyleNextPageId ? 1 : -1;
            if (styleSelectorPage < 0) styleSelectorPage = 0;
            rebuildStyleSelector(true);
        } else if (id == kLockVolumeLevelsId || id == kLockTempoId) {
            toggleFlag(id == kLockVolumeLevelsId ? core.volumeLock : core.tempoLock);
            rebuildStyleSelector(true);
        } else if (id >= 0) {
            const bool custom = selector->clickedExtra();
            // The selector closes after the choice: the Style box shows the chosen name at once.
            const int chosen = engine.styles.indexOfId(id);
            if (engine.options.closeStyleSelector && chosen >= 0 && backBuffer.isValid())
                styleBoxRect = paintStatusBox(styleCell, "Style", engine.styles.at(chosen).name, true, true);
            selector->paint(true); // the pressed cell, shown through the pause before the switch
            presentNow(displayRect);
            chooseStyle(id, custom);
            if (engine.options.closeStyleSelector)
                closeSelectorOverlay();
            else if (selectorKind == 1)
                rebuildStyleSelector(true);
            paintStyleBox();
            paintTempoBox();
        }
        done = true;
        return;
    case 2:
        if (id >= 0 && id < kTempoCells) {
            core.tempo(id * 5 + 25);
            rebuildTempoSelector();
            paintTempoBox();
            recordStep("Select tempo: " + std::to_string(core.tempo()) + " BPM", false);
            if (engine.options.closeTempoSelector) {
                waitMs(200, true);
                closeSelectorOverlay();
            }
        }
        done = true;
        return;
    case 3: {
        bool changed = false;
        if (id >= 0 && id <= 11) {
            const int key = (id + 7) % 12;
            for (QvPage& p : core.pages) p.transposeChords(key - core.key, false);
            core.key = key;
            recordStep("Set key shift: " + std::to_string(key > 6 ? key - 12 : key), false);
            changed = true;
        } else if (id == kKeyFlatId || id == kKeySharpId) {
            core.sharpFlatMode = id == kKeyFlatId ? 0 : 1;
            if (!engine.stepControl.isPlaying()) host.repaintVisualizer();
            recordStep(id == kKeyFlatId ? "Flat notes" : "Sharp notes", false);
            changed = true;
        }
        if (changed) {
            paintKeyBox();
            if (engine.options.closeKeySelector) {
                waitMs(200, true);
                closeSelectorOverlay();
                done = true;
            } else {
                host.repaintPageArea(false);
                rebuildKeySelector(true);
            }
        }
        if (selectorKind == 0) done = true;
        return;
    }
    case 4: {
        QvPage& page = core.pageAt(false);
        if (editedChord < 0 || editedChord >= page.chordCount()) {
            closeSelectorOverlay();
            done = true;
            return;
        }
        QvChord c = page.chordAt(editedChord);
        const int vt = engine.options.visualTranspose;
        bool changed = true;
        if (inRange(id, 0, 40)) {
            c.setKey((id + vt) % 12);
        } else if (inRange(id, 50, 90)) {
            const int b = (id + vt - 50) % 12;
            if (b == c.effectiveBass()) {
                c.bassOctave = !c.bassOctave;
            } else {
                c.setBass(b);
                c.bassOctave = false;
            }
        } else if (inRange(id, 100, 150)) {
            c.variant = id - 100;
        } else if (id == kChordInversionUpId && c.inversion < 3) {
            ++c.inversion;
        } else if (id == kChordInversionDownId && c.inversion >= -2) {
            --c.inversion;
        } else if (id == kChordBassToggleId) {
            c.autoBass = !c.autoBass;
            if (!c.autoBass) c.setBass(c.key);
            c.bassOctave = false;
        } else {
            changed = false;
        }
        if (changed) {
            page.setChord(c, editedChord);
            rebuildChordSelector(c);
            loadChordEditorBuffer();
            repaintPageWithSelector();
            recordStep("Edit chord", false);
        }
        done = true;
        return;
    }
    case 5: {
        QvPage& page = core.pageAt(false);
        if (id == kPageCutId || id == kPageCopyId || id == kPagePasteId) {
            if (id == kPageCopyId) {
                page.copyAllToClipboard(engine.pageContext());
            } else if (id == kPageCutId) {
                if (!page.isEmpty()) {
                    page.copyAllToClipboard(engine.pageContext());
                    page.clear(nullptr);
                    cancelInteractions();
                    core.applyArrangementAtPosition();
                    recordStep("Cut Page content", false);
                }
            } else {
                page.replaceFromClipboard(engine.pageContext());
                cancelInteractions();
                core.applyArrangementAtPosition();
                recordStep("Paste Page content", false);
            }
            if (menuSlot >= 0 && menuSlot < core.pageSlots.count())
                rebuildPageMenu(core.pageSlots.at(menuSlot));
            host.repaintPageSlots();
            host.repaintPageArea(false);
            host.repaintPositionCounter();
            done = true;
        } else if (id >= 0 && id < 36 && menuSlot >= 0 && menuSlot < core.pageSlots.count()) {
            for (QvPage& p : core.pages) p.selectNone();
            const int slot = menuSlot;
            core.pageSlots.at(slot) = id;
            core.editedPosition = core.playingPosition = slot;
            core.playFrom(core.startTickOf(slot), false, isBusy());
            afterPageChange(true);
            menuSlot = slot;
            recordStep("Change Page", true);
            if (selectorKind == 5) rebuildPageMenu(id);
            host.repaintPageSlots();
            host.repaintPositionCounter();
            done = true;
        }
        return;
    }
    default:
        return;
    }
}

void QuoVelanta::arrangementEditorClick(int x, int y, int button) {
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    if (selectedPoint < 0 || selectedPoint >= page.apointCount()) {
        closeSelectorOverlay();
        return;
    }
    QvAPoint p = page.apointAt(selectedPoint);
    const int rx = x - selector->x, ry = y - selector->y;
    const bool onMenu = pointInRect(rx, ry, selector->menuRect);
    if (button == 2 || onMenu) {
        if (arrangementPointMenu && !arrangementPointMenu(selectedPoint, onMenu)) {
            if (selectedPoint == -1)
                closeSelectorOverlay();
            else if (selectedPoint < page.apointCount())
                rebuildArrangementSelector(page.apointAt(selectedPoint));
        }
        return;
    }
    bool changed = true;
    if (pointInRect(rx, ry, selector->powerRect1)) {
        p.arrangeEnabled = !p.arrangeEnabled;
    } else if (pointInRect(rx, ry, selector->powerRect2)) {
        p.fillEnabled = !p.fillEnabled;
    } else if (pointInRect(rx, ry, selector->helpRect)) {
        changed = false;
        prompt.messageBox(
            textLines(
                {"Select mode and audible parts of 'Drums', 'Bass' and 'Chords' independently:", "",
                 "      Parts of 'Drums':      [ k ] : kick drum      [ s ] : snare drum      [ h ] : "
                 "hi-hat      [ + ] : other percussion",
                 "      Typical parts of 'Chords':      [ a ] : pad      [ b ] : rhythmic part      [ c ] "
                 ": arpeggio",
                 "",
                 "Right-click in the window or on the diamond shape below it to access further functions "
                 "and presets.",
                 "For more details see 'Arrangement points' in QuoVelanta Help."}),
            PromptButtons::Ok, "Help: Arrangement Point");
    } else {
        const int id = selector->click(x, y);
        switch (id) {
        case 11:
            p.oKick = !p.oKick;
            break;
        case 12:
            p.oSnare = !p.oSnare;
            break;
        case 13:
            p.oHihat = !p.oHihat;
            break;
        case 14:
            p.oPerc = !p.oPerc;
            break;
        case 31:
            p.oA = !p.oA;
            break;
        case 32:
            p.oB = !p.oB;
            break;
        case 33:
            p.oC = !p.oC;
            break;
        case kArrangementDrumModeId:
        case kArrangementBassModeId:
        case kArrangementChordModeId:
        case kArrangementCymbalId: {
            int& value = id == kArrangementDrumModeId    ? p.mDrums
                         : id == kArrangementBassModeId  ? p.mBass
                         : id == kArrangementChordModeId ? p.mChords
                                                         : p.cym;
            const Llist<std::string>& names = id == kArrangementDrumModeId    ? QvAPoint::drumModeNames()
                                              : id == kArrangementBassModeId  ? QvAPoint::bassModeNames()
                                              : id == kArrangementChordModeId ? QvAPoint::chordModeNames()
                                                                              : QvAPoint::cymbalNames();
            const int r = arrangementSensorPopup(id, names, value);
            // The popup waited: the point may have gone meanwhile.
            changed = r >= 0 && r != value && selector != nullptr && selectorKind == kSelectorArrangement &&
                      selectedPoint >= 0 && selectedPoint < page.apointCount();
            if (changed) {
                p = page.apointAt(selectedPoint);
                int& now = id == kArrangementDrumModeId    ? p.mDrums
                           : id == kArrangementBassModeId  ? p.mBass
                           : id == kArrangementChordModeId ? p.mChords
                                                           : p.cym;
                changed = r != now;
                now = r;
            }
            break;
        }
        default:
            changed = false;
            break;
        }
    }
    if (!changed) return;
    rebuildArrangementSelector(p);
    waitForBeat();
    if (selectedPoint < 0 || selectedPoint >= page.apointCount()) return; // the session changed meanwhile
    page.setAPoint(p, selectedPoint);
    host.repaintArrangementStrip();
    core.applyArrangementAtPosition();
    recordStep("Edit Arrangement Point", false);
}

int QuoVelanta::arrangementSensorPopup(int id, const Llist<std::string>& names, int current) {
    if (id == dismissedSensor) return -1; // this click closed its popup: it stays closed
    Llist<std::string> items;
    for (int i = 0; i < names.count(); ++i) items.add((i == current ? "$" : "") + names.at(i));
    const TRect r = selector->sensorRect(id);
    int sx = selector->x + r.Left - 1, sy = selector->y + r.Bottom;
    if (hostForm != nullptr) {
        const QPoint g = hostForm->mapToGlobal(QPoint(sx, sy));
        sx = g.x();
        sy = g.y();
    }
    const int choice =
        runContextMenu(items, sx, sy, scaleColour(theme.dimTextColour(), 0.95f), r.Right - r.Left + 1);
    if (choice < 0) {
        if (!quitRequested) dismissedSensor = id;
        return -1;
    }
    if (choice >= names.count() || items.at(choice).rfind("@", 0) == 0) return -1;
    return choice;
}

// ---- Context menus ----

void QuoVelanta::showChordMenu() {
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    const int chord = hoveredChord;
    if (!page.isSelected(chord)) {
        page.selectNone();
        page.setSelected(chord, true);
        host.repaintPageArea(false);
    }
    playMarkerPosition = -1;
    const int beat = core.isTripleMeter() ? 16 : 12;
    int first = -1, last = -1;
    page.selectionRange(first, last);
    const bool canSplit = page.selectedCount() == 1 && first >= 0 && page.chordLength(first) > beat;
    const bool clipEmpty = engine.clipboard.chordCount() == 0;
    const Llist<std::string> items =
        textLines({"Change Chord...", "Transpose...", std::string(canSplit ? "" : "@") + "Split", "-Insert",
                   "Delete", "-Cut", "Copy", std::string(clipEmpty ? "@" : "") + "Paste On Left",
                   std::string(clipEmpty ? "@" : "") + "Paste On Right"});
    const int r = runContextMenu(items);
    if (r < 0 || items.at(r).rfind("@", 0) == 0) return;
    checkPageBinding();
    page.selectionRange(first, last);
    switch (r) {
    case 0:
        hoveredChord = chord < page.chordCount() ? chord : -1;
        openChordEditor();
        break;
    case 1:
        if (transposeSelectedChords) {
            bool ok = false;
            {
                const FlagScope busy(popupMenuOpen);
                ok = transposeSelectedChords();
            }
            if (ok) recordStep("Transpose", false);
            host.repaintPageArea(false);
        }
        break;
    case 2:
        splitChord();
        break;
    case 3:
        insertChord();
        break;
    case 4:
        deleteChord();
        break;
    case 5:
        cutOrCopyChords(true);
        break;
    case 6:
        cutOrCopyChords(false);
        break;
    case 7:
        if (first >= 0) pasteChords(first, false);
        break;
    case 8:
        if (last >= 0) pasteChords(last + 1, false);
        break;
    default:
        break;
    }
}

void QuoVelanta::splitChord() {
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    int first = -1, last = -1;
    page.selectionRange(first, last);
    const bool triple = core.isTripleMeter();
    if (page.selectedCount() != 1 || first < 0 || page.chordLength(first) <= (triple ? 16 : 12)) return;
    QvChord c = page.chordAt(first);
    const int length = c.len;
    const int a = triple ? (length + 16) / 32 * 16 : (length + 12) / 24 * 12;
    c.len = a;
    page.setChord(c, first);
    QvChord second = c;
    second.len = length - a;
    page.addChord(second, first + 1);
    forgetChordIndexes();
    host.repaintPageArea(false);
    host.repaintPositionCounter();
    recordStep("Split chord", false);
}

void QuoVelanta::insertChord() {
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    QvChord c = QvCore::emptyChord();
    const int room = 768 - page.length();
    if (c.len > room) c.len = room;
    if (c.len < 1) {
        prompt.messageBox(textLines({"There is not enough free space on this page to insert a new chord."}),
                          PromptButtons::Ok, "");
        return;
    }
    int first = -1, last = -1;
    page.selectionRange(first, last);
    if (first < 0) first = page.chordCount();
    page.selectNone();
    page.addChord(c, first);
    page.setSelected(first, true);
    forgetChordIndexes();
    host.repaintPageArea(false);
    host.repaintPositionCounter();
    recordStep("Insert chord", false);
}

void QuoVelanta::showAddChordMenu() {
    QvPage& page = engine.core.pageAt(false);
    if (engine.clipboard.chordCount() == 0) return;
    const Llist<std::string> items = textLines({page.selectedCount() != 1 ? "Paste Chords" : "Paste Chord"});
    if (runContextMenu(items) != 0) return;
    checkPageBinding();
    pasteChords(-1, false);
    host.repaintPageArea(false);
    updateHover();
}

void QuoVelanta::showRulerMenu(int bar) {
    QvCore& core = engine.core;
    const bool noLoop = core.loopStart < 0 || core.loopEnd < 0;
    const Llist<std::string> items =
        textLines({"Loop From This Bar", "Loop To This Bar",
                   "-" + std::string(noLoop ? "@" : "") +
                       (core.loopRegionActive ? "Deactivate" : "Activate") + " Loop|L",
                   std::string(noLoop ? "@" : "") + "Clear Loop|C"});
    const int r = runContextMenu(items);
    if (r < 0) return;
    if ((r == 2 || r == 3) && noLoop) return; // greyed items never act
    const int spBar = std::max(1, core.stepsPerBarValue);
    switch (r) {
    case 0:
        if (core.loopEnd == -1) core.loopEnd = std::max(0, core.songLength() / spBar - 1);
        core.loopStart = bar;
        if (core.loopEnd < bar) core.loopEnd = bar;
        core.loopRegionActive = true;
        recordStep("Set loop start", false);
        break;
    case 1:
        if (core.loopStart == -1) core.loopStart = 0;
        core.loopEnd = bar;
        if (core.loopStart > bar) core.loopStart = bar;
        core.loopRegionActive = true;
        recordStep("Set loop end", false);
        break;
    case 2:
        toggleLoop();
        break;
    case 3:
        clearLoop();
        break;
    default:
        break;
    }
    host.repaintRuler(true);
    host.repaintRepeatBox();
}

void QuoVelanta::showSlotMenu(int slot) {
    QvCore& core = engine.core;
    const bool full = core.pageSlots.count() >= kMaxSequenceEntries;
    const bool single = core.pageSlots.count() <= 1;
    const Llist<std::string> items =
        textLines({"Change Page...", "-" + std::string(full ? "@" : "") + "Insert Page Into Sequence",
                   std::string(single ? "@" : "") + "Delete Page From Sequence",
                   "-Edit Page Sequence As Text...", "Clear Page Sequence"});
    const int r = runContextMenu(items);
    if (r < 0 || slot < 0 || slot >= core.pageSlots.count()) return;
    switch (r) {
    case 0:
        menuSlot = slot;
        host.repaintPageSlots();
        openPageSlotMenu(true);
        break;
    case 1:
        if (full) return;
        core.pageSlots.insert(slot, core.pageSlots.at(slot));
        afterPageChange(true);
        recordStep("Insert Page into sequence", false);
        break;
    case 2:
        if (single) return;
        core.pageSlots.remove(slot);
        if (core.editedPosition >= core.pageSlots.count()) core.editedPosition = core.pageSlots.count() - 1;
        if (core.playingPosition >= core.pageSlots.count()) core.playingPosition = core.pageSlots.count() - 1;
        afterPageChange(true);
        recordStep("Delete Page from sequence", false);
        break;
    case 3:
        editPageSequenceAsText();
        break;
    case 4:
        clearPageSequence();
        break;
    default:
        break;
    }
}

void QuoVelanta::showDisplayMenu() {
    QvPage& page = engine.core.pageAt(false);
    const bool none = page.selectedCount() == 0;
    const bool clipEmpty = engine.clipboard.chordCount() == 0;
    const std::string g = none ? "@" : "";
    const Llist<std::string> items =
        textLines({g + "Cut Chords|Ctrl+X", g + "Copy Chords|Ctrl+C",
                   std::string(clipEmpty ? "@" : "") + "Paste Chords|Ctrl+V", g + "Delete Chords|Del",
                   std::string(page.chordCount() == 0 ? "@" : "") + "Select All Chords On Page|Ctrl+A"});
    const int r = runContextMenu(items);
    if (r < 0 || items.at(r).rfind("@", 0) == 0) return;
    checkPageBinding();
    switch (r) {
    case 0:
        cutOrCopyChords(true);
        break;
    case 1:
        cutOrCopyChords(false);
        break;
    case 2:
        pasteChords(-1, false);
        break;
    case 3:
        deleteChord();
        break;
    case 4:
        selectAllChords();
        break;
    default:
        break;
    }
}
