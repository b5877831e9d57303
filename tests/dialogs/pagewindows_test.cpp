// The windows around the main window, connected to the real main form: every hook they set is set,
// the play-from marker follows the mouse's beat and survives the page repaint it causes, and
// everything is disconnected again when they go.
#include "dialogs/pagewindows.h"

#include <gtest/gtest.h>

#include "dialogs/settingspages.h"
#include "tests/app/mainwindow_rig.h"

namespace {

struct Rig {
    win::WindowRig window;
    std::unique_ptr<PageWindows> windows;
    Rig() {
        window.start();
        windows = std::make_unique<PageWindows>(*window.ctx, *window.form);
    }
};

} // namespace

TEST(PageWindows, ConnectsEveryWindowAndDisconnectsOnTheWayOut) {
    Rig r;
    WindowHooks& h = r.window.app().hooks;
    EXPECT_TRUE(h.showMixer && h.showNotes && h.refreshMixer && h.reloadNotes);
    EXPECT_TRUE(h.soundTest && h.showReferenceTones && h.showAboutPage && h.showSoundTestPage &&
                h.showLoopHelp);
    EXPECT_TRUE(h.showHistory && h.showVisualTranspose && h.showTransposePage && h.showFadeOutPage);
    EXPECT_TRUE(h.showAccompanimentPage && h.showPrecountPage && h.showOptionsPage && h.showHotKeysPage);
    EXPECT_TRUE(h.choosePresetProgression && h.editSessionLinks && h.editPageSequence && h.editTextList);
    EXPECT_TRUE(h.trackMenuBarHover && h.isPopupMenuVisible && h.replayMouseDown && h.paintPositionMarker);
    EXPECT_TRUE(r.window.app().arrangementPointMenu && r.window.app().transposeSelectedChords);
    EXPECT_TRUE(settingsWindowHooks().relayoutMainWindow);
    // Window coordinates map to the screen and back.
    const TPoint p = h.screenToClient(h.clientToScreen(TPoint{12, 34}));
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, 34);

    r.windows.reset();
    EXPECT_FALSE(h.refreshMixer || h.reloadNotes || h.soundTest || h.showAboutPage || h.showTransposePage);
    EXPECT_FALSE(h.trackMenuBarHover || h.replayMouseDown || h.paintPositionMarker || h.clientToScreen);
    EXPECT_FALSE(h.showLoopHelp || r.window.app().arrangementPointMenu);
    EXPECT_FALSE(settingsWindowHooks().relayoutMainWindow);
}

TEST(PageWindows, ThePlayFromMarkerMarksTheBeatAndSurvivesThePageRepaint) {
    Rig r;
    QuoVelanta& a = r.window.app();
    PositionMarker& m = r.windows->marker();
    const TRect page = a.pageArea;
    const int bx = a.positionScale.Left + 2, by = page.Top + PositionMarker::kTopOffset + 2;
    const TColor under = r.window.pixel(bx, by);

    a.playMarkerPosition = 0; // the first beat of the page, under the mouse
    a.hooks.paintPositionMarker(false, 0);
    const TRect box = m.shownRect();
    ASSERT_GE(box.Left, 0);
    EXPECT_EQ(box.Left, a.positionScale.Left);
    EXPECT_EQ(box.Top, page.Top + PositionMarker::kTopOffset);
    EXPECT_NE(r.window.pixel(bx, by), under); // blended over the page

    // The next beat: the old box is painted again from the page, the new one blended; the
    // marker's position is not lost to the page repaint beneath it.
    a.playMarkerPosition = 12;
    a.hooks.paintPositionMarker(false, 0);
    EXPECT_EQ(a.playMarkerPosition, 12);
    EXPECT_GT(m.shownRect().Left, box.Left);
    EXPECT_EQ(r.window.pixel(bx, by), under);
    EXPECT_EQ(r.window.screen().pixel(bx, by), qRgb(colourRed(under), colourGreen(under), colourBlue(under)));

    // A full page repaint hides the marker (and ends without recursing into itself).
    a.paintPage(false);
    EXPECT_EQ(a.playMarkerPosition, -1);
    EXPECT_LT(m.shownRect().Left, 0);

    // An open style selector allows no marker.
    a.playMarkerPosition = 0;
    a.selectorKind = 1;
    a.hooks.paintPositionMarker(true, 0);
    EXPECT_LT(m.shownRect().Left, 0);
    a.selectorKind = 0;
}
