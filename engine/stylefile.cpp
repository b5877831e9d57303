#include "engine/stylefile.h"

#include <algorithm>
#include <cmath>

#include "foundation/strutil.h"

const char* const kStyleFileHeader = "QuoVelanta Style File";

namespace {

int clampInt(int v, int lo, int hi) {
    return std::clamp(v, lo, hi);
}

// A pattern line is a note when it holds ";" and no "=": every field line holds "=", so a pattern
// name with ";" in it stays a name.
bool isNoteLine(const std::string& line) {
    return line.find(';') != std::string::npos && line.find('=') == std::string::npos;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// StyleNote

void StyleNote::serialize() {
    if (writing) {
        writeLine(toLine());
    } else if (lines.count() > 0) {
        fromLine(lines.at(0));
    }
}

std::string StyleNote::toLine() const {
    return intToText(key) + ";" + intToText(vel) + ";" + intToText(pos) + ";" + formatFloat(len);
}

void StyleNote::fromLine(const std::string& line) {
    Llist<std::string> pieces(0, 1, true);
    splitToList(line, ';', pieces);
    // A piece that is not there reads as the list's default element, the empty text.
    key = textToInt(pieces.at(0));
    vel = textToInt(pieces.at(1));
    pos = textToInt(pieces.at(2));
    len = textToFloat(pieces.at(3));
}

void StyleNote::clampToRanges() {
    key = clampInt(key, 0, 127);
    vel = clampInt(vel, 0, 127);
    pos = clampInt(pos, 0, kMaxPatternLength - 1);
    if (!std::isfinite(len)) len = std::isinf(len) && len > 0 ? double(kMaxPatternLength) : 1.0;
    len = std::clamp(len, 0.0, double(kMaxPatternLength));
}

bool StyleNote::sameNote(const StyleNote& o) const {
    return key == o.key && vel == o.vel && pos == o.pos && len == o.len;
}

// ---------------------------------------------------------------------------------------------
// StyleArp

void StyleArp::serialize() {
    serializeText("name", name);
    serializeInt("length", length);
    serializeInt("strumHeight", strumHeight);
    if (writing) {
        for (const StyleNote& n : notes) writeLine(n.toLine());
        return;
    }
    int count = 0;
    for (const std::string& line : lines)
        if (isNoteLine(line)) ++count;
    notes.clear();
    if (count > 0) notes.setCapacity(count, false); // one allocation instead of one per note
    for (const std::string& line : lines) {
        if (!isNoteLine(line)) continue;
        StyleNote n;
        n.fromLine(line);
        notes.add(n);
    }
}

bool StyleArp::equals(const StyleArp& other) const {
    if (length != other.length || strumHeight != other.strumHeight) return false;
    if (notes.count() != other.notes.count()) return false;
    for (int i = 0; i < notes.count(); ++i)
        if (!notes.at(i).sameNote(other.notes.at(i))) return false;
    return true;
}

void StyleArp::clampToRanges() {
    length = clampInt(length, 0, kMaxPatternLength);
    strumHeight = clampInt(strumHeight, 0, kMaxStrumHeight);
    for (StyleNote& n : notes) n.clampToRanges();
}

// ---------------------------------------------------------------------------------------------
// StyleTrack

void StyleTrack::serialize() {
    serializeInt("type", type);
    serializeInt("mode", mode);
    serializeInt("prog", prog);
    serializeInt("vol", vol);
    serializeInt("key", key);
    serializeInt("abc", abc);
    serializeInt("breakLength", breakLength);
    serializeInt("breakVolume", breakVolume);
    serializeInt("susVolume", susVolume);
    serializeObject("arp", arp);
    arp.lines.clear(); // a style in the library keeps no text of its file
    if (!writing) clampToRanges();
}

int StyleTrack::abcForMode(int mode) {
    if (mode > 2) return 1;
    if (mode == 1) return 2;
    if (mode == 2) return 3;
    return 0;
}

void StyleTrack::clampToRanges() {
    type = clampInt(type, 0, 3);
    mode = clampInt(mode, 0, 4);
    prog = clampInt(prog, 0, 127);
    vol = clampInt(vol, 0, kMaxTrackVolume);
    key = clampInt(key, -kMaxTrackTranspose, kMaxTrackTranspose);
    abc = abc == 0 ? abcForMode(mode) : clampInt(abc, 1, 3);
    breakLength = clampInt(breakLength, 0, kMaxBreakLength);
    breakVolume = clampInt(breakVolume, 0, kMaxBreakSusVolume);
    susVolume = clampInt(susVolume, 0, kMaxBreakSusVolume);
    arp.clampToRanges();
}

// ---------------------------------------------------------------------------------------------
// StyleFile

void StyleFile::serialize() {
    serializeInt("fileVersion", fileVersion);
    serializeText("name", name);
    serializeInt("bpm", bpm);
    serializeInt("stepsPerBeat", stepsPerBeat);
    serializeInt("stepsPerBar", stepsPerBar);
    if (!writing) {
        if (bpm <= 0) bpm = 1;
        stepsPerBeat = clampInt(stepsPerBeat, 1, kMaxStepsPerBeat);
        stepsPerBar = clampInt(stepsPerBar, 1, kMaxStepsPerBar);
    }
    serializeInt("globalVol", globalVol);
    serializeInt("autoCymbal_nthBar", autoCymbal_nthBar);
    if (!writing) {
        globalVol = clampInt(globalVol, 0, kMaxStyleVolume);
        autoCymbal_nthBar = clampInt(autoCymbal_nthBar, 0, kMaxAutoCymbalBars);
    }

    if (writing) {
        for (StyleTrack& t : tracks) {
            serializeObject("tracks", t);
            t.lines.clear();
        }
        return;
    }
    Llist<Text_> blocks(0, 1, true);
    extractSections(lines, "tracks", blocks);
    // Only the first seven blocks can survive the track-list rules (a drum track put in front
    // pushes the seventh out), so later ones are not read at all.
    int n = std::min(blocks.count(), kStyleTrackCount);
    tracks.clear();
    if (n > 0) tracks.setCapacity(n, false);
    for (int i = 0; i < n; ++i) {
        StyleTrack t;
        t.lines = blocks.at(i);
        t.writing = false;
        t.serialize();
        t.lines.clear();
        tracks.add(t);
    }
}

bool StyleFile::is34() const {
    int perBeat = stepsPerBeat < 1 ? 1 : stepsPerBeat;
    return stepsPerBar / perBeat == 3;
}

int StyleFile::countActiveNotes() const {
    int n = 0;
    for (const StyleTrack& t : tracks)
        if (t.mode != 0) n += t.arp.notes.count();
    return n;
}

int StyleFile::countActiveTracks() const {
    int n = 0;
    for (const StyleTrack& t : tracks)
        if (t.mode != 0) ++n;
    return n;
}

void StyleFile::resetToDefaults() {
    id = -1;
    fileVersion = 1;
    name.clear();
    bpm = 120;
    stepsPerBeat = 4;
    stepsPerBar = 16;
    globalVol = 100;
    autoCymbal_nthBar = 0;
    tracks.clear();
    sourcePath.clear();
    lines.clear();
    writing = false;
}

void StyleFile::normalizeTracks() {
    if (!tracks.empty() && tracks.at(0).type != 0) {
        StyleTrack drums;
        drums.type = 0;
        tracks.insert(drums, 0);
    }
    for (StyleTrack& t : tracks)
        if (t.type == 0) t.mode = 1;
    while (tracks.count() > kStyleTrackCount) tracks.remove(tracks.count() - 1);
    while (tracks.count() < kStyleTrackCount) tracks.add(StyleTrack());
    // The chord layers stay as reading left them (a drum track read with mode 0 keeps 0), so that a
    // loaded style is saved as it was read; a track engine derives a layer of 0 when it loads it.
}

void StyleFile::load(const std::string& path) {
    resetToDefaults();
    if (!loadFile(kStyleFileHeader, path)) resetToDefaults();
    lines.clear();
    normalizeTracks();
    sourcePath = path;
}

bool StyleFile::save(const std::string& path) {
    if (path.empty()) return false; // saveFile would only build the lines and call that success
    bool saved = saveFile(kStyleFileHeader, path);
    lines.clear();
    return saved;
}
