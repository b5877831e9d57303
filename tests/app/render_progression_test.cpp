// Sessions rendered through the MIDI capture path: chord progressions in 4/4 and 3/4, slash chords
// and inversions. Times are capture times: eighths of a step.
#include "play_harness.h"

using namespace play;

namespace {

QvChord chord(int key, int variant = 0, int len = 48, int inversion = 0, int bass = kAutoBassArg) {
    return QvChord(key, variant, inversion, bass, false, len);
}

} // namespace

TEST(RenderProgression, FourBarsIn44) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    p.setChords(0, {chord(0), chord(5), chord(7), chord(0)});
    Llist<MidiEvent> ev = p.render();

    // Bass: root and fifth of each bar, moved onto the chord around C (F and G lie below C).
    int bass = p.channelOf(1);
    EXPECT_EQ(bass, 10);
    std::vector<Note> expectBass = {{0, 36, 100},   {64, 43, 90},  {128, 29, 100}, {192, 36, 90},
                                    {256, 31, 100}, {320, 38, 90}, {384, 36, 100}, {448, 43, 90}};
    EXPECT_EQ(noteOns(ev, bass), expectBass);
    // Each bass note lasts four steps (32 eighths).
    std::vector<Note> offs = noteOffs(ev, bass);
    ASSERT_GE(offs.size(), 8u);
    EXPECT_EQ(offs[0], (Note{32, 36, 0}));
    EXPECT_EQ(offs[1], (Note{96, 43, 0}));

    // Chords moved onto each chord's key offset.
    int chords = p.channelOf(2);
    EXPECT_EQ(pitches(onsAt(noteOns(ev, chords), 0)), (std::vector<int>{60, 64, 67}));
    EXPECT_EQ(pitches(onsAt(noteOns(ev, chords), 128)), (std::vector<int>{53, 57, 60}));
    EXPECT_EQ(pitches(onsAt(noteOns(ev, chords), 256)), (std::vector<int>{55, 59, 62}));
    EXPECT_EQ(onsAt(noteOns(ev, chords), 64)[0].vel, 60);
    EXPECT_EQ(noteOns(ev, chords).size(), 24u);

    // Chord codes 72..74: voices 0..2 of the seven-voice voicing, inverted until its third voice
    // (the strum height) is at least 30: C gives 24, 28, 31; F gives 24, 29, 33; all + 36.
    int codes = p.channelOf(3);
    std::vector<Note> codeOns = noteOns(ev, codes);
    EXPECT_EQ(codeOns.size(), 12u);
    EXPECT_EQ(pitches(std::vector<Note>(codeOns.begin(), codeOns.begin() + 6)),
              (std::vector<int>{60, 64, 67, 60, 65, 69}));
    EXPECT_EQ(codeOns[4].time, 160);

    // Drums: the hi-hat every second step, kick and snare on their steps, velocities neutral.
    std::vector<Note> drums = noteOns(ev, 9);
    EXPECT_EQ(drums.size(), 4u * 12u);
    EXPECT_EQ(onsAt(drums, 0), (std::vector<Note>{{0, 42, 80}, {0, 36, 100}}));
    EXPECT_EQ(onsAt(drums, 32), (std::vector<Note>{{32, 42, 80}, {32, 38, 100}}));
    // Drum notes last half a step.
    EXPECT_EQ(noteOffs(ev, 9)[0], (Note{4, 42, 0}));
}

TEST(RenderProgression, ThreeBarsIn34) {
    Player p;
    p.addStyle(style34());
    p.use(2);
    EXPECT_EQ(p.core().stepsPerBar(), 12);
    EXPECT_TRUE(p.core().isTripleMeter());
    p.setChords(0, {chord(0), chord(7, 4), chord(0)});
    EXPECT_EQ(p.core().songLength(), 36);
    Llist<MidiEvent> ev = p.render();

    std::vector<Note> expectBass = {{0, 36, 100},   {32, 43, 90},  {64, 43, 90},
                                    {96, 31, 100},  {128, 38, 90}, {160, 38, 90},
                                    {192, 36, 100}, {224, 43, 90}, {256, 43, 90}};
    EXPECT_EQ(noteOns(ev, p.channelOf(1)), expectBass);
    // The monophonic bass ends its sounding note when the next one comes.
    std::vector<Note> bassOffs = noteOffs(ev, p.channelOf(1));
    EXPECT_EQ(bassOffs[0], (Note{32, 36, 0}));

    int chords = p.channelOf(2);
    std::vector<Note> c = noteOns(ev, chords);
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(pitches(onsAt(c, 96)), (std::vector<int>{55, 59, 62}));
    EXPECT_EQ(pitches(onsAt(c, 192)), (std::vector<int>{60, 64, 67}));

    std::vector<Note> drums = noteOns(ev, 9);
    EXPECT_EQ(drums.size(), 9u);
    EXPECT_EQ(onsAt(drums, 96), (std::vector<Note>{{96, 36, 100}}));
    EXPECT_EQ(onsAt(drums, 128), (std::vector<Note>{{128, 38, 100}}));
}

TEST(RenderProgression, SlashChordAndInversion) {
    Player p;
    StyleFile s = makeStyle(5, 4, 16,
                            {makeTrack(0, 1, 0, {sn(36, 100, 0, 1)}),
                             makeTrack(1, 1, 33, {sn(36, 100, 0, 4), sn(43, 90, 8, 4)}),
                             makeTrack(3, 3, 48, {sn(60, 70, 0, 8)}, 16, 1)});
    p.addStyle(s);
    p.use(5);
    // C/E, then C in its first inversion, then C/E with the bass an octave up.
    QvChord slashUp = chord(0, 0, 48, 0, 4);
    slashUp.bassOctave = true;
    p.setChords(0, {chord(0, 0, 48, 0, 4), chord(0, 0, 48, 1), slashUp});
    Llist<MidiEvent> ev = p.render();

    // The root goes to the bass note E (offset -8); the fifth G becomes the nearest chord tone above
    // B that does not clash with E (C, one semitone up). The raised bass also plays a little softer.
    std::vector<Note> expectBass = {{0, 28, 100},  {64, 36, 90},  {128, 36, 100},
                                    {192, 43, 90}, {256, 40, 95}, {320, 48, 85}};
    EXPECT_EQ(noteOns(ev, p.channelOf(1)), expectBass);

    // Code 60: every chord tone + 36, the tones raised until the top is 30 or more and then inverted.
    int codes = p.channelOf(2);
    EXPECT_EQ(pitches(onsAt(noteOns(ev, codes), 0)), (std::vector<int>{55, 60, 64, 67}));
    EXPECT_EQ(pitches(onsAt(noteOns(ev, codes), 128)), (std::vector<int>{60, 64, 67, 72}));
    EXPECT_EQ(pitches(onsAt(noteOns(ev, codes), 256)), (std::vector<int>{55, 60, 64, 67}));
    EXPECT_EQ(noteOns(ev, codes).size(), 12u);
}
