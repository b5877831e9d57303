// Arrangement points, cymbals, fade-out, style switches and mixer changes rendered through the MIDI
// capture path. Times are capture times: eighths of a step; one bar of 16 steps is 128.
#include "play_harness.h"

using namespace play;

namespace {

QvChord chord(int key, int variant = 0, int len = 48) {
    return QvChord(key, variant, 0, kAutoBassArg, false, len);
}

void progression(Player& p) {
    p.setChords(0, {chord(0), chord(5), chord(7), chord(0)});
}

void addPoint(Player& p, int pos, int kind, int cym = -1) {
    QvPage& page = p.core().pages.at(0);
    page.addAPoint(pos);
    int i = page.findAPoint(pos);
    QvAPoint point = page.apointAt(i);
    point.applyKind(kind, true, false);
    if (cym >= 0) point.cym = cym;
    page.setAPoint(point, i);
}

int indexOf(const Llist<MidiEvent>& ev, int time, int status, int d1, int d2) {
    for (int i = 0; i < ev.count(); ++i) {
        const MidiEvent& e = ev.at(i);
        if (e.time == time && e.status == status && e.data1 == d1 && e.data2 == d2) return i;
    }
    return -1;
}

} // namespace

TEST(RenderArrangement, DrumBreakPlaysItsHitsOnChordStarts) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    progression(p);
    addPoint(p, 48, 7); // "Drum Break" with a crash, from bar 2
    Llist<MidiEvent> ev = p.render();
    std::vector<Note> drums = noteOns(ev, 9);
    // Bar 1 plays the pattern; from the point only the crash and the break hits (the first kick
    // and the first hi-hat of the pattern), again at every chord start.
    int before = 0;
    for (const Note& n : drums)
        if (n.time < 128) ++before;
    EXPECT_EQ(before, 12);
    std::vector<Note> after;
    for (const Note& n : drums)
        if (n.time >= 128) after.push_back(n);
    std::vector<Note> expect = {{128, 49, 65}, {128, 36, 100}, {128, 42, 80}, {256, 36, 100},
                                {256, 42, 80}, {384, 36, 100}, {384, 42, 80}};
    EXPECT_EQ(after, expect);
    // The bass plays on as before.
    EXPECT_EQ(noteOns(ev, p.channelOf(1)).size(), 8u);
}

TEST(RenderArrangement, SustainCutsNotesAndPressesThePedalAfterTheNotes) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    progression(p);
    addPoint(p, 48, 3); // Sustain Bass & Chords from bar 2
    Llist<MidiEvent> ev = p.render();
    int bass = p.channelOf(1);
    std::vector<Note> expectBass = {
        {0, 36, 100}, {64, 43, 90}, {128, 29, 100}, {256, 31, 100}, {384, 36, 100}};
    EXPECT_EQ(noteOns(ev, bass), expectBass);
    // The pedal goes down after the note of the step starts, and comes up at the next chord change.
    std::vector<std::pair<int, int>> pedal = controls(ev, bass, 64);
    // (The last release is the end of the render ending every note.)
    std::vector<std::pair<int, int>> expectPedal = {{128, 127}, {256, 0},   {256, 127},
                                                    {384, 0},   {384, 127}, {511, 0}};
    EXPECT_EQ(pedal, expectPedal);
    int on = indexOf(ev, 128, 0x90 + bass, 29, 100);
    int down = indexOf(ev, 128, 0xB0 + bass, 64, 127);
    ASSERT_GE(on, 0);
    EXPECT_GT(down, on);
    int up = indexOf(ev, 256, 0xB0 + bass, 64, 0);
    int next = indexOf(ev, 256, 0x90 + bass, 31, 100);
    EXPECT_LT(up, next);

    // Chords in Sustain: the upper notes of the pattern's start, one step long, on every chord start.
    std::vector<Note> chords = noteOns(ev, p.channelOf(2));
    EXPECT_EQ(pitches(onsAt(chords, 128)), (std::vector<int>{53, 57, 60}));
    EXPECT_TRUE(onsAt(chords, 192).empty());
    EXPECT_EQ(pitches(onsAt(chords, 256)), (std::vector<int>{55, 59, 62}));
    // A chord-code track with one upper note plays code 72 (the lowest voice) instead.
    EXPECT_EQ(pitches(onsAt(noteOns(ev, p.channelOf(3)), 128)), (std::vector<int>{60}));
    EXPECT_TRUE(onsAt(noteOns(ev, p.channelOf(3)), 160).empty());
}

TEST(RenderArrangement, SilencePointStopsEverythingButAutomaticCymbals) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    p.core().autoCymbal_nthBar = 1; // a crash every bar
    progression(p);
    addPoint(p, 96, 18); // "Silence" from bar 3: its cymbal is off, which suppresses that bar's crash
    Llist<MidiEvent> ev = p.render();
    for (int part = 1; part < 4; ++part) {
        int ch = p.channelOf(part);
        for (const Note& n : noteOns(ev, ch)) EXPECT_LT(n.time, 256) << "part " << part << " " << n;
        EXPECT_FALSE(noteOns(ev, ch).empty());
    }
    // With the drums off only the automatic cymbals still sound: bars 1, 2 and 4.
    std::vector<Note> late;
    for (const Note& n : noteOns(ev, 9))
        if (n.time >= 256) late.push_back(n);
    EXPECT_EQ(late, (std::vector<Note>{{384, 49, 65}}));
    int crashes = 0;
    for (const Note& n : noteOns(ev, 9))
        if (n.note == 49) ++crashes;
    EXPECT_EQ(crashes, 3);
    // Every note that started was ended.
    for (int part = 0; part < 4; ++part)
        EXPECT_EQ(noteOns(ev, p.channelOf(part)).size(), noteOffs(ev, p.channelOf(part)).size());
}

TEST(RenderArrangement, PointCymbalsTakePrecedenceOverPatternCymbals) {
    Player p;
    StyleFile s = makeStyle(
        7, 4, 16,
        {makeTrack(0, 1, 0, {sn(42, 80, 0, 1), sn(36, 100, 0, 1), sn(51, 70, 0, 1), sn(57, 70, 0, 1)})});
    p.addStyle(s);
    p.use(7);
    progression(p);
    addPoint(p, 48, 0, 4);  // Normal, striking the ride (51) on bar 2
    addPoint(p, 144, 0, 0); // Normal without a cymbal on bar 4: no automatic crash there
    p.core().autoCymbal_nthBar = 2;
    p.core().cymbalOnPageStart = true;
    Llist<MidiEvent> ev = p.render();
    std::vector<Note> drums = noteOns(ev, 9);
    // Bar 1: the automatic crash and the page-start crash (two crashes; the second retriggers the
    // first), and no pattern cymbal.
    EXPECT_EQ(onsAt(drums, 0), (std::vector<Note>{{0, 49, 65}, {0, 49, 65}, {0, 42, 80}, {0, 36, 100}}));
    EXPECT_EQ(indexOf(ev, 0, 0x99, 49, 0) > indexOf(ev, 0, 0x99, 49, 65), true);
    // Bar 2: the point's ride, no pattern cymbal.
    EXPECT_EQ(onsAt(drums, 128), (std::vector<Note>{{128, 51, 79}, {128, 42, 80}, {128, 36, 100}}));
    // Bar 3: the automatic crash of every second bar.
    EXPECT_EQ(onsAt(drums, 256), (std::vector<Note>{{256, 49, 65}, {256, 42, 80}, {256, 36, 100}}));
    // Bar 4: the point without a cymbal; the pattern's own cymbals sound.
    EXPECT_EQ(onsAt(drums, 384),
              (std::vector<Note>{{384, 42, 80}, {384, 36, 100}, {384, 51, 70}, {384, 57, 70}}));
}

TEST(RenderArrangement, FadeOutOverTheLastBar) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    progression(p);
    p.core().fadeOutMode = -1; // the last bar
    Llist<MidiEvent> ev = p.render();
    std::vector<std::pair<int, int>> vol = controls(ev, 9, 7);
    ASSERT_FALSE(vol.empty());
    // Nothing before the last bar; then the drums fall as the factor drops by 0.01 or more.
    EXPECT_EQ(vol.front(), (std::pair<int, int>{386, 100})); // trunc (0.984375 x 0.8 x 127.5)
    for (size_t i = 1; i < vol.size(); ++i) EXPECT_LE(vol[i].second, vol[i - 1].second);
    EXPECT_LE(vol.back().second, 2);
    // Velocities are unchanged; the volume carries the fade.
    EXPECT_EQ(onsAt(noteOns(ev, 9), 448).back(), (Note{448, 36, 100}));
}

TEST(RenderArrangement, StyleSwitchWhilePlayingKeepsTheBar) {
    Player p;
    p.addStyle(style44());
    p.addStyle(style34());
    p.use(1);
    progression(p);
    bool switched = false;
    Llist<MidiEvent> ev = p.render([&](int time) {
        if (!switched && time == 320) { // bar 3, step 8 of 16 (2.5 bars)
            p.app().selectStyle(2, false, false, true);
            switched = true;
        }
    });
    ASSERT_TRUE(switched);
    EXPECT_EQ(p.core().stepsPerBar(), 12);
    // The bars were converted to 3/4 without a question (nothing lies off the 3/4 grid).
    EXPECT_EQ(p.prompt.asked, 0);
    // Playback went on at bar 2.5 in the new style: song step 30, inside the G chord, step 6 of the
    // 3/4 pattern. No bass root follows within half a beat, so the pattern's first bass note is
    // played on G at once; then the fifth on step 8 and the root of C at song step 36 (bar 4).
    std::vector<Note> bass = noteOns(ev, p.channelOf(1));
    std::vector<Note> later;
    for (const Note& n : bass)
        if (n.time >= 320) later.push_back(n);
    // (The old style's step at that time had already played its fifth of G.)
    std::vector<Note> expect = {{320, 38, 90},  {320, 31, 100}, {336, 38, 90},
                                {368, 36, 100}, {400, 43, 90},  {432, 43, 90}};
    EXPECT_EQ(later, expect);
    // The 3/4 song is 48 steps long; while capturing, its end stops playback (no notes after 464).
    EXPECT_EQ(p.core().songLength(), 48);
    EXPECT_EQ(p.engine().styles.current().id, 2);
}

TEST(RenderArrangement, VolumeDropToZeroAndBackRetriggers) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    progression(p);
    Llist<MidiEvent> ev = p.render([&](int time) {
        if (time == 130) { // just after the F bar started
            p.core().mix.volBass = 0.0;
            p.core().applyMix(p.core().masterVolume(), false);
        }
        if (time == 164) { // between steps 20 and 21
            p.core().mix.volBass = 0.8;
            p.core().applyMix(p.core().masterVolume(), false);
        }
    });
    int bass = p.channelOf(1);
    std::vector<Note> ons = noteOns(ev, bass);
    // The dropped volume ended the sounding note at once; nothing played while silent; the next step
    // after the rise retriggers the part with the notes of the pattern's start on the current chord.
    EXPECT_EQ(ons[2], (Note{128, 29, 100}));
    EXPECT_EQ(noteOffs(ev, bass)[2], (Note{130, 29, 0}));
    EXPECT_EQ(ons[3], (Note{168, 29, 100}));
    EXPECT_EQ(ons[4], (Note{192, 36, 90}));
    std::vector<std::pair<int, int>> pedal = controls(ev, bass, 64);
    ASSERT_EQ(pedal.size(), 1u);
    EXPECT_EQ(pedal[0], (std::pair<int, int>{164, 0})); // the rise releases the pedal
}

TEST(RenderArrangement, PointsCountOnlyOnBeats) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    progression(p);
    addPoint(p, 6, 7);   // step 2: between beats, never reached while playing
    addPoint(p, 108, 7); // step 36: beat 2 of bar 3
    Llist<MidiEvent> ev = p.render();
    std::vector<Note> drums = noteOns(ev, 9);
    int before = 0;
    for (const Note& n : drums)
        if (n.time < 288) ++before;
    EXPECT_EQ(before, 12 * 2 + 3); // the pattern plays on until step 36 (bar 3: two hi-hats, a kick)
    EXPECT_EQ(onsAt(drums, 288), (std::vector<Note>{{288, 49, 65}, {288, 36, 100}, {288, 42, 80}}));
}

TEST(RenderArrangement, ExportPlaysTheWholeSongWhateverTheRepeatSettings) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    progression(p);
    p.core().loopMode = 1;
    p.core().loopStart = 1;
    p.core().loopEnd = 1;
    p.core().loopRegionActive = true;
    Llist<MidiEvent> ev = p.render();
    std::vector<Note> bass = noteOns(ev, p.channelOf(1));
    EXPECT_EQ(pitches(bass), (std::vector<int>{36, 43, 29, 36, 31, 38, 36, 43}));
    EXPECT_EQ(bass.back().time, 448);
    // The session's own settings are untouched.
    EXPECT_TRUE(p.core().loopRegionActive);
    EXPECT_EQ(p.core().loopMode, 1);
}
