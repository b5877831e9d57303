#pragma once
// Helpers of the tests of the shipped data (data/Styles, data/Samples): where the files are, the fixed
// chord progression every style is played over, a render of one style through the normal playback
// path with MIDI capture, and the checks such a render must pass.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/qvcontext.h"
#include "engine/midiout.h"
#include "engine/qvchord.h"
#include "engine/stylefile.h"
#include "platform/clock.h"

namespace shipped {

std::string dataFolder();    // the data/ folder of the source tree
std::string stylesFolder();  // data/Styles
std::string samplesFolder(); // data/Samples
// The sample sessions (*.qvs) of data/Samples, sorted by name.
std::vector<std::string> samplePaths();
// A new empty folder for one test (removed by the caller or left in the temporary folder).
std::string freshFolder(const std::string& tag);
// Numbers of the style files in a folder (names NNN.qms), ascending.
std::vector<int> styleIdsIn(const std::string& folder);
std::string styleFileName(int id); // 001.qms ...

// A program context set up for a test: the given clock, a recording MIDI device (opened as the
// built-in synthesizer), the shipped styles unless told otherwise, and every store file inside `work`.
QvContext::Setup testSetup(const std::string& work, Clock& clock, const std::string& stylesFolder);

// The fixed progression: C | Am Bm7b5 | E7 | Gsus4 G7 | C/E | F (first inversion) Dm | Bb | D/F# G,
// then with the coda Cmaj7 | Am7 D7 (from the "and" of two) | Fm6 G7 (from the "and" of two) C
// (anticipated on the "and" of the last beat) | C | C: thirteen bars. In 3/4 a half bar becomes two
// beats and one.
std::vector<QvChord> progression(bool triple, bool withCoda);

// Every chord type once, a bar each, the roots rising by fourths from C.
std::vector<QvChord> everyChordType();

// One chord of a render: its span in capture time (eighths of a step), from the chord check at which
// the engine takes it up.
struct ChordSpan {
    QvChord chord;
    int start = 0;
    int end = 0;
};

struct StyleRender {
    StyleFile style;
    int key = 0;                   // semitones the progression was moved up from C
    std::string song;              // the file name of a song played in its own style; empty otherwise
    std::vector<int> entryStarts;  // capture time at which each entry of the page sequence begins
    std::vector<MidiEvent> events; // every captured message, in time order
    std::vector<ChordSpan> chords;
    int songEnd = 0;         // capture time at which the song ended and every voice was silenced
    int channelOfTrack[7]{}; // MIDI channel index of each track's voice
};

// Plays styles of one folder in a program context of its own: each render starts a new session,
// selects the style and plays it once over the progression, capturing every MIDI message.
class StyleRenderer {
  public:
    explicit StyleRenderer(const std::string& stylesFolder);
    ~StyleRenderer();
    // key: the progression moved up by this many semitones.
    StyleRender render(int id, bool withCoda, int key = 0);
    StyleRender renderEveryChordType(int id);
    // A session file played through once in its own style (an empty render when it does not open).
    StyleRender renderSession(const std::string& path);

  private:
    StyleRender renderOver(int id, const std::function<std::vector<QvChord>(bool)>& chordsFor, int key = 0);
    StyleRender capture();
    std::string work;
    FakeClock clock;
    std::unique_ptr<QvContext> context;
};

// One render in a context of its own.
StyleRender renderStyle(const std::string& stylesFolder, int id, bool withCoda);
StyleRender renderEveryChordType(const std::string& stylesFolder, int id);

// One note of a render: its channel, pitch, and the capture times it began and ended (-1: never), and
// when it fell silent: at its end, or when the sustain pedal held down at its end came up.
struct Sounding {
    int channel = 0;
    int pitch = 0;
    int on = 0;
    int off = -1;
    int held = -1;
};
// Every note-on of a render paired with the message that ended it; pedalDownAtEnd (may be null) gets
// the sustain pedal state of each channel after the last message.
std::vector<Sounding> soundingNotes(const StyleRender& r, bool pedalDownAtEnd[16]);
// The intervals above the root of a chord variant (three or four tones).
std::vector<int> variantIntervals(int variant);
// The chord span holding a capture time, or null.
const ChordSpan* chordAt(const StyleRender& r, int time);

// What is wrong with a render: notes outside 28..100, notes left sounding, a bass that does not play
// the root (or slash bass) where a chord changes, two drum notes of one class on one tick, chord
// tracks playing tones outside the chord (and their written colour tone), active tracks that stay
// silent. Each problem is one line naming the track or channel; empty when the render is sound.
std::vector<std::string> renderProblems(const StyleRender& r);

// Writes a copy of a shipped style into folder under the same name (for tests that spoil one).
bool copyStyle(int id, const std::string& folder, StyleFile& style);

// The lines of a report, each indented, for a test's failure message.
inline std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += "  " + l + "\n";
    return out;
}

// True when one of the problems names `what`.
inline bool mentions(const std::vector<std::string>& problems, const std::string& what) {
    for (const std::string& p : problems)
        if (p.find(what) != std::string::npos) return true;
    return false;
}

} // namespace shipped
