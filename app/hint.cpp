// Two small animations of the idle display: the hint line that blinks for three seconds, and the
// attention flash of the panel arrows that runs until the user first presses a key or clicks.
#include <cmath>

#include "app/paintutil.h"
#include "app/quovelanta.h"
#include "ui/modalloop.h"

using namespace paint;

std::string QuoVelanta::hintText() const {
    const Options& o = engine.options;
    if (!o.visualTransposeHintShown) return "Transposing instrument players: see Options / Visual Transpose";
    std::string text;
    if (o.masterTune_cents != 0 || o.masterTune_semitones != 0) text = "Master Tune: " + o.masterTuneText();
    if (o.visualTranspose != 0) {
        if (!text.empty()) text += "   |   ";
        const std::string two = o.visualTransposeNames.at(o.visualTranspose).substr(0, 2);
        text += "Visual Transpose: " + two + (two.find(' ') == std::string::npos ? " " : "") + "Instrument";
    }
    return text;
}

void QuoVelanta::animateHint(bool start) {
    if (start) hintArmed = true;
    if (!hintArmed || hintFinished || engine.stepControl.isPlaying() || !backBuffer.isValid()) return;
    const Options& o = engine.options;
    if (o.visualTransposeHintShown && o.visualTranspose == 0 && o.masterTune_cents == 0 &&
        o.masterTune_semitones == 0)
        return;
    const std::int64_t now = engine.clock.nowMs();
    const bool firstFrame = hintRect == TRect{0, 0, 0, 0};
    if (firstFrame) hintStartMs = now;
    const double t = (now - hintStartMs) * 0.001;
    const float f = (std::sin(2 * M_PI * t) < 0 || t > 2.9) ? 0.67f : 1.0f;
    const int cx = (displayRect.Left + displayRect.Right) / 2;
    const int cy = (displayRect.Top + displayRect.Bottom) / 2 + 38;
    hintRect = {cx - 270, cy - 15, cx + 270, cy + 15};
    if (t > 3.0) {
        hintFinished = true;
        engine.options.visualTransposeHintShown = true;
        // The hint lies over the page: the page is painted again without it.
        repaintPageWithSelector();
        return;
    }
    const std::string s = hintText();
    if (s.empty()) return;
    Canvas& c = *backBuffer.canvas();
    fill(c, hintRect.Left, hintRect.Top, hintRect.Right + 1, hintRect.Bottom + 1, RGB(0, 0, 0));
    setFont(c, 17, scaleColour(theme.controlHighlightColour(), f), o.visualTransposeHintShown);
    c.textOut(cx - c.textWidth(s) / 2, cy - c.textHeight(s) / 2, s);
    if (start) present(hintRect);
}

void QuoVelanta::clearHint() {
    engine.options.visualTransposeHintShown = true;
    engine.options.mainHintShown = true;
    if (hintFinished) return;
    hintFinished = true;
    if (hintRect.Left == 0 || engine.stepControl.isPlaying()) return;
    repaintPageWithSelector();
}

void QuoVelanta::idleFlash() {
    const Options& o = engine.options;
    if (o.mainHintShown || !hintFinished || engine.stepControl.isPlaying() || !backBuffer.isValid()) return;
    ModalLoop& loop = modalLoop();
    auto waitFor = [&](int ms) {
        const std::int64_t start = loop.nowMs();
        return runModalLoop([&] { return o.mainHintShown || quitRequested || loop.nowMs() - start >= ms; });
    };
    auto paintArrows = [&] {
        const bool wasDeferred = deferBlit;
        deferBlit = true;
        paintSessionPanel(false);
        paintStyleBox();
        paintTempoBox();
        paintKeyBox();
        deferBlit = wasDeferred;
        presentNow(panelBand);
        presentNow({styleCell.Left - 5, styleCell.Top, keyCell.Right, keyCell.Bottom + 1});
    };
    if (!waitFor(500) || o.mainHintShown || quitRequested) return;
    attentionFlash = true;
    paintArrows();
    waitMs(120, true);
    attentionFlash = false;
    paintArrows();
    waitFor(380);
}
