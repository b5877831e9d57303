// Pop, rock, ballads, train beat and the blues: styles 001-006 and 013-015.
// Every pattern is written over C major; see stylegen.h for the rhythm notation. Chord parts that
// must keep a triad a triad play chord codes (the chord's own tones: the seventh only where the chord
// has one); parts written as pitches add the colour tone 69 where the genre likes sixths. Bass lines
// keep to chord tones wherever a chord may change, so that no note is left over the wrong chord.
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

Style popStraightEights() {
    Style s;
    s.number = 1;
    s.globalVol = 90;
    s.name = "Pop Straight 8s";
    s.bpm = 108;
    s.autoCymbal = 4;
    Track d = drumTrack("Pop 8 Beat Phrase", 64);
    d.vol = 97;
    grid(d, 36, "9.....6.8.6.....|9.....6.8.....5.");
    grid(d, 38, "....9.......9...|....9.......9..4");
    grid(d, 42, "7.5.7.5.7.5.7.5.|7.5.7.5.7.5.7...");
    grid(d, 46, "................|..............6.");
    grid(d, 54, "....6.......6...");
    tomFill(d, 56, 64, 1);
    // Pumping roots with the fifth and the third inside the bar, a phrase of four bars: each beat a
    // chord may change on is reached from the root, the third or the fifth, whichever stays in the
    // bass's register and steps off the new root by more than a half step.
    Track b = bassTrack("Pop Eighths Bass", 33, 64);
    const int line[4][7] = {{36, 36, 40, 36, 36, 43, 40},
                            {36, 40, 43, 36, 43, 40, 36},
                            {36, 36, 40, 36, 43, 36, 36},
                            {36, 36, 40, 36, 43, 40, 36}};
    const int steps[7] = {0, 3, 6, 8, 11, 12, 14};
    const int vels[7] = {104, 76, 86, 96, 78, 88, 80};
    for (int bar = 0; bar < 4; ++bar)
        for (int i = 0; i < 7; ++i)
            if (bar < 3 || i < 4) add(b, line[bar][i], vels[i], 16 * bar + steps[i], i % 3 == 0 ? 2 : 1.5);
    add(b, 43, 84, 58, 2);
    add(b, 40, 88, 60, 2);
    add(b, 36, 82, 62, 2);
    // The piano pushes the second bar and answers the drum fill in the fourth.
    Track p = chordTrack(Pitches, "Pop Piano Pulse", 0, 1, LayerB, 64);
    p.vol = 100;
    hits(p, {64, 67, 72}, "8.....6.7.....6.|8...6.....7.6...|8.....6.7.....6.|8.....6.7.6.7.8.", 1.8);
    for (int bar = 0; bar < 64; bar += 16) {
        add(p, 48, 70, bar, 4);
        add(p, 55, 60, bar + 8, 4);
    }
    // Strings hold root, fifth and octave under the piano's triad; the guitar picks the chord above it,
    // its seventh (where the chord has one) high in the arpeggio.
    Track pad = pitchPad("Pop Strings", 49, 4, 64, {60, 67, 72}, 70);
    pad.vol = 81;
    Track g = chordTrack(Codes, "Pop Guitar Picking", 27, 2, LayerC, 32, 3);
    g.vol = 93;
    add(g, {74, 75}, 84, 0, 2);
    add(g, 76, 70, 2, 2);
    add(g, 75, 76, 4, 2);
    add(g, 77, 70, 6, 2);
    add(g, 74, 80, 8, 2);
    add(g, 76, 70, 10, 2);
    add(g, 75, 76, 12, 2);
    add(g, 77, 66, 14, 2);
    add(g, {74, 75}, 82, 16, 2);
    add(g, 76, 70, 18, 2);
    add(g, 77, 76, 20, 2);
    add(g, 76, 70, 22, 2);
    add(g, 75, 78, 24, 2);
    add(g, 74, 70, 26, 2);
    add(g, 76, 74, 28, 2);
    add(g, 75, 66, 30, 2);
    s.tracks = {d, b, p, pad, g};
    return s;
}

Style popSixteens() {
    Style s;
    s.number = 2;
    s.globalVol = 86;
    s.name = "Pop Sixteenths";
    s.bpm = 96;
    s.autoCymbal = 8;
    Track d = drumTrack("Pop 16 Beat", 16);
    grid(d, 36, "9.....6...8..5..");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "7353735373537353");
    grid(d, 70, "..5...5...5...5.");
    Track b = bassTrack("Pop Sixteen Bass", 38, 16);
    add(b, 36, 104, 0, 1.5);
    add(b, 36, 70, 3, 0.5);
    add(b, 43, 86, 6, 1);
    add(b, 36, 96, 8, 1.5);
    add(b, 43, 74, 11, 0.5);
    add(b, 40, 86, 12, 1);
    add(b, 36, 80, 14, 1);
    // Electric piano stabs without the root (fifth, the sixth or seventh, the third on top); the pad
    // holds the third and fifth round middle C, the muted guitar chops the close triad under the piano and
    // thumbs the root low on each bar.
    Track ep = chordTrack(Pitches, "Pop Electric Piano Stabs", 4, 1, LayerB, 64);
    ep.vol = 75;
    hits(ep, {67, 69, 76}, "9..5..8...8...7.|9..5..8.....8.6.|9..5..8...8...7.|9..5...7.7..8.8.", 1);
    Track pad = pitchPad("Pop Warm Pad", 89, 3, 64, {64, 67}, 68);
    pad.vol = 94;
    // Voices 3..5 of strum height 6: a close triad topped by the lowest chord tone from F#4 up.
    Track g = chordTrack(Codes, "Pop Muted Offbeats", 28, 1, LayerB, 16, 6);
    g.vol = 98;
    hits(g, {75, 76, 77}, "..8...6...8...6.", 0.5);
    add(g, {48, 75, 76, 77}, 70, 0, 0.5);
    s.tracks = {d, b, ep, pad, g};
    fourBarPhrase(s, 4, true);
    return s;
}

// A straight rock eight-beat: the bass pumps eighths on the root, the piano pounds quarters.
Style rockSteady() {
    Style s;
    s.number = 3;
    s.globalVol = 90;
    s.name = "Rock Eights";
    s.bpm = 120;
    s.autoCymbal = 4;
    Track d = drumTrack("Rock 8 Beat Phrase", 64);
    grid(d, 36, "9.......9.9.....|9.......9.....7.");
    grid(d, 38, "....9.......9...|....9.......9.9.");
    grid(d, 42, "8.6.8.6.8.6.8.6.|8.6.8.6.8.6.8...");
    grid(d, 46, "................|..............7.");
    tomFill(d, 60, 64, 1);
    Track b = bassTrack("Rock Root Pump", 34, 64);
    b.breakVolume = 110;
    hits(b, {36}, "9.7.7.7.8.7.7.7.|9.7.7.7.8.7.7.7.|9.7.7.7.8.7.7.7.|9.7.7.7.8.7...7.", 1.8);
    add(b, 43, 90, 60, 1.8);
    // Power chords as fifth and octave over the bass's root, clear of the bass at any slash chord; the
    // organ holds root, fifth and the sixth or seventh; the piano pounds the triad an octave above the
    // guitar, its third on top, over the root low in the left hand.
    Track gt = chordTrack(Pitches, "Rock Power Chord Eighths", 29, 1, LayerB, 64);
    gt.key = -12;
    gt.vol = 72;
    gt.breakLength = 8;
    gt.breakVolume = 110;
    hits(gt, {67, 72}, "9.6.6.8.6.6.7.6.|9.6.6.8.6.6.7.6.|9.6.6.8.6.6.7.6.|9.6.6.8.9...9...", 1.6);
    Track org = pitchPad("Rock Organ Hold", 18, 4, 64, {60, 67, 69}, 78);
    org.vol = 71;
    Track pn = chordTrack(Pitches, "Rock Piano Quarters", 1, 1, LayerB, 64);
    pn.vol = 85;
    hits(pn, {64, 67, 72, 76}, "8...6...7...6...|8...6...7...6.6.|8...6...7...6...|8...6...7.7.7.7.", 1.5);
    for (int bar = 0; bar < 64; bar += 16) add(pn, 36, 84, bar, 4);
    s.tracks = {d, b, gt, org, pn};
    return s;
}

// The anthem drives on the ride and the floor of the kit, half a bar of power chords at a time, the
// bass hammering dotted quarters.
Style rockAnthem() {
    Style s;
    s.number = 4;
    s.globalVol = 83;
    s.name = "Rock Anthem";
    s.bpm = 138;
    s.autoCymbal = 4;
    Track d = drumTrack("Anthem Beat Fill At Four", 64);
    grid(d, 36, "9.....9.9.....9.|9.....9.9...9...");
    grid(d, 38, "....9.......9...|....9.......9..5");
    grid(d, 51, "8...7...8...7...");
    grid(d, 46, "..5...5...5...5.");
    tomFill(d, 56, 64, 1);
    // Dotted quarters on the root, the fifth or third pushing each half bar; the second bar comes home
    // to the root before the bar line, so a change there never finds the bass an octave away.
    Track b = bassTrack("Anthem Driving Bass", 34, 32);
    b.vol = 100;
    add(b, 36, 104, 0, 5.5);
    add(b, 43, 88, 6, 1.8);
    add(b, 36, 96, 8, 5.5);
    add(b, 43, 88, 14, 1.8);
    add(b, 36, 104, 16, 5.5);
    add(b, 40, 88, 22, 1.8);
    add(b, 36, 96, 24, 3.5);
    add(b, 43, 90, 28, 1.8);
    add(b, 36, 88, 30, 1.8);
    // The distortion rings fifth, root and fifth above the acoustic; the acoustic strums the open
    // triad (fifth, root, third, fifth) low, the up-strokes on its top three strings; the strings
    // hold third, fifth and the sixth or seventh between them.
    Track gt = chordTrack(Pitches, "Anthem Distortion Chords", 30, 1, LayerB, 32);
    gt.vol = 46;
    gt.breakVolume = 115;
    add(gt, {67, 72, 79}, 104, 0, 6);
    add(gt, {67, 72, 79}, 84, 6, 2);
    add(gt, {67, 72, 79}, 96, 8, 8);
    hits(gt, {67, 72, 79}, "................|9.7.8.7.9.......", 1.8);
    add(gt, {67, 72, 79}, 100, 26, 6);
    Track ac = chordTrack(Pitches, "Anthem Acoustic Strum", 25, 2, LayerC, 16);
    ac.key = -12;
    ac.vol = 72;
    add(ac, {67, 72, 76, 79}, 92, 0, 3);
    add(ac, {72, 76, 79}, 64, 3, 1);
    add(ac, {67, 72, 76, 79}, 84, 4, 2);
    add(ac, {72, 76, 79}, 66, 6, 2);
    add(ac, {67, 72, 76, 79}, 86, 8, 3);
    add(ac, {72, 76, 79}, 64, 11, 1);
    add(ac, {67, 72, 76, 79}, 84, 12, 2);
    add(ac, {72, 76, 79}, 70, 14, 2);
    Track pad = pitchPad("Anthem String Pad", 49, 3, 64, {64, 67, 69}, 76);
    pad.vol = 86;
    s.tracks = {d, b, gt, ac, pad};
    return s;
}

Style pianoBallad() {
    Style s;
    s.number = 5;
    s.globalVol = 140;
    s.name = "Piano Ballad Soft";
    s.bpm = 72;
    Track d = drumTrack("Ballad Soft Beat", 64);
    grid(d, 36, "8.........6.....");
    grid(d, 37, "....7.......7...");
    grid(d, 42, "5.3.5.3.5.3.5.3.");
    clearSteps(d, 56, 64, {42});
    add(d, 37, 60, 58, 0.5);
    add(d, 46, 60, 62, 0.5);
    // The fretless sings root, fifth and octave, and comes down to the third or the root before each
    // bar line, so that the next chord finds it near.
    Track b = bassTrack("Ballad Fretless", 35, 32);
    b.vol = 62;
    add(b, 36, 96, 0, 6);
    add(b, 43, 78, 6, 2);
    add(b, 48, 84, 8, 4);
    add(b, 40, 76, 12, 4);
    add(b, 36, 92, 16, 6);
    add(b, 40, 76, 22, 2);
    add(b, 36, 82, 24, 4);
    add(b, 43, 78, 28, 2);
    add(b, 36, 76, 30, 2);
    // The left hand rolls the root (two octaves under middle C on the first beat, one on the third),
    // then octave, tenth and twelfth, its root on the slash bass; the right hand holds an open chord a
    // bar long under the tune (the seventh, where the chord has one, at or under its top) and sings a
    // falling line into the fourth bar.
    Track arp = chordTrack(Pitches, "Ballad Piano Arpeggio", 0, 2, LayerC, 16);
    arp.vol = 81;
    const int rolled[8] = {36, 60, 64, 67, 48, 60, 64, 67}, rolledVel[8] = {88, 64, 70, 76, 80, 62, 68, 60};
    for (int i = 0; i < 8; ++i) add(arp, rolled[i], rolledVel[i], 2 * i, i % 4 == 0 ? 4 : 2);
    Track rh = chordTrack(Codes, "Ballad Piano Chords", 0, 2, LayerB, 64, 3);
    rh.vol = 89;
    add(rh, {73, 74, 76}, 74, 0, 16);
    add(rh, {73, 74, 76}, 70, 16, 8);
    add(rh, {74, 76}, 64, 24, 8);
    add(rh, {73, 74, 76}, 72, 32, 16);
    add(rh, {73, 74, 76}, 70, 48, 6);
    add(rh, 76, 66, 54, 2);
    add(rh, 75, 62, 56, 2);
    add(rh, 74, 60, 58, 2);
    add(rh, {73, 74}, 64, 60, 4);
    // Strings on the third and the sixth (the seventh where the chord has one): the ballad's sweet
    // interval, an open sixth over the piano's middle; every second bar the lower voice sinks to the
    // root under the held colour, and bows again.
    Track str = chordTrack(Pitches, "Ballad Strings", 49, 2, LayerA, 32);
    str.susVolume = 85;
    add(str, {64, 69}, 74, 0, 16);
    add(str, {60, 69}, 70, 16, 16);
    str.vol = 46;
    s.tracks = {d, b, arp, rh, str};
    return s;
}

Style powerBallad() {
    Style s;
    s.number = 6;
    s.globalVol = 92;
    s.name = "Power Ballad";
    s.bpm = 68;
    s.autoCymbal = 4;
    Track d = drumTrack("Power Ballad Beat", 64);
    d.vol = 100;
    grid(d, 36, "9.........8.7...");
    grid(d, 38, "....x.......x...");
    grid(d, 42, "7.5.7.5.7.5.7.5.");
    tomFill(d, 56, 64, 1);
    Track b = bassTrack("Power Ballad Bass", 34, 16);
    b.vol = 97;
    add(b, 36, 104, 0, 4);
    add(b, 36, 86, 4, 2);
    add(b, 43, 80, 6, 2);
    add(b, 36, 96, 8, 4);
    add(b, 40, 86, 12, 2);
    add(b, 36, 82, 14, 2);
    // Fifth, root and fifth on the guitar above the bass; the piano's eighths an octave higher (the
    // triad with its third on top) over the root low in the left hand; the strings sing the fifth and the
    // sixth or seventh over the choir's triad round middle C.
    Track gt = chordTrack(Pitches, "Power Ballad Guitar", 30, 1, LayerB, 16);
    gt.key = -12;
    gt.vol = 62;
    add(gt, {67, 72, 79}, 100, 0, 8);
    add(gt, {67, 72, 79}, 88, 8, 6);
    add(gt, {67, 72, 79}, 80, 14, 2);
    Track pn = chordTrack(Pitches, "Power Ballad Piano", 0, 1, LayerB, 64);
    pn.vol = 95;
    hits(pn, {64, 67, 72, 76}, "7.5.6.5.7.5.6.5.|7.5.6.5.7...6.5.|7.5.6.5.7.5.6.5.|7.5.6.5.7...7.7.", 1.8);
    for (int half = 0; half < 64; half += 8) add(pn, 36, half % 16 ? 72 : 82, half, 8);
    Track str = pitchPad("Power Ballad Strings", 49, 3, 64, {67, 69}, 80);
    str.vol = 74;
    str.susVolume = 80;
    Track ch = pitchPad("Power Ballad Choir", 52, 4, 64, {60, 64, 67}, 74);
    ch.vol = 88;
    ch.susVolume = 80;
    s.tracks = {d, b, gt, pn, str, ch};
    return s;
}

Style trainBeat() {
    Style s;
    s.number = 13;
    s.globalVol = 91;
    s.name = "Train Beat";
    s.bpm = 112;
    s.autoCymbal = 8;
    Track d = drumTrack("Train Snare Sixteenths", 16);
    grid(d, 36, "9.......8.......");
    grid(d, 38, "3424934234249342");
    grid(d, 44, "....7.......7...");
    // Root and fifth on the quarters; where a change is likely next the bass comes home to the root or
    // the third (the phrase's fourth bar ends on the third, see fourBarPhrase).
    Track b = bassTrack("Train Root Fifth", 32, 64);
    const int secondBeat[4] = {43, 40, 43, 43}, lastBeat[4] = {43, 36, 40, 40};
    for (int bar = 0; bar < 4; ++bar) {
        add(b, 36, 104, 16 * bar, 3);
        add(b, secondBeat[bar], 90, 16 * bar + 4, 3);
        add(b, 36, 96, 16 * bar + 8, 3);
        add(b, lastBeat[bar], 88, 16 * bar + 12, 3);
    }
    // The steel guitar strums the open chord low (root, fifth, root, third, fifth; on the third beat
    // without the root) and chops its top three strings between; the harmonica holds double
    // stops above middle C; the honky-tonk piano answers on the backbeat with third, fifth and sixth
    // (the seventh where the chord has one), the third doubled on top.
    Track g = chordTrack(Pitches, "Train Guitar Chop", 25, 1, LayerB, 16);
    g.key = -12;
    g.vol = 76;
    hits(g, {72, 76, 79}, "..6.9.6...6.9.6.", 0.9);
    add(g, {60, 67, 72, 76, 79}, 76, 0, 0.9);
    add(g, {67, 72, 76, 79}, 72, 8, 0.9);
    Track h = stylegen::pad("Train Harmonica", 22, 4, 32, {1, 0}, 78);
    h.vol = 90;
    Track pn = chordTrack(Pitches, "Train Honky Piano", 3, 1, LayerB, 64);
    pn.vol = 84;
    hits(pn, {64, 67, 69, 76}, "....8.......7...|....8.......7.6.|....8.......7...|....8...7...7.7.", 1.5);
    s.tracks = {d, b, g, h, pn};
    fourBarPhrase(s, 4, false);
    return s;
}

Style bluesShuffle() {
    Style s;
    s.number = 14;
    s.globalVol = 98;
    s.name = "Blues Shuffle";
    s.bpm = 112;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 4;
    Track d = drumTrack("Shuffle Ride Phrase", 48);
    grid(d, 36, "9.....8.....");
    grid(d, 38, "...9.....9..");
    grid(d, 44, "...7.....7..");
    grid(d, 51, "8.58.58.58.5");
    // The fourth bar rolls snare triplets into the toms, growing to the downbeat.
    clearSteps(d, 42, 48, {38, 44, 51});
    add(d, 38, 84, 42, 0.5);
    add(d, 38, 70, 43, 0.5);
    add(d, 38, 92, 44, 0.5);
    add(d, 45, 104, 45, 0.5);
    add(d, 43, 110, 46, 0.5);
    add(d, 41, 118, 47, 0.5);
    add(d, 51, 80, 42, 0.5);
    // The boogie climbs root, third, fifth, each note swung twice: back to the third in the first bar,
    // on to the sixth (the seventh over a seventh chord) in the second, home to the root on its last
    // swung eighth, so the next chord finds it near.
    Track b = bassTrack("Boogie Shuffle Bass", 33, 24);
    const int walk[8] = {36, 40, 43, 40, 36, 40, 43, 45};
    for (int i = 0; i < 8; ++i) {
        add(b, walk[i], i % 4 == 0 ? 104 : 92, 3 * i, 1.8);
        add(b, i == 7 ? 36 : walk[i], 70, 3 * i + 2, 0.9);
    }
    // The guitar's five-six shuffle on the root an octave over the bass (the low root struck with the
    // bar); the piano answers on the off-beats with fifth, sixth (the seventh where the chord has one)
    // and the third on top; the organ holds the triad over middle C.
    Track gt = chordTrack(Pitches, "Shuffle Guitar Five Six", 29, 1, LayerB, 12);
    gt.vol = 74;
    hits(gt, {60, 67}, "7.....7.....", 1.8);
    hits(gt, {60, 67}, "..5.....5...", 0.9);
    hits(gt, {60, 69}, "...7.....7..", 1.8);
    hits(gt, {60, 69}, ".....5.....5", 0.9);
    add(gt, 48, 80, 0, 1.8);
    Track pn = chordTrack(Pitches, "Shuffle Piano Comp", 0, 1, LayerB, 48);
    pn.vol = 76;
    pn.breakLength = 3;
    hits(pn, {67, 69, 76}, "...8.....8..|...8.....8..|...8.....8..|...8..8.8...", 1.5);
    hits(pn, {67, 69, 76}, ".....6.....6|.....6.....6|.....6.....6|............", 0.9);
    Track org = pitchPad("Shuffle Organ Hold", 16, 4, 48, {64, 67, 72}, 80);
    org.vol = 90;
    s.tracks = {d, b, gt, pn, org};
    return s;
}

Style slowBlues() {
    Style s;
    s.number = 15;
    s.globalVol = 96;
    s.name = "Slow Blues 12/8";
    s.bpm = 58;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    Track d = drumTrack("Slow Blues Triplets", 48);
    grid(d, 36, "8....67.....");
    grid(d, 38, "...9.....9..");
    grid(d, 42, "644744644744");
    // The fourth bar's last beat rolls the snare up to the floor tom.
    clearSteps(d, 45, 48, {42, 38});
    add(d, 38, 100, 45, 0.5);
    add(d, 38, 108, 46, 0.5);
    add(d, 38, 118, 47, 0.5);
    add(d, 41, 112, 47, 0.5);
    // Root, third and fifth up the bar, then back to the third (first bar) or on to the sixth, the
    // seventh over a seventh chord, and home to the root on the last triplet (second bar).
    Track b = bassTrack("Slow Blues Bass", 33, 24);
    add(b, 36, 100, 0, 2.5);
    add(b, 40, 86, 3, 2.5);
    add(b, 43, 90, 6, 2.5);
    add(b, 40, 80, 9, 2.5);
    add(b, 36, 98, 12, 2.5);
    add(b, 40, 84, 15, 2.5);
    add(b, 43, 88, 18, 2.5);
    add(b, 45, 80, 21, 1.8);
    add(b, 36, 72, 23, 0.9);
    // Triplets on third, fifth, sixth (the seventh where the chord has one) and the third on top,
    // over the organ's open chord (root, fifth, root, third) in the middle; the guitar answers an octave
    // under the piano.
    Track pn = chordTrack(Pitches, "Slow Blues Piano Triplets", 0, 1, LayerB, 24);
    pn.vol = 72;
    hits(pn, {64, 67, 69, 76}, "745645745645|745645745.76", 0.9);
    Track org = chordTrack(Pitches, "Slow Blues Organ", 16, 3, LayerA, 12);
    org.vol = 90;
    org.key = -12;
    add(org, {60, 67, 72, 76}, 80, 0, 12);
    Track gt = chordTrack(Codes, "Slow Blues Guitar Answer", 27, 2, LayerC, 24, 2);
    gt.vol = 84;
    gt.key = -12;
    add(gt, {72, 73}, 80, 0, 3);
    add(gt, 74, 72, 9, 1);
    add(gt, 75, 76, 10, 1);
    add(gt, 76, 80, 11, 1);
    add(gt, 75, 74, 21, 1);
    add(gt, 74, 70, 22, 1);
    add(gt, 73, 66, 23, 1);
    s.tracks = {d, b, pn, org, gt};
    return s;
}

} // namespace

void addStylesPopRock(std::vector<Style>& out) {
    out.push_back(popStraightEights());
    out.push_back(popSixteens());
    out.push_back(rockSteady());
    out.push_back(rockAnthem());
    out.push_back(pianoBallad());
    out.push_back(powerBallad());
    out.push_back(trainBeat());
    out.push_back(bluesShuffle());
    out.push_back(slowBlues());
}

} // namespace stylegen
