// The main window's keys. Every row of the table whose key and Ctrl condition match runs, in order,
// so a key with two rows (N with Ctrl) runs both.
#include "app/quovelanta.h"

namespace {

enum Vk {
    kVkEnter = 13,
    kVkShift = 16,
    kVkControl = 17,
    kVkEscape = 27,
    kVkSpace = 32,
    kVkHome = 36,
    kVkUp = 38,
    kVkDown = 40,
    kVkDelete = 46,
    kVkAdd = 107,
    kVkSubtract = 109,
    kVkPlus = 187,
    kVkMinus = 189,
};

void runHook(const std::function<void()>& hook) {
    if (hook) hook();
}

} // namespace

void QuoVelanta::keyDown(int vk, bool ctrl, bool /*shift*/) {
    if (vk != kVkShift && vk != kVkControl) stopCountIn(true);

    // Without Ctrl condition.
    if (vk == kVkEscape) {
        // With a selector open, Esc only closes it.
        if (selectorKind != 0)
            closeSelectorOverlay();
        else
            requestQuit();
    }
    if (vk == kVkSpace) playFromCurrentPage(true);
    if (vk == kVkEnter) playFromLoopStart(true);
    if (vk == kVkHome) playFromStart(true);
    if (vk == kVkPlus || vk == kVkAdd) stepTempo(true);
    if (vk == kVkMinus || vk == kVkSubtract) stepTempo(false);
    if (vk == kVkUp) shiftKey(true);
    if (vk == kVkDown) shiftKey(false);
    if (vk == 'R') setRepeatMode(-1);
    if (vk == 'L' && !ctrl) toggleLoop();
    if (vk == 'C' && !ctrl) clearLoop();
    if (vk == 'P') cyclePrecount();
    if (vk == 'M') toggleMixer();
    if (vk == 'N') runHook(hooks.showNotes);
    if (vk == 'T') showReferenceTones();
    if (vk == 'U') toggleMute();
    if (vk == 'H') {
        stopAndCloseSelector();
        runHook(hooks.showHistory);
    }

    // With Ctrl.
    if (ctrl) {
        if (vk == 'N') newSession(false);
        if (vk == 'O') openSession("");
        if (vk == 'S') saveSession();
        if (vk == 'Z') undo();
        if (vk == 'Y') redo();
        if (vk == 'X') cutOrCopyChords(true);
        if (vk == 'C') cutOrCopyChords(false);
        if (vk == 'V') pasteChords(-1, false);
        if (vk == 'W') pasteChords(-1, true);
        if (vk == 'A') selectAllChords();
    }

    if (vk == kVkDelete) {
        deleteChord();
        deleteArrangementPoint();
    }
}
