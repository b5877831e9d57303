// The MIDI output layer playing the built-in synthesizer, rendered offline: a chord must sound, and
// a master tuning of +50 cents must raise the pitch by a quarter tone.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/midiout.h"
#include "platform/fluidsynthbackend.h"
#include "platform/paths.h"

namespace {

constexpr int kRate = 44100;

// The built-in synthesizer as device -1, but without an audio driver.
class OfflineSynth : public FluidSynthBackend {
  public:
    int open(int index) override { return index == 0 ? openOffline(kRate) : kMidiBadDevice; }
};

struct Rig {
    OfflineSynth* synth = nullptr;
    MidiOutput out;
    Rig() : out(nullptr, makeSynth(synth)) {}
    static std::unique_ptr<MidiBackend> makeSynth(OfflineSynth*& keep) {
        auto s = std::make_unique<OfflineSynth>();
        keep = s.get();
        return s;
    }
    std::vector<std::int16_t> render(int frames) {
        std::vector<std::int16_t> buf(std::size_t(frames) * 2, 0);
        EXPECT_TRUE(synth->renderS16(frames, buf.data()));
        return buf;
    }
};

std::vector<double> leftChannel(const std::vector<std::int16_t>& stereo, int fromFrame, int frames) {
    std::vector<double> mono;
    for (int i = fromFrame; i < fromFrame + frames; ++i) mono.push_back(stereo[std::size_t(i) * 2]);
    return mono;
}

double rms(const std::vector<std::int16_t>& samples) {
    double sum = 0;
    for (std::int16_t s : samples) sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// The fundamental frequency of a steady tone by normalised autocorrelation over the lags of
// minHz..maxHz, refined by a parabola through the peak.
double pitchHz(const std::vector<double>& x, double minHz, double maxHz) {
    int minLag = int(kRate / maxHz), maxLag = int(kRate / minHz) + 1;
    auto corr = [&](int lag) {
        double num = 0, e1 = 0, e2 = 0;
        for (std::size_t i = 0; i + std::size_t(lag) < x.size(); ++i) {
            num += x[i] * x[i + std::size_t(lag)];
            e1 += x[i] * x[i];
            e2 += x[i + std::size_t(lag)] * x[i + std::size_t(lag)];
        }
        return (e1 > 0 && e2 > 0) ? num / std::sqrt(e1 * e2) : 0.0;
    };
    int best = minLag;
    double bestValue = -2;
    for (int lag = minLag; lag <= maxLag; ++lag) {
        double c = corr(lag);
        if (c > bestValue) {
            bestValue = c;
            best = lag;
        }
    }
    double a = corr(best - 1), b = bestValue, c = corr(best + 1);
    double denom = a - 2 * b + c;
    double shift = denom != 0 ? 0.5 * (a - c) / denom : 0.0;
    return kRate / (best + shift);
}

// Renders one held A4 (440 Hz) on a flute with the given master fine tuning and returns its pitch.
double renderedA4(int cents) {
    Rig rig;
    if (rig.out.openMidiOut(-1) != kMidiOk) return 0;
    rig.out.sendProgramChange(73, 0); // Flute: a nearly sinusoidal tone
    rig.out.sendVolume(110, 0);
    rig.out.sendFineTune(cents, 0);
    rig.out.sendNoteOn(69, 100, 0);
    std::vector<std::int16_t> sound = rig.render(kRate);
    // Half a second after the attack.
    return pitchHz(leftChannel(sound, kRate / 4, kRate / 2), 380, 520);
}

#define SKIP_WITHOUT_SOUNDFONT()                                                                             \
    if (findGmSoundFont().empty())                                                                           \
    GTEST_SKIP() << "No General MIDI SoundFont installed (looked for FluidR3_GM.sf2, default-GM.sf2 and "    \
                    "TimGM6mb.sf2 in /usr/share/sounds/sf2); offline synthesis is not tested"

} // namespace

TEST(MidiOutRender, ChordSoundsAndSilenceIsSilent) {
    SKIP_WITHOUT_SOUNDFONT();
    Rig rig;
    ASSERT_EQ(rig.out.openMidiOut(-1), kMidiOk);
    ASSERT_TRUE(rig.out.isOpen());
    EXPECT_LT(rms(rig.render(kRate / 10)), 1.0) << "nothing played yet";

    rig.out.sendProgramChange(0, 0);
    rig.out.sendVolume(100, 0);
    rig.out.sendNoteOn(60, 100, 0);
    rig.out.sendNoteOn(64, 100, 0);
    rig.out.sendNoteOn(67, 100, 0);
    std::vector<std::int16_t> sound = rig.render(kRate);
    EXPECT_GT(rms(sound), 300.0);

    // After the reset (all notes off, sustain off) the sound dies away.
    rig.out.resetMidiOut();
    rig.render(kRate);
    EXPECT_LT(rms(rig.render(kRate / 10)), 30.0);
}

TEST(MidiOutRender, DrumChannelPlaysPercussion) {
    SKIP_WITHOUT_SOUNDFONT();
    Rig rig;
    ASSERT_EQ(rig.out.openMidiOut(-1), kMidiOk);
    rig.out.sendVolume(120, 9);
    rig.out.sendNoteOn(38, 120, 9); // acoustic snare on the drum channel
    EXPECT_GT(rms(rig.render(kRate / 2)), 200.0);
}

TEST(MidiOutRender, FineTuneOfFiftyCentsRaisesThePitchAQuarterTone) {
    SKIP_WITHOUT_SOUNDFONT();
    double plain = renderedA4(0);
    double raised = renderedA4(50);
    double lowered = renderedA4(-50);
    ASSERT_GT(plain, 0);
    EXPECT_NEAR(plain, 440.0, 440.0 * 0.01);
    EXPECT_NEAR(1200.0 * std::log2(raised / plain), 50.0, 5.0);
    EXPECT_NEAR(1200.0 * std::log2(lowered / plain), -50.0, 5.0);
}
