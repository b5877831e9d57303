// Sound, tempo, key, repeat and loop commands: their effects on the session and the sounding parts,
// and the session links that open only what is safe to open.
#include "commands_rig.h"

using cmd::Rig;

TEST(SoundCommands, PartVolumesFollowTheirFadersAndTheResetButton) {
    Rig r;
    QvSessionMix& mix = r.core().mix;
    const int drums = r.engine().instruments.at(0).volumeValue();
    const int bass = r.engine().instruments.at(1).volumeValue();
    ASSERT_GT(drums, 0);
    EXPECT_TRUE(r.app().mixAtDefaults);
    mix.volDrums = 0.4;
    r.app().adjustSoundMix(&mix.volDrums, true);
    EXPECT_NEAR(r.engine().instruments.at(0).volumeValue(), drums / 2, 1);
    EXPECT_EQ(r.engine().instruments.at(1).volumeValue(), bass); // only the drums
    EXPECT_FALSE(r.app().mixAtDefaults);
    EXPECT_GE(r.host.count("mixer"), 1);
    // A fader drag: one step however long.
    for (double v = 0.41; v < 0.6; v += 0.01) {
        mix.volDrums = v;
        r.app().adjustSoundMix(&mix.volDrums, true);
    }
    EXPECT_EQ(r.history().count(), 2);
    mix.mixKick = 0.9;
    mix.mixB = 0.3;
    r.app().adjustSoundMix(&r.app().mixAtDefaults, true);
    EXPECT_TRUE(r.app().mixAtDefaults);
    EXPECT_DOUBLE_EQ(mix.volDrums, 0.8);
    EXPECT_DOUBLE_EQ(mix.mixKick, 0.5);
    EXPECT_DOUBLE_EQ(mix.mixB, 1.0);
    EXPECT_EQ(r.engine().instruments.at(0).volumeValue(), drums);
    EXPECT_EQ(r.newest(), "Reset sound mix");
}

TEST(SoundCommands, MuteSilencesEveryPartAndRecordsNothing) {
    Rig r;
    r.key('U');
    EXPECT_TRUE(r.core().mute);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.engine().instruments.at(i).volumeValue(), 0) << i;
    ASSERT_FALSE(r.host.redrawn.empty());
    EXPECT_EQ(r.host.redrawn.front(), &r.core().mute);
    r.key('U');
    EXPECT_FALSE(r.core().mute);
    EXPECT_GT(r.engine().instruments.at(0).volumeValue(), 0);
    EXPECT_EQ(r.history().count(), 1);
}

TEST(SoundCommands, TempoStepsAndLimits) {
    Rig r;
    r.app().selectorKind = 1;
    r.core().tempo(220);
    r.app().stepTempo(true);
    EXPECT_EQ(r.core().tempo(), 220);
    EXPECT_EQ(r.app().selectorKind, 0); // the selector closed
    r.core().tempo(20);
    r.app().stepTempo(false);
    EXPECT_EQ(r.core().tempo(), 20);
    EXPECT_EQ(r.newest(), "+/- tempo: 20 BPM");
    r.core().tempo(77);
    r.app().adjustSoundMix(&r.app().tempoResetButton, true);
    EXPECT_EQ(r.core().tempo(), 120); // the style's own tempo
    EXPECT_GE(r.host.count("tempoBox"), 3);
}

TEST(SoundCommands, KeyShiftWrapsAndTransposesEveryPage) {
    Rig r;
    r.chords(2, 48);
    r.core().pages.at(20).addChord(QvChord(11), -1);
    r.core().key = 11;
    r.app().shiftKey(true);
    EXPECT_EQ(r.core().key, 0);
    EXPECT_EQ(r.page().chordAt(0).key, 1);
    EXPECT_EQ(r.core().pages.at(20).chordAt(0).key, 0);
    r.app().shiftKey(false);
    EXPECT_EQ(r.core().key, 11);
    EXPECT_EQ(r.page().chordAt(1).key, 2 - 0); // back to D
    r.app().resetKeyShift(true);
    EXPECT_EQ(r.core().key, 0);
    EXPECT_EQ(r.page().chordAt(0).key, 1); // moved by -11 = +1
    EXPECT_EQ(r.newest(), "Reset key shift");
    r.app().resetKeyShift(true); // by -0
    EXPECT_EQ(r.page().chordAt(0).key, 1);
    EXPECT_EQ(r.newest(), "Reset key shift");
}

TEST(SoundCommands, RepeatModeCyclesAndSets) {
    Rig r;
    std::vector<int> modes;
    for (int i = 0; i < 4; ++i) {
        r.app().setRepeatMode(-1);
        modes.push_back(r.core().loopMode);
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 0, 1}));
    r.app().setRepeatMode(2);
    EXPECT_EQ(r.core().loopMode, 2);
    r.app().setRepeatMode(7);
    EXPECT_EQ(r.core().loopMode, 2);
    EXPECT_EQ(r.history().count(), 2); // all merged into one step
    EXPECT_GE(r.host.count("repeatBox"), 5);
}

TEST(SoundCommands, ReferenceTonesRestoreEveryPart) {
    Rig r;
    bool shown = false;
    r.app().hooks.showReferenceTones = [&] {
        shown = true;
        r.engine().instruments.at(1).setVolume(0.0); // the tones page used the parts
    };
    r.app().togglePlay();
    r.key('T');
    EXPECT_TRUE(shown);
    EXPECT_FALSE(r.playing());
    EXPECT_GT(r.engine().instruments.at(1).volumeValue(), 0);
}

TEST(SessionLinks, OnlySafeTargetsOpenAndAFailureOffersTheLinksPage) {
    Rig r;
    std::vector<std::string> opened;
    r.app().hooks.urlOpener = [&](const std::string& url) {
        opened.push_back(url);
        return true;
    };
    int edits = 0;
    r.app().hooks.editSessionLinks = [&](int link) {
        EXPECT_EQ(link, 1);
        ++edits;
        return false;
    };
    r.core().sessionLinks.at(0) = "https://example.org/song";
    r.core().sessionLinks.at(1) = "/bin/sh";
    r.core().sessionLinks.at(2) = r.dir.file("missing.pdf");
    r.app().openSessionLink(0);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(r.prompt.asked, 0);
    EXPECT_EQ(r.host.linkStates, (std::vector<int>{0, -1}));

    r.app().togglePlay();
    r.app().openSessionLink(1); // a program: refused with a message
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(r.prompt.asked, 1);
    EXPECT_FALSE(r.playing());
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(r.history().count(), 1); // the links page was cancelled

    r.app().hooks.editSessionLinks = [&](int) { return true; };
    r.app().openSessionLink(2);
    ASSERT_EQ(r.prompt.lastLines.count(), 1);
    EXPECT_EQ(r.prompt.lastLines.at(0), "File not found.");
    EXPECT_EQ(r.newest(), "Edit session links");
    r.core().sessionLinks.at(3) = "   "; // blanks open nothing either: the message and the links page
    r.app().openSessionLink(3);
    EXPECT_EQ(r.prompt.asked, 3);
    EXPECT_EQ(r.prompt.lastLines.at(0), "File not found.");
    r.app().openSessionLink(5); // no such link
    r.app().openSessionLink(-1);
    EXPECT_EQ(r.prompt.asked, 3);
}

TEST(SoundCommands, MixerAndVisualTransposeHooks) {
    Rig r;
    int mixer = 0, transpose = 0;
    r.key('M'); // nothing connected: nothing happens
    r.app().hooks.showMixer = [&] { ++mixer; };
    r.app().hooks.showVisualTranspose = [&] { ++transpose; };
    r.app().toggleMixer();
    r.app().showVisualTranspose();
    EXPECT_EQ(mixer, 1);
    EXPECT_EQ(transpose, 1);
}

TEST(StyleChoice, ADeclinedSwitchKeepsTheMixAndRecordsNothing) {
    Rig r;
    r.chords(4, 12); // four chords in one bar: one must go in 3/4
    r.core().volumeLock = false;
    r.core().mix.volDrums = 0.3;
    r.prompt.answers = {1}; // Cancel
    EXPECT_FALSE(r.app().chooseStyle(2, false));
    EXPECT_EQ(r.core().styleNumber, 1);
    EXPECT_DOUBLE_EQ(r.core().mix.volDrums, 0.3);
    EXPECT_EQ(r.page().chordCount(), 4);
    EXPECT_EQ(r.history().count(), 1);

    r.prompt.answers = {1, 0}; // OK this time
    EXPECT_TRUE(r.app().chooseStyle(2, false));
    EXPECT_EQ(r.prompt.asked, 2); // asked once only
    EXPECT_EQ(r.core().styleNumber, 2);
    EXPECT_TRUE(r.core().isTripleMeter());
    EXPECT_EQ(r.page().chordCount(), 3);
    EXPECT_DOUBLE_EQ(r.core().mix.volDrums, 0.8);
    EXPECT_TRUE(r.app().mixAtDefaults);
    EXPECT_EQ(r.newest(), "Set style: Test 2");
}

TEST(StyleChoice, CustomMixAndVolumeLock) {
    Rig r;
    QvSessionMix custom;
    custom.forStyle = 2;
    custom.volBass = 0.25;
    r.ctx->customStyleMixes.mixes.add(custom);
    r.core().volumeLock = false;
    EXPECT_TRUE(r.app().chooseStyle(2, true));
    EXPECT_DOUBLE_EQ(r.core().mix.volBass, 0.25);
    EXPECT_FALSE(r.app().mixAtDefaults);
    EXPECT_EQ(r.newest(), "Set style: Test 2 (custom mix)");
    // Locked levels stay as they are.
    r.core().volumeLock = true;
    EXPECT_TRUE(r.app().chooseStyle(1, false));
    EXPECT_DOUBLE_EQ(r.core().mix.volBass, 0.25);
    EXPECT_EQ(r.newest(), "Set style: Test 1");
    // Without the mark the mix is reset.
    r.core().volumeLock = false;
    EXPECT_TRUE(r.app().chooseStyle(2, false));
    EXPECT_DOUBLE_EQ(r.core().mix.volBass, 0.8);
}
