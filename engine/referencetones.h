#pragma once
// The reference (tuning) tone settings and their small playing state, kept in refTones.cfg.
#include <cstdint>
#include <string>

#include "foundation/llist.h"
#include "foundation/storefile.h"
#include "foundation/textstream.h"

class MidiOutput;

extern const char* const kRefTonesHeader;   // "QuoVelanta RefTones"
extern const char* const kRefTonesFileName; // "refTones.cfg"

class ReferenceTones : public TextStream {
  public:
    int actualTone = 5;                        // row 0..7: E4, B3, G3, D3, A2, E2, custom pitch, silence
    bool octave = false;                       // one octave higher
    Llist<std::string> pitchNames{0, 1, true}; // 36 names C2..B4 ("-" marks a separator above)
    int customPitch = 12; // index into pitchNames; the tone is MIDI note 36 + customPitch
    Llist<std::string> durationNames{0, 1, true};   // "1 sec" ... "5 sec"
    int interval = 2;                               // index into durationNames
    Llist<std::string> instrumentNames{0, 1, true}; // "Guitar", "Piano", "EPiano"
    int patch = 0;                                  // index into instrumentNames
    double volume = 0.5;                            // 0..1

    int toneChannel = 0;          // set by the page
    std::int64_t startTimeMs = 0; // start of the current cycle
    bool playing = false;

    // path: where the settings are kept (the program passes exeRelativePath("refTones.cfg")). Builds
    // the lists, sets the defaults and loads the file; a file that is missing or not a reference-tones
    // file leaves the defaults.
    explicit ReferenceTones(const std::string& path);
    // Saves the settings (a failure cannot be reported here; call save() to learn it).
    ~ReferenceTones() override;
    ReferenceTones(const ReferenceTones&) = delete;
    ReferenceTones& operator=(const ReferenceTones&) = delete;

    static std::string defaultPath();

    // actualTone 5 (E2), octave off, customPitch 12 (C3), interval 2 ("2 sec"), patch 0 (Guitar),
    // volume 0.5.
    void setDefaults();
    // Reads the file; false (settings unchanged) when it is missing or its first line is not the header.
    bool load();
    // Writes the file atomically; false when it could not be written, or when the file found at start
    // could not be read nor moved aside (it is never replaced then).
    bool save();
    bool saveOnDestroy = true; // cleared once the program has saved the store itself at exit
    TaggedLoad loadResult() const { return loaded; }
    const std::string& path() const { return filePath; }

    // Keys in order: actualTone, octave, customPitch (stored minus 12), interval, patch, volume. After
    // reading, every value is brought into its range.
    void serialize() override;

    // The duration item's text up to its first blank, as a number; 3.0 when interval is outside the list.
    double toneSeconds() const;
    // The General MIDI program of the instrument: Guitar 24, Piano 0, EPiano 4 (Guitar for an unknown one).
    int patchProgram() const;
    // Program change of patchProgram() on the tone channel.
    void sendPatch(MidiOutput& out) const;
    // All notes off (controller 123) on the tone channel; playing off; the cycle starts again at nowMs.
    void stopTone(MidiOutput& out, std::int64_t nowMs);

  private:
    std::string filePath;
    TaggedLoad loaded = TaggedLoad::Missing;
    void clampToRanges();
};
