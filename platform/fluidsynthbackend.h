#pragma once
// The built-in General MIDI synthesizer: FluidSynth with the first GM SoundFont found, played through
// an audio driver, or without any driver for offline rendering.
//
// With a driver, opening happens in the background (loading the SoundFont and connecting to the sound
// server can take a second, and the window must not wait for it); messages sent meanwhile are kept.
// Messages are time-stamped when sent and played by the audio thread a fixed latency later, each at
// its own frame of the period, so the device's period can be long enough for a busy machine without
// making the timing coarse. After a few seconds of silence the audio thread rests (no rendering, no
// wake-ups) until the next message arrives. Closing keeps the synthesizer resting, so that opening
// it again is immediate; it goes only with the backend or with an offline open.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/midibackend.h"
#include "platform/rendertimeline.h"
#include "platform/timedmidiqueue.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

class FluidSynthBackend;

// Where the synthesizer's sound goes once it is open: from a thread of its own it calls
// FluidSynthBackend::renderPeriod for every period until it is deleted (no call runs after that).
// The real ones are FluidSynth's audio drivers; tests give their own.
class AudioStream {
  public:
    virtual ~AudioStream() = default;
    // Whether its thread may wait inside renderPeriod while the synthesizer rests (true for a thread
    // that only renders and writes; false where the thread serves other work too).
    bool mayRest = true;
    std::string driverName;
    int periodFrames = 0;
    int periodCount = 0;
};

class FluidSynthBackend : public MidiBackend {
  public:
    // Starts the sound of an open synthesizer; null when it cannot.
    using StreamOpener = std::function<std::unique_ptr<AudioStream>(FluidSynthBackend&)>;

    // soundFont: the SoundFont to load; empty means the first GM SoundFont found (platform/paths.h).
    // openStream: empty for FluidSynth's own drivers (pipewire, pulseaudio, alsa, tried in that order
    // where a server or device is there).
    explicit FluidSynthBackend(std::string soundFont = {}, StreamOpener openStream = {});
    ~FluidSynthBackend() override;
    FluidSynthBackend(const FluidSynthBackend&) = delete;
    FluidSynthBackend& operator=(const FluidSynthBackend&) = delete;

    // One device: the synthesizer.
    Llist<std::string> deviceNames() override;
    // Fails at once with kMidiNoSoundFont or kMidiNoDriver when either is missing; otherwise kMidiOk
    // and the synthesizer opens in the background (isReady tells when it sounds; when it cannot,
    // isOpen turns false and messages are dropped).
    int open(int index) override;
    // The synthesizer without an audio driver, opened at once: samples come only from renderS16.
    int openOffline(int sampleRate = 44100);
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void reset() override;
    void close() override;
    bool isOpen() const override;
    // False from open until the sound is running (or has failed, or has kept the caller waiting
    // longer than kOpenWaitMs).
    bool isReady() const override;

    // Renders frames stereo frames, interleaved left/right, into buffer (2 x frames values); false
    // when the synthesizer is not open offline.
    bool renderS16(int frames, std::int16_t* buffer);

    // What the audio driver runs with (once ready).
    std::string audioDriverName() const;
    int periodSize() const;
    int periodCount() const;
    double sampleRate() const;
    std::string loadedSoundFont() const;
    // The fine tuning in cents the synthesizer applies to channel (0 when closed).
    double fineTuneCents(int channel) const;
    // The audio thread is resting.
    bool isResting() const { return resting.load(); }

    // For the audio stream's thread: renders the next period (left and right, frames each).
    void renderPeriod(int frames, float* left, float* right);
    // The synthesizer an audio stream plays (valid while the stream exists).
    struct _fluid_synth_t* audioSynth() const {
        return synth;
    }
    struct _fluid_hashtable_t* audioSettings() const {
        return settings;
    }

    static const char* const kDeviceName;
    static constexpr int kOpenWaitMs = 5000;

  private:
    enum class Mode { None, Offline, Audio };

    // The SoundFont asked for, or the first GM SoundFont found; empty when there is none.
    std::string soundFontToLoad() const;
    void openInBackground(std::string font);
    int createSynth(const std::string& font, double sampleRate, bool dynamicLoading);
    void destroy();
    void apply(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void enqueue(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    std::unique_ptr<AudioStream> openDriverStream();

    std::string requestedSoundFont;
    StreamOpener streamOpener;
    mutable std::mutex stateMutex; // mode, the background open, the stream and its description
    Mode mode = Mode::None;
    std::string soundFontPath;
    struct _fluid_hashtable_t* settings = nullptr;
    struct _fluid_synth_t* synth = nullptr;
    std::unique_ptr<AudioStream> stream;
    std::thread opener;
    std::int64_t openStartMs = 0;
    double rate = 0;

    std::atomic<bool> accepting{false}; // open: messages are taken
    std::atomic<bool> failed{false};    // the background open failed
    std::atomic<bool> flowing{false};   // the sound has started
    std::atomic<bool> stopping{false};  // the stream is being taken down

    // The audio thread's side.
    TimedMidiQueue queue{1 << 15};
    RenderTimeline timeline;
    std::mutex restMutex;
    std::condition_variable restWake;
    std::atomic<bool> resting{false};
    std::atomic<bool> restAllowed{false}; // the stream's thread may wait while resting
    std::int64_t quietFrames = 0;         // frames of silence in a row

    // A registered parameter's data entry arrives as CC 6 then CC 38. FluidSynth applies a parameter
    // when CC 6 arrives, with the CC 38 it holds at that moment, so a CC 38 sent after it would be
    // lost: once it arrives, CC 6 is given again so that the whole 14-bit value takes effect.
    int dataEntryMsb[16]; // the last CC 6 since the parameter was selected; -1 for none
    bool rpnSelected[16]; // the channel's last parameter selection was a registered one
    // The program each channel plays (-1: unknown): selecting it again would reload its samples.
    int programOf[16];
    void resetChannelState();
};
