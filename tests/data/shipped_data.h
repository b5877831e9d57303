#pragma once
// Helpers of the tests of the shipped data (data/Styles, data/Samples): where the files are, the fixed
// chord progression every style is played over, a render of one style through the normal playback
// path with MIDI capture, and the checks such a render must pass.
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
// A new empty folder for one test (removed by the caller or left in the temporary folder).
std::string freshFolder(const std::string& tag);
// Numbers of the style files in a folder (names NNN.qms), ascending.
std::vector<int> styleIdsIn(const std::string& folder);
std::string styleFileName(int id); // 001.qms ...

// A program context set up for a test: the given clock, a recording MIDI device (opened as the
// built-in synthesizer), the shipped styles unless told otherwise, and every store file inside `work`.
QvContext::Setup testSetup(const std::string& work, Clock& clock, const std::string& stylesFolder);

// The fixed progression: C | Am Bm7b5 | E7 | Gsus4 G7 | C/E | F (first inversion) Dm | Bb | D/F# G,
// then with the coda four bars of C. In 3/4 a half bar becomes two beats and one.
std::vector<QvChord> progression(bool triple, bool withCoda);

// One chord of a render: its span in capture time (eighths of a step).
struct ChordSpan {
    QvChord chord;
    int start = 0;
    int end = 0;
};

struct StyleRender {
    StyleFile style;
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
    StyleRender render(int id, bool withCoda);

  private:
    std::string work;
    FakeClock clock;
    std::unique_ptr<QvContext> context;
};

// One render in a context of its own.
StyleRender renderStyle(const std::string& stylesFolder, int id, bool withCoda);

// What is wrong with a render: notes outside 28..100, notes left sounding, a bass that does not play
// the root (or slash bass) where a chord changes, two drum notes of one class on one tick, chord
// tracks playing tones outside the chord (and their written colour tone), active tracks that stay
// silent. Each problem is one line naming the track or channel; empty when the render is sound.
std::vector<std::string> renderProblems(const StyleRender& r);

// Writes a copy of a shipped style into folder under the same name (for tests that spoil one).
bool copyStyle(int id, const std::string& folder, StyleFile& style);

} // namespace shipped
