// Reference tones: the settings file both ways, value ranges, the lists and the tone messages.
#include <gtest/gtest.h>

#include <memory>

#include "engine/midiout.h"
#include "engine/referencetones.h"
#include "platform/recordingmidibackend.h"
#include "stylestestutil.h"

using stylestest::dataPath;
using stylestest::readBytes;
using stylestest::ScratchFolder;
using stylestest::writeBytes;

namespace {

void expectDefaults(const ReferenceTones& r) {
    EXPECT_EQ(r.actualTone, 5);
    EXPECT_FALSE(r.octave);
    EXPECT_EQ(r.customPitch, 12);
    EXPECT_EQ(r.interval, 2);
    EXPECT_EQ(r.patch, 0);
    EXPECT_DOUBLE_EQ(r.volume, 0.5);
}

// A copy of a fixture in a scratch folder, so that the store's saving at exit touches no fixture.
std::string copyOf(const ScratchFolder& tmp, const std::string& fixture) {
    std::string path = tmp.file("refTones.cfg");
    writeBytes(path, readBytes(dataPath(fixture)));
    return path;
}

} // namespace

TEST(ReferenceTones, MissingFileGivesDefaultsAndIsWrittenAtExit) {
    ScratchFolder tmp;
    std::string path = tmp.file("refTones.cfg");
    {
        ReferenceTones r(path);
        expectDefaults(r);
        EXPECT_EQ(r.toneChannel, 0);
        EXPECT_FALSE(r.playing);
    }
    EXPECT_EQ(readBytes(path), readBytes(dataPath("reftones/default.cfg")));
}

TEST(ReferenceTones, RoundTripIsByteExact) {
    ScratchFolder tmp;
    std::string path = copyOf(tmp, "reftones/custom.cfg");
    {
        ReferenceTones r(path);
        EXPECT_EQ(r.actualTone, 6);
        EXPECT_TRUE(r.octave);
        EXPECT_EQ(r.customPitch, 33); // stored 21: A4
        EXPECT_EQ(r.pitchNames.at(r.customPitch), "A4 (ref)");
        EXPECT_EQ(r.interval, 1);
        EXPECT_EQ(r.patch, 2);
        EXPECT_DOUBLE_EQ(r.volume, 0.75);
        writeBytes(path, ""); // the store writes everything back itself
        EXPECT_TRUE(r.save());
        EXPECT_EQ(r.customPitch, 33); // writing leaves the field as it was
    }
    EXPECT_EQ(readBytes(path), readBytes(dataPath("reftones/custom.cfg")));
}

TEST(ReferenceTones, ChangedSettingsReadBack) {
    ScratchFolder tmp;
    std::string path = tmp.file("refTones.cfg");
    {
        ReferenceTones r(path);
        r.actualTone = 2;
        r.customPitch = 0;
        r.interval = 7;
        r.patch = 1;
        r.volume = 0.1;
        ASSERT_TRUE(r.save());
        EXPECT_NE(readBytes(path).find("\r\ncustomPitch=-12\r\n"), std::string::npos);
    }
    ReferenceTones back(path);
    EXPECT_EQ(back.actualTone, 2);
    EXPECT_EQ(back.customPitch, 0);
    EXPECT_EQ(back.interval, 7);
    EXPECT_EQ(back.patch, 1);
    EXPECT_DOUBLE_EQ(back.volume, 0.1);
}

TEST(ReferenceTones, MissingCustomPitchKeepsTheDefault) {
    ScratchFolder tmp;
    ReferenceTones r(copyOf(tmp, "reftones/no_custom_pitch.cfg"));
    EXPECT_EQ(r.actualTone, 6);
    EXPECT_EQ(r.customPitch, 12); // not raised a second time
    EXPECT_EQ(r.interval, 0);
    EXPECT_EQ(r.patch, 1);
    EXPECT_DOUBLE_EQ(r.volume, 0.25);
}

TEST(ReferenceTones, ValuesAreClampedToTheirLists) {
    struct Case {
        const char* fixture;
        int actualTone;
        bool octave;
        int customPitch, interval, patch;
        double volume;
    };
    // The high file stores a huge customPitch: clamped without overflow.
    const Case cases[] = {{"reftones/out_of_range.cfg", 7, true, 35, 0, 2, 1.0},
                          {"reftones/out_of_range_low.cfg", 0, false, 0, 7, 0, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        ScratchFolder tmp;
        ReferenceTones r(copyOf(tmp, c.fixture));
        EXPECT_EQ(r.actualTone, c.actualTone);
        EXPECT_EQ(r.octave, c.octave);
        EXPECT_EQ(r.customPitch, c.customPitch);
        EXPECT_EQ(r.interval, c.interval);
        EXPECT_EQ(r.patch, c.patch);
        EXPECT_DOUBLE_EQ(r.volume, c.volume);
    }
}

TEST(ReferenceTones, ForeignOrBrokenFilesLeaveTheDefaults) {
    ScratchFolder tmp;
    {
        ReferenceTones r(copyOf(tmp, "reftones/wrong_header.cfg"));
        expectDefaults(r);
    }
    writeBytes(tmp.file("refTones.cfg"), "<QuoVelanta RefTones>\r\nactualTone=1\r\n"); // cut short
    ReferenceTones r(tmp.file("refTones.cfg"));
    expectDefaults(r);
    ReferenceTones nowhere("");
    expectDefaults(nowhere);
    EXPECT_FALSE(nowhere.save());
    ReferenceTones badFolder(tmp.file("no-such-folder/refTones.cfg"));
    EXPECT_FALSE(badFolder.save());
}

TEST(ReferenceTones, Lists) {
    ReferenceTones r("");
    ASSERT_EQ(r.pitchNames.count(), 36);
    EXPECT_EQ(r.pitchNames.at(0), "C2");
    EXPECT_EQ(r.pitchNames.at(1), "C#2");
    EXPECT_EQ(r.pitchNames.at(11), "B2");
    EXPECT_EQ(r.pitchNames.at(12), "-C3");
    EXPECT_EQ(r.pitchNames.at(22), "A#3");
    EXPECT_EQ(r.pitchNames.at(24), "-C4 (mid)");
    EXPECT_EQ(r.pitchNames.at(33), "A4 (ref)");
    EXPECT_EQ(r.pitchNames.at(35), "B4");
    ASSERT_EQ(r.durationNames.count(), 8);
    EXPECT_EQ(r.durationNames.at(0), "1 sec");
    EXPECT_EQ(r.durationNames.at(1), "1.5 sec");
    EXPECT_EQ(r.durationNames.at(7), "5 sec");
    ASSERT_EQ(r.instrumentNames.count(), 3);
    EXPECT_EQ(r.instrumentNames.at(0), "Guitar");
    EXPECT_EQ(r.instrumentNames.at(1), "Piano");
    EXPECT_EQ(r.instrumentNames.at(2), "EPiano");
}

TEST(ReferenceTones, ToneSeconds) {
    ReferenceTones r("");
    const double expected[8] = {1, 1.5, 2, 2.5, 3, 3.5, 4, 5};
    for (int i = 0; i < 8; ++i) {
        r.interval = i;
        EXPECT_DOUBLE_EQ(r.toneSeconds(), expected[i]);
    }
    r.interval = 8;
    EXPECT_DOUBLE_EQ(r.toneSeconds(), 3.0);
    r.interval = -1;
    EXPECT_DOUBLE_EQ(r.toneSeconds(), 3.0);
}

TEST(ReferenceTones, PatchAndStopMessages) {
    auto backend = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Port"});
    RecordingMidiBackend* rec = backend.get();
    MidiOutput out(std::move(backend), nullptr);
    ASSERT_EQ(out.openMidiOut(0), 0);
    ReferenceTones r("");
    r.toneChannel = 3;
    for (int patch : {0, 1, 2}) {
        r.patch = patch;
        r.sendPatch(out);
    }
    r.playing = true;
    r.stopTone(out, 12345);
    EXPECT_FALSE(r.playing);
    EXPECT_EQ(r.startTimeMs, 12345);
    std::vector<RecordedMidiMessage> want = {{0xC3, 24, 0}, {0xC3, 0, 0}, {0xC3, 4, 0}, {0xB3, 123, 0}};
    EXPECT_EQ(rec->sent, want);
}
