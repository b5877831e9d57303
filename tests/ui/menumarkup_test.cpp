// Menu markup and layout as data: markers, measured widths, columns, rows, hit rectangles, placement.
#include "ui/menumarkup.h"

#include <gtest/gtest.h>

namespace {

Llist<std::string> list(std::initializer_list<const char*> texts) {
    Llist<std::string> l;
    for (const char* t : texts) l.add(t);
    return l;
}

// 7 px a character: widths the tests can add up.
int fakeWidth(const std::string& text) {
    return static_cast<int>(text.size()) * 7;
}

} // namespace

TEST(MenuMarkup, MarkersAreTakenOnlyAtTheFrontInTheirOrder) {
    const MenuItem a = parseMenuItem("-@Save|Ctrl+S");
    EXPECT_TRUE(a.separator);
    EXPECT_TRUE(a.dimmed);
    EXPECT_EQ(a.label, "Save");
    EXPECT_EQ(a.right, "Ctrl+S");
    EXPECT_FALSE(a.acts());

    const MenuItem b = parseMenuItem("@-Save");
    EXPECT_TRUE(b.dimmed);
    EXPECT_FALSE(b.separator);
    EXPECT_EQ(b.label, "-Save");

    const MenuItem c = parseMenuItem(">~#$^Head|@F1");
    EXPECT_TRUE(c.indent && c.dotted && c.tick && c.bullet && c.heading && c.rightDimmed);
    EXPECT_EQ(c.label, "Head");
    EXPECT_EQ(c.right, "F1");
    EXPECT_FALSE(c.acts());

    EXPECT_EQ(parseMenuItem("").label, " ");
    EXPECT_TRUE(parseMenuItem("").isSeparatorOnly());
    EXPECT_TRUE(parseMenuItem("-").isSeparatorOnly());
    EXPECT_FALSE(parseMenuItem("-").acts());
    // A line above a normal item still lets the item act.
    EXPECT_TRUE(parseMenuItem("-Exit").acts());
    EXPECT_TRUE(parseMenuItem("#Loop|L").tick);
    EXPECT_TRUE(parseMenuItem("$Arc").bullet);
    // A marker out of order is text.
    EXPECT_EQ(parseMenuItem("#-x").label, "-x");
    EXPECT_EQ(parseMenuItem("a|b|c").right, "b|c");
}

TEST(MenuLayout, WidthIsMeasuredOnTheItemTexts) {
    // With a "|": the label less a leading "-", "@", "#", "$" in that order, and the whole right text.
    // ">#Longer item" (91) keeps its markers; "-@$Exit" is measured as "Exit"; widest right "@Alt+F4".
    MenuLayout m =
        layoutMenu(list({"Open", ">#Longer item|Ctrl+L", "-@$Exit|@Alt+F4"}), false, -1, -1, -1, fakeWidth);
    EXPECT_EQ(m.widestLabel, 91);
    EXPECT_EQ(m.rightWidth, 49);
    EXPECT_EQ(m.columnWidth, 91 + 49 + 64);
    EXPECT_EQ(m.rowsPerColumn, 3);
    EXPECT_EQ(m.columns, 1);
    EXPECT_EQ(m.rowHeight, 20);
    EXPECT_EQ(m.width, m.columnWidth + 1);
    EXPECT_EQ(m.height, 61);

    // Without a "|" the whole item is measured, markers and all.
    m = layoutMenu(list({"-@#$Abcdefghijklmn", "-@#$Abcdefghijklmn|"}), false, -1, -1, -1, fakeWidth);
    EXPECT_EQ(m.widestLabel, 18 * 7);
    EXPECT_EQ(m.columnWidth, 18 * 7 + 64);
    m = layoutMenu(list({"-@#$Ab", "^Head"}), false, -1, -1, -1, fakeWidth);
    EXPECT_EQ(m.columnWidth, 112); // at least the default

    // A given width is used exactly, even when the texts are wider.
    m = layoutMenu(list({"A very very very long item text"}), false, -1, -1, 90, fakeWidth);
    EXPECT_EQ(m.columnWidth, 90);
}

TEST(MenuLayout, EmptyListIsOneEmptyColumn) {
    const MenuLayout m = layoutMenu(Llist<std::string>(), false, -1, -1, -1, fakeWidth);
    EXPECT_EQ(m.columns, 1);
    EXPECT_EQ(m.rowsPerColumn, 1);
    EXPECT_EQ(m.columnWidth, 112);
    EXPECT_EQ(m.height, 21);
    EXPECT_EQ(m.itemAt(50, 10), -1);
}

TEST(MenuLayout, GridColumnsRowsAndShading) {
    Llist<std::string> names;
    for (int i = 0; i < 70; ++i) names.add("Program " + std::to_string(i));
    MenuLayout m = layoutMenu(names, true, 32, 8, -1, fakeWidth);
    EXPECT_EQ(m.columns, 3);
    EXPECT_EQ(m.rowHeight, 16);
    EXPECT_EQ(m.shadingGroup, 8);
    int third = 0;
    for (int i = 0; i < 70; ++i) third += m.column(i) == 2 ? 1 : 0;
    EXPECT_EQ(third, 6);
    EXPECT_EQ(m.columnWidth, std::max(112, 10 * 7 + 24)); // "Program 69" + 24 with several columns
    EXPECT_EQ(m.height, 16 * 32 + 1);
    EXPECT_EQ(m.cellLeft(69), 2 * m.columnWidth);
    EXPECT_EQ(m.cellTop(69), 5 * 16);

    // Rows per column of 0 or less are not given: all items in one column, no division by zero.
    for (int rows : {0, -5}) {
        m = layoutMenu(names, true, rows, 0, -1, fakeWidth);
        EXPECT_EQ(m.rowsPerColumn, 70);
        EXPECT_EQ(m.columns, 1);
        EXPECT_EQ(m.shadingGroup, 70);
    }
    m = layoutMenu(Llist<std::string>(), true, 0, 0, -1, fakeWidth);
    EXPECT_EQ(m.columns, 1);
}

TEST(MenuLayout, HitRectanglesIncludeTheirEdgesAndTheLastOneWins) {
    const MenuLayout m = layoutMenu(list({"a", "b", "c"}), false, -1, -1, -1, fakeWidth);
    EXPECT_EQ(m.hitRect(1), (TRect{0, 22, m.columnWidth, 42}));
    EXPECT_EQ(m.itemAt(5, 2), 0);
    EXPECT_EQ(m.itemAt(5, 1), -1);
    EXPECT_EQ(m.itemAt(5, 22), 1); // the bottom edge of item 0 and the top of item 1: item 1
    EXPECT_EQ(m.itemAt(m.columnWidth, 30), 1);
    EXPECT_EQ(m.itemAt(m.columnWidth + 1, 30), -1);
    EXPECT_EQ(m.itemAt(5, 62), 2);
    EXPECT_EQ(m.itemAt(5, 63), -1);
}

TEST(MenuLayout, ClampToScreenKeepsAFiveMarginOnEverySide) {
    const TRect screen{0, 0, 800, 600};
    EXPECT_EQ(clampToScreen({790, 590}, 100, 50, screen), (TPoint{695, 545}));
    EXPECT_EQ(clampToScreen({-40, -3}, 100, 50, screen), (TPoint{5, 5}));
    EXPECT_EQ(clampToScreen({10, 10}, 900, 50, screen), (TPoint{5, 10})); // too wide: the left wins
    EXPECT_EQ(clampToScreen({300, 200}, 100, 50, screen), (TPoint{300, 200}));
    EXPECT_EQ(clampToScreen({1900, 10}, 100, 50, TRect{1920, 0, 3840, 1080}), (TPoint{1925, 10}));
}
