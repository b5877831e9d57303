// The sample sessions: chord pages written as chord symbols, arrangement points, settings and notes,
// and the session file writer.
#include <map>

#include "foundation/strutil.h"
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "stylegen: %s\n", what.c_str());
    std::exit(2);
}

int parseRoot(const std::string& text, size_t& i) {
    static const std::map<char, int> letters{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                             {'G', 7}, {'A', 9}, {'B', 11}};
    if (i >= text.size() || !letters.count(text[i])) fail("bad chord root in " + text);
    int pc = letters.at(text[i++]);
    if (i < text.size() && text[i] == '#') {
        ++pc;
        ++i;
    } else if (i < text.size() && text[i] == 'b' && text.compare(i, 2, "b5") != 0) {
        --pc;
        ++i;
    }
    return (pc + 12) % 12;
}

// A chord symbol as the program names chords: root, the variant's suffix, "/" and a bass note,
// then "^" and an inversion and ":" and a length in 48ths of a bar (a bar when missing).
Chord chord(const std::string& text) {
    static const std::vector<std::pair<std::string, int>> suffixes{
        {"m7b5", 14}, {"sus2", 10}, {"+M7", 13}, {"mM7", 11}, {"sus", 9}, {"+7", 12}, {"m7", 5},
        {"M7", 6},    {"m6", 8},    {"m4", 17},  {"m2", 19},  {"o7", 15}, {"m", 1},   {"+", 2},
        {"o", 3},     {"7", 4},     {"6", 7},    {"4", 16},   {"2", 18}};
    Chord c;
    size_t i = 0;
    c.key = parseRoot(text, i);
    for (const auto& [suffix, variant] : suffixes)
        if (text.compare(i, suffix.size(), suffix) == 0) {
            c.variant = variant;
            i += suffix.size();
            break;
        }
    while (i < text.size()) {
        const char mark = text[i++];
        if (mark == '/') {
            c.bass = parseRoot(text, i);
            if (c.bass == c.key) c.bass = -1;
            continue;
        }
        size_t used = 0;
        const int value = std::stoi(text.substr(i), &used);
        i += used;
        if (mark == '^')
            c.inversion = value;
        else if (mark == ':')
            c.len = value;
        else
            fail("bad chord text " + text);
    }
    return c;
}

std::vector<Chord> chords(const std::vector<std::string>& texts) {
    std::vector<Chord> out;
    for (const std::string& t : texts) out.push_back(chord(t));
    return out;
}

Page page(const std::vector<std::string>& texts) {
    Page p;
    p.chords = chords(texts);
    int len = 0;
    for (const Chord& c : p.chords) len += c.len;
    p.zoom = len > 8 * 48 ? 16 : 8;
    return p;
}

APoint point(int pos, int kind, int cym) {
    APoint a = pointOfKind(pos, kind);
    a.cym = cym;
    return a;
}

Session popSong() {
    Session s;
    s.fileName = "01 Pop Song - Open Road.qvs";
    s.style = 1;
    s.bpm = 108;
    s.pages[0] = page({"G", "D/F#", "Em7", "C2"});
    s.pages[0].apoints = {point(0, 15, 0), point(96, 0, 1)};
    s.pages[1] = page({"G", "Em", "C", "D", "G", "Em", "Am7", "Dsus:24", "D:24"});
    // The verse leaves the picked guitar out; the chorus brings it in.
    APoint verse = point(0, 0, 1);
    verse.oC = false;
    s.pages[1].apoints = {verse};
    s.pages[2] = page({"C^1", "G/B", "Am", "G", "C^1", "G/B", "Am7", "D7"});
    s.pages[2].apoints = {point(0, 0, 2), point(336, 7, 3)};
    s.pages[3] = page({"Em", "C", "G/B", "D^2", "Em", "C", "Am7", "Dsus:24", "D7:24"});
    s.pages[3].apoints = {point(0, 2, 4), point(192, 0, 1)};
    s.pages[4] = page({"C", "G/B", "Am7", "Gsus:24", "G:24", "G"});
    s.pages[4].apoints = {point(0, 0, 1), point(192, 10, 1)};
    s.pageSlots = {0, 1, 2, 1, 2, 3, 2, 2, 4};
    s.notes = {"Open Road - a pop song in G.",
               "Intro, verse, chorus, verse, chorus, bridge, chorus twice, outro.",
               "The chorus voices C in its first inversion and leans on G over B."};
    return s;
}

Session waltzSession() {
    Session s;
    s.fileName = "02 Waltz - Autumn Promenade.qvs";
    s.style = 26;
    s.bpm = 96;
    s.sharpFlatMode = 0;
    s.pages[0] = page({"F", "Am", "Bb", "C7", "Dm", "Gm7", "C7", "F"});
    s.pages[1] = page({"Bb", "Bbm6", "F/A", "Dm", "Gm7:32", "C7:16", "Gm7", "Csus:32", "C7:16", "F"});
    s.pages[1].apoints = {point(336, 3, 3)};
    s.pageSlots = {0, 1, 0, 1};
    s.notes = {"Autumn Promenade - a waltz in F, three beats to the bar.",
               "Chords that change inside a bar fall on the beats: two beats and one."};
    return s;
}

Session arrangementDemo() {
    Session s;
    s.fileName = "03 Arrangement Demo.qvs";
    s.style = 9;
    s.bpm = 92;
    s.autoCymbal_nthBar = 4;
    s.cymbalOnPageStart = true;
    const std::vector<std::string> cycle{"C", "Am7", "F", "G7", "C/E", "F", "Dm7", "Gsus:24", "G7:24"};
    std::vector<std::string> sixteen = cycle;
    sixteen.insert(sixteen.end(), cycle.begin(), cycle.end());
    for (int p = 0; p < 2; ++p) {
        s.pages[p] = page(sixteen);
        // Two bars for each of the preset kinds, every cymbal in turn.
        for (int i = 0; i < 8; ++i) {
            const int kind = p * 8 + i;
            s.pages[p].apoints.push_back(point(i * 96, kind, kind % 8));
        }
    }
    s.pages[2] = page({"Am", "F", "C/G", "G7", "Am", "F", "G", "C"});
    s.pages[2].apoints = {point(0, 16, 0), point(96, 17, 1), point(192, 18, 2), point(288, 0, 3)};
    // A cymbal without a change of arrangement, and a change without a cymbal.
    APoint hitOnly = point(312, 0, 7);
    hitOnly.arrangeEnabled = false;
    APoint quiet = point(336, 0, 5);
    quiet.fillEnabled = false;
    quiet.oHihat = false;
    quiet.oB = false;
    s.pages[2].apoints.push_back(hitOnly);
    s.pages[2].apoints.push_back(quiet);
    s.pageSlots = {0, 1, 2};
    s.notes = {"Every kind of arrangement point, two bars each, with every cymbal in turn.",
               "Page 1: Normal, sustains and breaks. Page 2: drum breaks, Break All and the part mutes.",
               "Page 3: Bass Only, Chords Only, Silence, then a cymbal alone and a point without hi-hat and "
               "layer B.",
               "The tenor saxes of this style play a short break where the others sustain."};
    return s;
}

Session loopFadeDemo() {
    Session s;
    s.fileName = "04 Loop And Fade Out.qvs";
    s.style = 19;
    s.bpm = 128;
    s.loopStart = 4;
    s.loopEnd = 7;
    s.loopMode = 2;
    s.loopRegionActive = true;
    s.fadeOutMode = -4;
    s.rewindStyleInLoops = true;
    s.pages[0] = page({"Dm7", "G7", "CM7", "FM7", "Bm7b5", "E7", "Am7:24", "Gm7:24", "Am6"});
    s.pages[1] = page({"Dm7", "G7", "Em7", "A7", "Dm7", "G7", "CM7", "CM7"});
    s.pages[1].apoints = {point(288, 3, 0)};
    s.pageSlots = {0, 1};
    s.notes = {"Loop and fade-out demo.",
               "The loop region repeats bars 5 to 8 (Bm7b5 to Am6) until you switch it off.",
               "Then the song plays on and fades out over its last four bars, and playback stops.",
               "The style restarts its pattern each time the loop starts again."};
    s.links[0] = "https://en.wikipedia.org/wiki/Bossa_nova";
    s.links[1] = "https://en.wikipedia.org/wiki/Fade_(audio_engineering)";
    return s;
}

Session jazzStandard() {
    Session s;
    s.fileName = "05 Jazz Standard - Blue Lantern.qvs";
    s.style = 16;
    s.bpm = 150;
    s.sharpFlatMode = 0;
    s.autoCymbal = false;
    s.pages[0] = page({"EbM7", "Ab7", "Gm7", "C7", "Fm7", "Bb7", "Gm7:24", "Gbo7:24", "Fm7:24", "Bb7:24"});
    s.pages[1] = page({"EbM7", "Ab7", "Gm7", "C7", "Fm7", "Bb7", "Eb6", "Am7b5:24", "D7:24"});
    s.pages[2] = page({"Am7b5", "D7", "Gm7", "Gm7", "Cm7", "F7", "Fm7", "Bbsus:24", "Bb7:24"});
    s.pages[2].apoints = {point(0, 0, 4)};
    // The last A' comes home to E flat instead of turning to the bridge.
    s.pages[3] = page({"EbM7", "Ab7", "Gm7", "C7", "Fm7", "Bb7", "Eb6", "Eb6"});
    s.pageSlots = {0, 1, 2, 3};
    s.notes = {"Blue Lantern - an original tune in the form A A' B A'.",
               "Thirty-two bars in E flat: ii-V turns, a passing diminished chord and a bridge in G minor.",
               "The last A' ends at home on E flat six."};
    return s;
}

Session slowBluesSession() {
    Session s;
    s.fileName = "06 Slow Blues In A.qvs";
    s.style = 15;
    s.bpm = 58;
    s.pages[0] = page({"A7", "D7", "A7", "A7", "D7", "D#o7", "A7/E", "F#7", "Bm7", "E7", "A7:24", "D7:24",
                       "A7:24", "E7:24", "A6"});
    s.pages[0].apoints = {point(528, 7, 1), point(576, 0, 1)};
    s.pageSlots = {0};
    s.notes = {"A twelve-bar slow blues in A with a quick change and a turnaround.",
               "Bar 6 climbs from D7 through D#dim7 back to A over E.",
               "The turnaround leads into a last bar at home on A six."};
    return s;
}

Session boleroSession() {
    Session s;
    s.fileName = "07 Bolero - Night Garden.qvs";
    s.style = 38;
    s.bpm = 88;
    s.sharpFlatMode = 0;
    s.pages[0] = page({"Am", "Bm7b5:24", "E7:24", "Am", "A7", "Dm", "G7", "CM7", "FM7"});
    s.pages[1] = page({"Dm7", "E7", "Am", "Am7/G", "FM7", "Bm7b5:24", "E7:24", "Am6", "E7"});
    s.pages[1].apoints = {point(336, 7, 1)};
    // The last time through, the ii-V resolves and the song rests on A minor.
    s.pages[2] = page({"Dm7", "E7", "Am", "Am7/G", "FM7", "Bm7b5:24", "E7:24", "Am6", "Am"});
    s.pages[2].apoints = {point(336, 7, 1)};
    s.pageSlots = {0, 1, 0, 2};
    s.notes = {"Night Garden - a bolero in A minor.",
               "A minor ii-V (Bm7b5 E7), a turn to the relative major through G7, and back."};
    return s;
}

Session rockAndRollSession() {
    Session s;
    s.fileName = "08 Rock And Roll - Saturday Hop.qvs";
    s.style = 35;
    s.bpm = 168;
    s.pages[0] = page({"C", "F", "C", "C7", "F", "F", "C", "C", "G7", "F7", "C", "G7"});
    s.pages[1] = page({"C", "F", "C", "C7", "F", "F#o7", "C/G", "A7", "D7", "G7", "C", "C"});
    s.pages[1].apoints = {point(528, 0, 2)};
    s.pageSlots = {0, 0, 1};
    s.notes = {"Saturday Hop - a twelve-bar rock and roll in C with a boogie piano.",
               "The last chorus steps up through F#dim7 and a ragtime turn (A7 D7 G7)."};
    return s;
}

Session bluegrassSession() {
    Session s;
    s.fileName = "09 Bluegrass - Mountain Road.qvs";
    s.style = 45;
    s.bpm = 200;
    s.pages[0] = page({"G", "G", "C", "G", "G", "G", "D", "D"});
    s.pages[1] = page({"G", "G7", "C", "C", "G", "D7", "G", "G"});
    s.pageSlots = {0, 1, 0, 1};
    s.notes = {"Mountain Road - a bluegrass tune in G, banjo rolls over a boom-chick guitar.",
               "A sixteen-bar form: I, IV and V with a seventh that leans into the IV."};
    return s;
}

void writeChord(std::vector<std::string>& out, const Chord& c) {
    out.push_back("<chords>");
    out.push_back("key=" + intToText(c.key));
    out.push_back("variant=" + intToText(c.variant));
    out.push_back("inversion=" + intToText(c.inversion));
    out.push_back("bass=" + intToText(c.bass < 0 ? c.key : c.bass));
    out.push_back("autoBass=" + boolToText(c.bass < 0));
    out.push_back("bassOctave=" + boolToText(c.bassOctave));
    out.push_back("len=" + intToText(c.len));
    out.push_back("</chords>");
}

void writePoint(std::vector<std::string>& out, const APoint& a) {
    out.push_back("<apoints>");
    out.push_back("pos=" + intToText(a.pos));
    out.push_back("arrangeEnabled=" + boolToText(a.arrangeEnabled));
    out.push_back("fillEnabled=" + boolToText(a.fillEnabled));
    out.push_back("mDrums=" + intToText(a.mDrums));
    out.push_back("mBass=" + intToText(a.mBass));
    out.push_back("mChords=" + intToText(a.mChords));
    out.push_back("oKick=" + boolToText(a.oKick));
    out.push_back("oSnare=" + boolToText(a.oSnare));
    out.push_back("oHihat=" + boolToText(a.oHihat));
    out.push_back("oPerc=" + boolToText(a.oPerc));
    out.push_back("oA=" + boolToText(a.oA));
    out.push_back("oB=" + boolToText(a.oB));
    out.push_back("oC=" + boolToText(a.oC));
    out.push_back("cym=" + intToText(a.cym));
    out.push_back("</apoints>");
}

} // namespace

APoint pointOfKind(int pos, int kind) {
    static const int modes[19][3] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}, {0, 2, 0},
                                     {0, 0, 2}, {0, 2, 2}, {1, 0, 0}, {1, 1, 0}, {1, 0, 1},
                                     {1, 1, 1}, {1, 2, 2}, {0, 0, 3}, {0, 3, 0}, {2, 0, 0},
                                     {0, 3, 3}, {2, 0, 3}, {2, 3, 0}, {2, 3, 3}};
    if (kind < 0 || kind > 18) fail("unknown arrangement kind");
    APoint a;
    a.pos = pos;
    a.mDrums = modes[kind][0];
    a.mBass = modes[kind][1];
    a.mChords = modes[kind][2];
    a.cym = kind == 18 ? 0 : 1;
    return a;
}

std::vector<Session> allSessions() {
    return {popSong(),          waltzSession(),  arrangementDemo(),    loopFadeDemo(),    jazzStandard(),
            slowBluesSession(), boleroSession(), rockAndRollSession(), bluegrassSession()};
}

std::string sessionFileText(const Session& s) {
    std::vector<std::string> out;
    const std::string header = "QuoVelanta Session";
    out.push_back("<" + header + ">");
    out.push_back("fileVersion=2.2");
    const std::pair<const char*, double> mix[] = {{"volDrums", s.volDrums}, {"mixKick", s.mixKick},
                                                  {"mixSnare", s.mixSnare}, {"mixHihat", s.mixHihat},
                                                  {"mixExtra", s.mixExtra}, {"mixRide", s.mixRide},
                                                  {"mixCrash", s.mixCrash}, {"mixFxCym", s.mixFxCym},
                                                  {"volBass", s.volBass},   {"volChords", s.volChords},
                                                  {"mixA", s.mixA},         {"mixB", s.mixB},
                                                  {"mixC", s.mixC}};
    for (const auto& [key, value] : mix) out.push_back(std::string(key) + "=" + formatFloat(value));
    out.push_back("style=" + intToText(s.style));
    out.push_back("bpm=" + intToText(s.bpm));
    out.push_back("key=" + intToText(s.key));
    out.push_back("sharpFlatMode=" + intToText(s.sharpFlatMode));
    out.push_back("loopStart=" + intToText(s.loopStart));
    out.push_back("loopEnd=" + intToText(s.loopEnd));
    out.push_back("loopMode=" + intToText(s.loopMode));
    out.push_back("loopRegionActive=" + boolToText(s.loopRegionActive));
    out.push_back("fadeOutMode=" + intToText(s.fadeOutMode));
    out.push_back("autoCymbal=" + boolToText(s.autoCymbal));
    out.push_back("autoCymbal_nthBar=" + intToText(s.autoCymbal_nthBar));
    out.push_back("cymbalOnPageStart=" + boolToText(s.cymbalOnPageStart));
    out.push_back("rewindStyleInLoops=" + boolToText(s.rewindStyleInLoops));
    out.push_back("restartStyleOnPageChange=" + boolToText(s.restartStyleOnPageChange));
    for (int i = 0; i < 36; ++i) {
        const std::string key = "chord page " + intToText(i);
        out.push_back("<" + key + ">");
        for (const Chord& c : s.pages[i].chords) writeChord(out, c);
        for (const APoint& a : s.pages[i].apoints) writePoint(out, a);
        out.push_back("pageZoom=" + intToText(s.pages[i].zoom));
        out.push_back("</" + key + ">");
    }
    out.push_back("<pageSlots>");
    for (int slot : s.pageSlots) out.push_back("i=" + intToText(slot));
    out.push_back("</pageSlots>");
    out.push_back("<sessionNotes>");
    for (const std::string& n : s.notes) out.push_back("i=" + n);
    out.push_back("</sessionNotes>");
    for (int i = 0; i < 5; ++i) out.push_back("sessionLink" + intToText(i) + "=" + s.links[i]);
    out.push_back("</" + header + ">");
    std::string text;
    for (const std::string& line : out) text += line + "\r\n";
    return text;
}

void checkSession(const Session& s, const std::vector<Style>& styles, std::vector<std::string>& problems) {
    auto problem = [&](const std::string& text) { problems.push_back(s.fileName + ": " + text); };
    const Style* style = nullptr;
    for (const Style& st : styles)
        if (st.number == s.style) style = &st;
    if (!style) {
        problem("no style " + std::to_string(s.style));
        return;
    }
    const bool triple = style->stepsPerBar / style->stepsPerBeat == 3;
    const int beat = triple ? 16 : 12;
    if (s.pageSlots.empty()) problem("empty page sequence");
    for (int slot : s.pageSlots)
        if (slot < 0 || slot > 35 || s.pages[slot].chords.empty())
            problem("page sequence names an empty page");
    for (int i = 0; i < 36; ++i) {
        const Page& p = s.pages[i];
        int end = 0;
        for (const Chord& c : p.chords) {
            if (c.len < beat || c.len % beat != 0)
                problem("page " + std::to_string(i) + ": chord off the beat grid");
            end += c.len;
        }
        if (end > 768) problem("page " + std::to_string(i) + " longer than 16 bars");
        int last = -1;
        for (const APoint& a : p.apoints) {
            if (a.pos % beat != 0 || a.pos <= last || a.pos >= end)
                problem("page " + std::to_string(i) +
                        ": point off the grid, out of order or past the chords");
            last = a.pos;
        }
    }
    for (const std::string& n : s.notes)
        if (n.find('\n') != std::string::npos || n.find('\r') != std::string::npos)
            problem("note with a line end");
}

} // namespace stylegen
