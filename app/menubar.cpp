// The main window's menu bar: the five menus, sliding from one title to the next while a menu is
// open, and the commands behind every item.
#include "app/menubar.h"

#include <algorithm>

#include "app/documentdialogs.h"
#include "app/flagscope.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "engine/globalnotes.h"
#include "engine/presetprogressions.h"
#include "engine/qvhistory.h"
#include "foundation/recentfiles.h"
#include "foundation/strutil.h"
#include "ui/menumarkup.h"
#include "ui/modalloop.h"

int PopupMenuPresenter::show(const Llist<std::string>& items, int x, int y) {
    byKey = false;
    closedHere = false;
    const int r = showPopupMenu(items, -1, x, y);
    byKey = r < 0 && !closedHere && lastClosedByKey();
    return r;
}

void PopupMenuPresenter::close() {
    if (TFmenu* menu = activePopupMenu()) {
        closedHere = true;
        menu->closeMenu();
    }
}

MenuPresenter& defaultMenuPresenter() {
    static PopupMenuPresenter presenter;
    return presenter;
}

namespace {

const char* const kVideosPage = "/videos.html";
const char* const kSupportPage = "/support.html";

void tell(Prompt& prompt, const std::string& line) {
    Llist<std::string> lines(0, 1, true);
    lines.add(line);
    prompt.messageBox(lines, PromptButtons::Ok, "");
}

int titleAt(const Llist<TRect>& rects, int x, int y) {
    for (int i = 0; i < rects.count(); ++i) {
        const TRect& r = rects.at(i);
        if (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom) return i;
    }
    return -1;
}

// The item at index i of a menu acts (it exists and is neither dimmed, a heading nor a line).
bool acts(const Llist<std::string>& items, int i) {
    return i >= 0 && i < items.count() && parseMenuItem(items.at(i)).acts();
}

} // namespace

// ---- Menu bar --------------------------------------------------------------------------------------

int QuoVelanta::runMenuBar() {
    int index = requestedMenu >= 0 ? requestedMenu : titleAt(menuTitleRects, mouseX, mouseY);
    if (index < 0 || index > kMenuHelp) {
        requestedMenu = -1;
        return -1;
    }
    MenuPresenter& menus = menuPresenter ? *menuPresenter : defaultMenuPresenter();
    int result = 0;
    bool byKey = false;
    // Each pass runs one menu; sliding to another title runs that one next. The count only bounds a
    // script that keeps requesting menus.
    for (int pass = 0; pass < 1000; ++pass) {
        requestedMenu = -1;
        bool ran = false;
        switch (index) {
        case kMenuFile:
            ran = runFileMenu();
            break;
        case kMenuEdit:
            ran = runEditMenu();
            break;
        case kMenuPlay:
            ran = runPlayMenu();
            break;
        case kMenuOptions:
            ran = runOptionsMenu();
            break;
        default:
            ran = runHelpMenu();
            break;
        }
        result = ran ? 1 : 0;
        byKey = !ran && menus.closedByKey();
        if (ran || byKey || requestedMenu < 0 || requestedMenu == index || requestedMenu > kMenuHelp ||
            modalLoop().abortWaits())
            break;
        index = requestedMenu;
    }
    openMenu = -1;
    requestedMenu = -1;
    if (byKey) return 2;
    updateMousePosition();
    if (titleAt(menuTitleRects, mouseX, mouseY) == index) return 3;
    return result;
}

void QuoVelanta::trackMenuBarHover() {
    if (openMenu < 0) return;
    updateMousePosition();
    const int over = titleAt(menuTitleRects, mouseX, mouseY);
    if (over < 0 || over == openMenu) return;
    requestedMenu = over;
    MenuPresenter& menus = menuPresenter ? *menuPresenter : defaultMenuPresenter();
    menus.close();
}

void QuoVelanta::updateMousePosition() {
    MenuPresenter& menus = menuPresenter ? *menuPresenter : defaultMenuPresenter();
    TPoint p = menus.cursorPos();
    if (hooks.screenToClient) p = hooks.screenToClient(p);
    mouseX = p.x;
    mouseY = p.y;
}

int QuoVelanta::popupMenuUnderTitle(int index, const Llist<std::string>& items) {
    if (index < 0 || index >= menuTitleRects.count()) index = std::clamp(index, 0, kMenuHelp);
    const TRect title = index < menuTitleRects.count() ? menuTitleRects.at(index) : TRect{};
    TPoint at{title.Left + 6, title.Top + 21};
    if (hooks.clientToScreen) at = hooks.clientToScreen(at);
    MenuPresenter& menus = menuPresenter ? *menuPresenter : defaultMenuPresenter();
    openMenu = index;
    // A dimmed item, a heading or a line comes back as chosen too: the menu ran, nothing acts, and
    // the click that chose it is not passed on to the window beneath.
    return menus.show(items, at.x, at.y);
}

// ---- File ------------------------------------------------------------------------------------------

Llist<std::string> QuoVelanta::fileMenuItems() const {
    Llist<std::string> m(0, 12, true);
    const bool noRecent = !recentFiles || recentFiles->entries.count() == 0;
    m.add("New|Ctrl+N");
    m.add("Open...|Ctrl+O");
    m.add(std::string(noRecent ? "@" : "") + "Recent Files...");
    m.add("-Save|Ctrl+S");
    m.add("Save As...");
    m.add("Save As MIDI File...");
    m.add("Save Chords As Text...");
    m.add("-Session Notes...|N");
    m.add("Session Links...");
    m.add("Global Notes...");
    m.add("-Exit");
    return m;
}

bool QuoVelanta::runFileMenu() {
    const int i = popupMenuUnderTitle(kMenuFile, fileMenuItems());
    return i >= 0 && (runFileItem(i), true);
}

bool QuoVelanta::runFileItem(int i) {
    if (!acts(fileMenuItems(), i)) return false;
    // The exports start from a stopped song with no selector open; New, Open and Save As stop as
    // their flows say, and Save leaves playback and the selector as they are.
    if (i == 5 || i == 6) stopAndCloseSelector();
    switch (i) {
    case 0:
        newSession(false);
        break;
    case 1:
        openSession("");
        break;
    case 2: {
        if (!recentFiles) break;
        Llist<std::string> paths = recentFiles->entries; // a copy: opening reorders the list
        MenuPresenter& menus = menuPresenter ? *menuPresenter : defaultMenuPresenter();
        // Paths are shown as they are; a leading marker character would be read as markup.
        Llist<std::string> shown(0, 8, true);
        for (const std::string& p : paths) shown.add(p.find_first_of(">-~@#$^") == 0 ? " " + p : p);
        FlagScope busy(popupMenuOpen);
        const int r = menus.show(shown, -1000, -1000);
        if (r >= 0 && r < paths.count()) openSession(paths.at(r));
        break;
    }
    case 3:
        saveSession();
        break;
    case 4:
        saveSessionAs();
        break;
    case 5:
        if (hooks.askMidiExportSettings && hooks.askMidiExportSettings()) saveMidiFileAs();
        break;
    case 6:
        if (hooks.askTextExportSettings && hooks.askTextExportSettings()) saveChordsAsText();
        break;
    case 7:
        if (hooks.showNotes) hooks.showNotes();
        break;
    case 8:
        editSessionLinks(0);
        break;
    case 9:
        editGlobalNotes();
        break;
    case 10:
        requestQuit();
        break;
    default:
        return false;
    }
    return true;
}

void QuoVelanta::editGlobalNotes() {
    if (!globalNotes || !hooks.editTextList) return;
    Llist<std::string> lines = globalNotes->notes;
    if (!hooks.editTextList("Global Notes", lines)) return;
    globalNotes->notes = lines;
    // The edit stays in memory either way (the store is saved again at exit); a failed write is told.
    if (!globalNotes->save()) tell(prompt, "Failed to save file.");
}

// ---- Edit ------------------------------------------------------------------------------------------

std::string QuoVelanta::undoDescription() const {
    return history ? history->undoDescription() : std::string();
}

std::string QuoVelanta::redoDescription() const {
    return history ? history->redoDescription() : std::string();
}

Llist<std::string> QuoVelanta::editMenuItems() const {
    Llist<std::string> m(0, 16, true);
    const QvPage& page = engine.core.pageAt(false);
    const bool canUndo = history && history->canUndo();
    const bool canRedo = history && history->canRedo();
    m.add(canUndo ? "Undo: " + capitaliseWords(undoDescription()) + "|Ctrl+Z" : "@Undo|Ctrl+Z");
    m.add(canRedo ? "Redo: " + capitaliseWords(redoDescription()) + "|Ctrl+Y" : "@Redo|Ctrl+Y");
    m.add("History...|H");
    m.add("-Preset Chord Progressions...");
    m.add("Transpose...");
    m.add(std::string(page.isEmpty() ? "@" : "") + "Clear " + "Page");
    const bool none = page.selectedCount() == 0;
    m.add(std::string("-") + (none ? "@" : "") + "Cut Chords|Ctrl+X");
    m.add(std::string(none ? "@" : "") + "Copy Chords|Ctrl+C");
    m.add(std::string(engine.clipboard.chordCount() == 0 ? "@" : "") + "Paste Chords|Ctrl+V");
    m.add(std::string(none ? "@" : "") + "Delete Chords|Del");
    m.add(std::string(page.chordCount() == 0 ? "@" : "") + "Select All Chords On Page|Ctrl+A");
    m.add(std::string("-Edit ") + "Page" + " Sequence As Text...");
    m.add(std::string("Clear ") + "Page" + " Sequence");
    return m;
}

bool QuoVelanta::runEditMenu() {
    int i = -1;
    {
        FlagScope busy(popupMenuOpen); // playback holds the displayed page while the menu is open
        i = popupMenuUnderTitle(kMenuEdit, editMenuItems());
    }
    return i >= 0 && (runEditItem(i), true);
}

bool QuoVelanta::runEditItem(int i) {
    if (!acts(editMenuItems(), i)) return false;
    switch (i) {
    case 0:
        undo();
        break;
    case 1:
        redo();
        break;
    case 2:
        stopAndCloseSelector();
        if (hooks.showHistory) hooks.showHistory();
        break;
    case 3:
        presetChordProgressions();
        break;
    case 4: {
        const bool selected = engine.core.pageAt(false).selectedCount() > 0;
        if (hooks.showTransposePage && hooks.showTransposePage(selected)) {
            host.repaintPageArea(true);
            recordStep("Transpose", false);
        }
        break;
    }
    case 5:
        clearPage();
        break;
    case 6:
        cutOrCopyChords(true);
        break;
    case 7:
        cutOrCopyChords(false);
        break;
    case 8:
        pasteChords(-1, false);
        break;
    case 9:
        deleteChord();
        break;
    case 10:
        selectAllChords();
        break;
    case 11:
        editPageSequenceAsText();
        break;
    case 12:
        clearPageSequence();
        break;
    default:
        return false;
    }
    return true;
}

Llist<std::string> QuoVelanta::presetProgressionMenuNames(Llist<int>* indexes) {
    Llist<std::string> names(0, 16, true);
    if (indexes) indexes->clear();
    Llist<QvChord> none(0, 1, true);
    for (int i = 0; i < kPresetProgressionCount; ++i) {
        std::string name;
        getPresetProgression(name, i, none, false);
        if (name.empty()) break;
        const bool separator = name == "-";
        if (separator && (names.count() == 0 || names.at(names.count() - 1) == "-")) continue;
        names.add(name);
        if (indexes) indexes->add(separator ? -1 : i);
    }
    return names;
}

bool QuoVelanta::presetChordProgressions() {
    if (!hooks.choosePresetProgression) return false;
    Llist<int> indexes(0, 16, true);
    const Llist<std::string> names = presetProgressionMenuNames(&indexes);
    int chosen = -1;
    const int r = hooks.choosePresetProgression(names, chosen);
    if (r != 0 && r != 1) return false;
    if (chosen < 0 || chosen >= indexes.count() || indexes.at(chosen) < 0) return false;
    return applyPresetProgression(indexes.at(chosen), r == 0);
}

bool QuoVelanta::applyPresetProgression(int entry, bool replace) {
    std::string name;
    Llist<QvChord> chords(0, 8, true);
    getPresetProgression(name, entry, chords, true);
    if (name.empty() || name == "-" || chords.count() == 0) return false;
    QvCore& core = engine.core;
    if (core.isTripleMeter()) {
        // The catalogue is in 4/4: its chords go onto the 3/4 grid first, so that the chords already on
        // the page stay as they are and the space check measures what is really added.
        QvPage converted;
        for (const QvChord& c : chords) converted.chords.add(c);
        converted.dirty = true;
        converted.convertMeter(true);
        chords = converted.chords;
    }
    QvPage& page = core.pageAt(false);
    int added = 0;
    for (const QvChord& c : chords) added += c.len;
    if (!replace && page.length() + added > kMaxPageUnits) {
        tell(prompt, "There is not enough free space on actual page to add this chord progression.");
        return false;
    }
    closeSelectorOverlay();
    cancelInteractions();
    page.addChords(chords, replace, engine.pageContext());
    host.repaintPageArea(true);
    host.repaintPositionCounter();
    recordStep(std::string("Preset progression - ") + (replace ? "Replace" : "Add to") + " page", false);
    return true;
}

// ---- Play ------------------------------------------------------------------------------------------

Llist<std::string> QuoVelanta::playMenuItems() const {
    Llist<std::string> m(0, 12, true);
    const QvCore& core = engine.core;
    const bool playing = engine.stepControl.isPlaying();
    const bool noLoop = core.loopStart < 0 || core.loopEnd < 0;
    const int mode = core.loopMode;
    const int next = mode >= 2 || mode < 0 ? 0 : mode + 1; // what the R key chooses next
    auto key = [&](int m) { return std::string(m == next ? "R" : "@R"); };
    m.add(std::string(playing ? "@" : "") + "Play from actual page" + "|" + "Space");
    m.add(std::string(playing ? "@" : "") + "Play From Start|" + "Home");
    m.add(std::string(playing || noLoop ? "@" : "") + "Play From Loop Start|" + "Enter");
    m.add(std::string(playing ? "" : "@") + "Stop|Space");
    m.add(std::string("-") + (mode == 0 ? "$" : "") + "Repeat All|" + key(0));
    m.add(std::string(mode == 1 ? "$" : "") + "Repeat " + "Page" + "|" + key(1));
    m.add(std::string(mode == 2 ? "$" : "") + "Repeat Off|" + key(2));
    m.add("-Fade Out...");
    m.add("Mixer...|M");
    m.add("Accompaniment...");
    return m;
}

bool QuoVelanta::runPlayMenu() {
    const int i = popupMenuUnderTitle(kMenuPlay, playMenuItems());
    return i >= 0 && (runPlayItem(i), true);
}

bool QuoVelanta::runPlayItem(int i) {
    // A dimmed item never acts: the state may have changed since the menu was drawn.
    if (!acts(playMenuItems(), i)) return false;
    switch (i) {
    case 0:
        playFromCurrentPage(true);
        break;
    case 1:
        playFromStart(true);
        break;
    case 2:
        playFromLoopStart(true);
        break;
    case 3:
        if (engine.stepControl.isPlaying()) playFromCurrentPage(true);
        break;
    case 4:
        setRepeatMode(0);
        break;
    case 5:
        setRepeatMode(1);
        break;
    case 6:
        setRepeatMode(2);
        break;
    case 7:
        if (hooks.showFadeOutPage) hooks.showFadeOutPage();
        break;
    case 8:
        toggleMixer();
        break;
    case 9:
        if (hooks.showAccompanimentPage) hooks.showAccompanimentPage();
        break;
    default:
        return false;
    }
    return true;
}

// ---- Options ---------------------------------------------------------------------------------------

Llist<std::string> QuoVelanta::optionsMenuItems() const {
    Llist<std::string> m(0, 12, true);
    const Options& o = engine.options;
    m.add("Precount...");
    m.add("Reference Tones...|T");
    m.add("Visual Transpose...");
    m.add(std::string("-") + (o.visualizeNotes ? "#" : "") + "Show Musical Notes");
    const char* const kinds[4] = {"Piano Keyboard", "Wide Piano Keyboard", "Note-Octave Matrix",
                                  "Chord & Bass Notes"};
    for (int k = 0; k < 4; ++k)
        m.add(std::string(">") + (o.visualizeNotes ? "" : "@") + (o.visualizeMode == k ? "$" : "") +
              kinds[k]);
    m.add(std::string(o.displayTime ? "#" : "") + "Show Actual & Total Time");
    m.add(std::string(o.displayBars ? "#" : "") + "Show Bars");
    m.add(std::string(o.displayBarNumbers ? "#" : "") + "Show Bar Numbers");
    m.add("-More...");
    return m;
}

bool QuoVelanta::runOptionsMenu() {
    const int i = popupMenuUnderTitle(kMenuOptions, optionsMenuItems());
    return i >= 0 && (runOptionsItem(i), true);
}

bool QuoVelanta::runOptionsItem(int i) {
    if (!acts(optionsMenuItems(), i)) return false;
    Options& o = engine.options;
    switch (i) {
    case 0:
        if (hooks.showPrecountPage) hooks.showPrecountPage();
        break;
    case 1:
        showReferenceTones();
        break;
    case 2:
        showVisualTranspose();
        break;
    case 3:
        o.visualizeNotes = !o.visualizeNotes;
        host.refreshPanels();
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        o.visualizeNotes = true;
        o.visualizeMode = i - 4;
        host.refreshPanels();
        break;
    case 8:
        o.displayTime = !o.displayTime;
        host.refreshPanels();
        break;
    case 9:
        o.displayBars = !o.displayBars;
        host.repaintPageArea(true);
        break;
    case 10:
        o.displayBarNumbers = !o.displayBarNumbers;
        host.repaintPageArea(true);
        break;
    case 11:
        if (hooks.showOptionsPage) hooks.showOptionsPage();
        break;
    default:
        return false;
    }
    return true;
}

// ---- Help ------------------------------------------------------------------------------------------

Llist<std::string> QuoVelanta::helpMenuItems() const {
    Llist<std::string> m(0, 10, true);
    m.add("Help");
    m.add("Hot Keys");
    m.add("Troubleshooting - Sound Test");
    m.add("About");
    m.add("-^W e b s i t e :");
    m.add("-Home");
    m.add("Videos");
    m.add("Support");
    m.add("Check For Updates");
    return m;
}

bool QuoVelanta::runHelpMenu() {
    const int i = popupMenuUnderTitle(kMenuHelp, helpMenuItems());
    return i >= 0 && (runHelpItem(i), true);
}

void QuoVelanta::openAddress(const std::string& target) {
    if (engine.stepControl.isPlaying()) togglePlay();
    const std::string error = shellOpen(target, hooks.urlOpener);
    if (!error.empty()) tell(prompt, error + " (" + target + ")");
}

bool QuoVelanta::runHelpItem(int i) {
    if (!acts(helpMenuItems(), i)) return false;
    switch (i) {
    case 0:
        openAddress(helpFilePath());
        break;
    case 1:
        if (hooks.showHotKeysPage) hooks.showHotKeysPage();
        break;
    case 2:
        stopAndCloseSelector();
        waitMs(150, true);
        if (hooks.showSoundTestPage) hooks.showSoundTestPage();
        selectStyle(-1, false, false, false); // the test's piano replaced the instruments
        break;
    case 3:
        if (hooks.showAboutPage) hooks.showAboutPage();
        break;
    case 5:
        openAddress(kMakerWebSite);
        break;
    case 6:
        openAddress(std::string(kMakerWebSite) + kVideosPage);
        break;
    case 7:
        openAddress(std::string(kMakerWebSite) + kSupportPage);
        break;
    case 8:
        openAddress(updatePageAddress());
        break;
    default:
        return false;
    }
    return true;
}
