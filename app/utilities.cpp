#include "app/utilities.h"

#include <cmath>

#include "foundation/strutil.h"
#include "foundation/textfile.h"

const char* const kApplicationTitle = "QuoVelanta";
const char* const kProgramVersion = "2.2";
const char* const kMakerWebSite = "http://www.quovelanta.example";

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

std::string formatMinutesSeconds(double minutes) {
    double whole = std::trunc(minutes);
    int s = truncToInt((minutes - whole) * 60.0);
    if (s < 0) s = 0;
    if (s > 59) s = 59;
    int m = truncToInt(minutes - s / 60.0);
    if (m < 0) m = 0;
    std::string mm = (m <= 9 ? "0" : "") + intToText(m);
    std::string ss = (s <= 9 ? "0" : "") + intToText(s);
    return mm + ":" + ss;
}
