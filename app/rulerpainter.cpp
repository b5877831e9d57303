// Around the chord cells: the bar ruler, the arrangement strip with its diamonds, the page slots
// (the page play order) and the "Bars" box that toggles the page zoom.
#include <algorithm>
#include <cmath>

#include "app/paintutil.h"
#include "app/quovelanta.h"
#include "foundation/strutil.h"

using namespace paint;

// Seven-segment digits, 4 x 7 pixels, in the canvas's pen colour.
void drawSegmentDigit(int digit, Canvas& c, int x, int y) {
    // Segments: upper-left, top, upper-right, middle, lower-left, bottom, lower-right.
    static const unsigned char lit[10] = {
        0b1110111, // 0: all but the middle
        0b1000100, // 1: upper-right, lower-right
        0b0111110, // 2
        0b1101110, // 3
        0b1001001, // 4: upper-left, middle, lower-right
        0b1101011, // 5
        0b1111011, // 6
        0b1000110, // 7
        0b1111111, // 8
        0b1101111, // 9
    };
    if (digit < 0 || digit > 9) return;
    const unsigned bits = lit[digit];
    const TColor k = c.pen.color;
    auto seg = [&](int bit, int x1, int y1, int x2, int y2) {
        if (bits & (1u << bit)) line(c, x1, y1, x2 + (x1 == x2 ? 0 : 1), y2 + (y1 == y2 ? 0 : 1), k);
    };
    seg(0, x, y + 1, x, y + 2);         // upper-left
    seg(1, x + 1, y, x + 2, y);         // top
    seg(2, x + 3, y + 1, x + 3, y + 2); // upper-right
    seg(3, x + 1, y + 3, x + 2, y + 3); // middle
    seg(4, x, y + 4, x, y + 5);         // lower-left
    seg(5, x + 1, y + 6, x + 2, y + 6); // bottom
    seg(6, x + 3, y + 4, x + 3, y + 5); // lower-right
}

void drawSegmentNumber(const std::string& text, Canvas& c, int x, int y) {
    int px = (!text.empty() && text[0] == '1') ? x : x + 3;
    for (char ch : text) {
        if (ch >= '0' && ch <= '9') drawSegmentDigit(ch - '0', c, px, y);
        px += 5;
    }
}

void drawDot(Canvas& c, int x, int y) {
    fill(c, x, y, x + 2, y + 2, c.pen.color);
}

void drawDisc(Canvas& c, int x, int y) {
    static const int widths[6] = {2, 4, 6, 6, 4, 2};
    const TColor k = c.pen.color;
    for (int i = 0; i < 6; ++i) {
        const int w = widths[i];
        fill(c, x + 1 - w / 2, y - 2 + i, x + 1 + w / 2, y - 1 + i, k);
    }
}

void QuoVelanta::paintRuler(bool force) {
    if (engine.midi.capturing || !backBuffer.isValid()) return;
    const std::int64_t now = engine.clock.nowMs();
    const bool playing = engine.stepControl.isPlaying();
    if (!force && playing && now - rulerLastPaint < 10) return;
    rulerLastPaint = now;
    Canvas& c = *backBuffer.canvas();
    const Options& o = engine.options;
    QvCore& core = engine.core;
    const QvPage& page = core.pageAt(false);
    const TRect& S = positionScale;
    const bool notFlat = o.chordLook != 1;
    clipToRect(c, displayRect);
    fill(c, S.Left - 2, S.Top, S.Right, S.Bottom + 4, RGB(0, 0, 0));

    const int z = std::max(1, pageZoom(page));
    const double width = S.Right - S.Left;
    const double s = width / (48.0 * z);
    const double s48 = width / z; // pixels per bar
    const int length = std::max(1, page.length());
    const int pageEnd = static_cast<int>(((length - 1) / 48 * 48 + 48) * s + S.Left + 0.5);
    rulerRect = {S.Left, S.Top, pageEnd - 2, S.Bottom + 4};

    TColor o1 = theme.dimTextColour();
    const bool samePage = core.editedPosition == core.playingPosition;
    if (page.chordCount() == 0) {
        // The last chord before the shown page; none (the first page, or only empty pages before it)
        // leaves the dim text colour.
        for (int e = std::min(core.editedPosition, core.pageSlots.count()) - 1; e >= 0; --e) {
            const int idx = core.pageSlots.at(e);
            if (idx < 0 || idx >= core.pages.count()) break;
            const QvPage& before = core.pages.at(idx);
            if (before.chordCount() > 0) {
                o1 = keyColour(before.chordAt(before.chordCount() - 1).effectiveBass());
                break;
            }
        }
    } else if (core.currentChordIndex >= 0 && core.currentChordIndex < page.chordCount()) {
        o1 = keyColour(page.chordAt(core.currentChordIndex).effectiveBass());
    }
    if (o.displayBars) {
        const int x = std::min(S.Right, pageEnd);
        if (notFlat) {
            const TColor g = scaleColour(theme.dimTextColour(), 0.4416f);
            gradient(c, S.Left - 1, S.Top, x - 1, S.Bottom - 6, g, mixColours(g, RGB(0, 0, 0), 0.8f));
        } else {
            line(c, S.Left - 1, S.Top, x, S.Top, scaleColour(theme.dimTextColour(), 0.47f));
        }
    }
    // The band of the playing chord.
    if (o.cursorMode != 0 && samePage && playing) {
        int x0 = S.Left + 1;
        int v = std::min(S.Right, pageEnd);
        const int ci = core.currentChordIndex;
        if (ci >= 0 && ci < chordRects.count()) {
            x0 = chordRects.at(ci).Left;
            if (ci != page.chordCount() - 1) v = chordRects.at(ci).Right;
        }
        v -= 2;
        x0 = std::max(x0, S.Left);
        v = std::min(v, S.Right);
        const float f = (o.chordColoring == 1 && ci % 2 == 1) ? 0.7f : 1.0f;
        const TColor k = scaleColour(o1, static_cast<float>(beatPulse() * 0.92 * f));
        if (v > x0) {
            if (notFlat)
                gradient(c, x0, S.Top, v, S.Bottom - 4, k, RGB(0, 0, 0));
            else
                fill(c, x0 + 1, S.Top + 2, v, S.Bottom - 3, k);
        }
    }
    // The page-turn arrow.
    const int slots = core.pageSlots.count();
    const bool lastSlotNoRepeat = core.loopMode == 2 && core.editedPosition >= slots - 1;
    bool arrow = false;
    if (playing && slots > 1 && !lastSlotNoRepeat) {
        if (isBusy() && core.loopMode != 1) arrow = true;
        if (pageTurnBlinkStart != -1 && now - pageTurnBlinkStart < 500) arrow = true;
    }
    if (arrow) {
        if (pageTurnBlinkStart == -1) pageTurnBlinkStart = now;
        const bool firstHalf = ((now - pageTurnBlinkStart) % 1000) < 500;
        const TColor k = scaleColour(theme.dimTextColour(), firstHalf ? 1.6f : 0.8f);
        const int xa = pageEnd - 3, xb = pageEnd - 7;
        const int y1 = S.Top + 1 + (notFlat ? 1 : 0), y2 = y1 + 4;
        line(c, xb, y1, xa, y1, k);
        line(c, xa, y1, xa, y2, k);
        line(c, xb, y2, xa, y2, k);
        line(c, xb, y2, xb + 3, y2 - 3, k);
        line(c, xb, y2, xb + 3, y2 + 3, k);
    } else {
        pageTurnBlinkStart = -1;
    }
    // Bars: ticks, beat dots, numbers, loop.
    const int spBar = std::max(1, core.stepsPerBarValue);
    const int barOffset = core.startTickOf(core.editedPosition) / spBar;
    const int pageBars = page.bars();
    const int labelStep = z <= 3 ? 1 : z <= 7 ? 2 : 4;
    Limage tick;
    if (notFlat && tick.setSize(1, 7, false)) tick.fill(scaleColour(theme.dimTextColour(), 0.45f));
    const bool loopUsable = core.loopStart >= 0 && core.loopEnd >= core.loopStart;
    for (int i = 0; i <= z; ++i) {
        const int x = static_cast<int>(S.Left + i * width / z + 1);
        if (x > S.Right + 1 || x > pageEnd + 1) break;
        const bool labelled = i % labelStep == 0 && x < pageEnd && x < S.Right - 1;
        if (o.displayBars || x > pageEnd - 5) {
            if (notFlat && tick.isValid())
                blendImage(tick, backBuffer, x - 2, S.Top, 1);
            else if (!notFlat)
                line(c, x - 2, S.Top + 1, x - 2, S.Top + 8, scaleColour(theme.dimTextColour(), 0.75f));
        }
        if (core.isTripleMeter() && o.displayBars && pageEnd > x + s48 / 2) {
            c.pen.color = scaleColour(theme.dimTextColour(), notFlat ? 0.9f : 0.75f);
            drawDot(c, static_cast<int>(x + s48 / 3 - 1.5), S.Top + 1);
            drawDot(c, static_cast<int>(x + 2 * s48 / 3 - 1.5), S.Top + 1);
        }
        if (o.displayBarNumbers && labelled) {
            c.pen.color = scaleColour(theme.dimTextColour(), 1.6f);
            drawSegmentNumber(intToText(barOffset + i + 1), c, x + 4, S.Top + (notFlat ? 1 : 2));
        }
        const int g = barOffset + i;
        if (loopUsable && g >= core.loopStart && g <= core.loopEnd && i < pageBars) {
            const int xEnd = std::min(static_cast<int>(S.Left + (i + 1) * s48), pageEnd);
            const int y = loopDragging ? S.Bottom - 5 : S.Bottom + 1;
            const TColor k = scaleColour(theme.highlightColour(), core.loopRegionActive ? 0.6f : 0.3f);
            line(c, x - 2, y, xEnd, y, k);
            if (!core.loopRegionActive) {
                const int from = x - 2 + (g == core.loopStart ? 4 : 0);
                const int to = xEnd - (g == core.loopEnd ? 4 : 0);
                for (int px = from; px < to; px += 4) c.setPixel(px, y, RGB(0, 0, 0));
            }
            if (g == core.loopStart)
                for (int r = 0; r < 4; ++r) line(c, x - 2, y - 1 - r, x - 2 + 4 - r, y - 1 - r, k);
            if (g == core.loopEnd)
                for (int r = 0; r < 4; ++r) line(c, xEnd - 4 + r, y - 1 - r, xEnd, y - 1 - r, k);
        }
    }
    // The loop preview under the mouse.
    if (hoveredLoopBar >= 0 && !loopDragging) {
        const int b = hoveredLoopBar;
        const int x1 = static_cast<int>(S.Left + b * s48 - 1);
        const int x2 = static_cast<int>(S.Left + (b + 1) * s48);
        const TColor k = theme.dimTextColour();
        for (int r = 0; r < 4; ++r) {
            line(c, x1, S.Bottom - 6 - r, x1 + 4 - r, S.Bottom - 6 - r, k);
            line(c, x2 - 4 + r, S.Bottom - 6 - r, x2, S.Bottom - 6 - r, k);
        }
        line(c, x1, S.Bottom - 5, x1 + 6, S.Bottom - 5, k);
        line(c, x2 - 5, S.Bottom - 5, x2 + 1, S.Bottom - 5, k);
        for (int px = x1 + 8; px < x2 - 6; px += 4) c.setPixel(px, S.Bottom - 5, k);
    }
    // The play position.
    if (samePage && playing) {
        const TColor k =
            o.chordColoring < 2 ? theme.highlightColour() : scaleColour(o1, notFlat ? 2.5f : 1.0f);
        const double rel = engine.stepControl.position() - core.startTickOf(core.playingPosition);
        const int x = static_cast<int>(width * rel / (static_cast<double>(spBar) * z) + S.Left - 2);
        const int mh = S.Bottom - S.Top - 4;
        Limage mask, colour;
        if (mh > 7 && mask.setSize(15, mh, false) && colour.setSize(15, mh, true)) {
            mask.fill(RGB(0, 0, 0));
            for (int i = 0; i < 7; ++i) {
                uint8_t* row = mask.row(mh - 7 + i);
                for (int px = 7 - i; px <= 7 + i; ++px) row[3 * px] = row[3 * px + 1] = row[3 * px + 2] = 255;
            }
            if (notFlat)
                gradient(*colour.canvas(), 0, 0, 14, mh - 1, k, RGB(0, 0, 0));
            else
                colour.fill(k);
            blendImage(colour, mask, 0, 0, 13);
            backBuffer.setClip(S.Left - 2, S.Top, S.Right, S.Bottom);
            blendImage(mask, backBuffer, x - 6, S.Top + (notFlat ? 0 : 2), 1);
            backBuffer.resetClip();
        }
    }
    c.clearClip();
    const TRect ruler{S.Left - 2, S.Top, S.Right, S.Bottom + 4};
    if ((selectorKind == 1 || selectorKind == 2 || selectorKind == 5) && hooks.selectorRect) {
        // Only what the open selector leaves visible.
        const TRect sel = hooks.selectorRect();
        if (sel.Left > ruler.Left)
            present({ruler.Left, ruler.Top, std::min(ruler.Right, sel.Left - 1), ruler.Bottom});
        if (sel.Right < ruler.Right)
            present({std::max(ruler.Left, sel.Right + 1), ruler.Top, ruler.Right, ruler.Bottom});
        return;
    }
    present(ruler);
}

void QuoVelanta::paintArrangementPoint(int x, int state, bool hovered, const QvAPoint& point) {
    Canvas& c = *backBuffer.canvas();
    const TRect& A = arrangementStrip;
    const int cy = (A.Top + A.Bottom) / 2;
    const int h = (A.Bottom - A.Top) / 2;
    const float hot = hovered && state <= 2 ? 1.6f : 1.0f;
    TColor cc = scaleColour(theme.dimTextColour(), 1.05f * hot);
    const TColor d = scaleColour(theme.dimTextColour(), 0.66f * hot);
    const TColor hi = scaleColour(RGB(255, 255, 255), hot);
    const TColor e = state == 2 ? hi : cc;
    if (state == 3) cc = RGB(0, 0, 0);
    if (state != 4) {
        for (int y = A.Top; y <= A.Bottom; ++y) {
            const int m = std::min(y - A.Top, A.Bottom - y);
            const int x1 = x - 1 + (m >= h ? 1 : 0) - m - 1;
            const int x2 = x + m + (m < h ? 1 : 0);
            c.setPixel(x1 - 1, y, RGB(0, 0, 0));
            c.setPixel(x2 + 1, y, RGB(0, 0, 0));
            line(c, x1, y, x2 + 1, y, e);
        }
    }
    if (state == 2 || state == 3) {
        c.pen.color = cc;
        drawDisc(c, x - 5, cy - 4);
        drawDisc(c, x + 2, cy - 4);
        drawDisc(c, x - 5, cy + 3);
        drawDisc(c, x + 2, cy + 3);
        const TColor tip = state == 3 ? RGB(0, 0, 0) : mixColours(cc, hi, 0.5f);
        c.setPixel(x - 1, cy - 6, tip);
        c.setPixel(x - 1, cy + 6, tip);
        c.setPixel(x - 7, cy, tip);
        c.setPixel(x + 5, cy, tip);
    }
    if (state != 4) {
        const TColor inner = (!point.arrangeEnabled || state == 3) ? RGB(0, 0, 0) : d;
        const int ih = h - 4;
        for (int y = cy - ih; y <= cy + ih; ++y) {
            const int m = ih - std::abs(y - cy);
            line(c, x - 1 - m, y, x + m, y, inner);
        }
    }
    if (state == 1) {
        const TColor k = scaleColour(hi, hovered ? 1.0f : 0.85f);
        for (int i = 0; i <= 2; ++i) {
            fill(c, x + 3 * i, cy + 3 * i - 8, x + 3 * i + 2, cy + 3 * i - 6, k);
            fill(c, x - 3 * i - 3, cy + 3 * i - 8, x - 3 * i - 1, cy + 3 * i - 6, k);
            fill(c, x + 3 * i, cy - 3 * i + 7, x + 3 * i + 2, cy - 3 * i + 9, k);
            fill(c, x - 3 * i - 3, cy - 3 * i + 7, x - 3 * i - 1, cy - 3 * i + 9, k);
        }
    }
    if (state <= 2 && point.fillEnabled) {
        const TColor k = scaleColour(hi, point.cym != 0 ? 1.0f : 0.59f);
        c.setPixel(x - 1, cy - 1, k);
        line(c, x - 4, cy, x + 3, cy, k);
        if (point.cym == 0) line(c, x - 3, cy + 2, x + 3, cy - 4, hi);
    }
    if (state == 3) {
        line(c, x - 1, cy - 3, x - 1, cy + 4, e);
        line(c, x - 4, cy, x + 3, cy, e);
    }
    if (state == 4) {
        for (int i = 0; i <= 10; ++i) line(c, x - 1, cy + i - 8, x - i + 9, cy + i - 8, RGB(255, 255, 255));
        line(c, x - 1, cy - 8, x - 1, cy + 9, RGB(255, 255, 255));
        if (copyModifierDown) {
            line(c, x + 2, cy - 7, x + 2, cy - 2, RGB(0, 0, 0));
            line(c, x, cy - 5, x + 5, cy - 5, RGB(0, 0, 0));
        }
    }
}

void QuoVelanta::paintArrangementStrip() {
    if (hostForm == nullptr || !backBuffer.isValid()) return;
    if (selectorKind != 0 && selectorKind != 5 && selectorKind != 6) return;
    Canvas& c = *backBuffer.canvas();
    const TRect& A = arrangementStrip;
    const TRect& S = positionScale;
    const int half = (A.Bottom - A.Top) / 2;
    clipToRect(c, A);
    fill(c, A.Left, A.Top, A.Right + 1, A.Bottom + 1, RGB(0, 0, 0));
    text(c, displayRect.Left + 16, A.Bottom - 15, "Chords", 11, theme.displayTextColour());
    const QvPage& page = engine.core.pageAt(false);
    const int z = std::max(1, pageZoom(page));
    const double width = S.Right - S.Left;
    selectedPointX = -1;
    pointRects.clear();
    const int source = selectedPoint >= 0 ? selectedPoint : pointDragIndex;
    for (int i = 0; i < page.apointCount(); ++i) {
        const QvAPoint p = page.apointAt(i);
        const int x = static_cast<int>(p.pos / 48.0 / z * width + S.Left + 0.5);
        if (i == selectedPoint || i == pointDragIndex) selectedPointX = x;
        const int state = i == selectedPoint ? 2 : i == pointDragIndex ? 1 : 0;
        paintArrangementPoint(x, state, p.pos == hoveredStripPosition, p);
        pointRects.add({x - half, A.Top, x + half, A.Bottom});
        if (p.pos == hoveredStripPosition && pointDragMoving && source >= 0 && source != i) {
            setFont(c, 11, RGB(0, 0, 0));
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) c.textOut(x - 23 + dx, A.Top + 7 + dy, "overwrite");
            setFont(c, 11, scaleColour(theme.dimTextColour(), 2.2f));
            c.textOut(x - 23, A.Top + 7, "overwrite");
        }
    }
    if (hoveredStripPosition >= 0) {
        const int x = static_cast<int>(hoveredStripPosition / 48.0 / z * width + S.Left);
        selectedPointX = x;
        const int at = page.findAPoint(hoveredStripPosition);
        const bool dragging = pointDragArmed || pointDragMoving;
        if (at < 0 && !dragging)
            paintArrangementPoint(x, 3, false, QvAPoint(hoveredStripPosition));
        else if (pointDragMoving && source >= 0 && at != source)
            paintArrangementPoint(x, 4, false, QvAPoint(hoveredStripPosition));
    }
    c.clearClip();
    present(A);
}

void QuoVelanta::drawSlotFrame(Limage& target, int x, int y, int w, int h, bool plus) {
    Limage f;
    if (w < 1 || h < 1 || !f.setSize(w, h, true)) return;
    f.fill(RGB(0, 0, 0));
    Canvas& c = *f.canvas();
    const int look = engine.options.chordLook;
    const TColor k =
        scaleColour(theme.dimTextColour(), plus ? (look == 3 ? 1.3f : 0.7f) : (look == 3 ? 1.4f : 0.85f));
    drawRoundRectAA(aaPen, c, 0, 0, w, h, std::min(2, w / 2), k, RGB(0, 0, 0));
    if (w > 6 && h > 6) fill(c, 3, 3, w - 3, h - 3, RGB(0, 0, 0));
    if (h > 14) fill(c, 0, 7, w, h - 7, RGB(0, 0, 0));
    if (w > 14) fill(c, 7, 0, w - 7, h, RGB(0, 0, 0));
    if (plus) {
        fill(c, w / 2 - 4, h / 2 - 1, w / 2 + 4, h / 2 + 1, k);
        fill(c, w / 2 - 1, h / 2 - 4, w / 2 + 1, h / 2 + 4, k);
        shadeCell(f, true);
    }
    blendImage(f, target, x, y, 1);
}

void QuoVelanta::paintPageSlots(bool skipUnderSelector) {
    addPageRect = globalUndefinedRect;
    if (!backBuffer.isValid()) return;
    if (skipUnderSelector && selectorKind >= 1 && selectorKind <= 3) return;
    Canvas& c = *backBuffer.canvas();
    const TRect& T = slotStrip;
    fill(c, T.Left, T.Top, T.Right + 1, T.Bottom + 1, RGB(0, 0, 0));
    const QvCore& core = engine.core;
    const int slots = core.pageSlots.count();
    const int stripWidth = T.Right - T.Left;
    int w = 24;
    if ((slots + 1) * 25 > stripWidth) w = std::max(1, stripWidth / (slots + 1) - 1);
    slotRects.clear();
    for (int i = 0; i < slots; ++i) {
        const int x = T.Left + (w + 1) * i;
        const bool playingSlot = i == core.playingPosition;
        const TColor k = scaleColour(theme.dimTextColour(), playingSlot ? 1.0f : 0.53f);
        Limage slot;
        if (slot.setSize(w, 24, true)) {
            slot.fill(RGB(0, 0, 0));
            drawRoundRectAA(aaPen, *slot.canvas(), 0, 0, w, 24, std::min(2, w / 2), k, RGB(0, 0, 0));
            shadeCell(slot, true);
            BlitArgs a;
            a.source = &slot;
            a.target = &backBuffer;
            a.x = x;
            a.y = T.Top;
            Limage::blitTransparent(a);
        }
        if (i == menuSlot) drawSlotFrame(backBuffer, x, T.Top, w, 24, false);
        const std::string label = pageLabel(core.pageSlots.at(i));
        setFont(c, 11, playingSlot ? RGB(255, 255, 255) : theme.dimTextColour(), true);
        c.textOut(x + w / 2 - c.textWidth(label) / 2, T.Top + 12 - c.textHeight(label) / 2, label);
        slotRects.add({x, T.Top, x + w, T.Top + 24});
    }
    addPageRect = {T.Left + slots * (w + 1), T.Top, T.Left + slots * (w + 1) + w, T.Top + 24};
    if (addPageHover && !loopDragging && selectorKind != 4 && slots < 80)
        drawSlotFrame(backBuffer, addPageRect.Left, T.Top, w, 24, true);
    present(T);
}

void QuoVelanta::paintBarsPanel(bool toggleZoom) {
    if (hostForm == nullptr || !backBuffer.isValid()) return;
    if (selectorKind != 0 && selectorKind != 5) return;
    QvPage& page = engine.core.pageAt(false);
    if (toggleZoom) {
        const int z = pageZoom(page);
        bool beyond = false;
        for (int i = 0; i < page.apointCount(); ++i)
            if (page.apointAt(i).pos > 384) beyond = true;
        if (z <= 8)
            page.zoom = 16;
        else if (page.length() <= 384 && !beyond)
            page.zoom = 8;
        paintPage(false);
        return; // the page painter paints this box again
    }
    Canvas& c = *backBuffer.canvas();
    const int bx = barsBoxOrigin.x, by = barsBoxOrigin.y;
    fill(c, bx - 2, by - 4, bx + 44, by + 14, RGB(0, 0, 0));
    fill(c, bx, by, bx + 42, by + 12, scaleColour(theme.dimTextColour(), 0.6f));
    for (int px : {bx, bx + 41})
        for (int py : {by, by + 11}) c.setPixel(px, py, RGB(0, 0, 0));
    const std::string label = intToText(pageZoom(page)) + " Bars";
    setFont(c, 11, theme.displayTextColour());
    c.textOut(bx + 21 - c.textWidth(label) / 2, by + 6 - c.textHeight(label) / 2, label);
    barsBoxRect = {bx - 2, by - 4, bx + 43, by + 13};
    present(barsBoxRect);
}
