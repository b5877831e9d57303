#pragma once
// The built-in General MIDI synthesizer: FluidSynth with the first GM SoundFont found, played through
// a low-latency audio driver, or without any driver for offline rendering.
#include <cstdint>
#include <string>

#include "platform/midibackend.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

class FluidSynthBackend : public MidiBackend {
  public:
    // soundFont: the SoundFont to load; empty means the first GM SoundFont found (platform/paths.h).
    explicit FluidSynthBackend(std::string soundFont = {});
    ~FluidSynthBackend() override;
    FluidSynthBackend(const FluidSynthBackend&) = delete;
    FluidSynthBackend& operator=(const FluidSynthBackend&) = delete;

    // One device: the synthesizer.
    Llist<std::string> deviceNames() override;
    // Loads the SoundFont and starts an audio driver (pipewire, pulseaudio, alsa in that order).
    // Fails quickly with kMidiNoSoundFont or kMidiNoDriver when either is missing.
    int open(int index) override;
    // The synthesizer without an audio driver: samples come only from renderS16.
    int openOffline(int sampleRate = 44100);
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void reset() override;
    void close() override;
    bool isOpen() const override { return synth != nullptr; }

    // Renders frames stereo frames, interleaved left/right, into buffer (2 x frames values); false
    // when the synthesizer is not open. Meant for the offline synthesizer.
    bool renderS16(int frames, std::int16_t* buffer);

    // What the audio driver runs with (after a successful open).
    const std::string& audioDriverName() const { return driverName; }
    int periodSize() const { return periodFrames; }
    int periodCount() const { return periods; }
    double sampleRate() const { return rate; }
    const std::string& loadedSoundFont() const { return soundFontPath; }
    // The fine tuning in cents the synthesizer applies to channel (0 when closed).
    double fineTuneCents(int channel) const;

    static const char* const kDeviceName;

  private:
    int createSynth(double sampleRate, bool withAudio);
    void destroy();

    std::string requestedSoundFont;
    std::string soundFontPath;
    struct _fluid_hashtable_t* settings = nullptr;
    struct _fluid_synth_t* synth = nullptr;
    struct _fluid_audio_driver_t* driver = nullptr;
    std::string driverName;
    int periodFrames = 0;
    int periods = 0;
    double rate = 0;
    // A registered parameter's data entry arrives as CC 6 then CC 38. FluidSynth applies a parameter
    // when CC 6 arrives, with the CC 38 it holds at that moment, so a CC 38 sent after it would be
    // lost: once it arrives, CC 6 is given again so that the whole 14-bit value takes effect.
    int dataEntryMsb[16]; // the last CC 6 since the parameter was selected; -1 for none
    bool rpnSelected[16]; // the channel's last parameter selection was a registered one
};
