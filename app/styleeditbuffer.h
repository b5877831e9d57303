#pragma once
// The Style Programmer's edit buffer: the style being edited (a whole copy), its number and the file
// it came from. While it holds changes that are not written, every command that selects the style
// again puts the edited copy back into the library's working copy, and nothing replaces the style
// (another style, a new or opened session, an undo step into another style) before the user was
// asked whether to save the changes. The flows that ask and write are members of QuoVelanta
// (styleedits.cpp); this class holds the state and the file work.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "engine/stylefile.h"

class Styles;

class StyleEditBuffer {
  public:
    bool edited = false;    // the copy holds changes that are not written
    int tempoBefore = -1;   // the session's tempo before the first edit (-1: not known)
    int styleId = -1;       // the number of the style being edited
    std::string sourcePath; // the file it was read from; empty for a style that has none
    StyleFile style;        // the edited copy

    // The local time that names a file saved under a new name (tests set their own).
    std::function<std::tm()> localTime;

    StyleEditBuffer();

    // Starts over from the library's current style: a copy with its number and file, no changes.
    void take(const Styles& styles);
    // An edit of the copy begins; the first one remembers the session's tempo, which every edit
    // replaces by the style's (discarding the edits brings it back).
    void beginEdit(int sessionTempo);
    // An edit was made to the copy: it is now what plays (the library's working copy becomes it).
    void markEdited(Styles& styles);
    // After the library selected a style: when it is the edited one, the edited copy goes back into
    // the working copy (true); otherwise nothing happens.
    bool reapply(Styles& styles) const;
    // The buffer holds no edit any more (after a write or a discard).
    void forget() {
        edited = false;
        tempoBefore = -1;
    }

    // Where "overwrite" writes: exactly the file the style came from; for a style without one, the
    // style folder + the number with at least three digits + ".qms".
    std::string overwritePath(const std::string& styleFolder) const;
    // A file name that exists nowhere yet in the style folder: the number with at least three
    // digits, " - ", the packed local date and time, and " (2)", " (3)" ... when that name is taken;
    // ".qms" at the end. Empty when no free name was found.
    std::string newFilePath(const std::string& styleFolder) const;
    // Writes the copy to path atomically, creating the style folder first when it is missing.
    bool writeTo(const std::string& path);

    // The number with "0" put in front up to three characters (7 gives "007"; below 0 gives "000").
    static std::string paddedNumber(int id);
    // The date-time packing of file dates, in 64 bits so that no year overflows it:
    // (year - 1980) << 25 | month << 21 | day << 16 | hour << 11 | minute << 5 | second / 2.
    static std::uint64_t packDateTime(const std::tm& t);
};
