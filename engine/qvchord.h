#pragma once
// One chord of a chord page: root, variant, inversion, bass and length.
#include "foundation/textstream.h"

constexpr int kAutoBassArg = -1000;    // bass argument of the constructor: the bass is the root
constexpr int kChordVariantCount = 20; // variants 0..19
constexpr int kUnitsPerBar = 48;       // page positions and lengths count 48 units to a bar
constexpr int kMaxPageUnits = 768;     // a page holds at most 16 bars of chords
constexpr int kMinInversion = -3;
constexpr int kMaxInversion = 3;
// The shortest chord the editor makes, its resize step: a quarter bar in 4/4, a beat in 3/4.
constexpr int kShortestChord44 = 12;
constexpr int kShortestChord34 = 16;

class QvChord : public TextStream {
  public:
    int key = 0;             // root pitch class 0..11 (0 = C)
    int bass = 0;            // bass pitch class 0..11; used only when autoBass is off
    int variant = 0;         // chord variant 0..19
    int inversion = 0;       // inversion of the voicing
    int len = kUnitsPerBar;  // length in 48ths of a bar
    bool autoBass = true;    // the bass is the root
    bool bassOctave = false; // the bass is raised by an octave
    // Not stored in files:
    bool selected = false;   // editing selection on the page
    bool pasteSaved = false; // selection flag parked while the selection is pasted within its page
    int endBefore34 = 0;     // end on its page before the last conversion to 3/4
    int endAfter34 = 0;      // end right after that conversion

    // key and bass are normalised to 0..11; bass kAutoBassArg means automatic bass; a bass equal to the
    // root switches automatic bass on; len -1 means one bar. The default chord is C major, one bar.
    explicit QvChord(int key_ = 0, int variant_ = 0, int inversion_ = 0, int bass_ = kAutoBassArg,
                     bool bassOctave_ = false, int len_ = -1);

    // Stores value modulo 12 (raised by whole 1200s until not negative) and returns the raised value / 12.
    int setKey(int value);
    int setBass(int value);

    int effectiveBass() const { return autoBass ? key : bass; }
    // Pitch offset from C in -8..+3.
    int keyOffset() const { return key < 4 ? key : key - 12; }
    int bassOffset() const;
    // Root and bass as displayed for a transposing instrument whose key lies `shift` semitones above C.
    int visualKey(int shift) const;
    int visualBass(int shift) const;

    // Same key, effective bass, bassOctave, variant and inversion; the length does not count.
    bool equals(const QvChord& other) const;
    // Moves key and stored bass by the semitones; returns what setBass returns.
    int transpose(int semitones);

    // Keys "key", "variant", "inversion", "bass", "autoBass", "bassOctave", "len". After reading, key and
    // bass are normalised, an unknown variant becomes 0, inversion is clamped to -3..3, len is at most
    // 768, and a len of 0 or less becomes the shortest chord of 4/4.
    void serialize() override { serializeWith(kShortestChord44); }
    // The same, with the shortest chord of the session's meter for a len of 0 or less.
    void serializeWith(int shortest);

  private:
    static int storePitchClass(long long value, int& target);
};
