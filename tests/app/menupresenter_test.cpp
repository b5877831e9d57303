// The real popup behind the menus: how a menu ended (a key, the hover switch, a click elsewhere, a
// choice) as the menu bar needs to know it, and the File menu as the user sees it.
#include <gtest/gtest.h>

#include <QTest>

#include "app/menubar.h"
#include "tests/common/qtapp.h"
#include "tests/ui/popup_rig.h"

namespace {

Llist<std::string> fileItems() {
    Llist<std::string> m(0, 12, true);
    for (const char* t : {"New|Ctrl+N", "Open...|Ctrl+O", "@Recent Files...", "-Save|Ctrl+S", "Save As...",
                          "Save As MIDI File...", "Save Chords As Text...", "-Session Notes...|N",
                          "Session Links...", "Global Notes...", "-Exit"})
        m.add(t);
    return m;
}

TFmenu& open() {
    TFmenu* m = activePopupMenu();
    EXPECT_NE(m, nullptr);
    return *m;
}

TEST(MenuPresenter, TellsHowThePopupEnded) {
    ensureQtApp();
    PopupRig rig;
    PopupMenuPresenter menus;

    rig.loop.then([&] {
        EXPECT_TRUE(menus.isOpen());
        saveScreen(open(), "menu-file");
        QTest::keyClick(&open(), Qt::Key_Escape);
    });
    EXPECT_EQ(menus.show(fileItems(), 100, 100), -1);
    EXPECT_TRUE(menus.closedByKey());
    EXPECT_FALSE(menus.isOpen());

    // Closed for the slide to another title: not a key.
    rig.loop.then([&] { menus.close(); });
    EXPECT_EQ(menus.show(fileItems(), 100, 100), -1);
    EXPECT_FALSE(menus.closedByKey());

    // A click elsewhere: not a key, and the click is kept for the replay.
    rig.loop.then([&] { open().dismissByClick(TPoint{5, 6}, 2, 0); });
    EXPECT_EQ(menus.show(fileItems(), 100, 100), -1);
    EXPECT_FALSE(menus.closedByKey());
    EXPECT_TRUE(menus.dismissClick().valid);
    EXPECT_EQ(menus.dismissClick().button, 2);

    // A choice, and a press on the greyed item, which gives its index for the caller to ignore.
    rig.loop.then([&] {
        TFmenu& m = open();
        const TRect r = m.layout.hitRect(4);
        m.menuMouseDown((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    });
    EXPECT_EQ(menus.show(fileItems(), 100, 100), 4);
    rig.loop.then([&] {
        TFmenu& m = open();
        const TRect r = m.layout.hitRect(2);
        m.menuMouseDown((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    });
    EXPECT_EQ(menus.show(fileItems(), 100, 100), 2);
    EXPECT_FALSE(menus.closedByKey());
}

} // namespace
