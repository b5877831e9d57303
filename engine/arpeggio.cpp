#include "engine/arpeggio.h"

#include <cstdint>

#include "engine/harmony.h"
#include "engine/instrument.h"
#include "engine/qvapoint.h"
#include "engine/qvengine.h"
#include "foundation/strutil.h"

namespace {

// Cymbal struck on an arrangement point, by its cym value 1..7: note and velocity.
const int kPointCymbalNote[8] = {0, 49, 57, 55, 51, 59, 53, 52};
const int kPointCymbalVel[8] = {0, 65, 63, 79, 79, 77, 77, 73};
constexpr double kDrumLength = 0.5;

int clampVel(int v) {
    return v < 0 ? 0 : (v > 127 ? 127 : v);
}

long long posMod(long long a, long long m) {
    long long r = a % m;
    return r < 0 ? r + m : r;
}

} // namespace

Arpeggio::Arpeggio(QvEngine* engine_, int instrument_) : instrument(instrument_), engine(engine_) {
    reset();
}

void Arpeggio::reset() {
    active = false;
    type = 1;
    mode = 1;
    transpose = 0;
    abc = 0;
    breakLength = 0;
    breakVolume = 100;
    susVolume = 100;
    lastPartMode = 0;
    lastGroupOn = false;
    firstStep = true;
    pattern = StyleArp();
    upper.clear();
    lower.clear();
    breakHits.clear();
}

void Arpeggio::loadTrack(const StyleTrack& track) {
    active = true;
    type = track.type;
    mode = track.mode;
    transpose = track.key;
    // A track without a chord layer (a style made in the program, a drum track) plays in the layer
    // its mode implies.
    abc = track.abc != 0 ? track.abc : StyleTrack::abcForMode(track.mode);
    breakLength = track.breakLength;
    breakVolume = track.breakVolume;
    susVolume = track.susVolume;
    pattern.length = track.arp.length;
    pattern.strumHeight = track.arp.strumHeight;
    pattern.notes = track.arp.notes;
    prepare();
}

void Arpeggio::prepare() {
    int split = splitKey();
    upper.clear();
    lower.clear();
    breakHits.clear();
    int upperPos = 10000;
    int lowerPos = 10000;
    for (const StyleNote& n : pattern.notes) {
        if (n.key >= split && n.pos < upperPos) upperPos = n.pos;
        if (n.key < split && n.pos < lowerPos) lowerPos = n.pos;
    }
    for (const StyleNote& n : pattern.notes) {
        if (n.key >= split && n.pos == upperPos) upper.add(n);
        if (n.key < split && n.pos == lowerPos) lower.add(n);
    }
    auto addFirst = [this](auto pred) {
        for (const StyleNote& n : pattern.notes) {
            if (pred(n.key)) {
                breakHits.add(n);
                return;
            }
        }
    };
    addFirst([](int k) { return k == 35; });
    addFirst([](int k) { return k == 36; });
    addFirst([](int k) { return isHihatNote(k); });
    addFirst([](int k) { return isRideNote(k); });
    for (const StyleNote& n : pattern.notes) {
        if (n.pos != 0) continue;
        if (isKickNote(n.key) || isSnareNote(n.key) || isHihatNote(n.key) || isRideNote(n.key) ||
            isCrashTypeNote(n.key))
            continue;
        breakHits.add(n);
    }
}

Instrument* Arpeggio::voice() const {
    if (!engine || instrument < 0 || instrument >= engine->instruments.count()) return nullptr;
    return &engine->instruments.at(instrument);
}

void Arpeggio::playStep(int patternStep, bool chordChanged, bool chordStart, bool pointApplied,
                        bool pointHit) {
    if (!active || pattern.length < 1 || !engine) return;
    Instrument* v = voice();
    if (!v) return;
    int step = int(posMod(patternStep, pattern.length));
    if (type == 0) {
        playDrumStep(step, chordStart, pointApplied, pointHit, patternStep);
        return;
    }
    const QvAPoint& state = engine->liveArrangement;
    const QvSessionMix& mix = engine->core.mix;
    int stepsPerBeat = engine->core.stepsPerBeatValue;
    int split = splitKey();

    int m = type == 1 ? state.mBass : state.mChords;
    if (v->program == 66 && m == 1) m = 2;
    bool g = true;
    if (type != 1) g = abc == 1 ? state.oA : (abc == 2 ? state.oB : state.oC);

    bool partChanged = m != lastPartMode || g != lastGroupOn;
    lastPartMode = m;
    lastGroupOn = g;
    if (v->volumeRestored) {
        v->volumeRestored = false;
        partChanged = true;
    }
    if (firstStep) {
        partChanged = false;
        firstStep = false;
    }

    bool realStart = chordStart;
    if (chordChanged || partChanged) {
        v->allNotesOff(true);
        if (m == 1 || (m == 0 && mode >= 2)) v->requestSustain();
        chordChanged = true;
        chordStart = true;
    }

    bool play = (m == 0 || m == 3 || chordStart || pointApplied) && (m != 2 || pointApplied || realStart) &&
                m != 3 && g;
    if (!play) return;

    work.clear();
    if (m == 0) {
        for (const StyleNote& n : pattern.notes) {
            bool take = false;
            if (mode == 1 || mode == 2) take = n.pos == step;
            if (mode == 3) take = chordStart && n.pos == 0;
            if (mode == 4) take = chordChanged && n.pos == 0;
            if (take) work.push_back({n.key, n.vel, n.len});
        }
        if (mode == 2 && chordChanged && work.empty())
            for (const StyleNote& n : pattern.notes)
                if (n.pos == 0) work.push_back({n.key, n.vel, n.len});
        if (chordStart && mode != 4) {
            // Bass alignment: a chord that starts off the pattern's bass rhythm takes the bass notes of
            // the pattern's start, unless a root follows within half a beat.
            long long half = stepsPerBeat / 2;
            bool rootNear = false;
            for (const StyleNote& n : pattern.notes) {
                if (n.key < split && n.pos >= step && n.pos <= step + half) {
                    rootNear = n.key % 12 == 0;
                    break;
                }
            }
            if (!rootNear) {
                std::erase_if(work, [split](const Planned& p) { return p.key < split; });
                for (const StyleNote& n : pattern.notes)
                    if (n.key < split && n.pos == 0) work.push_back({n.key, n.vel, n.len});
            }
        }
    } else if (m == 1 || m == 2) {
        for (const StyleNote& n : lower) work.push_back({n.key, n.vel, n.len});
        if (upper.count() != 1) {
            for (const StyleNote& n : upper) work.push_back({n.key, n.vel, 1.0});
        } else {
            const StyleNote& u = upper.at(0);
            work.push_back({u.key == 60 ? 60 : 72, u.vel, 1.0});
        }
        for (Planned& p : work) {
            if (m == 1 && susVolume != 100) p.vel = truncToInt(p.vel * double(susVolume) * 0.01);
            if (m == 2 && breakVolume != 100) p.vel = truncToInt(p.vel * double(breakVolume) * 0.01);
            if (m == 2) {
                if (breakLength >= 1)
                    p.len = breakLength;
                else
                    p.len = p.key < split ? stepsPerBeat * 1.25 : stepsPerBeat * 1.0;
            }
            if (p.vel > 127) p.vel = 127;
        }
    }

    if (type == 2 || type == 3) {
        double layer = abc == 2 ? mix.mixB : (abc == 3 ? mix.mixC : mix.mixA);
        if (layer == 0.0) return;
    }

    const QvChord& chord = engine->core.currentChord;
    for (const Planned& p : work) {
        if (p.key < split) {
            playPitch(mapLowPitch(chord, engine->chordTones, p.key), p.vel, p.len);
        } else if (type == 2) {
            playPitch(mapChordPitch(chord, p.key), p.vel, p.len);
        } else if (type == 3) {
            const Llist<int>& voicing = instrument >= 0 && instrument < kPartCount
                                            ? engine->voicings[instrument]
                                            : engine->voicings[0];
            chordCodePitches(p.key, engine->chordTones, voicing, codePitches);
            for (int pitch : codePitches) playPitch(pitch, p.vel, p.len);
        }
    }
}

void Arpeggio::playDrum(int note, int velocity) {
    Instrument* v = voice();
    if (v) v->playNote(note, clampVel(velocity), kDrumLength);
}

void Arpeggio::playDrumStep(int step, bool chordStart, bool pointApplied, bool pointHit, int patternStep) {
    if (!engine) return;
    const QvAPoint& state = engine->liveArrangement;
    const QvCore& core = engine->core;
    bool struck = false;
    bool suppressAuto = false;
    if (pointHit && state.fillEnabled) {
        int c = state.cym;
        if (c == 0) {
            suppressAuto = true;
        } else if (c >= 1 && c <= 7) {
            playDrum(kPointCymbalNote[c], kPointCymbalVel[c]);
            struck = true;
        } else {
            playDrum(49, 70);
            struck = true;
        }
    }
    bool struckByPoint = struck;
    if (core.autoCymbal && !struck && !suppressAuto) {
        long long n =
            core.autoCymbal_nthBar != 0 ? core.autoCymbal_nthBar : engine->styles.current().autoCymbal_nthBar;
        long long every = n * (long long)core.stepsPerBarValue;
        if (n > 0 && every > 0 && posMod(patternStep, every) == 0) {
            playDrum(49, 65);
            struck = true;
        }
    }
    if (core.cymbalOnPageStart && !struckByPoint && !suppressAuto && engine->stepControl.stepInPage == 0) {
        playDrum(49, 65);
        struck = true;
    }
    auto allowed = [&](int key) { return state.allowsNote(key) && !(struck && isCymbalNote(key)); };
    if (state.mDrums == 0) {
        for (const StyleNote& n : pattern.notes)
            if (n.pos == step && allowed(n.key)) playDrum(n.key, n.vel);
    } else if (state.mDrums == 1) {
        if (chordStart || pointApplied)
            for (const StyleNote& n : breakHits)
                if (allowed(n.key)) playDrum(n.key, n.vel);
    }
}

void Arpeggio::playPitch(int pitch, int velocity, double length) {
    Instrument* v = voice();
    if (!v || !engine) return;
    long long p = (long long)pitch + transpose;
    if (p < 28) p += ((28 - p + 11) / 12) * 12;
    if (type == 1 && engine->core.currentChord.bassOctave) velocity = truncToInt(velocity * 0.95);
    // A pitch past 127 still goes to the voice (which ends its sounding note for it); the output drops
    // its messages.
    if (p > INT32_MAX) p = INT32_MAX;
    v->playNote(int(p), clampVel(velocity), length);
}
