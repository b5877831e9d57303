#include "app/styleeditbuffer.h"

#include <filesystem>

#include "engine/styles.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace {

std::tm systemLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    char last = folder.back();
    if (last == '/' || last == '\\') return folder + name;
    return folder + "/" + name;
}

std::string folderOf(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

} // namespace

StyleEditBuffer::StyleEditBuffer() : localTime(systemLocalTime) {}

void StyleEditBuffer::take(const Styles& styles) {
    style = styles.current();
    styleId = style.id;
    sourcePath = style.sourcePath;
    forget();
}

void StyleEditBuffer::beginEdit(int sessionTempo) {
    if (!edited) tempoBefore = sessionTempo;
    edited = true;
}

void StyleEditBuffer::markEdited(Styles& styles) {
    edited = true;
    styles.current() = style;
}

bool StyleEditBuffer::reapply(Styles& styles) const {
    if (!edited || styles.current().id != styleId) return false;
    styles.current() = style;
    return true;
}

std::string StyleEditBuffer::paddedNumber(int id) {
    std::string s = intToText(id < 0 ? 0 : id); // a style without a number is saved as style 0
    while (s.size() < 3) s = "0" + s;
    return s;
}

std::uint64_t StyleEditBuffer::packDateTime(const std::tm& t) {
    auto field = [](int v, int lo, int hi) { return std::uint64_t(v < lo ? lo : v > hi ? hi : v); };
    std::uint64_t years = field(t.tm_year + 1900 - 1980, 0, 1 << 30);
    return years << 25 | field(t.tm_mon + 1, 1, 12) << 21 | field(t.tm_mday, 1, 31) << 16 |
           field(t.tm_hour, 0, 23) << 11 | field(t.tm_min, 0, 59) << 5 | field(t.tm_sec, 0, 60) / 2;
}

std::string StyleEditBuffer::overwritePath(const std::string& styleFolder) const {
    if (!sourcePath.empty()) return sourcePath;
    return joinPath(styleFolder, paddedNumber(styleId) + ".qms");
}

std::string StyleEditBuffer::newFilePath(const std::string& styleFolder) const {
    std::tm now = localTime ? localTime() : systemLocalTime();
    std::string base = paddedNumber(styleId) + " - " + std::to_string(packDateTime(now));
    for (int n = 1; n <= 1000; ++n) {
        std::string name = n == 1 ? base : base + " (" + intToText(n) + ")";
        std::string path = joinPath(styleFolder, name + ".qms");
        if (!fileExists(path)) return path;
    }
    return "";
}

bool StyleEditBuffer::writeTo(const std::string& path) {
    if (path.empty()) return false;
    std::string folder = folderOf(path);
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    StyleFile copy = style; // saving leaves the serializer's lines behind; the buffer stays as it is
    return copy.save(path);
}
