// Jazz and Latin styles: swing, jazz ballad, jazz waltz, bossa nova, samba, salsa, cha-cha and tango
// (styles 016-023).
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

Style swing() {
    Style s;
    s.number = 16;
    s.globalVol = 106;
    s.name = "Medium Swing";
    s.bpm = 150;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    s.autoCymbal = 0;
    Track d = drumTrack("Swing Ride Comping Phrase", 48);
    grid(d, 35, "2..2..2..2..");
    grid(d, 38, "........4...|.....5......|..4.....4...|.....5..6.78");
    grid(d, 44, "...7.....7..");
    grid(d, 51, "7..8.57..8.5");
    // Eight bars of walking: up the scale from the root in the first bar, down through the chord in
    // the second; beats one and three on chord tones, two and four passing or approaching, and the
    // note before a change a half step (the third, the seventh, the fifth of a half-diminished chord)
    // or a step from the next root wherever the chord tones allow it.
    Track b = bassTrack("Walking Bass Eight Bars", 32, 96);
    walkingLine(b, 3,
                {{36, 38, 40, 43},
                 {48, 52, 48, 45},
                 {48, 45, 48, 52},
                 {48, 50, 48, 45},
                 {48, 50, 52, 48},
                 {48, 52, 48, 45},
                 {48, 52, 48, 45},
                 {48, 55, 48, 40}});
    // The piano answers the guitar above it: a low root with the seventh, third and fifth on top on the
    // Charleston, the upper three alone on its push.
    Track pn = chordTrack(Pitches, "Swing Piano Charleston", 0, 1, LayerB, 24);
    pn.vol = 80;
    pn.breakLength = 2;
    pn.breakVolume = 120;
    add(pn, {48, 69, 76, 79}, 88, 0, 2);
    add(pn, {69, 76, 79}, 76, 5, 1);
    add(pn, {48, 69, 76, 79}, 80, 14, 1.5);
    add(pn, {67, 72, 76}, 84, 20, 2);
    // Four to the bar on the guitar: a close chord with the seventh (or sixth) on top, short.
    Track g = chordTrack(Pitches, "Swing Guitar Quarters", 26, 1, LayerB, 12);
    g.vol = 50;
    hits(g, {60, 64, 67, 69}, "7..5..6..5..", 1.5);
    s.tracks = {d, b, pn, g};
    return s;
}

Style jazzBallad() {
    Style s;
    s.number = 17;
    s.globalVol = 159;
    s.name = "Jazz Ballad";
    s.bpm = 64;
    Track d = drumTrack("Ballad Brushes", 16);
    grid(d, 36, "6.........4.....");
    grid(d, 38, "3.3.5.3.3.3.5.3.");
    grid(d, 44, "....6.......6...");
    // A four-bar phrase: the brushes swell through the last beat into a tom under the next downbeat.
    loopTo(d, 64);
    clearSteps(d, 60, 64, {38, 44});
    add(d, 38, 66, 60, 0.5);
    add(d, 38, 74, 61, 0.5);
    add(d, 38, 82, 62, 0.5);
    add(d, 45, 90, 63, 0.5);
    // The two feel: the root, the fifth below on three and the third below on four, in the lowest
    // octave of the bass; the fourth bar leans into the next phrase from the fifth.
    Track b = bassTrack("Ballad Two Feel", 32, 64);
    b.vol = 66;
    b.key = -12;
    for (int bar = 0; bar < 64; bar += 16) {
        add(b, 48, 92, bar, 7.5);
        add(b, 43, 84, bar + 8, bar < 48 ? 3.5 : 7.5);
        if (bar < 48) add(b, 40, 80, bar + 12, 3.5);
    }
    // The piano's left hand: the root under a shell of root, third and seventh (or sixth), then third,
    // seventh and the ninth on top; it lays back in the second bar.
    Track pn = chordTrack(Pitches, "Ballad Piano Voicings", 0, 1, LayerB, 32);
    pn.vol = 66;
    add(pn, {48, 60, 64, 69}, 78, 0, 6);
    add(pn, {60, 64, 69}, 58, 6, 2);
    add(pn, {64, 69, 74}, 70, 8, 8);
    add(pn, {48, 60, 64, 69}, 76, 16, 7);
    add(pn, {64, 69, 74}, 62, 26, 2);
    add(pn, {60, 64, 67}, 66, 28, 4);
    // The vibes above the piano, rolling up the chord from F#4.
    Track v = chordTrack(Codes, "Ballad Vibes", 11, 2, LayerC, 16, 1);
    v.vol = 73;
    add(v, {72, 73}, 70, 0, 2);
    add(v, 74, 62, 2, 2);
    add(v, 75, 66, 4, 4);
    add(v, 74, 60, 10, 2);
    add(v, 73, 58, 12, 4);
    Track str = chordTrack(Pitches, "Ballad Strings Sixth", 49, 4, LayerA, 64);
    str.vol = 38;
    str.susVolume = 75;
    add(str, {60, 64, 67, 69}, 78, 0, 64);
    s.tracks = {d, b, pn, v, str};
    return s;
}

Style jazzWaltz() {
    Style s;
    s.number = 18;
    s.globalVol = 108;
    s.name = "Jazz Waltz";
    s.bpm = 138;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 9;
    Track d = drumTrack("Jazz Waltz Ride Phrase", 36);
    d.vol = 100;
    grid(d, 35, "6........");
    grid(d, 38, ".........|.4.....4.|.........|.4..5.67.");
    grid(d, 44, "...6.....");
    grid(d, 51, "9..6.46.4");
    // Eight bars of walking in three: a chord tone or a step on two, the third beat a half step or a
    // step from the next root where it can be, and a bar down to the low register in the middle.
    Track b = bassTrack("Jazz Waltz Walk", 32, 72);
    walkingLine(b, 3,
                {{48, 41, 43},
                 {48, 52, 48},
                 {48, 52, 50},
                 {48, 47, 45},
                 {48, 38, 36},
                 {36, 40, 36},
                 {36, 43, 45},
                 {48, 45, 54}});
    // The piano above the guitar: a low root under the seventh, third and fifth on the downbeat, the
    // shell and its ninth on the "and" of two, the chord spread in the second bar.
    Track pn = chordTrack(Pitches, "Jazz Waltz Piano", 0, 1, LayerB, 18);
    pn.vol = 76;
    add(pn, {48, 69, 76, 79}, 86, 0, 2);
    add(pn, {69, 74}, 72, 5, 1);
    add(pn, {48, 67, 72, 76}, 78, 11, 1.5);
    add(pn, {69, 76, 79}, 80, 15, 2);
    // The guitar on two and three, a close chord with the seventh (or sixth) on top.
    Track g = chordTrack(Pitches, "Jazz Waltz Guitar", 26, 2, LayerB, 18);
    g.vol = 62;
    hits(g, {60, 64, 67, 69}, "...6..5.....6..5..", 1.5);
    s.tracks = {d, b, pn, g};
    return s;
}

// The bossa's kick is its bass: root and fifth on one, the "and" of two, three and the "and" of four.
Style bossa() {
    Style s;
    s.number = 19;
    s.globalVol = 97;
    s.name = "Bossa Nova Soft";
    s.bpm = 128;
    Track d = drumTrack("Bossa Rim And Kick Phrase", 64);
    grid(d, 36, "8.....6.8.....6.");
    grid(d, 37, "9.....8.....8...|....8.....8.....");
    grid(d, 42, "4.3.4.3.4.3.4.3.");
    // The phrase ends with rim clicks that grow into the next downbeat.
    clearSteps(d, 56, 64, {37});
    add(d, 37, 84, 56, 0.5);
    add(d, 37, 92, 59, 0.5);
    add(d, 37, 108, 62, 0.5);
    // Root on one with the fifth below pushed on the "and" of two and held over three, the fifth again
    // on the "and" of four: the whole line within the lowest octave of the bass, so that every next
    // root lies less than an octave away.
    Track b = bassTrack("Bossa Root Fifth", 32, 32);
    b.key = -12;
    add(b, 48, 98, 0, 5.5);
    add(b, 43, 80, 6, 1.5);
    add(b, 43, 92, 8, 5.5);
    add(b, 43, 76, 14, 1.5);
    add(b, 48, 96, 16, 5.5);
    add(b, 43, 80, 22, 1.5);
    add(b, 43, 90, 24, 5.5);
    add(b, 43, 76, 30, 1.5);
    // The nylon guitar: the thumb on the root and fifth, the fingers on the close triad above it, all
    // in the guitar's own octave.
    Track g = chordTrack(Pitches, "Bossa Nylon Comp", 24, 1, LayerB, 32);
    g.vol = 67;
    add(g, 48, 90, 0, 3.5);
    add(g, 55, 84, 8, 3.5);
    add(g, 48, 88, 16, 3.5);
    add(g, 55, 84, 24, 3.5);
    hits(g, {60, 64, 67}, "8..6..7...6.7...|..7...8.6.7.6...", 1.5);
    // The strings hold two voices under the electric piano's colours, each moving to the nearest tone
    // of the next chord, the way a string section leads its inner voices.
    Track pad = ::stylegen::pad("Bossa String Pad", 49, 4, 64, {1, 2}, 66);
    pad.vol = 80;
    // The electric piano voices the third, fifth, sixth or seventh and the ninth: no root, so that a
    // suspended chord stays suspended.
    Track ep = chordTrack(Pitches, "Bossa Electric Piano", 4, 1, LayerB, 64);
    ep.vol = 78;
    add(ep, {64, 67, 69, 74}, 66, 2, 1.5);
    add(ep, {69, 76, 79}, 70, 10, 3);
    add(ep, {64, 67, 69, 74}, 66, 22, 1.5);
    add(ep, {69, 76, 79}, 70, 28, 3);
    add(ep, {64, 67, 69, 74}, 66, 34, 1.5);
    add(ep, {69, 76, 79}, 70, 42, 3);
    add(ep, {64, 69, 74}, 70, 54, 1.5);
    add(ep, {67, 69, 76, 79}, 74, 58, 3);
    s.tracks = {d, b, g, pad, ep};
    return s;
}

Style samba() {
    Style s;
    s.number = 20;
    s.globalVol = 92;
    s.name = "Samba Carnival";
    s.bpm = 100;
    s.autoCymbal = 8;
    Track d = drumTrack("Samba Batucada Phrase", 64);
    grid(d, 36, "6...9...6...9...");
    grid(d, 38, "3.4.3.43.4.3.43.");
    grid(d, 41, "....8.......8...");
    grid(d, 67, "8.8.....8.8.....");
    grid(d, 68, "....7.7.....7.7.");
    grid(d, 70, "3335333533353335");
    clearSteps(d, 56, 64, {38});
    for (int i = 56; i < 64; ++i) add(d, 38, 60 + 7 * (i - 56), i, 0.5);
    // The surdo's bass: the root, a pickup on the third and the fifth below on the strong second beat,
    // all in the lowest octave of the bass.
    Track b = bassTrack("Samba Surdo Bass", 33, 16);
    b.key = -12;
    add(b, 48, 100, 0, 2.5);
    add(b, 52, 66, 3, 0.5);
    add(b, 43, 96, 4, 3);
    add(b, 48, 90, 8, 2.5);
    add(b, 52, 64, 11, 0.5);
    add(b, 43, 96, 12, 3);
    // The guitar's partido alto: the thumb on the root, close triads on the syncopations.
    Track g = chordTrack(Pitches, "Samba Guitar Syncopation", 25, 1, LayerB, 32);
    g.vol = 74;
    hits(g, {60, 64, 67}, "8..6..7.8..6..7.|..7.8..7..6.8.7.", 0.75);
    add(g, 48, 84, 0, 1.5);
    add(g, 48, 80, 16, 1.5);
    // The piano above the guitar, without the root: the sixth or seventh with the third and fifth,
    // the third with the colour and the ninth.
    Track pn = chordTrack(Pitches, "Samba Piano", 1, 1, LayerB, 32);
    pn.vol = 92;
    hits(pn, {69, 76, 79}, "..7.......7.....|..7........7....", 0.75);
    hits(pn, {64, 69, 74}, "......7......6..|......7.......6.", 0.75);
    // The brass section hits a close triad with the root on top.
    Track br = chordTrack(Pitches, "Samba Brass Hits", 61, 1, LayerB, 64);
    br.vol = 98;
    add(br, {64, 67, 72}, 96, 28, 1);
    add(br, {64, 67, 72}, 104, 30, 2);
    add(br, {64, 67, 72}, 92, 56, 1);
    add(br, {64, 67, 72}, 96, 58, 1);
    add(br, {64, 67, 72}, 108, 60, 3);
    s.tracks = {d, b, g, pn, br};
    return s;
}

Style salsa() {
    Style s;
    s.number = 21;
    s.globalVol = 113;
    s.name = "Salsa Montuno";
    s.bpm = 184;
    s.stepsPerBeat = 2;
    s.stepsPerBar = 8;
    s.autoCymbal = 8;
    Track d = drumTrack("Salsa Two Three Clave", 32);
    d.vol = 80;
    grid(d, 35, "........|...7....");
    grid(d, 56, "8.6.8.6.");
    grid(d, 62, "6...6...");
    grid(d, 63, "......78");
    grid(d, 73, "..55..55");
    grid(d, 74, "7...7...");
    grid(d, 75, "..9.9...|9..9..9.");
    clearSteps(d, 28, 32, {62, 63});
    add(d, 62, 90, 28, 0.5);
    add(d, 63, 96, 29, 0.5);
    add(d, 63, 100, 30, 0.5);
    add(d, 64, 104, 31, 0.5);
    // The tumbao: the fifth below on the "and" of two, the root on four held over the bar line, so
    // that a bar that keeps its chord begins on the anticipated root (a new chord brings its own
    // root); all in the lowest octave of the bass.
    Track b = bassTrack("Salsa Tumbao", 32, 16);
    b.vol = 84;
    b.key = -12;
    add(b, 48, 92, 0, 2.5);
    add(b, 43, 100, 3, 3);
    add(b, 48, 96, 6, 4.5);
    add(b, 43, 100, 11, 3);
    add(b, 48, 96, 14, 2);
    // The montuno: broken octaves over the chord's own tones, every beat holding a full triad.
    Track pn = chordTrack(Pitches, "Salsa Piano Montuno", 0, 1, LayerB, 16);
    pn.vol = 89;
    add(pn, {48, 60, 64, 72}, 90, 0, 0.8);
    add(pn, {67, 79}, 70, 1, 0.8);
    add(pn, {64, 67, 76}, 84, 3, 0.8);
    add(pn, {67, 72, 79}, 78, 5, 0.8);
    add(pn, {64, 69, 76}, 76, 6, 0.8);
    add(pn, {64, 76}, 84, 7, 0.8);
    add(pn, {64, 67, 72}, 80, 9, 0.8);
    add(pn, {67, 72, 76}, 84, 11, 0.8);
    add(pn, {67, 79}, 76, 12, 0.8);
    add(pn, {64, 69, 76}, 84, 13, 0.8);
    add(pn, {60, 64, 67, 72}, 80, 15, 0.8);
    // The trumpet section's mambo, a line down from the third in two voices, answering the clave's two side.
    Track br = chordTrack(Pitches, "Salsa Trumpet Section Mambo", 56, 1, LayerB, 16);
    br.vol = 84;
    br.breakLength = 2;
    add(br, {72, 76}, 96, 9, 0.8);
    add(br, {67, 74}, 88, 10, 0.8);
    add(br, {67, 72}, 104, 11, 2);
    s.tracks = {d, b, pn, br};
    return s;
}

Style chaCha() {
    Style s;
    s.number = 22;
    s.globalVol = 94;
    s.name = "Cha-Cha-Cha";
    s.bpm = 120;
    Track d = drumTrack("Cha-Cha Percussion", 64);
    grid(d, 36, "9.......8.......");
    grid(d, 56, "8...7...8...7...");
    grid(d, 62, "....6.......6...");
    grid(d, 63, "......8.......8.");
    grid(d, 65, "............8.8.|............8.8.|............8.8.|........8.8.8.8.");
    grid(d, 73, "..5...5...5...5.");
    grid(d, 74, "7.......7.......");
    // Root on one, the fifth below on the "and" of two and on three, then the cha-cha on four and its
    // "and": the third and the fifth below, all in the lowest octave of the bass.
    Track b = bassTrack("Cha-Cha Bass", 32, 16);
    b.key = -12;
    add(b, 48, 100, 0, 5.5);
    add(b, 43, 84, 6, 1.5);
    add(b, 43, 92, 8, 3.5);
    add(b, 52, 84, 12, 1.5);
    add(b, 43, 84, 14, 1.5);
    Track pn = chordTrack(Pitches, "Cha-Cha Piano", 0, 1, LayerB, 32);
    pn.vol = 83;
    hits(pn, {48, 64, 67, 72}, "9...............|9...............", 0.8);
    hits(pn, {64, 67, 72, 76}, "...6..7.8...7.7.|..6...7.8..6.7.7", 0.8);
    // The violins hold the third and the sixth or seventh as a double stop in their own register.
    Track str = chordTrack(Pitches, "Cha-Cha Violins", 40, 4, LayerA, 64);
    str.vol = 72;
    str.susVolume = 85;
    add(str, {64, 69}, 78, 0, 64);
    s.tracks = {d, b, pn, str};
    return s;
}

Style tango() {
    Style s;
    s.number = 23;
    s.globalVol = 146;
    s.name = "Tango Marcato";
    s.bpm = 116;
    Track d = drumTrack("Tango Pulse Phrase", 64);
    d.vol = 100;
    grid(d, 35, "7...5...6...5...|7...5...6...5...|7.....5.6.......|7.....5.....6.6.");
    // The marcato on four, then the syncopa in the third and fourth bars: roots and the fifth below, all
    // in the lowest octave of the bass.
    Track b = bassTrack("Tango Marcato And Syncopa", 32, 64);
    b.vol = 49;
    b.key = -12;
    hits(b, {48}, "x...............|x...............|x...............|x...............", 1.5);
    hits(b, {43}, "....9...........|....9...........|................|................", 1.5);
    hits(b, {48}, "........9.......|........9.......|........9.......|................", 1.5);
    hits(b, {43}, "............9...|............9...|................|............9...", 1.5);
    hits(b, {43}, "................|................|......9.........|......9.........", 2);
    hits(b, {45}, "................|................|................|..............9.", 1.5);
    // The bandoneon's marcato chords sit low and close; the piano answers above with the chord spread
    // over its left hand's root.
    Track bn = chordTrack(Pitches, "Tango Bandoneon", 23, 1, LayerB, 64);
    bn.vol = 42;
    hits(bn, {60, 64, 67}, "9...7...8...7...|9...7...8...7...|9.....8.9.......|9.....8.....9.9.", 1.5);
    Track pn = chordTrack(Pitches, "Tango Piano", 0, 1, LayerB, 32);
    pn.vol = 54;
    add(pn, 48, 90, 0, 2);
    add(pn, 48, 90, 16, 2);
    hits(pn, {67, 72, 76, 79}, "8...6...8...6...|8.....7.....8...", 1);
    // The tremolo strings hold the fifth and the sixth or seventh, bowed again every bar, over the third
    // and in every second bar over the root.
    Track str = chordTrack(Pitches, "Tango Tremolo Strings", 44, 2, LayerA, 32);
    str.vol = 40;
    str.susVolume = 85;
    add(str, {64, 67, 69}, 74, 0, 16);
    add(str, {60, 67, 69}, 70, 16, 16);
    s.tracks = {d, b, bn, pn, str};
    return s;
}

} // namespace

void addStylesJazzLatin(std::vector<Style>& out) {
    out.push_back(swing());
    out.push_back(jazzBallad());
    out.push_back(jazzWaltz());
    out.push_back(bossa());
    out.push_back(samba());
    out.push_back(salsa());
    out.push_back(chaCha());
    out.push_back(tango());
}

} // namespace stylegen
