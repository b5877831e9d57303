#include "engine/globalnotes.h"

#include "engine/valuelists.h"
#include "foundation/textfile.h"

namespace {
const char* const kGlobalNotesHeader = "QuoVelanta Global Notes";
}

GlobalNotes::GlobalNotes(const std::string& p) : path(p.empty() ? exeFolder() + "globalNotes.cfg" : p) {
    loaded = loadStoreFile(*this, kGlobalNotesHeader, path);
    if (loaded != TaggedLoad::Loaded) notes.clear();
}

GlobalNotes::~GlobalNotes() {
    if (saveOnDestroy) save();
}

void GlobalNotes::serialize() {
    serializeTextList(*this, "globalNotes", notes);
}

bool GlobalNotes::save() {
    if (loaded == TaggedLoad::Failed) return false;
    return saveFile(kGlobalNotesHeader, path);
}
