#include "engine/sessionfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <string>
#include <tuple>
#include <vector>

#include "engine/qvcore.h"
#include "engine/qvhistory.h"
#include "model_test_util.h"
#include "tests/common/sessiondoc.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

std::string fixture(const std::string& name) {
    return modelFixture("session", name);
}

// Every kind of content a session holds: all 36 pages (chords on every page, points on some), a
// page sequence, notes with "=" in them, links and every setting away from its default.
void fillSession(QvCore& core) {
    core.styleNumber = 14;
    core.tempo(133);
    core.key = 5;
    core.sharpFlatMode = 1;
    core.loopStart = 2;
    core.loopEnd = 5;
    core.loopMode = 1;
    core.loopRegionActive = true;
    core.fadeOutMode = -4;
    core.autoCymbal = false;
    core.autoCymbal_nthBar = 8;
    core.cymbalOnPageStart = true;
    core.rewindStyleInLoops = true;
    core.restartStyleOnPageChange = false;
    core.mix.volDrums = 0.75;
    core.mix.mixKick = 0.6;
    core.mix.mixFxCym = 0.125;
    core.mix.volChords = 0.3;
    core.mix.mixB = 0.05;
    for (int p = 0; p < kPageCount; ++p) {
        QvPage& page = core.pages.at(p);
        page.addChord(QvChord(p % 12, p % 20, p % 3 - 1, kAutoBassArg, false, 48), -1);
        if (p % 5 == 0) page.addChord(QvChord((p + 7) % 12, 4, 0, (p + 4) % 12, true, 24), -1);
        if (p % 7 == 0) {
            page.addAPoint(0);
            page.addAPoint(24 + p);
            QvAPoint point = page.apointAt(1);
            point.applyKind(11, true, false);
            point.cym = 6;
            point.oB = false;
            page.setAPoint(point, 1);
        }
        if (p == 35) page.zoom = 16;
    }
    core.pageSlots.clear();
    for (int s : {0, 1, 2, 0, 35, 10}) core.pageSlots.add(s);
    core.sessionNotes.add("Intro: 4 bars");
    core.sessionNotes.add("");
    core.sessionNotes.add("capo=2, key=G");
    core.sessionLinks.at(0) = "/home/me/lyrics.txt";
    core.sessionLinks.at(3) = "www.example.org/tabs?a=b";
}

bool loadDoc(SessionDoc& doc, const std::string& path) {
    doc.core.reset();
    return doc.loadFile(kSessionHeader, path);
}

} // namespace

TEST(SessionFile, FullSessionIsWrittenByteExactly) {
    ScratchDir dir;
    SessionDoc doc;
    fillSession(doc.core);
    doc.fileVersion = "1.1";
    std::string path = dir.path("full.qvs");
    ASSERT_TRUE(doc.saveFile(kSessionHeader, path));
    EXPECT_EQ(doc.fileVersion, "2.2");
    EXPECT_EQ(fileBytes(path), fileBytes(fixture("full36.qvs")));
}

TEST(SessionFile, FullSessionReadsBackWhole) {
    SessionDoc doc;
    ASSERT_TRUE(loadDoc(doc, fixture("full36.qvs")));
    SessionDoc expected;
    fillSession(expected.core);
    const QvCore& a = doc.core;
    const QvCore& b = expected.core;
    EXPECT_EQ(doc.fileVersion, "2.2");
    EXPECT_FALSE(doc.waltzNotice);
    EXPECT_EQ(a.styleNumber, 14);
    EXPECT_EQ(a.tempoValue, 133);
    EXPECT_EQ(a.key, 5);
    EXPECT_EQ(a.sharpFlatMode, 1);
    EXPECT_EQ(a.loopStart, 2);
    EXPECT_EQ(a.loopEnd, 5);
    EXPECT_EQ(a.loopMode, 1);
    EXPECT_TRUE(a.loopRegionActive);
    EXPECT_EQ(a.fadeOutMode, -4);
    EXPECT_FALSE(a.autoCymbal);
    EXPECT_EQ(a.autoCymbal_nthBar, 8);
    EXPECT_TRUE(a.cymbalOnPageStart);
    EXPECT_TRUE(a.rewindStyleInLoops);
    EXPECT_FALSE(a.restartStyleOnPageChange);
    EXPECT_DOUBLE_EQ(a.mix.volDrums, 0.75);
    EXPECT_DOUBLE_EQ(a.mix.mixFxCym, 0.125);
    EXPECT_DOUBLE_EQ(a.mix.mixB, 0.05);
    EXPECT_EQ(a.mix.forStyle, -1); // the session mix has no style line
    ASSERT_EQ(a.pages.count(), kPageCount);
    for (int p = 0; p < kPageCount; ++p) {
        const QvPage& pa = a.pages.at(p);
        const QvPage& pb = b.pages.at(p);
        ASSERT_EQ(pa.chordCount(), pb.chordCount()) << p;
        for (int c = 0; c < pa.chordCount(); ++c) {
            EXPECT_TRUE(pa.chordAt(c).equals(pb.chordAt(c))) << p << " " << c;
            EXPECT_EQ(pa.chordAt(c).len, pb.chordAt(c).len);
        }
        ASSERT_EQ(pa.apointCount(), pb.apointCount()) << p;
        for (int k = 0; k < pa.apointCount(); ++k) {
            EXPECT_EQ(pa.apointAt(k).pos, pb.apointAt(k).pos);
            EXPECT_EQ(pa.apointAt(k).cym, pb.apointAt(k).cym);
            EXPECT_EQ(pa.apointAt(k).oB, pb.apointAt(k).oB);
            EXPECT_EQ(pa.apointAt(k).mBass, pb.apointAt(k).mBass);
        }
        EXPECT_EQ(pa.zoom, pb.zoom);
    }
    ASSERT_EQ(a.pageSlots.count(), 6);
    EXPECT_EQ(a.pageSlots.at(4), 35);
    ASSERT_EQ(a.sessionNotes.count(), 3);
    EXPECT_EQ(a.sessionNotes.at(2), "capo=2, key=G");
    EXPECT_EQ(a.sessionLinks.at(3), "www.example.org/tabs?a=b");
    // Written back, the file is unchanged.
    ScratchDir dir;
    ASSERT_TRUE(doc.saveFile(kSessionHeader, dir.path("again.qvs")));
    EXPECT_EQ(fileBytes(dir.path("again.qvs")), fileBytes(fixture("full36.qvs")));
}

TEST(SessionFile, LegacyFileOfVersion11) {
    SessionDoc doc;
    ASSERT_TRUE(loadDoc(doc, fixture("legacy11.qvs")));
    EXPECT_EQ(doc.fileVersion, "1.1");
    // Repeat mode 2 of version 1.x was the loop region.
    EXPECT_EQ(doc.core.loopMode, 0);
    EXPECT_TRUE(doc.core.loopRegionActive);
    EXPECT_EQ(doc.core.styleNumber, 26);
    EXPECT_TRUE(doc.waltzNotice);
    // No page sequence block: page 0 only.
    ASSERT_EQ(doc.core.pageSlots.count(), 1);
    EXPECT_EQ(doc.core.pageSlots.at(0), 0);
    EXPECT_EQ(doc.core.pages.at(0).chordCount(), 2);
}

TEST(SessionFile, RepeatModeRulesByVersion) {
    struct Case {
        std::string version;
        int loopMode;
        bool region;
        int wantMode;
        bool wantRegion;
    };
    for (const Case& c :
         {Case{"", 1, true, 1, false}, Case{"1.1", 5, false, 0, true}, Case{"2.0", 5, false, 2, false},
          Case{"2.2", 2, true, 2, true}, Case{"2.2", -4, false, 0, false}}) {
        SessionDoc doc;
        doc.core.reset();
        doc.lines.clear();
        doc.lines.add("<QuoVelanta Session>");
        if (!c.version.empty()) doc.lines.add("fileVersion=" + c.version);
        doc.lines.add("loopMode=" + std::to_string(c.loopMode));
        doc.lines.add(std::string("loopRegionActive=") + (c.region ? "true" : "false"));
        doc.lines.add("</QuoVelanta Session>");
        ASSERT_TRUE(doc.loadFile(kSessionHeader, ""));
        EXPECT_EQ(doc.core.loopMode, c.wantMode) << c.version << " " << c.loopMode;
        EXPECT_EQ(doc.core.loopRegionActive, c.wantRegion) << c.version << " " << c.loopMode;
    }
}

TEST(SessionFile, TruncatedFileDoesNotLoad) {
    SessionDoc doc;
    doc.core.reset();
    EXPECT_FALSE(doc.loadFile(kSessionHeader, fixture("truncated.qvs")));
    EXPECT_EQ(doc.core.styleNumber, 0);
    EXPECT_EQ(doc.core.pages.at(0).chordCount(), 0);
}

TEST(SessionFile, FileWithoutItsOwnKeyKeepsTheDefaultKey) {
    SessionDoc doc;
    ASSERT_TRUE(loadDoc(doc, fixture("nokey.qvs")));
    // The first chord's key is 5 and a point block carries "key=9": neither is the session's key.
    EXPECT_EQ(doc.core.key, 0);
    EXPECT_EQ(doc.core.pages.at(1).chordAt(0).key, 5);
    EXPECT_EQ(doc.core.styleNumber, 3);
    EXPECT_EQ(doc.core.tempoValue, 96);
}

TEST(SessionFile, BadValuesAreBroughtIntoRange) {
    SessionDoc doc;
    ASSERT_TRUE(loadDoc(doc, fixture("badvalues.qvs")));
    EXPECT_EQ(doc.fileVersion, "3.0");
    EXPECT_EQ(doc.core.key, 11);         // -13
    EXPECT_EQ(doc.core.tempoValue, 220); // 500
    EXPECT_EQ(doc.core.loopMode, 0);     // -2
    EXPECT_EQ(doc.core.loopStart, -1);   // start after end
    EXPECT_EQ(doc.core.loopEnd, -1);
    EXPECT_FALSE(doc.core.loopRegionActive);
    ASSERT_EQ(doc.core.pageSlots.count(), 2); // 36 and -1 dropped; x reads as 0
    EXPECT_EQ(doc.core.pageSlots.at(0), 4);
    EXPECT_EQ(doc.core.pageSlots.at(1), 0);
    EXPECT_DOUBLE_EQ(doc.core.mix.volBass, 1.0);  // "abc" reads as 1.0
    EXPECT_DOUBLE_EQ(doc.core.mix.volDrums, 1.0); // 7.5 clamped
}

TEST(SessionFile, LoopsOutsideTheSequenceAreDeactivated) {
    for (auto [start, end, keep] :
         {std::tuple{0, 15, true}, std::tuple{0, 16, false}, std::tuple{-1, 3, false},
          std::tuple{-1, -1, true}, std::tuple{3, 3, true}, std::tuple{-5, -1, false}}) {
        SessionDoc doc;
        doc.core.reset();
        doc.lines.clear();
        for (const std::string& l : std::vector<std::string>{
                 "<QuoVelanta Session>", "fileVersion=2.2", "loopStart=" + std::to_string(start),
                 "loopEnd=" + std::to_string(end), "loopRegionActive=true", "</QuoVelanta Session>"})
            doc.lines.add(l);
        ASSERT_TRUE(doc.loadFile(kSessionHeader, ""));
        EXPECT_EQ(doc.core.loopStart, keep ? start : -1) << start << " " << end;
        EXPECT_EQ(doc.core.loopEnd, keep ? end : -1);
        EXPECT_EQ(doc.core.loopRegionActive, keep);
    }
}

TEST(SessionFile, VersionComparison) {
    EXPECT_TRUE(isVersionNewer("2.2", "3.0"));
    EXPECT_TRUE(isVersionNewer("2.2", "2.3"));
    EXPECT_FALSE(isVersionNewer("2.2", "2.2"));
    EXPECT_FALSE(isVersionNewer("2.2", "2.1"));
    EXPECT_FALSE(isVersionNewer("2.2", "10"));
    EXPECT_FALSE(isVersionNewer("2.2", ""));
    EXPECT_FALSE(isVersionNewer("2.2", "2.10")); // counts as 21
    EXPECT_FALSE(isVersionNewer("2.2", "2.x3")); // a non-digit counts 0: 20
    EXPECT_TRUE(isVersionNewer("x.5", "1.1"));   // 5 < 11
}

TEST(SessionFile, TopLevelLinesSkipEveryBlock) {
    Text_ lines;
    for (const char* l : {"a=1", "<chord page 0>", "<chords>", "key=4", "</chords>", "pageZoom=8",
                          "</chord page 0>", "note=<b>", "<pageSlots>", "i=0", "</pageSlots>", "z=2"})
        lines.add(l);
    Text_ top = topLevelLines(lines);
    ASSERT_EQ(top.count(), 3);
    EXPECT_EQ(top.at(0), "a=1");
    EXPECT_EQ(top.at(1), "note=<b>");
    EXPECT_EQ(top.at(2), "z=2");
}

namespace {

struct QuietClient : HistoryClient {};

} // namespace

TEST(SessionFile, ReadingKeepsTheSessionsLimits) {
    SessionDoc doc;
    doc.core.reset();
    fillLargestSession(doc.core);
    // Beyond every limit: a 17th bar of chords, more points, slots, notes and a longer link.
    doc.core.pages.at(3).addChord(QvChord(), -1);
    doc.core.pages.at(3).chords.at(0).len = 20;
    for (int i = 0; i < 40; ++i) doc.core.pageSlots.add(1);
    doc.core.sessionNotes.add("one line too many");
    doc.core.sessionLinks.at(2) = std::string(kMaxLinkBytes - 1, 'l') + "\xC3\xBC" + "xx";
    TempDir dir;
    ASSERT_TRUE(doc.saveFile(kSessionHeader, dir.file("big.qvs")));
    SessionDoc back;
    ASSERT_TRUE(loadDoc(back, dir.file("big.qvs")));
    EXPECT_EQ(back.core.pages.at(3).length(true), kMaxPageUnits);
    EXPECT_EQ(back.core.pages.at(3).chordCount(), kMaxChordsPerPage - 4); // 20 + 187 x 4 + the cut one
    EXPECT_EQ(back.core.pageSlots.count(), kMaxPageSlots);
    EXPECT_EQ(back.core.sessionNotes.count(), kMaxNoteLines);
    EXPECT_EQ(back.core.sessionLinks.at(2).size(), std::size_t(kMaxLinkBytes - 1)); // "ü" is not split
    EXPECT_EQ(back.cuts.describe().at(0), "5 chords beyond the 16 bars a page holds: left out.");
}

TEST(SessionFile, ReadingCountsWhatTheLimitsLeaveOut) {
    std::string t = "<QuoVelanta Session>\r\n<chord page 0>\r\n";
    for (int i = 0; i < 200; ++i) t += "<chords>\r\nlen=1\r\n</chords>\r\n";
    for (int i = 0; i < 200; ++i) t += "<apoints>\r\npos=" + std::to_string(i % 195) + "\r\n</apoints>\r\n";
    t += "</chord page 0>\r\n<chord page 1>\r\n";
    for (const char* len : {"700", "-5", "100", "0"})
        t += std::string("<chords>\r\nlen=") + len + "\r\n</chords>\r\n";
    t += "</chord page 1>\r\n<chord page 36>\r\n</chord page 36>\r\n<pageSlots>\r\ni=1\r\ni=36\r\ni=-1\r\n"
         "</pageSlots>\r\n</QuoVelanta Session>\r\n";
    TempDir dir;
    ASSERT_TRUE(writeFileAtomic(dir.file("cut.qvs"), t));
    SessionDoc doc;
    ASSERT_TRUE(loadDoc(doc, dir.file("cut.qvs")));
    const QvPage& page = doc.core.pages.at(1);
    ASSERT_EQ(page.chordCount(), 3); // 700, the shortest chord (12), the rest of the 16 bars (56)
    EXPECT_EQ(page.chordLength(1), kShortestChord44);
    EXPECT_EQ(page.chordLength(2), 56);
    EXPECT_EQ(doc.core.pages.at(0).apointAt(kMaxPointsPerPage - 1).pos, kMaxPointsPerPage - 1);
    const SessionCuts& c = doc.cuts;
    EXPECT_EQ(std::make_tuple(c.pages.chordsPastCount, c.pages.chordsPastEnd, c.pages.chordsShortened),
              std::make_tuple(8, 1, 1));
    EXPECT_EQ(
        std::make_tuple(c.pages.pointsPastCount, c.pages.pointsSamePlace, c.pagesPastCount, c.slotsNoPage),
        std::make_tuple(3, 5, 1, 2));
    EXPECT_EQ(doc.core.pages.at(0).lines.count() + page.lines.count(), 0); // no text stays with the pages
}

TEST(SessionFile, TheLargestSessionFitsTheFileLimitsAndMemoryWithItsHistory) {
    QvCore live;
    StepControl clock;
    fillLargestSession(live);
    SessionDoc doc;
    doc.core = live;
    TempDir dir;
    ASSERT_TRUE(doc.saveFile(kSessionHeader, dir.file("largest.qvs")));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(dir.file("largest.qvs"), bytes));
    EXPECT_LT(bytes.size(), kMaxSessionFileBytes);
    Text_ text;
    ASSERT_EQ(readSessionText(dir.file("largest.qvs"), text), FileProblem::None);
    EXPECT_LT(text.count(), kMaxSessionFileLines);
    // Read back whole.
    SessionDoc back;
    ASSERT_TRUE(loadDoc(back, dir.file("largest.qvs")));
    for (int p = 0; p < kPageCount; ++p) {
        EXPECT_EQ(back.core.pages.at(p).chordCount(), kMaxChordsPerPage);
        EXPECT_EQ(back.core.pages.at(p).apointCount(), kMaxPointsPerPage);
    }
    EXPECT_EQ(back.core.sessionNotes.count(), kMaxNoteLines);
    // The live session and 100 undo steps of it stay under 300 MB.
    const std::size_t before = mallinfo2().uordblks;
    {
        QuietClient client;
        // The session read from the file, as an open leaves it.
        QvHistory history(back.core, clock, client);
        history.reset("[Open session]");
        for (int i = 0; i < 120; ++i) {
            back.core.pages.at(i % kPageCount).chords.at(0).key = i % 12;
            history.record("Edit " + std::to_string(i), false);
        }
        // AddressSanitizer keeps its own heap, which the C library's figures do not see.
        if (kAddressSanitizer) GTEST_SKIP() << "heap use is not measured under AddressSanitizer";
        const std::size_t used = mallinfo2().uordblks - before + sizeof(QvCore);
        std::printf("largest session: %zu bytes in file, %.1f MB for 100 undo steps\n", bytes.size(),
                    used / 1e6);
        EXPECT_LT(used, std::size_t(300) << 20);
    }
}

TEST(SessionFile, FilesNoSessionCouldBeAreRefusedUnread) {
    TempDir dir;
    Text_ text;
    EXPECT_EQ(readSessionText(dir.file("none.qvs"), text), FileProblem::NotFound);
    EXPECT_EQ(readSessionText(dir.folder(), text), FileProblem::NotAFile);
    EXPECT_EQ(readSessionText(fixture("truncated.qvs"), text), FileProblem::WrongContent);
    // Past the byte or line limit: too large, whatever it holds.
    std::string many =
        "<QuoVelanta Session>\r\n" + std::string(kMaxSessionFileLines, '\n') + "</QuoVelanta Session>\r\n";
    ASSERT_TRUE(writeFileAtomic(dir.file("lines.qvs"), many));
    EXPECT_EQ(readSessionText(dir.file("lines.qvs"), text), FileProblem::TooLarge);
    std::filesystem::resize_file(dir.file("lines.qvs"), std::uintmax_t(3) << 30); // sparse: costs no disk
    EXPECT_EQ(readSessionText(dir.file("lines.qvs"), text), FileProblem::TooLarge);
    EXPECT_EQ(text.count(), 0);
}
