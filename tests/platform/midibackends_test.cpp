// The MIDI backends: SoundFont lookup, the built-in synthesizer's failure paths and its handling of
// registered parameters, and the ALSA sequencer ports where there is no sequencer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/fluidsynthbackend.h"
#include "platform/paths.h"
#include "platform/rtmidialsabackend.h"
#include "tests/common/tempdir.h"

namespace {

struct TempFolder : TempDir {
    std::filesystem::path path = fsPath();
    std::string file(const std::string& name, const std::string& bytes) const {
        std::string p = (path / name).string();
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
};

#define SKIP_WITHOUT_SOUNDFONT()                                                                             \
    if (findGmSoundFont().empty())                                                                           \
    GTEST_SKIP() << "No General MIDI SoundFont installed in /usr/share/sounds/sf2; synthesis is not tested"

} // namespace

TEST(SoundFontPaths, CandidatesInOrderAndFirstReadableWins) {
    std::vector<std::string> c = gmSoundFontCandidates();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0], "/usr/share/sounds/sf2/FluidR3_GM.sf2");
    EXPECT_EQ(c[1], "/usr/share/sounds/sf2/default-GM.sf2");
    EXPECT_EQ(c[2], "/usr/share/sounds/sf2/TimGM6mb.sf2");

    TempFolder t;
    std::string second = t.file("b.sf2", "x");
    std::string third = t.file("c.sf2", "y");
    std::filesystem::create_directory(t.path / "dir.sf2");
    EXPECT_EQ(findFirstReadableFile(
                  {(t.path / "missing.sf2").string(), (t.path / "dir.sf2").string(), "", second, third}),
              second);
    EXPECT_EQ(findFirstReadableFile({(t.path / "missing.sf2").string()}), "");
    EXPECT_EQ(findFirstReadableFile({}), "");
    EXPECT_EQ(findGmSoundFont(), findFirstReadableFile(c));
}

// Without a SoundFont no audio driver is even tried (a driver that blocks would be left to the
// test's time limit).
TEST(FluidSynthBackendTest, NoSoundFontFailsAndStaysSilent) {
    TempFolder t;
    FluidSynthBackend synth((t.path / "nothing.sf2").string());
    EXPECT_EQ(synth.open(0), kMidiNoSoundFont);
    EXPECT_EQ(synth.openOffline(), kMidiNoSoundFont);
    EXPECT_TRUE(synth.audioDriverName().empty());
    EXPECT_FALSE(synth.isOpen());
    synth.send(0x90, 60, 100);
    synth.reset();
    std::int16_t buf[8] = {};
    EXPECT_FALSE(synth.renderS16(4, buf));

    // A file that is not a SoundFont fails the same way.
    FluidSynthBackend junk(t.file("junk.sf2", "not a soundfont"));
    EXPECT_EQ(junk.openOffline(), kMidiNoSoundFont);
    EXPECT_FALSE(junk.isOpen());
}

TEST(FluidSynthBackendTest, OneDeviceAndOnlyIndexZero) {
    FluidSynthBackend synth;
    Llist<std::string> names = synth.deviceNames();
    ASSERT_EQ(names.count(), 1);
    EXPECT_EQ(names.at(0), FluidSynthBackend::kDeviceName);
    EXPECT_EQ(synth.open(1), kMidiBadDevice);
    EXPECT_EQ(synth.open(-1), kMidiBadDevice);
    EXPECT_FALSE(synth.isOpen());
}

TEST(FluidSynthBackendTest, AudioOpenSucceedsOrFailsCleanly) {
    SKIP_WITHOUT_SOUNDFONT();
    FluidSynthBackend synth;
    int result = synth.open(0);
    if (result == kMidiOk) {
        // A machine with sound: low latency settings are in force.
        EXPECT_TRUE(synth.isOpen());
        EXPECT_FALSE(synth.audioDriverName().empty());
        EXPECT_NE(synth.audioDriverName(), "jack");
        EXPECT_NE(synth.audioDriverName(), "sdl2");
        EXPECT_GE(synth.periodCount(), 2);
        EXPECT_LE(synth.periodCount(), 3);
        EXPECT_GE(synth.periodSize(), 64);
        EXPECT_LE(synth.periodSize(), 256);
        std::int16_t buf[4];
        EXPECT_FALSE(synth.renderS16(2, buf)) << "the audio driver renders, not the caller";
        synth.close();
    } else {
        EXPECT_EQ(result, kMidiNoDriver);
        EXPECT_FALSE(synth.isOpen());
    }
    EXPECT_FALSE(synth.isOpen());
}

TEST(FluidSynthBackendTest, FineTuningArrivesWholeWhatEverCameBefore) {
    SKIP_WITHOUT_SOUNDFONT();
    FluidSynthBackend synth;
    ASSERT_EQ(synth.openOffline(), kMidiOk);
    EXPECT_EQ(synth.loadedSoundFont(), findGmSoundFont());
    auto fine = [&](int ch, int msb, int lsb) {
        std::uint8_t s = std::uint8_t(0xB0 + ch);
        synth.send(s, 100, 1);
        synth.send(s, 101, 0);
        synth.send(s, 6, std::uint8_t(msb));
        synth.send(s, 38, std::uint8_t(lsb));
    };
    // 11223 = 87 * 128 + 87: 36.999 cents; without its LSB it would be 35.94.
    fine(3, 87, 87);
    EXPECT_NEAR(synth.fineTuneCents(3), (11223 - 8192) / 8192.0 * 100.0, 0.01);
    // The LSB of the previous value must not leak into the next one: -50 cents exactly.
    fine(3, 32, 0);
    EXPECT_NEAR(synth.fineTuneCents(3), -50.0, 0.001);
    fine(3, 64, 81);
    EXPECT_NEAR(synth.fineTuneCents(3), 81 / 8192.0 * 100.0, 0.001);
    // Other channels are untouched.
    EXPECT_NEAR(synth.fineTuneCents(4), 0.0, 0.001);

    // A data entry LSB of a non-registered parameter does not repeat the MSB into another parameter.
    synth.send(0xB3, 99, 120);
    synth.send(0xB3, 98, 0);
    synth.send(0xB3, 38, 5);
    EXPECT_NEAR(synth.fineTuneCents(3), 81 / 8192.0 * 100.0, 0.001);

    synth.close();
    EXPECT_FALSE(synth.isOpen());
    EXPECT_EQ(synth.fineTuneCents(3), 0.0);
}

TEST(FluidSynthBackendTest, RenderGuards) {
    SKIP_WITHOUT_SOUNDFONT();
    FluidSynthBackend synth;
    EXPECT_EQ(synth.openOffline(100), kMidiError);
    ASSERT_EQ(synth.openOffline(22050), kMidiOk);
    EXPECT_EQ(synth.sampleRate(), 22050.0);
    EXPECT_TRUE(synth.audioDriverName().empty());
    EXPECT_TRUE(synth.renderS16(0, nullptr));
    EXPECT_FALSE(synth.renderS16(10, nullptr));
    EXPECT_FALSE(synth.renderS16(-1, nullptr));
    // System messages and running junk are ignored without harm.
    synth.send(0xF0, 1, 2);
    synth.send(0xFF, 0, 0);
    synth.send(0xE5, 0x7F, 0x7F);
    std::int16_t buf[64];
    EXPECT_TRUE(synth.renderS16(32, buf));
}

TEST(RtMidiAlsaBackendTest, WithoutSequencerThereAreNoPortsAndOpenFailsCleanly) {
    RtMidiAlsaBackend ports;
    testing::internal::CaptureStderr();
    Llist<std::string> names = ports.deviceNames();
    std::string printed = testing::internal::GetCapturedStderr();
    if (std::filesystem::exists("/dev/snd/seq")) {
        // A machine with a sequencer: whatever is listed, an index past the end is refused.
        EXPECT_EQ(ports.open(names.count()), kMidiBadDevice);
    } else {
        EXPECT_EQ(names.count(), 0);
        EXPECT_EQ(printed, ""); // nothing is printed about the missing sequencer
        EXPECT_EQ(ports.open(0), kMidiBadDevice);
    }
    EXPECT_EQ(ports.open(-1), kMidiBadDevice);
    EXPECT_FALSE(ports.isOpen());
    ports.send(0x90, 60, 100);
    ports.reset();
    ports.close();
}

TEST(RtMidiAlsaBackendTest, ListedPortIsFoundAgainByName) {
    std::vector<std::string> listed = {"Synth A", "Through", "Synth A"};
    // Unchanged ports: the same index.
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 1, listed), 1);
    // A port that came before it and one that went: it is still found, and of two equal names the
    // second stays the second.
    std::vector<std::string> now = {"New keyboard", "Synth A", "Synth A"};
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 2, now), 2);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 0, now), 1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 1, now), -1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort({"Synth A", "Synth A"}, 1, {"Synth A"}), -1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 3, listed), -1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, -1, listed), -1);

    // An unreadable name keeps its place, so later ports keep their indices.
    EXPECT_EQ(RtMidiAlsaBackend::portDisplayName("", 1), "MIDI output 2");
    EXPECT_EQ(RtMidiAlsaBackend::portDisplayName("Through", 1), "Through");
}

TEST(MidiShortMessages, ProgramChangeAndChannelPressureAreTwoBytes) {
    // The ALSA port sends exactly this many bytes; a third byte after a program change would be taken
    // by the device as running status (a second program change).
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(midiShortLength(std::uint8_t(0xC0 | ch)), 2) << ch;
        EXPECT_EQ(midiShortLength(std::uint8_t(0xD0 | ch)), 2) << ch;
        for (int kind : {0x80, 0x90, 0xA0, 0xB0, 0xE0})
            EXPECT_EQ(midiShortLength(std::uint8_t(kind | ch)), 3) << kind << " " << ch;
    }
}

TEST(RtMidiAlsaBackendTest, PortsAreListedByNameWhateverOrderTheyCameUpIn) {
    using V = std::vector<std::string>;
    // Two runs in which the devices came up in another order list them alike.
    EXPECT_EQ(RtMidiAlsaBackend::sortedPortNames({"Through", "Synth A", "Keys"}),
              (V{"Keys", "Synth A", "Through"}));
    EXPECT_EQ(RtMidiAlsaBackend::sortedPortNames({"Keys", "Through", "Synth A"}),
              (V{"Keys", "Synth A", "Through"}));
    // A listed index is found again in the sequencer's own order, also among equal names.
    V sequencer = {"Through", "Synth A", "Keys", "Synth A"};
    V listed = RtMidiAlsaBackend::sortedPortNames(sequencer);
    ASSERT_EQ(listed, (V{"Keys", "Synth A", "Synth A", "Through"}));
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 0, sequencer), 2);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 1, sequencer), 1);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 2, sequencer), 3);
    EXPECT_EQ(RtMidiAlsaBackend::findListedPort(listed, 3, sequencer), 0);
}
