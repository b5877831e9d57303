#pragma once
// Loading of the tagged-text files that the program rewrites at exit (its stores), told apart by
// outcome: a file that is there but cannot be read whole must not be replaced by defaults. Such a
// file is moved aside (name + ".bad") so that the user keeps it and a fresh one can be written; the
// program tells once, at start, what it moved.
#include <string>

#include "foundation/llist.h"
#include "foundation/textstream.h"

enum class TaggedLoad {
    Missing, // no file: nothing read, a later save may create it
    Loaded,  // read whole: first line "<header>", and the closing line "</header>" present
    Failed,  // there, but unreadable, foreign (another first line) or cut short (no closing line)
};

// Reads path into ts (through TextStream::loadFile) only when the file is whole and no larger
// than kMaxTextFileBytes.
TaggedLoad loadTaggedFile(TextStream& ts, const std::string& header, const std::string& path);
// True when a line after the first is exactly "</header>".
bool hasClosingHeader(const Text_& lines, const std::string& header);

// loadTaggedFile for a store: a file that failed is moved aside and counts as Missing from then on
// (the store may write a new one); when it cannot be moved, the result stays Failed and the store
// must not write over it. Either way a line for the start-up notice is kept (storeNotices).
TaggedLoad loadStoreFile(TextStream& ts, const std::string& header, const std::string& path);

// The lines of the start-up notice about stores that could not be read; takeStoreNotices hands
// them over once and forgets them.
Llist<std::string> takeStoreNotices();
// A store that could not be written at exit: remembered for the report at exit (takeStoreNotices).
void noteStoreNotWritten(const std::string& path);
