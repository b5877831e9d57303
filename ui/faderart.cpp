// Fader tracks, knobs, painting and dragging shared by the Sc and the Shade faders.
#include <cmath>

#include "foundation/strutil.h"
#include "ui/geometry.h"
#include "ui/scfaces.h"

namespace {

void box(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush = {colour, false};
    c.fillRect({left, top, right + 1, bottom + 1});
}

void hline(Canvas& c, int x0, int x1, int y, TColor colour) {
    box(c, x0, y, x1, y, colour);
}
void vline(Canvas& c, int x, int y0, int y1, TColor colour) {
    box(c, x, y0, x, y1, colour);
}

} // namespace

int faderTrackWidth(bool narrow) {
    return narrow ? 27 : 33;
}

// The travel runs from row 18 (value 1) to row 18 + length (value 0) of the track.
bool renderFaderTrack(Limage& track, int length, bool narrow, int ticks, int centreTick, TColor face) {
    const int w = faderTrackWidth(narrow);
    if (length < 1 || !track.setSize(w, length + 37, true) || track.canvas() == nullptr) return false;
    Canvas& c = *track.canvas();
    track.fill(face);
    const TColor dark = scaleColour(face, 0.6f);
    const TColor light = scaleColour(face, 1.15f);
    const int mid = w / 2;
    if (ticks >= 2) {
        const int centre = centreTick >= 0 ? centreTick : ticks / 2;
        for (int i = 1; i < ticks; ++i) {
            double pos = 18.0 + length * (1.0 - static_cast<double>(i) / ticks);
            if (2 * i > ticks) pos += 0.5; // the upper half
            const int y = truncToInt(pos);
            if (i == centre)
                hline(c, 0, w - 1, y, dark);
            else
                hline(c, 3, w - 4, y, dark);
        }
    }
    // The groove: dark at the top and left, light at the bottom and right.
    const int top = 14;
    const int bottom = length + 22;
    box(c, mid - 1, top + 1, mid + 1, bottom - 1, scaleColour(face, 0.45f));
    hline(c, mid - 2, mid + 2, top, dark);
    vline(c, mid - 2, top, bottom, dark);
    hline(c, mid - 1, mid + 2, bottom, light);
    vline(c, mid + 2, top + 1, bottom, light);
    return true;
}

// The knob is multiplied onto the track: white leaves the track as it is.
bool renderFaderKnob(Limage& knob, int width, TColor knobColour) {
    const int w = width - 4;
    const int h = 31;
    if (w < 5 || !knob.setSize(w, h, true) || knob.canvas() == nullptr) return false;
    Canvas& c = *knob.canvas();
    knob.fill(0xFFFFFF);
    drawGradient(c, 1, 1, w - 2, h - 2, scaleColour(knobColour, 1.15f), scaleColour(knobColour, 0.85f),
                 false);
    const TColor edge = scaleColour(knobColour, 0.6f);
    hline(c, 1, w - 2, 0, edge);
    hline(c, 1, w - 2, h - 1, edge);
    vline(c, 0, 1, h - 2, edge);
    vline(c, w - 1, 1, h - 2, edge);
    const TColor grip = scaleColour(knobColour, 0.5f);
    for (int y : {h / 2 - 4, h / 2, h / 2 + 4}) {
        hline(c, 4, w - 5, y, grip);
        hline(c, 4, w - 5, y + 1, 0xFFFFFF);
    }
    return true;
}

double faderShownValue(double value) {
    if (!(value >= 0.0)) return 0.0; // NaN and below 0
    return value > 1.0 ? 1.0 : value;
}

void faderTravel(const TRect& rect, bool horizontal, int& a, int& b) {
    const int lo = horizontal ? rect.Left : rect.Top + 15;
    const int hi = horizontal ? rect.Right : rect.Bottom;
    a = lo + 18;
    b = hi - 18;
}

int faderKnobPosition(const TRect& rect, bool horizontal, double value) {
    int a, b;
    faderTravel(rect, horizontal, a, b);
    const double v = faderShownValue(value);
    if (horizontal) return truncToInt(a + v * (b - a) + 0.5);
    return truncToInt((1.0 - v) * (b - a) + a + 0.5);
}

void paintVerticalFader(Limage& target, Canvas& screen, const VerticalFaderLook& look) {
    Canvas* c = target.canvas();
    if (c == nullptr) return;
    const TRect& rc = look.rect;
    box(*c, rc.Left, rc.Top, rc.Right, rc.Bottom + 10, look.face);
    c->font.height = -11;
    c->font.bold = false;
    c->font.underline = false;
    c->font.color = look.text;
    const int tw = c->textWidth(look.label);
    c->textOut((rc.Left + rc.Right) / 2 - tw / 2, rc.Top - 2, look.label);
    const int centreX = (rc.Left + rc.Right) / 2;
    if (look.track != nullptr && look.track->isValid())
        Limage::blitTransparent({.source = look.track,
                                 .target = &target,
                                 .x = centreX - look.track->width() / 2,
                                 .y = rc.Top + 15});
    if (look.knob != nullptr && look.knob->isValid())
        Limage::blitBlend({.source = look.knob->setCentred(),
                           .target = &target,
                           .x = centreX,
                           .y = faderKnobPosition(rc, false, look.value),
                           .table = 13});
    drawGraphicClipped(*target.bitmap(), screen, rc, 0, 0);
}

bool faderDrag(const FaderDrag& f, int x, int y, bool down, bool& grabNow) {
    grabNow = false;
    if (f.value == nullptr || f.grabValue == nullptr || f.grabCoord == nullptr) return false;
    const bool hit =
        f.horizontal ? pointInRect(x, y, f.rect) : pointInRect(x, y, f.rect) && y >= f.rect.Top + 15;
    if (down && hit) grabNow = true;
    if (!((down && hit) || (!down && f.grabbed))) return false;
    int a, b;
    faderTravel(f.rect, f.horizontal, a, b);
    if (b - a < 1) return false;
    const double travel = b - a;
    const int v = f.horizontal ? x : y;
    const double current = std::isnan(*f.value) ? 0.0 : *f.value;
    double value;
    if (down) {
        const int knob = f.horizontal ? truncToInt(a + current * travel + 0.5)
                                      : truncToInt((1.0 - current) * travel + a + 0.5);
        value = current;
        const long long distance = static_cast<long long>(v) - knob;
        if (distance > 17 || distance < -17) {
            const double along = (static_cast<double>(v) - a) / travel;
            value = faderShownValue(f.horizontal ? along : 1.0 - along);
        }
        *f.grabValue = value;
        *f.grabCoord = v;
    } else {
        const double moved = (static_cast<double>(v) - *f.grabCoord) / travel;
        value = f.horizontal ? *f.grabValue + moved : *f.grabValue - moved;
    }
    value = faderShownValue(value);
    if (value == *f.value) return false;
    *f.value = value;
    return true;
}
