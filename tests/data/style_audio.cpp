#include "tests/data/style_audio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <vector>

#include "platform/fluidsynthbackend.h"
#include "platform/paths.h"

namespace shipped {

namespace {

// A second-order filter section (direct form I), normalised so that a0 = 1.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double run(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

// The two stages of the K-weighting at any sample rate: a high shelf of +4 dB above about 1.7 kHz
// (the head) and a high pass at about 38 Hz.
Biquad highShelf(double rate) {
    const double gainDb = 3.99984385397, q = 0.7071752369554193, fc = 1681.974450955533;
    const double a = std::pow(10.0, gainDb / 40.0), w = 2.0 * std::numbers::pi * fc / rate;
    const double alpha = std::sin(w) / (2.0 * q), c = std::cos(w), s = 2.0 * std::sqrt(a) * alpha;
    const double a0 = (a + 1) - (a - 1) * c + s;
    Biquad f;
    f.b0 = a * ((a + 1) + (a - 1) * c + s) / a0;
    f.b1 = -2 * a * ((a - 1) + (a + 1) * c) / a0;
    f.b2 = a * ((a + 1) + (a - 1) * c - s) / a0;
    f.a1 = 2 * ((a - 1) - (a + 1) * c) / a0;
    f.a2 = ((a + 1) - (a - 1) * c - s) / a0;
    return f;
}

Biquad highPass(double rate) {
    const double q = 0.5003270373253953, fc = 38.13547087613982;
    const double w = 2.0 * std::numbers::pi * fc / rate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = (1 + c) / 2 / a0;
    f.b1 = -(1 + c) / a0;
    f.b2 = (1 + c) / 2 / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

double toDb(double sumSquares, long long samples) {
    if (samples <= 0 || !(sumSquares > 0.0)) return -200.0;
    return 10.0 * std::log10(sumSquares / double(samples) / (32768.0 * 32768.0));
}

} // namespace

Listener::Listener(const std::string& soundFont, int sampleRate)
    : synth(std::make_unique<FluidSynthBackend>(soundFont)), rate(sampleRate) {
    open = synth->openOffline(sampleRate) == kMidiOk;
}

Listener::~Listener() = default;

AudioLevel Listener::play(const StyleRender& r, const ListenOptions& options) {
    AudioLevel level;
    if (!open) return level;
    std::vector<std::int16_t> buffer;
    if (used) {
        // Silence every voice and controller, then let reverb and chorus die away unheard.
        for (std::uint8_t ch = 0; ch < 16; ++ch) {
            synth->send(0xB0 | ch, 120, 0);
            synth->send(0xB0 | ch, 121, 0);
        }
        buffer.assign(size_t(rate) * 2, 0);
        if (!synth->renderS16(rate, buffer.data())) return level;
    }
    used = true;
    const double framesPerEighth = rate * 60.0 / (double(r.style.bpm) * double(r.style.stepsPerBeat) * 8.0);
    const int end = options.until >= 0 ? std::min(options.until, r.songEnd) : r.songEnd;
    Biquad shelf[2] = {highShelf(rate), highShelf(rate)};
    Biquad pass[2] = {highPass(rate), highPass(rate)};
    long long rendered = 0, samples = 0;
    double sumSquares = 0.0, weightedSquares = 0.0;
    bool ok = true;
    auto renderTo = [&](int time) {
        const long long target = std::llround(time * framesPerEighth);
        const int frames = int(target - rendered);
        if (frames <= 0 || !ok) return;
        buffer.assign(size_t(frames) * 2, 0);
        ok = synth->renderS16(frames, buffer.data());
        for (size_t i = 0; i < buffer.size(); ++i) {
            const double s = buffer[i];
            sumSquares += s * s;
            const double w = pass[i % 2].run(shelf[i % 2].run(s));
            weightedSquares += w * w;
            level.peak = std::max(level.peak, std::abs(int(buffer[i])));
        }
        samples += static_cast<long long>(buffer.size());
        rendered = target;
    };
    for (const MidiEvent& e : r.events) {
        if (e.time > end) break;
        renderTo(e.time);
        const bool noteOn = (e.status & 0xF0) == 0x90 && e.data2 > 0;
        if (noteOn && options.soloChannel >= 0 && e.channel() != options.soloChannel) continue;
        synth->send(e.status, e.data1, e.data2);
    }
    renderTo(end);
    if (!ok) return AudioLevel{};
    level.rmsDb = toDb(sumSquares, samples);
    level.loudnessDb = toDb(weightedSquares, samples);
    return level;
}

int timeOfBar(const StyleRender& r, int bars) {
    return bars * r.style.stepsPerBar * 8;
}

std::vector<PartLevel> soloLevels(Listener& listener, const StyleRender& r, int bars) {
    std::vector<PartLevel> levels;
    for (int t = 0; t < 7; ++t) {
        const StyleTrack& track = r.style.tracks.at(t);
        if (track.mode == 0) continue;
        ListenOptions o;
        o.soloChannel = r.channelOfTrack[t];
        o.until = timeOfBar(r, bars);
        levels.push_back(PartLevel{t, track.type, listener.play(r, o).loudnessDb});
    }
    return levels;
}

std::vector<std::string> balanceFonts() {
    if (const char* font = std::getenv("QV_TEST_SOUNDFONT")) return {font};
    std::vector<std::string> fonts;
    for (const char* name : {"FluidR3_GM.sf2", "TimGM6mb.sf2"})
        for (const char* folder : {"/usr/share/sounds/sf2/", "/usr/share/soundfonts/"})
            if (std::filesystem::exists(std::string(folder) + name)) {
                fonts.push_back(std::string(folder) + name);
                break;
            }
    if (fonts.empty() && !findGmSoundFont().empty()) fonts.push_back(findGmSoundFont());
    return fonts;
}

} // namespace shipped
