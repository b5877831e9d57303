#pragma once
// The pattern engine of one style track: on every clock step it decides which pattern notes sound,
// how loud and how long, and on which pitches of the current chord, and queues them on its voice.
#include <vector>

#include "engine/stylefile.h"
#include "foundation/llist.h"

class QvEngine;
class Instrument;

class Arpeggio {
  public:
    int instrument = 0;                     // index of its Instrument
    int lastPartMode = 0;                   // part mode seen on the previous step
    bool lastGroupOn = false;               // group switch seen on the previous step
    bool firstStep = true;                  // the next step does no part-change handling
    bool active = false;                    // the style track is in use
    int type = 1;                           // 0 drums, 1 bass, 2 chords (pitches), 3 chords (chord codes)
    int mode = 1;                           // 1..4: how the Normal part mode uses the pattern
    int transpose = 0;                      // semitones
    int abc = 0;                            // chord layer: 1 A, 2 B, 3 C
    int breakLength = 0;                    // steps; below 1 automatic
    int breakVolume = 100;                  // percent
    int susVolume = 100;                    // percent
    StyleArp pattern;                       // copy of the style track's pattern
    Llist<StyleNote> upper{0, 4, true};     // notes with key >= split at their earliest position
    Llist<StyleNote> lower{0, 4, true};     // notes with key < split at their earliest position
    Llist<StyleNote> breakHits{0, 4, true}; // drum notes of a drum break
    QvEngine* engine = nullptr;

    // An engine without collaborators (the list's element constructor): it plays nothing.
    Arpeggio() = default;
    // Constructs and resets.
    Arpeggio(QvEngine* engine, int instrument);

    void reset();
    void restart() { firstStep = true; }
    // Takes the track's settings and pattern (the engine becomes active), then prepares.
    void loadTrack(const StyleTrack& track);
    // Rebuilds upper, lower and breakHits.
    void prepare();
    // 1000 for bass tracks (every note is low), 60 for the others.
    int splitKey() const { return type == 1 ? 1000 : 60; }

    void playStep(int patternStep, bool chordChanged, bool chordStart, bool pointApplied, bool pointHit);
    // The drum path; step is the pattern step within the pattern, patternStep the step before the
    // modulo (the automatic cymbal counts bars on it).
    void playDrumStep(int step, bool chordStart, bool pointApplied, bool pointHit, int patternStep);
    // Transposes, raises the pitch to at least 28 and queues the note.
    void playPitch(int pitch, int velocity, double length);

  private:
    struct Planned {
        int key;
        int vel;
        double len;
    };
    std::vector<Planned> work; // notes chosen for the current step (kept to avoid allocating per step)
    Llist<int> codePitches{0, 8, true};

    Instrument* voice() const;
    void playDrum(int note, int velocity);
};
