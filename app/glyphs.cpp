// The pictures of the main window, drawn here: the flat and sharp signs in three sizes (white on
// black, so that they can be tinted and blended) and the four faces of the round play button.
#include <cmath>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "app/quovelanta.h"
#include "ui/geometry.h"

namespace {

using Shape = std::function<bool(double u, double v)>;

// A w x h picture of the shape (unit coordinates, v downwards) in fg on bg, 4 x 4 samples a pixel.
Bitmap24 renderShape(int w, int h, const Shape& inside, TColor fg, TColor bg) {
    Bitmap24 image;
    image.setSize(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside((x + (sx + 0.5) / 4.0) / w, (y + (sy + 0.5) / 4.0) / h)) ++hits;
            image.canvas().setPixel(x, y, mixColours(bg, fg, static_cast<float>(hits) / 16.0f));
        }
    }
    return image;
}

// A picture from rows of '#' (white) and '.' (black): the small signs are drawn pixel by pixel.
Bitmap24 pixelArt(std::initializer_list<const char*> rows) {
    Bitmap24 image;
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(std::strlen(*rows.begin()));
    image.setSize(w, h);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w && row[x] != '\0'; ++x)
            image.canvas().setPixel(x, y, row[x] == '#' ? RGB(255, 255, 255) : RGB(0, 0, 0));
        ++y;
    }
    return image;
}

bool inEllipse(double u, double v, double cu, double cv, double ru, double rv) {
    const double a = (u - cu) / ru;
    const double b = (v - cv) / rv;
    return a * a + b * b <= 1.0;
}

// Two upright strokes (the right one raised) crossed by two rising bars.
bool sharpShape(double u, double v) {
    const bool left = u >= 0.26 && u <= 0.40 && v >= 0.06 && v <= 1.0;
    const bool right = u >= 0.60 && u <= 0.74 && v >= 0.0 && v <= 0.94;
    auto bar = [&](double centre) {
        const double c = centre - 0.12 * (u - 0.5);
        return u >= 0.04 && u <= 0.96 && v >= c - 0.065 && v <= c + 0.065;
    };
    return left || right || bar(0.36) || bar(0.64);
}

// A stem with a rounded bowl at its foot, heavier on the right.
bool flatShape(double u, double v) {
    const bool stem = u >= 0.10 && u <= 0.26 && v >= 0.0 && v <= 1.0;
    const bool outer = inEllipse(u, v, 0.42, 0.72, 0.50, 0.27) && u >= 0.18;
    const bool inner = inEllipse(u, v, 0.36, 0.75, 0.26, 0.15);
    const bool bowl = outer && !inner && v >= 0.47 && !(u < 0.30 && v < 0.53);
    return stem || bowl;
}

// A round face of diameter d on bg: a bevelled disc, lit from above (or from below when pushed).
Bitmap24 renderButtonFace(int d, TColor face, TColor rim, TColor bg, bool pushed) {
    Bitmap24 image;
    image.setSize(d, d);
    const double r = d / 2.0;
    for (int y = 0; y < d; ++y) {
        for (int x = 0; x < d; ++x) {
            float cover = 0;
            TColor sum[16];
            int n = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4.0 - r;
                    const double py = y + (sy + 0.5) / 4.0 - r;
                    const double dist = std::sqrt(px * px + py * py);
                    if (dist > r) continue;
                    cover += 1.0f / 16.0f;
                    TColor c;
                    if (dist > r - 2.0) {
                        c = rim;
                    } else if (dist > r - 5.0) {
                        // The bevel: light on the upper half, dark on the lower (reversed when pushed).
                        const double lit = -py / r;
                        c = scaleColour(face, static_cast<float>(1.0 + (pushed ? -0.22 : 0.22) * lit));
                    } else {
                        const double lit = -py / r;
                        c = scaleColour(
                            face, static_cast<float>((pushed ? 0.9 : 1.0) + (pushed ? -0.08 : 0.1) * lit));
                    }
                    sum[n++] = c;
                }
            }
            int red = 0, green = 0, blue = 0;
            for (int i = 0; i < n; ++i) {
                red += colourRed(sum[i]);
                green += colourGreen(sum[i]);
                blue += colourBlue(sum[i]);
            }
            TColor disc = n > 0 ? RGB(red / n, green / n, blue / n) : bg;
            image.canvas().setPixel(x, y, mixColours(bg, disc, cover));
        }
    }
    return image;
}

} // namespace

void QuoVelanta::loadGlyphImages() {
    const TColor white = RGB(255, 255, 255);
    const TColor black = RGB(0, 0, 0);
    struct Size {
        int w, h;
    };
    const Size sizes[3] = {{8, 14}, {6, 9}, {11, 20}}; // normal, small, large
    for (int s = 0; s < 3; ++s) {
        if (s == 1) continue;
        Bitmap24 flat = renderShape(sizes[s].w - 1, sizes[s].h, flatShape, white, black);
        Bitmap24 sharp = renderShape(sizes[s].w, sizes[s].h, sharpShape, white, black);
        glyphImages[Iflat + 2 * s].loadFromGraphic(&flat);
        glyphImages[Isharp + 2 * s].loadFromGraphic(&sharp);
    }
    Bitmap24 smallFlat =
        pixelArt({"#....", "#....", "#....", "###..", "#..#.", "#..#.", "#.#..", "##...", "....."});
    Bitmap24 smallSharp =
        pixelArt({".#.#.", ".#.#.", "#####", ".#.#.", ".#.#.", "#####", ".#.#.", ".#.#.", "....."});
    glyphImages[Iflat_small].loadFromGraphic(&smallFlat);
    glyphImages[Isharp_small].loadFromGraphic(&smallSharp);
    // The play button sits on the dimmed panel of each look.
    Theme dark;
    dark.whiteModel = false;
    Theme light;
    light.whiteModel = true;
    const TColor darkBg = scaleColour(dark.themePanelColour(), dark.themeDimFactor());
    const TColor lightBg = scaleColour(light.themePanelColour(), light.themeDimFactor());
    const int d = 58;
    Bitmap24 faces[4] = {
        renderButtonFace(d, RGB(150, 150, 150), RGB(40, 40, 40), darkBg, false),
        renderButtonFace(d, RGB(150, 150, 150), RGB(40, 40, 40), darkBg, true),
        renderButtonFace(d, RGB(236, 236, 236), RGB(120, 120, 120), lightBg, false),
        renderButtonFace(d, RGB(236, 236, 236), RGB(120, 120, 120), lightBg, true),
    };
    for (int i = 0; i < 4; ++i) glyphImages[IplayButton + i].loadFromGraphic(&faces[i]);
}
