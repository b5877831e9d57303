#include "engine/styles.h"

#include "foundation/strutil.h"
#include "foundation/textfile.h"

const char* const kStyleExtension = "qms";

namespace {

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    char last = folder.back();
    if (last == '/' || last == '\\') return folder + name;
    return folder + "/" + name;
}

// The style number a file name gives: the value of its base name (up to the first ".") when that is
// one or more digits; -1 otherwise. An empty base name (".qms", a hidden file on Linux) is no number.
// Only the name itself is looked at, never the folder.
int styleNumberOfFileName(const std::string& fileName) {
    std::string base = fileBaseName(fileNamePart(fileName));
    if (base.empty() || !isAllDigits(base)) return -1;
    return textToInt(base);
}

} // namespace

Styles::Styles(const std::string& folder) : Llist<StyleFile>(0, 1, true), styleFolder(folder) {
    // An empty library hands out a default style with its seven (silent) tracks.
    defaultElement.normalizeTracks();
    workingCopy.normalizeTracks();
    loadAll();
}

std::string Styles::defaultFolder() {
    return exeRelativePath("Styles");
}

void Styles::loadAll() {
    noteCount = 0;
    trackCount = 0;
    styleCount = 0;
    Llist<std::string> names = listFiles(joinPath(styleFolder, std::string("*.") + kStyleExtension), true);
    clear();
    if (names.count() > 0) setCapacity(names.count(), false);
    for (const std::string& fileName : names) {
        int number = styleNumberOfFileName(fileName);
        if (number < 0) continue;
        StyleFile style;
        style.load(joinPath(styleFolder, fileName));
        style.id = number;
        add(style);
    }
    for (const StyleFile& s : *this) {
        if (isUtilityStyle(s.id)) continue;
        noteCount += s.countActiveNotes();
        trackCount += s.countActiveTracks();
        styleCount += 1;
    }
    currentIndex = 0;
}

int Styles::indexOfId(int id) const {
    int found = -1;
    for (int i = 0; i < count(); ++i)
        if (items[i].id == id) found = i;
    return found;
}

void Styles::select(int id) {
    int i = indexOfId(id);
    currentIndex = i < 0 ? 0 : i;
    workingCopy = at(currentIndex);
}

bool Styles::is34(int id) const {
    int i = indexOfId(id);
    return i >= 0 && items[i].is34();
}
