#pragma once
// One part's voice on one MIDI channel: program, volume, pan, sustain pedal and a queue of notes that
// start and stop when the sequencer clock reaches their times.
#include <string>

#include "foundation/llist.h"

class QvEngine;

constexpr int kDrumChannel = 9; // channel index of the drum part (MIDI channel 10)

// A queued note; times are values of the clock's accumulator (StepControl::clockValue).
struct InstrumentNote {
    int note = 0;
    int velocity = 100;
    double onTime = 0.0;
    double offTime = 1.0; // -1: no end, sounds until the notes are ended explicitly
    bool started = false;
};

// A drum velocity shaped by a mixer level (0..1, 0.5 neutral); a level of exactly 0 gives 0, and so
// does a velocity of 0; any other result lies in 1..127.
int applyDynamics(int velocity, double level);

class Instrument {
  public:
    int midiChannel = 0;      // 0..15; 9 is the drum channel
    int program = 0;          // the last program sent, 0..127
    double volume = 1.0;      // the part volume stored by the last setVolume
    int lastVolumeValue = -1; // last controller-7 value sent; -1 none yet; 0 makes the voice silent
    Llist<InstrumentNote> notes{0, 16, true};
    bool sustainDown = false;           // the pedal is down
    bool sustainRequested = false;      // the pedal is to go down at the end of the step
    Llist<int> heldPitches{0, 8, true}; // note-off sent while the pedal was down: still sounding
    bool monophonic = false;            // a new note ends every queued note first (bass voices)
    bool volumeRestored = false;        // the volume rose from 0: the track engine retriggers
    bool bassGroup = false;             // counts as a bass voice for the note display
    QvEngine* engine = nullptr;         // where messages go, the clock, the mix and the note display

    // A voice without an engine (the list's element constructor): it sends nothing.
    Instrument() = default;
    // Constructs and resets.
    Instrument(QvEngine* engine, int channel);

    // Ends every note (pedal included), empties the queue and the held pitches, then: volume 0
    // (controller 7 = 0 is sent), program 0, pan centre, every flag off.
    void reset();
    // factor x volume x 127.5 as controller 7; volume -1 keeps the stored volume. A rise from 0 sends
    // sustain off and marks volumeRestored; a drop to 0 ends every note.
    void setVolume(double factor, double volume = -1.0);
    // Sends and stores the program; drops every queued note that has not started.
    void setProgram(int program);
    void setPan(double pan);
    // Ends every note on the old channel, then moves to channel (0..15 only).
    void setChannel(int channel);
    // Queues a note starting now, length in steps (-1: open). False when nothing was queued.
    bool playNote(int pitch, int velocity, double length);
    // With skipSilent a silent voice does nothing. Releases the pedal, sends a note-off for every
    // queued note and empties the queue.
    void allNotesOff(bool skipSilent);
    void requestSustain();
    void applySustain();
    // Starts and ends the notes whose times the clock has reached.
    void processDueNotes();

    int volumeValue() const;
    int channel() const { return midiChannel; }
    bool isSilent() const { return lastVolumeValue == 0; }
    // Whether the pitch is queued (started or not) or held by the pedal.
    bool isSounding(int pitch) const;
    // "Drums", or the General MIDI program name; with details ", prog=" and ", vol=".
    std::string describe(bool withDetails) const;

  private:
    void sendNoteOff(int pitch);
    double clockNow() const;
};
