// The four "OK only" setting pages: the fade-out text mapping, the n-th bar list, the undo steps and
// their merging in a real history, the precount rows, and the visual transpose repaints.
#include <gtest/gtest.h>

#include "dialogs/accompanimentpages.h"
#include "dialogs/settingspages.h"
#include "platform/qt/keymap.h"
#include "settingspages_rig.h"
#include "ui/shadedialog.h"

using pages::Rig;

TEST(FadeOutText, EveryChoiceRoundTripsAndTheFromLastPointTextToo) {
    const Llist<std::string>& items = QvCore::fadeOutChoices();
    ASSERT_EQ(items.count(), 21);
    std::vector<int> values;
    for (const std::string& item : items) {
        const std::string shown = item[0] == '-' ? item.substr(1) : item;
        const int v = fadeOutValue(item);
        values.push_back(v);
        EXPECT_EQ(fadeOutText(v), shown) << item;
        EXPECT_EQ(fadeOutValue(fadeOutText(v)), v) << item;
    }
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values[1], 30);
    EXPECT_EQ(values[13], 1);
    EXPECT_EQ(values[14], -16);
    EXPECT_EQ(values.back(), -1);
    EXPECT_EQ(fadeOutText(kFadeFromLastPoint), "From last Arrangement Point");
    EXPECT_EQ(fadeOutValue("From last Arrangement Point"), kFadeFromLastPoint);
    EXPECT_EQ(fadeOutValue(QvCore::fromLastPointText()), kFadeFromLastPoint);
    EXPECT_EQ(fadeOutText(-2), "2 bars");
    EXPECT_EQ(fadeOutText(-1), "1 bar");
    EXPECT_EQ(fadeOutText(7), "7 sec");
    // Texts that are no choice give "Off".
    EXPECT_EQ(fadeOutValue("Off"), 0);
    EXPECT_EQ(fadeOutValue("12 parts"), 0);
    EXPECT_EQ(fadeOutValue("x bars"), 0);
    EXPECT_EQ(fadeOutValue(""), 0);
}

TEST(AutoCymbalList, FirstItemNamesTheStyleDefault) {
    Llist<std::string> items = autoCymbalItems(4);
    ASSERT_EQ(items.count(), 11);
    EXPECT_EQ(items.at(0), "Style's default: 4");
    EXPECT_EQ(items.at(1), "-1");
    EXPECT_EQ(items.at(10), "32");
    EXPECT_EQ(autoCymbalItems(0).at(0), "Style's default: off");
    EXPECT_EQ(autoCymbalText(0, 8), "Style's default: 8");
    EXPECT_EQ(autoCymbalText(6, 8), "6");
}

TEST(FadeOutPage, ChoicesSetTheSessionAndRecordUnmergedSteps) {
    Rig r;
    r.core().fadeOutMode = kFadeFromLastPoint;
    r.then([&] { r.choose(0, 6); });  // "10 sec"
    r.then([&] { r.choose(0, 16); }); // "8 bars"
    r.then([&] { r.choose(0, 0); });  // "Off"
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showFadeOutPage(r.app());
    EXPECT_EQ(r.offered.count(), 21);
    EXPECT_EQ(r.core().fadeOutMode, 0);
    ASSERT_EQ(r.history().count(), 4);
    EXPECT_EQ(r.history().description(1), "Fade out: 10 sec");
    EXPECT_EQ(r.history().description(2), "Fade out: 8 bars");
    EXPECT_EQ(r.history().description(3), "Fade out: Off");
    r.history().undo();
    EXPECT_EQ(r.core().fadeOutMode, -8);
}

TEST(AccompanimentPage, NthBarAndCheckBoxesRecordMergedSteps) {
    Rig r;
    r.engine().styles.current().autoCymbal_nthBar = 4;
    r.core().autoCymbal_nthBar = 8;
    // Widgets: 0 every n-th bar, 1 on page start, 2 restart on page change, 3 repeat in loops.
    r.then([&] { r.choose(0, 0); }); // the style's default
    r.then([&] {
        EXPECT_EQ(r.core().autoCymbal_nthBar, 0);
        EXPECT_EQ(r.offered.at(0), "Style's default: 4");
        EXPECT_EQ(r.newest(), "Auto cymbal every n-th bar: Style's default: 4");
    });
    r.then([&] { r.choose(0, 5); }); // "6"
    r.then([&] { r.clickWidget(0); });
    r.then([&] { r.clickWidget(1); });
    r.then([&] { r.clickWidget(1); });
    r.then([&] { r.clickWidget(2); });
    r.then([&] { r.clickWidget(3); });
    r.then([&] { dlg::pressTopKey(Qt::Key_Return); });
    EXPECT_TRUE(showAccompanimentPage(r.app()));
    EXPECT_EQ(r.core().autoCymbal_nthBar, 6);
    EXPECT_FALSE(r.core().autoCymbal);
    EXPECT_FALSE(r.core().cymbalOnPageStart);
    EXPECT_FALSE(r.core().restartStyleOnPageChange);
    EXPECT_TRUE(r.core().rewindStyleInLoops);
    // The three n-th bar steps share one entry, as do the two page-start clicks.
    ASSERT_EQ(r.history().count(), 5);
    EXPECT_EQ(r.history().description(1), "Auto cymbal every n-th bar: off");
    EXPECT_EQ(r.history().description(2), "Auto cymbal on page start: off");
    EXPECT_EQ(r.history().description(3), "Restart music style on page change: off");
    EXPECT_EQ(r.history().description(4), "Repeat music style segment in loops: on");
    r.history().undo();
    r.history().undo();
    EXPECT_TRUE(r.core().restartStyleOnPageChange);
    EXPECT_FALSE(r.core().rewindStyleInLoops);
}

TEST(PrecountPage, ChoicesSetTheOptionsAndEveryRowShowsItsValue) {
    Rig r;
    Options& o = r.options();
    std::vector<TColor> shown;
    auto boxPixels = [](TFdialog& page) {
        std::vector<TColor> px;
        for (int slot = 0; slot < 3; ++slot) {
            const TRect b = page.selectorSlots[slot].rect;
            for (int y = b.Top; y < b.Bottom; ++y)
                for (int x = b.Left; x < b.Right; ++x) px.push_back(page.dialogImage.pixel(x, y));
        }
        return px;
    };
    r.then([&] { r.choose(2, 0); });
    r.then([&] { EXPECT_EQ(o.precountWait, -1); });
    r.then([&] { r.choose(2, 3); });
    r.then([&] { r.choose(1, 4); });
    r.then([&] {
        r.host.clear();
        r.choose(0, 2);
        EXPECT_EQ(r.host.count("precountBox"), 1);
        shown = boxPixels(r.top());
    });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showPrecountPage(r.app());
    EXPECT_EQ(o.precountWait, 2);
    EXPECT_EQ(o.precountSound, 4);
    EXPECT_EQ(o.precountMode, 2);
    // What the rows show is what a freshly built page shows for these values.
    TFdialog fresh(kPagePrecount);
    fresh.beginPage(310, 240, "Precount");
    fresh.drawPrecountModeRow();
    fresh.drawPrecountSoundRow();
    fresh.drawPrecountWaitRow();
    EXPECT_EQ(boxPixels(fresh), shown);
}

TEST(VisualTransposePage, AChoiceRepaintsThePageAndTheBoxTheCheckBoxThePanels) {
    Rig r;
    int boxRepaints = 0;
    settingsWindowHooks().repaintTransposingInstrumentBox = [&] { ++boxRepaints; };
    r.then([&] { r.choose(1, 10); });
    r.then([&] {
        EXPECT_EQ(r.options().visualTranspose, 10);
        EXPECT_EQ(r.host.count("page"), 1);
        EXPECT_EQ(boxRepaints, 1);
        r.host.clear();
    });
    r.then([&] { r.clickWidget(0); });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showVisualTransposePage(r.app());
    settingsWindowHooks() = SettingsWindowHooks{};
    EXPECT_TRUE(r.options().visualTranspose_selector);
    EXPECT_EQ(r.host.count("panels"), 1);
    EXPECT_EQ(r.offered.count(), 12);
    EXPECT_EQ(r.history().count(), 1); // options record nothing
}

TEST(AccompanimentPage, TheHelpCircleShowsTheLoopTextInTheShadeBox) {
    Rig r;
    Llist<std::string> shown;
    TColor text = -1;
    TFshadeDialog::onShown() = [&](TFshadeDialog& box) {
        shown = box.lines;
        text = box.ui.textColour;
        box.dialogKeyDown(vk::Escape);
    };
    TColor pageText = -2;
    r.then([&] {
        TFdialog& page = r.top();
        pageText = page.pageTextColour;
        const TPoint p = dlg::centreOf(page.helpRect);
        dlg::click(&page, p.x, p.y);
    });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    EXPECT_TRUE(showAccompanimentPage(r.app()));
    TFshadeDialog::onShown() = nullptr;
    ASSERT_EQ(shown.count(), 7);
    EXPECT_EQ(shown.at(0).rfind("If enabled, the accompaniment pattern will be synchronized", 0), 0u);
    EXPECT_EQ(shown.at(1), "");
    (void)text;
    (void)pageText;
    EXPECT_EQ(r.history().count(), 1);
}
