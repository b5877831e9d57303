#pragma once
// Offline listening of captured style renders: the captured MIDI messages played through an offline
// FluidSynth, as a whole or with one voice soloed, measured as a plain RMS level and as a loudness
// (RMS after the K-weighting of broadcast loudness meters, which hears a low bass the way ears do:
// far less than its raw energy suggests).
#include <memory>
#include <string>
#include <vector>

#include "tests/data/shipped_data.h"

class FluidSynthBackend;

namespace shipped {

struct AudioLevel {
    double rmsDb = -200.0;      // RMS of both channels relative to full scale; -200 for silence
    double loudnessDb = -200.0; // the same after K-weighting
    int peak = 0;               // largest sample magnitude
};

struct ListenOptions {
    int soloChannel = -1; // >= 0: only this MIDI channel's notes sound (all other messages still pass)
    int until = -1;       // capture time to stop at; -1: the end of the song
};

// One offline synthesizer that plays render after render: between two plays every voice is silenced
// and the effect tails are rendered away unheard.
class Listener {
  public:
    // soundFont: empty means the first General MIDI SoundFont found.
    explicit Listener(const std::string& soundFont = {}, int sampleRate = 22050);
    ~Listener();
    bool ready() const { return open; }
    // Plays the captured events of r at the style's tempo and measures what comes out.
    AudioLevel play(const StyleRender& r, const ListenOptions& options = {});

  private:
    std::unique_ptr<FluidSynthBackend> synth;
    int rate = 22050;
    bool open = false;
    bool used = false;
};

// The capture time at which bar `bars` of the render begins.
int timeOfBar(const StyleRender& r, int bars);

// The loudness of each active track of a render played on its own (soloed) over its first `bars` bars.
struct PartLevel {
    int track = 0;
    int type = 0;
    double db = -200.0;
};
std::vector<PartLevel> soloLevels(Listener& listener, const StyleRender& r, int bars);

// The SoundFonts the balance is held in: the one the program finds first and the small one many
// systems ship (QV_TEST_SOUNDFONT=/path/to.sf2 checks only that one).
std::vector<std::string> balanceFonts();

} // namespace shipped
