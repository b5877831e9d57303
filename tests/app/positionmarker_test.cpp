// The play-from marker: where its box lies, its grey, and how moving it brings back the page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/positionmarker.h"

namespace {

struct Log {
    std::vector<std::string> calls;
    void attach(PositionMarker& m) {
        m.repaintUnder = [this](const TRect& r) { calls.push_back("repaint " + text(r)); };
        m.blend = [this](const TRect& r, int g) {
            calls.push_back("blend " + text(r) + " " + std::to_string(g));
        };
        m.present = [this](const TRect& r) { calls.push_back("present " + text(r)); };
    }
    static std::string text(const TRect& r) {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right);
    }
};

MarkerGeometry geometry() {
    MarkerGeometry g;
    g.scaleLeft = 100;
    g.scaleWidth = 384; // 8 bars: 48 px a bar, 12 px a beat
    g.pageTop = 200;
    g.zoomBars = 8;
    g.pageUnits = 4 * 48;
    return g;
}

TEST(PositionMarker, BoxIsOneBeatOnTheBeatUnderThePosition) {
    MarkerGeometry g = geometry();
    EXPECT_EQ(PositionMarker::boxOf(0, g), (TRect{100, 261, 112, 295}));
    EXPECT_EQ(PositionMarker::boxOf(13, g), (TRect{112, 261, 124, 295})); // snapped down to beat 2
    g.triple = true;                                                      // 3/4: 16 units a beat
    EXPECT_EQ(PositionMarker::boxOf(17, g), (TRect{116, 261, 132, 295}));
    EXPECT_EQ(PositionMarker::greyOf(0, geometry(), 0), 127);
    EXPECT_EQ(PositionMarker::greyOf(4 * 48, geometry(), 0), 116); // past the page end
    EXPECT_EQ(PositionMarker::greyOf(0, geometry(), 1), 254);
    EXPECT_EQ(PositionMarker::greyOf(0, geometry(), 2), 63);
}

TEST(PositionMarker, MovingRepaintsThePageUnderTheOldBoxNeverSavedPixels) {
    PositionMarker m;
    Log log;
    log.attach(m);
    const MarkerGeometry g = geometry();
    m.update(0, g, true, false, 0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"blend 100,261-112 127", "present 100,261-112"}));
    log.calls.clear();
    m.update(5, g, true, false, 0); // the same beat: nothing
    EXPECT_TRUE(log.calls.empty());
    m.update(12, g, true, false, 0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"repaint 100,261-112", "present 100,261-112",
                                                   "blend 112,261-124 127", "present 112,261-124"}));
    // After the page was painted again as a whole, the old box is not touched again.
    log.calls.clear();
    m.forget();
    m.update(24, g, true, false, 0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"blend 124,261-136 127", "present 124,261-136"}));
    // A selector that hides the marker, or no position: the page comes back, nothing is drawn.
    log.calls.clear();
    m.update(24, g, false, false, 0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"repaint 124,261-136", "present 124,261-136"}));
    EXPECT_EQ(m.shownRect(), (TRect{-1, -1, -1, -1}));
    log.calls.clear();
    m.update(-1, g, true, false, 0);
    EXPECT_TRUE(log.calls.empty());
    // force draws again in place, over a repainted page (no double blend).
    m.update(0, g, true, false, 0);
    log.calls.clear();
    m.update(0, g, true, true, 1);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"repaint 100,261-112", "blend 100,261-112 254",
                                                   "present 100,261-112"}));
}

} // namespace
