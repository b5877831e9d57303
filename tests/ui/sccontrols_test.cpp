// ScControls: filling, painting, the press and move protocol, bound variables and pushed buttons.
#include <gtest/gtest.h>

#include <memory>

#include "ui/aapen.h"
#include "ui/sccontrols.h"
#include "uitest.h"

namespace {

struct Controls : ::testing::Test {
    Limage back;
    Bitmap24 screen;
    AaPen pen;
    ScContext ctx;
    std::unique_ptr<ScControls> controls;
    bool loop = false;
    int choice = 0;
    double level = 0.5;

    void SetUp() override {
        ASSERT_TRUE(back.setSize(400, 300, true));
        ASSERT_TRUE(screen.setSize(400, 300));
        ctx.scTarget = &back;
        ctx.scCanvas = &screen.canvas();
        ctx.aaPen = &pen;
        ctx.uiReady = true;
        ctx.scLedColour = RGB(0, 255, 0);
        controls = std::make_unique<ScControls>(ctx);
    }
    TColor shown(int x, int y) { return screen.canvas().pixel(x, y); }
    // The indicator bar of a 60 px wide button at (x, y) as the screen shows it.
    TColor bar(int x, int y) { return shown(x + 30, y + 3); }
};

TEST_F(Controls, FillingTakesTheContextColoursAndClearingEmpties) {
    ctx.scFaceColour = RGB(1, 2, 3);
    ScButton& b = controls->addButton();
    EXPECT_EQ(b.faceColour, RGB(1, 2, 3));
    EXPECT_EQ(b.context, &ctx);
    b.initPush(0, 0, 40, 20, "A");
    controls->addSwitch();
    controls->addFader().create(100, 0, 50, "F", &level, 4);
    EXPECT_EQ(controls->buttons.count(), 1);
    EXPECT_EQ(controls->switches.count(), 1);
    EXPECT_EQ(controls->faders.count(), 1);
    EXPECT_EQ(controls->buttons.at(0).rect, (TRect{0, 0, 40, 20}));
    controls->clear();
    EXPECT_EQ(controls->buttons.count() + controls->switches.count() + controls->faders.count(), 0);
    EXPECT_EQ(controls->mouse(10, 10, true), nullptr);
}

TEST_F(Controls, TogglesAndSwitchesReportTheirBool) {
    controls->addButton().initToggle(10, 10, 60, 24, "Loop", &loop);
    bool sw = false;
    ScSwitch& s = controls->addSwitch();
    s.toggleTarget = &sw;
    s.rect = {100, 10, 120, 30};
    EXPECT_EQ(controls->mouse(20, 20, true), &loop);
    EXPECT_TRUE(loop);
    EXPECT_EQ(controls->mouse(110, 20, true), &sw);
    EXPECT_TRUE(sw);
    EXPECT_EQ(controls->mouse(300, 200, true), nullptr);
}

TEST_F(Controls, ARadioPressStoresItsValueAndRepaintsTheGroup) {
    controls->addButton().initRadio(10, 10, 60, 24, "One", &choice, 1);
    controls->addButton().initRadio(80, 10, 60, 24, "Two", &choice, 2);
    choice = 1;
    controls->drawAll();
    const TColor lit = ctx.scLedColour;
    EXPECT_EQ(bar(10, 10), lit);
    EXPECT_NE(bar(80, 10), lit);
    EXPECT_EQ(controls->mouse(100, 20, true), &choice);
    EXPECT_EQ(choice, 2);
    EXPECT_NE(bar(10, 10), lit); // the previous choice shows released
    EXPECT_EQ(bar(80, 10), lit);
}

TEST_F(Controls, APushButtonIsPressedUntilReleasedAndReportsNothing) {
    EXPECT_EQ(controls->pressedRect(), (TRect{-1, -1, -1, -1}));
    controls->addButton().initPush(10, 50, 60, 24, "OK");
    controls->addButton().initPush(80, 50, 60, 24, "Cancel");
    controls->drawAll();
    const Limage unpressed(back);
    EXPECT_EQ(controls->mouse(100, 60, true), nullptr);
    EXPECT_EQ(controls->pressedRect(), (TRect{80, 50, 140, 74}));
    EXPECT_TRUE(controls->buttons.at(1).pressed);
    EXPECT_FALSE(controls->buttons.at(0).pressed);
    auto sameRegion = [&](const Limage& a, const Limage& b) {
        for (int y = 50; y <= 74; ++y)
            for (int x = 80; x <= 140; ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) return false;
        return true;
    };
    EXPECT_FALSE(sameRegion(back, unpressed));
    controls->releasePressed();
    EXPECT_EQ(controls->pressedRect(), (TRect{-1, -1, -1, -1}));
    EXPECT_TRUE(sameRegion(back, unpressed));
}

TEST_F(Controls, AButtonOverAFaderTakesThePress) {
    controls->addButton().initToggle(10, 100, 60, 24, "Top", &loop);
    controls->addFader().create(0, 60, 100, "Under", &level, 4); // rect (0, 60, 40, 211)
    EXPECT_EQ(controls->mouse(20, 110, true), &loop);
    EXPECT_EQ(level, 0.5);
    EXPECT_EQ(ctx.grabbedFader, nullptr);
    EXPECT_EQ(controls->mouse(20, 120, false), nullptr); // no fader was grabbed
}

TEST_F(Controls, FaderPressAndMovesReportTheLevelUntilTheNextPress) {
    controls->addFader().create(200, 10, 100, "Vol", &level, 4); // travel rows 43..143, knob at 93
    EXPECT_EQ(controls->mouse(220, 20, false), nullptr);         // a move without a grab
    EXPECT_EQ(controls->mouse(220, 95, true), nullptr);          // near the knob: grabbed, no change
    EXPECT_EQ(ctx.grabbedFader, &controls->faders.at(0));
    EXPECT_EQ(controls->mouse(220, 105, false), &level);
    EXPECT_DOUBLE_EQ(level, 0.4);
    EXPECT_EQ(controls->mouse(5, 95, false), &level); // moves keep driving it anywhere
    EXPECT_DOUBLE_EQ(level, 0.5);
    EXPECT_EQ(controls->mouse(5, 5, true), nullptr); // a press elsewhere drops the grab
    EXPECT_EQ(ctx.grabbedFader, nullptr);
    EXPECT_EQ(controls->mouse(220, 130, false), nullptr);
    EXPECT_DOUBLE_EQ(level, 0.5);
    EXPECT_EQ(controls->mouse(220, 53, true), &level); // far from the knob: jumps
    EXPECT_DOUBLE_EQ(level, 0.9);
}

TEST_F(Controls, EmptyingRefillingOrDestroyingDropsItsGrab) {
    controls->addFader().create(200, 10, 100, "Vol", &level, 4);
    controls->mouse(220, 95, true);
    ASSERT_NE(ctx.grabbedFader, nullptr);
    controls->addFader().create(260, 10, 100, "Two", &level, 4); // the list may move
    EXPECT_EQ(ctx.grabbedFader, nullptr);
    EXPECT_EQ(controls->mouse(220, 120, false), nullptr);

    controls->mouse(220, 95, true);
    ASSERT_NE(ctx.grabbedFader, nullptr);
    controls->clearFaders();
    EXPECT_EQ(ctx.grabbedFader, nullptr);

    controls->addFader().create(200, 10, 100, "Vol", &level, 4);
    controls->mouse(220, 95, true);
    ASSERT_NE(ctx.grabbedFader, nullptr);
    controls.reset();
    EXPECT_EQ(ctx.grabbedFader, nullptr);

    // Another container's grab is left alone.
    ScControls a(ctx), b(ctx);
    a.addFader().create(200, 10, 100, "A", &level, 4);
    a.mouse(220, 95, true);
    ASSERT_NE(ctx.grabbedFader, nullptr);
    b.clear();
    b.addFader();
    EXPECT_EQ(ctx.grabbedFader, &a.faders.at(0));
}

TEST_F(Controls, RedrawBoundToRepaintsOnlyWidgetsOfThatVariable) {
    bool other = false;
    controls->addButton().initToggle(10, 10, 60, 24, "Loop", &loop);
    controls->addButton().initToggle(80, 10, 60, 24, "Other", &other);
    controls->drawAll();
    loop = true;
    other = true;
    controls->redrawBoundTo(&loop);
    EXPECT_EQ(bar(10, 10), ctx.scLedColour);
    EXPECT_NE(bar(80, 10), ctx.scLedColour);
    controls->redrawBoundTo(nullptr);
    EXPECT_NE(bar(80, 10), ctx.scLedColour);
}

TEST_F(Controls, NothingIsPaintedBeforeTheUiIsReady) {
    ctx.uiReady = false;
    controls->addButton().initToggle(10, 10, 60, 24, "Loop", &loop);
    controls->addFader().create(200, 10, 100, "Vol", &level, 4);
    controls->drawAll();
    controls->redrawBoundTo(&loop);
    EXPECT_EQ(countDiffering(back, 0, 0, 399, 299, 0), 0);
    EXPECT_EQ(controls->mouse(20, 20, true), &loop); // input still works
}

} // namespace
