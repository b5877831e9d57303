#include "dialogs/settingspages.h"

#include "app/qvcontext.h"
#include "dialogs/accompanimentpages.h"
#include "dialogs/historypage.h"
#include "dialogs/presetspage.h"
#include "dialogs/tfdialog.h"

SettingsWindowHooks& settingsWindowHooks() {
    static SettingsWindowHooks hooks;
    return hooks;
}

void relayoutMainWindow(QuoVelanta& app) {
    if (settingsWindowHooks().relayoutMainWindow)
        settingsWindowHooks().relayoutMainWindow();
    else
        app.host.refreshPanels();
}

void installSettingsPages(QvContext& context) {
    QuoVelanta& app = context.app;
    QvHistory& history = context.history;
    if (dialogServices().options == nullptr) dialogServices().options = &context.engine.options;
    app.hooks.showHistory = [&history] { showHistoryPage(history); };
    app.hooks.showVisualTranspose = [&app] { showVisualTransposePage(app); };
    app.hooks.choosePresetProgression = choosePresetProgression;
}
