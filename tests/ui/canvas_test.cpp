// The platform canvas: drawing rules of lines, rectangles, ellipses, polygons, pixels, images and text,
// one clip rectangle over all of them, and the window surface.
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

#include "platform/qt/bitmap24.h"
#include "platform/qt/font.h"
#include "platform/qt/windowsurface.h"

namespace {

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kWhite = RGB(255, 255, 255);

struct Board {
    Bitmap24 bmp;
    Canvas& c;
    explicit Board(int w = 20, int h = 20) : c(bmp.canvas()) { EXPECT_TRUE(bmp.setSize(w, h)); }
    TColor at(int x, int y) {
        const uint8_t* p = bmp.scanLine(y) + 3 * x;
        return RGB(p[2], p[1], p[0]);
    }
    int count(TColor colour) {
        int n = 0;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x) n += at(x, y) == colour;
        return n;
    }
    // Inclusive bounding box of the pixels in colour; false when there are none.
    bool bounds(TColor colour, TRect& r) {
        bool any = false;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x)
                if (at(x, y) == colour) {
                    if (!any) r = {x, y, x, y};
                    any = true;
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x);
                    r.Bottom = std::max(r.Bottom, y);
                }
        return any;
    }
};

TEST(Bitmap24, StartsBlackWithPaddedStableRowsAndBgrBytes) {
    Bitmap24 b;
    ASSERT_TRUE(b.setSize(5, 3));
    EXPECT_EQ(b.stride(), 16); // 15 bytes padded to 4
    for (int y = 0; y < 3; ++y) EXPECT_EQ(b.scanLine(y), b.bits() + 16 * y);
    uint8_t* row1 = b.scanLine(1);
    b.canvas().setPixel(2, 1, RGB(10, 20, 30));
    EXPECT_EQ(b.scanLine(1), row1);
    EXPECT_EQ(row1[6], 30); // blue first
    EXPECT_EQ(row1[7], 20);
    EXPECT_EQ(row1[8], 10);
    EXPECT_EQ(b.canvas().pixel(0, 0), 0);
    EXPECT_EQ(b.scanLine(3), nullptr);
    EXPECT_EQ(b.scanLine(-1), nullptr);
}

TEST(Bitmap24, RejectsBadSizesAndCopiesDeeply) {
    Bitmap24 b;
    EXPECT_FALSE(b.setSize(-1, 4));
    EXPECT_FALSE(b.setSize(Bitmap24::kMaxSide + 1, 1));
    EXPECT_TRUE(b.isEmpty());
    EXPECT_TRUE(b.setSize(0, 5));
    EXPECT_TRUE(b.isEmpty());
    b.canvas().setPixel(0, 0, kRed); // nothing to draw on: no effect, no crash
    ASSERT_TRUE(b.setSize(3, 3));
    b.canvas().setPixel(1, 1, kRed);
    Bitmap24 copy(b);
    b.canvas().setPixel(1, 1, kBlue);
    EXPECT_EQ(copy.canvas().pixel(1, 1), kRed);
    copy.canvas().setPixel(0, 0, kWhite);
    EXPECT_EQ(b.canvas().pixel(0, 0), 0);
}

TEST(Canvas, LinesExcludeTheirEndPoint) {
    Board b;
    b.c.pen.color = kRed;
    b.c.moveTo(2, 3);
    b.c.lineTo(8, 3);
    EXPECT_EQ(b.count(kRed), 6);
    EXPECT_EQ(b.at(2, 3), kRed);
    EXPECT_EQ(b.at(7, 3), kRed);
    EXPECT_EQ(b.at(8, 3), 0);
    EXPECT_EQ(b.c.penPos, (TPoint{8, 3}));
    // Continuing from the pen position draws the corner once, and the new end is again left out.
    b.c.lineTo(8, 9);
    EXPECT_EQ(b.count(kRed), 12);
    EXPECT_EQ(b.at(8, 3), kRed);
    EXPECT_EQ(b.at(8, 9), 0);
    // Leftwards and upwards lines leave out their end too.
    Board u;
    u.c.pen.color = kBlue;
    u.c.moveTo(10, 10);
    u.c.lineTo(4, 4);
    EXPECT_EQ(u.count(kBlue), 6);
    EXPECT_EQ(u.at(10, 10), kBlue);
    EXPECT_EQ(u.at(5, 5), kBlue);
    EXPECT_EQ(u.at(4, 4), 0);
    // A zero-length line draws nothing.
    Board z;
    z.c.moveTo(5, 5);
    z.c.lineTo(5, 5);
    EXPECT_EQ(z.count(0), 400);
}

TEST(Canvas, SteepAndShallowLinesStepOnePixelPerMajorStep) {
    Board b;
    b.c.pen.color = kRed;
    b.c.moveTo(1, 1);
    b.c.lineTo(4, 13);
    EXPECT_EQ(b.count(kRed), 12);
    for (int y = 1; y < 13; ++y) {
        int n = 0;
        for (int x = 0; x < 20; ++x) n += b.at(x, y) == kRed;
        EXPECT_EQ(n, 1) << y;
    }
    EXPECT_EQ(b.at(1, 1), kRed);
}

TEST(Canvas, VeryLongLinesOnlyVisitTheVisiblePart) {
    Board b;
    b.c.pen.color = kRed;
    b.c.moveTo(-2000000000, 5);
    b.c.lineTo(2000000000, 5);
    EXPECT_EQ(b.count(kRed), 20);
}

TEST(Canvas, ExtremeCoordinatesAreClippedWithoutOverflow) {
    Board b(8, 8);
    b.c.pen.color = kRed;
    b.c.brush.color = kBlue;
    b.c.rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(b.count(kBlue), 64);                           // the frame lies far outside
    b.c.ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX); // too large to rasterise: nothing
    const TPoint far[] = {{INT32_MIN, 0}, {INT32_MAX, 0}, {0, INT32_MAX}};
    b.c.polygon(far);
    b.c.setPixel(INT32_MAX, INT32_MAX, kRed);
    b.c.fillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_EQ(b.count(kBlue), 64);
    // Diagonals across the whole int range cross the board corner to corner.
    b.c.moveTo(INT32_MIN, INT32_MIN);
    b.c.lineTo(INT32_MAX, INT32_MAX);
    b.c.moveTo(INT32_MAX, INT32_MIN + 8);
    b.c.lineTo(INT32_MIN + 8, INT32_MAX);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(b.at(i, i), kRed) << i;
        EXPECT_EQ(b.at(7 - i, i), kRed) << i;
    }
    EXPECT_EQ(b.count(kRed), 16);
    b.c.textOut(INT32_MIN, INT32_MAX, "Hi");
    b.c.textOut(INT32_MAX, INT32_MIN, "Hi");
    b.c.textOut(INT32_MAX - 1, 0, "Hi");
    EXPECT_EQ(b.count(kRed) + b.count(kBlue), 64);
}

TEST(Canvas, RectanglesExcludeRightAndBottom) {
    Board b;
    b.c.pen.color = kRed;
    b.c.brush.color = kBlue;
    b.c.rectangle(2, 3, 8, 7);
    TRect r;
    ASSERT_TRUE(b.bounds(kRed, r));
    EXPECT_EQ(r, (TRect{2, 3, 7, 6}));
    EXPECT_EQ(b.count(kRed), 2 * 6 + 2 * 2); // the frame
    EXPECT_EQ(b.count(kBlue), 4 * 2);        // the inside
    EXPECT_EQ(b.at(3, 4), kBlue);

    Board f;
    f.c.brush.color = kBlue;
    f.c.fillRect({1, 1, 4, 3});
    ASSERT_TRUE(f.bounds(kBlue, r));
    EXPECT_EQ(r, (TRect{1, 1, 3, 2}));
    EXPECT_EQ(f.count(kBlue), 6);
    f.c.fillRect({5, 5, 5, 9}); // empty: nothing
    EXPECT_EQ(f.count(kBlue), 6);

    Board fr;
    fr.c.brush.color = kRed;
    fr.c.frameRect({0, 0, 5, 4});
    EXPECT_EQ(fr.count(kRed), 2 * 5 + 2 * 2);
    EXPECT_EQ(fr.at(4, 3), kRed);
    EXPECT_EQ(fr.at(5, 3), 0);
    EXPECT_EQ(fr.at(2, 2), 0);
}

TEST(Canvas, ClearPenOrBrushLeavesThatPartOut) {
    Board b;
    b.c.pen.clear = true;
    b.c.brush.color = kBlue;
    b.c.rectangle(0, 0, 4, 4);
    EXPECT_EQ(b.count(kBlue), 16);
    Board h;
    h.c.pen.color = kRed;
    h.c.brush.clear = true;
    h.c.rectangle(0, 0, 4, 4);
    EXPECT_EQ(h.count(kRed), 12);
    EXPECT_EQ(h.at(1, 1), 0);
}

TEST(Canvas, EllipseFillsItsBoxSymmetricallyWithAnOutline) {
    Board b;
    b.c.pen.color = kRed;
    b.c.brush.color = kBlue;
    b.c.ellipse(2, 2, 13, 13); // 11 x 11, centre pixel (7, 7)
    TRect r;
    ASSERT_TRUE(b.bounds(kRed, r));
    EXPECT_EQ(r, (TRect{2, 2, 12, 12}));
    EXPECT_EQ(b.at(7, 7), kBlue);
    EXPECT_EQ(b.at(2, 7), kRed);
    EXPECT_EQ(b.at(12, 7), kRed);
    EXPECT_EQ(b.at(7, 2), kRed);
    EXPECT_EQ(b.at(2, 2), 0); // corners are outside
    for (int y = 0; y <= 14; ++y)
        for (int x = 0; x <= 14; ++x) {
            EXPECT_EQ(b.at(x, y), b.at(14 - x, y)) << x << "," << y;
            EXPECT_EQ(b.at(x, y), b.at(y, x)) << x << "," << y;
        }
    // Every outline pixel touches the outside; every fill pixel has four inside neighbours.
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 19; ++x)
            if (b.at(x, y) == kBlue) {
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    EXPECT_NE(b.at(x + dx, y + dy), 0) << x << "," << y;
                }
            }
}

TEST(Canvas, PolygonFillsAndOutlinesThroughEveryVertex) {
    Board b;
    b.c.pen.color = kRed;
    b.c.brush.color = kBlue;
    const TPoint tri[] = {{2, 2}, {12, 2}, {2, 12}};
    b.c.polygon(tri);
    EXPECT_EQ(b.at(2, 2), kRed);
    EXPECT_EQ(b.at(12, 2), kRed);
    EXPECT_EQ(b.at(2, 12), kRed);
    EXPECT_EQ(b.at(4, 4), kBlue);
    EXPECT_EQ(b.at(10, 10), 0);
    TRect r;
    ASSERT_TRUE(b.bounds(kRed, r));
    EXPECT_EQ(r, (TRect{2, 2, 12, 12}));
    b.c.polygon(tri, 1); // fewer than two points: nothing, no crash
}

// Along slanted edges the fill meets the outline: on every row the pixels between the outline's
// leftmost and rightmost are all painted, and without a pen the brush covers exactly the pixels that
// outline and fill cover together.
TEST(Canvas, PolygonFillMeetsItsOutlineWithoutGaps) {
    const std::vector<std::vector<TPoint>> shapes = {{{3, 2}, {3, 16}, {13, 9}}, // a play triangle
                                                     {{2, 3}, {17, 6}, {9, 17}}, // slanted on every side
                                                     {{10, 1}, {18, 10}, {10, 18}, {1, 10}}, // a diamond
                                                     {{4, 2}, {15, 4}, {6, 9}, {16, 15}, {3, 17}}};
    for (size_t n = 0; n < shapes.size(); ++n) {
        const std::vector<TPoint>& pts = shapes[n];
        Board outlined;
        outlined.c.pen.color = kRed;
        outlined.c.brush.color = kBlue;
        outlined.c.polygon(pts.data(), int(pts.size()));
        Board brushOnly;
        brushOnly.c.pen.clear = true;
        brushOnly.c.brush.color = kBlue;
        brushOnly.c.polygon(pts.data(), int(pts.size()));
        for (int y = 0; y < 20; ++y) {
            int first = -1, last = -1;
            for (int x = 0; x < 20; ++x)
                if (outlined.at(x, y) == kRed) {
                    if (first < 0) first = x;
                    last = x;
                }
            for (int x = 0; x < 20; ++x) {
                const bool covered = outlined.at(x, y) != 0;
                if (n < 3 && first >= 0 && x >= first && x <= last) {
                    EXPECT_TRUE(covered) << "shape " << n << " hole at " << x << "," << y;
                }
                EXPECT_EQ(brushOnly.at(x, y) == kBlue, covered) << "shape " << n << " at " << x << "," << y;
            }
        }
    }
}

TEST(Canvas, PixelsOutsideTheImageOrClipReadAsMinusOne) {
    Board b(6, 6);
    b.c.setPixel(5, 5, kRed);
    EXPECT_EQ(b.c.pixel(5, 5), kRed);
    EXPECT_EQ(b.c.pixel(6, 5), -1);
    EXPECT_EQ(b.c.pixel(-1, 0), -1);
    b.c.setClipRect({0, 0, 3, 3});
    EXPECT_EQ(b.c.pixel(5, 5), -1);
    b.c.setPixel(4, 4, kBlue); // clipped away
    b.c.clearClip();
    EXPECT_EQ(b.c.pixel(4, 4), 0);
}

TEST(Canvas, OneClipRectangleLimitsEveryOperation) {
    Board b;
    b.c.setClipRect({5, 5, 10, 10}); // Right and Bottom exclusive
    b.c.pen.color = kRed;
    b.c.brush.color = kRed;
    b.c.moveTo(0, 7);
    b.c.lineTo(20, 7);
    b.c.fillRect({0, 0, 20, 3});
    b.c.fillRect({0, 8, 20, 20});
    b.c.ellipse(0, 0, 20, 20);
    const TPoint quad[] = {{0, 0}, {19, 0}, {19, 19}, {0, 19}};
    b.c.polygon(quad);
    Bitmap24 img;
    ASSERT_TRUE(img.setSize(20, 20));
    img.canvas().brush.color = kRed;
    img.canvas().fillRect({0, 0, 20, 20});
    b.c.draw(0, 0, img);
    b.c.font.color = kRed;
    b.c.textOut(0, 0, "WWWWWWWWWW");
    TRect r;
    ASSERT_TRUE(b.bounds(kRed, r));
    EXPECT_EQ(r, (TRect{5, 5, 9, 9}));
    EXPECT_EQ(b.count(kRed), 25);
    EXPECT_EQ(b.count(0), 400 - 25); // nothing outside the clip rectangle
}

TEST(Canvas, DrawCopiesAnImageAtAPositionClippedToTheTarget) {
    Board b(10, 10);
    Bitmap24 img;
    ASSERT_TRUE(img.setSize(4, 3));
    img.canvas().setPixel(0, 0, kRed);
    img.canvas().setPixel(3, 2, kBlue);
    b.c.draw(7, 8, img); // only the top-left 3 x 2 fits
    EXPECT_EQ(b.at(7, 8), kRed);
    EXPECT_EQ(b.count(kBlue), 0);
    b.c.draw(-3, -2, img);
    EXPECT_EQ(b.at(0, 0), kBlue);
}

TEST(Canvas, ChangesAreReportedToTheListener) {
    Board b;
    TRect last{-1, -1, -1, -1};
    int calls = 0;
    b.c.setChangeListener([&](const TRect& r) {
        last = r;
        ++calls;
    });
    b.c.brush.color = kRed;
    b.c.fillRect({3, 4, 8, 9});
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(last, (TRect{3, 4, 8, 9}));
    b.c.fillRect({30, 30, 40, 40}); // outside: nothing changed
    EXPECT_EQ(calls, 1);
}

TEST(Fonts, TahomaIsDrawnWithDejaVuSansCondensed) {
    EXPECT_EQ(resolveFontFamily("Tahoma"), "DejaVu Sans Condensed");
    EXPECT_EQ(resolveFontFamily("Courier"), "Courier");
    ASSERT_TRUE(fontsAvailable());
    Board b;
    EXPECT_EQ(b.c.font.name, "Tahoma");
    EXPECT_EQ(b.c.font.height, -11);
    EXPECT_EQ(b.c.textHeight("Ag"), 13);
    const int plain = b.c.textWidth("Hello");
    b.c.font.bold = true;
    EXPECT_GT(b.c.textWidth("Hello"), plain);
    EXPECT_EQ(b.c.textWidth(""), 0);
    b.c.font.height = 13; // a positive height is the cell height
    EXPECT_LE(b.c.textHeight("Ag"), 13);
}

TEST(Fonts, TextThatIsNotUtf8IsShownAsLatin1) {
    EXPECT_TRUE(isValidUtf8("Gr\xC3\xBC\xC3\x9F"));
    EXPECT_FALSE(isValidUtf8("Gr\xFC\xDF"));
    EXPECT_FALSE(isValidUtf8("\xC3"));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_EQ(displayText("Gr\xFC\xDF").toStdU16String(), u"Gr\u00FC\u00DF");
    EXPECT_EQ(displayText("Gr\xC3\xBC\xC3\x9F").toStdU16String(), u"Gr\u00FC\u00DF");
}

TEST(Canvas, TextSitsInItsCellWithATransparentBackground) {
    Board b(60, 30);
    b.c.brush.color = kBlue;
    b.c.fillRect({0, 0, 60, 30});
    b.c.font.color = kWhite;
    b.c.font.bold = true;
    b.c.textOut(10, 8, "Hg");
    const int w = b.c.textWidth("Hg");
    const int h = b.c.textHeight("Hg");
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor c = b.at(x, y);
            if (c == kBlue) continue;
            ++ink;
            EXPECT_GE(y, 8);
            EXPECT_LT(y, 8 + h);
            EXPECT_GE(x, 9);
            EXPECT_LE(x, 10 + w);
        }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(b.at(0, 0), kBlue); // background kept
    EXPECT_EQ(b.at(59, 29), kBlue);
}

TEST(Canvas, UnderlineAddsARowBelowTheText) {
    Board a(60, 20), u(60, 20);
    a.c.font.color = kWhite;
    u.c.font.color = kWhite;
    u.c.font.underline = true;
    a.c.textOut(2, 2, "ooo");
    u.c.textOut(2, 2, "ooo");
    EXPECT_LT(u.count(0), a.count(0));
}

TEST(Canvas, TextWithoutAnAttachedImageDoesNothing) {
    Canvas c;
    c.textOut(0, 0, "x");
    c.setPixel(0, 0, kRed);
    EXPECT_EQ(c.pixel(0, 0), -1);
}

TEST(WindowSurface, DrawingOutsidePaintIsShownByThePaintEvent) {
    WindowSurface w;
    w.resize(40, 30);
    ASSERT_EQ(w.image().width(), 40);
    ASSERT_EQ(w.image().height(), 30);
    w.canvas().brush.color = kRed;
    w.canvas().fillRect({0, 0, 40, 30});
    w.canvas().brush.color = kBlue;
    w.canvas().fillRect({10, 10, 20, 20});
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(255, 0, 0));
    // A resize keeps what stays inside.
    w.resize(60, 20);
    EXPECT_EQ(w.image().width(), 60);
    EXPECT_EQ(w.canvas().pixel(15, 15), kBlue);
    EXPECT_EQ(w.canvas().pixel(50, 5), 0);
}

TEST(WindowSurface, AnImageWithoutMemoryIsReportedAndNothingIsDrawnFromIt) {
    int failures = 0;
    auto previous = Bitmap24::setOutOfMemoryHandler([&] { ++failures; });
    Bitmap24::setAllocationLimit(1000); // larger images fail as if memory had run out
    WindowSurface w;
    w.resize(40, 30);
    EXPECT_FALSE(w.imageReady());
    Bitmap24::setAllocationLimit(4000); // the image, but not the rows converted for the screen
    EXPECT_TRUE(w.imageReady());
    const int before = failures;
    w.grab();
    Bitmap24::setAllocationLimit(0);
    Bitmap24::setOutOfMemoryHandler(std::move(previous));
    EXPECT_EQ(failures, before + 1);
    EXPECT_GE(before, 1);
}

// A whole window is copied to the screen without Qt's thread pool, whose threads the GUI thread
// would wait for (that stalled playback), and without a seam between the bands it is copied in.
TEST(WindowSurface, AWholeWindowIsCopiedOnTheGuiThreadAlone) {
    WindowSurface w;
    w.resize(987, 602);
    for (int y = 0; y < 602; ++y) {
        w.canvas().brush.color = RGB(y % 256, y / 256 * 100, 7);
        w.canvas().fillRect({0, y, 987, y + 1});
    }
    auto threads = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}); };
    const auto before = threads();
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(threads(), before);
    for (int y : {0, 63, 64, 65, 511, 601})
        EXPECT_EQ(shot.pixelColor(986, y), QColor(y % 256, y / 256 * 100, 7)) << "row " << y;
}

} // namespace
