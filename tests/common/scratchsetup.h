#pragma once
// A program context's setup for tests: no real MIDI, and every file the program keeps (styles,
// options, recent files, global notes, custom mixes) in one scratch folder.
#include <string>

#include "app/qvcontext.h"
#include "tests/common/tempdir.h"

// folder: without a trailing "/"; the styles are read from folder/Styles. clock null: the real clock;
// host or prompt null: no window, every question counts as closed. Callers set the MIDI backends and
// may point stylesFolder elsewhere afterwards.
inline QvContext::Setup scratchSetup(const std::string& folder, Clock* clock, QvHost* host = nullptr,
                                     Prompt* prompt = nullptr) {
    QvContext::Setup s;
    s.clock = clock;
    s.realMidi = false;
    s.stylesFolder = folder + "/Styles";
    s.optionsPath = folder + "/options.cfg";
    s.recentPath = folder + "/recent.cfg";
    s.globalNotesPath = folder + "/globalNotes.cfg";
    s.customMixesPath = folder + "/customStyleMixes.dat";
    s.host = host;
    s.prompt = prompt;
    return s;
}

inline QvContext::Setup scratchSetup(const TempDir& dir, Clock* clock, QvHost* host = nullptr,
                                     Prompt* prompt = nullptr) {
    return scratchSetup(dir.fsPath().string(), clock, host, prompt);
}
