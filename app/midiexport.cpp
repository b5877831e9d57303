// The MIDI file export: the whole song is rendered through the normal playback path while the MIDI
// output captures, and the captured events are written as a Standard MIDI File.
#include <algorithm>
#include <cmath>

#include "app/documentdialogs.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "engine/midifile.h"
#include "engine/precountclick.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace {

const char* const kMidiExportFailed = "MIDI export failed. (MIDI file used by other application?)";

// The loudest part volume among the style's tracks in use.
double loudestPart(const StyleFile& style, const QvSessionMix& mix) {
    double m = 0.0;
    for (int i = 0; i < style.tracks.count(); ++i) {
        const StyleTrack& track = style.tracks.at(i);
        if (track.mode == 0) continue;
        double part = track.type == 0 ? mix.volDrums : (track.type == 1 ? mix.volBass : mix.volChords);
        m = std::max(m, part);
    }
    return m;
}

} // namespace

bool QuoVelanta::exportMidiFile(const std::string& path) {
    QvCore& core = engine.core;
    MidiOutput& midi = engine.midi;
    Options& options = engine.options;
    StepControl& clock = engine.stepControl;
    closeSelectorOverlay();
    double pv = std::sqrt(std::clamp(options.precountVolume, 0.0, 1.0));
    if (clock.isPlaying()) togglePlay();
    core.playFrom(0, false, false);
    long long end = static_cast<long long>(core.songLength()) * 8;

    double normalisation = 1.0;
    if (options.exportToMidi_normalize) {
        double m = loudestPart(engine.styles.current(), core.mix);
        if (options.exportToMidi_precount) m = std::max(m, pv);
        if (m <= 0.0) m = 1.0;
        normalisation = 1.0 / m;
    }
    core.exportNormalisation = normalisation;

    midi.startMidiCapture();
    // Capture ends on every way out, so that an export that fails half-way leaves the output live.
    struct CaptureEnd {
        MidiOutput& midi;
        StepControl& clock;
        ~CaptureEnd() {
            midi.endMidiCapture();
            midi.exportTrackList.clear();
            if (clock.isPlaying()) clock.togglePlay();
        }
    } captureEnd{midi, clock};
    if (options.exportToMidi_settings) core.applyMix(core.masterVolume(), true);
    midi.exportTrackList.clear();
    for (const Instrument& voice : engine.instruments) {
        ExportingMidi_trackInfo track;
        track.channel = voice.channel();
        track.name = voice.describe(false);
        midi.exportTrackList.add(track);
    }
    const int stepsPerBeat = core.stepsPerBeat();
    const int stepsPerBar = core.stepsPerBar();
    if (options.exportToMidi_silence) {
        long long bars = std::clamp(options.exportToMidi_silenceBars, 1, 4);
        midi.captureTime += static_cast<int>(bars * stepsPerBar * 8);
    }
    if (options.exportToMidi_precount) {
        int bars = std::clamp(options.exportToMidi_precountBars, 1, 2);
        int beats = bars * (stepsPerBar / stepsPerBeat);
        int beat = stepsPerBeat * 8;
        int half = beat / 2;
        PrecountClick click = precountClickNote(options.precountSound);
        midi.sendVolume(std::clamp(truncToInt(core.masterVolume() * pv * 127), 0, 127), kDrumChannel);
        for (int b = 0; b < beats; ++b) {
            midi.sendNoteOn(click.key, click.velocity, kDrumChannel);
            midi.captureTime += half;
            midi.sendNoteOn(click.key, 0, kDrumChannel);
            midi.captureTime += beat - half;
        }
        if (engine.instruments.count() > 0)
            midi.sendVolume(std::clamp(engine.instruments.at(0).volumeValue(), 0, 127), kDrumChannel);
    }
    end += midi.captureTime;

    togglePlay();
    // Each call moves the clock by one eighth of a step; the count bounds the loop whatever happens.
    for (long long guard = end; midi.captureTime < end - 1 && guard > 0; --guard)
        core.updatePlayback(false, false);
    for (MidiEvent& e : midi.captureList)
        if (e.isSustainDown()) e.time += 1; // after the note-ons of its step
    for (Instrument& voice : engine.instruments) voice.allNotesOff(true);

    const bool triple = core.isTripleMeter();
    const bool tripletDivision = stepsPerBeat % 3 == 0;
    bool written =
        options.exportToMidi_format == 0
            ? writeMidiFileFormat0(midi, path, core.tempo(), stepsPerBeat, triple, tripletDivision)
            : writeMidiFileFormat1(midi, path, core.tempo(), stepsPerBeat, triple, tripletDivision);
    midi.endMidiCapture();
    midi.exportTrackList.clear();
    if (clock.isPlaying()) clock.togglePlay();
    core.playFrom(0, false, false);
    selectStyle(-1, false, false, false);
    if (!written) {
        Llist<std::string> lines(0, 1, true);
        lines.add(kMidiExportFailed);
        prompt.messageBox(lines, PromptButtons::Ok, "");
    }
    return written;
}

bool QuoVelanta::saveMidiFileAs() {
    stopAndCloseSelector();
    Options& options = engine.options;
    std::string name = sessionPath.empty() ? std::string() : fileBaseName(sessionPath) + ".mid";
    if (!fileDialogs || !fileDialogs->runSaveDialog(name, "Save As MIDI File", "MIDI Files (*.mid)| *.mid",
                                                    exportStartFolder(options.lastExportFolder, sessionPath)))
        return false;
    std::size_t cut = name.find_last_of("/\\");
    if (cut != std::string::npos) options.lastExportFolder = name.substr(0, cut + 1);
    return exportMidiFile(name);
}
