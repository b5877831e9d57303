// Slow file work on a worker thread, awaited through the installed waiter.
#include "foundation/blockingwork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>

#include "foundation/textfile.h"
#include "tests/common/tempdir.h"
#include "tests/common/waituntil.h"

namespace {

struct WaiterInstalled {
    explicit WaiterInstalled(BlockingWaiter w) : previous(setBlockingWaiter(std::move(w))) {}
    ~WaiterInstalled() { setBlockingWaiter(std::move(previous)); }
    BlockingWaiter previous;
};

} // namespace

TEST(BlockingWork, WithoutAWaiterTheCallerWaitsForTheWorker) {
    std::thread::id caller = std::this_thread::get_id(), ran;
    bool done = false;
    runBlocking([&] {
        ran = std::this_thread::get_id();
        done = true;
    });
    EXPECT_TRUE(done);
    EXPECT_NE(ran, caller);
    EXPECT_FALSE(insideBlockingWait());
    // A failure of the work is the caller's, not the end of the program.
    EXPECT_THROW(runBlocking([] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_FALSE(insideBlockingWait());
}

// The waiter keeps running its own passes until the work is done; the work here finishes only after
// the waiter's third pass, so the waiter is seen waiting.
TEST(BlockingWork, TheWaiterRunsUntilTheWorkIsDone) {
    std::atomic<int> passes{0};
    int sawInside = 0;
    WaiterInstalled w([&](const BlockingFinished& finished) {
        while (!finished(1)) {
            ++passes;
            sawInside += insideBlockingWait();
        }
    });
    bool done = false;
    runBlocking([&] { done = testwait::waitUntil([&] { return passes.load() >= 3; }); });
    EXPECT_TRUE(done);
    EXPECT_GE(passes.load(), 3);
    EXPECT_EQ(sawInside, passes.load());
    EXPECT_FALSE(insideBlockingWait());
}

// Work asked for from inside the wait runs at once on the waiting thread: no second worker and no
// nested wait. A waiter that returns before the work is done still leaves the caller with it done.
TEST(BlockingWork, WorkFromInsideTheWaitRunsInPlaceAndAnEarlyReturnStillWaits) {
    std::atomic<bool> release{false};
    int waits = 0;
    std::thread::id caller = std::this_thread::get_id(), nestedOn;
    WaiterInstalled w([&](const BlockingFinished&) {
        ++waits;
        runBlocking([&] { nestedOn = std::this_thread::get_id(); });
        release = true; // and return at once, the work perhaps still running
    });
    bool done = false;
    runBlocking([&] {
        if (!testwait::waitUntil([&] { return release.load(); })) return;
        // A moment more, so that the waiter has most likely returned while the work still runs (the
        // checks below hold either way; the pause only lets a caller that did not wait show itself).
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        done = true;
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(nestedOn, caller);
}

TEST(BlockingWork, SavesRunThroughTheWaiter) {
    TempDir dir;
    int waits = 0;
    WaiterInstalled w([&](const BlockingFinished& finished) {
        ++waits;
        while (!finished(1)) {
        }
    });
    EXPECT_TRUE(writeFileAtomic(dir.file("a.txt"), "abc"));
    EXPECT_EQ(readBytes(dir.file("a.txt")), "abc");
    EXPECT_EQ(waits, 1);
    // A save that fails in the worker is awaited like any other; one refused up front starts none.
    EXPECT_FALSE(writeFileAtomic(dir.file("missing/a.txt"), "abc"));
    EXPECT_EQ(waits, 2);
    EXPECT_FALSE(writeFileAtomic(dir.folder(), "abc"));
    EXPECT_EQ(waits, 2);
}

// Inside a BlockingWorkHere the work runs on the calling thread; after it, on a worker again.
TEST(BlockingWork, WorkHereRunsOnTheCallingThreadUntilTheScopeEnds) {
    std::thread::id caller = std::this_thread::get_id(), inside, after;
    {
        BlockingWorkHere here;
        runBlocking([&] { inside = std::this_thread::get_id(); });
    }
    runBlocking([&] { after = std::this_thread::get_id(); });
    EXPECT_EQ(inside, caller);
    EXPECT_NE(after, caller);
}
