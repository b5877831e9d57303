#pragma once
// The small value types of the drawing platform: points, rectangles and packed colours.

// A colour packed red | green << 8 | blue << 16; -1 stands for "no colour" where an operation allows it.
using TColor = int;

constexpr TColor RGB(int red, int green, int blue) {
    return (red & 255) | ((green & 255) << 8) | ((blue & 255) << 16);
}
constexpr int colourRed(TColor c) {
    return c & 255;
}
constexpr int colourGreen(TColor c) {
    return (c >> 8) & 255;
}
constexpr int colourBlue(TColor c) {
    return (c >> 16) & 255;
}

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

// Canvas operations read Right and Bottom as exclusive; the program's own hit tests and clipping read
// them as inclusive (the helpers of ui/geometry.h say which).
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};
