#pragma once
// Time for the program: monotonic milliseconds and sleeping. Playback, waits and animations read the
// clock they were given, so tests drive time by hand with a FakeClock.
#include <cstdint>

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards; 64 bits, so no wrap-around.
    virtual std::int64_t nowMs() = 0;
    // Blocks for ms milliseconds (nothing for ms <= 0).
    virtual void sleepMs(int ms) = 0;
    // The timer-resolution requests of the main loop; timers are already precise here, so they do nothing.
    void beginPeriod(int /*ms*/) {}
    void endPeriod(int /*ms*/) {}
};

// The real clock: std::chrono::steady_clock and a thread sleep.
class SteadyClock : public Clock {
  public:
    std::int64_t nowMs() override;
    void sleepMs(int ms) override;
};

// A clock that moves only when told to; sleeping advances it by the time slept.
class FakeClock : public Clock {
  public:
    explicit FakeClock(std::int64_t startMs = 0) : now(startMs) {}
    std::int64_t nowMs() override {
        ++reads;
        return now;
    }
    void sleepMs(int ms) override {
        if (ms > 0) now += ms;
        ++sleeps;
        slept += ms > 0 ? ms : 0;
    }
    void advance(std::int64_t ms) { now += ms; }
    void set(std::int64_t ms) { now = ms; }

    std::int64_t now;
    std::int64_t slept = 0; // total of every sleep
    int sleeps = 0;         // number of sleepMs calls
    int reads = 0;          // number of nowMs calls
};
