#include "tests/data/style_checks.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <set>

#include "engine/harmony.h"
#include "engine/styles.h"

namespace shipped {

std::string partName(const StyleFile& s, int t) {
    return "track " + std::to_string(t) + " (" + s.tracks.at(t).arp.name + ")";
}

std::string noteName(int p) {
    static const char* names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return std::string(names[((p % 12) + 12) % 12]) + std::to_string(p / 12 - 1);
}

int drumGroup(int k) {
    if (k == 35 || k == 36) return 1000;
    if (k >= 37 && k <= 40) return 1001;
    if (k == 42 || k == 44 || k == 46) return 1002;
    if (k == 51 || k == 53 || k == 59) return 1003;
    if (k == 49 || k == 57 || k == 52 || k == 55) return 1004;
    return k;
}

namespace {

bool isTom(int key) {
    return key == 41 || key == 43 || key == 45 || key == 47 || key == 48 || key == 50;
}

// The notes of one bar of a pattern as (key, velocity, offset in the bar, length) in list order.
std::vector<std::string> barNotes(const StyleArp& arp, int bar, int stepsPerBar) {
    std::vector<std::string> out;
    for (int i = 0; i < arp.notes.count(); ++i) {
        const StyleNote& n = arp.notes.at(i);
        if (n.pos / stepsPerBar != bar) continue;
        char text[64];
        std::snprintf(text, sizeof text, "%d/%d/%d/%.2f", n.key, n.vel, n.pos % stepsPerBar, n.len);
        out.push_back(text);
    }
    return out;
}

bool barsVary(const StyleArp& arp, int stepsPerBar) {
    const int bars = arp.length / stepsPerBar;
    const std::vector<std::string> first = barNotes(arp, 0, stepsPerBar);
    for (int b = 1; b < bars; ++b)
        if (barNotes(arp, b, stepsPerBar) != first) return true;
    return false;
}

} // namespace

std::set<int> tonesOf(const QvChord& c, bool withColourAndBass) {
    std::set<int> out;
    for (int i : variantIntervals(c.variant)) out.insert((c.key + i) % 12);
    if (withColourAndBass) out.insert(pitchClassOf(mapChordPitch(c, 69)));
    if (withColourAndBass && !c.autoBass) out.insert(c.effectiveBass());
    return out;
}

std::vector<Sounding> notesOf(const StyleRender& r, int track) {
    std::vector<Sounding> out;
    for (const Sounding& n : soundingNotes(r, nullptr))
        if (n.channel == r.channelOfTrack[track]) out.push_back(n);
    return out;
}

namespace {

std::string at(const StyleRender& r, int t, const Sounding& n) {
    return partName(r.style, t) + ": " + noteName(n.pitch) + " at " + std::to_string(n.on) + " ";
}

// The lowest and highest note of each General MIDI program: the practical range of the instrument
// (synthesizers and effects take what a keyboard gives them).
const int kRange[128][2] = {
    {21, 108}, {21, 108}, {21, 108}, {21, 108}, {28, 100}, {28, 100}, {29, 89},  {29, 89},  // pianos
    {60, 108}, {79, 108}, {60, 96},  {53, 89},  {45, 96},  {65, 108}, {60, 77},  {48, 84},  // mallets
    {24, 96},  {36, 96},  {24, 96},  {24, 108}, {36, 96},  {36, 93},  {60, 96},  {36, 93},  // organs
    {40, 83},  {40, 86},  {40, 86},  {40, 88},  {40, 83},  {40, 88},  {40, 88},  {52, 88},  // guitars
    {28, 67},  {28, 67},  {28, 67},  {28, 67},  {28, 67},  {28, 67},  {24, 72},  {24, 72},  // basses
    {55, 103}, {48, 91},  {36, 76},  {28, 67},  {28, 103}, {28, 96},  {24, 103}, {40, 57},  // strings
    {28, 103}, {28, 103}, {24, 108}, {24, 108}, {40, 81},  {40, 81},  {40, 84},  {36, 96},  // ensembles
    {54, 82},  {40, 77},  {26, 65},  {54, 82},  {34, 77},  {40, 84},  {36, 96},  {36, 96},  // brass
    {56, 88},  {49, 81},  {44, 76},  {36, 69},  {58, 91},  {52, 84},  {34, 75},  {50, 94},  // reeds
    {74, 108}, {60, 96},  {60, 96},  {60, 96},  {60, 84},  {55, 84},  {60, 96},  {60, 84},  // pipes
    {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, // leads
    {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, // pads
    {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, {24, 108}, // effects
    {48, 89},  {48, 86},  {50, 86},  {55, 91},  {60, 89},  {55, 81},  {55, 103}, {60, 88},  // ethnic
    {72, 108}, {60, 84},  {52, 88},  {48, 96},  {36, 72},  {40, 84},  {36, 84},  {36, 96},  // percussive
    {0, 127},  {0, 127},  {0, 127},  {0, 127},  {0, 127},  {0, 127},  {0, 127},  {0, 127}}; // effects

// The notes of bar `bar` of a looping pattern as (key, place in the bar); key 0 for the rhythm alone.
std::set<std::pair<int, int>> barOf(const StyleArp& arp, int bar, int stepsPerBar, bool rhythm) {
    std::set<std::pair<int, int>> out;
    for (int i = 0; i < arp.notes.count(); ++i) {
        const StyleNote& n = arp.notes.at(i);
        if (n.pos / stepsPerBar == bar % std::max(1, arp.length / stepsPerBar))
            out.insert({rhythm ? 0 : n.key, n.pos % stepsPerBar});
    }
    return out;
}

} // namespace

std::vector<std::string> arrangementProblems(const StyleRender& r) {
    std::vector<std::string> problems;
    auto problem = [&problems](const std::string& text) {
        if (problems.size() < 40) problems.push_back(text);
    };
    std::map<int, int> partOfChannel;
    for (int t = 0; t < 7; ++t)
        if (r.style.tracks.at(t).mode != 0 && r.style.tracks.at(t).type >= 2)
            partOfChannel[r.channelOfTrack[t]] = t;
    if (partOfChannel.empty()) return problems;
    const std::vector<Sounding> all = soundingNotes(r, nullptr);
    std::vector<Sounding> notes;
    for (const Sounding& n : all)
        if (partOfChannel.count(n.channel)) notes.push_back(n);

    const int bar = r.style.stepsPerBar * 8;
    int wholeBars = 0, highBars = 0;
    for (const ChordSpan& span : r.chords) {
        const QvChord& c = span.chord;
        const std::string at = "chord at " + std::to_string(span.start) + " (key " + std::to_string(c.key) +
                               ", variant " + std::to_string(c.variant) + ")";
        std::set<int> classes;
        int lo = 1000, hi = -1;
        for (const Sounding& n : notes)
            if (n.on >= span.start && n.on < span.end) {
                classes.insert(n.pitch % 12);
                lo = std::min(lo, n.pitch);
                hi = std::max(hi, n.pitch);
            }
        if (classes.empty()) {
            problem("no chord part sounds the " + at);
            continue;
        }
        const std::vector<int> intervals = variantIntervals(c.variant);
        for (int i : intervals)
            if ((i == 3 || i == 4) && !classes.count((c.key + i) % 12))
                problem("no chord part sounds the third of the " + at);
        if (intervals.size() == 4 && intervals[3] >= 9 && !classes.count((c.key + intervals[3]) % 12))
            problem("no chord part sounds the seventh or sixth of the " + at);
        if (span.end - span.start >= bar) {
            ++wholeBars;
            if (hi > 72) ++highBars;
            if (hi - lo < 24)
                problem("the chord parts span only " + noteName(lo) + ".." + noteName(hi) + " in the " + at);
        }
    }
    if (wholeBars > 0 && 2 * highBars < wholeBars)
        problem("no chord part above C5 in " + std::to_string(wholeBars - highBars) + " of " +
                std::to_string(wholeBars) + " whole-bar chords");

    // Minor ninths between chord tones sounding together in one part.
    for (const Sounding& n : notes) {
        const ChordSpan* span = chordAt(r, n.on);
        if (!span) continue;
        std::set<int> tones;
        for (int i : variantIntervals(span->chord.variant)) tones.insert((span->chord.key + i) % 12);
        if (!span->chord.autoBass) tones.insert(span->chord.effectiveBass());
        int top = -1;
        for (const Sounding& m : notes)
            if (m.channel == n.channel && m.on <= n.on && (m.off < 0 || m.off > n.on))
                top = std::max(top, m.pitch);
        for (const Sounding& m : notes) {
            if (&m == &n || m.channel != n.channel || m.on > n.on || (m.off >= 0 && m.off <= n.on)) continue;
            const int low = std::min(m.pitch, n.pitch), high = std::max(m.pitch, n.pitch);
            if (high - low < 13 || (high - low) % 12 != 1) continue;
            const bool tension = !tones.count(high % 12) && high == top;
            if (!tension)
                problem(partName(r.style, partOfChannel[n.channel]) + ": " + noteName(low) + " and " +
                        noteName(high) + " a minor ninth apart at " + std::to_string(n.on));
        }
    }
    return problems;
}

std::vector<std::string> patternProblems(const StyleFile& s) {
    std::vector<std::string> problems;
    const int spb = std::max(1, s.stepsPerBeat), bar = std::max(1, s.stepsPerBar);
    if (bar % spb != 0 || (bar / spb != 3 && bar / spb != 4))
        problems.push_back("a bar of " + std::to_string(bar) + " steps at " + std::to_string(spb) +
                           " steps a beat is neither three nor four beats");

    // One swing grid: within each part of the beat (around its second sixteenth, its offbeat eighth,
    // its last sixteenth) all parts place their notes at one fraction of the beat.
    const double windows[3][2] = {{0.2, 0.45}, {0.45, 0.72}, {0.72, 0.95}};
    std::map<int, std::map<std::pair<int, int>, std::string>> used;
    for (int t = 0; t < 7; ++t) {
        const StyleTrack& track = s.tracks.at(t);
        if (track.mode == 0) continue;
        for (int i = 0; i < track.arp.notes.count(); ++i) {
            const int off = track.arp.notes.at(i).pos % spb;
            const int g = std::gcd(off, spb);
            const std::pair<int, int> fraction{off / std::max(1, g), spb / std::max(1, g)};
            const double f = double(off) / spb;
            for (int w = 0; w < 3; ++w)
                if (f >= windows[w][0] && f < windows[w][1]) used[w].emplace(fraction, partName(s, t));
        }
    }
    for (const auto& [w, fractions] : used)
        if (fractions.size() > 1) {
            std::string text = "two swing grids:";
            for (const auto& [fraction, who] : fractions)
                text += " " + std::to_string(fraction.first) + "/" + std::to_string(fraction.second) +
                        " of a beat in " + who + ";";
            problems.push_back(text);
        }

    // Fills: toms that the first bar does not play belong to the last bar of a four-bar phrase.
    const StyleArp& drums = s.tracks.at(0).arp;
    const int bars = drums.length / bar;
    std::set<std::pair<int, int>> groove;
    for (int i = 0; i < drums.notes.count(); ++i) {
        const StyleNote& n = drums.notes.at(i);
        if (isTom(n.key) && n.pos < bar) groove.insert({n.key, n.pos});
    }
    for (int i = 0; i < drums.notes.count(); ++i) {
        const StyleNote& n = drums.notes.at(i);
        const int b = n.pos / bar;
        if (b == 0 || !isTom(n.key) || groove.count({n.key, n.pos % bar})) continue;
        if (bars < 4 || (b + 1) % 4 != 0) {
            problems.push_back("a tom fill in bar " + std::to_string(b + 1) + " of a " +
                               std::to_string(bars) +
                               "-bar drum pattern (fills belong at the end of a phrase of four bars)");
            break;
        }
    }

    // Walking bass lines.
    for (int t = 1; t < 7; ++t) {
        const StyleTrack& track = s.tracks.at(t);
        if (track.mode == 0 || track.type != 1 || track.arp.name.find("Walk") == std::string::npos) continue;
        const StyleArp& arp = track.arp;
        const int walkBars = arp.length / bar;
        int lo = 1000, hi = -1;
        for (int i = 0; i < arp.notes.count(); ++i) {
            lo = std::min(lo, arp.notes.at(i).key);
            hi = std::max(hi, arp.notes.at(i).key);
        }
        const std::string who = partName(s, t) + ": a walking line ";
        if (walkBars < 2 || !barsVary(arp, bar))
            problems.push_back(who + "that repeats one bar over and over");
        if (hi - lo < 18) problems.push_back(who + "within " + std::to_string(hi - lo) + " semitones");
    }
    return problems;
}

std::string grooveFingerprint(const StyleFile& s) {
    const int bar = std::max(1, s.stepsPerBar);
    auto place = [bar](int pos) {
        char text[16];
        std::snprintf(text, sizeof text, "%.4f", double(pos) / bar);
        return std::string(text);
    };
    std::set<std::string> drums, bass;
    const StyleArp& d = s.tracks.at(0).arp;
    for (int i = 0; i < d.notes.count(); ++i)
        if (d.notes.at(i).pos < bar)
            drums.insert(std::to_string(drumGroup(d.notes.at(i).key)) + "@" + place(d.notes.at(i).pos));
    for (int t = 1; t < 7; ++t) {
        const StyleTrack& track = s.tracks.at(t);
        if (track.mode == 0 || track.type != 1) continue;
        for (int i = 0; i < track.arp.notes.count(); ++i)
            if (track.arp.notes.at(i).pos < bar) bass.insert(place(track.arp.notes.at(i).pos));
        break;
    }
    std::string out = std::to_string(bar / std::max(1, s.stepsPerBeat)) + " beats; drums";
    for (const std::string& x : drums) out += " " + x;
    out += "; bass";
    for (const std::string& x : bass) out += " " + x;
    return out;
}

bool isPhrased(const StyleFile& s) {
    const int bar = std::max(1, s.stepsPerBar);
    const StyleArp& drums = s.tracks.at(0).arp;
    if (drums.length < 4 * bar) return false;
    bool varies = barsVary(drums, bar), another = false;
    for (int t = 1; t < 7; ++t) {
        const StyleTrack& track = s.tracks.at(t);
        if (track.mode == 0 || track.arp.length < 4 * bar) continue;
        another = true;
        varies = varies || barsVary(track.arp, bar);
    }
    return another && varies;
}

std::vector<std::string> bassProblems(const StyleRender& r) {
    std::vector<std::string> problems;
    const int beat = r.style.stepsPerBeat * 8, bar = r.style.stepsPerBar * 8;
    for (int t = 1; t < 7; ++t) {
        if (r.style.tracks.at(t).mode == 0 || r.style.tracks.at(t).type != 1) continue;
        const bool walking = r.style.tracks.at(t).arp.name.find("Walk") != std::string::npos;
        const std::vector<Sounding> line = notesOf(r, t);
        int changes = 0, met = 0;
        for (size_t i = 0; i < line.size(); ++i) {
            const Sounding& n = line[i];
            const ChordSpan* span = chordAt(r, n.on);
            if (!span) continue;
            const QvChord& c = span->chord;
            const bool tone = tonesOf(c, true).count(n.pitch % 12), next = i + 1 < line.size();
            if (tonesOf(c, false).count((c.key + 10) % 12) && n.pitch % 12 == (c.key + 11) % 12)
                problems.push_back(at(r, t, n) + "is a major seventh over a minor seventh");
            if (!tone && next && (line[i + 1].on - n.on > beat || std::abs(line[i + 1].pitch - n.pitch) > 2))
                problems.push_back(at(r, t, n) + "lies outside the chord and leaps");
            const int leap = i > 0 ? std::abs(n.pitch - line[i - 1].pitch) : 0;
            if (!walking) continue;
            if (leap > 12) problems.push_back(at(r, t, n) + "leaps " + std::to_string(leap) + " semitones");
            if (!tone && (n.on % bar == 0 || (n.on % bar == 2 * beat && bar == 4 * beat)))
                problems.push_back(at(r, t, n) + "walks on a strong beat outside the chord");
            if (i > 0 && n.on == span->start && span != &r.chords.front() && !(span - 1)->chord.equals(c)) {
                ++changes;
                met += leap == 1 || leap == 2 || leap == 5 || leap == 7;
            }
        }
        if (10 * met < 7 * changes)
            problems.push_back(partName(r.style, t) + ": " + std::to_string(met) + " of " +
                               std::to_string(changes) +
                               " chord changes met from a step, a fourth or a fifth away");
    }
    return problems;
}

std::vector<std::string> partProblems(const StyleRender& r) {
    std::vector<std::string> problems;
    for (int t = 1; t < 7; ++t) {
        const StyleTrack& track = r.style.tracks.at(t);
        if (track.mode == 0) continue;
        const int lo = kRange[track.prog & 127][0], hi = kRange[track.prog & 127][1];
        const bool duo = track.prog == 40 || track.prog == 71 || track.prog == 73 || track.prog == 110;
        const std::vector<Sounding> notes = notesOf(r, t);
        for (const Sounding& n : notes) {
            if (n.pitch < lo || n.pitch > hi)
                problems.push_back(at(r, t, n) + "lies outside " + noteName(lo) + ".." + noteName(hi));
            std::vector<int> chord; // what sounds together from this note's start, the pedal counted
            for (const Sounding& m : notes)
                if (m.on <= n.on && (m.held < 0 || m.held > n.on)) chord.push_back(m.pitch);
            std::sort(chord.begin(), chord.end());
            if (duo && chord.size() > 2)
                problems.push_back(at(r, t, n) + "sounds in a chord of " + std::to_string(chord.size()));
            if (track.type < 2 || track.abc != 1) continue;
            if (chord.back() > 74) problems.push_back(at(r, t, n) + "tops a pad above D5");
            for (size_t i = 1; i < chord.size(); ++i)
                if (chord[i] - chord[i - 1] > 12)
                    problems.push_back(at(r, t, n) + "is in a pad chord with a gap");
        }
    }
    return problems;
}

std::vector<std::string> padFingerprints(const StyleRender& r) {
    std::vector<std::string> out;
    for (int t = 1; t < 7; ++t) {
        const StyleTrack& track = r.style.tracks.at(t);
        if (track.mode == 0 || track.type < 2 || track.abc != 1) continue;
        std::string text;
        for (const ChordSpan& span : r.chords) {
            text += "|";
            for (const Sounding& n : notesOf(r, t))
                if (n.on >= span.start && n.on < span.end) text += " " + std::to_string(n.pitch);
        }
        out.push_back(text);
    }
    return out;
}

std::vector<std::string> arrangingProblems(const StyleRender& r) {
    std::vector<std::string> problems;
    const StyleFile& s = r.style;
    const int beat = s.stepsPerBeat * 8, bar = std::max(1, s.stepsPerBar);
    // Every chord of a beat or more: three of its tones, the third (or suspended tone) among them.
    std::vector<std::vector<Sounding>> notes;
    for (int t = 0; t < 7; ++t)
        notes.push_back(s.tracks.at(t).type >= 2 ? notesOf(r, t) : std::vector<Sounding>{});
    for (const ChordSpan& span : r.chords) {
        int third = span.chord.key;
        for (int i : variantIntervals(span.chord.variant))
            third = i == 2 || i == 5 ? span.chord.key + i : third;
        for (int i : variantIntervals(span.chord.variant))
            third = i == 3 || i == 4 ? span.chord.key + i : third;
        bool heard = span.end - span.start < beat || Styles::isUtilityStyle(s.id);
        for (int t = 1; t < 7; ++t) {
            std::set<int> got;
            for (const Sounding& n : notes[t])
                if (n.on >= span.start && n.on < span.end && tonesOf(span.chord, false).count(n.pitch % 12))
                    got.insert(n.pitch % 12);
            heard = heard || (got.size() >= 3 && got.count(third % 12));
        }
        if (!heard)
            problems.push_back("no chord part sounds three tones and the third at " +
                               std::to_string(span.start));
    }
    // Comping that moves: in every four bars a chord part (not a pad) with two bar rhythms, and some
    // part whose fourth bar is unlike its other three.
    int bars = 4;
    for (int t = 0; t < 7; ++t)
        if (s.tracks.at(t).mode != 0) bars = std::max(bars, (s.tracks.at(t).arp.length / bar + 3) / 4 * 4);
    for (int first = 0; first < bars && !Styles::isUtilityStyle(s.id); first += 4) {
        bool moves = false, fill = false;
        for (int t = 0; t < 7; ++t) {
            const StyleArp& arp = s.tracks.at(t).arp;
            std::set<std::set<std::pair<int, int>>> rhythms, others;
            for (int b = first; b < first + 4; ++b) rhythms.insert(barOf(arp, b, bar, true));
            for (int b = first; b < first + 3; ++b) others.insert(barOf(arp, b, bar, false));
            moves = moves || (s.tracks.at(t).type >= 2 && s.tracks.at(t).mode != 0 &&
                              s.tracks.at(t).mode <= 2 && rhythms.size() >= 2);
            fill = fill || (s.tracks.at(t).mode != 0 && !others.count(barOf(arp, first + 3, bar, false)));
        }
        if (!moves)
            problems.push_back("bars " + std::to_string(first + 1) +
                               "-: no chord part plays two bar rhythms");
        if (!fill)
            problems.push_back("bars " + std::to_string(first + 1) +
                               "-: no fill or variation in the fourth bar");
    }
    // Swing styles put their off-beats at two thirds of the beat.
    const bool swings = s.stepsPerBeat % 3 == 0;
    for (const char* name :
         {"Swing", "Shuffle", "Dixieland", "Bebop", "Jazz Waltz", "Boogie", "Foxtrot", "Quickstep"})
        if (s.name.find(name) != std::string::npos && !swings)
            problems.push_back("swings on a straight grid");
    // Melody lines of winds and bowed strings play three different bars in four.
    for (int t = 1; t < 7; ++t) {
        const StyleTrack& track = s.tracks.at(t);
        const bool melody = (track.prog >= 56 && track.prog < 80) || track.prog == 40 || track.prog == 110;
        std::set<std::set<std::pair<int, int>>> figures;
        for (int b = 0; b < 4; ++b) figures.insert(barOf(track.arp, b, bar, false));
        if (track.mode != 0 && track.type >= 2 && track.abc == 3 && melody && figures.size() < 3)
            problems.push_back(partName(s, t) + ": a melody line of " + std::to_string(figures.size()) +
                               " bars");
    }
    // A straight waltz hits its after-beats together, within 30 ms.
    const std::vector<Sounding> all = soundingNotes(r, nullptr);
    for (int when = beat; s.name.find("Waltz") != std::string::npos && !swings && when < r.songEnd;
         when += beat) {
        int lo = when + beat, hi = when - beat;
        for (const Sounding& n : all)
            if (when % (bar * 8) != 0 && 2 * std::abs(n.on - when) < beat)
                lo = std::min(lo, n.on), hi = std::max(hi, n.on);
        if ((hi - lo) * 60000.0 / (s.bpm * beat) > 30.0)
            problems.push_back("a flam on the after-beat at " + std::to_string(when));
    }
    // The bossa's kick meets nine in ten bass notes.
    int bassTrack = 0;
    for (int t = 6; t >= 1; --t)
        if (s.tracks.at(t).mode != 0 && s.tracks.at(t).type == 1) bassTrack = t;
    std::set<int> kicks;
    for (const Sounding& n : notesOf(r, 0))
        if (n.pitch == 35 || n.pitch == 36) kicks.insert(n.on);
    int met = 0, bassNotes = 0;
    for (const Sounding& n : bassTrack ? notesOf(r, bassTrack) : std::vector<Sounding>{})
        met += kicks.count(n.on), ++bassNotes;
    if (s.name.find("Bossa") != std::string::npos && 10 * met < 9 * bassNotes)
        problems.push_back("the kick meets " + std::to_string(met) + " of " + std::to_string(bassNotes) +
                           " bass notes");
    // The tumbao anticipates every bar of its pattern after the first: a root struck in the last beat
    // before rings over the bar line, and nothing strikes the downbeat (a new chord brings its own root).
    const StyleArp& tumbao = s.tracks.at(bassTrack).arp;
    for (int down = bar; s.name.find("Salsa") != std::string::npos && down < tumbao.length; down += bar) {
        bool anticipated = false, struck = false;
        for (int i = 0; i < tumbao.notes.count(); ++i) {
            const StyleNote& n = tumbao.notes.at(i);
            struck = struck || n.pos == down;
            anticipated = anticipated || (n.pos >= down - s.stepsPerBeat && n.pos < down && n.key % 12 == 0 &&
                                          n.pos + n.len > down);
        }
        if (!anticipated || struck)
            problems.push_back("the tumbao does not anticipate bar " + std::to_string(down / bar + 1));
    }
    return problems;
}

double sharedDrumHits(const StyleFile& a, const StyleFile& b, bool& sameBassRhythm) {
    // Hits of the first four bars as drum class (0 for the bass) and place in 48ths of a beat.
    auto hits = [](const StyleFile& s, int type) {
        std::set<std::pair<int, int>> out;
        for (int t = 0; t < 7; ++t)
            for (int b = 0; s.tracks.at(t).mode != 0 && s.tracks.at(t).type == type && b < 4; ++b)
                for (const auto& [key, pos] :
                     barOf(s.tracks.at(t).arp, b, std::max(1, s.stepsPerBar), type != 0))
                    out.insert({type == 0 ? drumGroup(key) : 0,
                                (b * s.stepsPerBar + pos) * 48 / std::max(1, s.stepsPerBeat)});
        return out;
    };
    const auto da = hits(a, 0), db = hits(b, 0);
    std::vector<std::pair<int, int>> common;
    std::set_intersection(da.begin(), da.end(), db.begin(), db.end(), std::back_inserter(common));
    sameBassRhythm = hits(a, 1) == hits(b, 1);
    const bool oneMeter = a.stepsPerBar * b.stepsPerBeat == b.stepsPerBar * a.stepsPerBeat;
    return oneMeter ? double(common.size()) / double(std::max<size_t>(1, std::max(da.size(), db.size())))
                    : 0.0;
}

} // namespace shipped
