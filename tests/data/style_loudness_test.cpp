// Loudness balance of the shipped styles: each style's captured render of eight bars of the fixed
// progression is played through the built-in synthesizer offline; no style is silent or clips, and
// the loudest and the quietest style lie within 6 dB (RMS), so that switching styles keeps the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
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

// The styles whose level lies too far from the others: the spread between the loudest and the
// quietest of the levels may be 6 dB at most; each style past the middle of that range by more than
// 3 dB is named.
std::vector<std::string> spreadProblems(const std::map<int, Level>& levels) {
    std::vector<std::string> problems;
    if (levels.empty()) return problems;
    double lo = 1e9, hi = -1e9;
    for (const auto& [id, level] : levels) lo = std::min(lo, level.rmsDb), hi = std::max(hi, level.rmsDb);
    if (hi - lo <= 6.0) return problems;
    const double middle = (lo + hi) / 2;
    for (const auto& [id, level] : levels)
        if (std::fabs(level.rmsDb - middle) > 3.0)
            problems.push_back(styleFileName(id) + ": RMS " + std::to_string(level.rmsDb) +
                               " dB, the styles span " + std::to_string(lo) + ".." + std::to_string(hi) +
                               " dB");
    return problems;
}

} // namespace

TEST(ShippedStyleLoudness, EveryStyleSoundsWithinSixDecibelsOfEveryOtherWithoutClipping) {
    if (findGmSoundFont().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    std::map<int, Level> levels;
    StyleRenderer renderer(stylesFolder());
    for (int id : styleIdsIn(stylesFolder())) levels[id] = measure(renderer.render(id, false));
    ASSERT_GE(levels.size(), 35u);
    for (const auto& [id, level] : levels) {
        const std::string what = styleFileName(id) + ": RMS " + std::to_string(level.rmsDb) + " dB, peak " +
                                 std::to_string(level.peak);
        EXPECT_GT(level.rmsDb, -50.0) << what << " (silent)";
        EXPECT_LT(level.peak, 32767) << what << " (clips)";
    }
    for (const std::string& p : spreadProblems(levels)) ADD_FAILURE() << p;
}

TEST(ShippedStyleLoudness, TheSpreadCheckCatchesAStyleTurnedDown) {
    if (findGmSoundFont().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    std::map<int, Level> levels;
    levels[1] = measure(renderStyle(stylesFolder(), 1, false));
    levels[2] = measure(renderStyle(stylesFolder(), 2, false));
    ASSERT_TRUE(spreadProblems(levels).empty());
    // Pop Sixteenths at a quarter of its global volume: some 12 dB down.
    const std::string folder = freshFolder("quiet");
    StyleFile style;
    ASSERT_TRUE(copyStyle(2, folder, style));
    style.globalVol /= 4;
    ASSERT_TRUE(style.save(folder + "/" + styleFileName(2)));
    levels[2] = measure(renderStyle(folder, 2, false));
    std::filesystem::remove_all(folder);
    const std::vector<std::string> problems = spreadProblems(levels);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems.back().rfind("002.qms", 0), 0u) << problems.back();
}

// The level of every style, one line each, for tuning the global volumes of the generator:
//   build/test_data --gtest_also_run_disabled_tests --gtest_filter='*LevelTable*'
TEST(ShippedStyleLoudness, DISABLED_LevelTable) {
    StyleRenderer renderer(stylesFolder());
    for (int id : styleIdsIn(stylesFolder())) {
        const StyleRender r = renderer.render(id, false);
        std::printf("LEVEL %d %d %.2f\n", id, r.style.globalVol, measure(r).rmsDb);
    }
}
