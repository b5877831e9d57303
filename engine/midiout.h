#pragma once
// The MIDI output layer: every MIDI message of the program leaves through one MidiOutput. It opens one
// device (an ALSA sequencer port, or the built-in synthesizer as device -1), builds the short messages,
// and in capture mode records them with their clock time instead of sending them (MIDI file export).
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/llist.h"
#include "platform/midibackend.h"

// A captured short message: time in eighths of a clock step since the capture started.
struct MidiEvent {
    int time = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    int channel() const { return status & 0x0F; }
    // A control change of controller 64 (sustain) with a value of 64 or more.
    bool isSustainDown() const { return (status & 0xF0) == 0xB0 && data1 == 64 && data2 >= 64; }
    // status | data1 << 8 | data2 << 16
    std::uint32_t packed() const {
        return std::uint32_t(status) | std::uint32_t(data1) << 8 | std::uint32_t(data2) << 16;
    }
};

// One part of a MIDI export: its channel and the track name written for it.
struct ExportingMidi_trackInfo {
    int channel = 0;
    std::string name;
};

// The General MIDI name of program 0..127; an empty text otherwise.
std::string gmProgramName(int program);

class MidiOutput {
  public:
    // Device indices 0.. are the devices of portBackend; device -1 (the "MIDI mapper") opens
    // the first device of synthBackend. Either may be null (then those devices do not exist).
    MidiOutput(std::unique_ptr<MidiBackend> portBackend, std::unique_ptr<MidiBackend> synthBackend);
    // The real backends: ALSA sequencer ports and the built-in FluidSynth synthesizer.
    MidiOutput();
    ~MidiOutput();
    MidiOutput(const MidiOutput&) = delete;
    MidiOutput& operator=(const MidiOutput&) = delete;

    // Empties names and appends the name of every output device, index i at position i.
    void listMidiOutDevices(Llist<std::string>& names);
    // Index of the first listed name containing "Microsoft", else "MS", else "GS"; else -1.
    int defaultMidiOutDevice();
    // The rule of defaultMidiOutDevice over a given list of names.
    static int defaultDeviceAmong(const Llist<std::string>& names);
    // Closes an open device, opens device (-1: the built-in synthesizer); 0 on success, else an error
    // code (MidiResult), leaving the output closed.
    int openMidiOut(int device);
    void resetMidiOut();
    void closeMidiOut();
    bool isOpen() const { return openFlag; }
    // False while the open device is still getting ready to sound (MidiBackend::isReady).
    bool isReady() const { return !openFlag || active->isReady(); }

    // Sends a message to the open device, or appends it to the capture list while capturing
    // (then nothing is sent, and it is recorded whether or not a device is open).
    void sendMidiShort(int status, int data1, int data2);

    // Builders: each does nothing when an argument is out of range.
    void sendProgramChange(int program, int channel);
    void sendVolume(int value, int channel);
    void sendPan(int value, int channel);
    void sendNoteOn(int note, int velocity, int channel); // velocity 0 is the note-off
    void sendSustain(bool on, int channel);
    void sendAllNotesOff(int channel);
    void sendFineTune(int cents, int channel);       // RPN 1; cents clamped to -50..50; channel 9 skipped
    void sendCoarseTune(int semitones, int channel); // RPN 2; channel 9 skipped

    // Empties the capture list, reserves room for a million events and starts capturing at time 0.
    // The room is reserved once: a list that still has it (endMidiCapture keeps it) is only emptied.
    void startMidiCapture();
    // Stops capturing and empties the capture list, which keeps its room for the next capture.
    void endMidiCapture();

    // Capture state, read and advanced by the clock, the export driver and the MIDI file writer.
    bool capturing = false;
    int captureTime = 0; // eighths of a clock step
    Llist<MidiEvent> captureList;
    // One entry per part during an export.
    Llist<ExportingMidi_trackInfo> exportTrackList;

  private:
    std::unique_ptr<MidiBackend> ports;
    std::unique_ptr<MidiBackend> synth;
    MidiBackend* active = nullptr; // the backend holding the open device
    bool openFlag = false;
};
