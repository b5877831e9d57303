#pragma once
// A scripted wait-loop driver for tests: a fake clock, counts of ticks and pumps, and steps that run on
// each pump and each tick. Installed for the length of a scope with ScopedModalLoop.
#include <functional>

#include "platform/clock.h"
#include "ui/modalloop.h"

class ScriptedModalLoop : public ModalLoop {
  public:
    FakeClock clock{1000};
    int idleTicks = 0;
    int playTicks = 0;
    int pumps = 0;
    bool playing = false;
    bool abort = false;
    std::function<void()> onPump;
    std::function<void(bool idle)> onTick;

    void tick(bool idle) override {
        ++(idle ? idleTicks : playTicks);
        if (onTick) onTick(idle);
    }
    void pumpEvents() override {
        ++pumps;
        if (onPump) {
            std::function<void()> step = onPump; // a step may replace itself
            step();
        }
    }
    void sleepMs(int ms) override { clock.sleepMs(ms); }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return playing; }
    bool abortWaits() const override { return abort; }
};

class ScopedModalLoop {
  public:
    explicit ScopedModalLoop(ModalLoop* loop) : previous(setModalLoop(loop)) {}
    ~ScopedModalLoop() { setModalLoop(previous); }
    ScopedModalLoop(const ScopedModalLoop&) = delete;
    ScopedModalLoop& operator=(const ScopedModalLoop&) = delete;

  private:
    ModalLoop* previous;
};
