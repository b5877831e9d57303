#include "platform/fluidsynthbackend.h"

#include <fluidsynth.h>
#include <glob.h>
#include <sys/stat.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/paths.h"

const char* const FluidSynthBackend::kDeviceName = "Built-in synthesizer";

namespace {

// Low latency: three periods of 128 frames (about 8.7 ms of buffered sound at 44.1 kHz).
constexpr int kPeriodFrames = 128;
constexpr int kPeriods = 3;
constexpr double kSampleRate = 44100.0;

// FluidSynth reports warnings and information on stderr; only errors are worth showing.
void quietFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::string envText(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// Each sound server is tried only when its socket is there: connecting to a missing server could
// start one, or wait.
bool pipewireRunning() {
    std::string runtime = envText("XDG_RUNTIME_DIR");
    std::string remote = envText("PIPEWIRE_REMOTE");
    if (remote.empty()) remote = "pipewire-0";
    if (remote[0] == '/') return pathExists(remote);
    return !runtime.empty() && pathExists(runtime + "/" + remote);
}

bool pulseRunning() {
    if (!envText("PULSE_SERVER").empty()) return true;
    std::string runtime = envText("XDG_RUNTIME_DIR");
    return !runtime.empty() && pathExists(runtime + "/pulse/native");
}

bool alsaPlaybackDevice() {
    glob_t g{};
    bool found = ::glob("/dev/snd/pcmC*D*p", 0, nullptr, &g) == 0 && g.gl_pathc > 0;
    ::globfree(&g);
    return found;
}

void collectOption(void* data, const char* /*name*/, const char* option) {
    static_cast<std::vector<std::string>*>(data)->push_back(option);
}

// The drivers to try, best first: built into this FluidSynth and with something to play to.
// JACK and SDL are never used (JACK fails badly without a server; SDL adds nothing here).
std::vector<std::string> usableDrivers(fluid_settings_t* settings) {
    std::vector<std::string> builtIn;
    fluid_settings_foreach_option(settings, "audio.driver", &builtIn, collectOption);
    auto has = [&](const char* name) {
        for (const std::string& d : builtIn)
            if (d == name) return true;
        return false;
    };
    std::vector<std::string> drivers;
    if (has("pipewire") && pipewireRunning()) drivers.push_back("pipewire");
    if (has("pulseaudio") && pulseRunning()) drivers.push_back("pulseaudio");
    if (has("alsa") && alsaPlaybackDevice()) drivers.push_back("alsa");
    return drivers;
}

} // namespace

FluidSynthBackend::FluidSynthBackend(std::string soundFont) : requestedSoundFont(std::move(soundFont)) {
    for (int c = 0; c < 16; ++c) {
        dataEntryMsb[c] = -1;
        rpnSelected[c] = false;
    }
}

FluidSynthBackend::~FluidSynthBackend() {
    destroy();
}

Llist<std::string> FluidSynthBackend::deviceNames() {
    Llist<std::string> names;
    names.add(kDeviceName);
    return names;
}

int FluidSynthBackend::open(int index) {
    if (index != 0) {
        close();
        return kMidiBadDevice;
    }
    return createSynth(kSampleRate, true);
}

int FluidSynthBackend::openOffline(int sampleRate) {
    if (sampleRate < 8000 || sampleRate > 192000) {
        close();
        return kMidiError;
    }
    return createSynth(sampleRate, false);
}

int FluidSynthBackend::createSynth(double sampleRate, bool withAudio) {
    destroy();
    quietFluidLog();
    std::string font =
        requestedSoundFont.empty() ? findGmSoundFont() : findFirstReadableFile({requestedSoundFont});
    if (font.empty()) return kMidiNoSoundFont;

    settings = new_fluid_settings();
    if (!settings) return kMidiNoMemory;
    std::vector<std::string> drivers;
    if (withAudio) {
        drivers = usableDrivers(settings);
        if (drivers.empty()) {
            destroy();
            return kMidiNoDriver;
        }
    }
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", kPeriods);
    // Samples are read when a program first needs them: opening takes milliseconds instead of
    // the half second a full General MIDI set needs.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);

    synth = new_fluid_synth(settings);
    if (!synth) {
        destroy();
        return kMidiNoMemory;
    }
    if (fluid_synth_sfload(synth, font.c_str(), 1) == FLUID_FAILED) {
        destroy();
        return kMidiNoSoundFont;
    }
    fluid_synth_set_channel_type(synth, 9, CHANNEL_TYPE_DRUM);
    fluid_synth_program_reset(synth);

    if (withAudio) {
        for (const std::string& name : drivers) {
            fluid_settings_setstr(settings, "audio.driver", name.c_str());
            driver = new_fluid_audio_driver(settings, synth);
            if (driver) {
                driverName = name;
                break;
            }
        }
        if (!driver) {
            destroy();
            return kMidiNoDriver;
        }
        int frames = 0, count = 0;
        fluid_settings_getint(settings, "audio.period-size", &frames);
        fluid_settings_getint(settings, "audio.periods", &count);
        periodFrames = frames;
        periods = count;
    }
    soundFontPath = font;
    rate = sampleRate;
    return kMidiOk;
}

void FluidSynthBackend::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!synth) return;
    int ch = status & 0x0F;
    int d1 = data1 & 0x7F;
    int d2 = data2 & 0x7F;
    switch (status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, ch, d1);
        break;
    case 0x90:
        if (d2 == 0)
            fluid_synth_noteoff(synth, ch, d1);
        else
            fluid_synth_noteon(synth, ch, d1, d2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth, ch, d1, d2);
        break;
    case 0xB0:
        fluid_synth_cc(synth, ch, d1, d2);
        switch (d1) {
        case 6: // data entry MSB
            dataEntryMsb[ch] = d2;
            break;
        case 38: // data entry LSB: give the MSB again so the parameter takes the whole value
            if (rpnSelected[ch] && dataEntryMsb[ch] >= 0) fluid_synth_cc(synth, ch, 6, dataEntryMsb[ch]);
            break;
        case 100:
        case 101:
            rpnSelected[ch] = true;
            dataEntryMsb[ch] = -1;
            break;
        case 98:
        case 99:
            rpnSelected[ch] = false;
            dataEntryMsb[ch] = -1;
            break;
        default:
            break;
        }
        break;
    case 0xC0:
        fluid_synth_program_change(synth, ch, d1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, ch, d1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, ch, d1 | d2 << 7);
        break;
    default: // system messages are not played
        break;
    }
}

void FluidSynthBackend::reset() {
    if (!synth) return;
    sendSilenceToAllChannels();
}

void FluidSynthBackend::close() {
    destroy();
}

bool FluidSynthBackend::renderS16(int frames, std::int16_t* buffer) {
    if (!synth || driver || frames < 0 || (frames > 0 && !buffer)) return false;
    if (frames == 0) return true;
    return fluid_synth_write_s16(synth, frames, buffer, 0, 2, buffer, 1, 2) == FLUID_OK;
}

double FluidSynthBackend::fineTuneCents(int channel) const {
    if (!synth || channel < 0 || channel > 15) return 0.0;
    return fluid_synth_get_gen(synth, channel, GEN_FINETUNE);
}

void FluidSynthBackend::destroy() {
    if (driver) delete_fluid_audio_driver(driver); // stops the audio thread before the synth goes
    driver = nullptr;
    if (synth) delete_fluid_synth(synth);
    synth = nullptr;
    if (settings) delete_fluid_settings(settings);
    settings = nullptr;
    driverName.clear();
    soundFontPath.clear();
    periodFrames = 0;
    periods = 0;
    rate = 0;
    for (int c = 0; c < 16; ++c) {
        dataEntryMsb[c] = -1;
        rpnSelected[c] = false;
    }
}
