// Opening session files through the main object, as the File menu does: sessions of many note lines
// (the time a line should not depend on their number), the largest session the program can write, and
// files as large as the session limits accept, filled with each kind of content the reader cuts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/qvcontext.h"
#include "bench/bench_setup.h"
#include "engine/sessionfile.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"
#include "platform/clock.h"
#include "tests/common/sessiondoc.h"

namespace {

class SessionBench {
  public:
    std::filesystem::path dir;
    FakeClock clock{1000};
    std::unique_ptr<QvContext> ctx;

    SessionBench() {
        std::random_device rd;
        dir = std::filesystem::temp_directory_path() / ("qvbench-" + std::to_string(rd()));
        std::filesystem::create_directories(dir);
        ctx = std::make_unique<QvContext>(benchSetup(dir, &clock));
        ctx->engine.options.warnSessionDelete = false; // each open replaces the last without a question
    }
    ~SessionBench() {
        ctx.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }
};

// A session file: the header, a few settings, the body lines given, the closing line.
std::string sessionText(const std::string& body) {
    return "<QuoVelanta Session>\r\nfileVersion=2.2\r\nstyle=1\r\nbpm=120\r\n" + body +
           "</QuoVelanta Session>\r\n";
}

constexpr int kFrameLines = 5; // the lines sessionText adds
// The most lines a file may have: its last line ends with a line break, which counts as one more.
constexpr int kMostLines = kMaxSessionFileLines - 1;

std::string repeatBlock(const std::string& open, const std::string& block, const std::string& close,
                        int lines, int blockLines) {
    std::string body = open;
    for (int n = 0; n + blockLines <= lines; n += blockLines) body += block;
    return body + close;
}

// Opens path n times through the main object; counters: the file's lines, and the time a line (the
// process's processor time, which a busy machine does not inflate as it does the elapsed time).
void openRepeatedly(benchmark::State& state, SessionBench& b, const std::string& path) {
    Text_ text;
    text.load(path, true, kMaxSessionFileBytes, kMaxSessionFileLines);
    double lines = double(text.count());
    text.clear();
    double seconds = 0;
    for (auto _ : state) {
        std::clock_t t0 = std::clock();
        if (!b.ctx->app.openSession(path)) state.SkipWithError("the file did not open");
        seconds += double(std::clock() - t0) / CLOCKS_PER_SEC;
    }
    state.counters["lines"] = lines;
    state.counters["cpu_us_per_line"] = seconds * 1e6 / double(state.iterations()) / lines;
}

// Sessions of n lines, nearly all of them note lines of a few bytes (300,000 lines: 1.5 MB).
void BM_OpenSessionNotes(benchmark::State& state) {
    SessionBench b;
    const int n = std::min(int(state.range(0)), kMostLines);
    const std::string path = b.file("notes.qvs");
    writeFileAtomic(path, sessionText(repeatBlock("<sessionNotes>\r\n", "i=n\r\n", "</sessionNotes>\r\n",
                                                  n - kFrameLines - 2, 1)));
    openRepeatedly(state, b, path);
}
BENCHMARK(BM_OpenSessionNotes)
    ->Arg(2000)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(300000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The largest session the program writes: 36 pages of the most chords and points a page takes, the
// longest page sequence, notes and links at their limits.
void BM_OpenLargestValidSession(benchmark::State& state) {
    SessionBench b;
    fillLargestSession(b.ctx->engine.core);
    const std::string path = b.file("largest.qvs");
    b.ctx->app.writeSessionFile(path);
    openRepeatedly(state, b, path);
}
BENCHMARK(BM_OpenLargestValidSession)->Iterations(3)->Unit(benchmark::kMillisecond);

// Files at the line limit and near the byte limit, each filled with one kind of content: 0 note
// lines, 1 chords on one page, 2 arrangement points on one page, 3 page sequence entries, 4 lines of
// the session's own level with keys it does not know, 5 pages nested in one another (each page reads
// every line of the file).
void BM_OpenLargestAcceptedFile(benchmark::State& state) {
    SessionBench b;
    const int lines = kMostLines - kFrameLines;
    std::string body;
    switch (state.range(0)) {
    case 0:
        body =
            repeatBlock("<sessionNotes>\r\n", "i=a note of a line\r\n", "</sessionNotes>\r\n", lines - 2, 1);
        break;
    case 1:
        body = repeatBlock("<chord page 0>\r\n",
                           "<chords>\r\nkey=0000000000002\r\nvariant=000000001\r\ninversion=0000000\r\n"
                           "bass=0000000000007\r\nautoBass=false\r\nbassOctave=false\r\nlen=000000000012\r\n"
                           "</chords>\r\n",
                           "</chord page 0>\r\n", lines - 2, 9);
        break;
    case 2: {
        std::string point =
            "<apoints>\r\npos=%\r\narrangeEnabled=true\r\nfillEnabled=false\r\nmDrums=0000001\r\n"
            "mBass=00000001\r\nmChords=000001\r\noKick=true\r\noSnare=true\r\noHihat=true\r\n"
            "oPerc=true\r\noA=true\r\noB=true\r\noC=true\r\ncym=0000000001\r\n</apoints>\r\n";
        body = "<chord page 0>\r\n";
        for (int n = 0; n + 16 <= lines - 2; n += 16) {
            std::string p = point;
            p.replace(p.find('%'), 1, intToText((n / 16 * 7) % 768));
            body += p;
        }
        body += "</chord page 0>\r\n";
        break;
    }
    case 3:
        body = repeatBlock("<pageSlots>\r\n", "i=000000000000001\r\n", "</pageSlots>\r\n", lines - 2, 1);
        break;
    case 4:
        body = repeatBlock("", "unknown=a value\r\n", "", lines, 1);
        break;
    default: // every page's block inside the one before it, the innermost full of chords
        for (int p = 0; p < kPageCount; ++p) body += "<chord page " + intToText(p) + ">\r\n";
        body += repeatBlock("", "<chords>\r\nlen=1\r\n</chords>\r\n", "", lines - 2 * kPageCount, 3);
        for (int p = kPageCount - 1; p >= 0; --p) body += "</chord page " + intToText(p) + ">\r\n";
        break;
    }
    const std::string path = b.file("limit.qvs");
    std::string text = sessionText(body);
    writeFileAtomic(path, text);
    state.counters["bytes"] = double(text.size());
    openRepeatedly(state, b, path);
}
BENCHMARK(BM_OpenLargestAcceptedFile)->DenseRange(0, 5)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
