#include "engine/qvsessionmix.h"

#include <algorithm>
#include <cmath>

void QvSessionMix::setNeutral() {
    mixKick = mixSnare = mixHihat = mixExtra = mixRide = mixCrash = mixFxCym = 0.5;
    mixA = mixB = mixC = 1.0;
}

void QvSessionMix::setDefaults() {
    volDrums = volBass = volChords = 0.8;
    setNeutral();
    forStyle = -1;
}

bool QvSessionMix::isCustom() const {
    for (double d : {mixKick, mixSnare, mixHihat, mixExtra, mixRide, mixCrash, mixFxCym})
        if (d != 0.5) return true;
    return mixA != 1.0 || mixB != 1.0 || mixC != 1.0;
}

void QvSessionMix::serialize() {
    struct Level {
        const char* key;
        double* value;
    };
    const Level levels[] = {
        {"volDrums", &volDrums}, {"mixKick", &mixKick},     {"mixSnare", &mixSnare}, {"mixHihat", &mixHihat},
        {"mixExtra", &mixExtra}, {"mixRide", &mixRide},     {"mixCrash", &mixCrash}, {"mixFxCym", &mixFxCym},
        {"volBass", &volBass},   {"volChords", &volChords}, {"mixA", &mixA},         {"mixB", &mixB},
        {"mixC", &mixC}};
    for (const Level& l : levels) {
        serializeDouble(l.key, *l.value);
        if (writing) continue;
        // A non-finite number counts as unreadable, which reads as 1.0.
        if (!std::isfinite(*l.value)) *l.value = 1.0;
        *l.value = std::clamp(*l.value, 0.0, 1.0);
    }
    if (writeForStyle) serializeInt("forStyle", forStyle);
}
