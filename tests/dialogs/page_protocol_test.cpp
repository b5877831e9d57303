// The page protocol: bottom buttons and their results, Esc and Enter, a press released elsewhere, a
// page closed by the window or by the quit path, nested pages and a message box asked from inside a
// page, which must return to the page with everything as it was.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "dialog_rig.h"
#include "dialogs/messagebox.h"

using namespace dlg;

namespace {

// A small page with the given buttons.
int runPage(int id, const std::string& a, const std::string& b, const std::string& c,
            TFdialog** seen = nullptr) {
    TFdialog page(id);
    if (seen) *seen = &page;
    page.beginPage(500, 200, "Test");
    page.drawPageText(25, 50, "A page");
    return page.showPage(a, b, c);
}

} // namespace

TEST(DialogPage, EachBottomButtonGivesItsIndex) {
    for (int i = 0; i < 3; ++i) {
        LoopScope s;
        s.then([i] { clickTopButton(i); });
        EXPECT_EQ(runPage(kPageTranspose, "One", "Two", "Three"), i);
        EXPECT_FALSE(isDialogVisible());
        EXPECT_EQ(currentDialogPageId(), kNoPage);
    }
}

TEST(DialogPage, ButtonsAreRightAlignedAndMissingOnesLeaveNoRect) {
    LoopScope s;
    std::array<TRect, 3> rects{};
    std::array<std::string, 3> texts{};
    s.then([&] {
        rects = topDialogPage()->bottomButtonRects;
        texts = topDialogPage()->bottomButtonTexts;
        clickTopButton(1);
    });
    EXPECT_EQ(runPage(kPageFadeOut, "OK", "Cancel", ""), 1);
    // 500 wide, page id below 17: x0 = 500 - 343 - 9 + 112 (one text missing).
    EXPECT_EQ(rects[0], (TRect{260, 152, 364, 174}));
    EXPECT_EQ(rects[1], (TRect{372, 152, 476, 174}));
    EXPECT_EQ(rects[2], (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(texts[0], "OK");
    EXPECT_EQ(texts[1], "Cancel");

    // From the About page on, the buttons sit 9 pixels further right.
    s.then([&] {
        rects = topDialogPage()->bottomButtonRects;
        clickTopButton(0);
    });
    EXPECT_EQ(runPage(kPageAbout, "OK", "", ""), 0);
    EXPECT_EQ(rects[0].Left, 500 - 343 + 224);
}

TEST(DialogPage, EscClosesWithMinusOneAndEnterGivesZero) {
    LoopScope s;
    s.then([] { pressTopKey(Qt::Key_Escape); });
    EXPECT_EQ(runPage(kPageOptions, "OK", "Cancel", ""), -1);
    s.then([] { pressTopKey(Qt::Key_Return); });
    EXPECT_EQ(runPage(kPageOptions, "OK", "Cancel", ""), 0);
    s.then([] { pressTopKey(Qt::Key_Enter); });
    EXPECT_EQ(runPage(kPageOptions, "OK", "Cancel", ""), 0);
}

TEST(DialogPage, EnterOnTheTextListPageGoesToTheMemo) {
    LoopScope s;
    TFdialog page(kPageTextList);
    page.Mnotes()->setPlainText("one");
    page.beginPage(500, 300, "Global Notes");
    bool stillOpen = false;
    s.then([&] {
        page.Mnotes()->setFocus();
        key(page.Mnotes(), Qt::Key_Return);
        key(&page, Qt::Key_Return);
    });
    s.then([&] {
        stillOpen = page.isVisible() && !page.isClosed();
        key(page.Mnotes(), Qt::Key_Escape);
    });
    EXPECT_EQ(page.showPage("OK", "Cancel", ""), -1);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(page.Mnotes()->isVisibleTo(&page));
}

TEST(DialogPage, TheEditBoxPassesEnterAndEscToThePage) {
    LoopScope s;
    TFdialog page(kPagePageSequence);
    page.Esequence()->setText("ABC");
    page.beginPage(548, 172, "Edit Page Sequence");
    s.then([&] { key(page.Esequence(), Qt::Key_Return); });
    EXPECT_EQ(page.showPage("OK", "Cancel", ""), 0);
    EXPECT_EQ(page.Esequence()->maxLength(), 80);
    EXPECT_EQ(page.Esequence()->y(), 70);
}

TEST(DialogPage, AListDoubleClickGivesZeroAndAClickReportsTheItem) {
    LoopScope s;
    TFdialog page(kPageHistory);
    for (const char* t : {"[New session]", "Edit chord", "Tempo"}) page.Llistbox()->addItem(t);
    page.beginPage(400, 400, "History");
    int clicked = -2;
    page.onListClick = [&](int i) { clicked = i; };
    s.then([&] { emit page.Llistbox()->itemClicked(page.Llistbox()->item(1)); });
    s.then([&] { emit page.Llistbox()->itemDoubleClicked(page.Llistbox()->item(2)); });
    EXPECT_EQ(page.showPage("OK", "", ""), 0);
    EXPECT_EQ(clicked, 1);
}

TEST(DialogPage, APressReleasedElsewhereGivesNoResult) {
    LoopScope s;
    TFdialog* seen = nullptr;
    bool openAfterSlip = false, openAfterSwap = false;
    s.then([&] {
        const TRect r = seen->bottomButtonRects[0];
        press(seen, r.Left + 5, r.Top + 5);
        release(seen, r.Left + 5, r.Bottom + 20); // slipped off the button
        openAfterSlip = !seen->isClosed();
    });
    s.then([&] {
        const TPoint a = centreOf(seen->bottomButtonRects[0]), b = centreOf(seen->bottomButtonRects[1]);
        press(seen, a.x, a.y);
        release(seen, b.x, b.y); // pressed one, released on the other
        openAfterSwap = !seen->isClosed();
    });
    s.then([&] { clickButton(seen, 1); });
    EXPECT_EQ(runPage(kPageTranspose, "OK", "Cancel", "", &seen), 1);
    EXPECT_TRUE(openAfterSlip);
    EXPECT_TRUE(openAfterSwap);
}

TEST(DialogPage, WithoutButtonsOnlyKeysEndThePage) {
    LoopScope s;
    std::array<TRect, 3> rects{};
    s.then([&] {
        rects = topDialogPage()->bottomButtonRects;
        click(topDialogPage(), 400, 170);
    });
    s.then([] { pressTopKey(Qt::Key_Return); });
    EXPECT_EQ(runPage(kPageHotKeys, "", "Ignored", ""), 0);
    for (const TRect& r : rects) EXPECT_EQ(r, (TRect{-1, -1, -1, -1}));
}

TEST(DialogPage, TheQuitPathEndsThePageWithMinusOne) {
    LoopScope s;
    s.then([&] { s.loop.abort = true; });
    EXPECT_EQ(runPage(kPageTranspose, "OK", "Cancel", ""), -1);
    EXPECT_FALSE(isDialogVisible());

    // A pending close ends a message box inside a page and then the page.
    LoopScope t;
    int inner = 5;
    TFdialog page(kPageOptions);
    page.beginPage(500, 200, "Options");
    t.then([&] { inner = messageBoxLine("Sure?", true, true, ""); });
    t.then([&] { t.loop.abort = true; });
    EXPECT_EQ(page.showPage("OK", "", ""), -1);
    EXPECT_EQ(inner, -1);
}

TEST(DialogPage, ClosingTheWindowEndsThePageWithMinusOne) {
    LoopScope s;
    s.then([] { topDialogPage()->close(); });
    EXPECT_EQ(runPage(kPageTranspose, "OK", "Cancel", ""), -1);
    s.then([] { closeDialogPages(); });
    EXPECT_EQ(runPage(kPageTranspose, "OK", "Cancel", ""), -1);
}

TEST(DialogPage, ThePageIsApplicationModalWhileItWaits) {
    LoopScope s;
    QWidget mainWindow;
    mainWindow.resize(300, 200);
    mainWindow.show();
    bool modal = false, visible = false, blocksMain = false;
    int id = -1;
    s.then([&] {
        TFdialog* top = topDialogPage();
        modal = top->windowModality() == Qt::ApplicationModal && top->isModal();
        visible = isDialogVisible();
        id = currentDialogPageId();
        blocksMain = QApplication::activeModalWidget() == top;
        clickTopButton(0);
    });
    EXPECT_EQ(runPage(kPageFadeOut, "OK", "", ""), 0);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(blocksMain);
    EXPECT_EQ(id, kPageFadeOut);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DialogPage, TheWaitTicksPlaybackAndRunsThePagesPassHook) {
    LoopScope s;
    s.loop.playing = true;
    TFdialog page(kPageLoopHelp);
    page.beginPage(395, 370, "Loop");
    int passes = 0, shown = 0;
    page.eachPass = [&] { ++passes; };
    page.onShown = [&] { ++shown; };
    for (int i = 0; i < 4; ++i) s.then([] {});
    s.then([] { clickTopButton(0); });
    EXPECT_EQ(page.showPage("OK", "", ""), 0);
    EXPECT_EQ(shown, 1);
    EXPECT_GE(passes, 4);
    EXPECT_GE(s.loop.idleTicks, 4); // one tick a pass after the first pump
    EXPECT_GT(s.loop.playTicks, 0); // building and showing the page tick too

    // The Reference Tones page leaves playback alone.
    LoopScope t;
    TFdialog tones(kPageReferenceTones);
    tones.beginPage(400, 360, "Reference Tones");
    t.then([] { pressTopKey(Qt::Key_Escape); });
    EXPECT_EQ(tones.showPage("OK", "", ""), -1);
    EXPECT_FALSE(tones.keepPlaybackRunning);
    EXPECT_EQ(t.loop.idleTicks + t.loop.playTicks, 0);
}

TEST(DialogPage, AMessageBoxFromInsideAPageReturnsToThePageIntact) {
    LoopScope s;
    bool flag = false;
    int choice = 1;
    double level = 0.25;
    TFdialog page(kPageAccompaniment);
    page.beginPage(400, 264, "Accompaniment");
    const int check = page.addCheckBox(25, 50, "Every n-th bar", &flag);
    page.addRadioButton(25, 80, "First", &choice, 1);
    const int second = page.addRadioButton(25, 110, "Second", &choice, 2);
    const int ask = page.addPushButton(25, 150, 80, "Ask", false);
    page.addFader(300, 40, "Level", &level, 60);
    page.slotItems[0].add("a");
    page.addSelectorRow(150, 110, 40, 80, "Row", "a", 0);

    int inner = 5, innerPage = -1, askedFrom = -1;
    void* changed = nullptr;
    page.onValueChanged = [&](void* v, bool) { changed = v; };
    page.onMouseUp = [&](int, int, const TRect& pressed) {
        if (!(pressed == page.controls.buttons.at(ask).rect)) return;
        askedFrom = currentDialogPageId();
        s.next([&] {
            innerPage = currentDialogPageId();
            clickTopButton(1);
        });
        inner = messageBoxLine("^Question", true, true, "");
    };

    struct Snapshot {
        int buttons, faders;
        TRect slot, button;
        QPoint pos;
        TColor pixel;
        Limage* target;
    } before{}, after{};
    auto snap = [&] {
        return Snapshot{page.controls.buttons.count(),
                        page.controls.faders.count(),
                        page.selectorSlots[0].rect,
                        page.controls.buttons.at(second).rect,
                        page.pos(),
                        page.dialogImage.pixel(40, 60),
                        page.scContext.scTarget};
    };
    s.then([&] {
        const TPoint c = centreOf(page.controls.buttons.at(check).rect);
        click(&page, c.x, c.y);
    });
    s.then([&] {
        const TPoint c = centreOf(page.controls.buttons.at(second).rect);
        click(&page, c.x, c.y);
        page.move(page.pos() + QPoint(7, 3));
        before = snap();
        const TPoint a = centreOf(page.controls.buttons.at(ask).rect);
        click(&page, a.x, a.y);
        after = snap();
    });
    s.then([&] { clickButton(&page, 0); });
    EXPECT_EQ(page.showPage("OK", "Cancel", ""), 0);

    EXPECT_EQ(askedFrom, kPageAccompaniment);
    EXPECT_EQ(innerPage, kPageMessageBox);
    EXPECT_EQ(inner, 1); // "No"
    EXPECT_TRUE(flag);
    EXPECT_EQ(choice, 2);
    EXPECT_EQ(changed, &choice);
    EXPECT_EQ(level, 0.25);
    EXPECT_EQ(after.buttons, before.buttons);
    EXPECT_EQ(after.faders, before.faders);
    EXPECT_EQ(after.slot, before.slot);
    EXPECT_EQ(after.button, before.button);
    EXPECT_EQ(after.pos, before.pos);
    EXPECT_EQ(after.pixel, before.pixel);
    EXPECT_EQ(after.target, &page.dialogImage);
    EXPECT_EQ(page.bottomButtonTexts[1], "Cancel");
}

TEST(DialogPage, NestedPagesEachKeepTheirOwnResult) {
    LoopScope s;
    int middle = 5, inner = 5;
    TFdialog outer(kPageOptions);
    outer.beginPage(600, 300, "Outer");
    s.then([&] {
        TFdialog mid(kPagePrecount);
        mid.beginPage(310, 240, "Middle");
        s.next([&] {
            s.next([] { pressTopKey(Qt::Key_Escape); }); // the message box
            inner = messageBoxLine("Inner", false, false, "");
            clickButton(&mid, 0);
        });
        middle = mid.showPage("OK", "", "");
        EXPECT_EQ(mid.dialogResult, 0);
    });
    s.then([&] { clickButton(&outer, 2); });
    EXPECT_EQ(outer.showPage("A", "B", "C"), 2);
    EXPECT_EQ(middle, 0);
    EXPECT_EQ(inner, -1);
    EXPECT_FALSE(isDialogVisible());
}

TEST(DialogPage, TheTitleBarDragsThePageExceptOnTheAboutPage) {
    LoopScope s;
    TFdialog page(kPageFadeOut);
    page.beginPage(297, 160, "Fade Out");
    QPoint start, moved, belowTitle;
    s.then([&] {
        start = page.pos();
        press(&page, 100, 10);
        dragTo(&page, 130, 25);
        moved = page.pos();
        release(&page, 130, 25);
        press(&page, 100, 40);
        dragTo(&page, 150, 60);
        belowTitle = page.pos();
        release(&page, 150, 60);
        pressTopKey(Qt::Key_Escape);
    });
    EXPECT_EQ(page.showPage("OK", "", ""), -1);
    EXPECT_EQ(moved, start + QPoint(30, 15));
    EXPECT_EQ(belowTitle, moved);

    TFdialog about(kPageAbout);
    about.beginPage(425, 316, "About");
    s.then([&] {
        start = about.pos();
        press(&about, 100, 10);
        dragTo(&about, 130, 25);
        moved = about.pos();
        release(&about, 130, 25);
        pressTopKey(Qt::Key_Escape);
    });
    EXPECT_EQ(about.showPage("OK", "", ""), -1);
    EXPECT_EQ(moved, start);
}

TEST(DialogPage, APageRebuiltInPlaceKeepsItsPositionAndEndsTheOldWait) {
    LoopScope s;
    TFdialog first(kPageOptions);
    first.beginPage(500, 300, "Options");
    first.move(first.pos() + QPoint(40, 20));
    const QPoint where = first.pos();
    QPoint rebuiltAt;
    int rebuiltResult = 5;
    bool firstStillWaiting = true;
    // A change that alters the page's own rows: the page closes and is built again where it was.
    first.onKeyDown = [&](int key, bool, bool) {
        if (key != 'R') return false;
        first.closePage(-1);
        TFdialog again(kPageOptions);
        again.reopenPosition = first.pos();
        again.beginPage(500, 320, "Options");
        s.next([&] {
            rebuiltAt = again.pos();
            firstStillWaiting = !first.isClosed();
            clickButton(&again, 0);
        });
        rebuiltResult = again.showPage("OK", "", "");
        return true;
    };
    s.then([&] { key(&first, Qt::Key_R); });
    EXPECT_EQ(first.showPage("OK", "", ""), -1);
    EXPECT_EQ(rebuiltAt, where);
    EXPECT_FALSE(firstStillWaiting);
    EXPECT_EQ(rebuiltResult, 0);
}
