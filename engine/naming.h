#pragma once
// Names of notes and chords as the program shows and exports them.
#include <string>

class QvChord;

// The name of pitch class 0..11 (0 = C) with sharps ("C#") or flats ("Db"); empty text outside 0..11.
std::string noteName(int pitchClass, bool sharps);

// noteName((pitch + 1200) mod 12, sharps), sharps exactly when the session's sharpFlatMode is 1.
// Any pitch from -1200 up is accepted (MIDI notes and pitch classes alike); lower pitches are
// brought into range the same way, so every int gives a name.
std::string sessionNoteName(int pitch, int sharpFlatMode);

// The suffix of chord variant 0..19 ("m", "7", "m7b5" ...); variant 0 is empty, or "maj" with
// withMaj; any value outside 1..19 counts as variant 0.
std::string chordTypeSuffix(int variant, bool withMaj);

// The chord's symbol as shown: the visual root (under the visual transpose shift), the suffix and,
// when the visual bass differs from the visual root, "/" and the visual bass. Names follow the
// session's sharpFlatMode.
std::string chordSymbolText(const QvChord& chord, int sharpFlatMode, int visualTranspose);
