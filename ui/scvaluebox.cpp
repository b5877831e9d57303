#include "ui/scvaluebox.h"

#include "ui/aapen.h"
#include "ui/geometry.h"

namespace {

void box(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush = {colour, false};
    c.fillRect({left, top, right + 1, bottom + 1});
}

void line(Canvas& c, int x0, int y0, int x1, int y1, TColor colour) {
    c.pen = {colour, false};
    c.moveTo(x0, y0);
    c.lineTo(x1, y1);
}

// A double arrow centred at (cx, cy), its heads anti-aliased.
void doubleArrow(AaPen& pen, Canvas& c, int cx, int cy, bool vertical, TColor colour) {
    pen.setColour(colour);
    if (!vertical) {
        line(c, cx - 6, cy, cx + 7, cy, colour);
        pen.line(cx - 6, cy, cx - 3, cy - 3).line(cx - 6, cy, cx - 3, cy + 3);
        pen.line(cx + 6, cy, cx + 3, cy - 3).line(cx + 6, cy, cx + 3, cy + 3);
    } else {
        line(c, cx, cy - 6, cx, cy + 7, colour);
        pen.line(cx, cy - 6, cx - 3, cy - 3).line(cx, cy - 6, cx + 3, cy - 3);
        pen.line(cx, cy + 6, cx - 3, cy + 3).line(cx, cy + 6, cx + 3, cy + 3);
    }
}

} // namespace

void ScValueBox::paint(const ScValueBoxArgs& a) {
    ScValueBox* b = a.box;
    if (b == nullptr || !b->canPaint()) return;
    ScContext& ctx = *b->context;
    Limage& target = *ctx.scTarget;
    Canvas& c = *target.canvas();
    const int x = a.x, y = a.y, w = a.width, h = a.height;
    b->faceColour = ctx.scFaceColour;
    b->rect = {x, y, x + w, y + h};
    for (TRect& p : b->parts) p = globalUndefinedRect;

    const TColor face = b->faceColour;
    box(c, x + 1, y + 1, x + w - 1, y + h - 1, scaleColour(face, 0.93f));
    box(c, x, y, x + w, y, scaleColour(face, 0.8f));
    box(c, x, y, x, y + h, scaleColour(face, 0.8f));
    box(c, x + w, y + 1, x + w, y + h, scaleColour(face, 1.15f));
    box(c, x + 1, y + h, x + w, y + h, scaleColour(face, 1.15f));
    const TColor boxColour = ctx.scBoxColour;
    drawGradient(c, x + 2, y + 2, x + w - 2, y + h - 2, scaleColour(boxColour, 1.2f), boxColour, false);
    clipToRect(c, {x, y, x + w - 2, y + h});
    TColor text = a.textColour != -1 ? a.textColour : scaleColour(boxColour, 0.35f);

    AaPen local;
    AaPen& pen = ctx.aaPen != nullptr ? *ctx.aaPen : local;
    Limage* savedTarget = pen.target;
    const TColor savedColour = pen.colour();
    pen.setTarget(&target);

    std::string flags = a.flags;
    while (flags.size() < 2) flags += ' ';
    const bool play = flags[0] == 'p' || flags[0] == 'P';
    if (play) {
        const TColor ring = scaleColour(text, 0.75f);
        pen.setColour(ring).circle(x + 15.5, y + 26, 5, false).circle(x + 15.5, y + 26, 6, false);
        // The mark sits one pixel lower and further right when the button shows pushed ("P").
        const int d = flags[0] == 'P' ? 1 : 0;
        const int mx = x + 14 + d, my = y + 26 + d;
        line(c, mx, my - 2, mx, my + 3, ring);
        line(c, mx + 1, my - 1, mx + 1, my + 2, ring);
        line(c, mx + 2, my, mx + 2, my + 1, ring);
        line(c, x + 29, y + 6, x + 29, y + h - 5, mixColours(text, boxColour, 0.5f));
        b->parts[0] = {x, y, x + 28, y + 27};
        b->parts[1] = {b->rect.Left, b->rect.Top, b->rect.Left + 30, b->rect.Bottom};
        if (flags[0] == 'p') text = mixColours(text, boxColour, 0.75f);
    }
    if (flags[1] == 's' || flags[1] == 'S') {
        const int cx = x + w - 15, cy = y + h / 2 + 1;
        doubleArrow(pen, c, cx, cy, flags[1] == 'S', scaleColour(text, 1.3f));
        b->parts[2] = {cx - 11, cy - 13, cx + 13, cy + 13};
    }
    pen.setTarget(savedTarget).setColour(savedColour);

    const int tx = x + (play ? 35 : 7);
    c.font.bold = false;
    c.font.underline = false;
    c.font.color = text;
    c.font.height = -11;
    c.textOut(tx, y + (h < 30 ? 4 : 7), a.title);
    c.font.height = -20;
    c.textOut(tx, y + 19, a.value);
    c.font.height = -11;
    clearClip(c);

    if (a.present) drawGraphicClipped(*target.bitmap(), *ctx.scCanvas, {x, y - 20, x + w, y + h}, 0, 0);
}

bool ScValueBox::hitTest(const ScValueBox& box, int x, int y, int part) {
    const TRect* r = nullptr;
    if (part == -1)
        r = &box.rect;
    else if (part >= 0 && part < kParts)
        r = &box.parts[part];
    if (r == nullptr || *r == globalUndefinedRect) return false;
    return pointInRect(x, y, *r);
}
