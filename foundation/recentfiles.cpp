// The recent-files store: one path per line between the header lines of "Recent Files".
#include "foundation/recentfiles.h"

#include "foundation/storefile.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace {

const char* const kHeader = "Recent Files";

// A path that reads back as itself from a line of its own.
bool storable(const std::string& file) {
    if (file.empty() || trimLeftControl(file) != file) return false;
    if (file.find('\r') != std::string::npos || file.find('\n') != std::string::npos) return false;
    const std::string header = kHeader;
    return !TextStream::isTagLine(file, "<" + header + ">") &&
           !TextStream::isTagLine(file, "</" + header + ">");
}

} // namespace

RecentFiles::RecentFiles(const std::string& path_, int maximum_)
    : path(path_), maximum(maximum_ < 1 ? 1 : maximum_) {
    loaded = loadStoreFile(*this, kHeader, path);
    if (loaded != TaggedLoad::Loaded) entries.clear();
    for (std::string& entry : entries) entry = exeRelativePath(entry);
}

RecentFiles::~RecentFiles() {
    if (saveOnDestroy) save();
}

bool RecentFiles::save() {
    if (loaded == TaggedLoad::Failed) return false;
    return saveFile(kHeader, path);
}

void RecentFiles::add(const std::string& file) {
    if (!storable(file)) return;
    std::string copy = file; // file may be one of the entries
    for (int k = 0; k <= entries.top; ++k) {
        if (entries.items[k] == copy) {
            entries.remove(k);
            break;
        }
    }
    while (entries.count() >= maximum) entries.remove(entries.top);
    entries.insert(copy, 0);
    save();
}

void RecentFiles::remove(const std::string& file) {
    for (int k = 0; k <= entries.top; ++k) {
        if (entries.items[k] == file) {
            entries.remove(k);
            break;
        }
    }
    save();
}

void RecentFiles::serialize() {
    if (writing) {
        for (const std::string& entry : entries)
            if (storable(entry)) writeLine(entry);
        return;
    }
    entries.clear();
    for (const std::string& line : lines) {
        if (entries.count() >= maximum) break;
        // A line the list would not write back (a carriage return inside it) is no path of ours.
        std::string entry = trimLeftControl(line);
        if (storable(entry)) entries.add(entry);
    }
}
