// The MIDI output layer against recording backends: device list and index space, open and close,
// the exact bytes of every builder, dropped arguments, and capture.
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/midiout.h"
#include "platform/recordingmidibackend.h"
#include "tests/common/alloccount.h"

namespace {

using Msg = RecordedMidiMessage;

Llist<std::string> names(std::initializer_list<const char*> list) {
    Llist<std::string> l;
    for (const char* n : list) l.add(n);
    return l;
}

class MidiOutTest : public ::testing::Test {
  protected:
    MidiOutTest() {
        auto p = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Port A", "Port B"});
        auto s = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Synth"});
        ports = p.get();
        synth = s.get();
        out = std::make_unique<MidiOutput>(std::move(p), std::move(s));
    }
    // Opens port 0 and forgets what opening did, so that only the messages under test remain.
    void openPort() {
        ASSERT_EQ(out->openMidiOut(0), kMidiOk);
        ports->log.clear();
        ports->sent.clear();
    }

    RecordingMidiBackend* ports = nullptr;
    RecordingMidiBackend* synth = nullptr;
    std::unique_ptr<MidiOutput> out;
};

// A backend whose every operation throws, standing for a misbehaving driver library.
class ThrowingBackend : public MidiBackend {
  public:
    Llist<std::string> deviceNames() override { return names({"Bad"}); }
    int open(int) override { throw std::runtime_error("driver failure"); }
    void send(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    void reset() override {}
    void close() override {}
    bool isOpen() const override { return false; }
};

} // namespace

TEST(MidiOutDefaultDevice, PrefersMicrosoftThenMsThenGs) {
    EXPECT_EQ(MidiOutput::defaultDeviceAmong(names({"Roland GS", "XMS Synth", "Microsoft Wavetable"})), 2);
    EXPECT_EQ(MidiOutput::defaultDeviceAmong(names({"Roland GS", "XMS Synth"})), 1);
    EXPECT_EQ(MidiOutput::defaultDeviceAmong(names({"Midi Through", "Roland GS"})), 1);
    // Case matters, and without a match the MIDI mapper (-1) is the default.
    EXPECT_EQ(MidiOutput::defaultDeviceAmong(names({"microsoft synth", "ms", "gs"})), -1);
    EXPECT_EQ(MidiOutput::defaultDeviceAmong(names({})), -1);
    // The first of several equal matches wins.
    EXPECT_EQ(MidiOutput::defaultDeviceAmong(names({"A", "MS 1", "MS 2"})), 1);
}

TEST(MidiOutDefaultDevice, UsesTheListedPorts) {
    auto p = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"GS port", "MS port"});
    MidiOutput out(std::move(p), nullptr);
    EXPECT_EQ(out.defaultMidiOutDevice(), 1);
    MidiOutput none(nullptr, nullptr);
    EXPECT_EQ(none.defaultMidiOutDevice(), -1);
}

TEST_F(MidiOutTest, ListReplacesTheListWithThePortsInOrder) {
    Llist<std::string> list = names({"stale 1", "stale 2", "stale 3"});
    out->listMidiOutDevices(list);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0), "Port A");
    EXPECT_EQ(list.at(1), "Port B");
}

TEST_F(MidiOutTest, ListedIndexOpensThatPortAndMinusOneTheSynth) {
    Llist<std::string> list;
    out->listMidiOutDevices(list);
    ASSERT_EQ(out->openMidiOut(1), kMidiOk);
    EXPECT_TRUE(out->isOpen());
    EXPECT_EQ(ports->openedIndex, 1);
    EXPECT_EQ(list.at(ports->openedIndex), "Port B");

    // Opening another device closes the open one first (reset, then close).
    ASSERT_EQ(out->openMidiOut(-1), kMidiOk);
    EXPECT_FALSE(ports->opened);
    EXPECT_EQ(ports->log, (std::vector<std::string>{"open 1", "reset", "close"}));
    EXPECT_TRUE(synth->opened);
    EXPECT_EQ(synth->openedIndex, 0);
    out->sendVolume(100, 0);
    EXPECT_EQ(synth->sent, (std::vector<Msg>{{0xB0, 7, 100}}));
    EXPECT_TRUE(ports->sent.empty());
}

TEST_F(MidiOutTest, FailedOpenLeavesTheOutputClosedAndSilent) {
    EXPECT_EQ(out->openMidiOut(2), kMidiBadDevice);
    EXPECT_EQ(out->openMidiOut(-2), kMidiBadDevice);
    EXPECT_FALSE(out->isOpen());

    ports->openResult = kMidiAllocated;
    EXPECT_EQ(out->openMidiOut(0), kMidiAllocated);
    EXPECT_FALSE(out->isOpen());
    out->sendNoteOn(60, 100, 0);
    out->resetMidiOut();
    EXPECT_TRUE(ports->sent.empty());
    EXPECT_EQ(ports->resets, 0);

    // A device that was open stays closed after a failed reopen.
    ports->openResult = kMidiOk;
    ASSERT_EQ(out->openMidiOut(0), kMidiOk);
    EXPECT_EQ(out->openMidiOut(7), kMidiBadDevice);
    EXPECT_FALSE(out->isOpen());
    EXPECT_FALSE(ports->opened);
}

TEST(MidiOutOpen, MissingBackendOrThrowingDriverGiveAnErrorCode) {
    MidiOutput noSynth(std::make_unique<RecordingMidiBackend>(), nullptr);
    EXPECT_EQ(noSynth.openMidiOut(-1), kMidiBadDevice);
    EXPECT_EQ(noSynth.openMidiOut(0), kMidiBadDevice);

    MidiOutput throwing(std::make_unique<ThrowingBackend>(), std::make_unique<ThrowingBackend>());
    int result = kMidiOk;
    EXPECT_NO_THROW(result = throwing.openMidiOut(0));
    EXPECT_EQ(result, kMidiError);
    EXPECT_NO_THROW(result = throwing.openMidiOut(-1));
    EXPECT_EQ(result, kMidiError);
    EXPECT_FALSE(throwing.isOpen());
}

TEST_F(MidiOutTest, CloseResetsThenClosesOnceAndDestructionCloses) {
    openPort();
    out->resetMidiOut();
    out->closeMidiOut();
    out->closeMidiOut();
    out->resetMidiOut();
    EXPECT_EQ(ports->log, (std::vector<std::string>{"reset", "reset", "close"}));
    EXPECT_FALSE(out->isOpen());

    openPort();
    std::vector<std::string> afterwards;
    ports->mirror = &afterwards;
    out.reset(); // the backends go with it
    EXPECT_EQ(afterwards, (std::vector<std::string>{"reset", "close"}));
}

TEST_F(MidiOutTest, BuildersSendExactBytes) {
    openPort();
    out->sendProgramChange(5, 3);
    out->sendVolume(100, 15);
    out->sendPan(0, 0);
    out->sendNoteOn(60, 127, 9);
    out->sendNoteOn(60, 0, 9); // the note-off
    out->sendSustain(true, 2);
    out->sendSustain(false, 2);
    out->sendAllNotesOff(14);
    out->sendMidiShort(0xE0, 0, 64);
    EXPECT_EQ(ports->sent, (std::vector<Msg>{{0xC3, 5, 0},
                                             {0xBF, 7, 100},
                                             {0xB0, 10, 0},
                                             {0x99, 60, 127},
                                             {0x99, 60, 0},
                                             {0xB2, 64, 127},
                                             {0xB2, 64, 0},
                                             {0xBE, 123, 0},
                                             {0xE0, 0, 64}}));
}

TEST_F(MidiOutTest, BuildersDropOutOfRangeArguments) {
    openPort();
    out->sendProgramChange(128, 0);
    out->sendProgramChange(-1, 0);
    out->sendProgramChange(0, 16);
    out->sendVolume(128, 0);
    out->sendVolume(-1, 0);
    out->sendVolume(10, -1);
    out->sendPan(200, 1);
    out->sendPan(64, 16);
    out->sendNoteOn(128, 100, 0);
    out->sendNoteOn(60, 128, 0);
    out->sendNoteOn(60, -1, 0);
    out->sendNoteOn(-1, 100, 0);
    out->sendNoteOn(60, 100, 16);
    out->sendSustain(true, 16);
    out->sendSustain(true, -1);
    out->sendAllNotesOff(16);
    out->sendAllNotesOff(-1);
    out->sendFineTune(10, 16);
    out->sendFineTune(10, -1);
    out->sendCoarseTune(2, 16);
    out->sendCoarseTune(2, -1);
    // Not short messages at all.
    out->sendMidiShort(0x40, 1, 2);
    out->sendMidiShort(0x100, 1, 2);
    out->sendMidiShort(0x90, 128, 2);
    out->sendMidiShort(0x90, 60, -1);
    EXPECT_TRUE(ports->sent.empty());
    // The edges themselves pass.
    out->sendProgramChange(127, 15);
    out->sendProgramChange(0, 0);
    EXPECT_EQ(ports->sent, (std::vector<Msg>{{0xCF, 127, 0}, {0xC0, 0, 0}}));
}

namespace {
std::vector<Msg> rpn(int channel, int param, int msb, int lsb) {
    std::uint8_t s = std::uint8_t(0xB0 + channel);
    return {
        {s, 100, std::uint8_t(param)}, {s, 101, 0}, {s, 6, std::uint8_t(msb)}, {s, 38, std::uint8_t(lsb)}};
}
} // namespace

TEST_F(MidiOutTest, FineTuneSendsRegisteredParameterOne) {
    struct Case {
        int cents, msb, lsb;
    } cases[] = {
        {50, 96, 0},  // 12288
        {-50, 32, 0}, // 4096
        {0, 64, 0},   // 8192
        {80, 96, 0},  // clamped to +50
        {-90, 32, 0}, // clamped to -50
        {1, 64, 81},  // 8192 + 81 = 8273
        {-1, 63, 47}, // 8192 - 81 = 8111 (the division truncates toward zero)
        {37, 87, 87}, // 8192 + 3031 = 11223
    };
    for (const Case& c : cases) {
        openPort();
        out->sendFineTune(c.cents, 4);
        EXPECT_EQ(ports->sent, rpn(4, 1, c.msb, c.lsb)) << "cents " << c.cents;
    }
    openPort();
    out->sendFineTune(20, 9); // the drum channel is never tuned
    EXPECT_TRUE(ports->sent.empty());
}

TEST_F(MidiOutTest, CoarseTuneSendsRegisteredParameterTwo) {
    struct Case {
        int semitones, msb;
    } cases[] = {{-70, 0}, {-64, 0}, {2, 66}, {0, 64}, {-12, 52}, {63, 127}, {64, 127}, {100, 127}};
    for (const Case& c : cases) {
        openPort();
        out->sendCoarseTune(c.semitones, 15);
        EXPECT_EQ(ports->sent, rpn(15, 2, c.msb, 0)) << "semitones " << c.semitones;
    }
    openPort();
    out->sendCoarseTune(2, 9);
    EXPECT_TRUE(ports->sent.empty());
}

TEST_F(MidiOutTest, CaptureRecordsWithTimesInOrderAndSendsNothing) {
    openPort();
    out->startMidiCapture();
    EXPECT_TRUE(out->capturing);
    EXPECT_EQ(out->captureTime, 0);
    EXPECT_EQ(out->captureList.capacity, 1000000);
    EXPECT_EQ(out->captureList.growStep, 100000);

    out->sendProgramChange(0, 1);
    out->captureTime += 8;
    out->sendNoteOn(60, 100, 1);
    out->sendSustain(true, 1);
    out->captureTime += 3;
    out->sendNoteOn(60, 0, 1);
    EXPECT_TRUE(ports->sent.empty());

    ASSERT_EQ(out->captureList.count(), 4);
    const MidiEvent& e0 = out->captureList.at(0);
    EXPECT_EQ(e0.time, 0);
    EXPECT_EQ(e0.status, 0xC1);
    EXPECT_EQ(e0.data1, 0);
    EXPECT_EQ(out->captureList.at(1).time, 8);
    EXPECT_EQ(out->captureList.at(1).data1, 60);
    EXPECT_EQ(out->captureList.at(2).time, 8);
    EXPECT_TRUE(out->captureList.at(2).isSustainDown());
    EXPECT_EQ(out->captureList.at(3).time, 11);
    EXPECT_EQ(out->captureList.at(3).data2, 0);

    // When capture ends, messages reach the device again.
    out->capturing = false;
    out->sendVolume(90, 1);
    EXPECT_EQ(ports->sent, (std::vector<Msg>{{0xB1, 7, 90}}));
    EXPECT_EQ(out->captureList.count(), 4);

    // A new capture starts empty at time 0.
    out->captureTime = 500;
    out->startMidiCapture();
    EXPECT_EQ(out->captureList.count(), 0);
    EXPECT_EQ(out->captureTime, 0);

    // An ended capture leaves an empty list that keeps its room, and the next capture starts over it.
    out->sendNoteOn(62, 80, 1);
    out->endMidiCapture();
    EXPECT_FALSE(out->capturing);
    EXPECT_EQ(out->captureList.count(), 0);
    alloccount::Scope counted;
    out->startMidiCapture();
    EXPECT_EQ(counted.bytesSince(), 0u); // the room of the first capture, not a fresh million events
    EXPECT_EQ(out->captureList.capacity, 1000000);
    out->sendNoteOn(64, 90, 1);
    ASSERT_EQ(out->captureList.count(), 1);
    EXPECT_EQ(out->captureList.at(0).data1, 64);
}

TEST_F(MidiOutTest, CaptureRecordsAlsoWithoutAnOpenDevice) {
    ASSERT_FALSE(out->isOpen());
    out->startMidiCapture();
    out->sendNoteOn(64, 90, 2);
    out->sendFineTune(50, 2);
    ASSERT_EQ(out->captureList.count(), 5);
    EXPECT_EQ(out->captureList.at(0).packed(), 0x5A4092u);
    EXPECT_EQ(out->captureList.at(3).data1, 6);
    EXPECT_EQ(out->captureList.at(3).data2, 96);
    // Dropped arguments are dropped from the capture too.
    out->sendNoteOn(64, 90, 16);
    out->sendCoarseTune(1, 9);
    EXPECT_EQ(out->captureList.count(), 5);
}

TEST(MidiEventTest, ChannelSustainAndPacking) {
    MidiEvent e;
    e.status = 0xB7;
    e.data1 = 64;
    e.data2 = 64;
    EXPECT_EQ(e.channel(), 7);
    EXPECT_TRUE(e.isSustainDown());
    e.data2 = 63;
    EXPECT_FALSE(e.isSustainDown());
    e.data2 = 127;
    e.data1 = 65;
    EXPECT_FALSE(e.isSustainDown());
    e.status = 0x97; // a note-on of key 64 is not a sustain
    e.data1 = 64;
    EXPECT_FALSE(e.isSustainDown());
    EXPECT_EQ(e.packed(), 0x7F4097u);
}

TEST(GmProgramNameTest, NamesTheHundredTwentyEightPrograms) {
    EXPECT_EQ(gmProgramName(0), "Acoustic Grand Piano");
    EXPECT_EQ(gmProgramName(24), "Nylon-String Guitar");
    EXPECT_EQ(gmProgramName(33), "Electric Bass - Finger");
    EXPECT_EQ(gmProgramName(87), "Bass + Lead");
    EXPECT_EQ(gmProgramName(109), "Bag pipe");
    EXPECT_EQ(gmProgramName(127), "Gunshot");
    EXPECT_EQ(gmProgramName(128), "");
    EXPECT_EQ(gmProgramName(-1), "");
    // Every program has its own non-empty name (a slip in the table would repeat or skip one).
    for (int i = 0; i < 128; ++i) {
        EXPECT_FALSE(gmProgramName(i).empty()) << i;
        for (int j = 0; j < i; ++j) EXPECT_NE(gmProgramName(i), gmProgramName(j)) << i << " " << j;
    }
}
