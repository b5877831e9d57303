// The delay from a MIDI message to its sound, through the built-in synthesizer as the program opens it
// (its own audio driver, against the PulseAudio server of the environment), before and after forced
// dropouts. A drum note is sent every second; the sink's monitor is recorded with parec, each piece of
// the recording stamped on arrival, and each note's onset is found in it. The recording's frames are
// put on the steady clock by the piece that arrived soonest after its last frame was played, so the
// figures include the sound server's own buffer and share one fixed offset.
// A dropout is forced by stopping the sound server (SIGSTOP, then SIGCONT) for a while: the device
// plays on without the synthesizer, which then has to catch up.
// Usage: qv_soundlatency [--source NAME] [--server-pid PID] [--stalls N] [--stall-ms MS] [--idle-s S]
//   (defaults: the default sink's monitor; no stalls without a PID; 3 stalls of 300 ms; 15 s idle)
// tools/soundlatency.sh runs it against a private PulseAudio server with a null sink.
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/fluidsynthbackend.h"

namespace {

constexpr double kRate = 44100.0;
constexpr std::int64_t kNoteEveryNs = 1'000'000'000;

std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void sleepUntilNs(std::int64_t ns) {
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::nanoseconds(ns)));
}

// parec's output: the level of every frame, and for each piece read the frames so far and when.
struct Recorder {
    pid_t pid = -1;
    int fd = -1;
    std::thread reader;
    std::mutex m;
    std::vector<std::int16_t> level;
    std::vector<std::pair<std::size_t, std::int64_t>> pieces; // frames so far, arrival

    bool start(const std::string& source) {
        int p[2];
        if (::pipe(p) != 0) return false;
        pid = ::fork();
        if (pid < 0) return false;
        if (pid == 0) {
            ::dup2(p[1], 1);
            ::close(p[0]);
            ::close(p[1]);
            std::vector<std::string> args = {"parec",        "--raw",        "--format=s16le",
                                             "--rate=44100", "--channels=2", "--latency-msec=5"};
            if (!source.empty()) args.push_back("--device=" + source);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execvp("parec", argv.data());
            std::_Exit(127);
        }
        ::close(p[1]);
        fd = p[0];
        reader = std::thread([this] { read(); });
        return true;
    }
    void read() {
        std::vector<char> buf(1 << 14);
        std::vector<char> carry;
        for (;;) {
            const ssize_t n = ::read(fd, buf.data(), buf.size());
            if (n <= 0) return;
            const std::int64_t at = steadyNs();
            carry.insert(carry.end(), buf.data(), buf.data() + n);
            const std::size_t frames = carry.size() / 4;
            std::lock_guard<std::mutex> lock(m);
            for (std::size_t i = 0; i < frames; ++i) {
                std::int16_t l, r;
                std::memcpy(&l, &carry[4 * i], 2);
                std::memcpy(&r, &carry[4 * i + 2], 2);
                level.push_back(std::int16_t(std::min(32767, std::max(std::abs(int(l)), std::abs(int(r))))));
            }
            carry.erase(carry.begin(), carry.begin() + std::ptrdiff_t(frames * 4));
            pieces.emplace_back(level.size(), at);
        }
    }
    void stop() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        if (reader.joinable()) reader.join();
        if (fd >= 0) ::close(fd);
    }
};

struct Note {
    std::int64_t sentNs;
    int phase;                   // 0 before any dropout, else the number of dropouts before it
    std::int64_t sinceDropoutNs; // from the end of the last dropout (negative: during it)
    double delayMs = -1;
};

void summary(const char* name, const std::vector<double>& d) {
    if (d.empty()) {
        std::printf("  \"%s\": null", name);
        return;
    }
    std::vector<double> s = d;
    std::sort(s.begin(), s.end());
    std::printf("  \"%s\": {\"notes\": %zu, \"min_ms\": %.1f, \"median_ms\": %.1f, \"max_ms\": %.1f}", name,
                s.size(), s.front(), s[s.size() / 2], s.back());
}

} // namespace

int main(int argc, char** argv) {
    std::string source = "@DEFAULT_MONITOR@";
    pid_t serverPid = -1;
    int stalls = 3, stallMs = 300, idleS = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        const char* v = argv[i + 1];
        if (opt == "--source")
            source = v;
        else if (opt == "--server-pid")
            serverPid = pid_t(std::atoi(v));
        else if (opt == "--stalls")
            stalls = std::clamp(std::atoi(v), 0, 20);
        else if (opt == "--stall-ms")
            stallMs = std::clamp(std::atoi(v), 10, 5000);
        else if (opt == "--idle-s")
            idleS = std::clamp(std::atoi(v), 2, 600);
        else {
            std::fprintf(stderr, "unknown option %s\n", opt.c_str());
            return 2;
        }
    }
    if (serverPid <= 0) stalls = 0;

    FluidSynthBackend synth;
    if (synth.open(0) != kMidiOk) {
        std::fprintf(stderr, "the built-in synthesizer did not open (no SoundFont or no sound server)\n");
        return 2;
    }
    const std::int64_t openDeadline = steadyNs() + 30'000'000'000;
    while (synth.isOpen() && synth.periodSize() == 0 && steadyNs() < openDeadline)
        sleepUntilNs(steadyNs() + 10'000'000);
    if (!synth.isOpen() || synth.periodSize() == 0) {
        std::fprintf(stderr, "the built-in synthesizer found no sound server\n");
        return 2;
    }
    Recorder rec;
    if (!rec.start(source)) return 2;

    // The schedule: idle notes, then each dropout followed by 4 s of notes, then idle notes again.
    auto hit = [&] { synth.send(0x99, 76, 127), synth.send(0x99, 76, 0); };
    hit(); // the sound starts
    const std::int64_t t0 = steadyNs() + 2'000'000'000;
    std::vector<Note> notes;
    std::vector<std::pair<std::int64_t, std::int64_t>> dropouts; // server stopped, resumed
    std::int64_t t = t0;
    for (; t < t0 + idleS * 1'000'000'000LL; t += kNoteEveryNs) notes.push_back({t, 0, 0});
    for (int s = 1; s <= stalls; ++s) {
        const std::int64_t stop = t - kNoteEveryNs + 850'000'000; // a note is sent while it is stopped
        dropouts.emplace_back(stop, stop + stallMs * 1'000'000LL);
        for (std::int64_t end = t + 4'000'000'000; t < end; t += kNoteEveryNs) notes.push_back({t, s, 0});
    }
    for (std::int64_t end = t + idleS * 1'000'000'000LL; t < end; t += kNoteEveryNs)
        notes.push_back({t, stalls + 1, 0});

    std::thread stopper([&] {
        for (auto [stop, resume] : dropouts) {
            sleepUntilNs(stop);
            ::kill(serverPid, SIGSTOP);
            sleepUntilNs(resume);
            ::kill(serverPid, SIGCONT);
        }
    });
    for (Note& n : notes) {
        sleepUntilNs(n.sentNs);
        n.sentNs = steadyNs();
        hit();
        if (n.phase > 0 && stalls > 0)
            n.sinceDropoutNs = n.sentNs - dropouts[std::size_t(std::min(n.phase, stalls)) - 1].second;
    }
    stopper.join();
    sleepUntilNs(steadyNs() + 1'500'000'000);
    rec.stop();
    if (rec.pieces.empty()) {
        std::fprintf(stderr, "nothing was recorded from %s (is parec installed?)\n", source.c_str());
        return 2;
    }

    // Frame f of the recording sounded at anchor + f / rate, the anchor taken from the pieces that
    // arrived within 2 s of the note (the sink's clock and the steady clock drift apart slowly): the
    // one that arrived soonest after its last frame.
    auto anchorNear = [&](std::int64_t ns) {
        std::int64_t anchor = INT64_MAX;
        for (auto [frames, at] : rec.pieces)
            if (at > ns - 2'000'000'000 && at < ns + 2'000'000'000)
                anchor = std::min(anchor, at - std::int64_t(double(frames) / kRate * 1e9));
        return anchor;
    };
    // Onsets: the first frame above -24 dBFS after at least 20 ms below -36 dBFS. Notes sound in the
    // order sent, so each note's onset is the first one after it was sent that no earlier note took
    // (however long the delay grows).
    const std::vector<std::int16_t>& lv = rec.level;
    std::vector<std::int64_t> onsets;
    for (std::size_t f = 882; f < lv.size(); ++f) {
        if (lv[f] < 2048 ||
            std::any_of(lv.begin() + std::ptrdiff_t(f - 882), lv.begin() + std::ptrdiff_t(f - 20),
                        [](std::int16_t x) { return x >= 512; }))
            continue;
        onsets.push_back(std::int64_t(f));
        f += 4410;
    }
    std::size_t nextOnset = 0;
    std::vector<double> idle, soon, later, end;
    std::fprintf(stderr, "note  sent_s  after_dropout_s  delay_ms\n");
    for (std::size_t k = 0; k < notes.size(); ++k) {
        Note& n = notes[k];
        const std::int64_t anchor = anchorNear(n.sentNs);
        if (anchor == INT64_MAX) continue;
        const auto sentFrame = std::int64_t(double(n.sentNs - anchor) * kRate / 1e9);
        while (nextOnset < onsets.size() && onsets[nextOnset] < sentFrame) ++nextOnset;
        if (nextOnset < onsets.size())
            n.delayMs = double(onsets[nextOnset++]) / kRate * 1e3 - double(n.sentNs - anchor) / 1e6;
        std::fprintf(stderr, "%4zu %7.2f %8.2f %10.1f\n", k, double(n.sentNs - t0) / 1e9,
                     n.phase ? double(n.sinceDropoutNs) / 1e9 : -1.0, n.delayMs);
        if (n.delayMs < 0) continue;
        if (n.phase == 0)
            idle.push_back(n.delayMs);
        else if (n.phase <= stalls && n.sinceDropoutNs < 1'000'000'000)
            soon.push_back(n.delayMs);
        else if (n.phase <= stalls)
            later.push_back(n.delayMs);
        else
            end.push_back(n.delayMs);
    }
    std::size_t found = idle.size() + soon.size() + later.size() + end.size();
    std::printf(
        "{\n  \"driver\": \"%s\", \"period_frames\": %d, \"periods\": %d, \"notes\": %zu, \"found\": %zu,\n",
        synth.audioDriverName().c_str(), synth.periodSize(), synth.periodCount(), notes.size(), found);
    std::printf("  \"dropouts\": %d, \"dropout_ms\": %d,\n", stalls, stalls ? stallMs : 0);
    summary("idle", idle);
    std::printf(",\n");
    summary("first_second_after_dropout", soon);
    std::printf(",\n");
    summary("one_to_four_seconds_after_dropout", later);
    std::printf(",\n");
    summary("after_all_dropouts", end);
    std::printf("\n}\n");
    synth.close();
    return found == notes.size() ? 0 : 1;
}
