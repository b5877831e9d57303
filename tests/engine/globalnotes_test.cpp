#include "engine/globalnotes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/valuelists.h"
#include "foundation/textfile.h"
#include "tests/common/alloccount.h"
#include "tests/common/tempdir.h"

namespace {

void writeAll(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(writeFileAtomic(path, bytes));
}

struct ListHolder : TextStream {
    Llist<int> ints;
    Llist<std::string> texts;
    void serialize() override {
        serializeIntList(*this, "pageSlots", ints);
        serializeTextList(*this, "sessionNotes", texts);
    }
};

} // namespace

TEST(ValueLists, WrittenAsBlocksOfIndexedLines) {
    ListHolder h;
    h.ints.add(0);
    h.ints.add(-3);
    h.ints.add(35);
    h.texts.add("a=b");
    h.texts.add("");
    h.saveFile("T", "");
    Text_ expected;
    for (const char* l : {"<T>", "<pageSlots>", "i=0", "i=-3", "i=35", "</pageSlots>", "<sessionNotes>",
                          "i=a=b", "i=", "</sessionNotes>", "</T>"})
        expected.add(l);
    ASSERT_EQ(h.lines.count(), expected.count());
    for (int i = 0; i < expected.count(); ++i) EXPECT_EQ(h.lines.at(i), expected.at(i)) << i;
}

TEST(ValueLists, ReadingSkipsLinesWithoutTheKeyAndEmptiesFirst) {
    ListHolder h;
    h.ints.add(7);
    h.texts.add("old");
    h.lines.clear();
    for (const char* l :
         {"<T>", "<pageSlots>", "i=4", "x=5", "junk", "  i=12abc", "i=", "</pageSlots>", "</T>"})
        h.lines.add(l);
    ASSERT_TRUE(h.loadFile("T", ""));
    ASSERT_EQ(h.ints.count(), 3);
    EXPECT_EQ(h.ints.at(0), 4);
    EXPECT_EQ(h.ints.at(1), 12);
    EXPECT_EQ(h.ints.at(2), 0);
    EXPECT_EQ(h.texts.count(), 0); // no block: an empty list
}

TEST(GlobalNotes, FirstRunWritesAnEmptyBlock) {
    TempDir t;
    std::string path = t.file("globalNotes.cfg");
    {
        GlobalNotes notes(path);
        EXPECT_EQ(notes.loadResult(), TaggedLoad::Missing);
        EXPECT_EQ(notes.notes.count(), 0);
    }
    EXPECT_EQ(
        readBytes(path),
        "<QuoVelanta Global Notes>\r\n<globalNotes>\r\n</globalNotes>\r\n</QuoVelanta Global Notes>\r\n");
}

TEST(GlobalNotes, NotesSurviveSaveAndLoad) {
    TempDir t;
    std::string path = t.file("globalNotes.cfg");
    {
        GlobalNotes notes(path);
        notes.notes.add("Gig list: key=value stays");
        notes.notes.add("");
        notes.notes.add("  indented i=1");
    }
    EXPECT_EQ(readBytes(path),
              "<QuoVelanta Global Notes>\r\n<globalNotes>\r\ni=Gig list: key=value stays\r\ni=\r\n"
              "i=  indented i=1\r\n</globalNotes>\r\n</QuoVelanta Global Notes>\r\n");
    GlobalNotes again(path);
    EXPECT_EQ(again.loadResult(), TaggedLoad::Loaded);
    ASSERT_EQ(again.notes.count(), 3);
    EXPECT_EQ(again.notes.at(0), "Gig list: key=value stays");
    EXPECT_EQ(again.notes.at(1), "");
    EXPECT_EQ(again.notes.at(2), "  indented i=1");
}

TEST(GlobalNotes, ForeignOrDamagedFileIsKeptAsideOrNeverOverwritten) {
    TempDir t;
    const std::string foreign =
        "<Something Else>\r\n<globalNotes>\r\ni=x\r\n</globalNotes>\r\n</Something Else>\r\n";
    const std::string cut = "<QuoVelanta Global Notes>\r\n<globalNotes>\r\ni=first\r\ni=sec";
    std::string path = t.file("globalNotes.cfg");
    takeStoreNotices();
    // The first is moved to .bad, the second (.bad taken) to .bad2; a fresh file is written after each.
    for (const std::string& content : {foreign, cut}) {
        writeAll(path, content);
        {
            GlobalNotes notes(path);
            EXPECT_EQ(notes.loadResult(), TaggedLoad::Missing);
            EXPECT_EQ(notes.notes.count(), 0);
            notes.notes.add("typed after a failed load");
        }
        EXPECT_NE(readBytes(path).find("i=typed after a failed load"), std::string::npos);
    }
    EXPECT_EQ(readBytes(path + ".bad"), foreign);
    EXPECT_EQ(readBytes(path + ".bad2"), cut);
    // With every aside name taken the file stays where it is and is never written over.
    for (int n = 3; n <= 9; ++n) writeAll(path + ".bad" + std::to_string(n), "");
    writeAll(path, cut);
    {
        GlobalNotes notes(path);
        EXPECT_EQ(notes.loadResult(), TaggedLoad::Failed);
        notes.notes.add("typed after a failed load");
        EXPECT_FALSE(notes.save());
    }
    EXPECT_EQ(readBytes(path), cut);
    Llist<std::string> said = takeStoreNotices();
    ASSERT_EQ(said.count(), 3);
    EXPECT_NE(said.at(2).find("will not be replaced"), std::string::npos);
}

TEST(ValueLists, LineBreaksInsideATextAreWrittenAsBlanks) {
    ListHolder h;
    h.texts.add("first line\r\nsecond\nthird\rfourth");
    h.texts.add("after");
    h.saveFile("T", "");
    ListHolder back;
    back.lines = h.lines;
    back.loadFile("T", "");
    ASSERT_EQ(back.texts.count(), 2);
    EXPECT_EQ(back.texts.at(0), "first line  second third fourth");
    EXPECT_EQ(back.texts.at(1), "after");
}

// Loading a long list costs memory traffic in proportion to its length (a list that grows one slot
// per value copies itself once per value).
TEST(GlobalNotes, LongListsLoadInLinearWork) {
    TempDir dir;
    auto load = [&](int n) {
        std::string text = "<QuoVelanta Global Notes>\r\n<globalNotes>\r\n";
        for (int i = 0; i < n; ++i) text += "i=note number " + std::to_string(i) + " with some words\r\n";
        text += "</globalNotes>\r\n</QuoVelanta Global Notes>\r\n";
        writeAll(dir.file("globalNotes.cfg"), text);
        alloccount::Scope counted;
        unsigned long long bytes = 0;
        {
            GlobalNotes notes(dir.file("globalNotes.cfg"));
            bytes = counted.bytesSince();
            EXPECT_EQ(notes.notes.count(), n);
            EXPECT_EQ(notes.notes.at(n - 1), "note number " + std::to_string(n - 1) + " with some words");
        }
        return double(bytes);
    };
    double small = load(5000), large = load(20000);
    EXPECT_LT(large / small, 6.0) << small << " bytes for 5000 notes, " << large << " for 20000";
}
