#include "engine/sessionfile.h"

#include "engine/qvcore.h"
#include "engine/valuelists.h"
#include "foundation/storefile.h"
#include "foundation/strutil.h"

namespace {

// A tag line "<key>" or "</key>": no "=" in it, "<" first and ">" last (blanks around ignored).
bool isTag(const std::string& line, bool& closing) {
    std::string t = trimControl(line);
    if (t.size() < 2 || t.front() != '<' || t.back() != '>' || t.find('=') != std::string::npos) return false;
    closing = t.size() >= 3 && t[1] == '/';
    return true;
}

// The version as C's atof reads it: the leading number, 0 when there is none.
double leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    }
    if (i == digits || (i == digits + 1 && (text[digits] == '.' || text[digits] == ','))) return 0.0;
    return textToFloat(text.substr(start, i - start));
}

// A loop is a pair of bars 0 <= start <= end within the longest song the page sequence can make
// (16 bars an entry), or no loop at all (-1, -1).
void checkLoop(QvCore& core) {
    if (core.loopStart == -1 && core.loopEnd == -1) return;
    long long maxBars = 16LL * core.pageSlots.count();
    if (core.loopStart < 0 || core.loopEnd < core.loopStart || core.loopEnd >= maxBars) {
        core.loopStart = -1;
        core.loopEnd = -1;
        core.loopRegionActive = false;
    }
}

// A text cut to at most max bytes, never inside a UTF-8 sequence.
void cutText(std::string& text, std::size_t max) {
    if (text.size() <= max) return;
    std::size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    text.resize(n);
}

// The session's own limits for what a file holds: the page sequence, the notes and the links.
void limitLists(QvCore& core) {
    while (core.pageSlots.count() > kMaxPageSlots) core.pageSlots.remove(core.pageSlots.count() - 1);
    std::size_t bytes = 0;
    for (int i = 0; i < core.sessionNotes.count(); ++i) {
        std::string& line = core.sessionNotes.at(i);
        if (i >= kMaxNoteLines || bytes >= static_cast<std::size_t>(kMaxNotesBytes)) {
            while (core.sessionNotes.count() > i) core.sessionNotes.remove(core.sessionNotes.count() - 1);
            break;
        }
        cutText(line, kMaxNotesBytes - bytes);
        bytes += line.size();
    }
    for (std::string& link : core.sessionLinks) cutText(link, kMaxLinkBytes);
}

} // namespace

FileProblem readSessionText(const std::string& path, Text_& lines) {
    FileProblem problem = FileProblem::None;
    Text_ text;
    if (!text.load(path, true, kMaxSessionFileBytes, kMaxSessionFileLines, &problem)) return problem;
    const std::string header = kSessionHeader;
    if (text.count() == 0 || text.items[0] != "<" + header + ">") return FileProblem::WrongContent;
    if (!hasClosingHeader(text, header)) return FileProblem::WrongContent;
    lines = std::move(text);
    return FileProblem::None;
}

Text_ topLevelLines(const Text_& lines) {
    Text_ out;
    int depth = 0;
    for (int i = 0; i < lines.count(); ++i) {
        const std::string& line = lines.items[i];
        bool closing = false;
        if (isTag(line, closing)) {
            if (closing) {
                if (depth > 0) --depth;
            } else {
                ++depth;
            }
            continue;
        }
        if (depth == 0) out.add(line);
    }
    return out;
}

void serializeSession(TextStream& ts, QvCore& core, std::string& fileVersion, bool& waltzNotice) {
    const bool reading = !ts.writing;
    waltzNotice = false;
    // While reading, the session's own fields see only the lines outside every block, so that a
    // field missing at the top level is never taken from a page's chord or point.
    Text_ whole;
    if (reading) {
        whole = ts.lines;
        ts.lines = topLevelLines(whole);
    }

    if (ts.writing) fileVersion = kSessionVersion;
    std::string version = fileVersion;
    if (reading) version.clear();
    ts.serializeText("fileVersion", version);
    if (reading) fileVersion = version.empty() ? kLegacyVersion : version;

    core.mix.writeForStyle = false;
    ts.serializeObject("", core.mix);
    core.mix.writeForStyle = true;
    if (reading) core.mix.lines.clear();

    ts.serializeInt("style", core.styleNumber);
    int bpm = core.tempo();
    if (ts.serializeInt("bpm", bpm)) core.tempo(bpm);
    ts.serializeInt("key", core.key);
    ts.serializeInt("sharpFlatMode", core.sharpFlatMode);
    ts.serializeInt("loopStart", core.loopStart);
    ts.serializeInt("loopEnd", core.loopEnd);
    ts.serializeInt("loopMode", core.loopMode);
    ts.serializeBool("loopRegionActive", core.loopRegionActive);
    if (reading) {
        if (core.loopMode > 2) core.loopMode = 2;
        if (core.loopMode < 0) core.loopMode = 0;
        if (leadingNumber(fileVersion) < 2.0) {
            // Before 2.0 the third repeat mode meant "repeat the loop region".
            core.loopRegionActive = core.loopMode == 2;
            if (core.loopMode == 2) core.loopMode = 0;
        }
    }
    ts.serializeInt("fadeOutMode", core.fadeOutMode);
    ts.serializeBool("autoCymbal", core.autoCymbal);
    ts.serializeInt("autoCymbal_nthBar", core.autoCymbal_nthBar);
    ts.serializeBool("cymbalOnPageStart", core.cymbalOnPageStart);
    ts.serializeBool("rewindStyleInLoops", core.rewindStyleInLoops);
    ts.serializeBool("restartStyleOnPageChange", core.restartStyleOnPageChange);

    Text_ top;
    if (reading) {
        top = ts.lines;
        ts.lines = whole;
    }
    while (core.pages.count() < kPageCount) core.pages.add(QvPage());
    for (int i = 0; i < kPageCount; ++i) ts.serializeObject("chord page " + intToText(i), core.pages.at(i));

    serializeIntList(ts, "pageSlots", core.pageSlots);
    serializeTextList(ts, "sessionNotes", core.sessionNotes);

    if (reading) ts.lines = top;
    while (core.sessionLinks.count() < kSessionLinkCount) core.sessionLinks.add("");
    for (int i = 0; i < kSessionLinkCount; ++i)
        ts.serializeText("sessionLink" + intToText(i), core.sessionLinks.at(i));
    if (!reading) return;

    ts.lines = whole;
    for (int i = core.pageSlots.count() - 1; i >= 0; --i)
        if (core.pageSlots.at(i) < 0 || core.pageSlots.at(i) >= kPageCount) core.pageSlots.remove(i);
    if (core.pageSlots.empty()) core.pageSlots.add(0);
    limitLists(core);
    core.key = ((core.key % 12) + 12) % 12;
    checkLoop(core);
    core.sanitize();
    waltzNotice = core.styleNumber == kWaltzLegacyStyle && fileVersion == kLegacyVersion;
}

bool isVersionNewer(const std::string& mine, const std::string& theirs) {
    if (mine.size() < 3 || theirs.size() < 3) return false;
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : 0; };
    auto value = [&digit](const std::string& v) { return 10 * digit(v[0]) + digit(v[2]); };
    return value(mine) < value(theirs);
}
