#include "engine/storefile.h"

#include "foundation/textfile.h"

bool hasClosingHeader(const Text_& lines, const std::string& header) {
    const std::string closing = "</" + header + ">";
    for (int i = 1; i < lines.count(); ++i)
        if (lines.items[i] == closing) return true;
    return false;
}

TaggedLoad loadTaggedFile(TextStream& ts, const std::string& header, const std::string& path) {
    if (path.empty() || !fileExists(path)) return TaggedLoad::Missing;
    Text_ text;
    if (!text.load(path, true)) return TaggedLoad::Failed;
    if (text.count() == 0 || text.items[0] != "<" + header + ">") return TaggedLoad::Failed;
    if (!hasClosingHeader(text, header)) return TaggedLoad::Failed;
    ts.lines = text;
    return ts.loadFile(header, "") ? TaggedLoad::Loaded : TaggedLoad::Failed;
}
