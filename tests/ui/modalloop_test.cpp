#include "ui/modalloop.h"

#include <gtest/gtest.h>

#include "platform/clock.h"

namespace {

// A scripted driver: a fake clock, a count of ticks and pumps, and a step run on each pump.
class ScriptedLoop : public ModalLoop {
  public:
    FakeClock clock;
    int idleTicks = 0, playTicks = 0, pumps = 0;
    bool playing = false, abort = false;
    std::function<void()> onPump;

    void tick(bool idle) override { ++(idle ? idleTicks : playTicks); }
    void pumpEvents() override {
        ++pumps;
        // A copy runs: a step may replace onPump (and so destroy the closure it runs in).
        if (std::function<void()> step = onPump) step();
    }
    void sleepMs(int ms) override { clock.sleepMs(ms); }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return playing; }
    bool abortWaits() const override { return abort; }
};

struct Installed {
    explicit Installed(ModalLoop* l) : previous(setModalLoop(l)) {}
    ~Installed() { setModalLoop(previous); }
    ModalLoop* previous;
};

} // namespace

TEST(ModalLoop, PassesTickPumpAndSleepByPlayingStateUntilDone) {
    ScriptedLoop loop;
    Installed in(&loop);
    int passes = 0;
    loop.onPump = [&] { ++passes; };
    EXPECT_TRUE(runModalLoop([&] { return passes >= 3; }, false));
    EXPECT_EQ(loop.playTicks, 3);
    EXPECT_EQ(loop.idleTicks, 0);
    EXPECT_EQ(loop.clock.slept, 40); // two sleeps of 20 ms stopped; the third pass ends before sleeping

    ScriptedLoop playing;
    playing.playing = true;
    setModalLoop(&playing);
    passes = 0;
    playing.onPump = [&] { ++passes; };
    EXPECT_TRUE(runModalLoop([&] { return passes >= 5; }));
    EXPECT_EQ(playing.idleTicks, 5);
    EXPECT_EQ(playing.clock.slept, 8);
}

TEST(ModalLoop, AnAbortEndsEveryNestedWaitWithFalse) {
    ScriptedLoop loop;
    Installed in(&loop);
    bool innerResult = true;
    int outerPumps = 0;
    loop.onPump = [&] {
        ++outerPumps;
        if (outerPumps == 2) {
            // A nested wait (a message box inside a page); the close request arrives inside it.
            loop.onPump = [&] { loop.abort = true; };
            innerResult = runModalLoop([] { return false; });
        }
    };
    EXPECT_FALSE(runModalLoop([] { return false; }));
    EXPECT_FALSE(innerResult);
}

TEST(ModalLoop, DoneBeforeTheFirstPassRunsNoPass) {
    ScriptedLoop loop;
    Installed in(&loop);
    EXPECT_TRUE(runModalLoop([] { return true; }));
    EXPECT_EQ(loop.pumps, 0);
}

TEST(ModalLoop, WaitMsPumpsOnceAndTicksOnlyWhenKeptAlive) {
    ScriptedLoop loop;
    Installed in(&loop);
    waitMs(10, true);
    EXPECT_EQ(loop.pumps, 1);
    EXPECT_EQ(loop.idleTicks, 5);
    EXPECT_EQ(loop.clock.slept, 10);
    waitMs(10, false);
    EXPECT_EQ(loop.pumps, 2);
    EXPECT_EQ(loop.idleTicks, 5);
}
