// The rows of the pages as data: text markup and the link rectangle, widgets bound to their variables,
// selector rows and their value slots (out-of-range values and slots), and the popup a value box opens.
#include <gtest/gtest.h>

#include "dialog_rig.h"
#include "engine/options.h"
#include "tests/common/tempdir.h"

using namespace dlg;

namespace {

// A page built but not shown, with the options the rows read.
struct RowsRig {
    TempDir dir;
    Options options{Llist<std::string>(), dir.file("options.cfg")};
    DialogServices saved = dialogServices();
    RowsRig() {
        ensureQtApp();
        dialogServices().options = &options;
    }
    ~RowsRig() { dialogServices() = saved; }
};

bool sameImage(const Limage& a, const Limage& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

} // namespace

TEST(DialogRows, TextMarkupMakesBoldTextsAndLinks) {
    RowsRig rig;
    TFdialog page(kPageOptions);
    page.beginPage(600, 300, "Rows");
    page.drawPageText(25, 50, "^Bold only");
    EXPECT_EQ(page.linkRect, (TRect{-1, -1, -1, -1}));

    Canvas& c = *page.dialogImage.canvas();
    c.font = Font{};
    const int plain = c.textWidth("Link text");
    c.font.bold = true;
    const int bold = c.textWidth("Link text");
    c.font = Font{};
    ASSERT_GT(bold, plain);

    page.drawPageText(25, 70, "~Link text");
    EXPECT_EQ(page.linkRect.Left, 25);
    EXPECT_EQ(page.linkRect.Top, 70);
    EXPECT_EQ(page.linkRect.Right, 25 + plain);
    page.drawPageText(40, 90, "^~Link text"); // bold and a link; the last link wins
    EXPECT_EQ(page.linkRect.Left, 40);
    EXPECT_EQ(page.linkRect.Right, 40 + bold);
    page.drawPageText(30, 110, "^www.example.org");
    EXPECT_EQ(page.linkRect.Top, 110);
    page.drawPageText(30, 130, "Just www.example.org");
    EXPECT_EQ(page.linkRect.Top, 110);
    // Links are drawn in the link colour, clipped at the right margin.
    page.drawPageText(560, 150, "~Far right text");
    EXPECT_EQ(page.dialogImage.pixel(580, 160), page.pageBackground);
}

TEST(DialogRows, WidgetsAreBoundAndReportTheirChanges) {
    LoopScope s;
    RowsRig rig;
    bool flag = false, symbolFlag = true;
    int choice = 0;
    double level = 0.5, wide = 0.5;
    TFdialog page(kPagePrecount);
    page.beginPage(400, 300, "Rows");
    const int check = page.addCheckBox(25, 50, "Check", &flag);
    const int own = page.addCheckBox(25, 80, "<", &symbolFlag);
    const int r0 = page.addRadioButton(25, 110, "Zero", &choice, 0);
    const int r1 = page.addRadioButton(25, 140, "One", &choice, 1);
    const int push = page.addPushButton(25, 180, 80, "Push", true);
    const int fader = page.addFader(200, 40, "Level", &level, 50);
    page.addFader(260, 40, "%Wide", &wide, 50);
    EXPECT_EQ(page.controls.buttons.at(check).rect, (TRect{25, 50, 52, 72}));
    EXPECT_EQ(page.controls.buttons.at(own).toggleTarget, &symbolFlag);
    EXPECT_EQ(page.controls.buttons.at(r1).radioValue, 1);
    EXPECT_EQ(page.controls.buttons.at(push).rect, (TRect{25, 180, 105, 213}));
    EXPECT_EQ(page.controls.faders.at(fader).label, "Level");
    EXPECT_EQ(page.controls.faders.at(1).label, "Wide");
    EXPECT_EQ(page.controls.faders.at(fader).rect, (TRect{200, 40, 240, 40 + 50 + 15 + 36}));

    std::vector<std::pair<void*, bool>> changes;
    page.onValueChanged = [&](void* v, bool isClick) { changes.push_back({v, isClick}); };
    s.then([&] {
        TPoint c = centreOf(page.controls.buttons.at(check).rect);
        click(&page, c.x, c.y);
        c = centreOf(page.controls.buttons.at(r1).rect);
        click(&page, c.x, c.y);
        // The fader: press on its knob, drag up 20 pixels.
        const TRect f = page.controls.faders.at(fader).rect;
        const int travel = (f.Bottom - 18) - (f.Top + 15 + 18);
        const int knob = f.Top + 15 + 18 + travel / 2;
        press(&page, 220, knob);
        dragTo(&page, 220, knob - 20);
        release(&page, 220, knob - 20);
        pressTopKey(Qt::Key_Escape);
    });
    EXPECT_EQ(page.showPage("OK", "", ""), -1);
    EXPECT_TRUE(flag);
    EXPECT_EQ(choice, 1);
    EXPECT_GT(level, 0.5);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0], (std::pair<void*, bool>{&flag, true}));
    EXPECT_EQ(changes[1], (std::pair<void*, bool>{&choice, true}));
    EXPECT_EQ(changes[2], (std::pair<void*, bool>{&level, false}));
    (void)r0;
}

TEST(DialogRows, SelectorRowsShowListItemsAndOutOfRangeValuesSafely) {
    RowsRig rig;
    EXPECT_EQ(slotItem(rig.options.precountModeNames, 0), rig.options.precountModeNames.at(0));
    EXPECT_EQ(slotItem(rig.options.precountModeNames, -1), "");
    EXPECT_EQ(slotItem(rig.options.precountModeNames, 1000), "");
    Llist<std::string> clamping;
    clamping.outOfRangeMode = 1;
    clamping.add("only");
    EXPECT_EQ(slotItem(clamping, 3), ""); // never the list's own clamped read

    TFdialog page(kPageOptions);
    page.beginPage(708, 397, "Options");
    rig.options.midiDevice = 40; // no such device
    rig.options.displayTextColor = -7;
    page.drawMidiDeviceRow();
    page.drawTextColorRow();
    EXPECT_EQ(page.selectorSlots[0].rect, (TRect{120, 50, 314, 72}));
    EXPECT_EQ(page.selectorSlots[2].rect, (TRect{467, 170, 571, 192}));
    EXPECT_EQ(page.slotItems[0].count(), rig.options.midiDeviceNames.count());
    EXPECT_EQ(page.slotItems[2].count(), rig.options.displayTextColorNames.count());

    TFdialog precount(kPagePrecount);
    precount.beginPage(310, 240, "Precount");
    rig.options.precountWait = 99;
    precount.drawPrecountModeRow();
    precount.drawPrecountSoundRow();
    precount.drawPrecountWaitRow();
    EXPECT_EQ(precount.selectorSlots[2].rect, (TRect{61, 110, 141, 132}));

    // A slot outside 0..9 draws nothing.
    Limage before;
    before.assign(precount.dialogImage);
    precount.addSelectorRow(25, 150, 36, 80, "Bad", "x", 10);
    precount.addSelectorRow(25, 150, 36, 80, "Bad", "x", -1);
    EXPECT_TRUE(sameImage(before, precount.dialogImage));
}

TEST(DialogRows, AValueBoxOffersItsSlotsItemsThroughThePopupMenu) {
    LoopScope s;
    RowsRig rig;
    struct Call {
        int count, current, x, y;
        TColor colour;
        int width;
    };
    std::vector<Call> calls;
    int answer = 2;
    bool popupShowing = false;
    int closedPopups = 0;
    dialogServices().showPopupMenu = [&](const Llist<std::string>& items, int current, int x, int y,
                                         TColor colour, int width) {
        calls.push_back({items.count(), current, x, y, colour, width});
        return answer;
    };
    dialogServices().popupMenuVisible = [&] { return popupShowing; };
    dialogServices().closePopupMenu = [&] {
        ++closedPopups;
        popupShowing = false;
    };

    TFdialog page(kPagePrecount);
    page.beginPage(310, 240, "Precount");
    page.drawPrecountModeRow();
    std::vector<std::pair<int, int>> choices;
    page.onSelectorClick = [&](int slot, int index) { choices.push_back({slot, index}); };
    QPoint origin;
    s.then([&] {
        origin = page.mapToGlobal(QPoint(0, 0));
        const TRect box = page.selectorSlots[0].rect;
        click(&page, box.Left + 3, box.Top + 3); // chooses item 2
        answer = 77;
        click(&page, box.Left + 3, box.Top + 3); // an index outside the list counts as nothing
        answer = -1;
        click(&page, box.Left + 3, box.Top + 3);   // dismissed
        click(&page, box.Right + 30, box.Top + 3); // outside the box: no popup
        popupShowing = true;
        click(&page, box.Left + 3, box.Top + 3); // a press while a popup shows only closes it
        pressTopKey(Qt::Key_Escape);
    });
    EXPECT_EQ(page.showPage("OK", "", ""), -1);
    ASSERT_EQ(calls.size(), 3u);
    const TRect box = page.selectorSlots[0].rect;
    EXPECT_EQ(calls[0].count, rig.options.precountModeNames.count());
    EXPECT_EQ(calls[0].current, -1);
    EXPECT_EQ(calls[0].x, origin.x() + box.Left - 5);
    EXPECT_EQ(calls[0].y, origin.y() + box.Bottom);
    EXPECT_EQ(calls[0].width, box.Right - box.Left + 10);
    EXPECT_EQ(calls[0].colour, scaleColour(page.theme.dimTextColour(), 0.95f));
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0], (std::pair<int, int>{0, 2}));
    EXPECT_EQ(closedPopups, 1);

    // openSelectorPopup itself: outside the box, a bad slot or an empty list give -1.
    answer = 1;
    EXPECT_EQ(page.openSelectorPopup(box.Left + 2, box.Top + 2, rig.options.precountModeNames, 0), 1);
    EXPECT_EQ(page.openSelectorPopup(box.Right + 10, box.Top + 2, rig.options.precountModeNames, 0), -1);
    EXPECT_EQ(page.openSelectorPopup(box.Left + 2, box.Top + 2, rig.options.precountModeNames, 12), -1);
    EXPECT_EQ(page.openSelectorPopup(box.Left + 2, box.Top + 2, Llist<std::string>(), 0), -1);
}

TEST(DialogRows, ConnectorsAndTabs) {
    RowsRig rig;
    bool a = true, b = false;
    TFdialog page(kPageSessionLinks);
    page.beginPage(548, 229, "Session Links");
    page.selectedLinkTab = 2;
    page.drawLinkTabs();
    ASSERT_EQ(page.tabRects.count(), 5);
    EXPECT_EQ(page.tabRects.at(0), (TRect{24, 37, 67, 52}));
    EXPECT_EQ(page.tabRects.at(4), (TRect{24 + 4 * 43, 37, 24 + 5 * 43, 52}));
    const int i = page.addCheckBox(25, 80, "A", &a);
    const int j = page.addCheckBox(45, 120, "B", &b);
    const TColor line = mixColours(page.pageBackground, page.pageTextColour, 0.4f);
    page.drawIndentConnector(i, j);
    const TRect ra = page.controls.buttons.at(i).rect;
    EXPECT_EQ(page.dialogImage.pixel((ra.Left + ra.Right) / 2, ra.Bottom + 5), line);
    page.drawIndentConnector(i, 9); // no such widget: nothing
    page.drawRowConnector(-1, j);
    // beginPage starts the tabs afresh.
    page.beginPage(548, 229, "Again");
    EXPECT_EQ(page.tabRects.count(), 0);
    EXPECT_EQ(page.selectedLinkTab, 0);
    EXPECT_EQ(page.controls.buttons.count(), 0);
}
