#pragma once
// The program-wide engine objects, built in an order in which every object exists before its first
// user and destroyed in reverse: the style library, the seven voices and seven track engines (filled
// by the main object), the note display data, the options (read by the session's reset), the live
// arrangement state and the point the menus edit, the chord clipboard, the chord tones and voicings,
// the live session and the clock. Tests build their own over a fake clock and a recording backend.
#include <array>
#include <string>

#include "engine/arpeggio.h"
#include "engine/harmony.h"
#include "engine/instrument.h"
#include "engine/midiout.h"
#include "engine/notevisualizer.h"
#include "engine/options.h"
#include "engine/prompt.h"
#include "engine/qvapoint.h"
#include "engine/qvcore.h"
#include "engine/qvpage.h"
#include "engine/stepcontrol.h"
#include "engine/styles.h"
#include "foundation/llist.h"
#include "platform/clock.h"

class QvEngine {
  public:
    // Where the platform pieces and the files are. midi and clock must outlive the engine.
    struct Setup {
        std::string stylesFolder; // empty: Styles::defaultFolder()
        std::string optionsPath;  // empty: options.cfg beside the executable
        Prompt* prompt = nullptr; // questions of the page operations (none: they count as Cancel)
    };

    QvEngine(MidiOutput& midi, Clock& clock, const Setup& setup);
    QvEngine(const QvEngine&) = delete;
    QvEngine& operator=(const QvEngine&) = delete;

    MidiOutput& midi;
    Clock& clock;
    Prompt* prompt;

    Styles styles;
    Llist<Instrument> instruments{0, 1, true}; // seven voices, filled by the main object
    Llist<Arpeggio> arpeggios{0, 1, true};     // seven track engines, engine i plays on voice i
    NoteVisualizer visualizer;
    Options options;
    QvAPoint liveArrangement; // what the track engines read while playing
    QvAPoint editedAPoint;    // the point the arrangement menus edit
    QvPage clipboard;         // the chord clipboard
    bool clipboardIs34 = false;
    Llist<int> chordTones{0, 8, true};
    Llist<int> voicings[kPartCount];
    QvCore core;             // the live session
    StepControl stepControl; // the running clock

    // What the page operations need: clipboard, live arrangement, prompt, meter, edited page.
    PageContext pageContext();
    // Recomputes the chord tones and the voicings of the chord-code tracks for the current chord.
    void computeVoicings();
    bool capturing() const { return midi.capturing; }

  private:
    static Llist<std::string> deviceNamesOf(MidiOutput& midi);
};
