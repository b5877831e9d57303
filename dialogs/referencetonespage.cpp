// The Reference Tones page: a tuning tone repeated every few seconds on part 1's channel, and the
// master tuning with its A440 fader. Playback is not ticked while it is open; its own timer runs on
// every pass of the page's wait.
#include <algorithm>

#include "app/quovelanta.h"
#include "dialogs/infopages.h"
#include "dialogs/tfdialog.h"
#include "engine/midiout.h"
#include "engine/options.h"
#include "engine/qvcore.h"
#include "foundation/strutil.h"
#include "platform/qt/keymap.h"
#include "ui/modalloop.h"

namespace {

constexpr int kToneRows = 8;

int toneVolume(double volume, double sessionVolume) {
    return std::clamp(truncToInt(volume * sessionVolume * 127.0), 0, 127);
}

} // namespace

void InfoPages::stopReferenceTone() {
    MidiOutput& midi = app.engine.midi;
    if (struckPitch_ >= 0) midi.sendNoteOn(struckPitch_, 0, tones.toneChannel);
    struckPitch_ = -1;
    tones.stopTone(midi, modalLoop().nowMs());
}

void InfoPages::referenceToneTimer() {
    const std::int64_t now = modalLoop().nowMs();
    const double elapsed = static_cast<double>(now - tones.startTimeMs) * 0.001;
    const double duration = tones.toneSeconds();
    if (elapsed < duration && !tones.playing) {
        const int pitch = referenceTonePitch(tones.actualTone, tones.customPitch, tones.octave);
        if (pitch >= 0) {
            app.engine.midi.sendNoteOn(pitch, 100, tones.toneChannel);
            struckPitch_ = pitch;
        }
        tones.playing = true; // Silence keeps the cycle running too
    }
    if (elapsed > duration) stopReferenceTone();
}

void InfoPages::showReferenceTonesPage() {
    MidiOutput& midi = app.engine.midi;
    Options& options = app.engine.options;
    // Values from the settings file are already in range; the page keeps them there.
    tones.actualTone = std::clamp(tones.actualTone, 0, kToneRows - 1);
    tones.customPitch = std::clamp(tones.customPitch, 0, std::max(0, tones.pitchNames.count() - 1));
    tones.interval = std::clamp(tones.interval, 0, std::max(0, tones.durationNames.count() - 1));
    tones.toneChannel = app.partMidiChannel(1);

    TFdialog page(kPageReferenceTones);
    openPage_ = &page;
    page.beginPage(400, 400, "Reference Tones");
    const char* const labels[kToneRows] = {"E4", "B3", "G3", "D3", "A2", "E2", "", "Silence"};
    const int ys[kToneRows] = {50, 80, 110, 140, 170, 200, 245, 290};
    int radios[kToneRows];
    for (int i = 0; i < kToneRows; ++i)
        radios[i] = page.addRadioButton(25, ys[i], labels[i], &tones.actualTone, i);
    page.drawRowConnector(radios[0], radios[kToneRows - 1]);

    auto pitchRow = [&] { page.drawCustomPitchRow(slotItem(tones.pitchNames, tones.customPitch)); };
    auto repeatRow = [&] { page.drawRefToneRepeatRow(slotItem(tones.durationNames, tones.interval)); };
    pitchRow();
    page.slotItems[0] = tones.pitchNames;
    page.addCheckBox(134, 290, "Octave", &tones.octave);
    repeatRow();
    page.slotItems[1] = tones.durationNames;
    page.addFader(167, 49, "Volume", &tones.volume, 101);

    a440Value_ = a440FaderValue(options.masterTune_cents);
    page.drawCentsRow();
    page.drawSemiRow();
    page.drawFreqRow();
    const int a440Fader = page.addFader(293, 49, "A440 Shift", &a440Value_, 101);

    // The tone channel's sound.
    auto sendToneVolume = [&] {
        midi.sendVolume(toneVolume(tones.volume, app.engine.core.sessionVolume), tones.toneChannel);
    };
    tones.sendPatch(midi);
    sendToneVolume();
    midi.sendPan(64, tones.toneChannel);
    struckPitch_ = -1;
    stopReferenceTone();

    auto applyTuning = [&] {
        applyMasterTuning(midi, options.masterTune_cents, options.masterTune_semitones);
        app.host.repaintMasterTuneBox();
    };
    page.onValueChanged = [&](void* variable, bool isClick) {
        if (variable == &tones.volume) {
            sendToneVolume();
        } else if (variable == &a440Value_) {
            options.masterTune_cents = a440FaderCents(a440Value_);
            applyTuning();
            page.drawCentsRow();
            page.drawFreqRow();
        } else if (isClick) {
            stopReferenceTone(); // the new row or octave sounds on the next timer pass
        }
    };
    page.onSelectorClick = [&](int slot, int index) {
        switch (slot) {
        case 0:
            tones.customPitch = std::clamp(index, 0, std::max(0, tones.pitchNames.count() - 1));
            pitchRow();
            page.slotItems[0] = tones.pitchNames;
            if (tones.actualTone == 6) stopReferenceTone();
            break;
        case 1:
            tones.interval = std::clamp(index, 0, std::max(0, tones.durationNames.count() - 1));
            repeatRow();
            page.slotItems[1] = tones.durationNames;
            break;
        case 2:
            options.masterTune_cents =
                std::clamp(tuneItemValue(slotItem(options.masterTuneCentsNames, index)), -50, 50);
            page.drawCentsRow();
            page.drawFreqRow();
            a440Value_ = a440FaderValue(options.masterTune_cents);
            page.controls.faders.at(a440Fader).paint();
            applyTuning();
            stopReferenceTone();
            break;
        case 3:
            options.masterTune_semitones =
                std::clamp(tuneItemValue(slotItem(options.masterTuneSemitoneNames, index)), -3, 3);
            page.drawSemiRow();
            page.drawFreqRow();
            applyTuning();
            stopReferenceTone();
            break;
        default:
            break;
        }
        page.present();
    };
    page.onKeyDown = [&](int key, bool, bool) {
        if (key == 'T') {
            page.closePage(-1);
            return true;
        }
        if (key != vk::Up && key != vk::Down) return false;
        const int before = tones.actualTone;
        tones.actualTone = key == vk::Up ? (before + kToneRows - 1) % kToneRows : (before + 1) % kToneRows;
        if (tones.actualTone != before) {
            for (int i = 0; i < kToneRows; ++i) page.controls.buttons.at(radios[i]).paint();
            page.present();
            stopReferenceTone();
        }
        return true;
    };
    page.eachPass = [this] { referenceToneTimer(); };
    page.showPage("OK", "", "");

    stopReferenceTone();
    openPage_ = nullptr;
    // The command that opens the page (QuoVelanta::showReferenceTones) selects the style again
    // afterwards, which gives part 1 its own program and volume back.
}
