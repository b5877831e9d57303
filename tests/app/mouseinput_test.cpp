// The main window's mouse: double clicks on the program's clock, chord selection, resize, move and
// copy with their history records, the add-chord and add-page limits, the ruler menu's greyed items,
// arrangement point moves and copies, and the replay of a click that dismissed a menu.
#include <gtest/gtest.h>

#include <QPainter>
#include <tuple>

#include "tests/app/scriptedmenus_rig.h"

namespace {

class Mouse : public win::ScriptedMenusTest {
  protected:
    // Chords of the given lengths on the edited page, laid out.
    void chords(std::initializer_list<int> lengths) {
        int k = 0;
        for (int len : lengths) page().addChord(QvChord(k++ % 12, 0, 0, kAutoBassArg, false, len), -1);
        rig.repaint();
        ASSERT_EQ(app().chordRects.count(), int(lengths.size()));
    }
    TPoint chordPoint(int i) {
        const TRect& r = app().chordRects.at(i);
        return {r.Left + 8, r.Top + 20};
    }
    void click(TPoint p, int button = 1, int modifier = 0) {
        app().mouseMove(p.x, p.y, false, 0);
        app().mouseDown(p.x, p.y, button, modifier, false);
        app().mouseUp(p.x, p.y, button, modifier);
    }
};

TEST_F(Mouse, TwoClicksOnAChordWithinHalfASecondOpenTheEditorButNotAtHalfASecondOrWithCtrl) {
    chords({48, 48, 48});
    click(chordPoint(1));
    rig.clock.advance(499);
    click(chordPoint(1));
    EXPECT_EQ(app().selectorKind, 4);
    EXPECT_EQ(app().editedChord, 1);
    app().closeSelectorOverlay();

    rig.clock.advance(1000);
    click(chordPoint(2));
    rig.clock.advance(500);
    click(chordPoint(2));
    EXPECT_EQ(app().selectorKind, 0);

    rig.clock.advance(1000);
    click(chordPoint(0), 1, 1);
    rig.clock.advance(10);
    click(chordPoint(0), 1, 1);
    EXPECT_EQ(app().selectorKind, 0);
}

TEST_F(Mouse, WithTheEditorOpenOneClickMovesItAndAClickOnEmptySpaceClosesIt) {
    chords({48, 48, 48});
    click(chordPoint(0));
    rig.clock.advance(100);
    click(chordPoint(0));
    ASSERT_EQ(app().editedChord, 0);
    rig.clock.advance(2000);
    click(chordPoint(2));
    EXPECT_EQ(app().selectorKind, 4);
    EXPECT_EQ(app().editedChord, 2);
    rig.clock.advance(2000);
    click({app().displayRect.Left + 4, app().pageArea.Bottom + 8});
    EXPECT_EQ(app().selectorKind, 0);
    EXPECT_EQ(app().editedChord, -1);
}

TEST_F(Mouse, ShiftSelectsARangeAndAPlainReleaseOnOneOfThemKeepsOnlyIt) {
    chords({24, 24, 24, 24});
    click(chordPoint(0));
    rig.clock.advance(1000);
    click(chordPoint(2), 1, 2);
    EXPECT_EQ(page().selectedCount(), 3);
    EXPECT_TRUE(page().isSelected(0) && page().isSelected(1) && page().isSelected(2));
    rig.clock.advance(1000);
    click(chordPoint(1));
    EXPECT_EQ(page().selectedCount(), 1);
    EXPECT_TRUE(page().isSelected(1));
    // Ctrl toggles on the release.
    rig.clock.advance(1000);
    click(chordPoint(3), 1, 1);
    EXPECT_EQ(page().selectedCount(), 2);
}

TEST_F(Mouse, DraggingOneOfThreeSelectedChordsMovesAllAndShiftAtTheReleaseCopies) {
    chords({24, 24, 24, 24});
    for (int i = 0; i < 3; ++i) page().setSelected(i, true);
    const int before = records();
    const TPoint from = chordPoint(1);
    const TRect last = app().chordRects.at(3);
    app().mouseMove(from.x, from.y, false, 0);
    app().mouseDown(from.x, from.y, 1, 0, false);
    app().mouseMove(last.Right, from.y, true, 0);
    EXPECT_TRUE(app().chordDragMoving);
    EXPECT_EQ(app().chordDropIndex, 4);
    app().mouseUp(last.Right, from.y, 1, 0);
    EXPECT_EQ(lastRecord(), "Move chords");
    EXPECT_EQ(records(), before + 1);
    EXPECT_EQ(page().chordCount(), 4);
    EXPECT_EQ(page().chordAt(0).key, 3); // the fourth chord is first now
    EXPECT_FALSE(app().chordDragMoving);

    rig.repaint();
    page().selectNone();
    page().setSelected(0, true);
    const TPoint p0 = chordPoint(0);
    rig.clock.advance(1000);
    app().mouseMove(p0.x, p0.y, false, 0);
    app().mouseDown(p0.x, p0.y, 1, 0, false);
    app().mouseMove(app().chordRects.at(3).Right, p0.y, true, 0);
    app().mouseUp(app().chordRects.at(3).Right, p0.y, 1, 2);
    EXPECT_EQ(lastRecord(), "Copy chord");
    EXPECT_EQ(page().chordCount(), 5);
}

TEST_F(Mouse, AResizeSnapsToTheBeatIn44AndNeverGoesBelowOneBeat) {
    chords({48, 48});
    const TRect r = app().chordRects.at(0);
    const int y = r.Top + 10;
    app().mouseMove(r.Right - 2, y, false, 0);
    ASSERT_EQ(app().hoveredResizeHandle, 0);
    app().mouseDown(r.Right - 2, y, 1, 0, false);
    ASSERT_EQ(app().resizedChord, 0);
    const int z = app().pageZoom(page());
    const double pxPerUnit = double(app().pageArea.Right - app().pageArea.Left) / (z * 48);
    const int x = app().pageArea.Left + int(std::ceil(31 * pxPerUnit));
    app().mouseMove(x, y, true, 0);
    EXPECT_EQ(page().chordLength(0), 36);
    EXPECT_EQ(lastRecord(), "Resize chord");
    app().mouseMove(app().pageArea.Left, y, true, 0);
    EXPECT_EQ(page().chordLength(0), 12);
    app().mouseUp(app().pageArea.Left, y, 1, 0);
    EXPECT_EQ(app().resizedChord, -1);
}

TEST_F(Mouse, TheAddPageSlotAddsUpTo80EntriesAndThenNothing) {
    rig.repaint();
    const TRect add = app().addPageRect;
    ASSERT_GE(add.Right, add.Left);
    const int before = records();
    click({add.Left + 4, add.Top + 4});
    EXPECT_EQ(rig.core().pageSlots.count(), 2);
    EXPECT_EQ(lastRecord(), "Add Page to sequence");
    EXPECT_EQ(records(), before + 1);
    app().closeSelectorOverlay();
    while (rig.core().pageSlots.count() < QuoVelanta::kMaxSequenceEntries) rig.core().pageSlots.add(0);
    rig.repaint();
    const int full = records();
    rig.clock.advance(1000);
    if (app().addPageRect.Right >= app().addPageRect.Left)
        click({app().addPageRect.Left + 2, app().addPageRect.Top + 2});
    EXPECT_EQ(rig.core().pageSlots.count(), QuoVelanta::kMaxSequenceEntries);
    EXPECT_EQ(records(), full);
}

TEST_F(Mouse, TheRulerMenuGreysTheLoopItemsWithoutALoopAndGreyedItemsNeverAct) {
    chords({48, 48, 48});
    const TRect s = app().positionScale;
    const TPoint bar1{s.Left + (s.Right - s.Left) * 3 / (2 * app().pageZoom(page())), s.Top + 3};
    menuAnswers = {3};
    click(bar1, 2);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0][2], "-@Activate Loop|L");
    EXPECT_EQ(menus[0][3], "@Clear Loop|C");
    EXPECT_EQ(rig.core().loopStart, -1);
    // "Loop To This Bar" without a start loops from bar 0.
    menuAnswers.push_back(1);
    click(bar1, 2);
    EXPECT_EQ(rig.core().loopStart, 0);
    EXPECT_EQ(rig.core().loopEnd, 1);
    EXPECT_TRUE(rig.core().loopRegionActive);
    EXPECT_EQ(lastRecord(), "Set loop end");
}

TEST_F(Mouse, ARightClickThatDismissesTheChordMenuOverAnotherChordOpensItThere) {
    chords({48, 48, 48});
    const TPoint second = chordPoint(2);
    int dismissals = 1;
    app().dismissClickSource = [&](int& x, int& y, int& button, int& modifiers) {
        if (dismissals-- <= 0) return false;
        x = second.x;
        y = second.y;
        button = 2;
        modifiers = 0;
        return true;
    };
    click(chordPoint(0), 2);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[1][0], "Change Chord...");
    EXPECT_TRUE(page().isSelected(2));
    EXPECT_FALSE(page().isSelected(0));
}

TEST_F(Mouse, AReplayChainEndsAndNeverNests) {
    chords({48});
    app().dismissClickSource = [&](int& x, int& y, int& button, int& modifiers) {
        const TPoint p = chordPoint(0);
        x = p.x;
        y = p.y;
        button = 2;
        modifiers = 0;
        return true; // every menu is dismissed by another right click
    };
    click(chordPoint(0), 2);
    EXPECT_GT(menus.size(), 1u);
    EXPECT_LE(menus.size(), 40u);
}

TEST_F(Mouse, AnArrangementPointMovesKeepsItsSettingsAndCopiesWithShift) {
    chords({48, 48, 48});
    page().addAPoint(0);
    QvAPoint p = page().apointAt(0);
    p.mDrums = 1;
    p.oKick = false;
    page().setAPoint(p, 0);
    rig.repaint();
    const TRect s = app().positionScale;
    const int z = app().pageZoom(page());
    auto stripX = [&](int units) { return s.Left + int(double(units) * (s.Right - s.Left) / (z * 48)); };
    const int y = app().arrangementStrip.Top + 8;
    app().mouseMove(stripX(0), y, false, 0);
    ASSERT_EQ(app().hoveredStripPosition, 0);
    app().mouseDown(stripX(0), y, 1, 0, false);
    ASSERT_TRUE(app().pointDragArmed);
    app().mouseMove(stripX(48), y, true, 0);
    app().mouseUp(stripX(48), y, 1, 0);
    ASSERT_EQ(page().apointCount(), 1);
    EXPECT_EQ(page().apointAt(0).pos, 48);
    EXPECT_EQ(page().apointAt(0).mDrums, 1);
    EXPECT_FALSE(page().apointAt(0).oKick);
    EXPECT_EQ(lastRecord(), "Move Arrangement Point");
    EXPECT_FALSE(app().pointDragMoving);
    app().closeSelectorOverlay();
    app().selectedPoint = -1;

    rig.clock.advance(1000);
    app().mouseMove(stripX(48), y, false, 0);
    app().mouseDown(stripX(48), y, 1, 0, false);
    app().mouseMove(stripX(96), y, true, 0);
    app().mouseUp(stripX(96), y, 1, 2);
    ASSERT_EQ(page().apointCount(), 2);
    EXPECT_EQ(page().apointAt(1).pos, 96);
    EXPECT_EQ(page().apointAt(1).mDrums, 1);
    EXPECT_EQ(lastRecord(), "Copy Arrangement Point");
}

TEST_F(Mouse, AClickOnTheBandUnderTheChordsPlaysFromThatBeatOfTheEditedSlot) {
    chords({48, 48, 48, 48});
    rig.core().pageSlots.add(0); // page 0 again at slot 1
    rig.core().editedPosition = rig.core().playingPosition = 1;
    const TRect s = app().positionScale; // the beat at 24 of 48, where the band under the chords is
    click({s.Left + 30 * (s.Right - s.Left) / (app().pageZoom(page()) * 48), app().pageArea.Top + 80});
    const int late =
        rig.ctx->engine.stepControl.absoluteStep() - rig.core().startTickOf(1) - rig.core().stepsPerBar() / 2;
    EXPECT_TRUE(rig.ctx->engine.stepControl.isPlaying() && rig.core().playingPosition == 1);
    EXPECT_TRUE(late >= 0 && late < rig.core().stepsPerBeat()) << late; // the marker flashed 250 ms
}

TEST_F(Mouse, ADragHoldsThePageThroughATurnAndTheTurnAfterItFindsWhatIsUnderTheMouse) {
    chords({12, 12, 12, 12});
    rig.core().pages.at(1).addChord(QvChord(5, 0, 0, kAutoBassArg, false, 96), -1);
    rig.core().pageSlots.add(1);
    page().addAPoint(0);
    rig.options().loopHintShown = true;
    rig.repaint();
    app().togglePlay();
    auto play = [&] { // three seconds: more than the page
        for (int i = 0; i < 150 && rig.core().editedPosition == 0; ++i, app().idleTick())
            rig.clock.advance(20);
    };
    // A point drag and a loop drag hold the page as a chord drag does.
    const TRect s = app().positionScale;
    const int stripY = app().arrangementStrip.Top + 8,
              quarter = (s.Right - s.Left) / app().pageZoom(page()) / 4;
    const struct {
        TPoint from, to;
        const char* record;
    } drags[] = {{{s.Left, stripY}, {s.Left + quarter, stripY}, "Move Arrangement Point"},
                 {{s.Left + 2, s.Top + 1}, {s.Right - 2, s.Top + 1}, "Set loop region"}};
    for (const auto& d : drags) {
        app().mouseMove(d.from.x, d.from.y, false, 0);
        app().mouseDown(d.from.x, d.from.y, 1, 0, false);
        play();
        EXPECT_EQ(rig.core().editedPosition, 0) << d.record;
        app().mouseMove(d.to.x, d.to.y, true, 0);
        app().mouseUp(d.to.x, d.to.y, 1, 0);
        EXPECT_EQ(lastRecord(), d.record);
    }
    rig.core().loopRegionActive = false; // the one-bar loop would keep playback on the page
    page().setSelected(1, true);
    const TPoint p = chordPoint(1), end{app().chordRects.at(3).Right, p.y};
    app().mouseMove(p.x, p.y, false, 0);
    app().mouseDown(p.x, p.y, 1, 0, false);
    play();
    EXPECT_EQ(rig.core().editedPosition, 0);
    app().mouseMove(end.x, end.y, true, 0);
    app().mouseUp(end.x, end.y, 1, 0);
    EXPECT_EQ(lastRecord(), "Move chord");
    play();
    EXPECT_EQ(rig.core().editedPosition, 1);
    EXPECT_EQ(app().hoveredChord, 0);
}

TEST_F(Mouse, ClosingOrMovingAnOverlayLeavesTheWindowAsAFreshPaintDoes) {
    chords({48, 48});
    page().addAPoint(0);
    page().addAPoint(96);
    rig.repaint();
    // The window as shown against the same window painted afresh. With the chord or point editor open
    // a full paint leaves out the Bars box, and with the chord editor the arrangement strip, keeping
    // what was there: those are not compared.
    auto check = [&](const char* what, int kind) {
        EXPECT_EQ(app().selectorKind, kind) << what;
        QImage shown = rig.screen();
        rig.repaint();
        QImage fresh = rig.screen();
        const TRect &b = app().barsBoxRect, &a = app().arrangementStrip;
        for (QImage* image : {&shown, &fresh}) {
            QPainter p(image);
            if (kind == 4 || kind == 6)
                p.fillRect(QRect(QPoint(b.Left, b.Top), QPoint(b.Right, b.Bottom)), Qt::red);
            if (kind == 4) p.fillRect(QRect(QPoint(a.Left, a.Top - 16), QPoint(a.Right, a.Bottom)), Qt::red);
        }
        EXPECT_TRUE(shown == fresh) << what;
    };
    auto press = [&](TPoint p) {
        rig.clock.advance(1000);
        click(p);
    };
    const TRect& d = app().displayRect;
    const TPoint away{d.Left + 4, app().pageArea.Bottom + 8}; // empty display under the page
    const TRect s = app().positionScale;
    auto point = [&](int units) {
        return TPoint{s.Left + units * (s.Right - s.Left) / (app().pageZoom(page()) * 48),
                      app().arrangementStrip.Top + 8};
    };
    auto twice = [&](TPoint p) { press(p), click(p); };
    twice(chordPoint(0));
    for (int i = 0; i < 3; ++i) press({app().addChordRect.Left + 6, app().addChordRect.Top + 10});
    check("chord editor moved along a progression", 4);
    press(away);
    check("chord editor closed by a click elsewhere", 0);
    twice(point(0));
    press(point(96));
    check("point editor moved to another point", 6);
    app().keyDown(27, false, false);
    check("point editor closed by Esc", 0);
    auto open = [&](const TRect& box) {
        press({box.Left + 5, box.Top + 5});
        EXPECT_NE(app().selectorKind, 0);
    };
    open(app().styleBoxRect);
    press({app().styleBoxRect.Left + 5, app().styleBoxRect.Top + 5});
    check("style selector closed on its box", 0);
    open(app().tempoBoxRect);
    press(away);
    check("tempo selector closed by a click elsewhere", 0);
    open(app().keyBoxRect);
    app().keyDown(27, false, false);
    check("key selector closed by Esc", 0);
    for (int i = 0; i < 2; ++i) press({app().slotRects.at(0).Left + 4, app().slotRects.at(0).Top + 4});
    const TRect add = app().addChordRect; // no add-chord hover while the page menu is open
    app().mouseMove(add.Left + 6, add.Top + 10, false, 0);
    app().keyDown(27, false, false); // Esc closes the page menu
    EXPECT_TRUE(app().addChordHover);
    check("page menu closed", 0);
}

TEST_F(Mouse, ASecondClickOnAnySlotOpensThePageMenuAndAReplayTakesTheOpeningButton) {
    chords({48, 48});
    app().dismissClickSource = [&, n = 1](int& x, int& y, int& button, int& modifiers) mutable {
        std::tie(x, y, button, modifiers) = std::make_tuple(chordPoint(1).x, chordPoint(1).y, 1, 0);
        return n-- > 0; // a left click on the other chord closes the chord menu
    };
    click(chordPoint(0), 2);
    EXPECT_TRUE(menus.size() == 2u && page().isSelected(1));
    rig.core().pageSlots.add(1);
    rig.repaint();
    rig.clock.advance(1000);
    for (int i = 0; i < 2; ++i) click({app().slotRects.at(1).Left + 4, app().slotRects.at(1).Top + 4});
    EXPECT_TRUE(app().selectorKind == 5 && app().menuSlot == 1);
}

TEST_F(Mouse, TheTransposingInstrumentMenuOpensLeftOfItsBoxInTheDisplayColour) {
    rig.options().visualTranspose_selector = true;
    rig.repaint();
    const TRect box = app().transposeBoxRect;
    menuAnswers = {2};
    click({box.Left + 4, box.Top + 4});
    ASSERT_EQ(menuPlaces.size(), 1u);
    const QPoint at = rig.form->mapToGlobal(QPoint(box.Left - 168, box.Bottom + 2));
    const MenuPlace& m = menuPlaces[0];
    EXPECT_TRUE(m.x == at.x() && m.y == at.y() && m.width == 167) << m.x << "," << m.y << " " << m.width;
    EXPECT_EQ(m.colour, scaleColour(app().theme.dimTextColour(), 0.95f));
    EXPECT_EQ(rig.options().visualTranspose, 2);
}

TEST_F(Mouse, UndoForgetsAPointDragInProgress) {
    chords({48});
    page().addAPoint(0);
    rig.repaint();
    app().pointDragArmed = true;
    app().pointDragMoving = true;
    app().recordStep("x", false);
    app().undo();
    EXPECT_FALSE(app().pointDragArmed);
    EXPECT_FALSE(app().pointDragMoving);
}

} // namespace

namespace {

class SelectorClicks : public Mouse {
  protected:
    void clickSensor(int id, int button = 1) {
        ASSERT_NE(app().selector, nullptr);
        const TRect r = app().selector->sensorRect(id);
        ASSERT_LT(r.Left, r.Right) << "no sensor " << id;
        rig.clock.advance(1000);
        click({app().selector->x + (r.Left + r.Right) / 2, app().selector->y + (r.Top + r.Bottom) / 2},
              button);
    }
    void openBox(const TRect& box) {
        rig.clock.advance(1000);
        click({box.Left + 5, box.Top + 5});
    }
};

TEST_F(SelectorClicks, TempoSensor39Sets220BpmAndRecordsIt) {
    openBox(app().tempoBoxRect);
    ASSERT_EQ(app().selectorKind, 2);
    clickSensor(39);
    EXPECT_EQ(rig.core().tempo(), 220);
    EXPECT_EQ(lastRecord(), "Select tempo: 220 BPM");
}

TEST_F(SelectorClicks, WithTheCloseOptionTheStyleBoxShowsTheChosenStyleBeforeTheSwitch) {
    rig.options().closeStyleSelector = true;
    chords({12, 12, 12, 12}); // four chords in a bar: a 3/4 style asks first
    openBox(app().styleBoxRect);
    const Styles& styles = rig.ctx->engine.styles;
    int waltz = -1;
    for (const Sensor& s : app().selector->sensors)
        if (waltz < 0 && s.text.rfind("@^", 0) == 0 && styles.is34(s.id)) waltz = s.id;
    ASSERT_GE(waltz, 0);
    const TRect b = app().styleBoxRect;
    const QRect box(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    QImage asked;
    rig.prompt.onAsk = [&] { asked = rig.screen().copy(box); };
    rig.prompt.answers = {1}; // Cancel: the session stays in 4/4
    clickSensor(waltz);
    ASSERT_EQ(rig.prompt.asked, 1);
    EXPECT_NE(styles.current().id, waltz);
    app().paintStatusBox(app().styleCell, "Style", styles.at(styles.indexOfId(waltz)).name, true, true);
    EXPECT_EQ(asked, rig.screen().copy(box));
}

TEST_F(SelectorClicks, KeySensorsSetTheKeyShiftAndTransposeThePages) {
    chords({48});
    const int root = page().chordAt(0).key;
    openBox(app().keyBoxRect);
    ASSERT_EQ(app().selectorKind, 3);
    clickSensor(0);
    EXPECT_EQ(rig.core().key, 7);
    EXPECT_EQ(lastRecord(), "Set key shift: -5");
    EXPECT_EQ(page().chordAt(0).key, (root + 7) % 12);
    if (app().selectorKind != 3) openBox(app().keyBoxRect);
    clickSensor(5);
    EXPECT_EQ(rig.core().key, 0);
    EXPECT_EQ(lastRecord(), "Set key shift: 0");
    EXPECT_EQ(page().chordAt(0).key, root);
}

TEST_F(SelectorClicks, TheChordEditorTogglesTheBassOctaveOnTheCurrentBassAndStopsInversionsAtThree) {
    chords({48, 48});
    click(chordPoint(0));
    rig.clock.advance(50);
    click(chordPoint(0));
    ASSERT_EQ(app().selectorKind, 4);
    clickSensor(kChordBassToggleId); // the bass row appears, the bass on the root
    ASSERT_FALSE(page().chordAt(0).autoBass);
    const QvChord c = page().chordAt(0);
    EXPECT_EQ(c.effectiveBass(), c.key);
    clickSensor(kChordBassFirstId + c.effectiveBass());
    EXPECT_TRUE(page().chordAt(0).bassOctave);
    EXPECT_EQ(page().chordAt(0).effectiveBass(), c.effectiveBass());
    EXPECT_EQ(lastRecord(), "Edit chord");
    for (int i = 0; i < 5; ++i) clickSensor(kChordInversionUpId);
    EXPECT_EQ(page().chordAt(0).inversion, 3);
    for (int i = 0; i < 8; ++i) clickSensor(kChordInversionDownId);
    EXPECT_EQ(page().chordAt(0).inversion, -3);
    EXPECT_EQ(app().selectorKind, 4);
}

TEST_F(SelectorClicks, SplitHalvesToTheBeatIn44) {
    chords({48, 36});
    for (int chord : {0, 2}) {
        page().selectNone();
        page().setSelected(chord, true);
        app().splitChord();
    }
    ASSERT_EQ(page().chordCount(), 4);
    EXPECT_EQ(page().chordLength(0), 24);
    EXPECT_EQ(page().chordLength(1), 24);
    EXPECT_EQ(page().chordLength(2), 24);
    EXPECT_EQ(page().chordLength(3), 12);
    EXPECT_EQ(lastRecord(), "Split chord");
}

TEST_F(SelectorClicks, AGreyedChordMenuItemNeverActs) {
    chords({12});
    menuAnswers = {2}; // "Split", greyed: the chord is one beat long
    const int before = records();
    click(chordPoint(0), 2);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0][2], "@Split");
    EXPECT_EQ(page().chordCount(), 1);
    EXPECT_EQ(records(), before);
}

TEST_F(SelectorClicks, TheAddChordAreaAddsAChordAndOpensTheEditorOnIt) {
    chords({48});
    rig.repaint();
    const TRect add = app().addChordRect;
    ASSERT_GE(add.Right, add.Left);
    click({add.Left + 6, add.Top + 10});
    ASSERT_EQ(page().chordCount(), 2);
    EXPECT_EQ(lastRecord(), "Add chord");
    EXPECT_EQ(app().selectorKind, 4);
    EXPECT_EQ(app().editedChord, 1);
}

} // namespace

namespace {

TEST_F(Mouse, TheBarsPanelTogglesTheZoomAndTheVisualiserStepsItsMode) {
    chords({48});
    const int zoom = app().pageZoom(page());
    const TRect bars = app().barsBoxRect;
    ASSERT_GE(bars.Right, bars.Left);
    click({bars.Left + 3, bars.Top + 3});
    EXPECT_NE(app().pageZoom(page()), zoom);
    if (app().visualiserRect.Right >= app().visualiserRect.Left) {
        const int mode = rig.options().visualizeMode;
        rig.clock.advance(1000);
        click({app().visualiserRect.Left + 20, app().visualiserRect.Top + 5});
        EXPECT_EQ(rig.options().visualizeMode, (mode + 1) % rig.options().visualizeModeNames.count());
    }
}

} // namespace

namespace {

TEST_F(Mouse, APointDroppedOnItselfStaysAndOnAnotherOverwritesIt) {
    chords({48, 48, 48});
    page().addAPoint(0);
    page().addAPoint(96);
    QvAPoint p = page().apointAt(0);
    p.mBass = 2;
    page().setAPoint(p, 0);
    rig.repaint();
    const TRect s = app().positionScale;
    const int z = app().pageZoom(page());
    auto stripX = [&](int units) { return s.Left + int(double(units) * (s.Right - s.Left) / (z * 48)); };
    const int y = app().arrangementStrip.Top + 8;
    const int before = records();
    app().mouseMove(stripX(0), y, false, 0);
    app().mouseDown(stripX(0), y, 1, 0, false);
    app().mouseMove(stripX(0) + 1, y, true, 0);
    app().mouseUp(stripX(0) + 1, y, 1, 0);
    EXPECT_EQ(page().apointCount(), 2);
    EXPECT_EQ(records(), before);
    EXPECT_EQ(app().pointDragIndex, -1);
    app().closeSelectorOverlay();
    app().selectedPoint = -1;

    rig.clock.advance(1000);
    app().mouseMove(stripX(0), y, false, 0);
    app().mouseDown(stripX(0), y, 1, 0, false);
    app().mouseMove(stripX(96), y, true, 0);
    app().mouseUp(stripX(96), y, 1, 0);
    ASSERT_EQ(page().apointCount(), 1);
    EXPECT_EQ(page().apointAt(0).pos, 96);
    EXPECT_EQ(page().apointAt(0).mBass, 2);
    EXPECT_EQ(lastRecord(), "Move (overwrite) Arrangement Point");
}

} // namespace
