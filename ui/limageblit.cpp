// Placement, clipping and the blits of Limage.
#include "ui/limage.h"

namespace {

using i64 = long long;

int toInt(i64 v) {
    return v < INT32_MIN ? INT32_MIN : (v > INT32_MAX ? INT32_MAX : static_cast<int>(v));
}

bool isTransparent(const uint8_t* p, TColor transparent) {
    return transparent != -1 && p[0] == colourBlue(transparent) && p[1] == colourGreen(transparent) &&
           p[2] == colourRed(transparent);
}

// The table a blit uses: the caller's own, else the shared one of that number (null when out of range).
const uint8_t* chosenTable(const uint8_t* own, int number) {
    return own != nullptr ? own : Limage::table(number);
}

} // namespace

bool Limage::clipBlit(const BlitArgs& args, BlitWindow& window) {
    Limage* s = args.source;
    Limage* t = args.target;
    if (s == nullptr || t == nullptr || !s->isValid() || !t->isValid() || s->width_ <= 0 || s->height_ <= 0 ||
        t->width_ <= 0 || t->height_ <= 0)
        return false;
    if (t->clipRight_ < t->clipLeft_ || t->clipBottom_ < t->clipTop_) return false;
    i64 x = args.x;
    i64 y = args.y;
    if (s->centred) {
        x -= s->width_ / 2;
        y -= s->height_ / 2;
    }
    s->previousX = s->lastX;
    s->previousY = s->lastY;
    s->lastX = toInt(x);
    s->lastY = toInt(y);

    if (x > t->clipRight_ || x + s->width_ - 1 < t->clipLeft_) return false;
    i64 visible = s->width_;
    if (x + s->width_ - 1 > t->clipRight_) visible = t->clipRight_ - x + 1;
    i64 first = 0;
    if (x < t->clipLeft_) {
        first = t->clipLeft_ - x;
        x = t->clipLeft_;
    }
    if (y > t->clipBottom_ || y + s->height_ - 1 < t->clipTop_) return false;
    i64 firstRow = t->clipTop_ - y;
    if (firstRow < 0) firstRow = 0;
    i64 endRow = s->height_;
    if (endRow > t->clipBottom_ - y + 1) endRow = t->clipBottom_ - y + 1;

    window.srcCol = toInt(first);
    window.count = toInt(visible - first);
    window.x = toInt(x);
    window.firstRow = toInt(firstRow);
    window.endRow = toInt(endRow);
    window.y = toInt(y);
    return window.count > 0 && window.endRow > window.firstRow;
}

void Limage::blitTransparent(const BlitArgs& args) {
    BlitWindow w;
    if (!clipBlit(args, w)) return;
    for (int r = w.firstRow; r < w.endRow; ++r) {
        const uint8_t* s = args.source->rows_[r] + 3 * w.srcCol;
        uint8_t* d = args.target->rows_[w.y + r] + 3 * w.x;
        for (int i = 0; i < w.count; ++i, s += 3, d += 3) {
            if (isTransparent(s, args.transparent)) continue;
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

void Limage::blitTinted(const BlitArgs& args) {
    const uint8_t* t = chosenTable(args.tableData, args.table);
    if (t == nullptr) return;
    BlitWindow w;
    if (!clipBlit(args, w)) return;
    const uint8_t* tb = t + colourBlue(args.tint) * 256;
    const uint8_t* tg = t + colourGreen(args.tint) * 256;
    const uint8_t* tr = t + colourRed(args.tint) * 256;
    for (int r = w.firstRow; r < w.endRow; ++r) {
        const uint8_t* s = args.source->rows_[r] + 3 * w.srcCol;
        uint8_t* d = args.target->rows_[w.y + r] + 3 * w.x;
        for (int i = 0; i < w.count; ++i, s += 3, d += 3) {
            if (isTransparent(s, args.transparent)) continue;
            d[0] = tb[s[0]];
            d[1] = tg[s[1]];
            d[2] = tr[s[2]];
        }
    }
}

void Limage::blitBlend(const BlitArgs& args) {
    const uint8_t* t = chosenTable(args.tableData, args.table);
    if (t == nullptr) return;
    BlitWindow w;
    if (!clipBlit(args, w)) return;
    for (int r = w.firstRow; r < w.endRow; ++r) {
        const uint8_t* s = args.source->rows_[r] + 3 * w.srcCol;
        uint8_t* d = args.target->rows_[w.y + r] + 3 * w.x;
        for (int i = 0; i < w.count * 3; ++i) d[i] = t[s[i] * 256 + d[i]];
    }
}

// Blends a band of `border` pixels along the edges and copies the middle.
void Limage::blitBlendEdges(const BlitArgs& args) {
    const uint8_t* t = chosenTable(args.tableData, args.table);
    if (t == nullptr) return;
    BlitWindow w;
    if (!clipBlit(args, w)) return;
    const int n = args.border;
    for (int r = w.firstRow; r < w.endRow; ++r) {
        const uint8_t* s = args.source->rows_[r] + 3 * w.srcCol;
        uint8_t* d = args.target->rows_[w.y + r] + 3 * w.x;
        const bool middleRow = static_cast<i64>(w.firstRow) + n <= r && r <= static_cast<i64>(w.endRow) - n;
        for (int i = 0; i < w.count; ++i, s += 3, d += 3) {
            if (middleRow && n <= i && i <= static_cast<i64>(w.count) - n) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            } else {
                d[0] = t[s[0] * 256 + d[0]];
                d[1] = t[s[1] * 256 + d[1]];
                d[2] = t[s[2] * 256 + d[2]];
            }
        }
    }
}

void Limage::blitTintedBlend(const BlitArgs& args) {
    const uint8_t* bt = chosenTable(args.tableData, args.table);
    const uint8_t* tt = chosenTable(args.tintTableData, args.tintTable);
    if (bt == nullptr || tt == nullptr) return;
    BlitWindow w;
    if (!clipBlit(args, w)) return;
    const uint8_t* tb = tt + colourBlue(args.tint) * 256;
    const uint8_t* tg = tt + colourGreen(args.tint) * 256;
    const uint8_t* tr = tt + colourRed(args.tint) * 256;
    for (int r = w.firstRow; r < w.endRow; ++r) {
        const uint8_t* s = args.source->rows_[r] + 3 * w.srcCol;
        uint8_t* d = args.target->rows_[w.y + r] + 3 * w.x;
        for (int i = 0; i < w.count; ++i, s += 3, d += 3) {
            d[0] = bt[tb[s[0]] * 256 + d[0]];
            d[1] = bt[tg[s[1]] * 256 + d[1]];
            d[2] = bt[tr[s[2]] * 256 + d[2]];
        }
    }
}
