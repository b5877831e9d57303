#pragma once
#include <cstdint>
#include <vector>

#include "platform/qt/gditypes.h"

// What a button's label covered at its last paint: the pixels beneath it and the pixels it left.
// Anti-aliased text drawn again over itself would grow bolder with every repaint; with this memory a
// repaint over an unchanged background starts from the same pixels and leaves the same pixels.
struct LabelMemory {
    TRect cell{0, 0, 0, 0};
    std::vector<uint8_t> beneath;
    std::vector<uint8_t> left;
};
