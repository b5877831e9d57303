#include <gtest/gtest.h>

#include <cstdio>

#include "engine/options.h"
#include "foundation/strutil.h"
#include "model_test_util.h"

namespace {

std::string optionsFixture(const std::string& name) {
    return modelFixture("options", name);
}

// Options read from a fixture copied into a scratch folder, so that saving at destruction touches nothing
// else.
struct OptionsFromFixture {
    ScratchDir dir;
    std::string path;
    explicit OptionsFromFixture(const std::string& name) : path(dir.path("options.cfg")) {
        if (!name.empty()) writeFileAtomic(path, fileBytes(optionsFixture(name)));
    }
};

class DecimalComma {
  public:
    DecimalComma() { setDecimalSeparator(','); }
    ~DecimalComma() { setDecimalSeparator('.'); }
};

void expectDefaults(const Options& o) {
    EXPECT_EQ(o.precountMode, 0);
    EXPECT_EQ(o.precountWait, -1);
    EXPECT_DOUBLE_EQ(o.precountVolume, 0.5);
    EXPECT_EQ(o.displayTextColor, 6);
    EXPECT_EQ(o.chordLook, 2);
    EXPECT_EQ(o.chordColoring, 3);
    EXPECT_EQ(o.cursorMode, 2);
    EXPECT_EQ(o.visualizeMode, 0);
    EXPECT_EQ(o.midiDevice, -2);
    EXPECT_EQ(o.midiChannels, 9);
    EXPECT_TRUE(o.whiteModel);
    EXPECT_TRUE(o.flatNotesByDefault);
    EXPECT_FALSE(o.soundCheckDone);
    EXPECT_EQ(o.exportToMidi_silenceBars, 1);
    EXPECT_EQ(o.exportToMidi_precountBars, 1);
    EXPECT_EQ(o.exportToMidi_format, 0);
    EXPECT_TRUE(o.exportToText_dots);
}

} // namespace

TEST(Options, ValueLists) {
    Llist<std::string> devices(0, 1, true);
    devices.add("FluidSynth");
    devices.add("Port 2");
    ScratchDir dir;
    Options o(devices, dir.path("options.cfg"));
    ASSERT_EQ(o.midiDeviceNames.count(), 3);
    EXPECT_EQ(o.midiDeviceNames.at(0), "Midi Mapper");
    EXPECT_EQ(o.midiDeviceNames.at(2), "Port 2");
    EXPECT_EQ(o.precountSoundNames.count(), 6);
    EXPECT_EQ(o.precountWaitNames.at(4), "2 sec");
    EXPECT_EQ(o.midiChannelRanges.at(0), "1-6, 10");
    EXPECT_EQ(o.midiChannelRanges.at(9), "10-16");
    EXPECT_EQ(o.displayTextColorNames.at(6), "Pastel blue");
    EXPECT_EQ(o.chordLookNames.at(2), "Arc");
    EXPECT_EQ(o.chordColoringNames.at(3), "Pastel spectrum");
    EXPECT_EQ(o.cursorModeNames.at(2), "Pulse");
    EXPECT_EQ(o.visualizeModeNames.at(3), "Chord+bass notes");
    EXPECT_EQ(o.visualTransposeNames.count(), 12);
    EXPECT_EQ(o.visualTransposeNames.at(0), "C (Piano, Guitar, Violin, Flute)");
    EXPECT_EQ(o.visualTransposeNames.at(3), "Eb (Alto Saxophone, Baritone Saxophone)");
    EXPECT_EQ(o.visualTransposeNames.at(5), "F (English Horn, French Horn)");
    EXPECT_EQ(o.visualTransposeNames.at(7), "G (Alto Flute)");
    EXPECT_EQ(o.visualTransposeNames.at(10), "Bb (Trumpet, Tenor Saxophone, Clarinet)");
    EXPECT_EQ(o.visualTransposeNames.at(11), "B");
    EXPECT_EQ(o.silenceBarsNames.at(3), "4 bars");
    EXPECT_EQ(o.precountBarsNames.at(1), "2 bars");

    const char* cents[] = {" +50",  " +40", " +30", " +20", " +10", "- 0",
                           "- -10", " -20", " -30", " -40", " -50"};
    ASSERT_EQ(o.masterTuneCentsNames.count(), 11);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(o.masterTuneCentsNames.at(i), cents[i]) << i;
    const char* semis[] = {" +3", " +2", " +1", "- 0", "- -1", " -2", " -3"};
    ASSERT_EQ(o.masterTuneSemitoneNames.count(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(o.masterTuneSemitoneNames.at(i), semis[i]) << i;
}

TEST(Options, MissingOrForeignFileGivesDefaults) {
    for (const char* name : {"", "options_foreign.cfg", "options_header_blank.cfg"}) {
        OptionsFromFixture f(name);
        Options o(Llist<std::string>(), f.path);
        expectDefaults(o);
    }
}

TEST(Options, FileRoundTripIsExact) {
    OptionsFromFixture f("options_roundtrip.cfg");
    {
        Options o(Llist<std::string>(), f.path);
        EXPECT_EQ(o.precountMode, 2);
        EXPECT_DOUBLE_EQ(o.precountVolume, 0.75);
        EXPECT_EQ(o.midiDevice, 3);
        EXPECT_EQ(o.masterTune_cents, -30);
        EXPECT_EQ(o.lastSessionFolder, "/home/user/My Sessions/a=b");
        EXPECT_EQ(o.lastExportFolder, "");
        EXPECT_FALSE(o.exportToText_dots);
        EXPECT_EQ(o.filePath(), f.path);
        std::remove(f.path.c_str());
        EXPECT_TRUE(o.save());
        EXPECT_EQ(fileBytes(f.path), fileBytes(optionsFixture("options_roundtrip.cfg")));
        o.precountMode = 1;
    }
    // The destructor saves as well.
    Options again(Llist<std::string>(), f.path);
    EXPECT_EQ(again.precountMode, 1);
}

TEST(Options, DefaultsWrittenInOrder) {
    ScratchDir dir;
    Options o(Llist<std::string>(), dir.path("o.cfg"));
    ASSERT_TRUE(o.save());
    std::string text = fileBytes(dir.path("o.cfg"));
    EXPECT_EQ(text,
              "<QuoVelanta "
              "Options>\r\nprecountMode=0\r\nprecountSound=0\r\nprecountWait=-1\r\nprecountVolume=0.5\r\n"
              "displayBars=true\r\ndisplayBarNumbers=true\r\ndisplayTime=true\r\nvisualizeNotes=true\r\n"
              "midiDevice=-2\r\nmidiChannels=9\r\nwarnSessionDelete=true\r\nflatNotesByDefault=true\r\n"
              "closeStyleSelector=false\r\ncloseTempoSelector=false\r\ncloseKeySelector=false\r\n"
              "whiteModel=true\r\nwideModel=false\r\nkeyShiftButtons=true\r\ndisplayTextColor=6\r\n"
              "chordColoring=3\r\nbiColor=false\r\nchordLook=2\r\ncursorMode=2\r\nvisualizeMode=0\r\n"
              "masterTune_cents=0\r\nmasterTune_semitones=0\r\nvisualTranspose=0\r\n"
              "visualTranspose_selector=false\r\nsoundCheckDone=false\r\nmainHintShown=false\r\n"
              "visualTransposeHintShown=false\r\nloopHintShown=false\r\nlastSessionFolder=\r\n"
              "lastExportFolder=\r\nexportToMidi_settings=true\r\nexportToMidi_normalize=true\r\n"
              "exportToMidi_silence=false\r\nexportToMidi_silenceBars=1\r\nexportToMidi_precount=false\r\n"
              "exportToMidi_precountBars=1\r\nexportToMidi_format=0\r\nexportToText_pages=true\r\n"
              "exportToText_bars=true\r\nexportToText_4bars=true\r\nexportToText_dots=true\r\n"
              "</QuoVelanta Options>\r\n");
}

TEST(Options, OlderKeysAreReadButNeverWritten) {
    OptionsFromFixture f("options_legacy.cfg");
    Options o(Llist<std::string>(), f.path);
    EXPECT_EQ(o.chordLook, 0);     // rect3D true beats chordLook 3
    EXPECT_EQ(o.chordColoring, 2); // chordColors true
    EXPECT_EQ(o.cursorMode, 1);    // cursorPulse false
    EXPECT_EQ(o.visualizeMode, 1); // wideKeyboard true
    EXPECT_TRUE(o.exportToMidi_settings);
    EXPECT_TRUE(o.exportToMidi_silence);
    EXPECT_EQ(o.lastExportFolder, "/tmp/x");
    ASSERT_TRUE(o.save());
    std::string text = fileBytes(f.path);
    for (const char* key :
         {"rect3D", "chordColors", "cursorPulse", "wideKeyboard", "exportToMidi_channelSettings"})
        EXPECT_EQ(text.find(key), std::string::npos) << key;

    OptionsFromFixture g("options_legacy_newer_wins.cfg");
    Options n(Llist<std::string>(), g.path);
    EXPECT_EQ(n.chordLook, 1);
    EXPECT_EQ(n.chordColoring, 0);
    EXPECT_EQ(n.cursorMode, 2);
    EXPECT_EQ(n.visualizeMode, 0);
    EXPECT_TRUE(n.exportToMidi_settings); // its own key, read later, wins over the older one
    EXPECT_TRUE(n.exportToMidi_silence);

    OptionsFromFixture u("options_legacy_unknown_mode.cfg");
    Options k(Llist<std::string>(), u.path);
    EXPECT_TRUE(k.exportToMidi_settings);
    EXPECT_FALSE(k.exportToMidi_silence);
    EXPECT_FALSE(k.exportToMidi_normalize);
}

TEST(Options, ReadingClampsEverySetting) {
    OptionsFromFixture f("options_out_of_range.cfg");
    Options o(Llist<std::string>(), f.path);
    EXPECT_EQ(o.precountMode, 2);
    EXPECT_EQ(o.precountSound, 0);
    EXPECT_EQ(o.precountWait, 3);
    EXPECT_DOUBLE_EQ(o.precountVolume, 1.0);
    EXPECT_EQ(o.displayTextColor, 9);
    EXPECT_EQ(o.chordColoring, 3);
    EXPECT_EQ(o.chordLook, 0);
    EXPECT_EQ(o.cursorMode, 2);
    EXPECT_EQ(o.visualizeMode, 3);
    EXPECT_EQ(o.midiDevice, -2);
    EXPECT_EQ(o.midiChannels, 9);
    EXPECT_EQ(o.masterTune_cents, 50);
    EXPECT_EQ(o.masterTune_semitones, -3);
    EXPECT_EQ(o.visualTranspose, 11);
    EXPECT_EQ(o.exportToMidi_silenceBars, 1);
    EXPECT_EQ(o.exportToMidi_precountBars, 2);
    EXPECT_EQ(o.exportToMidi_format, 1);

    OptionsFromFixture g("options_below_range.cfg");
    Options b(Llist<std::string>(), g.path);
    EXPECT_EQ(b.precountMode, 0);
    EXPECT_EQ(b.precountSound, 5);
    EXPECT_EQ(b.precountWait, -1);
    EXPECT_DOUBLE_EQ(b.precountVolume, 0.0);
    EXPECT_EQ(b.displayTextColor, 0);
    EXPECT_EQ(b.chordColoring, 0);
    EXPECT_EQ(b.chordLook, 3);
    EXPECT_EQ(b.cursorMode, 0);
    EXPECT_EQ(b.visualizeMode, 0);
    EXPECT_EQ(b.midiDevice, 5); // a device index is kept: the device list may change between runs
    EXPECT_EQ(b.midiChannels, 0);
    EXPECT_EQ(b.masterTune_cents, -50);
    EXPECT_EQ(b.masterTune_semitones, 3);
    EXPECT_EQ(b.visualTranspose, 0);
    EXPECT_EQ(b.exportToMidi_silenceBars, 1);
    EXPECT_EQ(b.exportToMidi_precountBars, 1);
    EXPECT_EQ(b.exportToMidi_format, 0);
}

TEST(Options, SaveReportsFailure) {
    ScratchDir dir;
    Options o(Llist<std::string>(), dir.path("no-such-folder/options.cfg"));
    EXPECT_FALSE(o.save());
    EXPECT_FALSE(fileExists(dir.path("no-such-folder/options.cfg")));
}

TEST(Options, DefaultPathIsBesideTheExecutable) {
    ScratchDir dir;
    setExeFolderOverride(dir.path(""));
    {
        Options o;
        EXPECT_EQ(o.filePath(), exeRelativePath("options.cfg"));
        o.soundCheckDone = true;
    }
    EXPECT_TRUE(fileExists(dir.path("options.cfg")));
    {
        Options o;
        EXPECT_TRUE(o.soundCheckDone);
    }
    setExeFolderOverride("");
}

TEST(Options, SetDefaultsKeepsTheFolders) {
    ScratchDir dir;
    Options o(Llist<std::string>(), dir.path("o.cfg"));
    o.lastSessionFolder = "/a";
    o.lastExportFolder = "/b";
    o.chordLook = 0;
    o.midiDevice = 4;
    o.setDefaults();
    EXPECT_EQ(o.lastSessionFolder, "/a");
    EXPECT_EQ(o.lastExportFolder, "/b");
    expectDefaults(o);
}

TEST(Options, MasterTuneText) {
    ScratchDir dir;
    Options o(Llist<std::string>(), dir.path("o.cfg"));
    struct Case {
        int cents, semitones;
        const char* text;
    };
    // -50 cents and -3 semitones: 440 x 2^(-350/1200), cut.
    const Case cases[] = {{0, 0, "440.00 Hz"},  {0, 1, "466.16 Hz"},    {50, 0, "452.89 Hz"},
                          {0, -1, "415.30 Hz"}, {-50, -3, "359.46 Hz"}, {50, 3, "538.58 Hz"},
                          {10, 0, "442.54 Hz"}};
    for (const Case& c : cases) {
        o.masterTune_cents = c.cents;
        o.masterTune_semitones = c.semitones;
        EXPECT_EQ(o.masterTuneText(), c.text) << c.cents << " " << c.semitones;
    }
    DecimalComma comma;
    o.masterTune_cents = 0;
    o.masterTune_semitones = -1;
    EXPECT_EQ(o.masterTuneText(), "415,30 Hz");
}
