#include "engine/harmony.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/qvchord.h"

namespace {

std::vector<int> vec(const Llist<int>& l) {
    std::vector<int> v;
    for (int x : l) v.push_back(x);
    return v;
}

Llist<int> list(std::initializer_list<int> xs) {
    Llist<int> l;
    for (int x : xs) l.add(x);
    return l;
}

// A tone list that counts the tones added to it: one per single inversion step.
struct CountingTones : Llist<int> {
    long long adds = 0;
    void add(const int& item) override {
        ++adds;
        Llist<int>::add(item);
    }
};

QvChord chordOf(int key, int variant, int inversion = 0, int bass = kAutoBassArg) {
    return QvChord(key, variant, inversion, bass, false, 48);
}

const std::array<int, kPartCount> kNoVoicings = {-1, -1, -1, -1, -1, -1, -1};

} // namespace

TEST(Harmony, ChordTonesOfEveryVariant) {
    const std::vector<std::vector<int>> table = {{0, 4, 7, 12}, {0, 3, 7, 12}, {0, 4, 8, 12}, {0, 3, 6, 12},
                                                 {0, 4, 7, 10}, {0, 3, 7, 10}, {0, 4, 7, 11}, {0, 4, 7, 9},
                                                 {0, 3, 7, 9},  {0, 5, 7, 12}, {0, 2, 7, 12}, {0, 3, 7, 11},
                                                 {0, 4, 8, 10}, {0, 4, 8, 11}, {0, 3, 6, 10}, {0, 3, 6, 9},
                                                 {0, 4, 5, 7},  {0, 3, 5, 7},  {0, 2, 4, 7},  {0, 2, 3, 7}};
    Llist<int> tones;
    for (int v = 0; v < 20; ++v) {
        EXPECT_TRUE(chordTones(chordOf(0, v), tones));
        EXPECT_EQ(vec(tones), table[v]) << "variant " << v;
    }
    EXPECT_TRUE(chordTones(chordOf(9, 1), tones));
    EXPECT_EQ(vec(tones), (std::vector<int>{9, 12, 16, 21}));
    QvChord unknown = chordOf(2, 0);
    unknown.variant = 25;
    EXPECT_FALSE(chordTones(unknown, tones));
    EXPECT_EQ(vec(tones), (std::vector<int>{2, 6, 9, 14}));
}

TEST(Harmony, InvertTonesUpAndDown) {
    Llist<int> l = list({0, 4, 7, 12});
    invertTones(l, 1);
    EXPECT_EQ(vec(l), (std::vector<int>{4, 7, 12, 16}));
    invertTones(l, -2);
    EXPECT_EQ(vec(l), (std::vector<int>{-5, 0, 4, 7}));
    Llist<int> two = list({0, 7});
    invertTones(two, 5);
    EXPECT_EQ(vec(two), (std::vector<int>{0, 7}));
    // Negative pitches keep their pitch classes (a positive modulo).
    Llist<int> low = list({-13, -8, -5});
    invertTones(low, 1);
    EXPECT_EQ(vec(low), (std::vector<int>{-8, -5, -1}));
}

TEST(Harmony, HugeInversionCountsAreBoundedAndExact) {
    for (int n : {65, 100, 257, -70, -300}) {
        Llist<int> fast = list({0, 7, 16});
        Llist<int> slow = list({0, 7, 16});
        invertTones(fast, n);
        for (int i = 0; i < (n > 0 ? n : -n); ++i) invertTones(slow, n > 0 ? 1 : -1);
        EXPECT_EQ(vec(fast), vec(slow)) << "n = " << n;
    }
    // The largest counts take a few steps, not one step per inversion.
    CountingTones up, down;
    for (int t : {0, 4, 7, 12}) {
        up.Llist<int>::add(t);
        down.Llist<int>::add(t);
    }
    invertTones(up, INT_MAX);
    invertTones(down, INT_MIN);
    EXPECT_LT(up.adds, 1000);
    EXPECT_LT(down.adds, 1000);
    // Far away, but still the chord's pitch classes in order.
    ASSERT_EQ(up.count(), 4);
    EXPECT_GT(up.at(0), 1000);
    EXPECT_LT(down.at(3), -1000);
    for (int t : up) EXPECT_TRUE(pitchClassOf(t) == 0 || pitchClassOf(t) == 4 || pitchClassOf(t) == 7);
    for (int i = 1; i < 4; ++i) EXPECT_GT(down.at(i), down.at(i - 1));
}

TEST(Harmony, VoicingsRaiseTheChordAndItsStrumVoice) {
    Llist<int> tones;
    Llist<int> voicings[kPartCount];
    std::array<int, kPartCount> heights = {-1, -1, 3, 0, 99, -5, -1};
    voicings[3] = list({1, 2, 3});
    voicings[0] = list({9});
    computeVoicings(chordOf(0, 0), heights, tones, voicings);
    // C major raised until its top is at least 30.
    EXPECT_EQ(vec(tones), (std::vector<int>{19, 24, 28, 31}));
    EXPECT_EQ(vec(voicings[2]), (std::vector<int>{24, 28, 31, 36, 40, 43, 48}));
    EXPECT_TRUE(voicings[3].empty());  // strum height 0
    EXPECT_EQ(voicings[4].count(), 7); // 99 is taken as 7: the top voice at least 30
    EXPECT_GE(voicings[4].at(6), 30);
    EXPECT_LT(voicings[4].at(5), 30);
    EXPECT_EQ(vec(voicings[0]), (std::vector<int>{9})); // not a chord-code track: left alone
    EXPECT_TRUE(voicings[5].empty());                   // negative: not a chord-code track
    // The inversion moves both on.
    computeVoicings(chordOf(0, 0, 1), kNoVoicings, tones, voicings);
    EXPECT_EQ(vec(tones), (std::vector<int>{24, 28, 31, 36}));
    computeVoicings(chordOf(0, 0, INT_MIN), kNoVoicings, tones, voicings);
    EXPECT_EQ(tones.count(), 4);
}

TEST(Harmony, MappingPatternPitchesOntoChords) {
    Llist<int> tones;
    // A minor pattern E (64) on A minor: 63, then the key offset 9 - 12.
    QvChord am = chordOf(9, 1);
    EXPECT_EQ(mapChordPitch(am, 64), 60);
    EXPECT_EQ(mapPitchToVariant(am, 69), 70);
    EXPECT_EQ(mapPitchToVariant(chordOf(0, 10), 64), 62); // sus2
    EXPECT_EQ(mapPitchToVariant(chordOf(0, 13), 69), 71);
    EXPECT_EQ(mapPitchToVariant(chordOf(0, 14), 67), 66);
    EXPECT_EQ(mapPitchToVariant(chordOf(0, 7), 64), 64);
    EXPECT_EQ(mapPitchToVariant(chordOf(0, 1), -8), -9); // class 4 of a negative pitch
    // D major: key offset +2; E major: -8.
    EXPECT_EQ(mapLowPitch(chordOf(2, 0), tones, 36), 38);
    EXPECT_EQ(mapLowPitch(chordOf(4, 0), tones, 36), 28);
    EXPECT_EQ(mapLowPitch(chordOf(2, 0), tones, 67), 57); // 69 is lowered an octave
    // Slash chord C/E: the root goes to the bass, E below C.
    QvChord ce = chordOf(0, 0, 0, 4);
    computeVoicings(ce, kNoVoicings, tones, nullptr);
    EXPECT_EQ(mapPitchToChord(ce, tones, 48), 40);
    // Other pitches: the chord tone with the least distance above p + b that is not 0, 1, 10 or 11
    // semitones over the bass; placed at p + b + d.
    EXPECT_EQ(mapPitchToChord(ce, tones, 43), 36); // 35 + 1 (C)
    EXPECT_EQ(mapPitchToChord(ce, tones, 40), 36); // 32 + 4 (C; E is the bass itself, G lies 11 above)
    // A slash chord whose tones all clash with the bass plays p + b.
    QvChord odd = chordOf(0, 0, 0, 1); // C/Db
    Llist<int> clashing = list({0, 12, 11});
    EXPECT_EQ(mapPitchToChord(odd, clashing, 43), 43 + odd.bassOffset());
    EXPECT_EQ(mapPitchToChord(ce, tones, INT_MAX), 1000000 - 8 + 4);
}

TEST(Harmony, ChordCodes) {
    Llist<int> tones = list({19, 24, 28, 31});
    Llist<int> voicing = list({24, 28, 31, 36, 40, 43, 48});
    Llist<int> none;
    Llist<int> out;
    chordCodePitches(60, tones, voicing, out);
    EXPECT_EQ(vec(out), (std::vector<int>{55, 60, 64, 67}));
    chordCodePitches(72, tones, voicing, out);
    EXPECT_EQ(vec(out), (std::vector<int>{60}));
    chordCodePitches(78, tones, voicing, out);
    EXPECT_EQ(vec(out), (std::vector<int>{84}));
    chordCodePitches(79, tones, voicing, out);
    EXPECT_TRUE(out.empty());
    chordCodePitches(75, tones, none, out); // strum height 0: no voicing
    EXPECT_TRUE(out.empty());
    chordCodePitches(61, tones, voicing, out);
    EXPECT_TRUE(out.empty());
    chordCodePitches(60, none, voicing, out);
    EXPECT_TRUE(out.empty());
    chordCodePitches(INT_MAX, tones, voicing, out);
    EXPECT_TRUE(out.empty());
}
