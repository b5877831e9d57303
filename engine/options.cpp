#include "engine/options.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "foundation/storefile.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace {

const char* const kOptionsHeader = "QuoVelanta Options";

void fill(Llist<std::string>& list, std::initializer_list<const char*> texts) {
    list.clear();
    for (const char* t : texts) list.add(t);
}

// Menu text of a tuning value: a separator mark above 0 and above the first negative entry.
std::string tuneName(int v) {
    std::string s = (v == 0 || v == -1 || v == -10) ? "- " : " ";
    if (v > 0) s += "+";
    return s + intToText(v);
}

void clampIndex(int& value, const Llist<std::string>& list) {
    value = std::clamp(value, 0, list.count() - 1);
}

} // namespace

Options::Options(const Llist<std::string>& deviceNames, const std::string& path)
    : path_(path.empty() ? exeRelativePath("options.cfg") : path) {
    buildLists(deviceNames);
    setDefaults();
    loaded_ = loadStoreFile(*this, kOptionsHeader, path_);
    if (loaded_ != TaggedLoad::Loaded) setDefaults();
}

Options::~Options() {
    if (saveOnDestroy) save();
}

bool Options::save() {
    if (loaded_ == TaggedLoad::Failed) return false; // an unreadable file that could not be moved aside
    return saveFile(kOptionsHeader, path_);
}

void Options::buildLists(const Llist<std::string>& deviceNames) {
    fill(precountModeNames, {"Off", "1 bar", "2 bars"});
    fill(precountSoundNames, {"Hi-hat", "Side stick", "Cowbell", "Claves", "Wood block", "Triangle"});
    fill(precountWaitNames, {"Off", "0.25 sec", "0.5 sec", "1 sec", "2 sec"});
    fill(midiDeviceNames, {"Midi Mapper"});
    for (const std::string& name : deviceNames) midiDeviceNames.add(name);
    fill(midiChannelRanges,
         {"1-6, 10", "2-7, 10", "3-8, 10", "4-10", "5-11", "6-12", "7-13", "8-14", "9-15", "10-16"});
    fill(displayTextColorNames, {"Pale red", "Sand", "Pastel olive", "Pastel green", "Pastel turquoise",
                                 "Aqua", "Pastel blue", "Pastel violet", "Pastel rose", "Gray"});
    fill(chordLookNames, {"Classic", "Flat", "Arc", "Cool"});
    fill(chordColoringNames, {"Match text", "Alternating", "Spectrum", "Pastel spectrum"});
    fill(cursorModeNames, {"Off", "On", "Pulse"});
    fill(visualizeModeNames, {"Keyboard", "Large keyboard", "Note grid", "Chord+bass notes"});
    masterTuneCentsNames.clear();
    for (int v = 50; v >= -50; v -= 10) masterTuneCentsNames.add(tuneName(v));
    masterTuneSemitoneNames.clear();
    for (int v = 3; v >= -3; --v) masterTuneSemitoneNames.add(tuneName(v));
    fill(visualTransposeNames,
         {"C (Piano, Guitar, Violin, Flute)", "Db", "D", "Eb (Alto Saxophone, Baritone Saxophone)", "E",
          "F (English Horn, French Horn)", "Gb", "G (Alto Flute)", "Ab", "A",
          "Bb (Trumpet, Tenor Saxophone, Clarinet)", "B"});
    fill(silenceBarsNames, {"1 bar", "2 bars", "3 bars", "4 bars"});
    fill(precountBarsNames, {"1 bar", "2 bars"});
}

void Options::setDefaults() {
    precountMode = 0;
    precountSound = 0;
    precountWait = -1;
    precountVolume = 0.5;
    displayBars = true;
    displayBarNumbers = true;
    displayTime = true;
    visualizeNotes = true;
    displayTextColor = 6;
    chordLook = 2;
    chordColoring = 3;
    cursorMode = 2;
    visualizeMode = 0;
    midiDevice = -2;
    midiDeviceName.clear();
    midiChannels = 9;
    warnSessionDelete = true;
    biColor = false;
    whiteModel = true;
    wideModel = false;
    keyShiftButtons = true;
    closeStyleSelector = false;
    closeTempoSelector = false;
    closeKeySelector = false;
    flatNotesByDefault = true;
    masterTune_cents = 0;
    masterTune_semitones = 0;
    visualTranspose = 0;
    visualTranspose_selector = false;
    soundCheckDone = false;
    mainHintShown = false;
    visualTransposeHintShown = false;
    loopHintShown = false;
    exportToMidi_settings = true;
    exportToMidi_normalize = true;
    exportToMidi_silence = false;
    exportToMidi_silenceBars = 1;
    exportToMidi_precount = false;
    exportToMidi_precountBars = 1;
    exportToMidi_format = 0;
    exportToText_pages = true;
    exportToText_bars = true;
    exportToText_4bars = true;
    exportToText_dots = true;
}

std::string Options::masterTuneText() const {
    double f = 440.0 * std::pow(2.0, (masterTune_cents + 100.0 * masterTune_semitones) / 1200.0);
    int hundredths = truncToInt(f * 100.0);
    int frac = hundredths % 100;
    std::string text = intToText(hundredths / 100);
    text += decimalSeparator();
    text += static_cast<char>('0' + frac / 10);
    text += static_cast<char>('0' + frac % 10);
    return text + " Hz";
}

void Options::serialize() {
    serializeInt("precountMode", precountMode);
    serializeInt("precountSound", precountSound);
    serializeInt("precountWait", precountWait);
    serializeDouble("precountVolume", precountVolume);
    serializeBool("displayBars", displayBars);
    serializeBool("displayBarNumbers", displayBarNumbers);
    serializeBool("displayTime", displayTime);
    serializeBool("visualizeNotes", visualizeNotes);
    serializeInt("midiDevice", midiDevice);
    serializeInt("midiChannels", midiChannels);
    serializeBool("warnSessionDelete", warnSessionDelete);
    serializeBool("flatNotesByDefault", flatNotesByDefault);
    serializeBool("closeStyleSelector", closeStyleSelector);
    serializeBool("closeTempoSelector", closeTempoSelector);
    serializeBool("closeKeySelector", closeKeySelector);
    serializeBool("whiteModel", whiteModel);
    serializeBool("wideModel", wideModel);
    serializeBool("keyShiftButtons", keyShiftButtons);
    serializeInt("displayTextColor", displayTextColor);
    serializeInt("chordColoring", chordColoring);
    serializeBool("biColor", biColor);
    serializeInt("chordLook", chordLook);
    serializeInt("cursorMode", cursorMode);
    serializeInt("visualizeMode", visualizeMode);
    if (!writing) {
        // Older keys, read only: where present they override the newer ones.
        bool v = false;
        if (serializeBool("rect3D", v)) chordLook = v ? 0 : 1;
        if (serializeBool("chordColors", v)) chordColoring = v ? 2 : 0;
        if (serializeBool("cursorPulse", v)) cursorMode = v ? 2 : 1;
        if (serializeBool("wideKeyboard", v)) visualizeMode = v ? 1 : 0;
    }
    serializeInt("masterTune_cents", masterTune_cents);
    serializeInt("masterTune_semitones", masterTune_semitones);
    serializeInt("visualTranspose", visualTranspose);
    serializeBool("visualTranspose_selector", visualTranspose_selector);
    serializeBool("soundCheckDone", soundCheckDone);
    serializeBool("mainHintShown", mainHintShown);
    serializeBool("visualTransposeHintShown", visualTransposeHintShown);
    serializeBool("loopHintShown", loopHintShown);
    serializeText("lastSessionFolder", lastSessionFolder);
    serializeText("lastExportFolder", lastExportFolder);
    if (!writing) {
        int mode = 0;
        if (serializeInt("exportToMidi_channelSettings", mode) && mode >= 0 && mode <= 2) {
            exportToMidi_settings = mode >= 1;
            exportToMidi_silence = mode == 2;
        }
    }
    serializeBool("exportToMidi_settings", exportToMidi_settings);
    serializeBool("exportToMidi_normalize", exportToMidi_normalize);
    serializeBool("exportToMidi_silence", exportToMidi_silence);
    serializeInt("exportToMidi_silenceBars", exportToMidi_silenceBars);
    serializeBool("exportToMidi_precount", exportToMidi_precount);
    serializeInt("exportToMidi_precountBars", exportToMidi_precountBars);
    serializeInt("exportToMidi_format", exportToMidi_format);
    serializeBool("exportToText_pages", exportToText_pages);
    serializeBool("exportToText_bars", exportToText_bars);
    serializeBool("exportToText_4bars", exportToText_4bars);
    serializeBool("exportToText_dots", exportToText_dots);
    // Written only once a device was chosen by name, so files without one stay as they were.
    if (!writing || !midiDeviceName.empty()) serializeText("midiDeviceName", midiDeviceName);
    if (!writing) clampAll();
}

void Options::clampAll() {
    clampIndex(precountMode, precountModeNames);
    clampIndex(precountSound, precountSoundNames);
    precountWait = std::clamp(precountWait, -1, precountWaitNames.count() - 2);
    if (!std::isfinite(precountVolume)) precountVolume = 1.0; // unreadable
    precountVolume = std::clamp(precountVolume, 0.0, 1.0);
    clampIndex(displayTextColor, displayTextColorNames);
    clampIndex(chordLook, chordLookNames);
    clampIndex(chordColoring, chordColoringNames);
    clampIndex(cursorMode, cursorModeNames);
    clampIndex(visualizeMode, visualizeModeNames);
    midiDevice = std::max(midiDevice, -2);
    clampIndex(midiChannels, midiChannelRanges);
    masterTune_cents = std::clamp(masterTune_cents, -50, 50);
    masterTune_semitones = std::clamp(masterTune_semitones, -3, 3);
    clampIndex(visualTranspose, visualTransposeNames);
    exportToMidi_silenceBars = std::clamp(exportToMidi_silenceBars, 1, silenceBarsNames.count());
    exportToMidi_precountBars = std::clamp(exportToMidi_precountBars, 1, precountBarsNames.count());
    exportToMidi_format = std::clamp(exportToMidi_format, 0, 1);
}
