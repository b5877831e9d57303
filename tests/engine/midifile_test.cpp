#include "engine/midifile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/textfile.h"
#include "tests/common/tempdir.h"

namespace {

std::vector<int> bytesOf(const std::string& s) {
    std::vector<int> v;
    for (char c : s) v.push_back(static_cast<unsigned char>(c));
    return v;
}

std::vector<int> varLen(uint32_t v) {
    MidiFileWriter w;
    w.openMidiFile("unused");
    w.writeMidiVarLen(v);
    return bytesOf(w.bytes());
}

MidiEvent ev(int time, int status, int d1, int d2) {
    MidiEvent e;
    e.time = time;
    e.status = static_cast<uint8_t>(status);
    e.data1 = static_cast<uint8_t>(d1);
    e.data2 = static_cast<uint8_t>(d2);
    return e;
}

Llist<MidiEvent> capture(std::initializer_list<MidiEvent> events) {
    Llist<MidiEvent> list(0, 16, true);
    for (const MidiEvent& e : events) list.add(e);
    return list;
}

const std::vector<int> kConductor4_4At120 = {0x00, 0xFF, 0x58, 0x04, 4,    2,    24,  8,
                                             0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
const std::vector<int> kEndOfTrack = {0x00, 0xFF, 0x2F, 0x00};

void append(std::vector<int>& to, const std::vector<int>& what) {
    to.insert(to.end(), what.begin(), what.end());
}

} // namespace

TEST(MidiFileWriter, VariableLengthNumbers) {
    EXPECT_EQ(varLen(0), (std::vector<int>{0x00}));
    EXPECT_EQ(varLen(127), (std::vector<int>{0x7F}));
    EXPECT_EQ(varLen(128), (std::vector<int>{0x81, 0x00}));
    EXPECT_EQ(varLen(200), (std::vector<int>{0x81, 0x48}));
    EXPECT_EQ(varLen(0x3FFF), (std::vector<int>{0xFF, 0x7F}));
    EXPECT_EQ(varLen(0x4000), (std::vector<int>{0x81, 0x80, 0x00}));
    EXPECT_EQ(varLen(0x0FFFFFFF), (std::vector<int>{0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(varLenSize(0), 1);
    EXPECT_EQ(varLenSize(127), 1);
    EXPECT_EQ(varLenSize(128), 2);
    EXPECT_EQ(varLenSize(0x1FFFFF), 3);
    EXPECT_EQ(varLenSize(0x200000), 4);
}

TEST(MidiFileWriter, WordsAndDwordsAreBigEndianAndNothingIsWrittenWhileClosed) {
    MidiFileWriter w;
    w.writeMidiByte(1);
    w.writeMidiDword(5);
    EXPECT_TRUE(w.bytes().empty());
    EXPECT_FALSE(w.closeMidiFile());
    w.openMidiFile("unused");
    w.writeMidiWord(0x1234);
    w.writeMidiDword(0xA1B2C3D4);
    EXPECT_EQ(bytesOf(w.bytes()), (std::vector<int>{0x12, 0x34, 0xA1, 0xB2, 0xC3, 0xD4}));
}

TEST(MidiFileWriter, EventKindsAndSizes) {
    EXPECT_TRUE(isWrittenMidiEvent(0x90));
    EXPECT_TRUE(isWrittenMidiEvent(0xB9));
    EXPECT_TRUE(isWrittenMidiEvent(0xCF));
    EXPECT_FALSE(isWrittenMidiEvent(0x80));
    EXPECT_FALSE(isWrittenMidiEvent(0xE0));
    EXPECT_FALSE(isWrittenMidiEvent(0xD3));
    EXPECT_EQ(midiMessageLength(0xC3), 2);
    EXPECT_EQ(midiMessageLength(0x93), 3);
    EXPECT_EQ(midiEventSize(0x90, 200), 5);
    EXPECT_EQ(midiEventSize(0xC0, 0), 3);
    EXPECT_EQ(midiEventSize(0xE0, 0), 0);

    MidiFileWriter w;
    w.openMidiFile("unused");
    w.writeMidiEvent(0xC5 | 24 << 8, 200);          // program change: two bytes after the delta
    w.writeMidiEvent(0x99 | 42 << 8 | 85 << 16, 0); // note on
    w.writeMidiEvent(0xE0 | 1 << 8 | 2 << 16, 7);   // pitch bend: never written
    EXPECT_EQ(bytesOf(w.bytes()), (std::vector<int>{0x81, 0x48, 0xC5, 24, 0x00, 0x99, 42, 85}));
}

TEST(MidiFileWriter, TrackNameMetaEvent) {
    MidiFileWriter w;
    w.openMidiFile("unused");
    EXPECT_EQ(w.writeTrackName("", false), 0);
    EXPECT_TRUE(w.bytes().empty());
    EXPECT_EQ(w.writeTrackName("Drums", true), 5 + 1 + 3);
    EXPECT_TRUE(w.bytes().empty());
    EXPECT_EQ(w.writeTrackName("Drums", false), 9);
    EXPECT_EQ(bytesOf(w.bytes()), (std::vector<int>{0x00, 0xFF, 0x03, 5, 'D', 'r', 'u', 'm', 's'}));
    std::string longName(130, 'x');
    EXPECT_EQ(w.writeTrackName(longName, true), 130 + 2 + 3);
}

TEST(MidiFileWriter, ConductorEvents) {
    MidiFileWriter w;
    w.openMidiFile("unused");
    w.writeMidiConductor(120, false, false);
    EXPECT_EQ(bytesOf(w.bytes()), kConductor4_4At120);

    MidiFileWriter t;
    t.openMidiFile("unused");
    t.writeMidiConductor(90, true, true);
    std::vector<int> b = bytesOf(t.bytes());
    ASSERT_EQ(b.size(), 15u);
    EXPECT_EQ(std::vector<int>(b.begin() + 4, b.begin() + 8), (std::vector<int>{3, 2, 24, 12}));
    // 60,000,000 / 90 = 666,666 = 0x0A2C2A
    EXPECT_EQ(std::vector<int>(b.begin() + 12, b.end()), (std::vector<int>{0x0A, 0x2C, 0x2A}));

    auto tempoBytes = [](int bpm) {
        MidiFileWriter x;
        x.openMidiFile("unused");
        x.writeMidiConductor(bpm, false, false);
        std::vector<int> v = bytesOf(x.bytes());
        return std::vector<int>(v.begin() + 12, v.end());
    };
    EXPECT_EQ(tempoBytes(5), (std::vector<int>{0x5B, 0x8D, 0x80}));    // taken as 10 BPM
    EXPECT_EQ(tempoBytes(5000), (std::vector<int>{0x00, 0xEA, 0x60})); // taken as 1000 BPM
}

TEST(MidiFileWriter, TicksFromCaptureTimes) {
    EXPECT_EQ(midiTickOf(8, 4), 24); // one step at 4 steps per beat
    EXPECT_EQ(midiTickOf(256, 4), 768);
    EXPECT_EQ(midiTickOf(8, 3), 32);
    EXPECT_EQ(midiTickOf(40, 5), 96); // one beat is exactly 96 ticks whatever the steps per beat
    EXPECT_EQ(midiTickOf(56, 7), 96);
    EXPECT_EQ(midiTickOf(-5, 4), 0);
    EXPECT_EQ(midiTickOf(8, 0), 96);
    EXPECT_EQ(midiTickOf(2147483647LL, 1), 2147483647LL * 12); // no overflow
}

TEST(MidiFileWriter, FormatZeroBytes) {
    // Program change and volume at 0, a drum note on at step 1 and its note off half a step later.
    Llist<MidiEvent> events =
        capture({ev(0, 0xC0, 33, 0), ev(0, 0xB0, 7, 100), ev(8, 0x99, 36, 100), ev(12, 0x99, 36, 0)});
    std::string out;
    ASSERT_TRUE(buildMidiFileFormat0(events, 120, 4, false, false, out));
    std::vector<int> expected = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    // 19 + (1 + 2) + (1 + 3) + (1 + 3) + (1 + 3) = 34
    append(expected, {0, 0, 0, 34});
    append(expected, kConductor4_4At120);
    append(expected, {0x00, 0xC0, 33, 0x00, 0xB0, 7, 100, 24, 0x99, 36, 100, 12, 0x99, 36, 0});
    append(expected, kEndOfTrack);
    EXPECT_EQ(bytesOf(out), expected);
}

TEST(MidiFileWriter, EventsAreWrittenInTimeOrder) {
    // A sustain pedal moved behind a later note on (as the export does) comes out sorted by time;
    // equal times keep their capture order; events that are not written leave the deltas alone.
    Llist<MidiEvent> events = capture({ev(0, 0x90, 60, 90), ev(1, 0xB0, 64, 127), ev(0, 0x90, 64, 90),
                                       ev(4, 0xE0, 0, 64), ev(8, 0x90, 60, 0)});
    std::string out;
    ASSERT_TRUE(buildMidiFileFormat0(events, 120, 4, false, false, out));
    std::vector<int> b = bytesOf(out);
    std::vector<int> body(b.begin() + 22 + 15, b.end() - 4);
    // ticks: 0, 0, 3, 24
    EXPECT_EQ(body, (std::vector<int>{0, 0x90, 60, 90, 0, 0x90, 64, 90, 3, 0xB0, 64, 127, 21, 0x90, 60, 0}));
}

TEST(MidiFileWriter, FormatOneWithoutNotesHasOnlyTheConductorTrack) {
    Llist<MidiEvent> events = capture({ev(0, 0xC0, 33, 0), ev(0, 0xB0, 7, 100)});
    Llist<ExportingMidi_trackInfo> tracks;
    std::string out;
    ASSERT_TRUE(buildMidiFileFormat1(events, tracks, 120, 4, false, false, out));
    std::vector<int> expected = {'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 1, 0,
                                 1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, 19};
    append(expected, kConductor4_4At120);
    append(expected, kEndOfTrack);
    EXPECT_EQ(bytesOf(out), expected);
}

TEST(MidiFileWriter, FormatOneTracksPerChannelInOrderOfFirstNote) {
    Llist<MidiEvent> events =
        capture({ev(0, 0xCA, 33, 0), ev(0, 0xB9, 7, 110), ev(0, 0xBA, 7, 90), ev(0, 0xCB, 0, 0),
                 ev(8, 0x9A, 40, 80), ev(8, 0x99, 36, 100), ev(16, 0x9A, 40, 0), ev(16, 0x99, 36, 0)});
    Llist<ExportingMidi_trackInfo> tracks;
    tracks.add({9, "Drums"});
    tracks.add({10, "Old name"});
    tracks.add({10, "Acoustic Bass"});
    tracks.add({11, "Acoustic Grand Piano"}); // plays no note: no track
    std::string out;
    ASSERT_TRUE(buildMidiFileFormat1(events, tracks, 120, 4, false, false, out));

    std::vector<int> expected = {'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 1, 0,
                                 3,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, 19};
    append(expected, kConductor4_4At120);
    append(expected, kEndOfTrack);
    // Channel 10 (index 10) first: its note comes first in the capture.
    std::string bass = "Acoustic Bass";
    append(expected, {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<int>(4 + bass.size() + 4 + 3 + 4 + 4 + 4)});
    append(expected, {0x00, 0xFF, 0x03, static_cast<int>(bass.size())});
    for (char c : bass) expected.push_back(c);
    append(expected, {0x00, 0xCA, 33, 0x00, 0xBA, 7, 90, 24, 0x9A, 40, 80, 24, 0x9A, 40, 0});
    append(expected, kEndOfTrack);
    append(expected, {'M', 'T', 'r', 'k', 0, 0, 0, 4 + 9 + 4 + 4 + 4});
    append(expected, {0x00, 0xFF, 0x03, 5, 'D', 'r', 'u', 'm', 's'});
    append(expected, {0x00, 0xB9, 7, 110, 24, 0x99, 36, 100, 24, 0x99, 36, 0});
    append(expected, kEndOfTrack);
    EXPECT_EQ(bytesOf(out), expected);
}

TEST(MidiFileWriter, TooLongADeltaIsRefused) {
    // 0x0FFFFFFF ticks is the longest delta a file can hold.
    Llist<MidiEvent> events = capture({ev(0, 0x90, 60, 90), ev(2147483000, 0x90, 60, 0)});
    std::string out;
    EXPECT_FALSE(buildMidiFileFormat0(events, 120, 1, false, false, out));
    Llist<ExportingMidi_trackInfo> tracks;
    EXPECT_FALSE(buildMidiFileFormat1(events, tracks, 120, 1, false, false, out));
}

TEST(MidiFileWriter, WritesFromTheCaptureAndStopsCapturing) {
    TempDir dir;
    MidiOutput midi(nullptr, nullptr);
    midi.startMidiCapture();
    midi.sendNoteOn(60, 100, 0);
    midi.captureTime = 8;
    midi.sendNoteOn(60, 0, 0);
    ASSERT_EQ(midi.captureList.count(), 2);

    std::string path = dir.file("song.mid");
    EXPECT_TRUE(writeMidiFileFormat0(midi, path, 120, 4, false, false));
    EXPECT_FALSE(midi.capturing);
    std::string written, expected;
    ASSERT_TRUE(readFileBytes(path, written));
    ASSERT_TRUE(buildMidiFileFormat0(midi.captureList, 120, 4, false, false, expected));
    EXPECT_EQ(written, expected);

    midi.capturing = true;
    std::string bad = dir.file("missing/song.mid");
    EXPECT_FALSE(writeMidiFileFormat1(midi, bad, 120, 4, false, false));
    EXPECT_FALSE(midi.capturing);
    EXPECT_FALSE(std::filesystem::exists(bad));
}
