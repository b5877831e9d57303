#include <gtest/gtest.h>

#include <vector>

#include "engine/qvapoint.h"

TEST(QvAPoint, DefaultsAndSharedNames) {
    QvAPoint p(96);
    EXPECT_EQ(p.pos, 96);
    EXPECT_TRUE(p.arrangeEnabled);
    EXPECT_TRUE(p.fillEnabled);
    EXPECT_EQ(p.mDrums + p.mBass + p.mChords, 0);
    EXPECT_TRUE(p.oKick && p.oSnare && p.oHihat && p.oPerc && p.oA && p.oB && p.oC);
    EXPECT_EQ(p.cym, 1);

    ASSERT_EQ(QvAPoint::drumModeNames().count(), 3);
    EXPECT_EQ(QvAPoint::drumModeNames().at(1), "Break");
    ASSERT_EQ(QvAPoint::bassModeNames().count(), 4);
    EXPECT_EQ(QvAPoint::bassModeNames().at(1), "Sustain");
    EXPECT_EQ(QvAPoint::chordModeNames().at(3), "Off");
    ASSERT_EQ(QvAPoint::cymbalNames().count(), 8);
    EXPECT_EQ(QvAPoint::cymbalNames().at(6), "Ride Bell");
    EXPECT_EQ(QvAPoint::cymbalNames().at(7), "China");
    EXPECT_EQ(&QvAPoint::cymbalNames(), &QvAPoint::cymbalNames());
}

TEST(QvAPoint, DrumNoteClasses) {
    EXPECT_TRUE(isKickNote(35) && isKickNote(36) && !isKickNote(37));
    EXPECT_TRUE(isSnareNote(37) && isSnareNote(40) && !isSnareNote(41));
    EXPECT_TRUE(isHihatNote(44) && !isHihatNote(43));
    EXPECT_TRUE(isRideNote(59) && isHihatOrRideNote(51) && isHihatOrRideNote(46));
    EXPECT_TRUE(isPercussionNote(49) && isPercussionNote(41) && !isPercussionNote(53));
    EXPECT_TRUE(isCrashNote(57) && isSplashNote(55) && isChinaNote(52));
    EXPECT_TRUE(isCrashTypeNote(52) && isCrashTypeNote(55) && !isCrashTypeNote(51));
    EXPECT_TRUE(isCymbalNote(53) && isCymbalNote(49) && !isCymbalNote(42));
}

TEST(QvAPoint, AllowsNoteByDrumGroup) {
    QvAPoint all;
    for (int n = 0; n < 128; ++n) EXPECT_TRUE(all.allowsNote(n)) << n;
    struct Case {
        std::vector<bool QvAPoint::*> off;
        std::vector<int> refused, allowed;
    };
    // A crash (49) is percussion: the hi-hat switch does not touch it.
    const Case cases[] = {
        {{&QvAPoint::oHihat}, {42, 44, 46, 51, 53, 59}, {49, 36}},
        {{&QvAPoint::oPerc}, {49, 55}, {38}},
        {{&QvAPoint::oKick, &QvAPoint::oSnare}, {35, 39}, {42}},
    };
    for (const Case& c : cases) {
        QvAPoint p;
        for (bool QvAPoint::*sw : c.off) p.*sw = false;
        for (int n : c.refused) EXPECT_FALSE(p.allowsNote(n)) << n;
        for (int n : c.allowed) EXPECT_TRUE(p.allowsNote(n)) << n;
    }
}

TEST(QvAPoint, KindNames) {
    QvAPoint p;
    const char* names[] = {"Normal",
                           "Sustain Bass",
                           "Sustain Chords",
                           "Sustain Bass & Chords",
                           "Break Bass",
                           "Break Chords",
                           "Break Bass & Chords",
                           "Drum Break",
                           "Drum Break + Sustain Bass",
                           "Drum Break + Sustain Chords",
                           "Drum Break + Sustain Bass & Chords",
                           "Break All",
                           "Drums & Bass",
                           "Drums & Chords",
                           "Bass & Chords",
                           "Drums Only",
                           "Bass Only",
                           "Chords Only",
                           "Silence"};
    for (int k = 0; k < kArrangementKindCount; ++k) EXPECT_EQ(p.applyKind(k, false, false), names[k]) << k;
    // The default point is Normal.
    EXPECT_EQ(p.applyKind(0, false, true), "#Normal");
    EXPECT_EQ(p.applyKind(1, false, true), "Sustain Bass");
}

TEST(QvAPoint, ApplyKindSetsModesAndSwitches) {
    QvAPoint p(200);
    p.cym = 4;
    p.fillEnabled = false;
    p.arrangeEnabled = false;
    p.oB = false;
    p.oKick = false;
    EXPECT_EQ(p.applyKind(18, true, false), "Silence");
    EXPECT_EQ(p.mDrums, 2);
    EXPECT_EQ(p.mBass, 3);
    EXPECT_EQ(p.mChords, 3);
    EXPECT_EQ(p.cym, 0);
    EXPECT_TRUE(p.fillEnabled);
    EXPECT_TRUE(p.oKick && p.oSnare && p.oHihat && p.oPerc && p.oA && p.oB && p.oC);
    EXPECT_FALSE(p.arrangeEnabled);
    EXPECT_EQ(p.pos, 200);

    EXPECT_EQ(p.applyKind(16, true, true), "Bass Only"); // apply never marks
    EXPECT_EQ(p.mDrums, 2);
    EXPECT_EQ(p.mBass, 0);
    EXPECT_EQ(p.mChords, 3);
    EXPECT_EQ(p.cym, 1);
    EXPECT_EQ(p.applyKind(16, false, true), "#Bass Only");
    p.cym = 7;
    p.fillEnabled = false;
    EXPECT_EQ(p.applyKind(16, false, true), "#Bass Only"); // cymbal and fill are not compared
}

TEST(QvAPoint, MarkNeedsEverySwitchOn) {
    QvAPoint p;
    p.applyKind(3, true, false);
    p.oB = false;
    EXPECT_EQ(p.applyKind(3, false, true), "Sustain Bass & Chords");
    p.oB = true;
    EXPECT_EQ(p.applyKind(3, false, true), "#Sustain Bass & Chords");
}

TEST(QvAPoint, UnknownKindDoesNothing) {
    QvAPoint p(48);
    p.applyKind(11, true, false);
    p.oA = false;
    p.cym = 6;
    QvAPoint before = p;
    for (int k : {-1, 19, 1000}) {
        EXPECT_EQ(p.applyKind(k, true, true), "");
        EXPECT_EQ(p.mDrums, before.mDrums);
        EXPECT_EQ(p.mBass, before.mBass);
        EXPECT_EQ(p.mChords, before.mChords);
        EXPECT_FALSE(p.oA);
        EXPECT_EQ(p.cym, 6);
    }
}

TEST(QvAPoint, SerializeOrderAndPositionClamp) {
    QvAPoint p(120);
    p.applyKind(8, true, false);
    p.oC = false;
    p.cym = 5;
    p.posBefore34 = 77;
    p.writing = true;
    p.serialize();
    EXPECT_EQ(p.lines.joined(),
              "pos=120\r\narrangeEnabled=true\r\nfillEnabled=true\r\nmDrums=1\r\nmBass=1\r\n"
              "mChords=0\r\noKick=true\r\noSnare=true\r\noHihat=true\r\noPerc=true\r\noA=true\r\n"
              "oB=true\r\noC=false\r\ncym=5\r\n");

    for (auto [text, expected] : {std::pair{"pos=-5", 0}, {"pos=768", 767}, {"pos=767", 767}, {"pos=x", 0}}) {
        QvAPoint r(300);
        r.lines.add(text);
        r.lines.add("mDrums=9"); // other values stay as read
        r.writing = false;
        r.serialize();
        EXPECT_EQ(r.pos, expected) << text;
        EXPECT_EQ(r.mDrums, 9);
    }
}
