// The Style Programmer window: its input flows (drags applied once, margin actions on the press,
// the track panel, keys, the library, the edits), and screenshots of a drum and a chord track.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

#include "dialogs/programmer.h"
#include "engine/midiout.h"
#include "tests/app/play_harness.h"
#include "tests/common/qtapp.h"
#include "tests/common/scratchsetup.h"
#include "tests/common/typing.h"

using namespace play;

namespace {

class Window : public ::testing::Test {
  protected:
    ScratchFolder dir;
    FakeClock clock{100000};
    std::vector<TimedMessage> live;
    ScriptedPrompt prompt;
    CountingHost host;
    std::unique_ptr<QvContext> ctx;
    std::unique_ptr<TFprogrammer> win;
    std::string styles;
    int menuCalls = 0, gridCalls = 0;
    int menuAnswer = -1, gridAnswer = -1;
    Llist<std::string> gridItems;
    int gridRows = 0, gridGroup = 0, gridCurrent = -2;

    void SetUp() override {
        ensureQtApp();
        styles = dir.file("Styles");
        std::filesystem::create_directories(styles);
        StyleFile a = style44(12);
        a.name = "Twelve";
        ASSERT_TRUE(a.save(styles + "/12.qms"));
        ASSERT_TRUE(style34(3).save(styles + "/003.qms"));
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        s.synth = std::make_unique<TimedBackend>(clock, live);
        s.stylesFolder = styles;
        ctx = std::make_unique<QvContext>(std::move(s));
        ctx->app.selectStyle(12, true, false, false);
        win = std::make_unique<TFprogrammer>(ctx->app);
        win->popupMenu = [this](const Llist<std::string>&, int, int, int, int, int) {
            ++menuCalls;
            return menuAnswer;
        };
        win->popupGrid = [this](const Llist<std::string>& items, int current, int rows, int group, int, int,
                                int) {
            ++gridCalls;
            gridItems = items;
            gridCurrent = current;
            gridRows = rows;
            gridGroup = group;
            return gridAnswer;
        };
        win->showProgrammer();
        ASSERT_TRUE(win->isVisible());
    }
    void TearDown() override {
        win.reset();
        ctx.reset();
    }

    QuoVelanta& app() { return ctx->app; }
    StyleFile& working() { return ctx->engine.styles.current(); }
    // The middle of a grid cell.
    static QPoint at(int column, int row) {
        TRect r = ProgrammerModel::cellRect(column, row);
        return {r.Left + 5, r.Top + 7};
    }
    static QPoint param(int track, TrackParam p) {
        TRect r = ProgrammerModel::paramRect(track, p, TFprogrammer::kClientWidth);
        return {r.Left + 4, r.Top + 4};
    }
    void key(QWidget* target, int qtKey, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, qtKey, m);
        QApplication::sendEvent(target, &press);
    }
    int countNotes(const StyleArp& a, int key) {
        int n = 0;
        for (const StyleNote& note : a.notes)
            if (note.key == key) ++n;
        return n;
    }
};

} // namespace

TEST_F(Window, ShowsADrumTrackAndAChordTrack) {
    EXPECT_EQ(win->width(), 1024);
    EXPECT_EQ(win->height(), 692);
    EXPECT_EQ(win->windowTitle().toStdString(), "Style Programmer");
    EXPECT_EQ(win->EstyleName->text().toStdString(), "Twelve");
    EXPECT_EQ(win->EstyleTempo->text().toStdString(), "120");
    EXPECT_EQ(win->EstyleStepsPerBar->text().toStdString(), "16");
    EXPECT_EQ(win->LarpCat->count(), 5);
    EXPECT_GT(win->Larp->count(), 0); // the drums of both styles
    EXPECT_FALSE(saveScreen(*win, "programmer_drums").empty());
    // The kick on step 0 is drawn in the note colour at the bottom of its cell.
    QImage shot = win->grab().toImage();
    TRect kick = ProgrammerModel::cellRect(0, 36 - 35);
    QColor c = shot.pixelColor(kick.Left + 3, kick.Bottom - 3);
    EXPECT_GT(c.red(), 60);
    EXPECT_GT(c.red(), c.blue());
    TRect row = ProgrammerModel::trackRowRect(3, TFprogrammer::kClientWidth);
    win->mouseDown(row.Left + 5, row.Top + 5, false, false, false, false);
    EXPECT_EQ(win->model.currentTrack, 3);
    EXPECT_FALSE(saveScreen(*win, "programmer_chords").empty());
}

TEST_F(Window, NeighbouringTrackPanelValuesStayApart) {
    // Track 1: volume 100 beside transpose 0, break volume 100 beside sustain volume 100.
    const QImage shot = win->grab().toImage();
    for (TrackParam l : {TrackParam::Volume, TrackParam::BreakVolume}) {
        const TRect a = ProgrammerModel::paramRect(1, l, TFprogrammer::kClientWidth);
        int lastInk = -1, firstInk = a.Right + 20; // text on the cells' dark grey, left and right
        for (int x = a.Left; x < a.Right + 20; ++x)
            for (int y = a.Top; y <= a.Bottom; ++y)
                if (shot.pixel(x, y) != qRgb(40, 40, 40)) {
                    if (x < a.Right)
                        lastInk = x;
                    else
                        firstInk = std::min(firstInk, x);
                }
        EXPECT_GE(firstInk - lastInk - 1, 3) << int(l);
    }
}

TEST_F(Window, AGridDragIsAppliedOnceWhenTheMouseIsReleased) {
    const int applies = win->applyCount();
    const int row = 50 - 35;
    QPoint p = at(1, row);
    win->mouseDown(p.x(), p.y(), false, false, false, false);
    for (int c = 2; c <= 5; ++c) {
        QPoint q = at(c, row);
        win->mouseMove(q.x(), q.y(), true, false, false, false, false);
    }
    EXPECT_EQ(win->applyCount(), applies);
    EXPECT_EQ(countNotes(working().tracks.at(0).arp, 50), 0); // not heard cell by cell
    EXPECT_EQ(countNotes(win->model.arp(), 50), 5);
    win->mouseUp();
    EXPECT_EQ(win->applyCount(), applies + 1);
    EXPECT_EQ(countNotes(working().tracks.at(0).arp, 50), 5);
    EXPECT_TRUE(app().styleEdits.edited);
    // A Ctrl drag changes nothing after its press.
    win->mouseDown(at(1, row).x(), at(1, row).y(), true, true, false, false);
    win->mouseMove(at(2, row).x(), at(2, row).y(), false, true, true, false, false);
    win->mouseUp();
    EXPECT_EQ(win->model.arp().notes.at(win->model.cells[1][row].note).len, 1.5);
    EXPECT_EQ(win->model.arp().notes.at(win->model.cells[2][row].note).len, 1.0);
}

TEST_F(Window, MarginActionsActOnThePressOnly) {
    win->model.selectTrack(1);
    menuAnswer = 1; // "Copy first 16 steps"
    win->model.arp().length = 64;
    win->mouseDown(40, 300, true, false, false, false);
    for (int y = 301; y < 320; ++y) win->mouseMove(40, y, false, true, false, false, false);
    win->mouseUp();
    EXPECT_EQ(menuCalls, 1);
    const StyleArp& bass = working().tracks.at(1).arp;
    ASSERT_EQ(bass.notes.count(), 8); // two notes in the first 16 steps, copied three times
    EXPECT_EQ(bass.length, 64);
    // A left press re-applies the style once, without marking it edited again.
    const int applies = win->applyCount();
    win->mouseDown(40, 300, false, false, false, false);
    win->mouseMove(40, 310, true, false, false, false, false);
    EXPECT_EQ(win->applyCount(), applies + 1);
    // Nothing chosen: nothing changes.
    menuAnswer = -1;
    win->mouseDown(40, 300, true, false, false, false);
    EXPECT_EQ(working().tracks.at(1).arp.notes.count(), 8);
}

TEST_F(Window, TheTrackPanelStepsValuesAndPicksPrograms) {
    QPoint vol = param(2, TrackParam::Volume);
    working().tracks.at(2).vol = 100;
    win->mouseDown(vol.x(), vol.y(), false, false, false, false);
    EXPECT_EQ(working().tracks.at(2).vol, 95);
    EXPECT_EQ(win->model.currentTrack, 2);
    win->mouseDown(vol.x(), vol.y(), true, true, false, false);
    EXPECT_EQ(working().tracks.at(2).vol, 96);
    // The mode cell also lets go of the sustain pedal on every channel.
    live.clear();
    QPoint mode = param(2, TrackParam::Mode);
    win->mouseDown(mode.x(), mode.y(), false, false, false, false);
    EXPECT_EQ(working().tracks.at(2).mode, 0);
    std::set<int> released;
    for (const TimedMessage& m : live)
        if ((m.status & 0xF0) == 0xB0 && m.data1 == 64 && m.data2 == 0) released.insert(m.status & 15);
    EXPECT_EQ(released.size(), 16u);
    // The program cell opens the grid of the 128 programs.
    gridAnswer = 40;
    QPoint prog = param(1, TrackParam::Program);
    win->mouseDown(prog.x(), prog.y(), false, false, false, false);
    EXPECT_EQ(gridCalls, 1);
    EXPECT_EQ(gridItems.count(), 128);
    EXPECT_EQ(gridRows, 32);
    EXPECT_EQ(gridGroup, 8);
    EXPECT_EQ(gridCurrent, 33);
    EXPECT_EQ(working().tracks.at(1).prog, 40);
    gridAnswer = -1;
    win->mouseDown(prog.x(), prog.y(), true, false, false, false);
    EXPECT_EQ(working().tracks.at(1).prog, 40);
    // Track 0 keeps its type.
    QPoint type = param(0, TrackParam::Type);
    win->mouseDown(type.x(), type.y(), true, false, false, false);
    EXPECT_EQ(working().tracks.at(0).type, 0);
}

TEST_F(Window, KeysChoosePagesClearTracksAndEditLengths) {
    key(win.get(), Qt::Key_F2);
    EXPECT_EQ(win->model.gridPage, 1);
    key(win->EstyleName, Qt::Key_F1); // from an edit as well
    EXPECT_EQ(win->model.gridPage, 0);
    win->model.selectTrack(1);
    key(win.get(), Qt::Key_F8);
    EXPECT_TRUE(working().tracks.at(1).arp.notes.empty());
    EXPECT_FALSE(working().tracks.at(0).arp.notes.empty());
    win->EarpLength->setText("999999");
    key(win->EarpLength, Qt::Key_Return);
    EXPECT_EQ(working().tracks.at(1).arp.length, kProgrammerMaxLength);
    win->EstyleStepsPerBar->setText("12");
    EXPECT_EQ(working().stepsPerBar, 12);
    EXPECT_EQ(win->model.stepsPerPage(), 48);
    win->EstyleName->setText("Renamed");
    EXPECT_EQ(working().name, "Renamed");
    EXPECT_EQ(app().styleEdits.style.name, "Renamed");
}

TEST_F(Window, EscAsksAndKeepsTheEditsUnlessDiscarded) {
    win->mouseDown(at(3, 20).x(), at(3, 20).y(), false, false, false, false);
    win->mouseUp();
    prompt.answers = {-1};
    key(win.get(), Qt::Key_Escape);
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_TRUE(win->isVisible());
    EXPECT_EQ(countNotes(working().tracks.at(0).arp, 55), 1);
    // Other commands that select the style again keep the edits in the window.
    app().selectStyle(-1, false, false, false);
    EXPECT_EQ(countNotes(win->model.arp(), 55), 1);
    prompt.answers = {1}; // Discard
    prompt.asked = 0;
    EXPECT_TRUE(win->requestClose());
    EXPECT_FALSE(win->isVisible());
    EXPECT_EQ(countNotes(working().tracks.at(0).arp, 55), 0);
    // Shown again, it starts from the style as it is.
    win->showProgrammer();
    EXPECT_EQ(countNotes(win->model.arp(), 55), 0);
}

TEST_F(Window, TheTempoPlayedIsShownLimitedAndBroughtBackByDiscardOrOneUndoStep) {
    QvCore& core = ctx->engine.core;
    core.tempo(100);
    ctx->history.record("Tempo", false);
    win->EstyleTempo->clear();
    QTest::keyClicks(win->EstyleTempo, "999");
    EXPECT_EQ(win->EstyleTempo->text().toStdString(), "220");
    EXPECT_EQ(core.tempoValue, 220);
    EXPECT_GT(host.tempoBox, 0); // the main window shows it
    EXPECT_EQ(app().tempoBoxText(), "220 BPM");
    prompt.answers = {1, 0, 0}; // Discard; later Yes and Overwrite
    EXPECT_TRUE(win->requestClose());
    EXPECT_EQ(core.tempoValue, 100);
    EXPECT_EQ(app().tempoBoxText(), "100 (120) BPM");
    // Kept: the tempo (and a name typed in any script) stay, and one undo step brings 100 back.
    win->showProgrammer();
    win->EstyleName->clear();
    typeText(win->EstyleName);
    const int steps = ctx->history.count();
    EXPECT_TRUE(win->requestClose());
    EXPECT_EQ(working().name, kTypedText); // as written to the file and read again
    EXPECT_EQ(core.tempoValue, 120);
    EXPECT_EQ(ctx->history.count(), steps + 1);
    ctx->history.undo();
    EXPECT_EQ(core.tempoValue, 100);
    // Discarded by choosing another style: the tempo from before the first edit comes back too.
    win->showProgrammer();
    win->EstyleTempo->clear();
    QTest::keyClicks(win->EstyleTempo, "180");
    EXPECT_EQ(core.tempoValue, 180);
    prompt.answers = {1}; // Discard
    prompt.asked = 0;
    app().selectStyle(3, false, true, false);
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(core.tempoValue, 100);
    EXPECT_EQ(app().tempoBoxText().rfind("100 (", 0), 0u);
}

TEST_F(Window, LibraryRowsCopyTheirOwnPatternAndFollowReloads) {
    win->chooseCategory(1); // Bass
    ASSERT_EQ(win->Larp->count(), 2);
    ASSERT_EQ(int(win->libraryRows().size()), 2);
    const LibraryItem item = win->libraryRows()[0]; // style 003's bass
    EXPECT_EQ(item.styleId, 3);
    win->model.selectTrack(1);
    win->chooseLibraryRow(0);
    EXPECT_TRUE(working().tracks.at(1).arp.equals(style34(3).tracks.at(1).arp));
    win->chooseLibraryRow(7); // no such row: nothing happens
    win->chooseLibraryRow(-1);
    EXPECT_TRUE(working().tracks.at(1).arp.equals(style34(3).tracks.at(1).arp));
    // Saving reloads the library; the rows are built again from it.
    prompt.answers = {0, 0};
    EXPECT_TRUE(win->requestClose());
    win->showProgrammer();
    win->chooseCategory(1);
    ASSERT_EQ(win->Larp->count(), 2);
    EXPECT_NE(win->Larp->item(1)->text().toStdString().find("*"), std::string::npos); // now the same as 003's
}

TEST_F(Window, AnEditWaitingForTheReleaseSurvivesAStyleRefresh) {
    QPoint p = at(6, 30);
    win->mouseDown(p.x(), p.y(), false, false, false, false);
    app().selectStyle(-1, false, false, false); // the session selects its style meanwhile
    EXPECT_EQ(countNotes(win->model.arp(), 65), 1);
    win->mouseUp();
    EXPECT_EQ(countNotes(working().tracks.at(0).arp, 65), 1);
}
