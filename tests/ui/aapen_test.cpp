// The anti-aliased pen and rounded rectangles.
#include <cmath>
#include <gtest/gtest.h>

#include "ui/aapen.h"
#include "ui/geometry.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;

TEST(AaPen, StartsWithoutTargetInBlack) {
    AaPen pen;
    EXPECT_EQ(pen.target, nullptr);
    EXPECT_EQ(pen.colour(), 0);
    pen.plot(1, 1).line(0, 0, 5, 5).circle(3, 3, 2, true); // nothing to draw on
    pen.setColour(RGB(1, 2, 3));
    EXPECT_EQ(pen.red, 1);
    EXPECT_EQ(pen.green, 2);
    EXPECT_EQ(pen.blue, 3);
}

TEST(AaPen, APointBetweenFourPixelsWeighsEachByItsDistance) {
    Limage img;
    ASSERT_TRUE(img.setSize(2, 2, false));
    AaPen pen;
    pen.setTarget(&img).setColour(kWhite).plot(0.5, 0.5);
    const int v = static_cast<int>(255 * (1 - std::sqrt(0.5)));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(img.pixel(x, y), RGB(v, v, v));
}

TEST(AaPen, APointOnAPixelPaintsItFully) {
    Limage img;
    ASSERT_TRUE(img.setSize(4, 4, false));
    img.fill(RGB(10, 20, 30));
    AaPen pen;
    pen.setTarget(&img).setColour(RGB(200, 100, 50)).plot(1, 2);
    EXPECT_EQ(img.pixel(1, 2), RGB(200, 100, 50));
    EXPECT_EQ(img.pixel(2, 2), RGB(10, 20, 30)); // distance 1: untouched
    EXPECT_EQ(img.pixel(1, 3), RGB(10, 20, 30));
}

TEST(AaPen, TheBlockStartsAtThePointRoundedDownAndMustFitWhole) {
    struct Case {
        double x, y;
        int litX, litY, level; // the one pixel lit (litX -1: none) and its grey level
    };
    const Case cases[] = {
        {2, 1, -1, 0, 0}, // px + 1 equals the width
        {1, 2, -1, 0, 0}, // py + 1 equals the height
        {std::nan(""), 1, -1, 0, 0},
        {1e300, 1, -1, 0, 0},
        {-1.0, 0, -1, 0, 0},    // the block starts at column -1: outside
        {-0.5, 0, -1, 0, 0},    // rounded down, not towards zero: column -1, outside
        {-0.0001, 1, -1, 0, 0}, // just left of the image is still outside
        {0, -0.25, -1, 0, 0},   // the same above the image
        {1, 1, 1, 1, 255},      // the last block that fits, with the point on its first pixel
        {0.9999, 1, 1, 1, 254}, // column 1 lies 0.0001 away
    };
    for (const Case& k : cases) {
        Limage img;
        ASSERT_TRUE(img.setSize(3, 3, false));
        AaPen pen;
        pen.setTarget(&img).setColour(kWhite).plot(k.x, k.y);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const int v = x == k.litX && y == k.litY ? k.level : 0;
                EXPECT_EQ(img.pixel(x, y), RGB(v, v, v)) << k.x << "," << k.y << " at " << x << "," << y;
            }
    }
}

TEST(AaPen, LinesPlotTheirLengthInPoints) {
    Limage img;
    ASSERT_TRUE(img.setSize(20, 5, false));
    AaPen pen;
    pen.setTarget(&img).setColour(kWhite);
    pen.line(2, 2, 2.5, 2); // shorter than 1: nothing
    EXPECT_EQ(img.pixel(2, 2), 0);
    pen.line(3, 2, 4, 2); // length 1: the start point only
    EXPECT_EQ(img.pixel(3, 2), kWhite);
    EXPECT_EQ(img.pixel(4, 2), 0);
    pen.line(5, 1, 15, 1); // length 10: 10 points spread over both ends
    for (int x = 5; x <= 15; ++x) EXPECT_NE(img.pixel(x, 1), 0) << x;
    EXPECT_EQ(img.pixel(5, 1), kWhite);
    EXPECT_EQ(img.pixel(15, 1), kWhite);
    EXPECT_EQ(img.pixel(16, 1), 0);
    pen.line(0, 0, 1e300, 0); // absurd lengths draw nothing rather than hang
}

TEST(AaPen, CirclesOutlineAndFill) {
    for (bool keeps : {true, false}) {
        Limage img;
        ASSERT_TRUE(img.setSize(30, 30, keeps));
        AaPen pen;
        pen.setTarget(&img).setColour(kWhite).circle(15, 15, 8, false);
        EXPECT_EQ(img.pixel(15, 15), 0);
        EXPECT_EQ(img.pixel(23, 15), kWhite); // angle 0 lies on a pixel
        EXPECT_NE(img.pixel(15, 7), 0);
        EXPECT_EQ(img.pixel(25, 15), 0);
        // Filled: the disc is filled on a bitmap and, without one, by the same rasteriser on the rows.
        pen.setColour(RGB(0, 255, 0)).circle(15, 15, 6, true);
        EXPECT_EQ(img.pixel(15, 15), RGB(0, 255, 0)) << keeps;
        EXPECT_EQ(img.pixel(18, 17), RGB(0, 255, 0)) << keeps;
        EXPECT_EQ(img.pixel(23, 15), kWhite);
    }
}

TEST(RoundRect, ZeroRadiusFillsTheWholeRectangle) {
    Bitmap24 screen;
    ASSERT_TRUE(screen.setSize(20, 20));
    AaPen pen;
    drawRoundRectAA(pen, screen.canvas(), 3, 4, 10, 6, 0, RGB(255, 0, 0), RGB(0, 0, 255));
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) red += screen.canvas().pixel(x, y) == RGB(255, 0, 0);
    EXPECT_EQ(red, 60);
    EXPECT_EQ(screen.canvas().pixel(3, 4), RGB(255, 0, 0));
    EXPECT_EQ(screen.canvas().pixel(12, 9), RGB(255, 0, 0));
    EXPECT_EQ(screen.canvas().pixel(13, 9), 0);
    drawRoundRectAA(pen, screen.canvas(), 0, 0, 0, 5, 2, kWhite, kWhite); // empty: nothing
    EXPECT_EQ(screen.canvas().pixel(0, 0), 0);
}

TEST(RoundRect, CornersAreRoundedAgainstTheBackgroundAndThePenIsRestored) {
    Bitmap24 screen;
    ASSERT_TRUE(screen.setSize(40, 40));
    Limage mine;
    ASSERT_TRUE(mine.setSize(4, 4, false));
    AaPen pen;
    pen.setTarget(&mine).setColour(RGB(1, 2, 3));
    drawRoundRectAA(pen, screen.canvas(), 5, 5, 30, 20, 6, kWhite, RGB(0, 0, 255));
    EXPECT_EQ(pen.target, &mine);
    EXPECT_EQ(pen.colour(), RGB(1, 2, 3));
    EXPECT_EQ(screen.canvas().pixel(5, 5), RGB(0, 0, 255));   // corner: background
    EXPECT_EQ(screen.canvas().pixel(34, 24), RGB(0, 0, 255)); // opposite corner
    EXPECT_EQ(screen.canvas().pixel(20, 15), kWhite);         // middle
    EXPECT_EQ(screen.canvas().pixel(20, 5), kWhite);          // the middle of the top edge
    EXPECT_EQ(screen.canvas().pixel(5, 15), kWhite);          // the middle of the left edge
    EXPECT_EQ(screen.canvas().pixel(35, 15), 0);              // outside
}

TEST(RoundRect, LeavesThePenAloneWhenItsWorkImageCannotBeMade) {
    Bitmap24 screen;
    ASSERT_TRUE(screen.setSize(20, 20));
    Limage mine;
    ASSERT_TRUE(mine.setSize(4, 4, false));
    AaPen pen;
    pen.setTarget(&mine).setColour(RGB(1, 2, 3));
    drawRoundRectAA(pen, screen.canvas(), 0, 0, 20000, 10, 4, kWhite, kWhite); // wider than an image may be
    EXPECT_EQ(pen.target, &mine);
    EXPECT_EQ(pen.colour(), RGB(1, 2, 3));
    EXPECT_EQ(screen.canvas().pixel(5, 5), 0);
}

TEST(AaPen, AbsurdCirclesDrawNothing) {
    Limage img;
    ASSERT_TRUE(img.setSize(10, 10, false));
    AaPen pen;
    pen.setTarget(&img).setColour(kWhite);
    pen.circle(5, 5, 1e12, false).circle(5, 5, -3, true).circle(std::nan(""), 5, 2, true);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(img.pixel(x, y), 0);
}

} // namespace
