#include "tests/data/style_checks.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <set>

#include "engine/harmony.h"

namespace shipped {

namespace {

std::string partName(const StyleFile& s, int t) {
    return "track " + std::to_string(t) + " (" + s.tracks.at(t).arp.name + ")";
}

std::string noteName(int p) {
    static const char* names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return std::string(names[((p % 12) + 12) % 12]) + std::to_string(p / 12 - 1);
}

bool isTom(int key) {
    return key == 41 || key == 43 || key == 45 || key == 47 || key == 48 || key == 50;
}

int drumGroup(int k) {
    if (k == 35 || k == 36) return 1000;
    if (k >= 37 && k <= 40) return 1001;
    if (k == 42 || k == 44 || k == 46) return 1002;
    if (k == 51 || k == 53 || k == 59) return 1003;
    if (k == 49 || k == 57 || k == 52 || k == 55) return 1004;
    return k;
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
        int approached = 0;
        for (int b = 0; b < walkBars; ++b) {
            int last = -1, key = 0;
            for (int i = 0; i < arp.notes.count(); ++i) {
                const StyleNote& n = arp.notes.at(i);
                if (n.pos / bar == b && n.pos >= last) last = n.pos, key = n.key;
            }
            const int pc = key % 12;
            if (last >= 0 && pc != 0 && pc != 4 && pc != 7 && pc != 9) ++approached;
        }
        if (2 * approached < walkBars)
            problems.push_back(who + "with an approach tone ending only " + std::to_string(approached) +
                               " of " + std::to_string(walkBars) + " bars");
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

} // namespace shipped
