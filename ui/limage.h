#pragma once
// Limage: the program's 24-bit raster (rows of blue, green, red bytes). Images are combined by
// per-channel lookups in eighteen shared 256 x 256 blend tables, so that drawing needs no floating
// point. An image either keeps a bitmap (its rows are the bitmap's scan lines and its canvas can draw
// shapes and text on it) or holds plain rows.
#include <cstdint>
#include <memory>

#include "platform/qt/bitmap24.h"
#include "platform/qt/gditypes.h"

class Limage;

// The argument record of every blit: source, target, position, then the blit's own values.
struct BlitArgs {
    Limage* source = nullptr;
    Limage* target = nullptr;
    int x = 0;
    int y = 0;
    TColor transparent = -1; // -1: no pixel is transparent
    TColor tint = 0xFFFFFF;
    int table = 13; // blitTinted: the tint table; blitBlend, blitBlendEdges, blitTintedBlend: the blend table
    int tintTable = 13; // blitTintedBlend: the tint table
    int border = 0;     // blitBlendEdges: width of the blended bands
    // A caller's own 256 x 256 table (entry [a][b] at a x 256 + b), used instead of the shared table
    // numbered `table` (tableData) or `tintTable` (tintTableData) when set.
    const uint8_t* tableData = nullptr;
    const uint8_t* tintTableData = nullptr;
};

// Where a blit lands: source columns srcCol .. srcCol + count - 1 go to target columns x ..;
// source rows firstRow .. endRow - 1 go to target rows y + row.
struct BlitWindow {
    int srcCol = 0;
    int count = 0;
    int x = 0;
    int firstRow = 0;
    int endRow = 0;
    int y = 0;
};

class Limage {
  public:
    static constexpr int kTableCount = 18;
    static constexpr int kTableSize = 256 * 256;
    static constexpr int kMaxSetSize = 10000;

    // Placement of the last two blits of this image (after centring).
    int lastX = -1;
    int lastY = 0;
    int previousX = -1;
    int previousY = 0;
    // When set, every blit of this image places its centre at the given point.
    bool centred = false;

    Limage();
    Limage(const Limage& other);
    Limage& operator=(const Limage& other);
    ~Limage();

    // The shared tables (built by the first constructor). Entry [a][b] of table k: a is the source
    // channel (or a tint channel), b the destination channel.
    static void buildTables();
    static const uint8_t* table(int k);        // null for k outside 0..17
    static uint8_t blend(int k, int a, int b); // 0 for a table or index out of range
    static const uint8_t* oddTable();

    // (Re)creates the image, from source (its size and pixels) or black at width x height.
    // False, with an empty image, when a side is below 1 or the memory cannot be had.
    bool create(const Bitmap24* source, int width, int height, bool keepsBitmap);
    // False, leaving the image unchanged, for a side outside 1..10000.
    bool setSize(int width, int height, bool keepsBitmap);
    bool loadFromGraphic(const Bitmap24* graphic);
    void clear();
    void release() { clear(); }
    bool isValid() const { return rows_ != nullptr; }

    // Deep copy with the same mode; copying an image onto itself does nothing.
    void assign(const Limage& other);
    void copyFrom(const Limage& other) { assign(other); }

    bool keepsBitmap() const { return keepsBitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    uint8_t* row(int y) { return y >= 0 && y < height_ ? rows_[y] : nullptr; }
    const uint8_t* row(int y) const { return y >= 0 && y < height_ ? rows_[y] : nullptr; }
    uint8_t* const* rows() { return rows_; }
    Bitmap24* bitmap() { return bitmap_.get(); }
    const Bitmap24* bitmap() const { return bitmap_.get(); }
    Canvas* canvas() { return bitmap_ ? &bitmap_->canvas() : nullptr; }
    // The pixel at (x, y), or -1 outside the image.
    TColor pixel(int x, int y) const;

    // The clip window for blits into this image (inclusive bounds). Empty until the image is created.
    void setClip(int left, int top, int right, int bottom);
    void resetClip();
    void resetClipAll() { resetClip(); }
    int clipLeft() const { return clipLeft_; }
    int clipRight() const { return clipRight_; }
    int clipTop() const { return clipTop_; }
    int clipBottom() const { return clipBottom_; }

    Limage* setCentred() {
        centred = true;
        return this;
    }
    void fill(TColor colour);
    void invert();
    void tint(TColor colour);

    // Placement and clipping shared by every blit; false when nothing is drawn. Records the position.
    static bool clipBlit(const BlitArgs& args, BlitWindow& window);
    static void blitTransparent(const BlitArgs& args);
    static void blitTinted(const BlitArgs& args);
    static void blitBlend(const BlitArgs& args);
    static void blitBlendEdges(const BlitArgs& args);
    static void blitTintedBlend(const BlitArgs& args);

  private:
    bool keepsBitmap_ = false;
    int clipLeft_ = 0;
    int clipRight_ = -1;
    int clipTop_ = 0;
    int clipBottom_ = -1;
    uint8_t* const* rows_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<Bitmap24> bitmap_;
    std::unique_ptr<uint8_t[]> heap_;      // plain rows, one block
    std::unique_ptr<uint8_t*[]> heapRows_; // row pointers into heap_

    void reset();
};
