// The main window's mouse: the hover state every repaint consults, the mouse-down dispatcher (window
// frame, selectors, chord cells, arrangement strip, page sequence, ruler, boxes, context menus), the
// drags (window, chord resize, chord move or copy, arrangement point, loop region, faders) and the
// mouse-up that completes them and records their undo steps.
#include <algorithm>
#include <cmath>

#include <QCursor>

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "app/selectorcontents.h"
#include "platform/qt/keymap.h"
#include "ui/modalloop.h"
#include "ui/popupmenu.h"
#include "ui/qvselector.h"

namespace {

constexpr int kDoubleClickMs = 500;

std::string withS(const std::string& text, bool plural) {
    return plural ? text + "s" : text;
}

} // namespace

bool inRange(int v, int lo, int hi) {
    return lo <= v && v <= hi;
}

// ---- Positions and hover ----

int QuoVelanta::positionAtMouse(int row) const {
    const QvCore& core = engine.core;
    const QvPage& page = core.pageAt(false);
    if (row == 0) {
        if (!inRange(mouseY, pageArea.Top + 61, pageArea.Top + 95)) return -1;
    } else {
        TRect strip = arrangementStrip;
        strip.Top -= pointDragMoving ? 19 : 3;
        if (pointDragMoving) strip.Bottom += 16;
        if (!inRange(mouseX, strip.Left, strip.Right) || !inRange(mouseY, strip.Top, strip.Bottom)) return -1;
        if (barsBoxRect.Right > barsBoxRect.Left && pointInRect(mouseX, mouseY, barsBoxRect)) return -1;
    }
    const TRect& S = positionScale;
    const int z = std::max(1, pageZoom(page));
    double p = 0;
    if (S.Right > S.Left)
        p = double(z) * (mouseX - S.Left + 1 + (row == 1 ? 1 : 0)) / double(S.Right - S.Left);
    p = std::clamp(p, 0.0, double(z));
    if (row == 0 && mouseX < S.Left) return -1;
    if (mouseX > S.Right + 2 + (S.Bottom - S.Top) / 2) return -1;
    const int beat = core.isTripleMeter() ? 16 : 12;
    int u = static_cast<int>(p * 48);
    u = row == 0 ? beat * (u / beat) : beat * ((u + beat / 2) / beat);
    if (u >= 768) return -1;
    if (row == 0 && u >= page.bars() * 48) return -1;
    return u;
}

int QuoVelanta::loopBarAtMouse() const {
    if (selectorKind != 0) return -1;
    const TRect& S = positionScale;
    if (!loopDragging && !(inRange(mouseX, S.Left, S.Right) && inRange(mouseY, S.Top, S.Bottom + 4)))
        return -1;
    if (S.Right <= S.Left) return -1;
    const QvCore& core = engine.core;
    const QvPage& page = core.pageAt(false);
    const int z = std::max(1, pageZoom(page));
    int b = static_cast<int>(std::trunc(double(z) * (mouseX - S.Left) / double(S.Right - S.Left)));
    b = std::clamp(b, 0, std::max(0, page.bars() - 1));
    const int spBar = std::max(1, core.stepsPerBarValue);
    return b + core.startTickOf(core.editedPosition) / spBar;
}

bool QuoVelanta::isInDragArea(int x, int y) const {
    if (y >= 60) return false;
    const int lastTitle =
        menuTitleRects.count() > 0 ? menuTitleRects.at(menuTitleRects.count() - 1).Right : 0;
    return x > lastTitle + 5 && x < minimiseRect.Left - 10;
}

void QuoVelanta::updateHover() {
    if (::popupMenuOpen() || resizedChord != -1) return;
    const QvPage& page = engine.core.pageAt(false);
    const int oldStrip = hoveredStripPosition;
    const bool oldAddChord = addChordHover, oldAddPage = addPageHover;
    const int oldLoop = hoveredLoopBar;

    hoveredStripPosition = positionAtMouse(1);
    if (!countInRunning) {
        hoveredChord = -1;
        for (int i = 0; i < chordRects.count() && i < page.chordCount(); ++i)
            if (pointInRect(mouseX, mouseY, chordRects.at(i))) hoveredChord = i;
    }
    hoveredSlot = -1;
    for (int i = 0; i < slotRects.count(); ++i)
        if (pointInRect(mouseX, mouseY, slotRects.at(i))) hoveredSlot = i;
    addPageHover = addPageRect.Right >= addPageRect.Left && pointInRect(mouseX, mouseY, addPageRect) &&
                   selectorKind != 4 && selectorKind != 6;
    hoveredResizeHandle = -1;
    if (selectorKind == 0 || selectorKind == 4 || selectorKind == 6) {
        for (int i = 0; i < chordRects.count() && i < page.chordCount(); ++i) {
            const TRect& r = chordRects.at(i);
            if (inRange(mouseX, r.Right - 5, r.Right + 2) && inRange(mouseY, r.Top, r.Bottom))
                hoveredResizeHandle = i;
        }
        if (positionAtMouse(0) != -1) hoveredResizeHandle = -1;
    }
    addChordHover = addChordRect.Right >= addChordRect.Left && pointInRect(mouseX, mouseY, addChordRect) &&
                    hoveredResizeHandle == -1 && (selectorKind == 0 || selectorKind == 4) && !countInRunning;
    const int loopBar = loopBarAtMouse();
    const int barOffset =
        engine.core.startTickOf(engine.core.editedPosition) / std::max(1, engine.core.stepsPerBarValue);
    hoveredLoopBar = loopBar < 0 ? -1 : loopBar - barOffset;
    if (hostForm != nullptr) {
        if (hoveredResizeHandle != -1)
            hostForm->setCursor(Qt::SizeHorCursor);
        else if (hostForm->cursor().shape() == Qt::SizeHorCursor)
            hostForm->unsetCursor();
    }
    if (chordDragMoving) return;
    if (oldAddChord != addChordHover) host.repaintPageArea(false);
    if (oldLoop != hoveredLoopBar && (selectorKind == 0 || selectorKind == 4 || selectorKind == 6) &&
        !engine.stepControl.isPlaying())
        host.repaintRuler(true);
    if (oldStrip != hoveredStripPosition) host.repaintArrangementStrip();
    if (oldAddPage != addPageHover) host.repaintPageSlots();
}

void QuoVelanta::cancelMouseState() {
    chordDragArmed = chordDragMoving = false;
    chordDropIndex = -1;
    pointDragArmed = pointDragMoving = false;
    loopDragging = false;
    loopDragAnchor = -1;
    titleDragging = false;
    previousClickChord = previousClickSlot = previousClickStripPosition = -1;
    selectionAnchor = -1;
    hoveredResizeHandle = -1;
}

// ---- Menus and the click replay ----

void QuoVelanta::scheduleClickReplay(int x, int y, int /*button*/, int /*modifier*/) {
    mouseX = x;
    mouseY = y;
    replayPending = true;
}

void QuoVelanta::flushBlit() {
    blitPending = false;
    playbackTick();
    present(displayRect);
    playbackTick();
}

// ---- Mouse down ----

void QuoVelanta::mouseDown(int x, int y, int button, int modifier, bool synthetic) {
    if (hooks.mouseDown) {
        hooks.mouseDown(x, y, button, modifier, synthetic);
        return;
    }
    mouseDownOnce(x, y, button, modifier, synthetic);
    // A selector closed without showing what it covered (the click went on to another target): the
    // display is shown once, with whatever the click opened painted into it.
    if (blitPending) flushBlit();
    // A click that dismissed a menu is replayed here, one after the other, never from inside a handler.
    for (int n = 0; replayPending && n < 32 && !quitRequested; ++n) {
        replayPending = false;
        mouseDownOnce(0, 0, 0, 0, true);
        if (blitPending) flushBlit();
    }
    replayPending = false;
}

bool QuoVelanta::dragInProgress() const {
    return chordDragArmed || chordDragMoving || pointDragArmed || pointDragMoving || loopDragging;
}

void QuoVelanta::dropDrags() {
    chordDragArmed = chordDragMoving = pointDragArmed = pointDragMoving = loopDragging = false;
}

void QuoVelanta::mouseDownOnce(int x, int y, int button, int modifier, bool synthetic) {
    // 1. The click, the count-in, the page binding, the double click.
    if (hostForm == nullptr) return;
    if (!synthetic) dismissedSensor = -1;
    stopCountIn(true);
    checkPageBinding();
    if (synthetic) {
        // The replay of a click that closed a menu: where the mouse is now, with the button of the
        // click that opened the menu, without modifier.
        x = mouseX;
        y = mouseY;
        button = lastClickButton;
        modifier = 0;
    } else {
        mouseX = x;
        mouseY = y;
    }
    updateHover();
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    const std::int64_t now = modalLoop().nowMs();
    const bool left = button == 1, right = button == 2;
    bool overSelector = false;
    if (selectorKind != 0 && selector != nullptr && selector->isOpen()) {
        const TRect b = selector->bounds();
        overSelector = x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom;
    }
    bool doubleClick = left && modifier == 0 && !synthetic && now - lastClickTime < kDoubleClickMs &&
                       ((hoveredChord != -1 && hoveredChord == previousClickChord) ||
                        (hoveredSlot != -1 && hoveredSlot == previousClickSlot) ||
                        (hoveredStripPosition != -1 && hoveredStripPosition == previousClickStripPosition));
    lastClickX = x;
    lastClickY = y;
    lastClickButton = button;
    lastClickModifier = modifier;
    lastClickTime = now;
    previousClickChord = hoveredChord;
    previousClickSlot = hoveredSlot;
    previousClickStripPosition = hoveredStripPosition;
    if (!(left && modifier == 0 && !overSelector && playMarkerPosition == -1)) {
        previousClickChord = -1;
        previousClickSlot = -1;
    }

    // 2. The control panel.
    if (!synthetic) {
        if (void* changed = controls.mouse(x, y, true)) adjustSoundMix(changed, true);
    }
    // 3. The play-from marker.
    if (left && !synthetic && playMarkerPosition != -1) {
        playFromPosition();
        return;
    }
    // 4. The open selector closes on a click outside it.
    const int kindAtEntry = selectorKind;
    if (selectorKind != 0 && !overSelector) {
        if (right) {
            closeSelectorOverlay();
        } else if (hoveredResizeHandle == -1) {
            const bool sameKind = (selectorKind == 4 && (hoveredChord != -1 || addChordHover)) ||
                                  (selectorKind == 5 && (hoveredSlot != -1 || addPageHover)) ||
                                  (selectorKind == 6 && hoveredStripPosition != -1);
            if (sameKind) {
                closeSelector(false);
                blitPending = true;
            } else {
                closeSelectorOverlay();
            }
        }
    }
    // 5. A popup menu still open only closes.
    if (TFmenu* menu = activePopupMenu()) {
        menu->closeMenu();
        if (blitPending) flushBlit();
        return;
    }
    // 6. The menu bar: a menu that ran or was closed by a key ends the click; a menu dismissed by a
    // click elsewhere has that click replayed; off the titles the click goes on.
    if (const int r = runMenuBar(); r == 0) {
        scheduleClickReplay(mouseX, mouseY, button, modifier);
        return;
    } else if (r > 0) {
        return;
    }
    // 7. Close and minimise.
    if (pointInRect(x, y, closeRect)) {
        requestQuit();
        return;
    }
    if (pointInRect(x, y, minimiseRect)) {
        minimiseRequested = true;
        return;
    }
    // 8. The title area moves the window.
    const QPoint cursor = QCursor::pos();
    dragStartCursor = {cursor.x(), cursor.y()};
    dragStartFormPos = {hostForm->x(), hostForm->y()};
    titleDragging = left && isInDragArea(x, y);
    if (titleDragging) {
        // The desktop's own move where it offers one; otherwise the window follows the pointer.
        if (!synthetic && hostForm->beginSystemMove()) titleDragging = false;
        return;
    }
    // 9. A left click away from the boxes deselects the chords (unless a chord is hovered).
    if (left && !pointInRect(x, y, barsBoxRect) && !pointInRect(x, y, repeatBoxRect) &&
        !pointInRect(x, y, precountBoxRect) && !pointInRect(x, y, masterTuneBoxRect) &&
        !pointInRect(x, y, transposeBoxRect) && hoveredChord == -1 && page.selectedCount() > 0 &&
        !overSelector)
        deselectChords();
    // 10. Chord selection.
    if (left && selectorKind == 0 && hoveredResizeHandle == -1 && hoveredChord != -1 &&
        hoveredChord < page.chordCount() && kindAtEntry != 4) {
        if (modifier == 0) {
            if (!page.isSelected(hoveredChord)) {
                page.selectNone();
                page.setSelected(hoveredChord, true);
                selectionAnchor = hoveredChord;
            }
        } else if (modifier == 2) {
            if (selectionAnchor < 0 || selectionAnchor >= page.chordCount() || page.selectedCount() == 0)
                selectionAnchor = hoveredChord;
            page.selectNone();
            for (int i = std::min(selectionAnchor, hoveredChord);
                 i <= std::max(selectionAnchor, hoveredChord); ++i)
                page.setSelected(i, true);
        }
        host.repaintPageArea(false);
    }
    // 11. A strip position with chords selected.
    if (hoveredStripPosition != -1 && page.selectedCount() > 0) deselectChords();
    // 12. A press on the strip.
    if (left && selectorKind == 0 && hoveredStripPosition != -1) {
        pointDragIndex = page.findAPoint(hoveredStripPosition);
        if (pointDragIndex == -1 && synthetic) return;
        if (pointDragIndex != -1) {
            pointDragArmed = true;
            host.repaintArrangementStrip();
        }
    } else if (hoveredStripPosition == -1 && pointDragIndex != -1 && selectorKind != 6) {
        pointDragIndex = -1;
        host.repaintArrangementStrip();
    }
    // 13. A resize handle.
    if (left && hoveredResizeHandle != -1 && hoveredResizeHandle < page.chordCount()) {
        resizedChord = hoveredResizeHandle;
        return;
    }
    // 14. A press on a selected chord may become a move.
    if (left && selectorKind == 0 && hoveredChord != -1 && hoveredChord < page.chordCount() &&
        page.isSelected(hoveredChord))
        chordDragArmed = true;
    // 15. The selector's own clicks.
    if (selectorKind != 0) {
        bool done = false;
        selectorClick(x, y, button, kindAtEntry, done);
        if (done) return;
    }
    // 16. The play button (round: its corners do nothing).
    if (pointInRect(x, y, playButtonRect)) {
        const int cx = (playButtonRect.Left + playButtonRect.Right) / 2;
        const int cy = (playButtonRect.Top + playButtonRect.Bottom) / 2;
        const int r = (playButtonRect.Right - playButtonRect.Left) / 2 + 1;
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) {
            playButtonPressed = true;
            playFromCurrentPage(true);
        }
        return;
    }
    // 17. The Style, Tempo and Key boxes.
    Canvas* screen = &hostForm->canvas();
    if (pointInRect(x, y, styleBoxRect) && kindAtEntry != 1) {
        openStyleSelector(&backBuffer, screen, styleBoxRect.Left, styleBoxRect.Bottom, core.styleNumber,
                          false, false);
        paintStyleBox();
        return;
    }
    if (pointInRect(x, y, tempoBoxRect) && kindAtEntry != 2) {
        openTempoSelector(&backBuffer, screen, tempoBoxRect.Left, tempoBoxRect.Bottom, core.tempo());
        paintTempoBox();
        return;
    }
    if (pointInRect(x, y, keyBoxRect) && kindAtEntry != 3) {
        openKeySelector(&backBuffer, screen, keyBoxRect.Left, keyBoxRect.Bottom, true);
        paintKeyBox();
        return;
    }
    // 18. Tempo and key steps.
    if (pointInRect(x, y, tempoPlusRect)) return stepTempo(true);
    if (pointInRect(x, y, tempoMinusRect)) return stepTempo(false);
    if (pointInRect(x, y, keyShiftPlusRect)) return shiftKey(true);
    if (pointInRect(x, y, keyShiftMinusRect)) return shiftKey(false);

    // 19. Chords, points and slots.
    updateHover();
    bool justAdded = false;
    if (left && !synthetic && addChordHover && hoveredResizeHandle == -1 &&
        (kindAtEntry == 0 || kindAtEntry == 4)) {
        page.selectNone();
        const int added = addChordAtEnd();
        addChordHover = false;
        if (added >= 0) {
            hoveredChord = added;
            previousClickChord = added;
            doubleClick = true;
            justAdded = true;
        }
        host.repaintPageArea(false);
        host.repaintPositionCounter();
    }
    if (left && kindAtEntry == 4 && hoveredChord != -1) doubleClick = true;
    if (doubleClick && hoveredChord != -1 && hoveredChord < page.chordCount() && hoveredResizeHandle == -1 &&
        (modifier == 0 || justAdded)) {
        openChordEditor();
        return;
    }
    const int pointUnder = hoveredStripPosition != -1 ? page.findAPoint(hoveredStripPosition) : -1;
    if (left && kindAtEntry == 6 && pointUnder != -1) doubleClick = true;
    if (doubleClick && pointUnder != -1) {
        selectedPoint = pointUnder;
        selectedPointX = x;
        openArrangementPointEditor();
        pointDragIndex = pointUnder;
        pointDragArmed = true;
        return;
    }
    int targetSlot = -1;
    bool slotChosen = false;
    if (left && addPageHover && ((!synthetic && kindAtEntry == 0) || kindAtEntry == 5)) {
        const int entry = addPageToSequence();
        addPageHover = false;
        if (entry >= 0) {
            targetSlot = entry;
            slotChosen = true;
            doubleClick = true;
        }
    }
    if (left && kindAtEntry == 5 && hoveredSlot != -1 && targetSlot == -1) {
        doubleClick = true;
        targetSlot = hoveredSlot;
        slotChosen = true;
    }
    if (doubleClick && targetSlot == -1 && hoveredSlot != -1 && hoveredSlot == core.editedPosition)
        targetSlot = hoveredSlot;
    if (doubleClick && targetSlot >= 0 && targetSlot < core.pageSlots.count()) {
        menuSlot = targetSlot;
        if (slotChosen && core.editedPosition != targetSlot) {
            core.editedPosition = core.playingPosition = targetSlot;
            core.playFrom(core.startTickOf(targetSlot), false, isBusy());
            afterPageChange(true);
            menuSlot = targetSlot;
        }
        host.repaintPageArea(false);
        host.repaintPageSlots();
        host.repaintPositionCounter();
        openPageSlotMenu(true);
        return;
    }
    if (right && hoveredStripPosition != -1) {
        for (int i = pointRects.count() - 1; i >= 0; --i) {
            if (!pointInRect(x, y, pointRects.at(i))) continue;
            const int index = page.findAPoint(hoveredStripPosition);
            pointDragIndex = index;
            if (arrangementPointMenu && index != -1) arrangementPointMenu(index, false);
            return;
        }
    }
    if ((!synthetic || right) && (kindAtEntry == 0 || kindAtEntry == 6) && hoveredStripPosition != -1 &&
        page.findAPoint(hoveredStripPosition) == -1) {
        if (left) {
            const int pos = hoveredStripPosition;
            page.addAPoint(pos);
            core.applyArrangementAtPosition();
            selectedPoint = page.findAPoint(pos);
            selectedPointX = x;
            openArrangementPointEditor();
            pointDragIndex = selectedPoint;
            pointDragArmed = true;
            host.repaintArrangementStrip();
            recordStep("Add Arrangement Point", false);
        } else if (right && arrangementPointMenu) {
            arrangementPointMenu(-1, false);
        }
        return;
    }
    if (blitPending) {
        flushBlit();
        return;
    }

    // 20. The remaining regions.
    if (right && hoveredChord != -1 && hoveredChord < page.chordCount()) {
        showChordMenu();
        return;
    }
    if (right && pointInRect(x, y, addChordRect) && addChordRect.Right >= addChordRect.Left) {
        showAddChordMenu();
        return;
    }
    const bool visualiserShown = visualiserRect.Right >= visualiserRect.Left;
    if (left && (pointInRect(x, y, sessionLabelRect) || pointInRect(x, y, sessionNameRect)) &&
        !(visualiserShown && x > visualiserRect.Left - 5)) {
        paintSessionPanel(true);
        const std::string before = sessionPath;
        openSession("");
        if (sessionPath == before) refreshPanels();
        return;
    }
    if (left && pointInRect(x, y, barsBoxRect)) {
        paintBarsPanel(true);
        return;
    }
    if (left && visualiserShown && pointInRect(x, y, visualiserRect)) {
        Options& o = engine.options;
        const int modes = std::max(1, o.visualizeModeNames.count());
        o.visualizeMode = (o.visualizeMode + 1) % modes;
        refreshPanels();
        return;
    }
    if (left && pointInRect(x, y, transposeBoxRect) && engine.options.visualTranspose_selector) {
        Options& o = engine.options;
        Llist<std::string> items;
        for (int i = 0; i < o.visualTransposeNames.count(); ++i)
            items.add((i == o.visualTranspose ? "$" : "") + o.visualTransposeNames.at(i));
        // Left of the box and 2 px below it, in the display's colour.
        const QPoint at =
            hostForm->mapToGlobal(QPoint(transposeBoxRect.Left - 168, transposeBoxRect.Bottom + 2));
        const int r = runContextMenu(items, at.x(), at.y(), scaleColour(theme.dimTextColour(), 0.95f), 167);
        if (r >= 0 && r < o.visualTransposeNames.count()) {
            o.visualTranspose = r;
            refreshPanels();
            host.repaintPageArea(false);
        }
        return;
    }
    if (left && pointInRect(x, y, repeatBoxRect)) return setRepeatMode(-1);
    if (left && pointInRect(x, y, precountBoxRect)) return cyclePrecount();
    if (left && pointInRect(x, y, masterTuneBoxRect)) return showReferenceTones();
    for (int i = 0; i < kSessionLinkCount; ++i)
        if (left && pointInRect(x, y, linkRects[i])) return openSessionLink(i);
    const int bar = loopBarAtMouse();
    if (bar != -1) {
        if (left) {
            if (!engine.options.loopHintShown) {
                // The first click on the ruler shows how loops are drawn.
                engine.options.loopHintShown = true;
                if (hooks.showLoopHelp) hooks.showLoopHelp();
                return;
            }
            loopDragAnchor = bar;
            core.loopStart = core.loopEnd = bar;
            core.loopRegionActive = true;
            loopDragging = true;
            host.repaintRuler(true);
            host.repaintRepeatBox();
        } else if (right) {
            showRulerMenu(bar);
        }
        return;
    }
    for (int i = 0; i < slotRects.count() && i < core.pageSlots.count(); ++i) {
        if (!pointInRect(x, y, slotRects.at(i))) continue;
        const int previous = core.editedPosition;
        core.editedPosition = i;
        if (i != core.playingPosition || left) {
            core.playingPosition = i;
            core.playFrom(core.startTickOf(i), false, isBusy());
            if (previous != i && previous < core.pageSlots.count()) core.pageAt(false).selectNone();
        }
        // The slot stays this click's, so that a second click on it makes a double click.
        const int clickedSlot = previousClickSlot;
        afterPageChange(true);
        previousClickSlot = clickedSlot;
        host.repaintPageSlots();
        host.repaintPositionCounter();
        if (right) showSlotMenu(i);
        return;
    }
    if (right && pointInRect(x, y, displayRect) && !addPageHover && hoveredStripPosition == -1)
        showDisplayMenu();
}

// ---- Mouse move ----

void QuoVelanta::mouseMove(int x, int y, bool leftDown, int modifier) {
    if (hooks.mouseMove) {
        hooks.mouseMove(x, y, leftDown, modifier);
        return;
    }
    mouseX = x;
    mouseY = y;
    if (hostForm == nullptr || ::popupMenuOpen()) return;
    checkPageBinding();
    if (titleDragging && leftDown) {
        const QPoint cursor = QCursor::pos();
        const int nx = dragStartFormPos.x + cursor.x() - dragStartCursor.x;
        const int ny = dragStartFormPos.y + cursor.y() - dragStartCursor.y;
        if (nx != hostForm->x() || ny != hostForm->y()) hostForm->move(nx, ny);
        return;
    }
    if (openMenu == -1) {
        if (isInDragArea(x, y))
            hostForm->setCursor(Qt::SizeAllCursor);
        else if (hostForm->cursor().shape() == Qt::SizeAllCursor)
            hostForm->unsetCursor();
    }
    paintMenuBar(false);
    updateHover();
    // The beat under the mouse on the band below the chord cells is where a click plays from.
    const bool markerAllowed =
        (selectorKind == 0 || selectorKind == 4 || selectorKind == 6) && resizedChord < 0;
    playMarkerPosition = markerAllowed ? positionAtMouse(0) : -1;
    if (hooks.paintPositionMarker) hooks.paintPositionMarker(false, 0);
    if (!leftDown) return;
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    if (resizedChord >= 0) {
        if (resizedChord >= page.chordCount()) {
            resizedChord = -1;
            return;
        }
        int s = 0;
        for (int i = 0; i < resizedChord; ++i) s += page.chordLength(i);
        const int z = std::max(1, pageZoom(page));
        const double p = pageArea.Right > pageArea.Left
                             ? double(x - pageArea.Left) * z * 48 / double(pageArea.Right - pageArea.Left)
                             : 0;
        int len = core.isTripleMeter() ? std::max(16, 16 * int(std::trunc((p + 8 - s) / 16)))
                                       : std::max(12, int(std::trunc(p + 6 - s)) / 12 * 12);
        len = std::min(len, z * 48 - s);
        QvChord c = page.chordAt(resizedChord);
        const int old = c.len;
        if (len < 1) len = old;
        c.len = len;
        page.setChord(c, resizedChord);
        if (page.length() > z * 48) {
            c.len = old;
            page.setChord(c, resizedChord);
        }
        if (page.chordLength(resizedChord) != old) {
            recordStep("Resize chord", true);
            host.repaintPageArea(false);
            host.repaintPositionCounter();
        }
        return;
    }
    if (chordDragArmed && std::abs(x - lastClickX) > 10) chordDragMoving = true;
    if (chordDragMoving) {
        int best = -1, bestDist = 0;
        const int n = std::min(page.chordCount(), chordRects.count());
        for (int i = 0; i <= n; ++i) {
            const int bx =
                i < n ? chordRects.at(i).Left : (n > 0 ? chordRects.at(n - 1).Right : pageArea.Left);
            const int d = std::abs(x - bx);
            if (best == -1 || d < bestDist) {
                best = i;
                bestDist = d;
            }
        }
        if (best != chordDropIndex) {
            chordDropIndex = best;
            host.repaintPageArea(false);
        }
    }
    if (pointDragArmed) pointDragMoving = true;
    if (loopDragging) {
        const int b = loopBarAtMouse();
        if (b >= 0 && loopDragAnchor >= 0) {
            const int s = std::min(loopDragAnchor, b), e = std::max(loopDragAnchor, b);
            if (s != core.loopStart || e != core.loopEnd) {
                core.loopStart = s;
                core.loopEnd = e;
                host.repaintRuler(true);
            }
        }
    }
    if (void* changed = controls.mouse(x, y, false)) adjustSoundMix(changed, true);
}

// ---- Mouse up ----

void QuoVelanta::endChordDrag(int modifier) {
    chordDragArmed = false;
    if (!chordDragMoving) return;
    chordDragMoving = false;
    QvPage& page = engine.core.pageAt(false);
    const int n = page.selectedCount();
    const int drop = chordDropIndex;
    chordDropIndex = -1;
    addChordHover = false;
    // Move or copy is decided by the modifiers at the release, and so is the record's text.
    const bool copy = modifier != 0;
    if (drop >= 0 && drop <= page.chordCount() && n > 0) {
        if (page.paste(drop, true, !copy, engine.pageContext()))
            recordStep(withS(copy ? "Copy chord" : "Move chord", n > 1), false);
        forgetChordIndexes();
    }
    host.repaintPageArea(false);
    host.repaintPositionCounter();
}

void QuoVelanta::endPointDrag(int modifier) {
    const bool moving = pointDragMoving;
    // The drop position is taken with the strip's drag margins, before the drag flags go.
    const int pos = moving ? positionAtMouse(1) : -1;
    pointDragArmed = false;
    pointDragMoving = false;
    if (!moving) return;
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    if (pos < 0) return;
    int source = selectedPoint >= 0 ? selectedPoint : pointDragIndex;
    if (source < 0 || source >= page.apointCount()) {
        pointDragIndex = -1;
        return;
    }
    const int target = page.findAPoint(pos);
    if (target == source) {
        pointDragIndex = -1;
        host.repaintArrangementStrip();
        return;
    }
    const bool copy = modifier != 0;
    // The source's settings are taken first: removing or adding points moves the indices.
    QvAPoint settings = page.apointAt(source);
    const int sourcePos = settings.pos;
    settings.pos = pos;
    std::string what;
    if (target == -1) {
        if (!copy) page.removeAPoint(source);
        page.addAPoint(pos);
        const int added = page.findAPoint(pos);
        if (added >= 0) page.setAPoint(settings, added);
        what = copy ? "Copy Arrangement Point" : "Move Arrangement Point";
    } else {
        page.setAPoint(settings, target);
        if (!copy) {
            const int old = page.findAPoint(sourcePos);
            if (old >= 0) page.removeAPoint(old);
        }
        what = copy ? "Copy (overwrite) Arrangement Point" : "Move (overwrite) Arrangement Point";
    }
    recordStep(what, false);
    core.applyArrangementAtPosition();
    pointDragIndex = page.findAPoint(pos);
    host.repaintPageArea(false);
    host.repaintArrangementStrip();
    host.repaintPositionCounter();
    if (selectorKind == 6) {
        closeSelectorOverlay();
        selectedPoint = pointDragIndex;
        if (selectedPoint >= 0) openArrangementPointEditor();
    }
}

void QuoVelanta::mouseUp(int x, int y, int button, int modifier) {
    if (hooks.mouseUp) {
        hooks.mouseUp(x, y, button, modifier);
        return;
    }
    if (hostForm == nullptr || ::popupMenuOpen()) return;
    checkPageBinding();
    mouseX = x;
    mouseY = y;
    if (playButtonPressed) {
        playButtonPressed = false;
        paintPlayButton(-2);
    }
    QvPage& page = engine.core.pageAt(false);
    const bool onChord = hoveredChord >= 0 && hoveredChord < page.chordCount() && selectorKind == 0 &&
                         hoveredResizeHandle == -1 && playMarkerPosition == -1 && !chordDragMoving &&
                         button == 1;
    if (onChord && modifier == 0 && lastClickModifier == 0 && page.selectedCount() >= 2 &&
        page.isSelected(hoveredChord)) {
        page.selectNone();
        page.setSelected(hoveredChord, true);
        host.repaintPageArea(false);
    }
    if (onChord && modifier == 1) {
        page.setSelected(hoveredChord, !page.isSelected(hoveredChord));
        host.repaintPageArea(false);
    }
    titleDragging = false;
    if (resizedChord != -1) {
        resizedChord = -1;
        host.repaintPageArea(false);
        host.repaintPositionCounter();
    }
    endChordDrag(modifier);
    endPointDrag(modifier);
    if (loopDragging) {
        loopDragging = false;
        host.repaintPageArea(false);
        host.repaintPageSlots();
        recordStep("Set loop region", false);
    }
    controls.releasePressed();
}

void QuoVelanta::keyUp(int key, bool ctrl, bool shift) {
    if (hooks.keyUp) hooks.keyUp(key, ctrl, shift);
}
