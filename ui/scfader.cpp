#include "ui/scfader.h"

#include "ui/geometry.h"
#include "ui/scfaces.h"

void ScFader::create(int x, int y, int length, const std::string& text, double* target, int ticks) {
    label = text;
    value = target;
    horizontal = length < 0;
    track.clear();
    knob.clear();
    auto held = [](long long v) {
        return static_cast<int>(v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : v));
    };
    if (horizontal) {
        rect = {x, y, held(static_cast<long long>(x) - length + 36), held(static_cast<long long>(y) + 17)};
        return;
    }
    rect = {x, y, held(static_cast<long long>(x) + 40), held(static_cast<long long>(y) + length + 15 + 36)};
    if (renderFaderTrack(track, length, narrow, ticks, centreTick, faceColour))
        renderFaderKnob(knob, track.width(), kKnobColour);
}

void ScFader::paint() {
    if (value == nullptr || !canPaint()) return;
    Limage& target = *context->scTarget;
    Canvas& screen = *context->scCanvas;
    if (!horizontal) {
        VerticalFaderLook look{rect, label, *value, &track, &knob, faceColour, textColour};
        paintVerticalFader(target, screen, look);
        return;
    }
    Canvas& c = *target.canvas();
    const TRect& r = rect;
    auto box = [&c](int left, int top, int right, int bottom, TColor colour) {
        c.brush = {colour, false};
        c.fillRect({left, top, right + 1, bottom + 1});
    };
    box(r.Left, r.Top, r.Right, r.Bottom, faceColour);
    c.font.height = -11;
    c.font.bold = false;
    c.font.underline = false;
    c.font.color = textColour;
    c.textOut((r.Left + r.Right) / 2 - c.textWidth(label) / 2, r.Top - 2, label);

    const TColor b = scaleColour(faceColour, 0.82f);
    box(r.Left, r.Top, r.Right, r.Bottom, b);
    c.brush = {scaleColour(faceColour, 0.6f), false};
    c.frameRect({r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    box(r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 1, scaleColour(b, 0.88f));
    box(r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 1, scaleColour(b, 0.88f));
    box(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1, scaleColour(b, 1.17f));
    box(r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1, scaleColour(b, 1.17f));

    const int middle = (r.Top + r.Bottom) / 2;
    box(r.Left + 12, middle - 2, r.Right - 11, middle + 5, scaleColour(faceColour, 0.88f));
    box(r.Left + 12, middle + 1, r.Right - 11, middle + 1, scaleColour(faceColour, 0.7f));

    const int kc = faderKnobPosition(r, true, *value);
    drawGradient(c, kc - 17, r.Top + 2, kc + 17, r.Bottom - 2, scaleColour(b, 0.93f), scaleColour(b, 1.1f),
                 false);
    c.brush = {scaleColour(faceColour, 0.6f), false};
    c.frameRect({kc - 17, r.Top + 2, kc + 18, r.Bottom - 1});
    for (int g = 0; g < 3; ++g)
        box(kc - 12 + 3 * g, r.Top + 5, kc - 12 + 3 * g, r.Bottom - 5, scaleColour(b, 0.7f));
    const TColor level =
        faderShownValue(*value) == 0.0 ? scaleColour(faceColour, 0.3f) : context->scLedColour;
    for (int k = 0; k < 6; ++k) {
        const int x0 = kc + 1 + 3 * k;
        box(x0, r.Bottom - 5 - k, x0 + 1, r.Bottom - 4, level);
    }
    drawGraphicClipped(*target.bitmap(), screen, r, 0, 0);
}

bool ScFader::drag(int x, int y, bool down) {
    if (value == nullptr) return false;
    FaderDrag f{rect,       horizontal, value,
                &grabValue, &grabCoord, context != nullptr && context->grabbedFader == this};
    bool grabNow = false;
    const bool changed = faderDrag(f, x, y, down, grabNow);
    if (grabNow && context != nullptr) context->grabbedFader = this;
    if (changed) paint();
    return changed;
}
