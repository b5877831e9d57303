// The session mixer: faders on the live mix, reset toggles, the custom-mix menu, undo steps, what
// reaches the MIDI output, keys and the title-bar boxes.
#include <gtest/gtest.h>

#include "platform/qt/keymap.h"
#include "tests/dialogs/toolwindows_rig.h"
#include "ui/popupmenu.h"

namespace {

using namespace dlg;

const ShadeFader& faderOf(TFmixer& m, const double* bound) {
    for (const ShadeFader& f : m.ui.faders)
        if (f.value == bound) return f;
    ADD_FAILURE() << "no fader bound to the variable";
    static ShadeFader none;
    return none;
}

TPoint toggleCentre(TFmixer& m, const bool* flag) {
    for (const ShadeButton& b : m.ui.buttons)
        if (b.toggleTarget == flag) return centreOf(b.rect);
    ADD_FAILURE() << "no toggle bound to the flag";
    return {-1, -1};
}

TPoint buttonCentre(TFmixer& m, int id) {
    for (const ShadeButton& b : m.ui.buttons)
        if (b.toggleTarget == nullptr && b.id == id) return centreOf(b.rect);
    ADD_FAILURE() << "no button " << id;
    return {-1, -1};
}

// Presses a fader inside its travel (the value jumps there), moves it up and down, and releases.
void dragFader(TFmixer& m, const double* bound, std::initializer_list<int> offsets) {
    const TRect r = faderOf(m, bound).rect;
    const int x = (r.Left + r.Right) / 2;
    const int y = (r.Top + 33 + r.Bottom - 18) / 2;
    press(&m, x, y);
    for (int dy : offsets) dragTo(&m, x, y + dy);
    release(&m, x, y);
}

// CC 7 messages sent since `from`, as (channel, value).
std::vector<std::pair<int, int>> volumes(const RecordingMidiBackend& midi, std::size_t from) {
    std::vector<std::pair<int, int>> out;
    for (std::size_t i = from; i < midi.sent.size(); ++i)
        if ((midi.sent[i].status & 0xF0) == 0xB0 && midi.sent[i].data1 == 7)
            out.push_back({midi.sent[i].status & 0x0F, midi.sent[i].data2});
    return out;
}

int lastVolumeOn(const std::vector<std::pair<int, int>>& v, int channel) {
    int value = -1;
    for (auto& [ch, val] : v)
        if (ch == channel) value = val;
    return value;
}

} // namespace

TEST(Mixer, BuildsTheWindowWithThirteenFadersBoundToTheLiveMix) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    EXPECT_EQ(m.width(), 747);
    EXPECT_EQ(m.height(), 289);
    EXPECT_EQ(m.ui.faders.count(), 13);
    EXPECT_EQ(m.ui.buttons.count(), 5); // three toggles, "..." and "Close"
    const ShadeFader& drums = faderOf(m, &rig.mix().volDrums);
    EXPECT_EQ(drums.rect.Left, 29);
    EXPECT_EQ(drums.rect.Top, 50);
    EXPECT_EQ(drums.rect.Bottom - drums.rect.Top, 151);
    const ShadeFader& kick = faderOf(m, &rig.mix().mixKick);
    EXPECT_EQ(kick.rect.Bottom - kick.rect.Top, 101);
    EXPECT_LT(kick.rect.Right - kick.rect.Left, drums.rect.Right - drums.rect.Left);
    EXPECT_TRUE(m.drumsAtDefault && m.bassAtDefault && m.chordsAtDefault);
    // A normal Shade window: the menu grip is drawn with its hot rect, the drag starts 8 px right of it.
    ASSERT_EQ(m.ui.titleHotRects.count(), 1);
    EXPECT_EQ(m.ui.titleHotRects.at(0), (TRect{10, 4, 29, 23}));
    EXPECT_FALSE(m.ui.inTitleBar(36, 10));
    EXPECT_TRUE(m.ui.inTitleBar(37, 10));
    EXPECT_FALSE(m.isVisible());
}

TEST(Mixer, DraggingOneFaderBackAndForthIsOneUndoStep) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    const int before = rig.history().count();
    dragFader(m, &rig.mix().volDrums, {-12, 10, -3, 14});
    EXPECT_EQ(rig.history().count(), before + 1);
    EXPECT_EQ(rig.newest(), "Mixer - adjust drums volume");
    EXPECT_NE(rig.mix().volDrums, 0.8);
    EXPECT_FALSE(m.drumsAtDefault);
    EXPECT_FALSE(rig.app().mixAtDefaults);
    // A second drag of the same fader merges too; another fader makes its own step.
    dragFader(m, &rig.mix().volDrums, {5});
    EXPECT_EQ(rig.history().count(), before + 1);
    dragFader(m, &rig.mix().mixSnare, {-8, 4});
    EXPECT_EQ(rig.history().count(), before + 2);
    EXPECT_EQ(rig.newest(), "Mixer - adjust velocity of snare drum");
    dragFader(m, &rig.mix().mixB, {-8});
    EXPECT_EQ(rig.newest(), "Mixer - adjust volume of layer b");
    // The main window's faders and its at-defaults indicator were redrawn.
    auto& r = rig.host.redrawn;
    EXPECT_NE(std::find(r.begin(), r.end(), &rig.mix().volDrums), r.end());
    EXPECT_NE(std::find(r.begin(), r.end(), &rig.app().mixAtDefaults), r.end());
}

TEST(Mixer, UndoAndRedoCopyIntoTheLiveMixTheFadersShow) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    QvSessionMix* live = &rig.mix();
    dragFader(m, &live->volBass, {-20});
    const double moved = live->volBass;
    ASSERT_NE(moved, 0.8);
    EXPECT_FALSE(m.bassAtDefault);
    rig.app().undo();
    EXPECT_EQ(&rig.mix(), live);
    EXPECT_EQ(faderOf(m, &rig.mix().volBass).value, &live->volBass);
    EXPECT_EQ(live->volBass, 0.8);
    EXPECT_TRUE(m.bassAtDefault); // refreshed through the host
    EXPECT_GT(rig.host.mixerRefreshes, 0);
    rig.app().redo();
    EXPECT_EQ(live->volBass, moved);
    EXPECT_FALSE(m.bassAtDefault);
    // The restored fader still drives the live mix.
    dragFader(m, &live->volBass, {15});
    EXPECT_NE(live->volBass, moved);
}

TEST(Mixer, AResetToggleRestoresItsGroupAndRecordsEvenWhenAlreadyOn) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    ASSERT_TRUE(m.drumsAtDefault);
    const int before = rig.history().count();
    TPoint p = toggleCentre(m, &m.drumsAtDefault);
    click(&m, p.x, p.y);
    EXPECT_EQ(rig.history().count(), before + 1);
    EXPECT_EQ(rig.newest(), "Mixer - reset drums");
    EXPECT_TRUE(m.drumsAtDefault); // still on after the click

    rig.mix().volChords = 0.3;
    rig.mix().mixA = 0.2;
    rig.mix().mixKick = 0.9;
    m.refreshMixer(true);
    EXPECT_FALSE(m.chordsAtDefault);
    const std::size_t from = rig.midi->sent.size();
    p = toggleCentre(m, &m.chordsAtDefault);
    click(&m, p.x, p.y);
    EXPECT_EQ(rig.newest(), "Mixer - reset chords");
    EXPECT_EQ(rig.mix().volChords, 0.8);
    EXPECT_EQ(rig.mix().mixA, 1.0);
    EXPECT_EQ(rig.mix().mixKick, 0.9); // another group is left alone
    EXPECT_TRUE(m.chordsAtDefault);
    EXPECT_FALSE(m.drumsAtDefault);
    EXPECT_FALSE(volumes(*rig.midi, from).empty()); // a reset is heard at once
}

TEST(Mixer, AtDefaultComparesExactly) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    rig.mix().volBass = 0.8 + 1e-12;
    rig.mix().mixC = 0.9999999;
    rig.app().host.refreshMixer();
    EXPECT_FALSE(m.bassAtDefault);
    EXPECT_FALSE(m.chordsAtDefault);
    rig.mix().volBass = 0.8;
    rig.mix().mixC = 1.0;
    rig.app().host.refreshMixer();
    EXPECT_TRUE(m.bassAtDefault);
    EXPECT_TRUE(m.chordsAtDefault);
}

TEST(Mixer, PartAndLayerLevelsReachTheVoicesAndDrumLevelsSendNothing) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    ASSERT_TRUE(rig.midi->opened);
    const int bassChannel = rig.app().partMidiChannel(1);
    const int layerBChannel = rig.app().partMidiChannel(3); // the track on layer b
    const int layerAChannel = rig.app().partMidiChannel(2);

    std::size_t from = rig.midi->sent.size();
    dragFader(m, &rig.mix().mixKick, {-10, 10});
    dragFader(m, &rig.mix().mixFxCym, {6});
    EXPECT_EQ(rig.midi->sent.size(), from); // drum levels scale notes as they play

    // The bass fader pressed near the top, then near the bottom of its travel: the bass voice follows.
    const TRect bass = faderOf(m, &rig.mix().volBass).rect;
    const int bx = (bass.Left + bass.Right) / 2;
    from = rig.midi->sent.size();
    press(&m, bx, bass.Top + 34);
    release(&m, bx, bass.Top + 34);
    auto v = volumes(*rig.midi, from);
    const int loud = lastVolumeOn(v, bassChannel);
    from = rig.midi->sent.size();
    press(&m, bx, bass.Bottom - 20);
    release(&m, bx, bass.Bottom - 20);
    v = volumes(*rig.midi, from);
    const int quiet = lastVolumeOn(v, bassChannel);
    ASSERT_NE(loud, -1);
    ASSERT_NE(quiet, -1);
    EXPECT_LT(quiet, loud);
    EXPECT_GT(rig.mix().volBass, 0.0);

    // Layer b down: only the layer-b track's level falls.
    from = rig.midi->sent.size();
    dragFader(m, &rig.mix().mixB, {});
    v = volumes(*rig.midi, from);
    const int bLow = lastVolumeOn(v, layerBChannel);
    const int aLevel = lastVolumeOn(v, layerAChannel);
    from = rig.midi->sent.size();
    const TRect r = faderOf(m, &rig.mix().mixB).rect;
    press(&m, (r.Left + r.Right) / 2, r.Top + 34); // near the top of the travel: loud
    release(&m, (r.Left + r.Right) / 2, r.Top + 34);
    v = volumes(*rig.midi, from);
    EXPECT_GT(lastVolumeOn(v, layerBChannel), bLow);
    EXPECT_EQ(lastVolumeOn(v, layerAChannel), aLevel);
}

TEST(Mixer, CustomMixMenuSavesLoadsAndDeletesAndGreysWithoutAMix) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    Llist<std::string> shown(0, 1, true);
    int answer = -1;
    m.popupMenu = [&](const Llist<std::string>& items, int, int, TColor) {
        shown = items;
        return answer;
    };
    CustomStyleMixes& mixes = rig.ctx->customStyleMixes;
    const int style = rig.app().currentStyle();
    const TPoint dots = buttonCentre(m, 1);

    // Without a mix, Load and Delete are greyed and do nothing even when chosen.
    for (int choice : {1, 2}) {
        answer = choice;
        const int before = rig.history().count();
        click(&m, dots.x, dots.y);
        EXPECT_EQ(shown.at(1), "@Load style's custom mix");
        EXPECT_EQ(shown.at(2), "-@Delete style's custom mix");
        EXPECT_EQ(rig.history().count(), before);
        EXPECT_FALSE(mixes.hasMix(style));
    }

    // Save the actual mix.
    rig.mix().mixRide = 0.25;
    rig.mix().volChords = 0.6;
    answer = 0;
    click(&m, dots.x, dots.y);
    EXPECT_EQ(shown.at(0), "Save actual mix as style's custom mix");
    ASSERT_TRUE(mixes.hasMix(style));

    // Change the mix, then load the stored one: one unmerged step, flags refreshed, heard at once.
    rig.mix().setDefaults();
    m.refreshMixer(true);
    answer = 1;
    const std::size_t from = rig.midi->sent.size();
    click(&m, dots.x, dots.y);
    EXPECT_EQ(shown.at(1), "Load style's custom mix");
    EXPECT_EQ(rig.mix().mixRide, 0.25);
    EXPECT_EQ(rig.mix().volChords, 0.6);
    EXPECT_EQ(rig.newest(), "Mixer - load style's custom mix");
    EXPECT_FALSE(m.drumsAtDefault);
    EXPECT_FALSE(m.chordsAtDefault);
    EXPECT_FALSE(volumes(*rig.midi, from).empty());
    const int count = rig.history().count();
    click(&m, dots.x, dots.y);
    EXPECT_EQ(rig.history().count(), count + 1); // loads never merge

    answer = 2;
    click(&m, dots.x, dots.y);
    EXPECT_FALSE(mixes.hasMix(style));
    EXPECT_EQ(rig.mix().mixRide, 0.25); // deleting leaves the live mix
}

TEST(Mixer, TheRealMenuOpensBelowTheButtonAndADismissDoesNothing) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    m.show();
    bool seen = false;
    rig.scope.then([&] {
        TFmenu* menu = activePopupMenu();
        ASSERT_NE(menu, nullptr);
        seen = true;
        EXPECT_EQ(menu->items.count(), 3);
        menu->menuKeyDown(27);
    });
    const TPoint dots = buttonCentre(m, 1);
    const int before = rig.history().count();
    click(&m, dots.x, dots.y);
    EXPECT_TRUE(seen);
    EXPECT_EQ(rig.history().count(), before);
    EXPECT_FALSE(rig.ctx->customStyleMixes.hasMix(rig.app().currentStyle()));
    for (const ShadeButton& b : m.ui.buttons) EXPECT_FALSE(b.pressed);
}

TEST(Mixer, KeyMTogglesEscAndCloseHideAndOtherKeysReachTheMainWindow) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    rig.app().keyDown('M', false, false);
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(m.notYetPlaced);
    key(&m, Qt::Key_Escape);
    EXPECT_FALSE(m.isVisible());
    rig.app().toggleMixer();
    ASSERT_TRUE(m.isVisible());
    // Space typed in the mixer starts playback through the main key handler.
    EXPECT_FALSE(rig.ctx->engine.stepControl.isPlaying());
    key(&m, Qt::Key_Space);
    EXPECT_TRUE(rig.ctx->engine.stepControl.isPlaying());
    EXPECT_TRUE(m.isVisible());
    // M typed in the mixer hides it again.
    key(&m, Qt::Key_M);
    EXPECT_FALSE(m.isVisible());
    rig.app().toggleMixer();
    const TPoint close = buttonCentre(m, 0);
    click(&m, close.x, close.y);
    EXPECT_FALSE(m.isVisible());
    EXPECT_FALSE(m.closeFlag);
}

namespace {
class KeyCatcher : public QWidget {
  public:
    std::vector<int> keys;

  protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};
} // namespace

TEST(Mixer, WithAMainWindowKeysGoToItsHandlerAndTheMixerIsPlacedOverIt) {
    ensureQtApp();
    KeyCatcher main;
    main.setGeometry(10, 200, 780, 300);
    {
        tw::Rig rig(&main);
        TFmixer& m = rig.mixer();
        rig.app().toggleMixer();
        EXPECT_EQ(m.x(), main.frameGeometry().left() + (main.frameGeometry().width() - 747) / 2);
        key(&m, Qt::Key_Space);
        key(&m, Qt::Key_Escape);
        EXPECT_EQ(main.keys, std::vector<int>{Qt::Key_Space});
        EXPECT_FALSE(m.isVisible());
    }
}

TEST(Mixer, TitleBarBoxesHideAndMinimise) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    ASSERT_NE(m.ui.closeRect.Left, -1);
    ASSERT_NE(m.ui.minimiseRect.Left, -1);
    rig.app().toggleMixer();
    TPoint p = centreOf(m.ui.minimiseRect);
    click(&m, p.x, p.y);
    EXPECT_TRUE(m.windowState() & Qt::WindowMinimized);
    rig.app().toggleMixer(); // a minimised mixer comes back
    EXPECT_FALSE(m.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(m.isVisible());
    p = centreOf(m.ui.closeRect);
    click(&m, p.x, p.y);
    EXPECT_FALSE(m.isVisible());
    EXPECT_FALSE(m.ui.closeRequested);
}

TEST(Mixer, AfterOpenAndNewSessionTheMixerShowsTheSessionsMix) {
    tw::Rig rig;
    TFmixer& m = rig.mixer();
    rig.mix().volDrums = 0.3;
    const std::string path = rig.dir.file("mix.qvs");
    rig.app().sessionPath = path;
    ASSERT_TRUE(rig.app().saveSession());
    rig.app().newSession(true);
    rig.app().afterNewSession();
    EXPECT_TRUE(m.drumsAtDefault);
    ASSERT_TRUE(rig.app().openSession(path));
    EXPECT_EQ(rig.mix().volDrums, 0.3);
    EXPECT_FALSE(m.drumsAtDefault);
    EXPECT_EQ(faderOf(m, &rig.mix().volDrums).value, &rig.mix().volDrums);
}

TEST(Mixer, ScreensInBothLooks) {
    for (bool white : {false, true}) {
        tw::Rig rig;
        rig.ctx->engine.options.whiteModel = white;
        rig.mix().volBass = 0.55;
        rig.mix().mixCrash = 0.8;
        rig.mix().mixB = 0.4;
        rig.windows->rebuildForLook();
        rig.app().toggleMixer();
        EXPECT_FALSE(saveScreen(rig.mixer(), white ? "mixer_light" : "mixer_dark").empty());
    }
    shadeDarkSkin() = true;
}

TEST(TitleCards, TheThreeCallsDoNothingAndCtrlBackquoteLeavesPlaybackAlone) {
    tw::Rig rig;
    rig.app().keyDown(vk::Space, false, false);
    ASSERT_TRUE(rig.ctx->engine.stepControl.isPlaying());
    const int before = rig.history().count();
    startTitleCardClock();
    pollTitleCards();
    showTitleCard();
    rig.app().keyDown(vk::Oem3, true, false);
    EXPECT_TRUE(rig.ctx->engine.stepControl.isPlaying());
    EXPECT_EQ(rig.history().count(), before);
    EXPECT_FALSE(titleModeOn());
    EXPECT_FALSE(rig.windows->title().isVisible());
    EXPECT_EQ(rig.windows->title().width(), 1024);
}
