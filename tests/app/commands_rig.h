#pragma once
// A program context for the main window's commands: a fake clock shared by playback and the wait
// loop, a scripted wait loop that ticks playback and runs a scripted step on each event pump, a host
// that logs every repaint and a scripted prompt. Keys and commands are driven through the main
// object's entry points.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/qvcontext.h"
#include "play_harness.h"
#include "tests/common/scratchsetup.h"
#include "ui/modalloop.h"

namespace cmd {

// Logs what the commands ask of the window, one name per call.
class LogHost : public QvHost {
  public:
    std::vector<std::string> log;
    std::vector<int> playButtonStates; // paintPlayButtonState, in order
    std::vector<int> markerFlashes;    // paintPositionMarker, in order
    std::vector<int> linkStates;       // paintSessionLinks, in order
    std::vector<const void*> redrawn;  // redrawBoundTo, in order
    std::function<void(int)> onMarker; // runs inside paintPositionMarker

    int count(const std::string& name) const {
        int n = 0;
        for (const std::string& s : log) n += s == name;
        return n;
    }
    void clear() {
        log.clear();
        playButtonStates.clear();
        markerFlashes.clear();
        linkStates.clear();
        redrawn.clear();
    }

    bool isShowing() override { return true; }
    void repaintRuler(bool) override { log.push_back("ruler"); }
    void repaintVisualizer() override { log.push_back("visualizer"); }
    void repaintPositionCounter() override { log.push_back("counter"); }
    void repaintPlayButton() override { log.push_back("playButton"); }
    void repaintPageArea(bool) override { log.push_back("page"); }
    void repaintPageSlots() override { log.push_back("slots"); }
    void refreshPanels() override { log.push_back("panels"); }
    void repaintRepeatBox() override { log.push_back("repeatBox"); }
    void refreshMixer() override { log.push_back("mixer"); }
    void reloadNotes() override { log.push_back("notes"); }
    void selectorClosed(bool) override { log.push_back("closeSelector"); }
    void resetInputState() override { log.push_back("resetInput"); }
    void clearPendingDrag() override { log.push_back("clearDrag"); }
    void paintPlayButtonState(int state) override { playButtonStates.push_back(state); }
    void paintPositionMarker(int flash) override {
        markerFlashes.push_back(flash);
        if (onMarker) onMarker(flash);
    }
    void repaintTempoBox() override { log.push_back("tempoBox"); }
    void repaintKeyBox() override { log.push_back("keyBox"); }
    void repaintPrecountBox() override { log.push_back("precountBox"); }
    void repaintArrangementStrip() override { log.push_back("strip"); }
    void repaintBarsPanel() override { log.push_back("bars"); }
    void redrawBoundTo(const void* v) override { redrawn.push_back(v); }
    void paintSessionLinks(int lit) override { linkStates.push_back(lit); }
};

// The wait loop over the rig's fake clock. Each tick runs the main object's playback tick; each pump
// runs `onPump` (the events that arrive while a command waits).
class ScriptedLoop : public ModalLoop {
  public:
    FakeClock& clock;
    QuoVelanta* app = nullptr;
    std::function<void()> onPump;
    int pumps = 0, ticks = 0, sleeps = 0;
    bool abort = false;

    explicit ScriptedLoop(FakeClock& c) : clock(c) {}
    void tick(bool) override {
        ++ticks;
        if (app) app->playbackTick();
    }
    void pumpEvents() override {
        ++pumps;
        if (onPump) {
            std::function<void()> step = onPump; // a step may replace itself
            step();
        }
    }
    void sleepMs(int ms) override {
        ++sleeps;
        clock.sleepMs(ms);
    }
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override { return app && app->engine.stepControl.isPlaying(); }
    bool abortWaits() const override { return abort; }
};

class Rig {
  public:
    play::ScratchFolder dir;
    FakeClock clock{100000};
    std::vector<play::TimedMessage> live;
    play::ScriptedPrompt prompt;
    LogHost host;
    std::unique_ptr<QvContext> ctx;
    ScriptedLoop loop{clock};

    Rig() {
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        s.synth = std::make_unique<play::TimedBackend>(clock, live);
        ctx = std::make_unique<QvContext>(std::move(s));
        play::startWithTestStyles(*ctx);
        loop.app = &app();
        previous = setModalLoop(&loop);
        host.clear();
    }
    ~Rig() { setModalLoop(previous); }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    QuoVelanta& app() { return ctx->app; }
    QvEngine& engine() { return ctx->engine; }
    QvCore& core() { return ctx->engine.core; }
    QvHistory& history() { return ctx->history; }
    QvPage& page() { return core().pageAt(false); }
    bool playing() { return engine().stepControl.isPlaying(); }
    Options& options() { return engine().options; }

    void key(int vk, bool ctrl = false) { app().keyDown(vk, ctrl, false); }
    void use(int style) { app().selectStyle(style, true, false, false); }

    // Chords of `len` units each on the edited page (keys 0, 2, 4 ...).
    void chords(int n, int len = 48) {
        QvPage& p = page();
        while (p.chordCount() > 0) p.chords.remove(0);
        for (int i = 0; i < n; ++i) p.addChord(QvChord(2 * i % 12, 0, 0, kAutoBassArg, false, len), -1);
    }
    std::string newest() { return history().description(history().position()); }

    // Messages on the drum channel (index 9) logged from `from` on.
    std::vector<play::TimedMessage> drumMessages(std::size_t from = 0) {
        std::vector<play::TimedMessage> out;
        for (std::size_t i = from; i < live.size(); ++i)
            if ((live[i].status & 0x0F) == 9) out.push_back(live[i]);
        return out;
    }

  private:
    ModalLoop* previous = nullptr;
};

} // namespace cmd
