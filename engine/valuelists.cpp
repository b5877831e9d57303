#include "engine/valuelists.h"

#include "foundation/strutil.h"

namespace {

// The value of a line "i=value" (leading blanks before the key allowed); false for other lines.
bool listValue(const std::string& line, std::string& value) {
    std::string left;
    if (!splitAt(line, '=', left, value)) return false;
    return trimLeftControl(left) == "i";
}

template <typename T, typename Write, typename Read>
void serializeList(TextStream& ts, const std::string& key, Llist<T>& list, Write write, Read read) {
    if (ts.writing) {
        ts.openTag(key);
        for (int i = 0; i < list.count(); ++i) ts.writeLine("i=" + write(list.items[i]));
        ts.closeTag(key);
        return;
    }
    list.clear();
    Text_ block;
    if (!TextStream::extractSection(ts.lines, key, block)) return;
    // Room for every line at once: a list that grew one slot per value would copy itself over and
    // over while a long list loads.
    if (block.count() > 0) list.setCapacity(block.count(), false);
    std::string value;
    for (int i = 0; i < block.count(); ++i)
        if (listValue(block.items[i], value)) list.add(read(value));
}

} // namespace

void serializeIntList(TextStream& ts, const std::string& key, Llist<int>& list) {
    serializeList(
        ts, key, list, [](int v) { return intToText(v); }, [](const std::string& s) { return textToInt(s); });
}

void serializeTextList(TextStream& ts, const std::string& key, Llist<std::string>& list) {
    serializeList(
        ts, key, list, [](const std::string& s) { return TextStream::oneLine(s); },
        [](const std::string& s) { return s; });
}
