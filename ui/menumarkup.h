#pragma once
// The item markup of the popup menus and the menu's layout, as plain data: one text per item with
// leading one-character markers, measured and placed in rows and columns.
#include <functional>
#include <string>

#include "foundation/llist.h"
#include "platform/qt/gditypes.h"

// One item taken apart. Markers are recognised only at the front, in this order, each removed when
// found: ">" indent, "-" separator line above, "~" dotted line above, "@" dimmed, "#" tick, "$" bullet,
// "^" heading; then "|" splits the label from the right-hand text (a right text beginning "@" is dim).
struct MenuItem {
    std::string label;
    std::string right;
    bool indent = false;
    bool separator = false;
    bool dotted = false;
    bool dimmed = false;
    bool tick = false;
    bool bullet = false;
    bool heading = false;
    bool rightDimmed = false;

    // A row that only draws a line: its label is empty or blank.
    bool isSeparatorOnly() const;
    // Dimmed items, headings and separator-only rows are never chosen.
    bool acts() const { return !dimmed && !heading && !isSeparatorOnly(); }
};

MenuItem parseMenuItem(const std::string& text);

constexpr int kMenuIndent = 16;
constexpr int kMenuDefaultColumnWidth = 112;

// Measures a text with the menu font.
using MenuMeasure = std::function<int(const std::string& text)>;

struct MenuLayout {
    bool grid = false;
    int count = 0;
    int rowsPerColumn = 1;
    int shadingGroup = 1;
    int columns = 1;
    int columnWidth = kMenuDefaultColumnWidth;
    int rowHeight = 20;
    int widestLabel = 0; // the widest item text left of a "|" (see layoutMenu)
    int rightWidth = 0;
    int width = 0; // client size
    int height = 0;

    int column(int index) const { return rowsPerColumn > 0 ? index / rowsPerColumn : 0; }
    int row(int index) const { return rowsPerColumn > 0 ? index % rowsPerColumn : index; }
    int cellLeft(int index) const { return column(index) * columnWidth; }
    int cellTop(int index) const { return row(index) * rowHeight; }
    // The hit rectangle of an item (all four edges included): the row, 2 px lower.
    TRect hitRect(int index) const;
    // The last item whose hit rectangle holds the point, or -1.
    int itemAt(int x, int y) const;
};

// Sizes a menu. rowsPerColumn, shadingGroup and columnWidth of 0 or less are "not given" (rows: all
// items in one column; group: the rows; width: measured, at least 112). A given width is used exactly.
// The width is measured on the item texts as they are: an item without a "|" whole, markers and all;
// an item with one as its label (the text before the "|", less a leading "-" then "@" and a leading
// "#" then "$") and its right text (all after the "|").
MenuLayout layoutMenu(const Llist<std::string>& items, bool grid, int rowsPerColumn, int shadingGroup,
                      int columnWidth, const MenuMeasure& measure);

// Keeps a window of the given size on the screen rectangle (Right and Bottom exclusive) with a 5 px
// margin: it moves left (up) to fit, then its left (top) is at least the margin.
TPoint clampToScreen(TPoint topLeft, int width, int height, const TRect& screen);
