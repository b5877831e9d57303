#include "engine/naming.h"

#include "engine/qvchord.h"

namespace {

const char* const kSharpNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const char* const kFlatNames[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

const char* const kSuffixes[20] = {"",     "m",   "+",  "o",   "7",    "m7", "M7", "6",  "m6", "sus",
                                   "sus2", "mM7", "+7", "+M7", "m7b5", "o7", "4",  "m4", "2",  "m2"};

} // namespace

std::string noteName(int pitchClass, bool sharps) {
    if (pitchClass < 0 || pitchClass > 11) return std::string();
    return sharps ? kSharpNames[pitchClass] : kFlatNames[pitchClass];
}

std::string sessionNoteName(int pitch, int sharpFlatMode) {
    // (pitch + 1200) mod 12 for every pitch from -1200 up; the remainder is kept non-negative below
    // that as well, so no pitch gives an empty name.
    int pc = pitch % 12;
    if (pc < 0) pc += 12;
    return noteName(pc, sharpFlatMode == 1);
}

std::string chordTypeSuffix(int variant, bool withMaj) {
    if (variant < 1 || variant > 19) return withMaj ? "maj" : "";
    return kSuffixes[variant];
}

std::string chordSymbolText(const QvChord& chord, int sharpFlatMode, int visualTranspose) {
    int root = chord.visualKey(visualTranspose);
    int bass = chord.visualBass(visualTranspose);
    std::string text = sessionNoteName(root, sharpFlatMode) + chordTypeSuffix(chord.variant, false);
    if (bass != root) {
        text += '/';
        text += sessionNoteName(bass, sharpFlatMode);
    }
    return text;
}
