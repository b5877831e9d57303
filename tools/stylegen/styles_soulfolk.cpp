// Funk, disco, soul, reggae, ska, country, gospel and folk: styles 007-012 and 027-030.
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

Style funk() {
    Style s;
    s.number = 7;
    s.globalVol = 106;
    s.name = "Funk Sixteenths";
    s.bpm = 102;
    s.autoCymbal = 8;
    Track d = drumTrack("Funk Ghost Notes Phrase", 64);
    grid(d, 36, "9..7......9..6..|9..7......9.7...");
    grid(d, 38, "....9..3.3..9.3.");
    grid(d, 42, "747474747474747.");
    grid(d, 46, "...............6");
    clearSteps(d, 60, 64);
    add(d, 38, 90, 60, 0.5);
    add(d, 38, 70, 61, 0.5);
    add(d, 47, 104, 62, 0.5);
    add(d, 43, 116, 63, 0.5);
    // Slapped octaves between roots, the second bar running down fifth, third and root into the bar
    // line; each beat a chord may change on is reached from the root, the third or the fifth, so the
    // octaves never leave the bass an octave from a new root.
    Track b = bassTrack("Funk Slap Octaves", 36, 32);
    b.vol = 100;
    const Note slaps[] = {{36, 112, 0, 0.75},  {48, 96, 3, 0.5},   {40, 80, 5, 0.5},  {36, 76, 6, 0.5},
                          {43, 86, 7, 0.5},    {36, 104, 8, 0.75}, {48, 90, 10, 0.5}, {36, 72, 11, 0.5},
                          {40, 86, 13, 0.5},   {43, 82, 14, 0.5},  {40, 68, 15, 0.5}, {36, 110, 16, 0.75},
                          {48, 96, 18, 0.5},   {36, 72, 19, 0.5},  {40, 84, 21, 0.5}, {36, 88, 22, 0.5},
                          {36, 104, 24, 0.75}, {48, 92, 26, 0.5},  {45, 86, 28, 0.5}, {43, 80, 29, 0.5},
                          {40, 78, 30, 0.5},   {36, 82, 31, 0.5}};
    for (const Note& n : slaps) add(b, n.key, n.vel, n.pos, n.len);
    // The guitar scratches the triad's second inversion high over a muted root on the one; the
    // clavinet answers with third, fifth and the sixth (the seventh where the chord has one) under it;
    // the horns hit the triad with its third on top.
    Track g = chordTrack(Pitches, "Funk Scratch Guitar", 28, 1, LayerB, 16);
    g.vol = 84;
    hits(g, {67, 72, 76}, "8.5585.5.85585.5", 0.5);
    add(g, 48, 92, 0, 0.75);
    Track c = chordTrack(Pitches, "Funk Clavinet", 7, 1, LayerB, 32);
    c.vol = 83;
    hits(c, {64, 67, 69}, "...6..6...8..6..|...6..6.5.8...6.", 0.5);
    add(c, {64, 67, 69}, 100, 0, 0.5);
    add(c, {64, 67, 69}, 100, 16, 0.5);
    Track h = chordTrack(Pitches, "Funk Horn Hits", 61, 1, LayerB, 32);
    h.vol = 84;
    h.breakLength = 2;
    h.breakVolume = 120;
    add(h, {64, 67, 72, 76}, 88, 6, 0.5);
    add(h, {64, 67, 72, 76}, 98, 22, 1);
    add(h, {64, 67, 72, 76}, 104, 24, 2);
    s.tracks = {d, b, g, c, h};
    return s;
}

Style disco() {
    Style s;
    s.number = 8;
    s.globalVol = 92;
    s.name = "Disco Floor Filler";
    s.bpm = 120;
    s.autoCymbal = 8;
    Track d = drumTrack("Disco Open Hats Phrase", 64);
    d.vol = 88;
    grid(d, 36, "9...9...9...9...");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "6..56..56..56..5");
    grid(d, 46, "..8...8...8...8.");
    grid(d, 54, "....7.......7...");
    clearSteps(d, 56, 64, {38, 42, 46, 54});
    for (int i = 56; i < 64; ++i) add(d, 38, 70 + 6 * (i - 56), i, 0.5);
    // Roots on the beats, octaves on the off-beats; the off-beat before a likely change drops to the
    // fifth, or the third or root, so the new root is never an octave and more away.
    Track b = bassTrack("Disco Octave Bass", 33, 64);
    b.vol = 99;
    hits(b, {36}, "9...8...9...8...", 0.75);
    const int pickups[4][2] = {{48, 43}, {43, 36}, {43, 43}, {48, 40}};
    for (int bar = 0; bar < 4; ++bar)
        for (int off = 2; off < 16; off += 4) {
            const int key = off == 6 ? pickups[bar][0] : off == 14 ? pickups[bar][1] : 48;
            add(b, key, key == 48 ? 88 : 84, 16 * bar + off, 0.75);
        }
    // A double stop high on the guitar, the piano's off-beat triad round middle C over the root on the
    // one, strings on the root and the sixth (the seventh where the chord has one), brass on the triad.
    Track g = chordTrack(Pitches, "Disco Chicken Scratch", 27, 1, LayerB, 16);
    g.vol = 73;
    hits(g, {72, 76}, "..6.7.6...6.7.6.", 0.5);
    Track ep = chordTrack(Pitches, "Disco Piano Offbeats", 4, 1, LayerB, 16);
    ep.vol = 73;
    hits(ep, {60, 64, 67}, "..8...7...8...7.", 1);
    add(ep, {48, 60, 64, 67}, 76, 0, 1);
    Track str = pitchPad("Disco Strings", 49, 4, 64, {60, 69}, 72);
    str.vol = 81;
    str.susVolume = 90;
    Track br = chordTrack(Pitches, "Disco Brass Kicks", 61, 1, LayerB, 64);
    br.vol = 100;
    br.breakVolume = 115;
    add(br, {64, 67, 72, 76}, 100, 28, 1);
    add(br, {64, 67, 72, 76}, 110, 30, 2);
    add(br, {64, 67, 72, 76}, 100, 60, 1);
    add(br, {64, 67, 72, 76}, 104, 62, 1);
    s.tracks = {d, b, g, ep, str, br};
    return s;
}

Style soul() {
    Style s;
    s.number = 9;
    s.globalVol = 89;
    s.name = "Soul R&B Groove";
    s.bpm = 92;
    s.autoCymbal = 4;
    Track d = drumTrack("Soul Backbeat Phrase", 64);
    grid(d, 36, "9.....6...8.....|9.....6...8...6.");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "7.5.7.5.7.5.7.5.");
    grid(d, 54, "..5...5...5...5.");
    tomFill(d, 60, 64, 1);
    // A melodic line over four bars: the root, a pickup through third and fifth into beat three, then
    // the octave, the sixth (the seventh over a seventh chord) or the root; each bar line is reached
    // from the fifth, the root or the third, whichever keeps the next root within reach.
    Track b = bassTrack("Soul Melodic Bass", 33, 64);
    const int line[4][5] = {
        {48, 43, 40, 43, 0}, {36, 40, 43, 36, 0}, {45, 43, 40, 36, 0}, {36, 40, 43, 40, 0}};
    for (int bar = 0; bar < 4; ++bar) {
        const int at = 16 * bar;
        add(b, 36, 104, at, 2.5);
        add(b, 40, 80, at + 6, 1);
        add(b, 43, 86, at + 7, 1);
        add(b, line[bar][0], 94, at + 8, 2);
        add(b, line[bar][1], 80, at + 10, 1);
        add(b, line[bar][2], 90, at + 12, 2);
        add(b, line[bar][3], 80, at + 14, 1);
    }
    // The electric piano's sixths without the root (fifth, sixth or seventh, third, fifth on top; or
    // fifth, sixth and the ninth) high over the tenors' open triad; the strings hold the triad and its
    // octave between them.
    Track ep = chordTrack(Pitches, "Soul Electric Piano Sixths", 4, 1, LayerB, 32);
    ep.vol = 70;
    add(ep, {67, 69, 76, 79}, 92, 0, 3);
    add(ep, {67, 69, 76}, 76, 6, 1.5);
    add(ep, {67, 69, 76, 79}, 86, 8, 3);
    add(ep, {67, 69, 74}, 72, 14, 2);
    add(ep, {67, 69, 76, 79}, 92, 16, 2);
    add(ep, {67, 69, 76}, 80, 19, 1.5);
    add(ep, {67, 69, 76}, 76, 22, 1.5);
    add(ep, {67, 69, 76, 79}, 86, 26, 3);
    // Tenor saxes: a sustain on this part turns into a short, punchy break.
    Track sax = chordTrack(Pitches, "Soul Tenor Section", 66, 1, LayerB, 32);
    sax.key = -12;
    sax.vol = 93;
    sax.breakLength = 6;
    sax.breakVolume = 115;
    add(sax, {67, 72, 76}, 94, 12, 1);
    add(sax, {67, 72, 76}, 102, 14, 2);
    add(sax, {67, 72, 76}, 90, 28, 1);
    add(sax, {67, 72, 76}, 100, 30, 2);
    // The strings alone (layer B off) still give a chord its third.
    Track str = pitchPad("Soul Strings", 49, 3, 64, {60, 64, 67, 72}, 76);
    str.vol = 75;
    str.susVolume = 80;
    s.tracks = {d, b, ep, sax, str};
    return s;
}

Style reggae() {
    Style s;
    s.number = 10;
    s.globalVol = 128;
    s.name = "Reggae One Drop";
    s.bpm = 76;
    s.autoCymbal = 8;
    Track d = drumTrack("One Drop Phrase", 64);
    d.vol = 100;
    grid(d, 36, "........9.......");
    grid(d, 37, "........8.......");
    grid(d, 42, "5.6.5.6.5.6.5.6.");
    clearSteps(d, 60, 64, {42});
    add(d, 37, 70, 61, 0.5);
    add(d, 45, 86, 62, 0.5);
    add(d, 41, 94, 63, 0.5);
    // The bass leaves the downbeat open after the first bar: a chord change there still gets its root.
    // The octave and the sixth (the seventh over a seventh chord) sit inside the bar; a likely change
    // is met from the root or the fifth.
    Track b = bassTrack("One Drop Bass", 33, 32);
    b.vol = 82;
    add(b, 36, 100, 0, 2.5);
    add(b, 36, 80, 3, 1);
    add(b, 43, 90, 6, 1.5);
    add(b, 48, 86, 8, 1.5);
    add(b, 43, 80, 10, 1);
    add(b, 36, 92, 12, 1.5);
    add(b, 43, 76, 14, 1);
    add(b, 43, 88, 18, 1.5);
    add(b, 40, 84, 20, 1);
    add(b, 36, 92, 24, 1.5);
    add(b, 45, 80, 26, 1);
    add(b, 43, 84, 28, 1.5);
    add(b, 36, 78, 30, 1);
    // The guitar skanks the triad high, the piano the open triad under middle C; the organ bubbles on
    // third, fifth and sixth (the seventh where the chord has one) between them, with a pushed answer
    // in the fourth bar.
    Track g = chordTrack(Pitches, "Reggae Skank", 27, 1, LayerB, 16);
    g.vol = 50;
    hits(g, {72, 76, 79}, "....9.......8...", 0.75);
    Track org = chordTrack(Pitches, "Reggae Organ Bubble", 16, 1, LayerB, 64);
    org.vol = 76;
    hits(org, {64, 67, 69}, "..4...76..4...76|..4...76..4...76|..4...76..4...76|..4...76..4.6.7.", 0.5);
    Track pn = chordTrack(Pitches, "Reggae Piano Skank", 0, 1, LayerB, 16);
    pn.key = -12;
    pn.vol = 83;
    hits(pn, {67, 72, 76}, "....8.......7...", 0.5);
    s.tracks = {d, b, g, pn, org};
    return s;
}

Style ska() {
    Style s;
    s.number = 11;
    s.globalVol = 101;
    s.name = "Ska Upbeat";
    s.bpm = 152;
    s.autoCymbal = 8;
    Track d = drumTrack("Ska Rim Drive", 64);
    d.vol = 94;
    grid(d, 36, "9...9...9...9...");
    grid(d, 37, "....9.......9...");
    grid(d, 42, "..7...7...7...7.");
    clearSteps(d, 56, 64, {37, 42});
    add(d, 38, 80, 56, 0.5);
    add(d, 38, 90, 58, 0.5);
    add(d, 50, 96, 60, 0.5);
    add(d, 45, 100, 62, 0.5);
    // Walking quarters up the chord, back to the third in the first bar, down to the root on the last
    // beat of the second: a change on either bar line finds the bass near the new root.
    Track b = bassTrack("Ska Quarter Bass", 33, 32);
    b.vol = 94;
    const int walk[8] = {36, 40, 43, 40, 36, 40, 43, 36};
    for (int i = 0; i < 8; ++i) add(b, walk[i], i % 4 == 0 ? 100 : (i % 2 ? 86 : 92), 4 * i, 3.5);
    // The guitar's upstrokes on the triad high over a muted root on the one; the organ's off-beats on
    // third, fifth and the sixth (the seventh where the chord has one) under them; the horns' triad.
    Track g = chordTrack(Pitches, "Ska Guitar Upstrokes", 27, 1, LayerB, 16);
    g.vol = 54;
    hits(g, {67, 72, 76}, "..9...8...9...8.", 0.75);
    add(g, 48, 76, 0, 0.75);
    Track org = chordTrack(Pitches, "Ska Organ Offbeats", 16, 1, LayerB, 16);
    org.vol = 82;
    hits(org, {64, 67, 69}, "..7...6...7...6.", 1);
    Track br = chordTrack(Pitches, "Ska Horn Line", 61, 1, LayerB, 32);
    br.vol = 98;
    br.breakLength = 2;
    add(br, {64, 67, 72}, 100, 0, 2);
    add(br, {64, 67, 72}, 90, 20, 1);
    add(br, {64, 67, 72}, 100, 22, 2);
    s.tracks = {d, b, g, org, br};
    return s;
}

Style countryTwoStep() {
    Style s;
    s.number = 12;
    s.globalVol = 100;
    s.name = "Country 2-Step";
    s.bpm = 112;
    s.autoCymbal = 8;
    Track d = drumTrack("Two-Step Beat", 16);
    grid(d, 36, "9.......8.......");
    grid(d, 38, "....8.......8...");
    grid(d, 42, "6.4.6.4.6.4.6.4.");
    // Root and fifth on one and three, a step up the chord at the end of the first bar and down to the
    // root at the end of the second, so the bar lines meet the bass near the new root.
    Track b = bassTrack("Two-Step Bass", 32, 32);
    add(b, 36, 100, 0, 3.5);
    add(b, 43, 94, 8, 3.5);
    add(b, 40, 80, 12, 1.5);
    add(b, 43, 80, 14, 1.5);
    add(b, 36, 98, 16, 3.5);
    add(b, 43, 92, 24, 3.5);
    add(b, 40, 84, 28, 1.5);
    add(b, 36, 80, 30, 1.5);
    // Boom-chick on the steel-string guitar: root and fifth alone, the open chord (fifth, root, third,
    // fifth) on the off-beats, with a strummed push into the fourth bar. The piano answers with third,
    // fifth and sixth, the third on top; the banjo rolls the chord above them.
    Track g = chordTrack(Pitches, "Two-Step Steel Strum", 25, 1, LayerB, 64);
    g.key = -12;
    g.vol = 72;
    for (int bar = 0; bar < 64; bar += 16) {
        add(g, 60, 90, bar, 1.5);
        if (bar < 48) add(g, 67, 84, bar + 8, 1.5);
    }
    hits(g, {67, 72, 76, 79}, "....9.......9...|....9.......9...|....9.......9.7.|....9...9...9...", 1.5);
    hits(g, {72, 76, 79}, "......7.......7.|......7.......7.|......7.........|......7...7...7.", 1);
    Track pn = chordTrack(Pitches, "Two-Step Honky Piano", 3, 1, LayerB, 16);
    pn.vol = 80;
    hits(pn, {64, 67, 69, 76}, "....8.......7...", 2);
    Track bj = chordTrack(Codes, "Two-Step Banjo Roll", 105, 2, LayerC, 16, 2);
    bj.vol = 93;
    add(bj, {73, 75}, 84, 0, 2);
    add(bj, 74, 70, 2, 2);
    add(bj, 76, 76, 4, 2);
    add(bj, 75, 70, 6, 2);
    add(bj, 74, 80, 8, 2);
    add(bj, 76, 70, 10, 2);
    add(bj, 75, 76, 12, 2);
    add(bj, 74, 68, 14, 2);
    s.tracks = {d, b, g, pn, bj};
    fourBarPhrase(s, 4, false);
    return s;
}

Style gospel128() {
    Style s;
    s.number = 27;
    s.globalVol = 100;
    s.name = "Gospel 12/8";
    s.bpm = 66;
    s.stepsPerBeat = 6;
    s.stepsPerBar = 24;
    s.autoCymbal = 4;
    Track d = drumTrack("Gospel Triplet Beat", 96);
    grid(d, 36, "9.........8.9...........");
    grid(d, 38, "......9...........9.....");
    grid(d, 42, "7.4.4.7.4.4.7.4.4.7.4.4.");
    grid(d, 54, "......7.5.5.......7.5.5.");
    tomFill(d, 84, 96, 2);
    // Root, a triplet pickup through the fifth into beat three, fifth and third (first bar) or third,
    // fifth, sixth and root (second bar): a likely change is met from the third, the fifth or the
    // root, so it finds the bass near the new root.
    Track b = bassTrack("Gospel Triplet Bass", 33, 48);
    add(b, 36, 100, 0, 5);
    add(b, 43, 80, 10, 2);
    add(b, 36, 96, 12, 4);
    add(b, 43, 80, 16, 2);
    add(b, 40, 90, 18, 4);
    add(b, 43, 76, 22, 2);
    add(b, 36, 100, 24, 5);
    add(b, 40, 84, 30, 4);
    add(b, 43, 84, 36, 4);
    add(b, 45, 82, 42, 2);
    add(b, 36, 80, 46, 2);
    // The piano rolls triplets on fifth, sixth (the seventh where the chord has one), third and fifth,
    // and lifts into the second bar's last beat; the organ swells on the chord's three voices up to
    // G4, the choir sings the open triad below it.
    Track pn = chordTrack(Pitches, "Gospel Piano Triplets", 0, 1, LayerB, 48);
    pn.vol = 72;
    hits(pn, {67, 69, 76, 79}, "8.5.5.7.5.5.8.5.5.7.5.5.|8.5.5.7.5.5.8.5.5.8...8.", 1.8);
    Track org = stylegen::pad("Gospel Organ Swell", 16, 3, 24, {2, 1, 0}, 82);
    org.vol = 62;
    org.susVolume = 100;
    Track ch = pitchPad("Gospel Choir", 52, 4, 96, {67, 72, 76}, 78);
    ch.key = -12;
    ch.vol = 66;
    ch.susVolume = 80;
    s.tracks = {d, b, pn, org, ch};
    return s;
}

Style gospelOrgan() {
    Style s;
    s.number = 28;
    s.globalVol = 89;
    s.name = "Gospel Organ";
    s.bpm = 112;
    s.autoCymbal = 4;
    Track d = drumTrack("Gospel Claps", 16);
    grid(d, 36, "9..7..8...9..6..");
    grid(d, 39, "....9.......9...");
    grid(d, 42, "7.5.7.5.7.5.7.5.");
    grid(d, 54, "..6...6...6...6.");
    // Root, third and fifth up into beat three, then the run back down through fifth and third to the
    // root before the bar line (the fourth bar ends on the third, see fourBarPhrase).
    Track b = bassTrack("Gospel Runs", 33, 16);
    add(b, 36, 104, 0, 1.5);
    add(b, 36, 80, 3, 0.5);
    add(b, 40, 86, 4, 1);
    add(b, 43, 90, 6, 1);
    add(b, 36, 94, 8, 1.5);
    add(b, 40, 80, 10, 0.5);
    add(b, 43, 84, 11, 0.5);
    add(b, 40, 86, 12, 1);
    add(b, 36, 80, 14, 1);
    // The organ stabs fifth, sixth (the seventh where the chord has one), third and fifth high;
    // a second organ holds the chord's four voices up to G4; the piano answers on the off-beats with
    // the chord's three voices up to G4 over the root struck low on the one.
    Track org = chordTrack(Pitches, "Gospel Organ Stabs", 16, 1, LayerB, 64);
    org.vol = 80;
    hits(org, {67, 69, 76, 79}, "9.6...8.9..7..8.|9.6...8.9..7....|9.6...8.9..7..8.|9.6.8.6.9.8.9.8.", 0.8);
    Track hold = stylegen::pad("Gospel Organ Hold", 17, 4, 64, {3, 2, 1, 0}, 74);
    hold.vol = 74;
    // Voices 4..6 of strum height 7: a close triad topped by the lowest chord tone from F#4 up.
    Track pn = chordTrack(Codes, "Gospel Piano Answers", 1, 2, LayerC, 16, 7);
    pn.vol = 72;
    add(pn, {48, 76, 77, 78}, 82, 0, 1);
    hits(pn, {76, 77, 78}, "..7...7...7...7.", 0.8);
    s.tracks = {d, b, org, hold, pn};
    fourBarPhrase(s, 4, true);
    return s;
}

Style folkStrum() {
    Style s;
    s.number = 29;
    s.globalVol = 110;
    s.name = "Folk Strum";
    s.bpm = 100;
    Track d = drumTrack("Folk Shaker", 16);
    d.vol = 94;
    grid(d, 36, "8.......7.......");
    grid(d, 54, "....7.......7...");
    grid(d, 70, "6.4.6.4.6.4.6.4.");
    Track b = bassTrack("Folk Root Fifth", 32, 16);
    b.vol = 94;
    add(b, 36, 98, 0, 3.5);
    add(b, 43, 90, 8, 3.5);
    add(b, 36, 84, 12, 3.5);
    // Down-up strumming of the open chord (root on the one, then fifth, root, third and fifth, the
    // up-strokes on the top three strings) that changes its pattern every bar, and stops short in the
    // fourth.
    Track g = chordTrack(Pitches, "Folk Down Up Strum", 25, 2, LayerB, 64);
    g.key = -12;
    g.vol = 67;
    for (int bar = 0; bar < 64; bar += 16) add(g, {60, 67, 72, 76, 79}, 96, bar, 2);
    hits(g, {67, 72, 76, 79}, "....8.......8...|....8...8.......|....8.......8...|....8...9.......", 2);
    hits(g, {72, 76, 79}, "......6...7...6.|......6.....7.6.|......6...7...6.|..........6.6.6.", 1);
    Track n = chordTrack(Codes, "Folk Nylon Picking", 24, 2, LayerC, 16, 3);
    n.vol = 98;
    add(n, {72, 74}, 80, 0, 2);
    add(n, 73, 66, 2, 2);
    add(n, 75, 72, 4, 2);
    add(n, 74, 66, 6, 2);
    add(n, 73, 74, 8, 2);
    add(n, 75, 66, 10, 2);
    add(n, 76, 70, 12, 2);
    add(n, 77, 64, 14, 2);
    // The strings hold root and third round middle C.
    Track pad = pitchPad("Folk String Bed", 49, 4, 64, {60, 64}, 70);
    pad.vol = 81;
    s.tracks = {d, b, g, n, pad};
    fourBarPhrase(s, 4, false);
    return s;
}

Style fingerpicking() {
    Style s;
    s.number = 30;
    s.globalVol = 133;
    s.name = "Fingerpicking";
    s.bpm = 92;
    Track d = drumTrack("Fingerpicking Brush Time", 64);
    grid(d, 36, "7.......6.......");
    grid(d, 37, "....6.......6...|....6.......6...|....6.......6...|....6...5...6.5.");
    grid(d, 70, "..4...4...4...4.");
    Track b = bassTrack("Fingerpicking Upright", 32, 16);
    b.vol = 81;
    add(b, 36, 92, 0, 7.5);
    add(b, 36, 80, 8, 7.5);
    // Travis picking: the thumb alternates root and fifth over the upright's roots, the fingers pick
    // the voicing's top; the fourth bar rolls the chord instead.
    Track g = chordTrack(Codes, "Alternating Thumb Pattern", 25, 1, LayerB, 64, 4);
    g.vol = 75;
    add(g, 48, 96, 0, 2);
    add(g, 75, 70, 0, 2);
    add(g, 77, 80, 0, 2);
    add(g, 75, 70, 2, 2);
    add(g, 55, 84, 4, 2);
    add(g, 76, 72, 6, 2);
    add(g, 48, 90, 8, 2);
    add(g, 77, 74, 10, 2);
    add(g, 55, 84, 12, 2);
    add(g, 75, 66, 14, 2);
    add(g, 48, 94, 16, 2);
    add(g, 76, 78, 16, 2);
    add(g, 77, 70, 18, 2);
    add(g, 52, 84, 20, 2);
    add(g, 75, 72, 22, 2);
    add(g, 48, 90, 24, 2);
    add(g, 76, 74, 26, 2);
    add(g, 55, 84, 28, 2);
    add(g, 74, 66, 30, 2);
    add(g, 48, 96, 32, 2);
    add(g, {75, 77}, 80, 32, 2);
    add(g, 76, 70, 35, 2);
    add(g, 55, 84, 36, 2);
    add(g, 75, 72, 38, 2);
    add(g, 48, 90, 40, 2);
    add(g, 78, 74, 42, 2);
    add(g, 55, 84, 44, 2);
    add(g, 76, 66, 46, 2);
    add(g, 48, 94, 48, 4);
    add(g, 73, 70, 49, 3);
    add(g, 74, 72, 50, 2);
    add(g, 75, 74, 51, 1);
    add(g, 76, 78, 52, 4);
    add(g, 52, 84, 56, 2);
    add(g, 78, 72, 56, 2);
    add(g, 55, 80, 58, 2);
    add(g, 76, 70, 60, 2);
    add(g, 75, 66, 62, 2);
    // A second guitar strums the triad softly round middle C at each change and lets it ring.
    Track st = chordTrack(Pitches, "Fingerpicking Soft Strum", 25, 4, LayerC, 64);
    add(st, {72, 76, 79}, 68, 0, 64);
    st.key = -12;
    st.vol = 80;
    st.susVolume = 90;
    s.tracks = {d, b, g, st};
    return s;
}

} // namespace

void addStylesSoulFolk(std::vector<Style>& out) {
    out.push_back(funk());
    out.push_back(disco());
    out.push_back(soul());
    out.push_back(reggae());
    out.push_back(ska());
    out.push_back(countryTwoStep());
    out.push_back(gospel128());
    out.push_back(gospelOrgan());
    out.push_back(folkStrum());
    out.push_back(fingerpicking());
}

} // namespace stylegen
