#include "engine/chordtext.h"

#include "engine/naming.h"
#include "engine/qvcore.h"
#include "engine/qvpage.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

void chordChartPageLines(const QvPage& page, int beatsPerBar, int sharpFlatMode, int visualTranspose,
                         const ChordChartLayout& layout, Llist<std::string>& out) {
    const int count = page.chordCount();
    if (!layout.bars) {
        std::string line;
        for (int i = 0; i < count; ++i)
            line += chordSymbolText(page.chords.at(i), sharpFlatMode, visualTranspose) + " ";
        out.add(line);
        return;
    }
    const int b = beatsPerBar == 3 ? 3 : 4;
    const int beatUnits = 48 / b;
    const std::string mark = layout.dots ? "." : "/";
    std::string m;
    int c = 0;
    auto pad = [&m] {
        if (!m.empty() && m.back() != ' ') m += ' ';
    };
    for (int i = 0; i < count; ++i) {
        const QvChord& chord = page.chords.at(i);
        int n = chord.len > 0 ? chord.len / beatUnits : 0;
        if (m.empty()) {
            m.assign(1, '|');
        } else if (m != "|" && c % b == 0) {
            m += " |"; // as is: after a chord shorter than a beat the bar sign follows two blanks
        }
        pad();
        m += chordSymbolText(chord, sharpFlatMode, visualTranspose) + " ";
        if (i == count - 1 && (c + n) % b != 0) n += b - (c + n) % b;
        // The symbol stands on the chord's first beat; every further beat gets a mark, or the bar
        // sign when a bar starts inside the chord.
        for (int k = 0; k < n; ++k) {
            if (k > 0) {
                pad();
                m += c % b == 0 ? "|" : mark;
            }
            c += 1;
            if (layout.fourBars && c % (4 * b) == 0) {
                pad();
                m += "|";
                out.add(m);
                m.clear();
            }
        }
    }
    if (count == 0) {
        m.assign(1, '|');
        for (int k = 0; k < b; ++k) {
            m += ' ';
            m += mark;
        }
    }
    if (!m.empty() && m != "|") {
        pad();
        m += "|";
        out.add(m);
    }
}

void exportChordsAsText(Llist<std::string>& lines, const QvCore& core, bool tripleMeter,
                        const std::string& styleName, const std::string& sessionPath, int visualTranspose,
                        const ChordChartLayout& layout) {
    lines.clear();
    if (sessionPath.empty()) {
        lines.add("Session: [NEW]");
    } else {
        lines.add("Session: " + fileNamePart(sessionPath));
        std::size_t cut = sessionPath.find_last_of("/\\");
        lines.add("Folder: " + (cut == std::string::npos ? std::string() : sessionPath.substr(0, cut + 1)));
    }
    lines.add("Style: " + styleName);
    lines.add("Tempo: " + intToText(core.tempoValue) + " BPM");
    const Llist<int>& slots = core.pageSlots;
    auto validPage = [&core](int page) {
        return page >= 0 && page < kPageCount && page < core.pages.count();
    };
    if (layout.pages) {
        std::string sequence = "Page sequence: ";
        for (int i = 0; i < slots.count(); ++i)
            if (validPage(slots.at(i))) sequence += pageLabel(slots.at(i)) + " ";
        lines.add(sequence);
    }
    lines.add(std::string(50, '-'));
    const int beats = tripleMeter ? 3 : 4;
    if (layout.pages) {
        for (int page = 0; page < kPageCount && page < core.pages.count(); ++page) {
            bool plays = false;
            for (int i = 0; i < slots.count() && !plays; ++i) plays = slots.at(i) == page;
            if (!plays) continue;
            lines.add("Page " + pageLabel(page) + ":");
            chordChartPageLines(core.pages.at(page), beats, core.sharpFlatMode, visualTranspose, layout,
                                lines);
        }
        return;
    }
    bool first = true;
    for (int i = 0; i < slots.count(); ++i) {
        int page = slots.at(i);
        if (!validPage(page)) continue;
        if (first)
            lines.add("Chords:");
        else if (layout.bars && layout.fourBars)
            lines.add("");
        first = false;
        chordChartPageLines(core.pages.at(page), beats, core.sharpFlatMode, visualTranspose, layout, lines);
    }
}
