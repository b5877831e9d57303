#include "engine/notevisualizer.h"

#include "engine/harmony.h"
#include "engine/qvengine.h"

NoteVisualizer::NoteVisualizer(QvEngine* engine_) : engine(engine_) {
    for (int i = 0; i < 128; ++i) {
        allNotes.add(kNeverStruck);
        bassNotes.add(kNeverStruck);
        otherNotes.add(kNeverStruck);
    }
    reset();
}

void NoteVisualizer::reset() {
    for (int i = 0; i < 128; ++i) {
        allNotes.at(i) = kNeverStruck;
        bassNotes.at(i) = kNeverStruck;
        otherNotes.at(i) = kNeverStruck;
    }
}

void NoteVisualizer::noteOn(int note, bool bassGroup) {
    if (note < 0 || note > 127 || !engine) return;
    double now = double(engine->clock.nowMs());
    allNotes.at(note) = now;
    if (bassGroup)
        bassNotes.at(note) = now;
    else
        otherNotes.at(note) = now;
}

double NoteVisualizer::intensity(int note, bool applyVisualTranspose) const {
    if (applyVisualTranspose && engine) {
        int s = pitchClassOf(engine->options.visualTranspose);
        if (s != 0) note += s > 6 ? s - 12 : s;
    }
    double k = (engine && engine->options.visualizeMode == 2) ? 1.7 : 1.4;
    return shade(note, allNotes, k, false, false);
}

double NoteVisualizer::intensityByGroup(int note, bool bassGroup) const {
    if (engine) {
        int s = pitchClassOf(engine->options.visualTranspose);
        if (s != 0) note += s > 6 ? s - 12 : s;
    }
    double k = (engine && engine->options.visualizeMode >= 2) ? 1.7 : 1.4;
    return shade(note, bassGroup ? bassNotes : otherNotes, k, true, bassGroup);
}

double NoteVisualizer::shade(int note, const Llist<double>& stamps, double k, bool onlyGroup,
                             bool group) const {
    if (note < 0 || note > 127 || !engine) return 0.0;
    double elapsed = double(engine->clock.nowMs()) - stamps.at(note);
    if (elapsed * 0.001 > 60000.0) return 0.0;
    bool sounding = false;
    for (const Instrument& voice : engine->instruments) {
        if (voice.channel() == kDrumChannel) continue;
        if (onlyGroup && voice.bassGroup != group) continue;
        if (voice.isSounding(note)) {
            sounding = true;
            break;
        }
    }
    double v = 1.0 - elapsed * k * 0.00001 * engine->core.tempoValue;
    if (v < 0.0) v = 0.0;
    if (v > 1.0) v = 1.0;
    if (sounding && v < 0.3) return 0.3;
    return v;
}
