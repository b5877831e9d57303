#pragma once
// The theme colours of the main window and the dialogs, for the light and the dark look and the
// user's display text colour. The owner sets the two inputs (from the options) before a full repaint.
#include "platform/qt/gditypes.h"

// hsvToRgb of the three values, packed.
TColor hsvColour(float hue, float saturation, float value);

struct Theme {
    bool whiteModel = false;  // the effective light look
    int displayTextColor = 6; // index of the display text colour (0..9)

    float themeDimFactor() const;
    TColor themePanelColour() const;
    TColor themeBaseGrey() const;
    TColor headingTextColour() const;
    TColor themeShadeColour() const;
    TColor dimTextColour() const;
    // Index -1 means the chosen display text colour; indices outside 0..8 give the neutral grey.
    TColor displayTextColour(int index = -1) const;
    TColor highlightColour() const { return RGB(255, 255, 0); }
    TColor controlHighlightColour() const { return RGB(255, 255, 0); }
    TColor blackColour() const { return RGB(0, 0, 0); }
    TColor whiteColour() const { return RGB(255, 255, 255); }
    int barCellGap() const { return 2; }
    int barCellHeight() const { return 36; }
};
