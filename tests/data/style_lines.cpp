#include "tests/data/style_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "engine/styles.h"
#include "tests/data/style_audio.h"
#include "tests/data/style_checks.h"

namespace shipped {

namespace {

const char* const kKeys[12] = {"C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};

// Where a note lies: its step from the start, and the key or the song it was played in.
std::string where(const StyleRender& r, int time) {
    return "step " + std::to_string(time / 8) +
           (r.song.empty() ? std::string(" in ") + kKeys[r.key % 12] : "");
}

std::string chordName(const QvChord& c) {
    static const char* suffix[20] = {"",     "m",  "+",    "o",     "7",     "m7",   "maj7",
                                     "6",    "m6", "sus4", "sus2",  "mMaj7", "+7",   "+maj7",
                                     "m7b5", "o7", "add4", "madd4", "add9",  "madd9"};
    return kKeys[c.key % 12] + std::string(suffix[std::clamp(c.variant, 0, 19)]) +
           (c.autoBass ? "" : std::string("/") + kKeys[c.bass % 12]);
}

std::string format(const char* pattern, double value) {
    char text[400];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}
std::string percent(int part, int whole) {
    return format("%.0f %%", whole > 0 ? 100.0 * part / whole : 0.0);
}

// The offending notes of a check with their weights; the heaviest are the worst.
class Offences {
  public:
    void add(double weight, const std::string& text) { list.emplace_back(weight, text); }
    // "track 2 (name): what at step 20 in C".
    void add(double weight, const StyleRender& r, int track, const std::string& what, int time) {
        add(weight, partName(r.style, track) + ": " + what + " at " + where(r, time));
    }
    int count() const { return int(list.size()); }
    // The figure, with the five worst offences (one for each part and notes, wherever they recur).
    Figure figure(bool holds, const std::string& value) const {
        std::vector<std::pair<double, std::string>> sorted = list;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        Figure f{holds, value, {}};
        std::set<std::string> seen;
        for (const auto& [weight, text] : sorted)
            if (f.worst.size() < 5 && seen.insert(text.substr(0, text.rfind(" at "))).second)
                f.worst.push_back(text);
        return f;
    }

  private:
    std::vector<std::pair<double, std::string>> list;
};

bool isChordPart(const StyleTrack& t) {
    return t.mode != 0 && t.type >= 2;
}
bool isBass(const StyleTrack& t) {
    return t.mode != 0 && t.type == 1;
}
bool isWalking(const StyleTrack& t) {
    return isBass(t) && t.arp.name.find("Walk") != std::string::npos;
}
// A single melodic line: a violin or fiddle, trumpet, saxophone, oboe, clarinet, piccolo or flute that
// plays along with the chords (not a held pad) and is not written for a section.
bool isMelodyLine(const StyleTrack& t) {
    static const std::set<int> programs{40, 56, 59, 64, 65, 66, 67, 68, 71, 72, 73, 110};
    return isChordPart(t) && t.mode <= 2 && programs.count(t.prog) &&
           t.arp.name.find("Section") == std::string::npos;
}
// A trumpet, trombone or baritone saxophone that is not written for a section.
bool isSoloHorn(const StyleTrack& t) {
    return isChordPart(t) && std::set<int>{56, 57, 59, 67}.count(t.prog) &&
           t.arp.name.find("Section") == std::string::npos;
}

// The active track whose voice plays on a channel, -1 for none.
int trackOn(const StyleRender& r, int channel) {
    for (int t = 0; t < 7; ++t)
        if (r.style.tracks.at(t).mode != 0 && r.channelOfTrack[t] == channel) return t;
    return -1;
}

// A note still heard at a time: struck before and not yet silent (its end, or the pedal holding it).
bool soundsAt(const Sounding& n, int time) {
    return n.on <= time && (n.held < 0 || n.held > time);
}

// Calls f(r, notes, track) for every render and every track but the drums that `wanted` picks.
template <class P, class F> void eachPart(const Renders& renders, P wanted, F f) {
    for (const StyleRender& r : renders) {
        const std::vector<Sounding> notes = soundingNotes(r, nullptr);
        for (int t = 1; t < 7; ++t)
            if (wanted(r.style.tracks.at(t))) f(r, notes, t);
    }
}

// The pitches a channel strikes at each moment, lowest first.
std::map<int, std::vector<int>> onsetsOf(const std::vector<Sounding>& notes, int channel) {
    std::map<int, std::vector<int>> out;
    for (const Sounding& n : notes)
        if (n.channel == channel) out[n.on].push_back(n.pitch);
    for (auto& [time, pitches] : out) std::sort(pitches.begin(), pitches.end());
    return out;
}

// A part heard as a line: the top note of each onset (the lowest for a bass).
struct LineNote {
    int time = 0;
    int pitch = 0;
};
std::vector<LineNote> lineOf(const StyleRender& r, const std::vector<Sounding>& notes, int track) {
    std::vector<LineNote> line;
    for (const auto& [time, pitches] : onsetsOf(notes, r.channelOfTrack[track]))
        line.push_back({time, r.style.tracks.at(track).type == 1 ? pitches.front() : pitches.back()});
    return line;
}

// Moves of a line (a repeated note is no move) and how many of them are steps (one or two semitones).
struct Moves {
    int moves = 0, steps = 0;
    void add(int from, int to) {
        moves += from != to;
        steps += std::abs(to - from) == 1 || std::abs(to - from) == 2;
    }
    bool enough() const { return 10 * steps >= 4 * moves; } // 40 %
};

int median(std::vector<int> v, int quarter = 2) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() * size_t(quarter) / 4];
}

bool named(const StyleFile& s, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(),
                       [&s](const char* w) { return s.name.find(w) != std::string::npos; });
}

} // namespace

const std::vector<int>& progressionKeys() {
    static const std::vector<int> keys{0, 3, 7}; // C, E flat, G
    return keys;
}

Renders renderInKeys(StyleRenderer& renderer, int id) {
    Renders out;
    for (int key : progressionKeys()) out.push_back(renderer.render(id, true, key));
    return out;
}

// Two notes sounding together are muddy when the lower lies under the lowest note at which their
// interval (within the octave) still sounds clear: minor 2nd E3, major 2nd Eb3, minor 3rd C3, major 3rd
// Bb2, 4th A2, tritone Bb2, minor 6th G2, major 6th and both 7ths F2 (unisons, fifths and octaves are
// clear anywhere). An onset of a chord part is muddy when a note it strikes makes such a pair with a
// note of the chord parts or the bass sounding then (the pedal counted). 99 % of the onsets are clear.
Figure lowRegister(const Renders& renders) {
    static const int limit[12] = {0, 52, 51, 48, 46, 45, 46, 0, 43, 41, 41, 41};
    Offences muddy;
    int onsets = 0;
    eachPart(renders, isChordPart, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        for (const auto& [time, struck] : onsetsOf(notes, r.channelOfTrack[t])) {
            ++onsets;
            int depth = 0, low = 0, high = 0;
            for (int p : struck)
                for (const Sounding& m : notes) {
                    const int lo = std::min(p, m.pitch), hi = std::max(p, m.pitch), d = hi - lo;
                    if (d >= 1 && d <= 11 && limit[d] - lo > depth && trackOn(r, m.channel) > 0 &&
                        soundsAt(m, time))
                        depth = limit[d] - lo, low = lo, high = hi;
                }
            if (depth > 0)
                muddy.add(depth, r, t,
                          noteName(low) + " with " + noteName(high) + " (clear from " +
                              noteName(limit[high - low]) + ")",
                          time);
        }
    });
    return muddy.figure(100 * muddy.count() <= onsets, percent(muddy.count(), onsets) + " (" +
                                                           std::to_string(muddy.count()) + " of " +
                                                           std::to_string(onsets) + ")");
}

// Over a major seventh chord no part sounds the major seventh a minor ninth (or that and octaves) under
// the root another part sounds: B3 under C5 grinds.
Figure majorSevenths(const Renders& renders) {
    Offences grinds;
    for (const StyleRender& r : renders) {
        const std::vector<Sounding> notes = soundingNotes(r, nullptr);
        for (const Sounding& n : notes) {
            const ChordSpan* span = chordAt(r, n.on);
            if (!span || trackOn(r, n.channel) < 1 ||
                std::set<int>{6, 11, 13}.count(span->chord.variant) == 0)
                continue;
            const int root = span->chord.key % 12, seventh = (root + 11) % 12;
            for (const Sounding& m : notes) {
                const Sounding &low = m.pitch < n.pitch ? m : n, &high = m.pitch < n.pitch ? n : m;
                if (m.channel != n.channel && trackOn(r, m.channel) > 0 && soundsAt(m, n.on) &&
                    low.pitch % 12 == seventh && high.pitch % 12 == root && high.pitch - low.pitch >= 13) {
                    grinds.add(1, r, trackOn(r, low.channel),
                               noteName(low.pitch) + " under " + noteName(high.pitch) + " of " +
                                   partName(r.style, trackOn(r, high.channel)) + " over " +
                                   chordName(span->chord),
                               n.on);
                    break;
                }
            }
        }
    }
    return grinds.figure(grinds.count() == 0, std::to_string(grinds.count()));
}

// A walking bass (a bass line named for walking) walks: 40 % of its moves are steps; 25 % of the chord
// changes are reached by a half step (the note before the change a semitone from the new chord's bass,
// which the change brings) and 70 % by a step, a fourth or a fifth; beat one (and three in 4/4) holds a
// chord tone (or the written colour); a note outside the chord elsewhere is a passing note that moves
// on by step; no leap is wider than an octave.
Figure walkingLines(const Renders& renders) {
    Offences faults;
    Moves moves;
    int changes = 0, halfSteps = 0, met = 0, misplaced = 0, wide = 0;
    eachPart(renders, isWalking, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        const int beat = r.style.stepsPerBeat * 8, bar = r.style.stepsPerBar * 8;
        const std::vector<LineNote> line = lineOf(r, notes, t);
        for (size_t i = 0; i < line.size(); ++i) {
            const LineNote& n = line[i];
            const int leap = i > 0 ? std::abs(n.pitch - line[i - 1].pitch) : 0;
            if (i > 0) moves.add(line[i - 1].pitch, n.pitch);
            wide += leap > 12;
            if (leap > 12)
                faults.add(30 + leap, r, t, noteName(line[i - 1].pitch) + " leaps to " + noteName(n.pitch),
                           n.time);
            const ChordSpan* span = chordAt(r, n.time);
            if (!span || tonesOf(span->chord, true).count(n.pitch % 12)) continue;
            const bool strong = n.time % bar == 0 || (bar == 4 * beat && n.time % bar == 2 * beat);
            const int next = i + 1 < line.size() ? std::abs(line[i + 1].pitch - n.pitch) : 0;
            if (!strong && next >= 1 && next <= 2) continue;
            ++misplaced;
            faults.add(strong ? 20 : 10, r, t,
                       noteName(n.pitch) + " outside " + chordName(span->chord) +
                           (strong ? " on a strong beat" : " does not move on by step"),
                       n.time);
        }
        for (size_t s = 1, i = 1; s < r.chords.size(); ++s) {
            const QvChord& c = r.chords[s].chord;
            if (c.equals(r.chords[s - 1].chord)) continue;
            ++changes;
            while (i < line.size() && line[i].time < r.chords[s].start) ++i;
            if (i >= line.size() || line[i].time != r.chords[s].start) continue;
            const int d = std::abs(line[i].pitch - line[i - 1].pitch);
            halfSteps += d == 1 && line[i].pitch % 12 == c.effectiveBass();
            if (d == 1 || d == 2 || d == 5 || d == 7)
                ++met;
            else
                faults.add(d, r, t,
                           noteName(line[i - 1].pitch) + " meets " + chordName(c) + " with a leap of " +
                               std::to_string(d),
                           line[i].time);
        }
    });
    if (moves.moves == 0) return Figure{true, "-", {}};
    return faults.figure(
        moves.enough() && 4 * halfSteps >= changes && 10 * met >= 7 * changes && misplaced == 0 && wide == 0,
        "steps " + percent(moves.steps, moves.moves) + ", half-step arrivals " + percent(halfSteps, changes) +
            ", by step/4th/5th " + percent(met, changes) + ", " + std::to_string(misplaced) + " misplaced, " +
            std::to_string(wide) + " wide leaps");
}

// A melodic line sings: 40 % of its moves (from the top note of an onset to the next) are steps, and 10 %
// of its notes are passing notes: outside the chord, off the beat and moving on by step.
Figure melodicLines(const Renders& renders) {
    struct Line {
        Moves moves;
        int notes = 0, passing = 0;
        std::string opening;
    };
    std::map<int, Line> lines;
    eachPart(renders, isMelodyLine, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        const std::vector<LineNote> line = lineOf(r, notes, t);
        Line& l = lines[t];
        for (size_t i = 0; i < line.size() && l.opening.size() < 40; ++i)
            l.opening += " " + noteName(line[i].pitch);
        l.notes += int(line.size());
        for (size_t i = 0; i + 1 < line.size(); ++i) {
            l.moves.add(line[i].pitch, line[i + 1].pitch);
            const ChordSpan* span = chordAt(r, line[i].time);
            const int next = std::abs(line[i + 1].pitch - line[i].pitch);
            l.passing += span && !tonesOf(span->chord, false).count(line[i].pitch % 12) &&
                         line[i].time % (r.style.stepsPerBeat * 8) != 0 && (next == 1 || next == 2);
        }
    });
    Offences flat;
    std::string value;
    for (const auto& [t, l] : lines) {
        const std::string figure =
            "steps " + percent(l.moves.steps, l.moves.moves) + ", passing " + percent(l.passing, l.notes);
        value += (value.empty() ? "t" : "; t") + std::to_string(t) + " " + figure;
        if (!l.moves.enough() || 10 * l.passing < l.notes)
            flat.add(1, partName(renders.front().style, t) + ": " + figure + "; in C" + l.opening + " ...");
    }
    return flat.figure(flat.count() == 0, lines.empty() ? "-" : value);
}

// The bass keeps its register: no two notes in a row lie more than an octave apart, unless the song
// raises the bass an octave in between.
Figure bassRegister(const Renders& renders) {
    Offences leaps;
    int moves = 0;
    eachPart(renders, isBass, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        const std::vector<LineNote> line = lineOf(r, notes, t);
        for (size_t i = 1; i < line.size(); ++i, ++moves) {
            const ChordSpan *a = chordAt(r, line[i - 1].time), *b = chordAt(r, line[i].time);
            const int leap = std::abs(line[i].pitch - line[i - 1].pitch);
            if (leap > 12 && !(a && b && a->chord.bassOctave != b->chord.bassOctave))
                leaps.add(leap, r, t,
                          noteName(line[i - 1].pitch) + " to " + noteName(line[i].pitch) +
                              (b ? " into " + chordName(b->chord) : ""),
                          line[i].time);
        }
    });
    return leaps.figure(leaps.count() == 0, std::to_string(leaps.count()) + " of " + std::to_string(moves));
}

// Strummed acoustic and nylon guitars (three notes or more at once in half their onsets) keep the median
// bottom of their chords at C4 or below and their median note at E4 or below. Two busy chord parts (two
// onsets a bar or more, neither a pad nor a melodic line) take different registers: the register of a
// part is the middle half of its notes, and two parts share one when each one's median lies in the
// other's middle half.
Figure guitarRegisters(const Renders& renders) {
    struct Part {
        std::vector<int> bottoms, notes;
        int onsets = 0, chords = 0, bars = 0;
    };
    std::map<int, Part> parts;
    eachPart(renders, isChordPart, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        Part& p = parts[t];
        p.bars += r.songEnd / (r.style.stepsPerBar * 8);
        for (const auto& [time, struck] : onsetsOf(notes, r.channelOfTrack[t])) {
            ++p.onsets;
            p.chords += struck.size() >= 3;
            p.bottoms.push_back(struck.front());
            p.notes.insert(p.notes.end(), struck.begin(), struck.end());
        }
    });
    const StyleFile& s = renders.front().style;
    Offences piled;
    std::string value;
    std::vector<int> busy;
    for (const auto& [t, p] : parts) {
        const StyleTrack& track = s.tracks.at(t);
        const std::string medians = noteName(median(p.bottoms)) + "/" + noteName(median(p.notes));
        if ((track.prog == 24 || track.prog == 25) && 2 * p.chords >= p.onsets) {
            value += " t" + std::to_string(t) + " " + medians;
            if (median(p.bottoms) > 60 || median(p.notes) > 64)
                piled.add(2, partName(s, t) + ": median chord bottom and note " + medians);
        }
        if (track.mode <= 2 && !isMelodyLine(track) && p.onsets >= 2 * p.bars) busy.push_back(t);
    }
    auto inside = [](const Part& x, const Part& y) {
        return median(x.notes) >= median(y.notes, 1) && median(x.notes) <= median(y.notes, 3);
    };
    for (size_t i = 0; i < busy.size(); ++i)
        for (size_t j = i + 1; j < busy.size(); ++j)
            if (inside(parts[busy[i]], parts[busy[j]]) && inside(parts[busy[j]], parts[busy[i]]))
                piled.add(1, partName(s, busy[i]) + " and " + partName(s, busy[j]) +
                                 " share one register around " + noteName(median(parts[busy[i]].notes)));
    return piled.figure(piled.count() == 0, std::to_string(piled.count()) + value);
}

// A fill at the end of a four-bar phrase of the drums (a fourth bar unlike the third) brings at least
// two hits the bar before does not play, and ends at least as strong: the loudest hit of its last beat
// is no softer than the loudest of the last beat before.
Figure phraseFills(const Renders& renders) {
    const StyleFile& s = renders.front().style;
    const StyleArp& drums = s.tracks.at(0).arp;
    const int bar = std::max(1, s.stepsPerBar), beat = std::max(1, s.stepsPerBeat);
    Offences weak;
    int fills = 0;
    for (int b = 3; b < drums.length / bar; b += 4) {
        std::multiset<std::tuple<int, int, int>> notes[2];
        std::set<std::pair<int, int>> hits[2];
        int last[2] = {0, 0};
        for (int i = 0; i < drums.notes.count(); ++i) {
            const StyleNote& n = drums.notes.at(i);
            const int k = n.pos / bar - (b - 1), place = n.pos % bar;
            if (k != 0 && k != 1) continue;
            notes[k].insert({n.key, place, n.vel});
            hits[k].insert({n.key, place});
            if (place >= bar - beat) last[k] = std::max(last[k], n.vel);
        }
        if (notes[0] == notes[1]) continue;
        ++fills;
        const auto added =
            std::count_if(hits[1].begin(), hits[1].end(), [&](auto h) { return !hits[0].count(h); });
        if (added < 2 || last[1] < last[0])
            weak.add(1, "the fill of bar " + std::to_string(b + 1) + " brings " + std::to_string(added) +
                            " new hits and ends at velocity " + std::to_string(last[1]) + " after " +
                            std::to_string(last[0]));
    }
    return weak.figure(weak.count() == 0,
                       std::to_string(weak.count()) + " of " + std::to_string(fills) + " weak");
}

// Every part played on its own lies no more than 12 dB (loudness) under the full mix; in rock, reggae,
// funk and swing styles the drums and the bass each lie within 4 dB of the loudest chord part.
Figure balance(const Renders& renders) {
    static const std::vector<std::string> fonts = balanceFonts();
    static Listener listener(fonts.empty() ? std::string() : fonts.front());
    if (!listener.ready()) return Figure{false, "no SoundFont", {}};
    Offences off;
    double lowest = 0.0, apart[2] = {0.0, 0.0};
    const bool groove = named(renders.front().style, {"Rock", "Reggae", "Funk", "Swing"});
    for (const StyleRender& r : renders) {
        const double mix = listener.play(r).loudnessDb;
        const std::vector<PartLevel> levels = soloLevels(listener, r, 1000);
        double chords = -200.0, rhythm[2] = {-200.0, -200.0};
        int loudest = 0;
        for (const PartLevel& l : levels) {
            lowest = std::min(lowest, l.db - mix);
            if (l.db < mix - 12.0)
                off.add(mix - l.db, partName(r.style, l.track) +
                                        format(": %+.1f dB under the mix in ", l.db - mix) +
                                        kKeys[r.key % 12]);
            if (l.type >= 2 && l.db > chords) chords = l.db, loudest = l.track;
            if (l.type < 2) rhythm[l.type] = std::max(rhythm[l.type], l.db);
        }
        for (int g = 0; g < 2 && groove && chords > -200.0; ++g) {
            if (std::abs(rhythm[g] - chords) > std::abs(apart[g])) apart[g] = rhythm[g] - chords;
            if (std::abs(rhythm[g] - chords) > 4.0)
                off.add(std::abs(rhythm[g] - chords),
                        format(g ? "the bass lies %+.1f dB from " : "the drums lie %+.1f dB from ",
                               rhythm[g] - chords) +
                            partName(r.style, loudest) + " in " + kKeys[r.key % 12]);
        }
    }
    return off.figure(off.count() == 0,
                      format("lowest part %+.1f dB", lowest) +
                          (groove ? format(", drums %+.1f", apart[0]) +
                                        format(" and bass %+.1f dB from the chords", apart[1])
                                  : ""));
}

// Block chords (three notes or more struck at once by one part) have no half step between their two top
// notes (E4 G4 B4 C5 over Cmaj7 grinds). Outside jazz a sus4 chord is not played as the major triad on
// its fourth: no part sounds the root, fourth and sixth of one sus4 chord (F A C over Csus4).
Figure voicings(const Renders& renders) {
    Offences off;
    int halfSteps = 0, sus = 0;
    const bool jazz = named(renders.front().style, {"Jazz", "Swing", "Bebop", "Dixieland"});
    eachPart(renders, isChordPart, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        for (const auto& [time, struck] : onsetsOf(notes, r.channelOfTrack[t])) {
            const size_t n = struck.size();
            const ChordSpan* span = chordAt(r, time);
            if (n < 3 || struck[n - 1] - struck[n - 2] != 1 || !span) continue;
            ++halfSteps;
            std::string chord;
            for (int p : struck) chord += " " + noteName(p);
            off.add(2, r, t, chord.substr(1) + " over " + chordName(span->chord), time);
        }
        for (const ChordSpan& span : r.chords) {
            std::set<int> classes;
            for (const Sounding& m : notes)
                if (m.channel == r.channelOfTrack[t] && m.on >= span.start && m.on < span.end)
                    classes.insert(m.pitch % 12);
            const int k = span.chord.key;
            if (jazz || span.chord.variant != 9 || !classes.count(k % 12) || !classes.count((k + 5) % 12) ||
                !classes.count((k + 9) % 12))
                continue;
            ++sus;
            off.add(1, r, t, std::string(kKeys[(k + 5) % 12]) + " major over " + chordName(span.chord),
                    span.start);
        }
    });
    return off.figure(off.count() == 0, std::to_string(halfSteps) + " half steps on top, " +
                                            std::to_string(sus) + " sus4 as IV");
}

// A song ends at home: its last chord rests (a major or minor triad, sixth or seventh chord; not a
// dominant, suspended, diminished or augmented one) on the root it began on, or on the root its
// dominant a fifth above leads to. A bass note outside its chord (its tones, the written colour, the
// slash bass) and its tensions (the ninth and thirteenth; the eleventh without a major third) moves on
// by step. In the pop song the chorus (the third entry of the page sequence) is lifted against the verse
// (the second): more parts sound, or a fifth more notes a bar.
Figure songEndings(const Renders& renders) {
    Offences off;
    std::string value;
    for (const StyleRender& r : renders) {
        if (r.chords.empty()) continue;
        const QvChord &first = r.chords.front().chord, &last = r.chords.back().chord;
        const QvChord* before = &first;
        for (const ChordSpan& span : r.chords)
            if (!span.chord.equals(last)) before = &span.chord;
        const bool home = std::set<int>{0, 1, 5, 6, 7, 8, 11, 18, 19}.count(last.variant) &&
                          (last.key == first.key || before->key == (last.key + 7) % 12);
        if (!home) off.add(10, "ends on " + chordName(last));
        value = home ? "home" : "ends on " + chordName(last);
        int strays = 0;
        eachPart({r}, isBass, [&](const StyleRender&, const std::vector<Sounding>& notes, int t) {
            const std::vector<LineNote> line = lineOf(r, notes, t);
            for (size_t i = 0; i < line.size(); ++i) {
                const ChordSpan* span = chordAt(r, line[i].time);
                if (!span) continue;
                const int key = span->chord.key;
                std::set<int> allowed = tonesOf(span->chord, true);
                allowed.insert({(key + 2) % 12, (key + 9) % 12});
                if (!tonesOf(span->chord, false).count((key + 4) % 12)) allowed.insert((key + 5) % 12);
                const int next = i + 1 < line.size() ? std::abs(line[i + 1].pitch - line[i].pitch) : 0;
                if (allowed.count(line[i].pitch % 12) || next == 1 || next == 2) continue;
                ++strays;
                off.add(5, r, t,
                        noteName(line[i].pitch) + " over " + chordName(span->chord) +
                            (i + 1 < line.size() ? " moves on to " + noteName(line[i + 1].pitch) : " ends"),
                        line[i].time);
            }
        });
        value += ", " + std::to_string(strays) + " stray bass notes";
        if (r.song.find("Pop Song") == std::string::npos || r.entryStarts.size() < 4) continue;
        int parts[2] = {0, 0}, notes[2] = {0, 0};
        for (int k = 0; k < 2; ++k) {
            std::set<int> channels;
            for (const Sounding& n : soundingNotes(r, nullptr))
                if (n.on >= r.entryStarts[1 + k] && n.on < r.entryStarts[2 + k])
                    channels.insert(n.channel), ++notes[k];
            parts[k] = int(channels.size());
        }
        const double verse = r.entryStarts[2] - r.entryStarts[1],
                     chorus = r.entryStarts[3] - r.entryStarts[2];
        const bool lifted = parts[1] > parts[0] || 5.0 * notes[1] / chorus >= 6.0 * notes[0] / verse;
        if (!lifted)
            off.add(10, "the chorus (" + std::to_string(parts[1]) + " parts, " + std::to_string(notes[1]) +
                            " notes) is not lifted against the verse (" + std::to_string(parts[0]) +
                            " parts, " + std::to_string(notes[0]) + " notes)");
        value += lifted ? ", chorus lifted" : ", chorus flat";
    }
    return off.figure(off.count() == 0, value);
}

// A solo trumpet, trombone or baritone saxophone sounds one note at a time (the pedal counted); no
// channel strikes one note twice at one moment.
Figure oneNoteAtATime(const Renders& renders) {
    Offences off;
    int chords = 0, doubles = 0;
    eachPart(renders, isSoloHorn, [&](const StyleRender& r, const std::vector<Sounding>& notes, int t) {
        for (const auto& [time, struck] : onsetsOf(notes, r.channelOfTrack[t])) {
            std::string heard;
            int count = 0;
            for (const Sounding& m : notes)
                if (m.channel == r.channelOfTrack[t] && soundsAt(m, time))
                    heard += " " + noteName(m.pitch), ++count;
            if (count < 2) continue;
            ++chords;
            off.add(1, r, t, heard.substr(1) + " at once", time);
        }
    });
    for (const StyleRender& r : renders) {
        std::map<std::tuple<int, int, int>, int> struck;
        for (const Sounding& n : soundingNotes(r, nullptr))
            if (++struck[{n.channel, n.pitch, n.on}] == 2 && trackOn(r, n.channel) >= 0) {
                ++doubles;
                off.add(10, r, trackOn(r, n.channel), noteName(n.pitch) + " struck twice", n.on);
            }
    }
    return off.figure(off.count() == 0, std::to_string(chords) + " chords from a solo horn, " +
                                            std::to_string(doubles) + " double strikes");
}

namespace {

// The bass notes (key and place) of the first four bars of a style, or the kick and snare hits (class and
// place) of its first bar (its groove, fills aside); places in 48ths of a beat.
std::set<std::pair<int, int>> firstBars(const StyleFile& s, bool bass) {
    std::set<std::pair<int, int>> out;
    for (int t = 0; t < 7; ++t) {
        const StyleTrack& track = s.tracks.at(t);
        if (track.mode == 0 || (bass ? track.type != 1 : t != 0) || track.arp.length < 1) continue;
        for (int i = 0; i < track.arp.notes.count(); ++i) {
            const StyleNote& n = track.arp.notes.at(i);
            const int key = bass ? n.key : drumGroup(n.key);
            for (int pos = n.pos;
                 pos < (bass ? 4 : 1) * s.stepsPerBar && (bass || key == 1000 || key == 1001);
                 pos += track.arp.length)
                out.insert({key, pos * 48 / std::max(1, s.stepsPerBeat)});
        }
        if (bass) break;
    }
    return out;
}

} // namespace

// No flams: two parts strike more than 30 ms and less than 80 ms apart (ears hear one smeared attack)
// where neither strikes together (within 30 ms) with the other. No near-clones: no other style of the
// library shares 90 % of the drum hits of the first four bars, or 70 % and the bass rhythm, or the bass
// line note for note and the kick and snare.
Figure flamsAndClones(const Renders& renders) {
    Offences off;
    int flams = 0;
    for (const StyleRender& r : renders) {
        const double unit = 60000.0 / (std::max(1, r.style.bpm) * std::max(1, r.style.stepsPerBeat) * 8.0);
        const int together = int(30.0 / unit), apart = int(std::ceil(80.0 / unit)) - 1;
        std::map<int, std::vector<int>> times; // the onsets of each part, in order
        for (const Sounding& n : soundingNotes(r, nullptr))
            if (trackOn(r, n.channel) >= 0 && (times[n.channel].empty() || times[n.channel].back() != n.on))
                times[n.channel].push_back(n.on);
        auto near = [](const std::vector<int>& v, int time, int within) {
            const auto it = std::lower_bound(v.begin(), v.end(), time - within);
            return it != v.end() && *it <= time + within;
        };
        for (const auto& [a, ta] : times)
            for (const auto& [b, tb] : times)
                for (size_t i = 0; i < ta.size() && a < b; ++i)
                    for (auto u = std::lower_bound(tb.begin(), tb.end(), ta[i] - apart);
                         u != tb.end() && *u <= ta[i] + apart; ++u) {
                        const int t = ta[i];
                        if (std::abs(*u - t) <= together || near(ta, *u, together) || near(tb, t, together))
                            continue;
                        ++flams;
                        off.add(std::abs(*u - t),
                                partName(r.style, trackOn(r, a)) + " at " + where(r, t) + ", " +
                                    partName(r.style, trackOn(r, b)) +
                                    format(" %.0f ms off at step ", std::abs(*u - t) * unit) +
                                    std::to_string(*u / 8));
                    }
    }
    static const Styles library(stylesFolder());
    const StyleFile& s = renders.front().style;
    std::string clones;
    for (int i = 0; i < library.count(); ++i) {
        const StyleFile& other = library.at(i);
        bool sameBass = false;
        const double shared = sharedDrumHits(s, other, sameBass);
        const bool sameLines = s.stepsPerBar * other.stepsPerBeat == other.stepsPerBar * s.stepsPerBeat &&
                               !firstBars(s, true).empty() && firstBars(s, true) == firstBars(other, true) &&
                               firstBars(s, false) == firstBars(other, false);
        if (other.id == s.id || !(shared >= 0.9 || (shared >= 0.7 && sameBass) || sameLines)) continue;
        clones += ", like " + other.name;
        off.add(1000, "a near-clone of " + other.name + format(": %.0f %% of the drum hits", 100 * shared) +
                          (sameLines ? ", the bass note for note, the kick and snare" : ""));
    }
    return off.figure(off.count() == 0, std::to_string(flams) + " flams" + clones);
}

const std::vector<LineCheck>& lineChecks() {
    static const std::vector<LineCheck> checks{
        {"low register", lowRegister, false},
        {"maj7 under a root", majorSevenths, false},
        {"walking bass", walkingLines, false},
        {"melodic lines", melodicLines, false},
        {"bass register", bassRegister, true},
        {"guitars, registers", guitarRegisters, false},
        {"fills", phraseFills, false},
        {"balance", balance, false},
        {"voicings", voicings, false},
        {"endings, stray bass", songEndings, true},
        {"one note a horn", oneNoteAtATime, false},
        {"flams, clones", flamsAndClones, false},
    };
    return checks;
}

std::vector<std::string> lineProblems(LineCheckFunction check, const StyleRender& r) {
    const Figure f = check(Renders{r});
    std::vector<std::string> out;
    if (!f.holds) out.push_back(f.value);
    if (!f.holds) out.insert(out.end(), f.worst.begin(), f.worst.end());
    return out;
}

} // namespace shipped
