// The Shade container: title bar and boxes, window drag, builder, hit tests with the change callback,
// the menu grip, web links, and the current container after a callback that runs a message box.
#include "ui/shadeui.h"

#include <QTest>
#include <gtest/gtest.h>

#include "../common/qtapp.h"
#include "popup_rig.h"
#include "ui/shadedialog.h"

namespace {

struct ShadeFixture : ::testing::Test {
    PopupRig rig;
    ShadeUI ui;
    std::unique_ptr<ShadeWindow> window;
    int changes = 0;
    ShadeUI* currentInCallback = nullptr;
    void* changedInCallback = nullptr;
    std::function<void()> extra;

    void SetUp() override {
        ensureQtApp();
        shadeDarkSkin() = true;
        window = std::make_unique<ShadeWindow>(ui);
        window->resize(400, 300);
        window->move(100, 80);
        window->show();
    }
    void TearDown() override { TFshadeDialog::onShown() = nullptr; }
    void build(bool small = false) {
        ui.attach(window.get(), "Mixer", small, true);
        ui.begin(
            [this] {
                ++changes;
                currentInCallback = currentShadeUI();
                changedInCallback = currentShadeUI()->changedVariable;
                if (extra) extra();
            },
            nullptr);
    }
    TPoint screen(int x, int y) const {
        const QPoint g = window->mapToGlobal(QPoint(x, y));
        return {g.x(), g.y()};
    }
    void press(int x, int y) { ui.mouseDown({x, y}, screen(x, y)); }
};

} // namespace

TEST_F(ShadeFixture, TitleBarBoxesOfNormalAndSmallWindows) {
    build();
    EXPECT_EQ(ui.faceColour, 0x505050);
    EXPECT_EQ(ui.textColour, 0x88AEBE);
    ASSERT_EQ(ui.titleHotRects.count(), 1);
    EXPECT_EQ(ui.titleHotRects.at(0), (TRect{10, 4, 29, 23}));
    EXPECT_EQ(ui.minimiseRect, (TRect{355, 4, 371, 23}));
    EXPECT_EQ(ui.closeRect, (TRect{372, 4, 388, 23}));
    EXPECT_TRUE(ui.inTitleBar(37, 32));
    EXPECT_FALSE(ui.inTitleBar(36, 10)); // too near the grip
    EXPECT_FALSE(ui.inTitleBar(348, 10));
    EXPECT_TRUE(ui.inTitleBar(347, 10));
    EXPECT_FALSE(ui.inTitleBar(200, 33));

    shadeDarkSkin() = false;
    ui.attach(window.get(), "", true, false);
    EXPECT_EQ(ui.faceColour, 0xE0E0E0);
    EXPECT_EQ(ui.titleHotRects.count(), 0);
    EXPECT_EQ(ui.minimiseRect.Left, -1);
    EXPECT_EQ(ui.closeRect.Left, -1);
    // No grip: the bar starts at the left.
    EXPECT_TRUE(ui.inTitleBar(10, 10));
    EXPECT_TRUE(ui.inTitleBar(390, 10));
    ui.attach(window.get(), "", true, true);
    EXPECT_FALSE(ui.inTitleBar(370, 10));
}

TEST_F(ShadeFixture, APressInTheTitleBarDragsTheWindowAndReachesNoWidget) {
    build();
    bool flag = false;
    ui.setX(100).setY(10).setWidth(100).toggle("Over", &flag);
    const QPoint start = window->pos();
    press(150, 32);
    EXPECT_FALSE(flag);
    EXPECT_EQ(changes, 0);
    if (ui.dragging) { // no window manager to move it: the window follows the mouse itself
        ui.mouseMove({150, 32}, {screen(150, 32).x + 30, screen(150, 32).y + 20});
        EXPECT_EQ(window->pos(), start + QPoint(30, 20));
        EXPECT_EQ(window->cursor().shape(), Qt::SizeAllCursor);
    }
    ui.mouseUp();
    EXPECT_FALSE(ui.dragging);
    ui.mouseMove({150, 100}, screen(150, 100));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ShadeFixture, BuilderCursorAndCells) {
    build();
    int x = 0, y = 0;
    ui.getXY(x, y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 56);
    ui.setHeight(30).setWidth(0);
    EXPECT_EQ(ui.cellWidth, 30); // square
    ui.setHeight(0);
    EXPECT_EQ(ui.cellHeight, 22);
    ui.setWidth(100).setX(20).nextColumn(8).addX(2).addY(-6).getXY(x, y);
    EXPECT_EQ(x, 130);
    EXPECT_EQ(y, 50);
    double level = 0.5;
    ui.setHeight(120).fader("Vol", &level, 0, 10, -1);
    EXPECT_EQ(ui.cellWidth, ui.faders.at(0).rect.Right - ui.faders.at(0).rect.Left);
    EXPECT_EQ(ui.faders.at(0).knobColour, ShadeFader::kDarkSkinKnob);
    // Without begin (or before attaching) nothing is added.
    ShadeUI loose;
    loose.button("x", 1).toggle("y", nullptr);
    EXPECT_EQ(loose.buttons.count(), 0);
}

TEST_F(ShadeFixture, PushTogglesAndFadersReportThroughTheCallback) {
    build();
    bool mute = false;
    double level = 0.5;
    ui.setWidth(80).button("Store", 7).addY(30).toggle("Mute", &mute).setX(200).setY(60).setHeight(150);
    ui.fader("Vol", &level, 0, 10, -1);
    press(30, 60);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(ui.buttonClicked);
    EXPECT_EQ(ui.clickedId, 7);
    EXPECT_EQ(ui.changedVariable, nullptr);
    EXPECT_EQ(currentInCallback, &ui);
    ui.mouseUp();
    EXPECT_FALSE(ui.buttons.at(0).pressed);

    press(30, 90);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(mute);
    EXPECT_EQ(changedInCallback, &mute);
    EXPECT_FALSE(ui.buttonClicked);
    EXPECT_EQ(ui.clickedId, -1);
    ui.mouseUp();

    // A press on the fader track jumps the value; moves drag it and report each change.
    const TRect r = ui.faders.at(0).rect;
    const int cx = (r.Left + r.Right) / 2;
    press(cx, r.Bottom - 20);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(changedInCallback, &level);
    const double low = level;
    ui.mouseMove({cx, r.Bottom - 60}, screen(cx, r.Bottom - 60));
    EXPECT_EQ(changes, 4);
    EXPECT_GT(level, low);
    ui.mouseMove({cx, r.Bottom - 60}, screen(cx, r.Bottom - 60)); // no change, no call
    EXPECT_EQ(changes, 4);
    ui.mouseUp();
    ui.mouseMove({cx, r.Bottom - 100}, screen(cx, r.Bottom - 100)); // released: nothing
    EXPECT_EQ(changes, 4);
    // A press in the fader's top 15 px does nothing.
    press(cx, r.Top + 5);
    EXPECT_EQ(changes, 4);
}

TEST_F(ShadeFixture, CloseMinimiseAndMenuGrip) {
    TPoint anchor{-5, -5};
    ui.attach(window.get(), "Mixer", false, true);
    ui.begin([] {}, [&](TPoint p) { anchor = p; });
    press(380, 10);
    EXPECT_TRUE(ui.closeRequested);
    press(360, 10);
    EXPECT_TRUE(ui.minimiseRequested);
    press(15, 10);
    EXPECT_EQ(anchor, screen(10, 23));
    EXPECT_EQ(lastMenuAnchor(), anchor);
}

TEST_F(ShadeFixture, TheCurrentContainerReturnsAfterACallbackThatRunsAMessageBox) {
    build();
    ui.button("Help", 3);
    int answer = 0;
    int idAfter = 0;
    ShadeUI* currentAfter = nullptr;
    extra = [&] {
        if (currentShadeUI()->clickedId != 3) return;
        TFshadeDialog::onShown() = [](TFshadeDialog& d) {
            // The user presses Yes in the box.
            const TRect yes = d.ui.buttons.at(d.ui.buttons.count() - 1).rect;
            QTest::mouseClick(&d, Qt::LeftButton, {}, QPoint(yes.Left + 5, yes.Top + 5));
        };
        Llist<std::string> lines;
        lines.add("Store the mix?");
        answer = currentShadeUI()->showDialog(lines, false, true);
        currentAfter = currentShadeUI();
        idAfter = currentShadeUI()->clickedId;
    };
    press(30, 60);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(currentAfter, &ui);
    EXPECT_EQ(idAfter, 3);
    EXPECT_EQ(currentShadeUI(), &ui);
}

TEST(ShadeLinks, SchemesAreKeptAndBareLinksGetHttp) {
    EXPECT_EQ(webLinkAddress("www.example.com/help"), "http://www.example.com/help");
    EXPECT_EQ(webLinkAddress("https://www.example.com"), "https://www.example.com");
    EXPECT_EQ(webLinkAddress("http://www.example.com"), "http://www.example.com");
    EXPECT_EQ(webLinkAddress("").rfind("http://www.", 0), 0u);
    std::string opened;
    setWebLinkOpener([&](const std::string& url) {
        opened = url;
        return true;
    });
    EXPECT_EQ(openWebLink(nullptr, "https://www.example.com/a"), ShellOpenResult::Opened);
    EXPECT_EQ(opened.rfind("https://www.example.com/a", 0), 0u);
    setWebLinkOpener(nullptr);
}

TEST_F(ShadeFixture, WindowScreenshotsInBothSkins) {
    bool mute = true;
    double levels[3] = {0.8, 0.5, 0.2};
    for (bool dark : {true, false}) {
        shadeDarkSkin() = dark;
        build();
        ui.setX(20).setY(50).label("Levels").addY(18).line(160).addY(8).setHeight(120);
        for (double& level : levels) ui.fader("Vol", &level, 0, 10, -1).nextColumn(12);
        ui.setX(250).setY(70).setWidth(100).setHeight(22).toggle("Mute", &mute).addY(30).button("Store", 4);
        ui.present();
        EXPECT_FALSE(saveScreen(*window, dark ? "shade_window_dark" : "shade_window_light").empty());
    }
    shadeDarkSkin() = true;
}
