#pragma once
// The fixed catalogue of preset chord progressions (progressions in C and "-" separators).
#include <string>

#include "foundation/llist.h"

class QvChord;

constexpr int kPresetProgressionCount = 70;

// Empties chords; sets name to the name of entry index ("-" for a separator); with withChords appends
// the entry's chords in order (lengths in 48ths of a bar). An index outside 0..69 gives the empty name
// and an empty list, so callers list the names for index 0, 1, 2 ... until the name is empty.
void getPresetProgression(std::string& name, int index, Llist<QvChord>& chords, bool withChords);

// The length in bars the catalogue gives for entry index (0 for separators and unknown indices).
int presetProgressionBars(int index);
