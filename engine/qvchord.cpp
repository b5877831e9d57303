#include "engine/qvchord.h"

#include <algorithm>

QvChord::QvChord(int key_, int variant_, int inversion_, int bass_, bool bassOctave_, int len_)
    : variant(variant_), inversion(inversion_), bassOctave(bassOctave_) {
    setKey(key_);
    autoBass = bass_ == kAutoBassArg;
    setBass(autoBass ? key_ : bass_);
    if (bass == key) autoBass = true;
    len = len_ == -1 ? kUnitsPerBar : len_;
}

// Raising by whole 1200s until the value is not negative is done in one step, so that any int is safe.
int QvChord::storePitchClass(long long value, int& target) {
    if (value < 0) value += (-value + 1199) / 1200 * 1200;
    target = static_cast<int>(value % 12);
    return static_cast<int>(value / 12);
}

int QvChord::setKey(int value) {
    return storePitchClass(value, key);
}

int QvChord::setBass(int value) {
    return storePitchClass(value, bass);
}

int QvChord::bassOffset() const {
    int b = effectiveBass();
    return b < 4 ? b : b - 12;
}

static int pitchClass(long long v) {
    long long m = v % 12;
    return static_cast<int>(m < 0 ? m + 12 : m);
}

int QvChord::visualKey(int shift) const {
    return pitchClass(static_cast<long long>(key) - shift);
}

int QvChord::visualBass(int shift) const {
    return pitchClass(static_cast<long long>(effectiveBass()) - shift);
}

bool QvChord::equals(const QvChord& other) const {
    return key == other.key && effectiveBass() == other.effectiveBass() && bassOctave == other.bassOctave &&
           variant == other.variant && inversion == other.inversion;
}

int QvChord::transpose(int semitones) {
    storePitchClass(static_cast<long long>(key) + semitones, key);
    return storePitchClass(static_cast<long long>(bass) + semitones, bass);
}

void QvChord::serializeWith(int shortest) {
    serializeInt("key", key);
    serializeInt("variant", variant);
    serializeInt("inversion", inversion);
    serializeInt("bass", bass);
    serializeBool("autoBass", autoBass);
    serializeBool("bassOctave", bassOctave);
    serializeInt("len", len);
    if (writing) return;
    setKey(key);
    setBass(bass);
    if (variant < 0 || variant >= kChordVariantCount) variant = 0;
    inversion = std::clamp(inversion, kMinInversion, kMaxInversion);
    len = len < 1 ? shortest : std::min(len, kMaxPageUnits);
}
