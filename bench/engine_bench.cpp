// Playback engine benchmarks: a poll with nothing due, one step with seven active tracks, a 36-page
// session rendered through the MIDI capture path as the export does, and the lateness of real-time
// playback while sessions are saved.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/qvcontext.h"
#include "app/savewaiter.h"
#include "bench/bench_setup.h"
#include "engine/globalnotes.h"
#include "foundation/textfile.h"
#include "platform/clock.h"
#include "ui/modalloop.h"

namespace {

// An open device that drops every message.
class SinkBackend : public MidiBackend {
  public:
    Llist<std::string> deviceNames() override {
        Llist<std::string> names;
        names.add("Sink");
        return names;
    }
    int open(int index) override {
        opened = index == 0;
        return opened ? kMidiOk : kMidiBadDevice;
    }
    void send(std::uint8_t, std::uint8_t, std::uint8_t) override { ++count; }
    void reset() override {}
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    bool opened = false;
    long count = 0;
};

StyleTrack track(int type, int mode, int prog, int abc, int strum, std::initializer_list<StyleNote> notes) {
    StyleTrack t;
    t.type = type;
    t.mode = mode;
    t.prog = prog;
    t.abc = abc;
    t.arp.length = 16;
    t.arp.strumHeight = strum;
    for (const StyleNote& n : notes) t.arp.notes.add(n);
    return t;
}

// Seven tracks in use: drums, bass, two chord tracks and three chord-code tracks.
StyleFile fullStyle() {
    StyleFile s;
    s.id = 1;
    s.name = "Bench";
    StyleTrack drums = track(0, 1, 0, 0, 0, {});
    for (int i = 0; i < 16; ++i) drums.arp.notes.add(StyleNote(42, 70 + i, i, 0.5));
    for (int i : {0, 6, 8, 10}) drums.arp.notes.add(StyleNote(36, 100, i, 0.5));
    for (int i : {4, 12}) drums.arp.notes.add(StyleNote(38, 100, i, 0.5));
    s.tracks.add(drums);
    s.tracks.add(track(1, 1, 33, 0, 0,
                       {StyleNote(36, 100, 0, 3), StyleNote(43, 90, 4, 3), StyleNote(48, 90, 8, 3),
                        StyleNote(43, 90, 12, 3)}));
    s.tracks.add(track(2, 2, 0, 1, 0,
                       {StyleNote(60, 70, 0, 2), StyleNote(64, 70, 0, 2), StyleNote(67, 70, 0, 2),
                        StyleNote(48, 70, 8, 2), StyleNote(64, 70, 8, 2)}));
    s.tracks.add(
        track(2, 1, 4, 2, 0, {StyleNote(72, 60, 2, 1), StyleNote(76, 60, 6, 1), StyleNote(79, 60, 10, 1)}));
    s.tracks.add(track(3, 3, 48, 1, 3, {StyleNote(60, 50, 0, 16)}));
    s.tracks.add(track(3, 1, 24, 2, 4,
                       {StyleNote(72, 60, 0, 1), StyleNote(73, 60, 1, 1), StyleNote(74, 60, 2, 1),
                        StyleNote(75, 60, 3, 1), StyleNote(74, 60, 4, 1), StyleNote(73, 60, 5, 1)}));
    s.tracks.add(track(3, 2, 11, 3, 5, {StyleNote(72, 60, 0, 2), StyleNote(76, 60, 8, 2)}));
    return s;
}

class Bench {
  public:
    std::filesystem::path dir;
    FakeClock clock{1000};
    std::unique_ptr<QvContext> ctx;

    explicit Bench(Clock* realClock = nullptr) {
        std::random_device rd;
        dir = std::filesystem::temp_directory_path() / ("qvbench-" + std::to_string(rd()));
        std::filesystem::create_directories(dir);
        QvContext::Setup s = benchSetup(dir, realClock ? realClock : &clock);
        s.synth = std::make_unique<SinkBackend>();
        ctx = std::make_unique<QvContext>(std::move(s));
        ctx->engine.styles.add(fullStyle());
        ctx->app.selectStyle(1, true, false, false);
        // 36 pages of four bars, a chord every two beats, each page with a point on its second bar.
        QvCore& core = ctx->engine.core;
        for (int p = 0; p < kPageCount; ++p) {
            QvPage& page = core.pages.at(p);
            for (int c = 0; c < 8; ++c)
                page.addChord(QvChord((p * 5 + c * 7) % 12, (p + c) % 20, 0, -1000, false, 24), -1);
            page.addAPoint(48);
        }
        std::string seq;
        for (int p = 0; p < kPageCount; ++p) seq += pageLabel(p);
        core.parsePageSequence(seq);
    }
    ~Bench() {
        ctx.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void BM_PlaybackTickNothingDue(benchmark::State& state) {
    Bench b;
    QuoVelanta& app = b.ctx->app;
    app.togglePlay();
    b.clock.advance(60); // half-way to the next step: notes queued and sounding
    app.playbackTick();
    for (auto _ : state) app.playbackTick();
    benchmark::DoNotOptimize(b.ctx->engine.stepControl.accumulator);
}
BENCHMARK(BM_PlaybackTickNothingDue);

void BM_StepSevenActiveTracks(benchmark::State& state) {
    Bench b;
    QuoVelanta& app = b.ctx->app;
    app.togglePlay();
    // At 120 BPM and 4 steps a beat a step is 125 ms: every tick below plays exactly one step.
    for (auto _ : state) {
        b.clock.advance(125);
        app.playbackTick();
    }
    benchmark::DoNotOptimize(b.ctx->engine.stepControl.stepInPage);
}
BENCHMARK(BM_StepSevenActiveTracks);

void BM_Render36PageSession(benchmark::State& state) {
    Bench b;
    QvCore& core = b.ctx->engine.core;
    MidiOutput& midi = *b.ctx->midi;
    long events = 0;
    for (auto _ : state) {
        core.playFrom(0, false, false);
        midi.startMidiCapture();
        b.ctx->app.togglePlay();
        int end = core.songLength() * 8;
        while (midi.captureTime < end - 1) core.updatePlayback(false, false);
        silenceAllInstruments(b.ctx->engine.instruments);
        midi.capturing = false;
        events = midi.captureList.count();
        midi.captureList.clear();
        if (b.ctx->engine.stepControl.isPlaying()) b.ctx->app.togglePlay();
    }
    state.counters["events"] = double(events);
    state.counters["steps"] = double(core.songLength());
}
BENCHMARK(BM_Render36PageSession)->Unit(benchmark::kMillisecond);

// Loading the global notes: linear in their number (30,000 notes once took 4 s, 100,000 took 25 s).
void BM_LoadGlobalNotes(benchmark::State& state) {
    const int n = int(state.range(0));
    std::random_device rd;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("qvbench-" + std::to_string(rd()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "globalNotes.cfg").string();
    std::string text = "<QuoVelanta Global Notes>\r\n<globalNotes>\r\n";
    for (int i = 0; i < n; ++i) text += "i=note number " + std::to_string(i) + " with a few words\r\n";
    text += "</globalNotes>\r\n</QuoVelanta Global Notes>\r\n";
    writeFileAtomic(path, text);
    for (auto _ : state) {
        auto notes = std::make_unique<GlobalNotes>(path);
        benchmark::DoNotOptimize(notes->notes.count());
        state.PauseTiming();
        notes.reset(); // writes the same notes back, untimed
        state.ResumeTiming();
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_LoadGlobalNotes)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Real-time playback (steady clock, a pass every 2 ms as in the main loop) for a few seconds, with a
// session save every half second. Each step is late by the time between its due moment (interpolated
// between the two ticks around it) and the tick that plays it. The counters give that lateness in
// milliseconds (p50, p99, max), the longest pause between two ticks and the median save time.
// Arguments: 0 no saves, 1 saves awaited by ticking playback (the program's waiter), 2 saves that
// block the caller.
class LatenessLoop : public ModalLoop {
  public:
    explicit LatenessLoop(QuoVelanta& a, StepControl& s) : app(a), sc(s) {}
    QuoVelanta& app;
    StepControl& sc;
    using Tp = std::chrono::steady_clock::time_point;
    Tp lastTick = std::chrono::steady_clock::now();
    std::vector<double> lateness, saveMs;
    double maxGap = 0;

    void tick(bool) override {
        Tp now = std::chrono::steady_clock::now();
        double a0 = sc.accumulator;
        int before = sc.counted;
        app.playbackTick();
        double a1 = sc.accumulator;
        double gap = std::chrono::duration<double, std::milli>(now - lastTick).count();
        maxGap = std::max(maxGap, gap);
        if (sc.counted != before && a1 > a0) {
            double due = gap * std::clamp((double(sc.counted) - a0) / (a1 - a0), 0.0, 1.0);
            lateness.push_back(gap - due);
        }
        lastTick = now;
    }
    void pumpEvents() override {}
    void sleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return true; }
    bool abortWaits() const override { return false; }
    SteadyClock clock;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

void BM_NoteLatenessWhileSaving(benchmark::State& state) {
    const int mode = int(state.range(0));
    SteadyClock steady;
    Bench b(&steady);
    QuoVelanta& app = b.ctx->app;
    b.ctx->engine.core.tempoValue = 240; // a step every 62.5 ms
    LatenessLoop loop(app, b.ctx->engine.stepControl);
    ModalLoop* previousLoop = setModalLoop(&loop);
    if (mode == 1) installSaveWaiter();
    const std::string path = (b.dir / "session.qvs").string();
    for (auto _ : state) {
        app.togglePlay();
        auto start = std::chrono::steady_clock::now();
        auto nextSave = start + std::chrono::milliseconds(500);
        loop.lastTick = start;
        while (std::chrono::steady_clock::now() - start < std::chrono::seconds(15)) {
            loop.tick(false);
            if (mode != 0 && std::chrono::steady_clock::now() >= nextSave) {
                auto t0 = std::chrono::steady_clock::now();
                app.saveFile("QuoVelanta Session", path);
                app.lines.clear();
                loop.saveMs.push_back(
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
                nextSave += std::chrono::milliseconds(500);
            }
            loop.sleepMs(2);
        }
        app.togglePlay();
    }
    removeSaveWaiter();
    setModalLoop(previousLoop);
    state.counters["late_p50_ms"] = percentile(loop.lateness, 0.5);
    state.counters["late_p99_ms"] = percentile(loop.lateness, 0.99);
    state.counters["late_max_ms"] = percentile(loop.lateness, 1.0);
    state.counters["tick_gap_max_ms"] = loop.maxGap;
    state.counters["save_p50_ms"] = percentile(loop.saveMs, 0.5);
    state.counters["steps"] = double(loop.lateness.size());
}
BENCHMARK(BM_NoteLatenessWhileSaving)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
