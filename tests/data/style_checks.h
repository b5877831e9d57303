#pragma once
// What a musician listens for in a shipped style, as checks over its render and over its patterns:
// full chords (third and seventh), clean voicings, open registers, one meter and one swing grid,
// fills at phrase ends, walking lines that walk, and grooves that no two styles share.
#include <set>
#include <string>
#include <vector>

#include "engine/stylefile.h"
#include "tests/data/shipped_data.h"

namespace shipped {

// "track 2 (Pop Piano Pulse)"; "C4" for 60; the drum class of a drum key (kick, snare, hi-hat, ride,
// crash; any other key is a class of its own).
std::string partName(const StyleFile& s, int track);
std::string noteName(int pitch);
int drumGroup(int key);
// The pitch classes of a chord's tones, and when asked the tone its written colour (A over C) becomes
// and the slash bass.
std::set<int> tonesOf(const QvChord& c, bool withColourAndBass);
// The notes a track of a render plays.
std::vector<Sounding> notesOf(const StyleRender& r, int track);

// The chord parts of a render over the fixed progression: every chord gets its third (unless it is
// suspended) and every four-tone chord its seventh or sixth in at least one part; no part sounds two
// chord tones a minor ninth apart (a tension in the top voice may lie a minor ninth above a chord
// tone); in every chord of a whole bar the chord parts spread over two octaves at least, and in at
// least half of those chords some part plays above C5. One line per problem; empty when all hold.
std::vector<std::string> arrangementProblems(const StyleRender& r);

// The patterns of a style: a bar of three or four beats; one swing grid for all parts (no part plays
// straight eighths or sixteenths where another swings them); tom fills only in the last bar of a
// phrase of four bars; a bass line named as walking walks: two bars or more, different bars and a
// range of an octave and a half (how it meets the chords is heard in its render, bassProblems).
std::vector<std::string> patternProblems(const StyleFile& s);

// The groove of a style: its meter, the first bar of its drums by drum class and the onsets of the
// first bar of its bass, placed as fractions of the bar. Two styles with one fingerprint are clones.
std::string grooveFingerprint(const StyleFile& s);

// The bass of a render: no major seventh over a chord with a minor seventh; a note outside the chord
// (its tones, the tone the written colour becomes, the slash bass) moves on within a beat by two
// semitones at most. A walking line (a bass named for walking) also keeps chord tones on beat one (and
// three in 4/4), leaps an octave at most and meets 70 % of the chord changes from a step, a fourth or
// a fifth away.
std::vector<std::string> bassProblems(const StyleRender& r);

// Every part in the range of its General MIDI instrument; a fiddle, violin, flute or clarinet sounds
// two notes at once at most (the pedal counted); pads (layer A) top out at D5 without a gap over an
// octave in a chord.
std::vector<std::string> partProblems(const StyleRender& r);

// What each pad of a render sounds, chord by chord; two styles with one pad share it.
std::vector<std::string> padFingerprints(const StyleRender& r);

// The arranging of a style over the progression: every chord of a beat or more gets three of its
// tones with the third from one chord part; every four bars a chord part (not a pad) plays two bar
// rhythms and some part a fourth bar of its own; swing styles (by name) swing; melody lines of winds
// and bowed strings play three different bars in four; straight waltzes hit their after-beats within
// 30 ms; the bossa's kick meets 90 % of its bass notes; the salsa tumbao anticipates its bars.
std::vector<std::string> arrangingProblems(const StyleRender& r);

// The share of the drum hits of their first four bars that two styles of one meter have in common, and
// whether their basses play one rhythm there.
double sharedDrumHits(const StyleFile& a, const StyleFile& b, bool& sameBassRhythm);

// A style phrased over four bars or more: its drums and at least one more part loop after four bars
// or more, and one of those parts changes within its phrase.
bool isPhrased(const StyleFile& s);

} // namespace shipped
