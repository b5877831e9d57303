// Every command of the main window that changes the session leaves one undo step with its
// description; merged commands leave one step however often they run, the others one step each.
#include "commands_rig.h"

using cmd::Rig;

namespace {

struct Step {
    const char* description; // the newest step after the second run
    bool merge;
    std::function<void(Rig&)> setup;
    std::function<void(Rig&)> run;
};

void none(Rig&) {}

} // namespace

TEST(CommandHistory, DescriptionsAndMergeFlags) {
    const std::vector<Step> steps = {
        {"+/- tempo: 122 BPM", true, none, [](Rig& r) { r.app().stepTempo(true); }},
        {"+/- key shift", true, none, [](Rig& r) { r.app().shiftKey(false); }},
        {"Reset key shift", true, [](Rig& r) { r.core().key = 3; },
         [](Rig& r) { r.app().resetKeyShift(true); }},
        {"Select repeat mode", true, none, [](Rig& r) { r.app().setRepeatMode(-1); }},
        {"Deactivate loop", false,
         [](Rig& r) {
             r.core().loopStart = 0;
             r.core().loopEnd = 0;
         },
         [](Rig& r) { r.app().toggleLoop(); }},
        {"Adjust drums volume", true, none,
         [](Rig& r) {
             r.core().mix.volDrums -= 0.1;
             r.app().adjustSoundMix(&r.core().mix.volDrums, true);
         }},
        {"Adjust bass volume", true, none,
         [](Rig& r) {
             r.core().mix.volBass -= 0.1;
             r.app().adjustSoundMix(&r.core().mix.volBass, true);
         }},
        {"Adjust chords volume", true, none,
         [](Rig& r) {
             r.core().mix.volChords -= 0.1;
             r.app().adjustSoundMix(&r.core().mix.volChords, true);
         }},
        {"Reset sound mix", true, none, [](Rig& r) { r.app().adjustSoundMix(&r.app().mixAtDefaults, true); }},
        {"Reset tempo: 120 BPM", true, [](Rig& r) { r.core().tempo(90); },
         [](Rig& r) { r.app().adjustSoundMix(&r.app().tempoResetButton, true); }},
        {"Adjust tempo: 122 BPM", true, none,
         [](Rig& r) {
             r.core().tempoSlider = 0.505; // 121 BPM: the fader keeps even tempos
             r.app().adjustSoundMix(&r.core().tempoSlider, true);
             EXPECT_EQ(r.core().tempo(), 122);
         }},
        {"Reset key shift", true, [](Rig& r) { r.core().key = 5; },
         [](Rig& r) { r.app().adjustSoundMix(&r.app().keyResetButton, true); }},
        {"Delete chord", false, [](Rig& r) { r.chords(6, 48); },
         [](Rig& r) {
             r.page().setSelected(0, true);
             r.app().deleteChord();
         }},
        {"Delete Arrangement Point", false,
         [](Rig& r) {
             r.chords(4, 48);
             r.page().addAPoint(0);
             r.page().addAPoint(48);
         },
         [](Rig& r) {
             r.app().pointDragIndex = 0;
             r.app().deleteArrangementPoint();
         }},
        {"Cut chords", false, [](Rig& r) { r.chords(6, 48); },
         [](Rig& r) {
             r.page().setSelected(0, true);
             r.page().setSelected(1, true);
             r.app().cutOrCopyChords(true);
         }},
        {"Paste chord", false,
         [](Rig& r) {
             r.chords(2, 48);
             r.page().setSelected(0, true);
             r.app().cutOrCopyChords(false);
         },
         [](Rig& r) { r.app().pasteChords(-1, false); }},
        {"Clear Page", false, none,
         [](Rig& r) {
             r.chords(2, 48);
             r.app().clearPage();
         }},
        {"Clear Page sequence", false, none,
         [](Rig& r) {
             r.core().pageSlots.add(3);
             r.app().clearPageSequence();
         }},
        {"Edit Page sequence as text", false,
         [](Rig& r) {
             r.app().hooks.editPageSequence = [](std::string& text) {
                 text = "1 2 3";
                 return true;
             };
         },
         [](Rig& r) { r.app().editPageSequenceAsText(); }},
        {"Edit session links", false,
         [](Rig& r) { r.app().hooks.editSessionLinks = [](int) { return true; }; },
         [](Rig& r) { r.app().editSessionLinks(2); }},
        {"Add chord", false, none, [](Rig& r) { r.app().addChordAtEnd(); }},
        {"Add Page to sequence", false, none, [](Rig& r) { r.app().addPageToSequence(); }},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.description);
        Rig r;
        s.setup(r);
        r.history().reset("[New session]");
        s.run(r);
        s.run(r);
        EXPECT_EQ(r.history().count(), s.merge ? 2 : 3);
        EXPECT_EQ(r.newest(), s.description);
        EXPECT_TRUE(r.history().modified);
    }
}

TEST(CommandHistory, CommandsThatChangeNothingRecordNothing) {
    Rig r;
    r.history().reset("[New session]");
    r.app().toggleLoop(); // no loop
    r.app().clearLoop();
    r.app().setRepeatMode(3); // beyond the modes
    r.app().deleteChord();    // nothing selected, no editor
    r.app().deleteArrangementPoint();
    r.app().cutOrCopyChords(true);  // nothing selected
    r.app().pasteChords(-1, false); // empty clipboard
    r.app().pasteChords(-1, true);
    r.app().clearPage();              // empty page
    r.app().editPageSequenceAsText(); // no page: cancelled
    r.app().editSessionLinks(0);
    r.app().cyclePrecount();
    r.app().selectAllChords();
    r.chords(2);
    r.page().setSelected(0, true);
    r.app().cutOrCopyChords(false); // copy
    r.app().toggleMute();
    r.core().sessionVolume = 0.5;
    r.app().adjustSoundMix(&r.core().sessionVolume, true);
    r.app().adjustSoundMix(&r.core().mix.volDrums, false);
    EXPECT_EQ(r.history().count(), 1);
    EXPECT_EQ(r.core().loopMode, 0);
}

TEST(CommandHistory, LoopActivateAndClearTexts) {
    Rig r;
    r.core().loopStart = 0;
    r.core().loopEnd = 0;
    r.app().toggleLoop();
    EXPECT_EQ(r.newest(), "Activate loop");
    r.app().toggleLoop();
    EXPECT_EQ(r.newest(), "Deactivate loop");
    r.app().clearLoop();
    EXPECT_EQ(r.newest(), "Clear loop");
    EXPECT_EQ(r.core().loopStart, -1);
    EXPECT_EQ(r.core().loopEnd, -1);
    EXPECT_FALSE(r.core().loopRegionActive);
    EXPECT_EQ(r.history().count(), 4);
}
