#pragma once
// Moves style patterns, written as if every chord were C major, onto the chord that is playing: the
// chord's tones, the voicings of the chord-code tracks and the mapping of each pattern key.
#include <array>

#include "foundation/llist.h"

class QvChord;

constexpr int kVoicingVoices = 7;
constexpr int kPartCount = 7;

// Non-negative remainder of value / 12 for any int.
int pitchClassOf(long long value);

// The variant's intervals (an unknown variant: 0, 4, 7), the octave 12 added to a three-tone chord,
// all raised by the chord's key. False only for an unknown variant.
bool chordTones(const QvChord& chord, Llist<int>& out);
// n > 0: n times the next pitch above the top whose pitch class is in the list is appended and the
// lowest tone removed; n < 0 the same downwards. Lists of fewer than three tones stay. Any n is done
// in bounded time: the inversions repeat an octave higher (or lower) after a fixed number of steps.
void invertTones(Llist<int>& list, int n);
// The tones, extended to seven voices by the next pitches above the top whose pitch class is in them.
void extendVoicing(const Llist<int>& tones, Llist<int>& out);

// strumHeights[i]: the strum height of track i when its engine is a chord-code track (type 3), -1
// for any other track (its voicing is left as it is). A height of 0 empties the voicing; any other is
// brought into 1..7. Fills the chord tones (raised until the top is at least 30, then inverted by the
// chord's inversion) and the voicings.
void computeVoicings(const QvChord& chord, const std::array<int, kPartCount>& strumHeights, Llist<int>& tones,
                     Llist<int>* voicings);

// A pattern pitch written for a major chord moved onto the chord's variant.
int mapPitchToVariant(const QvChord& chord, int pitch);
// The same plus the bass offset; a slash chord places roots on its bass and other pitches on the
// nearest chord tone above that fits over the bass (tones = the current chord tones).
int mapPitchToChord(const QvChord& chord, const Llist<int>& tones, int pitch);
// mapPitchToChord, an octave lower when the result is 64 or more.
int mapLowPitch(const QvChord& chord, const Llist<int>& tones, int pitch);
// mapPitchToVariant plus the chord's key offset.
int mapChordPitch(const QvChord& chord, int pitch);
// The pitches of a chord code: 60 every chord tone + 36; 72 + n voice n of the voicing + 36 when it has
// one; nothing otherwise, and nothing without chord tones. out is emptied first.
void chordCodePitches(int code, const Llist<int>& tones, const Llist<int>& voicing, Llist<int>& out);
