#include "ui/qvselector.h"

#include <gtest/gtest.h>

#include "tests/common/scriptedloop.h"
#include "ui/geometry.h"
#include "uitest.h"

namespace {

constexpr TColor kBackground = RGB(40, 90, 160);

// A bitmap-backed target standing in for the window's back buffer.
struct Target {
    Limage image;
    explicit Target(int w = 300, int h = 200) {
        image.setSize(w, h, true);
        image.fill(kBackground);
    }
};

struct Fixture : ::testing::Test {
    ScriptedModalLoop loop;
    ScopedModalLoop installed{&loop};
    int kind = 0;
    QvSelector sel{&kind};
    Target target;

    // An overlay at (20, 30) of 200 x 100 with one sensor per group kind.
    void openSample(int k = kSelectorTempo) {
        sel.open(&target.image, nullptr, 20, 30, 200, 100);
        sel.setKind(k);
        sel.addSensor({10, 10, 35, 35}, "A", true, 1, 0, true);  // radio group 0
        sel.addSensor({36, 10, 61, 35}, "B", false, 2, 0, true); // radio group 0
        sel.addSensor({62, 10, 87, 35}, "C", true, 3, 1, true);  // radio group 1
        sel.addSensor({10, 40, 35, 52}, "T", false, 4, kSensorToggle, true);
        sel.addSensor({36, 40, 61, 52}, "M", false, 5, kSensorMomentary, false);
        sel.addSensor({62, 40, 87, 52}, "F", false, 6, kSensorMomentary, true);
        sel.addSensor({88, 40, 113, 52}, "I", false, 7, kSensorInert, true);
    }
    bool checked(int id) { return sel.sensors.at(sel.sensorIndex(id)).checked; }
};

using SelectorOverlay = Fixture;

} // namespace

TEST(SelectorBrighten, TableFollowsTheFormulaWithRealDivision) {
    EXPECT_EQ(QvSelector::brightenValue(0, 77), 77);     // black lets the background through
    EXPECT_EQ(QvSelector::brightenValue(200, 30), 200);  // bright overlay covers
    EXPECT_EQ(QvSelector::brightenValue(145, 255), 145); // above 144 covers
    EXPECT_EQ(QvSelector::brightenValue(72, 100), 122);  // 72 + 0.5 x 100
    EXPECT_EQ(QvSelector::brightenValue(100, 200), 161); // 100 + (1 - 100 / 144) x 200, not 100 + 200
    EXPECT_EQ(QvSelector::brightenValue(144, 255), 144);
    EXPECT_EQ(QvSelector::brightenValue(10, 255), 247); // 10 + (1 - 10 / 144) x 255
    QvSelector sel;
    EXPECT_EQ(sel.brightenTable()[100 * 256 + 200], 161);
}

TEST_F(SelectorOverlay, HitTestsWidenLeftAndTopOnly) {
    openSample();
    // Sensor 1 covers 10..35 x 10..35 in overlay coordinates, the overlay sits at (20, 30).
    EXPECT_EQ(sel.sensorAt(20 + 9, 30 + 9), 0);   // one pixel left of and above the rect
    EXPECT_EQ(sel.sensorAt(20 + 35, 30 + 35), 0); // right and bottom edges included
    EXPECT_EQ(sel.sensorAt(20 + 10, 30 + 36), -1);
    EXPECT_EQ(sel.sensorAt(20 + 8, 30 + 20), -1);
    EXPECT_EQ(sel.sensorAt(20 + 36, 30 + 20), 1); // the next sensor's widened left edge
    EXPECT_EQ(sel.sensorRect(5), (TRect{36, 40, 61, 52}));
    EXPECT_EQ(sel.sensorRect(99), (TRect{0, 0, 0, 0}));
    EXPECT_EQ(sel.bounds(), (TRect{20, 30, 220, 130}));
    EXPECT_TRUE(sel.contains(20, 30));
    EXPECT_FALSE(sel.contains(220, 60));
}

TEST_F(SelectorOverlay, ClicksChangeStateByGroup) {
    openSample();
    // Outside every sensor: -1 and nothing changes.
    EXPECT_EQ(sel.click(20 + 150, 30 + 80), -1);
    EXPECT_FALSE(sel.clickedExtra());
    EXPECT_TRUE(checked(1));
    EXPECT_TRUE(checked(3));

    // Radio: the hit one checked, the rest of its group unchecked, other groups untouched.
    EXPECT_EQ(sel.click(20 + 40, 30 + 20), 2);
    EXPECT_FALSE(checked(1));
    EXPECT_TRUE(checked(2));
    EXPECT_TRUE(checked(3));
    EXPECT_EQ(sel.click(20 + 40, 30 + 20), 2); // a checked radio stays checked
    EXPECT_TRUE(checked(2));

    // Toggle: twice restores.
    EXPECT_EQ(sel.click(20 + 20, 30 + 45), 4);
    EXPECT_TRUE(checked(4));
    EXPECT_EQ(sel.click(20 + 20, 30 + 45), 4);
    EXPECT_FALSE(checked(4));

    // Momentary without flash and inert sensors: id only, no paint, no wait.
    const int ticksBefore = loop.playTicks + loop.idleTicks;
    EXPECT_EQ(sel.click(20 + 40, 30 + 45), 5);
    EXPECT_EQ(sel.click(20 + 100, 30 + 45), 7);
    EXPECT_FALSE(checked(5));
    EXPECT_FALSE(checked(7));
    EXPECT_EQ(loop.playTicks + loop.idleTicks, ticksBefore);
    EXPECT_EQ(loop.clock.slept, 0);
}

TEST_F(SelectorOverlay, TheFlashShowsThePressedFaceForAHundredMilliseconds) {
    openSample();
    sel.paint(false);
    const TColor idleFace = target.image.pixel(20 + 64, 30 + 42);
    TColor during = -1;
    bool checkedDuring = false;
    loop.onPump = [&] {
        during = target.image.pixel(20 + 64, 30 + 42);
        checkedDuring = checked(6);
    };
    const std::int64_t start = loop.clock.now;
    EXPECT_EQ(sel.click(20 + 70, 30 + 45), 6);
    EXPECT_TRUE(checkedDuring);
    EXPECT_EQ(during, RGB(255, 255, 255)); // painted pressed onto the target before the wait
    EXPECT_GE(loop.clock.now - start, 100);
    EXPECT_GT(loop.idleTicks, 0); // the wait keeps the program alive
    EXPECT_FALSE(checked(6));
    EXPECT_EQ(target.image.pixel(20 + 64, 30 + 42), idleFace);
}

TEST_F(SelectorOverlay, ARebuildDuringTheFlashLeavesTheNewSensorsAlone) {
    openSample();
    // The wait's idle tick rebuilds the overlay (as a page menu refresh would): the old sensor list is
    // freed and replaced.
    bool rebuilt = false;
    loop.onTick = [&](bool idle) {
        if (!idle || rebuilt) return;
        rebuilt = true;
        sel.open(&target.image, nullptr, 20, 30, 200, 100);
        for (int i = 0; i < 8; ++i)
            sel.addSensor({5 + 20 * i, 5, 24 + 20 * i, 24}, "N", true, 50 + i, 0, true);
        sel.paint(false);
    };
    EXPECT_EQ(sel.click(20 + 70, 30 + 45), 6); // same kind: the click still counts
    EXPECT_TRUE(rebuilt);
    ASSERT_EQ(sel.sensors.count(), 8);
    for (const Sensor& s : sel.sensors) EXPECT_TRUE(s.checked) << s.id; // index 5 was not unchecked
}

TEST_F(SelectorOverlay, AFlashWhoseOverlayClosedOrChangedKindReturnsNothing) {
    openSample();
    sel.paint(false);
    loop.onPump = [&] {
        sel.close();
        target.image.fill(kBackground); // the window repaints what the overlay covered
    };
    EXPECT_EQ(sel.click(20 + 70, 30 + 45), -1);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(target.image.pixel(20 + 64, 30 + 42), kBackground); // no stale overlay painted back

    openSample();
    loop.onPump = [&] { sel.setKind(kSelectorPageMenu); };
    EXPECT_EQ(sel.click(20 + 70, 30 + 45), -1);
}

TEST_F(SelectorOverlay, OpenCloseAndTheKindVariable) {
    EXPECT_FALSE(sel.isOpen());
    sel.paint(true); // nothing before any open
    EXPECT_EQ(countDiffering(target.image, 0, 0, 299, 199, kBackground), 0);
    const unsigned before = sel.rebuildCount();
    openSample(kSelectorKey);
    EXPECT_TRUE(sel.isOpen());
    EXPECT_EQ(kind, kSelectorKey);
    EXPECT_EQ(sel.width(), 200);
    EXPECT_GT(sel.rebuildCount(), before);
    sel.addLabel(5, 5, "x", false);
    sel.addLine(1, 2, 3, 4, 0, false);
    sel.open(&target.image, nullptr, 0, 0, 50, 40); // a new open empties the lists
    EXPECT_EQ(sel.sensors.count(), 0);
    EXPECT_EQ(sel.labels.count(), 0);
    EXPECT_EQ(sel.lines.count(), 0);
    sel.addSensor({0, 0, 20, 20}, "x", false, 8, 0, false);
    EXPECT_EQ(sel.sensorAt(10, 10), 0);
    sel.close();
    EXPECT_FALSE(sel.isOpen());
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(sel.sensors.count(), 1);   // the lists keep their contents
    EXPECT_EQ(sel.sensorAt(10, 10), -1); // but a closed overlay takes no clicks
    EXPECT_EQ(sel.click(10, 10), -1);
    EXPECT_FALSE(sel.sensors.at(0).checked);
    sel.paint(true); // a closed overlay is not painted
    EXPECT_EQ(countDiffering(target.image, 0, 0, 299, 199, kBackground), 0);

    // Without a target only the sensors count.
    sel.open(nullptr, nullptr, 10, 10, 100, 50);
    sel.addSensor({0, 0, 10, 10}, "x", false, 9, 0, false);
    EXPECT_FALSE(sel.isValid());
    EXPECT_EQ(sel.bounds(), (TRect{10, 10, 10, 10}));
    EXPECT_EQ(sel.sensorAt(12, 12), 0);
    sel.paint(true);
    sel.setLastExtra(1);
    EXPECT_EQ(sel.sensors.at(0).extra, 1);
    QvSelector own; // keeps its own kind
    own.setKind(3);
    EXPECT_EQ(own.kind(), 3);
    own.close();
    EXPECT_EQ(own.kind(), 0);
}

TEST_F(SelectorOverlay, CompositingKeepsThePageUnderTheCornersAndCopiesTheMiddle) {
    openSample();
    sel.paint(false);
    // The frame's corner pixel is black in the overlay: the background shows through unchanged.
    EXPECT_EQ(sel.pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(target.image.pixel(20, 30), kBackground);
    // Middle pixels are copied exactly; edge pixels go through the brighten table.
    EXPECT_EQ(target.image.pixel(20 + 100, 30 + 70), sel.pixel(100, 70));
    const TColor over = sel.pixel(2, 50);
    const TColor expect = RGB(QvSelector::brightenValue(colourRed(over), colourRed(kBackground)),
                              QvSelector::brightenValue(colourGreen(over), colourGreen(kBackground)),
                              QvSelector::brightenValue(colourBlue(over), colourBlue(kBackground)));
    EXPECT_EQ(target.image.pixel(22, 80), expect);
    // Nothing outside the overlay changes.
    EXPECT_EQ(countDiffering(target.image, 0, 0, 19, 199, kBackground), 0);
    EXPECT_EQ(countDiffering(target.image, 220, 0, 299, 199, kBackground), 0);
    // The target's clip is whole again afterwards.
    EXPECT_EQ(target.image.clipLeft(), 0);
    EXPECT_EQ(target.image.clipRight(), 299);

    // An overlay hanging off the target's left edge draws only what lies on it.
    Target small(100, 100);
    sel.open(&small.image, nullptr, -150, 10, 200, 50);
    sel.paint(false);
    EXPECT_EQ(countDiffering(small.image, 0, 0, 99, 9, kBackground), 0);
    EXPECT_EQ(small.image.pixel(0, 30), sel.pixel(150, 20));
}

TEST_F(SelectorOverlay, PresentCopiesTheOverlayAreaToTheCanvas) {
    Bitmap24 window;
    window.setSize(300, 200);
    sel.open(&target.image, &window.canvas(), 20, 30, 200, 100);
    sel.setKind(kSelectorTempo);
    sel.addSensor({10, 10, 35, 35}, "^120", true, 1, 0, true);
    sel.paint(true);
    int inside = 0, outside = 0;
    for (int yy = 0; yy < 200; ++yy)
        for (int xx = 0; xx < 300; ++xx) {
            const uint8_t* p = window.scanLine(yy) + 3 * xx;
            const bool lit = p[0] || p[1] || p[2];
            const bool in = xx >= 20 && xx < 220 && yy >= 30 && yy < 130;
            (in ? inside : outside) += lit ? 1 : 0;
        }
    EXPECT_GT(inside, 15000);
    EXPECT_EQ(outside, 0);
}

TEST_F(SelectorOverlay, TitleButtonsOnlyForTheArrangementKindAndResetEachPaint) {
    sel.open(&target.image, nullptr, 0, 0, 280, 80);
    sel.setKind(kSelectorArrangement);
    sel.power1On = true;
    sel.paint(false);
    const int W = 280;
    EXPECT_EQ(sel.helpRect, (TRect{W - 115, 3, W - 101, 17}));
    EXPECT_EQ(sel.menuRect, (TRect{W - 133, 3, W - 119, 17}));
    EXPECT_EQ(sel.powerRect1, (TRect{10, 3, 24, 17}));
    EXPECT_EQ(sel.powerRect2, (TRect{W - 85, 3, W - 71, 17}));
    // The pen was aimed at the overlay for the buttons: the help button's disc is there.
    const TColor button = sel.pixel(W - 108 - 4, 10);
    EXPECT_NE(button, sel.pixel(W - 108 + 12, 10));
    // The power button that is on is filled with the highlight colour.
    EXPECT_EQ(sel.pixel(17 - 3, 10 + 3), RGB(255, 255, 0));

    sel.open(&target.image, nullptr, 0, 0, 200, 80);
    sel.setKind(kSelectorTempo);
    sel.paint(false);
    for (const TRect& r : {sel.helpRect, sel.menuRect, sel.powerRect1, sel.powerRect2})
        EXPECT_EQ(r, (TRect{-1, -1, -1, -1}));
}

TEST_F(SelectorOverlay, HookedLinesRoundTheirEndsWithSinglePixels) {
    sel.open(&target.image, nullptr, 0, 0, 100, 60);
    sel.setKind(kSelectorArrangement);
    sel.addLine(20, 40, 60, 40, 2, false);
    sel.addLine(20, 50, 60, 50, 0, true);
    sel.paint(false);
    const TColor panel = sel.pixel(15, 45);
    const TColor hookColour = sel.pixel(21, 40);
    EXPECT_NE(hookColour, panel);
    EXPECT_EQ(sel.pixel(58, 40), hookColour); // the line runs to x2 - 2
    EXPECT_EQ(sel.pixel(59, 40), panel);
    EXPECT_EQ(sel.pixel(20, 40), panel); // no pixel at the start itself
    EXPECT_EQ(sel.pixel(20, 42), hookColour);
    EXPECT_EQ(sel.pixel(59, 42), hookColour);
    EXPECT_EQ(sel.pixel(20, 41), panel);             // single pixels, not ticks
    EXPECT_EQ(sel.pixel(20, 50), sel.pixel(59, 50)); // a plain line runs from x1 to x2 - 1
    EXPECT_NE(sel.pixel(20, 50), hookColour);        // bright lines in their own colour
}

TEST_F(SelectorOverlay, MixerMarkAreaCountsApartInClicks) {
    sel.open(&target.image, nullptr, 0, 0, 200, 60);
    sel.setKind(kSelectorStyle);
    sel.addSensor({10, 10, 135, 29}, "@^Jazz Waltz", false, 17, 0, true);
    sel.setLastExtra(1);
    sel.addSensor({10, 30, 135, 49}, "@^Bossa", false, 18, 0, true);
    EXPECT_EQ(sel.sensors.at(0).extraRect, (TRect{-1, -1, -1, -1})); // known once painted
    sel.paint(false);
    EXPECT_EQ(sel.sensors.at(0).extraRect, (TRect{115, 10, 135, 29}));
    EXPECT_EQ(sel.click(120, 20), 17);
    EXPECT_TRUE(sel.clickedExtra());
    EXPECT_EQ(sel.click(60, 20), 17);
    EXPECT_FALSE(sel.clickedExtra());
    EXPECT_EQ(sel.click(120, 40), 18);
    EXPECT_FALSE(sel.clickedExtra());
    // Locked volume levels draw the faders faint.
    const TColor strong = sel.pixel(135 - 14, 14 + 2);
    sel.volumeLevelsLocked = true;
    sel.paint(false);
    EXPECT_NE(sel.pixel(135 - 14, 14 + 2), strong);
}

TEST_F(SelectorOverlay, GlyphsAndCaptionMarkup) {
    sel.open(&target.image, nullptr, 0, 0, 300, 120);
    sel.setKind(kSelectorChord);
    sel.chord.inversion = 3;
    sel.addSensor({10, 10, 35, 22}, "<invUp>", true, 200, kSensorToggle, true);
    sel.addSensor({40, 10, 65, 22}, "<invDown>", false, 201, kSensorToggle, true);
    sel.addSensor({10, 30, 35, 42}, "<Lock>~Lock tempo", false, -201, kSensorToggle, true);
    sel.addSensor({10, 50, 56, 69}, "b", false, 100, 1, true);
    sel.addSensor({60, 50, 106, 69}, "", false, 102, 1, true);
    sel.addSensor({110, 50, 135, 75}, "o", false, 103, 1, true);
    sel.addSensor({140, 50, 165, 75}, "", false, 104, 1, true);
    sel.paint(false);
    // Three up chevrons from top + 2 on a white face; one down chevron from top + 6.
    const int cxUp = (10 + 35) / 2 + 1;
    const TColor white = RGB(255, 255, 255);
    EXPECT_NE(sel.pixel(cxUp, 12), white);
    EXPECT_NE(sel.pixel(cxUp, 16), white);
    EXPECT_NE(sel.pixel(cxUp, 20), white);
    const int cxDown = (40 + 65) / 2 + 1;
    const TColor face = sel.pixel(42, 12);
    EXPECT_NE(sel.pixel(cxDown, 10 + 6 + 2), face);
    EXPECT_EQ(sel.pixel(cxDown, 10 + 2 + 2), face);
    // "~": the words stand right of the sensor.
    EXPECT_GT(countDiffering(sel, 40, 30, 120, 42, sel.pixel(150, 100)), 10);
    // "b" alone: the flat sign; the empty sensor beside it shows nothing.
    EXPECT_GT(countDiffering(sel, 12, 52, 54, 67, sel.pixel(12, 60)), 5);
    EXPECT_EQ(countDiffering(sel, 62, 52, 104, 67, sel.pixel(62, 60)), 0);
    // "o": the diminished sign.
    EXPECT_GT(countDiffering(sel, 112, 52, 133, 73, sel.pixel(112, 60)), 5);
    EXPECT_EQ(countDiffering(sel, 142, 52, 163, 73, sel.pixel(142, 60)), 0);

    sel.chord.inversion = 0; // one chevron at top + 6
    sel.paint(false);
    EXPECT_EQ(sel.pixel(cxUp, 12), white);
    EXPECT_NE(sel.pixel(cxUp, 16), white);
}
