// The chord page: a row of coloured cells proportional to the chord lengths, each with its chord
// symbol, a ghost cell for adding a chord, drop markers during a drag and the dotted lines of the
// arrangement points beyond the last chord.
#include "app/pagepainter.h"

#include <algorithm>
#include <cmath>

#include "app/paintutil.h"
#include "app/quovelanta.h"
#include "engine/naming.h"
#include "foundation/strutil.h"

using namespace paint;

ChordSymbolParts splitChordSymbol(const std::string& rootName, int variant) {
    ChordSymbolParts p;
    const std::string suffix = chordTypeSuffix(variant, false);
    p.rest = suffix;
    if (variant >= 1 && !suffix.empty()) {
        if (suffix.find("sus") != std::string::npos) {
            p.lowMark = suffix;
            p.rest.clear();
        } else if (suffix[0] == 'm' && suffix != "m7b5") {
            p.lowMark = "m";
            p.rest = suffix.substr(1);
        } else if (suffix[0] == '+') {
            p.sideMark = "+";
            p.rest = suffix.substr(1);
        }
    }
    p.root = rootName.substr(0, 1);
    if (rootName.size() > 1) p.accidental = rootName.substr(1, 1);
    return p;
}

int effectivePageZoom(int storedZoom, int pageLength) {
    int z = std::clamp(storedZoom, 1, 16);
    while (z * kUnitsPerBar < pageLength && z <= 15) z *= 2;
    return std::min(z, 16);
}

namespace {

// A small circle (diminished), with a slash for the half-diminished sign.
void drawDimGlyph(AaPen& pen, Limage& image, int x, int y, bool half) {
    pen.setTarget(&image).setColour(RGB(255, 255, 255));
    pen.circle(x + 3.0, y + 3.5, 3.0, false);
    if (half) pen.line(x - 0.5, y + 7.5, x + 6.5, y - 0.5);
}

} // namespace

int QuoVelanta::pageZoom(const QvPage& page) const {
    return effectivePageZoom(page.zoom, page.length());
}

TColor QuoVelanta::keyColour(int pitchClass) const {
    const Options& o = engine.options;
    if (o.chordColoring < 2) return theme.dimTextColour();
    float saturation = o.chordColoring == 3 ? 0.27f : 0.6f;
    float value = 0.5f;
    if (o.chordLook == 2) value *= 0.97f;
    const int a = ((pitchClass % 12) + 12) % 12;
    float hue = static_cast<float>((a + 2) % 12) / 12.0f * 360.0f;
    switch (a) {
    case 1:
        hue -= 5;
        break;
    case 3:
        hue += 5;
        break;
    case 5:
        value *= 1.1f;
        break;
    case 6:
        value *= 1.25f;
        hue += 5;
        break;
    case 7:
        value *= 1.12f;
        break;
    case 10:
        value *= 1.1f;
        hue += 7;
        break;
    default:
        break;
    }
    return hsvColour(hue, saturation, value);
}

double QuoVelanta::beatPulse() const {
    if (engine.options.cursorMode != 2) return 1.0;
    int b = engine.core.stepsPerBarValue;
    if (b <= 0) b = 4;
    const double p = engine.stepControl.position();
    const double depth = engine.core.isTripleMeter() ? 0.13 : 0.15;
    return (1 - depth) - depth * std::cos(2 * p / b * 2 * M_PI);
}

// Combines rows top..top + count - 1 of the image with a gradient (from on the first row, to on
// the last) through a blend table. The gradient is the table's source and the image its
// destination, as a blend of a gradient image would be; with gradientOnImage the roles swap, so
// that table 12 brightens the image by the gradient (image x (1 + gradient / 255)) instead of
// putting the gradient in its place.
static void blendGradientRows(Limage& image, int top, int count, TColor from, TColor to, int table,
                              bool gradientOnImage = false) {
    const uint8_t* t = Limage::table(table);
    if (t == nullptr || count < 1) return;
    const int n = count - 1;
    const float step = n > 0 ? 1.0f / static_cast<float>(n) : 0.0f;
    for (int i = 0; i < count; ++i) {
        uint8_t* row = image.row(top + i);
        if (row == nullptr) continue;
        const float f = static_cast<float>(i) * step;
        auto channel = [&](int a, int b) {
            return static_cast<int>(static_cast<float>(a) + static_cast<float>(b - a) * f);
        };
        const int g[3] = {channel(colourBlue(from), colourBlue(to)),
                          channel(colourGreen(from), colourGreen(to)),
                          channel(colourRed(from), colourRed(to))};
        for (int x = 0; x < image.width(); ++x, row += 3)
            for (int k = 0; k < 3; ++k)
                row[k] = gradientOnImage ? t[row[k] * 256 + g[k]] : t[g[k] * 256 + row[k]];
    }
}

void QuoVelanta::shadeCell(Limage& image, bool tall) const {
    const int look = engine.options.chordLook;
    const int h = image.height();
    if (!image.isValid() || look == 1) return;
    if (look == 3) {
        blendGradientRows(image, 0, h, scaleColour(RGB(250, 250, 250), 0.18f), RGB(250, 250, 250), 13);
        return;
    }
    int k = tall ? static_cast<int>(h * 0.22) : static_cast<int>(h * 0.075);
    if (look == 2) k = static_cast<int>(h * 0.5);
    if (k < 1) return;
    const int topGrey = look == 2 ? 114 : 76;
    // The top catches the light: the cell keeps its colour and is brightened toward its upper edge.
    blendGradientRows(image, 0, k, RGB(topGrey, topGrey, topGrey), RGB(0, 0, 0), 12, true);
    const int bottomGrey = look == 2 ? 140 : 127;
    blendGradientRows(image, h - k, k, RGB(255, 255, 255), RGB(bottomGrey, bottomGrey, bottomGrey), 13);
}

TRect QuoVelanta::paintChordCell(int left, int top, int right, int bottom, const QvChord* chord,
                                 bool highlighted, bool /*hovered*/, bool playing) {
    const Options& o = engine.options;
    const int w = std::clamp(right - left + 1, 1, 2000);
    const int h = std::max(bottom - top + 1, 1);
    const TRect result{left, top, left + w + 1, top + h};
    Limage cell;
    if (!cell.setSize(w, h, true)) return result;
    Canvas& c = *cell.canvas();
    int radius = 5;
    if (w < 7) radius = 1;
    if (w < 2 * radius) radius = w / 2;
    const int vt = o.visualTranspose;
    const int root = chord ? chord->visualKey(vt) : 0;
    const int bass = chord ? chord->visualBass(vt) : 0;
    if (chord) {
        const float v = (o.chordColoring == 1 && paintedChordIndex % 2 == 1) ? 0.7f : 1.0f;
        const int g = static_cast<int>(v * 255);
        drawRoundRectAA(aaPen, c, 0, 0, w, h, radius, RGB(g, g, g), RGB(0, 0, 0));
        // The colour layer, multiplied.
        const TColor base = keyColour(bass);
        Limage layer;
        if (o.biColor && layer.setSize(w, h, true)) {
            const TColor topColour = keyColour(root);
            const int a = static_cast<int>(0.15 * h);
            const int b = static_cast<int>(0.75 * h);
            Canvas& lc = *layer.canvas();
            fill(lc, 0, 0, w, a + 1, topColour);
            gradient(lc, 0, a, w - 1, b, topColour, base);
            fill(lc, 0, b, w, h, base);
            blendImage(layer, cell, 0, 0, 13);
        } else {
            cell.tint(base);
        }
    } else {
        cell.fill(RGB(0, 0, 0));
    }
    const TColor frame = chord ? scaleColour(RGB(232, 232, 232), o.chordLook == 3 ? 1.4f : 0.85f)
                               : scaleColour(theme.dimTextColour(), o.chordLook == 3 ? 1.3f : 0.7f);
    const bool dragMoving = chordDragMoving || loopDragging;
    if (highlighted && (selectorKind == 4 || !chord) && !dragMoving) {
        Limage brackets;
        if (brackets.setSize(w, h, true)) {
            brackets.fill(RGB(0, 0, 0));
            Canvas& bc = *brackets.canvas();
            drawRoundRectAA(aaPen, bc, 0, 0, w, h, radius, frame, RGB(0, 0, 0));
            if (w > 10 && h > 10) fill(bc, 5, 5, w - 5, h - 5, RGB(0, 0, 0));
            if (w > 32) fill(bc, 16, 0, w - 16, h, RGB(0, 0, 0));
            if (h > 32) fill(bc, 0, 16, w, h - 16, RGB(0, 0, 0));
            blendImage(brackets, cell, 0, 0, 4);
        }
    }
    if (chord && chord->selected) {
        Limage dots;
        if (dots.setSize(w, h, true)) {
            dots.fill(RGB(0, 0, 0));
            Canvas& dc = *dots.canvas();
            for (int x = 4; x <= w - 4; x += 4) {
                fill(dc, x, 0, x + 2, 2, frame);
                fill(dc, x, h - 2, x + 2, h, frame);
            }
            for (int y = 4; y <= h - 4; y += 4) {
                fill(dc, 0, y, 2, y + 2, frame);
                fill(dc, w - 2, y, w, y + 2, frame);
            }
            blendImage(dots, cell, 0, 0, 4);
        }
    }
    const bool slashed = chord && (bass != root || chord->bassOctave);
    if (slashed) {
        const int y = static_cast<int>(0.7 * h);
        const TColor p = std::max<TColor>(cell.pixel(4, y), 0);
        if (o.chordLook == 0 || o.chordLook == 2) {
            line(c, 5, y, w - 5, y, scaleColour(p, 0.83f));
            line(c, 5, y + 1, w - 5, y + 1, scaleColour(p, 1.0f / 0.83f));
        } else {
            line(c, 5, y + 1, w - 5, y + 1, scaleColour(p, 1.0f / 0.79f));
        }
    }
    if (chord || highlighted) shadeCell(cell, false);
    // The ghost cell's plus goes on after the relief, which would otherwise darken its upper half.
    if (!chord && highlighted && !dragMoving) {
        const TColor plusColour = scaleColour(theme.dimTextColour(), o.chordLook == 3 ? 1.3f : 0.7f);
        setFont(c, 30, plusColour);
        c.textOut(w / 2 - c.textWidth("+") / 2, h / 2 - c.textHeight("+") / 2, "+");
    }
    (void)playing;

    if (chord) {
        const int mode = engine.core.sharpFlatMode;
        ChordSymbolParts parts = splitChordSymbol(sessionNoteName(root, mode), chord->variant);
        const std::string& r = parts.root;
        const bool sharp = parts.accidental == "#";
        const bool hasAccidental = !parts.accidental.empty();
        int cx = w / 2 + (r == "D" ? 1 : 0) - (r == "F" ? 1 : 0);
        int x2 = cx + 8, x3 = cx + 8, x4 = cx + 9;
        if (r == "A") {
            x3 += 1;
            x2 -= 1;
        }
        if (r == "E" || r == "F") x3 -= 1;
        if (hasAccidental) x3 += 3;
        if (!parts.lowMark.empty()) x2 += 6;
        if (!parts.sideMark.empty()) x2 += 8;
        const TColor white = RGB(255, 255, 255);
        setFont(c, 21, white);
        c.textOut(cx - c.textWidth(r) / 2, h / 2 - c.textHeight(r) / 2, r);
        std::string rest = hasAccidental ? parts.accidental + parts.rest : parts.rest;
        if (!rest.empty()) {
            if (hasAccidental) {
                Limage& glyph = glyphImages[sharp ? Isharp : Iflat];
                if (glyph.isValid()) {
                    BlitArgs a;
                    a.source = &glyph;
                    a.target = &cell;
                    a.x = cx + 8 - ((r == "A" || r == "E") ? 1 : 0);
                    a.y = h / 2 - 9;
                    a.tint = white;
                    a.tintTable = 13;
                    a.table = 3;
                    Limage::blitTintedBlend(a);
                }
                rest = rest.substr(1);
                x2 += sharp ? 8 : 7;
                if (!parts.lowMark.empty()) x2 -= 4;
                x4 += sharp ? 7 : 6;
            }
            const int y0 = h / 2 - 8;
            if (rest == "o") {
                drawDimGlyph(aaPen, cell, x2 + 2, y0 + 1, false);
            } else if (rest == "m7b5") {
                drawDimGlyph(aaPen, cell, x2 + 7 - 6, y0 + 1, true);
                setFont(c, 11, white);
                c.textOut(x2 + 7 + 2, y0 - c.textHeight("7") / 2, "7");
            } else if (rest == "o7") {
                drawDimGlyph(aaPen, cell, x2 + 6 - 6, y0 + 1, false);
                setFont(c, 11, white);
                c.textOut(x2 + 6 + 2, y0 - c.textHeight("7") / 2, "7");
            } else if (!rest.empty()) {
                setFont(c, 11, white);
                c.textOut(x2, y0 - c.textHeight(rest) / 2, rest);
            }
        }
        setFont(c, 11, white);
        if (!parts.sideMark.empty()) c.textOut(x4, h / 2 - c.textHeight(parts.sideMark) / 2, parts.sideMark);
        if (!parts.lowMark.empty()) c.textOut(x3, h / 2 - c.textHeight(parts.lowMark) / 2 + 8, parts.lowMark);
        // Inversion triangles.
        const int n = std::clamp(chord->inversion, kMinInversion, kMaxInversion);
        const int tx = w / 2 - 10 - ((r == "G" || r == "A") ? 1 : 0);
        for (int i = 0; i < std::abs(n); ++i) {
            if (n > 0) {
                const int y = h / 2 + 4 * i - (2 * n - 2) + 1;
                for (int row = 0; row < 3; ++row) line(c, tx - row, y + row, tx + row + 1, y + row, white);
            } else {
                const int y = h / 2 + 4 * i + 2 * n + 2;
                for (int row = 0; row < 3; ++row)
                    line(c, tx - 2 + row, y + row, tx + 3 - row, y + row, white);
            }
        }
        // Bass.
        if (slashed) {
            const int by = h - 17;
            int bx = w / 2 - 2;
            if (bass != root) {
                std::string name = sessionNoteName(bass, mode);
                if (name.size() > 1) {
                    const bool bassSharp = name[1] == '#';
                    const int s = bassSharp ? 1 : 0;
                    Limage& glyph = glyphImages[bassSharp ? Isharp_small : Iflat_small];
                    if (glyph.isValid()) {
                        BlitArgs a;
                        a.source = &glyph;
                        a.target = &cell;
                        a.x = bx + 6 + s;
                        a.y = by - 8 + s;
                        a.tint = white;
                        a.tintTable = 13;
                        a.table = 3;
                        Limage::blitTintedBlend(a);
                    }
                    name = name.substr(0, 1);
                }
                if (name == "G" || name == "C") bx -= 1;
                setFont(c, 11, white);
                c.textOut(bx, by - c.textHeight(name) / 2, name);
            }
            if (chord->bassOctave) {
                const int ox = bx + 5 - 11 + (bass == root ? 8 : 0);
                for (int row = 0; row < 3; ++row)
                    line(c, ox - row, by - 1 + row, ox + row + 1, by - 1 + row, white);
            }
        }
    }

    // Into the back buffer, clipped to the page area.
    backBuffer.setClip(pageArea.Left, pageArea.Top, pageArea.Right, pageArea.Bottom);
    BlitArgs a;
    a.source = &cell;
    a.target = &backBuffer;
    a.x = left;
    a.y = top;
    Limage::blitTransparent(a);
    backBuffer.resetClip();
    animateHint(false);
    return result;
}

void QuoVelanta::paintPage(bool skipUnderSelector) {
    if (engine.midi.capturing || !backBuffer.isValid()) return;
    if (countInMarkerPosition != -1 && countInRunning) addChordHover = false;
    if (skipUnderSelector &&
        (selectorKind == 1 || selectorKind == 2 || selectorKind == 3 || selectorKind == 5))
        return;
    playbackTick();
    Canvas& bc = *backBuffer.canvas();
    fill(bc, displayRect.Left, pageArea.Top, displayRect.Right + 1, pageArea.Bottom + 1, RGB(0, 0, 0));
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    const int z = pageZoom(page);
    page.zoom = z;
    const int units = std::max(1, z * kUnitsPerBar);
    const double s = static_cast<double>(pageArea.Right - pageArea.Left) / units;
    const int cellBottom =
        pageArea.Top + (pageArea.Right - pageArea.Left) / 8 - 3 + (engine.options.wideModel ? 0 : 32) - 47;

    chordRects.clear();
    addChordRect = globalUndefinedRect;
    int prevRight = -1;
    const bool samePage = core.editedPosition == core.playingPosition;
    const int count = page.chordCount();
    int last = -1;
    for (int i = 0; i < count; ++i) {
        const int a = page.chordStart(i);
        const int n = page.chordLength(i);
        if (a >= units) break;
        const int left = i == 0 ? pageArea.Left : prevRight + 2;
        const int right = static_cast<int>(pageArea.Left + (a + n) * s - 1.5);
        const bool hovered = i == hoveredChord && (hoveredResizeHandle == -1 || countInRunning);
        const bool highlighted = i == editedChord && selectorKind == 4;
        const bool playing = samePage && i == core.currentChordIndex;
        paintedChordIndex = i;
        const QvChord chord = page.chordAt(i);
        playbackTick();
        TRect r =
            paintChordCell(left, pageArea.Top, right, cellBottom, &chord, highlighted, hovered, playing);
        chordRects.add(r);
        prevRight = right;
        last = i;
        // Drop marker at this cell's left, or after the last cell.
        int markX = -1;
        if (chordDropIndex == i) markX = left;
        if (chordDropIndex == count && i == count - 1) markX = right + 3;
        if (markX >= 0) {
            for (int pass = 0; pass < 3; ++pass) {
                const int x = pass == 0 ? markX - 1 : pass == 1 ? markX + 1 : markX;
                const TColor k = pass < 2 ? RGB(0, 0, 0) : scaleColour(theme.displayTextColour(), 1.35f);
                bc.pen.clear = false;
                bc.pen.color = k;
                bc.brush.clear = false;
                bc.brush.color = k;
                const TPoint tri[3] = {
                    {x - 2, pageArea.Top}, {x + 12, pageArea.Top}, {x - 2, pageArea.Top + 14}};
                bc.polygon(tri);
                fill(bc, x - 2, pageArea.Top, x + 1, cellBottom + 1, k);
            }
            if (copyModifierDown) {
                line(bc, markX + 2 - 3, pageArea.Top + 4, markX + 2 + 4, pageArea.Top + 4, RGB(0, 0, 0));
                line(bc, markX + 2, pageArea.Top + 1, markX + 2, pageArea.Top + 8, RGB(0, 0, 0));
            }
        }
    }
    paintedChordIndex = -1;
    if (count == 0) {
        const int right = static_cast<int>(pageArea.Left + 48 * s - 2 + 0.5);
        addChordRect =
            paintChordCell(pageArea.Left, pageArea.Top, right, cellBottom, nullptr, true, false, false);
    } else if (last == count - 1 && resizedChord == -1) {
        const int a = page.chordStart(last);
        const int n = page.chordLength(last);
        if (a + n < units) {
            const int left = static_cast<int>(pageArea.Left + (a + n) * s + 0.5);
            const int right = static_cast<int>(pageArea.Left + std::min(a + 2 * n, units) * s - 2 + 0.5);
            addChordRect =
                paintChordCell(left, pageArea.Top, right, cellBottom, nullptr, addChordHover, false, false);
        }
    }
    // Arrangement points beyond the chords.
    const TRect& S = positionScale;
    for (int i = 0; i < page.apointCount(); ++i) {
        const int pos = page.apointAt(i).pos;
        const int px = static_cast<int>(pos / 48.0 / z * (S.Right - S.Left) + S.Left + 0.5);
        if (px <= prevRight + 2) continue;
        const TColor k =
            scaleColour(theme.dimTextColour(), (i == pointDragIndex || i == selectedPoint) ? 1.5f : 0.75f);
        for (int y = pageArea.Top + 5; y < pageArea.Bottom - 14; y += 5) bc.setPixel(px - 1, y, k);
    }
    playMarkerPosition = -1;
    if (hooks.paintPositionMarker) hooks.paintPositionMarker(true, countInRunning ? 1 : 0);
    paintRuler(true);
    paintArrangementStrip();
    paintBarsPanel(false);
    playbackTick();
    present({displayRect.Left, pageArea.Top, displayRect.Right, pageArea.Bottom});
}

void QuoVelanta::repaintPageWithSelector() {
    if (selectorKind == 0 || !hooks.paintSelector) {
        paintPage(true);
        return;
    }
    const bool wasDeferred = deferBlit;
    deferBlit = true;
    paintPage(false);
    hooks.paintSelector();
    deferBlit = wasDeferred;
    present(pageArea);
}
