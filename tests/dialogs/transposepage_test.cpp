// The Transpose page: the preview on the live session, Cancel and every other close taking it back
// exactly (against the page it was applied to, even when playback moved the edited page), the mode
// switch, and the command's undo step.
#include <gtest/gtest.h>

#include "dialogs/transposepage.h"
#include "settingspages_rig.h"

using pages::Rig;

namespace {

// Radio buttons: semitones 0..11 are widgets 0..11; "All pages", "Actual page", "Selected chords"
// are 12, 13 and 14.
constexpr int kAllPages = 12, kActualPage = 13, kSelectedChords = 14;

// Pages 0 and 1 in the sequence, each with chords; the second chord of page 0 selected.
void fill(Rig& r) {
    QvCore& core = r.core();
    core.pageSlots.clear();
    core.pageSlots.add(0);
    core.pageSlots.add(1);
    core.pageSlots.add(5);
    for (int p : {0, 1, 5}) {
        QvPage& page = core.pages.at(p);
        for (int i = 0; i < 3; ++i)
            page.addChord(QvChord((p + 3 * i) % 12, i, 0, kAutoBassArg, false, 48), -1);
    }
    core.pages.at(0).chords.at(1).selected = true;
    core.editedPosition = 0;
}

std::vector<int> keysOf(const QvPage& page) {
    std::vector<int> keys;
    for (const QvChord& c : page.chords) keys.push_back(c.key);
    return keys;
}

} // namespace

TEST(TransposePage, CancelRestoresTheSessionExactlyAfterPlaybackMovedTheEditedPage) {
    Rig r;
    fill(r);
    const std::string before = r.sessionText();
    std::vector<int> previewed;
    r.then([&] { r.clickWidget(kActualPage); });
    r.then([&] { r.clickWidget(5); });
    r.then([&] {
        previewed = keysOf(r.core().pages.at(0));
        r.core().editedPosition = 1; // playback follows to the next page while the page is open
    });
    r.then([&] { dlg::clickButton(&r.top(), 1); }); // Cancel
    EXPECT_FALSE(showTransposePage(r.app(), false));
    EXPECT_EQ(previewed, (std::vector<int>{5, 8, 11}));
    r.core().editedPosition = 0;
    EXPECT_EQ(r.sessionText(), before);
    EXPECT_EQ(r.history().count(), 1);
}

TEST(TransposePage, AModeSwitchAfterPlaybackMovedThePageUndoesTheOldPreviewWhereItWasMade) {
    Rig r;
    fill(r);
    const std::string before = r.sessionText();
    r.then([&] { r.clickWidget(kActualPage); });
    r.then([&] { r.clickWidget(3); });
    r.then([&] { r.core().editedPosition = 2; }); // page 5 is edited now
    r.then([&] { r.clickWidget(kAllPages); });    // page 0 goes back by 3, then all pages up by 3
    r.then([&] {
        EXPECT_EQ(keysOf(r.core().pages.at(0)), (std::vector<int>{3, 6, 9}));
        EXPECT_EQ(keysOf(r.core().pages.at(5)), (std::vector<int>{8, 11, 2}));
        EXPECT_EQ(keysOf(r.core().pages.at(1)), (std::vector<int>{4, 7, 10}));
    });
    r.then([&] { r.loop.abort = true; }); // the program quits while the page is open
    EXPECT_FALSE(showTransposePage(r.app(), false));
    r.core().editedPosition = 0;
    EXPECT_EQ(r.sessionText(), before);
}

TEST(TransposePage, SwitchingFromSelectedChordsToAllPagesMovesTheSelectionBackFirst) {
    Rig r;
    fill(r);
    r.then([&] { r.clickWidget(5); }); // opened on the selected chords
    r.then([&] { EXPECT_EQ(keysOf(r.core().pages.at(0)), (std::vector<int>{0, 8, 6})); });
    r.then([&] { r.clickWidget(kAllPages); });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    EXPECT_TRUE(showTransposePage(r.app(), true));
    EXPECT_EQ(keysOf(r.core().pages.at(0)), (std::vector<int>{5, 8, 11}));
    EXPECT_EQ(keysOf(r.core().pages.at(1)), (std::vector<int>{6, 9, 0}));
    EXPECT_EQ(keysOf(r.core().pages.at(7)), (std::vector<int>{}));
}

TEST(TransposePage, ElevenSemitonesIsOneDownAndTheCommandRecordsTranspose) {
    Rig r;
    fill(r);
    r.then([&] { r.clickWidget(kSelectedChords); });
    r.then([&] { r.clickWidget(11); });
    r.then([&] { dlg::pressTopKey(Qt::Key_Return); });
    EXPECT_TRUE(transposeCommand(r.app(), false));
    EXPECT_EQ(keysOf(r.core().pages.at(0)), (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(keysOf(r.core().pages.at(1)), (std::vector<int>{1, 4, 7}));
    EXPECT_EQ(r.newest(), "Transpose");
    EXPECT_EQ(r.history().count(), 2);
}

TEST(TransposePage, OkWithoutAChangeKeepsTheSessionAndEscCancels) {
    Rig r;
    fill(r);
    const std::string before = r.sessionText();
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    EXPECT_TRUE(showTransposePage(r.app(), false));
    EXPECT_EQ(r.sessionText(), before);

    r.then([&] { r.clickWidget(7); });
    r.then([&] { dlg::pressTopKey(Qt::Key_Escape); });
    EXPECT_FALSE(transposeCommand(r.app(), false));
    EXPECT_EQ(r.sessionText(), before);
    EXPECT_EQ(r.history().count(), 1);
}
