// Real-time playback through QuoVelanta::playbackTick, polled every 2 ms from a fake clock: step
// timing, gaps, dropped steps, loop regions, repeat modes and the busy window.
#include "play_harness.h"

using namespace play;

namespace {

QvChord chord(int key, int len = 48) {
    return QvChord(key, 0, 0, kAutoBassArg, false, len);
}

// A hi-hat on every step, nothing else.
StyleFile tickStyle(int id = 3) {
    std::vector<StyleNote> notes;
    for (int s = 0; s < 16; ++s) notes.push_back(sn(42, 80, s, 0.5));
    return makeStyle(id, 4, 16, {makeTrack(0, 1, 0, notes)});
}

// Note-ons of a channel logged since t0, as {ms since t0, pitch}.
std::vector<std::pair<std::int64_t, int>> liveOns(const Player& p, int channel, std::int64_t t0) {
    std::vector<std::pair<std::int64_t, int>> out;
    for (const TimedMessage& m : p.live)
        if (m.status == 0x90 + channel && m.data2 > 0 && m.ms >= t0) out.push_back({m.ms - t0, m.data1});
    return out;
}

// The same as {step, pitch}: at 120 BPM and 4 steps a beat a step is 125 ms; a step sounds at the first
// 2 ms poll after it is due.
std::vector<std::pair<int, int>> onSteps(const Player& p, int channel, std::int64_t t0) {
    std::vector<std::pair<int, int>> out;
    for (auto [ms, pitch] : liveOns(p, channel, t0)) {
        EXPECT_LE(ms % 125, 4) << "note at " << ms << " ms is not on a step";
        out.push_back({int(ms / 125), pitch});
    }
    return out;
}

} // namespace

TEST(LivePlayback, StepsFollowTheClockInTwoMsPolls) {
    Player p;
    p.addStyle(tickStyle());
    p.use(3);
    p.setChords(0, {chord(0)});
    std::int64_t t0 = p.clock.now;
    p.start();
    EXPECT_TRUE(p.clk().isPlaying());
    // 8 polls of 2 ms at 120 BPM and 4 steps a beat advance the accumulator by 0.128 steps.
    p.poll(16);
    EXPECT_NEAR(p.clk().clockValue(), 0.128, 1e-9);
    p.poll(1000 - 16);
    std::vector<std::pair<std::int64_t, int>> ons = liveOns(p, 9, t0);
    ASSERT_EQ(ons.size(), 9u); // steps 0..8 within the first second
    for (size_t k = 0; k < ons.size(); ++k) {
        EXPECT_GE(ons[k].first, std::int64_t(125 * k));
        EXPECT_LE(ons[k].first, std::int64_t(125 * k + 2));
    }
    EXPECT_EQ(ons[1].first, 126); // the first poll at which 1.008 steps have passed
}

TEST(LivePlayback, AGapCountsNothingAndPassedStepsAreDropped) {
    Player p;
    p.addStyle(tickStyle());
    p.use(3);
    p.setChords(0, {chord(0)});
    p.start();
    p.poll(188); // 1.504 steps
    StepControl& c = p.clk();
    EXPECT_EQ(c.stepInPage, 1);
    double before = c.clockValue();
    size_t logged = p.live.size();

    // The process was blocked for 250 ms: that interval is not counted at all.
    p.clock.advance(250);
    p.app().playbackTick();
    EXPECT_DOUBLE_EQ(c.clockValue(), before);
    EXPECT_EQ(c.stepInPage, 1);
    EXPECT_EQ(p.live.size(), logged);
    // The following polls count from that moment on: step 2 comes 0.496 steps (62 ms) later.
    std::int64_t gapEnd = p.clock.now;
    p.poll(70);
    std::vector<std::pair<std::int64_t, int>> ons = liveOns(p, 9, gapEnd);
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(ons[0].first, 62);
    EXPECT_EQ(c.stepInPage, 2);

    // One poll 200 ms later passes two whole steps (1.6): only one step is played, the other dropped.
    double acc = c.clockValue(); // 2.056
    logged = p.live.size();
    p.clock.advance(200);
    p.app().playbackTick();
    EXPECT_NEAR(c.clockValue(), acc + 1.6, 1e-9);
    EXPECT_EQ(c.counted, 3);
    EXPECT_EQ(c.stepInPage, 3);
    int onsNow = 0;
    for (size_t i = logged; i < p.live.size(); ++i)
        if (p.live[i].status == 0x99 && p.live[i].data2 > 0) ++onsNow;
    EXPECT_EQ(onsNow, 1);
}

// Play pressed while the output still opens: what was sent is kept by the output, and the song goes
// on from there once the output sounds; no step is passed over.
TEST(LivePlayback, APlayWhileTheOutputOpensStartsWhenItSounds) {
    Player p;
    p.addStyle(tickStyle());
    p.use(3);
    p.setChords(0, {chord(0)});
    p.synth->ready = false;
    std::int64_t t0 = p.clock.now;
    p.start();
    p.poll(1000);
    EXPECT_EQ(p.clk().clockValue(), 0.0);
    EXPECT_EQ(liveOns(p, 9, t0).size(), 1u); // step 0, sent at once
    p.synth->ready = true;
    std::int64_t t1 = p.clock.now;
    p.poll(510);
    std::vector<std::pair<int, int>> expect = {{1, 42}, {2, 42}, {3, 42}, {4, 42}};
    EXPECT_EQ(onSteps(p, 9, t1), expect);
}

TEST(LivePlayback, LoopRegionRepeatsItsBars) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    p.setChords(0, {chord(0), chord(5), chord(7), chord(0)});
    p.core().loopStart = 1;
    p.core().loopEnd = 1;
    p.core().loopRegionActive = true;
    std::int64_t t0 = p.clock.now;
    p.start();
    p.poll(125 * 72);
    std::vector<std::pair<int, int>> expect = {{0, 36},  {8, 43},  {16, 29}, {24, 36}, {32, 29},
                                               {40, 36}, {48, 29}, {56, 36}, {64, 29}};
    EXPECT_EQ(onSteps(p, p.channelOf(1), t0), expect);
}

TEST(LivePlayback, LoopRegionEndingAtTheSongEndLoopsEvenWithRepeatOff) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    p.setChords(0, {chord(0), chord(5), chord(7), chord(0)});
    p.core().loopMode = 2;
    p.core().loopStart = 2;
    p.core().loopEnd = 3;
    p.core().loopRegionActive = true;
    std::int64_t t0 = p.clock.now;
    p.start();
    p.poll(125 * 100);
    EXPECT_TRUE(p.clk().isPlaying());
    std::vector<std::pair<int, int>> ons = onSteps(p, p.channelOf(1), t0);
    ASSERT_GE(ons.size(), 12u);
    // Bars 3 and 4 (G, C) come again after the end.
    EXPECT_EQ(ons[8], (std::pair<int, int>{64, 31}));
    EXPECT_EQ(ons[10], (std::pair<int, int>{80, 36}));
}

TEST(LivePlayback, RepeatPageAndBusyWindowHoldThePage) {
    for (int variant = 0; variant < 2; ++variant) {
        Player p;
        p.addStyle(style44());
        p.use(1);
        p.setChords(0, {chord(0), chord(5)});
        p.setChords(1, {chord(7), chord(7)});
        p.core().parsePageSequence("12");
        if (variant == 0)
            p.core().loopMode = 1; // Repeat Page
        else
            p.app().popupMenuOpen = true; // a menu is open: playback holds the page
        std::int64_t t0 = p.clock.now;
        p.start();
        p.poll(125 * 80 - 20);
        std::vector<std::pair<int, int>> ons = onSteps(p, p.channelOf(1), t0);
        ASSERT_EQ(ons.size(), 10u);
        for (size_t i = 0; i < ons.size(); ++i) {
            EXPECT_EQ(ons[i].first, int(8 * i));
            EXPECT_EQ(ons[i].second, (std::vector<int>{36, 43, 29, 36})[i % 4]) << "variant " << variant;
        }
        EXPECT_EQ(p.core().playingPosition, 0);
    }
}

TEST(LivePlayback, RepeatOffStopsAtTheSongEnd) {
    Player p;
    p.addStyle(style44());
    p.use(1);
    p.setChords(0, {chord(0)});
    p.setChords(1, {chord(5)});
    p.core().parsePageSequence("12");
    p.core().loopMode = 2;
    p.start();
    EXPECT_TRUE(p.app().playButtonOn);
    int repaintsBefore = p.host.ruler;
    p.poll(125 * 40);
    EXPECT_FALSE(p.clk().isPlaying());
    EXPECT_FALSE(p.app().playButtonOn);
    EXPECT_EQ(p.host.ruler, repaintsBefore + 1);
    // The position rests at the start of the last page of the sequence.
    EXPECT_EQ(p.core().playingPosition, 1);
    EXPECT_EQ(p.clk().absoluteStep(), 16);
    // Every note was ended.
    int on = 0, off = 0;
    for (const TimedMessage& m : p.live) {
        if ((m.status & 0xF0) != 0x90) continue;
        (m.data2 > 0 ? on : off) += 1;
    }
    EXPECT_GE(off, on);
}
