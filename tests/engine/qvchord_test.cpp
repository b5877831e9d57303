#include <gtest/gtest.h>

#include <climits>

#include "engine/qvchord.h"

namespace {

QvChord readChord(std::initializer_list<const char*> fileLines) {
    QvChord c;
    for (const char* l : fileLines) c.lines.add(l);
    c.writing = false;
    c.serialize();
    return c;
}

} // namespace

TEST(QvChord, ConstructorNormalisesKeyAndBass) {
    QvChord d;
    EXPECT_EQ(d.key, 0);
    EXPECT_EQ(d.variant, 0);
    EXPECT_EQ(d.len, 48);
    EXPECT_TRUE(d.autoBass);
    EXPECT_EQ(d.bass, 0);
    EXPECT_FALSE(d.selected);
    EXPECT_EQ(d.endBefore34, 0);

    QvChord a(14, 0, 0, kAutoBassArg, false, -1);
    EXPECT_EQ(a.key, 2);
    EXPECT_EQ(a.bass, 2);
    EXPECT_TRUE(a.autoBass);

    QvChord same(2, 0, 0, 2, false, -1); // bass equal to the root is automatic bass
    EXPECT_TRUE(same.autoBass);

    QvChord slash(0, 1, 0, 7, false, 24);
    EXPECT_EQ(slash.variant, 1);
    EXPECT_EQ(slash.bass, 7);
    EXPECT_FALSE(slash.autoBass);
    EXPECT_EQ(slash.effectiveBass(), 7);
    EXPECT_EQ(slash.len, 24);

    QvChord low(0, 0, 0, -1, false, -1); // bass -1 is B, not automatic
    EXPECT_EQ(low.bass, 11);
    EXPECT_FALSE(low.autoBass);
}

TEST(QvChord, SetKeyAndBassReturnTheRaisedOctave) {
    QvChord c;
    EXPECT_EQ(c.setKey(-1), 99);
    EXPECT_EQ(c.key, 11);
    EXPECT_EQ(c.setKey(25), 2);
    EXPECT_EQ(c.key, 1);
    EXPECT_EQ(c.setKey(-1200), 0);
    EXPECT_EQ(c.key, 0);
    EXPECT_EQ(c.setKey(-1201), 99);
    EXPECT_EQ(c.key, 11);
    EXPECT_EQ(c.setBass(-13), 98); // 1187 / 12
    EXPECT_EQ(c.bass, 11);
    // Extreme values neither loop for long nor overflow.
    c.setKey(INT_MIN);
    EXPECT_GE(c.key, 0);
    EXPECT_LT(c.key, 12);
    EXPECT_EQ(c.key, static_cast<int>((static_cast<long long>(INT_MIN) % 12 + 12) % 12));
    EXPECT_EQ(c.setKey(INT_MAX), INT_MAX / 12);
    EXPECT_EQ(c.key, INT_MAX % 12);
}

TEST(QvChord, OffsetsAndVisualKeys) {
    QvChord ds(3, 0, 0, kAutoBassArg, false, -1);
    QvChord e(4, 0, 0, kAutoBassArg, false, -1);
    EXPECT_EQ(ds.keyOffset(), 3);
    EXPECT_EQ(e.keyOffset(), -8);
    QvChord ce(0, 0, 0, 4, false, -1); // C/E
    EXPECT_EQ(ce.keyOffset(), 0);
    EXPECT_EQ(ce.bassOffset(), -8);
    EXPECT_EQ(ds.bassOffset(), 3); // automatic bass follows the root

    QvChord b(11, 0, 0, 2, false, -1);
    EXPECT_EQ(b.keyOffset(), -1);
    EXPECT_EQ(b.visualKey(0), 11);
    EXPECT_EQ(b.visualKey(10), 1); // shown for a Bb instrument: C sharp
    EXPECT_EQ(b.visualBass(3), 11);
    EXPECT_EQ(b.visualKey(-1), 0);
    EXPECT_EQ(b.visualKey(INT_MIN), static_cast<int>(((11LL - INT_MIN) % 12 + 12) % 12));
}

TEST(QvChord, EqualityIgnoresLengthAndEditingState) {
    QvChord a(5, 4, 1, 9, false, 48);
    QvChord b(5, 4, 1, 9, false, 12);
    b.selected = true;
    b.endAfter34 = 30;
    EXPECT_TRUE(a.equals(b));

    QvChord octave(5, 4, 1, 9, true, 48);
    EXPECT_FALSE(a.equals(octave));
    EXPECT_FALSE(a.equals(QvChord(5, 4, 0, 9, false, 48)));
    EXPECT_FALSE(a.equals(QvChord(5, 5, 1, 9, false, 48)));
    EXPECT_FALSE(a.equals(QvChord(6, 4, 1, 9, false, 48)));
    EXPECT_FALSE(a.equals(QvChord(5, 4, 1, 10, false, 48)));

    // Only the effective bass counts: a stale stored bass under automatic bass does not.
    QvChord autoA(7, 0, 0, kAutoBassArg, false, -1);
    QvChord autoB(7, 0, 0, kAutoBassArg, false, -1);
    autoB.bass = 3;
    EXPECT_TRUE(autoA.equals(autoB));
    QvChord slashOnRoot(7, 0, 0, 1, false, -1);
    slashOnRoot.bass = 7;
    slashOnRoot.autoBass = false;
    EXPECT_TRUE(autoA.equals(slashOnRoot));
}

TEST(QvChord, TransposeMovesRootAndStoredBass) {
    QvChord c(10, 0, 0, 2, false, -1);
    EXPECT_EQ(c.transpose(3), 0); // 5 / 12
    EXPECT_EQ(c.key, 1);
    EXPECT_EQ(c.bass, 5);
    QvChord a(0, 0, 0, kAutoBassArg, false, -1);
    EXPECT_EQ(a.transpose(-1), 99);
    EXPECT_EQ(a.key, 11);
    EXPECT_EQ(a.bass, 11);
    EXPECT_TRUE(a.autoBass);
    a.transpose(INT_MAX);
    EXPECT_GE(a.key, 0);
    EXPECT_LT(a.key, 12);
}

TEST(QvChord, WritesItsKeysInOrder) {
    QvChord c(9, 5, -2, 4, true, 24);
    c.selected = true;
    c.endBefore34 = 12;
    c.writing = true;
    c.serialize();
    ASSERT_EQ(c.lines.count(), 7);
    EXPECT_EQ(
        c.lines.joined(),
        "key=9\r\nvariant=5\r\ninversion=-2\r\nbass=4\r\nautoBass=false\r\nbassOctave=true\r\nlen=24\r\n");
}

TEST(QvChord, ReadingRepairsOutOfRangeValues) {
    struct Case {
        std::initializer_list<const char*> lines;
        int key, bass, variant, inversion, len;
    };
    // Keys that are not in a block keep the default chord's values (key 0, bass 0, len 48).
    const Case cases[] = {
        {{"key=-1", "variant=25", "inversion=9", "bass=14", "autoBass=false", "len=0"}, 11, 2, 0, 3, 12},
        {{"len=-48"}, 0, 0, 0, 0, kShortestChord44}, // no sliver: the shortest chord the editor makes
        {{"variant=19", "inversion=-4", "len=769"}, 0, 0, 19, -3, 768},
        {{"variant=-1", "inversion=-3", "len=768", "key=x"}, 0, 0, 0, -3, 768},
    };
    for (const Case& c : cases) {
        QvChord r = readChord(c.lines);
        SCOPED_TRACE(*c.lines.begin());
        EXPECT_EQ(r.key, c.key);
        EXPECT_EQ(r.bass, c.bass);
        EXPECT_EQ(r.variant, c.variant);
        EXPECT_EQ(r.inversion, c.inversion);
        EXPECT_EQ(r.len, c.len);
    }

    // Missing keys keep the chord's values.
    QvChord keep(7, 3, 1, 2, true, 36);
    keep.lines.add("len=12");
    keep.writing = false;
    keep.serialize();
    EXPECT_EQ(keep.key, 7);
    EXPECT_EQ(keep.variant, 3);
    EXPECT_EQ(keep.inversion, 1);
    EXPECT_TRUE(keep.bassOctave);
    EXPECT_EQ(keep.len, 12);
}
