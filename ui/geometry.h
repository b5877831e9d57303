#pragma once
// Rectangles, points, clipped drawing of a finished image, gradients and colour arithmetic.
// In these helpers a rectangle's Right and Bottom are inclusive pixel bounds.
#include "platform/qt/bitmap24.h"
#include "platform/qt/canvas.h"
#include "platform/qt/gditypes.h"

// The unset rectangle that layout code copies into rectangle members as their first value.
inline constexpr TRect globalUndefinedRect{-1, -1, -1, -1};
// A rectangle whose Top is this value stands for "no rectangle".
inline constexpr int kUndefinedRectTop = 1000000;

TRect& setRect(TRect& out, int left, int top, int right, int bottom);
TRect& offsetRect(TRect& out, const TRect& rect, int dx, int dy);
TRect& copyRect(TRect& out, const TRect& rect);
bool isUndefinedRect(const TRect& rect);
bool pointInRect(int x, int y, const TRect& rect);  // all four edges included
TPoint& rectCentre(TPoint& out, const TRect& rect); // halves rounded toward zero
TPoint& makePoint(TPoint& out, int x, int y);

// Clips every later canvas operation to the inclusive rectangle; clearClip removes it.
void clipToRect(Canvas& canvas, const TRect& rect);
void clearClip(Canvas& canvas);
// Draws graphic at (x, y) clipped to rect moved by (x, y); nothing when rect is undefined.
void drawGraphicClipped(const Bitmap24& graphic, Canvas& canvas, const TRect& rect, int x, int y);

// Fills left..right, top..bottom (inclusive) with lines whose colour runs from `from` to `to`,
// one line per column when alongX, else one per row.
void drawGradient(Canvas& canvas, int left, int top, int right, int bottom, TColor from, TColor to,
                  bool alongX);

void splitColour(TColor colour, int& red, int& green, int& blue);
// Each channel times factor, truncated and held within 0..255.
TColor scaleColour(TColor colour, float factor);
// Each channel a + w x (b - a), truncated and held within 0..255.
TColor mixColours(TColor a, TColor b, float w);
// Hue in degrees 0 (inclusive) to 360 (exclusive); any other hue gives black.
void hsvToRgb(float hue, float saturation, float value, int& red, int& green, int& blue);
