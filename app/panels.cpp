// The upper part of the display (session panel, status boxes, small boxes, position counter,
// session links, note visualiser) and the round play button.
#include <algorithm>
#include <cmath>

#include "app/paintutil.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

using namespace paint;

namespace {

bool undefinedRect(const TRect& r) {
    return r == globalUndefinedRect || isUndefinedRect(r);
}

// The small boxes' frame: filled from top + 1, edge lines one pixel shorter at both ends.
void smallBox(Canvas& c, int x, int top, int width, TColor fillColour) {
    fill(c, x, top + 1, x + width, top + 11, fillColour);
    line(c, x + 1, top, x + width - 1, top, fillColour);
    line(c, x + 1, top + 11, x + width - 1, top + 11, fillColour);
}

void centredText(Canvas& c, int left, int right, int top, int bottom, const std::string& s, TColor colour) {
    setFont(c, 11, colour);
    const int w = c.textWidth(s);
    const int h = c.textHeight(s);
    c.textOut((left + right + 1) / 2 - w / 2, (top + bottom + 1) / 2 - h / 2, s);
}

} // namespace

void QuoVelanta::paintSessionPanel(bool hovered) {
    if (!backBuffer.isValid()) return;
    Canvas& c = *backBuffer.canvas();
    const TRect& d = displayRect;
    const TRect& band = panelBand;
    const int rightEdge = undefinedRect(visualiserRect) ? d.Right - 16 : visualiserRect.Left - 8;
    const TColor k = scaleColour(theme.displayTextColour(), hovered ? 1.35f : 1.0f);
    paintPanelBackground(c, band.Left + 1, band.Left + 75, false);
    setFont(c, 11, k);
    const std::string label = "Session";
    const int lw = c.textWidth(label);
    const int lh = c.textHeight(label);
    c.textOut(band.Left + 10, band.Top + 4, label);
    const TColor arrow =
        attentionFlash ? theme.controlHighlightColour() : scaleColour(k, hovered ? 1.0f : 0.6f);
    downArrow(c, band.Left + 10 + lw + 8 - 3, band.Top + 9, arrow);
    sessionLabelRect = {band.Left + 10, band.Top + 4, band.Left + 10 + lw + 16, band.Top + 4 + lh};

    clipToRect(c, {d.Left, d.Top + 22, rightEdge, d.Bottom});
    paintPanelBackground(c, band.Left + 1, rightEdge, false);
    const std::string name = sessionPath.empty() ? "NEW" : fileBaseName(sessionPath);
    setFont(c, 27, k);
    const int nw = c.textWidth(name);
    const int nh = c.textHeight(name);
    c.textOut(band.Left + 10, d.Top + 19, name);
    sessionNameRect = {band.Left + 10, d.Top + 23, band.Left + 10 + nw, d.Top + 19 + nh};
    c.clearClip();
    present(panelBand);
}

TRect QuoVelanta::paintStatusBox(const TRect& rect, const std::string& label, const std::string& value,
                                 bool open, bool enabled) {
    Canvas& c = *backBuffer.canvas();
    const int x = rect.Left;
    const int y = rect.Top;
    const int width = rect.Right - rect.Left;
    fill(c, x - 5, y, x - 5 + width + 1, y + 37, RGB(0, 0, 0));
    const TColor k = scaleColour(theme.displayTextColour(), (enabled ? 1.0f : 0.5f) * (open ? 1.35f : 1.0f));
    setFont(c, 11, k);
    const int lw = c.textWidth(label);
    c.textOut(x, y, label);
    downArrow(c, x + lw + 8, y + 5,
              attentionFlash ? theme.controlHighlightColour() : scaleColour(k, open ? 1.0f : 0.58f));
    setFont(c, 21, k);
    const int vw = value.empty() ? 0 : c.textWidth(value);
    const int vh = c.textHeight(value.empty() ? std::string("0") : value) / 2 * 2;
    if (!value.empty()) c.textOut(x, y + 36 - vh, value);
    present({x - 5, y, x - 5 + width, y + 36});
    return {x, y, x + std::max(lw + 16, vw), rect.Bottom};
}

void QuoVelanta::paintStyleBox() {
    if (!backBuffer.isValid()) return;
    styleBoxRect = paintStatusBox(styleCell, "Style", engine.styles.current().name, selectorKind == 1, true);
}

std::string QuoVelanta::tempoBoxText() const {
    const int tempo = engine.core.tempoValue;
    int styleTempo = engine.styles.current().bpm;
    if (styleTempo == 0) styleTempo = 1;
    std::string s = intToText(tempo);
    if (tempo != styleTempo) s += " (" + intToText(styleTempo) + ")";
    return s + " BPM";
}

void QuoVelanta::paintTempoBox() {
    if (!backBuffer.isValid()) return;
    tempoBoxRect = paintStatusBox(tempoCell, "Tempo", tempoBoxText(), selectorKind == 2, true);
    controls.redrawBoundTo(&engine.core.tempoSlider);
    tempoResetButton = engine.core.tempoValue == engine.styles.current().bpm;
    controls.redrawBoundTo(&tempoResetButton);
    paintPositionCounter();
}

std::string QuoVelanta::keyBoxText() const {
    const int key = engine.core.key;
    if (key == 0) return {};
    const int shift = key >= 7 ? key - 12 : key;
    return "     shift " + std::string(shift > 0 ? "+" : "") + intToText(shift);
}

void QuoVelanta::paintKeyBox() {
    if (!backBuffer.isValid()) return;
    const bool open = selectorKind == 3;
    keyBoxRect = paintStatusBox(keyCell, "Key", keyBoxText(), open, true);
    Limage& glyph = glyphImages[engine.core.prefersSharps() ? Isharp_large : Iflat_large];
    if (glyph.isValid()) {
        blitWith(glyph, backBuffer, keyCell.Left, keyCell.Top + 16, &Limage::blitTinted, 13,
                 scaleColour(theme.displayTextColour(), open ? 1.35f : 1.0f));
        present({keyCell.Left - 4, keyCell.Top + 16, keyCell.Left + glyph.width() + 4,
                 keyCell.Top + 16 + glyph.height()});
    }
    keyResetButton = engine.core.key == 0;
    controls.redrawBoundTo(&keyResetButton);
}

void QuoVelanta::paintRepeatBox() {
    if (!backBuffer.isValid()) return;
    Canvas& c = *backBuffer.canvas();
    const int T = displayRect.Top;
    const int x = displayRect.Right - 274 - (engine.options.visualTranspose_selector ? 76 : 0);
    static const char* const texts[3] = {"Repeat All", "Repeat Page", "Repeat Off"};
    const int mode = std::clamp(engine.core.loopMode, 0, 2);
    smallBox(c, x, T + 10, 69, scaleColour(theme.dimTextColour(), 0.6f));
    centredText(c, x, x + 69, T + 10, T + 21, texts[mode], theme.displayTextColour());
    repeatBoxRect = {x, T + 10, x + 69, T + 21};
    present(repeatBoxRect);
}

void QuoVelanta::paintPrecountBox() {
    if (!backBuffer.isValid()) return;
    Canvas& c = *backBuffer.canvas();
    const int T = displayRect.Top;
    const int x = displayRect.Right - 84 - 73 * (engine.options.visualTranspose_selector ? 2 : 1);
    static const char* const modes[3] = {"Off", "1", "2"};
    const int mode = std::clamp(engine.options.precountMode, 0, 2);
    smallBox(c, x, T + 10, 69, scaleColour(theme.dimTextColour(), 0.6f));
    centredText(c, x, x + 69, T + 10, T + 21, std::string("Precount ") + modes[mode],
                theme.displayTextColour());
    precountBoxRect = {x, T + 10, x + 69, T + 21};
    present(precountBoxRect);
}

void QuoVelanta::paintMasterTuneBox() {
    if (!backBuffer.isValid()) return;
    Canvas& c = *backBuffer.canvas();
    const int T = displayRect.Top;
    const int x = displayRect.Right - 157 + (engine.options.visualTranspose_selector ? 0 : 73);
    smallBox(c, x, T + 10, 69, scaleColour(theme.dimTextColour(), 0.6f));
    const TColor k = theme.displayTextColour();
    line(c, x + 7, T + 12, x + 7, T + 16, k);
    line(c, x + 7, T + 16, x + 10, T + 16, k);
    line(c, x + 9, T + 12, x + 9, T + 16, k);
    line(c, x + 8, T + 17, x + 8, T + 20, k);
    centredText(c, x + 4, x + 69 + 4, T + 10, T + 21, engine.options.masterTuneText(), k);
    masterTuneBoxRect = {x, T + 10, x + 69, T + 21};
    present(masterTuneBoxRect);
}

void QuoVelanta::paintTransposingInstrumentBox() {
    if (!backBuffer.isValid()) return;
    const Options& o = engine.options;
    if (!o.visualTranspose_selector) {
        transposeBoxRect = {0, 0, 0, 0};
        return;
    }
    Canvas& c = *backBuffer.canvas();
    const int T = displayRect.Top;
    const int x = displayRect.Right - 84;
    smallBox(c, x, T + 10, 69, scaleColour(theme.dimTextColour(), 0.6f));
    const std::string choice = o.visualTransposeNames.at(o.visualTranspose);
    centredText(c, x, x + 69, T + 10, T + 21, "Tr. Instr. " + choice.substr(0, 2), theme.displayTextColour());
    transposeBoxRect = {x, T + 10, x + 69, T + 21};
    present(transposeBoxRect);
}

std::string QuoVelanta::positionCounterText(std::string& totalText) const {
    const QvCore& core = engine.core;
    const double spb = std::max(1, core.stepsPerBeatValue);
    const double bpm = std::max(1, core.tempoValue);
    const double total = core.songLength() / spb / bpm;
    double position = 0;
    if (total > 0) {
        if (engine.stepControl.isPlaying())
            position = std::fmod(std::max(0.0, engine.stepControl.position()) / spb / bpm, total);
        else
            position = core.startTickOf(core.playingPosition) / spb / bpm;
    }
    if (!std::isfinite(position)) position = 0;
    totalText = formatMinutesSeconds(total > 0 ? total + 0.001 : 0.0);
    return formatMinutesSeconds(position);
}

void QuoVelanta::paintPositionCounter() {
    if (!backBuffer.isValid() || !engine.options.displayTime) return;
    Canvas& c = *backBuffer.canvas();
    const int T = displayRect.Top;
    const int o = displayRect.Right - 456 + (engine.options.visualTranspose_selector ? 0 : 76);
    const TColor top = backBuffer.pixel(o, T + 9);
    const TColor bottom = backBuffer.pixel(o, T + 22);
    if (top >= 0 && bottom >= 0) gradient(c, o, T + 9, o + 99, T + 22, top, bottom);
    std::string total;
    const std::string position = positionCounterText(total);
    setFont(c, 11, theme.displayTextColour());
    const int tw = c.textWidth(total);
    c.textOut(o + 100 - tw / 2 * 2, T + 9, total);
    const int dx = o + 100 + 7 - (tw + 14) - 1;
    line(c, dx, T + 10, dx, T + 22, scaleColour(theme.displayTextColour(), 0.5f));
    setFont(c, 11, theme.displayTextColour());
    const int pw = c.textWidth(position);
    c.textOut(o + 100 - (tw + 14) - pw, T + 9, position);
    present({o, T + 9, o + 100, T + 23});
}

void QuoVelanta::paintSessionLinks(int hoveredLink) {
    if (!backBuffer.isValid()) return;
    Canvas& c = *backBuffer.canvas();
    const int L = displayRect.Left, T = displayRect.Top;
    const TColor top = backBuffer.pixel(L + 85, T + 10);
    const TColor bottom = backBuffer.pixel(L + 85, T + 21);
    if (top >= 0 && bottom >= 0) gradient(c, L + 85, T + 10, L + 300, T + 21, top, bottom);
    int x = L + 85;
    const QvCore& core = engine.core;
    for (int i = 0; i < kSessionLinkCount; ++i) {
        linkRects[i] = globalUndefinedRect;
        if (i >= core.sessionLinks.count() || core.sessionLinks.at(i).empty()) continue;
        const bool hot = i == hoveredLink;
        smallBox(c, x, T + 10, 41, scaleColour(theme.dimTextColour(), hot ? 0.9f : 0.6f));
        centredText(c, x, x + 41, T + 10, T + 21, i == 0 ? "Link" : "Link " + intToText(i + 1),
                    scaleColour(theme.displayTextColour(), hot ? 1.5f : 1.0f));
        linkRects[i] = {x, T + 10, x + 41, T + 21};
        x += 43;
    }
    present({L + 85, T + 10, L + 300, T + 21});
}

void QuoVelanta::paintPlayButton(int state) {
    if (engine.midi.capturing || !backBuffer.isValid()) return;
    playbackTick();
    if (state == -2)
        state = playButtonState;
    else
        playButtonState = state;
    const Options& o = engine.options;
    const int cx = 502 + (o.wideModel ? 232 : 104) - (o.keyShiftButtons ? 42 : 0);
    const int cy = backBuffer.height() - 93;
    const int face = theme.whiteModel ? (playButtonPressed ? IplayButtonWhitePush : IplayButtonWhite)
                                      : (playButtonPressed ? IplayButtonPush : IplayButton);
    Limage& image = glyphImages[face];
    if (!image.isValid()) return;
    const int r = image.width() / 2;
    blitWith(image, backBuffer, cx - r, cy - image.height() / 2, &Limage::blitTransparent, 0);
    if (state == -1) state = engine.stepControl.isPlaying() ? 1 : 0;
    drawPlaySymbol(cx, cy, r, state);
    playButtonRect = {cx - r, cy - r, cx + r, cy + r};
    present(playButtonRect);
}

void QuoVelanta::drawPlaySymbol(int cx, int cy, int /*radius*/, int state) {
    Canvas& c = *backBuffer.canvas();
    TColor colour = theme.whiteModel ? RGB(48, 48, 48) : RGB(32, 32, 32);
    if (state == 1) colour = theme.controlHighlightColour();
    if (state == 2) colour = scaleColour(theme.controlHighlightColour(), 0.6f);
    const int x0 = static_cast<int>(cx - 13 * 0.3);
    const int y = cy + (playButtonPressed ? 1 : 0);
    c.pen.clear = false;
    c.pen.color = colour;
    c.brush.clear = false;
    c.brush.color = colour;
    const TPoint tri[3] = {{x0, y - 13}, {x0 + 13, y}, {x0, y + 13}};
    c.polygon(tri);
    auto scalePixel = [&](int px, int py, float f) {
        const TColor p = backBuffer.pixel(px, py);
        if (p >= 0) c.setPixel(px, py, scaleColour(p, f));
    };
    for (int i = 0; i < 14; ++i) scalePixel(x0 + i, y + 13 - i, 0.67f);
    for (int row = y - 13; row <= y + 13; ++row) scalePixel(x0 - 1, row, 0.67f);
    for (int i = 0; i < 14; ++i) scalePixel(x0 + i, y + 14 - i, 1.3f);
    for (int i = 0; i < 14; ++i) scalePixel(x0 + i, y - 14 + i, 0.8f);
}

void QuoVelanta::paintVisualiser() {
    visualiserRect = globalUndefinedRect;
    if (!backBuffer.isValid() || !engine.options.visualizeNotes) return;
    switch (engine.options.visualizeMode) {
    case 1:
        paintKeyboardVisualiser(true);
        break;
    case 2:
        paintNoteMatrixVisualiser();
        break;
    case 3:
        paintChordBassVisualiser();
        break;
    default:
        paintKeyboardVisualiser(false);
        break;
    }
    present(visualiserRect);
}

void QuoVelanta::paintKeyboardVisualiser(bool wide) {
    Canvas& c = *backBuffer.canvas();
    const int kw = wide ? 10 : 5;
    const int hw = wide ? 4 : 2;
    const int x0 = displayRect.Right - 52 * kw - 14;
    const int y0 = displayRect.Top + 26;
    const TColor b = scaleColour(theme.dimTextColour(), 0.75f);
    const TColor lit = theme.highlightColour();
    const TColor outside = backBuffer.pixel(x0 - 1, y0);
    static const bool black[12] = {false, true,  false, true,  false, false,
                                   true,  false, true,  false, true,  false};
    int x = x0;
    // White keys first, then the black keys over their boundaries.
    for (int note = 21; note <= 108; ++note) {
        if (black[note % 12]) continue;
        const double i = engine.visualizer.intensity(note, false);
        fill(c, x, y0, x + kw - 1, y0 + 20, i > 0 ? mixColours(b, lit, static_cast<float>(i)) : b);
        if (wide && note == 60) {
            setFont(c, 8, scaleColour(theme.displayTextColour(), 0.7f));
            c.textOut(x, y0 + 21, "C4");
        }
        x += kw;
    }
    x = x0;
    for (int note = 21; note <= 108; ++note) {
        if (!black[note % 12]) {
            x += kw;
            continue;
        }
        const int d = x; // the boundary before the next white key
        const double i = engine.visualizer.intensity(note, false);
        const TColor mix = mixColours(b, lit, static_cast<float>(i));
        const int bottom = static_cast<int>(y0 + 19 * 0.667);
        if (wide) {
            fill(c, d - hw, y0, d + hw - 1, bottom + 1, RGB(0, 0, 0));
            if (i > 0) fill(c, d - hw + 1, y0, d + hw - 2, y0 + 12, mix);
        } else {
            fill(c, d - hw, y0, d + hw - 1, bottom + 1, i > 0 ? mix : RGB(0, 0, 0));
            if (i > 0) {
                const TColor side = scaleColour(mix, 0.7f);
                line(c, d - hw, y0, d - hw, bottom + 1, side);
                line(c, d + hw - 2, y0, d + hw - 2, bottom + 1, side);
                c.setPixel(d - hw + 1, bottom, side);
            }
        }
    }
    const int end = x0 + 52 * kw - 2;
    if (outside >= 0) {
        c.setPixel(x0, y0, outside);
        c.setPixel(end, y0, outside);
        c.setPixel(x0, y0 + 19, outside);
        c.setPixel(end, y0 + 19, outside);
    }
    visualiserRect = {x0, y0, end, y0 + 19};
}

void QuoVelanta::paintNoteMatrixVisualiser() {
    Canvas& c = *backBuffer.canvas();
    const int x0 = displayRect.Right - 350;
    const int y0 = displayRect.Top + 26;
    const TColor b = scaleColour(theme.dimTextColour(), 0.75f);
    const TColor lit = theme.highlightColour();
    const TColor outside = backBuffer.pixel(x0 - 1, y0);
    for (int col = 0; col < 12; ++col) fill(c, x0 + 28 * col, y0, x0 + 28 * col + 27, y0 + 20, b);
    for (int note = 24; note <= 107; ++note) {
        const double i = engine.visualizer.intensity(note, true);
        if (i <= 0) continue;
        const int e = (note - 24) / 12;
        const int x = x0 + 28 * (note % 12);
        const int y = y0 + 20 - 3 * (e + 1);
        const TColor full = mixColours(b, lit, static_cast<float>(i));
        const TColor half = mixColours(b, lit, static_cast<float>(i / 2));
        fill(c, x, y + 1, x + 27, y + 3, full);
        if (e < 6) line(c, x, y, x + 27, y, half);
        if (e > 0) line(c, x, y + 3, x + 27, y + 3, half);
    }
    if (outside >= 0)
        for (int col = 0; col < 12; ++col) {
            const int x = x0 + 28 * col;
            c.setPixel(x, y0, outside);
            c.setPixel(x + 26, y0, outside);
            c.setPixel(x, y0 + 19, outside);
            c.setPixel(x + 26, y0 + 19, outside);
        }
    Limage& strip = keyStripImages[engine.core.prefersSharps() ? 1 : 0];
    if (strip.isValid()) blitWith(strip, backBuffer, x0, displayRect.Top + 28, &Limage::blitBlend, 13);
    visualiserRect = {x0, y0, x0 + 335, y0 + 20};
}

void QuoVelanta::paintChordBassVisualiser() {
    Canvas& c = *backBuffer.canvas();
    const int T = displayRect.Top;
    const int x0 = displayRect.Right - 350;
    const int y0 = T + 26;
    const TColor b = scaleColour(theme.dimTextColour(), 0.7875f);
    const TColor lit = theme.highlightColour();
    const TColor outside = backBuffer.pixel(x0 - 1, y0);
    double chord[12] = {0};
    double bass[12] = {0};
    for (int note = 24; note <= 107; ++note) {
        chord[note % 12] = std::max(chord[note % 12], engine.visualizer.intensityByGroup(note, false));
        bass[note % 12] = std::max(bass[note % 12], engine.visualizer.intensityByGroup(note, true));
    }
    for (int col = 0; col < 12; ++col) {
        const int x = x0 + 28 * col;
        fill(c, x, y0, x + 27, y0 + 20, b);
        const TColor cm = mixColours(b, lit, static_cast<float>(chord[col]));
        fill(c, x, y0, x + 27, y0 + 2, cm);
        line(c, x, y0 + 2, x + 27, y0 + 2, mixColours(cm, b, 0.5f));
        const TColor bm = mixColours(b, lit, static_cast<float>(bass[col]));
        fill(c, x, y0 + 18, x + 27, y0 + 20, bm);
        line(c, x, y0 + 17, x + 27, y0 + 17, mixColours(bm, b, 0.5f));
        if (outside >= 0) {
            c.setPixel(x, y0, outside);
            c.setPixel(x + 26, y0, outside);
            c.setPixel(x, y0 + 19, outside);
            c.setPixel(x + 26, y0 + 19, outside);
        }
    }
    const TColor labelColour = scaleColour(theme.dimTextColour(), 0.87f);
    const TColor pointer = scaleColour(theme.dimTextColour(), 0.65f);
    setFont(c, 11, labelColour);
    c.textOut(x0 - c.textWidth("chord") / 2 * 2 - 17, T + 23, "chord");
    c.textOut(x0 - c.textWidth("bass") / 2 * 2 - 16, T + 33, "bass");
    line(c, x0 - 9, y0, x0 - 3, y0, pointer);
    line(c, x0 - 10, T + 27, x0 - 4, T + 27, pointer);
    line(c, x0 - 11, T + 28, x0 - 15, T + 32, pointer);
    line(c, x0 - 9, y0 + 19, x0 - 3, y0 + 19, pointer);
    line(c, x0 - 10, y0 + 18, x0 - 4, y0 + 18, pointer);
    line(c, x0 - 11, y0 + 17, x0 - 15, y0 + 13, pointer);
    Limage& strip = keyStripImages[engine.core.prefersSharps() ? 3 : 2];
    if (strip.isValid()) blitWith(strip, backBuffer, x0, T + 28, &Limage::blitBlend, 13);
    visualiserRect = {x0 - 55, y0, x0 + 335, y0 + 20};
}
