#include "platform/qt/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "foundation/strutil.h"
#include "platform/qt/bitmap24.h"

namespace {

using i64 = long long;

TRect intersect(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

bool isEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

int clampToInt(i64 v) {
    if (v < INT32_MIN) return INT32_MIN;
    if (v > INT32_MAX) return INT32_MAX;
    return static_cast<int>(v);
}

// floor(a / b) for b > 0. The numerators of long lines need more than 64 bits.
i64 floorDiv(__int128 a, __int128 b) {
    __int128 q = a / b;
    if ((a % b != 0) && (a < 0)) --q;
    return static_cast<i64>(q);
}

} // namespace

void Canvas::attach(uint8_t* const* rows, int width, int height, uint8_t* base, int stride) {
    if (rows == nullptr || width <= 0 || height <= 0) {
        rows_ = nullptr;
        width_ = height_ = 0;
        base_ = nullptr;
        stride_ = 0;
        return;
    }
    rows_ = rows;
    width_ = width;
    height_ = height;
    base_ = base;
    stride_ = stride;
}

void Canvas::setClipRect(const TRect& r) {
    clipOn_ = true;
    clip_ = r;
}

TRect Canvas::drawable() const {
    TRect all{0, 0, width_, height_};
    if (!isAttached()) return {0, 0, 0, 0};
    return clipOn_ ? intersect(all, clip_) : all;
}

void Canvas::changed(const TRect& r) const {
    if (!listener_) return;
    TRect c = intersect(r, drawable());
    if (!isEmpty(c)) listener_(c);
}

void Canvas::plot(int x, int y, TColor colour, const TRect& lim) {
    if (x < lim.Left || x >= lim.Right || y < lim.Top || y >= lim.Bottom) return;
    uint8_t* p = rows_[y] + 3 * x;
    p[0] = static_cast<uint8_t>(colourBlue(colour));
    p[1] = static_cast<uint8_t>(colourGreen(colour));
    p[2] = static_cast<uint8_t>(colourRed(colour));
}

void Canvas::span(int x0, int x1, int y, TColor colour, const TRect& lim) {
    if (y < lim.Top || y >= lim.Bottom) return;
    x0 = std::max(x0, lim.Left);
    x1 = std::min(x1, lim.Right);
    if (x1 <= x0) return;
    const uint8_t b = static_cast<uint8_t>(colourBlue(colour));
    const uint8_t g = static_cast<uint8_t>(colourGreen(colour));
    const uint8_t r = static_cast<uint8_t>(colourRed(colour));
    uint8_t* p = rows_[y] + 3 * x0;
    for (int x = x0; x < x1; ++x, p += 3) {
        p[0] = b;
        p[1] = g;
        p[2] = r;
    }
}

void Canvas::fillBox(int left, int top, int right, int bottom, TColor colour) {
    TRect lim = drawable();
    TRect box = intersect({left, top, right, bottom}, lim);
    if (isEmpty(box)) return;
    for (int y = box.Top; y < box.Bottom; ++y) span(box.Left, box.Right, y, colour, lim);
}

// A line from (x0, y0) towards (x1, y1) without its end point. Pixels follow the rounded minor
// coordinate of each major step; only the steps that can meet the drawable area are visited.
void Canvas::segment(int x0, int y0, int x1, int y1, TColor colour, const TRect& lim) {
    if (isEmpty(lim)) return;
    const i64 dx = static_cast<i64>(x1) - x0;
    const i64 dy = static_cast<i64>(y1) - y0;
    const i64 adx = dx < 0 ? -dx : dx;
    const i64 ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return;
    const bool alongX = adx >= ady;
    const i64 major = alongX ? adx : ady;
    const i64 minor = alongX ? ady : adx;
    const int sMajor = (alongX ? dx : dy) < 0 ? -1 : 1;
    const int sMinor = (alongX ? dy : dx) < 0 ? -1 : 1;
    const i64 m0 = alongX ? x0 : y0;
    const i64 n0 = alongX ? y0 : x0;
    const i64 lo = alongX ? lim.Left : lim.Top;
    const i64 hi = (alongX ? lim.Right : lim.Bottom) - 1;
    i64 first = 0;
    i64 last = major - 1;
    if (sMajor > 0) {
        first = std::max(first, lo - m0);
        last = std::min(last, hi - m0);
    } else {
        first = std::max(first, m0 - hi);
        last = std::min(last, m0 - lo);
    }
    for (i64 i = first; i <= last; ++i) {
        const i64 m = m0 + sMajor * i;
        const i64 n = n0 + sMinor * floorDiv(static_cast<__int128>(2) * i * minor + major,
                                             static_cast<__int128>(2) * major);
        const i64 x = alongX ? m : n;
        const i64 y = alongX ? n : m;
        if (x < lim.Left || x >= lim.Right || y < lim.Top || y >= lim.Bottom) continue;
        plot(static_cast<int>(x), static_cast<int>(y), colour, lim);
    }
}

void Canvas::lineTo(int x, int y) {
    if (!pen.clear && isAttached()) {
        segment(penPos.x, penPos.y, x, y, pen.color, drawable());
        changed({std::min(penPos.x, x), std::min(penPos.y, y), clampToInt(std::max<i64>(penPos.x, x) + 1),
                 clampToInt(std::max<i64>(penPos.y, y) + 1)});
    }
    penPos = {x, y};
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (right == left || bottom == top || !isAttached()) return;
    if (pen.clear) {
        if (!brush.clear) fillBox(left, top, right, bottom, brush.color);
    } else {
        if (!brush.clear && static_cast<i64>(right) - left > 2 && static_cast<i64>(bottom) - top > 2)
            fillBox(left + 1, top + 1, right - 1, bottom - 1, brush.color);
        fillBox(left, top, right, top + 1, pen.color);
        fillBox(left, bottom - 1, right, bottom, pen.color);
        fillBox(left, top, left + 1, bottom, pen.color);
        fillBox(right - 1, top, right, bottom, pen.color);
    }
    changed({left, top, right, bottom});
}

void Canvas::fillRect(const TRect& r) {
    if (brush.clear || isEmpty(r) || !isAttached()) return;
    fillBox(r.Left, r.Top, r.Right, r.Bottom, brush.color);
    changed(r);
}

void Canvas::frameRect(const TRect& r) {
    if (brush.clear || isEmpty(r) || !isAttached()) return;
    fillBox(r.Left, r.Top, r.Right, r.Top + 1, brush.color);
    fillBox(r.Left, r.Bottom - 1, r.Right, r.Bottom, brush.color);
    fillBox(r.Left, r.Top, r.Left + 1, r.Bottom, brush.color);
    fillBox(r.Right - 1, r.Top, r.Right, r.Bottom, brush.color);
    changed(r);
}

// The ellipse inscribed in Left..Right-1, Top..Bottom-1: the pixels whose centres lie inside it.
// The outline is the inside pixels with a horizontal or vertical neighbour outside.
void Canvas::ellipse(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (right == left || bottom == top || !isAttached()) return;
    const TRect lim = drawable();
    if (isEmpty(lim)) return;
    const i64 w = static_cast<i64>(right) - left;
    const i64 h = static_cast<i64>(bottom) - top;
    constexpr i64 kLargest = i64{1} << 30; // keeps the exact inside test within 128 bits
    if (w > kLargest || h > kLargest) return;
    constexpr i64 kNoSpan = INT64_MIN;
    auto inside = [&](i64 px, i64 py) {
        return static_cast<__int128>(px) * px * h * h + static_cast<__int128>(py) * py * w * w <=
               static_cast<__int128>(w) * w * h * h;
    };
    // Rightmost inside column of a row (kNoSpan for rows outside the box).
    auto rightEnd = [&](i64 y) -> i64 {
        if (y < top || y >= bottom) return kNoSpan;
        const i64 py = 2 * (y - top) + 1 - h;
        // The centre column is always inside; search the last inside column to its right.
        i64 lo = (w - 1) / 2, hi = w - 1;
        while (lo < hi) {
            const i64 mid = lo + (hi - lo + 1) / 2;
            if (inside(2 * mid + 1 - w, py))
                lo = mid;
            else
                hi = mid - 1;
        }
        const i64 k = lo;
        return left + k;
    };
    const int yFirst = std::max(top, lim.Top);
    const int yLast = std::min(bottom, lim.Bottom);
    for (int y = yFirst; y < yLast; ++y) {
        const i64 xr = rightEnd(y);
        const i64 xl = static_cast<i64>(left) + right - 1 - xr;
        const i64 upR = rightEnd(y - 1);
        const i64 downR = rightEnd(y + 1);
        // Inside pixels whose four neighbours are all inside form the interior; the rest is outline.
        i64 innerR = xl - 1;
        if (upR != kNoSpan && downR != kNoSpan) innerR = std::min({xr - 1, upR, downR});
        const i64 innerL = static_cast<i64>(left) + right - 1 - innerR;
        if (pen.clear) {
            if (!brush.clear) span(clampToInt(xl), clampToInt(xr + 1), y, brush.color, lim);
            continue;
        }
        if (!brush.clear && innerL <= innerR)
            span(clampToInt(innerL), clampToInt(innerR + 1), y, brush.color, lim);
        if (innerL > innerR) {
            span(clampToInt(xl), clampToInt(xr + 1), y, pen.color, lim);
        } else {
            span(clampToInt(xl), clampToInt(innerL), y, pen.color, lim);
            span(clampToInt(innerR + 1), clampToInt(xr + 1), y, pen.color, lim);
        }
    }
    changed({left, top, right, bottom});
}

// Vertices name pixels, as the outline's do: the fill takes, row by row, the pixels from the first at
// or right of the left edge to the last at or left of the right edge (even-odd rule), so it meets the
// outline without a gap along slanted edges. Without a pen the outline's pixels are filled with the
// brush, so a shape covers the same pixels either way. Then the outline through every vertex.
void Canvas::polygon(const TPoint* points, int count) {
    if (points == nullptr || count < 2 || !isAttached()) return;
    const TRect lim = drawable();
    int minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (int i = 1; i < count; ++i) {
        minX = std::min(minX, points[i].x);
        maxX = std::max(maxX, points[i].x);
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    if (!brush.clear && !isEmpty(lim)) {
        // Where an edge crosses a row: floor and ceiling of the exact column.
        struct Crossing {
            i64 floor, ceil;
            bool operator<(const Crossing& o) const {
                return floor != o.floor ? floor < o.floor : ceil < o.ceil;
            }
        };
        std::vector<Crossing> xs;
        const int yFirst = std::max(minY, lim.Top);
        const int yLast = std::min(maxY, lim.Bottom);
        for (int y = yFirst; y < yLast; ++y) {
            xs.clear();
            for (int i = 0; i < count; ++i) {
                TPoint a = points[i];
                TPoint b = points[(i + 1) % count];
                if (a.y == b.y) continue;
                if (a.y > b.y) std::swap(a, b);
                if (y < a.y || y >= b.y) continue; // a vertex counts for the edge below it
                const __int128 num =
                    static_cast<__int128>(static_cast<i64>(y) - a.y) * (static_cast<i64>(b.x) - a.x);
                const __int128 den = static_cast<i64>(b.y) - a.y;
                const i64 fl = floorDiv(num, den);
                xs.push_back({a.x + fl, a.x + fl + (fl * den == num ? 0 : 1)});
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2)
                span(clampToInt(xs[k].ceil), clampToInt(xs[k + 1].floor + 1), y, brush.color, lim);
        }
        if (pen.clear)
            for (int i = 0; i < count; ++i) {
                const TPoint& a = points[i];
                const TPoint& b = points[(i + 1) % count];
                segment(a.x, a.y, b.x, b.y, brush.color, lim);
            }
    }
    if (!pen.clear)
        for (int i = 0; i < count; ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % count];
            segment(a.x, a.y, b.x, b.y, pen.color, lim);
        }
    changed({minX, minY, clampToInt(static_cast<i64>(maxX) + 1), clampToInt(static_cast<i64>(maxY) + 1)});
}

TColor Canvas::pixel(int x, int y) const {
    const TRect lim = drawable();
    if (x < lim.Left || x >= lim.Right || y < lim.Top || y >= lim.Bottom) return -1;
    const uint8_t* p = rows_[y] + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

void Canvas::setPixel(int x, int y, TColor colour) {
    if (!isAttached()) return;
    plot(x, y, colour, drawable());
    changed({x, y, clampToInt(static_cast<i64>(x) + 1), clampToInt(static_cast<i64>(y) + 1)});
}

void Canvas::draw(int x, int y, const Bitmap24& image) {
    if (!isAttached() || image.width() <= 0 || image.height() <= 0) return;
    const TRect target{x, y, clampToInt(static_cast<i64>(x) + image.width()),
                       clampToInt(static_cast<i64>(y) + image.height())};
    const TRect box = intersect(target, drawable());
    if (isEmpty(box)) return;
    const int n = box.Right - box.Left;
    for (int ty = box.Top; ty < box.Bottom; ++ty) {
        const uint8_t* src = image.scanLine(ty - y) + 3 * (box.Left - x);
        uint8_t* dst = rows_[ty] + 3 * box.Left;
        std::copy(src, src + 3 * n, dst);
    }
    changed(box);
}
