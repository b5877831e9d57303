#pragma once
// The session: 36 chord pages, their play order, style, tempo, key shift, loop, fade-out, automatic
// cymbals, mix, notes and links; and the playback driver that, once per poll, asks the clock for a
// due step and hands the chord and arrangement under the play position to the track engines.
#include <cstdint>
#include <string>

#include "engine/enginelink.h"
#include "engine/qvchord.h"
#include "engine/qvpage.h"
#include "engine/qvsessionmix.h"
#include "engine/stepcontrol.h"
#include "foundation/llist.h"

class Instrument;
class MidiOutput;

constexpr int kPageCount = 36;
constexpr int kSessionLinkCount = 5;
constexpr int kMinTempo = 20;
constexpr int kMaxTempo = 220;
constexpr int kMaxPageSlots = 80;   // the page sequence: as many entries as its edit box takes
constexpr int kMaxNoteLines = 2000; // session notes: a few pages of text for the notes window
constexpr int kMaxNotesBytes = 128 << 10;
constexpr int kMaxLinkBytes = 8192;       // a session link: a file path or a web address
constexpr int kFadeFromLastPoint = 10000; // fadeOutMode: from the last arrangement point
// Song lengths and positions in steps stay below this, so that capture times (eighths) fit an int.
constexpr int kMaxSongSteps = 1 << 27;

// Where a song step lies in the page sequence.
struct SequenceLocation {
    int entry = 0;      // index in pageSlots
    int entryStart = 0; // song step where that entry starts
    int offset = 0;     // the step minus entryStart
};

// What a chord check found under the play position.
struct ChordCheck {
    bool changed = false;
    bool chordStart = false;
};

// "1".."9" for 0..8, "0" for 9, "A".."Z" for 10..35, "0" otherwise.
std::string pageLabel(int index);
// Fine and coarse tuning to every channel but the drum channel; nothing while the export captures.
void applyMasterTuning(MidiOutput& midi, int cents, int semitones);
// Every voice ends its notes (silent voices skipped).
void silenceAllInstruments(Llist<Instrument>& instruments);

class QvCore {
  public:
    std::string name; // description under which the session was last recorded into the history
    int stepsPerBeatValue = 4;
    int stepsPerBarValue = 16;
    int tempoValue = 120;
    std::int64_t lastStepTime = 0; // clock time (ms) of the last step; the fade interpolates from it
    int lastSongLength = -1;
    bool restartFlag = false;
    double sessionVolume = 1.0;
    bool mute = false;
    QvSessionMix mix;
    bool chordChanged = false; // forces a chord check on the next step
    StepControl clockCopy;     // the clock as it was when the session was recorded (not the running one)
    Llist<QvPage> pages{0, 1, true};  // always kPageCount pages
    Llist<int> pageSlots{0, 8, true}; // the page sequence: page indexes 0..35
    int playingPosition = 0;          // entry of pageSlots that plays
    int currentChordIndex = 0;        // chord under the play position on its page
    int editedPosition = 0;           // entry of pageSlots shown and edited
    int styleNumber = 0;
    int sharpFlatMode = 1; // 1 sharp note names, otherwise flat
    bool tempoLock = false;
    bool volumeLock = true;
    int key = 0;          // key shift in semitones, 0..11
    QvChord currentChord; // the chord under the play position; variant -1 marks it unknown
    int loopStart = -1;   // bars, -1 none
    int loopEnd = -1;
    int loopMode = 0; // repeat mode: 0 All, 1 Page, 2 Off
    bool loopRegionActive = false;
    Llist<std::string> sessionNotes{0, 1, true};
    Llist<std::string> sessionLinks{0, 1, true}; // always kSessionLinkCount texts
    int fadeOutMode = 0; // 0 off; v > 0 last v seconds; v < 0 last |v| bars; 10000 from the last point
    bool autoCymbal = true;
    bool cymbalOnPageStart = false;
    int autoCymbal_nthBar = 0; // 0: the style's own interval
    bool rewindStyleInLoops = false;
    bool restartStyleOnPageChange = true;
    double exportNormalisation = 1.0; // replaces the session volume while the export captures
    double fadeFactor = 1.0;
    double tempoSlider = 0.5; // 0..1, kept in step with the tempo
    EngineLink engine;        // styles, clock, voices, engines, options (not copied by assignment)

    // A session without an engine (history slots); it is reset without reading any option.
    QvCore();
    // The live session: reset (reading the options), tempo lock off, volume lock on, clipboard emptied.
    explicit QvCore(QvEngine* engine);

    // The choice texts of the setting menus.
    static const char* const kUnitBar;      // "bar"
    static const char* const kUnitSec;      // "sec"
    static std::string fromLastPointText(); // "From last arrangement point"
    static const Llist<std::string>& fadeOutChoices();
    static const Llist<std::string>& cymbalChoices();

    // -1 returns the value; else invalidates every page's timing and stores v within its range.
    int stepsPerBeat(int v = -1);
    int stepsPerBar(int v = -1);
    // -1 returns it; else clamps to 20..220 and moves the slider with it.
    int tempo(int v = -1);
    void setTempoFromSlider();
    double secondsPerBeat() const { return 60.0 / tempoValue; }
    bool isTripleMeter() const;
    bool prefersSharps() const { return sharpFlatMode == 1; }
    static QvChord emptyChord();

    // The page of the playing (true) or edited (false) entry; page 0 when out of range.
    QvPage& pageAt(bool playing);
    const QvPage& pageAt(bool playing) const;
    // The page of sequence entry n (page 0 for an invalid entry or page index).
    const QvPage& pageOfEntry(int n) const;
    // Steps of sequence entry n: bars of its page x steps per bar.
    int entrySteps(int n) const;
    int startTickOf(int n) const;
    int songLength() const;
    SequenceLocation locateStep(int step) const;
    double playPositionInBars() const;
    int barsToSteps(double bars) const;
    std::string pageSequenceText() const;
    void parsePageSequence(const std::string& text);

    // A new session.
    void reset();
    // Brings values read from a file into their ranges: sequence entries outside 0..35 dropped (an
    // empty sequence becomes page 0), positions reset, key 0..11, loop mode 0..2, an active loop
    // region whose start lies after its end deactivated, tempo and step grid clamped.
    void sanitize();

    // Playback.
    void updatePlayback(bool busy, bool force);
    void playFrom(int step, bool start, bool busy);
    void updateLoopRange(bool busy);
    ChordCheck chordAtPlayPosition();
    QvChord lastChordBeforePage() const;
    void applyArrangementAtPosition();
    void updateFadeOut(bool force);
    void applyMix(double master, bool sendProgramsAndPans);
    double masterVolume() const;
    // Whether the loop region can be used: active, both ends set and in order.
    bool loopRegionUsable() const;

  private:
    void resetFields(bool readOptions);
    bool capturing() const;
    std::int64_t nowMs() const;
    int stepInPageToUnits(int stepInPage) const;
};
