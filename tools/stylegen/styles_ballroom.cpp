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
    // The fourth bar's bongos run in sixteenths up to the next phrase.
    clearSteps(d, 56, 64, {60, 61});
    add(d, 61, 70, 56, 0.5);
    add(d, 60, 76, 58, 0.5);
    add(d, 61, 84, 60, 0.5);
    add(d, 60, 80, 61, 0.5);
    add(d, 61, 90, 62, 0.5);
    add(d, 60, 100, 63, 0.5);
    // Root, fifth and third in the bass's lowest octave.
    Track b = bassTrack("Bolero Bass", 32, 16);
    b.vol = 94;
    b.key = -12;
    add(b, 36, 96, 0, 5.5);
    add(b, 43, 86, 6, 1.5);
    add(b, 43, 90, 8, 3.5);
    add(b, 40, 80, 12, 3.5);
    // The requinto rolls over the top of the chord in eighths, above the piano.
    Track g = chordTrack(Codes, "Bolero Requinto Guitar", 24, 2, LayerC, 64, 3);
    g.vol = 100;
    static const int roll[32] = {73, 74, 75, 76, 75, 74, 73, 74, 74, 75, 76, 75, 74, 73, 74, 75,
                                 73, 74, 75, 76, 75, 74, 73, 72, 74, 75, 76, 77, 76, 75, 74, 73};
    for (int i = 0; i < 32; ++i) add(g, roll[i], (i % 8 == 0 ? 86 : 72) + 3 * (i % 4), 2 * i, 2);
    // The piano: the root low in the left hand on the downbeat, the triad about C4 on the off-beats.
    Track pn = chordTrack(Pitches, "Bolero Piano", 0, 1, LayerB, 64);
    pn.vol = 99;
    for (int bar = 0; bar < 64; bar += 16) add(pn, 48, 80, bar, 3.5);
    hits(pn, {60, 64, 67}, "....7.......6.6.|....7...6...6...|....7.......6.6.|....7...7.7.6...", 1.5);
    // The strings sing the chord's third and the root a sixth above it, the bolero's sweet interval.
    Track str = chordTrack(Pitches, "Bolero Strings", 49, 4, LayerA, 64);
    str.vol = 80;
    str.susVolume = 85;
    add(str, {64, 72}, 72, 0, 64);
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
    // Slow, quick, quick in the bass's lowest octave.
    Track b = bassTrack("Rumba Bass Slow Quick Quick", 32, 32);
    b.key = -12;
    add(b, 36, 98, 0, 5.5);
    add(b, 43, 88, 6, 1.5);
    add(b, 40, 84, 12, 3.5);
    add(b, 36, 96, 16, 5.5);
    add(b, 45, 86, 22, 1.5);
    add(b, 43, 84, 28, 3.5);
    // The piano: the root in the left hand, the triad on the syncopations above it.
    Track pn = chordTrack(Pitches, "Rumba Piano", 0, 1, LayerB, 16);
    pn.vol = 78;
    add(pn, 48, 86, 0, 2);
    add(pn, {64, 67, 72}, 80, 0, 2);
    hits(pn, {64, 67, 72}, "...7..6...7..6..", 1);
    // The flute sings over it: long notes and the ninth or the sixth passing on the off-beats.
    Track fl = chordTrack(Pitches, "Rumba Flute", 73, 1, LayerC, 64);
    fl.vol = 80;
    line(fl, 16,
         {{{76, 6}, {74, 2}, {72, 8}},
          {{0, 4}, {79, 4}, {81, 2}, {79, 2}, {76, 4}},
          {{72, 6}, {74, 2}, {76, 4}, {79, 4}},
          {{81, 4}, {79, 4}, {76, 2}, {74, 2}, {72, 4}}});
    // The strings hold the colour a sixth or seventh above the root, bowed again every bar; under it
    // the lower voice climbs from the root to the third in every second bar.
    Track str = chordTrack(Pitches, "Rumba Strings", 49, 2, LayerA, 32);
    str.vol = 79;
    str.susVolume = 85;
    add(str, {60, 69}, 72, 0, 16);
    add(str, {64, 69}, 68, 16, 16);
    s.tracks = {d, b, pn, fl, str};
    return s;
}

Style merengue() {
    Style s;
    s.number = 40;
    s.globalVol = 94;
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
    // Root and fifth in the bass's lowest octave.
    Track b = bassTrack("Merengue Bass", 33, 16);
    b.key = -12;
    add(b, 36, 100, 0, 1.8);
    add(b, 43, 90, 6, 1.8);
    add(b, 36, 96, 8, 1.8);
    add(b, 43, 90, 14, 1.8);
    // The accordion drives eighths above the piano: fifth, colour and the third on top.
    Track ac = chordTrack(Pitches, "Merengue Accordion", 21, 1, LayerB, 64);
    ac.vol = 90;
    hits(ac, {67, 69, 76}, "8.6.7.6.8.6.7.6.|8.6.7.6.8.6.7.6.|8.6.7.6.8.6.7.6.|8.6.8.6.9...9...", 1);
    // The sax's jaleo: a call down the scale, its answer up, the call again and a run into the next
    // phrase, the ninth and the sixth passing on the off-beats.
    Track sx = chordTrack(Pitches, "Merengue Sax Jaleo", 65, 1, LayerC, 64);
    sx.vol = 78;
    const int jaleo[19][3] = {{76, 104, 2},  {74, 94, 6},   {72, 104, 10}, {69, 94, 14},  {67, 104, 18},
                              {69, 94, 22},  {72, 104, 26}, {74, 114, 28}, {76, 114, 30}, {76, 104, 36},
                              {74, 94, 38},  {72, 104, 40}, {69, 94, 44},  {67, 104, 50}, {72, 94, 52},
                              {74, 104, 54}, {76, 94, 56},  {74, 114, 58}, {72, 114, 60}};
    for (const auto& n : jaleo) add(sx, n[0], n[1], n[2], 1.8);
    // The piano: the root in the left hand, the triad about C4 in the right.
    Track pn = chordTrack(Pitches, "Merengue Piano", 0, 1, LayerB, 16);
    pn.vol = 81;
    hits(pn, {48}, "8.......8.......", 1.5);
    hits(pn, {60, 64, 67}, "8...7.......7...", 1);
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
    // Root and fifth in the bass's lowest octave, the third leading back to the root.
    Track b = bassTrack("Cumbia Bass", 33, 32);
    b.key = -12;
    add(b, 36, 100, 0, 3.5);
    add(b, 43, 86, 4, 1.5);
    add(b, 43, 92, 8, 3.5);
    add(b, 40, 80, 12, 1.5);
    add(b, 36, 98, 16, 3.5);
    add(b, 40, 86, 20, 1.5);
    add(b, 43, 92, 24, 3.5);
    add(b, 40, 80, 28, 1.5);
    // The accordion's off-beats above the piano: fifth, colour and third on top.
    Track ac = chordTrack(Pitches, "Cumbia Accordion Offbeats", 21, 1, LayerB, 16);
    ac.vol = 80;
    hits(ac, {67, 69, 76}, "..8...7...8...7.", 1);
    // The piano: the root in the left hand, the triad about C4 in the right.
    Track pn = chordTrack(Pitches, "Cumbia Piano", 1, 1, LayerB, 64);
    pn.vol = 91;
    hits(pn, {48}, "8...............", 1.5);
    hits(pn, {60, 64, 67}, "8.......7.......|8.....6.7.......|8.......7.......|8.......7.6...6.", 1);
    // The flute answers in steps, the ninth and the sixth passing on the off-beats.
    Track fl = chordTrack(Pitches, "Cumbia Flute Answer", 73, 1, LayerC, 64);
    fl.vol = 89;
    line(fl, 16,
         {{{76, 2}, {74, 2}, {72, 4}, {0, 8}},
          {{0, 8}, {79, 2}, {81, 2}, {79, 4}},
          {{81, 2}, {79, 2}, {76, 4}, {0, 8}},
          {{0, 8}, {72, 2}, {74, 2}, {76, 4}}});
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
    // The fill ends with the kick under its last snare.
    add(d, 36, 84, 45, 0.5);
    add(d, 36, 100, 47, 0.5);
    // A two-beat in the bass's lowest octave.
    Track b = bassTrack("Foxtrot Two-Beat Bass", 32, 48);
    b.vol = 84;
    b.key = -12;
    hits(b, {36}, "9.....|......|9.....|......|9.....|......|9.....|......", 5);
    hits(b, {43}, "......|9.....|......|9.....|......|9.....|......|......", 5);
    add(b, 43, 86, 42, 2.7);
    add(b, 40, 84, 45, 2.7);
    Track pn = chordTrack(Pitches, "Foxtrot Piano", 0, 1, LayerB, 48);
    pn.vol = 81;
    hits(pn, {64, 67, 72, 76}, "...7.....6..|...7.....6..|...7.....6..|...7..6..7..", 2);
    for (int bar = 0; bar < 48; bar += 12) add(pn, 48, 80, bar, 2.5);
    // The tenor saxes hold root, third, fifth and colour close about C4, under the piano.
    Track sx = chordTrack(Pitches, "Foxtrot Sax Section", 66, 3, LayerA, 48);
    sx.susVolume = 85;
    add(sx, {60, 69}, 72, 0, 48);
    add(sx, {64, 67}, 64, 0, 48);
    sx.vol = 61;
    // The muted trumpet answers in single swung notes by step, the passing tones off the beat.
    Track tp = chordTrack(Pitches, "Foxtrot Muted Trumpet", 59, 1, LayerC, 48);
    tp.vol = 100;
    line(tp, 12,
         {{{0, 12}},
          {{0, 6}, {76, 2}, {74, 1}, {72, 3}},
          {{0, 12}},
          {{0, 3}, {72, 2}, {74, 1}, {76, 2}, {74, 1}, {72, 3}}});
    // A muted horn alone speaks softer than the chords: it plays out.
    for (Note& n : tp.notes) n.vel += 18;
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
    // The brass kicks the triad high, fifth, root and third on top, above the piano: written as pitches.
    br.type = Pitches;
    br.strumHeight = 0;
    hits(br, {67, 72, 76}, "...8.....8..|...8.....8..|...8.....8..|...8..8..9..", 1.5);
    // The piano: the root in the left hand, third, fifth and colour in the right.
    Track pn = chordTrack(Pitches, "Quickstep Piano", 0, 1, LayerB, 12);
    pn.vol = 91;
    hits(pn, {64, 67, 69}, "8.....7.....", 2);
    add(pn, 48, 84, 0, 2.5);
    // The reeds hold the triad in its first inversion from about E4.
    Track rd = chordTrack(Pitches, "Quickstep Reeds", 65, 3, LayerA, 48);
    rd.susVolume = 85;
    add(rd, {64, 72}, 74, 0, 48);
    add(rd, 67, 66, 0, 48);
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
    // The strings' early two above the horns: fifth, colour and third on top.
    Track str = chordTrack(Pitches, "Viennese Strings Early Two", 45, 1, LayerB, 24);
    str.vol = 66;
    hits(str, {67, 69, 76}, ".......8........6.......", 5);
    // The horns answer with root and fifth from about C3 and the third above them.
    Track hn = chordTrack(Pitches, "Viennese Horns", 60, 1, LayerB, 96, 0);
    hn.vol = 80;
    hn.key = -12;
    hits(
        hn, {60, 67, 76},
        ".......8........7.......|.......8........7.......|.......8........7.......|.......8........8.......",
        4);
    // The flute sings a waltz tune in steps, the passing notes on the off-beat eighths.
    Track fl = chordTrack(Pitches, "Viennese Flute", 73, 1, LayerC, 96);
    fl.vol = 94;
    line(fl, 24,
         {{{76, 12}, {74, 4}, {72, 8}},
          {{79, 12}, {81, 4}, {79, 8}},
          {{72, 12}, {74, 4}, {76, 8}},
          {{81, 12}, {79, 4}, {76, 4}, {74, 4}}});
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
