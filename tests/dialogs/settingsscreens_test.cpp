// Screenshots of the settings pages in the dark and the light look (build/ui-screens/).
#include <gtest/gtest.h>

#include "dialogs/accompanimentpages.h"
#include "dialogs/historypage.h"
#include "dialogs/optionspage.h"
#include "dialogs/presetspage.h"
#include "dialogs/transposepage.h"
#include "settingspages_rig.h"

using pages::Rig;

namespace {

struct Look {
    const char* name;
    bool white;
};

class SettingsScreens : public ::testing::TestWithParam<Look> {};

// Runs a page, saves what it shows once it waits, and closes it with Esc.
void shoot(Rig& r, const std::string& what, const std::function<void()>& open,
           const std::function<void()>& before = {}) {
    std::string path;
    r.then([&] {
        if (before) before();
        path = saveScreen(r.top(), "settings-" + what);
        dlg::pressTopKey(Qt::Key_Escape);
    });
    open();
    EXPECT_FALSE(path.empty()) << what;
}

} // namespace

TEST_P(SettingsScreens, EveryPage) {
    Rig r;
    r.options().whiteModel = GetParam().white;
    const std::string look = GetParam().name;
    QvPage& page = r.core().pageAt(false);
    page.addChord(QvChord(0, 0, 0, kAutoBassArg, false, 48), -1);
    page.addChord(QvChord(9, 1, 0, kAutoBassArg, false, 48), -1);
    for (const char* d : {"Edit chord", "Set style: Pop 1", "Adjust tempo: 126 BPM", "Fade out: 8 bars",
                          "Auto cymbal every n-th bar: 4", "Transpose"})
        r.app().recordStep(d, false);

    shoot(
        r, "transpose-" + look, [&] { showTransposePage(r.app(), false); }, [&] { r.clickWidget(7); });
    shoot(r, "accompaniment-" + look, [&] { showAccompanimentPage(r.app()); });
    r.core().fadeOutMode = -4;
    shoot(r, "fadeout-" + look, [&] { showFadeOutPage(r.app()); });
    shoot(r, "precount-" + look, [&] { showPrecountPage(r.app()); });
    r.options().visualTranspose = 10;
    shoot(r, "visualtranspose-" + look, [&] { showVisualTransposePage(r.app()); });
    shoot(r, "options-" + look, [&] { showOptionsPage(r.app()); });
    shoot(r, "hotkeys-" + look, [] { showHotKeysPage(); });
    shoot(r, "history-" + look, [&] { showHistoryPage(r.history()); });
    const Llist<std::string> names = QuoVelanta::presetProgressionMenuNames(nullptr);
    int chosen = -1;
    shoot(r, "presets-" + look, [&] { choosePresetProgression(names, chosen); });
}

INSTANTIATE_TEST_SUITE_P(Looks, SettingsScreens, ::testing::Values(Look{"dark", false}, Look{"light", true}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             return std::string(info.param.name);
                         });
