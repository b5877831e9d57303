// The main window's key table, every row: each key (with and without Ctrl) and the observable effect
// of its command.
#include <filesystem>

#include "app/documentdialogs.h"
#include "commands_rig.h"
#include "platform/qt/keymap.h"

using cmd::Rig;

namespace {

class CountingDialogs : public FileDialogs {
  public:
    int opens = 0, saves = 0;
    bool runOpenDialog(std::string&, const std::string&, const std::string&, const std::string&) override {
        ++opens;
        return false;
    }
    bool runSaveDialog(std::string&, const std::string&, const std::string&, const std::string&) override {
        ++saves;
        return false;
    }
};

struct World {
    Rig r;
    CountingDialogs dialogs;
    int mixer = 0, notes = 0, tones = 0, history = 0;
    World() {
        r.app().fileDialogs = &dialogs;
        r.app().hooks.showMixer = [this] { ++mixer; };
        r.app().hooks.showNotes = [this] { ++notes; };
        r.app().hooks.showReferenceTones = [this] { ++tones; };
        r.app().hooks.showHistory = [this] { ++history; };
        r.chords(3, 48); // C, D, E, one bar each
        r.core().loopStart = 0;
        r.core().loopEnd = 1;
        r.core().loopRegionActive = true;
    }
};

struct Row {
    const char* name;
    int vk;
    bool ctrl;
    std::function<void(World&)> before;
    std::function<void(World&)> check;
};

void nothing(World&) {}

} // namespace

TEST(KeyTable, EveryRow) {
    const std::vector<Row> rows = {
        {"Esc asks and quits", 27, false,
         [](World& w) {
             w.r.history().record("Add chord", false);
             w.r.prompt.answers = {1}; // No: quit without saving
         },
         [](World& w) {
             EXPECT_TRUE(w.r.app().quitRequested);
             EXPECT_EQ(w.r.prompt.asked, 1);
         }},
        {"Esc closes an open selector only", 27, false, [](World& w) { w.r.app().selectorKind = 2; },
         [](World& w) {
             EXPECT_FALSE(w.r.app().quitRequested);
             EXPECT_EQ(w.r.app().selectorKind, 0);
             EXPECT_EQ(w.r.prompt.asked, 0);
         }},
        {"Space plays the edited page", 32, false, nothing, [](World& w) { EXPECT_TRUE(w.r.playing()); }},
        {"Enter plays from the loop", 13, false, [](World& w) { w.r.core().loopStart = 1; },
         [](World& w) {
             EXPECT_TRUE(w.r.playing());
             EXPECT_EQ(w.r.engine().stepControl.absoluteStep(), 16);
         }},
        {"Home plays from the start", 36, false, [](World& w) { w.r.core().editedPosition = 0; },
         [](World& w) { EXPECT_TRUE(w.r.playing()); }},
        {"= raises the tempo", 187, false, nothing, [](World& w) { EXPECT_EQ(w.r.core().tempo(), 121); }},
        {"numeric + raises the tempo", 107, true, nothing,
         [](World& w) { EXPECT_EQ(w.r.core().tempo(), 121); }},
        {"- lowers the tempo", 189, false, nothing, [](World& w) { EXPECT_EQ(w.r.core().tempo(), 119); }},
        {"numeric - lowers the tempo", 109, false, nothing,
         [](World& w) { EXPECT_EQ(w.r.core().tempo(), 119); }},
        {"Up shifts the key up", 38, false, nothing,
         [](World& w) {
             EXPECT_EQ(w.r.core().key, 1);
             EXPECT_EQ(w.r.page().chordAt(0).key, 1);
         }},
        {"Down shifts the key down", 40, false, nothing,
         [](World& w) {
             EXPECT_EQ(w.r.core().key, 11);
             EXPECT_EQ(w.r.page().chordAt(1).key, 1);
         }},
        {"R cycles the repeat mode", 'R', true, nothing, [](World& w) { EXPECT_EQ(w.r.core().loopMode, 1); }},
        {"L toggles the loop", 'L', false, nothing,
         [](World& w) { EXPECT_FALSE(w.r.core().loopRegionActive); }},
        {"Ctrl+L leaves the loop", 'L', true, nothing,
         [](World& w) {
             EXPECT_TRUE(w.r.core().loopRegionActive);
             EXPECT_EQ(w.r.history().count(), 1);
         }},
        {"C clears the loop", 'C', false, nothing, [](World& w) { EXPECT_EQ(w.r.core().loopStart, -1); }},
        {"Ctrl+C copies and leaves the loop", 'C', true, [](World& w) { w.r.page().setSelected(1, true); },
         [](World& w) {
             EXPECT_EQ(w.r.core().loopStart, 0);
             EXPECT_EQ(w.r.engine().clipboard.chordCount(), 1);
             EXPECT_EQ(w.r.page().chordCount(), 3);
         }},
        {"P cycles the precount", 'P', false, nothing,
         [](World& w) { EXPECT_EQ(w.r.options().precountMode, 1); }},
        {"M shows the mixer", 'M', false, nothing, [](World& w) { EXPECT_EQ(w.mixer, 1); }},
        {"N shows the notes only", 'N', false, nothing,
         [](World& w) {
             EXPECT_EQ(w.notes, 1);
             EXPECT_EQ(w.r.page().chordCount(), 3);
         }},
        {"Ctrl+N shows the notes and starts a new session", 'N', true, nothing,
         [](World& w) {
             EXPECT_EQ(w.notes, 1);
             EXPECT_EQ(w.r.page().chordCount(), 0);
         }},
        {"T shows the reference tones", 'T', false, nothing, [](World& w) { EXPECT_EQ(w.tones, 1); }},
        {"U mutes", 'U', false, nothing,
         [](World& w) {
             EXPECT_TRUE(w.r.core().mute);
             EXPECT_EQ(w.r.engine().instruments.at(0).volumeValue(), 0);
         }},
        {"H stops, closes and shows the history", 'H', false,
         [](World& w) {
             w.r.app().togglePlay();
             w.r.app().selectorKind = 3;
         },
         [](World& w) {
             EXPECT_EQ(w.history, 1);
             EXPECT_FALSE(w.r.playing());
             EXPECT_EQ(w.r.app().selectorKind, 0);
         }},
        {"Ctrl+O asks for a file", 'O', true, nothing, [](World& w) { EXPECT_EQ(w.dialogs.opens, 1); }},
        {"Ctrl+S saves", 'S', true, [](World& w) { w.r.app().sessionPath = w.r.dir.file("song.qvs"); },
         [](World& w) { EXPECT_TRUE(std::filesystem::exists(w.r.dir.file("song.qvs"))); }},
        {"Ctrl+S on a new session asks for a name", 'S', true, nothing,
         [](World& w) { EXPECT_EQ(w.dialogs.saves, 1); }},
        {"Ctrl+Z undoes", 'Z', true,
         [](World& w) {
             w.r.history().reset("[New session]");
             w.r.page().setSelected(0, true);
             w.r.app().deleteChord();
         },
         [](World& w) { EXPECT_EQ(w.r.page().chordCount(), 3); }},
        {"Ctrl+Y redoes", 'Y', true,
         [](World& w) {
             w.r.history().reset("[New session]");
             w.r.page().setSelected(0, true);
             w.r.app().deleteChord();
             w.r.app().undo();
         },
         [](World& w) { EXPECT_EQ(w.r.page().chordCount(), 2); }},
        {"Ctrl+X cuts", 'X', true, [](World& w) { w.r.page().setSelected(0, true); },
         [](World& w) {
             EXPECT_EQ(w.r.page().chordCount(), 2);
             EXPECT_EQ(w.r.engine().clipboard.chordCount(), 1);
         }},
        {"Ctrl+V appends the clipboard", 'V', true,
         [](World& w) {
             w.r.page().setSelected(2, true);
             w.r.app().cutOrCopyChords(false);
         },
         [](World& w) {
             ASSERT_EQ(w.r.page().chordCount(), 4);
             EXPECT_EQ(w.r.page().chordAt(3).key, 4);
         }},
        {"Ctrl+W replaces the page by the clipboard", 'W', true,
         [](World& w) {
             w.r.page().setSelected(2, true);
             w.r.app().cutOrCopyChords(false);
         },
         [](World& w) {
             ASSERT_EQ(w.r.page().chordCount(), 1);
             EXPECT_EQ(w.r.page().chordAt(0).key, 4);
         }},
        {"Ctrl+A selects every chord", 'A', true, nothing,
         [](World& w) { EXPECT_EQ(w.r.page().selectedCount(), 3); }},
        {"Del deletes the chord and the point", 46, false,
         [](World& w) {
             w.r.page().addAPoint(48);
             w.r.page().setSelected(1, true);
             w.r.app().pointDragIndex = 0;
         },
         [](World& w) {
             EXPECT_EQ(w.r.page().chordCount(), 2);
             EXPECT_EQ(w.r.page().apointCount(), 0);
             EXPECT_EQ(w.r.history().count(), 3); // two undo steps
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        World w;
        row.before(w);
        w.r.key(row.vk, row.ctrl);
        row.check(w);
    }
}

TEST(KeyTable, KeyUpAndUnknownKeysDoNothing) {
    World w;
    w.r.app().keyUp(vk::Escape, false, false);
    w.r.key('Q');
    w.r.key(16);
    w.r.key(17, true);
    EXPECT_EQ(w.r.history().count(), 1);
    EXPECT_FALSE(w.r.playing());
    EXPECT_FALSE(w.r.app().quitRequested);
}

TEST(KeyTable, HeldPlusIsPacedWithoutDeliveringEvents) {
    World w;
    int pumps = w.r.loop.pumps;
    std::int64_t t = w.r.clock.now;
    for (int i = 0; i < 5; ++i) w.r.key(187);
    EXPECT_EQ(w.r.loop.pumps, pumps);
    EXPECT_GE(w.r.clock.now - t, 250);
    EXPECT_EQ(w.r.core().tempo(), 125);
    EXPECT_EQ(w.r.history().count(), 2); // merged into one step
    EXPECT_EQ(w.r.newest(), "+/- tempo: 125 BPM");
}

TEST(KeyTable, PlusAndMinusComeThroughQtKeysOnAnyLayout) {
    World w;
    // A main-row "+" (a layout with its own plus key), "=" (US), the keypad's plus; then minus twice.
    w.r.key(qtKeyToVk(Qt::Key_Plus, Qt::NoModifier));
    w.r.key(qtKeyToVk(Qt::Key_Equal, Qt::NoModifier));
    w.r.key(qtKeyToVk(Qt::Key_Plus, Qt::KeypadModifier));
    EXPECT_EQ(w.r.core().tempo(), 123);
    w.r.key(qtKeyToVk(Qt::Key_Minus, Qt::NoModifier));
    w.r.key(qtKeyToVk(Qt::Key_Minus, Qt::KeypadModifier));
    EXPECT_EQ(w.r.core().tempo(), 121);
    w.r.key(qtKeyToVk(Qt::Key_Space, Qt::NoModifier));
    EXPECT_TRUE(w.r.playing());
}
