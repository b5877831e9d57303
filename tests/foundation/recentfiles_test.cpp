// The recent-files store.
#include <gtest/gtest.h>

#include "foundation/recentfiles.h"
#include "foundation/textfile.h"
#include "tests/common/tempdir.h"
#include "tests/foundation/fixture.h"

namespace {

std::string list(const RecentFiles& r) {
    std::string s;
    for (const std::string& e : r.entries) s += e + "|";
    return s;
}

class Recent : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        setExeFolderOverride("/opt/qv");
    }
    void TearDown() override { setExeFolderOverride(""); }
};

} // namespace

TEST_F(Recent, LoadsCompletesAndSkipsEmptyLines) {
    writeBytes(dir.file("recent.cfg"), readBytes(fixture("recent.cfg")));
    {
        RecentFiles r(dir.file("recent.cfg"), 20);
        EXPECT_EQ(list(r),
                  "/home/user/Songs/blues.qvs|/home/user/Songs/Blues.qvs|/opt/qv/song in exe folder.qvs|");
    }
    // Saved again at exit, with the completed paths.
    EXPECT_EQ(readBytes(dir.file("recent.cfg")), "<Recent Files>\r\n/home/user/Songs/blues.qvs\r\n"
                                                 "/home/user/Songs/Blues.qvs\r\n"
                                                 "/opt/qv/song in exe folder.qvs\r\n</Recent Files>\r\n");
    // A longer file than the maximum is cut on reading.
    writeBytes(dir.file("copy.cfg"), readBytes(fixture("recent.cfg")));
    RecentFiles two(dir.file("copy.cfg"), 2);
    EXPECT_EQ(list(two), "/home/user/Songs/blues.qvs|/home/user/Songs/Blues.qvs|");
}

TEST_F(Recent, UnreadableFileGivesEmptyList) {
    writeBytes(dir.file("wrong.cfg"), "<Recent files>\r\n/a.qvs\r\n</Recent files>\r\n");
    writeBytes(dir.file("cut.cfg"), "<Recent Files>\r\n/a.qvs\r\n");
    for (const char* name : {"missing.cfg", "wrong.cfg", "cut.cfg"}) {
        RecentFiles r(dir.file(name), 20);
        EXPECT_EQ(r.entries.count(), 0) << name;
    }
}

TEST_F(Recent, AddPutsPathFirstAndSavesOwnFile) {
    const std::string store = dir.file("recent.cfg");
    const std::string session = dir.file("song.qvs");
    writeBytes(session, "<QuoVelanta Session>\r\n</QuoVelanta Session>\r\n");
    RecentFiles r(store, 20);
    r.add("/m/a.qvs");
    r.add(session);
    EXPECT_EQ(readBytes(session), "<QuoVelanta Session>\r\n</QuoVelanta Session>\r\n");
    EXPECT_EQ(readBytes(store), "<Recent Files>\r\n" + session + "\r\n/m/a.qvs\r\n</Recent Files>\r\n");

    // An exact duplicate moves to the front; other letter case is another file.
    r.add("/m/A.qvs");
    r.add("/m/b.qvs");
    r.add("/m/a.qvs");
    EXPECT_EQ(list(r), "/m/a.qvs|/m/b.qvs|/m/A.qvs|" + session + "|");
    EXPECT_EQ(r.entries.count(), 4);
}

TEST_F(Recent, KeepsTheNewestUpToTheMaximum) {
    RecentFiles r(dir.file("recent.cfg"), 20);
    for (int k = 1; k <= 21; ++k) r.add("/s/" + std::to_string(k) + ".qvs");
    EXPECT_EQ(r.entries.count(), 20);
    EXPECT_EQ(r.entries.at(0), "/s/21.qvs");
    EXPECT_EQ(r.entries.at(19), "/s/2.qvs");
    r.add("/s/10.qvs");
    EXPECT_EQ(r.entries.count(), 20);
    EXPECT_EQ(r.entries.at(0), "/s/10.qvs");
    EXPECT_EQ(r.entries.at(19), "/s/2.qvs");
    Text_ file;
    ASSERT_TRUE(file.load(dir.file("recent.cfg"), true));
    EXPECT_EQ(file.count(), 22);

    RecentFiles tiny(dir.file("tiny.cfg"), 0);
    tiny.add("/x.qvs");
    tiny.add("/y.qvs");
    EXPECT_EQ(list(tiny), "/y.qvs|");
}

TEST_F(Recent, RemoveRewritesTheFileEvenWhenAbsent) {
    RecentFiles r(dir.file("recent.cfg"), 20);
    r.add("/m/a.qvs");
    r.add("/m/b.qvs");
    ASSERT_TRUE(deleteFile(dir.file("recent.cfg")));
    r.remove("/m/c.qvs");
    EXPECT_EQ(readBytes(dir.file("recent.cfg")),
              "<Recent Files>\r\n/m/b.qvs\r\n/m/a.qvs\r\n</Recent Files>\r\n");
    r.remove("/m/B.qvs");
    EXPECT_EQ(r.entries.count(), 2);
    r.remove("/m/b.qvs");
    EXPECT_EQ(list(r), "/m/a.qvs|");
    EXPECT_EQ(readBytes(dir.file("recent.cfg")), "<Recent Files>\r\n/m/a.qvs\r\n</Recent Files>\r\n");
}

TEST_F(Recent, PathsALineCannotHoldAreNotStored) {
    RecentFiles r(dir.file("recent.cfg"), 20);
    r.add("/m/a.qvs");
    for (const char* bad : {"", " /lead.qvs", "/a\nb.qvs", "/a\rb.qvs", "</Recent Files>", "<Recent Files>"})
        r.add(bad);
    EXPECT_EQ(list(r), "/m/a.qvs|");
    r.add(r.entries.at(0)); // an entry of the list itself
    EXPECT_EQ(list(r), "/m/a.qvs|");
    RecentFiles again(dir.file("recent.cfg"), 20);
    EXPECT_EQ(list(again), "/m/a.qvs|");
}

TEST_F(Recent, LinesTheListWouldNotWriteAreNotRead) {
    // A lone carriage return inside a line (lines end at LF) made an entry that showed in the list,
    // took a place of the maximum and vanished at the next save.
    writeBytes(dir.file("recent.cfg"),
               "<Recent Files>\r\n/a.qvs\r\n/b\rc.qvs\r\n/d.qvs\r\n</Recent Files>\r\n");
    {
        RecentFiles r(dir.file("recent.cfg"), 2);
        EXPECT_EQ(list(r), "/a.qvs|/d.qvs|");
    }
    EXPECT_EQ(readBytes(dir.file("recent.cfg")), "<Recent Files>\r\n/a.qvs\r\n/d.qvs\r\n</Recent Files>\r\n");
}
