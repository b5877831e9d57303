#pragma once
// A program context for the settings pages: fake clock, a recording port backend beside the synth, a
// host that logs repaints, a scripted prompt, a real history, and a wait loop that runs one scripted
// step per event pump (a step acts on the page waiting at that moment). Value boxes answer through a
// scripted popup menu.
#include <QApplication>
#include <QListWidget>
#include <deque>
#include <functional>
#include <memory>

#include "dialogs/tfdialog.h"
#include "platform/recordingmidibackend.h"
#include "tests/app/commands_rig.h"
#include "tests/common/qtapp.h"
#include "tests/common/scratchsetup.h"
#include "tests/common/tempdir.h"
#include "tests/dialogs/dialog_rig.h"

namespace pages {

class Rig {
  public:
    play::ScratchFolder dir;
    FakeClock clock{100000};
    std::vector<play::TimedMessage> live;
    play::ScriptedPrompt prompt;
    cmd::LogHost host;
    RecordingMidiBackend* ports = nullptr;
    std::unique_ptr<QvContext> ctx;
    cmd::ScriptedLoop loop{clock};
    std::deque<std::function<void()>> steps;
    int idlePumps = 300;
    // The popup menu of the value boxes: the index it answers (-1 nothing) and what it was offered.
    int popupAnswer = -1;
    Llist<std::string> offered;
    DialogServices savedServices;

    explicit Rig(std::vector<std::string> portNames = {"Port A", "Port B"}) {
        ensureQtApp();
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        auto backend = std::make_unique<RecordingMidiBackend>(std::move(portNames));
        ports = backend.get();
        s.ports = std::move(backend);
        s.synth = std::make_unique<play::TimedBackend>(clock, live);
        ctx = std::make_unique<QvContext>(std::move(s));
        play::startWithTestStyles(*ctx);
        loop.app = &app();
        loop.onPump = [this] {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents();
            if (!steps.empty()) {
                std::function<void()> step = std::move(steps.front());
                steps.pop_front();
                step();
            } else if (--idlePumps <= 0) {
                loop.abort = true; // a script that ran out: never hang the test
            }
        };
        previous = setModalLoop(&loop);
        savedServices = dialogServices();
        dialogServices().options = &options();
        dialogServices().showPopupMenu = [this](const Llist<std::string>& items, int, int, int, TColor, int) {
            offered = items;
            return popupAnswer;
        };
        host.clear();
    }
    ~Rig() {
        dialogServices() = savedServices;
        setModalLoop(previous);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    QuoVelanta& app() { return ctx->app; }
    QvEngine& engine() { return ctx->engine; }
    QvCore& core() { return ctx->engine.core; }
    QvHistory& history() { return ctx->history; }
    Options& options() { return ctx->engine.options; }
    std::string newest() { return history().description(history().position()); }

    void then(std::function<void()> step) { steps.push_back(std::move(step)); }
    TFdialog& top() {
        TFdialog* page = topDialogPage();
        EXPECT_NE(page, nullptr);
        return *page;
    }
    // Clicks the centre of button i (radio, check or push) of the page on top.
    void clickWidget(int i) {
        TFdialog& page = top();
        ASSERT_LT(i, page.controls.buttons.count());
        const TPoint p = dlg::centreOf(page.controls.buttons.at(i).rect);
        dlg::click(&page, p.x, p.y);
    }
    // Chooses item `index` in the value box of `slot` on the page on top.
    void choose(int slot, int index) {
        TFdialog& page = top();
        popupAnswer = index;
        const TPoint p = dlg::centreOf(page.selectorSlots[slot].rect);
        dlg::click(&page, p.x, p.y);
        popupAnswer = -1;
    }
    // The session as its file holds it.
    std::string sessionText() {
        const std::string path = dir.file("compare.qvs");
        EXPECT_TRUE(app().saveFile("QuoVelanta Session", path));
        return readBytes(path);
    }

  private:
    ModalLoop* previous = nullptr;
};

} // namespace pages
