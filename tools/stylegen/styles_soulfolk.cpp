// Funk, disco, soul, reggae, ska, country, gospel and folk: styles 007-012 and 027-030.
#include "tools/stylegen/stylegen.h"

namespace stylegen {

namespace {

Style funk() {
    Style s;
    s.number = 7;
    s.globalVol = 115;
    s.name = "Funk Sixteenth Groove";
    s.bpm = 102;
    s.autoCymbal = 8;
    Track d = drumTrack("Funk Ghost Notes", 16);
    grid(d, 36, "9..7......9..6..");
    grid(d, 38, "....9..3.3..9.3.");
    grid(d, 42, "747474747474747.");
    grid(d, 46, "...............6");
    Track b = bassTrack("Funk Slap Octaves", 36, 16);
    b.vol = 92;
    add(b, 36, 112, 0, 0.75);
    add(b, 48, 96, 3, 0.5);
    add(b, 40, 80, 5, 0.5);
    add(b, 36, 76, 6, 0.5);
    add(b, 43, 86, 7, 0.5);
    add(b, 36, 104, 8, 0.75);
    add(b, 48, 90, 10, 0.5);
    add(b, 36, 72, 11, 0.5);
    add(b, 43, 86, 13, 0.5);
    add(b, 45, 82, 14, 0.5);
    add(b, 43, 68, 15, 0.5);
    Track g = chordTrack(Codes, "Funk Scratch Guitar", 28, 1, LayerB, 16, 2);
    g.vol = 70;
    hits(g, {73, 74, 75}, "8.5585.5.85585.5", 0.5);
    Track c = chordTrack(Pitches, "Funk Clavinet", 7, 1, LayerB, 16);
    c.vol = 66;
    hits(c, {64, 67, 72}, "9..6..6...8..6..", 0.5);
    Track h = chordTrack(Pitches, "Funk Horn Hits", 61, 1, LayerB, 32);
    h.vol = 60;
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
    s.globalVol = 95;
    s.name = "Disco Floor Filler";
    s.bpm = 120;
    s.autoCymbal = 8;
    Track d = drumTrack("Disco Open Hats", 16);
    grid(d, 36, "9...9...9...9...");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "6..56..56..56..5");
    grid(d, 46, "..8...8...8...8.");
    grid(d, 54, "....7.......7...");
    Track b = bassTrack("Disco Octave Bass", 33, 16);
    hits(b, {36}, "9...8...9...8...", 0.75);
    hits(b, {48}, "..8...8...8...8.", 0.75);
    Track g = chordTrack(Codes, "Disco Chicken Scratch", 27, 1, LayerB, 16, 3);
    g.vol = 62;
    hits(g, {73, 74, 75}, "..6.7.6...6.7.6.", 0.5);
    Track ep = chordTrack(Pitches, "Disco Piano Offbeats", 4, 1, LayerB, 16);
    ep.vol = 66;
    hits(ep, {64, 67, 72}, "..8...7...8...7.", 1);
    Track str = chordTrack(Pitches, "Disco Strings", 48, 4, LayerA, 16);
    str.vol = 60;
    str.susVolume = 90;
    add(str, {67, 72, 76}, 84, 0, 16);
    Track br = chordTrack(Pitches, "Disco Brass Kicks", 61, 1, LayerB, 32);
    br.vol = 80;
    br.breakVolume = 115;
    add(br, {67, 72, 76}, 100, 28, 1);
    add(br, {67, 72, 76}, 110, 30, 2);
    s.tracks = {d, b, g, ep, str, br};
    return s;
}

Style soul() {
    Style s;
    s.number = 9;
    s.globalVol = 93;
    s.name = "Soul R&B Groove";
    s.bpm = 92;
    s.autoCymbal = 8;
    Track d = drumTrack("Soul Backbeat", 16);
    grid(d, 36, "9.....6...8.....");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "7.5.7.5.7.5.7.5.");
    grid(d, 54, "..5...5...5...5.");
    Track b = bassTrack("Soul Melodic Bass", 33, 16);
    add(b, 36, 104, 0, 2.5);
    add(b, 40, 80, 6, 1);
    add(b, 43, 86, 7, 1);
    add(b, 45, 94, 8, 2);
    add(b, 43, 80, 10, 1);
    add(b, 36, 90, 12, 2);
    add(b, 48, 80, 14, 1);
    Track ep = chordTrack(Pitches, "Soul Electric Piano Sixths", 4, 1, LayerB, 16);
    ep.vol = 74;
    add(ep, {64, 67, 69, 72}, 92, 0, 3);
    add(ep, {64, 67, 69, 72}, 76, 6, 1.5);
    add(ep, {64, 67, 69, 72}, 86, 8, 3);
    add(ep, {64, 67, 69, 72}, 72, 14, 2);
    // Tenor saxes: a sustain on this part turns into a short, punchy break.
    Track sax = chordTrack(Pitches, "Soul Tenor Section", 66, 1, LayerB, 32);
    sax.vol = 68;
    sax.breakLength = 6;
    sax.breakVolume = 115;
    add(sax, {64, 67, 72}, 94, 12, 1);
    add(sax, {64, 67, 72}, 102, 14, 2);
    add(sax, {64, 67, 72}, 90, 28, 1);
    add(sax, {64, 67, 72}, 100, 30, 2);
    Track str = chordTrack(Pitches, "Soul Strings", 48, 3, LayerA, 16);
    str.vol = 54;
    str.susVolume = 80;
    add(str, {64, 67, 72}, 82, 0, 16);
    s.tracks = {d, b, ep, sax, str};
    return s;
}

Style reggae() {
    Style s;
    s.number = 10;
    s.globalVol = 115;
    s.name = "Reggae One Drop";
    s.bpm = 76;
    s.autoCymbal = 8;
    Track d = drumTrack("One Drop", 16);
    grid(d, 36, "........9.......");
    grid(d, 37, "........8.......");
    grid(d, 42, "5.6.5.6.5.6.5.6.");
    Track b = bassTrack("One Drop Bass", 33, 16);
    add(b, 36, 100, 0, 2.5);
    add(b, 36, 80, 3, 1);
    add(b, 43, 90, 6, 1.5);
    add(b, 45, 86, 8, 1.5);
    add(b, 43, 80, 10, 1);
    add(b, 36, 92, 12, 1.5);
    add(b, 43, 76, 14, 1);
    Track g = chordTrack(Codes, "Reggae Skank", 27, 1, LayerB, 16, 2);
    g.vol = 74;
    hits(g, {72, 73, 74}, "....9.......8...", 0.75);
    Track org = chordTrack(Pitches, "Reggae Organ Bubble", 16, 1, LayerB, 16);
    org.vol = 58;
    hits(org, {60, 64, 67}, "..4...76..4...76", 0.5);
    Track pn = chordTrack(Pitches, "Reggae Piano Skank", 0, 1, LayerB, 16);
    pn.vol = 75;
    hits(pn, {64, 67, 72}, "....8.......7...", 0.5);
    s.tracks = {d, b, g, org, pn};
    return s;
}

Style ska() {
    Style s;
    s.number = 11;
    s.globalVol = 93;
    s.name = "Ska Upbeat";
    s.bpm = 152;
    s.autoCymbal = 8;
    Track d = drumTrack("Ska Drive", 16);
    grid(d, 36, "9.......9.......");
    grid(d, 38, "....9.......9...");
    grid(d, 42, "7...7...7...7...");
    grid(d, 46, "..7...7...7...7.");
    Track b = bassTrack("Ska Walking Bass", 33, 16);
    add(b, 36, 100, 0, 3.5);
    add(b, 40, 86, 4, 3.5);
    add(b, 43, 92, 8, 3.5);
    add(b, 45, 86, 12, 3.5);
    Track g = chordTrack(Codes, "Ska Guitar Upstrokes", 27, 1, LayerB, 16, 4);
    g.vol = 74;
    hits(g, {72, 73, 74, 75}, "..9...8...9...8.", 0.75);
    Track org = chordTrack(Pitches, "Ska Organ Offbeats", 16, 1, LayerB, 16);
    org.vol = 66;
    hits(org, {64, 67, 72}, "..7...6...7...6.", 1);
    Track br = chordTrack(Pitches, "Ska Horn Line", 61, 1, LayerB, 32);
    br.vol = 76;
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
    s.globalVol = 106;
    s.name = "Country Two-Step";
    s.bpm = 112;
    s.autoCymbal = 8;
    Track d = drumTrack("Two-Step Beat", 16);
    grid(d, 36, "9.......8.......");
    grid(d, 38, "....8.......8...");
    grid(d, 42, "6.4.6.4.6.4.6.4.");
    Track b = bassTrack("Two-Step Bass", 32, 32);
    add(b, 36, 100, 0, 3.5);
    add(b, 43, 94, 8, 3.5);
    add(b, 40, 80, 12, 1.5);
    add(b, 43, 80, 14, 1.5);
    add(b, 36, 98, 16, 3.5);
    add(b, 43, 92, 24, 3.5);
    add(b, 45, 84, 28, 1.5);
    add(b, 43, 80, 30, 1.5);
    Track g = chordTrack(Codes, "Two-Step Steel Strum", 25, 1, LayerB, 16, 5);
    g.vol = 72;
    add(g, {72, 73, 74, 75, 76}, 94, 4, 1.5);
    add(g, {73, 74, 75, 76}, 70, 6, 1);
    add(g, {72, 73, 74, 75, 76}, 90, 12, 1.5);
    add(g, {73, 74, 75, 76}, 70, 14, 1);
    Track pn = chordTrack(Pitches, "Two-Step Honky Piano", 3, 1, LayerB, 16);
    pn.vol = 54;
    hits(pn, {64, 67, 72}, "....8.......7...", 2);
    Track bj = chordTrack(Codes, "Two-Step Banjo Roll", 105, 2, LayerC, 16, 2);
    bj.vol = 62;
    add(bj, {72, 74}, 84, 0, 2);
    add(bj, 73, 70, 2, 2);
    add(bj, 76, 76, 4, 2);
    add(bj, 74, 70, 6, 2);
    add(bj, 73, 80, 8, 2);
    add(bj, 76, 70, 10, 2);
    add(bj, 74, 76, 12, 2);
    add(bj, 73, 68, 14, 2);
    s.tracks = {d, b, g, pn, bj};
    return s;
}

Style gospel128() {
    Style s;
    s.number = 27;
    s.globalVol = 109;
    s.name = "Gospel 12/8";
    s.bpm = 66;
    s.stepsPerBeat = 6;
    s.stepsPerBar = 24;
    s.autoCymbal = 4;
    Track d = drumTrack("Gospel Triplet Beat", 24);
    grid(d, 36, "9.........8.9...........");
    grid(d, 38, "......9...........9.....");
    grid(d, 42, "7.4.4.7.4.4.7.4.4.7.4.4.");
    grid(d, 54, "......7.5.5.......7.5.5.");
    Track b = bassTrack("Gospel Triplet Bass", 33, 24);
    add(b, 36, 100, 0, 5);
    add(b, 43, 80, 10, 2);
    add(b, 36, 96, 12, 4);
    add(b, 40, 80, 16, 2);
    add(b, 43, 90, 18, 4);
    add(b, 45, 76, 22, 2);
    Track pn = chordTrack(Pitches, "Gospel Piano Triplets", 0, 1, LayerB, 24);
    pn.vol = 66;
    hits(pn, {64, 67, 72}, "8.5.5.7.5.5.8.5.5.7.5.5.", 1.8);
    Track org = chordTrack(Pitches, "Gospel Organ Swell", 16, 3, LayerA, 24);
    org.vol = 52;
    add(org, {60, 64, 67, 69}, 82, 0, 24);
    Track ch = chordTrack(Pitches, "Gospel Choir", 52, 4, LayerA, 24);
    ch.vol = 46;
    ch.susVolume = 80;
    add(ch, {67, 72, 76}, 80, 0, 24);
    s.tracks = {d, b, pn, org, ch};
    return s;
}

Style gospelOrgan() {
    Style s;
    s.number = 28;
    s.name = "Gospel Organ Drive";
    s.bpm = 112;
    s.autoCymbal = 4;
    Track d = drumTrack("Gospel Claps", 16);
    grid(d, 36, "9..7..8...9.....");
    grid(d, 39, "....9.......9...");
    grid(d, 42, "7.5.7.5.7.5.7.5.");
    grid(d, 54, "..6...6...6...6.");
    Track b = bassTrack("Gospel Runs", 33, 16);
    add(b, 36, 104, 0, 1.5);
    add(b, 36, 80, 3, 0.5);
    add(b, 40, 86, 4, 1);
    add(b, 43, 90, 6, 1);
    add(b, 45, 94, 8, 1.5);
    add(b, 43, 80, 11, 0.5);
    add(b, 40, 86, 12, 1);
    add(b, 38, 80, 14, 1);
    Track org = chordTrack(Pitches, "Gospel Organ Stabs", 16, 1, LayerB, 16);
    org.vol = 68;
    hits(org, {64, 67, 69, 72}, "9.6...8.9..7..8.", 0.8);
    Track hold = chordTrack(Pitches, "Gospel Organ Hold", 18, 4, LayerA, 16);
    hold.vol = 44;
    add(hold, {60, 67, 72}, 80, 0, 16);
    Track pn = chordTrack(Codes, "Gospel Piano Answers", 1, 2, LayerC, 16, 6);
    pn.vol = 56;
    add(pn, {72, 73, 74, 75, 76, 77}, 82, 0, 1);
    hits(pn, {74, 75, 76, 77}, "..7...7...7...7.", 0.8);
    s.tracks = {d, b, org, hold, pn};
    return s;
}

Style folkStrum() {
    Style s;
    s.number = 29;
    s.name = "Folk Strum";
    s.bpm = 100;
    Track d = drumTrack("Folk Shaker", 16);
    grid(d, 36, "8.......7.......");
    grid(d, 54, "....7.......7...");
    grid(d, 70, "6.4.6.4.6.4.6.4.");
    Track b = bassTrack("Folk Root Fifth", 32, 16);
    add(b, 36, 98, 0, 3.5);
    add(b, 43, 90, 8, 3.5);
    Track g = chordTrack(Codes, "Folk Down Up Strum", 25, 2, LayerB, 16, 5);
    g.vol = 82;
    add(g, {72, 73, 74, 75, 76, 77}, 96, 0, 2);
    add(g, {72, 73, 74, 75, 76, 77}, 84, 4, 2);
    add(g, {74, 75, 76, 77}, 66, 6, 2);
    add(g, {74, 75, 76, 77}, 70, 10, 2);
    add(g, {72, 73, 74, 75, 76, 77}, 86, 12, 2);
    add(g, {74, 75, 76, 77}, 68, 14, 2);
    Track n = chordTrack(Codes, "Folk Nylon Picking", 24, 2, LayerC, 16, 3);
    n.vol = 67;
    add(n, {72, 74}, 80, 0, 2);
    add(n, 73, 66, 2, 2);
    add(n, 75, 72, 4, 2);
    add(n, 74, 66, 6, 2);
    add(n, 73, 74, 8, 2);
    add(n, 75, 66, 10, 2);
    add(n, 74, 70, 12, 2);
    add(n, 76, 64, 14, 2);
    Track pad = chordTrack(Pitches, "Folk String Bed", 49, 4, LayerA, 16);
    pad.vol = 48;
    add(pad, {60, 64, 67}, 80, 0, 16);
    s.tracks = {d, b, g, n, pad};
    return s;
}

Style fingerpicking() {
    Style s;
    s.number = 30;
    s.globalVol = 122;
    s.name = "Fingerpicking Ballad";
    s.bpm = 92;
    Track d = drumTrack("Fingerpicking Brush Time", 16);
    grid(d, 36, "7.......6.......");
    grid(d, 37, "....6.......6...");
    grid(d, 70, "..4...4...4...4.");
    Track b = bassTrack("Fingerpicking Upright", 32, 16);
    b.vol = 86;
    add(b, 36, 92, 0, 7.5);
    add(b, 43, 84, 8, 7.5);
    Track g = chordTrack(Codes, "Alternating Thumb Pattern", 25, 1, LayerB, 32, 6);
    g.vol = 86;
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
    Track st = chordTrack(Codes, "Fingerpicking Soft Strum", 25, 4, LayerA, 16, 4);
    st.vol = 60;
    st.susVolume = 90;
    add(st, {72, 73, 74, 75}, 70, 0, 16);
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
