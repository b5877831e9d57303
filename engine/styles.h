#pragma once
// The style library: every style file of the Styles folder, loaded in name order, and the current
// style as a working copy that everything playing or editing the style reads.
#include <string>

#include "engine/stylefile.h"
#include "foundation/llist.h"

extern const char* const kStyleExtension; // "qms"

class Styles : public Llist<StyleFile> {
  public:
    int currentIndex = 0;  // list index of the current style
    StyleFile workingCopy; // the current style as it plays; edits go here
    int noteCount = 0;     // active pattern notes over the library (utility styles 90..109 excluded)
    int trackCount = 0;    // active tracks over the library (the same styles)
    int styleCount = 0;    // styles over the library (the same styles)

    // folder: where the style files are (the program passes exeRelativePath("Styles")). Builds an
    // empty library and a default working copy (seven tracks, all off), then loads the library.
    explicit Styles(const std::string& folder);

    // The program's style folder: "Styles" beside the executable.
    static std::string defaultFolder();
    const std::string& folder() const { return styleFolder; }

    // (Re)loads the whole library from the folder: every file "*.qms" in name order whose base name
    // (the file name up to its first ".") is all digits becomes a style with that number (an empty
    // base name, as in ".qms", gives 0). Counters are recomputed, currentIndex becomes 0, the working copy is
    // kept.
    void loadAll();

    // Makes the style with number id current (the last of several with that number; the first style
    // of the list when there is none) and copies it into the working copy. An empty library makes a
    // default style (seven tracks, all off) current.
    void select(int id);

    // The working copy of the current style.
    StyleFile& current() { return workingCopy; }
    const StyleFile& current() const { return workingCopy; }

    // Whether style id is a 3/4 style, decided on the style that select(id) would make current (the
    // last with that number); false when no style has that number.
    bool is34(int id) const;

    // List index of the style that select(id) takes: the last with that number; -1 when none has it.
    int indexOfId(int id) const;

    // Utility styles (numbers 90..109) are loaded and selectable but not counted.
    static bool isUtilityStyle(int id) { return id >= 90 && id <= 109; }

  private:
    std::string styleFolder;
};
