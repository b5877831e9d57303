#include "ui/aapen.h"

#include <cmath>

#include "foundation/strutil.h"
#include "ui/geometry.h"

namespace {

// Lines and circles longer than this (in plotted points) are not drawn: no image is that large.
constexpr double kLongest = 1.0e6;

} // namespace

AaPen& AaPen::setColour(TColor colour) {
    splitColour(colour, red, green, blue);
    return *this;
}

AaPen& AaPen::plot(double x, double y) {
    if (target == nullptr || !target->isValid()) return *this;
    if (!std::isfinite(x) || !std::isfinite(y)) return *this;
    // The block is the one holding the point: it starts at the point rounded down, so a point left of
    // or above the image (x < 0) has a block that does not fit and draws nothing.
    const double fx0 = std::floor(x);
    const double fy0 = std::floor(y);
    if (fx0 < 0.0 || fy0 < 0.0 || fx0 + 1.0 > target->width() - 1 || fy0 + 1.0 > target->height() - 1)
        return *this;
    const int px = truncToInt(fx0);
    const int py = truncToInt(fy0);
    const double fx = x - fx0;
    const double fy = y - fy0;
    const double d[4] = {std::sqrt(fx * fx + fy * fy), std::sqrt((1 - fx) * (1 - fx) + fy * fy),
                         std::sqrt(fx * fx + (1 - fy) * (1 - fy)),
                         std::sqrt((1 - fx) * (1 - fx) + (1 - fy) * (1 - fy))};
    const int dx[4] = {0, 1, 0, 1};
    const int dy[4] = {0, 0, 1, 1};
    const int pen[3] = {blue, green, red};
    for (int k = 0; k < 4; ++k) {
        if (d[k] >= 1.0) continue;
        uint8_t* p = target->row(py + dy[k]) + 3 * (px + dx[k]);
        for (int ch = 0; ch < 3; ++ch)
            p[ch] = static_cast<uint8_t>(truncToInt(pen[ch] * (1.0 - d[k]) + d[k] * p[ch]));
    }
    return *this;
}

AaPen& AaPen::line(double x1, double y1, double x2, double y2) {
    const double length = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    if (!(length <= kLongest)) return *this;
    const int n = truncToInt(length);
    const double step = n >= 2 ? 1.0 / (n - 1) : 0.0;
    for (int i = 0; i < n; ++i) plot(x1 + (x2 - x1) * i * step, y1 + (y2 - y1) * i * step);
    return *this;
}

AaPen& AaPen::circle(double cx, double cy, double r, bool filled) {
    if (target == nullptr) return *this;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !(r >= 0.0 && 2.0 * kPi * r <= kLongest)) return *this;
    if (filled && target->isValid()) {
        const int left = truncToInt(cx - r), top = truncToInt(cy - r);
        const int right = truncToInt(cx + r + 1), bottom = truncToInt(cy + r + 1);
        if (Canvas* c = target->canvas()) {
            c->pen.color = colour();
            c->pen.clear = false;
            c->brush.color = colour();
            c->brush.clear = false;
            c->ellipse(left, top, right, bottom);
        } else {
            // Plain rows: the same disc through a canvas aimed at them for this call.
            Canvas rows;
            rows.attach(target->rows(), target->width(), target->height(), nullptr, 0);
            rows.pen.color = colour();
            rows.brush.color = colour();
            rows.ellipse(left, top, right, bottom);
        }
    }
    const int n = truncToInt(2.0 * kPi * r);
    const double step = n >= 2 ? 1.0 / (n - 1) : 0.0;
    for (int i = 0; i < n; ++i) {
        const double angle = i * step * 2.0 * kPi;
        plot(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    return *this;
}

void drawRoundRectAA(AaPen& pen, Canvas& canvas, int x, int y, int width, int height, int radius, TColor fill,
                     TColor background) {
    if (width <= 0 || height <= 0) return;
    Limage work;
    if (!work.setSize(width, height, true) || work.canvas() == nullptr) return;
    Canvas& c = *work.canvas();
    c.pen = {fill, false};
    c.brush = {fill, false};
    c.rectangle(0, 0, width + 1, height + 1);
    const int r = radius;
    if (r > 0) {
        c.pen = {background, false};
        c.brush = {background, false};
        c.rectangle(0, 0, r + 1, r + 1);
        c.rectangle(width - r - 1, 0, width, r + 1);
        c.rectangle(0, height - r - 1, r + 1, height);
        c.rectangle(width - r - 1, height - r - 1, width, height);
        Limage* savedTarget = pen.target;
        const TColor savedColour = pen.colour();
        pen.setTarget(&work).setColour(fill);
        pen.circle(r, r, r, true);
        pen.circle(width - r - 1, r, r, true);
        pen.circle(r, height - r - 1, r, true);
        pen.circle(width - r - 1, height - r - 1, r, true);
        pen.setTarget(savedTarget).setColour(savedColour);
    }
    canvas.draw(x, y, *work.bitmap());
}
