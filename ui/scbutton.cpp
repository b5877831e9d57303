#include "ui/scbutton.h"

#include "foundation/strutil.h"
#include "ui/aapen.h"
#include "ui/scfaces.h"

ScControl::ScControl(ScContext* ctx) : context(ctx) {
    if (ctx != nullptr) {
        faceColour = ctx->scFaceColour;
        textColour = ctx->scTextColour;
    }
}

bool ScControl::canPaint() const {
    return context != nullptr && context->uiReady && context->scTarget != nullptr &&
           context->scTarget->isValid() && context->scTarget->canvas() != nullptr &&
           context->scCanvas != nullptr;
}

void ScButton::initPush(int x, int y, int width, int height, const std::string& caption) {
    toggleTarget = nullptr;
    radioTarget = nullptr;
    radioValue = -1;
    create(x, y, width, height, caption);
}

void ScButton::initToggle(int x, int y, int width, int height, const std::string& caption, bool* target) {
    toggleTarget = target;
    radioTarget = nullptr;
    radioValue = -1;
    create(x, y, width, height, caption);
}

void ScButton::initRadio(int x, int y, int width, int height, const std::string& caption, int* target,
                         int value) {
    toggleTarget = nullptr;
    radioTarget = target;
    radioValue = value;
    create(x, y, width, height, caption);
}

void ScButton::create(int x, int y, int width, int height, const std::string& caption) {
    const CaptionParts parts = parseCaption(caption);
    const std::string& text = parts.text;
    const bool bright = parts.bright;
    if (!placeButton(*this, parts, x, y, width, height)) return;
    if (symbol) {
        drawSymbol(offFace, text, 0);
        drawSymbol(onFace, text, 1);
    } else {
        const bool push = toggleTarget == nullptr && radioTarget == nullptr;
        drawGlyph(offFace, text, push ? -1 : 0, bright);
        drawGlyph(onFace, text, push ? -1 : 1, bright);
    }
}

void ScButton::drawGlyph(Limage& face, const std::string& caption, int state, bool bright) {
    FaceColours colours{faceColour, textColour, context ? context->scLedColour : 0x00FFFF};
    renderGlyphFace(face, caption, state, bright, colours, false);
}

void ScButton::drawSymbol(Limage& face, const std::string& name, int state) {
    FaceColours colours{faceColour, textColour, context ? context->scLedColour : 0x00FFFF};
    AaPen local;
    AaPen& pen = context != nullptr && context->aaPen != nullptr ? *context->aaPen : local;
    renderSymbolFace(face, pen, name, state, colours);
}

bool ScButton::isOn() const {
    return boundButtonIsOn(*this);
}

void ScButton::paint() {
    if (!canPaint()) return;
    paintButtonLook(*context->scTarget, *context->scCanvas, buttonLookOf(*this));
}

bool ScButton::click(int x, int y) {
    const TRect hit{rect.Left, rect.Top, rect.Right, rect.Bottom - 1};
    if (!pointInRect(x, y, hit)) return false;
    pressed = true;
    if (toggleTarget != nullptr) *toggleTarget = !*toggleTarget;
    if (radioTarget != nullptr) *radioTarget = radioValue;
    paint();
    return true;
}

void ScSwitch::paint() {
    if (toggleTarget == nullptr || !canPaint() || !onImage.isValid() || !offImage.isValid()) return;
    Limage& target = *context->scTarget;
    Limage* image = *toggleTarget ? &onImage : &offImage;
    Limage::blitTransparent({.source = image, .target = &target, .x = rect.Left, .y = rect.Top});
    drawGraphicClipped(*target.bitmap(), *context->scCanvas, rect, 0, 0);
}

bool ScSwitch::click(int x, int y) {
    if (toggleTarget == nullptr || !pointInRect(x, y, rect)) return false;
    *toggleTarget = !*toggleTarget;
    paint();
    return true;
}
