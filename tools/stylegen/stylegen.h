#pragma once
// The generator of the shipped music styles (data/Styles/NNN.qms) and sample sessions
// (data/Samples/*.qvs). Styles are written once here, in C major, through a few small helpers;
// the writer produces the style and session file text line by line.
#include <string>
#include <string_view>
#include <vector>

namespace stylegen {

struct Note {
    int key = 0;
    int vel = 100;
    int pos = 0;
    double len = 1.0;
};

// Track types and the chord layers of chord tracks.
enum TrackType { Drums = 0, Bass = 1, Pitches = 2, Codes = 3 };
enum Layer { LayerNone = 0, LayerA = 1, LayerB = 2, LayerC = 3 };

struct Track {
    int type = Bass;
    int mode = 0;
    int prog = 0;
    int vol = 100;
    int key = 0;
    int abc = 0;
    int breakLength = 0;
    int breakVolume = 100;
    int susVolume = 100;
    std::string name;
    int length = 16;
    int strumHeight = 0;
    std::vector<Note> notes;
};

struct Style {
    int number = 0;
    std::string name;
    int bpm = 120;
    int stepsPerBeat = 4;
    int stepsPerBar = 16;
    int globalVol = 100;
    int autoCymbal = 0;
    std::vector<Track> tracks; // filled up to seven unused tracks by the writer
    bool utility() const { return number >= 90 && number <= 109; }
};

// ---- Building tracks ----
Track drumTrack(const std::string& name, int length);
Track bassTrack(const std::string& name, int prog, int length);
// A chord track: type Pitches or Codes, the way it is triggered, its layer and, for codes, the strum height.
Track chordTrack(int type, const std::string& name, int prog, int mode, int layer, int length,
                 int strumHeight = 0);

// One drum key over the pattern: one character a step; '.' is a rest, '1'..'9' and 'x' are hits of rising
// velocity; blanks and '|' only group the steps for the eye. A pattern shorter than the track is repeated
// (its step count must divide the track length).
void grid(Track& t, int key, std::string_view pattern);
// The same rhythm notation for chords: every key of the list sounds on each hit, for len steps.
void hits(Track& t, const std::vector<int>& keys, std::string_view pattern, double len);
void add(Track& t, int key, int vel, int pos, double len);
void add(Track& t, const std::vector<int>& keys, int vel, int pos, double len);
// Appends the notes at pos, pos + period, ... up to the pattern end.
void repeatEvery(Track& t, int period);
int velocityOf(char c); // the velocity of a rhythm character, 0 for a rest
// Lengthens a track to `length` steps, repeating the notes it holds now (its old length is the period).
void loopTo(Track& t, int length);
// Removes the notes at steps from..to-1 (every note, or those whose key is listed).
void clearSteps(Track& t, int from, int to, const std::vector<int>& keys = {});
// A drum fill over steps from..to-1: a snare pickup, then the toms from high to low every `every`
// steps, the hi-hat and ride of those steps taken out; it grows to the loudest hit of the groove.
void tomFill(Track& d, int from, int to, int every);
// A pad (layer A) on the chord's own tones, held `length` steps from each chord it plays. `below` says
// how many chord tones under the top voice each voice lies (0 is the top, which the harmony places at
// F#4..Bb4, so the pad stays under a tune; a negative count lies above it), `octave` moves the whole
// pad. The outer voices sound at `vel`, the inner ones a little softer.
Track pad(const std::string& name, int prog, int mode, int length, const std::vector<int>& below, int vel,
          int octave = 0);
// Makes the drums and the bass of a style a phrase of four bars: the drums end it with a fill over the
// last `fillSteps` steps (toms, or a snare crescendo with the kick under it, growing to the groove's
// accent), the bass leans into the next phrase from the third on its last beat (a chord tone that,
// unlike the fifth, keeps the bass within an octave of nearly every next root).
void fourBarPhrase(Style& s, int fillSteps, bool toms);
// A line of single notes, one list of keys a bar (0 is a rest), a note every `every` steps from the
// bar's start, the first of each `accent` notes at `vel` and the others a little softer.
void noteLine(Track& t, int barSteps, int every, int accent, int vel,
              const std::vector<std::vector<int>>& bars);
// A walking bass line, a note a beat, one list of pitches a bar (the line's bar count is the list's).
// Every note is moved onto the chord that sounds when it plays, and a chord that changes where the
// line is not on its root gets the root of the first step instead: so the line keeps chord tones on
// the strong beats and reaches the next root from the fifth or the seventh below it.
void walkingLine(Track& b, int stepsPerBeat, const std::vector<std::vector<int>>& bars);

// ---- The catalogue ----
void addStylesPopRock(std::vector<Style>& out);
void addStylesSoulFolk(std::vector<Style>& out);
void addStylesJazzLatin(std::vector<Style>& out);
void addStylesDanceUtility(std::vector<Style>& out);
void addStylesBallroom(std::vector<Style>& out);
void addStylesMore(std::vector<Style>& out);
std::vector<Style> allStyles();

// ---- Checking and writing ----
// Every rule a shipped style keeps (see the checks in stylegen.cpp); problems are appended as text.
void checkStyle(const Style& s, std::vector<std::string>& problems);
// Sorts each pattern by position (drums: kick, snare, hi-hat, ride, cymbals, then other percussion
// within one step) and pads the track list to seven.
void normalise(Style& s);
std::string styleFileText(const Style& s); // the whole file, CR LF line ends
std::string styleFileName(int number);     // 001.qms ...

// ---- Sample sessions ----
struct Chord {
    int key = 0;
    int variant = 0;
    int inversion = 0;
    int bass = -1; // -1: the root (automatic bass)
    bool bassOctave = false;
    int len = 48;
};

struct APoint {
    int pos = 0;
    bool arrangeEnabled = true;
    bool fillEnabled = true;
    int mDrums = 0;
    int mBass = 0;
    int mChords = 0;
    bool oKick = true, oSnare = true, oHihat = true, oPerc = true;
    bool oA = true, oB = true, oC = true;
    int cym = 1;
};
// A point of one of the 19 preset kinds (cymbal Crash, or Off for kind 18).
APoint pointOfKind(int pos, int kind);

struct Page {
    std::vector<Chord> chords;
    std::vector<APoint> apoints;
    int zoom = 8;
};

struct Session {
    std::string fileName;
    double volDrums = 0.8, mixKick = 0.5, mixSnare = 0.5, mixHihat = 0.5, mixExtra = 0.5, mixRide = 0.5,
           mixCrash = 0.5, mixFxCym = 0.5, volBass = 0.8, volChords = 0.8, mixA = 1.0, mixB = 1.0, mixC = 1.0;
    int style = 1;
    int bpm = 120;
    int key = 0;
    int sharpFlatMode = 1;
    int loopStart = -1, loopEnd = -1, loopMode = 0;
    bool loopRegionActive = false;
    int fadeOutMode = 0;
    bool autoCymbal = true;
    int autoCymbal_nthBar = 0;
    bool cymbalOnPageStart = false;
    bool rewindStyleInLoops = false;
    bool restartStyleOnPageChange = true;
    Page pages[36];
    std::vector<int> pageSlots{0};
    std::vector<std::string> notes;
    std::string links[5];
};

std::vector<Session> allSessions();
std::string sessionFileText(const Session& s);
void checkSession(const Session& s, const std::vector<Style>& styles, std::vector<std::string>& problems);

// A pad (layer A) of written pitches over C major, held `length` steps from each chord it plays: the
// voicing keeps its written shape on every chord (60/64/67 give the triad, a suspended chord keeps its
// fourth; 69 the sixth, or the seventh where the chord has one), so a pad of the triad never sounds a
// major seventh under another part's root. The outer voices sound at `vel`, the inner ones a little
// softer.
Track pitchPad(const std::string& name, int prog, int mode, int length, const std::vector<int>& keys,
               int vel);

// ---- Lines in swung eighths ----
// A line of single notes in swung eighths on a grid of three steps a beat: one list of keys a bar, two
// a beat (0 is a rest), the note on the beat at `vel` and held two steps, the one after it a little
// softer and held one.
void swingLine(Track& t, int vel, const std::vector<std::vector<int>>& bars);

} // namespace stylegen
