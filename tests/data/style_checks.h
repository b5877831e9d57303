#pragma once
// What a musician listens for in a shipped style, as checks over its render and over its patterns:
// full chords (third and seventh), clean voicings, open registers, one meter and one swing grid,
// fills at phrase ends, walking lines that walk, and grooves that no two styles share.
#include <string>
#include <vector>

#include "engine/stylefile.h"
#include "tests/data/shipped_data.h"

namespace shipped {

// The chord parts of a render over the fixed progression: every chord gets its third (unless it is
// suspended) and every four-tone chord its seventh or sixth in at least one part; no part sounds two
// chord tones a minor ninth apart (a tension in the top voice may lie a minor ninth above a chord
// tone); in every chord of a whole bar the chord parts spread over two octaves at least, and in at
// least half of those chords some part plays above C5. One line per problem; empty when all hold.
std::vector<std::string> arrangementProblems(const StyleRender& r);

// The patterns of a style: a bar of three or four beats; one swing grid for all parts (no part plays
// straight eighths or sixteenths where another swings them); tom fills only in the last bar of a
// phrase of four bars; a bass line named as walking walks: two bars or more, different bars, a range
// of an octave and a half, and an approach tone ending at least half of its bars.
std::vector<std::string> patternProblems(const StyleFile& s);

// The groove of a style: its meter, the first bar of its drums by drum class and the onsets of the
// first bar of its bass, placed as fractions of the bar. Two styles with one fingerprint are clones.
std::string grooveFingerprint(const StyleFile& s);

// A style phrased over four bars or more: its drums and at least one more part loop after four bars
// or more, and one of those parts changes within its phrase.
bool isPhrased(const StyleFile& s);

} // namespace shipped
