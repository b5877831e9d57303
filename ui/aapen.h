#pragma once
// Anti-aliased points, lines and circles at real coordinates on a Limage, and rounded rectangles
// with anti-aliased corners drawn through it.
#include "platform/qt/canvas.h"
#include "platform/qt/gditypes.h"
#include "ui/limage.h"

class AaPen {
  public:
    Limage* target = nullptr; // not owned
    // The pen colour, in the order of a pixel's bytes.
    int blue = 0;
    int green = 0;
    int red = 0;

    AaPen() = default;
    AaPen& setTarget(Limage* image) {
        target = image;
        return *this;
    }
    AaPen& setColour(TColor colour);
    TColor colour() const { return RGB(red, green, blue); }

    // A point spread over the 2 x 2 pixels around (x, y), each weighted by 1 - its distance.
    // Nothing is drawn unless the whole block lies in the image.
    AaPen& plot(double x, double y);
    AaPen& line(double x1, double y1, double x2, double y2);
    // The outline, after a filled disc when filled.
    AaPen& circle(double cx, double cy, double r, bool filled);
};

// A w x h rectangle in fill with its top-left corner at (x, y), corners of the given radius rounded
// off against background. The pen is used for the corners and left aimed as it was.
void drawRoundRectAA(AaPen& pen, Canvas& canvas, int x, int y, int width, int height, int radius, TColor fill,
                     TColor background);
