// The program: the Qt application, the program-wide objects in their order, the main form, the
// start-up sequence and the main loop; at the end everything goes in reverse order and the stores
// are saved.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include <QApplication>
#include <QWindow>

#include "app/mainform.h"
#include "app/programloop.h"
#include "app/quovelanta.h"
#include "app/qvcontext.h"
#include "app/savewaiter.h"
#include "app/startup.h"
#include "app/utilities.h"
#include "app/windowhost.h"
#include "dialogs/infopages.h"
#include "dialogs/messagebox.h"
#include "dialogs/pagewindows.h"
#include "dialogs/programwindows.h"
#include "foundation/strutil.h"
#include "platform/clock.h"
#include "platform/filemidilog.h"

namespace {

// Above-normal priority where the system allows it (it may not, without privileges).
void raisePriority() {
    (void)setpriority(PRIO_PROCESS, 0, -5);
}

// Pumps until the window is on screen (or a short deadline passes, e.g. without a window manager).
void pumpUntilExposed(TFmain& form) {
    SteadyClock clock;
    const std::int64_t start = clock.nowMs();
    while (clock.nowMs() - start < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents();
        if (form.windowHandle() != nullptr && form.windowHandle()->isExposed()) return;
        clock.sleepMs(2);
    }
}

} // namespace

int run(int argc, char** argv) {
    ProgramApplication application(argc, argv);
    // Numbers in files are written with the user's decimal separator (read with either).
    useSystemDecimalSeparator();
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setQuitOnLastWindowClosed(false);
    raisePriority();

    WindowHost host;
    DialogPrompt prompt; // the dialog form's message page
    ProgramLoop* loopRef = nullptr;
    QtFileDialogs fileDialogs([&loopRef] {
        if (loopRef != nullptr) loopRef->nativeTick();
    });
    QvContext::Setup setup;
    setup.host = &host;
    setup.prompt = &prompt;
    setup.fileDialogs = &fileDialogs;
    // The smoke run's seam: MIDI goes to a log file instead of the system's ports and synthesizer.
    if (const char* log = std::getenv("QV_SMOKE_MIDI_LOG"); log != nullptr && *log != '\0') {
        setup.realMidi = false;
        setup.ports = std::make_unique<FileMidiLog>(log);
        setup.synth = std::make_unique<FileMidiLog>(log);
    }
    {
        QvContext context(std::move(setup));
        QuoVelanta& app = context.app;
        host.app = &app;
        ProgramLoop loop(app, context.clock);
        loop.eventWait = waitForWindowEvents;
        loop.settle = settleWindowInput;
        loopRef = &loop;
        ModalLoop* previousLoop = setModalLoop(&loop);
        // Saves run on a worker while playback keeps ticking in the wait loop.
        installSaveWaiter();
        {
            // The forms, the main form first; the dialog form, the popup menu, the Style Programmer,
            // the Shade menu, the mixer, the notes window and the title cards follow it, in that order.
            TFmain mainForm(app);
            mainForm.setClientSize(app.clientWidth(), QuoVelanta::kClientHeight);
            ProgramWindows windows(app, mainForm);
            auto pages = std::make_unique<PageWindows>(context, mainForm);
            mainForm.show();
            pumpUntilExposed(mainForm);
            runStartupSequence(app, mainForm, argc > 1 ? std::string(argv[1]) : std::string());
            windows.syncPopupLook();
            loop.runMainLoop();
            saveStoresAtExit(context, &pages->info().tones);
            pages.reset();
            mainForm.close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            app.hostForm = nullptr;
            app.scContext.scCanvas = nullptr;
        }
        // The stores save when the context goes, after the loop: they write in place from here on.
        removeSaveWaiter();
        setModalLoop(previousLoop);
        loopRef = nullptr;
        host.app = nullptr;
    }
    return 0;
}

int main(int argc, char** argv) {
    // The program's own code throws nothing; anything that escapes from a library is reported.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "QuoVelanta: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "QuoVelanta: an unexpected error ended the program\n");
    }
    return 1;
}
