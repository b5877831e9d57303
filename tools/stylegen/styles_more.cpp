// Rock and roll, bebop, Dixieland, Latin dances, ballroom, bluegrass, country shuffle, Celtic and
// Afro-Cuban triplet feels, techno, synth-pop and Motown: styles 035-051. Each of them is phrased over
// four bars with its fill or answer in the fourth.
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

// A sustained part on the chord's own four tones, placed high (voice 0 at F#4 or above).
Track highChord(const std::string& name, int prog, int mode, int length, int vol) {
    Track t = chordTrack(Codes, name, prog, mode, LayerA, length, 1);
    t.vol = vol;
    t.susVolume = 85;
    add(t, 48, 80, 0, 4);
    add(t, {72, 73, 74, 75, 76}, 80, 0, length);
    return t;
}

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

Style rockAndRoll() {
    Style s;
    s.number = 35;
    s.globalVol = 87;
    s.name = "Rock And Roll Boogie";
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
    Track b = bassTrack("Boogie Bass Line", 33, 24);
    b.vol = 80;
    hits(b, {36}, "x...........|............", 2.7);
    hits(b, {40}, "...9........|.........9..", 2.7);
    hits(b, {43}, "......9.....|......9.....", 2.7);
    hits(b, {45}, ".........9..|...9........", 2.7);
    hits(b, {48}, "............|x...........", 2.7);
    Track pn = chordTrack(Pitches, "Boogie Piano Triplets", 0, 1, LayerB, 12);
    pn.vol = 78;
    hits(pn, {64, 69, 72, 76}, "..7..8..7..8", 1);
    add(pn, 48, 84, 0, 2.5);
    add(pn, 55, 76, 6, 2.5);
    Track sx = chordTrack(Codes, "Boogie Sax Riff", 65, 1, LayerB, 48, 2);
    sx.vol = 80;
    hits(sx, {72, 73, 74}, "............|9.....8..9..|............|9..8..9.....", 2);
    Track g = chordTrack(Codes, "Boogie Guitar Chops", 29, 1, LayerB, 12, 7);
    g.vol = 99;
    hits(g, {72, 73, 74}, "...8.....7..", 1);
    s.tracks = {d, b, pn, sx, g};
    return s;
}

Style bebop() {
    Style s;
    s.number = 36;
    s.name = "Bebop Up-Tempo";
    s.globalVol = 99;
    s.bpm = 208;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    Track d = drumTrack("Bebop Ride And Bombs", 48);
    grid(d, 51, "9..8.59..8.5");
    grid(d, 44, "...7.....7..");
    grid(d, 36, "........5...|............|.....6......|........7.8.");
    grid(d, 38, ".....4......|..4.....5...|........4...|..5..6....8.");
    Track b = bassTrack("Bebop Walking Bass", 32, 48);
    walkingLine(b, 3, {{36, 40, 43, 47}, {48, 50, 52, 54}, {55, 53, 52, 50}, {48, 43, 40, 35}});
    Track pn = chordTrack(Pitches, "Bebop Piano Comping", 0, 1, LayerB, 48);
    pn.vol = 80;
    hits(pn, {64, 69, 72, 76}, "..8.....7...|.....8......|..8.....8...|........9...", 1);
    // Four to the bar on shells: root, seventh (or sixth) and the third above.
    Track g = chordTrack(Pitches, "Bebop Guitar Shells", 26, 1, LayerB, 12);
    g.vol = 64;
    hits(g, {48, 57, 64}, "6..5..6..5..", 1.5);
    Track tp = chordTrack(Codes, "Bebop Trumpet Shout", 56, 1, LayerC, 48, 1);
    tp.vol = 83;
    hits(tp, {72, 73, 74}, "............|........8..9|............|.....8..9...", 1);
    s.tracks = {d, b, pn, g, tp};
    return s;
}

Style dixieland() {
    Style s;
    s.number = 37;
    s.globalVol = 94;
    s.name = "Dixieland Two-Beat";
    s.bpm = 176;
    s.autoCymbal = 8;
    Track d = drumTrack("Dixie Press Rolls", 64);
    d.vol = 97;
    grid(d, 36, "9.......8.......");
    grid(d, 38, "..3.9.3...3.9.3.");
    grid(d, 44, "....7.......7...");
    grid(d, 56, "8.......7.......");
    clearSteps(d, 56, 64, {38, 44});
    for (int i = 56; i < 64; i += 2) add(d, 38, 70 + 5 * (i - 56), i, 0.5);
    Track b = bassTrack("Dixie Tuba Two-Beat", 58, 64);
    hits(b, {36}, "9.......|........|9.......|........|9.......|........|9.......|........", 3.5);
    hits(b, {43}, "........|9.......|........|9.......|........|9.......|........|........", 3.5);
    add(b, 40, 84, 56, 1.8);
    add(b, 41, 84, 58, 1.8);
    add(b, 42, 86, 60, 1.8);
    add(b, 43, 88, 62, 1.8);
    Track bj = chordTrack(Codes, "Dixie Banjo Four", 105, 1, LayerB, 16, 4);
    bj.vol = 64;
    hits(bj, {72, 73, 74, 75}, "8...9...8...9...", 1.5);
    Track cl = chordTrack(Codes, "Dixie Clarinet Runs", 71, 1, LayerC, 64, 1);
    cl.vol = 96;
    for (int i = 0; i < 32; ++i) {
        static const int line[8] = {72, 73, 74, 75, 76, 75, 74, 73};
        if (i % 8 == 7) continue;
        add(cl, line[i % 8], 60 + 4 * (i % 4), 2 * i, 1.8);
    }
    Track tb = chordTrack(Pitches, "Dixie Trombone Tailgate", 57, 1, LayerB, 64);
    tb.vol = 83;
    tb.key = -12;
    hits(tb, {60, 67}, "9...............|......8.9.......|9...............|..8...8.9...8...", 3);
    s.tracks = {d, b, bj, cl, tb};
    return s;
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
        static const int line[8] = {73, 74, 75, 76, 75, 74, 73, 74};
        add(g, line[i % 8], 62 + 3 * (i % 4), 2 * i, 2);
    }
    add(g, 48, 86, 16, 4);
    add(g, 48, 86, 32, 4);
    add(g, 48, 86, 48, 4);
    Track pn = chordTrack(Pitches, "Bolero Piano", 0, 1, LayerB, 16);
    pn.vol = 99;
    hits(pn, {64, 69, 72}, "....7.......6.6.", 1.5);
    Track str = highChord("Bolero Strings", 49, 4, 16, 50);
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
    Track fl = chordTrack(Codes, "Rumba Flute", 73, 2, LayerC, 64, 1);
    fl.vol = 80;
    add(fl, 72, 80, 0, 4);
    add(fl, 73, 74, 4, 4);
    add(fl, 74, 78, 8, 8);
    add(fl, 75, 74, 20, 4);
    add(fl, 74, 70, 24, 8);
    add(fl, 73, 80, 32, 4);
    add(fl, 72, 74, 36, 4);
    add(fl, 73, 78, 40, 8);
    add(fl, 74, 72, 52, 2);
    add(fl, 75, 76, 54, 2);
    add(fl, 76, 84, 56, 8);
    Track str = highChord("Rumba Strings", 49, 4, 16, 62);
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
    Track sx = chordTrack(Codes, "Merengue Sax Jaleo", 65, 1, LayerC, 32, 1);
    sx.vol = 78;
    hits(sx, {72, 73, 74}, "..8...7...8...7.|..8...7...8.9.9.", 1);
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
    add(b, 47, 80, 28, 1.5);
    Track ac = chordTrack(Codes, "Cumbia Accordion Offbeats", 21, 1, LayerB, 16, 2);
    ac.vol = 80;
    hits(ac, {72, 73, 74, 75}, "..8...7...8...7.", 1);
    Track pn = chordTrack(Pitches, "Cumbia Piano", 1, 1, LayerB, 16);
    pn.vol = 91;
    hits(pn, {48, 64, 69, 72}, "8.......7.......", 1.5);
    Track fl = chordTrack(Codes, "Cumbia Flute Answer", 73, 2, LayerC, 64, 1);
    fl.vol = 78;
    add(fl, 73, 80, 0, 2);
    add(fl, 74, 70, 2, 2);
    add(fl, 75, 84, 4, 4);
    add(fl, 74, 74, 24, 2);
    add(fl, 73, 80, 26, 6);
    add(fl, 75, 84, 32, 2);
    add(fl, 76, 76, 34, 2);
    add(fl, 75, 80, 36, 4);
    add(fl, 74, 78, 56, 2);
    add(fl, 73, 74, 58, 2);
    add(fl, 72, 84, 60, 4);
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
    add(b, 47, 84, 45, 2.7);
    Track pn = chordTrack(Pitches, "Foxtrot Piano", 0, 1, LayerB, 12);
    pn.vol = 81;
    hits(pn, {64, 69, 72, 76}, "...7.....6..", 2);
    Track sx = highChord("Foxtrot Sax Section", 66, 3, 12, 53);
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
    Track b = bassTrack("Quickstep Walking Bass", 32, 48);
    walkingLine(b, 3, {{36, 43, 40, 42}, {43, 45, 47, 48}, {50, 52, 53, 54}, {55, 52, 48, 47}});
    Track br = chordTrack(Codes, "Quickstep Brass Kicks", 61, 1, LayerB, 48, 2);
    br.vol = 80;
    hits(br, {72, 73, 74, 75}, "...8.....8..|...8.....8..|...8.....8..|...8..8..9..", 1.5);
    Track pn = chordTrack(Pitches, "Quickstep Piano", 0, 1, LayerB, 12);
    pn.vol = 91;
    hits(pn, {64, 69, 72, 76}, "8.....7.....", 2);
    Track cl = highChord("Quickstep Reeds", 71, 3, 12, 70);
    s.tracks = {d, b, br, pn, cl};
    return s;
}

Style vienneseWaltz() {
    Style s;
    s.number = 44;
    s.globalVol = 107;
    s.name = "Viennese Waltz Fast";
    s.bpm = 174;
    s.stepsPerBar = 12;
    s.autoCymbal = 8;
    Track d = drumTrack("Viennese Waltz Triangle", 48);
    grid(d, 36, "9...........|7...........|9...........|7...........");
    grid(d, 81, "....7...6...");
    grid(d, 53, "....5...5...|....5...5...|....5...5...|....5..56.7.");
    Track b = bassTrack("Viennese Waltz Bass", 32, 24);
    b.vol = 92;
    add(b, 36, 100, 0, 3.5);
    add(b, 43, 92, 12, 3.5);
    Track str = chordTrack(Codes, "Viennese Strings Early Two", 40, 1, LayerB, 12, 2);
    str.vol = 58;
    hits(str, {73, 74, 75, 76}, "...8....6...", 2.5);
    Track hn = chordTrack(Pitches, "Viennese Horns", 60, 1, LayerB, 48);
    hn.vol = 74;
    hn.key = -12;
    hits(hn, {60, 64}, "....8...7...|....8...7...|....8...7...|....8...8...", 2);
    Track fl = chordTrack(Codes, "Viennese Flute", 73, 2, LayerC, 48, 1);
    fl.vol = 83;
    add(fl, 74, 80, 0, 8);
    add(fl, 73, 70, 8, 4);
    add(fl, 72, 76, 12, 12);
    add(fl, 75, 82, 24, 8);
    add(fl, 74, 72, 32, 4);
    add(fl, 73, 76, 36, 8);
    add(fl, 72, 70, 44, 4);
    s.tracks = {d, b, str, hn, fl};
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
    clearSteps(d, 60, 64, {40});
    add(d, 40, 80, 60, 0.5);
    add(d, 40, 90, 62, 0.5);
    Track b = bassTrack("Bluegrass Upright", 32, 64);
    b.vol = 94;
    hits(b, {36}, "9...............|9...............|9...............|9...............", 3.5);
    hits(b, {43}, "........8.......|........8.......|........8.......|................", 3.5);
    add(b, 40, 84, 40, 3.5);
    add(b, 40, 84, 56, 1.8);
    add(b, 41, 84, 58, 1.8);
    add(b, 42, 86, 60, 1.8);
    add(b, 43, 88, 62, 1.8);
    Track bj = chordTrack(Codes, "Bluegrass Banjo Roll", 105, 2, LayerC, 16, 2);
    bj.vol = 80;
    static const int roll[8] = {72, 74, 76, 72, 74, 76, 73, 75};
    for (int i = 0; i < 16; ++i) add(bj, roll[i % 8], i % 4 == 0 ? 84 : 66, i, 1);
    Track g = chordTrack(Codes, "Bluegrass Guitar Boom Chick", 25, 1, LayerB, 16, 5);
    g.vol = 74;
    add(g, 48, 90, 0, 2);
    add(g, 55, 84, 8, 2);
    hits(g, {72, 73, 74, 75, 76}, "....8.......8...", 1.5);
    Track fd = highChord("Bluegrass Fiddle", 110, 4, 16, 64);
    s.tracks = {d, b, bj, g, fd};
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
    Track b = bassTrack("Country Shuffle Bass", 32, 24);
    add(b, 36, 100, 0, 2.7);
    add(b, 43, 88, 6, 2.7);
    add(b, 41, 80, 9, 1.8);
    add(b, 40, 84, 11, 0.9);
    add(b, 36, 98, 12, 2.7);
    add(b, 43, 88, 18, 2.7);
    add(b, 45, 84, 21, 1.8);
    add(b, 47, 80, 23, 0.9);
    Track g = chordTrack(Codes, "Country Shuffle Steel Chops", 25, 1, LayerB, 12, 4);
    g.vol = 80;
    hits(g, {72, 73, 74, 75}, "...9.....8..", 1);
    Track pn = chordTrack(Pitches, "Country Shuffle Piano", 3, 1, LayerB, 48);
    pn.vol = 76;
    hits(pn, {64, 69, 72, 76}, "..7..7..7..7|..7..7..7..7|..7..7..7..7|..7..7..9...", 0.9);
    Track fd = chordTrack(Codes, "Country Shuffle Fiddle", 110, 4, LayerA, 12, 1);
    fd.vol = 70;
    add(fd, 48, 78, 0, 4);
    add(fd, {72, 73, 74}, 78, 0, 12);
    s.tracks = {d, b, g, pn, fd};
    return s;
}

Style celticJig() {
    Style s;
    s.number = 47;
    s.globalVol = 91;
    s.name = "Celtic Jig 12/8 Lively";
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
    Track b = bassTrack("Jig Drone Bass", 32, 24);
    add(b, 36, 96, 0, 5.5);
    add(b, 43, 86, 6, 5.5);
    add(b, 36, 94, 12, 2.7);
    add(b, 40, 82, 15, 2.7);
    add(b, 43, 86, 18, 2.7);
    add(b, 47, 80, 21, 2.7);
    Track fd = chordTrack(Codes, "Jig Fiddle Triplets", 110, 2, LayerC, 48, 1);
    fd.vol = 80;
    static const int tune[24] = {72, 73, 74, 75, 74, 73, 72, 74, 73, 72, 73, 74,
                                 75, 76, 75, 74, 73, 74, 75, 74, 73, 72, 73, 72};
    for (int i = 0; i < 24; ++i) add(fd, tune[i], i % 3 == 0 ? 88 : 66, 2 * i - (i % 3 == 2 ? 0 : 0), 1.8);
    Track g = chordTrack(Codes, "Jig Guitar Strum", 25, 1, LayerB, 12, 4);
    g.vol = 74;
    add(g, 48, 88, 0, 2.5);
    hits(g, {72, 73, 74, 75}, "9.69.69.69.6", 1);
    Track wh = chordTrack(Pitches, "Jig Accordion Drone", 21, 4, LayerA, 12);
    wh.vol = 77;
    add(wh, {48, 64, 67, 69}, 80, 0, 12);
    s.tracks = {d, b, fd, g, wh};
    return s;
}

Style afroCuban() {
    Style s;
    s.number = 48;
    s.globalVol = 95;
    s.name = "Afro-Cuban Bembe";
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
    Track b = bassTrack("Bembe Bass", 32, 24);
    add(b, 36, 100, 0, 2.7);
    add(b, 43, 88, 5, 2.7);
    add(b, 36, 92, 9, 1.8);
    add(b, 36, 98, 12, 2.7);
    add(b, 45, 86, 17, 2.7);
    add(b, 43, 88, 21, 1.8);
    Track pn = chordTrack(Pitches, "Bembe Piano Guajeo", 0, 1, LayerB, 24);
    pn.vol = 80;
    hits(pn, {48, 64, 72}, "8.....7.....|8.....7.....", 1);
    hits(pn, {67, 69, 76}, "..7..6..7..6|..7.....7.7.", 0.9);
    Track hn = chordTrack(Codes, "Bembe Horn Calls", 61, 1, LayerC, 48, 1);
    hn.vol = 80;
    hits(hn, {72, 73, 74}, "............|..8..9......|............|..8..8..9...", 2);
    Track pad = highChord("Bembe Voices", 53, 4, 24, 62);
    s.tracks = {d, b, pn, hn, pad};
    return s;
}

Style techno() {
    Style s;
    s.number = 49;
    s.name = "Techno Drive";
    s.globalVol = 77;
    s.bpm = 132;
    s.autoCymbal = 8;
    Track d = drumTrack("Techno Sixteenths", 64);
    d.vol = 97;
    grid(d, 36, "9...9...9...9...");
    grid(d, 39, "....8.......8...");
    grid(d, 42, "4343434343434343");
    grid(d, 54, "..6...6...6...6.");
    clearSteps(d, 56, 64, {39});
    for (int i = 56; i < 64; ++i) add(d, 39, 60 + 6 * (i - 56), i, 0.5);
    Track b = bassTrack("Techno Rolling Bass", 38, 16);
    b.vol = 80;
    hits(b, {36}, "6.986.986.986.98", 0.75);
    Track st = chordTrack(Codes, "Techno Stab", 63, 1, LayerB, 64, 2);
    st.vol = 53;
    hits(st, {72, 73, 74, 75}, "...8..7...8.....|...8..7...8.....|...8..7...8.....|...8..7...8..8.8", 0.5);
    Track pad = highChord("Techno Pad", 88, 3, 16, 57);
    Track sq = chordTrack(Pitches, "Techno Sequence", 38, 1, LayerC, 16);
    sq.vol = 100;
    static const int seq[8] = {48, 60, 55, 64, 52, 60, 55, 69};
    for (int i = 0; i < 16; ++i) add(sq, seq[i % 8], i % 4 == 0 ? 84 : 64, i, 0.5);
    s.tracks = {d, b, st, pad, sq};
    doubleGrid(s);
    // A thirty-second hi-hat flick after the last downbeat of the phrase.
    add(s.tracks[0], 44, 50, 3 * 32 + 25, 0.5);
    return s;
}

Style synthPop() {
    Style s;
    s.number = 50;
    s.globalVol = 83;
    s.name = "Synth-Pop Eighties";
    s.bpm = 118;
    s.autoCymbal = 4;
    Track d = drumTrack("Synth-Pop Gated Beat", 64);
    d.vol = 100;
    grid(d, 36, "9.......9.6.....");
    grid(d, 38, "....x.......x...");
    grid(d, 42, "6.4.6.4.6.4.6.4.");
    tomFill(d, 56, 64, 2);
    Track b = bassTrack("Synth-Pop Octave Eighths", 38, 64);
    b.vol = 77;
    hits(b, {36}, "9.7.7.7.9.7.7.7.|9.7.7.7.9.7.7.7.|9.7.7.7.9.7.7.7.|9.7.7.7.9.7.....", 1.5);
    add(b, 43, 86, 60, 1.5);
    add(b, 47, 86, 62, 1.5);
    Track br = chordTrack(Codes, "Synth-Pop Brass Stabs", 62, 1, LayerB, 32, 2);
    br.vol = 57;
    hits(br, {72, 73, 74, 75}, "9.....7.........|9.....7...8..7..", 1);
    Track pad = highChord("Synth-Pop Pad", 88, 4, 16, 44);
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
    s.name = "Motown Four Snares";
    s.bpm = 120;
    s.autoCymbal = 4;
    Track d = drumTrack("Motown Snare On Every Beat", 64);
    d.vol = 84;
    grid(d, 36, "9.....8.9.......|9.....8.9.....6.");
    grid(d, 38, "8...9...8...9...");
    grid(d, 54, "6.4.6.4.6.4.6.4.");
    tomFill(d, 60, 64, 1);
    Track b = bassTrack("Motown Melodic Bass", 33, 32);
    b.vol = 94;
    add(b, 36, 100, 0, 1.5);
    add(b, 36, 76, 3, 0.5);
    add(b, 43, 86, 4, 1.5);
    add(b, 45, 84, 6, 1.5);
    add(b, 48, 90, 8, 1.5);
    add(b, 47, 76, 11, 0.5);
    add(b, 45, 84, 12, 1.5);
    add(b, 43, 80, 14, 1.5);
    add(b, 36, 98, 16, 1.5);
    add(b, 40, 84, 20, 1.5);
    add(b, 43, 86, 22, 1.5);
    add(b, 45, 90, 24, 1.5);
    add(b, 43, 80, 27, 0.5);
    add(b, 41, 84, 28, 1.5);
    add(b, 42, 84, 30, 1.5);
    Track pn = chordTrack(Pitches, "Motown Piano Quarters", 0, 1, LayerB, 16);
    pn.vol = 86;
    hits(pn, {48, 64, 67, 72}, "8...7...8...7...", 1.5);
    Track g = chordTrack(Codes, "Motown Guitar Backbeat", 27, 1, LayerB, 16, 1);
    g.vol = 70;
    hits(g, {73, 74, 75}, "....9.......8...", 0.5);
    Track str = highChord("Motown Strings", 49, 4, 16, 60);
    Track bs = chordTrack(Codes, "Motown Baritone Sax", 67, 1, LayerC, 64, 6);
    bs.vol = 98;
    hits(bs, {72, 73}, "9.....8.........|9.....8.........|9.....8.........|9.....8...9.8...", 1.5);
    s.tracks = {d, b, pn, g, str, bs};
    return s;
}

} // namespace

void addStylesMore(std::vector<Style>& out) {
    out.push_back(rockAndRoll());
    out.push_back(bebop());
    out.push_back(dixieland());
    out.push_back(bolero());
    out.push_back(rumba());
    out.push_back(merengue());
    out.push_back(cumbia());
    out.push_back(foxtrot());
    out.push_back(quickstep());
    out.push_back(vienneseWaltz());
    out.push_back(bluegrass());
    out.push_back(countryShuffle());
    out.push_back(celticJig());
    out.push_back(afroCuban());
    out.push_back(techno());
    out.push_back(synthPop());
    out.push_back(motown());
}

} // namespace stylegen
