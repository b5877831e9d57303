#include <gtest/gtest.h>

#include "platform/clock.h"

// A sleep lasts at least as long as asked; how much longer depends on the machine's load, so only a
// sleep that never ends (a negative time taken as a huge one) is caught, by a bound of a minute.
TEST(SteadyClockTest, MonotonicAndSleepsAtLeastAsLongAsAsked) {
    SteadyClock clock;
    std::int64_t a = clock.nowMs();
    clock.sleepMs(20);
    std::int64_t b = clock.nowMs();
    EXPECT_GE(b - a, 20);
    EXPECT_LT(b - a, 60000);
    for (int i = 0; i < 1000; ++i) {
        std::int64_t c = clock.nowMs();
        EXPECT_GE(c, b);
        b = c;
    }
    // Nothing to wait for.
    a = clock.nowMs();
    clock.sleepMs(0);
    clock.sleepMs(-5);
    EXPECT_LT(clock.nowMs() - a, 60000);
    clock.beginPeriod(1);
    clock.endPeriod(1);
}

TEST(FakeClockTest, MovesOnlyWhenToldAndBeyondThirtyTwoBits) {
    FakeClock clock(5);
    EXPECT_EQ(clock.nowMs(), 5);
    EXPECT_EQ(clock.nowMs(), 5);
    clock.advance(10);
    EXPECT_EQ(clock.nowMs(), 15);
    clock.sleepMs(2);
    clock.sleepMs(-3);
    EXPECT_EQ(clock.nowMs(), 17);
    EXPECT_EQ(clock.slept, 2);
    EXPECT_EQ(clock.sleeps, 2);
    EXPECT_EQ(clock.reads, 4);
    clock.set(std::int64_t(1) << 32);
    clock.advance(1);
    EXPECT_EQ(clock.nowMs(), (std::int64_t(1) << 32) + 1);

    Clock& asClock = clock; // code under test sees only the interface
    asClock.sleepMs(20);
    EXPECT_EQ(asClock.nowMs(), (std::int64_t(1) << 32) + 21);
}
