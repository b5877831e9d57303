#include "platform/qt/bitmap24.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

std::function<void()>& outOfMemoryHandler() {
    static std::function<void()> handler;
    return handler;
}

std::size_t allocationLimit = 0;

} // namespace

std::function<void()> Bitmap24::setOutOfMemoryHandler(std::function<void()> handler) {
    std::function<void()> previous = std::move(outOfMemoryHandler());
    outOfMemoryHandler() = std::move(handler);
    return previous;
}

void Bitmap24::noteOutOfMemory() {
    if (outOfMemoryHandler())
        outOfMemoryHandler()();
    else
        std::fputs("QuoVelanta: not enough memory for an image\n", stderr);
}

bool Bitmap24::mayAllocate(std::size_t bytes) {
    return allocationLimit == 0 || bytes <= allocationLimit;
}

void Bitmap24::setAllocationLimit(std::size_t bytes) {
    allocationLimit = bytes;
}

bool Bitmap24::setSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) {
        setSize(0, 0);
        return false;
    }
    canvas_.detach();
    data_.reset();
    rows_.reset();
    width_ = height_ = stride_ = 0;
    if (width == 0 || height == 0) return true;
    const int stride = (width * 3 + 3) & ~3;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
    if (!mayAllocate(bytes)) {
        noteOutOfMemory();
        return false;
    }
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[bytes]);
    std::unique_ptr<uint8_t*[]> rows(new (std::nothrow) uint8_t*[static_cast<size_t>(height)]);
    if (!data || !rows) {
        noteOutOfMemory();
        return false;
    }
    std::memset(data.get(), 0, bytes);
    for (int y = 0; y < height; ++y) rows[y] = data.get() + static_cast<size_t>(stride) * y;
    data_ = std::move(data);
    rows_ = std::move(rows);
    width_ = width;
    height_ = height;
    stride_ = stride;
    canvas_.attach(rows_.get(), width_, height_, data_.get(), stride_);
    return true;
}

Bitmap24::Bitmap24(const Bitmap24& other) {
    *this = other;
}

Bitmap24& Bitmap24::operator=(const Bitmap24& other) {
    if (this == &other) return *this;
    canvas_.pen = other.canvas_.pen;
    canvas_.brush = other.canvas_.brush;
    canvas_.font = other.canvas_.font;
    canvas_.penPos = other.canvas_.penPos;
    if (other.canvas_.hasClip())
        canvas_.setClipRect(other.canvas_.clipRect());
    else
        canvas_.clearClip();
    if (!setSize(other.width_, other.height_) || isEmpty()) return *this;
    std::memcpy(data_.get(), other.data_.get(), static_cast<size_t>(stride_) * static_cast<size_t>(height_));
    return *this;
}
