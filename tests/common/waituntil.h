#pragma once
// Waiting in tests for another thread, a child process or a command: a test waits until what it expects
// has happened, up to a limit far beyond any normal run (a fully loaded machine included), and goes on as
// soon as it has happened. How long it took is never a result.
#include <sys/types.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <thread>

namespace testwait {

// The limit of every wait for something that normally happens within milliseconds.
inline constexpr std::chrono::milliseconds kLimit{std::chrono::seconds(60)};

// Checks done() until it holds (true) or the limit has passed (false, after a last check). Between
// checks the thread yields at first and then sleeps a millisecond, so a long wait costs no core.
inline bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kLimit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    for (int tries = 0;; ++tries) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= until) return done();
        if (tries < 1000)
            std::this_thread::yield();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Waits for a child process to end and gives its status; one still running at the limit is killed and
// reaped, and the wait is false.
inline bool waitForChild(pid_t child, int& status, std::chrono::milliseconds limit = kLimit) {
    bool ended = waitUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; }, limit);
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    return ended;
}

// A shell command bounded by the same kind of limit (for std::system and popen): one still running
// then is killed and fails with status 137.
inline std::string bounded(const std::string& command,
                           std::chrono::seconds limit = std::chrono::seconds(300)) {
    return "timeout -s KILL " + std::to_string(limit.count()) + " " + command;
}

} // namespace testwait
