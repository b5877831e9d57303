// The MIDI backends: SoundFont lookup, the built-in synthesizer's failure paths and its handling of
// registered parameters, and the ALSA sequencer ports where there is no sequencer.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/fluidsynthbackend.h"
#include "platform/paths.h"
#include "platform/rendertimeline.h"
#include "platform/rtmidialsabackend.h"
#include "tests/common/tempdir.h"
#include "tests/common/waituntil.h"

using namespace std::chrono_literals;

namespace {

struct TempFolder : TempDir {
    std::filesystem::path path = fsPath();
    std::string file(const std::string& name, const std::string& bytes) const {
        std::string p = (path / name).string();
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
};

#define SKIP_WITHOUT_SOUNDFONT()                                                                             \
    if (findGmSoundFont().empty())                                                                           \
    GTEST_SKIP() << "No General MIDI SoundFont installed in /usr/share/sounds/sf2; synthesis is not tested"

} // namespace

TEST(SoundFontPaths, CandidatesInOrderAndFirstReadableWins) {
    std::vector<std::string> c = gmSoundFontCandidates();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0], "/usr/share/sounds/sf2/FluidR3_GM.sf2");
    EXPECT_EQ(c[1], "/usr/share/sounds/sf2/default-GM.sf2");
    EXPECT_EQ(c[2], "/usr/share/sounds/sf2/TimGM6mb.sf2");

    TempFolder t;
    std::string second = t.file("b.sf2", "x");
    std::string third = t.file("c.sf2", "y");
    std::filesystem::create_directory(t.path / "dir.sf2");
    EXPECT_EQ(findFirstReadableFile(
                  {(t.path / "missing.sf2").string(), (t.path / "dir.sf2").string(), "", second, third}),
              second);
    EXPECT_EQ(findFirstReadableFile({(t.path / "missing.sf2").string()}), "");
    EXPECT_EQ(findFirstReadableFile({}), "");
    EXPECT_EQ(findGmSoundFont(), findFirstReadableFile(c));
}

// Without a SoundFont no audio driver is even tried (a driver that blocks would be left to the
// test's time limit).
TEST(FluidSynthBackendTest, NoSoundFontFailsAndStaysSilent) {
    TempFolder t;
    FluidSynthBackend synth((t.path / "nothing.sf2").string());
    EXPECT_EQ(synth.open(0), kMidiNoSoundFont);
    EXPECT_EQ(synth.openOffline(), kMidiNoSoundFont);
    EXPECT_TRUE(synth.audioDriverName().empty());
    EXPECT_FALSE(synth.isOpen());
    synth.send(0x90, 60, 100);
    synth.reset();
    std::int16_t buf[8] = {};
    EXPECT_FALSE(synth.renderS16(4, buf));

    // A file that is not a SoundFont fails the same way.
    FluidSynthBackend junk(t.file("junk.sf2", "not a soundfont"));
    EXPECT_EQ(junk.openOffline(), kMidiNoSoundFont);
    EXPECT_FALSE(junk.isOpen());
}

TEST(FluidSynthBackendTest, OneDeviceAndOnlyIndexZero) {
    FluidSynthBackend synth;
    Llist<std::string> names = synth.deviceNames();
    ASSERT_EQ(names.count(), 1);
    EXPECT_EQ(names.at(0), FluidSynthBackend::kDeviceName);
    EXPECT_EQ(synth.open(1), kMidiBadDevice);
    EXPECT_EQ(synth.open(-1), kMidiBadDevice);
    EXPECT_FALSE(synth.isOpen());
}

TEST(FluidSynthBackendTest, AudioOpenSucceedsOrFailsCleanly) {
    SKIP_WITHOUT_SOUNDFONT();
    FluidSynthBackend synth;
    int result = synth.open(0);
    if (result == kMidiOk) {
        // A machine with a sound server: it is connected in the background, with the buffer that
        // a busy machine needs (two periods of 46 ms).
        EXPECT_TRUE(testwait::waitUntil(
            [&] { return synth.isReady() && (!synth.isOpen() || synth.periodSize() > 0); }));
        if (!synth.isOpen()) GTEST_SKIP() << "the sound server refused the connection";
        EXPECT_FALSE(synth.audioDriverName().empty());
        EXPECT_NE(synth.audioDriverName(), "jack");
        EXPECT_NE(synth.audioDriverName(), "sdl2");
        EXPECT_EQ(synth.periodCount(), 2);
        EXPECT_EQ(synth.periodSize(), 2048);
        std::int16_t buf[4];
        EXPECT_FALSE(synth.renderS16(2, buf)) << "the audio driver renders, not the caller";
        synth.close();
    } else {
        EXPECT_EQ(result, kMidiNoDriver);
        EXPECT_FALSE(synth.isOpen());
    }
    EXPECT_FALSE(synth.isOpen());
}

namespace {

// A sound device without sound: after `delayMs` (a slow sound server), a thread asks for periods of
// 256 frames at their real pace, or as fast as it can, and keeps the level of every frame.
struct Recording {
    std::mutex m;
    std::vector<float> level;
    std::vector<double> lateMs; // how late the thread began each period
    std::atomic<int> periods{0};
    std::atomic<bool> fast{false};
    // First frames at or above `threshold`, at least 100 ms apart.
    std::vector<size_t> onsets(float threshold) {
        std::lock_guard<std::mutex> lock(m);
        std::vector<size_t> at;
        for (size_t i = 0; i < level.size(); ++i)
            if (level[i] >= threshold && (at.empty() || i - at.back() > 4410)) at.push_back(i);
        return at;
    }
};

class PacedStream : public AudioStream {
  public:
    PacedStream(FluidSynthBackend& backend, std::shared_ptr<Recording> rec_) : rec(std::move(rec_)) {
        worker = std::thread([this, &backend] {
            float left[256], right[256];
            auto next = std::chrono::steady_clock::now();
            while (!stop) {
                const double late =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - next)
                        .count();
                backend.renderPeriod(256, left, right);
                {
                    std::lock_guard<std::mutex> lock(rec->m);
                    rec->lateMs.push_back(late);
                    for (int i = 0; i < 256; ++i)
                        rec->level.push_back(std::max(std::fabs(left[i]), std::fabs(right[i])));
                }
                ++rec->periods;
                next += std::chrono::nanoseconds(256'000'000'000LL / 44100);
                if (rec->fast) next = std::chrono::steady_clock::now();
                std::this_thread::sleep_until(next);
            }
        });
    }
    ~PacedStream() override {
        stop = true;
        worker.join();
    }

  private:
    std::shared_ptr<Recording> rec;
    std::atomic<bool> stop{false};
    std::thread worker;
};

} // namespace

// The sound server answers only once the test lets it: messages sent meanwhile all sound, at the
// spacing they were sent with; after some silence the audio thread rests, and the next message
// wakes it.
TEST(FluidSynthBackendTest, OpensInTheBackgroundKeepsTimeRestsAndWakes) {
    SKIP_WITHOUT_SOUNDFONT();
    struct Gate {
        std::mutex m;
        std::condition_variable cv;
        bool open = false;
        void release() {
            std::lock_guard<std::mutex> lock(m);
            open = true;
            cv.notify_all();
        }
    };
    auto rec = std::make_shared<Recording>();
    auto gate = std::make_shared<Gate>();
    FluidSynthBackend synth({}, [rec, gate](FluidSynthBackend& b) {
        std::unique_lock<std::mutex> lock(gate->m);
        gate->cv.wait(lock, [&] { return gate->open; });
        return std::make_unique<PacedStream>(b, rec);
    });
    const std::unique_ptr<Gate, void (*)(Gate*)> releaseAtEnd(gate.get(), [](Gate* g) { g->release(); });
    ASSERT_EQ(synth.open(0), kMidiOk);
    EXPECT_TRUE(synth.isOpen());
    EXPECT_FALSE(synth.isReady());
    using Clock = std::chrono::steady_clock;
    auto hit = [&] { synth.send(0x99, 38, 127), synth.send(0x99, 38, 0); };
    const auto a0 = Clock::now();
    hit();
    const auto a1 = Clock::now();
    std::this_thread::sleep_for(200ms);
    const auto b0 = Clock::now();
    hit();
    const auto b1 = Clock::now();
    gate->release();
    ASSERT_TRUE(testwait::waitUntil([&] { return rec->onsets(0.05f).size() >= 2; }));
    EXPECT_TRUE(synth.isReady());
    std::vector<size_t> on = rec->onsets(0.05f);
    ASSERT_EQ(on.size(), 2u);
    // The spacing is kept to the frame's precision, unless the stream's thread began a period late
    // (the timing follows the device when the period that anchors it was late, or when one was so late
    // that a real device would have run dry).
    double late = 0;
    {
        std::lock_guard<std::mutex> lock(rec->m);
        for (size_t i = 0; i < rec->lateMs.size() && i * 256 <= on[1]; ++i)
            late = std::max(late, rec->lateMs[i]);
    }
    auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    const double apart = double(on[1] - on[0]) / 44.1;
    EXPECT_GT(apart, ms(b0 - a1) - 3.0 - late);
    EXPECT_LT(apart, ms(b1 - a0) + 3.0 + late);

    rec->fast = true;
    ASSERT_TRUE(testwait::waitUntil([&] { return synth.isResting(); }));
    const int restingAt = rec->periods;
    std::this_thread::sleep_for(50ms);
    EXPECT_LE(rec->periods - restingAt, 1) << "a resting stream is not rendered";
    rec->fast = false;
    hit();
    EXPECT_TRUE(testwait::waitUntil([&] { return rec->onsets(0.05f).size() >= 3; }));
    EXPECT_EQ(rec->onsets(0.05f).size(), 3u);
    EXPECT_FALSE(synth.isResting());
}

namespace {

// A sound device against a timeline: it plays frames at its own pace (`slower` device seconds per
// second of the sender's clock), asks for a period of 2048 frames each time one has played (its
// thread waking up to 0.5 ms late), and may play on in silence without us (a dropout). A message
// is sent every 20 ms; the time each one sounds is kept.
struct DeviceRun {
    RenderTimeline timeline{44100.0, 3'000'000, 0};
    double slower = 1.0;
    std::int64_t devNs = 1'000'000'000; // when the next frame to render plays
    std::int64_t nextSend = devNs;
    std::uint32_t seed = 1;
    std::deque<std::int64_t> waiting;
    std::vector<std::pair<std::int64_t, std::int64_t>> sounded; // sent, sounds

    std::int64_t framesNs(int frames) const { return std::llround(frames / 44100.0 * 1e9 * slower); }
    void period(std::int64_t lateNs = 0) {
        seed = seed * 1664525u + 1013904223u;
        const std::int64_t now = devNs + lateNs + std::int64_t(seed >> 8) % 500'000;
        for (; nextSend <= now; nextSend += 20'000'000) waiting.push_back(nextSend);
        const auto oldest = waiting.empty() ? std::nullopt : std::optional<std::int64_t>(waiting.front());
        if (timeline.beginPeriod(now, 2048, oldest)) {
            for (int at; !waiting.empty() && (at = timeline.take(waiting.front())) >= 0; waiting.pop_front())
                sounded.emplace_back(waiting.front(), devNs + framesNs(at));
        }
        timeline.endPeriod();
        devNs += framesNs(2048);
    }
    void runUntil(std::int64_t ns) {
        while (devNs < ns) period();
    }
    // Every message sent from fromNs on sounded between 0.6 ms before its latency and `lateMs` after.
    bool onTimeFrom(std::int64_t fromNs, double lateMs) const {
        const double latency = double(timeline.latencyFrames()) / 44.1;
        for (auto [sent, sounds] : sounded) {
            const double ms = double(sounds - sent) / 1e6 - latency;
            if (sent >= fromNs && (ms < -0.6 || ms > lateMs)) return false;
        }
        return true;
    }
};

constexpr std::int64_t kSecond = 1'000'000'000;

} // namespace

// After a dropout the sound is back at its latency within a second: the notes the dropout made late
// sound at once, in order, instead of every later note sounding late.
TEST(RenderTimelineTest, BackAtItsLatencyWithinASecondOfADropout) {
    DeviceRun run;
    run.runUntil(4 * kSecond);
    EXPECT_EQ(run.timeline.latencyFrames(), 2048 + 132);
    EXPECT_TRUE(run.onTimeFrom(2 * kSecond, 0.1));
    // A thread that wakes 30 ms late once moves nothing: the device still had sound.
    run.period(30'000'000);
    run.runUntil(6 * kSecond);
    EXPECT_TRUE(run.onTimeFrom(4 * kSecond, 0.1));
    // The device plays 200 ms of silence without us: what was sent meanwhile sounds as it resumes.
    const std::int64_t resumed = run.devNs += 200'000'000;
    run.runUntil(9 * kSecond);
    EXPECT_TRUE(run.onTimeFrom(resumed + kSecond, 0.1)) << "still late a second after the dropout";
    for (auto [sent, sounds] : run.sounded)
        EXPECT_TRUE(sent <= resumed - 200'000'000 || sent >= resumed ||
                    sounds <= std::max(resumed, sent + 49'600'000));
    // One shorter than the device's buffer: only the periods after it tell it from a late wake-up.
    const std::int64_t resumedAgain = run.devNs += 60'000'000;
    run.runUntil(12 * kSecond);
    EXPECT_TRUE(run.onTimeFrom(resumedAgain + kSecond, 0.1)) << "still late a second after the dropout";
    EXPECT_TRUE(run.onTimeFrom(6 * kSecond, 200.1));
    for (size_t i = 1; i < run.sounded.size(); ++i)
        ASSERT_GE(run.sounded[i].second, run.sounded[i - 1].second) << "messages sound in the order sent";
}

// A device whose clock is slower or faster than the sender's (by 100 ppm, 6 ms a minute) keeps the
// latency where it is, over ten minutes of playing.
TEST(RenderTimelineTest, NoCreepWhenTheDeviceClockDiffers) {
    for (double slower : {1.0001, 0.9999}) {
        DeviceRun run;
        run.slower = slower;
        run.runUntil(600 * kSecond);
        EXPECT_TRUE(run.onTimeFrom(2 * kSecond, 1.1)) << slower;
    }
}

TEST(FluidSynthBackendTest, FineTuningArrivesWholeWhatEverCameBefore) {
    SKIP_WITHOUT_SOUNDFONT();
    FluidSynthBackend synth;
    ASSERT_EQ(synth.openOffline(), kMidiOk);
    EXPECT_EQ(synth.loadedSoundFont(), findGmSoundFont());
    auto fine = [&](int ch, int msb, int lsb) {
        std::uint8_t s = std::uint8_t(0xB0 + ch);
        synth.send(s, 100, 1);
        synth.send(s, 101, 0);
        synth.send(s, 6, std::uint8_t(msb));
        synth.send(s, 38, std::uint8_t(lsb));
    };
    // 11223 = 87 * 128 + 87: 36.999 cents; without its LSB it would be 35.94.
    fine(3, 87, 87);
    EXPECT_NEAR(synth.fineTuneCents(3), (11223 - 8192) / 8192.0 * 100.0, 0.01);
    // The LSB of the previous value must not leak into the next one: -50 cents exactly.
    fine(3, 32, 0);
    EXPECT_NEAR(synth.fineTuneCents(3), -50.0, 0.001);
    fine(3, 64, 81);
    EXPECT_NEAR(synth.fineTuneCents(3), 81 / 8192.0 * 100.0, 0.001);
    // Other channels are untouched.
    EXPECT_NEAR(synth.fineTuneCents(4), 0.0, 0.001);

    // A data entry LSB of a non-registered parameter does not repeat the MSB into another parameter.
    synth.send(0xB3, 99, 120);
    synth.send(0xB3, 98, 0);
    synth.send(0xB3, 38, 5);
    EXPECT_NEAR(synth.fineTuneCents(3), 81 / 8192.0 * 100.0, 0.001);

    synth.close();
    EXPECT_FALSE(synth.isOpen());
    EXPECT_EQ(synth.fineTuneCents(3), 0.0);
}

TEST(FluidSynthBackendTest, RenderGuards) {
    SKIP_WITHOUT_SOUNDFONT();
    FluidSynthBackend synth;
    EXPECT_EQ(synth.openOffline(100), kMidiError);
    ASSERT_EQ(synth.openOffline(22050), kMidiOk);
    EXPECT_EQ(synth.sampleRate(), 22050.0);
    EXPECT_TRUE(synth.audioDriverName().empty());
    EXPECT_TRUE(synth.renderS16(0, nullptr));
    EXPECT_FALSE(synth.renderS16(10, nullptr));
    EXPECT_FALSE(synth.renderS16(-1, nullptr));
    // System messages and running junk are ignored without harm.
    synth.send(0xF0, 1, 2);
    synth.send(0xFF, 0, 0);
    synth.send(0xE5, 0x7F, 0x7F);
    std::int16_t buf[64];
    EXPECT_TRUE(synth.renderS16(32, buf));
}

TEST(RtMidiAlsaBackendTest, WithoutSequencerThereAreNoPortsAndOpenFailsCleanly) {
    RtMidiAlsaBackend ports;
    testing::internal::CaptureStderr();
    Llist<std::string> names = ports.deviceNames();
    std::string printed = testing::internal::GetCapturedStderr();
    if (std::filesystem::exists("/dev/snd/seq")) {
        // A machine with a sequencer: whatever is listed, an index past the end is refused.
        EXPECT_EQ(ports.open(names.count()), kMidiBadDevice);
    } else {
        EXPECT_EQ(names.count(), 0);
        EXPECT_EQ(printed, ""); // nothing is printed about the missing sequencer
        EXPECT_EQ(ports.open(0), kMidiBadDevice);
    }
    EXPECT_EQ(ports.open(-1), kMidiBadDevice);
    EXPECT_FALSE(ports.isOpen());
    ports.send(0x90, 60, 100);
    ports.reset();
    ports.close();
}

TEST(RtMidiAlsaBackendTest, ListedPortIsFoundAgainByName) {
    std::vector<std::string> listed = {"Synth A", "Through", "Synth A"};
    // Unchanged ports: the same index.
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 1, listed), 1);
    // A port that came before it and one that went: it is still found, and of two equal names the
    // second stays the second.
    std::vector<std::string> now = {"New keyboard", "Synth A", "Synth A"};
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 2, now), 2);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 0, now), 1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 1, now), -1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort({"Synth A", "Synth A"}, 1, {"Synth A"}), -1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 3, listed), -1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, -1, listed), -1);

    // An unreadable name keeps its place, so later ports keep their indices.
    EXPECT_EQ(RtMidiAlsaBackend::portDisplayName("", 1), "MIDI output 2");
    EXPECT_EQ(RtMidiAlsaBackend::portDisplayName("Through", 1), "Through");
}

TEST(MidiShortMessages, ProgramChangeAndChannelPressureAreTwoBytes) {
    // The ALSA port sends exactly this many bytes; a third byte after a program change would be taken
    // by the device as running status (a second program change).
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(midiShortLength(std::uint8_t(0xC0 | ch)), 2) << ch;
        EXPECT_EQ(midiShortLength(std::uint8_t(0xD0 | ch)), 2) << ch;
        for (int kind : {0x80, 0x90, 0xA0, 0xB0, 0xE0})
            EXPECT_EQ(midiShortLength(std::uint8_t(kind | ch)), 3) << kind << " " << ch;
    }
}

TEST(RtMidiAlsaBackendTest, PortsAreListedByNameWhateverOrderTheyCameUpIn) {
    using V = std::vector<std::string>;
    // Two runs in which the devices came up in another order list them alike.
    EXPECT_EQ(RtMidiAlsaBackend::sortedPortNames({"Through", "Synth A", "Keys"}),
              (V{"Keys", "Synth A", "Through"}));
    EXPECT_EQ(RtMidiAlsaBackend::sortedPortNames({"Keys", "Through", "Synth A"}),
              (V{"Keys", "Synth A", "Through"}));
    // A listed index is found again in the sequencer's own order, also among equal names.
    V sequencer = {"Through", "Synth A", "Keys", "Synth A"};
    V listed = RtMidiAlsaBackend::sortedPortNames(sequencer);
    ASSERT_EQ(listed, (V{"Keys", "Synth A", "Synth A", "Through"}));
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 0, sequencer), 2);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 1, sequencer), 1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 2, sequencer), 3);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 3, sequencer), 0);
}
