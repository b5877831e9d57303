// Screenshots of the main window for a person to look at (build/ui-screens/main-*.png), with a few
// checks that the window was really drawn.
#include <gtest/gtest.h>

#include "tests/app/mainwindow_rig.h"

using win::WindowRig;

namespace {

// The display area is black and the frame around it is the panel's colour.
void expectDrawn(WindowRig& rig) {
    QuoVelanta& a = rig.app();
    EXPECT_EQ(rig.pixel(a.displayRect.Left + 2, a.displayRect.Bottom - 2), RGB(0, 0, 0));
    EXPECT_NE(rig.pixel(3, 300), RGB(0, 0, 0));
    const QImage shown = rig.screen();
    ASSERT_EQ(shown.width(), a.clientWidth());
    ASSERT_EQ(shown.height(), QuoVelanta::kClientHeight);
}

} // namespace

TEST(MainWindowScreens, NewSession) {
    WindowRig rig;
    rig.start();
    expectDrawn(rig);
    EXPECT_FALSE(saveScreen(*rig.form, "main-new-session").empty());
}

TEST(MainWindowScreens, EverySampleSessionStopped) {
    const char* samples[] = {
        "01 Pop Song - Open Road.qvs", "02 Waltz - Autumn Promenade.qvs",     "03 Arrangement Demo.qvs",
        "04 Loop And Fade Out.qvs",    "05 Jazz Standard - Blue Lantern.qvs", "06 Slow Blues In A.qvs"};
    int n = 1;
    for (const char* s : samples) {
        WindowRig rig;
        rig.start(win::sampleSession(s));
        EXPECT_EQ(rig.app().sessionPath, win::sampleSession(s));
        expectDrawn(rig);
        EXPECT_GT(rig.app().chordRects.count(), 0) << s;
        EXPECT_FALSE(saveScreen(*rig.form, "main-sample-0" + std::to_string(n++)).empty());
    }
}

TEST(MainWindowScreens, PlayingMidPageWithVisualiser) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    rig.app().togglePlay();
    for (int i = 0; i < 1500; ++i) {
        rig.clock.advance(2);
        rig.app().idleTick();
    }
    EXPECT_TRUE(rig.ctx->engine.stepControl.isPlaying());
    rig.app().paintPage(true);
    EXPECT_FALSE(saveScreen(*rig.form, "main-playing").empty());
}

TEST(MainWindowScreens, WideModelWithKeyShiftButtonsAndNoteMatrix) {
    WindowRig rig([](Options& o) {
        o.wideModel = true;
        o.keyShiftButtons = true;
        o.visualizeMode = 2;
        o.visualTranspose_selector = true;
        o.whiteModel = false;
    });
    rig.start(win::sampleSession("05 Jazz Standard - Blue Lantern.qvs"));
    rig.core().key = 3;
    rig.repaint();
    expectDrawn(rig);
    EXPECT_FALSE(saveScreen(*rig.form, "main-wide-keyshift").empty());
}

TEST(MainWindowScreens, DarkAndLightLooks) {
    for (bool white : {false, true}) {
        WindowRig rig([white](Options& o) {
            o.whiteModel = white;
            o.visualizeMode = 3;
        });
        rig.start(win::sampleSession("06 Slow Blues In A.qvs"));
        expectDrawn(rig);
        EXPECT_FALSE(saveScreen(*rig.form, white ? "main-light" : "main-dark").empty());
    }
}

TEST(MainWindowScreens, FirstRunHintAndAttentionFlash) {
    WindowRig rig([](Options& o) {
        o.visualTransposeHintShown = false;
        o.mainHintShown = false;
    });
    rig.start();
    rig.app().animateHint(true);
    EXPECT_NE(rig.app().hintRect, (TRect{0, 0, 0, 0}));
    EXPECT_FALSE(saveScreen(*rig.form, "main-first-run-hint").empty());
    rig.app().attentionFlash = true;
    rig.app().paintSessionPanel(false);
    rig.app().paintStyleBox();
    rig.app().paintTempoBox();
    rig.app().paintKeyBox();
    rig.app().attentionFlash = false;
    EXPECT_FALSE(saveScreen(*rig.form, "main-attention-flash").empty());
}

TEST(MainWindowScreens, GlyphPictures) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    // Every picture side by side, four times enlarged.
    const int scale = 4;
    int width = 0, height = 0;
    for (const Limage& g : a.glyphImages) {
        width += (g.width() + 2) * scale;
        height = std::max(height, g.height() * scale);
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(255, 0, 255));
    int x0 = 0;
    for (const Limage& g : a.glyphImages) {
        for (int y = 0; y < g.height() * scale; ++y)
            for (int x = 0; x < g.width() * scale; ++x) {
                const TColor p = g.pixel(x / scale, y / scale);
                sheet.setPixel(x0 + x, y, qRgb(colourRed(p), colourGreen(p), colourBlue(p)));
            }
        x0 += (g.width() + 2) * scale;
    }
    EXPECT_FALSE(saveScreen(sheet, "main-glyphs").empty());
}
