// Rectangles, points, clipped drawing, gradients and colour arithmetic; theme colours.
#include <gtest/gtest.h>

#include "foundation/strutil.h"
#include "ui/geometry.h"
#include "ui/theme.h"

namespace {

TEST(Geometry, RectanglesAndPoints) {
    TRect r;
    EXPECT_EQ(setRect(r, 1, 2, 3, 4), (TRect{1, 2, 3, 4}));
    TRect moved;
    EXPECT_EQ(offsetRect(moved, r, 10, -2), (TRect{11, 0, 13, 2}));
    TRect copy;
    EXPECT_EQ(copyRect(copy, r), r);
    EXPECT_TRUE(isUndefinedRect({0, 1000000, 0, 0}));
    EXPECT_FALSE(isUndefinedRect(globalUndefinedRect));
    EXPECT_EQ(globalUndefinedRect, (TRect{-1, -1, -1, -1}));
    TPoint p;
    EXPECT_EQ(makePoint(p, 3, 4), (TPoint{3, 4}));
    EXPECT_EQ(rectCentre(p, {0, 0, 5, 5}), (TPoint{2, 2}));
    EXPECT_EQ(rectCentre(p, {-5, -5, 0, 0}), (TPoint{-2, -2}));
    EXPECT_EQ(rectCentre(p, {INT32_MAX - 1, 0, INT32_MAX, 0}).x, INT32_MAX - 1);
}

TEST(Geometry, PointInRectIncludesAllFourEdges) {
    const TRect r{10, 20, 30, 40};
    EXPECT_TRUE(pointInRect(10, 20, r));
    EXPECT_TRUE(pointInRect(30, 40, r));
    EXPECT_TRUE(pointInRect(10, 40, r));
    EXPECT_TRUE(pointInRect(30, 20, r));
    EXPECT_FALSE(pointInRect(9, 30, r));
    EXPECT_FALSE(pointInRect(31, 30, r));
    EXPECT_FALSE(pointInRect(20, 19, r));
    EXPECT_FALSE(pointInRect(20, 41, r));
}

TEST(Geometry, ClipToRectTreatsTheRectangleAsInclusive) {
    Bitmap24 b;
    ASSERT_TRUE(b.setSize(10, 10));
    clipToRect(b.canvas(), {2, 2, 4, 4});
    b.canvas().brush.color = 0xFFFFFF;
    b.canvas().fillRect({0, 0, 10, 10});
    clearClip(b.canvas());
    EXPECT_EQ(b.canvas().pixel(4, 4), 0xFFFFFF);
    EXPECT_EQ(b.canvas().pixel(5, 4), 0);
    EXPECT_EQ(b.canvas().pixel(2, 2), 0xFFFFFF);
    EXPECT_EQ(b.canvas().pixel(1, 2), 0);
    EXPECT_FALSE(b.canvas().hasClip());
}

TEST(Geometry, DrawGraphicClippedCopiesOnlyTheRectangle) {
    Bitmap24 src, screen;
    ASSERT_TRUE(src.setSize(10, 10));
    ASSERT_TRUE(screen.setSize(30, 30));
    src.canvas().brush.color = 0x00FF00;
    src.canvas().fillRect({0, 0, 10, 10});
    drawGraphicClipped(src, screen.canvas(), {1, 1, 3, 2}, 5, 6);
    EXPECT_EQ(screen.canvas().pixel(6, 7), 0x00FF00);
    EXPECT_EQ(screen.canvas().pixel(8, 8), 0x00FF00);
    EXPECT_EQ(screen.canvas().pixel(9, 8), 0);
    EXPECT_EQ(screen.canvas().pixel(5, 6), 0);
    EXPECT_FALSE(screen.canvas().hasClip());
    drawGraphicClipped(src, screen.canvas(), {0, 1000000, 9, 9}, 0, 0); // undefined: nothing
    EXPECT_EQ(screen.canvas().pixel(0, 0), 0);
}

// The colour of line i of a gradient, by the float formula of the gradient itself.
TColor gradientColour(TColor from, TColor to, long long i, long long n) {
    const float step = n > 0 ? 1.0f / static_cast<float>(n) : 0.0f;
    const float t = static_cast<float>(i) * step;
    auto ch = [t](int a, int b) { return truncToInt(static_cast<float>(a) + static_cast<float>(b - a) * t); };
    return RGB(ch(colourRed(from), colourRed(to)), ch(colourGreen(from), colourGreen(to)),
               ch(colourBlue(from), colourBlue(to)));
}

TEST(Geometry, GradientCoversTheInclusiveSpanWithItsEndColours) {
    Bitmap24 b;
    ASSERT_TRUE(b.setSize(80, 20));
    const TColor from = RGB(10, 200, 33), to = RGB(250, 3, 77);
    drawGradient(b.canvas(), 3, 2, 51, 6, from, to, true); // 49 columns, n = 48
    EXPECT_EQ(b.canvas().pixel(3, 2), from);
    EXPECT_EQ(b.canvas().pixel(51, 6), gradientColour(from, to, 48, 48));
    EXPECT_EQ(b.canvas().pixel(27, 4), gradientColour(from, to, 24, 48));
    EXPECT_EQ(b.canvas().pixel(52, 4), 0);
    EXPECT_EQ(b.canvas().pixel(30, 7), 0);
    EXPECT_EQ(b.canvas().pixel(30, 1), 0);
    // Down the rows.
    Bitmap24 v;
    ASSERT_TRUE(v.setSize(20, 80));
    drawGradient(v.canvas(), 2, 5, 9, 68, from, to, false);
    EXPECT_EQ(v.canvas().pixel(2, 5), from);
    EXPECT_EQ(v.canvas().pixel(9, 68), gradientColour(from, to, 63, 63));
    EXPECT_EQ(v.canvas().pixel(10, 68), 0);
    EXPECT_EQ(v.canvas().pixel(9, 69), 0);
}

TEST(Geometry, GradientOfOneLineUsesTheFromColourAndReversedBoundsDrawNothing) {
    Bitmap24 b;
    ASSERT_TRUE(b.setSize(10, 10));
    drawGradient(b.canvas(), 4, 1, 4, 8, 0x123456, 0xFFFFFF, true);
    EXPECT_EQ(b.canvas().pixel(4, 1), 0x123456);
    EXPECT_EQ(b.canvas().pixel(4, 8), 0x123456);
    EXPECT_EQ(b.canvas().pixel(5, 4), 0);
    drawGradient(b.canvas(), 6, 1, 5, 8, 0xFFFFFF, 0xFFFFFF, true);
    drawGradient(b.canvas(), 1, 8, 5, 7, 0xFFFFFF, 0xFFFFFF, false);
    EXPECT_EQ(b.canvas().pixel(5, 8), 0);
    EXPECT_EQ(b.canvas().pixel(1, 8), 0);
}

TEST(Geometry, HugeGradientsDrawOnlyTheirVisibleLinesWithTheRightColours) {
    Bitmap24 b;
    ASSERT_TRUE(b.setSize(8, 8));
    Canvas& c = b.canvas();
    // A span of the whole int range: no overflow, no four billion lines.
    drawGradient(c, INT32_MIN, 0, INT32_MAX, INT32_MAX, 0, 0xFFFFFF, true);
    const TColor mid = gradientColour(0, 0xFFFFFF, 2147483648LL, 4294967295LL);
    EXPECT_EQ(c.pixel(0, 0), mid);
    EXPECT_EQ(c.pixel(7, 7), mid);
    EXPECT_EQ(c.pen.color, 0xFFFFFF); // left in the last line's colour
    EXPECT_EQ(c.brush.color, 0xFFFFFF);
    // Lines before the canvas or the clip are skipped, the visible ones keep their place in the run.
    const TColor from = RGB(0, 0, 0), to = RGB(200, 100, 50);
    c.setClipRect({2, 0, 5, 8});
    drawGradient(c, 0, -100, 7, INT32_MAX, from, to, false);
    c.clearClip();
    EXPECT_EQ(c.pixel(2, 0), gradientColour(from, to, 100, INT32_MAX + 100LL));
    EXPECT_EQ(c.pixel(1, 0), mid);
    EXPECT_EQ(c.pixel(5, 0), mid);
}

TEST(Colour, SplitScaleAndMix) {
    int r, g, b;
    splitColour(RGB(1, 2, 3), r, g, b);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(scaleColour(0x808080, 3.0f), 0xFFFFFF);
    EXPECT_EQ(scaleColour(RGB(100, 50, 201), 0.5f), RGB(50, 25, 100));
    EXPECT_EQ(scaleColour(RGB(100, 50, 201), -1.0f), 0);
    const TColor a = RGB(10, 100, 200), c = RGB(250, 0, 100);
    EXPECT_EQ(mixColours(a, c, 0.0f), a);
    EXPECT_EQ(mixColours(a, c, 1.0f), c);
    EXPECT_EQ(mixColours(a, c, 0.5f), RGB(130, 50, 150));
    // Weights outside 0..1 are held to the channel range, never spill into the next channel.
    EXPECT_EQ(mixColours(a, c, 2.0f), RGB(255, 0, 0));
    EXPECT_EQ(mixColours(a, c, -1.0f), RGB(0, 200, 255));
}

TEST(Colour, HsvToRgbSectorsAndOutOfRangeHues) {
    int r, g, b;
    hsvToRgb(0, 1, 1, r, g, b);
    EXPECT_EQ(RGB(r, g, b), RGB(255, 0, 0));
    hsvToRgb(120, 1, 1, r, g, b);
    EXPECT_EQ(RGB(r, g, b), RGB(0, 255, 0));
    hsvToRgb(240, 1, 0.5f, r, g, b);
    EXPECT_EQ(RGB(r, g, b), RGB(0, 0, 127));
    hsvToRgb(300, 1, 1, r, g, b);
    EXPECT_EQ(RGB(r, g, b), RGB(255, 0, 255));
    hsvToRgb(359.9f, 0, 1, r, g, b);
    EXPECT_EQ(RGB(r, g, b), RGB(255, 255, 255));
    for (float hue : {360.0f, 400.0f, -30.0f, -0.5f, std::numeric_limits<float>::quiet_NaN()}) {
        hsvToRgb(hue, 1, 1, r, g, b);
        EXPECT_EQ(RGB(r, g, b), 0) << hue;
    }
}

TEST(Theme, DarkLook) {
    Theme t;
    t.whiteModel = false;
    EXPECT_FLOAT_EQ(t.themeDimFactor(), 0.8f);
    EXPECT_EQ(t.themePanelColour(), RGB(68, 68, 68));
    EXPECT_EQ(t.themeBaseGrey(), RGB(216, 198, 155));
    EXPECT_EQ(t.themeShadeColour(), RGB(203, 186, 145));
    EXPECT_EQ(t.headingTextColour(), RGB(198, 182, 142));
}

TEST(Theme, LightLook) {
    Theme t;
    t.whiteModel = true;
    t.displayTextColor = 6;
    EXPECT_FLOAT_EQ(t.themeDimFactor(), 0.84f);
    EXPECT_EQ(t.themePanelColour(), RGB(200, 200, 200));
    EXPECT_EQ(t.themeBaseGrey(), RGB(216, 216, 216));
    EXPECT_EQ(t.themeShadeColour(), RGB(80, 80, 80));
    EXPECT_EQ(t.headingTextColour(), scaleColour(RGB(196, 196, 248), 0.75f));
}

TEST(Theme, DisplayTextColours) {
    Theme t;
    EXPECT_EQ(t.displayTextColour(6), RGB(196, 196, 248));
    EXPECT_EQ(t.displayTextColour(3), RGB(202, 218, 202));
    EXPECT_EQ(t.displayTextColour(8), RGB(224, 196, 214));
    EXPECT_EQ(t.displayTextColour(9), RGB(208, 208, 208));
    EXPECT_EQ(t.displayTextColour(42), RGB(208, 208, 208));
    EXPECT_EQ(t.displayTextColour(0), hsvColour(0, 0.14f, 0.89f));
    int r, g, b;
    hsvToRgb(210, 0.15f, 0.89f, r, g, b);
    EXPECT_EQ(t.displayTextColour(5), RGB(r, g, b));
    // Hue 0, s 0.14, v 0.89: red 226, green and blue 226 x 0.86.
    EXPECT_EQ(colourRed(t.displayTextColour(0)), 226);
    // The dim text colour follows the chosen colour in both looks.
    for (bool white : {false, true}) {
        t.whiteModel = white;
        t.displayTextColor = 3;
        EXPECT_EQ(t.dimTextColour(), scaleColour(RGB(202, 218, 202), 0.6f));
        EXPECT_EQ(t.displayTextColour(), RGB(202, 218, 202));
    }
    EXPECT_EQ(t.highlightColour(), RGB(255, 255, 0));
    EXPECT_EQ(t.controlHighlightColour(), RGB(255, 255, 0));
    EXPECT_EQ(t.blackColour(), 0);
    EXPECT_EQ(t.whiteColour(), 0xFFFFFF);
    EXPECT_EQ(t.barCellGap(), 2);
    EXPECT_EQ(t.barCellHeight(), 36);
}

} // namespace
