#pragma once
// The Sc drawing context: where the Sc widgets paint, the screen canvas their rectangles are copied
// to, the colours new widgets take, and the UI-ready flag. The main window aims it at its back
// buffer; the dialog form aims it at its own while a page is shown and back afterwards.
#include "platform/qt/canvas.h"
#include "platform/qt/gditypes.h"

class Limage;
class AaPen;
class ScFader;

struct ScContext {
    Limage* scTarget = nullptr; // a bitmap-backed back buffer
    Canvas* scCanvas = nullptr; // the window canvas
    TColor scFaceColour = 0xC0C0C0;
    TColor scTextColour = 0;
    TColor scLedColour = 0x00FFFF;
    TColor scBoxColour = 0x1880E8;
    bool uiReady = false;            // no widget paints before it is set
    AaPen* aaPen = nullptr;          // the pen for symbol faces and value-box art
    ScFader* grabbedFader = nullptr; // the fader that the last press started to drag
};
