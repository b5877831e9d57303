// The control flow of the main window: the main loop's passes, the close request at any depth of
// nested waits, the guard against nested ticks, the minimise request, the start-up sequence, the
// page following playback, the hint and the attention flash on a fake clock, and the form's event
// forwarding.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <new>
#include <stdexcept>

#include "dialogs/messagebox.h"
#include "platform/qt/bitmap24.h"
#include "tests/app/mainwindow_rig.h"
#include "ui/popupmenu.h"
#include "ui/shadedialog.h"

using win::WindowRig;

namespace {

// Makes the session modified, so that the quit asks "Save changes to session?".
void modify(WindowRig& rig) {
    rig.core().tempo(rig.core().tempoValue + 5);
    rig.ctx->history.record("Tempo", false);
    ASSERT_TRUE(rig.ctx->history.modified);
}

void sendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    QMouseEvent e(type, QPointF(at), w.mapToGlobal(QPointF(at)), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), mods);
    QCoreApplication::sendEvent(&w, &e);
}

void sendKey(QWidget& w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, bool autoRepeat = false) {
    QKeyEvent e(type, key, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(&w, &e);
}

} // namespace

TEST(MainLoop, APassTicksTwicePumpsOnceAndSleepsByThePlayingState) {
    WindowRig rig;
    rig.start();
    const std::int64_t slept = rig.clock.slept;
    rig.loop->mainPass();
    EXPECT_EQ(rig.pumps, 1);
    EXPECT_EQ(rig.clock.slept - slept, 20);
    rig.app().togglePlay();
    rig.loop->mainPass();
    EXPECT_EQ(rig.clock.slept - slept, 22);
    rig.app().togglePlay();
}

TEST(MainLoop, EventsArrivingDuringThePassSleepAreDeliveredThere) {
    // A typed character may be readable only for a few milliseconds (while a spare key is bound to
    // it): it must not wait in the queue for the rest of the pass.
    WindowRig rig;
    rig.start();
    rig.loop->eventWait = waitForWindowEvents;
    QObject receiver;
    bool delivered = false;
    rig.app().hooks.titleCardsIdle = [&] { // after the pass pumped, just before it sleeps
        QMetaObject::invokeMethod(
            &receiver, [&] { delivered = true; }, Qt::QueuedConnection);
    };
    rig.loop->mainPass();
    EXPECT_TRUE(delivered);
}

TEST(MainLoop, RunsUntilTheQuitFlagAndThenLetsTheWindowClose) {
    WindowRig rig;
    rig.start();
    int passes = 0;
    rig.onPump = [&] {
        if (++passes == 3) rig.app().quitRequested = true;
    };
    rig.loop->runMainLoop();
    EXPECT_EQ(passes, 3);
    EXPECT_TRUE(rig.app().mainLoopEnded);
    QCloseEvent close;
    QCoreApplication::sendEvent(rig.form.get(), &close);
    EXPECT_TRUE(close.isAccepted());
}

TEST(MainLoop, ACloseRequestIsRefusedAndRecordedUntilTheQuitIsGranted) {
    WindowRig rig;
    rig.start();
    QCloseEvent close;
    QCoreApplication::sendEvent(rig.form.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(rig.app().closeRequestPending);
    EXPECT_TRUE(rig.loop->abortWaits());
    EXPECT_EQ(rig.prompt.asked, 0); // nothing is asked from inside the close event
}

TEST(MainLoop, ACloseInsideNestedWaitsEndsThemAndIsAskedFromTheMainLoop) {
    WindowRig rig;
    rig.start();
    modify(rig);
    rig.prompt.answers = {2, 1}; // Cancel the first time, No (do not save) the second
    int dialogsClosed = 0;
    rig.app().hooks.closeDialog = [&] { ++dialogsClosed; };
    bool pageResult = true, boxResult = true;
    int askedWhenWaitsEnded = -1;
    // One script for every depth: the main loop's pump opens a page; the page's second pump opens a
    // message box; the box's second pump receives the desktop's close request.
    int depth = 0;
    int pumpsAt[3] = {0, 0, 0};
    rig.onPump = [&] {
        const int here = depth;
        ++pumpsAt[here];
        if (here == 0 && pumpsAt[0] == 1) {
            depth = 1;
            pageResult = runModalLoop([] { return false; });
            depth = 0;
            askedWhenWaitsEnded = rig.prompt.asked;
        } else if (here == 1 && pumpsAt[1] == 2) {
            depth = 2;
            boxResult = runModalLoop([] { return false; });
            depth = 1;
        } else if (here == 2 && pumpsAt[2] == 2) {
            QCloseEvent close;
            QCoreApplication::sendEvent(rig.form.get(), &close);
            EXPECT_FALSE(close.isAccepted());
        }
    };
    rig.loop->mainPass();
    EXPECT_FALSE(boxResult);
    EXPECT_FALSE(pageResult);
    EXPECT_EQ(askedWhenWaitsEnded, 0);
    // The main loop closed the dialog form and asked once; Cancel keeps the program and the session.
    EXPECT_EQ(dialogsClosed, 1);
    EXPECT_EQ(rig.prompt.asked, 1);
    EXPECT_EQ(rig.prompt.lastButtons, PromptButtons::YesNoCancel);
    EXPECT_FALSE(rig.app().quitRequested);
    EXPECT_FALSE(rig.app().closeRequestPending);
    EXPECT_TRUE(rig.ctx->history.modified);

    // The second close is answered No: the quit goes through and the main loop ends.
    bool sent = false;
    rig.onPump = [&] {
        if (sent) return;
        sent = true;
        QCloseEvent close;
        QCoreApplication::sendEvent(rig.form.get(), &close);
    };
    rig.loop->runMainLoop();
    EXPECT_EQ(rig.prompt.asked, 2);
    EXPECT_TRUE(rig.app().quitRequested);
    EXPECT_TRUE(rig.app().mainLoopEnded);
}

// A command that fails unexpectedly (a link whose opener throws, then a tick inside a wait, then a
// widget's mouse handler) ends alone: the failure stops at the event that raised it, never passing
// through Qt; the wait and the main loop go on, and the main loop reports each failure, the session
// still open.
TEST(MainLoop, AFailingCommandIsReportedAndTheSessionStaysOpen) {
    WindowRig rig;
    rig.start();
    modify(rig);
    QuoVelanta& a = rig.app();
    a.engine.core.sessionLinks.at(0) = "www.example.org";
    a.hooks.urlOpener = [](const std::string&) -> bool { throw std::out_of_range("basic_string::substr"); };
    int pumps = 0;
    bool waited = false;
    a.hooks.isPopupMenuVisible = [] { return true; };
    a.hooks.trackMenuBarHover = [&] {
        if (pumps == 2 && !waited) throw std::bad_alloc();
    };
    rig.onPump = [&] {
        if (++pumps == 1) a.openSessionLink(0);
        if (pumps == 2) waited = runModalLoop([&] { return pumps >= 5; });
    };
    rig.loop->mainPass();
    ASSERT_EQ(rig.prompt.lastLines.count(), 3);
    EXPECT_EQ(rig.prompt.lastLines.at(1), "basic_string::substr");
    rig.loop->mainPass(); // the wait ran to its end, then the report
    EXPECT_TRUE(waited);
    EXPECT_EQ(rig.prompt.lastLines.at(1), "Not enough memory.");
    rig.loop->mainPass();
    EXPECT_EQ(pumps, 6);
    EXPECT_EQ(rig.prompt.asked, 2);
    struct Failing : QWidget {
        void mousePressEvent(QMouseEvent*) override { throw std::runtime_error("press failed"); }
    } widget;
    int clicks = 0, clicksReturned = 0;
    rig.onPump = [&] {
        if (clicks++ > 0) return;
        QTest::mouseClick(&widget, Qt::LeftButton);
        ++clicksReturned;
    };
    rig.loop->mainPass();
    EXPECT_EQ(clicksReturned, 1);
    EXPECT_EQ(rig.prompt.asked, 3);
    EXPECT_EQ(rig.prompt.lastLines.at(1), "press failed");
    EXPECT_TRUE(rig.ctx->history.modified);
}

TEST(MainLoop, AWindowWithoutMemoryIsSkippedAndReportedAndTheSessionStillSaves) {
    WindowRig rig;
    rig.start();
    modify(rig);
    Llist<std::string> lines(0, 1, true), items(0, 1, true);
    for (int i = 0; i < 12; ++i) items.add("An item of the menu");
    std::vector<int> shown;                  // a page, a Shade box and a popup menu
    Bitmap24::setAllocationLimit(16 * 1024); // larger images fail as if memory had run out
    rig.onPump = [&] {
        rig.onPump = nullptr;
        shown = {messageBoxLine("A page", false, false, ""), showShadeDialog(nullptr, lines, false, false),
                 showPopupMenu(items, -1, 10, 10)};
    };
    rig.loop->mainPass();
    EXPECT_EQ(shown, std::vector<int>({-1, -1, -1}));
    ASSERT_EQ(rig.prompt.asked, 1);
    EXPECT_EQ(rig.prompt.lastLines.at(1), "Not enough memory.");
    Bitmap24::setAllocationLimit(0);
    rig.app().sessionPath = rig.dir.file("kept.qvs");
    EXPECT_TRUE(rig.app().saveSession());
    EXPECT_FALSE(rig.ctx->history.modified);
}

// A context menu that fails leaves no menu marked open: the displayed page follows playback again.
TEST(MainLoop, AFailingContextMenuLeavesNothingBusy) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    a.contextMenu = [](const Llist<std::string>&, int, int, TColor, int) -> int { throw std::bad_alloc(); };
    const TRect r = a.chordRects.at(0);
    rig.onPump = [&] {
        rig.onPump = nullptr;
        sendMouse(*rig.form, QEvent::MouseMove, {r.Left + 5, r.Top + 5}, Qt::NoButton, Qt::NoModifier);
        sendMouse(*rig.form, QEvent::MouseButtonPress, {r.Left + 5, r.Top + 5}, Qt::RightButton,
                  Qt::NoModifier);
    };
    rig.loop->mainPass();
    ASSERT_EQ(rig.prompt.lastLines.count(), 3);
    EXPECT_EQ(rig.prompt.lastLines.at(1), "Not enough memory.");
    EXPECT_FALSE(a.isBusy());
    a.contextMenu = nullptr;
}

TEST(MainLoop, AnUnmodifiedSessionQuitsWithoutAQuestion) {
    WindowRig rig;
    rig.start(win::sampleSession("02 Waltz - Autumn Promenade.qvs"));
    rig.onPump = [&] {
        QCloseEvent close;
        QCoreApplication::sendEvent(rig.form.get(), &close);
    };
    rig.loop->runMainLoop();
    EXPECT_EQ(rig.prompt.asked, 0);
    EXPECT_TRUE(rig.app().mainLoopEnded);
}

TEST(MainLoop, TicksNeverNestAndNothingIsPumpedInsideATick) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    int hovers = 0;
    a.hooks.isPopupMenuVisible = [] { return true; };
    a.hooks.trackMenuBarHover = [&] {
        ++hovers;
        rig.loop->tick(true); // a tick from inside a tick does nothing
        rig.loop->tick(false);
        rig.loop->pumpEvents(); // nor is anything pumped
        EXPECT_EQ(rig.loop->depth(), 1);
    };
    rig.loop->tick(true);
    EXPECT_EQ(hovers, 1);
    EXPECT_EQ(rig.pumps, 0);
    EXPECT_EQ(rig.loop->depth(), 0);
    // The file dialogs' timer tick is a plain playback tick behind the same guard.
    rig.loop->nativeTick();
    EXPECT_EQ(rig.loop->depth(), 0);
}

TEST(MainLoop, APlaybackTickNeverRunsInsideAnother) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    QvCore& core = rig.core();
    // One bar, no repeat: playback ends by itself, and the end repaints from inside the tick.
    core.pageSlots.clear();
    core.pageSlots.add(0);
    QvPage& page = core.pages.at(0);
    while (page.chordCount() > 0) page.chords.remove(0);
    page.addChord(QvChord(0), -1);
    core.loopMode = 2;
    int nestedReads = -1;
    a.hooks.isPopupMenuVisible = [] { return false; };
    a.togglePlay();
    ASSERT_TRUE(rig.ctx->engine.stepControl.isPlaying());
    // Watch the first repaint the end of playback makes from inside the tick.
    for (int i = 0; i < 5000 && rig.ctx->engine.stepControl.isPlaying(); ++i) {
        rig.clock.advance(2);
        a.playbackTick();
        if (!rig.ctx->engine.stepControl.isPlaying()) {
            EXPECT_FALSE(a.playbackTickRunning);
            const int reads = rig.clock.reads;
            a.playbackTickRunning = true; // as inside a tick
            a.playbackTick();
            nestedReads = rig.clock.reads - reads;
            a.playbackTickRunning = false;
        }
    }
    EXPECT_FALSE(rig.ctx->engine.stepControl.isPlaying())
        << rig.ctx->engine.stepControl.absoluteStep() << " of " << core.songLength() << " slots "
        << core.pageSlots.count() << " mode " << core.loopMode << " end "
        << rig.ctx->engine.stepControl.endStep;
    EXPECT_EQ(nestedReads, 0);
    EXPECT_FALSE(a.playButtonOn);
}

TEST(MainLoop, TheMinimiseRequestRepeatsWhileActiveAndIsDroppedWhenNot) {
    WindowRig rig;
    rig.start();
    int minimised = 0;
    rig.loop->minimise = [&] { ++minimised; };
    bool active = false;
    rig.loop->isActive = [&] { return active; };
    rig.app().minimiseRequested = true;
    rig.loop->mainPass();
    EXPECT_EQ(minimised, 0); // an inactive program drops the request
    EXPECT_FALSE(rig.app().minimiseRequested);
    active = true;
    rig.app().minimiseRequested = true;
    rig.loop->mainPass();
    rig.loop->mainPass();
    EXPECT_EQ(minimised, 2); // asked again while the program stays active
    EXPECT_TRUE(rig.app().minimiseRequested);
    active = false;
    rig.loop->mainPass();
    EXPECT_EQ(minimised, 2);
    EXPECT_FALSE(rig.app().minimiseRequested);
}

TEST(StartUp, TheSoundTestRepeatsWhileAskedAndRunsOnlyOnTheFirstRun) {
    WindowRig rig([](Options& o) { o.soundCheckDone = false; });
    int tests = 0, titleStarts = 0;
    rig.app().hooks.soundTest = [&] { return ++tests < 3; };
    rig.app().hooks.titleCardsStart = [&] { ++titleStarts; };
    rig.start();
    EXPECT_EQ(tests, 3);
    EXPECT_TRUE(rig.options().soundCheckDone);
    EXPECT_EQ(titleStarts, 1);
    EXPECT_TRUE(rig.app().sessionPath.empty()); // no argument: no file opened

    WindowRig again;
    int shown = 0;
    again.app().hooks.soundTest = [&] { return ++shown > 100; };
    again.start();
    EXPECT_EQ(shown, 0);
}

TEST(StartUp, TheFirstArgumentIsOpenedUnchanged) {
    WindowRig rig;
    const std::string path = win::sampleSession("03 Arrangement Demo.qvs");
    rig.start(path);
    EXPECT_EQ(rig.app().sessionPath, path);
    WindowRig missing;
    missing.start(missing.dir.file("no such session.qvs"));
    EXPECT_TRUE(missing.app().sessionPath.empty());
    EXPECT_GE(missing.prompt.asked, 1); // the failure is reported
}

TEST(PageFollow, TheEditedPageFollowsPlaybackAndPageBoundIndicesAreReset) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    QvCore& core = rig.core();
    ASSERT_GT(core.pageSlots.count(), 2);
    core.playingPosition = 2;
    core.editedPosition = 0;
    // Busy (the chord editor is open): the page stays.
    a.selectorKind = 4;
    a.idleTick();
    EXPECT_EQ(core.editedPosition, 0);
    a.selectorKind = 0;
    a.selectedPoint = 1;
    a.selectedPointX = 300;
    a.editedChord = 2;
    a.menuSlot = 0;
    a.hoveredChord = 3;
    a.chordDropIndex = 2;
    core.pageAt(true).setSelected(0, true);
    a.idleTick();
    EXPECT_EQ(core.editedPosition, 2);
    EXPECT_EQ(a.selectedPoint, -1);
    EXPECT_EQ(a.selectedPointX, -1);
    EXPECT_EQ(a.editedChord, -1);
    EXPECT_EQ(a.menuSlot, -1);
    EXPECT_EQ(a.hoveredChord, -1);
    EXPECT_EQ(a.chordDropIndex, -1);
    EXPECT_EQ(core.pageAt(false).selectedCount(), 0);
    EXPECT_EQ(a.chordRects.count(), core.pageAt(false).chordCount());
}

TEST(PageFollow, WhilePlayingThroughTheSongTheDisplayedPageFollows) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    QvCore& core = rig.core();
    a.togglePlay();
    int seen = 0;
    for (int i = 0; i < 20000 && seen < 2; ++i) {
        rig.clock.advance(2);
        a.idleTick();
        EXPECT_EQ(core.editedPosition, core.playingPosition);
        if (core.playingPosition > seen) seen = core.playingPosition;
    }
    EXPECT_GE(seen, 2);
    a.togglePlay();
}

TEST(Hint, BlinksForThreeSecondsThenEnds) {
    WindowRig rig([](Options& o) {
        o.visualTransposeHintShown = false;
        o.mainHintShown = false;
    });
    rig.start();
    QuoVelanta& a = rig.app();
    EXPECT_EQ(a.hintText(), "Transposing instrument players: see Options / Visual Transpose");
    a.animateHint(false); // not armed yet
    EXPECT_EQ(a.hintRect, (TRect{0, 0, 0, 0}));
    a.animateHint(true);
    ASSERT_TRUE(a.hintArmed);
    const int cx = (a.displayRect.Left + a.displayRect.Right) / 2;
    const int cy = (a.displayRect.Top + a.displayRect.Bottom) / 2 + 38;
    EXPECT_EQ(a.hintRect, (TRect{cx - 270, cy - 15, cx + 270, cy + 15}));
    int yellow = 0;
    for (int x = a.hintRect.Left; x <= a.hintRect.Right; ++x) {
        const TColor p = rig.pixel(x, cy);
        if (colourRed(p) > 150 && colourGreen(p) > 150 && colourBlue(p) < 80) ++yellow;
    }
    EXPECT_GT(yellow, 0);
    // Playback freezes it; it ends three seconds after its first frame.
    a.togglePlay();
    rig.clock.advance(3100);
    a.animateHint(true);
    EXPECT_FALSE(a.hintFinished);
    a.togglePlay();
    a.animateHint(true);
    EXPECT_TRUE(a.hintFinished);
    EXPECT_TRUE(rig.options().visualTransposeHintShown);
    // The page under it is painted again: no yellow text is left.
    int left = 0;
    for (int x = a.hintRect.Left; x <= a.hintRect.Right; ++x) {
        const TColor p = rig.pixel(x, cy);
        if (colourRed(p) > 150 && colourGreen(p) > 150 && colourBlue(p) < 80) ++left;
    }
    EXPECT_EQ(left, 0);
}

TEST(Hint, ShowsTheTuningOnceTheTransposeHintWasSeen) {
    WindowRig rig([](Options& o) {
        o.masterTune_cents = 10;
        o.visualTranspose = 2;
    });
    rig.start();
    const std::string text = rig.app().hintText();
    EXPECT_EQ(text.rfind("Master Tune: ", 0), 0u);
    EXPECT_NE(text.find("   |   Visual Transpose: "), std::string::npos);
    EXPECT_NE(text.find("Instrument"), std::string::npos);
    rig.options().masterTune_cents = 0;
    rig.options().visualTranspose = 0;
    EXPECT_EQ(rig.app().hintText(), "");
}

TEST(Hint, NeitherHintNorFlashWithoutAReason) {
    WindowRig rig([](Options& o) { o.mainHintShown = false; });
    rig.start();
    QuoVelanta& a = rig.app();
    a.animateHint(true);
    EXPECT_EQ(a.hintRect, (TRect{0, 0, 0, 0}));
    const int pumps = rig.pumps;
    a.idleFlash(); // the flash waits for a finished hint
    EXPECT_EQ(rig.pumps, pumps);
    EXPECT_FALSE(a.attentionFlash);
}

TEST(Hint, TheFlashBlinksTheArrowsOnceASecondUntilTheFirstKey) {
    WindowRig rig([](Options& o) { o.mainHintShown = false; });
    rig.start();
    QuoVelanta& a = rig.app();
    a.hintFinished = true;
    bool flashSeenInPump = false;
    rig.onPump = [&] { flashSeenInPump = flashSeenInPump || a.attentionFlash; };
    const std::int64_t t0 = rig.clock.nowMs();
    bool flashSeenInTick = false;
    a.hooks.isPopupMenuVisible = [&] {
        flashSeenInTick = flashSeenInTick || a.attentionFlash;
        return false;
    };
    a.idleFlash();
    const std::int64_t took = rig.clock.nowMs() - t0;
    EXPECT_TRUE(flashSeenInTick); // the 120 ms of the flash keep playback ticking
    EXPECT_GE(took, 1000);
    EXPECT_LT(took, 1100);
    EXPECT_FALSE(a.attentionFlash);

    // A key during the first half-second ends the cycle without flashing.
    flashSeenInTick = false;
    flashSeenInPump = false;
    int pumps = 0;
    rig.onPump = [&] {
        if (++pumps == 3) a.clearHint();
    };
    const std::int64_t t1 = rig.clock.nowMs();
    a.idleFlash();
    EXPECT_FALSE(flashSeenInTick);
    EXPECT_LT(rig.clock.nowMs() - t1, 500);
    EXPECT_TRUE(rig.options().mainHintShown);
    // Once the user has pressed a key the flash is gone for good.
    const int before = rig.pumps;
    a.idleFlash();
    EXPECT_EQ(rig.pumps, before);
}

TEST(FormInput, MouseAndKeysReachTheMainObjectAsMapped) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    struct Down {
        int x, y, button, modifier;
        bool synthetic;
    };
    std::vector<Down> downs;
    std::vector<int> keys;
    int programmer = 0, cards = 0, moves = 0, ups = 0, keyUps = 0;
    bool dialog = false;
    a.hooks.mouseDown = [&](int x, int y, int b, int m, bool s) { downs.push_back({x, y, b, m, s}); };
    a.hooks.mouseMove = [&](int, int, bool, int) { ++moves; };
    a.hooks.mouseUp = [&](int, int, int, int) { ++ups; };
    // The key table runs in the main object; M opens the mixer, which is seen through its hook.
    a.hooks.showMixer = [&] { keys.push_back('M'); };
    a.hooks.keyUp = [&](int, bool, bool) { ++keyUps; };
    a.hooks.showStyleProgrammer = [&] { ++programmer; };
    a.hooks.titleCardsShowOne = [&] { ++cards; };
    a.hooks.isDialogVisible = [&] { return dialog; };
    TFmain& f = *rig.form;

    sendMouse(f, QEvent::MouseButtonPress, {100, 200}, Qt::LeftButton,
              Qt::ControlModifier | Qt::ShiftModifier);
    sendMouse(f, QEvent::MouseButtonPress, {101, 201}, Qt::RightButton, Qt::ControlModifier);
    sendMouse(f, QEvent::MouseButtonPress, {102, 202}, Qt::MiddleButton, Qt::NoModifier);
    sendMouse(f, QEvent::MouseButtonDblClick, {103, 203}, Qt::LeftButton, Qt::NoModifier);
    ASSERT_EQ(downs.size(), 4u);
    EXPECT_EQ(downs[0].button, 1);
    EXPECT_EQ(downs[0].modifier, 2); // Shift wins over Ctrl
    EXPECT_EQ(downs[1].button, 2);
    EXPECT_EQ(downs[1].modifier, 1);
    EXPECT_EQ(downs[2].button, 0);
    EXPECT_EQ(downs[3].x, 103); // a double click arrives as a press
    EXPECT_FALSE(downs[3].synthetic);
    EXPECT_TRUE(f.hasMouseTracking());

    sendKey(f, QEvent::KeyPress, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    sendKey(f, QEvent::KeyPress, Qt::Key_QuoteLeft, Qt::ControlModifier);
    sendKey(f, QEvent::KeyPress, Qt::Key_M, Qt::NoModifier);
    sendKey(f, QEvent::KeyRelease, Qt::Key_M, Qt::NoModifier, true); // a repeat's release is not forwarded
    sendKey(f, QEvent::KeyRelease, Qt::Key_M, Qt::NoModifier);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(programmer, 1);
    EXPECT_EQ(cards, 1);
    EXPECT_EQ(keyUps, 1);

    // While a dialog page is visible nothing reaches the main object, Ctrl+Shift+Insert included.
    dialog = true;
    sendKey(f, QEvent::KeyPress, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    sendMouse(f, QEvent::MouseButtonPress, {100, 200}, Qt::LeftButton, Qt::NoModifier);
    sendMouse(f, QEvent::MouseMove, {110, 210}, Qt::NoButton, Qt::NoModifier);
    sendMouse(f, QEvent::MouseButtonRelease, {110, 210}, Qt::LeftButton, Qt::NoModifier);
    sendKey(f, QEvent::KeyPress, Qt::Key_M, Qt::NoModifier);
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_EQ(downs.size(), 4u);
    EXPECT_EQ(programmer, 1);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(ups, 0);
}

TEST(FormInput, WithoutInputHooksTheWindowFrameStillWorks) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    TFmain& f = *rig.form;
    // The play button plays and stops.
    const QPoint play((a.playButtonRect.Left + a.playButtonRect.Right) / 2,
                      (a.playButtonRect.Top + a.playButtonRect.Bottom) / 2);
    sendMouse(f, QEvent::MouseButtonPress, play, Qt::LeftButton, Qt::NoModifier);
    EXPECT_TRUE(rig.ctx->engine.stepControl.isPlaying());
    EXPECT_EQ(a.playButtonState, -1);
    sendKey(f, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    EXPECT_FALSE(rig.ctx->engine.stepControl.isPlaying());
    // The minimise box asks the main loop to minimise.
    sendMouse(f, QEvent::MouseButtonPress, {a.minimiseRect.Left + 2, a.minimiseRect.Top + 2}, Qt::LeftButton,
              Qt::NoModifier);
    EXPECT_TRUE(a.minimiseRequested);
    // The close box asks to quit: a modified session asks first, and Cancel keeps it.
    modify(rig);
    rig.prompt.answers = {2};
    sendMouse(f, QEvent::MouseButtonPress, {a.closeRect.Left + 2, a.closeRect.Top + 2}, Qt::LeftButton,
              Qt::NoModifier);
    EXPECT_EQ(rig.prompt.asked, 1);
    EXPECT_FALSE(a.quitRequested);
    // Esc: No saves nothing and quits.
    rig.prompt.answers = {2, 1};
    sendKey(f, QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(a.quitRequested);
}
