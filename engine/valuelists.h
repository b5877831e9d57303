#pragma once
// Lists of plain values inside tagged-text files: a block "<key>" ... "</key>" with one line
// "i=" + value per element (ints in decimal, texts as they are, with line breaks written as blanks).
#include <functional>
#include <string>

#include "foundation/llist.h"
#include "foundation/textstream.h"

// Writing appends the block; reading empties the list and appends the value of every line of the
// block that has the key "i" (other lines are skipped; a missing block leaves the list empty).
void serializeIntList(TextStream& ts, const std::string& key, Llist<int>& list);
void serializeTextList(TextStream& ts, const std::string& key, Llist<std::string>& list);

// Reading only: hands the value of every "i" line of the key's block to take, in order, with the
// number of lines of the block, until take returns false.
void readListValues(const TextStream& ts, const std::string& key,
                    const std::function<bool(const std::string&, int)>& take);
