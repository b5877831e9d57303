// Limage: blend tables, creation, clipping, placement and every blit.
#include <gtest/gtest.h>

#include <vector>

#include "ui/limage.h"

namespace {

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kGreen = RGB(0, 255, 0);

TEST(BlendTables, SpotValues) {
    EXPECT_EQ(Limage::blend(13, 255, 200), 200);
    EXPECT_EQ(Limage::blend(13, 128, 3), 1);
    EXPECT_EQ(Limage::blend(13, 128, 4), 2);
    EXPECT_EQ(Limage::blend(1, 200, 100), 254);
    EXPECT_EQ(Limage::blend(1, 201, 100), 255);
    EXPECT_EQ(Limage::blend(7, 100, 50), 0);
    EXPECT_EQ(Limage::blend(0, 2, 3), 3);
    EXPECT_EQ(Limage::blend(0, 2, 4), 2);
    // Screen: 100 + 100 x (1 - 100 / 255) = 160.78 -> 160, both even.
    EXPECT_EQ(Limage::blend(3, 100, 100), 160);
    // (1 - 100 / 255)^2 = 0.3694; 100 + 36.94 = 136.
    EXPECT_EQ(Limage::blend(4, 100, 100), 136);
    // 64 x (1 + 64 / 255) = 80.06 -> 80.
    EXPECT_EQ(Limage::blend(12, 64, 64), 80);
    EXPECT_EQ(Limage::blend(11, 10, 200), 200);
    // Table 6 keeps a above 24 and mixes below; 12 + 100 x 0.5 = 62.
    EXPECT_EQ(Limage::blend(6, 30, 100), 30);
    EXPECT_EQ(Limage::blend(6, 12, 100), 62);
    // Multiply with white and black.
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(Limage::blend(13, 255, b), b);
        EXPECT_EQ(Limage::blend(13, 0, b), b & 1);
    }
    // The exploding tables reach white above 216.
    EXPECT_EQ(Limage::blend(16, 200, 251), 255);
    EXPECT_EQ(Limage::blend(17, 200, 251), 255);
    EXPECT_EQ(Limage::blend(16, 200, 250), 254); // capped at 255, then even like b
}

// The float constant 0.0039215689 lies a little above 1/255, so products a x b / 255 that are whole
// numbers stay whole (a constant below 1/255 would truncate them one lower, and the parity rule would
// then take an even one two lower).
TEST(BlendTables, UseTheSinglePrecisionReciprocal) {
    EXPECT_EQ(Limage::blend(13, 255, 2), 2);
    EXPECT_EQ(Limage::blend(13, 170, 6), 4);
    EXPECT_EQ(Limage::blend(13, 51, 10), 2);
    EXPECT_EQ(Limage::blend(13, 255, 254), 254);
    EXPECT_EQ(Limage::blend(13, 170, 3), 3); // 2.0000001 -> 2, made odd like b
}

TEST(BlendTables, ParityRuleHoldsForEveryPair) {
    for (int k = 0; k < Limage::kTableCount; ++k) {
        const uint8_t* t = Limage::table(k);
        ASSERT_NE(t, nullptr);
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b) {
                const int v = t[a * 256 + b];
                const bool odd = v & 1;
                if (k >= 13) {
                    if (odd != bool(b & 1)) FAIL() << "table " << k << " a " << a << " b " << b;
                } else if (odd != bool((a | b) & 1)) {
                    FAIL() << "table " << k << " a " << a << " b " << b;
                }
            }
    }
    EXPECT_EQ(Limage::table(18), nullptr);
    EXPECT_EQ(Limage::table(-1), nullptr);
    EXPECT_EQ(Limage::blend(18, 1, 1), 0);
    const uint8_t* odd = Limage::oddTable();
    for (int v = 0; v < 256; ++v) EXPECT_EQ(odd[v], v & 1);
}

TEST(Limage, EmptyAfterConstructionWithAnEmptyClipWindow) {
    Limage img;
    EXPECT_FALSE(img.isValid());
    EXPECT_EQ(img.width(), 0);
    EXPECT_EQ(img.lastX, -1);
    EXPECT_EQ(img.lastY, 0);
    EXPECT_EQ(img.previousX, -1);
    EXPECT_FALSE(img.centred);
    EXPECT_LT(img.clipRight(), img.clipLeft());
    EXPECT_LT(img.clipBottom(), img.clipTop());
    img.fill(kRed); // nothing to do
    img.invert();
    img.tint(kRed);
    EXPECT_EQ(img.pixel(0, 0), -1);
}

TEST(Limage, SetSizeAcceptsOneToTenThousand) {
    Limage img;
    EXPECT_FALSE(img.setSize(0, 5, false));
    EXPECT_FALSE(img.setSize(5, 10001, false));
    EXPECT_FALSE(img.setSize(-3, 5, false));
    EXPECT_TRUE(img.setSize(10000, 1, false));
    EXPECT_EQ(img.width(), 10000);
    ASSERT_TRUE(img.setSize(3, 2, false));
    img.fill(kRed);
    EXPECT_FALSE(img.setSize(0, 0, true)); // unchanged
    EXPECT_EQ(img.pixel(2, 1), kRed);
}

TEST(Limage, NewImagesAreBlackInBothModes) {
    for (bool keeps : {false, true}) {
        Limage img;
        ASSERT_TRUE(img.setSize(4, 3, keeps));
        EXPECT_EQ(img.keepsBitmap(), keeps);
        EXPECT_EQ(img.bitmap() != nullptr, keeps);
        EXPECT_EQ(img.canvas() != nullptr, keeps);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(img.pixel(x, y), 0);
        EXPECT_EQ(img.clipLeft(), 0);
        EXPECT_EQ(img.clipRight(), 3);
        EXPECT_EQ(img.clipTop(), 0);
        EXPECT_EQ(img.clipBottom(), 2);
    }
}

TEST(Limage, BitmapRowsAreTheBitmapScanLines) {
    Limage img;
    ASSERT_TRUE(img.setSize(5, 4, true));
    EXPECT_EQ(img.row(2), img.bitmap()->scanLine(2));
    img.canvas()->setPixel(1, 2, kGreen);
    EXPECT_EQ(img.pixel(1, 2), kGreen);
    EXPECT_EQ(img.canvas()->font.name, "Tahoma");
}

TEST(Limage, CreateFromASourceCopiesItsPixels) {
    Bitmap24 src;
    ASSERT_TRUE(src.setSize(3, 2));
    src.canvas().setPixel(2, 1, kRed);
    for (bool keeps : {false, true}) {
        Limage img;
        ASSERT_TRUE(img.create(&src, 99, 99, keeps));
        EXPECT_EQ(img.width(), 3);
        EXPECT_EQ(img.height(), 2);
        EXPECT_EQ(img.pixel(2, 1), kRed);
        EXPECT_EQ(img.pixel(0, 0), 0);
    }
    Limage loaded;
    EXPECT_FALSE(loaded.loadFromGraphic(nullptr));
    ASSERT_TRUE(loaded.loadFromGraphic(&src));
    EXPECT_TRUE(loaded.keepsBitmap());
    EXPECT_EQ(loaded.pixel(2, 1), kRed);
    Bitmap24 empty;
    EXPECT_FALSE(loaded.loadFromGraphic(&empty));
    EXPECT_FALSE(loaded.isValid());
}

TEST(Limage, CopiesAreDeepAndKeepTheMode) {
    Limage a;
    ASSERT_TRUE(a.setSize(2, 2, true));
    a.fill(kRed);
    Limage b(a);
    EXPECT_TRUE(b.keepsBitmap());
    EXPECT_NE(b.bitmap(), a.bitmap());
    a.fill(kGreen);
    EXPECT_EQ(b.pixel(1, 1), kRed);
    Limage c;
    c.assign(a);
    EXPECT_EQ(c.pixel(0, 0), kGreen);
    c.assign(c);
    EXPECT_EQ(c.pixel(0, 0), kGreen);
    c = Limage();
    EXPECT_FALSE(c.isValid());
}

TEST(Limage, SetClipClampsAndAnOutsideRangeIsEmpty) {
    Limage img;
    ASSERT_TRUE(img.setSize(10, 8, false));
    img.setClip(-5, 2, 20, 30);
    EXPECT_EQ(img.clipLeft(), 0);
    EXPECT_EQ(img.clipRight(), 9);
    EXPECT_EQ(img.clipTop(), 2);
    EXPECT_EQ(img.clipBottom(), 7);
    img.setClip(12, 0, 15, 7); // wholly right of the image
    EXPECT_LT(img.clipRight(), img.clipLeft());
    img.setClip(0, -9, 9, -1); // wholly above
    EXPECT_LT(img.clipBottom(), img.clipTop());
    img.setClip(6, 1, 3, 2); // no reordering: empty
    EXPECT_LT(img.clipRight(), img.clipLeft());
    img.resetClip();
    EXPECT_EQ(img.clipRight(), 9);
    EXPECT_EQ(img.clipBottom(), 7);
}

TEST(Limage, InvertFillAndTint) {
    Limage img;
    ASSERT_TRUE(img.setSize(2, 1, false));
    img.fill(RGB(10, 200, 255));
    img.invert();
    EXPECT_EQ(img.pixel(1, 0), RGB(245, 55, 0));
    img.fill(RGB(200, 201, 100));
    img.tint(RGB(255, 128, 0));
    EXPECT_EQ(img.pixel(0, 0), RGB(200, Limage::blend(13, 128, 201), 0));
}

struct BlitFixture : ::testing::Test {
    Limage src, dst;
    void SetUp() override {
        ASSERT_TRUE(src.setSize(4, 3, false));
        ASSERT_TRUE(dst.setSize(10, 10, false));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                src.row(y)[3 * x + 2] = static_cast<uint8_t>(1 + x + 10 * y); // red = id
        dst.setClip(2, 2, 7, 7);
    }
    // The source pixel id drawn at (x, y), 0 when none.
    int idAt(int x, int y) { return colourRed(dst.pixel(x, y)); }
    int drawnCount() {
        int n = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) n += idAt(x, y) != 0;
        return n;
    }
};

TEST_F(BlitFixture, InsideTheClipEverythingLands) {
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 3, .y = 4});
    EXPECT_EQ(drawnCount(), 12);
    EXPECT_EQ(idAt(3, 4), 1);
    EXPECT_EQ(idAt(6, 6), 24);
    EXPECT_EQ(src.lastX, 3);
    EXPECT_EQ(src.lastY, 4);
}

TEST_F(BlitFixture, ClippedOnEverySide) {
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 0, .y = 3}); // left: columns 2, 3 visible
    EXPECT_EQ(drawnCount(), 6);
    EXPECT_EQ(idAt(2, 3), 3);
    EXPECT_EQ(idAt(3, 5), 24);
    EXPECT_EQ(idAt(1, 3), 0);
    SetUp();
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 6, .y = 3}); // right: columns 0, 1
    EXPECT_EQ(drawnCount(), 6);
    EXPECT_EQ(idAt(7, 3), 2);
    EXPECT_EQ(idAt(8, 3), 0);
    SetUp();
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 3, .y = 0}); // top: row 2 only
    EXPECT_EQ(drawnCount(), 4);
    EXPECT_EQ(idAt(3, 2), 21);
    SetUp();
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 3, .y = 6}); // bottom: rows 0, 1
    EXPECT_EQ(drawnCount(), 8);
    EXPECT_EQ(idAt(3, 7), 11);
    EXPECT_EQ(idAt(3, 8), 0);
    SetUp();
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 0, .y = 0}); // top left corner
    EXPECT_EQ(drawnCount(), 2);
    EXPECT_EQ(idAt(2, 2), 23);
    EXPECT_EQ(idAt(3, 2), 24);
}

TEST_F(BlitFixture, WhollyOutsideDrawsNothingButRecordsThePosition) {
    const int spots[][2] = {{-2, 3}, {8, 3}, {3, -1}, {3, 8}};
    for (auto& s : spots) {
        Limage::blitTransparent({.source = &src, .target = &dst, .x = s[0], .y = s[1]});
        EXPECT_EQ(drawnCount(), 0);
        EXPECT_EQ(src.lastX, s[0]);
        EXPECT_EQ(src.lastY, s[1]);
    }
    EXPECT_EQ(src.previousX, 3);
    EXPECT_EQ(src.previousY, -1);
    // An empty clip window draws nothing and records nothing.
    dst.setClip(20, 20, 30, 30);
    Limage::blitTransparent({.source = &src, .target = &dst, .x = 4, .y = 4});
    EXPECT_EQ(src.lastX, 3);
    // Without a target or a source nothing happens.
    Limage::blitTransparent({.source = &src, .target = nullptr});
    Limage::blitTransparent({.source = nullptr, .target = &dst});
}

TEST(LimageBlit, ACentredImageIsPlacedByItsCentre) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(5, 5, false));
    ASSERT_TRUE(dst.setSize(20, 20, false));
    src.fill(kRed);
    Limage::blitTransparent({.source = src.setCentred(), .target = &dst, .x = 10, .y = 10});
    EXPECT_EQ(src.lastX, 8);
    EXPECT_EQ(src.lastY, 8);
    EXPECT_EQ(dst.pixel(8, 8), kRed);
    EXPECT_EQ(dst.pixel(12, 12), kRed);
    EXPECT_EQ(dst.pixel(7, 8), 0);
    EXPECT_EQ(dst.pixel(13, 12), 0);
    EXPECT_EQ(dst.pixel(12, 13), 0);
}

TEST(LimageBlit, ExtremePositionsDoNotOverflow) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(5, 5, false));
    ASSERT_TRUE(dst.setSize(5, 5, false));
    src.fill(kRed);
    Limage::blitTransparent({.source = &src, .target = &dst, .x = INT32_MAX, .y = INT32_MIN});
    Limage::blitTransparent({.source = src.setCentred(), .target = &dst, .x = INT32_MIN, .y = INT32_MAX});
    EXPECT_EQ(dst.pixel(0, 0), 0);
}

TEST(LimageBlit, TransparentColourIsSkippedAndMinusOneCopiesAll) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(2, 1, false));
    ASSERT_TRUE(dst.setSize(2, 1, false));
    src.row(0)[2] = 255; // pixel 0 red, pixel 1 black
    dst.fill(kGreen);
    Limage::blitTransparent({.source = &src, .target = &dst, .transparent = 0});
    EXPECT_EQ(dst.pixel(0, 0), kRed);
    EXPECT_EQ(dst.pixel(1, 0), kGreen);
    Limage::blitTransparent({.source = &src, .target = &dst, .transparent = -1});
    EXPECT_EQ(dst.pixel(1, 0), 0);
}

TEST(LimageBlit, TintedLooksUpTheTintChannelAndComparesBeforeTinting) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(2, 1, false));
    ASSERT_TRUE(dst.setSize(2, 1, false));
    src.fill(RGB(200, 100, 50));
    src.row(0)[3] = src.row(0)[4] = src.row(0)[5] = 255; // pixel 1 white: transparent
    dst.fill(kGreen);
    const TColor tint = RGB(128, 255, 0);
    Limage::blitTinted({.source = &src, .target = &dst, .transparent = 0xFFFFFF, .tint = tint, .table = 13});
    EXPECT_EQ(dst.pixel(0, 0),
              RGB(Limage::blend(13, 128, 200), Limage::blend(13, 255, 100), Limage::blend(13, 0, 50)));
    EXPECT_EQ(dst.pixel(1, 0), kGreen);
}

TEST(LimageBlit, BlendUsesSourceThenTarget) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(1, 1, false));
    ASSERT_TRUE(dst.setSize(1, 1, false));
    src.fill(RGB(100, 10, 200));
    dst.fill(RGB(50, 20, 100));
    Limage::blitBlend({.source = &src, .target = &dst, .table = 7}); // target - source
    EXPECT_EQ(dst.pixel(0, 0), RGB(0, 10, 0));
    dst.fill(RGB(50, 20, 100));
    Limage::blitBlend({.source = &src, .target = &dst, .table = 1});
    EXPECT_EQ(dst.pixel(0, 0), RGB(150, 30, 254)); // 300 capped at 255, even like both inputs
    Limage::blitBlend({.source = &src, .target = &dst, .table = 99}); // no such table: nothing
    EXPECT_EQ(dst.pixel(0, 0), RGB(150, 30, 254));
}

TEST(LimageBlit, BlendEdgesCopiesTheMiddleAndBlendsTheBands) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(8, 6, false));
    ASSERT_TRUE(dst.setSize(8, 6, false));
    src.fill(RGB(100, 100, 100));
    dst.fill(RGB(50, 50, 50));
    Limage::blitBlendEdges({.source = &src, .target = &dst, .table = 1, .border = 2});
    // Rows 2..4 (endRow 6 - 2) and columns 2..6 (count 8 - 2) are copied; the rest added.
    const TColor copied = RGB(100, 100, 100), added = RGB(150, 150, 150);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool middle = y >= 2 && y <= 4 && x >= 2 && x <= 6;
            EXPECT_EQ(dst.pixel(x, y), middle ? copied : added) << x << "," << y;
        }
}

TEST(LimageBlit, TintedBlendTintsThenBlends) {
    Limage src, dst;
    ASSERT_TRUE(src.setSize(1, 1, false));
    ASSERT_TRUE(dst.setSize(1, 1, false));
    src.fill(RGB(200, 200, 200));
    dst.fill(RGB(10, 20, 30));
    Limage::blitTintedBlend(
        {.source = &src, .target = &dst, .tint = RGB(128, 0, 255), .table = 1, .tintTable = 13});
    const int t0 = Limage::blend(13, 128, 200);
    EXPECT_EQ(dst.pixel(0, 0), RGB(Limage::blend(1, t0, 10), Limage::blend(1, Limage::blend(13, 0, 200), 20),
                                   Limage::blend(1, 200, 30)));
}

// A caller's own table (the selector's edge table is one) is used in place of the shared one, by
// every blit that blends or tints.
TEST(LimageBlit, ACallersOwnTableReplacesTheNumberedOne) {
    std::vector<uint8_t> own(Limage::kTableSize);
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) own[a * 256 + b] = uint8_t(a > 144 ? a : (a + b) / 2); // made up
    Limage src, dst;
    ASSERT_TRUE(src.setSize(4, 3, false));
    ASSERT_TRUE(dst.setSize(4, 3, false));
    src.fill(RGB(0, 100, 200));
    dst.fill(RGB(60, 60, 60));
    Limage::blitBlend({.source = &src, .target = &dst, .table = 99, .tableData = own.data()});
    EXPECT_EQ(dst.pixel(3, 2), RGB(30, 80, 200));

    dst.fill(RGB(60, 60, 60));
    Limage::blitBlendEdges(
        {.source = &src, .target = &dst, .table = 1, .border = 1, .tableData = own.data()});
    EXPECT_EQ(dst.pixel(0, 0), RGB(30, 80, 200)); // the band: the own table, not table 1
    EXPECT_EQ(dst.pixel(1, 1), RGB(0, 100, 200)); // the middle is copied

    dst.fill(RGB(60, 60, 60));
    Limage::blitTinted({.source = &src, .target = &dst, .tint = RGB(10, 10, 10), .tableData = own.data()});
    EXPECT_EQ(dst.pixel(2, 1), RGB(5, 55, 105)); // own[tint][source]

    dst.fill(RGB(60, 60, 60));
    Limage::blitTintedBlend({.source = &src,
                             .target = &dst,
                             .tint = RGB(255, 255, 255),
                             .table = 1,
                             .tableData = own.data(),
                             .tintTableData = own.data()});
    // tint: own[255][s] = 255; blend: own[255][60] = 255.
    EXPECT_EQ(dst.pixel(0, 0), RGB(255, 255, 255));
}

} // namespace
