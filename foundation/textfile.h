#pragma once
// Text files as lists of lines, folder listing and the program's path helpers.
#include <string>

#include "foundation/llist.h"

class Text_ : public Llist<std::string> {
  public:
    Text_() : Llist<std::string>(0, 1, true) {}
    // Replaces the lines by the file's (LF or CR LF); false when it cannot be read (lines unchanged).
    bool load(const std::string& path, bool dropTrailingBlank);
    // Writes every line with CR LF through a temporary file renamed over the target; false on any failure,
    // leaving an existing file untouched.
    bool save(const std::string& path) const;
    void dropTrailingBlankLines();
    std::string joined() const; // the lines as the file would hold them (CR LF after each)
};

// Writes bytes to path atomically (temporary file in the same folder, checked writes, sync, rename).
// An existing file that the user may not write (no write permission bit, or the system refuses it)
// is left as it is: false. The slow part runs through runBlocking (foundation/blockingwork.h).
bool writeFileAtomic(const std::string& path, const std::string& bytes);
// Reads a whole file; false when it cannot be opened or read.
bool readFileBytes(const std::string& path, std::string& bytes);
bool fileExists(const std::string& path);
bool deleteFile(const std::string& path);

// Names (without folder) of the entries matching a pattern such as "<folder>/*.qms" (case-insensitive),
// sorted by ASCII case-insensitive text when asked; "." and ".." are never listed.
Llist<std::string> listFiles(const std::string& pattern, bool sorted);
// A bare name (no "/" or "\") gets the executable's folder in front; other paths are returned unchanged.
std::string exeRelativePath(const std::string& name);
// The file-name component of a path, cut before its first ".".
std::string fileBaseName(const std::string& path);
// The file-name component (after the last "/" or "\").
std::string fileNamePart(const std::string& path);
// The folder of the running executable, with a trailing "/".
std::string exeFolder();
// Tests point the executable's folder elsewhere; an empty text returns to the real one.
void setExeFolderOverride(const std::string& folder);
// "\" separators of internal relative paths become "/".
std::string toNativePath(const std::string& path);
