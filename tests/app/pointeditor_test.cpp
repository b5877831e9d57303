// The point editor's mode and cymbal popups (the choice, its history record, a dismissal that is not
// reopened by its own replayed click), a chord resize in 3/4, and the page menu's Cut and Paste.
#include <gtest/gtest.h>

#include "tests/app/scriptedmenus_rig.h"

namespace {

class PointEditor : public win::ScriptedMenusTest {
  protected:
    void click(TPoint p, int button = 1, int modifier = 0) {
        rig.clock.advance(1000);
        app().mouseMove(p.x, p.y, false, 0);
        app().mouseDown(p.x, p.y, button, modifier, false);
        app().mouseUp(p.x, p.y, button, modifier);
    }
    // One bar-long chord and a point at its start, its editor open.
    void openEditor() {
        page().addChord(QvChord(0, 0, 0, kAutoBassArg, false, 48), -1);
        page().addChord(QvChord(5, 0, 0, kAutoBassArg, false, 48), -1);
        page().addAPoint(0);
        rig.repaint();
        const TRect s = app().positionScale;
        const int y = app().arrangementStrip.Top + 8;
        click({s.Left, y}); // a double click on the point opens its editor
        app().mouseDown(s.Left, y, 1, 0, false);
        app().mouseUp(s.Left, y, 1, 0);
        ASSERT_EQ(app().selectorKind, 6);
        ASSERT_EQ(app().selectedPoint, 0);
    }
    TPoint sensorPoint(int id) {
        const TRect r = app().selector->sensorRect(id);
        EXPECT_LT(r.Left, r.Right) << "no sensor " << id;
        return {app().selector->x + (r.Left + r.Right) / 2, app().selector->y + (r.Top + r.Bottom) / 2};
    }
};

TEST_F(PointEditor, EachPopupListsItsNamesTicksTheCurrentAndItsChoiceChangesThePoint) {
    openEditor();
    struct Case {
        int sensor, answer;
        std::vector<std::string> items;
        int QvAPoint::*field;
    };
    const Case cases[] = {
        {kArrangementDrumModeId, 1, {"$Normal", "Break", "Off"}, &QvAPoint::mDrums},
        {kArrangementBassModeId, 2, {"$Normal", "Sustain", "Break", "Off"}, &QvAPoint::mBass},
        {kArrangementChordModeId, 1, {"$Normal", "Sustain", "Break", "Off"}, &QvAPoint::mChords},
        {kArrangementCymbalId,
         4,
         {"Off", "$Crash", "Crash 2", "Splash", "Ride", "Ride 2", "Ride Bell", "China"},
         &QvAPoint::cym},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sensor);
        const QvAPoint before = page().apointAt(0);
        const int n = records();
        menus.clear();
        menuAnswers = {c.answer};
        click(sensorPoint(c.sensor));
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0], c.items);
        const QvAPoint after = page().apointAt(0);
        EXPECT_EQ(after.*(c.field), c.answer);
        // Nothing else of the point changed.
        QvAPoint expected = before;
        expected.*(c.field) = c.answer;
        EXPECT_EQ(after.mDrums, expected.mDrums);
        EXPECT_EQ(after.mBass, expected.mBass);
        EXPECT_EQ(after.mChords, expected.mChords);
        EXPECT_EQ(after.cym, expected.cym);
        EXPECT_EQ(records(), n + 1);
        EXPECT_EQ(lastRecord(), "Edit Arrangement Point");
        // The editor was rebuilt on the changed point: the sensor shows the new name.
        ASSERT_EQ(app().selectorKind, 6);
        const int k = app().selector->sensorIndex(c.sensor);
        ASSERT_GE(k, 0);
        EXPECT_EQ(app().selector->sensors.at(k).text, c.items[c.answer].substr(c.items[c.answer][0] == '$'));
    }
    // The parts of a drums mode "Break" are still there; with chords "Off" the layers go.
    menus.clear();
    menuAnswers = {3};
    click(sensorPoint(kArrangementChordModeId));
    EXPECT_EQ(page().apointAt(0).mChords, 3);
    EXPECT_LT(app().selector->sensorIndex(kArrangementLayerAId), 0);
}

TEST_F(PointEditor, ADismissedPopupOrTheCurrentChoiceChangesNothingAndItsOwnClickDoesNotReopenIt) {
    openEditor();
    const int n = records();
    // Dismissed by a click on the same sensor: the click is replayed, but the popup stays closed.
    const TPoint drums = sensorPoint(kArrangementDrumModeId);
    int dismissals = 1;
    app().dismissClickSource = [&](int& x, int& y, int& button, int& modifiers) {
        if (dismissals-- <= 0) return false;
        x = drums.x;
        y = drums.y;
        button = 1;
        modifiers = 0;
        return true;
    };
    click(drums);
    EXPECT_EQ(menus.size(), 1u);
    EXPECT_EQ(app().dismissedSensor, kArrangementDrumModeId);
    EXPECT_EQ(page().apointAt(0).mDrums, 0);
    EXPECT_EQ(records(), n);
    EXPECT_EQ(app().selectorKind, 6);

    // Dismissed by a click on another mode sensor: that one opens in turn.
    const TPoint bass = sensorPoint(kArrangementBassModeId);
    menus.clear();
    dismissals = 1;
    app().dismissClickSource = [&](int& x, int& y, int& button, int& modifiers) {
        if (dismissals-- <= 0) return false;
        x = bass.x;
        y = bass.y;
        button = 1;
        modifiers = 0;
        return true;
    };
    click(sensorPoint(kArrangementCymbalId));
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[1][0], "$Normal");
    EXPECT_EQ(menus[1].size(), 4u);
    EXPECT_EQ(records(), n);
    app().dismissClickSource = nullptr;

    // A fresh click opens the popup again; the current name or an answer out of range does nothing.
    menus.clear();
    menuAnswers = {0, 99};
    click(sensorPoint(kArrangementDrumModeId));
    click(sensorPoint(kArrangementCymbalId));
    EXPECT_EQ(menus.size(), 2u);
    EXPECT_EQ(page().apointAt(0).mDrums, 0);
    EXPECT_EQ(page().apointAt(0).cym, 1);
    EXPECT_EQ(records(), n);
}

TEST_F(PointEditor, AResizeIn34SnapsToItsBeatAndRecordsIt) {
    StyleFile& style = rig.ctx->engine.styles.current();
    style.stepsPerBar = style.stepsPerBeat * 3;
    ASSERT_TRUE(rig.core().isTripleMeter());
    page().addChord(QvChord(0, 0, 0, kAutoBassArg, false, 48), -1);
    page().addChord(QvChord(5, 0, 0, kAutoBassArg, false, 48), -1);
    rig.repaint();
    const TRect r = app().chordRects.at(0);
    const int y = r.Top + 10;
    app().mouseMove(r.Right - 2, y, false, 0);
    ASSERT_EQ(app().hoveredResizeHandle, 0);
    app().mouseDown(r.Right - 2, y, 1, 0, false);
    ASSERT_EQ(app().resizedChord, 0);
    const int z = app().pageZoom(page());
    const double pxPerUnit = double(app().pageArea.Right - app().pageArea.Left) / (z * 48);
    auto at = [&](int units) { return app().pageArea.Left + int(std::ceil(units * pxPerUnit)); };
    const int n = records();
    // 25 units: 16 x trunc((25 + 8) / 16) = 32.
    app().mouseMove(at(25), y, true, 0);
    EXPECT_EQ(page().chordLength(0), 32);
    EXPECT_EQ(lastRecord(), "Resize chord");
    EXPECT_EQ(records(), n + 1);
    // 41 units: 16 x trunc(49 / 16) = 48 (the 4/4 rule would give 36 or 48 from other bounds).
    app().mouseMove(at(41), y, true, 0);
    EXPECT_EQ(page().chordLength(0), 48);
    // Far left: never below one beat of 16.
    app().mouseMove(app().pageArea.Left, y, true, 0);
    EXPECT_EQ(page().chordLength(0), 16);
    app().mouseUp(app().pageArea.Left, y, 1, 0);
    EXPECT_EQ(app().resizedChord, -1);
    EXPECT_EQ(page().chordLength(1), 48);
}

TEST_F(PointEditor, ThePageMenuCutsAndPastesThePageContent) {
    page().addChord(QvChord(0, 0, 0, kAutoBassArg, false, 48), -1);
    page().addChord(QvChord(7, 0, 0, kAutoBassArg, false, 24), -1);
    page().addAPoint(48);
    rig.repaint();
    const int n = records();
    app().menuSlot = 0;
    app().openPageSlotMenu(false);
    ASSERT_EQ(app().selectorKind, 5);
    click(sensorPoint(kPageCutId));
    EXPECT_TRUE(page().isEmpty());
    EXPECT_EQ(records(), n + 1);
    EXPECT_EQ(lastRecord(), "Cut Page content");
    // Cutting an empty page records nothing.
    if (app().selectorKind != 5) app().openPageSlotMenu(false);
    ASSERT_EQ(app().selectorKind, 5);
    click(sensorPoint(kPageCutId));
    EXPECT_EQ(records(), n + 1);

    if (app().selectorKind != 5) app().openPageSlotMenu(false);
    ASSERT_EQ(app().selectorKind, 5);
    click(sensorPoint(kPagePasteId));
    ASSERT_EQ(page().chordCount(), 2);
    EXPECT_EQ(page().chordLength(0), 48);
    EXPECT_EQ(page().chordLength(1), 24);
    EXPECT_EQ(page().apointCount(), 1);
    EXPECT_EQ(page().apointAt(0).pos, 48);
    EXPECT_EQ(records(), n + 2);
    EXPECT_EQ(lastRecord(), "Paste Page content");
}

} // namespace
