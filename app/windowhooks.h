#pragma once
// The places where the other windows, overlays and the input handling plug into the main window,
// its commands and the program's start. Each hook is empty until the window it stands for is
// connected; an empty hook does nothing and, where it answers, answers "cancelled" (false), so every
// command and the main window work without those windows.
#include <functional>
#include <string>

#include "engine/qvapoint.h"
#include "engine/qvchord.h"
#include "foundation/llist.h"
#include "platform/qt/gditypes.h"
#include "platform/qt/shellopen.h"

struct WindowHooks {
    // The selector overlay, opened as chord editor on chord `chord` of the edited page (the overlay
    // edits `target`, a copy), as arrangement-point editor on a copy of `point` at strip x `x`, or as
    // page menu at slot `slot` (with blit, the overlay's rectangle is copied to the screen at once).
    std::function<void(int chord, const QvChord& target)> openChordSelector;
    std::function<void(const QvAPoint& point, int x)> openArrangementSelector;
    std::function<void(int slot, int page, bool blit)> openPageMenu;

    // Windows and pages of their own.
    std::function<void()> showMixer;                // key M, Play menu
    std::function<void()> showNotes;                // key N: the session notes window
    std::function<void()> showHistory;              // key H: the history page
    std::function<void()> showReferenceTones;       // key T: the reference tones page
    std::function<void()> showVisualTranspose;      // Options menu
    std::function<bool(int link)> editSessionLinks; // the session links page at link 0..4; true on OK
    std::function<bool(std::string& text)> editPageSequence; // the page sequence as text; true on OK

    // The mouse input's hover is computed again (after an edit under the mouse, the end of a count-in)
    // and its drags and click memory are forgotten (after the session changed under them).
    std::function<void()> updateHover;
    std::function<void()> cancelMouseInteractions;

    // Edits a window still holds (typed session notes) are put into the session and recorded; the
    // document flows call it before the save question and before every save.
    std::function<void()> storePendingEdits;

    // How session links reach the desktop (empty: the desktop's own opener).
    UrlOpener urlOpener;

    // ---- The main window and the program's start ----
    // Start-up: the sound test page on the very first run; true when "Play Again" was chosen.
    // Empty: no sound test is shown (and the first run is not marked done).
    std::function<bool()> soundTest;
    // The title cards: record their start time, the main loop's idle check, show one card (Ctrl + `).
    std::function<void()> titleCardsStart;
    std::function<void()> titleCardsIdle;
    std::function<void()> titleCardsShowOne;
    // Ctrl+Shift+Insert: shows the Style Programmer.
    std::function<void()> showStyleProgrammer;

    // The selector overlay: painted over the form after the back buffer (blitToForm), while a
    // selector is open (the main object's selectorKind is not 0).
    std::function<void()> paintSelector;
    // The open selector's rectangle on the window (inclusive); the ruler is then copied to the window
    // only left and right of it while the style, tempo or page-menu selector is open.
    std::function<TRect()> selectorRect;
    // The play-from position marker above the page (force, mode); the page painter calls it after
    // hiding the marker (playMarkerPosition = -1).
    std::function<void(bool force, int mode)> paintPositionMarker;

    // The dialog form: visible (the main form then forwards no input) and closed (before a quit
    // request that comes from the desktop).
    std::function<bool()> isDialogVisible;
    std::function<void()> closeDialog;
    // The popup menu form is visible: the idle tick then tracks the menu bar hover.
    std::function<bool()> isPopupMenuVisible;
    std::function<void()> trackMenuBarHover;

    // Input. When set, these receive the main form's events in place of the main object's own
    // minimal handling of the window frame (title move, close and minimise boxes, play button).
    std::function<void(int x, int y, int button, int modifier, bool synthetic)> mouseDown;
    std::function<void(int x, int y, bool leftDown, int modifier)> mouseMove;
    std::function<void(int x, int y, int button, int modifier)> mouseUp;
    std::function<void(int key, bool ctrl, bool shift)> keyUp;
    // Extra work after the quit request was granted (the commands may add to it).
    std::function<void()> afterQuitGranted;
    // The quit's last question, after the session's own (unsaved style edits); false keeps running.
    std::function<bool()> confirmQuit;

    // Other windows the engine side refreshes (QvHost): the mixer, the notes window, the Style
    // Programmer; the selector closed; the input state reset; a pending drag forgotten.
    std::function<void()> refreshMixer;
    std::function<void()> reloadNotes;
    std::function<void()> refreshStyleProgrammer;
    std::function<void()> closeSelector;
    std::function<void()> resetInputState;
    std::function<void()> clearPendingDrag;
    // ---- Menus: pages and windows the menu bar and the point menu open (empty: nothing opens) ----
    std::function<bool(bool chordsSelected)> showTransposePage; // true when confirmed
    std::function<void()> showFadeOutPage;
    std::function<void()> showAccompanimentPage;
    std::function<void()> showPrecountPage;
    std::function<void()> showOptionsPage;
    std::function<void()> showHotKeysPage;
    std::function<void()> showAboutPage;
    std::function<void()> showSoundTestPage;
    // The animated loop help (the first click on the ruler).
    std::function<void()> showLoopHelp;
    // The preset progressions page: 0 replace, 1 add, 2 / -1 nothing; chosen is the picked entry.
    std::function<int(const Llist<std::string>& names, int& chosen)> choosePresetProgression;
    // The document pages (dialogs/documentpages.h connects them): the export settings (true: go on
    // to the file) and the text-list page (true on OK, lines then edited).
    std::function<bool()> askMidiExportSettings;
    std::function<bool()> askTextExportSettings;
    std::function<bool(const std::string& title, Llist<std::string>& lines)> editTextList;
    // Window and screen coordinates of the main window (empty: the same).
    std::function<TPoint(TPoint client)> clientToScreen;
    std::function<TPoint(TPoint screen)> screenToClient;
    // A click that closed a context menu, replayed to the main window's mouse-down handler.
    std::function<void(int x, int y, int button, int modifier)> replayMouseDown;
    // ---- end of the menu hooks ----
};
