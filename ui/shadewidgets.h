#pragma once
// The Shade widgets of the Shade-styled windows: buttons that carry an id and vertical faders. Each
// draws into its own target image and copies to its own canvas (no shared context, no ready flag).
#include <string>

#include "platform/qt/canvas.h"
#include "platform/qt/gditypes.h"
#include "ui/geometry.h"
#include "ui/labelmemory.h"
#include "ui/limage.h"

struct ShadeControl {
    TRect rect = globalUndefinedRect;
    TColor faceColour = 0xFFFFFF;
    TColor textColour = 0;
    Limage* target = nullptr; // the window's off-screen image, not owned
    Canvas* canvas = nullptr; // the window's canvas, not owned

    bool canPaint() const;
};

class ShadeButton : public ShadeControl {
  public:
    bool* toggleTarget = nullptr;
    int* radioTarget = nullptr;
    int radioValue = -1;
    int id = -1;
    Limage onFace;
    Limage offFace;
    std::string label;
    bool pressed = false;
    bool symbol = false;
    int labelOffset = 0;
    bool inverted = false;
    LabelMemory labelMemory;
    TColor ledColour = 0x00FFFF; // a lit indicator bar

    // Captions as for the Sc buttons, with the extra tokens "<wave>" and "<tap>"; "$" + text only sets
    // the label (the face stays plain).
    void initPush(int x, int y, int width, int height, const std::string& caption, int buttonId);
    void initToggle(int x, int y, int width, int height, const std::string& caption, bool* bound);
    void create(int x, int y, int width, int height, const std::string& caption);
    void renderFace(Limage& face, const std::string& caption, int state, bool bright);
    bool isOn() const;
    void paint();
    bool click(int x, int y);
};

class ShadeFader : public ShadeControl {
  public:
    static constexpr TColor kDarkSkinKnob = 0x7C9FAD;
    static constexpr TColor kLightSkinKnob = 0xC8C8C8;

    std::string label;
    double* value = nullptr;
    Limage track;
    Limage knob;
    double grabValue = 0;
    int grabCoord = 0;
    int narrow = 0;                     // non-zero: the narrow track; set before create
    int centreTick = -1;                // -1: the middle tick
    TColor knobColour = kLightSkinKnob; // set before create from the Shade skin

    // A vertical fader with the given travel; its rect is as wide as its track.
    void create(int x, int y, int length, const std::string& label, double* bound, int ticks);
    void paint();
    // The vertical Sc fader's rule; grabbed is the program's grabbed Shade fader, set by a press that hits.
    bool drag(int x, int y, bool down, ShadeFader*& grabbed);
};
