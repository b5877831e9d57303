// Painting of the selector overlay: frame, panels, lines, labels, the arrangement selector's title
// buttons, and every sensor with its glyph or caption.
#include "foundation/strutil.h"
#include "ui/geometry.h"
#include "ui/modalloop.h"
#include "ui/qvselector.h"

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kSignTint = RGB(0xB8, 0xB8, 0xB8);

void playbackTick() {
    modalLoop().tick(false);
}

void hline(Canvas& c, int x1, int x2, int y, TColor colour) { // x1..x2 inclusive
    for (int x = x1; x <= x2; ++x) c.setPixel(x, y, colour);
}

void drawLine(Canvas& c, int x1, int y1, int x2, int y2, TColor colour) {
    c.pen = {colour, false};
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

void fillBox(Canvas& c, int left, int top, int right, int bottom, TColor colour) { // right, bottom exclusive
    c.brush = {colour, false};
    c.fillRect({left, top, right, bottom});
}

// A triangle of rows 1, 3 and 5 pixels wide (pointing up) or 5, 3 and 1 (down), its middle row at cy.
void triangle(Canvas& c, int cx, int cy, bool up, TColor colour) {
    for (int r = 0; r < 3; ++r) {
        const int half = up ? r : 2 - r;
        hline(c, cx - half, cx + half, cy - 1 + r, colour);
    }
}

// A chevron three rows high and five wide with its tip at (cx, tipY), pointing up or down.
void chevronV(Canvas& c, int cx, int tipY, bool up, TColor colour) {
    for (int r = 0; r < 3; ++r) {
        const int yy = up ? tipY + r : tipY - r;
        c.setPixel(cx - r, yy, colour);
        c.setPixel(cx + r, yy, colour);
    }
}

// A chevron seven rows high with its tip at (tipX, cy), pointing right or left, two pixels thick.
void chevronH(Canvas& c, int tipX, int cy, bool right, TColor colour) {
    for (int r = 0; r <= 3; ++r) {
        const int xx = right ? tipX - r : tipX + r;
        for (int t = 0; t < 2; ++t) {
            const int xt = right ? xx - t : xx + t;
            c.setPixel(xt, cy - 3 + (3 - r), colour);
            c.setPixel(xt, cy + 3 - (3 - r), colour);
        }
    }
}

Font captionFont(bool bold, TColor colour) {
    Font f;
    f.name = "Tahoma";
    f.height = -11;
    f.bold = bold;
    f.color = colour;
    return f;
}

} // namespace

struct QvSelector::Colours {
    TColor c1, c2, text, line, brightLine;
};

void drawDimSymbol(Canvas& canvas, int x, int y, bool slash, bool seven) {
    if (seven) x -= 4;
    const Brush brush = canvas.brush;
    canvas.brush.clear = true;
    canvas.ellipse(x - 2, y - 2, x + 3, y + 3);
    canvas.brush = brush;
    if (slash) {
        canvas.moveTo(x - 3, y + 3);
        canvas.lineTo(x + 4, y - 4);
    }
    if (seven) {
        const Font font = canvas.font;
        canvas.font.height = -11;
        canvas.font.bold = false;
        const int centre = x + 5 + (slash ? 1 : 0);
        canvas.textOut(centre - canvas.textWidth("7") / 2, y - 1 - canvas.textHeight("7") / 2, "7");
        canvas.font = font;
    }
}

void makeSignImage(Limage& image, bool sharp) {
    if (!image.setSize(7, 12, true) || image.canvas() == nullptr) return;
    image.fill(kBlack);
    Canvas& c = *image.canvas();
    if (sharp) {
        for (int yy = 1; yy <= 10; ++yy) {
            c.setPixel(2, yy, kWhite);
            c.setPixel(4, yy - 1, kWhite);
        }
        for (int xx = 0; xx <= 6; ++xx) {
            const int lift = xx / 3; // the bars rise to the right
            c.setPixel(xx, 4 - lift, kWhite);
            c.setPixel(xx, 8 - lift, kWhite);
        }
    } else {
        // One column of space on the left keeps the sign clear of a letter before it.
        for (int yy = 0; yy <= 10; ++yy) c.setPixel(2, yy, kWhite);
        const int bowl[][2] = {{3, 6}, {4, 5}, {5, 5}, {6, 6}, {6, 7}, {5, 8}, {4, 9}, {3, 10}};
        for (const auto& p : bowl) c.setPixel(p[0], p[1], kWhite);
        c.setPixel(5, 6, RGB(128, 128, 128));
    }
}

void QvSelector::paint(bool present) {
    if (!open_ || !isValid() || target == nullptr || !target->isValid() || Limage::canvas() == nullptr)
        return;
    Canvas& c = *Limage::canvas();
    const int W = width();
    const int H = height();
    const TColor base = theme.dimTextColour();
    Colours k;
    k.c1 = scaleColour(base, 1.1f);
    k.c2 = scaleColour(k.c1, 1.26f);
    k.text = scaleColour(k.c1, 0.47f);
    k.line = scaleColour(k.c1, 1.6f);
    k.brightLine = mixColours(k.c1, k.c2, 0.75f);
    c.clearClip();

    playbackTick();
    drawRoundRectAA(pen, c, 0, 0, W, H, 5, k.c2, kBlack);
    playbackTick();
    if (kind() == kSelectorArrangement) {
        drawRoundRectAA(pen, c, 5, 21, W - 100, H - 26, 5, k.c1, k.c2);
        drawRoundRectAA(pen, c, W - 90, 21, 85, H - 26, 5, k.c1, k.c2);
    } else {
        drawRoundRectAA(pen, c, 5, 5, W - 10, H - 10, 5, k.c1, k.c2);
    }

    for (const SelectorLine& l : lines) {
        const TColor colour = l.bright ? k.brightLine : k.line;
        if (l.hook == 0) {
            drawLine(c, l.x1, l.y1, l.x2, l.y2, colour);
        } else {
            drawLine(c, l.x1 + 1, l.y1, l.x2 - 1, l.y2, colour);
            c.setPixel(l.x1, l.y1 + l.hook, colour);
            c.setPixel(l.x2 - 1, l.y2 + l.hook, colour);
        }
    }
    playbackTick();

    const Font savedFont = c.font;
    for (const SelectorLabel& l : labels) {
        c.font = captionFont(true, l.bright ? kWhite : k.line);
        c.textOut(l.x, l.y, l.text);
    }
    c.font = savedFont;

    // Every paint starts without title buttons, so a click can never land on those of an earlier kind.
    helpRect = menuRect = powerRect1 = powerRect2 = TRect{-1, -1, -1, -1};
    if (kind() == kSelectorArrangement) paintTitleStrip(c, k);

    for (Sensor& s : sensors) {
        playbackTick();
        paintSensor(c, s, k);
    }
    c.clearClip();
    c.font = savedFont;

    playbackTick();
    composite();
    playbackTick();
    if (present && canvas != nullptr && target->bitmap() != nullptr) {
        drawGraphicClipped(*target->bitmap(), *canvas, TRect{x, y, x + W - 1, y + H - 1}, 0, 0);
        playbackTick();
    }
}

void QvSelector::paintTitleStrip(Canvas& c, const Colours& k) {
    const int W = width();
    const TColor button = mixColours(k.c2, kWhite, 0.5f);
    // The pen is aimed here before each use: the rounded frames above borrowed it for their corners.
    const int helpX = W - 108, menuX = W - 126, cy = 10;
    pen.setTarget(this).setColour(button).circle(helpX, cy, 7, true);
    c.font = captionFont(true, kWhite);
    c.textOut(helpX + 1 - c.textWidth("?") / 2, cy - c.textHeight("?") / 2, "?");
    helpRect = {helpX - 7, cy - 7, helpX + 7, cy + 7};

    pen.setTarget(this).setColour(button).circle(menuX, cy, 7, true);
    for (int i = -1; i <= 1; ++i) drawLine(c, menuX - 2, cy + 3 * i, menuX + 4, cy + 3 * i, kWhite);
    menuRect = {menuX - 7, cy - 7, menuX + 7, cy + 7};

    const TColor ring = scaleColour(k.c1, 0.67f);
    const int px[2] = {17, W - 78};
    const bool on[2] = {power1On, power2On};
    for (int b = 0; b < 2; ++b) {
        const int cx = px[b];
        pen.setTarget(this).setColour(on[b] ? theme.highlightColour() : k.c2).circle(cx, cy, 7, true);
        pen.setTarget(this).setColour(ring).circle(cx, cy, 7, false);
        const int top = on[b] ? cy - 5 : cy;
        drawLine(c, cx, top, cx, top + 6, ring);
        drawLine(c, cx + 1, top, cx + 1, top + 6, ring);
        (b == 0 ? powerRect1 : powerRect2) = {cx - 7, cy - 7, cx + 7, cy + 7};
    }
}

void QvSelector::paintSensor(Canvas& c, Sensor& s, const Colours& k) {
    const int w = s.rect.Right - s.rect.Left;
    const int h = s.rect.Bottom - s.rect.Top;
    if (s.text == "<ghost>") {
        drawRoundRectAA(pen, c, s.rect.Left, s.rect.Top, w, h, 2, mixColours(k.c1, k.c2, 0.333f), k.c1);
        return;
    }
    const TColor face = s.checked ? kWhite : k.c2;
    drawRoundRectAA(pen, c, s.rect.Left, s.rect.Top, w, h, 2, face, k.c1);
    std::string text = s.text;
    if (text.rfind("<Lock>", 0) == 0) text.erase(0, 6);
    static const char* const kTokens[] = {"o",       "m7b5",   "o7",     "<up>",    "<down>",   "<bass>",
                                          "<power>", "<next>", "<prev>", "<invUp>", "<invDown>"};
    for (const char* token : kTokens)
        if (text == token) {
            Sensor glyph = s;
            glyph.text = text;
            paintGlyph(c, glyph, face, k);
            return;
        }
    paintCaption(c, s, face, k);
}

void QvSelector::paintGlyph(Canvas& c, const Sensor& s, TColor face, const Colours& k) {
    const TRect& r = s.rect;
    const int cx = (r.Left + r.Right) / 2 + ((r.Right - r.Left) % 2 != 0 ? 1 : 0);
    const int cy = (r.Top + r.Bottom + 1) / 2 - 1;
    const std::string& t = s.text;
    clipToRect(c, {r.Left, r.Top, r.Right - 1, r.Bottom - 1});
    c.pen = {k.text, false};
    c.font = captionFont(false, k.text);
    if (t == "o") {
        drawDimSymbol(c, cx, cy + 1, false, false);
    } else if (t == "m7b5") {
        drawDimSymbol(c, cx, cy + 1, true, true);
    } else if (t == "o7") {
        drawDimSymbol(c, cx, cy + 1, false, true);
    } else if (t == "<up>" || t == "<down>") {
        triangle(c, cx, cy, t == "<up>", k.text);
    } else if (t == "<bass>") {
        // A small bass clef: a dot with a hook curling right and down, two dots beside it.
        const TColor soft = mixColours(face, k.text, 0.35f);
        const int bx = cx - 3, by = cy - 3;
        const int strokes[][2] = {{0, 1}, {1, 0}, {2, 0}, {3, 0}, {4, 1},
                                  {4, 2}, {4, 3}, {3, 4}, {2, 5}, {1, 6}};
        for (const auto& p : strokes) c.setPixel(bx + p[0], by + p[1], k.text);
        const int softs[][2] = {{1, 1}, {3, 1}, {5, 2}, {3, 5}, {0, 6}, {2, 6}};
        for (const auto& p : softs) c.setPixel(bx + p[0], by + p[1], soft);
        fillBox(c, bx, by + 1, bx + 2, by + 3, k.text);
        c.setPixel(bx + 6, by + 1, k.text);
        c.setPixel(bx + 6, by + 3, k.text);
    } else if (t == "<power>") {
        const Brush brush = c.brush;
        c.brush.clear = true;
        c.pen = {k.text, false};
        c.ellipse(cx - 3, cy - 3, cx + 4, cy + 4);
        c.brush = brush;
        fillBox(c, cx - 1, cy - 4, cx + 2, cy - 1, face);
        drawLine(c, cx, cy - 5, cx, cy + 1, k.text);
    } else if (t == "<next>" || t == "<prev>") {
        const bool right = t == "<next>";
        for (int i = -1; i <= 1; ++i) chevronH(c, cx + 6 * i + (right ? 2 : -2), cy, right, kWhite);
    } else if (t == "<invUp>" || t == "<invDown>") {
        const bool up = t == "<invUp>";
        const int inv = up ? chord.inversion : -chord.inversion;
        const int n = inv > 1 ? inv : 1;
        const int first = r.Top + (inv == 2 ? 4 : (inv >= 3 ? 2 : 6));
        for (int i = 0; i < n && i < 3; ++i) {
            const int rowTop = first + 4 * i;
            chevronV(c, cx, up ? rowTop : rowTop + 2, up, k.text);
        }
    }
    c.clearClip();
}

void QvSelector::paintCaption(Canvas& c, Sensor& s, TColor face, const Colours& k) {
    const TRect& r = s.rect;
    const int cx = (r.Left + r.Right) / 2 + ((r.Right - r.Left) % 2 != 0 ? 1 : 0);
    const int cy = (r.Top + r.Bottom + 1) / 2 - 1;
    std::string t = s.text;
    if (t.rfind("<Lock>", 0) == 0) t.erase(0, 6);
    bool leftAligned = false, dropMark = false, bold = false, dotted = false, outside = false;
    auto take = [&t](char marker) {
        if (t.empty() || t[0] != marker) return false;
        t.erase(0, 1);
        return true;
    };
    if (take('@')) leftAligned = true;
    if (take('*')) leftAligned = dropMark = true;
    if (take('^')) bold = true;
    if (take('%')) dotted = true;
    if (take('~')) outside = true;

    bool drawText = true;
    if (t == "#" || t == "b") {
        const bool sharp = t == "#";
        paintSign(sharp, cx - 3, cy - 5 + (sharp ? 1 : 0));
        drawText = false;
    } else if (t.size() == 2 && (t[1] == '#' || t[1] == 'b')) {
        const bool sharp = t[1] == '#';
        paintSign(sharp, cx + 3 + (sharp ? 1 : 0), cy - 8 + (sharp ? 1 : 0));
        t.erase(1);
    }
    if (drawText && !t.empty()) {
        const TColor colour = outside ? scaleColour(k.text, 0.8f) : k.text;
        c.font = captionFont(bold, colour);
        if (outside)
            c.clearClip();
        else
            clipToRect(c, {r.Left, r.Top, r.Right - 1, r.Bottom});
        const int tw = c.textWidth(t);
        const int th = c.textHeight(t);
        int tx = cx - tw / 2;
        if (outside)
            tx = r.Right + 4;
        else if (leftAligned)
            tx = r.Left + 5;
        c.textOut(tx, cy - th / 2, t);
        c.clearClip();
    }
    if (dropMark) triangle(c, r.Right - 7, cy, false, k.text);
    if (dotted)
        for (int i = 0; i < 6; ++i) c.setPixel(cx - 6 + 2 * i, cy + 7, k.text);
    if (s.extra == 1) paintMixerMark(c, s, face, k);
}

void QvSelector::paintMixerMark(Canvas& c, Sensor& s, TColor face, const Colours& k) {
    const int R = s.rect.Right, T = s.rect.Top, B = s.rect.Bottom;
    fillBox(c, R - 21, T + 1, R, B - 1, face);
    drawLine(c, R - 20, T, R - 20, B, k.c1);
    c.setPixel(R - 21, T, k.c1);
    c.setPixel(R - 19, T, k.c1);
    c.setPixel(R - 21, B - 1, k.c1);
    c.setPixel(R - 19, B - 1, k.c1);
    const TColor colour = volumeLevelsLocked ? mixColours(face, k.text, s.checked ? 0.17f : 0.25f) : k.text;
    const float knobs[3] = {0.35f, 0.65f, 0.5f};
    const int top = T + 4, bottom = B - 4;
    for (int i = 0; i < 3; ++i) {
        const int fx = R - 14 + 4 * i;
        drawLine(c, fx, top, fx, bottom, colour);
        const int ky = top + truncToInt(knobs[i] * (bottom - top));
        fillBox(c, fx - 1, ky - 1, fx + 2, ky + 2, colour);
    }
    s.extraRect = {R - 20, T, R, B};
}

void QvSelector::paintSign(bool sharp, int left, int top) {
    const Limage* sign = sharp ? sharpSign : flatSign;
    if (sign == nullptr || !sign->isValid()) return;
    Limage work(*sign);
    work.tint(kSignTint);
    work.invert();
    BlitArgs args;
    args.source = &work;
    args.target = this;
    args.x = left;
    args.y = top;
    args.table = 13;
    Limage::blitBlend(args);
}
