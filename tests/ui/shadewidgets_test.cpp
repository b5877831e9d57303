// The Shade buttons and faders: their own target and canvas, ids, extra glyph tokens, vertical drags.
#include <gtest/gtest.h>

#include "ui/scfaces.h"
#include "ui/shadewidgets.h"
#include "uitest.h"

namespace {

struct Shade : ::testing::Test {
    Limage image;
    Bitmap24 window;
    void SetUp() override {
        ASSERT_TRUE(image.setSize(300, 260, true));
        ASSERT_TRUE(window.setSize(300, 260));
        image.fill(0x505050);
    }
    template <typename W> void aim(W& w) {
        w.target = &image;
        w.canvas = &window.canvas();
        w.faceColour = scaleColour(0x505050, 1.04f);
        w.textColour = 0x88AEBE;
    }
    static bool same(const Limage& a, const Limage& b) {
        if (a.width() != b.width() || a.height() != b.height()) return false;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) return false;
        return true;
    }
};

TEST_F(Shade, ConstructedDefaults) {
    ShadeButton b;
    EXPECT_EQ(b.faceColour, 0xFFFFFF);
    EXPECT_EQ(b.textColour, 0);
    EXPECT_EQ(b.radioValue, -1);
    EXPECT_EQ(b.id, -1);
    EXPECT_EQ(b.target, nullptr);
    ShadeFader f;
    EXPECT_EQ(f.centreTick, -1);
    EXPECT_EQ(f.value, nullptr);
}

TEST_F(Shade, PushButtonsCarryTheirIdAndPaintWithoutAReadyFlag) {
    ShadeButton b;
    aim(b);
    b.initPush(20, 40, 80, 22, "Store", 7);
    EXPECT_EQ(b.id, 7);
    EXPECT_EQ(b.toggleTarget, nullptr);
    b.paint();
    EXPECT_EQ(window.canvas().pixel(20, 40), image.pixel(20, 40));
    EXPECT_NE(image.pixel(20, 40), 0x505050);
    EXPECT_FALSE(b.click(60, 62)); // bottom row left out
    EXPECT_TRUE(b.click(100, 61));
    EXPECT_TRUE(b.pressed);
    ShadeButton unaimed;
    unaimed.initPush(0, 0, 10, 10, "x", 1);
    unaimed.paint(); // no target: nothing, no crash
    EXPECT_TRUE(unaimed.click(5, 5));
}

TEST_F(Shade, TogglesFlipAndLightTheirBar) {
    bool on = false;
    ShadeButton b;
    aim(b);
    b.ledColour = RGB(255, 200, 0);
    b.initToggle(20, 40, 80, 22, "Mute", &on);
    EXPECT_EQ(b.id, -1);
    EXPECT_TRUE(b.click(30, 45));
    EXPECT_TRUE(on);
    EXPECT_EQ(window.canvas().pixel(60, 43), RGB(255, 200, 0));
    EXPECT_TRUE(b.click(30, 45));
    EXPECT_NE(window.canvas().pixel(60, 43), RGB(255, 200, 0));
}

TEST_F(Shade, ExtraTokensAndDollarCaptions) {
    ShadeButton blank, wave, tap, dollar, textTap;
    for (ShadeButton* b : {&blank, &wave, &tap, &dollar}) aim(*b);
    blank.initPush(0, 0, 40, 22, " ", 1);
    wave.initPush(0, 0, 40, 22, "<wave>", 2);
    tap.initPush(0, 0, 40, 22, "<tap>", 3);
    dollar.initPush(0, 0, 40, 22, "$Mix", 4);
    EXPECT_TRUE(same(tap.offFace, blank.offFace)); // a token without a shape, not the text "<tap>"
    EXPECT_FALSE(same(wave.offFace, blank.offFace));
    EXPECT_TRUE(same(dollar.offFace, blank.offFace));
    EXPECT_TRUE(dollar.symbol);
    EXPECT_EQ(dollar.label, "Mix");
    // The wave: three pixels per column around cy - 2 sin(...), here at its middle column cy.
    const TColor ink = scaleColour(wave.textColour, 0.9f);
    EXPECT_EQ(wave.offFace.pixel(20 - 5, 11), ink);
    EXPECT_EQ(wave.offFace.pixel(20 - 5, 10), ink);
    EXPECT_EQ(wave.offFace.pixel(20 - 5, 12), ink);
    EXPECT_TRUE(isGlyphToken("<wave>", true));
    EXPECT_FALSE(isGlyphToken("<wave>", false));
}

// A Shade fader at (40, 20) with a travel of 100: rect (40, 20, 73, 171), travel rows 53 to 153.
struct ShadeFaderTest : Shade {
    double level = 0.5;
    ShadeFader f;
    ShadeFader* grabbed = nullptr;
    void SetUp() override {
        Shade::SetUp();
        aim(f);
        f.create(40, 20, 100, "Drums", &level, 10);
    }
};

TEST_F(ShadeFaderTest, IsAsWideAsItsTrack) {
    EXPECT_EQ(f.rect, (TRect{40, 20, 73, 171}));
    EXPECT_EQ(f.track.width(), 33);
    ShadeFader narrow;
    narrow.narrow = 1;
    narrow.create(0, 0, 60, "", &level, 4);
    EXPECT_EQ(narrow.rect.Right, 27);
}

TEST_F(ShadeFaderTest, TopFifteenPixelsIgnoredThenGrabJumpAndMove) {
    EXPECT_FALSE(f.drag(50, 34, true, grabbed)); // Top + 14
    EXPECT_EQ(grabbed, nullptr);
    EXPECT_FALSE(f.drag(50, 100, true, grabbed)); // knob at 103: 3 px away
    EXPECT_EQ(grabbed, &f);
    EXPECT_TRUE(f.drag(50, 123, false, grabbed));
    EXPECT_DOUBLE_EQ(level, 0.27);
    ShadeFader* none = nullptr;
    EXPECT_FALSE(f.drag(50, 80, false, none));  // not the grabbed fader: moves do nothing
    EXPECT_TRUE(f.drag(50, 53, true, grabbed)); // far: jump to the top
    EXPECT_EQ(level, 1.0);
    EXPECT_TRUE(f.drag(73, 153, true, grabbed)); // right edge, bottom of the travel
    EXPECT_EQ(level, 0.0);
}

TEST_F(ShadeFaderTest, KnobColourFollowsTheSkin) {
    ShadeFader dark, light;
    aim(dark);
    aim(light);
    dark.knobColour = ShadeFader::kDarkSkinKnob;
    dark.create(0, 0, 50, "", &level, 4);
    light.create(0, 0, 50, "", &level, 4);
    EXPECT_FALSE(same(dark.knob, light.knob));
    level = 0.0;
    f.paint();
    EXPECT_EQ(window.canvas().pixel(56, 160), image.pixel(56, 160));
    ShadeFader unbound;
    aim(unbound);
    unbound.create(200, 20, 50, "", nullptr, 4);
    unbound.paint();
    EXPECT_EQ(countDiffering(image, 200, 20, 233, 121, 0x505050), 0);
}

} // namespace
