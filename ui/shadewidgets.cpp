#include "ui/shadewidgets.h"

#include "foundation/strutil.h"
#include "ui/scfaces.h"

bool ShadeControl::canPaint() const {
    return target != nullptr && target->isValid() && target->canvas() != nullptr && canvas != nullptr;
}

void ShadeButton::initPush(int x, int y, int width, int height, const std::string& caption, int buttonId) {
    toggleTarget = nullptr;
    radioTarget = nullptr;
    radioValue = -1;
    id = buttonId;
    create(x, y, width, height, caption);
}

void ShadeButton::initToggle(int x, int y, int width, int height, const std::string& caption, bool* bound) {
    toggleTarget = bound;
    radioTarget = nullptr;
    radioValue = -1;
    id = -1;
    create(x, y, width, height, caption);
}

void ShadeButton::create(int x, int y, int width, int height, const std::string& caption) {
    const CaptionParts parts = parseCaption(caption);
    // A "$" caption only names the label; the face stays plain.
    const std::string text = parts.symbol ? " " : parts.text;
    const bool bright = parts.bright;
    if (!placeButton(*this, parts, x, y, width, height)) return;
    const bool push = toggleTarget == nullptr && radioTarget == nullptr;
    renderFace(offFace, text, push ? -1 : 0, bright);
    renderFace(onFace, text, push ? -1 : 1, bright);
}

void ShadeButton::renderFace(Limage& face, const std::string& caption, int state, bool bright) {
    renderGlyphFace(face, caption, state, bright, {faceColour, textColour, ledColour}, true);
}

bool ShadeButton::isOn() const {
    return boundButtonIsOn(*this);
}

void ShadeButton::paint() {
    if (!canPaint()) return;
    paintButtonLook(*target, *canvas, buttonLookOf(*this));
}

bool ShadeButton::click(int x, int y) {
    const TRect hit{rect.Left, rect.Top, rect.Right, rect.Bottom - 1};
    if (!pointInRect(x, y, hit)) return false;
    pressed = true;
    if (toggleTarget != nullptr) *toggleTarget = !*toggleTarget;
    if (radioTarget != nullptr) *radioTarget = radioValue;
    paint();
    return true;
}

void ShadeFader::create(int x, int y, int length, const std::string& text, double* bound, int ticks) {
    label = text;
    value = bound;
    track.clear();
    knob.clear();
    const int width = faderTrackWidth(narrow != 0);
    const long long bottom = static_cast<long long>(y) + length + 51;
    rect = {x, y, x + width, static_cast<int>(bottom > INT32_MAX ? INT32_MAX : bottom)};
    if (renderFaderTrack(track, length, narrow != 0, ticks, centreTick, faceColour))
        renderFaderKnob(knob, track.width(), knobColour);
}

void ShadeFader::paint() {
    if (value == nullptr || !canPaint()) return;
    VerticalFaderLook look{rect, label, *value, &track, &knob, faceColour, textColour};
    paintVerticalFader(*target, *canvas, look);
}

bool ShadeFader::drag(int x, int y, bool down, ShadeFader*& grabbed) {
    if (value == nullptr) return false;
    FaderDrag f{rect, false, value, &grabValue, &grabCoord, grabbed == this};
    bool grabNow = false;
    const bool changed = faderDrag(f, x, y, down, grabNow);
    if (grabNow) grabbed = this;
    if (changed) paint();
    return changed;
}
