#pragma once
// The program's one wait loop. Every place that waits while keeping control (the main loop, dialog
// pages, popup menus, message boxes, the count-in, fixed short waits) runs passes of this loop instead
// of a nested event loop, so the music keeps playing while a window waits for the user.
//
// The application installs its driver (playback ticks, the event pump, its clock and quit state) with
// setModalLoop; until then a plain driver pumps Qt events on the steady clock and ticks nothing. Tests
// install a scripted driver with a fake clock.
#include <cstdint>
#include <functional>

class ModalLoop {
  public:
    virtual ~ModalLoop() = default;
    // A playback tick: idle = the main object's idle tick (the displayed page follows playback and the
    // play-position panels repaint), otherwise the plain playback tick.
    virtual void tick(bool idle) = 0;
    // Delivers pending window events (bounded to a few milliseconds), then posted events and deferred
    // deletes. Never called from inside a paint event.
    virtual void pumpEvents() = 0;
    virtual void sleepMs(int ms) = 0;
    // The sleep at the end of a pass: up to ms milliseconds, ending as soon as window events have
    // arrived and were delivered. Keys must be handled while the keyboard map they were typed with
    // still holds (a tool that types a character without a key of its own binds it to a spare key
    // only for a few milliseconds), so a pass never leaves them waiting for its whole sleep. By
    // default a plain sleep.
    virtual void waitForEvents(int ms) { sleepMs(ms); }
    // A box (page, message box, popup) has just been shown and takes no keys yet: input that reached
    // the program before (still queued at the window system or in Qt) is delivered now, so that it
    // cannot answer the box. Never called from inside a paint event. By default nothing.
    virtual void settleInput() {}
    virtual std::int64_t nowMs() = 0;
    // The clock is playing: passes sleep 2 ms, otherwise 20 ms.
    virtual bool isPlaying() const = 0;
    // A quit was granted or a close request is pending: every running wait ends with -1 so the request
    // can be handled once the waits have unwound.
    virtual bool abortWaits() const = 0;
};

// The installed driver (never null).
ModalLoop& modalLoop();
// Installs a driver (null: the plain one); returns the previous one.
ModalLoop* setModalLoop(ModalLoop* loop);

// Runs passes until done() is true (returns true) or the waits are aborted (returns false). One pass:
// tick, pump events, test done() and the abort state, wait for events 2 ms playing / 20 ms stopped.
// done() is tested once before the first pass too.
bool runModalLoop(const std::function<bool()>& done, bool idle = true);

// Qt's side of waitForEvents: blocks until window events arrive (or ms milliseconds have passed) and
// delivers those that are there; without an application a plain sleep.
void waitForWindowEvents(int ms);

// Qt's side of settleInput: a round trip to the window system, then the delivery of every event it
// had sent before (without an application nothing).
void settleWindowInput();

// A fixed wait: pumps events once, then until ms milliseconds have passed ticks (idle tick) when
// keepAlive is set, and sleeps 2 ms. Events are not dispatched inside the wait.
void waitMs(int ms, bool keepAlive);
