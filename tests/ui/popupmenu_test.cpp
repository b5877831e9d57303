// The popup menu window: hover, results, keys, dismissal by a click elsewhere, activation, the grid,
// placement, and the screenshots of both looks.
#include "ui/popupmenu.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

#include "../common/qtapp.h"
#include "popup_rig.h"
#include "ui/geometry.h"
#include "ui/shadedialog.h"

namespace {

Llist<std::string> list(std::initializer_list<const char*> texts) {
    Llist<std::string> l;
    for (const char* t : texts) l.add(t);
    return l;
}

QPoint centre(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// A mouse move sent straight to the menu (the cursor may already stand where a test moves it, and
// then the window system reports no move).
void moveOver(QWidget& w, QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w.mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &move);
}

TFmenu& menu() {
    TFmenu* m = activePopupMenu();
    EXPECT_NE(m, nullptr);
    return *m;
}

// A plain window of the program standing for the main window; counts the presses it gets.
class OtherWindow : public QWidget {
  public:
    int presses = 0;
    OtherWindow() {
        resize(300, 200);
        move(600, 400);
    }

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

const Llist<std::string> kMenu = list({"^Playback", "#Loop|L", "$Repeat once", "@Clear Loop|C", "-",
                                       "-Export...", ">-Indented|@Ctrl+I", ">~Dotted"});

struct PopupMenuTest : ::testing::Test {
    PopupRig rig;
    void SetUp() override { ensureQtApp(); }
};

} // namespace

TEST_F(PopupMenuTest, HoverFollowsTheMouseAndAClickChoosesTheItem) {
    int hoveredSeen = -2;
    rig.loop.then([&] { moveOver(menu(), centre(menu().layout.hitRect(5))); });
    rig.loop.then([&] {
        hoveredSeen = menu().hovered;
        EXPECT_EQ(menu().itemRects.count(), kMenu.count()); // rebuilt by the paint
        QTest::mouseClick(&menu(), Qt::LeftButton, {}, centre(menu().layout.hitRect(5)));
    });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), 5);
    EXPECT_EQ(hoveredSeen, 5);
    EXPECT_FALSE(lastDismissClick().valid);
    EXPECT_FALSE(popupMenuOpen());
    EXPECT_GT(rig.loop.playTicks, 0); // playback ticks around showing and painting
}

TEST_F(PopupMenuTest, EveryItemClickedGivesItsIndexGreyedHeadingsAndLinesIncluded) {
    for (int index : {0, 1, 2, 3, 4, 6, 7}) {
        rig.loop.then([&, index] {
            QTest::mouseClick(&menu(), index % 2 ? Qt::RightButton : Qt::LeftButton, {},
                              centre(menu().layout.hitRect(index)));
        });
        EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), index);
        EXPECT_FALSE(lastDismissClick().valid) << index; // nothing to replay
    }
}

TEST_F(PopupMenuTest, AClickInsideOffEveryItemGivesMinusOne) {
    rig.loop.then([&] { QTest::mouseClick(&menu(), Qt::LeftButton, {}, QPoint(5, 1)); });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    rig.loop.then([&] { QTest::mouseClick(&menu(), Qt::LeftButton, {}, QPoint(30, 10)); });
    EXPECT_EQ(showPopupMenu(Llist<std::string>(), -1, 100, 100), -1); // an empty menu
}

TEST_F(PopupMenuTest, AnyKeyClosesWithMinusOneAModifierAloneToo) {
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A, Qt::Key_Shift,
                        Qt::Key_Control, Qt::Key_Alt}) {
        bool cancelled = false;
        rig.loop.then([&] { moveOver(menu(), centre(menu().layout.hitRect(1))); });
        rig.loop.then([&, key] {
            QTest::keyPress(&menu(), key);
            cancelled = menu().cancelled;
        });
        EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1) << key;
        EXPECT_TRUE(cancelled) << key;
    }
}

TEST_F(PopupMenuTest, KeyUpGoesToTheMainFormHandler) {
    std::vector<int> released;
    popupSettings().keyUp = [&](int vk) { released.push_back(vk); };
    // Only for a key pressed in the menu: F2 was down before it opened (its auto-repeat and release).
    bool cancelled = true;
    rig.loop.then([&] {
        QTest::simulateEvent(&menu(), true, Qt::Key_F2, {}, {}, true);
        QTest::keyRelease(&menu(), Qt::Key_F2);
        cancelled = menu().cancelled;
    });
    rig.loop.then([&] { QTest::keyClick(&menu(), Qt::Key_F1); });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    popupSettings().keyUp = nullptr;
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(released, std::vector<int>{112});
}

TEST_F(PopupMenuTest, AClickOnAnotherWindowDismissesAndIsRecordedForReplay) {
    OtherWindow other;
    other.show();
    rig.loop.then([&] { QTest::mouseClick(&other, Qt::RightButton, Qt::ShiftModifier, QPoint(30, 40)); });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    const DismissClick click = lastDismissClick();
    ASSERT_TRUE(click.valid);
    const QPoint global = other.mapToGlobal(QPoint(30, 40));
    EXPECT_EQ(click.global, (TPoint{global.x(), global.y()}));
    EXPECT_EQ(click.button, 2);
    EXPECT_EQ(click.modifiers, 2);
    EXPECT_EQ(other.presses, 0); // the window gets it only when the owner replays it

    // Keys typed into the other window close the menu as well and reach nobody.
    rig.loop.then([&] { QTest::keyClick(&other, Qt::Key_Space); });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    EXPECT_FALSE(lastDismissClick().valid);
    // After the menu the window takes its input again.
    QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(other.presses, 1);
}

TEST_F(PopupMenuTest, ActivityIsTestedOnlyOnceTheMenuHasBeenActive) {
    // Activation arrives late: the menu stays open while it has never been active.
    rig.desktop.menuActive = false;
    int passesSeen = 0;
    for (int i = 0; i < 5; ++i) rig.loop.then([&] { ++passesSeen; });
    rig.loop.then([&] { rig.desktop.menuActive = true; });
    rig.loop.then([&] { EXPECT_TRUE(menu().isVisible()); });
    // Now the user clicks into another program: the application and the menu lose the focus.
    rig.loop.then([&] {
        rig.desktop.appActive = false;
        rig.desktop.menuActive = false;
    });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    EXPECT_EQ(passesSeen, 5);
    EXPECT_FALSE(lastDismissClick().valid);
    EXPECT_FALSE(rig.loop.abort);

    // Active once, then another window of the program becomes active.
    rig.desktop.appActive = true;
    rig.desktop.menuActive = true;
    rig.loop.then([] {});
    rig.loop.then([&] { rig.desktop.menuActive = false; });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    EXPECT_FALSE(rig.loop.abort);
}

TEST_F(PopupMenuTest, AQuitEndsTheMenuAndOnlyOneMenuShowsAtATime) {
    int nested = 0;
    rig.loop.then([&] { nested = showPopupMenu(kMenu, -1, 10, 10); });
    rig.loop.then([&] { rig.loop.abort = true; });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    EXPECT_EQ(nested, -1);
    rig.loop.abort = false;
    rig.loop.spareAfterSteps = 50;
    rig.loop.then([&] { rig.loop.abort = true; });
    EXPECT_EQ(showPopupGrid(kMenu, -1, 3, 1, 10, 10), -1);
}

TEST_F(PopupMenuTest, PlacementAtTheMouseAndOnTheScreen) {
    TPoint at;
    rig.desktop.cursor = {300, 200};
    rig.loop.then([&] {
        at = menu().position;
        EXPECT_EQ(menu().pos(), QPoint(at.x, at.y));
        QTest::keyClick(&menu(), Qt::Key_Escape);
    });
    showPopupMenu(kMenu, -1, -1000, -1000);
    EXPECT_EQ(at, (TPoint{290, 190}));

    rig.loop.then([&] {
        at = menu().position;
        QTest::keyClick(&menu(), Qt::Key_Escape);
    });
    showPopupGrid(kMenu, -1, 4, 2, -1000, -1000);
    EXPECT_EQ(at, (TPoint{300, 200})); // the grid sits at the mouse itself

    rig.desktop.screen = {0, 0, 640, 480};
    int width = 0, height = 0;
    rig.loop.then([&] {
        at = menu().position;
        width = menu().width();
        height = menu().height();
        QTest::keyClick(&menu(), Qt::Key_Escape);
    });
    showPopupMenu(kMenu, -1, 630, 470);
    EXPECT_EQ(at, (TPoint{640 - 5 - width, 480 - 5 - height}));
}

TEST_F(PopupMenuTest, GridChoosesByColumnAndRowAndDrawsBands) {
    Llist<std::string> names;
    for (int i = 0; i < 70; ++i) names.add("Program " + std::to_string(i));
    TColor first = -1, band = -1;
    rig.loop.then([&] {
        TFmenu& m = menu();
        EXPECT_EQ(m.columns, 3);
        // Row 0 of column 0 is in a shaded band, row 8 in a plain one.
        first = m.image.pixel(m.layout.cellLeft(0) + m.layout.columnWidth - 8, m.layout.cellTop(0) + 3);
        band = m.image.pixel(m.layout.cellLeft(8) + m.layout.columnWidth - 8, m.layout.cellTop(8) + 3);
        saveScreen(m, "popup_grid");
        QTest::mouseClick(&m, Qt::LeftButton, {}, centre(m.layout.hitRect(69)));
    });
    EXPECT_EQ(showPopupGrid(names, 3, 32, 8, 10, 10), 69);
    EXPECT_EQ(first, scaleColour(TFmenu::kDefaultColour, 0.9f));
    EXPECT_EQ(band, TFmenu::kDefaultColour);
}

TEST_F(PopupMenuTest, LeavingTheMenuDropsTheHover) {
    int after = 0;
    rig.loop.then([&] { moveOver(menu(), centre(menu().layout.hitRect(2))); });
    rig.loop.then([&] {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&menu(), &leave);
        after = menu().hovered;
        QTest::keyClick(&menu(), Qt::Key_Escape);
    });
    showPopupMenu(kMenu, -1, 100, 100);
    EXPECT_EQ(after, -1);
}

TEST_F(PopupMenuTest, ColourChooserShowsSwatches) {
    Llist<std::string> colours = list({"Pale red", "Sand", "Pastel olive"});
    bool chooser = false;
    TColor swatch = -1;
    rig.loop.then([&] {
        TFmenu& m = menu();
        chooser = m.isColourChooser();
        swatch = m.image.pixel(3, m.layout.cellTop(1) + 5);
        QTest::keyClick(&m, Qt::Key_Escape);
    });
    showPopupMenu(colours, 1, 100, 100);
    EXPECT_TRUE(chooser);
    EXPECT_EQ(swatch, scaleColour(popupSettings().theme.displayTextColour(1), 1.07f));
}

TEST_F(PopupMenuTest, ScreenshotsInBothLooks) {
    for (bool white : {false, true}) {
        popupSettings().theme.whiteModel = white;
        popupSettings().theme.displayTextColor = white ? 5 : 6;
        rig.loop.then([&] { moveOver(menu(), centre(menu().layout.hitRect(1))); });
        rig.loop.then([&, white] {
            EXPECT_FALSE(saveScreen(menu(), white ? "popup_menu_light" : "popup_menu_dark").empty());
            QTest::keyClick(&menu(), Qt::Key_Escape);
        });
        showPopupMenu(kMenu, 2, 100, 100);
    }
    popupSettings().theme = Theme();
}

TEST_F(PopupMenuTest, AMenuOverAModalShadeBoxTakesInputThroughTheWindowSystem) {
    int chosen = -2;
    int boxResult = -2;
    TFshadeDialog::onShown() = [&](TFshadeDialog& box) {
        rig.loop.then([&] {
            // Delivered as the window system would, so that modality applies.
            TFmenu& m = menu();
            QTest::mouseClick(m.windowHandle(), Qt::LeftButton, {}, centre(m.layout.hitRect(2)));
        });
        chosen = showPopupMenu(kMenu, -1, 100, 100);
        QTest::keyClick(&box, Qt::Key_Return);
    };
    Llist<std::string> lines;
    lines.add("A box");
    boxResult = showShadeDialog(nullptr, lines, false, false);
    TFshadeDialog::onShown() = nullptr;
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(boxResult, 1);
}

TEST_F(PopupMenuTest, AReleaseStillReachesTheWindowThatOpenedTheMenu) {
    class Counting : public OtherWindow {
      public:
        int releases = 0;

      protected:
        void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
    } other;
    other.show();
    // The right-button press opens the menu; its release comes while the menu shows.
    QTest::mousePress(other.windowHandle(), Qt::RightButton, {}, QPoint(20, 20));
    other.presses = 0;
    rig.loop.then([&] { QTest::mouseRelease(other.windowHandle(), Qt::RightButton, {}, QPoint(20, 20)); });
    rig.loop.then([&] { QTest::mouseMove(other.windowHandle(), QPoint(40, 40)); });
    rig.loop.then([&] { QTest::mousePress(other.windowHandle(), Qt::LeftButton, {}, QPoint(50, 60)); });
    EXPECT_EQ(showPopupMenu(kMenu, -1, 100, 100), -1);
    EXPECT_EQ(other.releases, 1);
    EXPECT_EQ(other.presses, 0);
    ASSERT_TRUE(lastDismissClick().valid);
    EXPECT_EQ(lastDismissClick().button, 1);
    EXPECT_EQ(lastDismissClick().modifiers, 0);
    const QPoint g = other.mapToGlobal(QPoint(50, 60));
    EXPECT_EQ(lastDismissClick().global, (TPoint{g.x(), g.y()}));
    QTest::mouseRelease(other.windowHandle(), Qt::LeftButton, {}, QPoint(50, 60));
}

TEST_F(PopupMenuTest, HoverAndHeadingFillsAndTheFrame) {
    TColor hover = -1, dimHover = -1, heading = -1, frame = -1, plain = -1;
    std::vector<TColor> lines;
    rig.loop.then([&] { moveOver(menu(), centre(menu().layout.hitRect(1))); });
    rig.loop.then([&] {
        TFmenu& m = menu();
        hover = m.image.pixel(m.layout.columnWidth - 3, m.layout.cellTop(1) + 3);
        plain = m.image.pixel(m.layout.columnWidth - 3, m.layout.cellTop(2) + 3);
        heading = m.image.pixel(m.layout.columnWidth - 3, m.layout.cellTop(0) + 3);
        frame = m.image.pixel(0, m.layout.cellTop(2) + 5);
        // Lines above indented items run across the whole menu.
        const int w = m.layout.width, y6 = m.layout.cellTop(6), y7 = m.layout.cellTop(7);
        lines = {m.image.pixel(1, y6), m.image.pixel(w - 2, y6), m.image.pixel(3, y7),
                 m.image.pixel((w - 2) / 3 * 3, y7)};
        moveOver(m, centre(m.layout.hitRect(3)));
    });
    rig.loop.then([&] {
        TFmenu& m = menu();
        dimHover = m.image.pixel(m.layout.columnWidth - 3, m.layout.cellTop(3) + 3);
        QTest::keyClick(&m, Qt::Key_Escape);
    });
    showPopupMenu(kMenu, -1, 100, 100);
    const TColor b = scaleColour(TFmenu::kDefaultColour, 1.72f);
    const TColor dim = popupSettings().theme.dimTextColour();
    EXPECT_EQ(hover, dim);
    EXPECT_EQ(dimHover, mixColours(dim, b, 0.7f));
    EXPECT_EQ(heading, scaleColour(b, 0.9f));
    EXPECT_EQ(plain, b);
    EXPECT_EQ(frame, scaleColour(b, 0.67f));
    EXPECT_EQ(lines, std::vector<TColor>(4, frame));
}
