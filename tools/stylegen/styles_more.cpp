// Rock and roll, bebop, Dixieland, bluegrass, country shuffle, Celtic and Afro-Cuban triplet feels,
// techno, synth-pop and Motown: styles 035-037 and 045-051. Each of them is phrased over four bars with
// its fill or answer in the fourth; fiddles and clarinets play lines and double stops, never chords.
#include <algorithm>

#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

// The same patterns on a grid twice as fine (eight steps a beat for sixteenths).
void doubleGrid(Style& s) {
    s.stepsPerBeat *= 2;
    s.stepsPerBar *= 2;
    for (Track& t : s.tracks) {
        t.length *= 2;
        for (Note& n : t.notes) {
            n.pos *= 2;
            n.len *= 2;
        }
    }
}

// The last beat of a fill as loud as the strongest hit of the bar before it: the toms end on an accent.
void accentFillEnd(Track& d, int from, int vel) {
    for (Note& n : d.notes)
        if (n.pos >= from) n.vel = std::max(n.vel, vel);
}

Style rockAndRoll() {
    Style s;
    s.number = 35;
    s.globalVol = 87;
    s.name = "Rock And Roll";
    s.bpm = 168;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 4;
    Track d = drumTrack("Boogie Backbeat", 48);
    d.vol = 97;
    grid(d, 36, "9.....8.....");
    grid(d, 38, "...9.....9..");
    grid(d, 42, "7.57.57.57.5");
    tomFill(d, 42, 48, 1);
    accentFillEnd(d, 45, 116);
    // The boogie bass in shuffled eighths, up the chord to the octave on the third beat and down again:
    // the first bar of the phrase turns at the octave alone, the second falls back to the root, the
    // others to the third.
    Track b = bassTrack("Boogie Bass Line", 33, 48);
    b.vol = 100;
    static const int boogie[4][8] = {{36, 40, 43, 48, 48, 43, 40, 36},
                                     {36, 40, 43, 45, 48, 45, 43, 36},
                                     {36, 40, 43, 45, 48, 45, 43, 40},
                                     {36, 40, 43, 45, 48, 45, 43, 40}};
    for (int bar = 0; bar < 4; ++bar)
        for (int i = 0; i < 8; ++i)
            add(b, boogie[bar][i], i % 2 ? 74 : 98, 12 * bar + 3 * (i / 2) + (i % 2 ? 2 : 0),
                i % 2 ? 0.9 : 1.8);
    // The piano's right hand hammers triplets high on the chord, the left hand keeps root and fifth.
    Track pn = chordTrack(Pitches, "Boogie Piano Triplets", 0, 1, LayerB, 48);
    pn.vol = 78;
    hits(pn, {67, 72, 76, 79}, "..7..8..7..8|..7..8..7..8|..7..8..7..8|..7..8.78...", 1);
    for (int bar = 0; bar < 48; bar += 12) {
        add(pn, 48, 84, bar, 2.5);
        add(pn, 55, 76, bar + 6, 2.5);
    }
    // The alto sax answers in the second and fourth bars: up the scale to the fifth, and a turn around
    // it down to the root, one note at a time.
    Track sx = chordTrack(Pitches, "Boogie Sax Riff", 65, 1, LayerB, 48);
    sx.vol = 100;
    swingLine(sx, 112,
              {{0, 0, 0, 0, 0, 0, 0, 0},
               {60, 62, 64, 0, 67, 64, 0, 0},
               {0, 0, 0, 0, 0, 0, 0, 0},
               {67, 69, 67, 64, 62, 60, 0, 0}});
    // The guitar chops the backbeat on the third, fifth and sixth (or seventh).
    Track g = chordTrack(Pitches, "Boogie Guitar Chops", 29, 1, LayerB, 12);
    g.vol = 90;
    hits(g, {64, 67, 69}, "...8.....7..", 1);
    s.tracks = {d, b, pn, sx, g};
    return s;
}

Style bebop() {
    Style s;
    s.number = 36;
    s.name = "Bebop Up-Tempo";
    s.globalVol = 95;
    s.bpm = 208;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    Track d = drumTrack("Bebop Ride And Bombs", 48);
    grid(d, 51, "9..8.59..8.5");
    grid(d, 44, "...7.....7..");
    grid(d, 36, "........5...|............|.....6......|........7.8.");
    grid(d, 38, ".....4......|..4.....5...|........4...|..5..6....8.");
    // Eight bars of walking, higher and more chromatic than the medium swing: passing tones from above
    // into the third, scales down to the next root, the leading tone where the chord allows it.
    Track b = bassTrack("Bebop Walking Bass", 32, 96);
    walkingLine(b, 3,
                {{48, 41, 40, 43},
                 {48, 52, 55, 45},
                 {48, 52, 55, 52},
                 {48, 50, 52, 45},
                 {48, 47, 45, 48},
                 {48, 52, 40, 45},
                 {48, 47, 45, 43},
                 {36, 48, 40, 52}});
    // Comping on the full chord, sparse and pushed; a chord that comes between its hits is struck at
    // once.
    Track pn = chordTrack(Pitches, "Bebop Piano Comping", 0, 2, LayerB, 48);
    pn.vol = 80;
    hits(pn, {67, 69, 72, 76}, "8.8.....7...|.....8......|..8.....8...|........9...", 1);
    // Four to the bar on the guitar: the third and the seventh (or sixth), with the root under them on
    // the downbeat together with the bass.
    Track g = chordTrack(Pitches, "Bebop Guitar Chords", 26, 1, LayerB, 12);
    g.vol = 80;
    add(g, {48, 64, 69}, 84, 0, 1.5);
    hits(g, {64, 69}, "...5..6..5..", 1.5);
    // The trumpet answers the bass in the second and fourth bars: a pentatonic run down from the third
    // and a turn around it, the ninth and the sixth passing on the off-beats.
    Track tp = chordTrack(Pitches, "Bebop Trumpet Answers", 56, 1, LayerC, 48);
    tp.vol = 100;
    swingLine(tp, 100,
              {{0, 0, 0, 0, 0, 0, 0, 0},
               {0, 0, 76, 74, 72, 69, 67, 0},
               {0, 0, 0, 0, 0, 0, 0, 0},
               {0, 0, 72, 74, 76, 74, 72, 0}});
    s.tracks = {d, b, pn, g, tp};
    return s;
}

// Dixieland in a two-beat swing: the tuba on one and three with a pickup, the banjo on every beat, the
// clarinet running eighths over the top and the trombone's tailgate slides below.
Style dixieland() {
    Style s;
    s.number = 37;
    s.globalVol = 90;
    s.name = "Dixieland 2-Beat";
    s.bpm = 176;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 8;
    Track d = drumTrack("Dixie Press Rolls", 48);
    d.vol = 97;
    grid(d, 36, "9.....8.....");
    grid(d, 38, "..39..3.39..|..39..3.39..|..39..3.39..|..39..3.6789");
    grid(d, 44, "...7.....7..");
    grid(d, 56, "8.....7.....");
    // The tuba on one and three, root and the fifth below, with a pickup from the sixth below; the
    // fourth bar walks down into the next phrase. All in the tuba's lowest octave.
    Track b = bassTrack("Dixie Tuba Two-Beat", 58, 48);
    b.key = -12;
    hits(b, {48}, "9...........|9...........|9...........|9...........", 4.5);
    hits(b, {43}, "......9.....|......9.....|......9.....|............", 4.5);
    add(b, 45, 76, 23, 0.9);
    add(b, 45, 86, 42, 2.7);
    add(b, 43, 88, 45, 2.7);
    // The banjo on every beat: a close chord with the sixth or seventh on top.
    Track bj = chordTrack(Pitches, "Dixie Banjo Four", 105, 1, LayerB, 48);
    bj.vol = 64;
    hits(bj, {60, 64, 67, 69}, "8..9..8..9..|8..9..8..9..|8..9..8..9..|8..9..8.79..", 1.5);
    // The clarinet's runs: four different bars of swung eighths up and down the scale over the chord,
    // the ninth and the sixth passing on the off-beats, one note at a time.
    Track cl = chordTrack(Pitches, "Dixie Clarinet Runs", 71, 1, LayerC, 48);
    cl.vol = 96;
    swingLine(cl, 84,
              {{76, 74, 72, 74, 76, 79, 81, 79},
               {72, 74, 72, 69, 67, 69, 72, 0},
               {76, 74, 72, 74, 76, 79, 76, 74},
               {72, 69, 67, 64, 62, 64, 67, 0}});
    // The trombone's tailgate line under the banjo: the root an octave over the tuba on the downbeat,
    // then the third, the fifth and the ninth stepping home.
    Track tb = chordTrack(Pitches, "Dixie Trombone Tailgate", 57, 1, LayerB, 48);
    tb.vol = 100;
    tb.key = -12;
    add(tb, 60, 100, 0, 5.5);
    add(tb, 76, 84, 6, 2.5);
    add(tb, 60, 96, 12, 5.5);
    add(tb, 76, 88, 18, 2.5);
    add(tb, 74, 80, 21, 2.5);
    add(tb, 60, 96, 24, 1.8);
    add(tb, 79, 88, 26, 3.5);
    add(tb, 76, 88, 30, 2.5);
    add(tb, 74, 84, 33, 2.5);
    add(tb, 60, 92, 36, 5.5);
    add(tb, 76, 88, 42, 2.5);
    add(tb, 79, 96, 45, 2.5);
    s.tracks = {d, b, bj, cl, tb};
    return s;
}

Style bluegrass() {
    Style s;
    s.number = 45;
    s.globalVol = 92;
    s.name = "Bluegrass Drive";
    s.bpm = 200;
    s.autoCymbal = 0;
    Track d = drumTrack("Bluegrass Brush Chop", 64);
    grid(d, 36, "8.......7.......");
    grid(d, 40, "....8.......8...");
    grid(d, 70, "5.4.5.4.5.4.5.4.");
    // The phrase ends with three snare chops that grow into the downbeat.
    clearSteps(d, 56, 64, {40});
    add(d, 40, 86, 58, 0.5);
    add(d, 40, 96, 60, 0.5);
    add(d, 40, 110, 62, 0.5);
    // Root and the fifth below, the fourth bar walking in quarters through the fifth and the sixth below
    // into the next phrase: the whole line in the lowest octave of the bass.
    Track b = bassTrack("Bluegrass Upright", 32, 64);
    b.vol = 94;
    b.key = -12;
    hits(b, {48}, "9...............|9...............|9...............|9...............", 3.5);
    hits(b, {43}, "........8.......|........8.......|........8.......|................", 3.5);
    add(b, 52, 84, 40, 3.5);
    add(b, 43, 84, 52, 3.5);
    add(b, 45, 86, 56, 3.5);
    add(b, 43, 88, 60, 3.5);
    Track bj = chordTrack(Codes, "Bluegrass Banjo Roll", 105, 2, LayerC, 16, 2);
    bj.vol = 80;
    static const int roll[8] = {72, 74, 76, 72, 74, 76, 73, 75};
    for (int i = 0; i < 16; ++i) add(bj, roll[i % 8], i % 4 == 0 ? 84 : 66, i, 1);
    // Boom-chick: the thumb on root and fifth, the strum on the close triad in the guitar's register,
    // and a strummed run into the next phrase.
    Track g = chordTrack(Pitches, "Bluegrass Guitar Boom Chick", 25, 1, LayerB, 64);
    g.vol = 74;
    for (int bar = 0; bar < 48; bar += 16) {
        add(g, 48, 90, bar, 2);
        add(g, 55, 84, bar + 8, 2);
    }
    add(g, 48, 90, 48, 2);
    hits(g, {60, 64, 67}, "....8.......8...|....8.......8...|....8.......8...|....8...8.8.8.8.", 1.5);
    // The fiddle bows a long double stop on every new chord...
    Track fd = chordTrack(Codes, "Bluegrass Fiddle", 110, 4, LayerB, 16, 2);
    fd.vol = 66;
    add(fd, {72, 73}, 90, 0, 7.5);
    // ...and a second fiddle answers in the second and fourth bars with a shuffle in eighths, up the
    // scale and down again, the ninth and the sixth passing between the chord tones.
    Track ff = chordTrack(Pitches, "Bluegrass Fiddle Breaks", 110, 1, LayerC, 64);
    ff.vol = 100;
    noteLine(ff, 16, 2, 2, 116, {{}, {67, 69, 72, 74, 76, 74, 72, 69}, {}, {72, 74, 76, 79, 76, 74, 72, 0}});
    s.tracks = {d, b, bj, g, fd, ff};
    return s;
}

Style countryShuffle() {
    Style s;
    s.number = 46;
    s.globalVol = 94;
    s.name = "Country Shuffle";
    s.bpm = 120;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 4;
    Track d = drumTrack("Country Brush Shuffle", 48);
    grid(d, 36, "9.....8.....");
    grid(d, 38, "3.29.23.29.2|3.29.23.29.2|3.29.23.29.2|3.29.2789xx.");
    // Root and fifth with a walk down to the third in the first bar, up to the third and down to the
    // root in the second: every bar ends near its root, a short way from the next.
    Track b = bassTrack("Country Shuffle Bass", 32, 24);
    add(b, 36, 100, 0, 2.7);
    add(b, 43, 88, 6, 2.7);
    add(b, 41, 80, 9, 1.8);
    add(b, 40, 84, 11, 0.9);
    add(b, 36, 98, 12, 2.7);
    add(b, 40, 88, 18, 2.7);
    add(b, 38, 84, 21, 1.8);
    add(b, 36, 80, 23, 0.9);
    Track g = chordTrack(Codes, "Country Shuffle Steel Chops", 25, 1, LayerB, 12, 4);
    g.vol = 80;
    hits(g, {72, 73, 74, 75}, "...9.....8..", 1);
    Track pn = chordTrack(Pitches, "Country Shuffle Piano", 3, 1, LayerB, 48);
    pn.vol = 76;
    hits(pn, {64, 67, 72, 76}, "..7..7..7..7|..7..7..7..7|..7..7..7..7|..7..7..9...", 0.9);
    for (int bar = 0; bar < 48; bar += 12) add(pn, 48, 82, bar, 2.5);
    // The fiddle: long double stops on the third and fifth, answered by shuffled runs with the ninth and
    // the sixth passing, one note at a time.
    Track fd = chordTrack(Pitches, "Country Shuffle Fiddle", 110, 1, LayerC, 48);
    fd.vol = 70;
    add(fd, {64, 67}, 96, 0, 5.5);
    add(fd, {67, 76}, 84, 6, 5.5);
    add(fd, {67, 76}, 96, 24, 11);
    swingLine(fd, 100,
              {{0, 0, 0, 0, 0, 0, 0, 0},
               {72, 74, 76, 74, 72, 69, 67, 69},
               {0, 0, 0, 0, 0, 0, 0, 0},
               {76, 74, 72, 74, 76, 79, 81, 79}});
    s.tracks = {d, b, g, pn, fd};
    return s;
}

Style celticJig() {
    Style s;
    s.number = 47;
    s.globalVol = 91;
    s.name = "Celtic Jig 12/8";
    s.bpm = 116;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 0;
    Track d = drumTrack("Jig Bodhran", 48);
    grid(d, 41, "9.....8.....");
    grid(d, 45, "..5..6..5..6");
    grid(d, 54, "...6.....6..");
    clearSteps(d, 42, 48, {54});
    add(d, 50, 80, 43, 0.5);
    add(d, 48, 86, 44, 0.5);
    add(d, 47, 92, 46, 0.5);
    // Root and the fifth below in dotted halves, then a bar of dotted quarters down through the chord,
    // all in the lowest octave of the bass.
    Track b = bassTrack("Jig Drone Bass", 32, 24);
    b.key = -12;
    add(b, 48, 96, 0, 5.5);
    add(b, 43, 86, 6, 5.5);
    add(b, 48, 94, 12, 2.7);
    add(b, 45, 82, 15, 2.7);
    add(b, 43, 86, 18, 2.7);
    add(b, 40, 80, 21, 2.7);
    // The fiddle's jig tune in eighths, up and down the scale over the chord: the ninth and the sixth
    // pass on the weak eighths, one note at a time.
    Track fd = chordTrack(Pitches, "Jig Fiddle Triplets", 110, 1, LayerC, 48);
    fd.vol = 100;
    noteLine(fd, 12, 1, 3, 90,
             {{72, 74, 76, 74, 72, 69, 67, 69, 72, 74, 76, 74},
              {72, 69, 67, 64, 67, 69, 72, 74, 72, 69, 67, 69},
              {76, 79, 76, 74, 72, 74, 76, 74, 72, 69, 72, 74},
              {76, 74, 72, 74, 72, 67, 64, 67, 69, 72, 0, 0}});
    // The guitar strums close triads over a bass note on the downbeat, in the guitar's register.
    Track g = chordTrack(Pitches, "Jig Guitar Strum", 25, 1, LayerB, 48);
    g.vol = 74;
    for (int bar = 0; bar < 48; bar += 12) add(g, 48, 88, bar, 2.5);
    hits(g, {60, 64, 67}, "9.69.69.69.6|9.69.69.69.6|9.69.69.69.6|9.69.6..9...", 1);
    // The accordion drones the open fifth over the root.
    Track wh = chordTrack(Pitches, "Jig Accordion Drone", 21, 4, LayerA, 48);
    wh.vol = 90;
    wh.key = -12;
    add(wh, {72, 79}, 80, 0, 48);
    s.tracks = {d, b, fd, g, wh};
    return s;
}

Style afroCuban() {
    Style s;
    s.number = 48;
    s.globalVol = 95;
    s.name = "Afro-Cuban 6/8";
    s.bpm = 112;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 0;
    Track d = drumTrack("Bembe Bell And Congas", 48);
    grid(d, 36, "7.....6.....");
    grid(d, 56, "9.7.97.7.97.");
    grid(d, 70, "5.45.45.45.4");
    grid(d, 63, "...8.....8..");
    grid(d, 62, ".....6.....6");
    grid(d, 64, "......7.....|......7.....|......7.....|......7.8.99");
    // Root and the fifth below against the bell, the third in the second bar: all in the lowest octave.
    Track b = bassTrack("Bembe Bass", 32, 24);
    b.key = -12;
    add(b, 48, 100, 0, 2.7);
    add(b, 43, 88, 5, 2.7);
    add(b, 48, 92, 9, 1.8);
    add(b, 48, 98, 12, 2.7);
    add(b, 52, 86, 17, 2.7);
    add(b, 43, 88, 21, 1.8);
    // The guajeo on close triads, the left hand's root only where the bass holds its own root.
    Track pn = chordTrack(Pitches, "Bembe Piano Guajeo", 0, 1, LayerB, 24);
    pn.vol = 80;
    hits(pn, {48}, "8...........|8...........", 1);
    hits(pn, {64, 67, 72}, "8.....7.....|8.....7.....", 1);
    hits(pn, {67, 72, 76}, "..7..6..7..6|..7.....7.7.", 0.9);
    // Voices 4..6 of strum height 5: a close triad on the lowest chord tone from F#4 up.
    Track hn = chordTrack(Codes, "Bembe Horn Calls", 61, 1, LayerC, 48, 5);
    hn.vol = 80;
    hits(hn, {76, 77, 78}, "............|..8..9......|............|..8..8..9...", 2);
    // The voices hold the colour over the root, and in every second bar lift the lower voice to the
    // fifth as they breathe again.
    Track pad = chordTrack(Pitches, "Bembe Voices", 53, 2, LayerA, 24);
    pad.susVolume = 85;
    add(pad, {60, 69}, 74, 0, 12);
    add(pad, {67, 69}, 70, 12, 12);
    pad.vol = 84;
    s.tracks = {d, b, pn, hn, pad};
    return s;
}

Style techno() {
    Style s;
    s.number = 49;
    s.name = "Techno Drive";
    s.globalVol = 84;
    s.bpm = 132;
    s.autoCymbal = 8;
    Track d = drumTrack("Techno Sixteenths", 64);
    d.vol = 100;
    grid(d, 36, "9...9...9...9...");
    grid(d, 39, "....8.......8...");
    grid(d, 42, "4343434343434343");
    grid(d, 54, "..6...6...6...6.");
    clearSteps(d, 56, 64, {39});
    for (int i = 56; i < 64; ++i) add(d, 39, 60 + 6 * (i - 56), i, 0.5);
    Track b = bassTrack("Techno Rolling Bass", 38, 16);
    b.vol = 74;
    hits(b, {36}, "6.986.986.986.98", 0.75);
    Track st = chordTrack(Pitches, "Techno Stab", 63, 1, LayerB, 64);
    st.vol = 46;
    hits(st, {67, 72, 76}, "...8..7...8.....|...8..7...8.....|...8..7...8.....|...8..7...8..8.8", 0.5);
    // The pad swells again every bar, its lowest voice rising from the root to the third in the second.
    Track pad = chordTrack(Pitches, "Techno Pad", 88, 2, LayerA, 32);
    pad.susVolume = 85;
    add(pad, {60, 67, 69}, 70, 0, 16);
    add(pad, {64, 67, 69}, 66, 16, 16);
    pad.vol = 48;
    Track sq = chordTrack(Pitches, "Techno Sequence", 38, 1, LayerC, 16);
    sq.vol = 85;
    static const int seq[8] = {48, 60, 55, 64, 52, 60, 55, 67};
    for (int i = 0; i < 16; ++i) add(sq, seq[i % 8], i % 4 == 0 ? 84 : 64, i, 0.5);
    s.tracks = {d, b, st, pad, sq};
    doubleGrid(s);
    // A thirty-second hi-hat flick after the last downbeat of the phrase.
    add(s.tracks[0], 44, 50, 3 * 32 + 25, 0.5);
    return s;
}

// Synth-pop: a gated snare, sixteenth hats and a syncopated octave bass on a sixteenth grid.
Style synthPop() {
    Style s;
    s.number = 50;
    s.globalVol = 83;
    s.name = "Synth-Pop 80s";
    s.bpm = 118;
    s.autoCymbal = 4;
    Track d = drumTrack("Synth-Pop Gated Beat", 64);
    d.vol = 100;
    grid(d, 36, "9.....9...9.....|9.....9...9...7.");
    grid(d, 38, "....x.......x...");
    grid(d, 42, "6446644664466446");
    tomFill(d, 56, 64, 2);
    accentFillEnd(d, 62, 127);
    // The octave pops on the "and" of one and of three; the pushes on the "and" of two and four stay
    // on the root, so a chord that changes there is met in the bass's register.
    Track b = bassTrack("Synth-Pop Octave Sixteenths", 38, 64);
    b.vol = 77;
    b.key = -12;
    hits(b, {48}, "9..79.7.9..79.7.|9..79.7.9..79.7.|9..79.7.9..79.7.|9..79.7.9.......", 0.9);
    hits(b, {60}, "..7.......7.....|..7.......7.....|..7.......7.....|..7.............", 0.9);
    add(b, 43, 86, 60, 1.5);
    add(b, 43, 80, 62, 1.5);
    Track br = chordTrack(Pitches, "Synth-Pop Brass Stabs", 62, 1, LayerB, 32);
    br.vol = 63;
    hits(br, {67, 72, 76}, "9.....7.........|9.....7...8..7..", 1);
    // The pad holds the colour over the fifth, swelling again every bar; in every second bar its lower
    // voice falls to the third.
    Track pad = chordTrack(Pitches, "Synth-Pop Pad", 88, 2, LayerA, 32);
    pad.susVolume = 85;
    add(pad, {67, 69}, 70, 0, 16);
    add(pad, {64, 69}, 66, 16, 16);
    pad.vol = 66;
    Track ar = chordTrack(Pitches, "Synth-Pop Arpeggio", 5, 1, LayerC, 16);
    ar.vol = 86;
    static const int arp[8] = {48, 55, 64, 67, 72, 67, 64, 55};
    for (int i = 0; i < 16; ++i) add(ar, arp[i % 8], i % 4 == 0 ? 84 : 66, i, 0.8);
    s.tracks = {d, b, br, pad, ar};
    return s;
}

Style motown() {
    Style s;
    s.number = 51;
    s.globalVol = 91;
    s.name = "Motown Soul";
    s.bpm = 120;
    s.autoCymbal = 4;
    Track d = drumTrack("Motown Snare On Every Beat", 64);
    d.vol = 84;
    grid(d, 36, "9.....8.9.......|9.....8.9.....6.");
    grid(d, 38, "8...9...8...9...");
    grid(d, 54, "6.4.6.4.6.4.6.4.");
    tomFill(d, 60, 64, 1);
    accentFillEnd(d, 62, 114);
    // The melodic bass moves between the root, the fifth and third below and the third above, in the
    // lowest octave, so every change is met close by; the sixth (or seventh) only in the second bar.
    Track b = bassTrack("Motown Melodic Bass", 33, 32);
    b.vol = 94;
    b.key = -12;
    add(b, 48, 100, 0, 1.5);
    add(b, 48, 76, 3, 0.5);
    add(b, 43, 86, 4, 1.5);
    add(b, 40, 84, 6, 1.5);
    add(b, 48, 90, 8, 1.5);
    add(b, 43, 76, 11, 0.5);
    add(b, 52, 84, 12, 1.5);
    add(b, 43, 80, 14, 1.5);
    add(b, 48, 98, 16, 1.5);
    add(b, 52, 84, 20, 1.5);
    add(b, 43, 86, 22, 1.5);
    add(b, 48, 90, 24, 1.5);
    add(b, 43, 80, 27, 0.5);
    add(b, 45, 84, 28, 1.5);
    add(b, 43, 84, 30, 1.5);
    // The piano's quarters on the close triad with the root below where the bass plays its own, the
    // guitar's backbeat chop above on the fifth, the sixth or seventh and the third, the strings held
    // on the third and the fifth.
    Track pn = chordTrack(Pitches, "Motown Piano Quarters", 0, 1, LayerB, 16);
    pn.vol = 86;
    hits(pn, {48}, "8.......8.......", 1.5);
    hits(pn, {60, 64, 67}, "8...7...8...7...", 1.5);
    Track g = chordTrack(Pitches, "Motown Guitar Backbeat", 27, 1, LayerB, 16);
    g.vol = 70;
    hits(g, {67, 69, 76}, "....9.......8...", 0.5);
    // The strings hold the third and the fifth, and climb to the fifth and the root in every second bar.
    Track str = chordTrack(Pitches, "Motown Strings", 49, 2, LayerA, 32);
    str.susVolume = 85;
    add(str, {64, 67}, 72, 0, 16);
    add(str, {67, 72}, 74, 16, 16);
    str.vol = 80;
    // The baritone sax answers the bass, one note at a time: a different figure in every bar of the
    // phrase, from the root up to the third and down again with the ninth passing, in the horn's upper
    // register.
    Track bs = chordTrack(Pitches, "Motown Baritone Sax", 67, 1, LayerC, 64);
    bs.vol = 98;
    noteLine(bs, 16, 2, 4, 112,
             {{60, 0, 0, 0, 60, 62, 64, 0},
              {64, 0, 0, 0, 64, 62, 60, 0},
              {60, 0, 0, 0, 64, 62, 60, 62},
              {64, 0, 62, 0, 60, 0, 0, 0}});
    s.tracks = {d, b, pn, g, str, bs};
    return s;
}

} // namespace

void addStylesMore(std::vector<Style>& out) {
    out.push_back(rockAndRoll());
    out.push_back(bebop());
    out.push_back(dixieland());
    out.push_back(bluegrass());
    out.push_back(countryShuffle());
    out.push_back(celticJig());
    out.push_back(afroCuban());
    out.push_back(techno());
    out.push_back(synthPop());
    out.push_back(motown());
}

} // namespace stylegen
