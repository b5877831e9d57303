#pragma once
// The pre-rendered art shared by the Sc and the Shade widgets: button faces (bevelled glyph faces
// and round symbol faces), the common button painter, and the fader track and knob images with the
// fader's painter and drag rule.
#include <string>

#include "platform/qt/canvas.h"
#include "platform/qt/gditypes.h"
#include "ui/aapen.h"
#include "ui/labelmemory.h"
#include "ui/limage.h"

// Colours a face is drawn with.
struct FaceColours {
    TColor face = 0xC0C0C0;
    TColor text = 0;
    TColor led = 0x00FFFF;
};

// A button caption taken apart: "@" + number (the label offset) is cut off, then a leading "#" marks the
// bright look and a leading "$" a symbol whose name is the rest (also the label). An empty caption is " ".
struct CaptionParts {
    std::string text; // what the face shows
    bool bright = false;
    bool symbol = false;
    std::string label;
    int labelOffset = 0;
};
CaptionParts parseCaption(const std::string& caption);

// True for the captions drawn as vector glyphs; shadeTokens adds "<wave>" and "<tap>".
bool isGlyphToken(const std::string& caption, bool shadeTokens);

// A bevelled face with a glyph or a bold caption; state 0 or 1 adds the indicator bar (lit for 1),
// state -1 (push buttons) has none. The face must be a bitmap-backed image of the button's size.
void renderGlyphFace(Limage& face, const std::string& caption, int state, bool bright,
                     const FaceColours& colours, bool shadeTokens);

// A round face with the named symbol ("Record", "Play", "Rhythm", "Bass"), lit when state is 1.
// The pen is aimed at the face for the call and left as it was.
void renderSymbolFace(Limage& face, AaPen& pen, const std::string& name, int state,
                      const FaceColours& colours);

// Paints a button into target at rect: its label above it (when not empty), the face, or the pressed
// look of a plain button, then copies rect to the screen canvas.
struct ButtonLook {
    TRect rect;
    LabelMemory* labelMemory = nullptr;
    Limage* face = nullptr;
    bool pressed = false;
    bool symbol = false;
    std::string label;
    int labelOffset = 0;
    TColor textColour = 0;
};
void paintButtonLook(Limage& target, Canvas& screen, const ButtonLook& look);

// Both button families bind the same way (a toggled flag, or a radio value of an int) and paint the
// same look; these read it from either kind of button.
template <typename Button> bool boundButtonIsOn(const Button& b) {
    if (b.toggleTarget != nullptr) return *b.toggleTarget != b.inverted;
    if (b.radioTarget != nullptr) return *b.radioTarget == b.radioValue;
    return false;
}
// The common start of a button's create: takes the caption's label parts, places the button at
// x, y, releases it and empties both faces; sizes the faces and returns true when the button has an
// area to draw on.
template <typename Button>
bool placeButton(Button& b, const CaptionParts& parts, int x, int y, int width, int height) {
    b.labelOffset = parts.labelOffset;
    b.symbol = parts.symbol;
    b.label = parts.label;
    b.rect = {x, y, x + width, y + height};
    b.pressed = false;
    b.onFace.clear();
    b.offFace.clear();
    if (width < 1 || height < 1) return false;
    b.onFace.setSize(width, height, true);
    b.offFace.setSize(width, height, true);
    return true;
}
template <typename Button> ButtonLook buttonLookOf(Button& b) {
    ButtonLook look;
    look.rect = b.rect;
    look.face = boundButtonIsOn(b) ? &b.onFace : &b.offFace;
    look.pressed = b.pressed;
    look.symbol = b.symbol;
    look.label = b.label;
    look.labelOffset = b.labelOffset;
    look.textColour = b.textColour;
    look.labelMemory = &b.labelMemory;
    return look;
}

// Vertical fader art: the track of a fader with the given travel (length + 37 high, 33 px wide or
// 27 when narrow) and its knob (31 px high).
int faderTrackWidth(bool narrow);
bool renderFaderTrack(Limage& track, int length, bool narrow, int ticks, int centreTick, TColor face);
bool renderFaderKnob(Limage& knob, int width, TColor knobColour);

// The value shown: clamped to 0..1, NaN as 0.
double faderShownValue(double value);
// Ends of a fader's travel along its axis (a at value 0 for a horizontal fader, at value 1 for a
// vertical one).
void faderTravel(const TRect& rect, bool horizontal, int& a, int& b);
// Knob centre along the axis for a value.
int faderKnobPosition(const TRect& rect, bool horizontal, double value);

struct VerticalFaderLook {
    TRect rect;
    std::string label;
    double value = 0;
    Limage* track = nullptr;
    Limage* knob = nullptr;
    TColor face = 0;
    TColor text = 0;
};
void paintVerticalFader(Limage& target, Canvas& screen, const VerticalFaderLook& look);

// The drag rule of every fader. grabbed tells whether this fader holds the grab; grabNow is set when
// a press hits it. Returns true when the bound value changed (it is stored).
struct FaderDrag {
    TRect rect;
    bool horizontal = false;
    double* value = nullptr;
    double* grabValue = nullptr;
    int* grabCoord = nullptr;
    bool grabbed = false;
};
bool faderDrag(const FaderDrag& fader, int x, int y, bool down, bool& grabNow);
