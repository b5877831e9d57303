// A user's first session, clicked and typed through the main window: a four-chord progression on
// two pages, an arrangement point and a loop, played with a count-in, undone and redone, saved and
// opened again; the file must match the golden one byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/selectorcontents.h"
#include "dialogs/programwindows.h"
#include "platform/qt/keymap.h"
#include "tests/app/mainwindow_rig.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Story {
  public:
    win::WindowRig& rig;
    explicit Story(win::WindowRig& r) : rig(r) {}
    QuoVelanta& app() { return rig.app(); }
    QvPage& page() { return rig.core().pageAt(false); }
    void click(TPoint p, int button = 1) {
        rig.clock.advance(700); // never a double click by accident
        app().mouseMove(p.x, p.y, false, 0);
        app().mouseDown(p.x, p.y, button, 0, false);
        app().mouseUp(p.x, p.y, button, 0);
    }
    void clickSensor(int id) {
        const TRect r = app().selector->sensorRect(id);
        ASSERT_LT(r.Left, r.Right) << "no sensor " << id;
        click({app().selector->x + (r.Left + r.Right) / 2, app().selector->y + (r.Top + r.Bottom) / 2});
    }
    void key(int vk) { app().keyDown(vk, false, false); }
    // A chord added on the add-chord area and set in the chord editor that opens on it.
    void addChord(int root, int variantId) {
        const TRect add = app().addChordRect;
        ASSERT_GE(add.Right, add.Left);
        click({add.Left + 6, add.Top + 10});
        ASSERT_EQ(app().selectorKind, 4);
        clickSensor(root);
        clickSensor(variantId);
        key(vk::Escape); // closes the editor
        ASSERT_EQ(app().selectorKind, 0);
    }
};

TEST(UserStory, TwoPagesPointLoopPlayUndoRedoSaveAndReopen) {
    win::WindowRig rig([](Options& o) {
        o.precountMode = 1;
        o.precountSound = 3;
    });
    ProgramWindows windows(rig.app(), *rig.form);
    rig.start();
    Story s(rig);
    QuoVelanta& a = rig.app();
    QvCore& core = rig.core();

    // Page 1: C, G, Am, F.
    s.addChord(0, 100);
    s.addChord(7, 100);
    s.addChord(9, 101);
    s.addChord(5, 100);
    ASSERT_EQ(s.page().chordCount(), 4);
    EXPECT_EQ(s.page().chordAt(2).key, 9);
    EXPECT_EQ(s.page().chordAt(2).variant, 1);

    // A second entry in the sequence, changed to page 2 in the page menu that opens on it.
    const TRect addPage = a.addPageRect;
    s.click({addPage.Left + 4, addPage.Top + 4});
    ASSERT_EQ(core.pageSlots.count(), 2);
    ASSERT_EQ(a.selectorKind, 5);
    s.clickSensor(1);
    EXPECT_EQ(core.pageSlots.at(1), 1);
    EXPECT_EQ(core.editedPosition, 1);
    s.key(vk::Escape);
    // Page 2: Dm7, G7, C, C.
    s.addChord(2, 105);
    s.addChord(7, 104);
    s.addChord(0, 100);
    s.addChord(0, 100);
    ASSERT_EQ(s.page().chordCount(), 4);

    // An arrangement point at the start of page 2's second bar.
    const TRect sc = a.positionScale;
    const int z = a.pageZoom(s.page());
    const int bar2 = sc.Left + int(48.0 * (sc.Right - sc.Left) / (z * 48));
    s.click({bar2, a.arrangementStrip.Top + 8});
    ASSERT_EQ(s.page().apointCount(), 1);
    EXPECT_EQ(s.page().apointAt(0).pos, 48);
    s.key(vk::Escape);

    // A loop over page 2's first two bars, drawn on the ruler (the first click shows the hint).
    const int bar1x = sc.Left + 3;
    const int y = sc.Top + 3;
    s.click({bar1x, y});
    rig.clock.advance(700);
    a.mouseMove(bar1x, y, false, 0);
    a.mouseDown(bar1x, y, 1, 0, false);
    a.mouseMove(bar2 + 3, y, true, 0);
    a.mouseUp(bar2 + 3, y, 1, 0);
    const int pageStart = core.startTickOf(1) / core.stepsPerBarValue;
    EXPECT_EQ(core.loopStart, pageStart);
    EXPECT_EQ(core.loopEnd, pageStart + 1);
    EXPECT_TRUE(core.loopRegionActive);

    // Space plays (after the count-in) and Space stops.
    const size_t mark = rig.live.size();
    s.key(vk::Space);
    waitMs(2000, true);
    s.key(vk::Space);
    EXPECT_FALSE(rig.ctx->engine.stepControl.isPlaying());
    int clicks = 0, notes = 0;
    for (size_t i = mark; i < rig.live.size(); ++i) {
        const auto& m = rig.live[i];
        if (m.status == 0x99 && m.data1 == 75 && m.data2 > 0) ++clicks;
        if ((m.status & 0xF0) == 0x90 && m.status != 0x99 && m.data2 > 0) ++notes;
    }
    EXPECT_EQ(clicks, 4);
    EXPECT_GT(notes, 0);

    // Undo and redo give back the same session.
    a.sessionPath = rig.dir.file("before.qvs");
    ASSERT_TRUE(a.saveSession());
    a.undo();
    EXPECT_FALSE(core.loopRegionActive && core.loopStart == pageStart && core.loopEnd == pageStart + 1);
    a.redo();
    a.sessionPath = rig.dir.file("story.qvs");
    ASSERT_TRUE(a.saveSession());
    EXPECT_EQ(fileText(rig.dir.file("story.qvs")), fileText(rig.dir.file("before.qvs")));

    // Reopened, it saves the same bytes, and those are the golden file's.
    ASSERT_TRUE(a.newSession(true));
    ASSERT_TRUE(a.openSession(rig.dir.file("story.qvs")));
    EXPECT_EQ(core.pageAt(false).chordCount(), 4);
    a.sessionPath = rig.dir.file("again.qvs");
    ASSERT_TRUE(a.saveSession());
    const std::string saved = fileText(rig.dir.file("again.qvs"));
    EXPECT_EQ(saved, fileText(rig.dir.file("story.qvs")));
    const std::string golden = std::string(QV_TEST_DATA) + "/session/userstory.qvs";
    EXPECT_EQ(saved, fileText(golden)) << "compare " << rig.dir.file("again.qvs") << " with " << golden;
}

} // namespace
