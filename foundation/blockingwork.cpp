#include "foundation/blockingwork.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

BlockingWaiter gWaiter;
thread_local bool gWaiting = false;

struct Completion {
    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;

    void finish() {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        changed.notify_all();
    }
    bool waitFor(int ms) {
        std::unique_lock<std::mutex> lock(mutex);
        if (ms <= 0) return done;
        return changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return done; });
    }
};

} // namespace

void runBlocking(const std::function<void()>& work) {
    if (gWaiting) {
        work(); // a save asked for while one is awaited: no second worker, no second wait
        return;
    }
    Completion completion;
    std::exception_ptr failure; // a failure of the work reaches the caller, as if it had run here
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            completion.finish();
        });
    } catch (const std::system_error&) {
        work();
        return;
    }
    {
        // Whatever the waiter does, the caller leaves only with the work done: the work uses its data.
        struct Join {
            std::thread& worker;
            ~Join() {
                worker.join();
                gWaiting = false;
            }
        } join{worker};
        gWaiting = true;
        if (gWaiter) {
            BlockingWaiter waiter = gWaiter; // the waiter may replace itself while it runs
            waiter([&completion](int ms) { return completion.waitFor(ms); });
        }
    }
    if (failure) std::rethrow_exception(failure);
}

BlockingWaiter setBlockingWaiter(BlockingWaiter waiter) {
    BlockingWaiter previous = std::move(gWaiter);
    gWaiter = std::move(waiter);
    return previous;
}

bool insideBlockingWait() {
    return gWaiting;
}

BlockingWorkHere::BlockingWorkHere() : previous_(gWaiting) {
    gWaiting = true;
}

BlockingWorkHere::~BlockingWorkHere() {
    gWaiting = previous_;
}
