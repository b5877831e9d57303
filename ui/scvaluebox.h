#pragma once
// The value boxes of the dialog's selector rows: a bevelled box with a title and a large value text,
// optionally a round play button at the left and a double arrow at the right.
#include <string>

#include "ui/scbutton.h"

class ScValueBox;

struct ScValueBoxArgs {
    ScValueBox* box = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string title{};
    std::string value{};
    // First character "p" or "P": a play button (part 0 its circle, part 1 the left strip);
    // second character "s" (horizontal) or "S" (vertical): a double arrow (part 2).
    std::string flags{};
    bool present = false;   // copy the box (and 20 px above it) to the screen
    TColor textColour = -1; // the texts' colour; -1: the box colour x 0.35
};

class ScValueBox : public ScControl {
  public:
    static constexpr int kParts = 5;
    int tag = 0;
    TRect parts[kParts] = {globalUndefinedRect, globalUndefinedRect, globalUndefinedRect, globalUndefinedRect,
                           globalUndefinedRect};

    ScValueBox() = default;
    explicit ScValueBox(ScContext* ctx) : ScControl(ctx) {}

    static void paint(const ScValueBoxArgs& args);
    // part -1: the whole box; 0..4: that part; edges included. Unset rectangles are never hit.
    static bool hitTest(const ScValueBox& box, int x, int y, int part);
};
