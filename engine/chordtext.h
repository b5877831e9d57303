#pragma once
// The chord chart: the live session's chords as plain text lines, optionally laid out in bars with
// beat marks, four bars to a line.
#include <string>

#include "foundation/llist.h"

class QvPage;

struct ChordChartLayout {
    bool pages = true;    // page sequence line and one section per page that plays
    bool bars = true;     // bar signs and beat marks
    bool fourBars = true; // a line ends after four bars
    bool dots = true;     // beat mark "." (else "/")
};

// Appends the chord lines of one page. beatsPerBar is 3 in triple meter, else 4; the chord symbols
// follow sharpFlatMode and the visual transpose shift.
void chordChartPageLines(const QvPage& page, int beatsPerBar, int sharpFlatMode, int visualTranspose,
                         const ChordChartLayout& layout, Llist<std::string>& out);
