#pragma once
// The program's context for a bench: the given clock, no real MIDI, and every settings file in a folder
// of the bench's own.
#include <filesystem>

#include "app/qvcontext.h"
#include "platform/clock.h"

inline QvContext::Setup benchSetup(const std::filesystem::path& dir, Clock* clock) {
    QvContext::Setup s;
    s.clock = clock;
    s.realMidi = false;
    s.stylesFolder = (dir / "Styles").string();
    s.optionsPath = (dir / "options.cfg").string();
    s.recentPath = (dir / "recent.cfg").string();
    s.globalNotesPath = (dir / "globalNotes.cfg").string();
    s.customMixesPath = (dir / "customStyleMixes.dat").string();
    return s;
}
