// The blend tables shared by every Limage, computed once.
#include <cmath>

#include "foundation/strutil.h"
#include "ui/limage.h"

namespace {

uint8_t gTables[Limage::kTableCount * Limage::kTableSize];
uint8_t gOdd[256];
bool gBuilt = false;

// 1/255 as the single-precision constant the tables were designed with.
const double kInv255 = static_cast<double>(0.0039215689f);

double rawValue(int k, int ia, int ib) {
    const double a = ia;
    const double b = ib;
    const double c = kInv255;
    switch (k) {
    case 0:
        return a;
    case 1:
        return a + b;
    case 2:
        return a + b - 128.0;
    case 3:
        return a + b * (1.0 - a * c);
    case 4: {
        const double m = 1.0 - a * c;
        return a + b * m * m;
    }
    case 5: {
        const double m = 1.0 - a * c;
        return a + b * m * m * m;
    }
    case 6:
        return ia > 24 ? a : a + b * (1.0 - a / 24.0);
    case 7:
        return b - a;
    case 8:
        return a + 0.333 * b * (1.0 - a * c);
    case 9:
        return ia != 0 ? a : 64.0 * std::sqrt(b * c);
    case 10:
        return ia != 0 ? a : 34.0 * std::sqrt(b * c);
    case 11:
        return ia > ib ? a : b;
    case 12:
        return a * (1.0 + b * c);
    case 13:
        return a * c * b;
    case 14:
        return a * std::sqrt(b * c);
    case 15: {
        const double bc = b * c;
        const float p = static_cast<float>(bc * bc * bc);
        return b * c * (a * (1.0 - p) + 255.0 * p);
    }
    case 16:
    case 17: {
        const double m = k == 16 ? 1.5 : 2.0;
        const double extra = k == 16 ? 2500.0 : 5000.0;
        double v = m * a * b;
        if (ib > 216) v += extra * b - extra * 216.0;
        v = v * c;
        if (ia < 128) v = v * (a * c * 2.0);
        return v > 255.0 ? 255.0 : v;
    }
    default:
        return 0.0;
    }
}

// Clamps to 0..255, then nudges the parity: tables 13 to 17 keep the parity of b; tables 0 to 12
// give an odd result when a or b is odd and an even one when both are even.
int parityRule(int k, int v, int a, int b) {
    v = v < 0 ? 0 : (v > 255 ? 255 : v);
    const bool odd = (v & 1) != 0;
    if (k >= 13) {
        if ((b & 1) && !odd) v += 1;
        if (!(b & 1) && odd) v -= 1;
    } else {
        if (((a | b) & 1) && !odd) v += 1;
        if (!((a | b) & 1) && odd) v -= 1;
    }
    return v;
}

} // namespace

void Limage::buildTables() {
    if (gBuilt) return;
    for (int v = 0; v < 256; ++v) gOdd[v] = static_cast<uint8_t>(v & 1);
    for (int k = 0; k < kTableCount; ++k) {
        uint8_t* t = gTables + k * kTableSize;
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                t[a * 256 + b] = static_cast<uint8_t>(parityRule(k, truncToInt(rawValue(k, a, b)), a, b));
    }
    gBuilt = true;
}

const uint8_t* Limage::table(int k) {
    if (k < 0 || k >= kTableCount) return nullptr;
    buildTables();
    return gTables + k * kTableSize;
}

const uint8_t* Limage::oddTable() {
    buildTables();
    return gOdd;
}

uint8_t Limage::blend(int k, int a, int b) {
    const uint8_t* t = table(k);
    if (t == nullptr || a < 0 || a > 255 || b < 0 || b > 255) return 0;
    return t[a * 256 + b];
}
