#pragma once
// The parts of a chord symbol as the chord cell draws them, and the page zoom rule.
#include <string>

struct ChordSymbolParts {
    std::string root;       // the root letter
    std::string accidental; // "#", "b" or empty
    std::string rest;       // the raised text beside the root ("7", "M7", "o", "m7b5" ...)
    std::string lowMark;    // the mark under the raised text ("m", "sus", "sus2" ...)
    std::string sideMark;   // the mark beside the root at mid height ("+")
};

// rootName as noteName gives it ("C", "C#", "Db" ...), variant 0..19.
ChordSymbolParts splitChordSymbol(const std::string& rootName, int variant);

// Bars shown for a page: the stored zoom held within 1..16, doubled while the page is longer (and
// the zoom at most 15), never past 16.
int effectivePageZoom(int storedZoom, int pageLength);
