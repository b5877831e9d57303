// The information pages: reference tone pitches, the tone cycle and its keys, the A440 fader and
// the tuning lists; the sound test's message sequence and timing, also when closed early; the loop
// help animation as a function of time; the About page's library counts and link; the style chosen
// again through the Style Programmer's edit buffer when a page that played on part 1 closes.
#include <QTest>
#include <gtest/gtest.h>

#include "dialogs/infoart.h"
#include "dialogs/messagebox.h"
#include "engine/options.h"
#include "foundation/textfile.h"
#include "infopages_rig.h"

using namespace dlg;
using play::TimedMessage;

namespace {

struct Msg {
    std::int64_t t;
    int status, d1, d2;
    bool operator==(const Msg&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Msg& m) {
    return os << "{" << m.t << " " << m.status << " " << m.d1 << " " << m.d2 << "}";
}

// Messages as {time from t0, status, data}.
std::vector<Msg> relative(const std::vector<TimedMessage>& list, std::int64_t t0) {
    std::vector<Msg> r;
    for (const TimedMessage& m : list) r.push_back({m.ms - t0, m.status, m.data1, m.data2});
    return r;
}

// The note-ons with a velocity (struck notes) and their times.
std::vector<Msg> struck(const std::vector<TimedMessage>& list) {
    std::vector<Msg> r;
    for (const TimedMessage& m : list)
        if ((m.status & 0xF0) == 0x90 && m.data2 > 0) r.push_back({m.ms, m.status, m.data1, m.data2});
    return r;
}

TPoint centre(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

} // namespace

// ---- What the pages compute ---------------------------------------------------------------------------

TEST(InfoPagesMath, ReferenceTonePitchesOfEveryRow) {
    const int strings[6] = {64, 59, 55, 50, 45, 40};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(referenceTonePitch(row, 12, false), strings[row]);
        EXPECT_EQ(referenceTonePitch(row, 12, true), strings[row] + 12);
    }
    EXPECT_EQ(referenceTonePitch(5, 0, true), 52);   // E2 an octave up
    EXPECT_EQ(referenceTonePitch(6, 0, false), 36);  // C2
    EXPECT_EQ(referenceTonePitch(6, 12, false), 48); // C3
    EXPECT_EQ(referenceTonePitch(6, 35, true), 83);  // B4 an octave up
    EXPECT_EQ(referenceTonePitch(7, 12, true), -1);  // Silence
    // Out of range values are brought into range before they pick a pitch.
    EXPECT_EQ(referenceTonePitch(-3, 12, false), 64);
    EXPECT_EQ(referenceTonePitch(99, 12, false), -1);
    EXPECT_EQ(referenceTonePitch(6, 500, false), 71);
    EXPECT_EQ(referenceTonePitch(6, -40, false), 36);
}

TEST(InfoPagesMath, TheA440FaderTruncatesTowardZeroAndStopsAtItsEnds) {
    EXPECT_EQ(a440FaderCents(0.0), -50);
    EXPECT_EQ(a440FaderCents(1.0), 50);
    EXPECT_EQ(a440FaderCents(0.5), 0);
    EXPECT_EQ(a440FaderCents(0.7), 20); // (0.7 - 0.5) x 100 is 19.999... in binary
    EXPECT_EQ(a440FaderCents(0.3), -20);
    EXPECT_EQ(a440FaderCents(0.514), 1);
    EXPECT_EQ(a440FaderCents(0.516), 1);
    EXPECT_EQ(a440FaderCents(0.4703), -2);
    EXPECT_EQ(a440FaderCents(-1.0), -50);
    EXPECT_EQ(a440FaderCents(3.0), 50);
    EXPECT_EQ(a440FaderCents(std::nan("")), 0);
    for (int cents = -50; cents <= 50; ++cents) EXPECT_EQ(a440FaderCents(a440FaderValue(cents)), cents);
    EXPECT_DOUBLE_EQ(a440FaderValue(-80), 0.0);
}

TEST(InfoPagesMath, TheTuningListsParseToTheirValues) {
    TempDir dir;
    Options o(Llist<std::string>(), dir.file("options.cfg"));
    ASSERT_EQ(o.masterTuneCentsNames.count(), 11);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(tuneItemValue(o.masterTuneCentsNames.at(i)), 50 - 10 * i) << i;
    ASSERT_EQ(o.masterTuneSemitoneNames.count(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(tuneItemValue(o.masterTuneSemitoneNames.at(i)), 3 - i) << i;
    EXPECT_EQ(tuneItemValue(""), 0);
    EXPECT_EQ(tuneItemValue("-"), 0);
}

TEST(InfoPagesMath, SoundTestSequence) {
    const std::vector<TimedMidiMessage> expected = {
        {0, 0xC3, 0, 0},      {0, 0xB3, 7, 80},     {0, 0xB3, 10, 64},    {0, 0x93, 36, 100},
        {130, 0x93, 48, 100}, {260, 0x93, 55, 100}, {390, 0x93, 60, 100}, {520, 0x93, 62, 100},
        {650, 0x93, 64, 100}, {780, 0x93, 67, 100}, {1950, 0xB3, 123, 0}};
    EXPECT_EQ(soundTestSequence(3), expected);
}

TEST(InfoPagesMath, LoopHelpPhasesAsAFunctionOfTime) {
    EXPECT_DOUBLE_EQ(loopHelpPhase(0), 1.0);
    EXPECT_NEAR(loopHelpPhase(1000), 2.4, 1e-9);
    EXPECT_NEAR(loopHelpPhase(5000), 8.0, 1e-9);
    EXPECT_GT(loopHelpPhase(7142), 10.99);          // the black pause at the end of a cycle
    EXPECT_NEAR(loopHelpPhase(7143), 1.0002, 1e-6); // and the next cycle
    EXPECT_DOUBLE_EQ(loopHelpPhase(-5), 1.0);

    struct Case {
        double phase;
        bool blank;
        int frame, cx, cy;
        bool drag;
    };
    const Case cases[] = {
        {1.0, false, 1, 49, 288, false},  {1.5, false, 1, 49, 188, false},  {2.0, false, 2, 49, 88, false},
        {3.0, false, 3, 49, 88, true},    {3.5, false, 3, 49, 88, true},    {5.0, false, 5, 160, 88, true},
        {6.5, false, 6, 271, 88, true},   {7.0, false, 7, 271, 88, true},   {7.5, false, 7, 271, 88, false},
        {8.5, false, 8, 271, 188, false}, {9.9, false, 8, 271, 468, false}, {10.0, false, 8, 271, 488, false},
        {10.2, true, 1, 49, 88, false},
    };
    for (const Case& c : cases) {
        const LoopHelpPose p = loopHelpPose(c.phase);
        EXPECT_EQ(p.blank, c.blank) << c.phase;
        if (c.blank) continue;
        EXPECT_EQ(p.frame, c.frame) << c.phase;
        EXPECT_EQ(p.cursorX, c.cx) << c.phase;
        EXPECT_EQ(p.cursorY, c.cy) << c.phase;
        EXPECT_EQ(p.showDrag, c.drag) << c.phase;
    }
}

TEST(InfoPagesMath, AboutTexts) {
    EXPECT_EQ(aboutLibraryLine(2, 9, 3), "Library: 2 music styles (9 notes in 3 tracks)");
    EXPECT_EQ(aboutHostName(), "www.quovelanta.example");
    EXPECT_EQ(aboutLinkAddress(), "http://www.quovelanta.example/index.html");
}

TEST(InfoPagesMath, LoopFramesShowTheLoopGrowingUnderThePointer) {
    using infoart::loopFrameState;
    EXPECT_LT(loopFrameState(1).lastBar, loopFrameState(1).firstBar);
    EXPECT_TRUE(loopFrameState(2).hovered);
    for (int k = 3; k <= 6; ++k) {
        EXPECT_TRUE(loopFrameState(k).dragging);
        EXPECT_EQ(loopFrameState(k).lastBar, k - 3);
        // The pointer's bar in the middle of the frame's time lies inside the loop.
        const LoopHelpPose p = loopHelpPose(k + 0.5);
        const int bar = (p.cursorX - infoart::kLoopBarLeft) / infoart::kLoopBarWidth;
        EXPECT_LE(bar, loopFrameState(k).lastBar + 1) << k;
    }
    EXPECT_FALSE(loopFrameState(7).dragging);
    EXPECT_EQ(loopFrameState(8).lastBar, 3);
    EXPECT_EQ(infoart::loopFrame(0).width(), infoart::kLoopFrameWidth); // outside: frame 1
}

// ---- Sound Test ---------------------------------------------------------------------------------------

TEST(SoundTestPage, PlaysTheChordOnTheClockWhileThePageWaits) {
    info::Rig rig;
    const int ch = rig.app().partMidiChannel(1);
    const std::int64_t t0 = rig.now();
    int pageAtFirstNote = -1;
    rig.at(t0 + 1, [&] { pageAtFirstNote = currentDialogPageId(); });
    rig.at(t0 + 2500, [] { clickTopButton(0); });
    EXPECT_FALSE(rig.pages->showSoundTestPage());
    EXPECT_EQ(pageAtFirstNote, kPageSoundTest);

    std::vector<Msg> expected;
    for (const TimedMidiMessage& m : soundTestSequence(ch))
        expected.push_back({m.atMs, m.status, m.data1, m.data2});
    std::vector<Msg> got = relative(rig.onChannel(ch), t0);
    ASSERT_GE(got.size(), expected.size());
    got.resize(expected.size());
    EXPECT_EQ(got, expected);
    // The page kept taking input: its passes ran all along.
    EXPECT_GT(rig.scope.loop.pumps, 1950 / 20);
}

TEST(SoundTestPage, TheReturnThatAnsweredItAnswersNothingOnTheNoticeThatFollows) {
    info::Rig rig;
    rig.at(rig.now() + 100, [] { QTest::keyPress(topDialogPage(), Qt::Key_Return); });
    EXPECT_FALSE(rig.pages->showSoundTestPage());
    // Return still down as the notice opens, a press that waited meanwhile, repeats and the release.
    rig.scope.loop.onSettle = [] { QTest::keyPress(topDialogPage(), Qt::Key_Return); };
    bool stillOpen = false;
    rig.scope.then([&] {
        QTest::simulateEvent(topDialogPage(), true, Qt::Key_Return, {}, "\r", true);
        QTest::keyRelease(topDialogPage(), Qt::Key_Return);
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) { // a repeat left unmarked
            QKeyEvent repeat(type, Qt::Key_Return, Qt::NoModifier, "\r");
            repeat.setTimestamp(5000);
            QApplication::sendEvent(topDialogPage(), &repeat);
        }
        stillOpen = currentDialogPageId() == kPageMessageBox && !topDialogPage()->isClosed();
        QTest::keyClick(topDialogPage(), Qt::Key_Return); // a press of its own answers it
    });
    EXPECT_EQ(messageBoxLine("Some settings files could not be read:", false, false, ""), 0);
    EXPECT_TRUE(stillOpen);
}

TEST(SoundTestPage, ClosingEarlyEndsTheNotesAndPlayAgainAnswersTrue) {
    info::Rig rig;
    const int ch = rig.app().partMidiChannel(1);
    const std::int64_t t0 = rig.now();
    rig.at(t0 + 400, [] { clickTopButton(1); }); // Play Again while the chord is still building
    EXPECT_TRUE(rig.pages->showSoundTestPage());
    const std::vector<TimedMessage> all = rig.onChannel(ch);
    // Notes up to 390 ms, then all notes off at the close, and no note struck after it.
    std::vector<int> notes;
    std::size_t off = all.size();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].status == 0xB0 + ch && all[i].data1 == 123) {
            off = i;
            break;
        }
        if ((all[i].status & 0xF0) == 0x90) notes.push_back(all[i].data1);
    }
    EXPECT_EQ(notes, (std::vector<int>{36, 48, 55, 60}));
    ASSERT_LT(off, all.size());
    EXPECT_GE(all[off].ms - t0, 400);
    EXPECT_LT(all[off].ms - t0, 450);
    for (std::size_t i = off; i < all.size(); ++i)
        EXPECT_FALSE((all[i].status & 0xF0) == 0x90 && all[i].data2 > 0) << i;

    // Esc closes: not "Play Again".
    rig.at(rig.now() + 100, [] { pressTopKey(Qt::Key_Escape); });
    EXPECT_FALSE(rig.pages->showSoundTestPage());
}

// ---- Reference Tones ----------------------------------------------------------------------------------

TEST(ReferenceTonesPage, SetsUpTheToneChannelAndRepeatsTheToneEveryCycle) {
    info::Rig rig;
    const int ch = rig.app().partMidiChannel(1);
    ASSERT_EQ(rig.pages->tones.actualTone, 5); // E2
    ASSERT_DOUBLE_EQ(rig.pages->tones.toneSeconds(), 2.0);
    const std::int64_t t0 = rig.now();
    rig.at(t0 + 4500, [] { pressTopKey(Qt::Key_Escape); });
    rig.pages->showReferenceTonesPage();
    EXPECT_EQ(rig.scope.loop.idleTicks + rig.scope.loop.playTicks, 0); // playback is not ticked

    const std::vector<TimedMessage> all = rig.onChannel(ch);
    ASSERT_GE(all.size(), 4u);
    const std::vector<Msg> setup = relative({all.begin(), all.begin() + 4}, t0);
    EXPECT_EQ(
        setup,
        (std::vector<Msg>{
            {0, 0xC0 + ch, 24, 0}, {0, 0xB0 + ch, 7, 63}, {0, 0xB0 + ch, 10, 64}, {0, 0xB0 + ch, 123, 0}}));
    const std::vector<Msg> notes = struck(all);
    ASSERT_EQ(notes.size(), 3u);
    for (const Msg& n : notes) EXPECT_EQ(n.d1, 40);
    EXPECT_EQ(notes[0].t - t0, 0);
    for (int i = 1; i < 3; ++i) {
        EXPECT_GE(notes[i].t - notes[i - 1].t, 2000);
        EXPECT_LE(notes[i].t - notes[i - 1].t, 2020);
    }
    // Every cycle ends with the struck note's own note-off, then all notes off.
    int endings = 0;
    for (std::size_t i = 4; i + 1 < all.size(); ++i) {
        if (all[i].status == 0x90 + ch && all[i].data1 == 40 && all[i].data2 == 0) {
            EXPECT_EQ(all[i + 1].status, 0xB0 + ch);
            EXPECT_EQ(all[i + 1].data1, 123);
            ++endings;
        }
    }
    EXPECT_EQ(endings, 3); // two cycle ends and the close
}

TEST(ReferenceTonesPage, KeysAndTheOctaveSwitchRestartTheTone) {
    info::Rig rig;
    const int ch = rig.app().partMidiChannel(1);
    const std::int64_t t0 = rig.now();
    rig.at(t0 + 300, [] { pressTopKey(Qt::Key_Up); });   // E2 -> A2
    rig.at(t0 + 600, [] { pressTopKey(Qt::Key_Down); }); // A2 -> E2
    rig.at(t0 + 900, [] { pressTopKey(Qt::Key_Down); }); // E2 -> custom (C3)
    rig.at(t0 + 1200, [&] {
        const TPoint p = centre(topDialogPage()->controls.buttons.at(8).rect); // Octave
        click(topDialogPage(), p.x, p.y);
    });
    rig.at(t0 + 1500, [] { pressTopKey(Qt::Key_Down); }); // custom -> Silence
    rig.at(t0 + 1800, [] { pressTopKey(Qt::Key_Down); }); // Silence wraps to E4
    rig.at(t0 + 2100, [] { pressTopKey(Qt::Key_Up); });   // E4 wraps to Silence
    rig.at(t0 + 2400, [] { pressTopKey(Qt::Key_T); });    // T closes
    rig.pages->showReferenceTonesPage();
    EXPECT_FALSE(isDialogVisible());

    std::vector<int> pitches;
    for (const Msg& m : struck(rig.onChannel(ch))) pitches.push_back(m.d1);
    EXPECT_EQ(pitches, (std::vector<int>{40, 45, 40, 48, 60, 76}));
    EXPECT_TRUE(rig.pages->tones.octave);
    EXPECT_EQ(rig.pages->tones.actualTone, 7);
    // Each restart struck within one 10 ms pass of its key.
    const std::vector<Msg> s = struck(rig.onChannel(ch));
    EXPECT_LE(s[1].t - (t0 + 300), 10);
}

TEST(ReferenceTonesPage, TheA440FaderReachesItsEndsAndTheCentsChoiceMovesIt) {
    info::Rig rig;
    Options& o = rig.options();
    std::vector<int> centsSeen;
    std::string freqAtTop;
    DialogServices saved = dialogServices();
    int offered = -1;
    dialogServices().showPopupMenu = [&](const Llist<std::string>& items, int, int, int, TColor, int) {
        offered = items.count();
        for (int i = 0; i < items.count(); ++i)
            if (tuneItemValue(items.at(i)) == 20) return i;
        return -1;
    };
    const std::int64_t t0 = rig.now();
    rig.at(t0 + 100, [&] {
        TFdialog* page = topDialogPage();
        const TRect r = page->controls.faders.at(1).rect;
        const TPoint p = centre(r);
        press(page, p.x, p.y);
        dragTo(page, p.x, p.y - 400);
        centsSeen.push_back(o.masterTune_cents);
        freqAtTop = o.masterTuneText();
        dragTo(page, p.x, p.y + 400);
        centsSeen.push_back(o.masterTune_cents);
        release(page, p.x, p.y + 400);
    });
    rig.at(t0 + 200, [&] {
        TFdialog* page = topDialogPage();
        const TPoint p = centre(page->selectorSlots[2].rect);
        press(page, p.x, p.y);
        release(page, p.x, p.y);
    });
    rig.at(t0 + 300, [] { clickTopButton(0); });
    rig.pages->showReferenceTonesPage();
    dialogServices() = saved;

    ASSERT_EQ(centsSeen.size(), 2u);
    EXPECT_EQ(std::min(centsSeen[0], centsSeen[1]), -50);
    EXPECT_EQ(std::max(centsSeen[0], centsSeen[1]), 50);
    EXPECT_EQ(offered, 11);
    EXPECT_EQ(o.masterTune_cents, 20);
    EXPECT_GT(rig.host.masterTuneRepaints, 2);
    // The fine tuning went out for both ends: data entry 96 (+50) and 32 (-50) on a melodic channel.
    const int ch = rig.app().partMidiChannel(1);
    bool plus50 = false, minus50 = false;
    for (const TimedMessage& m : rig.onChannel(ch)) {
        plus50 |= m.status == 0xB0 + ch && m.data1 == 6 && m.data2 == 96;
        minus50 |= m.status == 0xB0 + ch && m.data1 == 6 && m.data2 == 32;
    }
    EXPECT_TRUE(plus50);
    EXPECT_TRUE(minus50);
    EXPECT_FALSE(freqAtTop.empty());
}

TEST(ReferenceTonesPage, ValuesFromABrokenFileAreKeptInRange) {
    TempDir dir;
    const std::string path = dir.file("refTones.cfg");
    ASSERT_TRUE(writeFileAtomic(path,
                                "<QuoVelanta RefTones>\r\nactualTone=99\r\noctave=true\r\ncustomPitch=700\r\n"
                                "interval=-4\r\npatch=12\r\nvolume=7.5\r\n</QuoVelanta RefTones>\r\n"));
    info::Rig rig({}, path);
    ReferenceTones& t = rig.pages->tones;
    EXPECT_EQ(t.actualTone, 7);
    EXPECT_EQ(t.customPitch, 35);
    EXPECT_EQ(t.interval, 0);
    EXPECT_DOUBLE_EQ(t.volume, 1.0);
    t.actualTone = 6; // the custom pitch, B4 an octave up
    const int ch = rig.app().partMidiChannel(1);
    rig.at(rig.now() + 50, [] { pressTopKey(Qt::Key_Return); });
    rig.pages->showReferenceTonesPage();
    const std::vector<Msg> s = struck(rig.onChannel(ch));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].d1, 83);
}

TEST(ReferenceTonesPage, ClosingSelectsTheStyleAgainWithTheProgrammersEdits) {
    info::Rig rig;
    const int ch = rig.app().partMidiChannel(1);
    Styles& styles = rig.ctx->engine.styles;
    StyleEditBuffer& edits = rig.app().styleEdits;
    edits.take(styles);
    edits.style.tracks.at(1).prog = 40;
    edits.markEdited(styles);

    rig.at(rig.now() + 50, [] { pressTopKey(Qt::Key_Escape); });
    showReferenceTonesPage(); // as key T and the menu open it
    // After the tone's guitar, part 1 gets the edited style's program back, not the library's.
    int lastProgram = -1;
    for (const TimedMessage& m : rig.onChannel(ch))
        if (m.status == 0xC0 + ch) lastProgram = m.data1;
    EXPECT_EQ(lastProgram, 40);
    EXPECT_TRUE(edits.edited);
    EXPECT_EQ(styles.current().tracks.at(1).prog, 40);

    // The sound test's piano goes the same way.
    rig.at(rig.now() + 50, [] { pressTopKey(Qt::Key_Escape); });
    rig.pages->showSoundTestPage();
    for (const TimedMessage& m : rig.onChannel(ch))
        if (m.status == 0xC0 + ch) lastProgram = m.data1;
    EXPECT_EQ(lastProgram, 40);
    EXPECT_TRUE(edits.edited);
}

TEST(ReferenceTonesPage, KeyTOnTheMainWindowOpensIt) {
    info::Rig rig;
    int seen = -1;
    rig.at(rig.now() + 20, [&] {
        seen = currentDialogPageId();
        pressTopKey(Qt::Key_Escape);
    });
    rig.app().keyDown('T', false, false);
    EXPECT_EQ(seen, kPageReferenceTones);
}

// ---- About ---------------------------------------------------------------------------------------------

TEST(AboutPage, CountsTheLibraryAndOpensTheSite) {
    using play::makeStyle;
    using play::makeTrack;
    using play::sn;
    StyleTrack silent = makeTrack(2, 0, 0, {sn(60, 1, 0, 1), sn(62, 1, 1, 1), sn(64, 1, 2, 1)});
    std::vector<StyleFile> styles = {
        makeStyle(5, 4, 16,
                  {makeTrack(0, 1, 0, {sn(36, 1, 0, 1), sn(38, 1, 4, 1), sn(42, 1, 2, 1)}),
                   makeTrack(1, 1, 33, {sn(36, 1, 0, 4), sn(43, 1, 8, 4)}), silent}),
        makeStyle(
            7, 4, 16,
            {makeTrack(0, 1, 0, {sn(36, 1, 0, 2), sn(38, 1, 4, 2), sn(42, 1, 8, 2), sn(46, 1, 12, 2)})}),
        makeStyle(95, 4, 16, {makeTrack(2, 1, 0, {sn(60, 1, 0, 2), sn(64, 1, 0, 2)})}), // a utility style
    };
    info::Rig rig(styles);
    EXPECT_EQ(rig.pages->aboutLibraryText(), "Library: 2 music styles (9 notes in 3 tracks)");

    TRect link{-1, -1, -1, -1};
    rig.at(rig.now() + 20, [&] {
        TFdialog* page = topDialogPage();
        link = page->linkRect;
        const TPoint p = centre(link);
        click(page, p.x, p.y);
    });
    rig.at(rig.now() + 40, [] { clickTopButton(0); });
    rig.pages->showAboutPage();
    EXPECT_EQ(link.Left, 25);
    EXPECT_EQ(rig.opened, (std::vector<std::string>{"http://www.quovelanta.example/index.html"}));
}

// ---- Loop help ----------------------------------------------------------------------------------------

namespace {

// The page's animation area shows frame k above the pointer's row (y < 85).
bool showsFrameTop(TFdialog* page, int k) {
    const Limage& f = infoart::loopFrame(k);
    for (int y = 0; y < 85; ++y)
        for (int x = 0; x < f.width(); ++x)
            if (page->dialogImage.pixel(25 + x, 121 + y) != f.pixel(x, y)) return false;
    return true;
}

bool areaIsBlack(TFdialog* page) {
    for (int y = 0; y < infoart::kLoopFrameHeight; ++y)
        for (int x = 0; x < infoart::kLoopFrameWidth; ++x)
            if (page->dialogImage.pixel(25 + x, 121 + y) != 0) return false;
    return true;
}

} // namespace

TEST(LoopHelpPage, FramesFollowTheClockAndReopeningStartsOver) {
    info::Rig rig;
    std::vector<int> shown;
    bool black = false, cursorMoved = false;
    const std::int64_t t0 = rig.now();
    auto frameAt = [&](std::int64_t ms) {
        rig.at(t0 + ms, [&] {
            TFdialog* page = topDialogPage();
            int k = 0;
            for (int f = 1; f <= 8 && k == 0; ++f)
                if (showsFrameTop(page, f)) k = f;
            shown.push_back(k);
        });
    };
    frameAt(300);                                                     // phase 1.42
    frameAt(1100);                                                    // 2.54
    frameAt(1500);                                                    // 3.1
    frameAt(2500);                                                    // 4.5
    frameAt(3200);                                                    // 5.48
    frameAt(3900);                                                    // 6.46
    frameAt(4600);                                                    // 7.44
    frameAt(5400);                                                    // 8.56
    rig.at(t0 + 6900, [&] { black = areaIsBlack(topDialogPage()); }); // 10.66
    rig.at(t0 + 7300, [&] {                                           // the next cycle
        shown.push_back(showsFrameTop(topDialogPage(), 1) ? 1 : 0);
        clickTopButton(0);
    });
    rig.pages->showLoopHelpPage();
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1}));
    EXPECT_TRUE(black);

    // Open again: the animation starts at phase 1, with the pointer still below the area.
    const std::int64_t t1 = rig.now();
    rig.at(t1 + 60, [&] {
        TFdialog* page = topDialogPage();
        cursorMoved = !showsFrameTop(page, 1);
        // Below the frame's top rows too: the pointer has not risen into the area yet.
        const Limage& f = infoart::loopFrame(1);
        for (int y = 85; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x)
                cursorMoved |= page->dialogImage.pixel(25 + x, 121 + y) != f.pixel(x, y);
        pressTopKey(Qt::Key_Return);
    });
    rig.pages->showLoopHelpPage();
    EXPECT_FALSE(cursorMoved);
}

TEST(LoopHelpPage, TheFirstRulerClickShowsItOnce) {
    info::Rig rig;
    ASSERT_FALSE(rig.options().loopHintShown);
    int pages = 0;
    rig.at(rig.now() + 20, [&] {
        pages += currentDialogPageId() == kPageLoopHelp;
        pressTopKey(Qt::Key_Escape);
    });
    EXPECT_TRUE(showLoopHelpOnFirstRulerClick());
    EXPECT_TRUE(rig.options().loopHintShown);
    EXPECT_FALSE(showLoopHelpOnFirstRulerClick());
    EXPECT_EQ(pages, 1);
}

TEST(ReferenceTonesPage, SilenceKeepsTheCycleWithoutNotes) {
    info::Rig rig;
    rig.pages->tones.actualTone = 7;
    rig.pages->tones.interval = 0; // 1 sec
    const int ch = rig.app().partMidiChannel(1);
    const std::int64_t t0 = rig.now();
    rig.at(t0 + 2500, [] { pressTopKey(Qt::Key_Down); }); // wraps to E4: struck at once
    rig.at(t0 + 2600, [] { pressTopKey(Qt::Key_Escape); });
    rig.pages->showReferenceTonesPage();
    std::vector<std::int64_t> cycleEnds;
    for (const TimedMessage& m : rig.onChannel(ch))
        if (m.status == 0xB0 + ch && m.data1 == 123) cycleEnds.push_back(m.ms - t0);
    ASSERT_GE(cycleEnds.size(), 4u); // the set-up, two silent cycles, the key, the close
    EXPECT_GT(cycleEnds[1], 1000);
    EXPECT_LE(cycleEnds[1], 1020);
    EXPECT_GT(cycleEnds[2] - cycleEnds[1], 1000);
    const std::vector<Msg> s = struck(rig.onChannel(ch));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].d1, 64);
    EXPECT_LE(s[0].t - (t0 + 2500), 10);
}

TEST(SoundTestPage, AQuitWhileItPlaysEndsTheNotes) {
    info::Rig rig;
    const int ch = rig.app().partMidiChannel(1);
    const std::int64_t t0 = rig.now();
    rig.at(t0 + 300, [&] { rig.scope.loop.abort = true; });
    EXPECT_FALSE(rig.pages->showSoundTestPage());
    rig.scope.loop.abort = false;
    bool ended = false;
    int notes = 0;
    for (const TimedMessage& m : rig.onChannel(ch)) {
        if (m.status == 0xB0 + ch && m.data1 == 123 && m.ms - t0 < 1950) ended = true;
        if (!ended && (m.status & 0xF0) == 0x90) ++notes;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(notes, 3);
}
