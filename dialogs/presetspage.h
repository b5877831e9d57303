#pragma once
// The Preset Chord Progressions page: the catalogue's names in three columns, with "Replace Page",
// "Add To Page" and "Cancel". A separator or no selection never replaces or adds.
#include <string>

#include "foundation/llist.h"

class QuoVelanta;

// names: the preset names in list order ("-" separators). Returns 0 "Replace Page", 1 "Add To Page",
// 2 "Cancel" or -1 (closed); chosenIndex is the selected list index. 0 and 1 come only with a
// progression selected; otherwise the result is 2 or -1.
int choosePresetProgression(const Llist<std::string>& names, int& chosenIndex);

// The catalogue's names in order, never two separators in a row, with the catalogue index of each.
void presetProgressionList(Llist<std::string>& names, Llist<int>& catalogueIndexes);

// The Edit menu's command: the page, then the chosen progression replaces or is added to the edited
// page (refused with a message when it would not fit), with its undo step. True when the page changed.
bool presetProgressionCommand(QuoVelanta& app);
