#include "engine/instrument.h"

#include <cmath>

#include "engine/midiout.h"
#include "engine/qvapoint.h"
#include "engine/qvengine.h"
#include "foundation/strutil.h"

namespace {

int clampInt(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

} // namespace

int applyDynamics(int velocity, double level) {
    if (level == 0.0 || velocity == 0) return 0;
    double a = (level - 0.5) * 2.0;
    int v = truncToInt(velocity + 64.0 * a + 40.0 * a * std::fabs(a));
    return clampInt(v, 1, 127);
}

Instrument::Instrument(QvEngine* engine_, int channel)
    : midiChannel(clampInt(channel, 0, 15)), engine(engine_) {
    reset();
}

void Instrument::reset() {
    allNotesOff(false);
    notes.clear();
    heldPitches.clear();
    lastVolumeValue = -1;
    setVolume(1.0, 0.0);
    setProgram(0);
    setPan(0.5);
    monophonic = false;
    bassGroup = false;
    volumeRestored = false;
    sustainDown = false;
    sustainRequested = false;
}

void Instrument::setVolume(double factor, double volume_) {
    if (volume_ == -1.0) volume_ = volume;
    int value = clampInt(truncToInt(factor * volume_ * 127.5), 0, 127);
    if (engine) engine->midi.sendVolume(value, midiChannel);
    volume = volume_;
    if (lastVolumeValue == 0 && value > 0) {
        if (engine) engine->midi.sendSustain(false, midiChannel);
        sustainDown = false;
        heldPitches.clear();
        volumeRestored = true;
    } else if (lastVolumeValue > 0 && value == 0) {
        allNotesOff(false);
    }
    lastVolumeValue = value;
}

void Instrument::setProgram(int program_) {
    if (program_ >= 0 && program_ <= 127) {
        if (engine) engine->midi.sendProgramChange(program_, midiChannel);
        program = program_;
    }
    for (int i = notes.count() - 1; i >= 0; --i)
        if (!notes.at(i).started) notes.remove(i);
}

void Instrument::setPan(double pan) {
    int value = clampInt(truncToInt(pan * 127.5), 0, 127);
    if (engine) engine->midi.sendPan(value, midiChannel);
}

void Instrument::setChannel(int channel) {
    if (channel < 0 || channel > 15) return;
    allNotesOff(false);
    midiChannel = channel;
}

bool Instrument::playNote(int pitch, int velocity, double length) {
    if (isSilent()) return false;
    // A pitch outside 0..127 is queued like any other: the output layer drops its messages, but a
    // one-note voice still ends its sounding note for it, as the pattern asks.
    velocity = clampInt(velocity, 0, 127);
    if (midiChannel == kDrumChannel && engine) {
        const QvSessionMix& mix = engine->core.mix;
        if (isKickNote(pitch)) velocity = applyDynamics(velocity, mix.mixKick);
        if (isSnareNote(pitch)) velocity = applyDynamics(velocity, mix.mixSnare);
        if (isHihatNote(pitch)) velocity = applyDynamics(velocity, mix.mixHihat);
        if (!isKickNote(pitch) && !isSnareNote(pitch) && !isHihatNote(pitch) && !isRideNote(pitch) &&
            !isCrashTypeNote(pitch))
            velocity = applyDynamics(velocity, mix.mixExtra);
        if (isRideNote(pitch)) velocity = applyDynamics(velocity, mix.mixRide);
        if (isCrashNote(pitch)) velocity = applyDynamics(velocity, mix.mixCrash);
        if (isSplashNote(pitch) || isChinaNote(pitch)) velocity = applyDynamics(velocity, mix.mixFxCym);
        // A drum note whose level brought it to 0 is not played at all.
        if (velocity <= 0) return false;
    }
    if (monophonic) {
        while (!notes.empty()) {
            sendNoteOff(notes.at(0).note);
            notes.remove(0);
        }
    }
    InstrumentNote n;
    n.note = pitch;
    n.velocity = velocity;
    n.onTime = clockNow();
    // An open note (-1) sounds until it is ended; a length that is not a usable number ends at once.
    if (length == -1.0)
        n.offTime = -1.0;
    else
        n.offTime = n.onTime + (std::isfinite(length) && length > 0.0 ? length : 0.0);
    n.started = false;
    notes.add(n);
    return true;
}

void Instrument::allNotesOff(bool skipSilent) {
    if (skipSilent && isSilent()) return;
    if (sustainDown) {
        if (engine) engine->midi.sendSustain(false, midiChannel);
        sustainDown = false;
        heldPitches.clear();
    }
    for (int i = 0; i < notes.count(); ++i) sendNoteOff(notes.at(i).note);
    notes.clear();
}

void Instrument::requestSustain() {
    if (!isSilent()) sustainRequested = true;
}

void Instrument::applySustain() {
    if (!sustainRequested) return;
    if (!sustainDown) {
        if (engine) engine->midi.sendSustain(true, midiChannel);
        sustainDown = true;
    }
    sustainRequested = false;
}

void Instrument::processDueNotes() {
    if (isSilent()) return;
    double t = clockNow();
    int i = 0;
    while (i < notes.count()) {
        InstrumentNote& n = notes.at(i);
        if (!n.started && t >= n.onTime) {
            int same = -1;
            for (int j = 0; j < notes.count(); ++j) {
                if (j != i && notes.at(j).started && notes.at(j).note == n.note) {
                    same = j;
                    break;
                }
            }
            if (same >= 0) {
                // Same-pitch retrigger: the sounding note ends and the new one takes its place.
                sendNoteOff(notes.at(same).note);
                notes.remove(same);
                i = 0;
                continue;
            }
            if (engine) engine->midi.sendNoteOn(n.note, n.velocity, midiChannel);
            n.started = true;
            if (midiChannel != kDrumChannel && engine) engine->visualizer.noteOn(n.note, bassGroup);
        }
        if (n.started && n.offTime != -1.0 && t >= n.offTime) {
            int pitch = n.note;
            sendNoteOff(pitch);
            if (sustainDown) {
                bool held = false;
                for (int h : heldPitches)
                    if (h == pitch) held = true;
                if (!held) heldPitches.add(pitch);
            }
            notes.remove(i);
            continue;
        }
        ++i;
    }
}

int Instrument::volumeValue() const {
    return clampInt(lastVolumeValue, 0, 127);
}

bool Instrument::isSounding(int pitch) const {
    for (const InstrumentNote& n : notes)
        if (n.note == pitch) return true;
    for (int h : heldPitches)
        if (h == pitch) return true;
    return false;
}

std::string Instrument::describe(bool withDetails) const {
    std::string text = midiChannel == kDrumChannel ? std::string("Drums") : gmProgramName(program);
    if (withDetails) {
        if (midiChannel != kDrumChannel) text += ", prog=" + intToText(program + 1);
        text += ", vol=" + intToText(lastVolumeValue);
    }
    return text;
}

void Instrument::sendNoteOff(int pitch) {
    if (engine) engine->midi.sendNoteOn(pitch, 0, midiChannel);
}

double Instrument::clockNow() const {
    return engine ? engine->stepControl.clockValue() : 0.0;
}
