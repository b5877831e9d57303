// The Sc widgets: caption markup, faces, painting, clicks, fader drags and value boxes.
#include <gtest/gtest.h>

#include "ui/aapen.h"
#include "ui/geometry.h"
#include "ui/scbutton.h"
#include "ui/scfaces.h"
#include "ui/scfader.h"
#include "ui/scvaluebox.h"
#include "uitest.h"

namespace {

constexpr TColor kBack = RGB(30, 40, 50);

struct ScWidgets : ::testing::Test {
    Limage back;
    Bitmap24 screen;
    AaPen pen;
    ScContext ctx;
    void SetUp() override {
        ASSERT_TRUE(back.setSize(300, 220, true));
        ASSERT_TRUE(screen.setSize(300, 220));
        back.fill(kBack);
        ctx.scTarget = &back;
        ctx.scCanvas = &screen.canvas();
        ctx.aaPen = &pen;
        ctx.uiReady = true;
        ctx.scFaceColour = RGB(160, 160, 170);
        ctx.scTextColour = RGB(20, 20, 20);
        ctx.scLedColour = RGB(0, 255, 128);
    }
    TColor shown(int x, int y) { return screen.canvas().pixel(x, y); }
    bool sameFaces(const Limage& a, const Limage& b) {
        if (a.width() != b.width() || a.height() != b.height()) return false;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) return false;
        return true;
    }
};

TEST_F(ScWidgets, ButtonsTakeTheirColoursFromTheContextAtConstruction) {
    ScButton b(&ctx);
    EXPECT_EQ(b.faceColour, ctx.scFaceColour);
    EXPECT_EQ(b.textColour, ctx.scTextColour);
    ctx.scFaceColour = 0;
    EXPECT_EQ(b.faceColour, RGB(160, 160, 170));
    ScButton plain;
    EXPECT_EQ(plain.rect, globalUndefinedRect);
    EXPECT_FALSE(plain.click(-1, -1));
}

TEST_F(ScWidgets, CaptionMarkup) {
    ScButton blank(&ctx), space(&ctx);
    blank.initPush(0, 0, 40, 20, "");
    space.initPush(0, 0, 40, 20, " ");
    EXPECT_TRUE(sameFaces(blank.offFace, space.offFace));
    EXPECT_TRUE(blank.label.empty());

    ScButton word(&ctx);
    word.initPush(0, 0, 40, 20, "Word@12");
    EXPECT_EQ(word.labelOffset, 12);
    EXPECT_FALSE(word.symbol);
    EXPECT_TRUE(word.label.empty());
    EXPECT_FALSE(sameFaces(word.offFace, blank.offFace));

    ScButton bright(&ctx), normal(&ctx);
    bright.initPush(0, 0, 40, 20, "#Word");
    normal.initPush(0, 0, 40, 20, "Word");
    EXPECT_GT(colourRed(bright.offFace.pixel(3, 10)), colourRed(normal.offFace.pixel(3, 10)));

    ScButton play(&ctx);
    play.initPush(0, 0, 30, 30, "$Play@-4");
    EXPECT_TRUE(play.symbol);
    EXPECT_EQ(play.label, "Play");
    EXPECT_EQ(play.labelOffset, -4);
}

TEST_F(ScWidgets, ClickIncludesTheRightEdgeAndLeavesOutTheBottomRow) {
    bool flag = false;
    ScButton b(&ctx);
    b.initToggle(10, 20, 40, 20, "On", &flag);
    EXPECT_EQ(b.rect, (TRect{10, 20, 50, 40}));
    EXPECT_FALSE(b.click(50, 40));
    EXPECT_FALSE(b.click(9, 30));
    EXPECT_FALSE(b.click(51, 30));
    EXPECT_FALSE(b.click(30, 19));
    EXPECT_FALSE(flag);
    EXPECT_FALSE(b.pressed);
    EXPECT_TRUE(b.click(50, 39));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(b.pressed);
    EXPECT_TRUE(b.click(10, 20));
    EXPECT_FALSE(flag);
}

TEST_F(ScWidgets, RadioButtonsStoreTheirValue) {
    int choice = 0;
    ScButton b(&ctx);
    b.initRadio(0, 0, 30, 20, "B", &choice, 2);
    EXPECT_FALSE(b.isOn());
    EXPECT_TRUE(b.click(5, 5));
    EXPECT_EQ(choice, 2);
    EXPECT_TRUE(b.isOn());
    EXPECT_EQ(b.radioValue, 2);
    ScButton push(&ctx);
    push.initPush(0, 0, 30, 20, "P");
    EXPECT_EQ(push.radioValue, -1);
    EXPECT_FALSE(push.isOn());
}

TEST_F(ScWidgets, IndicatorIsLitWhenOnAndDimWhenOff) {
    bool flag = false;
    ScButton b(&ctx);
    b.initToggle(20, 30, 60, 24, "Loop", &flag);
    const TColor base = scaleColour(ctx.scFaceColour, 0.85f);
    EXPECT_EQ(b.offFace.pixel(30, 3), scaleColour(base, 0.7f));
    EXPECT_EQ(b.onFace.pixel(30, 3), ctx.scLedColour);
    EXPECT_EQ(b.onFace.pixel(15, 3), ctx.scLedColour); // cx - 15
    EXPECT_EQ(b.onFace.pixel(45, 3), ctx.scLedColour); // cx + 15
    EXPECT_NE(b.onFace.pixel(47, 3), ctx.scLedColour); // beyond the bar
    b.paint();
    EXPECT_EQ(shown(50, 33), scaleColour(base, 0.7f));
    flag = true;
    b.paint();
    EXPECT_EQ(shown(50, 33), ctx.scLedColour);
    // A narrow face has the short bar; an inverted toggle shows on while its bool is false.
    ScButton small(&ctx);
    small.initToggle(0, 0, 24, 24, "<reset>", &flag);
    EXPECT_EQ(small.onFace.pixel(12 - 7, 3), ctx.scLedColour);
    EXPECT_NE(small.onFace.pixel(12 - 9, 3), ctx.scLedColour);
    small.inverted = true;
    EXPECT_FALSE(small.isOn());
    flag = false;
    EXPECT_TRUE(small.isOn());
    // Push buttons have no bar.
    ScButton push(&ctx);
    push.initPush(0, 0, 60, 24, "Go");
    EXPECT_TRUE(sameFaces(push.onFace, push.offFace));
    EXPECT_NE(push.offFace.pixel(30, 3), scaleColour(base, 0.7f));
}

TEST_F(ScWidgets, PressedFaceDiffersAndStaysInsideTheButton) {
    ScButton b(&ctx);
    b.initPush(40, 40, 60, 24, "Press");
    b.paint();
    Limage before(back);
    b.pressed = true;
    b.paint();
    int changed = 0;
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            if (back.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(pointInRect(x, y, {40, 40, 100, 62})) << x << "," << y;
            }
    EXPECT_GT(changed, 50);
    EXPECT_EQ(back.clipBottom(), back.height() - 1); // the clip is reset
    // The first row of the pressed look shows the face's top row one pixel lower.
    EXPECT_EQ(back.pixel(50, 41), b.offFace.pixel(10, 0));
}

TEST_F(ScWidgets, NothingIsDrawnBeforeTheUiIsReady) {
    ctx.uiReady = false;
    bool flag = true;
    double level = 0.5;
    ScButton b(&ctx);
    b.initToggle(10, 10, 40, 20, "X", &flag);
    ScFader f(&ctx);
    f.create(100, 10, 80, "Vol", &level, 4);
    ScValueBox box(&ctx);
    b.paint();
    f.paint();
    ScValueBox::paint({.box = &box,
                       .x = 10,
                       .y = 120,
                       .width = 100,
                       .height = 40,
                       .title = "T",
                       .value = "V",
                       .present = true});
    EXPECT_TRUE(b.click(20, 15)); // clicks still work
    EXPECT_EQ(countDiffering(back, 0, 0, 299, 219, kBack), 0);
    for (int y = 0; y < 220; ++y)
        for (int x = 0; x < 300; ++x) ASSERT_EQ(shown(x, y), 0);
}

TEST_F(ScWidgets, SymbolButtonsLightTheirInkAndShowTheLabelAbove) {
    ScButton play(&ctx), rec(&ctx);
    bool on = false;
    play.initToggle(50, 60, 31, 31, "$Play", &on);
    rec.initToggle(100, 60, 31, 31, "$Record", &on);
    EXPECT_EQ(play.offFace.pixel(15, 15), 0);
    EXPECT_EQ(play.onFace.pixel(15, 15), ctx.scLedColour);
    EXPECT_EQ(rec.onFace.pixel(15, 15), 0x8080FF);
    EXPECT_EQ(rec.offFace.pixel(15, 15), 0);
    play.paint();
    // The label sits above the button: ink between Top - 17 and Top.
    EXPECT_GT(countDiffering(back, 50, 60 - 17, 81, 59, kBack), 5);
    // Pressing a symbol button does not use the pressed look.
    Limage before(back);
    play.pressed = true;
    play.paint();
    EXPECT_EQ(countDiffering(back, 50, 60, 81, 91, 0x123456),
              countDiffering(before, 50, 60, 81, 91, 0x123456));
    EXPECT_EQ(back.pixel(60, 62), before.pixel(60, 62));
}

// A label drawn again over itself stays as it was: repeated paints leave identical pixels. When the
// owner paints the background anew, the label is drawn over the new background.
TEST_F(ScWidgets, RepaintedLabelsKeepTheirPixels) {
    ScButton play(&ctx);
    bool on = false;
    play.initToggle(50, 60, 31, 31, "$Play@4", &on);
    play.paint();
    const Limage once(back);
    for (int i = 0; i < 5; ++i) play.paint();
    EXPECT_EQ(countDiffering(back, 0, 0, 299, 219, 0x123456), countDiffering(once, 0, 0, 299, 219, 0x123456));
    for (int y = 30; y < 60; ++y)
        for (int x = 40; x < 95; ++x) ASSERT_EQ(back.pixel(x, y), once.pixel(x, y)) << x << "," << y;

    // A new background beneath: the label looks as a first paint on that background does.
    const TColor newBack = RGB(200, 190, 120);
    back.fill(newBack);
    play.paint();
    play.paint();
    Limage fresh;
    ASSERT_TRUE(fresh.setSize(300, 220, true));
    fresh.fill(newBack);
    ScContext other = ctx;
    other.scTarget = &fresh;
    ScButton twin(&other);
    twin.initToggle(50, 60, 31, 31, "$Play@4", &on);
    twin.paint();
    for (int y = 30; y < 60; ++y)
        for (int x = 40; x < 95; ++x) ASSERT_EQ(back.pixel(x, y), fresh.pixel(x, y)) << x << "," << y;
}

TEST_F(ScWidgets, SwitchesShowTheirImagesAndFlip) {
    bool flag = false;
    ScSwitch s(&ctx);
    s.toggleTarget = &flag;
    ASSERT_TRUE(s.onImage.setSize(10, 10, false));
    ASSERT_TRUE(s.offImage.setSize(10, 10, false));
    s.onImage.fill(RGB(0, 255, 0));
    s.offImage.fill(RGB(255, 0, 0));
    s.rect = {5, 5, 15, 15};
    s.paint();
    EXPECT_EQ(shown(8, 8), RGB(255, 0, 0));
    EXPECT_TRUE(s.click(15, 15)); // edges included
    EXPECT_TRUE(flag);
    EXPECT_EQ(shown(8, 8), RGB(0, 255, 0));
    EXPECT_FALSE(s.click(16, 15));
    ScSwitch unbound(&ctx);
    unbound.rect = {0, 0, 10, 10};
    EXPECT_FALSE(unbound.click(5, 5));
}

// A vertical fader at (20, 10) with a travel of 100: rect (20, 10, 60, 161), travel rows 43 to 143.
struct VerticalFader : ScWidgets {
    double level = 0.5;
    ScFader f;
    void SetUp() override {
        ScWidgets::SetUp();
        f = ScFader(&ctx);
        f.create(20, 10, 100, "Vol", &level, 10);
    }
};

TEST_F(VerticalFader, Geometry) {
    EXPECT_FALSE(f.horizontal);
    EXPECT_EQ(f.rect, (TRect{20, 10, 60, 161}));
    EXPECT_EQ(f.track.width(), 33);
    EXPECT_EQ(f.track.height(), 137);
    EXPECT_EQ(f.knob.height(), 31);
    EXPECT_EQ(faderKnobPosition(f.rect, false, 0.0), 143);
    EXPECT_EQ(faderKnobPosition(f.rect, false, 1.0), 43);
    EXPECT_EQ(faderKnobPosition(f.rect, false, 7.0), 43); // shown clamped
    ScFader narrow(&ctx);
    narrow.narrow = true;
    narrow.create(0, 0, 50, "", &level, 4);
    EXPECT_EQ(narrow.track.width(), 27);
}

TEST_F(VerticalFader, APressNearTheKnobGrabsWithoutMovingThenMovesFollowThePointer) {
    EXPECT_FALSE(f.drag(40, 100, true)); // knob at 93: 7 px away
    EXPECT_EQ(level, 0.5);
    EXPECT_EQ(ctx.grabbedFader, &f);
    EXPECT_TRUE(f.drag(40, 110, false));
    EXPECT_DOUBLE_EQ(level, 0.4);
    EXPECT_TRUE(f.drag(300, 90, false)); // moves drive the grabbed fader wherever the pointer is
    EXPECT_DOUBLE_EQ(level, 0.6);
    EXPECT_FALSE(f.drag(300, 90, false)); // unchanged
    EXPECT_TRUE(f.drag(40, -500, false));
    EXPECT_EQ(level, 1.0);
    EXPECT_TRUE(f.drag(40, 1000, false));
    EXPECT_EQ(level, 0.0);
}

TEST_F(VerticalFader, APressFarFromTheKnobJumps) {
    EXPECT_TRUE(f.drag(40, 63, true)); // 30 px above the knob at 93
    EXPECT_DOUBLE_EQ(level, 0.8);
    EXPECT_DOUBLE_EQ(f.grabValue, 0.8);
    EXPECT_EQ(f.grabCoord, 63);
    EXPECT_TRUE(f.drag(40, 73, false));
    EXPECT_DOUBLE_EQ(level, 0.7);
    level = 0.5;
    EXPECT_FALSE(f.drag(40, 110, true)); // 17 px: no jump
    EXPECT_TRUE(f.drag(40, 111, true));  // 18 px: jump
    EXPECT_DOUBLE_EQ(level, 0.32);
}

TEST_F(VerticalFader, TheTopFifteenPixelsAndOutsidePointsAreIgnored) {
    EXPECT_FALSE(f.drag(40, 24, true)); // Top + 14
    EXPECT_EQ(ctx.grabbedFader, nullptr);
    EXPECT_FALSE(f.drag(61, 120, true));  // right of the rect
    EXPECT_FALSE(f.drag(40, 162, true));  // below
    EXPECT_FALSE(f.drag(40, 120, false)); // a move without the grab
    EXPECT_EQ(level, 0.5);
    EXPECT_TRUE(f.drag(60, 25, true)); // Top + 15, right edge: a hit, jumping to the top
    EXPECT_EQ(level, 1.0);
    EXPECT_EQ(ctx.grabbedFader, &f);
    EXPECT_TRUE(f.drag(20, 161, true)); // bottom left corner
    EXPECT_EQ(level, 0.0);
}

TEST_F(VerticalFader, PaintShowsTheKnobAtTheValue) {
    f.paint();
    // A grip line of the knob, beside the groove, 4 rows below the knob centre.
    const TColor knobRow = back.pixel(48, 93 + 4);
    EXPECT_NE(knobRow, back.pixel(48, 143 + 4)); // no knob at value 0
    level = 0.0;
    f.paint();
    EXPECT_EQ(back.pixel(48, 143 + 4), knobRow);
    EXPECT_EQ(shown(48, 147), knobRow);
    // The label sits in the top 15 px.
    EXPECT_GT(countDiffering(back, 20, 8, 60, 24, f.faceColour), 3);
    ScFader unbound(&ctx);
    unbound.create(100, 10, 50, "X", nullptr, 4);
    unbound.paint();
    EXPECT_FALSE(unbound.drag(110, 50, true));
    EXPECT_EQ(countDiffering(back, 100, 10, 140, 111, kBack), 0);
}

TEST_F(ScWidgets, HorizontalFaderDragsAlongX) {
    double level = 0.0;
    ScFader f(&ctx);
    f.create(10, 50, -100, "", &level, 0);
    EXPECT_TRUE(f.horizontal);
    EXPECT_EQ(f.rect, (TRect{10, 50, 146, 67}));
    EXPECT_FALSE(f.track.isValid());
    EXPECT_TRUE(f.drag(78, 60, true)); // knob at 28: jump to the middle
    EXPECT_DOUBLE_EQ(level, 0.5);
    EXPECT_TRUE(f.drag(88, 0, false));
    EXPECT_DOUBLE_EQ(level, 0.6);
    EXPECT_FALSE(f.drag(10, 68, true)); // below the rect
    EXPECT_TRUE(f.drag(10, 50, true));  // top left corner: a hit
    EXPECT_EQ(level, 0.0);
    f.paint();
    // Level marks right of the knob centre (28) are dim at 0 and lit above 0.
    const TColor dim = scaleColour(f.faceColour, 0.3f);
    EXPECT_EQ(back.pixel(28 + 16, 67 - 4), dim);
    level = 0.2;
    f.paint();
    const int kc = faderKnobPosition(f.rect, true, 0.2);
    EXPECT_EQ(back.pixel(kc + 16, 67 - 4), ctx.scLedColour);
}

TEST_F(ScWidgets, ValueBoxPartsStartUnsetAndAreNeverHitUnset) {
    ScValueBox box(&ctx);
    EXPECT_EQ(box.rect, globalUndefinedRect);
    for (int part = -1; part < 5; ++part) {
        EXPECT_FALSE(ScValueBox::hitTest(box, -1, -1, part)) << part;
        EXPECT_FALSE(ScValueBox::hitTest(box, 0, 0, part)) << part;
    }
}

TEST_F(ScWidgets, ValueBoxPaintSetsItsPartsAndKeepsTextInside) {
    ScValueBox box(&ctx);
    const int x = 40, y = 60, w = 160, h = 44;
    ScValueBox::paint({.box = &box,
                       .x = x,
                       .y = y,
                       .width = w,
                       .height = h,
                       .title = "Style",
                       .value = "A very long value text that does not fit",
                       .flags = "ps",
                       .present = true});
    EXPECT_EQ(box.rect, (TRect{x, y, x + w, y + h}));
    EXPECT_EQ(box.parts[0], (TRect{x, y, x + 28, y + 27}));
    EXPECT_EQ(box.parts[1], (TRect{x, y, x + 30, y + h}));
    const int cx = x + w - 15, cy = y + h / 2 + 1;
    EXPECT_EQ(box.parts[2], (TRect{cx - 11, cy - 13, cx + 13, cy + 13}));
    EXPECT_EQ(box.parts[3], globalUndefinedRect);
    EXPECT_TRUE(ScValueBox::hitTest(box, x + 28, y + 27, 0));
    EXPECT_FALSE(ScValueBox::hitTest(box, x + 29, y, 0));
    EXPECT_TRUE(ScValueBox::hitTest(box, x + w, y + h, -1));
    EXPECT_FALSE(ScValueBox::hitTest(box, x + w + 1, y + h, -1));
    EXPECT_FALSE(ScValueBox::hitTest(box, x + 5, y + 5, 5)); // no part 5
    EXPECT_FALSE(ScValueBox::hitTest(box, -1, -1, 3));
    // Everything drawn lies inside the box; the long value is cut 2 px before the right edge.
    for (int py = 0; py < back.height(); ++py)
        for (int px = 0; px < back.width(); ++px)
            if (back.pixel(px, py) != kBack) {
                ASSERT_TRUE(pointInRect(px, py, box.rect)) << px << "," << py;
            }
    EXPECT_EQ(back.pixel(x + w - 1, y + 30), back.pixel(x + w - 1, y + h - 3)); // only the gradient there
    EXPECT_FALSE(back.canvas()->hasClip());
    // Presenting copies the box and the 20 px above it.
    EXPECT_EQ(shown(x + 5, y + 5), back.pixel(x + 5, y + 5));
    EXPECT_EQ(shown(x + 5, y - 20), kBack);
    EXPECT_EQ(shown(x + 5, y - 21), 0);
    // The face and box colours come from the context when painting.
    EXPECT_EQ(box.faceColour, ctx.scFaceColour);
    EXPECT_EQ(back.pixel(x, y + 10), scaleColour(ctx.scFaceColour, 0.8f));
    // Without flags only the whole box answers.
    ScValueBox::paint({.box = &box, .x = x, .y = y, .width = w, .height = 20, .title = "T", .value = ""});
    EXPECT_FALSE(ScValueBox::hitTest(box, x + 5, y + 5, 0));
    EXPECT_FALSE(ScValueBox::hitTest(box, cx, cy, 2));
    EXPECT_TRUE(ScValueBox::hitTest(box, x + 5, y + 5, -1));
}

TEST_F(ScWidgets, ValueBoxTitleMovesRightOfThePlayButton) {
    // The title's ink: what a title adds to the same box painted without one.
    auto titleInk = [&](const std::string& flags, int& leftmost) {
        ScValueBox box(&ctx);
        ScValueBox::paint(
            {.box = &box, .x = 10, .y = 10, .width = 150, .height = 44, .title = "", .flags = flags});
        Limage without(back);
        ScValueBox::paint(
            {.box = &box, .x = 10, .y = 10, .width = 150, .height = 44, .title = "Title", .flags = flags});
        leftmost = 1000;
        int n = 0;
        for (int py = 10; py <= 54; ++py)
            for (int px = 10; px <= 160; ++px)
                if (back.pixel(px, py) != without.pixel(px, py)) {
                    ++n;
                    leftmost = std::min(leftmost, px);
                    EXPECT_GE(py, 10 + 7);
                    EXPECT_LE(py, 10 + 7 + 13);
                }
        return n;
    };
    int left = 0;
    EXPECT_GT(titleInk("", left), 10);
    EXPECT_GE(left, 10 + 6);
    EXPECT_LT(left, 10 + 12);
    EXPECT_GT(titleInk("P", left), 10);
    EXPECT_GE(left, 10 + 34);
    EXPECT_LT(left, 10 + 40);
}

} // namespace
