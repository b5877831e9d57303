// The tagged-text serializer: key=value lines, nested objects between <key> and </key> lines.
#include "foundation/textstream.h"

#include "foundation/strutil.h"

namespace {

// Appends to a list that may grow to many lines, doubling its room instead of adding one slot at a time.
template <typename T> void addGrowing(Llist<T>& list, const T& item) {
    if (list.top + 1 == list.capacity) list.setCapacity(list.capacity < 8 ? 8 : list.capacity * 2, true);
    list.add(item);
}

// The lines strictly between two line indices.
Text_ linesBetween(const Text_& lines, int first, int last) {
    Text_ section;
    section.setCapacity(last - first - 1, false);
    for (int k = first + 1; k < last; ++k) section.add(lines.items[k]);
    return section;
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
        if (trimLeftControl(line.substr(0, eq)) != key) continue;
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
    return trimControl(line) == tag;
}

bool TextStream::extractSection(const Text_& lines, const std::string& key, Text_& out) {
    const std::string open = "<" + key + ">", close = "</" + key + ">";
    int start = -1;
    for (int k = 0; k <= lines.top; ++k) {
        const std::string& line = lines.items[k];
        if (isTagLine(line, open)) {
            start = k;
        } else if (start >= 0 && isTagLine(line, close)) {
            Text_ section = linesBetween(lines, start, k); // built apart: `out` may be `lines` itself
            out.clear();
            out.appendAll(section);
            return true;
        }
    }
    out.clear();
    return false;
}

void TextStream::extractSections(const Text_& lines, const std::string& key, Llist<Text_>& list) {
    const std::string open = "<" + key + ">", close = "</" + key + ">";
    Llist<Text_> found(0, 1, true);
    int start = -1;
    for (int k = 0; k <= lines.top; ++k) {
        const std::string& line = lines.items[k];
        if (isTagLine(line, open)) {
            start = k;
        } else if (start >= 0 && isTagLine(line, close)) {
            addGrowing(found, linesBetween(lines, start, k));
            start = -1;
        }
    }
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
        whole = lines;
    } else if (!whole.load(path, true)) {
        return false;
    }
    // The header line must open the file, and its closing line must be there: a file cut short
    // is a failed load.
    Text_ section;
    if (whole.top < 0 || whole.items[0] != "<" + header + ">" || !extractSection(whole, header, section))
        return false;
    // Reads the header's section as serializeObject would, from a copy: the section replaces the
    // very lines it is taken from.
    writing = false;
    lines = section;
    serialize();
    lines = whole;
    return true;
}
