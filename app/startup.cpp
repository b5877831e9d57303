#include "app/startup.h"

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "app/qvcontext.h"
#include "engine/referencetones.h"
#include "foundation/storefile.h"
#include "ui/modalloop.h"

namespace {

// The stores' notices under a first line, in one message box.
void tellStoreNotices(Prompt& prompt, const std::string& first) {
    Llist<std::string> notices = takeStoreNotices();
    if (notices.empty()) return;
    Llist<std::string> lines(0, 1, true);
    lines.add(first);
    lines.appendAll(notices);
    prompt.messageBox(lines, PromptButtons::Ok, "");
}

template <typename Store> void saveAtExit(Store& store, const std::string& path) {
    store.saveOnDestroy = false;
    if (!store.save() && store.loadResult() != TaggedLoad::Failed) noteStoreNotWritten(path);
}

} // namespace

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
    tellStoreNotices(app.prompt, "Some settings files could not be read:");
    if (!firstArgument.empty()) app.openSession(firstArgument);
    if (app.hooks.titleCardsStart) app.hooks.titleCardsStart();
}

void saveStoresAtExit(QvContext& context, ReferenceTones* tones) {
    saveAtExit(context.customStyleMixes, context.customStyleMixes.filePath());
    saveAtExit(context.globalNotes, context.globalNotes.filePath());
    saveAtExit(context.recentFiles, context.recentFiles.path);
    saveAtExit(context.engine.options, context.engine.options.filePath());
    if (tones) saveAtExit(*tones, tones->path());
    // The main loop has ended: the message box must not take the granted quit for its own end.
    QuoVelanta& app = context.app;
    const bool quit = app.quitRequested, close = app.closeRequestPending;
    app.quitRequested = app.closeRequestPending = false;
    tellStoreNotices(app.prompt, "Some settings could not be saved:");
    app.quitRequested = quit;
    app.closeRequestPending = close;
}
