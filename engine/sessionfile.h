#pragma once
// The session file body (*.qvs, header "QuoVelanta Session"): the live session's own fields, its mix,
// all 36 chord pages, the page sequence, the notes and the links, with the rules that bring files of
// older versions up to date.
#include <cstddef>
#include <string>

#include "engine/qvpage.h"
#include "foundation/llist.h"
#include "foundation/textfile.h"
#include "foundation/textstream.h"

class QvCore;

constexpr const char* kSessionHeader = "QuoVelanta Session";
constexpr const char* kSessionVersion = "2.2"; // the version this program writes
constexpr const char* kLegacyVersion = "1.1";  // a file without a version line
constexpr int kWaltzLegacyStyle = 26;          // the style whose meter changed after version 1.1

// Session files are refused unread past these sizes: the largest session the program can write (36
// full pages, the longest page sequence, notes and links at their limits) is well below them.
constexpr std::size_t kMaxSessionFileBytes = 6u << 20;
constexpr int kMaxSessionFileLines = 300000;

// Reads a session file's lines whole: NotFound, PermissionDenied, NotAFile, TooLarge (past the limits
// above, found before anything is read where the size tells) or WrongContent (no session header
// line, or no closing line: not a session file, or one cut short).
FileProblem readSessionText(const std::string& path, Text_& lines);

// What reading a session left out to keep within the session's limits.
struct SessionCuts {
    PageCuts pages;         // over all pages
    int pagesPastCount = 0; // blocks of pages beyond the 36 ("chord page 36" ...)
    int slotsPastCount = 0; // page sequence entries beyond kMaxPageSlots
    int slotsNoPage = 0;    // page sequence entries naming no page
    int noteLinesPastLimit = 0;
    int noteLinesShortened = 0; // the note line that crossed the byte limit
    int linksShortened = 0;
    bool any() const;
    // One line for each kind of thing left out or shortened, with its count.
    Llist<std::string> describe() const;
};

// Writes or reads the session body on ts (as ts.writing says). Writing sets fileVersion to "2.2"
// first. Reading expects a session reset to its defaults (keys missing from the file keep them);
// the session's own fields are taken from the file's top-level lines only, never from a page block.
// A chord length of 0 or less reads as the shortest chord of the session style's meter. After
// reading, waltzNotice tells whether the version 1.1 notice for style 26 is due, and cuts (when
// given) what the limits left out. Neither way does the session keep any of the text.
void serializeSession(TextStream& ts, QvCore& core, std::string& fileVersion, bool& waltzNotice,
                      SessionCuts* cuts = nullptr);

// False when either text is shorter than 3 characters; else each counts as 10 x its first digit +
// its third digit (a non-digit counting 0), and the result is mine < theirs.
bool isVersionNewer(const std::string& mine, const std::string& theirs);

// The session's own field lines: the lines outside every nested block.
Text_ topLevelLines(const Text_& lines);
