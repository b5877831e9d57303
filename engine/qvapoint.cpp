#include "engine/qvapoint.h"

#include <algorithm>
#include <initializer_list>

namespace {

Llist<std::string> makeList(std::initializer_list<const char*> texts) {
    Llist<std::string> list(0, 1, true);
    for (const char* t : texts) list.add(t);
    return list;
}

struct KindModes {
    int drums, bass, chords;
};

constexpr KindModes kKindModes[kArrangementKindCount] = {
    {0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}, {0, 2, 0}, {0, 0, 2}, {0, 2, 2},
    {1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}, {1, 2, 2}, {0, 0, 3}, {0, 3, 0},
    {2, 0, 0}, {0, 3, 3}, {2, 0, 3}, {2, 3, 0}, {2, 3, 3},
};

std::string kindName(int kind) {
    const std::string sustain = "Sustain", brk = "Break", bass = " Bass", chords = " Chords",
                      both = " Bass & Chords", drumBreak = "Drum Break + ";
    switch (kind) {
    case 0:
        return "Normal";
    case 1:
        return sustain + bass;
    case 2:
        return sustain + chords;
    case 3:
        return sustain + both;
    case 4:
        return brk + bass;
    case 5:
        return brk + chords;
    case 6:
        return brk + both;
    case 7:
        return "Drum Break";
    case 8:
        return drumBreak + sustain + bass;
    case 9:
        return drumBreak + sustain + chords;
    case 10:
        return drumBreak + sustain + both;
    case 11:
        return "Break All";
    case 12:
        return "Drums & Bass";
    case 13:
        return "Drums & Chords";
    case 14:
        return "Bass & Chords";
    case 15:
        return "Drums Only";
    case 16:
        return "Bass Only";
    case 17:
        return "Chords Only";
    case 18:
        return "Silence";
    default:
        return "";
    }
}

} // namespace

bool isKickNote(int note) {
    return note == 35 || note == 36;
}
bool isSnareNote(int note) {
    return note >= 37 && note <= 40;
}
bool isHihatNote(int note) {
    return note == 42 || note == 44 || note == 46;
}
bool isRideNote(int note) {
    return note == 51 || note == 53 || note == 59;
}
bool isHihatOrRideNote(int note) {
    return isHihatNote(note) || isRideNote(note);
}
bool isPercussionNote(int note) {
    return !isKickNote(note) && !isSnareNote(note) && !isHihatOrRideNote(note);
}
bool isCrashNote(int note) {
    return note == 49 || note == 57;
}
bool isSplashNote(int note) {
    return note == 55;
}
bool isChinaNote(int note) {
    return note == 52;
}
bool isCrashTypeNote(int note) {
    return isCrashNote(note) || isSplashNote(note) || isChinaNote(note);
}
bool isCymbalNote(int note) {
    return isRideNote(note) || isCrashTypeNote(note);
}

const Llist<std::string>& QvAPoint::drumModeNames() {
    static const Llist<std::string> names = makeList({"Normal", "Break", "Off"});
    return names;
}

const Llist<std::string>& QvAPoint::bassModeNames() {
    static const Llist<std::string> names = makeList({"Normal", "Sustain", "Break", "Off"});
    return names;
}

const Llist<std::string>& QvAPoint::chordModeNames() {
    static const Llist<std::string> names = makeList({"Normal", "Sustain", "Break", "Off"});
    return names;
}

const Llist<std::string>& QvAPoint::cymbalNames() {
    static const Llist<std::string> names =
        makeList({"Off", "Crash", "Crash 2", "Splash", "Ride", "Ride 2", "Ride Bell", "China"});
    return names;
}

bool QvAPoint::allowsNote(int note) const {
    if (isKickNote(note)) return oKick;
    if (isSnareNote(note)) return oSnare;
    if (isHihatOrRideNote(note)) return oHihat;
    return oPerc;
}

std::string QvAPoint::applyKind(int kind, bool apply, bool mark) {
    if (kind < 0 || kind >= kArrangementKindCount) return "";
    std::string name = kindName(kind);
    const KindModes& m = kKindModes[kind];
    if (apply) {
        mDrums = m.drums;
        mBass = m.bass;
        mChords = m.chords;
        oKick = oSnare = oHihat = oPerc = oA = oB = oC = true;
        fillEnabled = true;
        cym = kind == 18 ? 0 : 1;
    } else if (mark) {
        bool allOn = oKick && oSnare && oHihat && oPerc && oA && oB && oC;
        if (allOn && mDrums == m.drums && mBass == m.bass && mChords == m.chords) name = "#" + name;
    }
    return name;
}

void QvAPoint::serialize() {
    serializeInt("pos", pos);
    serializeBool("arrangeEnabled", arrangeEnabled);
    serializeBool("fillEnabled", fillEnabled);
    serializeInt("mDrums", mDrums);
    serializeInt("mBass", mBass);
    serializeInt("mChords", mChords);
    serializeBool("oKick", oKick);
    serializeBool("oSnare", oSnare);
    serializeBool("oHihat", oHihat);
    serializeBool("oPerc", oPerc);
    serializeBool("oA", oA);
    serializeBool("oB", oB);
    serializeBool("oC", oC);
    serializeInt("cym", cym);
    if (!writing) pos = std::clamp(pos, 0, kMaxPointPos);
}
