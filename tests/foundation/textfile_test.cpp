// Text files as lists of lines, atomic saving, folder listing and paths.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "foundation/textfile.h"
#include "tests/common/tempdir.h"
#include "tests/common/waituntil.h"
#include "tests/foundation/fixture.h"

namespace {

std::string lines(const Text_& t) {
    std::string s;
    for (const std::string& line : t) s += "[" + line + "]";
    return s;
}

std::string names(const Llist<std::string>& l) {
    std::string s;
    for (const std::string& n : l) s += n + " ";
    return s;
}

// Restores the real executable folder after a test that points it elsewhere.
class Paths : public ::testing::Test {
  protected:
    void TearDown() override { setExeFolderOverride(""); }
};

} // namespace

TEST(TextFile, LoadsLfAndCrLf) {
    Text_ t;
    ASSERT_TRUE(t.load(fixture("lines_crlf.txt"), false));
    EXPECT_EQ(lines(t), "[a][b][]");
    EXPECT_EQ(t.capacity, 3);
    EXPECT_EQ(t.growStep, 1000);
    ASSERT_TRUE(t.load(fixture("lines_crlf.txt"), true));
    EXPECT_EQ(lines(t), "[a][b]");
    ASSERT_TRUE(t.load(fixture("lines_lf.txt"), true));
    EXPECT_EQ(lines(t), "[a][b]");
    ASSERT_TRUE(t.load(fixture("lines_mixed.txt"), false));
    EXPECT_EQ(lines(t), "[first][mixed][last][][ \t][]");
    ASSERT_TRUE(t.load(fixture("lines_mixed.txt"), true));
    EXPECT_EQ(lines(t), "[first][mixed][last][][ \t]"); // a blank (32) is text, not a control byte
    ASSERT_TRUE(t.load(fixture("empty.txt"), false));
    EXPECT_EQ(lines(t), "[]");
    ASSERT_TRUE(t.load(fixture("empty.txt"), true));
    EXPECT_EQ(t.top, -1);
}

TEST(TextFile, TrailingNonAsciiLineIsText) {
    Text_ t;
    ASSERT_TRUE(t.load(fixture("trailing_utf8.txt"), true));
    EXPECT_EQ(lines(t), "[a][\xc3\xa9t\xc3\xa9]");
    t.add("\x01\x1f\t");
    t.add("");
    t.dropTrailingBlankLines();
    EXPECT_EQ(t.top, 1);
}

TEST(TextFile, MissingOrUnreadableLeavesLinesAlone) {
    TempDir dir;
    Text_ t;
    t.add("keep");
    EXPECT_FALSE(t.load(dir.file("missing.txt"), false));
    EXPECT_FALSE(t.load(dir.folder(), false));
    EXPECT_FALSE(t.load("", false));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(t.load(dir.file("pipe"), false)); // a named pipe must not stall the program
    EXPECT_EQ(lines(t), "[keep]");
}

TEST(TextFile, LongLinesAreReadWhole) {
    TempDir dir;
    std::string longLine(50000, 'x');
    writeBytes(dir.file("long.txt"), longLine + "\r\nshort\r\n" + longLine);
    Text_ t;
    ASSERT_TRUE(t.load(dir.file("long.txt"), true));
    ASSERT_EQ(t.top, 2);
    EXPECT_EQ(t.at(0), longLine);
    EXPECT_EQ(t.at(1), "short");
    EXPECT_EQ(t.at(2), longLine);
}

TEST(TextFile, SaveWritesCrLfAndRoundTripsByteExact) {
    TempDir dir;
    Text_ t;
    t.add("x");
    t.add("y");
    ASSERT_TRUE(t.save(dir.file("out.txt")));
    EXPECT_EQ(readBytes(dir.file("out.txt")), "x\r\ny\r\n");
    EXPECT_EQ(t.joined(), "x\r\ny\r\n");

    for (const char* name : {"lines_crlf.txt", "trailing_utf8.txt"}) {
        Text_ in;
        ASSERT_TRUE(in.load(fixture(name), true));
        ASSERT_TRUE(in.save(dir.file(name)));
        std::string expected = readBytes(fixture(name));
        if (std::string(name) == "trailing_utf8.txt") expected.resize(expected.size() - 2); // blank dropped
        EXPECT_EQ(readBytes(dir.file(name)), expected) << name;
    }
    // An LF file comes back with CR LF; an empty list writes an empty file.
    Text_ lf;
    ASSERT_TRUE(lf.load(fixture("lines_lf.txt"), true));
    ASSERT_TRUE(lf.save(dir.file("lf.txt")));
    EXPECT_EQ(readBytes(dir.file("lf.txt")), "a\r\nb\r\n");
    Text_ none;
    ASSERT_TRUE(none.save(dir.file("none.txt")));
    EXPECT_EQ(readBytes(dir.file("none.txt")), "");
    // Nothing but the saved files is left in the folder.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.folder())) files += e.is_regular_file();
    EXPECT_EQ(files, 5);
}

TEST(TextFile, FailedSaveLeavesOldFileUntouched) {
    TempDir dir;
    Text_ t;
    t.add("x");
    EXPECT_FALSE(t.save(dir.file("no/such/folder.txt")));
    FileProblem why = FileProblem::None;
    EXPECT_FALSE(writeFileAtomic(dir.file("no/such/folder.txt"), "x", &why));
    EXPECT_EQ(why, FileProblem::NotFound);
    EXPECT_FALSE(t.save(dir.folder()));
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_FALSE(t.save(dir.file("sub")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("sub")));
    EXPECT_FALSE(t.save(""));

    // A write cut short by the file size limit fails and keeps the previous contents.
    writeBytes(dir.file("old.txt"), "old\r\n");
    Text_ big;
    big.add(std::string(4096, 'n'));
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool ok = writeFileAtomic(dir.file("old.txt"), big.joined(), &why);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(why, FileProblem::TooLarge);
    EXPECT_EQ(readBytes(dir.file("old.txt")), "old\r\n");
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.folder())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1); // the temporary file is gone
}

TEST(TextFile, AtomicWriteHelpers) {
    TempDir dir;
    EXPECT_TRUE(writeFileAtomic(dir.file("a.bin"), std::string("z\0z", 3)));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(dir.file("a.bin"), bytes));
    EXPECT_EQ(bytes, std::string("z\0z", 3));
    EXPECT_TRUE(fileExists(dir.file("a.bin")));
    EXPECT_FALSE(fileExists(dir.folder()));
    EXPECT_FALSE(fileExists(dir.file("b.bin")));
    // Writing through a symbolic link replaces the file it points to.
    std::filesystem::create_symlink(dir.file("a.bin"), dir.file("link.bin"));
    EXPECT_TRUE(writeFileAtomic(dir.file("link.bin"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.bin")));
    EXPECT_EQ(readBytes(dir.file("a.bin")), "new");
    EXPECT_TRUE(deleteFile(dir.file("a.bin")));
    EXPECT_FALSE(deleteFile(dir.file("a.bin")));
    EXPECT_FALSE(readFileBytes(dir.file("a.bin"), bytes));
}

TEST(TextFile, BackslashPathsUseSlashesOnDisk) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("Styles"));
    Text_ t;
    t.add("v");
    ASSERT_TRUE(t.save(dir.folder() + "Styles\\1.qms"));
    EXPECT_EQ(readBytes(dir.file("Styles/1.qms")), "v\r\n");
    EXPECT_TRUE(fileExists(dir.folder() + "Styles\\1.qms"));
    Text_ back;
    EXPECT_TRUE(back.load(dir.folder() + "Styles\\1.qms", true));
    EXPECT_EQ(names(listFiles(dir.folder() + "Styles\\*.QMS", true)), "1.qms ");
    EXPECT_EQ(toNativePath("a\\b/c\\"), "a/b/c/");
}

TEST(TextFile, ListFiles) {
    TempDir dir;
    for (const char* n : {"10.qms", "2.qms", "B.QMS", "a.qms", "x.txt", "a.qmsx", ".qms"})
        writeBytes(dir.file(n), "");
    std::filesystem::create_directory(dir.file("sub.qms"));
    EXPECT_EQ(names(listFiles(dir.folder() + "*.qms", true)), ".qms 10.qms 2.qms a.qms B.QMS sub.qms ");
    EXPECT_EQ(listFiles(dir.folder() + "*.qms", false).count(), 6);
    EXPECT_EQ(names(listFiles(dir.folder() + "?.qms", true)), "2.qms a.qms B.QMS ");
    EXPECT_EQ(names(listFiles(dir.folder() + "*", true)),
              ".qms 10.qms 2.qms a.qms a.qmsx B.QMS sub.qms x.txt ");
    EXPECT_EQ(names(listFiles(dir.folder() + "*x*", true)), "a.qmsx x.txt ");
    EXPECT_EQ(listFiles(dir.folder() + "*.mid", true).count(), 0);
    EXPECT_EQ(listFiles(dir.file("nowhere/*.qms"), true).count(), 0);
}

TEST_F(Paths, ExeFolderAndRelativePaths) {
    std::string real = exeFolder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    EXPECT_EQ(std::filesystem::canonical(real), std::filesystem::canonical(QV_BINARY_DIR));

    setExeFolderOverride("/opt/qv");
    EXPECT_EQ(exeFolder(), "/opt/qv/");
    EXPECT_EQ(exeRelativePath("recent.cfg"), "/opt/qv/recent.cfg");
    EXPECT_EQ(exeRelativePath("C:\\Music\\song.qvs"), "C:\\Music\\song.qvs");
    EXPECT_EQ(exeRelativePath("Samples/song.qvs"), "Samples/song.qvs");
    EXPECT_EQ(exeRelativePath("/home/u/song.qvs"), "/home/u/song.qvs");
    setExeFolderOverride("");
    EXPECT_EQ(exeFolder(), real);
}

TEST(TextFile, FileNames) {
    EXPECT_EQ(fileBaseName("dir/my.files/song.qvs"), "song");
    EXPECT_EQ(fileBaseName("C:\\my.files\\song.qvs"), "song");
    EXPECT_EQ(fileBaseName("Styles/12.qms"), "12");
    EXPECT_EQ(fileBaseName("a.b.c"), "a");
    EXPECT_EQ(fileBaseName("noext"), "noext");
    EXPECT_EQ(fileBaseName("dir/"), "");
    EXPECT_EQ(fileNamePart("dir/my.files/song.qvs"), "song.qvs");
    EXPECT_EQ(fileNamePart("x\\y.txt"), "y.txt");
    EXPECT_EQ(fileNamePart("plain"), "plain");
}

namespace {

// Every regular file of a folder with its bytes: what "nothing changed" is compared against.
std::map<std::string, std::string> folderContents(const TempDir& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.folder()))
        if (e.is_regular_file()) files[e.path().filename().string()] = readBytes(e.path().string());
    return files;
}

} // namespace

// A read-only file in a writable folder could be replaced by a rename; a save must not do that.
TEST(TextFile, ReadOnlyFileIsNeverReplaced) {
    TempDir dir;
    writeBytes(dir.file("locked.qvs"), "kept\r\n");
    ASSERT_EQ(::chmod(dir.file("locked.qvs").c_str(), 0444), 0);
    auto before = folderContents(dir);
    Text_ t;
    t.add("new");
    EXPECT_FALSE(t.save(dir.file("locked.qvs")));
    FileProblem why = FileProblem::None;
    EXPECT_FALSE(writeFileAtomic(dir.file("locked.qvs"), "new", &why));
    EXPECT_EQ(why, FileProblem::ReadOnly);
    EXPECT_EQ(folderContents(dir), before);
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("locked.qvs").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);

    // Through a symbolic link the file it points to decides.
    std::filesystem::create_symlink(dir.file("locked.qvs"), dir.file("link.qvs"));
    EXPECT_FALSE(writeFileAtomic(dir.file("link.qvs"), "new"));
    EXPECT_EQ(readBytes(dir.file("locked.qvs")), "kept\r\n");

    // Writable again: the save goes through and keeps the file's mode.
    ASSERT_EQ(::chmod(dir.file("locked.qvs").c_str(), 0640), 0);
    EXPECT_TRUE(writeFileAtomic(dir.file("locked.qvs"), "new"));
    EXPECT_EQ(readBytes(dir.file("locked.qvs")), "new");
    ASSERT_EQ(::stat(dir.file("locked.qvs").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// Another user's file that this user may not write, in a folder everyone may write: refused. Run as
// an unprivileged user in a child process where the tests run as root (skipped where that is not
// possible).
TEST(TextFile, OtherUsersFileIsNeverReplaced) {
    TempDir dir;
    writeBytes(dir.file("theirs.cfg"), "theirs\r\n");
    ASSERT_EQ(::chmod(dir.file("theirs.cfg").c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.folder().c_str(), 0777), 0);
    if (::geteuid() != 0) {
        // The file is ours: make it another's by the only means a user has, its mode.
        ASSERT_EQ(::chmod(dir.file("theirs.cfg").c_str(), 0444), 0);
        EXPECT_FALSE(writeFileAtomic(dir.file("theirs.cfg"), "mine"));
        EXPECT_EQ(readBytes(dir.file("theirs.cfg")), "theirs\r\n");
        return;
    }
    auto before = folderContents(dir);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        bool refused = !writeFileAtomic(dir.file("theirs.cfg"), "mine");
        bool ownFile = writeFileAtomic(dir.file("mine.cfg"), "mine"); // the folder itself is writable
        ::_exit(refused && ownFile ? 0 : 1);
    }
    int status = 0;
    ASSERT_TRUE(testwait::waitForChild(child, status));
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot switch to an unprivileged user here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    auto after = folderContents(dir);
    EXPECT_EQ(after.at("theirs.cfg"), "theirs\r\n");
    after.erase("mine.cfg");
    EXPECT_EQ(after, before);
}

TEST(TextFile, SavingRemovesOnlyTheTemporaryFilesOfEndedProcesses) {
    TempDir dir;
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_TRUE(testwait::waitForChild(child, status)); // the child has ended: its files are leftovers
    const std::string dead = ".qv" + std::to_string(child) + "-7.tmp";
    const std::string live = ".qv" + std::to_string(::getppid()) + "-7.tmp";
    for (const std::string& name : {dead, live, std::string(".qvx-1.tmp"), std::string("song.qvs")})
        writeBytes(dir.file(name), "left");
    ASSERT_TRUE(writeFileAtomic(dir.file("song.qvs"), "saved"));
    EXPECT_FALSE(std::filesystem::exists(dir.file(dead)));
    EXPECT_TRUE(std::filesystem::exists(dir.file(live)));
    EXPECT_TRUE(std::filesystem::exists(dir.file(".qvx-1.tmp")));
    EXPECT_EQ(readBytes(dir.file("song.qvs")), "saved");
}
