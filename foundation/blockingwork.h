#pragma once
// Slow file work (write, sync, rename) runs on a worker thread while the calling thread waits through
// an installable waiter, so that the program can keep its music playing during a save. Without a
// waiter the caller simply waits for the worker.
#include <functional>

// The waiter's view of the worker: finished(ms) waits up to ms milliseconds and tells whether the work
// is done. A waiter returns only once finished(...) has said true.
using BlockingFinished = std::function<bool(int ms)>;
using BlockingWaiter = std::function<void(const BlockingFinished& finished)>;

// Runs work on a worker thread and waits for it through the installed waiter. Work started while a
// waiter is already waiting (from inside it), or when no thread can be started, runs right here.
void runBlocking(const std::function<void()>& work);

// Installs a waiter (empty: wait plainly) and returns the previous one.
BlockingWaiter setBlockingWaiter(BlockingWaiter waiter);

// True while the calling thread waits inside runBlocking (or holds a BlockingWorkHere).
bool insideBlockingWait();

// While one lives, work given to runBlocking on this thread runs right here, as work asked for from
// inside a wait does: for a tool that drives the file work in a tight loop (the fuzz harnesses), where
// a thread per call costs more than the work itself.
class BlockingWorkHere {
  public:
    BlockingWorkHere();
    ~BlockingWorkHere();
    BlockingWorkHere(const BlockingWorkHere&) = delete;
    BlockingWorkHere& operator=(const BlockingWorkHere&) = delete;

  private:
    bool previous_;
};
