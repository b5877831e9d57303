#include <gtest/gtest.h>

#include "engine/qvpage.h"
#include "qvpage_test_util.h"

using V = std::vector<int>;

namespace {

QvPage pageWithPoints(const std::vector<int>& lens, const std::vector<int>& points) {
    QvPage p = pageOfLengths(lens);
    for (int pos : points) p.addAPoint(pos);
    return p;
}

std::string pageText(QvPage& p) {
    p.saveFile("chord page 0", "");
    return p.lines.joined();
}

const char* const kClipboardIntro = "The clipboard content was created with a music style in 4/4 time. ";

} // namespace

TEST(QvPageMeter, ThreeQuarterChordsRoundTrip) {
    QvPage p = pageOfLengths({12, 12, 12});
    p.convertMeter(true);
    EXPECT_EQ(lengthsOf(p), (V{16, 16, 16}));
    p.convertMeter(false);
    EXPECT_EQ(lengthsOf(p), (V{12, 12, 12}));
}

TEST(QvPageMeter, FourChordsInABarNeedADeletion) {
    QvPage p = pageOfLengths({12, 12, 12, 12, 48});
    EXPECT_EQ(p.dropChordsOffGrid34(false), 1);
    EXPECT_EQ(lengthsOf(p), (V{12, 12, 12, 12, 48})); // counting changes nothing

    QvPage kept = p;
    kept.convertMeter(true);
    EXPECT_EQ(lengthsOf(kept), (V{16, 0, 16, 16, 48})); // what the deletion prevents

    EXPECT_EQ(p.dropChordsOffGrid34(true), 1);
    EXPECT_EQ(lengthsOf(p), (V{24, 12, 12, 48}));
    EXPECT_EQ(keysOf(p), (V{0, 2, 3, 4}));
    p.convertMeter(true);
    EXPECT_EQ(lengthsOf(p), (V{16, 16, 16, 48}));
    p.convertMeter(false);
    EXPECT_EQ(lengthsOf(p), (V{24, 12, 12, 48}));
}

TEST(QvPageMeter, OffGridChordsInSeveralBars) {
    // Bars 1 and 3 hold four quarter chords each; bar 2 holds one.
    QvPage p = pageOfLengths({12, 12, 12, 12, 48, 12, 12, 12});
    EXPECT_EQ(p.dropChordsOffGrid34(false), 1); // the last bar has too few chords after its mid-bar chord
    QvPage q = pageOfLengths({12, 12, 12, 12, 48, 12, 12, 12, 12, 48});
    EXPECT_EQ(q.dropChordsOffGrid34(false), 2);
    EXPECT_EQ(q.dropChordsOffGrid34(true), 2);
    EXPECT_EQ(lengthsOf(q), (V{24, 12, 12, 48, 24, 12, 12, 48}));
    EXPECT_EQ(q.dropChordsOffGrid34(false), 0);
    QvPage none = pageOfLengths({24, 24, 12, 12});
    EXPECT_EQ(none.dropChordsOffGrid34(true), 0);
    QvPage empty;
    EXPECT_EQ(empty.dropChordsOffGrid34(true), 0);
}

TEST(QvPageMeter, CrowdedPointsNeedADeletion) {
    QvPage p = pageWithPoints({96}, {60, 72, 84});
    EXPECT_EQ(p.dropAPointsOffGrid34(false), 1);
    EXPECT_EQ(pointPositionsOf(p), (V{60, 72, 84}));
    EXPECT_EQ(p.dropAPointsOffGrid34(true), 1);
    EXPECT_EQ(pointPositionsOf(p), (V{72, 84}));
    p.convertMeter(true);
    EXPECT_EQ(pointPositionsOf(p), (V{64, 80}));
    p.convertMeter(false);
    EXPECT_EQ(pointPositionsOf(p), (V{72, 84}));

    QvPage two = pageWithPoints({96}, {12, 24, 36, 60, 72, 84});
    EXPECT_EQ(two.dropAPointsOffGrid34(false), 2);
    EXPECT_EQ(two.dropAPointsOffGrid34(true), 2);
    EXPECT_EQ(pointPositionsOf(two), (V{24, 36, 72, 84}));
}

TEST(QvPageMeter, PointsOnlyPageIsLeftAlone) {
    QvPage p = pageWithPoints({}, {12, 24, 36});
    p.convertMeter(true);
    EXPECT_EQ(pointPositionsOf(p), (V{12, 24, 36}));
    p.convertMeter(false);
    EXPECT_EQ(pointPositionsOf(p), (V{12, 24, 36}));
}

TEST(QvPageMeter, GridPositionsOfPoints) {
    // 12 -> 16, 36 -> 32, a lone mid-bar point -> 32, a mid-bar point followed by 36 -> 16.
    QvPage p = pageWithPoints({192}, {0, 12, 96 + 24, 144 + 24, 144 + 36});
    p.convertMeter(true);
    EXPECT_EQ(pointPositionsOf(p), (V{0, 16, 128, 160, 176}));
    p.convertMeter(false);
    EXPECT_EQ(pointPositionsOf(p), (V{0, 12, 120, 168, 180}));
}

TEST(QvPageMeter, RoundTripOfARealPageIsExact) {
    QvPage p = pageWithPoints({48, 24, 24, 12, 36, 36, 12, 24, 24, 96, 36, 12}, {0, 36, 60, 120, 144, 300});
    p.setSelected(3, true);
    p.zoom = 16;
    std::string before = pageText(p);
    p.convertMeter(true);
    // Every chord boundary and point lies on a 3/4 beat (16 units).
    for (int i = 0; i < p.chordCount(); ++i) EXPECT_EQ((p.chordStart(i) + p.chordLength(i)) % 16, 0) << i;
    EXPECT_EQ(lengthsOf(p), (V{48, 32, 16, 16, 32, 32, 16, 32, 16, 96, 32, 16}));
    EXPECT_EQ(pointPositionsOf(p), (V{0, 32, 64, 128, 144, 304}));
    EXPECT_NE(pageText(p), before);
    p.convertMeter(false);
    EXPECT_EQ(pageText(p), before);
    EXPECT_EQ(selectedOf(p), (V{3}));
}

TEST(QvPageMeter, AnEditIn34IsMappedByTheGrid) {
    QvPage p = pageOfLengths({12, 12, 12});
    p.convertMeter(true);
    ASSERT_EQ(lengthsOf(p), (V{16, 16, 16}));
    // In 3/4 the user lengthens the last chord by a beat: its new end is mapped, the others restored.
    QvChord last = p.chordAt(2);
    last.len = 32;
    p.setChord(last, 2);
    p.convertMeter(false);
    EXPECT_EQ(lengthsOf(p), (V{12, 12, 36}));
}

TEST(QvPageMeter, LastShortChordIsStretchedToTheBarEnd) {
    QvPage p = pageOfLengths({48, 24, 12});
    p.convertMeter(true);
    EXPECT_EQ(lengthsOf(p), (V{48, 32, 16}));
    EXPECT_EQ(p.length(), 96);
    p.convertMeter(false);
    EXPECT_EQ(lengthsOf(p), (V{48, 24, 12}));
    EXPECT_EQ(p.length(), 84);
    // Not stretched when it is not a quarter bar long.
    QvPage q = pageOfLengths({60, 24});
    q.convertMeter(true);
    EXPECT_EQ(lengthsOf(q), (V{64, 16}));
    q.convertMeter(false);
    EXPECT_EQ(lengthsOf(q), (V{60, 24}));
}

TEST(QvPageMeter, PasteAsksBeforeDeletingFromTheClipboard) {
    for (int answer : {1, -1}) { // Cancel, and a box closed without an answer
        TestSession s;
        s.triple = true;
        s.clipboard = pageWithPoints({12, 12, 12, 12, 48}, {12, 24, 36});
        s.prompt.answers = {answer};
        QvPage p = pageOfLengths({48}, 9);
        EXPECT_FALSE(p.paste(1, false, false, s.context())) << answer;
        EXPECT_EQ(lengthsOf(p), (V{48}));
        EXPECT_EQ(lengthsOf(s.clipboard), (V{12, 12, 12, 12, 48}));
        EXPECT_EQ(pointPositionsOf(s.clipboard), (V{12, 24, 36}));
        EXPECT_FALSE(s.clipboardIs34);
        ASSERT_EQ(s.prompt.shown.size(), 1u);
        const FakePrompt::Box& box = s.prompt.shown[0];
        EXPECT_EQ(box.buttons, PromptButtons::OkCancel);
        EXPECT_EQ(box.title, "");
        EXPECT_EQ(
            box.lines,
            (std::vector<std::string>{
                kClipboardIntro, "",
                "One chord has to be deleted in order to align the chords in the actual 3/4 time.",
                "One arrangement point has to be deleted in order to align the arrangement points in the "
                "actual 3/4 time."}));
    }

    TestSession s;
    s.triple = true;
    s.clipboard = pageWithPoints({12, 12, 12, 12, 48}, {12, 24, 36});
    s.prompt.answers = {0};
    QvPage p = pageOfLengths({48}, 9);
    EXPECT_TRUE(p.paste(1, false, false, s.context()));
    EXPECT_EQ(lengthsOf(p), (V{48, 16, 16, 16, 48}));
    EXPECT_EQ(selectedOf(p), (V{1, 2, 3, 4}));
    EXPECT_TRUE(s.clipboardIs34);
    EXPECT_EQ(lengthsOf(s.clipboard), (V{16, 16, 16, 48}));
    EXPECT_EQ(pointPositionsOf(s.clipboard), (V{16, 32}));
    EXPECT_EQ(p.apointCount(), 0); // points are not pasted
}

TEST(QvPageMeter, QuestionCountsSeveralDeletions) {
    TestSession s;
    s.triple = true;
    s.clipboard = pageWithPoints({12, 12, 12, 12, 12, 12, 12, 12, 48}, {60, 72, 84});
    s.prompt.answers = {1};
    QvPage p;
    EXPECT_FALSE(p.paste(0, false, false, s.context()));
    ASSERT_EQ(s.prompt.shown.size(), 1u);
    EXPECT_EQ(
        s.prompt.shown[0].lines,
        (std::vector<std::string>{
            kClipboardIntro, "",
            "2 chords have to be deleted in order to align the chords in the actual 3/4 time.",
            "One arrangement point has to be deleted in order to align the arrangement points in the actual "
            "3/4 time."}));

    TestSession t;
    t.triple = true;
    t.clipboard = pageWithPoints({48}, {12, 24, 36, 60, 72, 84});
    t.prompt.answers = {1};
    EXPECT_FALSE(p.replaceFromClipboard(t.context()));
    ASSERT_EQ(t.prompt.shown.size(), 1u);
    EXPECT_EQ(
        t.prompt.shown[0].lines,
        (std::vector<std::string>{kClipboardIntro, "",
                                  "2 arrangement points have to be deleted in order to align the arrangement "
                                  "points in the actual 3/4 time."}));
    EXPECT_TRUE(p.isEmpty());
}

TEST(QvPageMeter, ClipboardFollowsTheSessionMeterWithoutAQuestion) {
    TestSession s;
    s.triple = true;
    s.clipboard = pageOfLengths({12, 12, 12});
    QvPage p;
    EXPECT_TRUE(p.paste(0, false, false, s.context()));
    EXPECT_TRUE(s.prompt.shown.empty());
    EXPECT_EQ(lengthsOf(p), (V{16, 16, 16}));
    EXPECT_TRUE(s.clipboardIs34);

    // Back in a 4/4 session the 3/4 clipboard is converted back exactly.
    s.triple = false;
    QvPage q;
    EXPECT_TRUE(q.paste(0, false, false, s.context()));
    EXPECT_EQ(lengthsOf(q), (V{12, 12, 12}));
    EXPECT_FALSE(s.clipboardIs34);

    // Content copied in 3/4 is not questioned in a 3/4 session.
    s.triple = true;
    QvPage source = pageOfLengths({16, 16, 16, 16, 48});
    source.selectAll();
    source.copySelectedToClipboard(s.context());
    EXPECT_TRUE(s.clipboardIs34);
    QvPage r;
    EXPECT_TRUE(r.paste(0, false, false, s.context()));
    EXPECT_TRUE(s.prompt.shown.empty());
    EXPECT_EQ(lengthsOf(r), (V{16, 16, 16, 16, 48}));
}

TEST(QvPageMeter, ReplaceConvertsTheClipboard) {
    TestSession s;
    s.triple = true;
    s.clipboard = pageWithPoints({12, 12, 12, 12, 48}, {12, 24, 36});
    s.prompt.answers = {0};
    QvPage p = pageOfLengths({96});
    EXPECT_TRUE(p.replaceFromClipboard(s.context()));
    EXPECT_EQ(lengthsOf(p), (V{16, 16, 16, 48}));
    EXPECT_EQ(pointPositionsOf(p), (V{16, 32}));
    EXPECT_TRUE(s.clipboardIs34);
}

TEST(QvPageMeter, WithoutAPromptOffGridContentIsRefused) {
    QvPage clip = pageOfLengths({12, 12, 12, 12, 48});
    EXPECT_FALSE(clip.convertPasteTo34(nullptr));
    EXPECT_EQ(clip.chordCount(), 5);
    QvPage fine = pageOfLengths({12, 12, 24});
    EXPECT_TRUE(fine.convertPasteTo34(nullptr));
}
