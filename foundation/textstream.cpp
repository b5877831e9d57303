// The tagged-text serializer: key=value lines, nested objects between <key> and </key> lines.
#include "foundation/textstream.h"

#include <string_view>

#include "foundation/strutil.h"

namespace {

// Appends to a list that may grow to many lines, doubling its room instead of adding one slot at a time.
template <typename T> void addGrowing(Llist<T>& list, const T& item) {
    if (list.top + 1 == list.capacity) list.setCapacity(list.capacity < 8 ? 8 : list.capacity * 2, true);
    list.add(item);
}

} // namespace

std::string TextStream::oneLine(const std::string& value) {
    std::string s = value;
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

bool TextStream::field(const std::string& key, const std::string& value, std::string& found) {
    if (writing) {
        writeLine(key + "=" + oneLine(value));
        return false;
    }
    for (const std::string& line : lines) {
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        // Compared in place: a file of many lines is scanned once for each key, and a copy of every
        // line for each comparison would cost more than the scan itself.
        if (trimLeftControlView(std::string_view(line).substr(0, eq)) != key) continue;
        found = line.substr(eq + 1);
        return true;
    }
    return false;
}

bool TextStream::serializeBool(const std::string& key, bool& b) {
    std::string found;
    if (!field(key, boolToText(b), found)) return false;
    b = textToBool(found);
    return true;
}

bool TextStream::serializeInt(const std::string& key, int& i) {
    std::string found;
    if (!field(key, intToText(i), found)) return false;
    i = textToInt(found);
    return true;
}

bool TextStream::serializeDouble(const std::string& key, double& d) {
    std::string found;
    if (!field(key, formatFloat(d), found)) return false;
    d = textToFloat(found);
    return true;
}

bool TextStream::serializeText(const std::string& key, std::string& t) {
    std::string found;
    if (!field(key, t, found)) return false;
    t = std::move(found);
    return true;
}

void TextStream::writeLine(const std::string& text) {
    addGrowing<std::string>(lines, text);
}

void TextStream::openTag(const std::string& key) {
    writeLine("<" + key + ">");
}

void TextStream::closeTag(const std::string& key) {
    writeLine("</" + key + ">");
}

bool TextStream::isTagLine(const std::string& line, const std::string& tag) {
    return trimControlView(line) == tag;
}

void TextStream::visitSections(const Text_& lines, const std::string& key,
                               const std::function<bool(int, int)>& visit) {
    const std::string open = "<" + key + ">", close = "</" + key + ">";
    int start = -1;
    for (int k = 0; k <= lines.top; ++k) {
        const std::string& line = lines.items[k];
        if (isTagLine(line, open)) {
            start = k;
        } else if (start >= 0 && isTagLine(line, close)) {
            if (!visit(start, k)) return;
            start = -1;
        }
    }
}

Text_ TextStream::linesBetween(const Text_& lines, int first, int last) {
    Text_ section;
    if (last - first > 1) section.setCapacity(last - first - 1, false);
    for (int k = first + 1; k < last; ++k) section.add(lines.items[k]);
    return section;
}

bool TextStream::extractSection(const Text_& lines, const std::string& key, Text_& out) {
    bool found = false;
    Text_ section;
    visitSections(lines, key, [&](int first, int last) {
        section = linesBetween(lines, first, last); // built apart: `out` may be `lines` itself
        found = true;
        return false;
    });
    out = std::move(section);
    return found;
}

void TextStream::extractSections(const Text_& lines, const std::string& key, Llist<Text_>& list) {
    Llist<Text_> found(0, 1, true);
    visitSections(lines, key, [&](int first, int last) {
        addGrowing(found, linesBetween(lines, first, last));
        return true;
    });
    list.clear();
    list.appendAll(found);
}

void TextStream::serializeObject(const std::string& key, TextStream& child) {
    child.writing = writing;
    if (writing) {
        child.lines.clear();
        if (!key.empty()) openTag(key);
        child.serialize();
        if (&child != this)
            for (const std::string& line : child.lines) writeLine(line);
        if (!key.empty()) closeTag(key);
        return;
    }
    if (key.empty()) {
        if (&child != this) child.lines = lines;
    } else {
        extractSection(lines, key, child.lines);
    }
    child.serialize();
}

bool TextStream::saveFile(const std::string& header, const std::string& path) {
    writing = true;
    serializeObject(header, *this);
    if (path.empty()) return true;
    return lines.save(path);
}

bool TextStream::loadFile(const std::string& header, const std::string& path) {
    Text_ whole;
    if (path.empty()) {
        whole = std::move(lines); // given back below, whatever the outcome
    } else if (!whole.load(path, true)) {
        return false;
    }
    // The header line must open the file, and its closing line must be there: a file cut short
    // is a failed load.
    Text_ section;
    if (whole.top < 0 || whole.items[0] != "<" + header + ">" || !extractSection(whole, header, section)) {
        if (path.empty()) lines = std::move(whole);
        return false;
    }
    // Reads the header's section as serializeObject would: the section replaces the very lines it
    // is taken from.
    writing = false;
    lines = std::move(section);
    serialize();
    lines = std::move(whole);
    return true;
}
