#include "ui/scfaces.h"

#include <algorithm>
#include <cmath>

#include "foundation/strutil.h"
#include "ui/geometry.h"

namespace {

void setInk(Canvas& c, TColor ink) {
    c.pen = {ink, false};
    c.brush = {ink, false};
}

void line(Canvas& c, int x0, int y0, int x1, int y1) {
    c.moveTo(x0, y0);
    c.lineTo(x1, y1);
}

// Fills the inclusive rectangle.
void box(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush = {colour, false};
    c.fillRect({left, top, right + 1, bottom + 1});
}

void drawGlyphShape(Canvas& c, const std::string& caption, int cx, int cy, TColor ink) {
    setInk(c, ink);
    if (caption == "<") {
        for (int k = 0; k < 2; ++k) {
            const int tip = cx - 2 + k;
            c.moveTo(tip + 4, cy - 4);
            c.lineTo(tip, cy);
            c.lineTo(tip + 5, cy + 5);
        }
    } else if (caption == ">") {
        for (int k = 0; k < 2; ++k) {
            const int tip = cx + 2 - k;
            c.moveTo(tip - 4, cy - 4);
            c.lineTo(tip, cy);
            c.lineTo(tip - 5, cy + 5);
        }
    } else if (caption == "<up>") {
        for (int k = 0; k < 2; ++k) {
            const int tip = cy - 2 + k;
            c.moveTo(cx - 4, tip + 4);
            c.lineTo(cx, tip);
            c.lineTo(cx + 5, tip + 5);
        }
    } else if (caption == "<down>") {
        for (int k = 0; k < 2; ++k) {
            const int tip = cy + 2 - k;
            c.moveTo(cx - 4, tip - 4);
            c.lineTo(cx, tip);
            c.lineTo(cx + 5, tip - 5);
        }
    } else if (caption == "<play>") {
        for (int i = 0; i < 7; ++i) line(c, cx - 3 + i, cy - (6 - i), cx - 3 + i, cy + (6 - i) + 1);
    } else if (caption == "<plus>" || caption == "<minus>") {
        box(c, cx - 4, cy - 1, cx + 4, cy, ink);
        if (caption == "<plus>") box(c, cx - 1, cy - 4, cx, cy + 4, ink);
    } else if (caption == "<cross>") {
        for (int k = 0; k < 2; ++k) {
            line(c, cx - 4 + k, cy - 3, cx + 4 + k, cy + 5);
            line(c, cx + 2 + k, cy - 3, cx - 6 + k, cy + 5);
        }
    } else if (caption == "<sound>") {
        c.rectangle(cx - 3, cy - 2, cx, cy + 3);
        const TPoint horn[] = {{cx, cy - 2}, {cx + 2, cy - 4}, {cx + 2, cy + 4}, {cx, cy + 2}};
        c.polygon(horn);
    } else if (caption == "<reset>") {
        line(c, cx - 6, cy, cx + 7, cy);
        const TPoint leftHead[] = {{cx - 6, cy}, {cx - 3, cy - 3}, {cx - 3, cy + 3}};
        const TPoint rightHead[] = {{cx + 6, cy}, {cx + 3, cy - 3}, {cx + 3, cy + 3}};
        c.polygon(leftHead);
        c.polygon(rightHead);
    } else if (caption == "<wave>") {
        for (int i = 0; i < 10; ++i) {
            const int x = cx - 5 + i;
            const int y = truncToInt(cy - 2.0 * std::sin(i * 2.0 * kPi / 9.0) + 0.5);
            c.setPixel(x, y - 1, ink);
            c.setPixel(x, y, ink);
            c.setPixel(x, y + 1, ink);
        }
    }
    // "<tap>" is a token without a shape.
}

} // namespace

CaptionParts parseCaption(const std::string& caption) {
    CaptionParts parts;
    std::string text = caption.empty() ? " " : caption;
    const size_t at = text.find('@');
    if (at != std::string::npos) {
        const std::string after = text.substr(at + 1);
        if (!after.empty()) parts.labelOffset = textToInt(after);
        text = text.substr(0, at);
    }
    if (!text.empty() && text[0] == '#') {
        parts.bright = true;
        text.erase(0, 1);
    }
    if (!text.empty() && text[0] == '$') {
        parts.symbol = true;
        text.erase(0, 1);
        parts.label = text;
    }
    parts.text = text;
    return parts;
}

bool isGlyphToken(const std::string& caption, bool shadeTokens) {
    static const char* const kTokens[] = {"<",      ">",       "<up>",    "<down>",  "<play>",
                                          "<plus>", "<minus>", "<cross>", "<sound>", "<reset>"};
    for (const char* t : kTokens)
        if (caption == t) return true;
    return shadeTokens && (caption == "<wave>" || caption == "<tap>");
}

void renderGlyphFace(Limage& face, const std::string& caption, int state, bool bright,
                     const FaceColours& colours, bool shadeTokens) {
    Canvas* cp = face.canvas();
    if (cp == nullptr) return;
    Canvas& c = *cp;
    const int w = face.width();
    const int h = face.height();
    const TColor f = colours.face;
    const TColor base = scaleColour(f, bright ? 1.17f : 0.85f);
    const TColor light = scaleColour(base, 1.15f);
    const TColor dark = scaleColour(base, 0.9f);

    c.brush = {scaleColour(f, 0.58f), false};
    c.frameRect({0, 0, w, h});
    c.pen = {light, false};
    line(c, 1, 1, w - 1, 1);
    line(c, 1, 1, 1, h - 1);
    c.pen = {dark, false};
    line(c, w - 2, 1, w - 2, h - 1);
    line(c, 1, h - 2, w - 1, h - 2);
    drawGradient(c, 1, 2, w - 2, h - 3, scaleColour(base, 0.93f), scaleColour(base, 1.07f), false);

    const TColor ink = scaleColour(colours.text, 0.9f);
    const int cx = w / 2;
    const int cy = h / 2;
    if (isGlyphToken(caption, shadeTokens)) {
        drawGlyphShape(c, caption, cx, cy, ink);
    } else {
        c.font.height = -11;
        c.font.bold = true;
        c.font.underline = false;
        c.font.color = ink;
        const int tw = c.textWidth(caption);
        const int th = c.textHeight(caption);
        c.textOut((w - tw) / 2, (h - th) / 2 - (state == -1 ? 1 : 0), caption);
        c.font.bold = false;
    }

    if (state == 0 || state == 1) {
        const int half = w < 40 ? 7 : 15;
        const int x0 = cx - half;
        const int x1 = cx + half + (w % 2 != 0 ? 1 : 0);
        box(c, x0, 2, x1, 4, state == 1 ? colours.led : scaleColour(base, 0.7f));
        c.pen = {dark, false};
        line(c, x0 - 1, 5, x0 - 1, 1);
        line(c, x0 - 1, 1, x1 + 2, 1);
        c.pen = {light, false};
        line(c, x0, 5, x1 + 1, 5);
        line(c, x1 + 1, 5, x1 + 1, 1);
    }
}

void renderSymbolFace(Limage& face, AaPen& pen, const std::string& name, int state,
                      const FaceColours& colours) {
    if (!face.isValid()) return;
    const TColor f = colours.face;
    const double cx = face.width() / 2;
    const double cy = face.height() / 2;
    const double r = (face.width() - 1) / 2;
    Limage* savedTarget = pen.target;
    const TColor savedColour = pen.colour();

    face.fill(f);
    pen.setTarget(&face);
    pen.setColour(scaleColour(f, 1.22f)).circle(cx, cy, r, true);
    pen.setColour(scaleColour(f, 0.85f)).circle(cx, cy, r - 2, true);
    const TColor accent = name == "Record" ? 0x8080FF : colours.led;
    const TColor ink = state == 1 ? accent : 0;
    if (name == "Record" || name == "Play")
        pen.setColour(state == 1 ? accent : scaleColour(f, 0.7f)).circle(cx, cy, r - 4, false);
    if (name == "Record") {
        pen.setColour(ink).circle(cx, cy, 3, true);
    } else if (name == "Play") {
        if (Canvas* c = face.canvas()) {
            setInk(*c, ink);
            const int x = truncToInt(cx), y = truncToInt(cy);
            const TPoint tri[] = {{x - 2, y - 4}, {x + 2, y}, {x - 2, y + 4}};
            c->polygon(tri);
        }
    } else if (name == "Rhythm") {
        pen.setColour(ink);
        pen.line(cx - 6, cy + 4, cx - 3, cy - 4).circle(cx - 3, cy - 4, 1.5, true);
        pen.line(cx + 6, cy + 4, cx + 3, cy - 4).circle(cx + 3, cy - 4, 1.5, true);
    }
    pen.setTarget(savedTarget).setColour(savedColour);
}

namespace {

// The pixels of cell (within the image) row by row.
std::vector<uint8_t> grabPixels(const Limage& image, const TRect& cell) {
    std::vector<uint8_t> bytes;
    for (int y = cell.Top; y < cell.Bottom; ++y) {
        const uint8_t* row = image.row(y) + 3 * cell.Left;
        bytes.insert(bytes.end(), row, row + 3 * (cell.Right - cell.Left));
    }
    return bytes;
}

void putPixels(Limage& image, const TRect& cell, const std::vector<uint8_t>& bytes) {
    const std::size_t rowBytes = std::size_t(3) * std::size_t(cell.Right - cell.Left);
    std::size_t at = 0;
    for (int y = cell.Top; y < cell.Bottom && at + rowBytes <= bytes.size(); ++y, at += rowBytes)
        std::copy(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + rowBytes),
                  image.row(y) + 3 * cell.Left);
}

// Draws a label with its top left at (x, y), w x h. Where the label's cell still holds what the last
// paint left there, it is first given back the pixels that lay beneath; otherwise (first paint, or the
// owner has drawn there since) the present pixels are what lies beneath.
void drawLabel(Limage& target, Canvas& c, int x, int y, int w, int h, const std::string& text,
               LabelMemory* memory) {
    constexpr int kSpill = 2; // anti-aliased edges may reach a little past the advance width
    TRect cell{std::max(0, x - kSpill), std::max(0, y), std::min(target.width(), x + w + kSpill),
               std::min(target.height(), y + h)};
    const bool inside = cell.Left < cell.Right && cell.Top < cell.Bottom;
    if (memory != nullptr && inside) {
        if (memory->cell == cell && grabPixels(target, cell) == memory->left)
            putPixels(target, cell, memory->beneath);
        else
            memory->beneath = grabPixels(target, cell);
        memory->cell = cell;
    }
    c.textOut(x, y, text);
    if (memory != nullptr && inside) memory->left = grabPixels(target, cell);
}

} // namespace

void paintButtonLook(Limage& target, Canvas& screen, const ButtonLook& look) {
    Canvas* c = target.canvas();
    if (c == nullptr || look.face == nullptr || !look.face->isValid()) return;
    const TRect& rc = look.rect;
    if (!look.label.empty()) {
        c->font.height = -11;
        c->font.bold = false;
        c->font.underline = false;
        c->font.color = look.textColour;
        const int tw = c->textWidth(look.label);
        const int th = c->textHeight(look.label);
        drawLabel(target, *c, (rc.Left + rc.Right) / 2 + look.labelOffset - tw / 2, rc.Top - 2 * (th / 2) - 4,
                  tw, th, look.label, look.labelMemory);
    }
    if (!look.pressed || look.symbol) {
        Limage::blitTransparent({.source = look.face, .target = &target, .x = rc.Left, .y = rc.Top});
    } else {
        Limage* face = look.face;
        target.setClip(rc.Left, rc.Top, rc.Right, rc.Bottom - 2);
        Limage::blitTinted(
            {.source = face, .target = &target, .x = rc.Left, .y = rc.Top + 1, .tint = 0xFFFFFF});
        Limage row, column;
        if (row.setSize(face->width(), 1, false)) {
            row.fill(0xE0E0E0);
            Limage::blitBlend(
                {.source = &row, .target = &target, .x = rc.Left, .y = rc.Top + 2, .table = 13});
        }
        if (column.setSize(1, face->height() - 2, false)) {
            column.fill(0xD8D8D8);
            Limage::blitBlend(
                {.source = &column, .target = &target, .x = rc.Left + 1, .y = rc.Top + 2, .table = 13});
        }
        target.resetClip();
    }
    drawGraphicClipped(*target.bitmap(), screen, rc, 0, 0);
}
