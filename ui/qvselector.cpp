// The selector overlay: its lists, opening and closing, hit tests, clicks with the momentary flash,
// and the compositing onto the target image.
#include "ui/qvselector.h"

#include <algorithm>

#include "foundation/strutil.h"
#include "ui/geometry.h"
#include "ui/modalloop.h"

namespace {

constexpr int kFlashMs = 100;
constexpr int kEdgeBand = 5; // the overlay's left and right strips that hold the rounded corners

// blitBlendEdges with a table of the caller's own instead of a shared one: a band of `border`
// pixels along the edges goes through the table, the middle is copied.
void blitBlendEdgesWith(const BlitArgs& args, const uint8_t* table) {
    BlitWindow w;
    if (table == nullptr || !Limage::clipBlit(args, w)) return;
    const long long n = args.border;
    for (int r = w.firstRow; r < w.endRow; ++r) {
        const uint8_t* s = args.source->row(r) + 3 * w.srcCol;
        uint8_t* d = args.target->row(w.y + r) + 3 * w.x;
        const bool middleRow = w.firstRow + n <= r && r <= w.endRow - n;
        for (int i = 0; i < w.count; ++i, s += 3, d += 3) {
            if (middleRow && n <= i && i <= w.count - n) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            } else {
                d[0] = table[s[0] * 256 + d[0]];
                d[1] = table[s[1] * 256 + d[1]];
                d[2] = table[s[2] * 256 + d[2]];
            }
        }
    }
}

bool hits(const Sensor& s, int rx, int ry) {
    return static_cast<long long>(s.rect.Left) - 1 <= rx && rx <= s.rect.Right &&
           static_cast<long long>(s.rect.Top) - 1 <= ry && ry <= s.rect.Bottom;
}

} // namespace

uint8_t QvSelector::brightenValue(int overlay, int background) {
    double v = overlay > 144 ? overlay : overlay + (1.0 - overlay / 144.0) * background;
    int k = truncToInt(v);
    return static_cast<uint8_t>(k < 0 ? 0 : (k > 255 ? 255 : k));
}

QvSelector::QvSelector(int* kindVariable) : kind_(kindVariable != nullptr ? kindVariable : &ownKind) {
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; ++j) brighten[i * 256 + j] = brightenValue(i, j);
    makeSignImage(ownFlat, false);
    makeSignImage(ownSharp, true);
    flatSign = &ownFlat;
    sharpSign = &ownSharp;
}

void QvSelector::setSignImages(const Limage* flat, const Limage* sharp) {
    flatSign = flat != nullptr && flat->isValid() ? flat : &ownFlat;
    sharpSign = sharp != nullptr && sharp->isValid() ? sharp : &ownSharp;
}

void QvSelector::open(Limage* targetImage, Canvas* windowCanvas, int left, int top, int width, int height) {
    target = targetImage;
    canvas = windowCanvas;
    x = left;
    y = top;
    if (target == nullptr || !setSize(width, height, true)) Limage::clear();
    clear();
    open_ = true;
}

void QvSelector::clear() {
    sensors.clear();
    labels.clear();
    lines.clear();
    ++rebuilds;
}

void QvSelector::addSensor(const TRect& rect, const std::string& text, bool checked, int id, int group,
                           bool flashes) {
    Sensor s;
    s.rect = rect;
    s.text = text;
    s.checked = checked;
    s.id = id;
    s.group = group;
    s.flashes = flashes;
    sensors.add(s);
}

void QvSelector::setLastExtra(int value) {
    if (sensors.empty()) return;
    sensors.at(sensors.count() - 1).extra = value;
}

void QvSelector::addLabel(int left, int top, const std::string& text, bool bright) {
    labels.add(SelectorLabel{left, top, text, bright});
}

void QvSelector::addLine(int x1, int y1, int x2, int y2, int hook, bool bright) {
    lines.add(SelectorLine{x1, y1, x2, y2, hook, bright});
}

int QvSelector::sensorAt(int px, int py) const {
    if (!open_) return -1;
    const long long rx = static_cast<long long>(px) - x;
    const long long ry = static_cast<long long>(py) - y;
    if (rx < INT32_MIN || rx > INT32_MAX || ry < INT32_MIN || ry > INT32_MAX) return -1;
    for (int i = 0; i < sensors.count(); ++i)
        if (hits(sensors.at(i), static_cast<int>(rx), static_cast<int>(ry))) return i;
    return -1;
}

bool QvSelector::inExtraArea(int index, int px, int py) const {
    if (index < 0 || index >= sensors.count()) return false;
    const Sensor& s = sensors.at(index);
    const long long rx = static_cast<long long>(px) - x;
    const long long ry = static_cast<long long>(py) - y;
    return s.extra != -1 && s.extraRect.Left <= rx && rx <= s.extraRect.Right && s.extraRect.Top <= ry &&
           ry <= s.extraRect.Bottom;
}

int QvSelector::click(int px, int py) {
    clickedExtraFlag = false;
    const int index = sensorAt(px, py);
    if (index < 0) return -1;
    for (int i = 0; i <= index; ++i)
        if (inExtraArea(i, px, py)) clickedExtraFlag = true;
    Sensor& hit = sensors.at(index);
    const int id = hit.id;
    const int group = hit.group;
    if (group >= 0) {
        for (Sensor& s : sensors)
            if (s.group == group) s.checked = false;
        hit.checked = true;
    } else if (group == kSensorToggle) {
        hit.checked = !hit.checked;
    } else if (group == kSensorMomentary && hit.flashes) {
        // The wait runs the idle tick and may pump events, which can rebuild or close the overlay and
        // free this sensor: remember where it was and what the overlay was, not the sensor itself.
        const unsigned stamp = rebuilds;
        const int kindBefore = kind();
        hit.checked = true;
        paint(true);
        waitMs(kFlashMs, true);
        if (!open_ || kind() != kindBefore) return -1;
        if (rebuilds == stamp && index < sensors.count()) {
            sensors.at(index).checked = false;
            paint(true);
        }
    }
    return id;
}

TRect QvSelector::sensorRect(int id) const {
    const int i = sensorIndex(id);
    return i < 0 ? TRect{0, 0, 0, 0} : sensors.at(i).rect;
}

int QvSelector::sensorIndex(int id) const {
    for (int i = 0; i < sensors.count(); ++i)
        if (sensors.at(i).id == id) return i;
    return -1;
}

TRect QvSelector::bounds() const {
    return {x, y, x + width(), y + height()};
}

bool QvSelector::contains(int px, int py) const {
    if (!open_) return false;
    const TRect b = bounds();
    return b.Left <= px && px < b.Right && b.Top <= py && py < b.Bottom;
}

void QvSelector::close() {
    open_ = false;
    setKind(kSelectorNone);
}

template <typename F> void QvSelector::forEachEdgePixel(F f) {
    const int w = width();
    for (int r = 0; r < height(); ++r) {
        uint8_t* line = target->row(y + r);
        if (line == nullptr) continue;
        for (int i = 0; i < 2 * kEdgeBand; ++i) {
            const long long tx = static_cast<long long>(x) + (i < kEdgeBand ? i : w - 2 * kEdgeBand + i);
            if (tx >= 0 && tx < target->width()) f(line + 3 * tx, i, r);
        }
    }
}

void QvSelector::composite() {
    const int w = width();
    const int h = height();
    // The strips are blended over what lies beneath: beneath an earlier composite at the same place
    // lies what that one saw.
    bool kept = edgeUnder.height() == h && edgeShown.height() == h;
    if (!kept)
        kept = edgeUnder.setSize(2 * kEdgeBand, h, false) && edgeShown.setSize(2 * kEdgeBand, h, false);
    const bool again = kept && edgeTarget == target && edgeX == x && edgeY == y && edgeWidth == w;
    if (w < 2 * kEdgeBand || !kept) {
        edgeTarget = nullptr;
    } else {
        forEachEdgePixel([&](uint8_t* d, int i, int r) {
            const uint8_t* shown = edgeShown.row(r) + 3 * i;
            uint8_t* under = edgeUnder.row(r) + 3 * i;
            if (again && d[0] == shown[0] && d[1] == shown[1] && d[2] == shown[2])
                std::copy(under, under + 3, d);
            std::copy(d, d + 3, under);
        });
        edgeTarget = target;
        edgeX = x;
        edgeY = y;
        edgeWidth = w;
    }
    BlitArgs args;
    args.source = this;
    args.target = target;
    args.x = x;
    args.y = y;
    args.border = kEdgeBand;
    // Limits the blit to target columns left..right of the overlay's rows; false when they miss the
    // target (its clip would otherwise be clamped onto an edge column).
    auto clipTo = [&](long long left, long long right) {
        const long long top = y, bottom = static_cast<long long>(y) + h - 1;
        if (right < left || right < 0 || left > target->width() - 1 || bottom < 0 ||
            top > target->height() - 1)
            return false;
        auto inX = [&](long long v) {
            return static_cast<int>(v < 0 ? 0 : (v > target->width() - 1 ? target->width() - 1 : v));
        };
        auto inY = [&](long long v) {
            return static_cast<int>(v < 0 ? 0 : (v > target->height() - 1 ? target->height() - 1 : v));
        };
        target->setClip(inX(left), inY(top), inX(right), inY(bottom));
        return true;
    };
    const long long left = x;
    // The left and right strips hold the rounded corners: black there lets the page show through.
    if (clipTo(left, left + kEdgeBand - 1)) blitBlendEdgesWith(args, brighten);
    if (clipTo(left + w - kEdgeBand, left + w - 1)) blitBlendEdgesWith(args, brighten);
    if (w > 2 * kEdgeBand && clipTo(left + kEdgeBand, left + w - kEdgeBand - 1)) {
        args.transparent = -1;
        Limage::blitTransparent(args);
    }
    target->resetClip();
    if (edgeTarget == target)
        forEachEdgePixel([&](uint8_t* d, int i, int r) { std::copy(d, d + 3, edgeShown.row(r) + 3 * i); });
}
