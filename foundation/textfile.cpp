// Text files as lists of lines, atomic file writes, folder listing and the program's path helpers.
#include "foundation/textfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "foundation/blockingwork.h"

namespace {

std::string gExeFolderOverride;

// A line is blank when it holds only bytes 0..31 (so text in any non-ASCII encoding is kept).
bool isBlankLine(const std::string& line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) > 31) return false;
    return true;
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// "*" matches any run of characters, "?" one character; letters compare case-insensitively.
bool wildcardMatch(const std::string& pattern, const std::string& name) {
    std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || asciiLower(pattern[p]) == asciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool lessNoCase(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < n; ++k) {
        unsigned char x = static_cast<unsigned char>(asciiLower(a[k]));
        unsigned char y = static_cast<unsigned char>(asciiLower(b[k]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b; // names differing only in letter case keep a fixed order
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t w = ::write(fd, data, size);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (w == 0) {
            errno = ENOSPC;
            return false;
        }
        data += w;
        size -= static_cast<std::size_t>(w);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// A file is replaced only where the user may write it. The kernel decides for ordinary users (owner,
// group, ACLs, read-only mounts, immutable files); a file without any write permission bit is
// read-only for everyone, root included, whom the kernel would let through. Renaming over the file
// would need only the folder's permission, so this is checked first.
bool mayReplace(const std::string& target, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// The process id of a temporary file name of this program (".qv<pid>-<n>.tmp"), or 0.
long tempFileOwner(const std::string& name) {
    if (name.size() < 9 || name.compare(0, 3, ".qv") != 0 || name.compare(name.size() - 4, 4, ".tmp") != 0)
        return 0;
    std::size_t dash = name.find('-', 3);
    if (dash == std::string::npos || dash == 3 || dash + 1 >= name.size() - 4) return 0;
    long pid = 0;
    for (std::size_t i = 3; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000) return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    for (std::size_t i = dash + 1; i < name.size() - 4; ++i)
        if (name[i] < '0' || name[i] > '9') return 0;
    return pid;
}

// Temporary files left in a folder by a save that never finished (the program was killed): those
// whose process has ended are removed. A process that still runs, or that the system will not say
// about, keeps its files.
void removeStaleTempFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const long self = static_cast<long>(::getpid());
    std::vector<std::string> stale;
    while (dirent* e = ::readdir(dir)) {
        const long pid = tempFileOwner(e->d_name);
        if (pid <= 0 || pid == self) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        stale.emplace_back(e->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : stale) {
        struct stat st {};
        std::string path = folder + name;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
}

// The slow part of an atomic write, run off the caller's thread: a temporary file in the target's
// folder, checked writes, a sync, the rename and a sync of the folder. `existing` carries the mode of
// the file being replaced. On failure `error` holds the errno of the step that failed.
bool writeAndRename(const std::string& target, const std::string& bytes, const struct stat* existing,
                    int& error) {
    static std::atomic<unsigned> serial{0};
    removeStaleTempFiles(folderOf(target));
    std::string temp;
    int fd = -1;
    error = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // A short hidden name in the target's folder, so that any name that fits fits here too.
        temp =
            folderOf(target) + ".qv" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            error = errno;
            return false;
        }
    }
    if (fd < 0) {
        error = EEXIST;
        return false;
    }
    if (existing) (void)::fchmod(fd, existing->st_mode & 07777);

    bool ok = writeAll(fd, bytes.data(), bytes.size());
    if (!ok) error = errno ? errno : ENOSPC;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir); // makes the rename durable where the file system allows it
        ::close(dir);
    }
    return true;
}

std::string realExeFolder() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string exe(buf, static_cast<std::size_t>(n));
    std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

} // namespace

std::string fileProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::None:
        return "";
    case FileProblem::NotFound:
        return "The file or its folder does not exist.";
    case FileProblem::NotAFile:
        return "The name belongs to a folder or a device, not a file.";
    case FileProblem::PermissionDenied:
        return "Permission denied.";
    case FileProblem::TooLarge:
        return "The file is too large.";
    case FileProblem::DiskFull:
        return "The disk is full.";
    case FileProblem::ReadOnly:
        return "The file or the disk is read-only.";
    case FileProblem::WrongContent:
        return "The file is not in the expected format.";
    case FileProblem::Other:
        break;
    }
    return "The system reported an error.";
}

FileProblem fileProblemFromErrno(int error) {
    switch (error) {
    case 0:
        return FileProblem::Other;
    case ENOENT:
    case ENOTDIR:
        return FileProblem::NotFound;
    case EISDIR:
        return FileProblem::NotAFile;
    case EACCES:
    case EPERM:
        return FileProblem::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return FileProblem::DiskFull;
    case EROFS:
    case ETXTBSY:
        return FileProblem::ReadOnly;
    case EFBIG:
    case ENOMEM:
    case EOVERFLOW:
        return FileProblem::TooLarge;
    default:
        return FileProblem::Other;
    }
}

bool Text_::load(const std::string& path, bool dropTrailingBlank, std::size_t maxBytes, int maxLines,
                 FileProblem* problem) {
    std::string bytes;
    // Lines are counted in an int: larger files are no text file of this program.
    if (maxBytes == 0 || maxBytes >= static_cast<std::size_t>(INT_MAX)) maxBytes = INT_MAX - 1;
    if (!readFileBytes(path, bytes, maxBytes, problem)) return false;
    int count = 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (maxLines > 0 && count > maxLines) {
        if (problem) *problem = FileProblem::TooLarge;
        return false;
    }
    clear();
    growStep = 100000; // should the exact size not be had at once, the list still grows in large steps
    setCapacity(count, false);
    std::size_t from = 0;
    for (;;) {
        std::size_t lf = bytes.find('\n', from);
        if (lf == std::string::npos) break;
        std::size_t end = (lf > from && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        add(bytes.substr(from, end - from));
        from = lf + 1;
    }
    add(bytes.substr(from));
    if (capacity != top + 1) setCapacity(top + 1, true);
    growStep = 1000;
    if (dropTrailingBlank) dropTrailingBlankLines();
    return true;
}

bool Text_::save(const std::string& path) const {
    return writeFileAtomic(path, joined());
}

void Text_::dropTrailingBlankLines() {
    // Cut in one step: removing line by line would shrink the storage again at every removal.
    int keep = top + 1;
    while (keep > 0 && isBlankLine(items[keep - 1])) --keep;
    if (keep <= top) setCapacity(keep, true);
}

std::string Text_::joined() const {
    std::size_t size = 0;
    for (const std::string& line : *this) size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& line : *this) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool writeFileAtomic(const std::string& path, const std::string& bytes, FileProblem* problem) {
    FileProblem ignored = FileProblem::None;
    FileProblem& why = problem ? *problem : ignored;
    why = FileProblem::None;
    std::string target = toNativePath(path);
    if (target.empty() || target.back() == '/') {
        why = FileProblem::NotAFile;
        return false;
    }
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        why = FileProblem::NotAFile;
        return false;
    }
    // Replace the file a symbolic link points to, not the link.
    struct stat lst {};
    if (exists && ::lstat(target.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(target.c_str(), resolved)) target = resolved;
    }

    // The file is replaced only where it could be opened for writing (see mayReplace).
    if (exists && !mayReplace(target, st)) {
        const bool readOnlyFile = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || errno == EROFS;
        why = readOnlyFile ? FileProblem::ReadOnly : fileProblemFromErrno(errno);
        return false;
    }

    bool ok = false;
    int error = 0;
    runBlocking([&] { ok = writeAndRename(target, bytes, exists ? &st : nullptr, error); });
    if (!ok) why = fileProblemFromErrno(error);
    return ok;
}

bool readFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes, FileProblem* problem) {
    FileProblem ignored = FileProblem::None;
    FileProblem& why = problem ? *problem : ignored;
    why = FileProblem::None;
    std::string native = toNativePath(path);
    if (native.empty()) {
        why = FileProblem::NotFound;
        return false;
    }
    // Non-blocking open so that a named pipe cannot stall the program; only regular files are read.
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = fileProblemFromErrno(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = FileProblem::NotAFile;
        return false;
    }
    // The size is checked before anything is read, so a huge file costs nothing.
    if (maxBytes > 0 && st.st_size > 0 && static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        why = FileProblem::TooLarge;
        return false;
    }
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t r = ::read(fd, buf, sizeof buf);
        if (r < 0) {
            if (errno == EINTR) continue;
            why = fileProblemFromErrno(errno);
            ::close(fd);
            return false;
        }
        if (r == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (maxBytes > 0 && data.size() + static_cast<std::size_t>(r) > maxBytes) {
            why = FileProblem::TooLarge;
            ::close(fd);
            return false;
        }
        data.append(buf, static_cast<std::size_t>(r));
    }
    ::close(fd);
    bytes = std::move(data);
    return true;
}

bool fileExists(const std::string& path) {
    std::string native = toNativePath(path);
    struct stat st {};
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool pathEntryExists(const std::string& path) {
    std::string native = toNativePath(path);
    struct stat st {};
    return !native.empty() && ::lstat(native.c_str(), &st) == 0;
}

std::string setFileAside(const std::string& path) {
    std::string native = toNativePath(path);
    if (native.empty() || !pathEntryExists(native)) return "";
    for (int n = 1; n <= 9; ++n) {
        std::string aside = native + ".bad" + (n == 1 ? std::string() : std::to_string(n));
        if (pathEntryExists(aside)) continue;
        return ::rename(native.c_str(), aside.c_str()) == 0 ? aside : std::string();
    }
    return "";
}

bool deleteFile(const std::string& path) {
    std::string native = toNativePath(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

Llist<std::string> listFiles(const std::string& pattern, bool sorted) {
    std::string native = toNativePath(pattern);
    std::size_t slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : native.substr(0, slash + 1);
    std::string namePattern = slash == std::string::npos ? native : native.substr(slash + 1);

    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            if (wildcardMatch(namePattern, name)) names.push_back(std::move(name));
        }
        ::closedir(dir);
    }
    if (sorted) std::sort(names.begin(), names.end(), lessNoCase);
    Llist<std::string> list(static_cast<int>(names.size()), 1, true);
    for (const std::string& name : names) list.add(name);
    return list;
}

std::string exeRelativePath(const std::string& name) {
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return name;
    return exeFolder() + name;
}

std::string fileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string fileBaseName(const std::string& path) {
    std::string name = fileNamePart(path);
    std::size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string exeFolder() {
    if (!gExeFolderOverride.empty()) return gExeFolderOverride;
    static const std::string folder = realExeFolder();
    return folder;
}

void setExeFolderOverride(const std::string& folder) {
    gExeFolderOverride = toNativePath(folder);
    if (!gExeFolderOverride.empty() && gExeFolderOverride.back() != '/') gExeFolderOverride += '/';
}

std::string toNativePath(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}
