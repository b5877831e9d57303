#pragma once
// The Sc faders: vertical (a track image with ticks and a knob, the label in the top 15 px) or
// horizontal (a flat bar with a knob and level marks), bound to a level from 0 to 1.
#include <string>

#include "ui/limage.h"
#include "ui/scbutton.h"

class ScFader : public ScControl {
  public:
    static constexpr TColor kKnobColour = 0xC8C8C8;

    bool horizontal = false;
    std::string label;
    double* value = nullptr;
    Limage track; // vertical faders only
    Limage knob;
    double grabValue = 0;
    int grabCoord = 0;
    bool narrow = false; // set before create for the narrow track
    int centreTick = -1; // -1: the middle tick is the long one

    ScFader() = default;
    explicit ScFader(ScContext* ctx) : ScControl(ctx) {}

    // length > 0: a vertical fader with that travel; length < 0: a horizontal one of -length.
    void create(int x, int y, int length, const std::string& label, double* target, int ticks);
    void paint();
    // A press that hits grabs the fader (jumping the value to the pointer when it is more than 17 px
    // from the knob); moves drive the grabbed fader by the pointer's travel. True when the value changed.
    bool drag(int x, int y, bool down);
};
