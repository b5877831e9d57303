#pragma once
// Small drawing shortcuts of the main window's painters (canvas rules: lines exclude their end
// point, fills exclude right and bottom).
#include <string>

#include "platform/qt/canvas.h"
#include "ui/geometry.h"
#include "ui/limage.h"

namespace paint {

inline void fill(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush.clear = false;
    c.brush.color = colour;
    c.fillRect({left, top, right, bottom});
}

// A line without its end point; horizontal and vertical ones are filled as one-pixel rectangles.
inline void line(Canvas& c, int x1, int y1, int x2, int y2, TColor colour) {
    if (y1 == y2 && x1 != x2) {
        fill(c, x1 < x2 ? x1 : x2 + 1, y1, x1 < x2 ? x2 : x1 + 1, y1 + 1, colour);
        return;
    }
    if (x1 == x2 && y1 != y2) {
        fill(c, x1, y1 < y2 ? y1 : y2 + 1, x1 + 1, y1 < y2 ? y2 : y1 + 1, colour);
        return;
    }
    c.pen.clear = false;
    c.pen.color = colour;
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

// Rows top..bottom (inclusive) across left..right (inclusive), the colour running from `from` on
// the top row to `to` on the bottom row (the colours of drawGradient along y).
inline void gradient(Canvas& c, int left, int top, int right, int bottom, TColor from, TColor to) {
    if (right < left || bottom < top) return;
    const int n = bottom - top;
    const float step = n > 0 ? 1.0f / static_cast<float>(n) : 0.0f;
    const int fr = colourRed(from), fg = colourGreen(from), fb = colourBlue(from);
    const int tr = colourRed(to), tg = colourGreen(to), tb = colourBlue(to);
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(i) * step;
        const TColor k = RGB(static_cast<int>(static_cast<float>(fr) + static_cast<float>(tr - fr) * t),
                             static_cast<int>(static_cast<float>(fg) + static_cast<float>(tg - fg) * t),
                             static_cast<int>(static_cast<float>(fb) + static_cast<float>(tb - fb) * t));
        fill(c, left, top + i, right + 1, top + i + 1, k);
    }
}

inline void setFont(Canvas& c, int size, TColor colour, bool bold = false) {
    c.font.name = "Tahoma";
    c.font.height = -size;
    c.font.bold = bold;
    c.font.underline = false;
    c.font.color = colour;
}

inline void text(Canvas& c, int x, int y, const std::string& s, int size, TColor colour, bool bold = false) {
    setFont(c, size, colour, bold);
    c.textOut(x, y, s);
}

inline int textWidth(Canvas& c, const std::string& s, int size, bool bold = false) {
    setFont(c, size, 0, bold);
    return c.textWidth(s);
}

inline int textHeight(Canvas& c, const std::string& s, int size, bool bold = false) {
    setFont(c, size, 0, bold);
    return c.textHeight(s);
}

// A down arrow of rows 7, 5, 3, 1 px whose first row starts at (x, y).
inline void downArrow(Canvas& c, int x, int y, TColor colour) {
    for (int i = 0; i < 4; ++i) line(c, x + i, y + i, x + 7 - i, y + i, colour);
}

// source drawn onto target at (x, y) by `blit` (a Limage blit) with blend or tint table `table`.
inline void blitWith(Limage& source, Limage& target, int x, int y, void (*blit)(const BlitArgs&), int table,
                     TColor tint = 0xFFFFFF, int tintTable = 13) {
    BlitArgs a;
    a.source = &source;
    a.target = &target;
    a.x = x;
    a.y = y;
    a.table = table;
    a.tint = tint;
    a.tintTable = tintTable;
    blit(a);
}

// source blended onto target at (x, y) through blend table `table`.
inline void blendImage(Limage& source, Limage& target, int x, int y, int table) {
    blitWith(source, target, x, y, Limage::blitBlend, table);
}

} // namespace paint
