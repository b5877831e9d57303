#include "app/positionmarker.h"

#include <algorithm>

TRect PositionMarker::boxOf(int position, const MarkerGeometry& g) {
    const long long units = static_cast<long long>(std::max(1, g.zoomBars)) * 48;
    const int beat = g.triple ? 16 : 12;
    const long long start = static_cast<long long>(position) / beat * beat;
    const int left = g.scaleLeft + static_cast<int>(start * g.scaleWidth / units);
    const int right = g.scaleLeft + static_cast<int>((start + beat) * g.scaleWidth / units);
    const int top = g.pageTop + kTopOffset;
    return {left, top, std::max(left + 1, right), top + kHeight};
}

int PositionMarker::greyOf(int position, const MarkerGeometry& g, int mode) {
    int level = position >= g.pageUnits ? kGreyPastEnd : kGrey;
    if (mode == 1) level = std::min(255, level * 2);
    if (mode == 2) level /= 2;
    return level;
}

void PositionMarker::update(int position, const MarkerGeometry& g, bool allowed, bool force, int mode) {
    const bool show = allowed && position >= 0 && g.scaleWidth > 0;
    const TRect next = show ? boxOf(position, g) : kNone;
    const int nextGrey = show ? greyOf(position, g, mode) : -1;
    if (!force && next == shown && nextGrey == grey) return;
    if (shown != kNone) {
        // The repaint beneath forgets the box (the page was painted again): the old box is kept
        // here, so that the window shows it cleared.
        const TRect old = shown;
        if (repaintUnder) repaintUnder(old);
        if (present && next != old) present(old);
    }
    shown = next;
    grey = nextGrey;
    if (!show) return;
    if (blend) blend(shown, grey);
    if (present) present(shown);
}
