// Builds helpers, checks and the style file writer of the generator, and its main program:
//   stylegen <data folder>   writes <data folder>/Styles/NNN.qms and <data folder>/Samples/*.qvs
// Every file is written through the program's own atomic file writer; nothing else is touched.
#include "tools/stylegen/stylegen.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace stylegen {

namespace {

bool isKick(int k) {
    return k == 35 || k == 36;
}
bool isSnare(int k) {
    return k >= 37 && k <= 40;
}
bool isHihat(int k) {
    return k == 42 || k == 44 || k == 46;
}
bool isRide(int k) {
    return k == 51 || k == 53 || k == 59;
}
bool isCrashType(int k) {
    return k == 49 || k == 52 || k == 55 || k == 57;
}

// The drum groups in which two notes may never sound together: kick, snare, hi-hat, ride, crash,
// effect cymbals; every other percussion key is a group of its own.
int drumClass(int k) {
    if (isKick(k)) return 1000;
    if (isSnare(k)) return 1001;
    if (isHihat(k)) return 1002;
    if (isRide(k)) return 1003;
    if (k == 49 || k == 57) return 1004;
    if (k == 52 || k == 55) return 1005;
    return k;
}

// Order of drum notes within one step: what a drum break picks comes first.
int drumRank(int k) {
    if (isKick(k)) return 0;
    if (isSnare(k)) return 1;
    if (isHihat(k)) return 2;
    if (isRide(k)) return 3;
    if (isCrashType(k)) return 4;
    return 5;
}

std::vector<int> rhythmSteps(std::string_view pattern, std::vector<int>& velocities) {
    std::vector<int> steps;
    int step = 0;
    for (char c : pattern) {
        if (c == ' ' || c == '|') continue;
        velocities.push_back(velocityOf(c));
        steps.push_back(step++);
    }
    return steps;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "stylegen: %s\n", what.c_str());
    std::exit(2);
}

void addRhythm(Track& t, const std::vector<int>& keys, std::string_view pattern, double len) {
    std::vector<int> vels;
    std::vector<int> steps = rhythmSteps(pattern, vels);
    const int n = static_cast<int>(steps.size());
    if (n == 0 || t.length % n != 0)
        fail("pattern of " + std::to_string(n) + " steps does not divide track length " +
             std::to_string(t.length) + " in " + t.name);
    for (int base = 0; base < t.length; base += n)
        for (int i = 0; i < n; ++i)
            if (vels[i] > 0)
                for (int k : keys) t.notes.push_back(Note{k, vels[i], base + i, len});
}

int lowerSplit(const Track& t) {
    return t.type == Bass ? 1000 : 60;
}

} // namespace

int velocityOf(char c) {
    if (c >= '1' && c <= '9') return 24 + 10 * (c - '0');
    if (c == 'x') return 127;
    if (c == '.' || c == '-') return 0;
    fail(std::string("unknown rhythm character ") + c);
}

Track drumTrack(const std::string& name, int length) {
    Track t;
    t.type = Drums;
    t.mode = 1;
    t.abc = LayerB;
    t.name = name;
    t.length = length;
    return t;
}

Track bassTrack(const std::string& name, int prog, int length) {
    Track t;
    t.type = Bass;
    t.mode = 1;
    t.abc = LayerB;
    t.prog = prog;
    t.name = name;
    t.length = length;
    return t;
}

Track chordTrack(int type, const std::string& name, int prog, int mode, int layer, int length,
                 int strumHeight) {
    Track t;
    t.type = type;
    t.mode = mode;
    t.prog = prog;
    t.abc = layer;
    t.name = name;
    t.length = length;
    t.strumHeight = strumHeight;
    return t;
}

void grid(Track& t, int key, std::string_view pattern) {
    addRhythm(t, {key}, pattern, 0.5);
}

void hits(Track& t, const std::vector<int>& keys, std::string_view pattern, double len) {
    addRhythm(t, keys, pattern, len);
}

void add(Track& t, int key, int vel, int pos, double len) {
    t.notes.push_back(Note{key, vel, pos, len});
}

void add(Track& t, const std::vector<int>& keys, int vel, int pos, double len) {
    for (int k : keys) add(t, k, vel, pos, len);
}

void repeatEvery(Track& t, int period) {
    std::vector<Note> first = t.notes;
    for (int base = period; base < t.length; base += period)
        for (const Note& n : first)
            if (n.pos + base < t.length) t.notes.push_back(Note{n.key, n.vel, n.pos + base, n.len});
}

void loopTo(Track& t, int length) {
    const int period = t.length;
    t.length = length;
    repeatEvery(t, period);
}

void clearSteps(Track& t, int from, int to, const std::vector<int>& keys) {
    std::vector<Note> kept;
    for (const Note& n : t.notes) {
        const bool listed = keys.empty() || std::find(keys.begin(), keys.end(), n.key) != keys.end();
        if (n.pos >= from && n.pos < to && listed) continue;
        kept.push_back(n);
    }
    t.notes = kept;
}

namespace {

// The loudest hit of a drum pattern before a step: the accent a fill there has to reach.
int accentBefore(const Track& d, int from) {
    int peak = 96;
    for (const Note& n : d.notes)
        if (n.pos < from) peak = std::max(peak, n.vel);
    return peak;
}

// A kick under a fill hit, unless the groove kicks there already.
void kickUnder(Track& d, int pos, int vel) {
    for (const Note& n : d.notes)
        if (n.pos == pos && isKick(n.key)) return;
    add(d, 36, vel, pos, 0.5);
}

} // namespace

void tomFill(Track& d, int from, int to, int every) {
    const int peak = accentBefore(d, from);
    clearSteps(d, from, to, {38, 40, 42, 44, 46, 51, 53, 59});
    static const int toms[] = {50, 48, 47, 45, 43, 41};
    const int hits = (to - from) / every;
    for (int i = 0; i < hits; ++i) {
        const int pos = from + i * every;
        // A crescendo that lands on the groove's own accent: the fill lifts into the next downbeat.
        const int vel = peak - (hits - 1 - i) * 32 / std::max(1, hits);
        if (i < hits / 3)
            add(d, 38, vel, pos, 0.5);
        else
            add(d, toms[std::min(5, (i - hits / 3) * 6 / std::max(1, hits - hits / 3))], vel, pos, 0.5);
    }
}

void fourBarPhrase(Style& s, int fillSteps, bool toms) {
    const int length = 4 * s.stepsPerBar, from = length - fillSteps;
    Track& d = s.tracks.at(0);
    loopTo(d, length);
    const int every = std::max(1, s.stepsPerBeat / 2);
    if (toms) {
        tomFill(d, from, length, every);
    } else {
        // A snare crescendo up to the groove's accent (its first hit as strong as a backbeat), the
        // kick under its first and last hits.
        const int peak = accentBefore(d, from), hits = (fillSteps + every - 1) / every;
        clearSteps(d, from, length, {37, 38, 40, 42, 44, 46});
        for (int pos = from, i = 0; pos < length; pos += every, ++i) {
            add(d, 38, std::max(40, peak - (hits - 1 - i) * 6), pos, 0.5);
            if (i == 0 || i == hits - 1) kickUnder(d, pos, peak - 12);
        }
    }
    // The bass leans into the next phrase from the third on its last beat: a chord tone that reaches
    // the next root by a step or a third, and stays within an octave of it wherever the harmony
    // places the chord.
    for (size_t t = 1; t < s.tracks.size(); ++t) {
        Track& b = s.tracks[t];
        if (b.type != Bass || b.mode == 0) continue;
        loopTo(b, length);
        clearSteps(b, length - s.stepsPerBeat, length);
        add(b, 40, 88, length - s.stepsPerBeat, s.stepsPerBeat * 0.9);
        break;
    }
}

Track pad(const std::string& name, int prog, int mode, int length, const std::vector<int>& below, int vel,
          int octave) {
    int top = 0;
    for (int b : below) top = std::max(top, b);
    Track t = chordTrack(Codes, name, prog, mode, LayerA, length, top + 1);
    t.key = octave;
    t.susVolume = 85;
    const auto [low, high] = std::minmax_element(below.begin(), below.end());
    for (int b : below) add(t, 72 + top - b, b == *low || b == *high ? vel : vel - 8, 0, length);
    return t;
}

void noteLine(Track& t, int barSteps, int every, int accent, int vel,
              const std::vector<std::vector<int>>& bars) {
    for (size_t b = 0; b < bars.size(); ++b)
        for (size_t i = 0; i < bars[b].size(); ++i)
            if (bars[b][i] > 0)
                add(t, bars[b][i], i % accent == 0 ? vel : vel - 12, int(b) * barSteps + int(i) * every,
                    every * 0.9);
}

void walkingLine(Track& b, int stepsPerBeat, const std::vector<std::vector<int>>& bars) {
    int pos = 0;
    for (const std::vector<int>& bar : bars)
        for (size_t i = 0; i < bar.size(); ++i) {
            add(b, bar[i], i == 0 ? 100 : (i % 2 ? 84 : 90), pos, stepsPerBeat * 0.9);
            pos += stepsPerBeat;
        }
}

void normalise(Style& s) {
    for (Track& t : s.tracks) {
        const bool drums = t.type == Drums;
        std::stable_sort(t.notes.begin(), t.notes.end(), [drums](const Note& a, const Note& b) {
            if (a.pos != b.pos) return a.pos < b.pos;
            return drums && drumRank(a.key) < drumRank(b.key);
        });
    }
    while (s.tracks.size() < 7) s.tracks.push_back(Track{});
}

void checkStyle(const Style& s, std::vector<std::string>& problems) {
    const std::string where = styleFileName(s.number) + " (" + s.name + "): ";
    auto problem = [&](const std::string& text) { problems.push_back(where + text); };
    if (s.name.empty() || s.name.find(';') != std::string::npos) problem("bad style name");
    if (s.tracks.size() != 7) problem("not seven tracks");
    if (s.tracks.empty() || s.tracks[0].type != Drums) problem("track 0 is not a drum track");
    if (s.stepsPerBeat < 1 || s.stepsPerBar < s.stepsPerBeat || s.stepsPerBar % s.stepsPerBeat != 0)
        problem("bad step grid");
    else if (s.stepsPerBar / s.stepsPerBeat != 3 && s.stepsPerBar / s.stepsPerBeat != 4)
        problem("a bar of neither three nor four beats (the program shows and exports only 3/4 and 4/4)");
    int active = 0;
    for (size_t ti = 0; ti < s.tracks.size(); ++ti) {
        const Track& t = s.tracks[ti];
        const std::string tw = "track " + std::to_string(ti) + " ";
        if (t.mode == 0) {
            if (!t.notes.empty()) problem(tw + "is off but has notes");
            continue;
        }
        ++active;
        if (t.type == Drums && t.mode != 1) problem(tw + "drums must have mode 1");
        if (ti > 0 && t.type == Drums) problem(tw + "a second drum track");
        if (t.name.find(';') != std::string::npos) problem(tw + "pattern name holds ';'");
        if (t.length < 1 || t.length > 256) problem(tw + "pattern length out of 1..256");
        if (t.length % s.stepsPerBar != 0) problem(tw + "pattern length is not whole bars");
        if (t.notes.empty()) problem(tw + "has no notes");
        if (t.vol < 1 || t.vol > 100) problem(tw + "volume out of 1..100");
        if (t.strumHeight < 0 || t.strumHeight > 7) problem(tw + "strum height out of 0..7");
        if (t.type != Codes && t.strumHeight != 0) problem(tw + "strum height on a track without codes");
        int last = -1;
        std::map<int, std::set<int>> classesAt;
        for (const Note& n : t.notes) {
            const std::string nw = tw + "note " + std::to_string(n.key) + "@" + std::to_string(n.pos) + " ";
            if (n.key < 35 || n.key > 81) problem(nw + "key out of 35..81");
            if (n.vel < 1 || n.vel > 127) problem(nw + "velocity out of 1..127");
            if (n.pos < 0 || n.pos >= t.length) problem(nw + "outside the pattern");
            if (n.pos < last) problem(nw + "not sorted by position");
            if (!(n.len > 0.0) || n.pos + n.len > t.length)
                problem(nw + "bad length or ends past the pattern");
            last = n.pos;
            if (t.type == Drums) {
                if (!classesAt[n.pos].insert(drumClass(n.key)).second)
                    problem(nw + "two notes of one drum class on one step");
                continue;
            }
            if (t.mode >= 3 && n.pos != 0) problem(nw + "pads play only step-0 notes");
            const int pc = n.key % 12;
            if (t.type == Codes && n.key >= 60) {
                if (n.key != 60 && (n.key < 72 || n.key > 78)) problem(nw + "not a chord code");
                if (n.key >= 72 && t.strumHeight == 0) problem(nw + "voice code without a strum height");
                continue;
            }
            // Pitches the harmony moves onto the chord (root, third, fifth, colour); bass lines may pass
            // through the second and the fourth and approach a chord tone from a semitone away (the
            // leading tone, the sharp fourth).
            const bool passing = pc == 2 || pc == 5 || pc == 6 || pc == 11;
            // A chord part may top its voicing with the ninth as a tension.
            bool topNinth = t.type == Pitches && pc == 2 && n.key >= 60;
            for (const Note& m : t.notes)
                if (m.pos == n.pos && m.key > n.key) topNinth = false;
            const bool ok =
                pc == 0 || pc == 4 || pc == 7 || pc == 9 || (t.type == Bass && passing) || topNinth;
            if (!ok) problem(nw + "pitch class the harmony does not move");
        }
        if (t.type == Drums) continue;
        // Bass-register notes: a root at step 0, and no root that follows a beat closely without a note
        // on the beat itself (a chord change there would be met by silence).
        const int split = lowerSplit(t);
        bool anyLower = false, rootAtZero = false;
        for (const Note& n : t.notes)
            if (n.key < split) {
                anyLower = true;
                if (n.pos == 0 && n.key % 12 == 0) rootAtZero = true;
            }
        if (anyLower && !rootAtZero) problem(tw + "no root at step 0");
        const int half = s.stepsPerBeat / 2;
        for (int b = 0; b < t.length; b += s.stepsPerBeat)
            for (const Note& n : t.notes) {
                if (n.key >= split || n.pos < b || n.pos > b + half) continue;
                if (n.key % 12 == 0 && n.pos != b)
                    problem(tw + "root at step " + std::to_string(n.pos) + " just after the beat at " +
                            std::to_string(b));
                break;
            }
        if (t.abc < 1 || t.abc > 3) {
            if (t.type >= Pitches) problem(tw + "chord track without a layer");
        }
    }
    if (!s.utility() && active < 3) problem("fewer than three active tracks");
}

std::string styleFileName(int number) {
    std::string n = std::to_string(number);
    while (n.size() < 3) n = "0" + n;
    return n + ".qms";
}

std::string styleFileText(const Style& s) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    auto field = [&](const std::string& key, int v) { line(key + "=" + intToText(v)); };
    const std::string header = "QuoVelanta Style File";
    line("<" + header + ">");
    field("fileVersion", 1);
    line("name=" + s.name);
    field("bpm", s.bpm);
    field("stepsPerBeat", s.stepsPerBeat);
    field("stepsPerBar", s.stepsPerBar);
    field("globalVol", s.globalVol);
    field("autoCymbal_nthBar", s.autoCymbal);
    for (const Track& t : s.tracks) {
        line("<tracks>");
        field("type", t.type);
        field("mode", t.mode);
        field("prog", t.prog);
        field("vol", t.vol);
        field("key", t.key);
        field("abc", t.abc);
        field("breakLength", t.breakLength);
        field("breakVolume", t.breakVolume);
        field("susVolume", t.susVolume);
        line("<arp>");
        line("name=" + t.name);
        field("length", t.length);
        field("strumHeight", t.strumHeight);
        for (const Note& n : t.notes)
            line(intToText(n.key) + ";" + intToText(n.vel) + ";" + intToText(n.pos) + ";" +
                 formatFloat(n.len));
        line("</arp>");
        line("</tracks>");
    }
    line("</" + header + ">");
    return out;
}

std::vector<Style> allStyles() {
    std::vector<Style> out;
    addStylesPopRock(out);
    addStylesSoulFolk(out);
    addStylesJazzLatin(out);
    addStylesDanceUtility(out);
    addStylesBallroom(out);
    addStylesMore(out);
    for (Style& s : out) normalise(s);
    std::sort(out.begin(), out.end(), [](const Style& a, const Style& b) { return a.number < b.number; });
    return out;
}

Track pitchPad(const std::string& name, int prog, int mode, int length, const std::vector<int>& keys,
               int vel) {
    Track t = chordTrack(Pitches, name, prog, mode, LayerA, length);
    t.susVolume = 85;
    const auto [low, high] = std::minmax_element(keys.begin(), keys.end());
    for (int k : keys) add(t, k, k == *low || k == *high ? vel : vel - 8, 0, length);
    return t;
}

void swingLine(Track& t, int vel, const std::vector<std::vector<int>>& bars) {
    int start = 0;
    for (const std::vector<int>& bar : bars) {
        for (size_t i = 0; i < bar.size(); ++i)
            if (bar[i] > 0)
                add(t, bar[i], i % 2 ? vel - 14 : vel, start + 3 * int(i / 2) + (i % 2 ? 2 : 0),
                    i % 2 ? 0.9 : 1.8);
        start += 3 * int(bar.size() / 2);
    }
}

} // namespace stylegen

int main(int argc, char** argv) {
    using namespace stylegen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: stylegen <data folder>\n");
        return 1;
    }
    setDecimalSeparator('.');
    const std::string root = argv[1];
    const std::vector<Style> styles = allStyles();
    const std::vector<Session> sessions = allSessions();
    std::vector<std::string> problems;
    std::set<int> numbers;
    for (const Style& s : styles) {
        checkStyle(s, problems);
        if (!numbers.insert(s.number).second) problems.push_back("style number used twice: " + s.name);
    }
    for (const Session& s : sessions) checkSession(s, styles, problems);
    if (!problems.empty()) {
        for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(root + "/Styles", ec);
    std::filesystem::create_directories(root + "/Samples", ec);
    for (const Style& s : styles)
        if (!writeFileAtomic(root + "/Styles/" + styleFileName(s.number), styleFileText(s))) {
            std::fprintf(stderr, "stylegen: cannot write %s\n", styleFileName(s.number).c_str());
            return 3;
        }
    for (const Session& s : sessions)
        if (!writeFileAtomic(root + "/Samples/" + s.fileName, sessionFileText(s))) {
            std::fprintf(stderr, "stylegen: cannot write %s\n", s.fileName.c_str());
            return 3;
        }
    std::printf("stylegen: %zu styles, %zu sessions\n", styles.size(), sessions.size());
    return 0;
}
