#pragma once
// The play-from marker above the chord page: a box one beat wide over the beat under the mouse (or
// the play-from position), blended into the window's back buffer. Moving it repaints what lies under
// the old box from the page itself instead of pasting back saved pixels, which may be stale after
// the page was painted again underneath.
#include <functional>

#include "platform/qt/gditypes.h"

struct MarkerGeometry {
    int scaleLeft = 0; // the position scale's left edge and width (pixels)
    int scaleWidth = 0;
    int pageTop = 0;     // the page area's top; the box spans pageTop + 61 .. + 34
    int zoomBars = 8;    // bars across the page display
    bool triple = false; // 3/4: a beat is 16 units of 48, else 12
    int pageUnits = 0;   // the page's length in 48ths of a bar (the grey is darker beyond it)
};

class PositionMarker {
  public:
    static constexpr int kGrey = 127, kGreyPastEnd = 116, kTopOffset = 61, kHeight = 34;

    // The window side: paint the page again beneath rect (back buffer only), blend grey over rect,
    // copy rect to the window at once.
    std::function<void(const TRect& rect)> repaintUnder;
    std::function<void(const TRect& rect, int grey)> blend;
    std::function<void(const TRect& rect)> present;

    // position: 48ths from the page start, -1 none. allowed: the selector kind is 0, 4 or 6 and no
    // chord is being resized. mode 1 doubles the grey (a flash), 2 halves it. Without force nothing
    // happens while box and grey stay the same.
    void update(int position, const MarkerGeometry& g, bool allowed, bool force, int mode);
    // The page was painted again as a whole: no marker is on the screen any more.
    void forget() { shown = kNone; }
    // The box of a position (Right and Bottom exclusive).
    static TRect boxOf(int position, const MarkerGeometry& g);
    static int greyOf(int position, const MarkerGeometry& g, int mode);

    TRect shownRect() const { return shown; }
    int shownGrey() const { return grey; }

  private:
    static constexpr TRect kNone{-1, -1, -1, -1};
    TRect shown = kNone;
    int grey = -1;
};
