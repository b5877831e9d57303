// The main object's engine side: channel plan, MIDI output, style selection with the 3/4
// conversion, play and stop, new session.
#include "platform/recordingmidibackend.h"
#include "play_harness.h"
#include "tests/common/scratchsetup.h"

using namespace play;

namespace {

QvChord chord(int key, int len = 48) {
    return QvChord(key, 0, 0, kAutoBassArg, false, len);
}

std::vector<std::string> lines(const Llist<std::string>& l) {
    std::vector<std::string> v;
    for (const std::string& s : l) v.push_back(s);
    return v;
}

// One bar of four quarter chords followed by another bar: one chord must go in 3/4.
void quarterBar(Player& p, int page) {
    p.setChords(page, {chord(0, 12), chord(2, 12), chord(4, 12), chord(5, 12), chord(7)});
}

} // namespace

TEST(QuoVelanta, ChannelPlan) {
    for (int part = 1; part <= 6; ++part) {
        EXPECT_EQ(partMidiChannel(part, 9), 9 + part);
        EXPECT_EQ(partMidiChannel(part, 0), part - 1);
    }
    EXPECT_EQ(partMidiChannel(4, 4), 7);
    EXPECT_EQ(partMidiChannel(5, 4), 8);
    EXPECT_EQ(partMidiChannel(6, 4), 10);
    EXPECT_EQ(partMidiChannel(0, 4), 9);
    EXPECT_EQ(partMidiChannel(-2, 4), 9);
    EXPECT_EQ(partMidiChannel(6, 99), 15);
    Player p;
    ASSERT_EQ(p.engine().instruments.count(), 7);
    ASSERT_EQ(p.engine().arpeggios.count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(p.engine().instruments.at(i).channel(), partMidiChannel(i, 9));
        EXPECT_EQ(p.engine().arpeggios.at(i).instrument, i);
    }
}

TEST(QuoVelanta, OpensTheDefaultDeviceAndWritesItBack) {
    ScratchFolder dir;
    FakeClock clock;
    auto ports =
        std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"GS Wavetable", "MS Port", "X"});
    RecordingMidiBackend* rec = ports.get();
    QvContext::Setup s = scratchSetup(dir, &clock);
    s.ports = std::move(ports);
    {
        QvContext ctx(std::move(s));
        EXPECT_EQ(ctx.engine.options.midiDevice, 1);
        EXPECT_EQ(rec->openedIndex, 1);
        // The master tuning goes to every channel but the drums.
        int tunings = 0;
        for (const RecordedMidiMessage& m : rec->sent)
            if ((m.status & 0xF0) == 0xB0 && m.data1 == 101) {
                ++tunings;
                EXPECT_NE(m.status & 0x0F, 9);
            }
        EXPECT_EQ(tunings, 30);
        // A device index beyond the list opens the built-in synthesizer (none here: the output stays
        // closed and everything is dropped without a word).
        ctx.engine.options.midiDevice = 7;
        ctx.app.openMidiOutput();
        EXPECT_FALSE(ctx.midi->isOpen());
        EXPECT_EQ(ctx.engine.options.midiDevice, 7);
        ctx.app.togglePlay();
        ctx.app.playbackTick();
    }
    // The options were saved with the chosen device.
    std::string bytes;
    ASSERT_TRUE(readFileBytes(dir.file("options.cfg"), bytes));
    EXPECT_NE(bytes.find("midiDevice=7"), std::string::npos);
}

TEST(QuoVelanta, SelectStyleFallsBackAndSetsTempo) {
    Player p;
    StyleFile a = style44(1);
    a.bpm = 90;
    StyleFile b = style44(4);
    b.bpm = 140;
    p.addStyle(a);
    p.addStyle(b);
    p.app().selectStyle(42, true, false, false);
    EXPECT_EQ(p.core().styleNumber, 1);
    EXPECT_EQ(p.core().tempo(), 90);
    p.core().tempoLock = true;
    p.app().selectStyle(4, true, false, false);
    EXPECT_EQ(p.core().tempo(), 90);
    p.engine().styles.current().bpm = 150; // edited in the Style Programmer
    p.app().selectStyle(-2, false, false, false);
    EXPECT_EQ(p.core().tempo(), 150);
    EXPECT_EQ(p.core().styleNumber, 4);
    EXPECT_GT(p.host.programmer, 0);
    // Voices of used tracks get the track's program; the bass is monophonic.
    EXPECT_EQ(p.engine().instruments.at(1).program, 33);
    EXPECT_TRUE(p.engine().instruments.at(1).monophonic);
    EXPECT_TRUE(p.engine().instruments.at(1).bassGroup);
    EXPECT_FALSE(p.engine().instruments.at(2).monophonic);
    EXPECT_TRUE(p.engine().arpeggios.at(3).active);
    EXPECT_FALSE(p.engine().arpeggios.at(5).active);
    // Panels are repainted only when the window shows.
    p.app().selectStyle(1, false, true, false);
    EXPECT_EQ(p.host.panels, 0);
    p.host.showing = true;
    p.app().selectStyle(1, false, true, false);
    EXPECT_EQ(p.host.panels, 1);
}

TEST(QuoVelanta, ConvertingTo34AsksBeforeDroppingChords) {
    Player p;
    p.addStyle(style44(1));
    p.addStyle(style34(2));
    p.use(1);
    quarterBar(p, 0);

    p.prompt.answers = {1, -1}; // Cancel, then a closed question
    for (int i = 0; i < 2; ++i) {
        p.app().selectStyle(2, false, false, true);
        EXPECT_EQ(p.core().styleNumber, 1);
        EXPECT_EQ(p.core().stepsPerBar(), 16);
        EXPECT_EQ(p.core().pages.at(0).chordCount(), 5);
        EXPECT_EQ(p.core().pages.at(0).chordLength(1), 12);
    }
    EXPECT_EQ(p.prompt.asked, 2);
    EXPECT_EQ(p.prompt.lastButtons, PromptButtons::OkCancel);
    std::vector<std::string> expect = {
        "CONVERTING MUSIC TO 3/4 TIME SIGNATURE",
        "",
        "There is one location in your chord progression where 4 chords are found within a single bar.",
        "Since chord changes are aligned to beats, one chord has to be deleted in that bar in order",
        "to convert your chord progression to 3/4 time signature.",
        "",
        "Clicking OK will delete the second chord in the problematic bar."};
    EXPECT_EQ(lines(p.prompt.lastLines), expect);

    p.prompt.answers = {0}; // OK
    p.prompt.asked = 0;
    p.app().selectStyle(2, false, false, true);
    EXPECT_EQ(p.core().styleNumber, 2);
    const QvPage& page = p.core().pages.at(0);
    ASSERT_EQ(page.chordCount(), 4);
    EXPECT_EQ(page.chordLength(0), 16);
    EXPECT_EQ(page.chordLength(1), 16);
    EXPECT_EQ(page.chordLength(2), 16);
    EXPECT_EQ(page.chordLength(3), 48);
}

// Declining the conversion leaves the session exactly as it was, even parts that a file read would
// have tidied (the reader does that, not the style choice).
TEST(QuoVelanta, ADeclinedConversionChangesNothingAtAll) {
    Player p;
    p.addStyle(style44(1));
    p.addStyle(style34(2));
    p.use(1);
    quarterBar(p, 0);
    QvCore& core = p.core();
    core.loopStart = 20;
    core.loopEnd = 5;
    core.loopRegionActive = true;
    core.playingPosition = 7;
    core.pageSlots.add(40);
    const int slots = core.pageSlots.count();
    p.prompt.answers = {1};
    p.app().selectStyle(2, false, false, true);
    EXPECT_EQ(p.prompt.asked, 1);
    EXPECT_EQ(core.styleNumber, 1);
    EXPECT_EQ(core.loopStart, 20);
    EXPECT_EQ(core.loopEnd, 5);
    EXPECT_TRUE(core.loopRegionActive);
    EXPECT_EQ(core.playingPosition, 7);
    EXPECT_EQ(core.pageSlots.count(), slots);
    EXPECT_EQ(core.pages.at(0).chordCount(), 5);
}

TEST(QuoVelanta, ConversionQuestionTextForSeveralBarsAndPoints) {
    Player p;
    p.addStyle(style44(1));
    p.addStyle(style34(2));
    p.use(1);
    quarterBar(p, 0);
    quarterBar(p, 1);
    QvPage& page = p.core().pages.at(2);
    for (int pos : {12, 24, 36}) page.addAPoint(pos);
    p.prompt.answers = {1};
    p.app().selectStyle(2, false, false, true);
    std::vector<std::string> got = lines(p.prompt.lastLines);
    ASSERT_EQ(got.size(), 11u);
    EXPECT_EQ(
        got[2],
        "There are 2 locations in your chord progression where 4 chords are found within a single bar.");
    EXPECT_EQ(got[3], "Since chord changes are aligned to beats, one chord has to be deleted in each of "
                      "these bars in order");
    EXPECT_EQ(got[5], "");
    EXPECT_EQ(got[6], "There is one location in your music where too many arrangement points are found "
                      "within a single bar.");
    EXPECT_EQ(got[7], "Since arrangement points are aligned to beats, one arrangement point has to be "
                      "deleted in that bar in order");
    EXPECT_EQ(got[8], "to convert your music to 3/4 time signature.");
    EXPECT_EQ(
        got[10],
        "Clicking OK will delete the second chord in each problematic bar and one arrangement point in the "
        "problematic bar.");
}

TEST(QuoVelanta, MeterConversionWithoutLossAndBack) {
    Player p;
    p.addStyle(style44(1));
    p.addStyle(style34(2));
    p.use(1);
    p.setChords(0, {chord(0, 12), chord(5, 12), chord(7, 24)}); // ends 12, 24, 48: nothing lost
    p.app().selectStyle(2, false, false, true);
    EXPECT_EQ(p.prompt.asked, 0);
    EXPECT_EQ(p.core().pages.at(0).chordLength(0), 16);
    EXPECT_EQ(p.core().pages.at(0).chordLength(1), 16);
    // Back to 4/4 without askMeter: the pages stay as they are.
    p.app().selectStyle(1, false, false, false);
    EXPECT_EQ(p.core().pages.at(0).chordLength(0), 16);
    p.app().selectStyle(2, false, false, false);
    // With askMeter the earlier 4/4 ends come back, without a question.
    p.app().selectStyle(1, false, false, true);
    EXPECT_EQ(p.prompt.asked, 0);
    EXPECT_EQ(p.core().pages.at(0).chordLength(0), 12);
    EXPECT_EQ(p.core().pages.at(0).chordLength(1), 12);
    EXPECT_EQ(p.core().pages.at(0).chordLength(2), 24);
}

TEST(QuoVelanta, TogglePlayAndTicks) {
    Player p;
    p.addStyle(style44(1));
    p.use(1);
    p.setChords(0, {chord(0), chord(5)});
    p.core().parsePageSequence("11");
    p.core().playingPosition = 1;
    p.app().togglePlay();
    EXPECT_TRUE(p.clk().isPlaying());
    EXPECT_TRUE(p.app().playButtonOn);
    EXPECT_EQ(p.clk().absoluteStep(), 32); // from the start of the playing entry
    EXPECT_EQ(p.host.pageArea, 1);
    EXPECT_EQ(p.host.pageSlots, 1);
    EXPECT_EQ(p.host.playButton, 1);
    p.poll(300);
    EXPECT_EQ(p.clk().absoluteStep(), 34);
    p.app().togglePlay();
    EXPECT_FALSE(p.clk().isPlaying());
    EXPECT_FALSE(p.app().playButtonOn);
    EXPECT_EQ(p.host.ruler, 1);
    EXPECT_EQ(p.host.visualizer, 1);
    EXPECT_EQ(p.host.counter, 1);
    // While the export captures, the tick leaves the clock to the export's own loop.
    p.app().togglePlay();
    p.midi().startMidiCapture();
    int step = p.clk().stepInPage;
    p.poll(1000);
    EXPECT_EQ(p.clk().stepInPage, step);
    EXPECT_EQ(p.midi().captureTime, 0);
    p.midi().capturing = false;
}

TEST(QuoVelanta, NewSessionStopsAndResets) {
    Player p;
    p.addStyle(style44(1));
    p.use(1);
    p.setChords(0, {chord(0)});
    p.core().key = 7;
    p.app().sessionPath = "x.qvs";
    p.app().fileVersion = "1.1";
    p.app().togglePlay();
    p.poll(200);
    EXPECT_TRUE(p.app().newSession(true));
    EXPECT_FALSE(p.clk().isPlaying());
    EXPECT_EQ(p.core().key, 0);
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 0);
    EXPECT_EQ(p.app().sessionPath, "");
    EXPECT_EQ(p.app().fileVersion, "2.2");
    EXPECT_EQ(p.core().tempo(), 120);
    EXPECT_TRUE(p.engine().arpeggios.at(0).active); // the style was selected again
    EXPECT_EQ(p.host.panels, 0);
    p.app().newSession(false);
    EXPECT_EQ(p.host.panels, 1);
}
