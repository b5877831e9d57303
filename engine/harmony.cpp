#include "engine/harmony.h"

#include <vector>

#include "engine/qvchord.h"

namespace {

// Intervals of the 20 chord variants; a three-tone chord has -1 in its last place.
const int kIntervals[kChordVariantCount][4] = {
    {0, 4, 7, -1}, {0, 3, 7, -1}, {0, 4, 8, -1}, {0, 3, 6, -1}, {0, 4, 7, 10}, {0, 3, 7, 10}, {0, 4, 7, 11},
    {0, 4, 7, 9},  {0, 3, 7, 9},  {0, 5, 7, -1}, {0, 2, 7, -1}, {0, 3, 7, 11}, {0, 4, 8, 10}, {0, 4, 8, 11},
    {0, 3, 6, 10}, {0, 3, 6, 9},  {0, 4, 5, 7},  {0, 3, 5, 7},  {0, 2, 4, 7},  {0, 2, 3, 7},
};

// Pattern keys and pitches are held within this range, so that no sum overflows.
constexpr int kPitchLimit = 1000000;
// Inversions never carry a list further than this from where it started.
constexpr long long kShiftLimit = 120000;
// Inversion counts up to this are done step by step; beyond it their repetition is used.
constexpr int kDirectInversions = 64;

int clampPitch(long long p) {
    if (p < -kPitchLimit) return -kPitchLimit;
    if (p > kPitchLimit) return kPitchLimit;
    return int(p);
}

bool hasClass(const Llist<int>& list, int pc) {
    for (int t : list)
        if (pitchClassOf(t) == pc) return true;
    return false;
}

// The nearest pitch above (dir 1) or below (dir -1) from whose class occurs in the list.
int nextWithClass(const Llist<int>& list, int from, int dir) {
    for (int d = 1; d <= 12; ++d) {
        int p = from + dir * d;
        if (hasClass(list, pitchClassOf(p))) return p;
    }
    return from + dir * 12;
}

void invertOnce(Llist<int>& list, int dir) {
    if (dir > 0) {
        int top = list.at(list.count() - 1);
        list.add(clampPitch(nextWithClass(list, top, 1)));
        list.remove(0);
    } else {
        int low = list.at(0);
        list.insert(clampPitch(nextWithClass(list, low, -1)), 0);
        list.remove(list.count() - 1);
    }
}

long long floorOctave(int p) {
    long long q = p / 12;
    if (p % 12 != 0 && p < 0) q -= 1;
    return q * 12;
}

std::vector<int> normalized(const Llist<int>& list, long long& base) {
    base = floorOctave(list.at(0));
    std::vector<int> out;
    for (int t : list) out.push_back(int(t - base));
    return out;
}

int shiftFor(int variant, int c) {
    switch (variant) {
    case 1:
    case 5:
    case 17:
    case 19:
        return c == 4 ? -1 : (c == 9 ? 1 : 0);
    case 2:
    case 12:
        return (c == 7 || c == 9) ? 1 : 0;
    case 3:
    case 15:
        return (c == 4 || c == 7) ? -1 : 0;
    case 4:
        return c == 9 ? 1 : 0;
    case 6:
        return c == 9 ? 2 : 0;
    case 8:
        return c == 4 ? -1 : 0;
    case 9:
        return c == 4 ? 1 : 0;
    case 10:
        return c == 4 ? -2 : 0;
    case 11:
        return c == 4 ? -1 : (c == 9 ? 2 : 0);
    case 13:
        return c == 7 ? 1 : (c == 9 ? 2 : 0);
    case 14:
        return (c == 4 || c == 7) ? -1 : (c == 9 ? 1 : 0);
    default:
        return 0;
    }
}

} // namespace

int pitchClassOf(long long value) {
    long long r = value % 12;
    return int(r < 0 ? r + 12 : r);
}

bool chordTones(const QvChord& chord, Llist<int>& out) {
    out.clear();
    bool known = chord.variant >= 0 && chord.variant < kChordVariantCount;
    const int* iv = kIntervals[known ? chord.variant : 0];
    for (int i = 0; i < 4; ++i)
        if (iv[i] >= 0) out.add(iv[i]);
    if (out.count() == 3) out.add(12);
    int k = pitchClassOf(chord.key);
    for (int& t : out) t += k;
    return known;
}

void invertTones(Llist<int>& list, int n) {
    if (list.count() < 3 || n == 0) return;
    int dir = n > 0 ? 1 : -1;
    long long steps = n > 0 ? (long long)n : -(long long)n;
    if (steps <= kDirectInversions) {
        for (long long i = 0; i < steps; ++i) invertOnce(list, dir);
        return;
    }
    // Inverting only depends on the tones' places within their octaves: once a normalised list comes
    // back, the rest repeats an octave (or more) further on. Find that repetition, jump over the
    // whole rounds and do the remainder.
    std::vector<std::vector<int>> seen;
    std::vector<long long> bases;
    long long base = 0;
    seen.push_back(normalized(list, base));
    bases.push_back(base);
    long long done = 0;
    while (done < steps) {
        invertOnce(list, dir);
        ++done;
        std::vector<int> state = normalized(list, base);
        int match = -1;
        for (int i = 0; i < int(seen.size()); ++i)
            if (seen[i] == state) match = i;
        if (match >= 0) {
            long long period = done - match;
            long long shiftPerRound = base - bases[match];
            long long rounds = (steps - done) / period;
            long long shift = rounds * shiftPerRound;
            long long first = list.at(0);
            if (first + shift > kShiftLimit) shift = ((kShiftLimit - first) / 12) * 12;
            if (first + shift < -kShiftLimit) shift = -((kShiftLimit + first) / 12) * 12;
            if (shift != 0)
                for (int& t : list) t = clampPitch(t + shift);
            done += rounds * period;
            while (done < steps) {
                invertOnce(list, dir);
                ++done;
            }
            return;
        }
        seen.push_back(state);
        bases.push_back(base);
    }
}

void extendVoicing(const Llist<int>& tones, Llist<int>& out) {
    out = tones;
    if (out.empty()) return;
    while (out.count() < kVoicingVoices) out.add(nextWithClass(out, out.at(out.count() - 1), 1));
}

void computeVoicings(const QvChord& chord, const std::array<int, kPartCount>& strumHeights, Llist<int>& tones,
                     Llist<int>* voicings) {
    chordTones(chord, tones);
    for (int i = 0; i < kPartCount; ++i) {
        int h = strumHeights[i];
        if (h < 0) continue;
        Llist<int>& v = voicings[i];
        if (h == 0) {
            v.clear();
            continue;
        }
        if (h > kVoicingVoices) h = kVoicingVoices;
        extendVoicing(tones, v);
        // Each inversion raises every voice, so this ends within a few rounds.
        for (int guard = 0; v.count() >= h && v.at(h - 1) < 30 && guard < 256; ++guard) invertTones(v, 1);
        invertTones(v, chord.inversion);
    }
    for (int guard = 0; tones.count() >= 3 && tones.at(tones.count() - 1) < 30 && guard < 256; ++guard)
        invertTones(tones, 1);
    invertTones(tones, chord.inversion);
}

int mapPitchToVariant(const QvChord& chord, int pitch) {
    int p = clampPitch(pitch);
    return p + shiftFor(chord.variant, pitchClassOf(p));
}

int mapPitchToChord(const QvChord& chord, const Llist<int>& tones, int pitch) {
    int p = clampPitch(pitch);
    int b = chord.bassOffset() + (chord.bassOctave ? 12 : 0);
    int bass = chord.effectiveBass();
    if (bass == chord.key) return b + mapPitchToVariant(chord, p);
    if (pitchClassOf(p) == 0) return p + b;
    int best = -1;
    for (int tone : tones) {
        int over = pitchClassOf((long long)tone - bass);
        if (over == 0 || over == 1 || over == 10 || over == 11) continue;
        int d = pitchClassOf((long long)tone - p - b);
        if (best < 0 || d < best) best = d;
    }
    if (best < 0) return p + b;
    // The chosen tone as reached by its distance: the nearest such tone at or above p + b.
    return p + b + best;
}

int mapLowPitch(const QvChord& chord, const Llist<int>& tones, int pitch) {
    int p = mapPitchToChord(chord, tones, pitch);
    return p >= 64 ? p - 12 : p;
}

int mapChordPitch(const QvChord& chord, int pitch) {
    return mapPitchToVariant(chord, pitch) + chord.keyOffset();
}

void chordCodePitches(int code, const Llist<int>& tones, const Llist<int>& voicing, Llist<int>& out) {
    out.clear();
    if (tones.empty()) return;
    if (code == 60) {
        for (int t : tones) out.add(t + 36);
    } else if (code >= 72) {
        int n = code - 72;
        if (voicing.count() > n) out.add(voicing.at(n) + 36);
    }
}
