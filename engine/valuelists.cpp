#include "engine/valuelists.h"

#include "foundation/strutil.h"

namespace {

// The value of a line "i=value" (leading blanks before the key allowed); false for other lines.
bool listValue(const std::string& line, std::string& value) {
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    if (trimLeftControlView(std::string_view(line).substr(0, eq)) != "i") return false;
    value.assign(line, eq + 1);
    return true;
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
    // Room for every line at once: a list that grew one slot per value would copy itself over and
    // over while a long list loads.
    readListValues(ts, key, [&list, &read](const std::string& value, int lines) {
        if (list.capacity == 0) list.setCapacity(lines, false);
        list.add(read(value));
        return true;
    });
}

} // namespace

void readListValues(const TextStream& ts, const std::string& key,
                    const std::function<bool(const std::string&, int)>& take) {
    bool more = true;
    std::string value;
    TextStream::visitSections(ts.lines, key, [&](int first, int last) {
        for (int k = first + 1; k < last && more; ++k)
            if (listValue(ts.lines.items[k], value)) more = take(value, last - first - 1);
        return false;
    });
}

void serializeIntList(TextStream& ts, const std::string& key, Llist<int>& list) {
    serializeList(
        ts, key, list, [](int v) { return intToText(v); }, [](const std::string& s) { return textToInt(s); });
}

void serializeTextList(TextStream& ts, const std::string& key, Llist<std::string>& list) {
    serializeList(
        ts, key, list, [](const std::string& s) { return TextStream::oneLine(s); },
        [](const std::string& s) { return s; });
}
