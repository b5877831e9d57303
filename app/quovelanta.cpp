#include "app/quovelanta.h"

#include "app/flagscope.h"
#include "foundation/strutil.h"
#include "ui/popupmenu.h"

int partMidiChannel(int part, int midiChannels) {
    if (part <= 0) return kDrumChannel;
    if (midiChannels < 0) midiChannels = 0;
    if (midiChannels > 9) midiChannels = 9;
    int c = midiChannels + part - 1;
    if (c >= kDrumChannel) c += 1;
    return c > 15 ? 15 : c;
}

QuoVelanta::QuoVelanta(QvEngine& engine_, QvHost& host_, Prompt& prompt_)
    : engine(engine_), host(host_), prompt(prompt_) {
    engine.core.sessionVolume = 1.0;
    engine.core.mute = false;
    engine.instruments.clear();
    engine.arpeggios.clear();
    for (int i = 0; i < kPartCount; ++i) engine.instruments.add(Instrument(&engine, partMidiChannel(i)));
    for (int j = 0; j < kPartCount; ++j) engine.arpeggios.add(Arpeggio(&engine, j));
    openMidiOutput();
    newSession(true);
}

QuoVelanta::~QuoVelanta() {
    engine.midi.closeMidiOut();
}

int QuoVelanta::partMidiChannel(int part) const {
    return ::partMidiChannel(part, engine.options.midiChannels);
}

void QuoVelanta::openMidiOutput() {
    Llist<std::string> names;
    engine.midi.listMidiOutDevices(names);
    openMidiOutputFrom(names);
}

void QuoVelanta::openMidiOutputFrom(const Llist<std::string>& names) {
    Options& options = engine.options;
    const std::string& wanted = options.midiDeviceName;
    const bool indexNamesIt = options.midiDevice >= 0 && options.midiDevice < names.count() &&
                              names.at(options.midiDevice) == wanted;
    if (!wanted.empty() && !indexNamesIt) {
        for (int i = 0; i < names.count(); ++i)
            if (names.at(i) == wanted) {
                options.midiDevice = i;
                break;
            }
    }
    if (options.midiDevice == -2) options.midiDevice = MidiOutput::defaultDeviceAmong(names);
    int device = options.midiDevice;
    if (device < 0 || device > names.count() - 1) device = -1;
    engine.midi.openMidiOut(device);
    for (int i = 0; i < engine.instruments.count(); ++i)
        engine.instruments.at(i).setChannel(partMidiChannel(i));
    applyMasterTuning(engine.midi, options.masterTune_cents, options.masterTune_semitones);
    selectStyle(-1, false, false, false);
}

void QuoVelanta::playbackTick() {
    // Never nested: the repaints below, and painters reached from any tick, tick again.
    if (engine.midi.capturing || playbackTickRunning) return;
    const FlagScope running(playbackTickRunning); // cleared even when the tick fails
    StepControl& clock = engine.stepControl;
    bool wasPlaying = clock.isPlaying();
    engine.core.updatePlayback(isBusy(), false);
    if (clock.isPlaying() != wasPlaying) {
        host.repaintRuler(true);
        host.repaintVisualizer();
        host.repaintPositionCounter();
        playButtonOn = false;
        host.repaintPlayButton();
    }
}

void QuoVelanta::selectStyle(int styleId, bool setTempo, bool repaintPanels, bool askMeter) {
    QvCore& core = engine.core;
    Styles& styles = engine.styles;
    int id = styleId == -1 ? core.styleNumber : styleId;
    if (styleId != -2 && !keepStyleEdits(styleId, id)) {
        if (repaintPanels && host.isShowing()) host.refreshPanels();
        return;
    }
    bool wasTriple = core.isTripleMeter();
    // A reload (-2) keeps the current style, so its meter does not change.
    bool willTriple = styleId == -2 ? wasTriple : styles.is34(id);
    bool to34 = !wasTriple && willTriple && askMeter;
    bool from34 = wasTriple && !willTriple;
    if (to34 && !confirmConvertTo34()) {
        if (repaintPanels && host.isShowing()) host.refreshPanels();
        return;
    }
    if (styleId != -2 && styles.indexOfId(id) < 0 && styles.count() > 0) id = styles.at(0).id;
    double bars = core.playPositionInBars();
    if (styleId != -2) {
        core.styleNumber = id;
        styles.select(id);
        styleEdits.reapply(styles); // the Style Programmer's edits of this style stay
    }
    const StyleFile& style = styles.current();
    silenceAllInstruments(engine.instruments);
    core.currentChord.variant = -1;
    core.chordChanged = true;
    core.stepsPerBeat(style.stepsPerBeat);
    core.stepsPerBar(style.stepsPerBar);
    if (styleId == -2 || (setTempo && !core.tempoLock)) core.tempo(style.bpm);
    for (Instrument& v : engine.instruments) v.reset();
    for (Arpeggio& a : engine.arpeggios) a.reset();
    for (int i = 0; i < kPartCount && i < style.tracks.count(); ++i) {
        const StyleTrack& track = style.tracks.at(i);
        if (track.mode == 0) continue;
        if (i < engine.instruments.count()) {
            Instrument& v = engine.instruments.at(i);
            v.monophonic = track.type == 1;
            v.bassGroup = track.type == 1;
        }
        if (i < engine.arpeggios.count()) engine.arpeggios.at(i).loadTrack(track);
    }
    core.applyMix(core.masterVolume(), true);
    if (to34)
        convertAllPagesMeter(true);
    else if (from34 && askMeter)
        convertAllPagesMeter(false);
    if (engine.stepControl.isPlaying()) core.playFrom(core.barsToSteps(bars), false, isBusy());
    if (repaintPanels && host.isShowing())
        host.refreshPanels();
    else if (styleId == -2)
        host.repaintTempoBox(); // the Style Programmer's tempo is the one that plays now
    host.refreshStyleProgrammer();
}

bool QuoVelanta::confirmConvertTo34() {
    QvCore& core = engine.core;
    int n = 0;
    int m = 0;
    for (QvPage& page : core.pages) {
        n += page.dropChordsOffGrid34(false);
        m += page.dropAPointsOffGrid34(false);
    }
    if (n == 0 && m == 0) return true;
    const std::string p = "arrangement point";
    Llist<std::string> lines(0, 1, true);
    lines.add("CONVERTING MUSIC TO 3/4 TIME SIGNATURE");
    lines.add("");
    if (n > 0) {
        lines.add("There " +
                  (n == 1 ? std::string("is one location") : "are " + intToText(n) + " locations") +
                  " in your chord progression where 4 chords are found within a single bar.");
        lines.add("Since chord changes are aligned to beats, one chord has to be deleted in " +
                  std::string(n == 1 ? "that bar" : "each of these bars") + " in order");
        lines.add("to convert your chord progression to 3/4 time signature.");
    }
    if (n > 0 && m > 0) lines.add("");
    if (m > 0) {
        lines.add("There " +
                  (m == 1 ? std::string("is one location") : "are " + intToText(m) + " locations") +
                  " in your music where too many " + p + "s are found within a single bar.");
        lines.add("Since " + p + "s are aligned to beats, one " + p + " has to be deleted in " +
                  std::string(m == 1 ? "that bar" : "each of these bars") + " in order");
        lines.add("to convert your music to 3/4 time signature.");
    }
    lines.add("");
    std::string last = "Clicking OK will delete ";
    if (n > 0) last += "the second chord in " + std::string(n == 1 ? "the" : "each") + " problematic bar";
    if (n > 0 && m > 0) last += " and ";
    if (m > 0) last += "one " + p + " in " + std::string(m == 1 ? "the" : "each") + " problematic bar";
    last += ".";
    lines.add(last);
    // Only OK converts: Cancel, and a question closed without an answer, leave everything as it was.
    if (prompt.messageBox(lines, PromptButtons::OkCancel, "") != 0) return false;
    for (QvPage& page : core.pages) {
        page.dropChordsOffGrid34(true);
        page.dropAPointsOffGrid34(true);
    }
    return true;
}

void QuoVelanta::convertAllPagesMeter(bool to34) {
    for (QvPage& page : engine.core.pages) page.convertMeter(to34);
}

void QuoVelanta::togglePlay() {
    QvCore& core = engine.core;
    StepControl& clock = engine.stepControl;
    clock.togglePlay();
    if (clock.isPlaying()) {
        core.playFrom(core.startTickOf(core.playingPosition), false, isBusy());
        host.repaintPageArea(true);
        host.repaintPageSlots();
    }
    playButtonOn = clock.isPlaying();
    host.repaintPlayButton();
    if (!clock.isPlaying()) {
        host.repaintRuler(true);
        host.repaintVisualizer();
        host.repaintPositionCounter();
    }
}

bool QuoVelanta::isBusy() const {
    return (selectorKind >= 4 && selectorKind <= 6) || resizedChord != -1 || dragInProgress() ||
           popupMenuOpen || ::popupMenuOpen();
}

bool QuoVelanta::newSession(bool silent) {
    if (!silent && !querySaveChanges()) return false;
    if (!silent && !confirmStyleEdits(-1)) return false;
    if (engine.stepControl.isPlaying()) togglePlay();
    fileVersion = kDocumentVersion;
    sessionPath.clear();
    openedWithCuts = false;
    if (selectorKind != 0) closeSelector(false); // the overlay goes with the session it showed
    selectorKind = 0;
    resizedChord = -1;
    host.resetInputState();
    engine.core.reset();
    for (Instrument& v : engine.instruments) v.reset();
    for (Arpeggio& a : engine.arpeggios) a.reset();
    engine.stepControl.reset();
    selectStyle(-1, true, false, false);
    cancelInteractions();
    mixAtDefaults = !isSoundMixChanged();
    if (!silent) afterNewSession();
    return true;
}
