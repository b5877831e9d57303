// Loudness balance of the shipped styles: each style's captured render of eight bars of the fixed
// progression is played through the built-in synthesizer offline; no style is silent or clips, and
// every style lies within 6 dB (RMS) of the library's median, so that switching styles keeps the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/fluidsynthbackend.h"
#include "platform/paths.h"
#include "tests/data/shipped_data.h"

using namespace shipped;

namespace {

constexpr int kRate = 22050;

struct Level {
    double rmsDb = -200.0;
    int peak = 0;
};

// Plays the captured events through a fresh offline synthesizer at the style's tempo.
Level measure(const StyleRender& r) {
    Level level;
    FluidSynthBackend synth;
    if (synth.openOffline(kRate) != kMidiOk) return level;
    const double framesPerEighth = kRate * 60.0 / (double(r.style.bpm) * double(r.style.stepsPerBeat) * 8.0);
    std::vector<std::int16_t> buffer;
    long long rendered = 0;
    double sumSquares = 0.0;
    long long samples = 0;
    auto renderTo = [&](int time) {
        const long long target = std::llround(time * framesPerEighth);
        const int frames = int(target - rendered);
        if (frames <= 0) return;
        buffer.assign(size_t(frames) * 2, 0);
        ASSERT_TRUE(synth.renderS16(frames, buffer.data()));
        for (std::int16_t s : buffer) {
            sumSquares += double(s) * double(s);
            level.peak = std::max(level.peak, std::abs(int(s)));
        }
        samples += buffer.size();
        rendered = target;
    };
    for (const MidiEvent& e : r.events) {
        renderTo(e.time);
        synth.send(e.status, e.data1, e.data2);
    }
    renderTo(r.songEnd);
    if (samples > 0 && sumSquares > 0.0)
        level.rmsDb = 10.0 * std::log10(sumSquares / double(samples) / (32768.0 * 32768.0));
    return level;
}

} // namespace

TEST(ShippedStyleLoudness, EveryStyleSoundsWithinSixDecibelsOfTheMedianWithoutClipping) {
    if (findGmSoundFont().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    std::map<int, Level> levels;
    StyleRenderer renderer(stylesFolder());
    for (int id : styleIdsIn(stylesFolder())) levels[id] = measure(renderer.render(id, false));
    ASSERT_GE(levels.size(), 35u);
    std::vector<double> all;
    for (const auto& [id, level] : levels) all.push_back(level.rmsDb);
    std::sort(all.begin(), all.end());
    const double median =
        all.size() % 2 ? all[all.size() / 2] : (all[all.size() / 2 - 1] + all[all.size() / 2]) / 2;
    for (const auto& [id, level] : levels) {
        const std::string what = styleFileName(id) + ": RMS " + std::to_string(level.rmsDb) + " dB, median " +
                                 std::to_string(median) + " dB, peak " + std::to_string(level.peak);
        EXPECT_GT(level.rmsDb, -50.0) << what << " (silent)";
        EXPECT_LT(level.peak, 32767) << what << " (clips)";
        EXPECT_LE(std::fabs(level.rmsDb - median), 6.0) << what;
    }
}
