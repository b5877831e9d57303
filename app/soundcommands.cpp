// Sound, tempo, key, repeat and loop commands of the main window, and the commands that open the
// mixer, the reference tones, the visual transpose page and the session links.
#include "app/pacing.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "engine/customstylemixes.h"
#include "foundation/strutil.h"
#include "ui/modalloop.h"

namespace {

std::string bpmText(int tempo) {
    return intToText(tempo) + " BPM";
}

// Every chord of the 36 pages moved by semitones.
void transposeAllPages(QvCore& core, int semitones) {
    for (QvPage& page : core.pages) page.transposeChords(semitones, false);
}

} // namespace

bool QuoVelanta::isSoundMixChanged() const {
    const QvSessionMix& mix = engine.core.mix;
    return mix.volDrums != 0.8 || mix.volBass != 0.8 || mix.volChords != 0.8 || mix.isCustom();
}

void QuoVelanta::adjustSoundMix(const void* changed, bool record) {
    QvCore& core = engine.core;
    QvSessionMix& mix = core.mix;
    const double m = core.masterVolume();
    if (changed == &mixAtDefaults) {
        mix.volDrums = mix.volBass = mix.volChords = 0.8;
        host.redrawBoundTo(&mix.volDrums);
        host.redrawBoundTo(&mix.volBass);
        host.redrawBoundTo(&mix.volChords);
        mix.setNeutral();
        host.refreshMixer();
        core.applyMix(m, false);
        if (record) recordStep("Reset sound mix", true);
    }
    const bool master = changed == &core.sessionVolume || changed == &core.mute || changed == &mixAtDefaults;
    const StyleFile& style = engine.styles.current();
    auto setPartVolumes = [&](auto isType, double level) {
        for (int i = 0; i < kPartCount && i < style.tracks.count() && i < engine.instruments.count(); ++i) {
            const StyleTrack& track = style.tracks.at(i);
            if (track.mode != 0 && isType(track.type)) engine.instruments.at(i).setVolume(m * level);
        }
    };
    if (master || changed == &mix.volDrums) setPartVolumes([](int t) { return t == 0; }, mix.volDrums);
    if (master || changed == &mix.volBass) setPartVolumes([](int t) { return t == 1; }, mix.volBass);
    if (master || changed == &mix.volChords) setPartVolumes([](int t) { return t >= 2; }, mix.volChords);
    if (record) {
        if (changed == &mix.volDrums) recordStep("Adjust drums volume", true);
        if (changed == &mix.volBass) recordStep("Adjust bass volume", true);
        if (changed == &mix.volChords) recordStep("Adjust chords volume", true);
    }
    if (changed == &mix.volDrums || changed == &mix.volBass || changed == &mix.volChords ||
        changed == &mixAtDefaults) {
        mixAtDefaults = !isSoundMixChanged();
        host.redrawBoundTo(&mixAtDefaults);
        host.refreshMixer();
    }
    if (changed == &tempoResetButton) {
        core.tempo(engine.styles.current().bpm);
        host.repaintTempoBox();
        if (record) recordStep("Reset tempo: " + bpmText(core.tempo()), true);
    }
    if (changed == &core.tempoSlider) {
        core.setTempoFromSlider();
        // The fader moves in steps of 2 BPM.
        if (core.tempo() % 2 != 0) core.tempo(core.tempo() + 1);
        host.repaintTempoBox();
        if (record) recordStep("Adjust tempo: " + bpmText(core.tempo()), true);
    }
    if (changed == &keyResetButton) resetKeyShift(record);
}

void QuoVelanta::stepTempo(bool up) {
    closeSelectorOverlay();
    QvCore& core = engine.core;
    core.tempo(core.tempo() + (up ? 1 : -1));
    host.repaintTempoBox();
    recordStep("+/- tempo: " + bpmText(core.tempo()), true);
    // Paces key repeat; events wait, so a held key does not nest handlers.
    paceMs(50);
}

void QuoVelanta::shiftKey(bool up) {
    closeSelectorOverlay();
    QvCore& core = engine.core;
    transposeAllPages(core, up ? 1 : -1);
    core.key = ((core.key + (up ? 1 : -1)) % 12 + 12) % 12;
    host.repaintKeyBox();
    host.repaintPageArea(false);
    recordStep("+/- key shift", true);
}

void QuoVelanta::resetKeyShift(bool record) {
    closeSelectorOverlay();
    QvCore& core = engine.core;
    transposeAllPages(core, -core.key);
    core.key = 0;
    host.repaintKeyBox();
    host.repaintPageArea(false);
    if (record) recordStep("Reset key shift", true);
}

void QuoVelanta::setRepeatMode(int mode) {
    QvCore& core = engine.core;
    if (mode > 2) return;
    if (mode < 0)
        core.loopMode = core.loopMode >= 2 || core.loopMode < 0 ? 0 : core.loopMode + 1;
    else
        core.loopMode = mode;
    host.repaintRepeatBox();
    host.repaintRuler(false);
    recordStep("Select repeat mode", true);
}

void QuoVelanta::toggleLoop() {
    QvCore& core = engine.core;
    if (core.loopStart < 0 || core.loopEnd < 0) return;
    toggleFlag(core.loopRegionActive);
    host.repaintRuler(false);
    recordStep(std::string(core.loopRegionActive ? "Activate" : "Deactivate") + " loop", false);
}

void QuoVelanta::clearLoop() {
    QvCore& core = engine.core;
    if (core.loopStart < 0 || core.loopEnd < 0) return;
    core.loopStart = core.loopEnd = -1;
    core.loopRegionActive = false;
    host.repaintRuler(false);
    recordStep("Clear loop", false);
}

void QuoVelanta::toggleMute() {
    toggleFlag(engine.core.mute);
    host.redrawBoundTo(&engine.core.mute);
    adjustSoundMix(&engine.core.mute, true);
}

void QuoVelanta::toggleMixer() {
    host.refreshMixer();
    if (hooks.showMixer) hooks.showMixer();
}

void QuoVelanta::showReferenceTones() {
    stopAndCloseSelector();
    if (hooks.showReferenceTones) hooks.showReferenceTones();
    // The tones replaced programs and volumes: every part gets its own back.
    selectStyle(-1, false, false, false);
}

void QuoVelanta::showVisualTranspose() {
    if (hooks.showVisualTranspose) hooks.showVisualTranspose();
}

void QuoVelanta::editSessionLinks(int link) {
    stopAndCloseSelector();
    if (link < 0 || link >= kSessionLinkCount) link = 0;
    if (!hooks.editSessionLinks || !hooks.editSessionLinks(link)) return;
    host.paintSessionLinks(-1);
    recordStep("Edit session links", false);
}

void QuoVelanta::openSessionLink(int link) {
    if (link < 0 || link >= kSessionLinkCount) return;
    host.paintSessionLinks(link);
    paceMs(150);
    host.paintSessionLinks(-1);
    const std::string target = engine.core.sessionLinks.at(link);
    // Only web and mail addresses and existing documents that are not programs are opened.
    const std::string error = shellOpen(target, hooks.urlOpener);
    if (error.empty()) return;
    if (engine.stepControl.isPlaying()) togglePlay();
    Llist<std::string> lines(0, 1, true);
    lines.add(error);
    prompt.messageBox(lines, PromptButtons::Ok, "");
    editSessionLinks(link);
}

bool QuoVelanta::chooseStyle(int styleId, bool customMixMark) {
    QvCore& core = engine.core;
    Styles& styles = engine.styles;
    silenceAllInstruments(engine.instruments);
    if (!engine.options.closeStyleSelector) core.currentChord.variant = -1;
    modalLoop().sleepMs(200); // the pressed look shows; no tick, no events
    int id = styleId;
    if (styles.indexOfId(id) < 0 && styles.count() > 0) id = styles.at(0).id;
    // The 3/4 question comes before anything changes: a declined switch keeps the mix and records
    // nothing. Once answered, the off-grid chords are gone and selectStyle asks no more.
    if (!core.isTripleMeter() && styles.is34(id) && !confirmConvertTo34()) {
        host.refreshPanels();
        return false;
    }
    bool custom = false;
    if (!core.volumeLock) {
        if (customMixMark && customStyleMixes && customStyleMixes->hasMix(id))
            custom = customStyleMixes->applyMix(id, core.mix);
        else
            adjustSoundMix(&mixAtDefaults, false);
    }
    selectStyle(id, true, true, true);
    host.repaintTempoBox();
    host.repaintPageArea(false);
    QvSessionMix& mix = core.mix;
    host.redrawBoundTo(&mix.volDrums);
    host.redrawBoundTo(&mix.volBass);
    host.redrawBoundTo(&mix.volChords);
    mixAtDefaults = !isSoundMixChanged();
    host.redrawBoundTo(&mixAtDefaults);
    host.refreshMixer();
    recordStep("Set style: " + styles.current().name + (custom ? " (custom mix)" : ""), false);
    return true;
}
