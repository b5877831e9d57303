// Note and chord names.
#include <gtest/gtest.h>

#include <climits>

#include "engine/naming.h"
#include "engine/qvchord.h"

TEST(Naming, NoteNamesWithSharpsAndFlats) {
    const char* sharps[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    const char* flats[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (int pc = 0; pc < 12; ++pc) {
        EXPECT_EQ(noteName(pc, true), sharps[pc]);
        EXPECT_EQ(noteName(pc, false), flats[pc]);
    }
    EXPECT_EQ(noteName(-1, true), "");
    EXPECT_EQ(noteName(12, false), "");
}

TEST(Naming, SessionNoteNameFollowsTheSharpFlatSetting) {
    EXPECT_EQ(sessionNoteName(61, 1), "C#");
    EXPECT_EQ(sessionNoteName(61, 0), "Db");
    EXPECT_EQ(sessionNoteName(61, 2), "Db"); // anything but 1 names with flats
    EXPECT_EQ(sessionNoteName(-1, 0), "B");
    EXPECT_EQ(sessionNoteName(-1200, 1), "C");
    EXPECT_EQ(sessionNoteName(70, 1), "A#");
    // Below -1200 as well: still a name, never an empty text.
    EXPECT_EQ(sessionNoteName(-1201, 1), "B");
    EXPECT_EQ(sessionNoteName(INT_MIN, 1), noteName(((INT_MIN % 12) + 12) % 12, true));
    EXPECT_EQ(sessionNoteName(INT_MAX, 0), noteName(INT_MAX % 12, false));
}

TEST(Naming, ChordTypeSuffixes) {
    const char* suffixes[20] = {"",     "m",   "+",  "o",   "7",    "m7", "M7", "6",  "m6", "sus",
                                "sus2", "mM7", "+7", "+M7", "m7b5", "o7", "4",  "m4", "2",  "m2"};
    for (int v = 1; v < 20; ++v) {
        EXPECT_EQ(chordTypeSuffix(v, false), suffixes[v]);
        EXPECT_EQ(chordTypeSuffix(v, true), suffixes[v]);
    }
    EXPECT_EQ(chordTypeSuffix(0, false), "");
    EXPECT_EQ(chordTypeSuffix(0, true), "maj");
    EXPECT_EQ(chordTypeSuffix(25, false), "");
    EXPECT_EQ(chordTypeSuffix(25, true), "maj");
    EXPECT_EQ(chordTypeSuffix(-3, false), "");
}

TEST(Naming, ChordSymbols) {
    EXPECT_EQ(chordSymbolText(QvChord(0, 0, 0, kAutoBassArg, false, -1), 0, 0), "C");
    EXPECT_EQ(chordSymbolText(QvChord(9, 5, 0, kAutoBassArg, false, -1), 0, 0), "Am7");
    EXPECT_EQ(chordSymbolText(QvChord(0, 0, 0, 4, false, -1), 0, 0), "C/E");
    EXPECT_EQ(chordSymbolText(QvChord(10, 0, 0, 2, false, -1), 1, 0), "A#/D");
    EXPECT_EQ(chordSymbolText(QvChord(10, 0, 0, 2, false, -1), 0, 0), "Bb/D");
    EXPECT_EQ(chordSymbolText(QvChord(6, 14, 0, kAutoBassArg, false, -1), 0, 0), "Gbm7b5");
}

TEST(Naming, ChordSymbolWithoutSlashWhenBassIsTheRoot) {
    QvChord c(2, 1, 2, 2, false, -1); // bass given equal to the root, and an inversion
    EXPECT_EQ(chordSymbolText(c, 0, 0), "Dm");
    c.autoBass = false; // even with the automatic bass off
    c.bass = 2;
    EXPECT_EQ(chordSymbolText(c, 0, 0), "Dm");
    c.bassOctave = true;
    EXPECT_EQ(chordSymbolText(c, 0, 0), "Dm");
}

TEST(Naming, ChordSymbolUnderVisualTranspose) {
    // A B-flat instrument reads concert C major over E as D over F#.
    QvChord c(0, 0, 0, 4, false, -1);
    EXPECT_EQ(chordSymbolText(c, 1, 10), "D/F#");
    EXPECT_EQ(chordSymbolText(c, 0, 10), "D/Gb");
    // An E-flat instrument reads concert A minor seventh as F# minor seventh.
    EXPECT_EQ(chordSymbolText(QvChord(9, 5, 0, kAutoBassArg, false, -1), 1, 3), "F#m7");
    // An unknown variant is named as major.
    QvChord odd(7, 0, 0, kAutoBassArg, false, -1);
    odd.variant = 31;
    EXPECT_EQ(chordSymbolText(odd, 0, 0), "G");
}
