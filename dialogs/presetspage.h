#pragma once
// The Preset Chord Progressions page: the catalogue's names in three columns, with "Replace Page",
// "Add To Page" and "Cancel". A separator or no selection never replaces or adds.
#include <string>

#include "foundation/llist.h"

// names: the preset names in list order ("-" separators). Returns 0 "Replace Page", 1 "Add To Page",
// 2 "Cancel" or -1 (closed); chosenIndex is the selected list index. 0 and 1 come only with a
// progression selected; otherwise the result is 2 or -1. The Edit menu reaches it through
// hooks.choosePresetProgression (installSettingsPages), with QuoVelanta::presetProgressionMenuNames.
int choosePresetProgression(const Llist<std::string>& names, int& chosenIndex);
