// The Shade message box: title line, sizes, buttons and their results, keys, close box, the end of
// the wait when the window is hidden or a quit is pending, the link, and the screenshots.
#include "ui/shadedialog.h"

#include <QTest>
#include <gtest/gtest.h>

#include "../common/qtapp.h"
#include "popup_rig.h"

namespace {

Llist<std::string> list(std::initializer_list<const char*> texts) {
    Llist<std::string> l;
    for (const char* t : texts) l.add(t);
    return l;
}

QPoint inside(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

struct ShadeDialogTest : ::testing::Test {
    PopupRig rig;
    void SetUp() override {
        ensureQtApp();
        shadeDarkSkin() = true;
    }
    void TearDown() override { TFshadeDialog::onShown() = nullptr; }
    // Runs the box with `act` done once it shows.
    int run(Llist<std::string>& lines, bool hasCancel, bool hasNo, std::function<void(TFshadeDialog&)> act) {
        TFshadeDialog::onShown() = std::move(act);
        return showShadeDialog(nullptr, lines, hasCancel, hasNo);
    }
};

} // namespace

TEST_F(ShadeDialogTest, ALeadingTitleLineTitlesTheBoxAndLeavesTheCaller) {
    Llist<std::string> lines = list({"title:Mixer help", "One line"});
    std::string title;
    int shown = 0;
    EXPECT_EQ(run(lines, false, false,
                  [&](TFshadeDialog& d) {
                      title = d.title;
                      shown = d.lines.count();
                      QTest::keyClick(&d, Qt::Key_Return);
                  }),
              1);
    EXPECT_EQ(title, "Mixer help");
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(lines.count(), 1);
    EXPECT_EQ(lines.at(0), "One line");

    // "title:" elsewhere in the line is text.
    lines = list({"A line with title: inside", "Two"});
    run(lines, false, false, [&](TFshadeDialog& d) {
        title = d.title;
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(title, "");
    EXPECT_EQ(lines.count(), 2);
}

TEST_F(ShadeDialogTest, OkAloneEnterAndEsc) {
    Llist<std::string> lines = list({"Saved."});
    int w = 0, h = 0;
    TRect ok;
    EXPECT_EQ(run(lines, false, false,
                  [&](TFshadeDialog& d) {
                      w = d.width();
                      h = d.height();
                      ASSERT_EQ(d.ui.buttons.count(), 1);
                      ok = d.ui.buttons.at(0).rect;
                      QTest::keyClick(&d, Qt::Key_Return);
                  }),
              1);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(ok.Left, w - 124);
    EXPECT_EQ(ok.Top, h - 48);
    EXPECT_EQ(run(lines, false, false, [](TFshadeDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }), -1);
    // Other keys leave the box open; a click on OK answers 1.
    EXPECT_EQ(run(lines, false, false,
                  [](TFshadeDialog& d) {
                      QTest::keyClick(&d, Qt::Key_Down);
                      EXPECT_FALSE(d.ui.closeRequested);
                      QTest::mouseClick(&d, Qt::LeftButton, {}, inside(d.ui.buttons.at(0).rect));
                  }),
              1);
}

TEST_F(ShadeDialogTest, YesNoCancelButtonsAnswerTheirIds) {
    Llist<std::string> lines = list({"Store the changes?"});
    for (int pick = 0; pick < 3; ++pick) {
        TRect rects[3];
        const int expected[3] = {-1, 2, 1};
        const int result = run(lines, true, true, [&](TFshadeDialog& d) {
            ASSERT_EQ(d.ui.buttons.count(), 3);
            for (int i = 0; i < 3; ++i) rects[i] = d.ui.buttons.at(i).rect;
            QTest::mouseClick(&d, Qt::LeftButton, {}, inside(rects[pick]));
        });
        EXPECT_EQ(result, expected[pick]) << pick;
        EXPECT_EQ(rects[0].Left, 480 - 124);
        EXPECT_EQ(rects[1].Left, 480 - 232);
        EXPECT_EQ(rects[2].Left, 480 - 340);
    }
}

TEST_F(ShadeDialogTest, CloseBoxHideAndQuitEndTheWaitWithMinusOne) {
    Llist<std::string> lines = list({"Text"});
    EXPECT_EQ(
        run(lines, false, true,
            [](TFshadeDialog& d) { QTest::mouseClick(&d, Qt::LeftButton, {}, inside(d.ui.closeRect)); }),
        -1);
    EXPECT_EQ(run(lines, false, true, [](TFshadeDialog& d) { d.close(); }), -1);
    EXPECT_EQ(run(lines, false, true, [&](TFshadeDialog&) { rig.loop.abort = true; }), -1);
    rig.loop.abort = false;
    // Hidden a few passes later: the wait has kept playback ticking meanwhile.
    TFshadeDialog* shown = nullptr;
    rig.loop.then([] {});
    rig.loop.then([&] { shown->hide(); });
    EXPECT_EQ(run(lines, false, true, [&](TFshadeDialog& d) { shown = &d; }), -1);
    EXPECT_EQ(rig.loop.idleTicks, 2);
    EXPECT_FALSE(rig.loop.abort);
}

TEST_F(ShadeDialogTest, WidthFollowsTheWidestLineAndBoldLines) {
    const std::string longLine(110, 'W');
    Llist<std::string> lines;
    lines.add(longLine);
    lines.add("~" + longLine);
    int w = 0, h = 0, lineHeight = 0;
    run(lines, false, false, [&](TFshadeDialog& d) {
        w = d.width();
        h = d.height();
        lineHeight = d.lineHeight;
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    Bitmap24 scratch;
    Canvas& c = scratch.canvas();
    c.font = Font{"Tahoma", -11, true};
    const int bold = c.textWidth(longLine);
    QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(w, std::min(std::max(480, bold + 40), screen->geometry().width()));
    EXPECT_EQ(lineHeight, c.textHeight("X") + 3);
    EXPECT_EQ(h, 50 + 75 + 2 * lineHeight);
}

TEST_F(ShadeDialogTest, TheLinkIsTheWwwTokenAndOpensOnAClick) {
    EXPECT_EQ(shadeLinkToken("Visit www.example.com/help for more"), "www.example.com/help");
    EXPECT_EQ(shadeLinkToken("See https://www.example.org."), "https://www.example.org.");
    EXPECT_EQ(shadeLinkToken("No link here"), "");
    std::string opened;
    setWebLinkOpener([&](const std::string& url) {
        opened = url;
        return true;
    });
    Llist<std::string> lines = list({"Read more:", "Visit www.example.com/help for more"});
    std::string linkText;
    TRect linkRect;
    run(lines, false, false, [&](TFshadeDialog& d) {
        linkText = d.linkText;
        linkRect = d.linkRect;
        QTest::mouseClick(&d, Qt::LeftButton, {}, QPoint(d.leftMargin + 2, d.topMargin + 3)); // plain text
        EXPECT_EQ(opened, "");
        QTest::mouseClick(&d, Qt::LeftButton, {}, inside(linkRect));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    setWebLinkOpener(nullptr);
    EXPECT_EQ(linkText, "www.example.com/help");
    EXPECT_GT(linkRect.Left, 20 + 10); // starts after "Visit "
    EXPECT_EQ(opened, "http://www.example.com/help");
}

TEST_F(ShadeDialogTest, ScreenshotsInBothSkins) {
    for (bool dark : {true, false}) {
        shadeDarkSkin() = dark;
        Llist<std::string> lines = list({"title:Custom mixes", "~Store the mix for this style?",
                                         "The mix is used whenever the style is chosen.",
                                         "More about mixes: www.quovelanta.example/mixes"});
        run(lines, true, true, [&](TFshadeDialog& d) {
            EXPECT_FALSE(saveScreen(d, dark ? "shade_dialog_dark" : "shade_dialog_light").empty());
            QTest::keyClick(&d, Qt::Key_Escape);
        });
    }
    shadeDarkSkin() = true;
}
