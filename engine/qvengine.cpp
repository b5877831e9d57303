#include "engine/qvengine.h"

QvEngine::QvEngine(MidiOutput& midi_, Clock& clock_, const Setup& setup)
    : midi(midi_), clock(clock_), prompt(setup.prompt),
      styles(setup.stylesFolder.empty() ? Styles::defaultFolder() : setup.stylesFolder), visualizer(this),
      options(deviceNamesOf(midi_), setup.optionsPath), core(this), stepControl(this, false) {
    for (Llist<int>& v : voicings) v = Llist<int>(0, 8, true);
}

Llist<std::string> QvEngine::deviceNamesOf(MidiOutput& midi) {
    Llist<std::string> names;
    midi.listMidiOutDevices(names);
    return names;
}

PageContext QvEngine::pageContext() {
    PageContext ctx;
    ctx.clipboard = &clipboard;
    ctx.clipboardIs34 = &clipboardIs34;
    ctx.liveArrangement = &liveArrangement;
    ctx.prompt = prompt;
    ctx.isTripleMeter = [this] { return core.isTripleMeter(); };
    ctx.editedPage = [this] { return &core.pageAt(false); };
    return ctx;
}

void QvEngine::computeVoicings() {
    std::array<int, kPartCount> heights;
    for (int i = 0; i < kPartCount; ++i) {
        heights[i] = -1;
        // A chord-code track's strum height lies in 0..7 (a negative one counts as 1).
        if (i < arpeggios.count() && arpeggios.at(i).type == 3) {
            int h = arpeggios.at(i).pattern.strumHeight;
            heights[i] = h < 0 ? 1 : h;
        }
    }
    ::computeVoicings(core.currentChord, heights, chordTones, voicings);
}
