#include "engine/midifile.h"

#include <algorithm>
#include <vector>

#include "foundation/textfile.h"

int varLenSize(uint32_t v) {
    int n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

bool isWrittenMidiEvent(int status) {
    int kind = status & 0xF0;
    return kind == 0x90 || kind == 0xB0 || kind == 0xC0;
}

int midiMessageLength(int status) {
    return (status & 0xF0) == 0xC0 ? 2 : 3;
}

int midiEventSize(int status, uint32_t delta) {
    if (!isWrittenMidiEvent(status)) return 0;
    return varLenSize(delta) + midiMessageLength(status);
}

int64_t midiTickOf(int64_t time, int stepsPerBeat) {
    if (time < 0) time = 0;
    if (stepsPerBeat < 1) stepsPerBeat = 1;
    return time * kMidiFileDivision / (8 * static_cast<int64_t>(stepsPerBeat));
}

bool MidiFileWriter::openMidiFile(const std::string& p) {
    path = p;
    data.clear();
    open = !p.empty();
    return open;
}

bool MidiFileWriter::closeMidiFile() {
    if (!open) return false;
    open = false;
    return writeFileAtomic(path, data);
}

void MidiFileWriter::writeMidiByte(int b) {
    if (open) data.push_back(static_cast<char>(b & 0xFF));
}

void MidiFileWriter::writeMidiWord(int w) {
    writeMidiByte(w >> 8);
    writeMidiByte(w);
}

void MidiFileWriter::writeMidiDword(uint32_t d) {
    writeMidiByte(static_cast<int>(d >> 24));
    writeMidiByte(static_cast<int>(d >> 16));
    writeMidiByte(static_cast<int>(d >> 8));
    writeMidiByte(static_cast<int>(d));
}

void MidiFileWriter::writeMidiVarLen(uint32_t v) {
    int n = varLenSize(v);
    for (int i = n - 1; i >= 0; --i) {
        int group = static_cast<int>((v >> (7 * i)) & 0x7F);
        writeMidiByte(i > 0 ? (group | 0x80) : group);
    }
}

void MidiFileWriter::writeMidiEvent(uint32_t packed, uint32_t delta) {
    int status = static_cast<int>(packed & 0xFF);
    if (!isWrittenMidiEvent(status)) return;
    writeMidiVarLen(delta);
    writeMidiByte(status);
    writeMidiByte(static_cast<int>((packed >> 8) & 0x7F));
    if (midiMessageLength(status) == 3) writeMidiByte(static_cast<int>((packed >> 16) & 0x7F));
}

int MidiFileWriter::writeTrackName(const std::string& name, bool sizeOnly) {
    if (name.empty()) return 0;
    uint32_t len = static_cast<uint32_t>(name.size());
    if (!sizeOnly) {
        writeMidiByte(0x00);
        writeMidiByte(0xFF);
        writeMidiByte(0x03);
        writeMidiVarLen(len);
        for (char c : name) writeMidiByte(static_cast<unsigned char>(c));
    }
    return static_cast<int>(len) + varLenSize(len) + 3;
}

void MidiFileWriter::writeMidiConductor(int tempo, bool tripleMeter, bool tripletDivision) {
    writeMidiByte(0x00);
    writeMidiByte(0xFF);
    writeMidiByte(0x58);
    writeMidiByte(0x04);
    writeMidiByte(tripleMeter ? 3 : 4);
    writeMidiByte(2);
    writeMidiByte(24);
    writeMidiByte(tripletDivision ? 12 : 8);
    int bpm = std::clamp(tempo, 10, 1000);
    uint32_t us = 60000000u / static_cast<uint32_t>(bpm);
    writeMidiByte(0x00);
    writeMidiByte(0xFF);
    writeMidiByte(0x51);
    writeMidiByte(0x03);
    writeMidiByte(static_cast<int>(us >> 16));
    writeMidiByte(static_cast<int>(us >> 8));
    writeMidiByte(static_cast<int>(us));
}

void MidiFileWriter::writeEndOfTrack() {
    writeMidiByte(0x00);
    writeMidiByte(0xFF);
    writeMidiByte(0x2F);
    writeMidiByte(0x00);
}

namespace {

constexpr int kConductorAndEnd = 19; // the conductor's 15 bytes and the end of track

struct Placed {
    int64_t tick;
    uint32_t packed;
    int channel;
};

// The written events in time order (equal times keep their capture order), with their ticks.
std::vector<Placed> placeEvents(const Llist<MidiEvent>& events, int stepsPerBeat) {
    std::vector<std::pair<int64_t, int>> order;
    order.reserve(static_cast<size_t>(events.count()));
    for (int i = 0; i < events.count(); ++i) {
        const MidiEvent& e = events.items[i];
        if (!isWrittenMidiEvent(e.status)) continue;
        order.emplace_back(static_cast<int64_t>(e.time), i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Placed> out;
    out.reserve(order.size());
    for (const auto& o : order) {
        const MidiEvent& e = events.items[o.second];
        out.push_back({midiTickOf(o.first, stepsPerBeat), e.packed(), e.status & 0x0F});
    }
    return out;
}

// Sum of the event sizes of one track (all events when channel is -1); false when a delta or the
// total does not fit the file format.
bool trackEventBytes(const std::vector<Placed>& placed, int channel, uint64_t& total) {
    total = 0;
    int64_t last = 0;
    for (const Placed& p : placed) {
        if (channel >= 0 && p.channel != channel) continue;
        int64_t delta = p.tick - last;
        if (delta < 0 || delta > kMaxMidiVarLen) return false;
        total += static_cast<uint64_t>(
            midiEventSize(static_cast<int>(p.packed & 0xFF), static_cast<uint32_t>(delta)));
        last = p.tick;
    }
    return total <= 0xFFFFFF00u;
}

void writeTrackEvents(MidiFileWriter& w, const std::vector<Placed>& placed, int channel) {
    int64_t last = 0;
    for (const Placed& p : placed) {
        if (channel >= 0 && p.channel != channel) continue;
        w.writeMidiEvent(p.packed, static_cast<uint32_t>(p.tick - last));
        last = p.tick;
    }
}

void writeHeader(MidiFileWriter& w, int format, int tracks) {
    for (char c : std::string("MThd")) w.writeMidiByte(c);
    w.writeMidiDword(6);
    w.writeMidiWord(format);
    w.writeMidiWord(tracks);
    w.writeMidiWord(kMidiFileDivision);
}

void writeTrackStart(MidiFileWriter& w, uint32_t length) {
    for (char c : std::string("MTrk")) w.writeMidiByte(c);
    w.writeMidiDword(length);
}

} // namespace

bool buildMidiFileFormat0(const Llist<MidiEvent>& events, int tempo, int stepsPerBeat, bool tripleMeter,
                          bool tripletDivision, std::string& out) {
    std::vector<Placed> placed = placeEvents(events, stepsPerBeat);
    uint64_t total = 0;
    if (!trackEventBytes(placed, -1, total)) return false;
    MidiFileWriter w;
    w.openMidiFile("-");
    writeHeader(w, 0, 1);
    writeTrackStart(w, static_cast<uint32_t>(kConductorAndEnd + total));
    w.writeMidiConductor(tempo, tripleMeter, tripletDivision);
    writeTrackEvents(w, placed, -1);
    w.writeEndOfTrack();
    out = w.bytes();
    return true;
}

bool buildMidiFileFormat1(const Llist<MidiEvent>& events, const Llist<ExportingMidi_trackInfo>& tracks,
                          int tempo, int stepsPerBeat, bool tripleMeter, bool tripletDivision,
                          std::string& out) {
    std::vector<Placed> placed = placeEvents(events, stepsPerBeat);
    // The channels that play notes, in order of their first note in the capture.
    std::vector<int> channels;
    for (int i = 0; i < events.count(); ++i) {
        const MidiEvent& e = events.items[i];
        if ((e.status & 0xF0) != 0x90) continue;
        int ch = e.status & 0x0F;
        if (std::find(channels.begin(), channels.end(), ch) == channels.end()) channels.push_back(ch);
    }
    std::vector<uint64_t> sizes;
    std::vector<std::string> names;
    MidiFileWriter sizer;
    for (int ch : channels) {
        uint64_t total = 0;
        if (!trackEventBytes(placed, ch, total)) return false;
        std::string name;
        for (int t = 0; t < tracks.count(); ++t)
            if (tracks.items[t].channel == ch) name = tracks.items[t].name;
        total += 4 + static_cast<uint64_t>(sizer.writeTrackName(name, true));
        if (total > 0xFFFFFF00u) return false;
        sizes.push_back(total);
        names.push_back(name);
    }
    MidiFileWriter w;
    w.openMidiFile("-");
    writeHeader(w, 1, static_cast<int>(channels.size()) + 1);
    writeTrackStart(w, kConductorAndEnd);
    w.writeMidiConductor(tempo, tripleMeter, tripletDivision);
    w.writeEndOfTrack();
    for (size_t k = 0; k < channels.size(); ++k) {
        writeTrackStart(w, static_cast<uint32_t>(sizes[k]));
        w.writeTrackName(names[k], false);
        writeTrackEvents(w, placed, channels[k]);
        w.writeEndOfTrack();
    }
    out = w.bytes();
    return true;
}

bool writeMidiFileFormat0(MidiOutput& midi, const std::string& path, int tempo, int stepsPerBeat,
                          bool tripleMeter, bool tripletDivision) {
    midi.capturing = false;
    std::string bytes;
    if (!buildMidiFileFormat0(midi.captureList, tempo, stepsPerBeat, tripleMeter, tripletDivision, bytes))
        return false;
    MidiFileWriter w;
    if (!w.openMidiFile(path)) return false;
    for (char c : bytes) w.writeMidiByte(static_cast<unsigned char>(c));
    return w.closeMidiFile();
}

bool writeMidiFileFormat1(MidiOutput& midi, const std::string& path, int tempo, int stepsPerBeat,
                          bool tripleMeter, bool tripletDivision) {
    midi.capturing = false;
    std::string bytes;
    if (!buildMidiFileFormat1(midi.captureList, midi.exportTrackList, tempo, stepsPerBeat, tripleMeter,
                              tripletDivision, bytes))
        return false;
    MidiFileWriter w;
    if (!w.openMidiFile(path)) return false;
    for (char c : bytes) w.writeMidiByte(static_cast<unsigned char>(c));
    return w.closeMidiFile();
}
