#pragma once
// A drawing canvas over 24-bit pixel rows (bytes blue, green, red) with the drawing rules the
// program's painters were written for:
// - a line excludes its end point; the pen position moves to it;
// - filled and framed rectangles cover Left..Right-1 and Top..Bottom-1;
// - ellipses and polygons are outlined with the pen and filled with the brush;
// - text is placed by the top left corner of its cell, with a transparent background;
// - one clip rectangle (Right and Bottom exclusive) limits every operation, reads of pixels,
//   image draws and text included.
// Shapes are rasterised here; only text goes through QPainter, on a QImage that views the pixel rows
// for the length of one call.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/qt/font.h"
#include "platform/qt/gditypes.h"

class Bitmap24;

struct Pen {
    TColor color = 0;
    bool clear = false; // a clear pen draws no lines and no outlines
};

struct Brush {
    TColor color = 0xFFFFFF;
    bool clear = false; // a clear brush fills nothing
};

class Canvas {
  public:
    Pen pen;
    Brush brush;
    Font font;

    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Aims the canvas at pixel rows. base and stride describe the same rows as one block when they
    // are laid out that way (text needs it); base may be null for rows that are not.
    void attach(uint8_t* const* rows, int width, int height, uint8_t* base, int stride);
    void detach() { attach(nullptr, 0, 0, nullptr, 0); }
    int width() const { return width_; }
    int height() const { return height_; }
    bool isAttached() const { return rows_ != nullptr && width_ > 0 && height_ > 0; }

    // Called with the (exclusive) rectangle each drawing operation may have changed.
    void setChangeListener(std::function<void(const TRect&)> listener) { listener_ = std::move(listener); }

    // Clipping. The rectangle is exclusive at the right and bottom.
    void setClipRect(const TRect& r);
    void clearClip() { clipOn_ = false; }
    bool hasClip() const { return clipOn_; }
    TRect clipRect() const { return clip_; }

    // Lines.
    void moveTo(int x, int y) { penPos = {x, y}; }
    void lineTo(int x, int y);
    TPoint penPos;

    // Shapes.
    void rectangle(int left, int top, int right, int bottom);
    void rectangle(const TRect& r) { rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void fillRect(const TRect& r);
    void frameRect(const TRect& r);
    void ellipse(int left, int top, int right, int bottom);
    void polygon(const TPoint* points, int count);
    template <int N> void polygon(const TPoint (&points)[N]) { polygon(points, N); }

    // Pixels. A read outside the image or the clip rectangle gives -1.
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor colour);

    // Images.
    void draw(int x, int y, const Bitmap24& image);

    // Text (needs a Qt GUI application; without one nothing is drawn and sizes are 0).
    void textOut(int x, int y, const std::string& text);
    int textWidth(const std::string& text) const;
    int textHeight(const std::string& text) const;

  private:
    uint8_t* const* rows_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    uint8_t* base_ = nullptr;
    int stride_ = 0;
    bool clipOn_ = false;
    TRect clip_;
    std::function<void(const TRect&)> listener_;

    TRect drawable() const;
    void changed(const TRect& r) const;
    void plot(int x, int y, TColor colour, const TRect& lim);
    void span(int x0, int x1, int y, TColor colour, const TRect& lim); // x0..x1-1
    void fillBox(int left, int top, int right, int bottom, TColor colour);
    void segment(int x0, int y0, int x1, int y1, TColor colour, const TRect& lim);
};
