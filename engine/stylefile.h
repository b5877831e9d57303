#pragma once
// A music style in memory and its style file (*.qms): a tempo, a step grid, a volume, an automatic
// cymbal interval and exactly seven tracks, each with one looping pattern of notes.
#include <string>

#include "foundation/llist.h"
#include "foundation/textstream.h"

// Limits applied to every style read from a file, so that no reader divides by zero, overflows or
// loops without end on a hand-edited value.
constexpr int kStyleTrackCount = 7;
constexpr int kMaxPatternLength = 8192; // steps; also the largest note position + 1
constexpr int kMaxStepsPerBeat = 256;
constexpr int kMaxStepsPerBar = 8192;
constexpr int kMaxAutoCymbalBars = 1024;
constexpr int kMaxStyleVolume = 200;    // globalVol, percent
constexpr int kMaxTrackVolume = 100;    // vol, percent
constexpr int kMaxTrackTranspose = 120; // key, semitones either way
constexpr int kMaxBreakLength = 100;    // steps
constexpr int kMaxBreakSusVolume = 200; // breakVolume and susVolume, percent
constexpr int kMaxStrumHeight = 7;

extern const char* const kStyleFileHeader; // "QuoVelanta Style File"

// One note of a pattern: written as the line key;vel;pos;len (no key and no "=").
class StyleNote : public TextStream {
  public:
    int key = 0;      // drum note on drum tracks, else a pitch or chord-tone code
    int vel = 100;    // 0..127
    int pos = 0;      // start step in the pattern, from 0
    double len = 1.0; // steps, fractions allowed

    StyleNote() = default;
    StyleNote(int key_, int vel_, int pos_, double len_) : key(key_), vel(vel_), pos(pos_), len(len_) {}

    // Writing: appends the note's line. Reading: takes the note from the first line of `lines`.
    void serialize() override;

    // key, vel and pos in decimal and len through formatFloat, joined by ";".
    std::string toLine() const;
    // Splits at every ";": pieces 1..3 through textToInt, piece 4 through textToFloat; a missing
    // piece reads as empty text (0 for the ints, 1.0 for the length). Values are not clamped here.
    void fromLine(const std::string& line);
    // Brings every field into its range (key and vel 0..127, pos 0..kMaxPatternLength - 1, len
    // 0..kMaxPatternLength, a length that is not a number 1.0).
    void clampToRanges();
    // Every field equal (the serializer's lines are not compared).
    bool sameNote(const StyleNote& o) const;
};

// The pattern of one track.
class StyleArp : public TextStream {
  public:
    std::string name;
    int length = 16;     // steps; the pattern loops over it (0 plays nothing)
    int strumHeight = 0; // 0..7
    Llist<StyleNote> notes{0, 1, true};

    void serialize() override;
    // length, strumHeight, the number of notes and every note's key, vel, pos and len in list order;
    // the name is not compared.
    bool equals(const StyleArp& other) const;
    // Clamps length to 0..kMaxPatternLength, strumHeight to 0..7 and every note.
    void clampToRanges();
};

// One of the seven tracks.
class StyleTrack : public TextStream {
  public:
    int type = 1;          // 0 drums, 1 bass, 2 and 3 chord tracks
    int mode = 0;          // 0 off, 1..4 how the pattern is triggered
    int prog = 0;          // General MIDI program
    int vol = 100;         // percent
    int key = 0;           // transposition in semitones
    int abc = 0;           // chord layer: 1 A, 2 B, 3 C; 0 not set
    int breakLength = 0;   // steps; 0 = the engine's default
    int breakVolume = 100; // percent
    int susVolume = 100;   // percent
    StyleArp arp;

    void serialize() override;
    // The chord layer that a track of this mode belongs to when none is set: mode above 2 gives 1 (A),
    // mode 1 gives 2 (B), mode 2 gives 3 (C), mode 0 (or below) gives 0.
    static int abcForMode(int mode);
    // Clamps every field to its range; a chord layer of 0 is derived from the mode (abcForMode),
    // any other is kept within 1..3.
    void clampToRanges();
};

// One music style.
class StyleFile : public TextStream {
  public:
    int id = -1;         // style number from the file name; never stored in the file
    int fileVersion = 1; // read and written, not interpreted
    std::string name;
    int bpm = 120;
    int stepsPerBeat = 4;
    int stepsPerBar = 16;
    int globalVol = 100;
    int autoCymbal_nthBar = 0;
    Llist<StyleTrack> tracks{0, 1, true};
    // The file the style was read from (set by load); never stored in the file. The Style Programmer
    // writes its edits back to exactly this file.
    std::string sourcePath;

    void serialize() override;

    // stepsPerBar / stepsPerBeat == 3 in integer division (stepsPerBeat below 1 counts as 1).
    bool is34() const;
    // Notes in the patterns of all tracks whose mode is not 0.
    int countActiveNotes() const;
    // Tracks whose mode is not 0.
    int countActiveTracks() const;

    // Reads a style file. Every field is reset first; a file that cannot be read (larger than any
    // style file, kMaxTextFileBytes, included), or whose first line is not the header line, leaves a
    // default style. Afterwards there are exactly seven tracks, track
    // 0 is a drum track when the file had any track, drum tracks have mode 1, and every value is
    // within its range.
    void load(const std::string& path);
    // Writes the style file atomically with the header "QuoVelanta Style File"; false when it could
    // not be written (an existing file is then left as it was). `id` is not written.
    bool save(const std::string& path);

    // Every field to its default and an empty track list (the state before reading).
    void resetToDefaults();
    // The track-list rules applied after reading: a drum track in front when track 0 is not one,
    // mode 1 on every drum track, then exactly seven tracks (extra ones dropped from the end,
    // default tracks appended); a track still without a chord layer gets the one its mode gives, so
    // that a saved style reads back unchanged.
    void normalizeTracks();
};
