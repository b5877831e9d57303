// The number parsers and formatter: textToFloat and textToInt on arbitrary text with either decimal
// separator, and formatFloat of any double reading back through textToFloat close to the value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/strutil.h"

namespace {

// A real written by formatFloat reads back within its rounding: four significant digits at least.
void checkRoundTrip(double x) {
    std::string text = formatFloat(x);
    double y = textToFloat(text);
    if (!std::isfinite(y)) std::abort();
    if (!std::isfinite(x)) {
        if (y != 0) std::abort(); // NaN and infinity are written as 0
        return;
    }
    double tolerance = std::fabs(x) * 1e-3;
    if (std::fabs(y - x) > tolerance && std::fabs(x) > 1e-300) std::abort();
    // The text written again is stable from the second writing on.
    std::string again = formatFloat(y);
    if (formatFloat(textToFloat(again)) != again) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    setDecimalSeparator((data[0] & 1) ? ',' : '.');
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    double f = textToFloat(text);
    if (!std::isfinite(f)) std::abort();
    checkRoundTrip(f);

    int i = textToInt(text);
    if (textToInt(intToText(i)) != i) std::abort();
    if (truncToInt(double(i)) != i) std::abort();

    if (size >= 9) {
        double raw;
        std::memcpy(&raw, data + 1, sizeof raw);
        checkRoundTrip(raw);
        int t = truncToInt(raw);
        if (std::isnan(raw) && t != 0) std::abort();
    }
    setDecimalSeparator('.');
    return 0;
}
