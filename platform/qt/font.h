#pragma once
// Font descriptions of the canvas and their resolution to installed families.
#include <string>

#include "platform/qt/gditypes.h"

class QFont;
class QString;

// A canvas font: family, height (negative: character height in pixels, as "11 px type" is -11;
// positive: the height of the whole text cell), weight, underline and text colour.
struct Font {
    std::string name = "Tahoma";
    int height = -11;
    bool bold = false;
    bool underline = false;
    TColor color = 0;
    bool operator==(const Font&) const = default;
};

// The one place where interface font names become installed families ("Tahoma" is drawn with
// "DejaVu Sans Condensed", whose widths are close and whose cell is 13 px at 11 px type).
std::string resolveFontFamily(const std::string& name);

// True when a Qt GUI application exists, which text drawing and measuring need.
bool fontsAvailable();

// The Qt font for a canvas font (resolved family, pixel size, bold, underline).
QFont makeQFont(const Font& font);

// Text of the program is UTF-8; byte runs that are not valid UTF-8 are shown as Latin-1.
QString displayText(const std::string& text);
bool isValidUtf8(const std::string& text);
