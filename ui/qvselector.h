#pragma once
// The selector overlay: the one pop-up panel that the main window shows over its own drawing (the
// style, tempo, key, chord editor, page menu and arrangement point selectors are all built on it, one
// at a time). It holds clickable areas (Sensor), free labels and lines; it draws them into its own
// image, composites that image onto a target image (the main window's back buffer, or a copy of it)
// and hit-tests clicks. What a click means is decided by the caller from the sensor id.
//
// Calling order: open, then addSensor / setLastExtra / addLabel / addLine in drawing order, then
// paint (true). Clicks go to click (or the side-effect-free sensorAt); the caller reacts to the id,
// often by building the selector again (open + adds + paint); close when the overlay goes away.
#include <cstdint>
#include <string>

#include "engine/qvchord.h"
#include "foundation/llist.h"
#include "platform/qt/canvas.h"
#include "platform/qt/gditypes.h"
#include "ui/aapen.h"
#include "ui/limage.h"
#include "ui/theme.h"

// The kinds of the open selector (the value of selectorKind).
enum SelectorKind : int {
    kSelectorNone = 0,
    kSelectorStyle = 1,
    kSelectorTempo = 2,
    kSelectorKey = 3,
    kSelectorChord = 4,
    kSelectorPageMenu = 5,
    kSelectorArrangement = 6,
};

// Sensor groups: 0 or more is a radio group of that number.
constexpr int kSensorToggle = -1;
constexpr int kSensorMomentary = -2;
constexpr int kSensorInert = -3; // any value below -2: no state change

// A clickable area of the overlay, in overlay coordinates. rect is a canvas rectangle: the face covers
// Left..Right-1 and Top..Bottom-1; a click hits Left-1..Right and Top-1..Bottom.
//
// text is a glyph token ("o", "m7b5", "o7", "<up>", "<down>", "<bass>", "<power>", "<next>", "<prev>",
// "<invUp>", "<invDown>", "<ghost>") or a caption with leading markers, after an optional "<Lock>":
// "@" left-aligned, "*" left-aligned with a drop-down mark, "^" bold, "%" dotted underline, "~" the
// caption stands right of the sensor (tested in this order, each removed when it leads). A caption "#"
// or "b" is the sharp or flat sign alone; a second character "#" or "b" becomes the sign beside the
// first.
struct Sensor {
    TRect rect{0, 0, 0, 0};
    std::string text;
    bool checked = false;
    int id = -1;          // returned by a click; -1 = inert
    int group = 0;        // radio group (>= 0), kSensorToggle, kSensorMomentary, or below: no state
    bool flashes = false; // a momentary sensor flashes when clicked
    int extra = -1;       // 1: carries the mixer mark, whose area counts apart in clicks
    TRect extraRect{-1, -1, -1, -1}; // the mark's area, known once it was painted
};

struct SelectorLabel {
    int x = 0;
    int y = 0;
    std::string text;
    bool bright = false; // white instead of the line colour
};

// hook 0: a plain line; otherwise the line runs from x1 + 1 to x2 - 1 and single pixels stand at
// (x1, y1 + hook) and (x2 - 1, y2 + hook), which rounds its two ends off.
struct SelectorLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int hook = 0;
    bool bright = false;
};

// The diminished sign (a small circle at x, y), with a slash for half-diminished and a "7" beside it
// (x moves 4 pixels left then). Circle and slash in the canvas's pen colour, the "7" in its font colour.
void drawDimSymbol(Canvas& canvas, int x, int y, bool slash, bool seven);

// The built-in sharp and flat sign images: a white sign on black, 7 x 12 pixels, drawn onto a face by
// tinting, inverting and a multiply blend.
void makeSignImage(Limage& image, bool sharp);

class QvSelector : public Limage {
  public:
    // kindVariable: the program's selector kind, which the openers set and close resets to 0 (the main
    // object's selectorKind); null: the selector keeps its own.
    explicit QvSelector(int* kindVariable = nullptr);
    QvSelector(const QvSelector&) = delete;
    QvSelector& operator=(const QvSelector&) = delete;

    int x = 0; // top-left corner of the overlay in the target image and on the window
    int y = 0;
    Canvas* canvas = nullptr;          // where a presenting paint shows the result (the window's canvas)
    Limage* target = nullptr;          // what the overlay is composited onto (the window's back buffer)
    Llist<Sensor> sensors{0, 8, true}; // hit-test order
    Llist<SelectorLabel> labels{0, 4, true};
    Llist<SelectorLine> lines{0, 4, true};
    QvChord chord; // the chord editor's chord; its inversion sets the "<invUp>" / "<invDown>" glyphs
    // The four round title buttons of the arrangement point selector (overlay coordinates); reset to
    // (-1, -1, -1, -1) by every paint, set again only while that kind is open.
    TRect helpRect{-1, -1, -1, -1};
    TRect menuRect{-1, -1, -1, -1};
    TRect powerRect1{-1, -1, -1, -1};
    TRect powerRect2{-1, -1, -1, -1};
    bool power1On = false; // set by the arrangement point selector's opener
    bool power2On = false;
    // Paint inputs set by the openers: the colours (display text colour) and whether the session's
    // volume levels are locked (the mixer marks are drawn faint then).
    Theme theme;
    bool volumeLevelsLocked = false;

    int kind() const { return *kind_; }
    void setKind(int value) { *kind_ = value; }

    // Stores target, canvas and position; with a target the image is (re)created at width x height
    // (bitmap-backed), without one it is released, so that only the sensors count. Empties the lists.
    // The opener sets the kind itself.
    void open(Limage* targetImage, Canvas* windowCanvas, int left, int top, int width, int height);
    // Moves the compositing to another target (and canvas) without rebuilding; the overlay stays where
    // it is. For painting the overlay over a copy of the back buffer.
    void setTarget(Limage* targetImage, Canvas* windowCanvas) {
        target = targetImage;
        canvas = windowCanvas;
    }
    // Empties the three lists (a rebuild in place).
    void clear();
    void addSensor(const TRect& rect, const std::string& text, bool checked, int id, int group, bool flashes);
    void setLastExtra(int value);
    void addLabel(int left, int top, const std::string& text, bool bright);
    void addLine(int x1, int y1, int x2, int y2, int hook, bool bright);

    // Draws everything into the image and composites it onto the target at (x, y); with present also
    // copies the overlay's area of the target to the canvas. Nothing without an image or a target.
    void paint(bool present);

    // A click at window coordinates: the hit sensor's id (-1 for none) after its state change (radio,
    // toggle, or the momentary flash, which waits 100 ms through waitMs). A flash whose overlay was
    // closed or turned into another kind during the wait returns -1.
    int click(int px, int py);
    bool clickedExtra() const { return clickedExtraFlag; }
    // The index of the sensor a click at window coordinates would hit, -1 none (or closed); no state
    // changes.
    int sensorAt(int px, int py) const;
    // Whether a click there falls into that sensor's mixer mark (known once painted).
    bool inExtraArea(int index, int px, int py) const;
    // The rect of the first sensor with that id (overlay coordinates), or (0, 0, 0, 0).
    TRect sensorRect(int id) const;
    // The index of the first sensor with that id, -1 none.
    int sensorIndex(int id) const;
    // (x, y, x + width, y + height); width and height count 0 without an image.
    TRect bounds() const;
    // Whether a window point lies over the open overlay (inside bounds, right and bottom excluded).
    bool contains(int px, int py) const;

    void close();
    bool isOpen() const { return open_; }
    // Counts every open and clear, so a wait can tell that its sensors were replaced.
    unsigned rebuildCount() const { return rebuilds; }

    // Edge compositing table: entry [overlay][background] = overlay above 144, else
    // overlay + (1 - overlay / 144) x background, held within 0..255.
    const uint8_t* brightenTable() const { return brighten; }
    static uint8_t brightenValue(int overlay, int background);

    // The sign images drawn for "#" and "b" captions (white on black); null: the built-in ones.
    void setSignImages(const Limage* flat, const Limage* sharp);

  private:
    int ownKind = 0;
    int* kind_;
    bool open_ = false;
    bool clickedExtraFlag = false;
    unsigned rebuilds = 0;
    uint8_t brighten[256 * 256];
    AaPen pen;
    Limage ownFlat;
    Limage ownSharp;
    const Limage* flatSign = nullptr;
    const Limage* sharpSign = nullptr;

    // Painting (selectorpaint.cpp).
    struct Colours;
    void paintTitleStrip(Canvas& c, const Colours& k);
    void paintSensor(Canvas& c, Sensor& s, const Colours& k);
    void paintGlyph(Canvas& c, const Sensor& s, TColor fill, const Colours& k);
    void paintCaption(Canvas& c, Sensor& s, TColor fill, const Colours& k);
    void paintMixerMark(Canvas& c, Sensor& s, TColor fill, const Colours& k);
    void paintSign(bool sharp, int left, int top);
    void composite();
    // The blended edge strips of the last composite: the target's pixels beneath them before it
    // (edgeUnder) and after it (edgeShown), at edgeX, edgeY on edgeTarget. Where the target still shows
    // that composite, the pixels beneath are put back before blending again, so an overlay painted
    // twice over the same background looks as one painted once.
    Limage edgeUnder;
    Limage edgeShown;
    const Limage* edgeTarget = nullptr;
    int edgeX = 0, edgeY = 0, edgeWidth = 0;
    // Visits the target pixels of both edge strips: f(target pixel, strip column 0..9, row).
    template <typename F> void forEachEdgePixel(F f);
};
