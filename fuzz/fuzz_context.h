#pragma once
// Shared pieces of the fuzz harnesses: a scratch folder for the life of the process, a file written
// from the fuzzer's bytes, and a whole program context over a fake clock and a silent MIDI device.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "app/qvcontext.h"
#include "engine/sessionfile.h"
#include "foundation/blockingwork.h"
#include "platform/clock.h"
#include "platform/midibackend.h"

// A property every input must keep; a broken one names itself and ends the run as a finding.
#define QV_REQUIRE(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

namespace qvfuzz {

// One scratch folder per process, removed at exit.
inline const std::string& scratch() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvfuzz-XXXXXX").string();
        const char* made = ::mkdtemp(pattern.data());
        if (!made) std::abort();
        std::string f = made;
        static struct Remover {
            std::string path;
            ~Remover() {
                std::error_code ec;
                std::filesystem::remove_all(path, ec);
            }
        } remover{f};
        return f + "/";
    }();
    return folder;
}

inline std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::string path = scratch() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}

// Runs body with every save inside it done in place on this thread, as the program does with a save
// asked for while it waits for another. A worker thread per save, or even one per input, costs more
// under the sanitizers than the stores' own reading and writing; what is written, and how, stays the
// same.
inline void savesInPlace(const std::function<void()>& body) {
    BlockingWorkHere here;
    body();
}

inline void removeFile(const std::string& name) {
    std::error_code ec;
    std::filesystem::remove(scratch() + name, ec);
}

// One device that takes every message and keeps none.
class SilentBackend : public MidiBackend {
  public:
    Llist<std::string> deviceNames() override {
        Llist<std::string> names;
        names.add("Fuzz Synth");
        return names;
    }
    int open(int index) override {
        opened = index == 0;
        return opened ? kMidiOk : kMidiBadDevice;
    }
    void send(std::uint8_t status, std::uint8_t d1, std::uint8_t d2) override {
        // Messages must reach the device whole: a data byte above 127 is a fault of the caller.
        if ((status & 0x80) == 0 || d1 > 127 || d2 > 127) std::abort();
    }
    void reset() override {}
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }

  private:
    bool opened = false;
};

// A program context whose files all lie in `folder` (Styles/ under it).
struct Program {
    FakeClock clock{100000};
    std::unique_ptr<QvContext> ctx;

    explicit Program(const std::string& folder) {
        QvContext::Setup s;
        s.clock = &clock;
        s.realMidi = false;
        s.synth = std::make_unique<SilentBackend>();
        s.stylesFolder = folder + "Styles";
        s.optionsPath = folder + "options.cfg";
        s.recentPath = folder + "recent.cfg";
        s.globalNotesPath = folder + "globalNotes.cfg";
        s.customMixesPath = folder + "customStyleMixes.dat";
        ctx = std::make_unique<QvContext>(std::move(s));
        ctx->app.openMidiOutput();
        // Each input replaces the last session unasked, also one that lost part of its file when read.
        ctx->engine.options.warnSessionDelete = false;
    }

    // Plays the song from its start through the capture path for at most `maxCalls` driver calls.
    void render(int maxCalls) {
        QvCore& core = ctx->engine.core;
        MidiOutput& midi = *ctx->midi;
        core.playFrom(0, false, false);
        midi.startMidiCapture();
        ctx->app.togglePlay();
        int end = core.songLength() * 8;
        for (int i = 0; i < maxCalls && midi.captureTime < end - 1; ++i) core.updatePlayback(false, false);
        silenceAllInstruments(ctx->engine.instruments);
        midi.endMidiCapture();
        if (ctx->engine.stepControl.isPlaying()) ctx->engine.stepControl.togglePlay();
    }

    // A few real-time polls as the main loop makes them.
    void poll(int ms) {
        ctx->app.togglePlay();
        for (int t = 0; t < ms; t += 2) {
            clock.advance(2);
            ctx->app.playbackTick();
        }
        if (ctx->engine.stepControl.isPlaying()) ctx->app.togglePlay();
    }
};

// Opens a session file through the program's open path. A file the program refuses before touching
// anything (it does not read as a session) leaves the session as it was; the harness then goes on from
// a new session, so that what it plays and exports next comes from this input or is the empty session,
// never an earlier input's session played again.
inline bool openOrNew(QuoVelanta& app, const std::string& path) {
    Text_ text;
    const bool readable = readSessionText(path, text) == FileProblem::None;
    const bool opened = app.openSession(path);
    QV_REQUIRE(readable || !opened);
    if (!readable) app.newSession(true);
    return opened;
}

// The program over a copy of the shipped styles (or of the folder QV_FUZZ_STYLES names), built once per
// process: opening a session starts a new one first.
inline Program& shippedStylesProgram() {
    static std::unique_ptr<Program> p = [] {
        const std::string dir = scratch();
        std::filesystem::create_directories(dir + "Styles");
        const char* source = std::getenv("QV_FUZZ_STYLES");
        std::string styles = source ? source : QV_SOURCE_DIR "/data/Styles";
        std::error_code ec;
        std::filesystem::copy(styles, dir + "Styles", std::filesystem::copy_options::overwrite_existing, ec);
        return std::make_unique<Program>(dir);
    }();
    return *p;
}

} // namespace qvfuzz
