#pragma once
// The most recently opened or saved session files, newest first, kept in a small tagged-text file.
#include <string>

#include "foundation/llist.h"
#include "foundation/storefile.h"
#include "foundation/textstream.h"

class RecentFiles : public TextStream {
  public:
    Llist<std::string> entries{0, 1, true}; // newest first
    std::string path;                       // the file the list is stored in
    int maximum = 20;                       // the largest number of entries kept (at least 1)

    // Loads the list from path (an empty list when it cannot be read); bare names in it refer to the
    // executable's folder.
    RecentFiles(const std::string& path, int maximum);
    RecentFiles(const RecentFiles&) = delete;
    RecentFiles& operator=(const RecentFiles&) = delete;
    // Saves the list.
    ~RecentFiles() override;

    // Puts a path first (an equal entry moves up), drops the oldest beyond the maximum and saves.
    // A path that a line of the file cannot hold (empty, with a line break or leading blanks) is ignored.
    void add(const std::string& file);
    // Removes the first entry equal to file, if any, and saves in either case.
    void remove(const std::string& file);
    void serialize() override;

    // Writes the store to its own file, never to a path handed in; false when that fails, or when the
    // file found at start could not be read nor moved aside (it is never replaced then).
    bool save();
    bool saveOnDestroy = true; // cleared once the program has saved the store itself at exit
    TaggedLoad loadResult() const { return loaded; }

  private:
    TaggedLoad loaded = TaggedLoad::Missing;
};
