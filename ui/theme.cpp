#include "ui/theme.h"

#include "foundation/strutil.h"
#include "ui/geometry.h"

TColor hsvColour(float hue, float saturation, float value) {
    int r, g, b;
    hsvToRgb(hue, saturation, value, r, g, b);
    return RGB(r, g, b);
}

float Theme::themeDimFactor() const {
    return whiteModel ? 0.84f : 0.8f;
}

TColor Theme::themePanelColour() const {
    return whiteModel ? RGB(200, 200, 200) : RGB(68, 68, 68);
}

TColor Theme::themeBaseGrey() const {
    const double a = whiteModel ? 1.0 : 0.92;
    const double b = whiteModel ? 1.0 : 0.72;
    return RGB(216, truncToInt(216 * a), truncToInt(216 * b));
}

TColor Theme::headingTextColour() const {
    return whiteModel ? scaleColour(displayTextColour(-1), 0.75f) : scaleColour(themeBaseGrey(), 0.92f);
}

TColor Theme::themeShadeColour() const {
    return whiteModel ? RGB(80, 80, 80) : scaleColour(themeBaseGrey(), 0.94f);
}

TColor Theme::dimTextColour() const {
    return scaleColour(displayTextColour(-1), 0.6f);
}

TColor Theme::displayTextColour(int index) const {
    if (index == -1) index = displayTextColor;
    switch (index) {
    case 0:
        return hsvColour(0, 0.14f, 0.89f);
    case 1:
        return hsvColour(30, 0.16f, 0.87f);
    case 2:
        return hsvColour(65, 0.14f, 0.85f);
    case 3:
        return RGB(202, 218, 202);
    case 4:
        return hsvColour(168, 0.11f, 0.85f);
    case 5:
        return hsvColour(210, 0.15f, 0.89f);
    case 6:
        return RGB(196, 196, 248);
    case 7:
        return hsvColour(270, 0.17f, 0.92f);
    case 8:
        return RGB(224, 196, 214);
    default:
        return RGB(208, 208, 208);
    }
}
