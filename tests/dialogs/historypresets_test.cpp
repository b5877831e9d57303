// The History page (entry texts on a wrapped ring, jumps on click and Enter only, Style Programmer
// edits kept) and the Preset Chord Progressions page (no replace or add without a progression
// selected; the command's page edits and undo steps).
#include <gtest/gtest.h>

#include <QListWidget>
#include <vector>

#include "dialogs/historypage.h"
#include "dialogs/presetspage.h"
#include "dialogs/settingspages.h"
#include "engine/presetprogressions.h"
#include "settingspages_rig.h"

using pages::Rig;

namespace {

// Clicks list row `row` of the page on top (press and release on the list's viewport).
void clickRow(TFdialog& page, int row, bool twice = false) {
    QListWidget* list = page.Llistbox();
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr);
    const QPoint p = list->visualItemRect(item).center();
    QWidget* vp = list->viewport();
    dlg::sendMouse(vp, QEvent::MouseButtonPress, p.x(), p.y());
    dlg::sendMouse(vp, QEvent::MouseButtonRelease, p.x(), p.y());
    if (twice) {
        dlg::sendMouse(vp, QEvent::MouseButtonDblClick, p.x(), p.y());
        dlg::sendMouse(vp, QEvent::MouseButtonRelease, p.x(), p.y());
    }
}

void listKey(TFdialog& page, int qtKey) {
    dlg::key(page.Llistbox(), qtKey);
}

void recordTempos(Rig& r, int n) {
    for (int i = 0; i < n; ++i) {
        r.core().tempo(60 + i);
        r.app().recordStep("Step " + std::to_string(i), false);
    }
}

} // namespace

TEST(HistoryEntryText, FollowsTheWrappedRing) {
    Rig r;
    recordTempos(r, 150);
    QvHistory& h = r.history();
    ASSERT_EQ(h.count(), 100);
    EXPECT_EQ(historyEntryText(h, 0), "Step 50");
    EXPECT_EQ(historyEntryText(h, 99), "Step 149");
    EXPECT_EQ(historyEntryText(h, 37), "Step 87");
    EXPECT_EQ(historyEntryText(h, 100), "");
    EXPECT_EQ(historyEntryText(h, -1), "");
    for (int i = 0; i < 100; ++i) EXPECT_EQ(historyEntryText(h, i), h.description(i)) << i;
}

TEST(HistoryPage, ClickAndEnterJumpArrowKeysDoNot) {
    Rig r;
    recordTempos(r, 5); // entries: [New session], Step 0 .. Step 4
    QStringList shown;
    r.then([&] {
        QListWidget* list = r.top().Llistbox();
        for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
        EXPECT_EQ(list->currentRow(), 5);
        clickRow(r.top(), 2);
    });
    r.then([&] {
        EXPECT_EQ(r.history().position(), 2);
        EXPECT_EQ(r.core().tempo(), 61);
        listKey(r.top(), Qt::Key_Up);
        listKey(r.top(), Qt::Key_Up);
    });
    r.then([&] {
        EXPECT_EQ(r.top().Llistbox()->currentRow(), 0);
        EXPECT_EQ(r.history().position(), 2); // moving does not jump
        clickRow(r.top(), 4);
    });
    r.then([&] {
        EXPECT_EQ(r.history().position(), 4);
        listKey(r.top(), Qt::Key_Down);
    });
    r.then([&] { listKey(r.top(), Qt::Key_Return); }); // jumps to entry 5 and closes
    showHistoryPage(r.history());
    ASSERT_EQ(shown.size(), 6);
    EXPECT_EQ(shown[0], "[New session]");
    EXPECT_EQ(shown[5], "Step 4");
    EXPECT_EQ(r.history().position(), 5);
    EXPECT_EQ(r.core().tempo(), 64);
    EXPECT_EQ(r.history().count(), 6); // jumps add no entries

    // A double click closes the page on the clicked entry.
    r.then([&] { clickRow(r.top(), 1, true); });
    showHistoryPage(r.history());
    EXPECT_EQ(r.history().position(), 1);
    EXPECT_EQ(r.history().count(), 6);
}

TEST(HistoryPage, AJumpKeepsTheStyleProgrammersEditsOrAsksBeforeAnotherStyle) {
    Rig r;
    recordTempos(r, 2);
    r.app().selectStyle(2, true, false, false);
    r.app().recordStep("Set style: 2", false); // entry 3 in style 2, entries 0..2 in style 1
    StyleEditBuffer& buffer = r.app().styleEdits;
    buffer.take(r.engine().styles);
    buffer.style.bpm = 77;
    buffer.markEdited(r.engine().styles);
    r.prompt.answers = {2}; // "Cancel" to the question about the edited style
    r.then([&] { clickRow(r.top(), 1); });
    r.then([&] {
        EXPECT_EQ(r.prompt.asked, 1);
        EXPECT_EQ(r.history().position(), 3); // refused: the session stays in the edited style
        EXPECT_EQ(r.top().Llistbox()->currentRow(), 3);
        EXPECT_TRUE(buffer.edited);
        EXPECT_EQ(r.engine().styles.current().bpm, 77);
    });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showHistoryPage(r.history());
    EXPECT_EQ(r.core().styleNumber, 2);
}

TEST(PresetList, NamesInCatalogueOrderWithoutDoubleSeparators) {
    Llist<int> indexes;
    const Llist<std::string> names = QuoVelanta::presetProgressionMenuNames(&indexes);
    ASSERT_EQ(names.count(), kPresetProgressionCount);
    EXPECT_EQ(names.at(0), "C F");
    EXPECT_EQ(names.at(6), "-");
    for (int i = 1; i < names.count(); ++i) EXPECT_FALSE(names.at(i) == "-" && names.at(i - 1) == "-");
    ASSERT_EQ(indexes.count(), names.count());
    for (int i = 0; i < names.count(); ++i) EXPECT_EQ(indexes.at(i), names.at(i) == "-" ? -1 : i);
}

TEST(PresetPage, EveryNameShowsWholeInTheFormsType) {
    Rig r;
    int chosen = -1, rows = 0;
    r.then([&] {
        QListWidget* list = r.top().Llistbox();
        EXPECT_EQ(list->font().pixelSize(), 11);
        for (; rows < list->count(); ++rows) // 8 px for the text margins
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->item(rows)->text()) + 8,
                      list->visualItemRect(list->item(rows)).width());
        dlg::pressTopKey(Qt::Key_Escape);
    });
    EXPECT_EQ(choosePresetProgression(QuoVelanta::presetProgressionMenuNames(nullptr), chosen), -1);
    EXPECT_EQ(rows, kPresetProgressionCount);
}

TEST(PresetPage, NothingIsReplacedOrAddedWithoutAProgressionSelected) {
    Rig r;
    Llist<std::string> names;
    for (const char* n : {"-", "C F", "-", "C G"}) names.add(n);
    int chosen = -5;
    r.then([&] {
        TFdialog& page = r.top();
        EXPECT_EQ(page.Llistbox()->currentRow(), 1); // the first progression, not the separator
        EXPECT_FALSE(page.Llistbox()->item(0)->flags() & Qt::ItemIsSelectable);
        page.Llistbox()->clearSelection();
    });
    r.then([&] { dlg::pressTopKey(Qt::Key_Return); });
    r.then([&] {
        dlg::clickButton(&r.top(), 0);
        dlg::clickButton(&r.top(), 1);
    });
    r.then([&] {
        EXPECT_FALSE(r.top().isClosed());
        EXPECT_EQ(r.top().bottomButtonRects[0].Left, -1);
        clickRow(r.top(), 2, true); // a separator: no selection, no result
    });
    r.then([&] {
        EXPECT_FALSE(r.top().isClosed());
        clickRow(r.top(), 3);
    });
    r.then([&] {
        EXPECT_GE(r.top().bottomButtonRects[1].Left, 0);
        dlg::clickButton(&r.top(), 1);
    });
    EXPECT_EQ(choosePresetProgression(names, chosen), 1);
    EXPECT_EQ(chosen, 3);
}

TEST(PresetPage, TheCommandReplacesOrAddsWithItsUndoStepsAndRefusesWhatDoesNotFit) {
    Rig r;
    installSettingsPages(*r.ctx);
    QvPage& page = r.core().pageAt(false);
    page.addChord(QvChord(2, 1, 0, kAutoBassArg, false, 48), -1);
    r.then([&] {
        EXPECT_EQ(r.top().dialogPageId, kPagePresetProgressions);
        clickRow(r.top(), 4); // "C Am"
        dlg::clickButton(&r.top(), 1);
    });
    EXPECT_TRUE(r.app().runEditItem(3)); // the Edit menu's item opens this page
    ASSERT_EQ(page.chordCount(), 3);
    EXPECT_EQ(page.chords.at(1).key, 0);
    EXPECT_EQ(page.chords.at(2).key, 9);
    EXPECT_EQ(r.newest(), "Preset progression - Add to page");

    r.then([&] {
        clickRow(r.top(), 22); // "Twelve-Bar Blues"
        dlg::pressTopKey(Qt::Key_Return);
    });
    EXPECT_TRUE(r.app().presetChordProgressions());
    EXPECT_EQ(page.length(), 12 * 48);
    EXPECT_EQ(r.newest(), "Preset progression - Replace page");

    // Twelve bars more would not fit: refused with the message, the page unchanged.
    r.then([&] {
        clickRow(r.top(), 22);
        dlg::clickButton(&r.top(), 1);
    });
    EXPECT_FALSE(r.app().presetChordProgressions());
    EXPECT_EQ(r.prompt.asked, 1);
    EXPECT_EQ(r.prompt.lastLines.at(0),
              "There is not enough free space on actual page to add this chord progression.");
    EXPECT_EQ(page.length(), 12 * 48);
    EXPECT_EQ(r.history().count(), 3);

    // Cancel changes nothing.
    r.then([&] { dlg::clickButton(&r.top(), 2); });
    EXPECT_FALSE(r.app().presetChordProgressions());
    EXPECT_EQ(r.history().count(), 3);
}

TEST(SettingsPages, InstallConnectsTheHistoryKeyAndTheVisualTransposeHook) {
    Rig r;
    installSettingsPages(*r.ctx);
    int id = -1;
    r.then([&] {
        id = r.top().dialogPageId;
        dlg::pressTopKey(Qt::Key_Escape);
    });
    r.app().keyDown('H', false, false);
    EXPECT_EQ(id, kPageHistory);
    r.then([&] {
        id = r.top().dialogPageId;
        dlg::pressTopKey(Qt::Key_Escape);
    });
    r.app().showVisualTranspose();
    EXPECT_EQ(id, kPageVisualTranspose);
}

TEST(PresetPage, ASessionInThreeFourGetsTheProgressionOnItsGrid) {
    Rig r;
    installSettingsPages(*r.ctx);
    r.app().selectStyle(2, true, false, false);
    ASSERT_TRUE(r.core().isTripleMeter());
    r.then([&] {
        clickRow(r.top(), 35); // "Gregory Walker", with two half-bar chords
        dlg::clickButton(&r.top(), 1);
    });
    EXPECT_TRUE(r.app().presetChordProgressions());
    const QvPage& page = r.core().pageAt(false);
    ASSERT_EQ(page.chordCount(), 9);
    int end = 0;
    for (const QvChord& c : page.chords) {
        end += c.len;
        EXPECT_EQ(end % 16, 0) << end; // every chord ends on a beat of the 3/4 grid
    }
    EXPECT_EQ(end, 8 * 48);
    EXPECT_EQ(page.chords.at(6).len + page.chords.at(7).len, 48);
    EXPECT_NE(page.chords.at(6).len, 24);

    // Added once more: the chords already on the page keep their lengths.
    std::vector<int> lengths;
    for (const QvChord& c : page.chords) lengths.push_back(c.len);
    r.then([&] {
        clickRow(r.top(), 35);
        dlg::clickButton(&r.top(), 1);
    });
    EXPECT_TRUE(r.app().presetChordProgressions());
    ASSERT_EQ(page.chordCount(), 18);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(page.chords.at(i).len, lengths[i]) << i;
        EXPECT_EQ(page.chords.at(i + 9).len, lengths[i]) << i;
    }
}
