#pragma once
// The registers and lines of the shipped styles as a session musician hears them. Each check gives the
// figure of one style over its renders (the fixed progression in three keys, or a song played in its
// own style) and the worst offending notes, each naming the part, the notes and the step:
// - a clear low register: chord parts (with each other and with the bass) keep every interval above
//   its low limit in 99 % of their onsets;
// - no major seventh of a major seventh chord sounds a minor ninth or more under another part's root;
// - walking basses walk, melodic lines (clarinet, flute, fiddle, trumpet, saxophone) sing;
// - the bass keeps its register where the chords change; strummed guitars sit where guitars sit, and
//   no two busy chord parts share one register;
// - a fill at a phrase end adds hits and ends as strong as the bar before it;
// - no part is lost in the mix, and a groove style's drums and bass stand beside its chords;
// - block chords a player would voice; songs that end at home with a bass that moves on by step;
// - a solo horn plays one note at a time; no note is struck twice at once;
// - no flams between parts, no style a near-clone of another.
#include <string>
#include <vector>

#include "tests/data/shipped_data.h"

namespace shipped {

using Renders = std::vector<StyleRender>;

struct Figure {
    bool holds = true;
    std::string value;              // the figure, short enough for a table cell
    std::vector<std::string> worst; // the worst offending notes, worst first
};
using LineCheckFunction = Figure (*)(const Renders&);

// C and the two other keys the progression is played in (semitones above C).
const std::vector<int>& progressionKeys();
// A style played over the progression with its coda in each of those keys.
Renders renderInKeys(StyleRenderer& renderer, int id);

Figure lowRegister(const Renders& r);
Figure majorSevenths(const Renders& r);
Figure walkingLines(const Renders& r);
Figure melodicLines(const Renders& r);
Figure bassRegister(const Renders& r);
Figure guitarRegisters(const Renders& r);
Figure phraseFills(const Renders& r);
Figure balance(const Renders& r); // through the first General MIDI SoundFont of the balance checks
Figure voicings(const Renders& r);
Figure songEndings(const Renders& r);
Figure oneNoteAtATime(const Renders& r);
Figure flamsAndClones(const Renders& r);

struct LineCheck {
    const char* name;
    LineCheckFunction check;
    bool songs; // also asked of the sample songs
};
// Every check above, in this order.
const std::vector<LineCheck>& lineChecks();

// One render under one check, for tests that spoil a style: the figure and its worst notes when the
// check fails, nothing when it holds.
std::vector<std::string> lineProblems(LineCheckFunction check, const StyleRender& r);

} // namespace shipped
