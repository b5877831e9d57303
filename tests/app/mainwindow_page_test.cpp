// The painters' results that input and commands rely on: chord cell rectangles, the ghost cell,
// the page zoom, the chord symbol parts, the ruler, slots, strip and bars box, and the texts of the
// status boxes and the position counter.
#include <gtest/gtest.h>

#include "app/pagepainter.h"
#include "tests/app/mainwindow_rig.h"

using win::WindowRig;

namespace {

void setChords(QvPage& page, std::initializer_list<int> lengths) {
    while (page.chordCount() > 0) page.chords.remove(0);
    int key = 0;
    for (int len : lengths) page.addChord(QvChord(key++ % 12, 0, 0, kAutoBassArg, false, len), -1);
}

// The pixels per unit of the page area at zoom z.
double unitWidth(const QuoVelanta& a, int z) {
    return static_cast<double>(a.pageArea.Right - a.pageArea.Left) / (48 * z);
}

} // namespace

TEST(ChordSymbol, SplitsRootAccidentalAndMarks) {
    auto p = splitChordSymbol("C", 5); // m7
    EXPECT_EQ(p.root, "C");
    EXPECT_EQ(p.rest, "7");
    EXPECT_EQ(p.lowMark, "m");
    EXPECT_EQ(p.sideMark, "");

    p = splitChordSymbol("D", 14); // m7b5 keeps its "m"
    EXPECT_EQ(p.rest, "m7b5");
    EXPECT_EQ(p.lowMark, "");

    for (int sus : {9, 10}) { // sus, sus2: wholly in the low mark, nothing raised
        p = splitChordSymbol("G", sus);
        EXPECT_EQ(p.rest, "");
        EXPECT_EQ(p.lowMark, sus == 9 ? "sus" : "sus2");
    }

    p = splitChordSymbol("E", 12); // +7
    EXPECT_EQ(p.rest, "7");
    EXPECT_EQ(p.sideMark, "+");

    p = splitChordSymbol("F#", 11); // mM7
    EXPECT_EQ(p.root, "F");
    EXPECT_EQ(p.accidental, "#");
    EXPECT_EQ(p.rest, "M7");
    EXPECT_EQ(p.lowMark, "m");

    p = splitChordSymbol("Bb", 0);
    EXPECT_EQ(p.root, "B");
    EXPECT_EQ(p.accidental, "b");
    EXPECT_EQ(p.rest, "");
    EXPECT_EQ(splitChordSymbol("A", 3).rest, "o");
}

TEST(PageZoom, StartsFromAClampedZoomAndNeverPassesSixteen) {
    EXPECT_EQ(effectivePageZoom(8, 8 * 48), 8);
    EXPECT_EQ(effectivePageZoom(8, 9 * 48), 16);
    EXPECT_EQ(effectivePageZoom(16, 48), 16);
    EXPECT_EQ(effectivePageZoom(0, 200), 8); // 1, 2, 4, 8
    EXPECT_EQ(effectivePageZoom(-7, 48), 1);
    EXPECT_EQ(effectivePageZoom(12, 700), 16); // 12 doubles to 24, held at 16
    EXPECT_EQ(effectivePageZoom(1000, 48), 16);
}

TEST(PagePainting, CellRectanglesFollowTheChordLengths) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    setChords(rig.core().pageAt(false), {48, 24, 24});
    a.paintPage(true);
    const double s = unitWidth(a, 8);
    ASSERT_EQ(a.chordRects.count(), 3);
    const TRect r0 = a.chordRects.at(0), r1 = a.chordRects.at(1), r2 = a.chordRects.at(2);
    EXPECT_EQ(r0.Left, a.pageArea.Left);
    EXPECT_EQ(r0.Top, a.pageArea.Top);
    EXPECT_EQ(r0.Bottom, a.pageArea.Top + 95); // cells are pageArea.top .. + 94
    const int right0 = static_cast<int>(a.pageArea.Left + 48 * s - 1.5);
    EXPECT_EQ(r0.Right, right0 + 2);
    EXPECT_EQ(r1.Left, right0 + 2);
    const int right1 = static_cast<int>(a.pageArea.Left + 72 * s - 1.5);
    EXPECT_EQ(r2.Left, right1 + 2);
    // The ghost cell after the last chord is as long as it.
    const int ghostLeft = static_cast<int>(a.pageArea.Left + 96 * s + 0.5);
    const int ghostRight = static_cast<int>(a.pageArea.Left + 120 * s - 2 + 0.5);
    EXPECT_EQ(a.addChordRect.Left, ghostLeft);
    EXPECT_EQ(a.addChordRect.Right, ghostRight + 2);
}

TEST(PagePainting, AnEmptyPageHasOneGhostCellOfABar) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    setChords(rig.core().pageAt(false), {});
    a.paintPage(true);
    EXPECT_EQ(a.chordRects.count(), 0);
    EXPECT_EQ(a.addChordRect.Left, a.pageArea.Left);
    EXPECT_EQ(a.addChordRect.Right, static_cast<int>(a.pageArea.Left + 48 * unitWidth(a, 8) - 2 + 0.5) + 2);
}

TEST(PagePainting, NoGhostCellWhileAChordIsResizedOrWhenThePageIsFull) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    setChords(rig.core().pageAt(false), {48});
    a.resizedChord = 0;
    a.paintPage(true);
    EXPECT_EQ(a.addChordRect, globalUndefinedRect);
    a.resizedChord = -1;
    setChords(rig.core().pageAt(false), {384, 384});
    a.paintPage(true);
    EXPECT_EQ(rig.core().pageAt(false).zoom, 16);
    EXPECT_EQ(a.chordRects.count(), 2);
    EXPECT_EQ(a.addChordRect, globalUndefinedRect);
}

TEST(PagePainting, ALongPageIsShownAtZoomSixteenAndTheBarsBoxToggles) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    QvPage& page = rig.core().pageAt(false);
    setChords(page, {48, 48, 48, 48, 48, 48, 48, 48, 48});
    a.paintPage(true);
    EXPECT_EQ(page.zoom, 16);
    // Nine bars: the box cannot go back to 8.
    a.paintBarsPanel(true);
    EXPECT_EQ(page.zoom, 16);
    setChords(page, {48, 48});
    a.paintBarsPanel(true);
    EXPECT_EQ(page.zoom, 8);
    a.paintBarsPanel(true);
    EXPECT_EQ(page.zoom, 16);
    // A point beyond bar 8 keeps the zoom at 16.
    page.addAPoint(400);
    a.paintBarsPanel(true);
    EXPECT_EQ(page.zoom, 16);
    EXPECT_EQ(a.barsBoxRect, (TRect{a.barsBoxOrigin.x - 2, a.barsBoxOrigin.y - 4, a.barsBoxOrigin.x + 43,
                                    a.barsBoxOrigin.y + 13}));
}

TEST(PagePainting, IndicesOutsideThePageAreHarmless) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    a.hoveredChord = 999;
    a.editedChord = -5;
    a.selectedPoint = 77;
    a.pointDragIndex = 1234;
    a.chordDropIndex = 500;
    a.menuSlot = 4000;
    rig.core().currentChordIndex = 999;
    a.refreshPanels();
    EXPECT_GT(a.chordRects.count(), 0);
}

TEST(KeyColour, FollowsTheColouringOption) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    rig.options().chordColoring = 1;
    EXPECT_EQ(a.keyColour(3), a.theme.dimTextColour());
    rig.options().chordColoring = 2;
    EXPECT_NE(a.keyColour(0), a.keyColour(7));
    EXPECT_EQ(a.keyColour(-1), a.keyColour(11));
    EXPECT_EQ(a.keyColour(12), a.keyColour(0));
    rig.options().cursorMode = 1;
    EXPECT_EQ(a.beatPulse(), 1.0);
}

// Every look in key colours (main-look-*.png): the relief lights the top of a cell and keeps its hue.
TEST(KeyColour, TheReliefLightsTheTopOfACellAndKeepsItsHue) {
    auto qc = [](TColor k) { return QColor(colourRed(k), colourGreen(k), colourBlue(k)); };
    for (int look = 0; look < 4; ++look) {
        WindowRig rig([look](Options& o) {
            o.chordColoring = 2;
            o.chordLook = look;
        });
        rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
        saveScreen(*rig.form, "main-look-" + rig.options().chordLookNames.at(look));
        const TRect r = rig.app().chordRects.at(3); // C
        const QColor key = qc(rig.app().keyColour(0)), top = qc(rig.pixel(r.Left + 8, r.Top + 3));
        if (look == 3) continue; // Cool shades the top
        EXPECT_NEAR(top.hsvHue(), key.hsvHue(), 8) << look;
        EXPECT_GT(top.hsvSaturation(), key.hsvSaturation() * 3 / 4) << look;
        EXPECT_GE(top.value(), key.value()) << look;
    }
}

TEST(RulerAndSlots, RulerEndsAtThePageAndThrottlesWhilePlaying) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    setChords(rig.core().pageAt(false), {48, 48, 48});
    a.paintPage(true);
    const double s = unitWidth(a, 8);
    const int pageEnd = static_cast<int>(144 * s + a.positionScale.Left + 0.5);
    EXPECT_EQ(a.rulerRect.Right, pageEnd - 2);
    EXPECT_EQ(a.rulerRect.Bottom, a.positionScale.Bottom + 4);

    a.togglePlay();
    a.paintRuler(true);
    const std::int64_t painted = a.rulerLastPaint;
    rig.clock.advance(5);
    a.paintRuler(false);
    EXPECT_EQ(a.rulerLastPaint, painted);
    a.paintRuler(true);
    EXPECT_EQ(a.rulerLastPaint, painted + 5);
    rig.clock.advance(10);
    a.paintRuler(false);
    EXPECT_EQ(a.rulerLastPaint, painted + 15);
    a.togglePlay();
}

TEST(RulerAndSlots, SlotsShrinkWhenTheStripIsFull) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    QvCore& core = rig.core();
    core.pageSlots.clear();
    for (int i = 0; i < 5; ++i) core.pageSlots.add(i);
    a.paintPageSlots(false);
    ASSERT_EQ(a.slotRects.count(), 5);
    EXPECT_EQ(a.slotRects.at(1).Left - a.slotRects.at(0).Left, 25);
    EXPECT_EQ(a.addPageRect.Left, a.slotStrip.Left + 5 * 25);

    core.pageSlots.clear();
    for (int i = 0; i < 80; ++i) core.pageSlots.add(i % kPageCount);
    a.addPageHover = true;
    a.paintPageSlots(false);
    ASSERT_EQ(a.slotRects.count(), 80);
    const int width = a.slotStrip.Right - a.slotStrip.Left;
    const int w = width / 81 - 1;
    EXPECT_EQ(a.slotRects.at(1).Left - a.slotRects.at(0).Left, w + 1);
    EXPECT_LE(a.addPageRect.Right, a.slotStrip.Right);
    // With 80 slots the add-page slot is never drawn.
    const TRect& r = a.addPageRect;
    for (int x = r.Left; x < r.Right; ++x) EXPECT_EQ(rig.pixel(x, r.Top + 12), RGB(0, 0, 0));
}

TEST(RulerAndSlots, ArrangementPointsGetADiamondEach) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    QvPage& page = rig.core().pageAt(false);
    setChords(page, {48, 48});
    page.addAPoint(0);
    page.addAPoint(48);
    a.paintPage(true);
    ASSERT_EQ(a.pointRects.count(), 2);
    const double s = unitWidth(a, 8);
    const int x1 = static_cast<int>(48 * s + a.positionScale.Left + 0.5);
    const int half = (a.arrangementStrip.Bottom - a.arrangementStrip.Top) / 2;
    EXPECT_EQ(a.pointRects.at(1),
              (TRect{x1 - half, a.arrangementStrip.Top, x1 + half, a.arrangementStrip.Bottom}));
    a.selectedPoint = 1;
    a.paintArrangementStrip();
    EXPECT_EQ(a.selectedPointX, x1);
}

TEST(StatusBoxes, TextsOfTheKeyTempoAndPositionBoxes) {
    WindowRig rig;
    rig.start();
    QuoVelanta& a = rig.app();
    QvCore& core = rig.core();
    core.key = 0;
    EXPECT_EQ(a.keyBoxText(), "");
    a.keyResetButton = false;
    a.paintKeyBox();
    EXPECT_TRUE(a.keyResetButton);
    core.key = 7;
    EXPECT_EQ(a.keyBoxText(), "     shift -5");
    core.key = 2;
    EXPECT_EQ(a.keyBoxText(), "     shift +2");
    a.paintKeyBox();
    EXPECT_FALSE(a.keyResetButton);

    const int styleTempo = rig.ctx->engine.styles.current().bpm;
    core.tempo(styleTempo);
    EXPECT_EQ(a.tempoBoxText(), std::to_string(styleTempo) + " BPM");
    core.tempo(styleTempo - 20);
    EXPECT_EQ(a.tempoBoxText(),
              std::to_string(styleTempo - 20) + " (" + std::to_string(styleTempo) + ") BPM");
    a.paintTempoBox();
    EXPECT_FALSE(a.tempoResetButton);

    // A song of no length (no sequence entries) shows 00:00 twice.
    std::string total;
    core.pageSlots.clear();
    EXPECT_EQ(a.positionCounterText(total), "00:00");
    EXPECT_EQ(total, "00:00");
    // Four bars of 4/4 at 120: 8 s.
    core.stepsPerBeat(4);
    core.stepsPerBar(16);
    core.tempo(120);
    core.pageSlots.clear();
    core.pageSlots.add(0);
    setChords(core.pages.at(0), {48, 48, 48, 48});
    EXPECT_EQ(a.positionCounterText(total), "00:00");
    EXPECT_EQ(total, "00:08");
}

TEST(StatusBoxes, TheVisualTransposeOptionMovesTheSmallBoxes) {
    WindowRig rig([](Options& o) { o.visualTranspose_selector = false; });
    rig.start();
    QuoVelanta& a = rig.app();
    const int R = a.displayRect.Right;
    EXPECT_EQ(a.transposeBoxRect, (TRect{0, 0, 0, 0}));
    EXPECT_EQ(a.repeatBoxRect.Left, R - 274);
    EXPECT_EQ(a.precountBoxRect.Left, R - 157);
    EXPECT_EQ(a.masterTuneBoxRect.Left, R - 84);
    rig.options().visualTranspose_selector = true;
    rig.repaint();
    EXPECT_EQ(a.repeatBoxRect.Left, R - 350);
    EXPECT_EQ(a.precountBoxRect.Left, R - 230);
    EXPECT_EQ(a.masterTuneBoxRect.Left, R - 157);
    EXPECT_EQ(a.transposeBoxRect, (TRect{R - 84, a.displayRect.Top + 10, R - 15, a.displayRect.Top + 21}));
}

TEST(StatusBoxes, TheVisualiserCanBeHidden) {
    WindowRig rig([](Options& o) { o.visualizeNotes = true; });
    rig.start();
    QuoVelanta& a = rig.app();
    const TRect shown = a.visualiserRect;
    EXPECT_EQ(shown.Top, a.displayRect.Top + 26);
    EXPECT_EQ(shown.Left, a.displayRect.Right - 52 * 5 - 14);
    rig.options().visualizeNotes = false;
    rig.repaint();
    EXPECT_EQ(a.visualiserRect, globalUndefinedRect);
    for (int mode = 1; mode <= 3; ++mode) {
        rig.options().visualizeNotes = true;
        rig.options().visualizeMode = mode;
        rig.repaint();
        EXPECT_EQ(a.visualiserRect.Right,
                  mode == 1 ? a.displayRect.Right - 14 - 2 : a.displayRect.Right - 350 + 335);
    }
}

TEST(StatusBoxes, StatusBoxClickableRectCoversLabelAndValue) {
    WindowRig rig;
    rig.start(win::sampleSession("01 Pop Song - Open Road.qvs"));
    QuoVelanta& a = rig.app();
    EXPECT_EQ(a.styleBoxRect.Left, a.styleCell.Left);
    EXPECT_EQ(a.styleBoxRect.Bottom, a.styleCell.Bottom);
    EXPECT_GT(a.styleBoxRect.Right - a.styleBoxRect.Left, 60); // the style's name, not just the label
    EXPECT_EQ(a.tempoBoxRect.Left, a.tempoCell.Left);
    EXPECT_EQ(a.keyBoxRect.Left, a.keyCell.Left);
}
