#include "engine/referencetones.h"

#include <algorithm>
#include <cmath>

#include "engine/midiout.h"
#include "engine/naming.h"
#include "foundation/storefile.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

const char* const kRefTonesHeader = "QuoVelanta RefTones";
const char* const kRefTonesFileName = "refTones.cfg";

namespace {
constexpr int kToneRows = 8;          // 0..5 open strings, 6 custom pitch, 7 silence
constexpr int kPitchCount = 36;       // C2..B4
constexpr int kStoredPitchShift = 12; // the file holds customPitch - 12
constexpr double kDefaultVolume = 0.5;
} // namespace

ReferenceTones::ReferenceTones(const std::string& path) : filePath(path) {
    for (int octaveNumber = 2; octaveNumber <= 4; ++octaveNumber) {
        for (int pc = 0; pc < 12; ++pc) {
            std::string item = noteName(pc, true) + intToText(octaveNumber);
            if (pc == 0 && octaveNumber > 2) item = "-" + item;
            if (octaveNumber == 4 && pc == 0) item += " (mid)";
            if (octaveNumber == 4 && pc == 9) item += " (ref)";
            pitchNames.add(item);
        }
    }
    for (const char* d : {"1", "1.5", "2", "2.5", "3", "3.5", "4", "5"})
        durationNames.add(std::string(d) + " sec");
    for (const char* i : {"Guitar", "Piano", "EPiano"}) instrumentNames.add(i);
    setDefaults();
    loaded = filePath.empty() ? TaggedLoad::Missing : loadStoreFile(*this, kRefTonesHeader, filePath);
    if (loaded != TaggedLoad::Loaded) setDefaults();
}

ReferenceTones::~ReferenceTones() {
    if (saveOnDestroy) save();
}

std::string ReferenceTones::defaultPath() {
    return exeRelativePath(kRefTonesFileName);
}

void ReferenceTones::setDefaults() {
    actualTone = 5;
    octave = false;
    customPitch = 12;
    interval = 2;
    patch = 0;
    volume = kDefaultVolume;
}

bool ReferenceTones::load() {
    if (filePath.empty()) return false;
    return loadFile(kRefTonesHeader, filePath);
}

bool ReferenceTones::save() {
    if (filePath.empty() || loaded == TaggedLoad::Failed) return false;
    return saveFile(kRefTonesHeader, filePath);
}

void ReferenceTones::serialize() {
    serializeInt("actualTone", actualTone);
    serializeBool("octave", octave);
    if (writing) {
        int stored = customPitch - kStoredPitchShift;
        serializeInt("customPitch", stored);
    } else {
        // Only a value actually read is shifted back; a missing key keeps the field as it is.
        int stored = 0;
        if (serializeInt("customPitch", stored))
            customPitch = std::clamp(stored, -kStoredPitchShift, kPitchCount - 1 - kStoredPitchShift) +
                          kStoredPitchShift;
    }
    serializeInt("interval", interval);
    serializeInt("patch", patch);
    serializeDouble("volume", volume);
    if (!writing) clampToRanges();
}

void ReferenceTones::clampToRanges() {
    actualTone = std::clamp(actualTone, 0, kToneRows - 1);
    customPitch = std::clamp(customPitch, 0, kPitchCount - 1);
    interval = std::clamp(interval, 0, std::max(0, durationNames.count() - 1));
    patch = std::clamp(patch, 0, std::max(0, instrumentNames.count() - 1));
    if (std::isnan(volume)) volume = kDefaultVolume;
    volume = std::clamp(volume, 0.0, 1.0);
}

double ReferenceTones::toneSeconds() const {
    if (interval < 0 || interval >= durationNames.count()) return 3.0;
    const std::string& item = durationNames.at(interval);
    return textToFloat(item.substr(0, item.find(' ')));
}

int ReferenceTones::patchProgram() const {
    switch (patch) {
    case 1:
        return 0; // Piano
    case 2:
        return 4; // EPiano
    default:
        return 24; // Guitar
    }
}

void ReferenceTones::sendPatch(MidiOutput& out) const {
    out.sendProgramChange(patchProgram(), toneChannel);
}

void ReferenceTones::stopTone(MidiOutput& out, std::int64_t nowMs) {
    out.sendAllNotesOff(toneChannel);
    playing = false;
    startTimeMs = nowMs;
}
