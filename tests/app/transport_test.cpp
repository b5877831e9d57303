// Transport commands of the main window: the count-in's event lists, its cancellation by keys and
// close requests, the play commands, the play-from marker, the wait for the beat, the quit request.
#include "commands_rig.h"

using cmd::Rig;
using play::TimedMessage;

namespace {

struct Ev {
    std::int64_t t; // ms after the count-in's first message
    int status, d1, d2;
    bool operator==(const Ev&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Ev& e) {
    return os << "{" << e.t << " " << std::hex << e.status << std::dec << " " << e.d1 << " " << e.d2 << "}";
}

// The count-in's messages: from its first controller 7 to the controller 7 that restores the drum
// volume, times relative to the first.
std::vector<Ev> countInEvents(Rig& r, std::size_t from) {
    std::vector<Ev> out;
    std::int64_t t0 = 0;
    int volumes = 0;
    for (const TimedMessage& m : r.drumMessages(from)) {
        const bool volume = m.status == 0xB9 && m.data1 == 7;
        if (out.empty()) {
            if (!volume) continue;
            t0 = m.ms;
        }
        out.push_back({m.ms - t0, m.status, m.data1, m.data2});
        if (volume && ++volumes == 2) break;
    }
    return out;
}

// The expected list: volume, `clicks` clicks of half a beat each, the restored volume.
std::vector<Ev> expected(int clicks, int halfBeat, int volume, int key, int vel, int restored) {
    std::vector<Ev> out{{0, 0xB9, 7, volume}};
    for (int i = 0; i < clicks; ++i) {
        out.push_back({std::int64_t(2 * i) * halfBeat, 0x99, key, vel});
        out.push_back({std::int64_t(2 * i + 1) * halfBeat, 0x99, key, 0});
    }
    out.push_back({std::int64_t(2 * clicks) * halfBeat, 0xB9, 7, restored});
    return out;
}

int drumVolume(Rig& r) {
    return r.engine().instruments.at(0).volumeValue();
}

} // namespace

TEST(CountIn, ClicksByMeterAndBarsWithVolumeRestored) {
    struct Case {
        int style, mode, clicks;
    } cases[] = {{1, 1, 4}, {1, 2, 8}, {2, 1, 3}, {2, 2, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style) + " mode " + std::to_string(c.mode));
        Rig r;
        r.use(c.style);
        r.options().precountMode = c.mode;
        r.options().precountSound = 3; // claves: key 75, velocity 100
        r.options().precountVolume = 0.5;
        std::size_t mark = r.live.size();
        r.key(32); // Space
        EXPECT_TRUE(r.playing());
        EXPECT_TRUE(r.app().playButtonOn);
        EXPECT_FALSE(r.app().countInRunning);
        EXPECT_EQ(countInEvents(r, mark), expected(c.clicks, 250, 89, 75, 100, drumVolume(r)));
        // The play button flashes once a beat, then shows the playing state.
        std::vector<int> states = r.host.playButtonStates;
        ASSERT_GE(states.size(), 3u);
        EXPECT_EQ(states.front(), 2);
        EXPECT_EQ(states.back(), -1);
        EXPECT_EQ(std::count(states.begin(), states.end(), 1), c.clicks + 1); // + the completed look
    }
}

TEST(CountIn, TempoSoundMuteAndPreWait) {
    Rig r;
    r.core().tempo(100); // half beat 300 ms
    r.options().precountMode = 1;
    r.options().precountSound = 42; // unknown: the hi-hat
    r.core().mute = true;
    r.options().precountWait = 1; // 500 ms before the first click
    std::int64_t start = r.clock.now;
    std::size_t mark = r.live.size();
    const int restored = drumVolume(r);
    r.key(36); // Home
    std::vector<Ev> ev = countInEvents(r, mark);
    EXPECT_EQ(ev, expected(4, 300, 0, 42, 85, restored));
    std::vector<TimedMessage> drum = r.drumMessages(mark);
    ASSERT_FALSE(drum.empty());
    EXPECT_EQ(drum.front().ms - start, 500);

    // An exponent beyond the list (a hand-edited option) waits the longest listed time, 2 s.
    Rig q;
    q.options().precountMode = 1;
    q.options().precountWait = 40;
    start = q.clock.now;
    mark = q.live.size();
    q.key(36);
    drum = q.drumMessages(mark);
    ASSERT_FALSE(drum.empty());
    EXPECT_EQ(drum.front().ms - start, 2000);
    EXPECT_TRUE(q.playing());
}

TEST(CountIn, ZeroStepsPerBeatStillCountsWholeBeats) {
    Rig r;
    r.options().precountMode = 1;
    r.core().stepsPerBeatValue = 0; // never divides by zero: one step a beat
    r.core().stepsPerBarValue = 3;
    std::size_t mark = r.live.size();
    EXPECT_TRUE(r.app().countIn());
    EXPECT_EQ(countInEvents(r, mark).size(), 2u + 2 * 3);
}

TEST(CountIn, AKeyCancelsItAndTheNextSpacePlays) {
    Rig r;
    r.options().precountMode = 1;
    std::size_t mark = r.live.size();
    r.loop.onPump = [&] {
        if (r.loop.pumps == 100) r.key(32); // Space inside the count-in: cancels, starts nothing
    };
    r.key(32);
    EXPECT_FALSE(r.playing());
    EXPECT_FALSE(r.app().countInRunning);
    EXPECT_FALSE(r.app().countInCancelled); // consumed: later play commands work
    EXPECT_EQ(r.host.playButtonStates.back(), 0);
    // The sounding click was ended and the drum volume restored.
    std::vector<TimedMessage> drum = r.drumMessages(mark);
    int ons = 0, offs = 0, lastVolume = -1;
    for (const TimedMessage& m : drum) {
        if (m.status == 0x99) ++(m.data2 > 0 ? ons : offs);
        if (m.status == 0xB9 && m.data1 == 7) lastVolume = m.data2;
    }
    EXPECT_EQ(lastVolume, drumVolume(r));
    EXPECT_GT(ons, 0);
    EXPECT_EQ(ons, offs);
    EXPECT_LT(ons, 4);

    r.loop.onPump = nullptr;
    r.key(32);
    EXPECT_TRUE(r.playing());
}

TEST(CountIn, AnyKeyButShiftAndCtrlCancelsAndRunsItsCommand) {
    Rig r;
    r.options().precountMode = 1;
    r.loop.onPump = [&] {
        if (r.loop.pumps == 50) {
            r.key(16);
            r.key(17);
        }
    };
    r.key(32);
    EXPECT_TRUE(r.playing()); // Shift and Ctrl alone leave it running
    r.key(32);
    EXPECT_FALSE(r.playing());

    r.loop.pumps = 0;
    r.loop.onPump = [&] {
        if (r.loop.pumps == 50) r.key('R');
    };
    r.key(13); // Enter without a loop: nothing at all
    EXPECT_EQ(r.loop.pumps, 0);
    r.key(32);
    EXPECT_FALSE(r.playing());
    EXPECT_EQ(r.core().loopMode, 1);
    EXPECT_EQ(r.newest(), "Select repeat mode");
}

TEST(CountIn, ACloseRequestEndsItAndLeavesNoStaleFlag) {
    Rig r;
    r.options().precountMode = 2;
    r.loop.onPump = [&] {
        if (r.loop.pumps == 30) r.loop.abort = true;
    };
    r.key(36);
    EXPECT_FALSE(r.playing());
    EXPECT_FALSE(r.app().countInRunning);
    EXPECT_FALSE(r.app().countInCancelled);
    r.loop.abort = false;
    r.loop.onPump = nullptr;
    r.key(36);
    EXPECT_TRUE(r.playing());
}

TEST(Transport, PrecountOffStartsAtOnceAndSpaceStops) {
    Rig r;
    r.chords(8, 48); // 8 bars on page 0
    r.core().pageSlots.add(0);
    r.core().editedPosition = 1;
    r.key(32);
    EXPECT_TRUE(r.playing());
    EXPECT_EQ(r.core().playingPosition, 1);
    EXPECT_EQ(r.engine().stepControl.absoluteStep(), r.core().startTickOf(1));
    EXPECT_EQ(r.loop.pumps, 0);
    r.key(32);
    EXPECT_FALSE(r.playing());
    r.key(36); // Home: from the start
    EXPECT_TRUE(r.playing());
    EXPECT_EQ(r.engine().stepControl.absoluteStep(), 0);
    r.key(36);
    EXPECT_FALSE(r.playing());
}

TEST(Transport, LoopStartAndSelectorClosing) {
    Rig r;
    r.chords(4, 48);
    r.key(13);
    EXPECT_FALSE(r.playing()); // no loop
    r.core().loopStart = 2;
    r.core().loopEnd = 3;
    r.app().selectorKind = 4;
    r.key(13);
    EXPECT_TRUE(r.playing());
    EXPECT_EQ(r.engine().stepControl.absoluteStep(), 32);
    EXPECT_EQ(r.app().selectorKind, 0);
    EXPECT_EQ(r.host.count("closeSelector"), 1);
    r.key(13);
    EXPECT_FALSE(r.playing());
    // Space keeps the selector open.
    r.app().selectorKind = 1;
    r.key(32);
    EXPECT_TRUE(r.playing());
    EXPECT_EQ(r.app().selectorKind, 1);
}

TEST(Transport, PlayFromPositionStartsAtTheMarkerAndFlashes) {
    Rig r;
    r.chords(4, 48); // page 0: 4 bars = 64 steps
    r.core().pageSlots.add(0);
    r.core().editedPosition = 1;
    r.app().playMarkerPosition = 24;
    int pumps = r.loop.pumps;
    std::int64_t t = r.clock.now;
    int startStep = -1;
    r.host.onMarker = [&](int flash) {
        if (flash == 1 && startStep < 0) startStep = r.engine().stepControl.absoluteStep();
    };
    r.app().playFromPosition();
    EXPECT_TRUE(r.playing());
    EXPECT_EQ(r.core().playingPosition, 1);
    EXPECT_EQ(startStep, 72);
    EXPECT_EQ(r.host.markerFlashes, (std::vector<int>{1, 0, -1}));
    EXPECT_EQ(r.loop.pumps, pumps); // the flash delivers no events
    EXPECT_GE(r.clock.now - t, 250);
    EXPECT_EQ(r.app().countInMarkerPosition, -1);

    // With the precount the marker flashes with the clicks.
    Rig q;
    q.chords(4, 48);
    q.options().precountMode = 1;
    q.app().playMarkerPosition = 12;
    q.app().playFromPosition();
    EXPECT_TRUE(q.playing());
    EXPECT_EQ(q.host.markerFlashes, (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0, -1}));
    // No marker: nothing.
    Rig n;
    n.app().playFromPosition();
    EXPECT_FALSE(n.playing());
}

TEST(Transport, WaitForBeatTicksPlaybackUntilTheBeatGroupEnds) {
    Rig r;
    r.chords(4, 48);
    r.app().waitForBeat(); // stopped: returns at once
    EXPECT_EQ(r.loop.sleeps, 0);
    r.key(32);
    ASSERT_TRUE(r.playing());
    std::int64_t t = r.clock.now;
    int s0 = r.engine().stepControl.absoluteStep();
    r.app().waitForBeat();
    int s = r.engine().stepControl.absoluteStep();
    EXPECT_LT(r.clock.now - t, 1000);
    EXPECT_TRUE(s % 2 == 1 || s - s0 >= 2) << s0 << " " << s;
    EXPECT_GT(r.host.count("ruler"), 0);
}

TEST(Transport, PrecountCycles) {
    Rig r;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        r.key('P');
        seen.push_back(r.options().precountMode);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(r.host.count("precountBox"), 4);
    EXPECT_EQ(r.history().count(), 1); // an option: no undo step
}

TEST(Transport, BusyWhileAnEditHoldsThePage) {
    Rig r;
    EXPECT_FALSE(r.app().isBusy());
    for (int kind : {4, 5, 6}) {
        r.app().selectorKind = kind;
        EXPECT_TRUE(r.app().isBusy());
    }
    r.app().selectorKind = 2;
    EXPECT_FALSE(r.app().isBusy());
    r.app().popupMenuOpen = true;
    EXPECT_TRUE(r.app().isBusy());
}

TEST(CountIn, APlayCommandWhilePlayingStopsCountsInAndStartsAgain) {
    Rig r;
    r.chords(4, 48);
    r.key(32);
    ASSERT_TRUE(r.playing());
    r.options().precountMode = 1;
    bool stoppedDuringCountIn = false;
    r.loop.onPump = [&] {
        if (r.app().countInRunning && !r.playing()) stoppedDuringCountIn = true;
    };
    r.app().selectorKind = 2;
    r.app().playFromStart(false);
    EXPECT_TRUE(stoppedDuringCountIn);
    EXPECT_TRUE(r.playing());
    EXPECT_EQ(r.app().selectorKind, 0); // from the start: the selector closes
    EXPECT_LE(r.engine().stepControl.absoluteStep(), 1);
}

TEST(Transport, ALoopStartBeyondAShortenedSongStillPlaysSafely) {
    Rig r;
    r.chords(1, 48);
    r.core().loopStart = 50; // the song was shortened after the loop was set
    r.core().loopEnd = 60;
    r.key(13);
    EXPECT_TRUE(r.playing());
    r.loop.onPump = nullptr;
    for (int i = 0; i < 500; ++i) {
        r.clock.advance(2);
        r.app().playbackTick();
    }
    int step = r.engine().stepControl.absoluteStep();
    EXPECT_GE(step, 0);
    EXPECT_LT(step, r.core().songLength());
}
