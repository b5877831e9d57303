#include "engine/customstylemixes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/textfile.h"
#include "tests/common/tempdir.h"

namespace {

namespace fs = std::filesystem;

std::string mixBlock(const std::string& volDrums, int style) {
    return "<Mix>\r\nvolDrums=" + volDrums +
           "\r\nmixKick=0.5\r\nmixSnare=0.5\r\nmixHihat=0.5\r\nmixExtra=0.5\r\nmixRide=0.5\r\nmixCrash=0."
           "5\r\n"
           "mixFxCym=0.5\r\nvolBass=0.8\r\nvolChords=0.8\r\nmixA=1\r\nmixB=1\r\nmixC=1\r\nforStyle=" +
           std::to_string(style) + "\r\n</Mix>\r\n";
}

const std::string kHead = "<QuoVelanta Custom Style Mixes>\r\n";
const std::string kTail = "</QuoVelanta Custom Style Mixes>\r\n";

} // namespace

TEST(CustomStyleMixes, StoringTwiceForAStyleKeepsOneEntryWithTheNewerValues) {
    TempDir t;
    std::string path = t.file("customStyleMixes.dat");
    {
        CustomStyleMixes store(path);
        QvSessionMix live;
        live.writeForStyle = false;
        live.volDrums = 0.3;
        QvSessionMix& stored = store.storeCurrentMix(live, 12);
        EXPECT_EQ(stored.forStyle, 12);
        EXPECT_EQ(live.forStyle, -1); // the live mix itself is not changed
        live.volDrums = 0.25;
        store.storeCurrentMix(live, 12);
        live.volDrums = 0.9;
        store.storeCurrentMix(live, 3);
        ASSERT_EQ(store.mixes.count(), 2);
        EXPECT_DOUBLE_EQ(store.mixes.at(0).volDrums, 0.25);
        EXPECT_TRUE(store.hasMix(12));
        EXPECT_TRUE(store.hasMix(3));
        EXPECT_FALSE(store.hasMix(4));
    }
    EXPECT_EQ(readBytes(path), kHead + mixBlock("0.25", 12) + mixBlock("0.9", 3) + kTail);
}

TEST(CustomStyleMixes, ApplyCopiesTheWholeMix) {
    TempDir t;
    CustomStyleMixes store(t.file("customStyleMixes.dat"));
    QvSessionMix saved;
    saved.mixSnare = 0.1;
    saved.mixC = 0.4;
    store.storeCurrentMix(saved, 7);
    QvSessionMix live;
    live.volBass = 0.2;
    EXPECT_FALSE(store.applyMix(8, live));
    EXPECT_DOUBLE_EQ(live.volBass, 0.2);
    EXPECT_TRUE(store.applyMix(7, live));
    EXPECT_DOUBLE_EQ(live.volBass, 0.8);
    EXPECT_DOUBLE_EQ(live.mixSnare, 0.1);
    EXPECT_DOUBLE_EQ(live.mixC, 0.4);
    EXPECT_EQ(live.forStyle, 7);
    store.removeMix(7);
}

TEST(CustomStyleMixes, TwoBlocksForOneStyleLoadBothAndTheFirstCounts) {
    TempDir t;
    std::string path = t.file("customStyleMixes.dat");
    ASSERT_TRUE(writeFileAtomic(path, kHead + mixBlock("0.1", 5) + mixBlock("0.2", 5) + kTail));
    CustomStyleMixes store(path);
    EXPECT_EQ(store.loadResult(), TaggedLoad::Loaded);
    ASSERT_EQ(store.mixes.count(), 2);
    QvSessionMix live;
    ASSERT_TRUE(store.applyMix(5, live));
    EXPECT_DOUBLE_EQ(live.volDrums, 0.1);
    store.removeMix(5);
    ASSERT_EQ(store.mixes.count(), 1);
    EXPECT_DOUBLE_EQ(store.mixes.at(0).volDrums, 0.2);
}

TEST(CustomStyleMixes, NoMixLeftDeletesTheFile) {
    TempDir t;
    std::string path = t.file("customStyleMixes.dat");
    ASSERT_TRUE(writeFileAtomic(path, kHead + mixBlock("0.5", 2) + kTail));
    {
        CustomStyleMixes store(path);
        store.removeMix(2);
    }
    EXPECT_FALSE(fs::exists(path));
    { CustomStyleMixes store(path); } // no file and no mix: still no file
    EXPECT_FALSE(fs::exists(path));
}

TEST(CustomStyleMixes, ForeignDamagedOrHugeFileIsKeptAside) {
    TempDir t;
    std::string path = t.file("customStyleMixes.dat");
    const std::string cut = kHead + mixBlock("0.5", 2) + "<Mix>\r\nvolDr";
    // A file past the size limit is refused without being read.
    const std::string huge = kHead + std::string(kMaxTextFileBytes, '\n') + kTail;
    for (const std::string& content : {cut, huge}) {
        ASSERT_TRUE(writeFileAtomic(path, content));
        {
            CustomStyleMixes store(path);
            EXPECT_EQ(store.loadResult(), TaggedLoad::Missing);
            EXPECT_EQ(store.mixes.count(), 0);
        }
        EXPECT_FALSE(fs::exists(path)); // no mix: nothing written
        EXPECT_EQ(readBytes(path + ".bad"), content);
        fs::remove(path + ".bad");
    }
    takeStoreNotices();
}
