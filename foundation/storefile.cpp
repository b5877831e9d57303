#include "foundation/storefile.h"

#include "foundation/textfile.h"

namespace {

Llist<std::string>& notices() {
    static Llist<std::string> list(0, 1, true);
    return list;
}

} // namespace

bool hasClosingHeader(const Text_& lines, const std::string& header) {
    const std::string closing = "</" + header + ">";
    for (int i = 1; i < lines.count(); ++i)
        if (lines.items[i] == closing) return true;
    return false;
}

TaggedLoad loadTaggedFile(TextStream& ts, const std::string& header, const std::string& path) {
    if (path.empty() || !pathEntryExists(path)) return TaggedLoad::Missing;
    Text_ text;
    if (!text.load(path, true)) return TaggedLoad::Failed;
    if (text.count() == 0 || text.items[0] != "<" + header + ">") return TaggedLoad::Failed;
    if (!hasClosingHeader(text, header)) return TaggedLoad::Failed;
    ts.lines = std::move(text);
    bool loaded = ts.loadFile(header, "");
    ts.lines.clear(); // the store keeps what it read, not the file's text
    return loaded ? TaggedLoad::Loaded : TaggedLoad::Failed;
}

TaggedLoad loadStoreFile(TextStream& ts, const std::string& header, const std::string& path) {
    TaggedLoad result = loadTaggedFile(ts, header, path);
    if (result != TaggedLoad::Failed) return result;
    ts.lines.clear();
    const std::string aside = setFileAside(path);
    if (aside.empty()) {
        notices().add(path + " could not be read and is left as it is; it will not be replaced.");
        return TaggedLoad::Failed;
    }
    notices().add(path + " could not be read; it was kept as " + fileNamePart(aside) +
                  " and the defaults are used.");
    return TaggedLoad::Missing;
}

void noteStoreNotWritten(const std::string& path) {
    notices().add(path + " could not be written.");
}

Llist<std::string> takeStoreNotices() {
    Llist<std::string> taken = notices();
    notices().clear();
    return taken;
}
