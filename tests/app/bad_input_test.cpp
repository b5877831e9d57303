// Hand-made bad styles and sessions: playback neither hangs nor crashes, every message stays in range
// and every note that starts is ended.
#include <climits>
#include <cmath>
#include <limits>

#include "play_harness.h"

using namespace play;

namespace {

void expectBalanced(const Llist<MidiEvent>& ev) {
    int ons[16][128] = {};
    for (const MidiEvent& e : ev) {
        EXPECT_LT(e.data1, 128);
        EXPECT_LT(e.data2, 128);
        if ((e.status & 0xF0) == 0x90) ons[e.channel()][e.data1] += e.data2 > 0 ? 1 : -1;
    }
    for (int c = 0; c < 16; ++c)
        for (int n = 0; n < 128; ++n)
            EXPECT_LE(ons[c][n], 0) << "channel " << c << " note " << n << " left on";
}

StyleFile badStyle() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    StyleTrack drums = makeTrack(0, 1, 0,
                                 {sn(36, 1000, 0, 1), sn(INT_MIN, 100, 1, 1), sn(42, -20, 2, 1),
                                  sn(49, 100, -5, nan), sn(51, 100, INT_MAX, 1e300)},
                                 -8);
    StyleTrack bass =
        makeTrack(1, 1, 33, {sn(INT_MAX, 100, 0, -3), sn(36, 100, 0, nan), sn(-500, 90, 4, 2)}, 16);
    bass.key = INT_MAX;
    StyleTrack codes =
        makeTrack(3, 2, 48, {sn(60, 100, 0, 2), sn(INT_MAX, 100, 0, 2), sn(79, 100, 0, 2)}, 16, 9, 99);
    StyleTrack chords = makeTrack(2, 4, 200, {sn(64, 100, 0, 1e9), sn(59, 100, 0, 0)}, 1, -3);
    chords.breakLength = INT_MAX;
    chords.breakVolume = INT_MAX;
    chords.susVolume = -50;
    StyleTrack weird = makeTrack(9, 7, -4, {sn(60, 100, 0, 1)}, 16, 0, -3);
    StyleTrack empty = makeTrack(2, 1, 0, {}, 0);
    StyleTrack negStrum = makeTrack(3, 1, 0, {sn(72, 100, 0, 1)}, 16, 2, -6);
    StyleFile s = makeStyle(66, 4, 16, {drums, bass, codes, chords, weird, empty, negStrum});
    s.autoCymbal_nthBar = INT_MAX;
    s.globalVol = -100;
    return s;
}

} // namespace

TEST(BadInput, HandMadeStyleNeitherHangsNorCrashes) {
    Player p;
    p.addStyle(badStyle());
    p.use(66);
    p.core().mix.volDrums = 1.0; // the style's negative volume silences nothing more than itself
    p.setChords(0, {QvChord(0, 0, 0, 4, true, 48), QvChord(3, 15, 0, kAutoBassArg, false, 48)});
    for (int kind : {3, 11}) {
        QvPage& page = p.core().pages.at(0);
        page.addAPoint(kind == 3 ? 24 : 72);
    }
    Llist<MidiEvent> ev = p.render(); // a hang is left to the test's time limit
    expectBalanced(ev);
}

TEST(BadInput, StyleWithZeroGridAndHugeValuesPlays) {
    Player p;
    StyleFile s = style44(67);
    s.stepsPerBeat = 0;
    s.stepsPerBar = 0;
    s.bpm = -5;
    s.tracks.at(1).arp.strumHeight = INT_MIN;
    s.tracks.at(3).arp.strumHeight = INT_MAX;
    p.addStyle(s);
    p.use(67);
    EXPECT_EQ(p.core().stepsPerBeat(), 1);
    EXPECT_EQ(p.core().stepsPerBar(), 1);
    EXPECT_EQ(p.core().tempo(), 20);
    p.setChords(0, {QvChord(0, 0, INT_MAX, kAutoBassArg, false, 48)});
    Llist<MidiEvent> ev = p.render();
    expectBalanced(ev);
    EXPECT_FALSE(noteOns(ev, p.channelOf(1)).empty());
}

TEST(BadInput, HandMadeSessionNeitherHangsNorCrashes) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    QvCore& c = p.core();
    QvChord weird(5, 0, 0, kAutoBassArg, false, 48);
    weird.variant = 99;
    weird.inversion = INT_MAX;
    QvChord empty(7, 0, 0, kAutoBassArg, false, 48);
    empty.len = 0;
    QvChord negative(2, 0, 0, kAutoBassArg, false, 48);
    negative.len = -30;
    p.setChords(0, {weird, empty, negative, QvChord(0, 0, INT_MIN, 3, true, 60)});
    QvPage& page = c.pages.at(0);
    for (int pos : {0, 16, 48}) page.addAPoint(pos);
    QvAPoint a = page.apointAt(0);
    a.mDrums = 9;
    a.mBass = -3;
    a.mChords = 77;
    a.cym = 99;
    page.setAPoint(a, 0);
    QvAPoint b = page.apointAt(2);
    b.cym = -1;
    page.setAPoint(b, 2);
    c.pageSlots.clear();
    for (int v : {0, 99, -1, 0, 35}) c.pageSlots.add(v);
    c.loopStart = 5;
    c.loopEnd = 2;
    c.loopRegionActive = true;
    c.fadeOutMode = INT_MIN;
    c.autoCymbal_nthBar = INT_MAX;
    c.tempoValue = 0;
    c.key = 1000;
    c.playingPosition = 50;
    // The session reader brings a loaded session into range, then the style is selected again.
    c.sanitize();
    p.app().selectStyle(-1, false, false, false);
    EXPECT_EQ(c.pageSequenceText(), "11Z");
    EXPECT_FALSE(c.loopRegionActive);
    EXPECT_EQ(c.key, 4);
    Llist<MidiEvent> ev = p.render();
    expectBalanced(ev);
    // Live too, with loop settings changed under the running clock.
    p.start();
    p.poll(2000);
    c.loopStart = 0;
    c.loopEnd = -1;
    c.loopRegionActive = true; // no end: not usable
    c.loopMode = 1;
    p.poll(2000);
    c.loopStart = 100000;
    c.loopEnd = 200000;
    c.loopMode = 0;
    p.poll(2000);
    c.pageSlots.at(0) = 70; // changed behind the driver's back
    p.poll(2000);
    EXPECT_TRUE(p.clk().isPlaying());
}

TEST(BadInput, VeryLongSequenceStaysInRange) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    QvCore& c = p.core();
    c.stepsPerBar(8192);
    c.pages.at(0).addChord(QvChord(0, 0, 0, kAutoBassArg, false, 768), -1);
    c.pageSlots.clear();
    for (int i = 0; i < 5000; ++i) c.pageSlots.add(0);
    EXPECT_EQ(c.songLength(), kMaxSongSteps);
    EXPECT_LE(c.startTickOf(4999), kMaxSongSteps);
    SequenceLocation at = c.locateStep(INT_MAX);
    EXPECT_GE(at.offset, 0);
    p.start();
    p.poll(100);
    c.fadeOutMode = -INT_MAX;
    p.poll(100);
    EXPECT_TRUE(p.clk().isPlaying());
}
