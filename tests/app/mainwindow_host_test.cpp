// The window host and the interim questions: the engine side's repaint requests reach the main
// window's painters and the hooks of the other windows; the Qt message box waits in the program's
// wait loop, answers with the button's index, and gives way to a close request.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "tests/app/mainwindow_rig.h"

using win::WindowRig;

TEST(WindowHost, EngineRepaintsReachThePainters) {
    WindowRig rig;
    EXPECT_FALSE(rig.host.isShowing()); // nothing laid out yet
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    EXPECT_TRUE(rig.host.isShowing());
    QuoVelanta& a = rig.app();
    // A style switch with panel repaints: the style box shows the new style's name.
    Styles& styles = rig.ctx->engine.styles;
    ASSERT_GT(styles.count(), 1);
    const int other = styles.at(1).id == a.currentStyle() ? styles.at(0).id : styles.at(1).id;
    const TRect before = a.styleBoxRect;
    a.styleBoxRect = globalUndefinedRect;
    a.selectStyle(other, true, true, false);
    EXPECT_EQ(a.currentStyle(), other);
    EXPECT_EQ(a.styleBoxRect.Left, before.Left);
    // The page area and the slots are painted again after a history restore or a new session.
    a.chordRects.clear();
    rig.host.repaintPageArea(true);
    EXPECT_EQ(a.chordRects.count(), rig.core().pageAt(false).chordCount());
    a.slotRects.clear();
    rig.host.repaintPageSlots();
    EXPECT_EQ(a.slotRects.count(), rig.core().pageSlots.count());
    int mixers = 0, notes = 0, selectors = 0, resets = 0, drags = 0, programmers = 0;
    a.hooks.refreshMixer = [&] { ++mixers; };
    a.hooks.reloadNotes = [&] { ++notes; };
    a.hooks.closeSelector = [&] { ++selectors; };
    a.hooks.resetInputState = [&] { ++resets; };
    a.hooks.clearPendingDrag = [&] { ++drags; };
    a.hooks.refreshStyleProgrammer = [&] { ++programmers; };
    a.selectedPoint = 3;
    a.quitRequested = true;
    EXPECT_TRUE(a.newSession(false));
    EXPECT_EQ(mixers, 1);
    EXPECT_EQ(notes, 1);
    EXPECT_EQ(resets, 1);
    EXPECT_GE(programmers, 1);
    EXPECT_EQ(a.selectedPoint, -1);
    EXPECT_FALSE(a.quitRequested); // a new session clears the quit flag
    const int dragsBefore = drags; // the new session forgot its pending drags too
    rig.host.closeSelector();
    rig.host.clearPendingDrag();
    EXPECT_EQ(selectors, 1);
    EXPECT_EQ(drags, dragsBefore + 1);
}

TEST(WindowHost, DrawGraphicRectCopiesBothHalvesWithATickBetween) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    Bitmap24 source, target;
    ASSERT_TRUE(source.setSize(40, 20));
    ASSERT_TRUE(target.setSize(40, 20));
    source.canvas().brush.color = RGB(10, 200, 30);
    source.canvas().fillRect({0, 0, 40, 20});
    int ticksBetween = 0;
    a.togglePlay();
    const int reads = rig.clock.reads;
    a.drawGraphicRect(source, target.canvas(), {5, 2, 30, 10}, 0, 0);
    ticksBetween = rig.clock.reads - reads;
    a.togglePlay();
    EXPECT_GT(ticksBetween, 0); // the playback tick between the halves reads the clock
    EXPECT_EQ(target.canvas().pixel(5, 2), RGB(10, 200, 30));
    EXPECT_EQ(target.canvas().pixel(17, 5), RGB(10, 200, 30)); // the middle column (5 + 30) / 2
    EXPECT_EQ(target.canvas().pixel(18, 5), RGB(10, 200, 30));
    EXPECT_EQ(target.canvas().pixel(30, 10), RGB(10, 200, 30));
    EXPECT_EQ(target.canvas().pixel(31, 10), RGB(0, 0, 0));
    EXPECT_EQ(target.canvas().pixel(4, 2), RGB(0, 0, 0));
}

TEST(WindowHost, TheRulerLeavesAnOpenSelectorAlone) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    const TRect sel{300, 150, 600, 380};
    a.hooks.selectorRect = [&] { return sel; };
    a.selectorKind = 2;
    // What is on the window under the selector stays; left and right of it the ruler is copied.
    Canvas& screen = rig.form->canvas();
    const int y = a.positionScale.Top + 1;
    screen.setPixel(400, y, RGB(1, 2, 3));
    screen.setPixel(100, y, RGB(1, 2, 3));
    a.paintRuler(true);
    EXPECT_EQ(screen.pixel(400, y), RGB(1, 2, 3));
    EXPECT_EQ(screen.pixel(100, y), rig.pixel(100, y));
    a.selectorKind = 0;
}
