// The program's store files on arbitrary bytes: the same input is read as options.cfg, recent.cfg,
// globalNotes.cfg, customStyleMixes.dat and refTones.cfg; every value read must lie in its range,
// each store then writes itself back (as at exit) and reads what it wrote, and a store says that it
// could not read its file (a start-up notice) only for the input, never for what it wrote itself.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/customstylemixes.h"
#include "engine/globalnotes.h"
#include "engine/options.h"
#include "engine/referencetones.h"
#include "foundation/recentfiles.h"
#include "foundation/storefile.h"
#include "fuzz_context.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

bool level(double v) {
    return std::isfinite(v) && v >= 0 && v <= 1;
}

void checkMix(const QvSessionMix& m) {
    for (double v : {m.volDrums, m.mixKick, m.mixSnare, m.mixHihat, m.mixExtra, m.mixRide, m.mixCrash,
                     m.mixFxCym, m.volBass, m.volChords, m.mixA, m.mixB, m.mixC})
        require(level(v));
}

bool inList(int index, const Llist<std::string>& list) {
    return index >= 0 && index < list.count();
}

void checkOptions(const Options& o) {
    require(o.precountMode >= 0 && o.precountMode <= 2);
    require(inList(o.precountSound, o.precountSoundNames));
    require(o.precountWait >= -1 && o.precountWait + 1 < o.precountWaitNames.count());
    require(level(o.precountVolume));
    require(inList(o.displayTextColor, o.displayTextColorNames));
    require(inList(o.chordLook, o.chordLookNames));
    require(inList(o.chordColoring, o.chordColoringNames));
    require(inList(o.cursorMode, o.cursorModeNames));
    require(inList(o.visualizeMode, o.visualizeModeNames));
    require(o.midiDevice >= -2); // a device missing now is settled when the output opens
    require(inList(o.midiChannels, o.midiChannelRanges));
    require(o.masterTune_cents >= -50 && o.masterTune_cents <= 50);
    require(o.masterTune_semitones >= -3 && o.masterTune_semitones <= 3);
    require(o.visualTranspose >= 0 && o.visualTranspose <= 11);
    require(o.exportToMidi_silenceBars >= 1 && o.exportToMidi_silenceBars <= 4);
    require(o.exportToMidi_precountBars >= 1 && o.exportToMidi_precountBars <= 2);
    require(o.exportToMidi_format == 0 || o.exportToMidi_format == 1);
    o.masterTuneText();
}

void checkTones(const ReferenceTones& t) {
    require(t.actualTone >= 0 && t.actualTone <= 7);
    require(inList(t.customPitch, t.pitchNames));
    require(inList(t.interval, t.durationNames));
    require(inList(t.patch, t.instrumentNames));
    require(level(t.volume));
    double s = t.toneSeconds();
    require(std::isfinite(s) && s > 0);
    int p = t.patchProgram();
    require(p >= 0 && p <= 127);
}

const char* const kStores[] = {"options.cfg", "recent.cfg", "globalNotes.cfg", "customStyleMixes.dat",
                               "refTones.cfg"};

// Round 0 reads the input as every store; round 1 reads what round 0 wrote at its end.
void readStores(const std::string& dir, int round, const std::uint8_t* data, std::size_t size) {
    Llist<std::string> devices;
    devices.add("Fuzz Synth");
    if (round == 0)
        for (const char* name : kStores) qvfuzz::writeInput(name, data, size);
    {
        Options o(devices, dir + "options.cfg");
        checkOptions(o);
    }
    {
        RecentFiles r(dir + "recent.cfg", 20);
        require(r.entries.count() <= 20);
        for (const std::string& e : r.entries)
            require(!e.empty() && e.find('\n') == std::string::npos && e.find('\r') == std::string::npos);
    }
    { GlobalNotes g(dir + "globalNotes.cfg"); }
    {
        CustomStyleMixes c(dir + "customStyleMixes.dat");
        for (const QvSessionMix& m : c.mixes) {
            checkMix(m);
            QvSessionMix live;
            require(c.applyMix(m.forStyle, live));
            checkMix(live);
        }
    }
    {
        ReferenceTones t(dir + "refTones.cfg");
        checkTones(t);
    }
    // A store that could not read its file says so once, naming the file (the program shows these
    // notices at start and takes them); what the stores wrote themselves reads back without one.
    Llist<std::string> said = takeStoreNotices();
    require(said.count() <= (round == 0 ? 5 : 0));
    for (const std::string& line : said) require(line.rfind(dir, 0) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& dir = qvfuzz::scratch();
    // Every input starts from the same folder: a store keeps a file it cannot read aside (".bad" up to
    // ".bad9") and stops replacing that file once nine are there. Each input starts with none and sets
    // at most one aside per store (round 1 sets none, as checked), so only ".bad" can be there.
    for (const char* name : kStores) qvfuzz::removeFile(std::string(name) + ".bad");
    qvfuzz::savesInPlace([&] {
        for (int round = 0; round < 2; ++round) readStores(dir, round, data, size);
    });
    return 0;
}
