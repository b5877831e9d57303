// Saves while the music plays: the wait for the file work ticks playback and nothing else.
#include "app/savewaiter.h"

#include <gtest/gtest.h>

#include <atomic>

#include "foundation/blockingwork.h"
#include "foundation/textfile.h"
#include "tests/common/tempdir.h"
#include "tests/common/waituntil.h"
#include "ui/modalloop.h"

namespace {

// A scripted driver: counts ticks by kind and every other call; a step may run on each tick.
class CountingLoop : public ModalLoop {
  public:
    std::atomic<int> playTicks{0}, idleTicks{0}, pumps{0}, sleeps{0};
    std::function<void()> onTick;
    void tick(bool idle) override {
        ++(idle ? idleTicks : playTicks);
        if (onTick) onTick();
    }
    void pumpEvents() override { ++pumps; }
    void sleepMs(int) override { ++sleeps; }
    std::int64_t nowMs() override { return 0; }
    bool isPlaying() const override { return true; }
    bool abortWaits() const override { return false; }
};

struct Installed {
    explicit Installed(ModalLoop* l) : previous(setModalLoop(l)) { installSaveWaiter(); }
    ~Installed() {
        removeSaveWaiter();
        setModalLoop(previous);
    }
    ModalLoop* previous;
};

} // namespace

// The file work ends only after the third playback tick: the save was awaited by ticking, with no
// window event delivered and no idle tick (the displayed page stays where it is).
TEST(SaveWaiter, TicksPlaybackUntilTheFileWorkIsDone) {
    CountingLoop loop;
    Installed in(&loop);
    bool done = false;
    runBlocking([&] { done = testwait::waitUntil([&] { return loop.playTicks.load() >= 3; }); });
    EXPECT_TRUE(done);
    EXPECT_GE(loop.playTicks.load(), 3);
    EXPECT_EQ(loop.idleTicks.load(), 0);
    EXPECT_EQ(loop.pumps.load(), 0);
    EXPECT_EQ(loop.sleeps.load(), 0); // the pause between ticks is the wait for the worker itself
}

// A save asked for by a tick (a store written from inside playback) runs in place: no second worker
// and no nested wait, and the outer save still completes.
TEST(SaveWaiter, ASaveFromInsideTheWaitRunsInPlace) {
    TempDir dir;
    CountingLoop loop;
    Installed in(&loop);
    int nested = 0;
    loop.onTick = [&] {
        if (nested++ == 0) {
            EXPECT_TRUE(writeFileAtomic(dir.file("inner.cfg"), "inner"));
        }
    };
    std::atomic<bool> release{false};
    runBlocking([&] { release = testwait::waitUntil([&] { return loop.playTicks.load() >= 2; }); });
    EXPECT_TRUE(release.load());
    EXPECT_EQ(readBytes(dir.file("inner.cfg")), "inner");
    EXPECT_TRUE(writeFileAtomic(dir.file("outer.cfg"), "outer"));
    EXPECT_EQ(readBytes(dir.file("outer.cfg")), "outer");
}

TEST(SaveWaiter, RemovedWaiterTicksNothing) {
    CountingLoop loop;
    { Installed in(&loop); }
    ModalLoop* previous = setModalLoop(&loop);
    TempDir dir;
    EXPECT_TRUE(writeFileAtomic(dir.file("a.cfg"), "a"));
    setModalLoop(previous);
    EXPECT_EQ(loop.playTicks.load() + loop.idleTicks.load() + loop.pumps.load(), 0);
}
