// The preset chord progressions: the catalogue's shape, its data and the chords it builds.
#include <gtest/gtest.h>

#include "engine/naming.h"
#include "engine/presetprogressions.h"
#include "engine/qvchord.h"

namespace {

std::string symbols(const Llist<QvChord>& chords) {
    std::string s;
    for (const QvChord& c : chords) {
        if (!s.empty()) s += ' ';
        s += chordSymbolText(c, 0, 0);
    }
    return s;
}

int totalLength(const Llist<QvChord>& chords) {
    int n = 0;
    for (const QvChord& c : chords) n += c.len;
    return n;
}

} // namespace

TEST(PresetProgressions, SeventyEntriesWithNineSeparators) {
    std::string name;
    Llist<QvChord> chords;
    int separators = 0;
    int listed = 0;
    // As the menus list them: until the name is empty.
    for (int i = 0;; ++i) {
        getPresetProgression(name, i, chords, false);
        if (name.empty()) break;
        ++listed;
        EXPECT_EQ(chords.count(), 0);
        if (name == "-") {
            ++separators;
            getPresetProgression(name, i, chords, true);
            EXPECT_EQ(chords.count(), 0) << "separator " << i;
            EXPECT_EQ(presetProgressionBars(i), 0);
        }
    }
    EXPECT_EQ(listed, kPresetProgressionCount);
    EXPECT_EQ(separators, 9);
    for (int i : {6, 12, 21, 28, 33, 43, 50, 55, 64}) {
        getPresetProgression(name, i, chords, true);
        EXPECT_EQ(name, "-") << i;
    }
}

TEST(PresetProgressions, EveryProgressionFillsItsBars) {
    std::string name;
    Llist<QvChord> chords;
    for (int i = 0; i < kPresetProgressionCount; ++i) {
        getPresetProgression(name, i, chords, true);
        if (name == "-") continue;
        SCOPED_TRACE(name);
        int bars = presetProgressionBars(i);
        EXPECT_GE(bars, 2);
        EXPECT_GT(chords.count(), 0);
        EXPECT_EQ(totalLength(chords), bars * kUnitsPerBar);
        for (const QvChord& c : chords) {
            EXPECT_TRUE(c.len == 24 || c.len == 48 || c.len == 96 || c.len == 192 || c.len == 384);
            EXPECT_FALSE(c.bassOctave);
            EXPECT_GE(c.variant, 0);
            EXPECT_LT(c.variant, kChordVariantCount);
        }
    }
}

TEST(PresetProgressions, ChordsReadAsTheirNames) {
    std::string name;
    Llist<QvChord> chords;
    // Entries whose name is their chord list.
    for (int i : {0, 1, 2, 3, 4, 5, 13, 14, 15, 16, 18, 19, 20}) {
        getPresetProgression(name, i, chords, true);
        EXPECT_EQ(symbols(chords), name);
    }
    getPresetProgression(name, 7, chords, true);
    EXPECT_EQ(name, "Three-Chord Trick - C C F G");
    EXPECT_EQ(symbols(chords), "C C F G");
}

TEST(PresetProgressions, SelectedEntriesChordByChord) {
    std::string name;
    Llist<QvChord> chords;
    getPresetProgression(name, 39, chords, true);
    EXPECT_EQ(name, "Ragtime (16 Bars)");
    EXPECT_EQ(symbols(chords), "C A7 D7 G7 C C A7 D7 G7 C C7 F Gbo7 C A7 D7 G7 C");
    EXPECT_EQ(chords.at(2).len, 24);
    EXPECT_EQ(chords.at(3).len, 24);
    EXPECT_EQ(chords.at(4).len, 48);

    getPresetProgression(name, 53, chords, true);
    EXPECT_EQ(name, "Jazz Modulation Loop (12 Bars)");
    EXPECT_EQ(symbols(chords), "Cm7b5 F7 Dm7b5 G7 Em7b5 A7 Gbm7b5 B7 Abm7b5 Db7 Bbm7b5 Eb7");

    getPresetProgression(name, 66, chords, true);
    EXPECT_EQ(symbols(chords), "Cm Cm/Bb Cm/A Cm/Ab Fm/G G7/F Cm/Eb G7/D");

    getPresetProgression(name, 69, chords, true);
    EXPECT_EQ(name, "Diminished Descent (12 Bars)");
    EXPECT_EQ(symbols(chords), "C6 Co Bb6 Bbo Ab6 Abo Gb6 Gbo E6 Eo D6 Do");

    getPresetProgression(name, 22, chords, true);
    EXPECT_EQ(symbols(chords), "C F C G F C");
    ASSERT_EQ(chords.count(), 6);
    EXPECT_EQ(chords.at(0).len, 192);
    EXPECT_EQ(chords.at(1).len, 96);
    EXPECT_EQ(chords.at(5).len, 96);

    getPresetProgression(name, 25, chords, true);
    EXPECT_EQ(chords.at(0).len, 384);
}

TEST(PresetProgressions, BassesAndInversions) {
    std::string name;
    Llist<QvChord> chords;
    getPresetProgression(name, 54, chords, true);
    EXPECT_EQ(name, "Relax (4 Bars)");
    ASSERT_EQ(chords.count(), 2);
    EXPECT_EQ(chords.at(0).len, 96);
    EXPECT_EQ(chords.at(1).len, 96);
    EXPECT_EQ(symbols(chords), "CM7/A FM7/D");

    getPresetProgression(name, 48, chords, true);
    ASSERT_EQ(chords.count(), 4);
    EXPECT_EQ(chords.at(1).key, 8);
    EXPECT_EQ(chords.at(1).bass, 0);
    EXPECT_FALSE(chords.at(1).autoBass);
    EXPECT_TRUE(chords.at(0).autoBass);

    getPresetProgression(name, 56, chords, true);
    EXPECT_TRUE(chords.at(0).autoBass);
    EXPECT_EQ(chords.at(1).key, 7);
    EXPECT_EQ(chords.at(1).effectiveBass(), 11);
    EXPECT_FALSE(chords.at(1).autoBass);

    getPresetProgression(name, 67, chords, true);
    EXPECT_EQ(name, "Valley (8 Bars)");
    EXPECT_EQ(symbols(chords), "C G/B F/A C/G F C/G F/A G/B");
    for (int i = 0; i < chords.count(); ++i)
        EXPECT_EQ(chords.at(i).inversion, (i == 2 || i == 6) ? -1 : 0) << i;
}

TEST(PresetProgressions, OutOfRangeAndNameOnlyRequests) {
    std::string name = "left over";
    Llist<QvChord> chords;
    chords.add(QvChord());
    getPresetProgression(name, 70, chords, true);
    EXPECT_EQ(name, "");
    EXPECT_EQ(chords.count(), 0);
    chords.add(QvChord());
    getPresetProgression(name, -1, chords, true);
    EXPECT_EQ(name, "");
    EXPECT_EQ(chords.count(), 0);
    chords.add(QvChord());
    getPresetProgression(name, 22, chords, false);
    EXPECT_EQ(name, "Twelve-Bar Blues");
    EXPECT_EQ(chords.count(), 0);
    getPresetProgression(name, 6, chords, true);
    EXPECT_EQ(name, "-");
    EXPECT_EQ(chords.count(), 0);
    EXPECT_EQ(presetProgressionBars(70), 0);
}
