#pragma once
// A 24-bit image: rows of blue, green, red bytes in one block (each row padded to 4 bytes), with
// row pointers that stay put until the size changes, and a canvas that draws on it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/qt/canvas.h"

class Bitmap24 {
  public:
    static constexpr int kMaxSide = 32767;

    Bitmap24() { canvas_.detach(); }
    Bitmap24(const Bitmap24& other);
    Bitmap24& operator=(const Bitmap24& other);
    ~Bitmap24() = default;

    // New contents are black. A side below 0 or above kMaxSide, or memory that cannot be had, gives
    // false and leaves the bitmap empty; a side of 0 makes an empty bitmap.
    bool setSize(int width, int height);
    void clear() { setSize(0, 0); }

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }
    int stride() const { return stride_; }

    // Row y, or null outside the image.
    uint8_t* scanLine(int y) { return y >= 0 && y < height_ ? rows_[y] : nullptr; }
    const uint8_t* scanLine(int y) const { return y >= 0 && y < height_ ? rows_[y] : nullptr; }
    uint8_t* const* rows() { return rows_.get(); }
    uint8_t* bits() { return data_.get(); }
    const uint8_t* bits() const { return data_.get(); }

    // The canvas keeps its pen, brush, font and clip across size changes.
    Canvas& canvas() { return canvas_; }

    // Memory for an image that cannot be had: the image stays empty, and the program hears of it
    // through the handler it installs (its main loop reports the command as failed). Without a
    // handler the failure is written to the error output. Returns the previous handler.
    static std::function<void()> setOutOfMemoryHandler(std::function<void()> handler);
    static void noteOutOfMemory();
    // Whether an image of this many bytes may be allocated: tests set a limit above which every
    // allocation fails as if memory had run out (0: no limit).
    static bool mayAllocate(std::size_t bytes);
    static void setAllocationLimit(std::size_t bytes);

  private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::unique_ptr<uint8_t[]> data_;
    std::unique_ptr<uint8_t*[]> rows_;
    Canvas canvas_;
};
