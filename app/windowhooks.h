#pragma once
// The windows and overlays that the main window's commands open, as hooks. Each hook is empty until
// the window it stands for is connected; an empty hook does nothing and, where it answers, answers
// "cancelled" (false), so every command works without those windows.
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

    // How session links reach the desktop (empty: the desktop's own opener).
    UrlOpener urlOpener;
    // ---- Menus: pages and windows the menu bar and the point menu open (empty: nothing opens) ----
    std::function<bool(bool chordsSelected)> showTransposePage; // true when confirmed
    std::function<void()> showFadeOutPage;
    std::function<void()> showAccompanimentPage;
    std::function<void()> showPrecountPage;
    std::function<void()> showOptionsPage;
    std::function<void()> showHotKeysPage;
    std::function<void()> showAboutPage;
    std::function<void()> showSoundTestPage;
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
