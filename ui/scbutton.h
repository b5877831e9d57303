#pragma once
// The Sc push buttons, toggles, radio buttons and two-image switches.
#include <string>

#include "platform/qt/gditypes.h"
#include "ui/geometry.h"
#include "ui/labelmemory.h"
#include "ui/limage.h"
#include "ui/sccontext.h"

// Base of the Sc widgets: where the widget is and its colours, taken from the drawing context when
// the widget is constructed.
struct ScControl {
    TRect rect = globalUndefinedRect;
    TColor faceColour = 0xC0C0C0;
    TColor textColour = 0;
    ScContext* context = nullptr;

    ScControl() = default;
    explicit ScControl(ScContext* ctx);
    // True when the context lets widgets paint: UI ready, a target with rows and a canvas, a screen canvas.
    bool canPaint() const;
};

class ScButton : public ScControl {
  public:
    bool* toggleTarget = nullptr;
    int* radioTarget = nullptr;
    int radioValue = -1;
    Limage onFace; // the pressed or selected look
    Limage offFace;
    std::string label; // shown above a symbol button
    bool pressed = false;
    bool symbol = false;
    int labelOffset = 0;
    bool inverted = false; // a toggle shows its on face while its bool is false
    LabelMemory labelMemory;

    ScButton() = default;
    explicit ScButton(ScContext* ctx) : ScControl(ctx) {}

    // Caption markup: "#" first gives the bright look; "$" + name a round symbol face with the name as
    // its label; "@" + number moves the label by that many pixels; glyph tokens such as "<plus>" draw
    // shapes; any other caption is drawn as bold text.
    void initPush(int x, int y, int width, int height, const std::string& caption);
    void initToggle(int x, int y, int width, int height, const std::string& caption, bool* target);
    void initRadio(int x, int y, int width, int height, const std::string& caption, int* target, int value);
    void create(int x, int y, int width, int height, const std::string& caption);

    bool isOn() const;
    void paint();
    // A hit (the rect without its bottom row) presses the button, flips a toggle or selects a radio
    // value, and repaints.
    bool click(int x, int y);

    void drawGlyph(Limage& face, const std::string& caption, int state, bool bright);
    void drawSymbol(Limage& face, const std::string& name, int state);
};

class ScSwitch : public ScControl {
  public:
    bool* toggleTarget = nullptr;
    Limage onImage; // filled by the owner
    Limage offImage;

    ScSwitch() = default;
    explicit ScSwitch(ScContext* ctx) : ScControl(ctx) {}
    void paint();
    bool click(int x, int y);
};
