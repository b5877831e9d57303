// March, polka, waltz, house, hip-hop (styles 024-026, 031, 032) and the utility styles 090-092.
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

Style march() {
    Style s;
    s.number = 24;
    s.globalVol = 120;
    s.name = "Parade March";
    s.bpm = 116;
    s.autoCymbal = 4;
    Track d = drumTrack("March Snare And Bass Drum Phrase", 64);
    d.vol = 80;
    grid(d, 36, "9.......8.......");
    grid(d, 38, "8.3.7.3.9.3.7.34|8.3.7.3.9.3.7.34|8.3.7.3.9.3.7.34|8.3.7.3.9876789x");
    // The tuba keeps to its lowest octave: root on one, the fifth on three wherever the root lies.
    Track b = bassTrack("March Tuba", 58, 16);
    b.key = -12;
    add(b, 36, 100, 0, 3);
    add(b, 43, 94, 8, 3);
    // The horns' after-beats: a close triad in the middle, the seventh left to the clarinet.
    Track hn = chordTrack(Pitches, "March Horn After-Beats", 60, 1, LayerB, 64);
    hn.vol = 50;
    hits(hn, {64, 67, 72}, "....9.......8...|....9.......8...|....9.......8...|....9...8.8.9...", 1.5);
    // The clarinet's counter-line in running eighths: up the scale and round the chord, with the ninth
    // and the sixth passing between chord tones, and a run into the next phrase.
    Track cl = chordTrack(Pitches, "March Clarinet Runs", 71, 1, LayerC, 64);
    cl.vol = 68;
    noteLine(cl, 16, 2, 4, 76,
             {{72, 74, 76, 72, 79, 81, 79, 76},
              {76, 74, 72, 74, 72, 69, 67, 69},
              {67, 69, 67, 64, 72, 74, 76, 74},
              {79, 76, 72, 74, 76, 79, 81, 79}});
    // Bells two octaves above the written chord, ringing its third and fifth.
    Track gl = chordTrack(Pitches, "March Glockenspiel", 9, 1, LayerC, 16);
    gl.key = 24;
    gl.vol = 100;
    add(gl, {64, 67}, 92, 0, 2);
    add(gl, {64, 67}, 78, 8, 2);
    s.tracks = {d, b, hn, cl, gl};
    return s;
}

Style polka() {
    Style s;
    s.number = 25;
    s.globalVol = 124;
    s.name = "Polka Oom-Pah";
    s.bpm = 120;
    s.autoCymbal = 8;
    // Four bars: oom-pah, and a snare roll up to the next phrase in the fourth.
    Track d = drumTrack("Polka Oom-Pah Drums", 64);
    d.vol = 89;
    grid(d, 36, "9...7...9...7...|9...7...9...7...|9...7...9...7...|9...7...9...9...");
    grid(d, 38, "..7...7...7...7.|..7...7...7...7.|..7...7...7...7.|..7...7...7.6789");
    // The tuba on every beat, root and fifth in its lowest octave.
    Track b = bassTrack("Polka Tuba", 58, 16);
    b.key = -12;
    add(b, 36, 100, 0, 1.5);
    add(b, 43, 88, 4, 1.5);
    add(b, 36, 96, 8, 1.5);
    add(b, 43, 88, 12, 1.5);
    // The accordion's pah on the off-beats, its left hand on each bar's first beat.
    Track ac = chordTrack(Pitches, "Polka Accordion", 21, 1, LayerB, 64);
    ac.vol = 74;
    hits(ac, {64, 67, 72}, "..8...7...8...7.|..8...7...8...7.|..8...7...8...7.|..8...7.8.8.8...", 1.2);
    for (int bar = 0; bar < 64; bar += 16) add(ac, 48, 70, bar, 1.2);
    // The clarinet tumbles round the chord in eighths, a different turn in every bar, the ninth and the
    // sixth passing between the chord tones.
    Track cl = chordTrack(Pitches, "Polka Clarinet", 71, 1, LayerC, 64);
    cl.vol = 68;
    noteLine(cl, 16, 2, 2, 74,
             {{76, 74, 72, 76, 79, 81, 79, 76},
              {79, 76, 74, 72, 72, 69, 67, 69},
              {76, 79, 81, 79, 76, 74, 72, 74},
              {72, 74, 76, 74, 76, 79, 81, 79}});
    s.tracks = {d, b, ac, cl};
    return s;
}

Style waltz() {
    Style s;
    s.number = 26;
    s.globalVol = 120;
    s.name = "Slow Waltz";
    s.bpm = 96;
    s.stepsPerBar = 12;
    s.autoCymbal = 8;
    Track d = drumTrack("Waltz Brushes Phrase", 48);
    d.vol = 100;
    grid(d, 36, "9...........|8...........");
    grid(d, 38, "....5...5...|....5...5...|....5...5...|....5...5.45");
    grid(d, 42, "....4...4...");
    Track b = bassTrack("Waltz Bass", 32, 24);
    b.vol = 100;
    add(b, 36, 100, 0, 3.5);
    add(b, 43, 92, 12, 3.5);
    // The piano's oom-pah-pah: its left hand an octave over the bass (root, then the fifth), the right
    // hand a triad with the root on top.
    Track pn = chordTrack(Pitches, "Waltz Piano Pah-Pah", 0, 1, LayerB, 48);
    pn.vol = 85;
    hits(pn, {64, 67, 72}, "....7...6...|....7...6...|....7...6...|....7...7.6.", 2);
    for (int bar = 0; bar < 48; bar += 24) {
        add(pn, 48, 84, bar, 3);
        add(pn, 55, 78, bar + 12, 3);
    }
    // The strings hold the triad in root position, from about C4 (E3 at the lowest).
    Track str = chordTrack(Pitches, "Waltz Strings", 49, 4, LayerA, 48);
    str.vol = 62;
    str.susVolume = 85;
    add(str, {60, 67}, 74, 0, 48);
    add(str, 64, 66, 0, 48);
    // The harp rolls up and down the chord above the piano, where its seventh rings over the roots.
    Track hp = chordTrack(Codes, "Waltz Harp", 46, 2, LayerC, 48, 3);
    hp.vol = 80;
    static const int roll[24] = {73, 74, 75, 76, 75, 74, 74, 75, 76, 77, 76, 75,
                                 73, 74, 75, 76, 77, 78, 78, 77, 76, 75, 74, 73};
    for (int i = 0; i < 24; ++i) add(hp, roll[i], (i % 6 == 0 ? 80 : 62) + 3 * (i % 3), 2 * i, 2);
    s.tracks = {d, b, pn, str, hp};
    return s;
}

Style house() {
    Style s;
    s.number = 31;
    s.globalVol = 93;
    s.name = "House Groove";
    s.bpm = 124;
    s.autoCymbal = 8;
    Track d = drumTrack("House Four On The Floor Phrase", 128);
    d.vol = 100;
    grid(d, 36, "9...9...9...9...");
    grid(d, 39, "....9.......9...");
    grid(d, 42, ".4.4.4.4.4.4.4.4");
    grid(d, 46, "..8...8...8...8.");
    clearSteps(d, 120, 128, {39});
    for (int i = 120; i < 128; ++i) add(d, 39, 64 + 5 * (i - 120), i, 0.5);
    // A clap pickup ends the first four bars, the roll the whole eight.
    add(d, 39, 70, 62, 0.5);
    add(d, 39, 80, 63, 0.5);
    // The bass in its lowest octave: the root on the beat and its off-beat, the fifth before the next.
    Track b = bassTrack("House Offbeat Bass", 38, 16);
    b.vol = 75;
    b.key = -12;
    add(b, 36, 84, 0, 1);
    add(b, 36, 104, 2, 1.5);
    add(b, 43, 96, 6, 1.5);
    add(b, 36, 80, 8, 1);
    add(b, 36, 104, 10, 1.5);
    add(b, 43, 96, 14, 1.5);
    // Stabs on the root with the ninth on top; the pad holds root, fifth and the colour above them.
    Track st = chordTrack(Pitches, "House Chord Stabs", 17, 1, LayerB, 16);
    st.vol = 61;
    hits(st, {60, 64, 67, 74}, "..8..7....8..6..", 0.75);
    Track pad = chordTrack(Pitches, "House Warm Pad", 89, 3, LayerA, 64);
    pad.vol = 72;
    pad.susVolume = 85;
    add(pad, {60, 69}, 72, 0, 64);
    add(pad, 67, 64, 0, 64);
    // The piano answers above the stabs: third, colour and the third again on top (no root, no
    // half step at the top).
    Track pn = chordTrack(Pitches, "House Piano", 1, 1, LayerB, 32);
    pn.vol = 76;
    hits(pn, {67, 69, 76}, "...8..7...8..7..|...8..7...7.....", 0.8);
    // The sequence ripples high over the chord in sixteenths: third, fifth and ninth, the root left to
    // the others.
    Track arp = chordTrack(Pitches, "House Sequence", 5, 1, LayerC, 16);
    arp.vol = 98;
    arp.key = 12;
    static const int ripple[16] = {76, 79, 74, 79, 76, 79, 74, 76, 79, 76, 74, 79, 76, 74, 76, 79};
    for (int i = 0; i < 16; ++i) add(arp, ripple[i], i % 4 == 0 ? 80 : 62, i, 0.5);
    s.tracks = {d, b, st, pad, pn, arp};
    return s;
}

Style hipHop() {
    Style s;
    s.number = 32;
    s.globalVol = 107;
    s.name = "Lazy Hip-Hop";
    s.bpm = 90;
    s.stepsPerBeat = 6;
    s.stepsPerBar = 24;
    // Every part on one grid of swung sixteenths: the beat, its third and its half, and its last sixth.
    Track d = drumTrack("Swung Sixteenths Beat", 96);
    d.vol = 86;
    grid(d, 36, "9.............8..6......|9.............8.....6...");
    grid(d, 38, "......9...........9.....");
    grid(d, 37, ".......................5");
    grid(d, 42, "7.47.47.47.47.47.47.47.4");
    // The fourth bar keeps its backbeat and rolls ghost notes off it into the next phrase.
    clearSteps(d, 90, 96, {42, 37, 38});
    add(d, 38, 114, 90, 0.5);
    add(d, 38, 62, 92, 0.5);
    add(d, 38, 76, 93, 0.5);
    add(d, 38, 92, 95, 0.5);
    // The sub bass keeps to its lowest octave.
    Track b = bassTrack("Hip-Hop Sub Bass", 38, 48);
    b.vol = 71;
    b.key = -12;
    add(b, 36, 104, 0, 8);
    add(b, 36, 84, 11, 1.5);
    add(b, 43, 90, 14, 2);
    add(b, 40, 80, 17, 1.5);
    add(b, 43, 84, 23, 1);
    add(b, 36, 104, 24, 8);
    add(b, 43, 84, 35, 1.5);
    add(b, 45, 90, 38, 2);
    add(b, 43, 80, 45, 2);
    // The electric piano's left hand on the root, its right hand on add-nine and rootless ninth chords.
    Track ep = chordTrack(Pitches, "Hip-Hop Electric Piano", 4, 1, LayerB, 24);
    ep.vol = 53;
    add(ep, 48, 84, 0, 8);
    add(ep, {64, 67, 72, 74}, 84, 0, 8);
    add(ep, {64, 69, 74}, 60, 14, 2);
    add(ep, {67, 69, 74}, 76, 17, 6);
    // An open fifth and root held underneath, leaving the thirds and colours to the electric piano.
    Track pad = chordTrack(Pitches, "Hip-Hop Pad", 91, 4, LayerA, 96);
    pad.vol = 57;
    pad.susVolume = 85;
    add(pad, {67, 72}, 70, 0, 96);
    // The muted guitar chops above the piano.
    Track g = chordTrack(Codes, "Hip-Hop Guitar Chops", 28, 1, LayerB, 48, 3);
    g.vol = 100;
    hits(g, {74, 75, 77}, "............9..6........|............8.....6.....", 1);
    s.tracks = {d, b, ep, pad, g};
    return s;
}

Style sixEightBallad() {
    Style s;
    s.number = 33;
    s.globalVol = 144;
    s.name = "Triplet Ballad";
    s.bpm = 60;
    s.stepsPerBeat = 3;
    s.stepsPerBar = 12;
    Track d = drumTrack("Six-Eight Soft Beat", 48);
    d.vol = 100;
    grid(d, 36, "x........7..");
    grid(d, 37, "......9.....");
    grid(d, 42, "855755");
    clearSteps(d, 42, 48, {42, 37});
    add(d, 37, 70, 42, 0.5);
    add(d, 37, 78, 44, 0.5);
    add(d, 38, 90, 45, 0.5);
    add(d, 38, 70, 47, 0.5);
    // The bass in its lowest octave: root, fifth and third, then the colour turning back to the fifth.
    Track b = bassTrack("Six-Eight Bass", 33, 24);
    b.vol = 79;
    b.key = -12;
    add(b, 36, 98, 0, 5.5);
    add(b, 43, 86, 6, 3.5);
    add(b, 40, 78, 10, 1.5);
    add(b, 36, 94, 12, 5.5);
    add(b, 45, 84, 18, 2.5);
    add(b, 43, 78, 21, 2.5);
    // The piano: the root low in the left hand, the right hand rolling the triad above the guitar.
    Track arp = chordTrack(Pitches, "Six-Eight Piano Arpeggio", 0, 2, LayerC, 12);
    arp.vol = 100;
    add(arp, 48, 86, 0, 6);
    add(arp, 67, 70, 0, 2);
    add(arp, 72, 60, 2, 2);
    add(arp, 76, 66, 4, 2);
    add(arp, 79, 74, 6, 2);
    add(arp, 76, 62, 8, 2);
    add(arp, 72, 58, 10, 2);
    // The strings hold third, fifth and colour in the middle.
    Track str = chordTrack(Pitches, "Six-Eight Strings", 49, 4, LayerA, 48);
    str.vol = 54;
    str.susVolume = 85;
    add(str, {64, 69}, 70, 0, 48);
    add(str, 67, 62, 0, 48);
    // The clean guitar strums the triad low on the dotted beats and answers on the last triplets.
    Track g = chordTrack(Pitches, "Six-Eight Clean Guitar", 27, 1, LayerB, 24);
    g.vol = 68;
    add(g, {60, 64, 67}, 76, 0, 5.5);
    add(g, {64, 67}, 60, 6, 5.5);
    add(g, {60, 64, 67}, 72, 12, 5.5);
    add(g, {64, 67, 72}, 62, 18, 2);
    add(g, {60, 64, 67}, 58, 22, 2);
    s.tracks = {d, b, arp, str, g};
    return s;
}

Style countryWaltz() {
    Style s;
    s.number = 34;
    s.globalVol = 117;
    s.name = "Country Waltz";
    s.bpm = 108;
    s.stepsPerBar = 12;
    s.autoCymbal = 8;
    Track d = drumTrack("Country Waltz Brushes", 48);
    d.vol = 100;
    grid(d, 36, "9.......5...");
    grid(d, 37, "....6...6...|....6...6...|....6...6...|....6.......");
    grid(d, 38, "............|............|............|........6.78");
    grid(d, 44, "..4...4...4.");
    // Root and fifth in the bass's lowest octave, a third and a turn to lead on.
    Track b = bassTrack("Country Waltz Bass", 32, 24);
    b.vol = 92;
    b.key = -12;
    add(b, 36, 100, 0, 3.5);
    add(b, 40, 70, 8, 3.5);
    add(b, 43, 90, 12, 3.5);
    add(b, 45, 74, 20, 1.5);
    add(b, 43, 76, 22, 1.5);
    // The steel guitar's boom-chick-chick: its low string with the bass (root, then the fifth), then
    // the triad from about C4.
    Track g = chordTrack(Pitches, "Country Waltz Strum", 25, 1, LayerB, 24);
    g.vol = 83;
    for (int bar = 0; bar < 24; bar += 12) {
        add(g, bar ? 55 : 48, 84, bar, 3);
        add(g, {60, 64, 67}, 82, bar + 4, 3);
        add(g, {60, 64, 67}, 74, bar + 8, 3);
    }
    // The honky-tonk piano fills the gaps above: down from the fifth through the ninth, and a turn up
    // through the colour.
    Track pn = chordTrack(Pitches, "Country Waltz Piano Fills", 3, 2, LayerC, 24);
    pn.vol = 100;
    add(pn, {67, 72}, 70, 0, 2);
    add(pn, 79, 66, 4, 2);
    add(pn, 76, 62, 6, 2);
    add(pn, 74, 64, 8, 2);
    add(pn, 72, 60, 10, 2);
    add(pn, 69, 66, 14, 2);
    add(pn, 67, 60, 16, 2);
    add(pn, 72, 64, 18, 2);
    add(pn, 76, 62, 20, 2);
    // The strings hold the colour over the third, bowed again every bar; in every second bar the lower
    // voice rises to the fifth.
    Track str = chordTrack(Pitches, "Country Waltz Strings", 49, 2, LayerA, 24);
    str.vol = 66;
    str.susVolume = 85;
    add(str, {64, 69}, 70, 0, 12);
    add(str, {67, 69}, 66, 12, 12);
    s.tracks = {d, b, g, pn, str};
    return s;
}

Style metronome44() {
    Style s;
    s.number = 90;
    s.globalVol = 132;
    s.name = "Metronome 4/4";
    s.bpm = 100;
    Track d = drumTrack("Click 4/4", 16);
    grid(d, 56, "x...............");
    grid(d, 75, "....9...9...9...");
    grid(d, 76, "x...............");
    grid(d, 77, "....9...9...9...");
    s.tracks = {d};
    return s;
}

Style metronome34() {
    Style s;
    s.number = 91;
    s.globalVol = 132;
    s.name = "Metronome 3/4";
    s.bpm = 100;
    s.stepsPerBar = 12;
    Track d = drumTrack("Click 3/4", 12);
    grid(d, 56, "x...........");
    grid(d, 75, "....9...9...");
    grid(d, 76, "x...........");
    grid(d, 77, "....9...9...");
    s.tracks = {d};
    return s;
}

Style bassAndDrums() {
    Style s;
    s.number = 92;
    s.globalVol = 119;
    s.name = "Bass & Drums";
    s.bpm = 110;
    s.autoCymbal = 8;
    Track d = drumTrack("Practice Beat", 16);
    grid(d, 36, "9.......8.7.....");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "7.5.7.5.7.5.7.5.");
    // Root and fifth in the bass's lowest octave, wherever the root lies, and the third as a pickup.
    Track b = bassTrack("Practice Bass", 33, 16);
    b.key = -12;
    add(b, 36, 104, 0, 3.5);
    add(b, 43, 80, 6, 1.5);
    add(b, 36, 94, 8, 3.5);
    add(b, 43, 84, 12, 1.5);
    add(b, 40, 84, 14, 1.5);
    s.tracks = {d, b};
    return s;
}

} // namespace

void addStylesDanceUtility(std::vector<Style>& out) {
    out.push_back(march());
    out.push_back(polka());
    out.push_back(waltz());
    out.push_back(house());
    out.push_back(hipHop());
    out.push_back(sixEightBallad());
    out.push_back(countryWaltz());
    out.push_back(metronome44());
    out.push_back(metronome34());
    out.push_back(bassAndDrums());
}

} // namespace stylegen
