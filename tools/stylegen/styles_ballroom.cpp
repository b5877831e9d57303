// Latin and ballroom dances: bolero, rumba, merengue, cumbia, foxtrot, quickstep and the Viennese
// waltz (styles 038-044). Each of them is phrased over four bars with its fill or answer in the fourth;
// melody lines of winds play one note at a time without the pedal, so that they stay lines.
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

// A single-note line of chord voices, one list of (voice code, steps) a bar, every bar `barSteps` long.
void line(Track& t, int barSteps, const std::vector<std::vector<std::pair<int, int>>>& bars) {
    for (size_t b = 0; b < bars.size(); ++b) {
        int pos = int(b) * barSteps;
        for (const auto& [code, steps] : bars[b]) {
            if (code > 0) add(t, code, pos % barSteps == 0 ? 84 : 70 + 4 * (pos % 3), pos, steps * 0.9);
            pos += steps;
        }
    }
}

Style bolero() {
    Style s;
    s.number = 38;
    s.name = "Bolero Romantic";
    s.globalVol = 107;
    s.bpm = 92;
    Track d = drumTrack("Bolero Bongo Martillo", 64);
    grid(d, 36, "8.......6.......");
    grid(d, 70, "6.4.6.4.6.4.6.4.");
    grid(d, 60, "..5...5...5...5.");
    grid(d, 61, "7.....6.7.......");
    grid(d, 75, "....7.......7.7.");
    clearSteps(d, 56, 64, {60, 61});
    add(d, 61, 70, 56, 0.5);
    add(d, 60, 76, 58, 0.5);
    add(d, 61, 84, 60, 0.5);
    add(d, 60, 90, 62, 0.5);
    Track b = bassTrack("Bolero Bass", 32, 16);
    b.vol = 94;
    add(b, 36, 96, 0, 5.5);
    add(b, 43, 86, 6, 1.5);
    add(b, 43, 90, 8, 3.5);
    add(b, 40, 80, 12, 3.5);
    Track g = chordTrack(Codes, "Bolero Requinto Guitar", 24, 2, LayerC, 64, 3);
    g.vol = 75;
    add(g, 48, 90, 0, 4);
    for (int i = 0; i < 32; ++i) {
        static const int notes[8] = {73, 74, 75, 76, 75, 74, 73, 74};
        add(g, notes[i % 8], 62 + 3 * (i % 4), 2 * i, 2);
    }
    add(g, 48, 86, 16, 4);
    add(g, 48, 86, 32, 4);
    add(g, 48, 86, 48, 4);
    Track pn = chordTrack(Pitches, "Bolero Piano", 0, 1, LayerB, 64);
    pn.vol = 99;
    hits(pn, {64, 67, 69, 72}, "....7.......6.6.|....7...6...6...|....7.......6.6.|....7...7.7.6...", 1.5);
    // Strings spread wide under the top: the tones one, three and five below it.
    Track str = stylegen::pad("Bolero Strings", 49, 4, 64, {5, 3, 1}, 72);
    str.vol = 70;
    s.tracks = {d, b, g, pn, str};
    return s;
}

Style rumba() {
    Style s;
    s.number = 39;
    s.globalVol = 95;
    s.name = "Rumba Ballroom";
    s.bpm = 104;
    s.autoCymbal = 8;
    Track d = drumTrack("Rumba Clave And Congas", 64);
    grid(d, 36, "8...........7...");
    grid(d, 75, "9..9...9|..9.9...");
    grid(d, 62, "......8.......8.");
    grid(d, 63, "..........7.7...");
    grid(d, 70, "5.4.5.4.5.4.5.4.");
    clearSteps(d, 56, 64, {62, 63});
    add(d, 62, 80, 56, 0.5);
    add(d, 63, 86, 58, 0.5);
    add(d, 64, 90, 60, 0.5);
    add(d, 64, 96, 62, 0.5);
    Track b = bassTrack("Rumba Bass Slow Quick Quick", 32, 32);
    add(b, 36, 98, 0, 5.5);
    add(b, 43, 88, 6, 1.5);
    add(b, 40, 84, 12, 3.5);
    add(b, 36, 96, 16, 5.5);
    add(b, 45, 86, 22, 1.5);
    add(b, 43, 84, 28, 3.5);
    Track pn = chordTrack(Pitches, "Rumba Piano", 0, 1, LayerB, 16);
    pn.vol = 78;
    add(pn, {48, 64, 69, 72}, 86, 0, 2);
    hits(pn, {64, 69, 72, 76}, "...7..6...7..6..", 1);
    Track fl = chordTrack(Codes, "Rumba Flute", 73, 1, LayerC, 64, 1);
    fl.vol = 80;
    line(fl, 16,
         {{{72, 4}, {73, 4}, {74, 8}},
          {{0, 4}, {75, 4}, {74, 8}},
          {{73, 4}, {72, 4}, {73, 8}},
          {{0, 4}, {74, 2}, {75, 2}, {76, 8}}});
    Track str = stylegen::pad("Rumba Strings", 49, 4, 64, {4, 3, 2, 1, 0}, 66);
    str.vol = 70;
    s.tracks = {d, b, pn, fl, str};
    return s;
}

Style merengue() {
    Style s;
    s.number = 40;
    s.globalVol = 89;
    s.name = "Merengue Fast";
    s.bpm = 160;
    s.autoCymbal = 8;
    Track d = drumTrack("Merengue Tambora And Guira", 64);
    grid(d, 36, "9...9...9...9...");
    grid(d, 69, "8.5.6.5.8.5.6.5.");
    grid(d, 60, "......8.....8.8.");
    grid(d, 61, "8...........8...");
    clearSteps(d, 56, 64, {60, 61});
    for (int i = 56; i < 64; ++i) add(d, i % 2 ? 60 : 61, 70 + 4 * (i - 56), i, 0.5);
    Track b = bassTrack("Merengue Bass", 33, 16);
    add(b, 36, 100, 0, 1.8);
    add(b, 43, 90, 6, 1.8);
    add(b, 36, 96, 8, 1.8);
    add(b, 43, 90, 14, 1.8);
    Track ac = chordTrack(Codes, "Merengue Accordion", 21, 1, LayerB, 64, 3);
    ac.vol = 90;
    hits(ac, {73, 74, 75}, "8.6.7.6.8.6.7.6.|8.6.7.6.8.6.7.6.|8.6.7.6.8.6.7.6.|8.6.8.6.9...9...", 1);
    // The saxes' jaleo: a call, its answer, the call again higher and a run into the next phrase.
    Track sx = chordTrack(Codes, "Merengue Sax Jaleo", 65, 1, LayerC, 64, 1);
    sx.vol = 78;
    hits(sx, {72, 73, 74}, "..8...7...8...7.|..8...7...8.9.9.|....8.7.8...7...|..8.7.8.7.9.9...", 1);
    Track pn = chordTrack(Pitches, "Merengue Piano", 0, 1, LayerB, 16);
    pn.vol = 81;
    hits(pn, {48, 64, 69, 72}, "8.......8.......", 1.5);
    hits(pn, {64, 69, 72, 76}, "....7.......7...", 1);
    s.tracks = {d, b, ac, sx, pn};
    return s;
}

Style cumbia() {
    Style s;
    s.number = 41;
    s.name = "Cumbia Sway";
    s.bpm = 96;
    s.autoCymbal = 8;
    Track d = drumTrack("Cumbia Guiro And Congas", 64);
    grid(d, 36, "9.......8.......");
    grid(d, 73, "8.5.8.5.8.5.8.5.");
    grid(d, 74, "...6.......6....");
    grid(d, 63, "....7.......7...");
    grid(d, 62, "......6.......6.");
    clearSteps(d, 60, 64, {62, 63});
    add(d, 62, 80, 60, 0.5);
    add(d, 63, 86, 61, 0.5);
    add(d, 64, 92, 62, 0.5);
    add(d, 64, 96, 63, 0.5);
    Track b = bassTrack("Cumbia Bass", 33, 32);
    add(b, 36, 100, 0, 3.5);
    add(b, 43, 86, 4, 1.5);
    add(b, 43, 92, 8, 3.5);
    add(b, 45, 80, 12, 1.5);
    add(b, 36, 98, 16, 3.5);
    add(b, 40, 86, 20, 1.5);
    add(b, 43, 92, 24, 3.5);
    add(b, 45, 80, 28, 1.5);
    Track ac = chordTrack(Codes, "Cumbia Accordion Offbeats", 21, 1, LayerB, 16, 2);
    ac.vol = 80;
    hits(ac, {72, 73, 74, 75}, "..8...7...8...7.", 1);
    Track pn = chordTrack(Pitches, "Cumbia Piano", 1, 1, LayerB, 64);
    pn.vol = 91;
    hits(pn, {48, 64, 69, 72}, "8.......7.......|8.......7.......|8.......7.......|8.......7...7...", 1.5);
    hits(pn, {64, 67, 72, 76}, "................|......6.........|................|..........6...6.", 1);
    Track fl = chordTrack(Codes, "Cumbia Flute Answer", 73, 1, LayerC, 64, 1);
    fl.vol = 89;
    line(fl, 16,
         {{{73, 2}, {74, 2}, {75, 4}, {0, 8}},
          {{0, 8}, {74, 2}, {73, 6}},
          {{75, 2}, {76, 2}, {75, 4}, {0, 8}},
          {{0, 8}, {74, 2}, {73, 2}, {72, 4}}});
    s.tracks = {d, b, ac, pn, fl};
    return s;
}

Style foxtrot() {
    Style s;
    s.number = 42;
    s.globalVol = 105;
    s.name = "Foxtrot Swing";
    s.bpm = 116;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 8;
    Track d = drumTrack("Foxtrot Brushes", 48);
    grid(d, 36, "7.....5.....");
    grid(d, 38, "5.35.36.35.3|5.35.36.35.3|5.35.36.35.3|5.35.36.3789");
    grid(d, 44, "...7.....7..");
    Track b = bassTrack("Foxtrot Two-Beat Bass", 32, 48);
    b.vol = 84;
    hits(b, {36}, "9.....|......|9.....|......|9.....|......|9.....|......", 5);
    hits(b, {43}, "......|9.....|......|9.....|......|9.....|......|......", 5);
    add(b, 43, 86, 42, 2.7);
    add(b, 45, 84, 45, 2.7);
    Track pn = chordTrack(Pitches, "Foxtrot Piano", 0, 1, LayerB, 48);
    pn.vol = 81;
    hits(pn, {64, 67, 72, 76}, "...7.....6..|...7.....6..|...7.....6..|...7..6..7..", 2);
    for (int bar = 0; bar < 48; bar += 12) add(pn, 48, 80, bar, 2.5);
    // The tenor saxes hold close four-note chords in the middle of their range.
    Track sx = stylegen::pad("Foxtrot Sax Section", 66, 3, 48, {2, 1, 0, -1}, 72, -12);
    sx.vol = 61;
    Track tp = chordTrack(Codes, "Foxtrot Muted Trumpet", 59, 1, LayerC, 48, 1);
    tp.vol = 84;
    hits(tp, {72, 73, 74}, "............|..8..7......|............|..8..7..9...", 2);
    s.tracks = {d, b, pn, sx, tp};
    return s;
}

Style quickstep() {
    Style s;
    s.number = 43;
    s.globalVol = 81;
    s.name = "Quickstep Swing";
    s.bpm = 200;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 8;
    Track d = drumTrack("Quickstep Drive", 48);
    grid(d, 36, "8..7..8..7..");
    grid(d, 38, "...9.....9..|...9.....9..|...9.....9..|...9..8.89.9");
    grid(d, 42, "6.46.46.46.4");
    // Eight bars: the root bounced over its fifth to set the dance going, then walking, every note before
    // a change a half step, a step, a fourth or a fifth from the next root wherever the chord allows.
    Track b = bassTrack("Quickstep Walking Bass", 32, 96);
    walkingLine(b, 3,
                {{48, 43, 36, 43},
                 {48, 52, 43, 45},
                 {48, 52, 55, 52},
                 {48, 47, 48, 45},
                 {48, 45, 43, 48},
                 {48, 52, 43, 45},
                 {48, 41, 43, 45},
                 {48, 45, 43, 52}});
    Track br = chordTrack(Codes, "Quickstep Brass Kicks", 61, 1, LayerB, 48, 2);
    br.vol = 80;
    hits(br, {72, 73, 74, 75}, "...8.....8..|...8.....8..|...8.....8..|...8..8..9..", 1.5);
    Track pn = chordTrack(Pitches, "Quickstep Piano", 0, 1, LayerB, 12);
    pn.vol = 91;
    hits(pn, {64, 69, 72, 76}, "8.....7.....", 2);
    add(pn, 48, 84, 0, 2.5);
    Track rd = stylegen::pad("Quickstep Reeds", 65, 3, 48, {4, 3, 2}, 74);
    rd.vol = 81;
    s.tracks = {d, b, br, pn, rd};
    return s;
}

// The Viennese lilt: the whole band plays the second beat a little early, together.
Style vienneseWaltz() {
    Style s;
    s.number = 44;
    s.globalVol = 101;
    s.name = "Viennese Waltz";
    s.bpm = 174;
    s.stepsPerBeat = 8;
    s.stepsPerBar = 24;
    s.autoCymbal = 8;
    Track d = drumTrack("Viennese Waltz Triangle", 96);
    d.vol = 100;
    grid(d, 36,
         "9.......................|7.......................|9.......................|7......................"
         ".");
    grid(d, 81, ".......7........6.......");
    grid(d, 53,
         ".......5........5.......|.......5........5.......|.......5........5.......|.......5....6...5...7.."
         ".");
    Track b = bassTrack("Viennese Waltz Bass", 32, 48);
    b.vol = 100;
    add(b, 36, 100, 0, 7);
    add(b, 43, 92, 24, 7);
    Track str = chordTrack(Codes, "Viennese Strings Early Two", 45, 1, LayerB, 24, 2);
    str.vol = 66;
    hits(str, {73, 74, 75, 76}, ".......8........6.......", 5);
    Track hn = chordTrack(Pitches, "Viennese Horns", 60, 1, LayerB, 96, 0);
    hn.vol = 80;
    hn.key = -12;
    hits(
        hn, {60, 64},
        ".......8........7.......|.......8........7.......|.......8........7.......|.......8........8.......",
        4);
    Track fl = chordTrack(Codes, "Viennese Flute", 73, 1, LayerC, 96, 1);
    fl.vol = 94;
    add(fl, 74, 80, 0, 15);
    add(fl, 73, 70, 16, 7);
    add(fl, 72, 76, 24, 23);
    add(fl, 75, 82, 48, 15);
    add(fl, 74, 72, 64, 7);
    add(fl, 73, 76, 72, 15);
    add(fl, 72, 70, 88, 7);
    s.tracks = {d, b, str, hn, fl};
    return s;
}

} // namespace

void addStylesBallroom(std::vector<Style>& out) {
    out.push_back(bolero());
    out.push_back(rumba());
    out.push_back(merengue());
    out.push_back(cumbia());
    out.push_back(foxtrot());
    out.push_back(quickstep());
    out.push_back(vienneseWaltz());
}

} // namespace stylegen
