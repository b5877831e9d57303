// The pictures of the user manual, taken from the program's own windows with a sample session open
// (build/ui-screens/help-*.png; tools/help-pictures.sh turns them into data/Help/images/*.png). Every
// picture is taken with the windows the program builds, driven through its mouse, key and menu
// handlers on a fake clock, so each run gives the same pictures.
#include <gtest/gtest.h>

#include "dialogs/pagewindows.h"
#include "dialogs/programwindows.h"
#include "dialogs/toolwindows.h"
#include "platform/qt/keymap.h"
#include "tests/app/mainwindow_rig.h"
#include "tests/dialogs/dialog_rig.h"
#include "ui/qvselector.h"

namespace {

const char* const kSample = "01 Pop Song - Open Road.qvs";

// The program's windows around the main form, as the program builds them, with the sample open.
class Program {
  public:
    win::WindowRig rig;
    ProgramWindows windows{rig.app(), *rig.form};
    std::unique_ptr<PageWindows> pages = std::make_unique<PageWindows>(*rig.ctx, *rig.form);

    Program() {
        rig.start(win::sampleSession(kSample));
        windows.syncPopupLook();
    }
    ~Program() { pages.reset(); }
    QuoVelanta& app() { return rig.app(); }

    // A click as the mouse makes it, never taken for half of a double click.
    void click(TPoint p) {
        rig.clock.advance(700);
        app().mouseMove(p.x, p.y, false, 0);
        app().mouseDown(p.x, p.y, 1, 0, false);
        app().mouseUp(p.x, p.y, 1, 0);
    }
    void doubleClick(TPoint p) {
        click(p);
        rig.clock.advance(100);
        app().mouseDown(p.x, p.y, 1, 0, false);
        app().mouseUp(p.x, p.y, 1, 0);
    }
    // The main window's display (session panel, boxes, chord page and page slots).
    QImage display() {
        const TRect& d = app().displayRect;
        return rig.screen().copy(d.Left, d.Top, d.Right - d.Left, d.Bottom - d.Top);
    }
    // Runs open(), saves the page it shows as soon as it waits, and closes that page with Esc.
    std::string shootPage(const std::string& name, const std::function<void()>& open) {
        std::string path;
        rig.onPump = [this, &path, name] {
            QCoreApplication::processEvents();
            TFdialog* top = topDialogPage();
            if (top == nullptr || !top->isVisible()) return;
            path = saveScreen(*top, name);
            rig.onPump = {};
            dlg::pressTopKey(Qt::Key_Escape);
        };
        open();
        rig.onPump = {};
        return path;
    }
};

TEST(HelpPictures, MainWindowStoppedAndPlaying) {
    Program p;
    QuoVelanta& a = p.app();
    ASSERT_EQ(a.sessionPath, win::sampleSession(kSample));
    ASSERT_GT(a.chordRects.count(), 2);
    EXPECT_FALSE(saveScreen(*p.rig.form, "help-main-window").empty());

    // Played with Space until a quarter into the third chord's bar (the first two are the drums'
    // intro), where the band under the playing chord is at its brightest and the keyboard shows the
    // notes that sound.
    a.keyDown(vk::Space, false, false);
    QvCore& core = p.rig.core();
    for (int i = 0; i < 100000 && core.playPositionInBars() < 2.25; ++i) {
        p.rig.clock.advance(2);
        a.idleTick();
    }
    ASSERT_TRUE(p.rig.ctx->engine.stepControl.isPlaying());
    EXPECT_EQ(core.currentChordIndex, 2);
    a.paintRuler(true);
    EXPECT_FALSE(saveScreen(*p.rig.form, "help-main-playing").empty());
    a.keyDown(vk::Space, false, false);
}

TEST(HelpPictures, ChordAndArrangementPointEditors) {
    Program p;
    QuoVelanta& a = p.app();
    // The chord editor, opened with a double click on the second chord (D over F sharp).
    const TRect cell = a.chordRects.at(1);
    p.doubleClick({(cell.Left + cell.Right) / 2, cell.Top + 25});
    ASSERT_EQ(a.selectorKind, 4);
    EXPECT_EQ(a.editedChord, 1);
    EXPECT_FALSE(saveScreen(p.display(), "help-chord-editor").empty());
    a.keyDown(vk::Escape, false, false);
    ASSERT_EQ(a.selectorKind, 0);

    // The arrangement point editor, opened with a double click on the page's second point.
    ASSERT_GT(a.pointRects.count(), 1);
    const TRect point = a.pointRects.at(1);
    p.doubleClick({(point.Left + point.Right) / 2, (point.Top + point.Bottom) / 2});
    ASSERT_EQ(a.selectorKind, 6);
    EXPECT_EQ(a.selectedPoint, 1);
    EXPECT_FALSE(saveScreen(p.display(), "help-arrangement-point").empty());
    a.keyDown(vk::Escape, false, false);
}

TEST(HelpPictures, MixerAndPages) {
    Program p;
    QuoVelanta& a = p.app();
    // Key M shows the mixer.
    a.keyDown('M', false, false);
    TFmixer& mixer = p.pages->tools().mixer();
    ASSERT_TRUE(mixer.isVisible());
    EXPECT_FALSE(saveScreen(mixer, "help-mixer").empty());
    mixer.closeForm();

    // Options > More...; File > Session Links... (with a link to the song's lyrics), Save As MIDI
    // File... and Save Chords As Text..., each page closed again with Esc.
    EXPECT_FALSE(p.shootPage("help-options", [&] { a.runOptionsItem(11); }).empty());
    p.rig.core().sessionLinks.at(0) = "www.example.com/songs/open-road-lyrics.html";
    EXPECT_FALSE(p.shootPage("help-page-session-links", [&] { a.runFileItem(8); }).empty());
    EXPECT_FALSE(p.shootPage("help-page-save-as-midi-file", [&] { a.runFileItem(5); }).empty());
    EXPECT_FALSE(p.shootPage("help-page-save-chords-as-text", [&] { a.runFileItem(6); }).empty());
    EXPECT_EQ(p.rig.core().sessionLinks.at(0), "www.example.com/songs/open-road-lyrics.html");
}

} // namespace
