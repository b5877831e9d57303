#include "app/startup.h"

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "ui/modalloop.h"

void runStartupSequence(QuoVelanta& app, TFmain& form, const std::string& firstArgument) {
    app.scContext.uiReady = true;
    app.loadGlyphImages();
    app.paintWindow(&form);
    app.openMidiOutput();
    Options& options = app.engine.options;
    if (!options.soundCheckDone && app.hooks.soundTest) {
        waitMs(200, false);
        while (app.hooks.soundTest() && !modalLoop().abortWaits()) waitMs(100, true);
        options.soundCheckDone = true;
    }
    app.newSession(false);
    if (!firstArgument.empty()) app.openSession(firstArgument);
    if (app.hooks.titleCardsStart) app.hooks.titleCardsStart();
}
