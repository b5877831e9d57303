// The widget gallery: every widget kind in the dark and the light look, drawn headless and written as
// PNG files under the build tree (ui-gallery/) for a person to look at, with checks of what matters.
#include <gtest/gtest.h>

#include "ui/aapen.h"
#include "ui/geometry.h"
#include "ui/sccontrols.h"
#include "ui/scvaluebox.h"
#include "ui/shadewidgets.h"
#include "ui/theme.h"
#include "uitest.h"

namespace {

struct Look {
    const char* name;
    bool white;
};

class Gallery : public ::testing::TestWithParam<Look> {
  protected:
    Theme theme;
    Limage back;
    Bitmap24 screen;
    AaPen pen;
    ScContext ctx;
    TColor panel = 0;

    bool loopOn = true, loopOff = false, bright = true, sw = true, soundMuted = false;
    int choice = 2;
    double master = 0.8, drums = 0.35, tempo = 0.0, pan = 0.6, mix = 0.45;

    void SetUp() override {
        theme.whiteModel = GetParam().white;
        theme.displayTextColor = 6;
        const float dim = theme.themeDimFactor();
        panel = scaleColour(theme.themePanelColour(), dim);
        ASSERT_TRUE(back.setSize(560, 330, true));
        ASSERT_TRUE(screen.setSize(560, 330));
        back.fill(panel);
        ctx.scTarget = &back;
        ctx.scCanvas = &screen.canvas();
        ctx.aaPen = &pen;
        ctx.scFaceColour =
            theme.whiteModel ? RGB(214, 214, 214) : scaleColour(theme.themePanelColour(), 1.3f);
        ctx.scTextColour =
            theme.whiteModel ? theme.themeShadeColour() : scaleColour(theme.displayTextColour(), 0.84f);
        ctx.scLedColour = theme.controlHighlightColour();
        ctx.scBoxColour = theme.whiteModel ? RGB(150, 190, 235) : RGB(40, 110, 190);
    }

    void fill(ScControls& c) {
        const char* glyphs[] = {"<",      ">",       "<up>",    "<down>",  "<play>",
                                "<plus>", "<minus>", "<cross>", "<sound>", "<reset>"};
        int x = 10;
        for (const char* g : glyphs) {
            c.addButton().initPush(x, 10, 24, 24, g);
            x += 28;
        }
        c.addButton().initPush(300, 10, 70, 24, "Play");
        c.addButton().initPush(380, 10, 70, 24, "Pressed"); // index 11
        c.addButton().initToggle(10, 50, 60, 24, "Loop", &loopOn);
        c.addButton().initToggle(80, 50, 60, 24, "Loop", &loopOff);
        c.addButton().initToggle(150, 50, 60, 24, "#Bright", &bright);
        c.addButton().initRadio(220, 50, 50, 24, "One", &choice, 1);
        c.addButton().initRadio(275, 50, 50, 24, "Two", &choice, 2);
        c.addButton().initRadio(330, 50, 50, 24, "Three", &choice, 3);
        ScButton& mute = c.addButton();
        mute.inverted = true;
        mute.initToggle(390, 50, 24, 24, "<sound>", &soundMuted);
        x = 20;
        for (const char* s : {"$Play", "$Record", "$Rhythm", "$Bass"}) {
            c.addButton().initToggle(x, 110, 31, 31, s, &loopOn);
            c.addButton().initToggle(x + 40, 110, 31, 31, s, &loopOff);
            x += 90;
        }
        ScSwitch& s = c.addSwitch();
        s.toggleTarget = &sw;
        s.rect = {380, 110, 420, 130};
        s.onImage.setSize(41, 21, false);
        s.offImage.setSize(41, 21, false);
        s.onImage.fill(ctx.scLedColour);
        s.offImage.fill(scaleColour(ctx.scFaceColour, 0.6f));
        c.addFader().create(10, 160, 100, "Master", &master, 10);
        c.addFader().create(60, 160, 100, "Drums", &drums, 10);
        ScFader& narrow = c.addFader();
        narrow.narrow = true;
        narrow.centreTick = 2;
        narrow.create(110, 160, 100, "Tempo", &tempo, 8);
        c.addFader().create(170, 170, -150, "", &pan, 0);
    }

    ScValueBox boxes[3];
    void valueBoxes() {
        const char* flags[] = {"", "ps", "PS"};
        const int tops[] = {200, 232, 282};
        for (int i = 0; i < 3; ++i) {
            boxes[i] = ScValueBox(&ctx);
            ScValueBox::paint({.box = &boxes[i],
                               .x = 170,
                               .y = tops[i],
                               .width = 170,
                               .height = i == 0 ? 24 : 44,
                               .title = "Style",
                               .value = i == 0 ? "" : "Bossa Nova",
                               .flags = flags[i],
                               .present = true});
        }
    }

    std::string name(const std::string& what) { return what + "-" + GetParam().name; }
};

TEST_P(Gallery, ScWidgets) {
    ScControls controls(ctx);
    fill(controls);
    // Nothing is drawn before the UI-ready flag.
    controls.drawAll();
    valueBoxes();
    EXPECT_EQ(countDiffering(back, 0, 0, back.width() - 1, back.height() - 1, panel), 0);
    ctx.uiReady = true;
    controls.drawAll();
    valueBoxes();
    drawRoundRectAA(pen, *back.canvas(), 380, 200, 160, 100, 6, scaleColour(panel, 1.25f), panel);
    back.canvas()->font.height = -11;
    back.canvas()->font.color = ctx.scTextColour;
    back.canvas()->textOut(392, 210, "Rounded frame");
    pen.setTarget(&back).setColour(ctx.scLedColour).line(392, 240, 520, 290).circle(450, 270, 12, false);

    // Indicators: lit when on, base x 0.7 when off.
    const TColor off = scaleColour(scaleColour(ctx.scFaceColour, 0.85f), 0.7f);
    EXPECT_EQ(back.pixel(40, 53), ctx.scLedColour);
    EXPECT_EQ(back.pixel(110, 53), off);
    EXPECT_EQ(back.pixel(295, 53), ctx.scLedColour); // radio "Two" chosen
    EXPECT_EQ(back.pixel(245, 53), off);
    EXPECT_EQ(back.pixel(402, 53), ctx.scLedColour); // inverted mute shows on while not muted
    EXPECT_EQ(screen.canvas().pixel(40, 53), ctx.scLedColour);

    // The pressed face differs from the released one, inside the button only.
    ScButton& pressed = controls.buttons.at(11);
    const Limage released(back);
    controls.mouse(400, 20, true);
    ASSERT_TRUE(pressed.pressed);
    int changed = 0;
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            if (back.pixel(x, y) != released.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(pointInRect(x, y, pressed.rect)) << x << "," << y;
            }
    EXPECT_GT(changed, 100);

    // A text button keeps its caption inside its face: nothing outside its rect differs from the panel
    // in the band around it (the row of glyph buttons ends at x 290).
    EXPECT_EQ(countDiffering(back, 291, 0, 299, 40, panel), 0);
    EXPECT_EQ(countDiffering(back, 300, 35, 379, 40, panel), 0);

    EXPECT_FALSE(savePng(back, name("sc-widgets")).empty());
    EXPECT_FALSE(savePng(screen, name("sc-screen")).empty());
}

TEST_P(Gallery, ShadeWidgets) {
    const bool dark = !GetParam().white;
    const TColor face = dark ? 0x505050 : 0xE0E0E0;
    const TColor text = dark ? 0x88AEBE : 0x484848;
    Limage image;
    Bitmap24 window;
    ASSERT_TRUE(image.setSize(420, 230, true));
    ASSERT_TRUE(window.setSize(420, 230));
    image.fill(face);
    bool on = true, offFlag = false;
    double a = 0.75, b = 0.3;
    Llist<ShadeButton> buttons;
    auto add = [&](int x, int y, const std::string& caption, bool* bound) -> ShadeButton& {
        buttons.add(ShadeButton());
        ShadeButton& btn = buttons.at(buttons.current);
        btn.target = &image;
        btn.canvas = &window.canvas();
        btn.faceColour = scaleColour(face, 1.04f);
        btn.textColour = text;
        if (bound != nullptr)
            btn.initToggle(x, y, 90, 22, caption, bound);
        else
            btn.initPush(x, y, 90, 22, caption, buttons.count());
        return btn;
    };
    add(20, 40, "Store", nullptr);
    add(120, 40, "<wave>", nullptr);
    add(220, 40, "<tap>", nullptr);
    add(20, 80, "Solo", &on);
    add(120, 80, "Mute", &offFlag);
    add(220, 90, "$Mix", nullptr);
    add(320, 40, "<reset>", nullptr);
    for (ShadeButton& btn : buttons) btn.paint();
    ShadeFader f1, f2;
    int x = 40;
    for (ShadeFader* f : {&f1, &f2}) {
        f->target = &image;
        f->canvas = &window.canvas();
        f->faceColour = face;
        f->textColour = text;
        f->knobColour = dark ? ShadeFader::kDarkSkinKnob : ShadeFader::kLightSkinKnob;
        x += 60;
    }
    f2.narrow = 1;
    f1.create(30, 120 - 10, 50, "Bass", &a, 4);
    f2.create(80, 120 - 10, 50, "Keys", &b, 4);
    f1.paint();
    f2.paint();

    // The toggle's bar is lit when on; the pushed look differs; the Shade widgets need no ready flag.
    EXPECT_EQ(image.pixel(65, 83), 0x00FFFF);
    EXPECT_NE(image.pixel(165, 83), 0x00FFFF);
    const Limage released(image);
    buttons.at(0).click(50, 50);
    EXPECT_GT(countDiffering(image, 20, 40, 110, 62, 0x123456), 0);
    int changed = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int xx = 0; xx < image.width(); ++xx) changed += image.pixel(xx, y) != released.pixel(xx, y);
    EXPECT_GT(changed, 50);
    EXPECT_EQ(window.canvas().pixel(60, 50), image.pixel(60, 50));
    EXPECT_FALSE(savePng(image, name("shade-widgets")).empty());
}

INSTANTIATE_TEST_SUITE_P(Looks, Gallery, ::testing::Values(Look{"dark", false}, Look{"light", true}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
