#pragma once
// A program context for the information pages: the dialog tests' scripted wait loop, whose fake clock
// is also the program's clock and stamps every MIDI message the pages send.
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "dialog_rig.h"
#include "dialogs/infopages.h"
#include "tests/app/play_harness.h"
#include "tests/common/scratchsetup.h"

namespace info {

class TuneHost : public QvHost {
  public:
    int masterTuneRepaints = 0;
    void repaintMasterTuneBox() override { ++masterTuneRepaints; }
};

class Rig {
  public:
    dlg::LoopScope scope;
    play::ScratchFolder dir;
    std::vector<play::TimedMessage> live;
    play::ScriptedPrompt prompt;
    TuneHost host;
    std::unique_ptr<QvContext> ctx;
    std::unique_ptr<InfoPages> pages;
    std::vector<std::string> opened; // addresses the pages asked the desktop to open

    // styles: written to the Styles folder before the library loads (none: two test styles are added).
    explicit Rig(std::vector<StyleFile> styles = {}, const std::string& tonesFile = std::string()) {
        scope.loop.clock.advance(50000);
        scope.loop.idlePumpsLeft = 1000000; // the tests close their pages themselves
        const std::string folder = dir.file("Styles");
        std::filesystem::create_directories(folder);
        for (StyleFile& s : styles) s.save(folder + "/" + std::to_string(s.id) + ".qms");
        QvContext::Setup s = scratchSetup(dir, &scope.loop.clock, &host, &prompt);
        s.synth = std::make_unique<play::TimedBackend>(scope.loop.clock, live);
        s.stylesFolder = folder;
        ctx = std::make_unique<QvContext>(std::move(s));
        if (styles.empty()) {
            ctx->engine.styles.add(play::style44(1));
            ctx->engine.styles.add(play::style34(2));
        }
        app().selectStyle(styles.empty() ? 1 : styles.front().id, true, false, false);
        app().hooks.urlOpener = [this](const std::string& url) {
            opened.push_back(url);
            return true;
        };
        pages = std::make_unique<InfoPages>(app(), tonesFile.empty() ? dir.file("refTones.cfg") : tonesFile);
        live.clear();
    }
    ~Rig() {
        pages.reset();
        closeDialogPages();
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    QuoVelanta& app() { return ctx->app; }
    Options& options() { return ctx->engine.options; }
    std::int64_t now() { return scope.loop.clock.nowMs(); }

    // Runs action on the first pump at or after time t (ms of the fake clock).
    void at(std::int64_t t, std::function<void()> action) { scope.then(waitStep(t, std::move(action))); }

    // The messages on one channel (status low nibble), from index `from` of the log.
    std::vector<play::TimedMessage> onChannel(int channel, std::size_t from = 0) const {
        std::vector<play::TimedMessage> r;
        for (std::size_t i = from; i < live.size(); ++i)
            if ((live[i].status & 0x0F) == channel) r.push_back(live[i]);
        return r;
    }

  private:
    std::function<void()> waitStep(std::int64_t t, std::function<void()> action) {
        return [this, t, action] {
            if (scope.loop.clock.nowMs() < t) {
                scope.next(waitStep(t, action));
                return;
            }
            action();
        };
    }
};

} // namespace info
