#pragma once
// Text files as lists of lines, folder listing and the program's path helpers.
#include <cstddef>
#include <string>

#include "foundation/llist.h"

// Why a file could not be read or written.
enum class FileProblem {
    None,
    NotFound,         // no such file, or its folder is missing
    NotAFile,         // a folder, a device or a pipe stands at the path
    PermissionDenied, // the system refuses access
    TooLarge,         // larger than any file of its kind could be
    DiskFull,         // no space left on the device (or the user's quota is used up)
    ReadOnly,         // a read-only file or file system
    WrongContent,     // read, but not a file of the kind expected
    Other,            // any other failure of the system
};
// The reason as a sentence for the user ("The file does not exist." ...).
std::string fileProblemText(FileProblem problem);
// The problem an errno value stands for.
FileProblem fileProblemFromErrno(int error);

// Files the program reads as text are no larger than this (its stores and style files are far
// smaller): a larger file is refused before it is read.
constexpr std::size_t kMaxTextFileBytes = 4u << 20;

class Text_ : public Llist<std::string> {
  public:
    Text_() : Llist<std::string>(0, 1, true) {}
    // Replaces the lines by the file's (LF or CR LF); false when it cannot be read (lines unchanged):
    // a file larger than maxBytes, or holding more than maxLines lines, is refused as too large.
    bool load(const std::string& path, bool dropTrailingBlank, std::size_t maxBytes = kMaxTextFileBytes,
              int maxLines = 0, FileProblem* problem = nullptr);
    // Writes every line with CR LF through a temporary file renamed over the target; false on any failure,
    // leaving an existing file untouched.
    bool save(const std::string& path) const;
    void dropTrailingBlankLines();
    std::string joined() const; // the lines as the file would hold them (CR LF after each)
};

// Writes bytes to path atomically (temporary file in the same folder, checked writes, sync, rename).
// An existing file that the user may not write (no write permission bit, or the system refuses it)
// is left as it is: false. The slow part runs through runBlocking (foundation/blockingwork.h).
// Before the temporary file is made, leftover temporary files of this program in that folder whose
// process has ended are removed (never those of a running process).
bool writeFileAtomic(const std::string& path, const std::string& bytes, FileProblem* problem = nullptr);
// Reads a whole file; false when it cannot be opened or read, or is larger than maxBytes (0: no
// limit), which is found before anything is read.
bool readFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes = 0,
                   FileProblem* problem = nullptr);
// True when anything (a file, a folder, a broken link) stands at the path.
bool pathEntryExists(const std::string& path);
// Renames what stands at path to path + ".bad" (or ".bad2" .. ".bad9" when those are taken), so
// that an unreadable file is kept for the user; the new path, or empty when it could not be moved.
std::string setFileAside(const std::string& path);
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
