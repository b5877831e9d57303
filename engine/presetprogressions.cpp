#include "engine/presetprogressions.h"

#include "engine/naming.h"
#include "engine/qvchord.h"

namespace {

struct PresetEntry {
    const char* name;
    // Chords in C, separated by ", ": root with flats, the variant's suffix, "/X" for an explicit
    // bass; then, after a blank, "x2", "x4" or "x8" for two, four or eight bars, "h" for half a bar,
    // "inv-1" for inversion -1. No mark: one bar.
    const char* chords;
    int bars;
};

const PresetEntry kPresets[kPresetProgressionCount] = {
    {"C F", "C, F", 2},
    {"C G", "C, G", 2},
    {"C Fm", "C, Fm", 2},
    {"C Gm", "C, Gm", 2},
    {"C Am", "C, Am", 2},
    {"Cm Fm", "Cm, Fm", 2},
    {"-", "", 0},
    {"Three-Chord Trick - C C F G", "C, C, F, G", 4},
    {"Three-Chord Trick - C F G G", "C, F, G, G", 4},
    {"Three-Chord Trick - C F G F", "C, F, G, F", 4},
    {"Three-Chord Trick - C F G C", "C, F, G, C", 4},
    {"Three-Chord Trick - C F C G", "C, F, C, G", 4},
    {"-", "", 0},
    {"C Am F G", "C, Am, F, G", 4},
    {"C Am Dm G", "C, Am, Dm, G", 4},
    {"C G Am F", "C, G, Am, F", 4},
    {"C Em F G", "C, Em, F, G", 4},
    {"Sensitive Female Progression", "Am, F, C, G", 4},
    {"C D F C", "C, D, F, C", 4},
    {"Cm Cm Fm G", "Cm, Cm, Fm, G", 4},
    {"Cm Fm G Cm", "Cm, Fm, G, Cm", 4},
    {"-", "", 0},
    {"Twelve-Bar Blues", "C x4, F x2, C x2, G, F, C x2", 12},
    {"Twelve-Bar Blues - 7th Chords", "C7 x4, F7 x2, C7 x2, G7, F7, C7 x2", 12},
    {"Twelve-Bar Blues 2", "C, F, C x2, F x2, C x2, G, F, C x2", 12},
    {"Sixteen-Bar Blues", "C x8, F x2, C x2, G, F, C x2", 16},
    {"Sixteen-Bar Blues 2", "C x4, F x2, C x2, G, F, G, F, G, F, C x2", 16},
    {"Eight-Bar Blues", "C x2, F x2, C, G, C x2", 8},
    {"-", "", 0},
    {"Jazz - Basic", "CM7, Am7, Dm7, G7", 4},
    {"Jazz - Basic 2", "CM7, Dbo7, Dm7, G7", 4},
    {"Jazz - Basic 3", "CM7, Ebo7, Dm7, G7", 4},
    {"Jazz - Basic 4", "Dm7, G7, CM7, Ebo7", 4},
    {"-", "", 0},
    {"Passamezzo Antico", "Am, G, Am, E, C, G, Am h, E h, Am", 8},
    {"Gregory Walker", "C, F, C, G, C, F, C h, G h, C", 8},
    {"American Gregory Walker", "C, F h, C h, C, G, C, F h, C h, C h, G h, C", 8},
    {"La Folia", "Am, E7, Am, G, C, G, Am, E7, Am, E7, Am, G, C, G, Am h, E7 h, Am", 16},
    {"Ragtime (4 Bars)", "C, A7, D7, G7", 4},
    {"Ragtime (16 Bars)", "C, A7, D7 h, G7 h, C, C, A7, D7, G7, C, C7, F, Gbo7, C, A7, D7 h, G7 h, C", 16},
    {"Flamenco", "Am, G, F, E", 4},
    {"Folk (2 Bars)", "C, G7", 2},
    {"Folk (4 Bars)", "C, G7, C, G7 h, C h", 4},
    {"-", "", 0},
    {"Circle Progression (4 Bars)", "Am7, D7, GM7, CM7", 4},
    {"Circle Progression (8 Bars)", "C, F, Bo, Em, Am, Dm, G, C", 8},
    {"Line Cliche - Major", "C, C6, CM7, C6", 4},
    {"Line Cliche - Augmented", "C, C+, C6, C+", 4},
    {"Line Cliche - Minor", "Cm, Ab/C, Cm6, Ab/C", 4},
    {"Perfect Fourths", "C, F, Bb, Eb, Ab, Db, Gb, B, E, A, D, G", 12},
    {"-", "", 0},
    {"Jazzy (8 Bars)", "Cm7, Fm7, Bb7, EbM7, AbM7, Dm7b5, Fm6/G, G7", 8},
    {"Jazzy 2 (8 Bars)", "Cm7, Fm7, Bb7, EbM7, AbM7, Dm7b5, G7, Cm7", 8},
    {"Jazz Modulation Loop (12 Bars)",
     "Cm7b5, F7, Dm7b5, G7, Em7b5, A7, Gbm7b5, B7, Abm7b5, Db7, Bbm7b5, Eb7", 12},
    {"Relax (4 Bars)", "CM7/A x2, FM7/D x2", 4},
    {"-", "", 0},
    {"Descent - Major (4 Bars)", "C, G/B, C/A, G", 4},
    {"Descent - Major 2 (4 Bars)", "C, C/B, C/A, C/G", 4},
    {"Descent - Minor (4 Bars)", "Cm, Gm/Bb, Cm/Ab, Gm", 4},
    {"Descent - Minor 2 (4 Bars)", "Cm, Cm/Bb, Cm/A, Cm/Ab", 4},
    {"Ascent - Major (4 Bars)", "C, Dm, Em, F", 4},
    {"Ascent - Major 2 (4 Bars)", "C, F/D, C/E, F", 4},
    {"Ascent - Minor (4 Bars)", "Cm, Fm/D, Cm/Eb, Fm", 4},
    {"Ascent - Minor 2 (4 Bars)", "Cm, Cm/D, Cm/Eb, Cm/F", 4},
    {"-", "", 0},
    {"Descent - Major (8 Bars)", "C, G/B, F/A, C/G, F, C/E, F/D, G", 8},
    {"Descent - Minor (8 Bars)", "Cm, Cm/Bb, Cm/A, Cm/Ab, Fm/G, G7/F, Cm/Eb, G7/D", 8},
    {"Valley (8 Bars)", "C, G/B, F/A inv-1, C/G, F, C/G, F/A inv-1, G/B", 8},
    {"Symmetric Hill (8 Bars)", "C, F/D, C/E, F, F, C/E, F/D, C", 8},
    {"Diminished Descent (12 Bars)", "C6, Co, Bb6, Bbo, Ab6, Abo, Gb6, Gbo, E6, Eo, D6, Do", 12},
};

// Pitch class of a note name with flats at text[at...]; advances at; -1 when there is none.
int parseNoteName(const std::string& text, std::size_t& at) {
    static const int naturals[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (at >= text.size() || text[at] < 'A' || text[at] > 'G') return -1;
    int pc = naturals[text[at] - 'A'];
    ++at;
    if (at < text.size() && text[at] == 'b') {
        pc = (pc + 11) % 12;
        ++at;
    }
    return pc;
}

int variantOfSuffix(const std::string& suffix) {
    for (int v = 0; v < kChordVariantCount; ++v)
        if (chordTypeSuffix(v, false) == suffix) return v;
    return -1;
}

// One chord of the notation above; false when the text is not one.
bool parseChord(const std::string& token, QvChord& chord) {
    std::string symbol = token;
    std::string marks;
    std::size_t blank = token.find(' ');
    if (blank != std::string::npos) {
        symbol = token.substr(0, blank);
        marks = token.substr(blank + 1);
    }
    std::size_t at = 0;
    int root = parseNoteName(symbol, at);
    if (root < 0) return false;
    std::size_t slash = symbol.find('/', at);
    int variant =
        variantOfSuffix(symbol.substr(at, slash == std::string::npos ? std::string::npos : slash - at));
    if (variant < 0) return false;
    int bass = kAutoBassArg;
    if (slash != std::string::npos) {
        std::size_t b = slash + 1;
        bass = parseNoteName(symbol, b);
        if (bass < 0 || b != symbol.size()) return false;
    }
    int len = kUnitsPerBar;
    int inversion = 0;
    std::size_t p = 0;
    while (p < marks.size()) {
        std::size_t e = marks.find(' ', p);
        std::string mark = marks.substr(p, e == std::string::npos ? std::string::npos : e - p);
        p = e == std::string::npos ? marks.size() : e + 1;
        if (mark == "h")
            len = kUnitsPerBar / 2;
        else if (mark == "x2")
            len = 2 * kUnitsPerBar;
        else if (mark == "x4")
            len = 4 * kUnitsPerBar;
        else if (mark == "x8")
            len = 8 * kUnitsPerBar;
        else if (mark == "inv-1")
            inversion = -1;
        else
            return false;
    }
    chord = QvChord(root, variant, inversion, bass, false, len);
    return true;
}

} // namespace

void getPresetProgression(std::string& name, int index, Llist<QvChord>& chords, bool withChords) {
    chords.clear();
    name.clear();
    if (index < 0 || index >= kPresetProgressionCount) return;
    const PresetEntry& entry = kPresets[index];
    name = entry.name;
    if (!withChords) return;
    std::string text = entry.chords;
    std::size_t p = 0;
    while (p < text.size()) {
        std::size_t e = text.find(", ", p);
        std::string token = text.substr(p, e == std::string::npos ? std::string::npos : e - p);
        p = e == std::string::npos ? text.size() : e + 2;
        QvChord chord;
        if (parseChord(token, chord)) chords.add(chord);
    }
}

int presetProgressionBars(int index) {
    if (index < 0 || index >= kPresetProgressionCount) return 0;
    return kPresets[index].bars;
}
