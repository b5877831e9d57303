#pragma once
// External MIDI devices: the output ports of the ALSA sequencer, through RtMidi's ALSA API only.
#include <memory>
#include <string>
#include <vector>

#include "platform/midibackend.h"

class RtMidiOut;

class RtMidiAlsaBackend : public MidiBackend {
  public:
    explicit RtMidiAlsaBackend(std::string clientName = "QuoVelanta");
    ~RtMidiAlsaBackend() override;
    RtMidiAlsaBackend(const RtMidiAlsaBackend&) = delete;
    RtMidiAlsaBackend& operator=(const RtMidiAlsaBackend&) = delete;

    // The output ports sorted by name (ports of one name in the sequencer's order); none without a
    // sequencer.
    Llist<std::string> deviceNames() override;
    // Opens the port listed at index by the last deviceNames (found again by its name, so a port that
    // came or went in between does not shift it); kMidiBadDevice when it is gone.
    int open(int index) override;
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void reset() override;
    void close() override;
    bool isOpen() const override { return opened; }

    // Where the port listed at index of listed is now: the same name, and the same one of several
    // ports with that name; -1 when it is gone.
    static int findListedPort(const std::vector<std::string>& listed, int index,
                              const std::vector<std::string>& now);
    // The listing order: by name, equal names in the order given.
    static std::vector<std::string> sortedPortNames(std::vector<std::string> names);
    // The name shown for port i: its own, or a made-up one when it cannot be read.
    static std::string portDisplayName(const std::string& name, int i);

  private:
    bool ensureClient();
    std::vector<std::string> currentPortNames();

    std::string client;
    std::unique_ptr<RtMidiOut> out;
    std::vector<std::string> listed; // names as last listed
    bool opened = false;
    bool failed = false; // set by RtMidi's error callback
};
