#pragma once
// Lines of text the user keeps across sessions, stored in globalNotes.cfg beside the executable.
#include <string>

#include "foundation/llist.h"
#include "foundation/storefile.h"
#include "foundation/textstream.h"

class GlobalNotes : public TextStream {
  public:
    Llist<std::string> notes{0, 1, true};

    // Loads the file (header "QuoVelanta Global Notes"); a missing, foreign or damaged file leaves
    // the list empty. An empty path means the executable's folder + "globalNotes.cfg".
    explicit GlobalNotes(const std::string& path = "");
    // Saves (see save).
    ~GlobalNotes() override;
    GlobalNotes(const GlobalNotes&) = delete;
    GlobalNotes& operator=(const GlobalNotes&) = delete;

    void serialize() override;
    // Writes the file, also when the list is empty; a file that was there but failed to load is
    // never overwritten (false then, and on a failed write).
    bool save();
    bool saveOnDestroy = true; // cleared once the program has saved the store itself at exit

    TaggedLoad loadResult() const { return loaded; }
    const std::string& filePath() const { return path; }

  private:
    std::string path;
    TaggedLoad loaded = TaggedLoad::Missing;
};
