#pragma once
// Small drawing shortcuts of the main window's painters (canvas rules: lines exclude their end
// point, fills exclude right and bottom).
#include <string>

#include "platform/qt/canvas.h"
#include "ui/geometry.h"

namespace paint {

inline void fill(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush.clear = false;
    c.brush.color = colour;
    c.fillRect({left, top, right, bottom});
}

inline void line(Canvas& c, int x1, int y1, int x2, int y2, TColor colour) {
    c.pen.clear = false;
    c.pen.color = colour;
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
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

} // namespace paint
