#pragma once
// The program's driver of every wait (ui/modalloop.h) and its main loop. One pass of a wait ticks
// playback, delivers window events for a few milliseconds (posted events and deferred deletes too)
// and sleeps 2 ms while playing, 20 ms when stopped, delivering window events that arrive meanwhile. A close
// request from the desktop, or a granted quit, ends every running wait; the main loop then asks the quit
// question itself.
//
// The loop is also the program's barrier against failures it does not expect (the program's own code
// throws nothing, but memory, the standard library or Qt may): an exception that leaves a tick, an
// event handler or a step of the main loop ends only that command; the wait or the main loop goes on,
// and the main loop reports the failure in a message box with the session still open. Failures of
// window event handlers are caught by the program's application (below) before they reach Qt's frames.
#include <QApplication>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "ui/modalloop.h"

class QuoVelanta;
class TFmain;

class ProgramLoop : public ModalLoop {
  public:
    ProgramLoop(QuoVelanta& app, Clock& clock);
    ~ProgramLoop() override;
    ProgramLoop(const ProgramLoop&) = delete;
    ProgramLoop& operator=(const ProgramLoop&) = delete;

    // The window events; by default Qt's (bounded to a few ms, then posted events and deferred
    // deletes). Tests script it.
    std::function<void()> pump;
    // Whether the program is the active application (for the minimise request); by default Qt's.
    std::function<bool()> isActive;
    // Minimises the window; by default the main form's showMinimized.
    std::function<void()> minimise;
    // The sleep of a pass that delivers the window events arriving meanwhile (the program sets
    // waitForWindowEvents); empty: a plain sleep on the clock.
    std::function<void(int ms)> eventWait;
    // The delivery of the input waiting when a box opens (the program sets settleWindowInput); empty:
    // nothing.
    std::function<void()> settle;

    // ModalLoop.
    void tick(bool idle) override;
    void pumpEvents() override;
    void sleepMs(int ms) override { clock.sleepMs(ms); }
    void waitForEvents(int ms) override;
    void settleInput() override;
    std::int64_t nowMs() override { return clock.nowMs(); }
    bool isPlaying() const override;
    bool abortWaits() const override;

    // The tick of a Qt-native modal loop (a file dialog's timer): a playback tick, never nested.
    void nativeTick();

    // Runs main-loop passes until the quit flag is set.
    void runMainLoop();
    // One pass of the main loop.
    void mainPass();
    // A recorded close request: the dialog form is closed and the quit question asked.
    void handleCloseRequest();

    int depth() const { return tickDepth; }

    // A failure caught since the last report (its reason in failureReason).
    bool failurePending() const { return failureCaught; }
    const std::string& failureReason() const { return reason; }

    // Called inside a catch block: keeps the first reason until it is reported.
    void recordFailure() noexcept;
    // Memory for an image (a window's, a page's, a menu's) could not be had: the command that wanted it
    // is reported as failed. Not again while that report shows, nor for a while after it (a window
    // that keeps lacking memory would otherwise bring the report back at once).
    void recordOutOfMemory() noexcept;
    static constexpr std::int64_t kMemoryReportPauseMs = 10000;

  private:
    QuoVelanta& app;
    Clock& clock;
    int tickDepth = 0;
    bool failureCaught = false;
    std::string reason;
    bool reporting = false;
    bool memoryReported = false;
    std::int64_t memoryReportedAt = 0;
    ProgramLoop* previousLoop = nullptr;
    std::function<void()> previousMemoryHandler;
    // Stops playback and shows the caught failure (main loop only, with every wait unwound).
    void reportFailure() noexcept;
    bool mayDeliverEvents() const;
};

// The program's Qt application: no exception passes through Qt's own frames. A failure of an event
// handler (a paint, a mouse or key event, a signal's slot) ends that event alone and goes to the
// program loop of the moment (each loop attaches itself while it exists), which reports it.
class ProgramApplication : public QApplication {
  public:
    ProgramApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;

    // The application of this process, if it is the program's.
    static ProgramApplication* instance();
    ProgramLoop* loop = nullptr;
};
