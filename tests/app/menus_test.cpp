// The menu bar and its menus as data and as flows: sliding between titles, keys in a menu, every
// item's state, the commands behind the items, the point menu, the pointer helpers, and the file and
// export flows end to end with their failures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/documentdialogs.h"
#include "app/menubar.h"
#include "app/utilities.h"
#include "commands_rig.h"
#include "engine/globalnotes.h"
#include "engine/presetprogressions.h"
#include "foundation/recentfiles.h"
#include "foundation/textfile.h"
#include "midicsv_check.h"
#include "platform/qt/keymap.h"
#include "ui/menumarkup.h"

namespace {

std::vector<std::string> itemsOf(const Llist<std::string>& l) {
    return std::vector<std::string>(l.begin(), l.end());
}

// Answers each popup from a script: a step gets the items and returns the choice; it may move the
// mouse and call the hover tracker as the idle tick would.
class ScriptedMenus : public MenuPresenter {
  public:
    struct Answer {
        int choice = -1;
        bool byKey = false;
        DismissClick click;
        std::function<void()> during; // runs while the popup "shows"
    };
    std::deque<Answer> answers;
    std::vector<std::vector<std::string>> shown;
    std::vector<TPoint> at;
    std::vector<bool> busyWhileShown;
    QuoVelanta* app = nullptr;
    TPoint cursor{0, 0};
    bool open = false, closedByUs = false, lastByKey = false;
    DismissClick lastClick;

    int show(const Llist<std::string>& items, int x, int y) override {
        shown.push_back(itemsOf(items));
        at.push_back({x, y});
        busyWhileShown.push_back(app && app->isBusy());
        Answer a;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        open = true;
        closedByUs = false;
        if (a.during) a.during();
        open = false;
        lastByKey = a.byKey && !closedByUs;
        lastClick = a.click;
        if (closedByUs) return -1;
        if (a.choice < 0 || a.choice >= items.count()) return -1; // greyed items, headings, lines too
        return a.choice;
    }
    bool closedByKey() const override { return lastByKey; }
    DismissClick dismissClick() const override { return lastClick; }
    bool isOpen() const override { return open; }
    void close() override { closedByUs = true; }
    TPoint cursorPos() const override { return cursor; }
};

class ScriptedDialogs : public FileDialogs {
  public:
    std::deque<std::string> answers; // an empty text cancels
    std::vector<std::string> titles;
    bool runOpenDialog(std::string& f, const std::string& t, const std::string&,
                       const std::string&) override {
        return answer(f, t);
    }
    bool runSaveDialog(std::string& f, const std::string& t, const std::string&,
                       const std::string&) override {
        return answer(f, t);
    }

  private:
    bool answer(std::string& f, const std::string& title) {
        titles.push_back(title);
        if (answers.empty()) return false;
        std::string a = answers.front();
        answers.pop_front();
        if (a.empty()) return false;
        f = a;
        return true;
    }
};

class Menus : public ::testing::Test {
  protected:
    cmd::Rig rig;
    ScriptedMenus menus;
    ScriptedDialogs dialogs;

    void SetUp() override {
        QuoVelanta& a = rig.app();
        menus.app = &a;
        a.menuPresenter = &menus;
        a.fileDialogs = &dialogs;
        // Five titles side by side, 40 pixels wide, as the window lays them out.
        for (int i = 0; i < 5; ++i) a.menuTitleRects.add(TRect{10 + 45 * i, 2, 50 + 45 * i, 20});
        a.minimiseRect = TRect{700, 0, 730, 24};
        a.positionScale = TRect{100, 300, 500, 310};
        rig.ctx->recentFiles.entries.clear();
    }
    QuoVelanta& app() { return rig.app(); }
    // The mouse over title i (client = screen here).
    void mouseOnTitle(int i) {
        const TRect r = app().menuTitleRects.at(i);
        menus.cursor = {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        app().mouseX = menus.cursor.x;
        app().mouseY = menus.cursor.y;
    }
    void mouseAway() {
        menus.cursor = {400, 400};
        app().mouseX = 400;
        app().mouseY = 400;
    }
    std::string lastMessage() {
        const Llist<std::string>& l = rig.prompt.lastLines;
        return l.count() > 0 ? l.at(0) : std::string();
    }
    // A path no write can reach: in a read-only folder, or (for root, whom permissions do not stop)
    // under a plain file.
    std::string unwritable(const std::string& name) {
        if (::geteuid() != 0) {
            const std::string folder = rig.dir.file("ro");
            ::mkdir(folder.c_str(), 0555);
            return folder + "/" + name;
        }
        const std::string file = rig.dir.file("plainfile");
        std::ofstream(file) << "x";
        return file + "/" + name;
    }
    void TearDown() override { ::chmod(rig.dir.file("ro").c_str(), 0755); }
    int presetOfBars(int bars) {
        for (int i = 0; i < kPresetProgressionCount; ++i)
            if (presetProgressionBars(i) == bars) return i;
        return -1;
    }
};

TEST_F(Menus, MenuBarSlidesBetweenTitlesAndReportsHowItEnded) {
    // No title under the mouse: nothing opens.
    mouseAway();
    EXPECT_EQ(app().runMenuBar(), -1);
    EXPECT_TRUE(menus.shown.empty());

    // File opens under its title; the mouse moves to Edit, which closes File and opens Edit without
    // a click; Edit then ends without a choice, mouse elsewhere.
    mouseOnTitle(0);
    ScriptedMenus::Answer slide;
    slide.during = [&] {
        mouseOnTitle(1);
        app().trackMenuBarHover();
    };
    ScriptedMenus::Answer dismissed;
    dismissed.during = [&] { mouseAway(); };
    menus.answers = {slide, dismissed};
    EXPECT_EQ(app().runMenuBar(), 0);
    ASSERT_EQ(menus.shown.size(), 2u);
    EXPECT_EQ(menus.shown[0], itemsOf(app().fileMenuItems()));
    EXPECT_EQ(menus.shown[1][2], "History...|H");
    // Under the title: (Left + 6, Top + 21).
    EXPECT_EQ(menus.at[0].x, 16);
    EXPECT_EQ(menus.at[0].y, 23);
    EXPECT_EQ(menus.at[1].x, 61);
    // The Edit menu, and only it, holds the page while it is open; both indices are cleared after.
    EXPECT_FALSE(menus.busyWhileShown[0]);
    EXPECT_TRUE(menus.busyWhileShown[1]);
    EXPECT_FALSE(app().popupMenuOpen);
    EXPECT_EQ(app().openMenu, -1);
    EXPECT_EQ(app().requestedMenu, -1);

    // A key in an open menu ends the menu bar with 2.
    menus.shown.clear();
    mouseOnTitle(2);
    ScriptedMenus::Answer key;
    key.byKey = true;
    menus.answers = {key};
    EXPECT_EQ(app().runMenuBar(), 2);
    EXPECT_EQ(menus.shown.size(), 1u);

    // Dismissed with the mouse still on its title: 3. An item that ran: 1.
    mouseOnTitle(3);
    menus.answers = {ScriptedMenus::Answer{}};
    EXPECT_EQ(app().runMenuBar(), 3);
    ScriptedMenus::Answer bars;
    bars.choice = 9; // Show Bars
    bars.during = [&] { mouseAway(); };
    menus.answers = {bars};
    const bool before = rig.options().displayBars;
    mouseOnTitle(3);
    EXPECT_EQ(app().runMenuBar(), 1);
    EXPECT_NE(rig.options().displayBars, before);
    bars.choice = 0; // Edit's "@Undo": chosen, it does nothing and the click is not replayed (0)
    menus.answers = {bars};
    mouseOnTitle(1);
    EXPECT_TRUE(app().runMenuBar() == 1 && menus.shown.back()[0] == "@Undo|Ctrl+Z");
}

TEST_F(Menus, FileMenuRecentFilesIsGreyedWhenEmptyAndOpensTheChosenFile) {
    std::vector<std::string> items = itemsOf(app().fileMenuItems());
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[2], "@Recent Files...");
    EXPECT_FALSE(app().runFileItem(2)); // greyed: cannot be chosen, does nothing
    EXPECT_TRUE(menus.shown.empty());
    EXPECT_EQ(items[3], "-Save|Ctrl+S");
    EXPECT_EQ(items[7], "-Session Notes...|N");
    EXPECT_EQ(items[10], "-Exit");

    // With a file in the list the item opens a second popup at the mouse and opens the choice.
    const std::string path = rig.dir.file("song.qvs");
    app().sessionPath = path;
    ASSERT_TRUE(app().saveSession());
    rig.ctx->recentFiles.add(path);
    EXPECT_EQ(app().fileMenuItems().at(2), "Recent Files...");
    app().sessionPath.clear();
    ScriptedMenus::Answer first;
    first.choice = 0;
    menus.answers = {first};
    EXPECT_TRUE(app().runFileItem(2));
    ASSERT_EQ(menus.shown.size(), 1u);
    EXPECT_EQ(menus.shown[0], std::vector<std::string>{path});
    EXPECT_EQ(menus.at[0].x, -1000);
    EXPECT_EQ(app().sessionPath, path);
}

TEST_F(Menus, EditMenuShowsUndoTextsAndGreysWhatCannotAct) {
    std::vector<std::string> items = itemsOf(app().editMenuItems());
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[0], "@Undo|Ctrl+Z"); // right after a new session
    EXPECT_EQ(items[1], "@Redo|Ctrl+Y");
    EXPECT_EQ(items[5], "@Clear Page");
    EXPECT_EQ(items[6], "-@Cut Chords|Ctrl+X");
    EXPECT_EQ(items[8], "@Paste Chords|Ctrl+V");
    EXPECT_EQ(items[10], "@Select All Chords On Page|Ctrl+A");
    EXPECT_EQ(items[11], "-Edit Page Sequence As Text...");
    EXPECT_EQ(items[12], "Clear Page Sequence");

    // The tempo selector's choice of 120 BPM.
    rig.core().tempo(120);
    app().recordStep("Select tempo: 120 BPM", false);
    EXPECT_EQ(app().editMenuItems().at(0), "Undo: Select Tempo: 120 BPM|Ctrl+Z");
    EXPECT_TRUE(app().runEditItem(0));
    EXPECT_EQ(app().editMenuItems().at(0), "@Undo|Ctrl+Z");
    EXPECT_EQ(app().editMenuItems().at(1), "Redo: Select Tempo: 120 BPM|Ctrl+Y");

    // Chords, a selection, copy: the clipboard items come alive; a greyed item never acts.
    rig.chords(3);
    EXPECT_FALSE(app().runEditItem(7)); // Copy with nothing selected
    EXPECT_TRUE(app().runEditItem(10)); // Select all
    EXPECT_EQ(rig.page().selectedCount(), 3);
    EXPECT_EQ(app().editMenuItems().at(6), "-Cut Chords|Ctrl+X");
    EXPECT_TRUE(app().runEditItem(7));
    EXPECT_EQ(app().editMenuItems().at(8), "Paste Chords|Ctrl+V");
    EXPECT_EQ(app().editMenuItems().at(5), "Clear Page");
    EXPECT_TRUE(app().runEditItem(5));
    EXPECT_TRUE(rig.page().isEmpty());
    EXPECT_EQ(rig.newest(), "Clear Page");

    // Transpose records its step only when the page is confirmed.
    bool asked = false, answer = false;
    app().hooks.showTransposePage = [&](bool) {
        asked = true;
        return answer;
    };
    const int steps = rig.history().count();
    EXPECT_TRUE(app().runEditItem(4));
    EXPECT_TRUE(asked);
    EXPECT_EQ(rig.history().count(), steps);
    answer = true;
    app().runEditItem(4);
    EXPECT_EQ(rig.newest(), "Transpose");
}

TEST_F(Menus, PresetProgressionIsRefusedWhenThePageIsFullAndAddedOtherwise) {
    const int four = presetOfBars(4);
    ASSERT_GE(four, 0);
    // The list never shows two separators in a row or a separator first.
    Llist<int> indexes(0, 8, true);
    const std::vector<std::string> names = itemsOf(app().presetProgressionMenuNames(&indexes));
    ASSERT_FALSE(names.empty());
    EXPECT_NE(names.front(), "-");
    for (std::size_t i = 1; i < names.size(); ++i) EXPECT_FALSE(names[i] == "-" && names[i - 1] == "-");

    rig.chords(15); // 15 bars = 720 units
    const int steps = rig.history().count();
    EXPECT_FALSE(app().applyPresetProgression(four, false));
    EXPECT_EQ(lastMessage(), "There is not enough free space on actual page to add this chord progression.");
    EXPECT_EQ(rig.page().chordCount(), 15);
    EXPECT_EQ(rig.history().count(), steps);

    // Replacing fits; through the page hook with the list index of that entry.
    int listIndex = -1;
    for (int i = 0; i < indexes.count(); ++i)
        if (indexes.at(i) == four) listIndex = i;
    app().hooks.choosePresetProgression = [&](const Llist<std::string>&, int& chosen) {
        chosen = listIndex;
        return 0;
    };
    app().presetChordProgressions();
    EXPECT_EQ(rig.page().length(true), 4 * 48);
    EXPECT_EQ(rig.newest(), "Preset progression - Replace page");
    app().hooks.choosePresetProgression = [&](const Llist<std::string>&, int& chosen) {
        chosen = listIndex;
        return 1;
    };
    app().presetChordProgressions();
    EXPECT_EQ(rig.page().length(true), 8 * 48);
    EXPECT_EQ(rig.newest(), "Preset progression - Add to page");
    // Cancel changes nothing.
    app().hooks.choosePresetProgression = [&](const Llist<std::string>&, int& chosen) {
        chosen = listIndex;
        return 2;
    };
    app().presetChordProgressions();
    EXPECT_EQ(rig.page().length(true), 8 * 48);
}

TEST_F(Menus, PlayMenuGreysWhilePlayingAndMarksTheNextRepeatMode) {
    std::vector<std::string> items = itemsOf(app().playMenuItems());
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0], "Play from actual page|Space");
    EXPECT_EQ(items[2], "@Play From Loop Start|Enter"); // no loop
    EXPECT_EQ(items[3], "@Stop|Space");
    // Repeat All is chosen; R would choose Page next.
    rig.core().loopMode = 0;
    items = itemsOf(app().playMenuItems());
    EXPECT_EQ(items[4], "-$Repeat All|@R");
    EXPECT_EQ(items[5], "Repeat Page|R");
    EXPECT_EQ(items[6], "Repeat Off|@R");
    rig.core().loopMode = 2;
    items = itemsOf(app().playMenuItems());
    EXPECT_EQ(items[4], "-Repeat All|R");
    EXPECT_EQ(items[6], "$Repeat Off|@R");
    EXPECT_TRUE(app().runPlayItem(5));
    EXPECT_EQ(rig.core().loopMode, 1);

    // While playing: the play items are greyed and never act (they must not stop playback).
    rig.chords(4);
    rig.core().loopStart = 0;
    rig.core().loopEnd = 1;
    EXPECT_EQ(app().playMenuItems().at(2), "Play From Loop Start|Enter");
    rig.options().precountMode = 0;
    EXPECT_TRUE(app().runPlayItem(1));
    ASSERT_TRUE(rig.playing());
    items = itemsOf(app().playMenuItems());
    EXPECT_EQ(items[0], "@Play from actual page|Space");
    EXPECT_EQ(items[1], "@Play From Start|Home");
    EXPECT_EQ(items[2], "@Play From Loop Start|Enter");
    EXPECT_EQ(items[3], "Stop|Space");
    EXPECT_FALSE(app().runPlayItem(2));
    EXPECT_FALSE(app().runPlayItem(0));
    EXPECT_TRUE(rig.playing());
    EXPECT_TRUE(app().runPlayItem(3));
    EXPECT_FALSE(rig.playing());
    EXPECT_FALSE(app().runPlayItem(3)); // Stop is greyed once stopped
}

TEST_F(Menus, OptionsAndHelpMenus) {
    rig.options().visualizeNotes = true;
    rig.options().visualizeMode = 2;
    std::vector<std::string> items = itemsOf(app().optionsMenuItems());
    ASSERT_EQ(items.size(), 12u);
    EXPECT_EQ(items[3], "-#Show Musical Notes");
    EXPECT_EQ(items[4], ">Piano Keyboard");
    EXPECT_EQ(items[6], ">$Note-Octave Matrix");
    EXPECT_EQ(items[11], "-More...");
    EXPECT_TRUE(app().runOptionsItem(3));
    EXPECT_FALSE(rig.options().visualizeNotes);
    EXPECT_EQ(app().optionsMenuItems().at(4), ">@Piano Keyboard");
    EXPECT_FALSE(app().runOptionsItem(7)); // greyed while notes are hidden

    items = itemsOf(app().helpMenuItems());
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[4], "-^W e b s i t e :");
    EXPECT_FALSE(app().runHelpItem(4)); // the caption row
    std::vector<std::string> opened;
    app().hooks.urlOpener = [&](const std::string& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_TRUE(app().runHelpItem(6));
    EXPECT_TRUE(app().runHelpItem(8));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].rfind("http", 0), 0u);
    EXPECT_NE(opened[1].find("/update2p2.html"), std::string::npos);
    // The manual: opened when it is there, a clear message when it is not.
    const bool manual = fileExists(helpFilePath());
    opened.clear();
    app().runHelpItem(0);
    if (manual) {
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].rfind("file://", 0), 0u);
    } else {
        EXPECT_TRUE(opened.empty());
        EXPECT_EQ(lastMessage().rfind("File not found.", 0), 0u);
    }
    // F1 opens the manual too.
    const std::size_t before = opened.size();
    const int asked = rig.prompt.asked;
    rig.key(vk::F1);
    EXPECT_TRUE(opened.size() > before || rig.prompt.asked > asked);
}

TEST_F(Menus, ArrangementPointMenuListsKindsInGroupsAndTicksTheMatch) {
    rig.chords(2);
    // An empty position: Paste (greyed, clipboard empty), the caption, the 19 kinds.
    std::vector<std::string> items = itemsOf(app().arrangementPointMenuItems(48));
    ASSERT_EQ(items.size(), 21u);
    EXPECT_EQ(items[0], "@Paste Arrangement Point");
    EXPECT_EQ(items[1], "-^A r r a n g e m e n t   P r e s e t s :");
    for (int k = 0; k < 19; ++k) {
        const bool group = k == 0 || k == 1 || k == 7 || k == 12 || k == 18;
        EXPECT_EQ(items[2 + k][0] == '-', group) << k;
        EXPECT_EQ(items[2 + k].find('#'), std::string::npos);
    }
    // Choosing kind 3 adds a point there, applied and recorded.
    EXPECT_TRUE(app().runArrangementPointItem(48, 2 + 3));
    ASSERT_EQ(rig.page().findAPoint(48), 0);
    EXPECT_EQ(rig.newest(), "Add Arrangement Point (select preset)");
    items = itemsOf(app().arrangementPointMenuItems(48));
    ASSERT_EQ(items.size(), 25u);
    EXPECT_EQ(items[0], "Edit Arrangement Point...");
    EXPECT_EQ(items[1], "-Cut Arrangement Point");
    EXPECT_EQ(items[3], "@Paste (Replace) Arrangement Point");
    EXPECT_EQ(items[4], "-Delete Arrangement Point");
    int ticked = 0;
    for (int k = 0; k < 19; ++k)
        if (parseMenuItem(items[6 + k]).tick) {
            ++ticked;
            EXPECT_EQ(k, 3);
        }
    EXPECT_EQ(ticked, 1);
    // Copy, then paste onto an empty position keeps the pasted point's position.
    EXPECT_TRUE(app().runArrangementPointItem(48, 2));
    EXPECT_EQ(app().arrangementPointMenuItems(0).at(0), "Paste Arrangement Point");
    EXPECT_TRUE(app().runArrangementPointItem(0, 0));
    EXPECT_EQ(rig.page().apointCount(), 2);
    EXPECT_EQ(rig.page().apointAt(0).pos, 0);
    EXPECT_EQ(rig.newest(), "Paste Arrangement Point");
    // Cut removes it; a preset on an existing point is an edit.
    EXPECT_TRUE(app().runArrangementPointItem(0, 1));
    EXPECT_EQ(rig.page().apointCount(), 1);
    EXPECT_EQ(rig.newest(), "Cut Arrangement Point");
    EXPECT_TRUE(app().runArrangementPointItem(48, 6 + 7));
    EXPECT_EQ(rig.newest(), "Edit Arrangement Point (select preset)");

    // The popup itself: the context menu marks the program busy, and a click elsewhere that closed
    // it is replayed to the window.
    std::vector<TPoint> replayed;
    app().hooks.replayMouseDown = [&](int x, int y, int, int) { replayed.push_back({x, y}); };
    ScriptedMenus::Answer away;
    away.click = DismissClick{true, TPoint{321, 123}, 1, 0};
    menus.answers = {away};
    EXPECT_FALSE(app().showArrangementPointMenu(48, false));
    ASSERT_EQ(menus.busyWhileShown.size(), 1u);
    EXPECT_TRUE(menus.busyWhileShown[0]);
    EXPECT_FALSE(app().popupMenuOpen);
    ASSERT_EQ(replayed.size(), 1u);
    EXPECT_EQ(replayed[0].x, 321);
    ScriptedMenus::Answer key;
    key.byKey = true;
    key.click = DismissClick{true, TPoint{1, 1}, 1, 0};
    menus.answers = {key};
    app().showArrangementPointMenu(48, false);
    EXPECT_EQ(replayed.size(), 1u); // a key closes without a replay
}

TEST_F(Menus, PointerHelpersKeepToTheirBounds) {
    // Drag area: above y 60, right of the last title + 5 and left of the minimise box - 10.
    const int lastRight = app().menuTitleRects.at(4).Right;
    EXPECT_FALSE(app().isInDragArea(lastRight + 5, 10));
    EXPECT_TRUE(app().isInDragArea(lastRight + 6, 10));
    EXPECT_TRUE(app().isInDragArea(689, 59));
    EXPECT_FALSE(app().isInDragArea(690, 10));
    EXPECT_FALSE(app().isInDragArea(300, 60));

    // Loop bars on a scale 400 pixels wide: zoom 8 gives 50 pixels a bar.
    rig.chords(4); // 4 bars
    rig.page().zoom = 8;
    app().mouseY = 305;
    app().mouseX = 99;
    EXPECT_EQ(app().loopBarAtMouse(), -1); // outside the scale
    app().mouseX = 100;
    EXPECT_EQ(app().loopBarAtMouse(), 0);
    app().mouseX = 149;
    EXPECT_EQ(app().loopBarAtMouse(), 0);
    app().mouseX = 150;
    EXPECT_EQ(app().loopBarAtMouse(), 1);
    app().mouseX = 499;
    EXPECT_EQ(app().loopBarAtMouse(), 3); // held at the page's last bar
    // While a loop drag runs, the mouse may leave the scale; the bar stays within the page.
    app().loopDragging = true;
    app().mouseX = -50;
    app().mouseY = 0;
    EXPECT_EQ(app().loopBarAtMouse(), 0);
    app().mouseX = 5000;
    EXPECT_EQ(app().loopBarAtMouse(), 3);
    // A selector open: none.
    app().selectorKind = 2;
    EXPECT_EQ(app().loopBarAtMouse(), -1);
    app().selectorKind = 0;
    // A later sequence entry starts after the earlier pages' bars.
    rig.core().pageSlots.add(0);
    rig.core().editedPosition = 1;
    app().mouseX = 150;
    EXPECT_EQ(app().loopBarAtMouse(), 4 + 1);
}

// ---- File flows ------------------------------------------------------------------------------------

TEST_F(Menus, MidiExportRunsTheSettingsPageThenTheDialogAndWritesAReadableFile) {
    rig.chords(2);
    int settingsAsked = 0;
    bool go = false;
    app().hooks.askMidiExportSettings = [&] {
        ++settingsAsked;
        return go;
    };
    // Settings cancelled: no dialog, no file.
    EXPECT_TRUE(app().runFileItem(5));
    EXPECT_EQ(settingsAsked, 1);
    EXPECT_TRUE(dialogs.titles.empty());
    // Settings confirmed, dialog cancelled: nothing written, no message.
    go = true;
    dialogs.answers = {""};
    const int asked = rig.prompt.asked;
    app().runFileItem(5);
    EXPECT_EQ(dialogs.titles.back(), "Save As MIDI File");
    EXPECT_EQ(rig.prompt.asked, asked);
    // Both formats, read back with an independent reader.
    for (int format : {0, 1}) {
        rig.options().exportToMidi_format = format;
        const std::string path = rig.dir.file("song" + std::to_string(format) + ".mid");
        dialogs.answers = {path};
        app().runFileItem(5);
        ASSERT_TRUE(fileExists(path));
        if (!midicsv::available()) continue;
        const midicsv::Parsed parsed = midicsv::read(path);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.format, format);
        if (format == 1) {
            EXPECT_GT(parsed.tracks, 1);
        }
        EXPECT_GT(parsed.noteOns(), 0);
    }
    // Playback was stopped for the command and is not running afterwards.
    EXPECT_FALSE(rig.playing());
}

TEST_F(Menus, MidiExportIntoAReadOnlyFolderFailsClearly) {
    rig.chords(2);
    const std::string target = unwritable("song.mid");
    app().hooks.askMidiExportSettings = [] { return true; };
    dialogs.answers = {target};
    app().runFileItem(5);
    EXPECT_FALSE(fileExists(target));
    EXPECT_NE(lastMessage().find("MIDI export failed"), std::string::npos);
    EXPECT_EQ(rig.page().chordCount(), 2);
}

TEST_F(Menus, ChordChartMatchesTheGoldenFile) {
    rig.chords(5, 24); // five half-bar chords
    rig.options().exportToText_pages = true;
    rig.options().exportToText_bars = true;
    rig.options().exportToText_4bars = true;
    rig.options().exportToText_dots = false;
    app().hooks.askTextExportSettings = [] { return true; };
    const std::string path = rig.dir.file("chart.txt");
    dialogs.answers = {path};
    EXPECT_TRUE(app().runFileItem(6));
    EXPECT_EQ(dialogs.titles.back(), "Save Chords As Text");
    auto bytesOf = [](const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    };
    const std::string written = bytesOf(path);
    const std::string goldenPath = std::string(QV_SOURCE_DIR) + "/tests/app/golden/chart.txt";
    if (std::getenv("QV_WRITE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << written;
    EXPECT_EQ(written, bytesOf(goldenPath));
    EXPECT_NE(written.find("| C / D / | E / Gb / | Ab / / / |"), std::string::npos);

    // A read-only folder: told, nothing lost (the session keeps its path and changes).
    {
        const std::string target = unwritable("chart.txt");
        dialogs.answers = {target};
        EXPECT_FALSE(app().saveChordsAsText());
        EXPECT_EQ(lastMessage(), "Failed to save file.");
        EXPECT_FALSE(fileExists(target));
    }
}

TEST_F(Menus, SaveAndOpenFlowsReportFailuresAndLoseNothing) {
    rig.chords(3);
    app().recordStep("three chords", false);
    // Save of an untitled session goes through Save As; a cancelled dialog saves nothing.
    dialogs.answers = {""};
    EXPECT_TRUE(app().runFileItem(3));
    EXPECT_TRUE(app().sessionPath.empty());
    EXPECT_TRUE(rig.history().modified);

    // Save As into a read-only folder: told; the session keeps its state and no path.
    {
        dialogs.answers = {unwritable("a.qvs")};
        app().runFileItem(4);
        EXPECT_EQ(lastMessage(), "Failed to save file.");
        EXPECT_TRUE(app().sessionPath.empty());
        EXPECT_TRUE(rig.history().modified);
        EXPECT_EQ(rig.page().chordCount(), 3);
    }
    // A good Save As, then Open of that file brings the chords back.
    const std::string good = rig.dir.file("good.qvs");
    dialogs.answers = {good};
    app().runFileItem(4);
    ASSERT_TRUE(fileExists(good));
    EXPECT_EQ(app().sessionPath, good);
    EXPECT_EQ(rig.ctx->recentFiles.entries.at(0), good);
    // Save keeps playback and an open selector as they are.
    rig.key(32);
    app().selectorKind = 2;
    EXPECT_TRUE(app().runFileItem(3));
    EXPECT_TRUE(rig.playing());
    EXPECT_EQ(app().selectorKind, 2);
    app().runFileItem(0); // New
    EXPECT_EQ(rig.page().chordCount(), 0);
    dialogs.answers = {good};
    app().runFileItem(1);
    EXPECT_EQ(rig.page().chordCount(), 3);

    // A file that cannot be read as a session: told; the file on disk is left as it was.
    const std::string damaged = rig.dir.file("damaged.qvs");
    std::ofstream(damaged, std::ios::binary) << std::string("\x00\x01garbage\xff", 11);
    dialogs.answers = {damaged};
    app().runFileItem(1);
    EXPECT_EQ(lastMessage(), "Failed to open file.");
    EXPECT_TRUE(fileExists(damaged));
    // A cancelled open dialog keeps the session that is open.
    dialogs.answers = {good};
    app().runFileItem(1);
    ASSERT_EQ(rig.page().chordCount(), 3);
    dialogs.answers = {""};
    app().runFileItem(1);
    EXPECT_EQ(rig.page().chordCount(), 3);
    EXPECT_EQ(app().sessionPath, good);
}

TEST_F(Menus, GlobalNotesAreEditedOnTheTextListPageAndSaved) {
    GlobalNotes& notes = rig.ctx->globalNotes;
    notes.notes.clear();
    notes.notes.add("a = b");
    notes.notes.add("");
    notes.notes.add("last");
    std::string title;
    app().hooks.editTextList = [&](const std::string& t, Llist<std::string>& lines) {
        title = t;
        lines.add("added");
        return true;
    };
    EXPECT_TRUE(app().runFileItem(9));
    EXPECT_EQ(title, "Global Notes");
    EXPECT_EQ(itemsOf(notes.notes), (std::vector<std::string>{"a = b", "", "last", "added"}));
    // What was saved reads back the same.
    GlobalNotes again(notes.filePath());
    EXPECT_EQ(itemsOf(again.notes), itemsOf(notes.notes));
    // Cancel keeps the notes.
    app().hooks.editTextList = [&](const std::string&, Llist<std::string>& lines) {
        lines.clear();
        return false;
    };
    app().runFileItem(9);
    EXPECT_EQ(notes.notes.count(), 4);
}

TEST(HelpManual, CoversEverySectionAndItsPicturesExist) {
    const std::string folder = std::string(QV_SOURCE_DIR) + "/data/Help/";
    std::ifstream in(folder + "QuoVelanta.html");
    ASSERT_TRUE(in.good());
    std::ostringstream all;
    all << in.rdbuf();
    const std::string html = all.str();
    for (const char* section :
         {"Getting started", "The main window", "Chords and pages", "Arrangement points", "Loops and repeat",
          "mixer", "Hot keys", "Options", "Exports", "Sound set-up", "Troubleshooting", "ALSA", "SoundFont"})
        EXPECT_NE(html.find(section), std::string::npos) << section;
    int pictures = 0;
    for (std::size_t at = html.find("src=\""); at != std::string::npos; at = html.find("src=\"", at + 1)) {
        const std::size_t start = at + 5, end = html.find('"', start);
        ASSERT_NE(end, std::string::npos);
        const std::string file = html.substr(start, end - start);
        EXPECT_TRUE(fileExists(folder + file)) << file;
        ++pictures;
    }
    EXPECT_GE(pictures, 5);
    // The Style Programmer's question is named with the buttons its message box shows.
    const std::size_t at = html.find("<i>Save changes");
    ASSERT_NE(at, std::string::npos);
    const std::string paragraph = html.substr(at, html.find("</p>", at) - at);
    for (const char* b : {"<b>Yes</b>", "<b>No</b>", "<b>Cancel</b>"})
        EXPECT_NE(paragraph.find(b), std::string::npos) << b;
}

} // namespace
