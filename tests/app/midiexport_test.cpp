// The MIDI file export through the whole program context: every exported file is read back with
// midicsv, and two small sessions are compared byte for byte with golden files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/midifile.h"
#include "foundation/textfile.h"
#include "midicsv_check.h"
#include "play_harness.h"

namespace {

using play::makeStyle;
using play::makeTrack;
using play::sn;

// Drums only: a kick on the bar, a snare on beat 3.
StyleFile drumStyle(int id = 5) {
    return makeStyle(id, 4, 16, {makeTrack(0, 1, 0, {sn(36, 100, 0, 1), sn(38, 90, 8, 1)})});
}

class Export : public ::testing::Test {
  protected:
    play::Player p;

    void SetUp() override {
        p.addStyle(drumStyle());
        p.addStyle(play::style44(1));
        p.use(5);
        // Two bars of chords on page 0, played twice: four bars.
        p.setChords(0,
                    {QvChord(0, 0, 0, kAutoBassArg, false, 48), QvChord(7, 0, 0, kAutoBassArg, false, 48)});
        p.core().pageSlots.clear();
        p.core().pageSlots.add(0);
        p.core().pageSlots.add(0);
        Options& o = p.engine().options;
        o.exportToMidi_settings = true;
        o.exportToMidi_normalize = true;
        o.exportToMidi_silence = false;
        o.exportToMidi_precount = false;
        o.exportToMidi_format = 0;
    }

    Options& options() { return p.engine().options; }

    // Exports and reads the file back with midicsv.
    midicsv::Parsed exportAndRead(const std::string& name) {
        std::string path = p.dir.file(name);
        EXPECT_TRUE(p.app().exportMidiFile(path));
        EXPECT_FALSE(p.midi().capturing);
        EXPECT_EQ(p.midi().captureList.count(), 0);
        EXPECT_FALSE(p.clk().isPlaying());
        midicsv::Parsed parsed = midicsv::read(path);
        EXPECT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.division, 96);
        return parsed;
    }
};

#define REQUIRE_MIDICSV()                                                                                    \
    if (!midicsv::available()) GTEST_SKIP() << "midicsv is not installed (Debian package midicsv): skipped"

} // namespace

TEST_F(Export, FormatZeroHoldsTheWholeSong) {
    REQUIRE_MIDICSV();
    midicsv::Parsed f = exportAndRead("song0.mid");
    EXPECT_EQ(f.format, 0);
    EXPECT_EQ(f.tracks, 1);
    EXPECT_EQ(f.noteOns(), 8);
    EXPECT_EQ(f.firstNoteTick(), 0);
    EXPECT_EQ(f.noteOnTicks(36), (std::vector<long long>{0, 384, 768, 1152}));
    EXPECT_EQ(f.noteOnTicks(38), (std::vector<long long>{192, 576, 960, 1344}));
    EXPECT_EQ(f.count("Tempo"), 1);
    EXPECT_EQ(f.count("Time_signature"), 1);
    EXPECT_EQ(f.count("Program_c"), 1); // only the drum track is in use
}

TEST_F(Export, FormatOneHasAConductorAndANamedTrackPerChannel) {
    REQUIRE_MIDICSV();
    p.use(1);
    options().exportToMidi_format = 1;
    midicsv::Parsed f = exportAndRead("song1.mid");
    EXPECT_EQ(f.format, 1);
    // Conductor, drums, bass, and the two chord tracks.
    EXPECT_EQ(f.tracks, 5);
    std::vector<std::string> names;
    for (const midicsv::Event& e : f.events)
        if (e.type == "Title_t") names.push_back(e.args.at(0));
    EXPECT_EQ(names, (std::vector<std::string>{"\"Drums\"", "\"Electric Bass - Finger\"",
                                               "\"Acoustic Grand Piano\"", "\"String Ensemble 1\""}));
    // The same notes as the engine renders them for the same session.
    play::Player q;
    q.addStyle(play::style44(1));
    q.use(1);
    q.setChords(0, {QvChord(0, 0, 0, kAutoBassArg, false, 48), QvChord(7, 0, 0, kAutoBassArg, false, 48)});
    q.core().pageSlots.add(0);
    Llist<MidiEvent> rendered = q.render();
    int ons = 0;
    for (const MidiEvent& e : rendered)
        if ((e.status & 0xF0) == 0x90 && e.data2 > 0) ++ons;
    EXPECT_GT(ons, 0);
    EXPECT_EQ(f.noteOns(), ons);
    EXPECT_EQ(f.firstNoteTick(), 0);
}

TEST_F(Export, SilenceAndPrecountComeFirst) {
    REQUIRE_MIDICSV();
    options().exportToMidi_silence = true;
    options().exportToMidi_silenceBars = 2;
    midicsv::Parsed silent = exportAndRead("silence.mid");
    EXPECT_EQ(silent.firstNoteTick(), 768); // capture time 256
    EXPECT_EQ(silent.noteOns(), 8);

    options().exportToMidi_silence = false;
    options().exportToMidi_precount = true;
    options().exportToMidi_precountBars = 1;
    options().precountSound = 3; // claves: key 75, velocity 100
    midicsv::Parsed counted = exportAndRead("precount.mid");
    EXPECT_EQ(counted.noteOnTicks(75), (std::vector<long long>{0, 96, 192, 288}));
    std::vector<long long> offs;
    for (const midicsv::Event& e : counted.events)
        if (e.type == "Note_on_c" && e.args.at(1) == "75" && e.args.at(2) == "0") offs.push_back(e.time);
    EXPECT_EQ(offs, (std::vector<long long>{48, 144, 240, 336})); // half a beat each
    EXPECT_EQ(counted.noteOnTicks(36).front(), 384);
    EXPECT_EQ(counted.noteOns(), 12);
}

TEST_F(Export, OptionsOutOfRangeAreClamped) {
    REQUIRE_MIDICSV();
    options().exportToMidi_silence = true;
    options().exportToMidi_silenceBars = 9; // 4 bars at most
    options().exportToMidi_precount = true;
    options().exportToMidi_precountBars = 7; // 2 bars at most
    options().exportToMidi_normalize = false;
    options().precountVolume = 4.0; // taken as 1 before its square root
    midicsv::Parsed f = exportAndRead("clamped.mid");
    EXPECT_EQ(f.noteOnTicks(42).size(), 8u);
    EXPECT_EQ(f.noteOnTicks(42).front(), 4 * 384);
    EXPECT_EQ(f.noteOnTicks(36).front(), 6 * 384);
    int precountLevel = -1;
    for (const midicsv::Event& e : f.events)
        if (e.type == "Control_c" && e.args.at(0) == "9" && e.args.at(1) == "7" && e.time == 4 * 384)
            precountLevel = std::stoi(e.args.at(2));
    EXPECT_EQ(precountLevel, 127);

    options().precountVolume = -2.0; // taken as 0
    midicsv::Parsed quiet = exportAndRead("quiet.mid");
    precountLevel = -1;
    for (const midicsv::Event& e : quiet.events)
        if (e.type == "Control_c" && e.args.at(0) == "9" && e.args.at(1) == "7" && e.time == 4 * 384)
            precountLevel = std::stoi(e.args.at(2));
    EXPECT_EQ(precountLevel, 0);
}

TEST_F(Export, NormalisationBringsTheLoudestPartToFullVolume) {
    p.use(1);
    p.core().mix.volDrums = 0.8;
    p.core().mix.volBass = 0.5;
    p.core().mix.volChords = 0.6;
    ASSERT_TRUE(p.app().exportMidiFile(p.dir.file("norm.mid")));
    EXPECT_DOUBLE_EQ(p.core().exportNormalisation, 1.25);
    options().exportToMidi_precount = true;
    options().precountVolume = 1.0;
    ASSERT_TRUE(p.app().exportMidiFile(p.dir.file("norm2.mid")));
    EXPECT_DOUBLE_EQ(p.core().exportNormalisation, 1.0);
}

TEST_F(Export, WholeSongWhateverTheRepeatSettings) {
    REQUIRE_MIDICSV();
    p.core().loopMode = 1; // repeat the page
    p.core().loopStart = 0;
    p.core().loopEnd = 0;
    p.core().loopRegionActive = true;
    midicsv::Parsed f = exportAndRead("looped.mid");
    EXPECT_EQ(f.noteOnTicks(36), (std::vector<long long>{0, 384, 768, 1152}));
    EXPECT_EQ(p.core().loopMode, 1);
    EXPECT_TRUE(p.core().loopRegionActive);
}

TEST_F(Export, CapturesWithTheOutputClosedAndWhilePlaying) {
    REQUIRE_MIDICSV();
    p.midi().closeMidiOut();
    midicsv::Parsed closed = exportAndRead("closed.mid");
    EXPECT_EQ(closed.noteOns(), 8);
    p.midi().openMidiOut(-1);
    p.start();
    p.poll(500);
    ASSERT_TRUE(p.clk().isPlaying());
    midicsv::Parsed f = exportAndRead("playing.mid");
    EXPECT_EQ(f.noteOns(), 8);
    EXPECT_EQ(f.firstNoteTick(), 0);
}

TEST_F(Export, SustainPedalFollowsTheNoteOnsOfItsStep) {
    REQUIRE_MIDICSV();
    p.use(1);
    QvPage& page = p.core().pages.at(0);
    page.addAPoint(0);
    QvAPoint point = page.apointAt(0);
    point.applyKind(3, true, false); // sustain bass and chords
    page.setAPoint(point, 0);
    options().exportToMidi_format = 1;
    midicsv::Parsed f = exportAndRead("sustain.mid");
    int down = 0;
    for (const midicsv::Event& e : f.events)
        if (e.type == "Control_c" && e.args.at(1) == "64" && std::stoi(e.args.at(2)) >= 64) {
            ++down;
            EXPECT_EQ(e.time % 24, 3) << "one eighth of a step after its step";
        }
    EXPECT_GT(down, 0);
}

TEST_F(Export, FailedWriteIsReported) {
    p.prompt.answers = {0};
    std::string path = p.dir.file("missing/song.mid");
    EXPECT_FALSE(p.app().exportMidiFile(path));
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(p.prompt.asked, 1);
    ASSERT_EQ(p.prompt.lastLines.count(), 1);
    EXPECT_EQ(p.prompt.lastLines.at(0), "MIDI export failed. (MIDI file used by other application?)");
    EXPECT_FALSE(p.midi().capturing);
    EXPECT_FALSE(p.clk().isPlaying());
}

TEST_F(Export, GoldenFiles) {
    // Drums only, format 0, with one bar of silence.
    options().exportToMidi_silence = true;
    options().exportToMidi_silenceBars = 1;
    std::string drums = p.dir.file("drums.mid");
    ASSERT_TRUE(p.app().exportMidiFile(drums));
    std::string a, b;
    ASSERT_TRUE(readFileBytes(drums, a));
    ASSERT_TRUE(readFileBytes(std::string(QV_TEST_DATA) + "/midiexport/drums_format0.mid", b));
    EXPECT_TRUE(a == b) << "drums_format0.mid differs";

    // The four-track style on one bar of C and one of Am7, format 1, with a precount.
    p.use(1);
    p.setChords(0, {QvChord(0, 0, 0, kAutoBassArg, false, 48), QvChord(9, 5, 0, kAutoBassArg, false, 48)});
    p.core().pageSlots.clear();
    p.core().pageSlots.add(0);
    options().exportToMidi_silence = false;
    options().exportToMidi_precount = true;
    options().exportToMidi_format = 1;
    std::string band = p.dir.file("band.mid");
    ASSERT_TRUE(p.app().exportMidiFile(band));
    ASSERT_TRUE(readFileBytes(band, a));
    ASSERT_TRUE(readFileBytes(std::string(QV_TEST_DATA) + "/midiexport/band_format1.mid", b));
    EXPECT_TRUE(a == b) << "band_format1.mid differs";
    if (midicsv::available()) {
        for (const std::string& f : {drums, band}) {
            midicsv::Parsed parsed = midicsv::read(f);
            EXPECT_TRUE(parsed.ok) << f << ": " << parsed.error;
        }
    }
}
