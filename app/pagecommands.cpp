// Chord, page and clipboard commands of the main window on the edited page, undo and redo, and the
// reset of every index bound to the edited page.
#include "app/quovelanta.h"
#include "engine/qvhistory.h"

namespace {

std::string plural(const std::string& text, int n) {
    return n >= 2 ? text + "s" : text;
}

} // namespace

void QuoVelanta::recordStep(const std::string& description, bool merge) {
    if (history) history->record(description, merge);
}

void QuoVelanta::closeSelectorOverlay() {
    if (selectorKind != 0) closeSelector(true);
    editedChord = -1;
    menuSlot = -1;
    selectedPoint = -1;
}

void QuoVelanta::cancelInteractions() {
    // The chord and point editors edit an index of the page: they close with it. The page menu
    // belongs to a slot and stays while that slot exists.
    QvCore& core = engine.core;
    if (selectorKind == 4 || selectorKind == 6 ||
        (selectorKind == 5 && (menuSlot < 0 || menuSlot >= core.pageSlots.count())))
        closeSelectorOverlay();
    if (selectorKind != 5) menuSlot = -1;
    editedChord = -1;
    selectedPoint = -1;
    pointDragIndex = -1;
    hoveredChord = -1;
    previousClickChord = -1;
    resizedChord = -1;
    dropDrags();
    playMarkerPosition = -1;
    host.clearPendingDrag();
    if (hooks.cancelMouseInteractions) hooks.cancelMouseInteractions();
    boundPosition = core.editedPosition;
    boundPage = core.pageSlots.at(core.editedPosition);
    if (hooks.updateHover) hooks.updateHover(); // the hover of the page now shown
}

void QuoVelanta::forgetChordIndexes() {
    if (selectorKind == 4) closeSelectorOverlay();
    editedChord = -1;
    hoveredChord = -1;
    previousClickChord = -1;
    resizedChord = -1;
    dropDrags();
    if (hooks.cancelMouseInteractions) hooks.cancelMouseInteractions();
}

void QuoVelanta::checkPageBinding() {
    const QvCore& core = engine.core;
    if (boundPosition != core.editedPosition || boundPage != core.pageSlots.at(core.editedPosition))
        cancelInteractions();
}

void QuoVelanta::loadChordEditorBuffer() {
    if (engine.stepControl.isPlaying()) return;
    const QvPage& page = engine.core.pageAt(false);
    if (editedChord < 0 || editedChord >= page.chordCount()) return;
    engine.core.currentChord = page.chordAt(editedChord);
    engine.computeVoicings(); // the note display shows the chord
    host.repaintVisualizer();
}

void QuoVelanta::openChordEditor() {
    QvPage& page = engine.core.pageAt(false);
    if (hoveredChord < 0 || hoveredChord >= page.chordCount()) return;
    resizedChord = -1;
    dropDrags();
    if (hooks.cancelMouseInteractions) hooks.cancelMouseInteractions();
    page.selectNone();
    editedChord = hoveredChord;
    loadChordEditorBuffer();
    selectorKind = 4;
    if (hooks.openChordSelector) hooks.openChordSelector(editedChord, page.chordAt(editedChord));
    host.repaintPageArea(false);
}

void QuoVelanta::openArrangementPointEditor() {
    pointDragIndex = -1;
    QvPage& page = engine.core.pageAt(false);
    if (selectedPoint < 0 || selectedPoint >= page.apointCount()) return;
    const int point = selectedPoint;
    page.selectNone();
    host.repaintArrangementStrip();
    selectorKind = 6;
    selectedPoint = point;
    if (hooks.openArrangementSelector) hooks.openArrangementSelector(page.apointAt(point), selectedPointX);
}

void QuoVelanta::openPageSlotMenu(bool blit) {
    const QvCore& core = engine.core;
    if (menuSlot < 0 || menuSlot >= core.pageSlots.count()) return;
    selectorKind = 5;
    if (hooks.openPageMenu) hooks.openPageMenu(menuSlot, core.pageSlots.at(menuSlot), blit);
}

void QuoVelanta::deleteChord() {
    QvPage& page = engine.core.pageAt(false);
    const int n = page.selectedCount();
    if (n == 0) {
        if (editedChord < 0 || editedChord >= page.chordCount()) {
            editedChord = -1;
            return;
        }
        page.setSelected(editedChord, true);
        page.deleteSelected();
        closeSelectorOverlay();
    } else {
        page.deleteSelected();
    }
    recordStep(plural("Delete chord", n), false);
    forgetChordIndexes(); // the chords after the deleted ones moved
    host.repaintPageArea(false);
    host.repaintPositionCounter();
    if (hooks.updateHover) hooks.updateHover();
    if (selectorKind == 5) openPageSlotMenu(true);
}

void QuoVelanta::deleteArrangementPoint() {
    QvPage& page = engine.core.pageAt(false);
    const int point = selectedPoint >= 0 ? selectedPoint : pointDragIndex;
    if (point < 0) return;
    if (point >= page.apointCount()) { // left over from a page that is gone
        selectedPoint = pointDragIndex = -1;
        return;
    }
    closeSelectorOverlay();
    page.removeAPoint(point);
    pointDragIndex = selectedPoint = -1;
    engine.core.applyArrangementAtPosition();
    host.repaintPageArea(false);
    host.repaintPositionCounter();
    recordStep("Delete Arrangement Point", false);
}

void QuoVelanta::cutOrCopyChords(bool cut) {
    QvPage& page = engine.core.pageAt(false);
    const int n = page.selectedCount();
    if (n == 0) return;
    page.copySelectedToClipboard(engine.pageContext());
    if (cut) {
        page.deleteSelected();
        recordStep(plural("Cut chord", n), false);
        forgetChordIndexes();
    }
    host.repaintPageArea(false);
    if (hooks.updateHover) hooks.updateHover();
    host.repaintPositionCounter();
    if (selectorKind == 5) openPageSlotMenu(true);
}

void QuoVelanta::pasteChords(int index, bool replacePage) {
    QvPage& page = engine.core.pageAt(false);
    const int n = engine.clipboard.chordCount();
    if (n == 0) return;
    // The page is replaced only when the paste is taken: a refused paste leaves it as it was.
    QvPage before;
    if (replacePage) {
        before = page;
        page.clear(nullptr);
    }
    if (index < 0 || index > page.chordCount()) index = page.chordCount();
    page.selectNone();
    const bool pasted = page.paste(index, false, false, engine.pageContext());
    if (pasted) {
        recordStep(plural("Paste chord", n), false);
        if (replacePage) {
            cancelInteractions(); // the points went with the page's content
        } else {
            forgetChordIndexes();
        }
    } else if (replacePage) {
        page = before;
    }
    host.repaintPageArea(false);
    if (hooks.updateHover) hooks.updateHover();
    host.repaintPositionCounter();
    host.repaintBarsPanel();
    if (selectorKind == 5) openPageSlotMenu(true);
}

void QuoVelanta::selectAllChords() {
    QvPage& page = engine.core.pageAt(false);
    if (page.chordCount() == 0) return;
    page.selectAll();
    host.repaintPageArea(false);
}

void QuoVelanta::deselectChords() {
    QvPage& page = engine.core.pageAt(false);
    if (hoveredChord >= 0 || page.selectedCount() == 0) return;
    page.selectNone();
    host.repaintPageArea(false);
}

void QuoVelanta::clearPage() {
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    if (page.isEmpty()) return;
    page.clear(&engine.liveArrangement);
    if (core.loopEnd >= 0 &&
        (long long)core.songLength() < (long long)core.stepsPerBar() * (core.loopEnd + 1)) {
        core.loopStart = core.loopEnd = -1;
        core.loopRegionActive = false;
        host.repaintRuler(true);
        host.repaintRepeatBox();
    }
    cancelInteractions();
    host.repaintPageArea(false);
    host.repaintPositionCounter();
    recordStep("Clear Page", false);
}

void QuoVelanta::editPageSequenceAsText() {
    QvCore& core = engine.core;
    std::string text = core.pageSequenceText();
    if (!hooks.editPageSequence || !hooks.editPageSequence(text)) return;
    core.parsePageSequence(text);
    afterPageChange(true);
    recordStep("Edit Page sequence as text", false);
}

void QuoVelanta::clearPageSequence() {
    QvCore& core = engine.core;
    core.pageSlots.clear();
    core.pageSlots.add(0);
    afterPageChange(true);
    recordStep("Clear Page sequence", false);
}

void QuoVelanta::afterPageChange(bool repaintPage) {
    QvCore& core = engine.core;
    if (core.pageSlots.empty()) core.pageSlots.add(0);
    const int last = core.pageSlots.count() - 1;
    if (last < core.editedPosition) core.editedPosition = core.playingPosition = last;
    if (core.playingPosition > last || core.playingPosition < 0) core.playingPosition = last;
    if (core.editedPosition < 0) core.editedPosition = 0;
    silenceAllInstruments(engine.instruments);
    core.currentChord.variant = -1;
    core.applyArrangementAtPosition();
    checkPageBinding();
    if (repaintPage) host.repaintPageArea(false);
    host.repaintPageSlots();
    host.repaintPositionCounter();
}

void QuoVelanta::undo() {
    closeSelectorOverlay();
    if (history) history->undo();
    cancelInteractions();
}

void QuoVelanta::redo() {
    closeSelectorOverlay();
    if (history) history->redo();
    cancelInteractions();
}

int QuoVelanta::addChordAtEnd() {
    QvPage& page = engine.core.pageAt(false);
    const int room = page.zoom * 48 - page.length();
    if (room < 1) return -1;
    QvChord chord = QvCore::emptyChord();
    if (page.chordCount() > 0) chord.len = page.chordAt(page.chordCount() - 1).len;
    if (chord.len > room) chord.len = room;
    page.selectNone();
    page.addChord(chord, -1);
    const int index = page.chordCount() - 1;
    host.repaintPageArea(false);
    if (hooks.updateHover) hooks.updateHover();
    host.repaintPositionCounter();
    recordStep("Add chord", false);
    return index;
}

int QuoVelanta::addPageToSequence() {
    QvCore& core = engine.core;
    if (core.pageSlots.count() >= kMaxSequenceEntries) return -1;
    core.pageSlots.add(core.pageSlots.at(core.pageSlots.count() - 1));
    const int entry = core.pageSlots.count() - 1;
    host.repaintPageSlots();
    core.editedPosition = core.playingPosition = entry;
    afterPageChange(false);
    recordStep("Add Page to sequence", false);
    return entry;
}
