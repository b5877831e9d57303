#include "app/utilities.h"

#include <climits>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "foundation/strutil.h"
#include "foundation/textfile.h"

const char* const kApplicationTitle = "QuoVelanta";
const char* const kProgramVersion = "2.2";
// Under a domain reserved for examples until the project has its own, so that no click and no mail
// reaches someone else's server.
const char* const kMakerWebSite = "http://www.quovelanta.example";
const char* const kSupportAddress = "support@quovelanta.example";

std::string helpFilePath() {
    std::string folder = exeFolder();
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    return folder + "/Help/" + kApplicationTitle + ".html";
}

std::string shellOpen(const std::string& target) {
    return shellOpen(target, UrlOpener{});
}

std::string shellOpen(const std::string& target, const UrlOpener& opener) {
    switch (shellOpenTarget(target, opener)) {
    case ShellOpenResult::NotFound:
        return "File not found.";
    case ShellOpenResult::Refused:
    case ShellOpenResult::Failed:
        return "No application is associated with the file extension.";
    case ShellOpenResult::Opened:
    case ShellOpenResult::Empty:
        break;
    }
    return {};
}

std::string replaceDotsWithP(const std::string& text) {
    std::string r = text;
    for (char& c : r)
        if (c == '.') c = 'p';
    return r;
}

std::string updatePageAddress() {
    return std::string(kMakerWebSite) + "/update" + replaceDotsWithP(kProgramVersion) + ".html";
}

std::string exportStartFolder(const std::string& rememberedFolder, const std::string& sessionPath) {
    auto isFolder = [](const std::string& path) {
        std::error_code ec;
        return !path.empty() && std::filesystem::is_directory(path, ec);
    };
    if (isFolder(rememberedFolder)) return rememberedFolder;
    if (!sessionPath.empty()) {
        const std::size_t cut = sessionPath.find_last_of("/\\");
        const std::string folder =
            cut == std::string::npos ? std::string("./") : sessionPath.substr(0, cut + 1);
        if (isFolder(folder)) return folder;
    }
    return exeFolder() + "Samples/";
}

std::string formatMinutesSeconds(double minutes) {
    // Whole seconds first, minutes and seconds from them, so that both fields come from one value:
    // minutes taken apart from rounded seconds can lose the whole minute. A hair is added so that a
    // time meant as whole seconds (106 / 60 minutes) is not shown a second short.
    long long m = 0;
    int s = 0;
    if (minutes > 0) { // NaN and negative times show as 00:00
        const double seconds = std::floor(minutes * 60.0 + 1e-6);
        if (seconds >= double(INT_MAX) * 60.0) {
            m = INT_MAX;
        } else {
            const long long whole = static_cast<long long>(seconds);
            m = whole / 60;
            s = static_cast<int>(whole % 60);
        }
    }
    std::string text(m <= 9 ? 1 : 0, '0');
    text += std::to_string(m);
    text += ':';
    if (s <= 9) text += '0';
    text += intToText(s);
    return text;
}
