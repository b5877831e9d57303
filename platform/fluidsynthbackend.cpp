#include "platform/fluidsynthbackend.h"

#include <fluidsynth.h>
#include <glob.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/paths.h"

const char* const FluidSynthBackend::kDeviceName = "Built-in synthesizer";

namespace {

// The device's buffer: two periods of 2048 frames (46 ms each at 44.1 kHz; PulseAudio keeps one
// period as its target latency). A busy machine keeps the audio thread or the sound server waiting
// now and then for tens of milliseconds, which a shorter buffer turns into gaps. Messages are placed
// inside the periods by their time stamps, so the long period costs latency (about 100 ms from a
// message to its sound, nothing for an accompaniment without live input) but no precision.
constexpr int kPeriodFrames = 2048;
constexpr int kPeriods = 2;
constexpr double kSampleRate = 44100.0;
// Latency beyond one period, for the jitter of the periods.
constexpr std::int64_t kMarginNs = 3'000'000;
// Messages that woke the resting synthesizer keep their exact times when they waited no longer than
// this (the first period after a rest is a silent lead-in).
constexpr std::int64_t kWakeCarryNs = 100'000'000;
// The audio thread rests after this much silence (no voice, output below -80 dB, no message waiting).
constexpr double kRestAfterSeconds = 3.0;
constexpr float kQuietLevel = 1e-4f;
// The real-time priority asked for the sound server client's own thread (see openInBackground).
constexpr int kClientThreadPriority = 40;
// Internal queue entry: the synthesizer starts afresh, as a newly opened one (system messages sent
// to the backend are never queued, so it cannot be confused with one).
constexpr std::uint8_t kFreshStart = 0xFF;

std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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
        return std::find(builtIn.begin(), builtIn.end(), name) != builtIn.end();
    };
    std::vector<std::string> drivers;
    if (has("pipewire") && pipewireRunning()) drivers.push_back("pipewire");
    if (has("pulseaudio") && pulseRunning()) drivers.push_back("pulseaudio");
    if (has("alsa") && alsaPlaybackDevice()) drivers.push_back("alsa");
    return drivers;
}

bool anyUsableDriver() {
    fluid_settings_t* probe = new_fluid_settings();
    if (!probe) return false;
    const bool any = !usableDrivers(probe).empty();
    delete_fluid_settings(probe);
    return any;
}

int renderForDriver(void* data, int len, int /*nfx*/, float* /*fx*/[], int nout, float* out[]) {
    if (nout < 2) return FLUID_FAILED;
    static_cast<FluidSynthBackend*>(data)->renderPeriod(len, out[0], out[1]);
    return FLUID_OK;
}

class FluidDriverStream : public AudioStream {
  public:
    explicit FluidDriverStream(fluid_audio_driver_t* driver_) : driver(driver_) {}
    ~FluidDriverStream() override { delete_fluid_audio_driver(driver); }

  private:
    fluid_audio_driver_t* driver;
};

} // namespace

FluidSynthBackend::FluidSynthBackend(std::string soundFont, StreamOpener openStream)
    : requestedSoundFont(std::move(soundFont)), streamOpener(std::move(openStream)),
      timeline(kSampleRate, kMarginNs, 0) {
    resetChannelState();
}

FluidSynthBackend::~FluidSynthBackend() {
    destroy();
}

void FluidSynthBackend::resetChannelState() {
    for (int c = 0; c < 16; ++c) {
        dataEntryMsb[c] = -1;
        rpnSelected[c] = false;
        programOf[c] = -1;
    }
}

std::string FluidSynthBackend::soundFontToLoad() const {
    quietFluidLog();
    return requestedSoundFont.empty() ? findGmSoundFont() : findFirstReadableFile({requestedSoundFont});
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
    if (mode == Mode::Audio && !failed.load()) {
        // Still there (resting, or still opening): it starts afresh, as a newly opened one would.
        accepting = true;
        enqueue(kFreshStart, 0, 0);
        return kMidiOk;
    }
    destroy();
    std::string font = soundFontToLoad();
    if (font.empty()) return kMidiNoSoundFont;
    if (!streamOpener && !anyUsableDriver()) return kMidiNoDriver;
    openStartMs = steadyNs() / 1'000'000;
    timeline = RenderTimeline(kSampleRate, kMarginNs, 0);
    try {
        opener = std::thread(&FluidSynthBackend::openInBackground, this, std::move(font));
    } catch (...) { // no thread to be had
        return kMidiError;
    }
    mode = Mode::Audio;
    accepting = true;
    return kMidiOk;
}

void FluidSynthBackend::openInBackground(std::string font) {
    if (createSynth(font, kSampleRate, true) != kMidiOk) {
        failed = true;
        return;
    }
    // A sound server client answers the server from a thread of its own, started here and taking
    // this thread's scheduling: real-time where the system allows it, like FluidSynth's audio thread
    // (audio.realtime-prio), so that a busy machine keeps neither of them waiting.
    sched_param param{};
    param.sched_priority = kClientThreadPriority;
    (void)pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    std::unique_ptr<AudioStream> s = streamOpener ? streamOpener(*this) : openDriverStream();
    std::lock_guard<std::mutex> lock(stateMutex);
    if (!s) {
        failed = true;
        return;
    }
    restAllowed = s->mayRest;
    stream = std::move(s);
}

std::unique_ptr<AudioStream> FluidSynthBackend::openDriverStream() {
    for (const std::string& name : usableDrivers(settings)) {
        fluid_settings_setstr(settings, "audio.driver", name.c_str());
        fluid_audio_driver_t* driver = new_fluid_audio_driver2(settings, renderForDriver, this);
        if (!driver) continue;
        auto s = std::make_unique<FluidDriverStream>(driver);
        // The pulseaudio and alsa threads only render and write: they may wait while resting.
        s->mayRest = name == "pulseaudio" || name == "alsa";
        s->driverName = name;
        fluid_settings_getint(settings, "audio.period-size", &s->periodFrames);
        fluid_settings_getint(settings, "audio.periods", &s->periodCount);
        return s;
    }
    return nullptr;
}

int FluidSynthBackend::openOffline(int sampleRate) {
    destroy();
    if (sampleRate < 8000 || sampleRate > 192000) return kMidiError;
    std::string font = soundFontToLoad();
    if (font.empty()) return kMidiNoSoundFont;
    int result = createSynth(font, sampleRate, false);
    if (result != kMidiOk) return result;
    mode = Mode::Offline;
    accepting = true;
    return kMidiOk;
}

int FluidSynthBackend::createSynth(const std::string& font, double sampleRate, bool withAudio) {
    fluid_settings_t* s = new_fluid_settings();
    if (!s) return kMidiNoMemory;
    fluid_settings_setnum(s, "synth.sample-rate", sampleRate);
    // Samples are read when a program first needs them: a full General MIDI set would take half a
    // second and over 100 MB. They are not locked into memory (locking costs time at every load).
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(s, "synth.lock-memory", 0);
    if (withAudio) {
        fluid_settings_setint(s, "audio.period-size", kPeriodFrames);
        fluid_settings_setint(s, "audio.periods", kPeriods);
        // No media role: the driver would set it in the environment, from this thread, while
        // others may read the environment.
        fluid_settings_setstr(s, "audio.pulseaudio.media-role", "");
    }
    fluid_synth_t* sy = new_fluid_synth(s);
    if (!sy) {
        delete_fluid_settings(s);
        return kMidiNoMemory;
    }
    if (fluid_synth_sfload(sy, font.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(sy);
        delete_fluid_settings(s);
        return kMidiNoSoundFont;
    }
    fluid_synth_set_channel_type(sy, 9, CHANNEL_TYPE_DRUM);
    fluid_synth_program_reset(sy);
    std::lock_guard<std::mutex> lock(stateMutex);
    settings = s;
    synth = sy;
    soundFontPath = font;
    rate = sampleRate;
    return kMidiOk;
}

void FluidSynthBackend::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!isOpen() || status < 0x80 || status >= 0xF0) return; // system messages are not played
    if (mode == Mode::Offline)
        apply(status, data1, data2);
    else
        enqueue(status, data1, data2);
}

void FluidSynthBackend::enqueue(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    (void)queue.push({steadyNs(), status, data1, data2}); // full only when nothing plays for minutes
    if (resting.load()) {
        std::lock_guard<std::mutex> lock(restMutex);
        restWake.notify_one();
    }
}

void FluidSynthBackend::apply(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
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
        case 0: // bank select: the next program change selects anew
        case 32:
            programOf[ch] = -1;
            break;
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
        // The program a channel already plays is not selected again: that would read its samples
        // from the SoundFont anew, milliseconds the audio thread does not have.
        if (programOf[ch] != d1) fluid_synth_program_change(synth, ch, d1);
        programOf[ch] = d1;
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, ch, d1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, ch, d1 | d2 << 7);
        break;
    default:
        if (status == kFreshStart) {
            fluid_synth_system_reset(synth);
            fluid_synth_set_channel_type(synth, 9, CHANNEL_TYPE_DRUM);
            fluid_synth_program_reset(synth);
            resetChannelState();
        }
        break;
    }
}

void FluidSynthBackend::renderPeriod(int frames, float* left, float* right) {
    if (frames <= 0) return;
    auto silence = [&] {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
    };
    if (quietFrames >= std::int64_t(kRestAfterSeconds * kSampleRate)) {
        // Resting: until a message comes, the thread waits (or, where it may not, gives silence at
        // no cost). The sound starts again with a silent lead-in.
        if (restAllowed.load()) {
            std::unique_lock<std::mutex> lock(restMutex);
            resting = true;
            restWake.wait(lock, [&] { return stopping.load() || !queue.empty(); });
            resting = false;
        }
        if (stopping.load() || queue.empty()) {
            silence();
            return;
        }
        quietFrames = 0;
        timeline.restart(kWakeCarryNs);
    }
    if (stopping.load()) {
        silence();
        return;
    }
    const TimedMidiMessage* first = queue.front();
    const bool live = timeline.beginPeriod(steadyNs(), frames,
                                           first ? std::optional<std::int64_t>(first->atNs) : std::nullopt);
    int done = 0;
    if (live) {
        flowing = true;
        while (const TimedMidiMessage* m = queue.front()) {
            const int at = timeline.take(m->atNs);
            if (at < 0) break;
            if (at > done) {
                fluid_synth_write_float(synth, at - done, left, done, 1, right, done, 1);
                done = at;
            }
            apply(m->status, m->data1, m->data2);
            queue.pop();
        }
    }
    if (done < frames) fluid_synth_write_float(synth, frames - done, left, done, 1, right, done, 1);
    timeline.endPeriod();

    float peak = 0.0f;
    for (int i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    if (peak < kQuietLevel && queue.empty() && fluid_synth_get_active_voice_count(synth) == 0)
        quietFrames += frames;
    else
        quietFrames = 0;
}

void FluidSynthBackend::reset() {
    if (!accepting.load()) return;
    sendSilenceToAllChannels();
}

void FluidSynthBackend::close() {
    accepting = false;
    // The offline synthesizer goes; the audio one rests until it is opened again.
    if (mode == Mode::Offline) destroy();
}

bool FluidSynthBackend::isOpen() const {
    return accepting.load() && !failed.load();
}

bool FluidSynthBackend::isReady() const {
    if (mode != Mode::Audio || !isOpen() || flowing.load()) return true;
    return steadyNs() / 1'000'000 - openStartMs >= kOpenWaitMs;
}

bool FluidSynthBackend::renderS16(int frames, std::int16_t* buffer) {
    if (mode != Mode::Offline || !accepting.load() || frames < 0 || (frames > 0 && !buffer)) return false;
    if (frames == 0) return true;
    return fluid_synth_write_s16(synth, frames, buffer, 0, 2, buffer, 1, 2) == FLUID_OK;
}

std::string FluidSynthBackend::audioDriverName() const {
    std::lock_guard<std::mutex> lock(stateMutex);
    return stream ? stream->driverName : std::string();
}

int FluidSynthBackend::periodSize() const {
    std::lock_guard<std::mutex> lock(stateMutex);
    return stream ? stream->periodFrames : 0;
}

int FluidSynthBackend::periodCount() const {
    std::lock_guard<std::mutex> lock(stateMutex);
    return stream ? stream->periodCount : 0;
}

double FluidSynthBackend::sampleRate() const {
    std::lock_guard<std::mutex> lock(stateMutex);
    return rate;
}

std::string FluidSynthBackend::loadedSoundFont() const {
    std::lock_guard<std::mutex> lock(stateMutex);
    return soundFontPath;
}

double FluidSynthBackend::fineTuneCents(int channel) const {
    std::lock_guard<std::mutex> lock(stateMutex);
    if (!synth || !accepting.load() || channel < 0 || channel > 15) return 0.0;
    return fluid_synth_get_gen(synth, channel, GEN_FINETUNE);
}

void FluidSynthBackend::destroy() {
    stopping = true;
    {
        std::lock_guard<std::mutex> lock(restMutex);
        restWake.notify_all();
    }
    if (opener.joinable()) opener.join();
    std::unique_ptr<AudioStream> s;
    fluid_synth_t* sy = nullptr;
    fluid_settings_t* st = nullptr;
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        s = std::move(stream);
        sy = synth;
        st = settings;
        synth = nullptr;
        settings = nullptr;
        soundFontPath.clear();
        rate = 0;
    }
    s.reset(); // stops the audio thread before the synthesizer goes
    if (sy) delete_fluid_synth(sy);
    if (st) delete_fluid_settings(st);
    mode = Mode::None;
    queue.clear();
    quietFrames = 0;
    restAllowed = false;
    resting = false;
    flowing = false;
    failed = false;
    accepting = false;
    resetChannelState();
    stopping = false;
}
