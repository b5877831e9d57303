#pragma once
// The session body on its own, read and written as the main object does.
#include <string>

#include "engine/qvcore.h"
#include "engine/sessionfile.h"
#include "foundation/textstream.h"

// The largest session the program can hold: 36 pages of the most chords and points a page takes,
// the longest page sequence, and notes and links at their limits.
inline void fillLargestSession(QvCore& core) {
    for (int p = 0; p < kPageCount; ++p) {
        QvPage& page = core.pages.at(p);
        for (int i = 0; i < kMaxChordsPerPage; ++i)
            page.addChord(
                QvChord(i % 12, i % 20, i % 7 - 3, (i + 5) % 12, true, kMaxPageUnits / kMaxChordsPerPage),
                -1);
        for (int i = 0; i < kMaxPointsPerPage; ++i) page.addAPoint(i * (kMaxPageUnits / kMaxPointsPerPage));
    }
    core.pageSlots.clear();
    for (int s = 0; s < kMaxPageSlots; ++s) core.pageSlots.add(s % kPageCount);
    const std::string line(kMaxNotesBytes / kMaxNoteLines, 'n');
    for (int i = 0; i < kMaxNoteLines; ++i) core.sessionNotes.add(line);
    for (std::string& link : core.sessionLinks) link = std::string(kMaxLinkBytes, 'l');
}

class SessionDoc : public TextStream {
  public:
    QvCore core;
    std::string fileVersion = kSessionVersion;
    bool waltzNotice = false;
    SessionCuts cuts;
    void serialize() override { serializeSession(*this, core, fileVersion, waltzNotice, &cuts); }
};
