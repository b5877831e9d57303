#pragma once
// Helpers of the toolkit tests: the Qt application that text needs, pixel reads and PNG output.
#include <string>

#include "platform/qt/bitmap24.h"
#include "ui/limage.h"

// Writes the image as a PNG file under the build tree (QV_BINARY_DIR/ui-gallery); returns the path,
// or an empty text when it could not be written.
std::string savePng(const Bitmap24& image, const std::string& name);
std::string savePng(const Limage& image, const std::string& name);

// Number of pixels in the inclusive rectangle whose colour differs from background.
int countDiffering(const Limage& image, int left, int top, int right, int bottom, TColor background);
