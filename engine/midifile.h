#pragma once
// Standard MIDI File writer: turns the events recorded by the MIDI output's capture mode into a
// format 0 or format 1 file at 96 ticks per quarter note.
#include <cstdint>
#include <string>

#include "engine/midiout.h"
#include "foundation/llist.h"

constexpr int kMidiFileDivision = 96;           // ticks per quarter note
constexpr uint32_t kMaxMidiVarLen = 0x0FFFFFFF; // the largest value a variable-length number holds

// Number of bytes of the variable-length form of v (1..5; values above kMaxMidiVarLen need 5).
int varLenSize(uint32_t v);
// Only note on/off, control change and program change are written to files.
bool isWrittenMidiEvent(int status);
// 2 for a program change, else 3.
int midiMessageLength(int status);
// 0 for an event that is not written, else the bytes of its delta and its message.
int midiEventSize(int status, uint32_t delta);
// The file tick of a capture time (eighths of a clock step): time x 96 / (8 x stepsPerBeat), in
// 64 bits; negative times count as 0, stepsPerBeat below 1 as 1.
int64_t midiTickOf(int64_t time, int stepsPerBeat);

// A MIDI file being written: the bytes are collected while the file is open and written
// atomically (temporary file, then rename) when it is closed.
class MidiFileWriter {
  public:
    bool openMidiFile(const std::string& path);
    // Writes the collected bytes; false when the file could not be written (nothing is replaced).
    bool closeMidiFile();
    bool isOpen() const { return open; }
    const std::string& bytes() const { return data; }

    void writeMidiByte(int b);
    void writeMidiWord(int w);        // 16 bits, big-endian
    void writeMidiDword(uint32_t d);  // 32 bits, big-endian
    void writeMidiVarLen(uint32_t v); // 7 bits a byte, high bit on every byte but the last
    void writeMidiEvent(uint32_t packed, uint32_t delta);
    // Size of the track name meta event (0 for an empty name); writes it unless sizeOnly.
    int writeTrackName(const std::string& name, bool sizeOnly);
    // Time signature and tempo at tick 0 (15 bytes).
    void writeMidiConductor(int tempo, bool tripleMeter, bool tripletDivision);
    void writeEndOfTrack();

  private:
    std::string path;
    std::string data;
    bool open = false;
};

// The whole file as bytes; false when the song is too long for the format (a delta or a track
// beyond what the file can express).
bool buildMidiFileFormat0(const Llist<MidiEvent>& events, int tempo, int stepsPerBeat, bool tripleMeter,
                          bool tripletDivision, std::string& out);
bool buildMidiFileFormat1(const Llist<MidiEvent>& events, const Llist<ExportingMidi_trackInfo>& tracks,
                          int tempo, int stepsPerBeat, bool tripleMeter, bool tripletDivision,
                          std::string& out);

// Both writers first switch the capture off, then write the captured events of `midi` to path;
// false when the file cannot be written.
bool writeMidiFileFormat0(MidiOutput& midi, const std::string& path, int tempo, int stepsPerBeat,
                          bool tripleMeter, bool tripletDivision);
bool writeMidiFileFormat1(MidiOutput& midi, const std::string& path, int tempo, int stepsPerBeat,
                          bool tripleMeter, bool tripletDivision);
