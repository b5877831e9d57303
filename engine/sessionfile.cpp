#include "engine/sessionfile.h"

#include <map>
#include <string_view>
#include <vector>

#include "engine/qvcore.h"
#include "engine/qvengine.h"
#include "engine/valuelists.h"
#include "foundation/storefile.h"
#include "foundation/strutil.h"

namespace {

// A tag line "<key>" or "</key>": no "=" in it, "<" first and ">" last (blanks around ignored).
bool isTag(const std::string& line, bool& closing) {
    std::string_view t = trimControlView(line);
    if (t.size() < 2 || t.front() != '<' || t.back() != '>' || t.find('=') != std::string_view::npos)
        return false;
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

// A text cut to at most max bytes, never inside a UTF-8 sequence; true when it was cut.
bool cutText(std::string& text, std::size_t max) {
    if (text.size() <= max) return false;
    std::size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    text.resize(n);
    return true;
}

const std::string kPageKey = "chord page ";

// The page a block name "chord page N" stands for: its index for N as the program writes it (0..35),
// -1 for a number beyond the session's pages, -2 for any other name.
int pageIndexOfName(std::string_view name) {
    if (name.substr(0, kPageKey.size()) != kPageKey) return -2;
    std::string_view n = name.substr(kPageKey.size());
    if (n.empty() || n.find_first_not_of("0123456789") != std::string_view::npos) return -2;
    std::string_view value = n.substr(std::min(n.find_first_not_of('0'), n.size() - 1)); // no leading zeros
    if (value.size() > 2 || textToInt(std::string(value)) >= kPageCount) return -1;
    return value.size() == n.size() ? textToInt(std::string(value)) : -2; // "05" is no page's name
}

// Where each page's block lies, found in one pass over the file as extractSection would find it
// for each page key (the first end line after a start line; a later start replaces an earlier one):
// start and end line, -1 when the page has no block. Also counts the blocks of other page names
// ("chord page 36" ...), which no page reads.
struct PageSpans {
    int start[kPageCount];
    int end[kPageCount];
    int others = 0;
};

PageSpans findPageSpans(const Text_& lines) {
    PageSpans spans;
    int open[kPageCount];
    for (int i = 0; i < kPageCount; ++i) open[i] = spans.start[i] = spans.end[i] = -1;
    std::map<std::string, int> otherOpen; // -2 once its block was found
    for (int k = 0; k <= lines.top; ++k) {
        std::string_view t = trimControlView(lines.items[k]);
        if (t.size() < 2 || t.front() != '<' || t.back() != '>') continue;
        std::string_view name = t.substr(1, t.size() - 2);
        bool closing = !name.empty() && name.front() == '/';
        if (closing) name.remove_prefix(1);
        int page = pageIndexOfName(name);
        if (page == -2) continue;
        if (page >= 0) {
            if (spans.end[page] >= 0) continue;
            if (!closing) {
                open[page] = k;
            } else if (open[page] >= 0) {
                spans.start[page] = open[page];
                spans.end[page] = k;
            }
            continue;
        }
        auto at = otherOpen.try_emplace(std::string(name), -1).first;
        if (at->second == -2) continue;
        if (!closing) {
            at->second = k;
        } else if (at->second >= 0) {
            at->second = -2;
            ++spans.others;
        }
    }
    return spans;
}

// The shortest chord of the meter the session will play in: that of its style, or of the first
// style of the library when no style has its number (the style it then falls back to).
int shortestChordOf(const QvCore& core) {
    if (!core.engine) return kShortestChord44;
    const Styles& styles = core.engine->styles;
    int i = styles.indexOfId(core.styleNumber);
    if (i < 0 && styles.count() > 0) i = 0;
    return i >= 0 && styles.items[i].is34() ? kShortestChord34 : kShortestChord44;
}

// The page sequence: entries that name no page are skipped, and no more are taken than it holds.
void readPageSlots(const TextStream& ts, QvCore& core, SessionCuts& cuts) {
    core.pageSlots.clear();
    readListValues(ts, "pageSlots", [&](const std::string& value, int lines) {
        int page = textToInt(value);
        if (page < 0 || page >= kPageCount) {
            ++cuts.slotsNoPage;
        } else if (core.pageSlots.count() >= kMaxPageSlots) {
            ++cuts.slotsPastCount;
        } else {
            if (core.pageSlots.capacity == 0)
                core.pageSlots.setCapacity(std::min(lines, kMaxPageSlots), false);
            core.pageSlots.add(page);
        }
        return true;
    });
    if (core.pageSlots.count() > 0) core.pageSlots.setCapacity(core.pageSlots.count(), true);
}

// The notes: no more lines and bytes than the session holds; the line that crosses the byte limit is
// cut (never inside a UTF-8 sequence).
void readNotes(const TextStream& ts, QvCore& core, SessionCuts& cuts) {
    core.sessionNotes.clear();
    std::size_t bytes = 0;
    readListValues(ts, "sessionNotes", [&](const std::string& value, int lines) {
        if (core.sessionNotes.count() >= kMaxNoteLines || bytes >= static_cast<std::size_t>(kMaxNotesBytes)) {
            ++cuts.noteLinesPastLimit;
            return true;
        }
        if (core.sessionNotes.capacity == 0)
            core.sessionNotes.setCapacity(std::min(lines, kMaxNoteLines), false);
        core.sessionNotes.add(value);
        std::string& line = core.sessionNotes.items[core.sessionNotes.top];
        if (cutText(line, kMaxNotesBytes - bytes)) ++cuts.noteLinesShortened;
        bytes += line.size();
        return true;
    });
    if (core.sessionNotes.count() > 0) core.sessionNotes.setCapacity(core.sessionNotes.count(), true);
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
    // Marks the lines outside every block, then copies them into a list made to their number at once
    // (a list growing one slot at a time would copy itself over for every line).
    std::vector<bool> outside(static_cast<std::size_t>(lines.count()), false);
    int count = 0, depth = 0;
    for (int i = 0; i < lines.count(); ++i) {
        bool closing = false;
        if (isTag(lines.items[i], closing)) {
            if (closing) {
                if (depth > 0) --depth;
            } else {
                ++depth;
            }
        } else if (depth == 0) {
            outside[static_cast<std::size_t>(i)] = true;
            ++count;
        }
    }
    Text_ out;
    if (count > 0) out.setCapacity(count, false);
    for (int i = 0; i < lines.count(); ++i)
        if (outside[static_cast<std::size_t>(i)]) out.add(lines.items[i]);
    return out;
}

void serializeSession(TextStream& ts, QvCore& core, std::string& fileVersion, bool& waltzNotice,
                      SessionCuts* cutsOut) {
    const bool reading = !ts.writing;
    waltzNotice = false;
    SessionCuts cuts;
    // While reading, the session's own fields see only the lines outside every block, so that a
    // field missing at the top level is never taken from a page's chord or point.
    Text_ whole;
    if (reading) {
        whole = std::move(ts.lines);
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
    core.mix.lines.clear(); // the session and its undo copies keep no text

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

    while (core.pages.count() < kPageCount) core.pages.add(QvPage());
    if (!reading) {
        for (int i = 0; i < kPageCount; ++i) {
            ts.serializeObject(kPageKey + intToText(i), core.pages.at(i));
            core.pages.at(i).lines.clear();
        }
        serializeIntList(ts, "pageSlots", core.pageSlots);
        serializeTextList(ts, "sessionNotes", core.sessionNotes);
        while (core.sessionLinks.count() < kSessionLinkCount) core.sessionLinks.add("");
        for (int i = 0; i < kSessionLinkCount; ++i)
            ts.serializeText("sessionLink" + intToText(i), core.sessionLinks.at(i));
        return;
    }

    // Each page reads its own block, found for all of them in one pass, and keeps none of its text.
    Text_ top = std::move(ts.lines);
    ts.lines = std::move(whole);
    const PageSpans spans = findPageSpans(ts.lines);
    const int shortest = shortestChordOf(core);
    for (int i = 0; i < kPageCount; ++i) {
        QvPage& page = core.pages.at(i);
        page.lines.clear();
        if (spans.end[i] >= 0) page.lines = TextStream::linesBetween(ts.lines, spans.start[i], spans.end[i]);
        page.read(shortest, cuts.pages);
        page.lines.clear();
    }
    cuts.pagesPastCount = spans.others;
    readPageSlots(ts, core, cuts);
    if (core.pageSlots.empty()) core.pageSlots.add(0);
    readNotes(ts, core, cuts);

    whole = std::move(ts.lines);
    ts.lines = std::move(top);
    while (core.sessionLinks.count() < kSessionLinkCount) core.sessionLinks.add("");
    for (int i = 0; i < kSessionLinkCount; ++i) {
        ts.serializeText("sessionLink" + intToText(i), core.sessionLinks.at(i));
        if (cutText(core.sessionLinks.at(i), kMaxLinkBytes)) ++cuts.linksShortened;
    }
    ts.lines = std::move(whole);

    core.key = ((core.key % 12) + 12) % 12;
    checkLoop(core);
    core.sanitize();
    waltzNotice = core.styleNumber == kWaltzLegacyStyle && fileVersion == kLegacyVersion;
    if (cutsOut) *cutsOut = cuts;
}

bool SessionCuts::any() const {
    return !describe().empty();
}

Llist<std::string> SessionCuts::describe() const {
    Llist<std::string> lines(0, 1, true);
    auto say = [&lines](int n, const char* one, const char* many, const std::string& rest) {
        if (n > 0) lines.add(intToText(n) + " " + (n == 1 ? one : many) + " " + rest);
    };
    const std::string chordLimit = intToText(kMaxChordsPerPage), pointLimit = intToText(kMaxPointsPerPage);
    const std::string bars = intToText(kMaxPageUnits / kUnitsPerBar);
    say(pages.chordsPastCount, "chord", "chords", "beyond the " + chordLimit + " a page holds: left out.");
    say(pages.chordsPastEnd, "chord", "chords", "beyond the " + bars + " bars a page holds: left out.");
    say(pages.chordsShortened, "chord", "chords",
        "running past the " + bars + " bars of its page: shortened.");
    say(pages.pointsPastCount, "arrangement point", "arrangement points",
        "beyond the " + pointLimit + " a page holds: left out.");
    say(pages.pointsSamePlace, "arrangement point", "arrangement points",
        "at the position of another point: left out.");
    say(pagesPastCount, "chord page", "chord pages",
        "beyond the " + intToText(kPageCount) + " a session holds: left out.");
    say(slotsPastCount, "page sequence entry", "page sequence entries",
        "beyond the " + intToText(kMaxPageSlots) + " the sequence holds: left out.");
    say(slotsNoPage, "page sequence entry", "page sequence entries", "naming no page: left out.");
    say(noteLinesPastLimit, "line", "lines",
        "of session notes beyond " + intToText(kMaxNoteLines) + " lines or " +
            intToText(kMaxNotesBytes >> 10) + " KB: left out.");
    say(noteLinesShortened, "line", "lines",
        "of session notes cut at " + intToText(kMaxNotesBytes >> 10) + " KB.");
    say(linksShortened, "session link", "session links",
        "longer than " + intToText(kMaxLinkBytes) + " bytes: shortened.");
    return lines;
}

bool isVersionNewer(const std::string& mine, const std::string& theirs) {
    if (mine.size() < 3 || theirs.size() < 3) return false;
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : 0; };
    auto value = [&digit](const std::string& v) { return 10 * digit(v[0]) + digit(v[2]); };
    return value(mine) < value(theirs);
}
