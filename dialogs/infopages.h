#pragma once
// The information pages: Reference Tones (a repeating tuning tone and the master tuning), About (the
// version, the size of the style library and the web site), Sound Test (a piano chord and what to
// check when nothing is heard) and the loop help (an animation of dragging a loop on the ruler).
//
// The program builds one InfoPages beside its context and keeps it as long as the main object:
//
//     QvContext context(...);
//     InfoPages infoPages(context.app);   // sets app.hooks.showReferenceTones (key T)
//
// The object owns the reference tone settings (refTones.cfg, saved when it goes).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/referencetones.h"

class QuoVelanta;
class QvContext;
class TFdialog;

// ---- What the pages compute, on their own for the tests -------------------------------------------

// The MIDI note of a tone row: 64, 59, 55, 50, 45, 40 for the six strings (rows 0..5), 36 +
// customPitch for row 6, one octave higher with octave; -1 for Silence (row 7). Rows and pitches
// outside their ranges are brought into them first.
int referenceTonePitch(int row, int customPitch, bool octave);
// The master tuning in cents for a position of the A440 fader (0 = -50, 0.5 = 0, 1 = +50), truncated
// toward zero and held within -50..50.
int a440FaderCents(double value);
// The fader position of a tuning in cents.
double a440FaderValue(int cents);
// The number in a cents or semitone list item (its first character is a marker: " +10", "- 0").
int tuneItemValue(const std::string& item);

// One message of a timed sequence: when (milliseconds after its start), status and data.
struct TimedMidiMessage {
    int atMs = 0;
    int status = 0;
    int data1 = 0;
    int data2 = 0;
    bool operator==(const TimedMidiMessage&) const = default;
};
// The sound test on a channel: program 0, volume 80, pan 64 and the first note at 0; the notes 36,
// 48, 55, 60, 62, 64 and 67 with velocity 100, 130 ms apart; all notes off 1950 ms after the start.
std::vector<TimedMidiMessage> soundTestSequence(int channel);

// The loop help animation at a time since its start: phase 1..11, one cycle of about 7.1 s.
double loopHelpPhase(std::int64_t elapsedMs);
struct LoopHelpPose {
    bool blank = false; // the area is black (phase above 10)
    int frame = 1;      // picture 1..8
    int cursorX = 49;   // pointer position in the area
    int cursorY = 88;
    bool showDrag = false; // the word "drag" under the pointer
};
LoopHelpPose loopHelpPose(double phase);

// The About page's library line: "Library: N music styles (N notes in N tracks)".
std::string aboutLibraryLine(int styles, int notes, int tracks);
// The host name shown on the About page ("www." + the maker's domain) and the address it opens.
std::string aboutHostName();
std::string aboutLinkAddress();

// ---- The pages --------------------------------------------------------------------------------------

class InfoPages {
  public:
    // tonesPath: where the reference tone settings are kept (empty: refTones.cfg beside the program).
    // Connects app.hooks.showReferenceTones and makes this object the one the free functions use.
    explicit InfoPages(QuoVelanta& app, const std::string& tonesPath = std::string());
    // Disconnects what the constructor connected; the settings are saved.
    ~InfoPages();
    InfoPages(const InfoPages&) = delete;
    InfoPages& operator=(const InfoPages&) = delete;

    QuoVelanta& app;
    ReferenceTones tones;

    // The page alone; the program opens it through QuoVelanta::showReferenceTones (key T), which
    // also selects the style again when it closes.
    void showReferenceTonesPage();
    void showAboutPage();
    // The About page's library line for the loaded library.
    std::string aboutLibraryText() const;
    // True when "Play Again" was pressed.
    bool showSoundTestPage();
    void showLoopHelpPage();
    // The first left click on the ruler: shows the loop help once (option loopHintShown, then set);
    // true when it was shown, and the click is then done.
    bool showLoopHelpOnFirstRulerClick();

    // The page showing now (null when none of these pages is open).
    TFdialog* openPage() const { return openPage_; }

  private:
    TFdialog* openPage_ = nullptr;
    int struckPitch_ = -1; // the reference tone sounding (-1 none)
    double a440Value_ = 0.5;
    // Reference tones: the tone ends (its note-off, then all notes off) and the cycle starts again.
    void stopReferenceTone();
    void referenceToneTimer();
    void reselectStyle();
};

// The installed pages (the last InfoPages built and not yet gone), or null.
InfoPages* installedInfoPages();
// The pages for the menus, the mouse input and the start-up sequence; each does nothing (or answers
// false) while no InfoPages exists.
void showReferenceTonesPage();
void showAboutPage();
bool showSoundTestPage();
void showLoopHelpPage();
bool showLoopHelpOnFirstRulerClick();
// Builds the pages for the program's context (see InfoPages); the program keeps the result until
// just before the context goes.
std::unique_ptr<InfoPages> installInfoPages(QvContext& context);
