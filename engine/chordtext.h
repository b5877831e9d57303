#pragma once
// The chord chart: the live session's chords as plain text lines, optionally laid out in bars with
// beat marks, four bars to a line.
#include <string>

#include "foundation/llist.h"

class QvCore;
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

// The whole chart of a session: the header (session file name or "[NEW]", folder, style, tempo, page
// sequence), a line of dashes, then the pages. sessionPath is empty for a session never saved.
void exportChordsAsText(Llist<std::string>& lines, const QvCore& core, bool tripleMeter,
                        const std::string& styleName, const std::string& sessionPath, int visualTranspose,
                        const ChordChartLayout& layout);
