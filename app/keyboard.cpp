// The main window's keys. Every row of the table whose key and Ctrl condition match runs, in order,
// so a key with two rows (N with Ctrl) runs both.
#include "app/quovelanta.h"
#include "platform/qt/keymap.h"

namespace {

void runHook(const std::function<void()>& hook) {
    if (hook) hook();
}

} // namespace

void QuoVelanta::keyDown(int vk, bool ctrl, bool /*shift*/) {
    if (vk != vk::Shift && vk != vk::Control) stopCountIn(true);
    checkPageBinding(); // playback may have moved the edited page since the last event

    // Without Ctrl condition.
    if (vk == vk::Escape) {
        // With a selector open, Esc only closes it.
        if (selectorKind != 0)
            closeSelectorOverlay();
        else
            requestQuit();
    }
    if (vk == vk::Space) playFromCurrentPage(true);
    if (vk == vk::Return) playFromLoopStart(true);
    if (vk == vk::Home) playFromStart(true);
    if (vk == vk::OemPlus || vk == vk::Add) stepTempo(true);
    if (vk == vk::OemMinus || vk == vk::Subtract) stepTempo(false);
    if (vk == vk::Up) shiftKey(true);
    if (vk == vk::Down) shiftKey(false);
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
    if (vk == vk::F1 && !ctrl) runHelpItem(0); // the user manual

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

    if (vk == vk::Delete) {
        deleteChord();
        deleteArrangementPoint();
    }
}
