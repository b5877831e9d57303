#include "app/qvcontext.h"

#include "foundation/textfile.h"

Clock& QvContext::pickClock(Setup& setup, std::unique_ptr<SteadyClock>& own) {
    if (setup.clock) return *setup.clock;
    own = std::make_unique<SteadyClock>();
    return *own;
}

std::unique_ptr<MidiOutput> QvContext::makeMidi(Setup& setup) {
    if (setup.realMidi) return std::make_unique<MidiOutput>();
    return std::make_unique<MidiOutput>(std::move(setup.ports), std::move(setup.synth));
}

QvContext::QvContext(Setup setup)
    : clock(pickClock(setup, ownClock)), midi(makeMidi(setup)),
      engine(*midi, clock, QvEngine::Setup{setup.stylesFolder, setup.optionsPath, setup.prompt}),
      recentFiles(setup.recentPath.empty() ? exeRelativePath("recent.cfg") : setup.recentPath, 20),
      app(engine, setup.host ? *setup.host : nullHost, setup.prompt ? *setup.prompt : closedPrompt),
      globalNotes(setup.globalNotesPath), customStyleMixes(setup.customMixesPath), historyClient(app),
      history(engine.core, engine.stepControl, historyClient), selector(&app.selectorKind) {
    app.history = &history;
    app.recentFiles = &recentFiles;
    app.customStyleMixes = &customStyleMixes;
    app.fileDialogs = setup.fileDialogs ? setup.fileDialogs : &cancelledDialogs;
    history.reset("[New session]");
    app.selector = &selector;
    app.customStyleMixes = &customStyleMixes;
    app.globalNotes = &globalNotes; // the Global Notes menu item
}

QvContext::~QvContext() = default;
