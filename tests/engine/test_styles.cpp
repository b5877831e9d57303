// Style library: which files become styles, their order, selection and the counters.
#include <gtest/gtest.h>

#include "engine/styles.h"
#include "stylestestutil.h"

using stylestest::ScratchFolder;
using stylestest::writeBytes;

namespace {

// A small style file: a drum track with `drumNotes` notes, a bass track (mode 1) with one note, and
// `name` and grid as given.
std::string styleText(const std::string& name, int perBeat, int perBar, int drumNotes) {
    std::string t = "<QuoVelanta Style File>\r\nname=" + name +
                    "\r\nstepsPerBeat=" + std::to_string(perBeat) +
                    "\r\nstepsPerBar=" + std::to_string(perBar) + "\r\n";
    t += "<tracks>\r\ntype=0\r\nmode=1\r\n<arp>\r\nname=kit\r\n";
    for (int i = 0; i < drumNotes; ++i) t += "36;100;" + std::to_string(i) + ";0.5\r\n";
    t += "</arp>\r\n</tracks>\r\n";
    t += "<tracks>\r\ntype=1\r\nmode=1\r\n<arp>\r\nname=bass\r\n36;100;0;1\r\n</arp>\r\n</tracks>\r\n";
    t += "<tracks>\r\ntype=2\r\nmode=0\r\n<arp>\r\nname=unused\r\n60;100;0;1\r\n</arp>\r\n</tracks>\r\n";
    t += "</QuoVelanta Style File>\r\n";
    return t;
}

void put(const ScratchFolder& f, const std::string& fileName, const std::string& styleName, int perBeat = 4,
         int perBar = 16, int drumNotes = 2) {
    writeBytes(f.file(fileName), styleText(styleName, perBeat, perBar, drumNotes));
}

std::string names(const Styles& lib) {
    std::string s;
    for (const StyleFile& f : lib) s += std::to_string(f.id) + ":" + f.name + " ";
    return s;
}

} // namespace

TEST(Styles, LoadsNumberedFilesInNameOrder) {
    ScratchFolder dir;
    put(dir, "2.qms", "Two");
    put(dir, "10.qms", "Ten");
    put(dir, "001.qms", "One");
    put(dir, "Waltz.qms", "Named");
    put(dir, "12a.qms", "Not a number");
    put(dir, ".qms", "No base name"); // an empty base name is no style number
    put(dir, "5.txt", "Other extension");
    put(dir, "7.QMS", "Upper-case extension");
    Styles lib(dir.path());
    EXPECT_EQ(names(lib), "1:One 10:Ten 2:Two 7:Upper-case extension ");
    EXPECT_EQ(lib.currentIndex, 0);
}

TEST(Styles, OnlyTheFileNameCounts) {
    // A dot in a folder name (a Linux dot-folder) must not cut the base name short.
    ScratchFolder dir(".config.d/Styles");
    put(dir, "3.qms", "Three");
    put(dir, "4.qms", "Four");
    Styles lib(dir.path());
    EXPECT_EQ(names(lib), "3:Three 4:Four ");
    Styles withSlash(dir.path() + "/");
    EXPECT_EQ(names(withSlash), "3:Three 4:Four ");
}

TEST(Styles, DuplicateNumbersSelectAndMeterAgreeOnTheLastFile) {
    ScratchFolder dir;
    put(dir, "7.old.qms", "Old waltz", 4, 12); // 3/4, comes first in name order
    put(dir, "7.qms", "New four", 4, 16);      // 4/4, comes later
    put(dir, "9.qms", "Nine", 3, 9);
    Styles lib(dir.path());
    ASSERT_EQ(lib.count(), 3);
    EXPECT_EQ(lib.at(0).id, 7);
    EXPECT_EQ(lib.at(1).id, 7);
    EXPECT_EQ(lib.indexOfId(7), 1);
    lib.select(7);
    EXPECT_EQ(lib.currentIndex, 1);
    EXPECT_EQ(lib.current().name, "New four");
    EXPECT_EQ(lib.is34(7), lib.current().is34());
    EXPECT_FALSE(lib.is34(7));
    EXPECT_TRUE(lib.is34(9));
    EXPECT_FALSE(lib.is34(8));
    EXPECT_EQ(lib.indexOfId(8), -1);
}

TEST(Styles, SelectOfAnUnknownNumberTakesTheFirstStyle) {
    ScratchFolder dir;
    put(dir, "20.qms", "Twenty");
    put(dir, "30.qms", "Thirty");
    Styles lib(dir.path());
    lib.select(30);
    EXPECT_EQ(lib.currentIndex, 1);
    lib.select(555);
    EXPECT_EQ(lib.currentIndex, 0);
    EXPECT_EQ(lib.current().name, "Twenty");
    EXPECT_EQ(lib.current().id, 20);
}

TEST(Styles, WorkingCopyEditsStayOffTheList) {
    ScratchFolder dir;
    put(dir, "1.qms", "Original");
    Styles lib(dir.path());
    lib.select(1);
    lib.current().name = "Edited";
    lib.current().tracks.at(0).arp.notes.clear();
    EXPECT_EQ(lib.at(0).name, "Original");
    EXPECT_EQ(lib.at(0).tracks.at(0).arp.notes.count(), 2);
    lib.select(1);
    EXPECT_EQ(lib.current().name, "Original");
    EXPECT_EQ(lib.current().tracks.at(0).arp.notes.count(), 2);
}

TEST(Styles, CountersSkipUtilityStyles) {
    ScratchFolder dir;
    put(dir, "1.qms", "A", 4, 16, 3);   // 3 drum notes + 1 bass note, 2 active tracks
    put(dir, "2.qms", "B", 4, 16, 5);   // 5 + 1, 2 tracks
    put(dir, "90.qms", "U1", 4, 16, 9); // utility styles: loaded, not counted
    put(dir, "109.qms", "U2", 4, 16, 9);
    put(dir, "110.qms", "C", 4, 16, 0); // 0 + 1, 2 tracks
    put(dir, "89.qms", "D", 4, 16, 1);  // 1 + 1, 2 tracks
    Styles lib(dir.path());
    EXPECT_EQ(lib.count(), 6);
    EXPECT_EQ(lib.styleCount, 4);
    EXPECT_EQ(lib.noteCount, 4 + 6 + 1 + 2);
    EXPECT_EQ(lib.trackCount, 8);
    lib.select(95);
    EXPECT_EQ(lib.currentIndex, 0);
    lib.select(109);
    EXPECT_EQ(lib.current().name, "U2");
}

TEST(Styles, EmptyOrMissingFolderGivesASilentDefaultStyle) {
    ScratchFolder dir;
    for (const std::string& folder : {dir.path(), dir.file("does-not-exist")}) {
        SCOPED_TRACE(folder);
        Styles lib(folder);
        EXPECT_EQ(lib.count(), 0);
        EXPECT_EQ(lib.styleCount, 0);
        EXPECT_EQ(lib.noteCount, 0);
        EXPECT_EQ(lib.trackCount, 0);
        ASSERT_EQ(lib.current().tracks.count(), 7); // before any select as well
        lib.select(1);
        EXPECT_EQ(lib.currentIndex, 0);
        ASSERT_EQ(lib.current().tracks.count(), 7);
        for (const StyleTrack& t : lib.current().tracks) {
            EXPECT_EQ(t.type, 1);
            EXPECT_EQ(t.mode, 0);
        }
        EXPECT_FALSE(lib.is34(1));
    }
}

TEST(Styles, UnreadableNumberedFilesEnterAsDefaultStyles) {
    ScratchFolder dir;
    writeBytes(dir.file("4.qms"), "not a style\r\n");
    put(dir, "5.qms", "Five");
    Styles lib(dir.path());
    ASSERT_EQ(lib.count(), 2);
    EXPECT_EQ(lib.at(0).id, 4);
    EXPECT_EQ(lib.at(0).name, "");
    EXPECT_EQ(lib.at(0).tracks.count(), 7);
    EXPECT_EQ(lib.styleCount, 2);
    EXPECT_EQ(lib.trackCount, 2);
}

TEST(Styles, LoadAllRereadsTheFolderAndKeepsTheWorkingCopy) {
    ScratchFolder dir;
    put(dir, "1.qms", "One");
    Styles lib(dir.path());
    lib.select(1);
    lib.current().name = "Being edited";
    put(dir, "0.qms", "Zero");
    put(dir, "1.qms", "One again");
    lib.loadAll();
    EXPECT_EQ(names(lib), "0:Zero 1:One again ");
    EXPECT_EQ(lib.currentIndex, 0);
    EXPECT_EQ(lib.current().name, "Being edited");
    EXPECT_EQ(lib.styleCount, 2);
    std::filesystem::remove(dir.file("0.qms"));
    std::filesystem::remove(dir.file("1.qms"));
    lib.loadAll();
    EXPECT_EQ(lib.count(), 0);
    EXPECT_EQ(lib.styleCount, 0);
}

TEST(Styles, SavedStyleReloadsUnderItsNumber) {
    ScratchFolder dir;
    put(dir, "12.qms", "Twelve");
    Styles lib(dir.path());
    lib.select(12);
    lib.current().name = "Twelve, edited";
    ASSERT_TRUE(lib.current().save(dir.file("012.qms")));
    lib.loadAll();
    // 012.qms sorts before 12.qms, so the older file is still the one that plays.
    EXPECT_EQ(names(lib), "12:Twelve, edited 12:Twelve ");
    lib.select(12);
    EXPECT_EQ(lib.current().name, "Twelve");
}
