// The program's windows around the main form: the dialog services and popup settings, the selector
// overlay opened and closed through the main window's hooks, and the quit that asks about unsaved
// style edits.
#include <gtest/gtest.h>

#include "app/selectorcontents.h"
#include "dialogs/programmer.h"
#include "dialogs/programwindows.h"
#include "dialogs/tfdialog.h"
#include "tests/app/mainwindow_rig.h"
#include "ui/popupmenu.h"
#include "ui/qvselector.h"

namespace {

TEST(ProgramWindows, ConnectsTheServicesAndHooksAndLetsGoOfThem) {
    win::WindowRig rig;
    {
        ProgramWindows windows(rig.app(), *rig.form);
        rig.start();
        EXPECT_EQ(dialogServices().options, &rig.options());
        EXPECT_TRUE(dialogServices().showPopupMenu != nullptr);
        EXPECT_TRUE(popupSettings().keyUp != nullptr);
        EXPECT_EQ(popupSettings().firstColourName, rig.options().displayTextColorNames.at(0));
        EXPECT_FALSE(rig.app().isDialogVisible());
        EXPECT_FALSE(rig.app().isBusy());
        ASSERT_TRUE(rig.app().hooks.showStyleProgrammer != nullptr);
        ASSERT_TRUE(rig.app().hooks.confirmQuit != nullptr);
    }
    EXPECT_EQ(dialogServices().options, nullptr);
    EXPECT_TRUE(rig.app().hooks.openChordSelector == nullptr);
    EXPECT_TRUE(rig.app().hooks.confirmQuit == nullptr);
}

TEST(ProgramWindows, TheChordEditorOpensOverItsCellAndItsAreaComesBackWhenItCloses) {
    win::WindowRig rig;
    ProgramWindows windows(rig.app(), *rig.form);
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    ASSERT_GT(a.chordRects.count(), 1);
    const TRect cell = a.chordRects.at(1);
    const TColor before = rig.pixel(cell.Left + 3, cell.Top - 20);
    a.hoveredChord = 1;
    a.openChordEditor();
    EXPECT_EQ(a.selectorKind, 4);
    EXPECT_EQ(a.editedChord, 1);
    ASSERT_TRUE(a.selector->isOpen());
    const TRect r = a.hooks.selectorRect();
    EXPECT_EQ(r.Right - r.Left + 1, kChordSelectorWidth);
    EXPECT_GE(r.Left, a.pageArea.Left);
    EXPECT_LE(r.Right, a.pageArea.Right);
    EXPECT_LT(r.Top, cell.Top);
    saveScreen(rig.screen(), "programwindows_chord_editor");
    a.closeSelectorOverlay();
    EXPECT_EQ(a.selectorKind, 0);
    EXPECT_EQ(a.editedChord, -1);
    EXPECT_EQ(rig.pixel(cell.Left + 3, cell.Top - 20), before);
}

TEST(ProgramWindows, ThePageMenuOpensAboveItsSlot) {
    win::WindowRig rig;
    ProgramWindows windows(rig.app(), *rig.form);
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    ASSERT_GT(a.slotRects.count(), 0);
    a.menuSlot = 0;
    a.openPageSlotMenu(true);
    EXPECT_EQ(a.selectorKind, 5);
    const TRect r = a.hooks.selectorRect();
    EXPECT_LT(r.Bottom, a.slotRects.at(0).Top);
    EXPECT_EQ(a.selectorSensorAt(r.Left - 5, r.Top - 5), -1);
    a.closeSelectorOverlay();
    EXPECT_EQ(a.selectorKind, 0);
}

class EditedStyle : public ::testing::Test {
  protected:
    win::WindowRig rig;
    void edit() {
        QuoVelanta& a = rig.app();
        Styles& lib = rig.ctx->engine.styles;
        a.styleEdits.take(lib);
        ASSERT_GT(a.styleEdits.style.tracks.count(), 1);
        a.styleEdits.style.tracks.at(1).arp.notes.add(StyleNote(40, 77, 5, 1.5));
        a.styleEdits.markEdited(lib);
        a.selectStyle(-2, false, false, false);
        ASSERT_TRUE(a.styleEdits.edited);
    }
};

TEST_F(EditedStyle, QuitAsksAboutUnsavedStyleEditsAndCancelKeepsRunning) {
    ProgramWindows windows(rig.app(), *rig.form);
    rig.start();
    edit();
    QuoVelanta& a = rig.app();
    rig.prompt.asked = 0;
    rig.prompt.answers = {2}; // Cancel
    EXPECT_FALSE(a.requestQuit());
    EXPECT_FALSE(a.quitRequested);
    EXPECT_TRUE(a.styleEdits.edited);
    rig.prompt.asked = 0;
    rig.prompt.answers = {1}; // Discard
    EXPECT_TRUE(a.requestQuit());
    EXPECT_TRUE(a.quitRequested);
    EXPECT_FALSE(a.styleEdits.edited);
}

TEST_F(EditedStyle, WithTheProgrammerShownTheQuitClosesItOrKeepsIt) {
    ProgramWindows windows(rig.app(), *rig.form);
    rig.start();
    rig.app().hooks.showStyleProgrammer();
    ASSERT_TRUE(windows.programmer().isVisible());
    edit();
    rig.prompt.asked = 0;
    rig.prompt.answers = {2}; // Cancel: the window stays with its edits
    EXPECT_FALSE(rig.app().requestQuit());
    EXPECT_TRUE(windows.programmer().isVisible());
    EXPECT_TRUE(rig.app().styleEdits.edited);
    rig.prompt.asked = 0;
    rig.prompt.answers = {1}; // Discard
    EXPECT_TRUE(rig.app().requestQuit());
    EXPECT_FALSE(windows.programmer().isVisible());
}

} // namespace
