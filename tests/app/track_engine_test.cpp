// The track pattern engine's rules, rendered through the capture path (eighths of a step).
#include "play_harness.h"

using namespace play;

namespace {

QvChord chord(int key, int len = 48, int variant = 0) {
    return QvChord(key, variant, 0, kAutoBassArg, false, len);
}

void addPoint(Player& p, int page, int pos, int kind) {
    QvPage& pg = p.core().pages.at(page);
    pg.addAPoint(pos);
    int i = pg.findAPoint(pos);
    QvAPoint point = pg.apointAt(i);
    point.applyKind(kind, true, false);
    pg.setAPoint(point, i);
}

StyleFile bassOnly(std::vector<StyleNote> notes) {
    return makeStyle(10, 4, 16, {makeTrack(0, 1, 0, {}), makeTrack(1, 1, 33, notes)});
}

} // namespace

TEST(TrackEngine, BassAlignmentAtAChordOffThePatternRhythm) {
    Player p;
    p.addStyle(bassOnly({sn(36, 100, 0, 4), sn(43, 90, 8, 4)}));
    p.use(10);
    p.setChords(0, {chord(0, 12), chord(5, 36)});
    Llist<MidiEvent> ev = p.render();
    // The change at step 4 has no bass root within half a beat: the step-0 notes play, on F.
    EXPECT_EQ(noteOns(ev, p.channelOf(1)), (std::vector<Note>{{0, 36, 100}, {32, 29, 100}, {64, 36, 90}}));
}

TEST(TrackEngine, BassAlignmentKeepsARootWithinHalfABeat) {
    Player p;
    p.addStyle(bassOnly({sn(36, 100, 0, 4), sn(48, 80, 5, 2), sn(43, 90, 8, 4)}));
    p.use(10);
    p.setChords(0, {chord(0, 12), chord(5, 36)});
    Llist<MidiEvent> ev = p.render();
    EXPECT_EQ(noteOns(ev, p.channelOf(1)), (std::vector<Note>{{0, 36, 100}, {40, 41, 80}, {64, 36, 90}}));
}

TEST(TrackEngine, BreakLengthsVolumesAndLayers) {
    Player p;
    StyleTrack pad = makeTrack(2, 1, 0, {sn(48, 100, 0, 8), sn(60, 100, 0, 8), sn(64, 100, 0, 8)}, 16, 1);
    pad.breakVolume = 50;
    StyleTrack layerB = makeTrack(2, 1, 0, {sn(67, 90, 0, 8)}, 16, 2);
    p.addStyle(makeStyle(11, 4, 16,
                         {makeTrack(0, 1, 0, {}), makeTrack(1, 1, 33, {sn(36, 100, 0, 4)}), pad, layerB}));
    p.use(11);
    p.setChords(0, {chord(0), chord(5), chord(7), chord(0)});
    addPoint(p, 0, 48, 5); // Break Chords from bar 2
    Llist<MidiEvent> ev = p.render();
    int ch = p.channelOf(2);
    // In the break: the lower note lasts 1.25 beats (5 steps), the upper ones a beat (4 steps);
    // velocities at the track's break volume.
    EXPECT_EQ(onsAt(noteOns(ev, ch), 128), (std::vector<Note>{{128, 41, 50}, {128, 53, 50}, {128, 57, 50}}));
    std::vector<Note> offs = noteOffs(ev, ch);
    auto offAt = [&](int note, int after) {
        for (const Note& n : offs)
            if (n.note == note && n.time > after) return n.time;
        return -1;
    };
    EXPECT_EQ(offAt(41, 128), 128 + 40);
    EXPECT_EQ(offAt(53, 128), 128 + 32);
    // Nothing between chord starts.
    EXPECT_TRUE(onsAt(noteOns(ev, ch), 192).empty());
    EXPECT_EQ(onsAt(noteOns(ev, ch), 256).size(), 3u);

    // Layer B silenced by the mix: its track plays nothing, the bass and layer A play on.
    Player q;
    q.addStyle(makeStyle(11, 4, 16,
                         {makeTrack(0, 1, 0, {}), makeTrack(1, 1, 33, {sn(36, 100, 0, 4)}), pad, layerB}));
    q.use(11);
    q.setChords(0, {chord(0), chord(5)});
    q.core().mix.mixB = 0.0;
    Llist<MidiEvent> ev2 = q.render();
    EXPECT_TRUE(noteOns(ev2, q.channelOf(3)).empty());
    EXPECT_EQ(noteOns(ev2, q.channelOf(2)).size(), 6u);
    EXPECT_EQ(noteOns(ev2, q.channelOf(1)).size(), 2u);
}

TEST(TrackEngine, ProgramSixtySixBreaksInsteadOfSustaining) {
    Player p;
    StyleTrack sax = makeTrack(2, 1, 66, {sn(60, 100, 0, 8), sn(64, 100, 0, 8)}, 16, 1);
    p.addStyle(makeStyle(12, 4, 16, {makeTrack(0, 1, 0, {}), makeTrack(1, 0, 0, {}), sax}));
    p.use(12);
    p.setChords(0, {chord(0), chord(5)});
    addPoint(p, 0, 0, 2); // Sustain Chords
    Llist<MidiEvent> ev = p.render();
    int ch = p.channelOf(2);
    EXPECT_TRUE(controls(ev, ch, 64).empty());              // no pedal
    EXPECT_EQ(noteOffs(ev, ch).front(), (Note{32, 60, 0})); // a beat long, as a break
}

TEST(TrackEngine, TriggerModes) {
    // Mode 2 fills a chord change that falls on an empty step and holds the pedal; mode 3 plays the
    // start of its pattern at every chord start; mode 4 only when the chord changes.
    Player p;
    StyleTrack m2 = makeTrack(2, 2, 0, {sn(60, 90, 0, 2), sn(64, 90, 8, 2)}, 16, 1);
    StyleTrack m3 = makeTrack(2, 3, 0, {sn(67, 80, 0, 2), sn(72, 80, 8, 2)}, 16, 1);
    StyleTrack m4 = makeTrack(2, 4, 0, {sn(76, 70, 0, 2)}, 16, 1);
    p.addStyle(makeStyle(13, 4, 16, {makeTrack(0, 1, 0, {}), makeTrack(1, 0, 0, {}), m2, m3, m4}));
    p.use(13);
    p.setChords(0, {chord(0, 12), chord(5, 36), chord(5), chord(7)});
    Llist<MidiEvent> ev = p.render();
    EXPECT_EQ(noteOns(ev, p.channelOf(2)), (std::vector<Note>{{0, 60, 90},
                                                              {32, 53, 90},
                                                              {64, 57, 90},
                                                              {128, 53, 90},
                                                              {192, 57, 90},
                                                              {256, 55, 90},
                                                              {320, 59, 90}}));
    EXPECT_FALSE(controls(ev, p.channelOf(2), 64).empty());
    EXPECT_EQ(pitches(noteOns(ev, p.channelOf(3))), (std::vector<int>{67, 60, 60, 62}));
    EXPECT_EQ(noteOns(ev, p.channelOf(4)), (std::vector<Note>{{0, 76, 70}, {32, 69, 70}, {256, 71, 70}}));
}

TEST(TrackEngine, LayerSwitchedOffByAPointCutsItsNotes) {
    Player p;
    StyleTrack layerA = makeTrack(2, 1, 0, {sn(60, 90, 0, 16)}, 16, 1);
    p.addStyle(makeStyle(14, 4, 16, {makeTrack(0, 1, 0, {}), makeTrack(1, 0, 0, {}), layerA}));
    p.use(14);
    p.setChords(0, {chord(0, 192)});
    QvPage& page = p.core().pages.at(0);
    page.addAPoint(24); // on beat 3 of bar 1: layer A off
    QvAPoint point = page.apointAt(0);
    point.oA = false;
    page.setAPoint(point, 0);
    Llist<MidiEvent> ev = p.render();
    int ch = p.channelOf(2);
    EXPECT_EQ(noteOns(ev, ch), (std::vector<Note>{{0, 60, 90}}));
    EXPECT_EQ(noteOffs(ev, ch).front(), (Note{64, 60, 0})); // cut at the point, not after 16 steps
}
