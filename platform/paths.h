#pragma once
// Where the platform keeps what the program needs from it.
#include <string>
#include <vector>

// The General MIDI SoundFonts the built-in synthesizer looks for, best first.
std::vector<std::string> gmSoundFontCandidates();
// The first of candidates that exists as a readable regular file; empty when none does.
std::string findFirstReadableFile(const std::vector<std::string>& candidates);
// findFirstReadableFile (gmSoundFontCandidates ()).
std::string findGmSoundFont();
