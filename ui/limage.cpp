#include "ui/limage.h"

#include <cstring>
#include <new>

Limage::Limage() {
    buildTables();
    reset();
}

Limage::Limage(const Limage& other) : Limage() {
    assign(other);
}

Limage& Limage::operator=(const Limage& other) {
    assign(other);
    return *this;
}

Limage::~Limage() {
    clear();
}

void Limage::reset() {
    keepsBitmap_ = false;
    rows_ = nullptr;
    bitmap_.reset();
    heap_.reset();
    heapRows_.reset();
    width_ = height_ = 0;
    lastX = -1;
    lastY = 0;
    previousX = -1;
    previousY = 0;
    centred = false;
    clipLeft_ = 0;
    clipRight_ = -1;
    clipTop_ = 0;
    clipBottom_ = -1;
}

void Limage::clear() {
    rows_ = nullptr;
    bitmap_.reset();
    heap_.reset();
    heapRows_.reset();
    width_ = height_ = 0;
    resetClip();
}

bool Limage::create(const Bitmap24* source, int width, int height, bool keepsBitmap) {
    clear();
    keepsBitmap_ = keepsBitmap;
    if (source != nullptr) {
        width = source->width();
        height = source->height();
    }
    if (width < 1 || height < 1 || width > Bitmap24::kMaxSide || height > Bitmap24::kMaxSide) {
        resetClip();
        return false;
    }
    if (keepsBitmap) {
        std::unique_ptr<Bitmap24> bmp(new (std::nothrow) Bitmap24);
        if (!bmp) Bitmap24::noteOutOfMemory();
        if (!bmp || !bmp->setSize(width, height) || bmp->isEmpty()) {
            resetClip();
            return false;
        }
        if (source != nullptr) bmp->canvas().draw(0, 0, *source);
        bmp->canvas().font.name = "Tahoma";
        bitmap_ = std::move(bmp);
        rows_ = bitmap_->rows();
    } else {
        const size_t rowBytes = static_cast<size_t>(width) * 3;
        const size_t bytes = rowBytes * static_cast<size_t>(height);
        std::unique_ptr<uint8_t[]> heap(Bitmap24::mayAllocate(bytes) ? new (std::nothrow) uint8_t[bytes]
                                                                     : nullptr);
        std::unique_ptr<uint8_t*[]> rows(new (std::nothrow) uint8_t*[static_cast<size_t>(height)]);
        if (!heap || !rows) {
            Bitmap24::noteOutOfMemory();
            resetClip();
            return false;
        }
        for (int y = 0; y < height; ++y) {
            rows[y] = heap.get() + rowBytes * static_cast<size_t>(y);
            if (source != nullptr)
                std::memcpy(rows[y], source->scanLine(y), rowBytes);
            else
                std::memset(rows[y], 0, rowBytes);
        }
        heap_ = std::move(heap);
        heapRows_ = std::move(rows);
        rows_ = heapRows_.get();
    }
    width_ = width;
    height_ = height;
    resetClip();
    return isValid();
}

bool Limage::setSize(int width, int height, bool keepsBitmap) {
    if (width < 1 || width > kMaxSetSize || height < 1 || height > kMaxSetSize) return false;
    return create(nullptr, width, height, keepsBitmap);
}

bool Limage::loadFromGraphic(const Bitmap24* graphic) {
    if (graphic == nullptr) return false;
    return create(graphic, 0, 0, true);
}

void Limage::assign(const Limage& other) {
    if (this == &other) return;
    if (!other.isValid()) {
        clear();
        keepsBitmap_ = other.keepsBitmap_;
    } else if (create(nullptr, other.width_, other.height_, other.keepsBitmap_)) {
        const size_t rowBytes = static_cast<size_t>(width_) * 3;
        for (int y = 0; y < height_; ++y) std::memcpy(rows_[y], other.rows_[y], rowBytes);
        if (bitmap_ && other.bitmap_) {
            Canvas& c = bitmap_->canvas();
            const Canvas& o = other.bitmap_->canvas();
            c.pen = o.pen;
            c.brush = o.brush;
            c.font = o.font;
        }
        clipLeft_ = other.clipLeft_;
        clipRight_ = other.clipRight_;
        clipTop_ = other.clipTop_;
        clipBottom_ = other.clipBottom_;
    }
    lastX = other.lastX;
    lastY = other.lastY;
    previousX = other.previousX;
    previousY = other.previousY;
    centred = other.centred;
}

TColor Limage::pixel(int x, int y) const {
    if (!isValid() || x < 0 || x >= width_ || y < 0 || y >= height_) return -1;
    const uint8_t* p = rows_[y] + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

// A requested range that misses the image leaves that axis empty rather than a one-pixel strip.
void Limage::setClip(int left, int top, int right, int bottom) {
    auto axis = [](int lo, int hi, int size, int& outLo, int& outHi) {
        if (size <= 0 || hi < 0 || lo > size - 1) {
            outLo = 0;
            outHi = -1;
            return;
        }
        outLo = lo < 0 ? 0 : (lo > size - 1 ? size - 1 : lo);
        outHi = hi < 0 ? 0 : (hi > size - 1 ? size - 1 : hi);
    };
    axis(left, right, width_, clipLeft_, clipRight_);
    axis(top, bottom, height_, clipTop_, clipBottom_);
}

void Limage::resetClip() {
    clipLeft_ = 0;
    clipRight_ = width_ - 1;
    clipTop_ = 0;
    clipBottom_ = height_ - 1;
}

void Limage::fill(TColor colour) {
    if (!isValid()) return;
    const uint8_t b = static_cast<uint8_t>(colourBlue(colour));
    const uint8_t g = static_cast<uint8_t>(colourGreen(colour));
    const uint8_t r = static_cast<uint8_t>(colourRed(colour));
    for (int y = 0; y < height_; ++y) {
        uint8_t* p = rows_[y];
        for (int x = 0; x < width_; ++x, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    }
}

void Limage::invert() {
    if (!isValid()) return;
    for (int y = 0; y < height_; ++y) {
        uint8_t* p = rows_[y];
        for (int i = 0; i < width_ * 3; ++i) p[i] = static_cast<uint8_t>(255 - p[i]);
    }
}

void Limage::tint(TColor colour) {
    if (!isValid()) return;
    const uint8_t* t = table(13);
    const uint8_t* tb = t + colourBlue(colour) * 256;
    const uint8_t* tg = t + colourGreen(colour) * 256;
    const uint8_t* tr = t + colourRed(colour) * 256;
    for (int y = 0; y < height_; ++y) {
        uint8_t* p = rows_[y];
        for (int x = 0; x < width_; ++x, p += 3) {
            p[0] = tb[p[0]];
            p[1] = tg[p[1]];
            p[2] = tr[p[2]];
        }
    }
}
