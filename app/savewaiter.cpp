#include "app/savewaiter.h"

#include "foundation/blockingwork.h"
#include "ui/modalloop.h"

namespace {
// Longest pause between two playback ticks while a save completes (the main loop sleeps 2 ms).
constexpr int kTickPauseMs = 1;
} // namespace

void installSaveWaiter() {
    setBlockingWaiter([](const BlockingFinished& finished) {
        while (!finished(kTickPauseMs)) modalLoop().tick(false);
    });
}

void removeSaveWaiter() {
    setBlockingWaiter(nullptr);
}
