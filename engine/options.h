#pragma once
// The program's settings, their value lists and the options file.
#include <string>

#include "foundation/llist.h"
#include "foundation/storefile.h"
#include "foundation/textstream.h"

class Options : public TextStream {
  public:
    std::string lastSessionFolder;
    std::string lastExportFolder;
    int precountMode = 0;  // 0 off, 1 one bar, 2 two bars
    int precountSound = 0; // index into precountSoundNames
    int precountWait = -1; // -1 none, n >= 0: 250 ms x 2^n (entry n + 1 of precountWaitNames)
    double precountVolume = 0.5;
    Llist<std::string> precountModeNames;
    Llist<std::string> precountSoundNames;
    Llist<std::string> precountWaitNames;
    Llist<std::string> midiDeviceNames; // "Midi Mapper", then the output devices
    Llist<std::string> midiChannelRanges;
    Llist<std::string> displayTextColorNames;
    Llist<std::string> chordLookNames;
    Llist<std::string> chordColoringNames;
    Llist<std::string> cursorModeNames;
    Llist<std::string> visualizeModeNames;
    bool displayBars = true;
    bool displayBarNumbers = true;
    bool displayTime = true;
    bool visualizeNotes = true;
    int displayTextColor = 6; // "Pastel blue"
    int chordLook = 2;        // "Arc"
    int chordColoring = 3;    // "Pastel spectrum"
    int cursorMode = 2;       // "Pulse"
    int visualizeMode = 0;    // "Keyboard"
    int midiDevice = -2;      // -2 not chosen yet, -1 MIDI mapper, n >= 0 device n (entry + 1 of the names)
    int midiChannels = 9;     // index into midiChannelRanges ("10-16")
    // The name of the chosen device (empty: none chosen by name, or the MIDI mapper). At start it is
    // preferred to midiDevice, so the same port is opened when the port list has changed since.
    std::string midiDeviceName;
    bool warnSessionDelete = true;
    bool biColor = false;
    bool whiteModel = true;
    bool wideModel = false;
    bool keyShiftButtons = true;
    bool closeStyleSelector = false;
    bool closeTempoSelector = false;
    bool closeKeySelector = false;
    bool flatNotesByDefault = true;
    int masterTune_cents = 0;     // -50..50 in steps of 10
    int masterTune_semitones = 0; // -3..3
    Llist<std::string> masterTuneCentsNames;
    Llist<std::string> masterTuneSemitoneNames;
    int visualTranspose = 0; // 0..11
    Llist<std::string> visualTransposeNames;
    bool visualTranspose_selector = false;
    bool soundCheckDone = false;
    bool mainHintShown = false;
    bool visualTransposeHintShown = false;
    bool loopHintShown = false;
    Llist<std::string> silenceBarsNames;
    Llist<std::string> precountBarsNames;
    bool exportToMidi_settings = true;
    bool exportToMidi_normalize = true;
    bool exportToMidi_silence = false;
    int exportToMidi_silenceBars = 1; // 1..4
    bool exportToMidi_precount = false;
    int exportToMidi_precountBars = 1; // 1..2
    int exportToMidi_format = 0;       // 0 or 1
    bool exportToText_pages = true;
    bool exportToText_bars = true;
    bool exportToText_4bars = true;
    bool exportToText_dots = true;

    // Builds the value lists (deviceNames: the MIDI output devices in their order), sets the defaults
    // and loads the options file at path (empty: "options.cfg" beside the executable); a missing or
    // foreign file leaves the defaults.
    explicit Options(const Llist<std::string>& deviceNames = Llist<std::string>(),
                     const std::string& path = "");
    // Saves the options file; a failure cannot be reported here.
    ~Options() override;
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;

    // Writes the options file now; false when it could not be written, or when the file found at
    // start could not be read nor moved aside (it is never replaced then).
    bool save();
    bool saveOnDestroy = true; // cleared once the program has saved the store itself at exit
    TaggedLoad loadResult() const { return loaded_; }
    const std::string& filePath() const { return path_; }

    // Every setting to its default (the two folders are kept).
    void setDefaults();
    // The reference pitch, such as "440.00 Hz", with the user's decimal separator.
    std::string masterTuneText() const;

    // Keys as written, in order; older keys are read too. After reading every setting is clamped to
    // its range.
    void serialize() override;

  private:
    std::string path_;
    TaggedLoad loaded_ = TaggedLoad::Missing;
    void buildLists(const Llist<std::string>& deviceNames);
    void clampAll();
};
