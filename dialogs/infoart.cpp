// The information pages' pictures, drawn in code: shapes are sampled 4 x 4 times per pixel for
// smooth edges; the loop frames are drawn with the canvas (shapes and text) like the main window.
#include "dialogs/infoart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/qt/canvas.h"

namespace infoart {
namespace {

constexpr double kPi = 3.14159265358979323846;

void putPixel(Limage& image, int x, int y, TColor c) {
    uint8_t* row = image.row(y);
    if (row == nullptr || x < 0 || x >= image.width()) return;
    row[3 * x] = static_cast<uint8_t>(colourBlue(c));
    row[3 * x + 1] = static_cast<uint8_t>(colourGreen(c));
    row[3 * x + 2] = static_cast<uint8_t>(colourRed(c));
}

int channelMix(int a, int b, double w) {
    return std::clamp(static_cast<int>(std::lround(a + (b - a) * w)), 0, 255);
}

TColor mix(TColor a, TColor b, double w) {
    w = std::clamp(w, 0.0, 1.0);
    return RGB(channelMix(colourRed(a), colourRed(b), w), channelMix(colourGreen(a), colourGreen(b), w),
               channelMix(colourBlue(a), colourBlue(b), w));
}

// The share of the pixel (x, y) that lies inside the shape, from 4 x 4 samples.
double coverage(int x, int y, const std::function<bool(double, double)>& inside) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) hits += inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0);
    return hits / 16.0;
}

// ---- The loudspeaker --------------------------------------------------------------------------------

bool inSpeaker(double x, double y) {
    // The magnet box and the cone.
    if (x >= 5 && x <= 15 && y >= 20 && y <= 36) return true;
    if (x >= 15 && x <= 28) {
        const double t = (x - 15) / 13.0; // 0 at the box, 1 at the cone's mouth
        const double half = 8 + t * 12;
        if (std::fabs(y - 28) <= half) return true;
    }
    // Three sound waves, arcs round the cone's mouth, each 3 pixels thick.
    const double dx = x - 27, dy = y - 28;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double angle = std::atan2(dy, dx) * 180.0 / kPi;
    if (dx <= 0 || std::fabs(angle) > 42) return false;
    for (double radius : {8.5, 16.0, 23.5})
        if (std::fabs(r - radius) <= 1.6) return true;
    return false;
}

Limage makeSoundTestPicture() {
    Limage image;
    image.setSize(56, 56, false);
    image.fill(0);
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 56; ++x) {
            const int v = static_cast<int>(std::lround(255 * coverage(x, y, inSpeaker)));
            putPixel(image, x, y, RGB(v, v, v));
        }
    return image;
}

// ---- The earth ----------------------------------------------------------------------------------------

double hash3(int x, int y, int z) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(z) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double smooth(double t) {
    return t * t * (3 - 2 * t);
}

double valueNoise(double x, double y, double z) {
    const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y)),
              zi = static_cast<int>(std::floor(z));
    const double fx = smooth(x - xi), fy = smooth(y - yi), fz = smooth(z - zi);
    double c[2][2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k) c[i][j][k] = hash3(xi + i, yi + j, zi + k);
    auto lerp = [](double a, double b, double t) { return a + (b - a) * t; };
    const double x00 = lerp(c[0][0][0], c[1][0][0], fx), x10 = lerp(c[0][1][0], c[1][1][0], fx);
    const double x01 = lerp(c[0][0][1], c[1][0][1], fx), x11 = lerp(c[0][1][1], c[1][1][1], fx);
    return lerp(lerp(x00, x10, fy), lerp(x01, x11, fy), fz);
}

double landNoise(double x, double y, double z) {
    double sum = 0, amplitude = 0.5, frequency = 1.7;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoise(x * frequency + 11.3, y * frequency + 4.1, z * frequency + 7.9);
        amplitude *= 0.5;
        frequency *= 2.1;
    }
    return sum; // about 0..0.94
}

// The colour of the globe at a point of its visible half (nx, ny, nz: the unit normal, z to the viewer).
TColor globeColour(double nx, double ny, double nz) {
    // Turn the globe a little so that the land masses do not sit symmetrically.
    const double a = 0.6;
    const double gx = nx * std::cos(a) + nz * std::sin(a), gz = -nx * std::sin(a) + nz * std::cos(a);
    const double tilt = 0.35;
    const double gy = ny * std::cos(tilt) - gz * std::sin(tilt),
                 gz2 = ny * std::sin(tilt) + gz * std::cos(tilt);
    const double n = landNoise(gx, gy, gz2);
    TColor surface;
    if (n > 0.47) {
        const double height = std::clamp((n - 0.47) / 0.2, 0.0, 1.0);
        surface = mix(RGB(58, 150, 62), RGB(168, 142, 84), height);
    } else {
        const double depth = std::clamp((0.47 - n) / 0.25, 0.0, 1.0);
        surface = mix(RGB(56, 132, 214), RGB(22, 66, 150), depth);
    }
    // Ice towards the poles, its edge broken up by the same noise.
    const double polar = std::fabs(gy) + (n - 0.45) * 0.25;
    if (polar > 0.95) surface = mix(surface, RGB(236, 242, 248), std::clamp((polar - 0.95) / 0.03, 0.0, 1.0));
    // Light from the upper left, a soft ambient share and a bright rim of air.
    const double lx = -0.5, ly = -0.55, lz = 0.67;
    const double light = std::max(0.0, nx * lx + ny * ly + nz * lz);
    TColor lit = mix(RGB(0, 0, 0), surface, 0.25 + 0.85 * light);
    const double rim = std::pow(1.0 - nz, 3.0);
    lit = mix(lit, RGB(150, 200, 255), 0.55 * rim);
    const double highlight = std::pow(light, 40.0);
    return mix(lit, RGB(255, 255, 255), 0.35 * highlight);
}

// ---- The loop frames --------------------------------------------------------------------------------

const char* const kChordNames[4] = {"C", "Am", "F", "G7"};

void fill(Canvas& c, int left, int top, int right, int bottom, TColor colour) {
    c.brush = {colour, false};
    c.fillRect({left, top, right, bottom});
}

Limage makeLoopFrame(int frame) {
    Limage image;
    if (!image.setSize(kLoopFrameWidth, kLoopFrameHeight, true) || image.canvas() == nullptr) return image;
    Canvas& c = *image.canvas();
    for (int y = 0; y < kLoopFrameHeight; ++y)
        fill(c, 0, y, kLoopFrameWidth, y + 1,
             mix(RGB(30, 32, 37), RGB(12, 13, 16), y / double(kLoopFrameHeight)));
    const LoopFrameState state = loopFrameState(frame);
    const bool hasLoop = state.lastBar >= state.firstBar;
    auto inLoop = [&](int bar) { return hasLoop && bar >= state.firstBar && bar <= state.lastBar; };
    const TColor dragColour = RGB(222, 156, 62), loopColour = RGB(72, 156, 206);
    const TColor accent = state.dragging ? dragColour : loopColour;

    // The chord cells.
    for (int bar = 0; bar < 4; ++bar) {
        const int x = kLoopBarLeft + kLoopBarWidth * bar;
        TColor cell = RGB(60, 64, 72);
        if (inLoop(bar)) cell = mix(cell, accent, 0.28);
        fill(c, x + 2, 12, x + kLoopBarWidth - 2, 64, cell);
        fill(c, x + 2, 12, x + kLoopBarWidth - 2, 13, mix(cell, RGB(255, 255, 255), 0.25));
        fill(c, x + 2, 63, x + kLoopBarWidth - 2, 64, mix(cell, RGB(0, 0, 0), 0.35));
        c.font = Font{};
        c.font.height = -17;
        c.font.bold = true;
        c.font.color = RGB(226, 216, 186);
        c.textOut(x + 9, 15, kChordNames[bar]);
    }

    // The ruler: one box per bar with its number.
    fill(c, kLoopBarLeft, kLoopRulerTop, kLoopBarLeft + 4 * kLoopBarWidth, kLoopRulerBottom, RGB(42, 45, 51));
    for (int bar = 0; bar < 4; ++bar) {
        const int x = kLoopBarLeft + kLoopBarWidth * bar;
        TColor box = RGB(42, 45, 51);
        if (inLoop(bar))
            box = accent;
        else if (state.hovered && bar == 0)
            box = RGB(70, 75, 85);
        fill(c, x + 1, kLoopRulerTop + 1, x + kLoopBarWidth, kLoopRulerBottom - 1, box);
        fill(c, x, kLoopRulerTop, x + 1, kLoopRulerBottom, RGB(96, 101, 112));
        c.font = Font{};
        c.font.color = inLoop(bar) ? RGB(20, 22, 26) : RGB(156, 162, 174);
        c.textOut(x + 5, kLoopRulerTop + 5, std::to_string(bar + 1));
    }
    fill(c, kLoopBarLeft + 4 * kLoopBarWidth, kLoopRulerTop, kLoopBarLeft + 4 * kLoopBarWidth + 1,
         kLoopRulerBottom, RGB(96, 101, 112));

    if (hasLoop) {
        // The loop's brackets from the ruler up over the chord cells.
        const int left = kLoopBarLeft + kLoopBarWidth * state.firstBar;
        const int right = kLoopBarLeft + kLoopBarWidth * (state.lastBar + 1);
        const TColor mark = mix(accent, RGB(255, 255, 255), 0.35);
        fill(c, left, 6, left + 2, kLoopRulerBottom, mark);
        fill(c, right - 2, 6, right, kLoopRulerBottom, mark);
        fill(c, left, 6, left + 8, 8, mark);
        fill(c, right - 8, 6, right, 8, mark);
        if (!state.dragging) {
            // The play position running through the loop: late in frame 7, back at the start in 8.
            const int x = frame == 7 ? right - 18 : left + 14;
            fill(c, x, 10, x + 2, kLoopRulerBottom - 2, RGB(250, 250, 250));
            // A return arrow under the ruler from the loop's end back to its start.
            const int y = kLoopRulerBottom + 8;
            fill(c, left + 6, y, right - 6, y + 1, mark);
            fill(c, right - 7, kLoopRulerBottom + 2, right - 6, y, mark);
            for (int i = 0; i < 4; ++i) fill(c, left + 6 + i, y - i, left + 7 + i, y + 1 + i, mark);
        }
    }
    return image;
}

// Rows of the pointer: "X" outline, "o" fill, anything else transparent.
const char* const kCursorRows[] = {
    "X",        "XX",       "XoX",       "XooX",       "XoooX",      "XooooX",
    "XoooooX",  "XooooooX", "XoooooooX", "XooooooooX", "XoooooXXXX", "XooXooX",
    "XoX XooX", "XX  XooX", "X    XooX", "     XooX",  "      XX",
};

Limage makeCursor() {
    const int rows = static_cast<int>(sizeof(kCursorRows) / sizeof(kCursorRows[0]));
    Limage image;
    image.setSize(11, rows, false);
    image.fill(kCursorTransparent);
    for (int y = 0; y < rows; ++y) {
        const std::string row = kCursorRows[y];
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (row[x] == 'X') putPixel(image, x, y, RGB(18, 18, 18));
            if (row[x] == 'o') putPixel(image, x, y, RGB(252, 252, 252));
        }
    }
    return image;
}

} // namespace

LoopFrameState loopFrameState(int frame) {
    LoopFrameState s;
    switch (frame) {
    case 2:
        s.hovered = true;
        break;
    case 3:
    case 4:
    case 5:
    case 6:
        s.firstBar = 0;
        s.lastBar = frame - 3;
        s.dragging = true;
        break;
    case 7:
    case 8:
        s.firstBar = 0;
        s.lastBar = 3;
        break;
    default:
        break;
    }
    return s;
}

const Limage& soundTestPicture() {
    static const Limage picture = makeSoundTestPicture();
    return picture;
}

const Limage& loopFrame(int frame) {
    static std::array<Limage, 8> frames;
    static std::array<bool, 8> made{};
    const int k = frame >= 1 && frame <= 8 ? frame : 1;
    if (!made[k - 1]) {
        frames[k - 1] = makeLoopFrame(k);
        made[k - 1] = true;
    }
    return frames[k - 1];
}

const Limage& cursorPicture() {
    static const Limage cursor = makeCursor();
    return cursor;
}

Limage earthPicture(TColor background, int diameter) {
    diameter = std::clamp(diameter, 8, 512);
    Limage image;
    image.setSize(diameter, diameter, false);
    image.fill(background);
    const double r = diameter / 2.0 - 0.5;
    const double cx = diameter / 2.0, cy = diameter / 2.0;
    for (int y = 0; y < diameter; ++y)
        for (int x = 0; x < diameter; ++x) {
            // Colour from 2 x 2 samples inside the disc, the edge from 4 x 4.
            double red = 0, green = 0, blue = 0;
            int inside = 0;
            for (int sy = 0; sy < 2; ++sy)
                for (int sx = 0; sx < 2; ++sx) {
                    const double px = (x + (sx + 0.5) / 2.0 - cx) / r, py = (y + (sy + 0.5) / 2.0 - cy) / r;
                    const double d = px * px + py * py;
                    if (d >= 1.0) continue;
                    const TColor col = globeColour(px, py, std::sqrt(1.0 - d));
                    red += colourRed(col);
                    green += colourGreen(col);
                    blue += colourBlue(col);
                    ++inside;
                }
            const double cover = coverage(x, y, [&](double sx, double sy) {
                const double dx = sx - cx, dy = sy - cy;
                return dx * dx + dy * dy < r * r;
            });
            if (cover <= 0) continue;
            TColor col;
            if (inside > 0) {
                col = RGB(static_cast<int>(red / inside), static_cast<int>(green / inside),
                          static_cast<int>(blue / inside));
            } else {
                col = RGB(120, 170, 230); // the edge of the air
            }
            putPixel(image, x, y, mix(background, col, cover));
        }
    return image;
}

} // namespace infoart
