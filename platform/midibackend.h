#pragma once
// A family of MIDI output devices: lists its devices in a stable order, opens one of them and sends
// short messages to it. The built-in synthesizer and the ALSA sequencer ports are two such families;
// tests use RecordingMidiBackend.
#include <cstdint>
#include <string>

#include "foundation/llist.h"

// Results of MidiBackend::open (and of MidiOutput::openMidiOut): 0 is success.
enum MidiResult : int {
    kMidiOk = 0,
    kMidiError = 1,       // any other failure
    kMidiBadDevice = 2,   // no device with that index (or it vanished since it was listed)
    kMidiAllocated = 4,   // the device is in use
    kMidiNoDriver = 6,    // no audio / sequencer driver could be started
    kMidiNoMemory = 7,    // out of memory
    kMidiNoSoundFont = 8, // the built-in synthesizer found no SoundFont
};

class MidiBackend {
  public:
    virtual ~MidiBackend() = default;
    // Names of the devices; the same set of devices always comes in the same order, and a device whose
    // name cannot be read still takes its place (with a made-up name), so indices never shift.
    virtual Llist<std::string> deviceNames() = 0;
    // Opens device index (closing an open one first); kMidiOk or an error code. Never throws.
    virtual int open(int index) = 0;
    // One short message; program change and channel pressure (0xC0..0xDF) go out as 2 bytes.
    // Ignored while closed.
    virtual void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    // Silences the device: sustain off and all notes off on all 16 channels. Ignored while closed.
    virtual void reset() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // False while an open device is still getting ready to sound (the built-in synthesizer opens in
    // the background); messages sent meanwhile are kept and played once it sounds.
    virtual bool isReady() const { return true; }

  protected:
    // What reset sends: sustain off (CC 64) and all sound off (CC 123) on each of the 16 channels.
    void sendSilenceToAllChannels() {
        for (std::uint8_t ch = 0; ch < 16; ++ch) {
            send(0xB0 | ch, 64, 0);
            send(0xB0 | ch, 123, 0);
        }
    }
};

// Bytes of a message with this status: 2 for program change and channel pressure, 3 otherwise.
inline int midiShortLength(std::uint8_t status) {
    int kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
}
