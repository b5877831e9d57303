#include "ui/geometry.h"

#include <algorithm>

#include "foundation/strutil.h"

namespace {

int toChannel(float v) {
    const int c = truncToInt(v);
    return c < 0 ? 0 : (c > 255 ? 255 : c);
}

} // namespace

TRect& setRect(TRect& out, int left, int top, int right, int bottom) {
    out = {left, top, right, bottom};
    return out;
}

TRect& offsetRect(TRect& out, const TRect& rect, int dx, int dy) {
    out = {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
    return out;
}

TRect& copyRect(TRect& out, const TRect& rect) {
    out = rect;
    return out;
}

bool isUndefinedRect(const TRect& rect) {
    return rect.Top == kUndefinedRectTop;
}

bool pointInRect(int x, int y, const TRect& rect) {
    return rect.Left <= x && x <= rect.Right && rect.Top <= y && y <= rect.Bottom;
}

TPoint& rectCentre(TPoint& out, const TRect& rect) {
    const long long cx = (static_cast<long long>(rect.Left) + rect.Right) / 2;
    const long long cy = (static_cast<long long>(rect.Top) + rect.Bottom) / 2;
    out = {static_cast<int>(cx), static_cast<int>(cy)};
    return out;
}

TPoint& makePoint(TPoint& out, int x, int y) {
    out = {x, y};
    return out;
}

void clipToRect(Canvas& canvas, const TRect& rect) {
    const long long right = static_cast<long long>(rect.Right) + 1;
    const long long bottom = static_cast<long long>(rect.Bottom) + 1;
    canvas.setClipRect({rect.Left, rect.Top, right > INT32_MAX ? INT32_MAX : static_cast<int>(right),
                        bottom > INT32_MAX ? INT32_MAX : static_cast<int>(bottom)});
}

void clearClip(Canvas& canvas) {
    canvas.clearClip();
}

void drawGraphicClipped(const Bitmap24& graphic, Canvas& canvas, const TRect& rect, int x, int y) {
    if (isUndefinedRect(rect)) return;
    TRect moved;
    clipToRect(canvas, offsetRect(moved, rect, x, y));
    canvas.draw(x, y, graphic);
    clearClip(canvas);
}

void drawGradient(Canvas& canvas, int left, int top, int right, int bottom, TColor from, TColor to,
                  bool alongX) {
    if (right < left || bottom < top) return;
    const long long n = alongX ? static_cast<long long>(right) - left : static_cast<long long>(bottom) - top;
    const float step = n > 0 ? 1.0f / static_cast<float>(n) : 0.0f;
    int fr, fg, fb, tr, tg, tb;
    splitColour(from, fr, fg, fb);
    splitColour(to, tr, tg, tb);
    auto colourAt = [&](long long i) {
        const float t = static_cast<float>(i) * step;
        return RGB(truncToInt(static_cast<float>(fr) + static_cast<float>(tr - fr) * t),
                   truncToInt(static_cast<float>(fg) + static_cast<float>(tg - fg) * t),
                   truncToInt(static_cast<float>(fb) + static_cast<float>(tb - fb) * t));
    };
    // Only the lines that can meet the canvas are drawn, so huge spans cost no more than the canvas.
    long long lo = 0;
    long long hi = alongX ? canvas.width() : canvas.height(); // exclusive
    if (canvas.hasClip()) {
        const TRect clip = canvas.clipRect();
        lo = std::max<long long>(lo, alongX ? clip.Left : clip.Top);
        hi = std::min<long long>(hi, alongX ? clip.Right : clip.Bottom);
    }
    const long long origin = alongX ? left : top;
    const long long first = std::max<long long>(0, lo - origin);
    const long long last = std::min<long long>(n, hi - 1 - origin);
    // A line's end point is excluded: it ends one past the inclusive edge (or at the largest int).
    const int pastBottom = bottom == INT32_MAX ? bottom : bottom + 1;
    const int pastRight = right == INT32_MAX ? right : right + 1;
    for (long long i = first; i <= last; ++i) {
        const TColor c = colourAt(i);
        canvas.pen.color = c;
        canvas.brush.color = c;
        const int at = static_cast<int>(origin + i);
        if (alongX) {
            canvas.moveTo(at, top);
            canvas.lineTo(at, pastBottom);
        } else {
            canvas.moveTo(left, at);
            canvas.lineTo(pastRight, at);
        }
    }
    // Pen, brush and pen position are left as the last line leaves them, drawn or not.
    canvas.pen.color = colourAt(n);
    canvas.brush.color = colourAt(n);
    if (alongX)
        canvas.moveTo(right, pastBottom);
    else
        canvas.moveTo(pastRight, bottom);
}

void splitColour(TColor colour, int& red, int& green, int& blue) {
    red = colourRed(colour);
    green = colourGreen(colour);
    blue = colourBlue(colour);
}

TColor scaleColour(TColor colour, float factor) {
    int r, g, b;
    splitColour(colour, r, g, b);
    return RGB(toChannel(static_cast<float>(r) * factor), toChannel(static_cast<float>(g) * factor),
               toChannel(static_cast<float>(b) * factor));
}

TColor mixColours(TColor a, TColor b, float w) {
    int ar, ag, ab, br, bg, bb;
    splitColour(a, ar, ag, ab);
    splitColour(b, br, bg, bb);
    return RGB(toChannel(static_cast<float>(ar) + w * static_cast<float>(br - ar)),
               toChannel(static_cast<float>(ag) + w * static_cast<float>(bg - ag)),
               toChannel(static_cast<float>(ab) + w * static_cast<float>(bb - ab)));
}

void hsvToRgb(float hue, float saturation, float value, int& red, int& green, int& blue) {
    red = green = blue = 0;
    if (!(hue >= 0.0f && hue < 360.0f)) return; // NaN, negative hues and 360 or more: black
    const int sector = truncToInt(hue * (1.0f / 60.0f));
    const float f = hue / 60.0f - static_cast<float>(sector);
    const float v = value;
    const float p = v * (1.0f - saturation);
    const float q = v * (1.0f - saturation * f);
    const float t = v * (1.0f - saturation * (1.0f - f));
    float r = 0, g = 0, b = 0;
    switch (sector) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    case 5:
        r = v, g = p, b = q;
        break;
    default:
        return;
    }
    red = toChannel(r * 255.0f);
    green = toChannel(g * 255.0f);
    blue = toChannel(b * 255.0f);
}
