#pragma once
// The program-wide objects, members of one context built in their designed order (every object exists
// before its first user) and destroyed in reverse: the clock and the MIDI output layer, the engine
// objects (style library, voices, track engines, note display, options, arrangement states, clipboard,
// chord tones and voicings, live session, running clock), the recent files, the main object, the
// global notes, the custom style mixes and the undo history. The stores load their files when built
// and save them when the context goes.
#include <memory>
#include <string>

#include "app/documentdialogs.h"
#include "app/historyclient.h"
#include "app/quovelanta.h"
#include "app/qvhost.h"
#include "engine/customstylemixes.h"
#include "engine/globalnotes.h"
#include "engine/midiout.h"
#include "engine/prompt.h"
#include "engine/qvengine.h"
#include "engine/qvhistory.h"
#include "foundation/recentfiles.h"
#include "platform/clock.h"
#include "platform/midibackend.h"
#include "ui/qvselector.h"

// A prompt with nobody to answer: every question counts as closed (-1).
class ClosedPrompt : public Prompt {
  public:
    int messageBox(const Llist<std::string>&, PromptButtons, const std::string&) override { return -1; }
};

class QvContext {
  public:
    struct Setup {
        Clock* clock = nullptr; // null: the real steady clock
        // With realMidi the ALSA ports and the built-in synthesizer; otherwise these two backends
        // (either may be null).
        bool realMidi = true;
        std::unique_ptr<MidiBackend> ports;
        std::unique_ptr<MidiBackend> synth;
        std::string stylesFolder;           // empty: "Styles" beside the executable
        std::string optionsPath;            // empty: "options.cfg" beside the executable
        std::string recentPath;             // empty: "recent.cfg" beside the executable
        QvHost* host = nullptr;             // null: no window
        Prompt* prompt = nullptr;           // null: every question counts as closed
        std::string globalNotesPath;        // empty: "globalNotes.cfg" beside the executable
        std::string customMixesPath;        // empty: "customStyleMixes.dat" beside the executable
        FileDialogs* fileDialogs = nullptr; // null: every file dialog counts as cancelled
    };

    explicit QvContext(Setup setup);
    ~QvContext();
    QvContext(const QvContext&) = delete;
    QvContext& operator=(const QvContext&) = delete;

  private:
    std::unique_ptr<SteadyClock> ownClock;
    NullHost nullHost;
    ClosedPrompt closedPrompt;
    CancelledFileDialogs cancelledDialogs;

  public:
    Clock& clock;
    std::unique_ptr<MidiOutput> midi;
    QvEngine engine;
    RecentFiles recentFiles;
    QuoVelanta app;
    GlobalNotes globalNotes;
    CustomStyleMixes customStyleMixes;

  private:
    MainHistoryClient historyClient;

  public:
    QvHistory history;
    // The selector overlay, bound to the main object's selector kind.
    QvSelector selector;

  private:
    static std::unique_ptr<MidiOutput> makeMidi(Setup& setup);
    static Clock& pickClock(Setup& setup, std::unique_ptr<SteadyClock>& own);
};
