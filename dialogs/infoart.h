#pragma once
// The pictures of the information pages, drawn by the program itself when first needed: the Sound
// Test's loudspeaker, the earth of the About page, the eight frames of the loop help animation and
// the mouse pointer that moves over them.
#include "platform/qt/gditypes.h"
#include "ui/limage.h"

namespace infoart {

// The loop help frames: a strip of four chord cells with the bar ruler under them.
constexpr int kLoopFrameWidth = 345;
constexpr int kLoopFrameHeight = 128;
constexpr int kLoopBarLeft = 12;  // first bar's left edge in a frame
constexpr int kLoopBarWidth = 74; // the pointer moves from the middle of bar 1 to the middle of bar 4
constexpr int kLoopRulerTop = 76;
constexpr int kLoopRulerBottom = 100;

// The bars a frame shows as the loop (first, last; last < first: none) and whether the loop is
// still being dragged.
struct LoopFrameState {
    int firstBar = 0;
    int lastBar = -1;
    bool dragging = false;
    bool hovered = false; // the bar under the pointer is lit (before the press)
};
LoopFrameState loopFrameState(int frame);

// The loudspeaker as a grey-level mask on black (white where the shape is, edges smoothed).
const Limage& soundTestPicture();
// Loop help frame 1..8 (frame 1 for anything outside).
const Limage& loopFrame(int frame);
// The mouse pointer: its tip is the top left pixel; pixels of kCursorTransparent are not drawn.
constexpr TColor kCursorTransparent = 0xFF00FF;
const Limage& cursorPicture();
// The earth over the given background colour.
Limage earthPicture(TColor background, int diameter);

} // namespace infoart
