#include "ui/menumarkup.h"

#include <algorithm>

namespace {

bool takeMarker(std::string& text, char marker) {
    if (text.empty() || text[0] != marker) return false;
    text.erase(0, 1);
    return true;
}

} // namespace

bool MenuItem::isSeparatorOnly() const {
    return std::all_of(label.begin(), label.end(), [](char c) { return c == ' '; });
}

MenuItem parseMenuItem(const std::string& text) {
    MenuItem item;
    std::string rest = text.empty() ? std::string(" ") : text;
    item.indent = takeMarker(rest, '>');
    item.separator = takeMarker(rest, '-');
    item.dotted = takeMarker(rest, '~');
    item.dimmed = takeMarker(rest, '@');
    item.tick = takeMarker(rest, '#');
    item.bullet = takeMarker(rest, '$');
    item.heading = takeMarker(rest, '^');
    const std::size_t bar = rest.find('|');
    if (bar == std::string::npos) {
        item.label = rest;
    } else {
        item.label = rest.substr(0, bar);
        item.right = rest.substr(bar + 1);
        item.rightDimmed = takeMarker(item.right, '@');
    }
    return item;
}

TRect MenuLayout::hitRect(int index) const {
    const int x = cellLeft(index);
    const int y = cellTop(index);
    return {x, y + 2, x + columnWidth, y + rowHeight + 2};
}

int MenuLayout::itemAt(int x, int y) const {
    int found = -1;
    for (int i = 0; i < count; ++i) {
        const TRect r = hitRect(i);
        if (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom) found = i;
    }
    return found;
}

MenuLayout layoutMenu(const Llist<std::string>& items, bool grid, int rowsPerColumn, int shadingGroup,
                      int columnWidth, const MenuMeasure& measure) {
    MenuLayout m;
    m.grid = grid;
    m.count = items.count();
    m.rowsPerColumn = rowsPerColumn > 0 ? rowsPerColumn : std::max(1, m.count);
    m.shadingGroup = shadingGroup > 0 ? shadingGroup : m.rowsPerColumn;
    m.columns = m.count > 0 ? (m.count - 1) / m.rowsPerColumn + 1 : 1;
    m.rowHeight = grid ? 16 : 20;
    for (const std::string& text : items) {
        std::string label = text, right;
        const std::size_t bar = text.find('|');
        if (bar != std::string::npos) {
            label = text.substr(0, bar);
            right = text.substr(bar + 1);
            for (char marker : {'-', '@', '#', '$'}) takeMarker(label, marker);
        }
        if (!measure) continue;
        m.widestLabel = std::max(m.widestLabel, label.empty() ? 0 : measure(label));
        m.rightWidth = std::max(m.rightWidth, right.empty() ? 0 : measure(right));
    }
    if (columnWidth > 0) {
        m.columnWidth = columnWidth;
    } else {
        const int margin = m.columns > 1 ? 24 : 64;
        m.columnWidth = std::max(kMenuDefaultColumnWidth, m.widestLabel + m.rightWidth + margin);
    }
    // Held to sizes a window can have; a list long enough to pass them is cut at the edge.
    const long long w = static_cast<long long>(m.columnWidth) * m.columns + 1;
    const long long h = static_cast<long long>(m.rowHeight) * m.rowsPerColumn + 1;
    m.width = static_cast<int>(std::min<long long>(w, 10000));
    m.height = static_cast<int>(std::min<long long>(h, 10000));
    return m;
}

TPoint clampToScreen(TPoint p, int width, int height, const TRect& screen) {
    constexpr int margin = 5;
    if (p.x + width > screen.Right - margin) p.x = screen.Right - margin - width;
    if (p.x < screen.Left + margin) p.x = screen.Left + margin;
    if (p.y + height > screen.Bottom - margin) p.y = screen.Bottom - margin - height;
    if (p.y < screen.Top + margin) p.y = screen.Top + margin;
    return p;
}
