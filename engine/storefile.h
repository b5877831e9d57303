#pragma once
// Loading of the tagged-text files that the program rewrites at exit, told apart by outcome: a
// file that is there but cannot be read whole must not be replaced.
#include <string>

#include "foundation/textstream.h"

enum class TaggedLoad {
    Missing, // no file: nothing read, a later save may create it
    Loaded,  // read whole: first line "<header>", and the closing line "</header>" present
    Failed,  // there, but unreadable, foreign (another first line) or cut short (no closing line)
};

// Reads path into ts (through TextStream::loadFile) only when the file is whole.
TaggedLoad loadTaggedFile(TextStream& ts, const std::string& header, const std::string& path);
// True when a line after the first is exactly "</header>".
bool hasClosingHeader(const Text_& lines, const std::string& header);
