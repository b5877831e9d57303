// The main window's layout: window size, the regions of the display, the control panel's widgets
// and the window buttons, for the narrow and the wide model.
#include <gtest/gtest.h>

#include "tests/app/mainwindow_rig.h"

using win::WindowRig;

namespace {

::testing::AssertionResult rectIs(const TRect& r, int l, int t, int rt, int b) {
    if (r == TRect{l, t, rt, b}) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ") is not (" << l
           << ", " << t << ", " << rt << ", " << b << ")";
}

int faderX(QuoVelanta& a, const std::string& label) {
    for (const ScFader& f : a.controls.faders)
        if (f.label == label) return f.rect.Left;
    return -1;
}

} // namespace

TEST(MainWindowLayout, NarrowModelRegions) {
    WindowRig rig([](Options& o) {
        o.wideModel = false;
        o.keyShiftButtons = true;
    });
    rig.start();
    QuoVelanta& a = rig.app();
    EXPECT_EQ(rig.form->width(), 987);
    EXPECT_EQ(rig.form->height(), 602);
    EXPECT_EQ(a.backBuffer.width(), 987);
    EXPECT_EQ(a.backBuffer.height(), 602);
    EXPECT_TRUE(rectIs(a.displayRect, 30, 70, 956, 392));
    EXPECT_TRUE(rectIs(a.panelBand, 36, 75, 950, 125));
    EXPECT_TRUE(rectIs(a.styleCell, 46, 144, 268, 180));
    EXPECT_TRUE(rectIs(a.tempoCell, 270, 144, 492, 180));
    EXPECT_TRUE(rectIs(a.keyCell, 494, 144, 718, 180));
    EXPECT_TRUE(rectIs(a.pageArea, 46, 217, 942, 325));
    EXPECT_TRUE(rectIs(a.positionScale, 46, 313, 942, 325));
    EXPECT_TRUE(rectIs(a.arrangementStrip, 36, 197, 952, 215));
    EXPECT_TRUE(rectIs(a.slotStrip, 46, 352, 943, 376));
    EXPECT_EQ(a.barsBoxOrigin, (TPoint{899, 181}));
}

TEST(MainWindowLayout, NarrowModelControlPanel) {
    WindowRig rig([](Options& o) {
        o.wideModel = false;
        o.keyShiftButtons = true;
    });
    rig.start();
    QuoVelanta& a = rig.app();
    EXPECT_EQ(faderX(a, "Master"), 203);
    EXPECT_EQ(faderX(a, "Drums"), 267);
    EXPECT_EQ(faderX(a, "Bass"), 331);
    EXPECT_EQ(faderX(a, "Chords"), 395);
    EXPECT_EQ(faderX(a, "Tempo"), 710);
    ASSERT_GE(a.controls.buttons.count(), 2);
    EXPECT_EQ(a.controls.buttons.at(0).rect.Left, 157); // mute
    EXPECT_EQ(a.controls.buttons.at(0).rect.Top, 467);
    EXPECT_EQ(a.controls.buttons.at(0).toggleTarget, &rig.core().mute);
    EXPECT_TRUE(a.controls.buttons.at(0).inverted);
    EXPECT_EQ(a.controls.buttons.at(1).rect.Left, 458); // mix reset
    EXPECT_EQ(a.controls.buttons.at(1).toggleTarget, &a.mixAtDefaults);
    EXPECT_EQ(a.tempoPlusRect.Left, 664);
    EXPECT_EQ(a.tempoPlusRect.Top, 426 + 77);
    EXPECT_EQ(a.tempoMinusRect.Top, 426 + 102);
    EXPECT_EQ(a.keyShiftPlusRect.Left, 806);
    EXPECT_EQ(a.keyShiftMinusRect.Left, 806);
    // The play button sits in the control panel's middle: 502 + 104 - 42.
    EXPECT_EQ((a.playButtonRect.Left + a.playButtonRect.Right) / 2, 564);
    EXPECT_EQ((a.playButtonRect.Top + a.playButtonRect.Bottom) / 2, 602 - 93);
}

TEST(MainWindowLayout, WithoutKeyShiftButtonsTheFadersMoveRightAndNoKeyShiftRects) {
    WindowRig rig([](Options& o) {
        o.wideModel = false;
        o.keyShiftButtons = false;
    });
    rig.start();
    QuoVelanta& a = rig.app();
    EXPECT_EQ(faderX(a, "Master"), 245);
    EXPECT_EQ(a.keyShiftPlusRect, globalUndefinedRect);
    EXPECT_EQ(a.keyShiftMinusRect, globalUndefinedRect);
    // Tempo column: x1 = x0 = 245; fader 987 - 245 + 10 - 51, buttons 987 - 245 + 22.
    EXPECT_EQ(faderX(a, "Tempo"), 701);
    EXPECT_EQ(a.tempoPlusRect.Left, 764);
}

TEST(MainWindowLayout, WideModelOnlyWidensTheWindow) {
    WindowRig rig([](Options& o) {
        o.wideModel = true;
        o.keyShiftButtons = true;
    });
    rig.start();
    QuoVelanta& a = rig.app();
    EXPECT_EQ(rig.form->width(), 1243);
    EXPECT_EQ(rig.form->height(), 602);
    EXPECT_TRUE(rectIs(a.displayRect, 30, 70, 1212, 392));
    EXPECT_TRUE(rectIs(a.styleCell, 46, 144, 332, 180));
    EXPECT_TRUE(rectIs(a.tempoCell, 334, 144, 620, 180));
    EXPECT_TRUE(rectIs(a.keyCell, 622, 144, 910, 180));
    EXPECT_TRUE(rectIs(a.pageArea, 46, 217, 1198, 325));
    EXPECT_EQ(faderX(a, "Master"), 331);
    EXPECT_EQ(a.keyShiftPlusRect.Left, 1243 - (331 + 84) + 106);
    EXPECT_EQ((a.playButtonRect.Left + a.playButtonRect.Right) / 2, 502 + 232 - 42);

    // Back to the narrow model: only the width changes.
    rig.options().wideModel = false;
    rig.repaint();
    EXPECT_EQ(rig.form->width(), 987);
    EXPECT_EQ(rig.form->height(), 602);
    EXPECT_TRUE(rectIs(a.displayRect, 30, 70, 956, 392));
}

TEST(MainWindowLayout, MenuTitlesAndWindowButtons) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    ASSERT_EQ(a.menuTitles.count(), 5);
    EXPECT_EQ(a.menuTitles.at(0), "File");
    EXPECT_EQ(a.menuTitles.at(4), "Help");
    ASSERT_EQ(a.menuTitleRects.count(), 5);
    EXPECT_EQ(a.menuTitleRects.at(0).Left, 9);
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(a.menuTitleRects.at(j).Top, 18);
        EXPECT_EQ(a.menuTitleRects.at(j).Bottom, 41);
        if (j > 0) {
            EXPECT_EQ(a.menuTitleRects.at(j).Left, a.menuTitleRects.at(j - 1).Right + 1);
        }
    }
    EXPECT_TRUE(rectIs(a.closeRect, 958, 20, 972, 38));
    // The minimise box has a rectangle of its own, 18 px to the left of the close box.
    EXPECT_TRUE(rectIs(a.minimiseRect, 940, 20, 954, 38));
}

TEST(MainWindowLayout, MenuBarHoverFollowsTheMouse) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    const TRect edit = a.menuTitleRects.at(1);
    a.mouseMove((edit.Left + edit.Right) / 2, 30, false, 0);
    EXPECT_EQ(a.hoveredMenuTitle, 1);
    a.mouseMove(a.closeRect.Left + 3, a.closeRect.Top + 3, false, 0);
    EXPECT_EQ(a.hoveredMenuTitle, -1);
    EXPECT_TRUE(a.closeHover);
    EXPECT_FALSE(a.minimiseHover);
    a.mouseMove(a.minimiseRect.Left + 3, a.minimiseRect.Top + 3, false, 0);
    EXPECT_FALSE(a.closeHover);
    EXPECT_TRUE(a.minimiseHover);
}

TEST(MainWindowLayout, NothingIsDrawnBeforeTheWindowIsReady) {
    WindowRig rig;
    QuoVelanta& a = rig.app();
    // No host yet: the painters and the copy to the form do nothing.
    a.paintWindow(nullptr);
    a.blitToForm();
    a.refreshPanels();
    a.paintPage(true);
    EXPECT_FALSE(a.backBuffer.isValid());
    EXPECT_EQ(a.hostForm, nullptr);
    EXPECT_FALSE(rig.host.isShowing());
}

TEST(MainWindowLayout, KeyStripsHoldTheTwelveNoteCells) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    for (const Limage& strip : a.keyStripImages) {
        ASSERT_TRUE(strip.isValid());
        EXPECT_EQ(strip.width(), 335);
        EXPECT_EQ(strip.height(), 16);
    }
    // The letters are black on white: each cell holds dark pixels.
    for (int i = 0; i < 12; ++i) {
        int dark = 0;
        for (int x = 28 * i; x < 28 * i + 27; ++x)
            for (int y = 0; y < 16; ++y)
                if (colourRed(a.keyStripImages[0].pixel(x, y)) < 100) ++dark;
        EXPECT_GT(dark, 5) << "cell " << i;
    }
}

TEST(MainWindowLayout, GlyphPicturesAreDrawnInTheirSizes) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    for (int g = 0; g < QuoVelanta::kGlyphCount; ++g) ASSERT_TRUE(a.glyphImages[g].isValid()) << g;
    // Flat and sharp: small < normal < large, white signs on black.
    EXPECT_LT(a.glyphImages[QuoVelanta::Isharp_small].height(), a.glyphImages[QuoVelanta::Isharp].height());
    EXPECT_LT(a.glyphImages[QuoVelanta::Isharp].height(), a.glyphImages[QuoVelanta::Isharp_large].height());
    for (int g = QuoVelanta::Iflat; g <= QuoVelanta::Isharp_large; ++g) {
        const Limage& img = a.glyphImages[g];
        int white = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == RGB(255, 255, 255)) ++white;
        EXPECT_GT(white, 3) << g;
        EXPECT_EQ(img.pixel(img.width() - 1, 0), RGB(0, 0, 0)) << g;
    }
    // The four play-button faces are round and of one size.
    const Limage& face = a.glyphImages[QuoVelanta::IplayButton];
    for (int g = QuoVelanta::IplayButton; g <= QuoVelanta::IplayButtonWhitePush; ++g) {
        EXPECT_EQ(a.glyphImages[g].width(), face.width());
        EXPECT_EQ(a.glyphImages[g].height(), face.height());
    }
    EXPECT_NE(face.pixel(face.width() / 2, face.height() / 2), face.pixel(0, 0));
    EXPECT_EQ(a.playButtonRect.Right - a.playButtonRect.Left, face.width() / 2 * 2);
}
