#include "app/selectorcontents.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/customstylemixes.h"
#include "engine/qvapoint.h"
#include "tests/app/selector_rig.h"

using selrig::Rig;

namespace {

StyleFile namedStyle(int id, const std::string& name) {
    StyleFile s;
    s.id = id;
    s.name = name;
    return s;
}

// A library of 120 styles: 1..87, the utility styles 90..110 and 111..122 (88, 89 left out).
void fill120(Styles& styles) {
    styles.clear();
    for (int id = 1; id <= 122; ++id)
        if (id != 88 && id != 89) styles.add(namedStyle(id, "Style " + std::to_string(id)));
}

// Style ids of the style cells of the open style selector.
std::vector<int> shownStyles(QvSelector& sel) {
    std::vector<int> ids;
    for (const Sensor& s : sel.sensors)
        if (s.id >= 0) ids.push_back(s.id);
    return ids;
}

} // namespace

TEST(StyleSelectorLayout, ShippedLibraryFitsOnePageWithUtilityStylesInTheLastColumn) {
    Rig rig;
    ASSERT_EQ(rig.ctx->engine.styles.count(), 54);
    rig.core().styleNumber = 5;
    rig.options().mainHintShown = false;
    rig.app().openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 5, false, false);
    QvSelector& sel = rig.sel();
    EXPECT_EQ(rig.app().selectorKind, kSelectorStyle);
    EXPECT_TRUE(rig.options().mainHintShown);
    EXPECT_EQ(sel.bounds(), (TRect{43, 181, 43 + 901, 181 + 200}));
    ASSERT_EQ(sel.sensors.count(), 2 + 56);
    EXPECT_EQ(rig.app().styleSelectorPage, 0);
    EXPECT_LT(sel.sensorIndex(kStyleNextPageId), 0);
    EXPECT_LT(sel.sensorIndex(kStylePrevPageId), 0);

    // The lock toggles, from the session's lock flags.
    EXPECT_EQ(rig.sensor(kLockVolumeLevelsId).rect, (TRect{588, 12, 613, 24}));
    EXPECT_EQ(rig.sensor(kLockVolumeLevelsId).text, "<Lock>~Lock volume levels");
    EXPECT_EQ(rig.sensor(kLockVolumeLevelsId).checked, rig.core().volumeLock);
    EXPECT_EQ(rig.sensor(kLockTempoId).rect, (TRect{729, 12, 754, 24}));
    EXPECT_EQ(rig.sensor(kLockTempoId).group, kSensorToggle);
    EXPECT_FALSE(rig.sensor(kLockTempoId).checked);

    // Cells column by column: styles 1..51 fill columns 0..6 (three cells of the last column), and
    // 90..92 follow them in the last column.
    for (int id = 1; id <= 51; ++id) {
        const int cell = id - 1;
        const int col = cell / 8, row = cell % 8;
        const Sensor& s = rig.sensor(id);
        EXPECT_EQ(s.rect, (TRect{10 + 126 * col, 31 + 20 * row, 135 + 126 * col, 50 + 20 * row})) << id;
        EXPECT_EQ(s.text.substr(0, 2), "@^");
        EXPECT_EQ(s.group, 0);
        EXPECT_TRUE(s.flashes);
        EXPECT_EQ(s.checked, id == 5);
    }
    for (int k = 0; k < 3; ++k) EXPECT_EQ(rig.sensor(90 + k).rect.Left, 10 + 126 * 6) << k;
    EXPECT_EQ(rig.sensor(90).rect.Top, 31 + 20 * 3);
    int ghosts = 0;
    for (const Sensor& s : sel.sensors) ghosts += s.text == "<ghost>" ? 1 : 0;
    EXPECT_EQ(ghosts, 56 - 54);
    EXPECT_EQ(rig.countChecked(), 1 + (rig.core().volumeLock ? 1 : 0));
}

TEST(StyleSelectorLayout, A120StyleLibraryKeepsEveryStyleReachable) {
    Rig rig;
    Styles& styles = rig.ctx->engine.styles;
    fill120(styles);
    Llist<StyleSelectorEntry> entries;
    styleSelectorEntries(styles, entries);
    ASSERT_EQ(entries.count(), 120);
    EXPECT_EQ(entries.at(86).id, 87);
    EXPECT_EQ(entries.at(87).id, 90); // 88..149 listed last
    Llist<StyleSelectorPage> pages;
    layoutStyleSelectorPages(entries, pages);
    ASSERT_GE(pages.count(), 3);

    // Open each page through the next cells, as the clicks do, and collect what they show.
    rig.app().openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 1, false, false);
    EXPECT_EQ(rig.app().styleSelectorPage, 0);
    std::multiset<int> seen;
    for (int p = 0; p < pages.count(); ++p) {
        QvSelector& sel = rig.sel();
        ASSERT_EQ(sel.sensors.count(), 58);
        EXPECT_EQ(sel.sensorIndex(kStylePrevPageId) == 2, p > 0) << p;
        EXPECT_EQ(sel.sensorIndex(kStyleNextPageId) == 57, p < pages.count() - 1) << p;
        for (int id : shownStyles(sel)) seen.insert(id);
        // Utility styles only ever stand in the last column.
        for (const Sensor& s : sel.sensors)
            if (s.id >= 90 && s.id <= 110) {
                EXPECT_EQ(s.rect.Left, 10 + 126 * 6) << s.id;
            }
        rig.app().styleSelectorPage += 1;
        rig.app().rebuildStyleSelector(true);
    }
    EXPECT_EQ(rig.app().styleSelectorPage, pages.count() - 1); // clamped past the last page
    std::set<int> unique(seen.begin(), seen.end());
    EXPECT_EQ(seen.size(), 120u);
    EXPECT_EQ(unique.size(), 120u);

    // A fresh open shows the page that holds the current style.
    for (int id : {1, 60, 100, 122}) {
        rig.app().openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, id, false,
                                    false);
        const int at = rig.sel().sensorIndex(id);
        ASSERT_GE(at, 0) << id;
        EXPECT_TRUE(rig.sel().sensors.at(at).checked);
    }
    // The keep flags keep the page.
    rig.app().styleSelectorPage = 1;
    rig.app().openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 1, true, false);
    EXPECT_EQ(rig.app().styleSelectorPage, 1);
    EXPECT_LT(rig.sel().sensorIndex(1), 0);
}

TEST(StyleSelectorLayout, ManyUtilityStylesInASmallLibraryStillGetPages) {
    // 30 styles and 21 utility styles: fewer than 56, but the utility styles only fit eight to a page.
    Llist<StyleSelectorEntry> entries;
    for (int id = 1; id <= 30; ++id) entries.add({id, "S" + std::to_string(id)});
    for (int id = 90; id <= 110; ++id) entries.add({id, "U" + std::to_string(id)});
    Llist<StyleSelectorPage> pages;
    layoutStyleSelectorPages(entries, pages);
    ASSERT_GT(pages.count(), 1);
    std::set<int> placed;
    int cells = 0;
    for (const StyleSelectorPage& page : pages) {
        ASSERT_EQ(page.count(), kStyleSelectorCells);
        for (const StyleSelectorCell& c : page)
            if (c.kind == StyleSelectorCell::Style) {
                placed.insert(c.entry);
                ++cells;
            }
    }
    EXPECT_EQ(cells, 51);
    EXPECT_EQ(placed.size(), 51u);
    EXPECT_EQ(styleSelectorPageOf(pages, 50), pages.count() - 1);
    EXPECT_EQ(styleSelectorPageOf(pages, 999), 0);
}

TEST(StyleSelectorLayout, AStyleNumbered95WaitsForTheLastColumn) {
    // 20 styles, then style 95 whose turn comes in column 2, then two more listed last.
    Llist<StyleSelectorEntry> entries;
    for (int id = 1; id <= 20; ++id) entries.add({id, "S"});
    entries.add({95, "Utility"});
    entries.add({120, "Late"});
    Llist<StyleSelectorPage> pages;
    layoutStyleSelectorPages(entries, pages);
    ASSERT_EQ(pages.count(), 1);
    const StyleSelectorPage& p = pages.at(0);
    EXPECT_EQ(p.at(20).kind, StyleSelectorCell::Ghost); // column 2, row 4 stays empty
    EXPECT_EQ(p.at(47).kind, StyleSelectorCell::Ghost);
    EXPECT_EQ(p.at(48).kind, StyleSelectorCell::Style); // first cell of the last column
    EXPECT_EQ(p.at(48).entry, 20);
    EXPECT_EQ(p.at(49).entry, 21);
}

TEST(StyleSelectorLayout, SharedNamesAreListedOnceEachAndCustomMixesAreMarked) {
    Rig rig;
    Styles& styles = rig.ctx->engine.styles;
    styles.clear();
    styles.add(namedStyle(3, "Rock"));
    styles.add(namedStyle(100, "Ballad"));
    styles.add(namedStyle(4, "Swing"));
    styles.add(namedStyle(7, "Rock"));
    Llist<StyleSelectorEntry> entries;
    styleSelectorEntries(styles, entries);
    ASSERT_EQ(entries.count(), 4);
    EXPECT_EQ(entries.at(0).id, 3);
    EXPECT_EQ(entries.at(1).id, 7); // beside the other "Rock"
    EXPECT_EQ(entries.at(2).id, 4);
    EXPECT_EQ(entries.at(3).id, 100);

    rig.ctx->customStyleMixes.storeCurrentMix(rig.core().mix, 4);
    rig.app().openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 4, false, false);
    EXPECT_EQ(rig.sensor(4).extra, 1);
    EXPECT_EQ(rig.sensor(3).extra, -1);
    EXPECT_NE(rig.sensor(4).extraRect.Left, -1); // painted, so the mark's area is known
    const TPoint mark{rig.sel().x + rig.sensor(4).rect.Right - 5, rig.sel().y + rig.sensor(4).rect.Top + 5};
    EXPECT_EQ(rig.sel().click(mark.x, mark.y), 4);
    EXPECT_TRUE(rig.sel().clickedExtra());
}

TEST(TempoSelector, FortyValuesDownTheColumns) {
    Rig rig;
    rig.app().openTempoSelector(&rig.back, nullptr, selrig::kTempoBoxX, selrig::kBoxBottom, 120);
    QvSelector& sel = rig.sel();
    EXPECT_EQ(rig.app().selectorKind, kSelectorTempo);
    EXPECT_EQ(sel.bounds(), (TRect{267, 181, 267 + 254, 181 + 179}));
    ASSERT_EQ(sel.sensors.count(), 40);
    const Sensor& s120 = rig.sensor(19);
    EXPECT_EQ(s120.text, "^120");
    EXPECT_TRUE(s120.checked);
    EXPECT_EQ(s120.rect, (TRect{10 + 47 * 2, 10 + 20 * 3, 10 + 47 * 2 + 46, 10 + 20 * 3 + 19}));
    EXPECT_EQ(rig.sensor(0).text, "^25");
    EXPECT_EQ(rig.sensor(39).text, "^220");
    EXPECT_EQ(rig.countChecked(), 1);
    rig.app().openTempoSelector(&rig.back, nullptr, selrig::kTempoBoxX, selrig::kBoxBottom, 123);
    EXPECT_EQ(rig.countChecked(), 0);
    // A click on 220 checks it alone.
    const TPoint p = rig.centreOf(39);
    EXPECT_EQ(rig.app().selectorSensorAt(p.x, p.y), 39);
    EXPECT_EQ(rig.sel().click(p.x, p.y), 39);
    EXPECT_EQ(rig.countChecked(), 1);
}

TEST(KeySelector, ShiftButtonsAndNoteNaming) {
    Rig rig;
    rig.core().key = 0;
    rig.core().sharpFlatMode = 1;
    rig.app().openKeySelector(&rig.back, nullptr, selrig::kKeyBoxX, selrig::kBoxBottom, true);
    QvSelector& sel = rig.sel();
    EXPECT_EQ(rig.app().selectorKind, kSelectorKey);
    EXPECT_EQ(sel.width(), 352);
    EXPECT_EQ(sel.height(), 70);
    ASSERT_EQ(sel.sensors.count(), 14);
    EXPECT_FALSE(rig.sensor(kKeyFlatId).checked);
    EXPECT_TRUE(rig.sensor(kKeySharpId).checked);
    EXPECT_EQ(rig.sensor(kKeyFlatId).text, "b");
    EXPECT_EQ(rig.sensor(kKeySharpId).rect, (TRect{57, 10, 103, 29}));
    EXPECT_EQ(rig.sensor(0).text, "^-5");
    EXPECT_EQ(rig.sensor(5).text, "^0");
    EXPECT_EQ(rig.sensor(11).text, "^+6");
    EXPECT_TRUE(rig.sensor(5).checked);
    EXPECT_EQ(rig.sensor(5).rect, (TRect{140, 41, 186, 60}));
    EXPECT_EQ(rig.sensor(6).rect, (TRect{187, 41, 212, 60}));
    EXPECT_EQ(rig.sensor(11).rect.Right, 342);

    rig.core().key = 6;
    rig.core().sharpFlatMode = 0;
    rig.app().rebuildKeySelector(false);
    EXPECT_TRUE(rig.sensor(11).checked);
    EXPECT_FALSE(rig.sensor(5).checked);
    EXPECT_TRUE(rig.sensor(kKeyFlatId).checked);
    rig.core().key = 7; // shown as -5
    rig.app().rebuildKeySelector(false);
    EXPECT_TRUE(rig.sensor(0).checked);
    EXPECT_EQ(rig.countChecked(), 2);

    // present decides whether the window sees the overlay at once.
    Bitmap24 window;
    window.setSize(selrig::kWindowWidth, selrig::kWindowHeight);
    auto litPixels = [&window] {
        int n = 0;
        for (int y = 0; y < window.height(); ++y)
            for (int x = 0; x < 3 * window.width(); ++x) n += window.scanLine(y)[x] != 0 ? 1 : 0;
        return n;
    };
    rig.app().openKeySelector(&rig.back, &window.canvas(), selrig::kKeyBoxX, selrig::kBoxBottom, false);
    EXPECT_EQ(litPixels(), 0);
    rig.app().rebuildKeySelector(true);
    EXPECT_GT(litPixels(), 352 * 70);
}

TEST(ChordEditor, RowsFollowTheChord) {
    Rig rig;
    QvChord chord(9, 5); // A m7, bass follows the root
    rig.core().sharpFlatMode = 0;
    rig.app().openChordSelector(chord, &rig.back, nullptr, 30, 240, selrig::kPageLeft, selrig::kPageRight);
    QvSelector& sel = rig.sel();
    EXPECT_EQ(rig.app().selectorKind, kSelectorChord);
    EXPECT_EQ(sel.bounds(), (TRect{62, 240 - 96, 62 + 461, 240 - 1})); // kept 16 px inside the page
    ASSERT_EQ(sel.sensors.count(), 16 + 12 + 3);
    for (int i = 0; i < 16; ++i) {
        const Sensor& s = sel.sensors.at(i);
        EXPECT_EQ(s.id, kChordVariantFirstId + kChordEditorVariants[i]);
        EXPECT_EQ(s.rect, (TRect{10 + 26 * i, 10, 35 + 26 * i, 35}));
        EXPECT_EQ(s.checked, kChordEditorVariants[i] == 5);
    }
    EXPECT_EQ(rig.sensor(kChordVariantFirstId + 0).text, "maj");
    EXPECT_EQ(rig.sensor(kChordVariantFirstId + 3).text, "o");
    EXPECT_EQ(rig.sensor(kChordVariantFirstId + 14).text, "m7b5");
    EXPECT_EQ(rig.sensor(kChordVariantFirstId + 15).text, "o7");
    EXPECT_EQ(rig.sensor(1).text, "Db");
    EXPECT_TRUE(rig.sensor(9).checked);
    EXPECT_EQ(rig.sensor(9).rect, (TRect{10 + 26 * 9, 47, 35 + 26 * 9, 85})); // 38 high
    EXPECT_LT(sel.sensorIndex(kChordBassFirstId), 0);
    EXPECT_FALSE(rig.sensor(kChordBassToggleId).checked);
    EXPECT_EQ(rig.sensor(kChordInversionUpId).rect, (TRect{426, 10, 451, 22}));
    EXPECT_EQ(rig.sensor(kChordInversionDownId).rect, (TRect{426, 23, 451, 35}));

    // An own bass an octave up, an inversion, a visual transpose of 2 (shown 2 semitones lower).
    QvChord slash(9, 1, -2, 4, true); // A m / E, bass up
    rig.options().visualTranspose = 2;
    rig.app().rebuildChordSelector(slash);
    ASSERT_EQ(sel.sensors.count(), 16 + 12 + 12 + 3);
    EXPECT_TRUE(rig.sensor(7).checked); // A shown as G
    EXPECT_EQ(rig.sensor(7).rect.Bottom, 72);
    const Sensor& bass = rig.sensor(kChordBassFirstId + 2); // E shown as D
    EXPECT_TRUE(bass.checked);
    EXPECT_EQ(bass.text, "<up>");
    EXPECT_EQ(bass.group, 2);
    EXPECT_EQ(bass.rect, (TRect{10 + 26 * 2, 73, 35 + 26 * 2, 85}));
    EXPECT_EQ(rig.sensor(kChordBassFirstId + 3).text, "");
    EXPECT_TRUE(rig.sensor(kChordBassToggleId).checked);
    EXPECT_FALSE(rig.sensor(kChordInversionUpId).checked);
    EXPECT_TRUE(rig.sensor(kChordInversionDownId).checked);
    EXPECT_EQ(sel.chord.inversion, -2);
    for (const Sensor& s : sel.sensors) {
        const bool inRanges = (s.id >= kChordRootFirstId && s.id <= kChordRootLastId) ||
                              (s.id >= kChordBassFirstId && s.id <= kChordBassLastId) ||
                              (s.id >= kChordVariantFirstId && s.id <= kChordVariantLastId) ||
                              (s.id >= kChordInversionUpId && s.id <= kChordBassToggleId);
        EXPECT_TRUE(inRanges) << s.id;
    }

    // Far right: the overlay stays 15 px inside the page's right edge. A null target rebuilds only
    // the sensors, in place.
    rig.app().openChordSelector(chord, &rig.back, nullptr, 900, 240, selrig::kPageLeft, selrig::kPageRight);
    EXPECT_EQ(sel.x, selrig::kPageRight - 461 - 15);
    const int x = sel.x;
    const unsigned before = sel.rebuildCount();
    rig.app().openChordSelector(slash, nullptr, nullptr, 0, 0, 0, 0);
    EXPECT_EQ(sel.x, x);
    EXPECT_TRUE(sel.isOpen());
    EXPECT_EQ(rig.app().selectorKind, kSelectorChord);
    EXPECT_GT(sel.rebuildCount(), before);
    EXPECT_EQ(sel.sensors.count(), 43);
}

TEST(PageMenu, PagesAndContentCommands) {
    Rig rig;
    rig.core().pages.at(3).addChord(QvChord(0, 0), -1);
    rig.app().openPageMenu(&rig.back, nullptr, 20, selrig::kSlotTop, 3, selrig::kPageLeft,
                           selrig::kPageRight);
    QvSelector& sel = rig.sel();
    EXPECT_EQ(rig.app().selectorKind, kSelectorPageMenu);
    EXPECT_EQ(sel.bounds(), (TRect{62, selrig::kSlotTop - 80, 62 + 379, selrig::kSlotTop - 1}));
    ASSERT_EQ(sel.sensors.count(), 36 + 3);
    EXPECT_EQ(rig.sensor(0).text, "1");
    EXPECT_EQ(rig.sensor(9).text, "0");
    EXPECT_EQ(rig.sensor(35).text, "Z");
    EXPECT_EQ(rig.sensor(3).text, "^%4");
    EXPECT_TRUE(rig.sensor(3).checked);
    EXPECT_EQ(rig.sensor(13).rect, (TRect{30, 30, 49, 49})); // row 1, column 1
    EXPECT_EQ(rig.countChecked(), 1);
    EXPECT_EQ(rig.sensor(kPageCutId).text, "Cut Content");
    EXPECT_EQ(rig.sensor(kPageCopyId).text, "Copy Content");
    EXPECT_EQ(rig.sensor(kPagePasteId).text, "Paste (Replace)");
    EXPECT_EQ(rig.sensor(kPagePasteId).rect, (TRect{270, 50, 369, 69}));
    EXPECT_EQ(rig.sensor(kPageCutId).group, kSensorMomentary);
    EXPECT_TRUE(rig.sensor(kPageCutId).flashes);
    EXPECT_EQ(sel.lines.count(), 3);

    rig.app().openPageMenu(&rig.back, nullptr, 900, selrig::kSlotTop, 0, selrig::kPageLeft,
                           selrig::kPageRight);
    EXPECT_EQ(sel.x, selrig::kPageRight - 394);
}

TEST(PageMenu, AFlashedCommandSurvivesARebuildDuringItsWait) {
    Rig rig;
    rig.app().openPageMenu(&rig.back, nullptr, 100, selrig::kSlotTop, 0, selrig::kPageLeft,
                           selrig::kPageRight);
    int rebuilds = 0;
    rig.loop.onPump = [&] {
        ++rebuilds;
        rig.app().rebuildPageMenu(5); // as an edit that refreshes the open page menu would
    };
    const TPoint p = rig.centreOf(kPageCopyId);
    const std::int64_t start = rig.loop.clock.now;
    EXPECT_EQ(rig.sel().click(p.x, p.y), kPageCopyId);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_GE(rig.loop.clock.now - start, 100);
    EXPECT_TRUE(rig.sensor(5).checked); // the rebuilt menu keeps its own state
    EXPECT_FALSE(rig.sensor(kPageCopyId).checked);

    // Closed during the wait: the click counts for nothing.
    rig.loop.onPump = [&] { rig.app().closeSelector(false); };
    const TPoint q = rig.centreOf(kPageCutId);
    EXPECT_EQ(rig.sel().click(q.x, q.y), -1);
    EXPECT_EQ(rig.app().selectorKind, 0);
}

TEST(ArrangementSelector, ModesPartsAndTitleButtons) {
    Rig rig;
    QvAPoint point;
    point.arrangeEnabled = true;
    point.fillEnabled = true;
    point.mDrums = 0;
    point.mBass = 1;
    point.mChords = 0;
    point.oSnare = false;
    point.oB = false;
    point.cym = 3;
    rig.app().openArrangementSelector(point, &rig.back, nullptr, selrig::kStripLeft, selrig::kStripTop,
                                      selrig::kStripRight, 300);
    QvSelector& sel = rig.sel();
    EXPECT_EQ(rig.app().selectorKind, kSelectorArrangement);
    EXPECT_EQ(sel.bounds(), (TRect{290, selrig::kStripTop - 81, 290 + 513, selrig::kStripTop - 1}));
    EXPECT_TRUE(sel.power1On);
    EXPECT_TRUE(sel.power2On);
    EXPECT_EQ(rig.sensor(kArrangementDrumModeId).text, "Normal");
    EXPECT_EQ(rig.sensor(kArrangementDrumModeId).rect, (TRect{17, 42, 78, 68}));
    EXPECT_EQ(rig.sensor(kArrangementDrumModeId).group, kSensorMomentary);
    EXPECT_EQ(rig.sensor(kArrangementBassModeId).text, "Sustain");
    EXPECT_EQ(rig.sensor(kArrangementChordModeId).rect, (TRect{267, 42, 328, 68}));
    EXPECT_EQ(rig.sensor(kArrangementCymbalId).text, QvAPoint::cymbalNames().at(3));
    EXPECT_EQ(rig.sensor(kArrangementCymbalId).rect, (TRect{435, 42, 496, 68}));
    const char* parts[4] = {"k", "s", "h", "+"};
    for (int i = 0; i < 4; ++i) {
        const Sensor& s = rig.sensor(kArrangementKickId + i);
        EXPECT_EQ(s.text, parts[i]);
        EXPECT_EQ(s.rect, (TRect{79 + 26 * i, 49, 104 + 26 * i, 61}));
        EXPECT_EQ(s.group, kSensorToggle);
        EXPECT_EQ(s.checked, i != 1);
    }
    EXPECT_EQ(rig.sensor(kArrangementLayerAId + 1).text, " b ");
    EXPECT_FALSE(rig.sensor(kArrangementLayerAId + 1).checked);
    EXPECT_EQ(rig.sensor(kArrangementLayerAId + 2).rect.Left, 381);
    EXPECT_EQ(sel.labels.count(), 6);
    EXPECT_EQ(sel.labels.at(0).text, "ARRANGEMENT");
    EXPECT_EQ(sel.labels.at(1).x, 513 - 67);
    EXPECT_EQ(sel.lines.count(), 2);
    // The title buttons, in overlay coordinates, once painted.
    EXPECT_EQ(sel.powerRect1, (TRect{10, 3, 24, 17}));
    EXPECT_EQ(sel.helpRect, (TRect{513 - 115, 3, 513 - 101, 17}));

    // Drums and chords off: no part toggles; the arrangement switched off: no mode buttons; no
    // cymbal without the fill switch. Centred when no point position is given.
    point.mDrums = 2;
    point.mChords = 3;
    rig.app().rebuildArrangementSelector(point);
    EXPECT_LT(sel.sensorIndex(kArrangementKickId), 0);
    EXPECT_LT(sel.sensorIndex(kArrangementLayerAId), 0);
    EXPECT_EQ(rig.sensor(kArrangementDrumModeId).text, "Off");
    point.arrangeEnabled = false;
    point.fillEnabled = false;
    rig.app().openArrangementSelector(point, &rig.back, nullptr, selrig::kStripLeft, selrig::kStripTop,
                                      selrig::kStripRight, -1);
    EXPECT_EQ(sel.sensors.count(), 0);
    EXPECT_FALSE(sel.power1On);
    EXPECT_EQ(sel.x, (selrig::kStripLeft + selrig::kStripRight) / 2 - 513 / 2);
    rig.app().openArrangementSelector(point, &rig.back, nullptr, selrig::kStripLeft, selrig::kStripTop,
                                      selrig::kStripRight, 940);
    EXPECT_EQ(sel.x, selrig::kStripRight - 513 - 1);
}

TEST(SelectorFlow, OpenRebuildAndClose) {
    Rig rig;
    QuoVelanta& app = rig.app();
    // Rebuilds act only on their own kind.
    app.openTempoSelector(&rig.back, nullptr, selrig::kTempoBoxX, selrig::kBoxBottom, 120);
    const unsigned before = rig.sel().rebuildCount();
    app.rebuildStyleSelector(false);
    app.repaintStyleSelector();
    app.rebuildKeySelector(true);
    app.rebuildPageMenu(0);
    EXPECT_EQ(rig.sel().rebuildCount(), before);
    rig.core().tempo(60);
    app.rebuildTempoSelector();
    EXPECT_TRUE(rig.sensor(7).checked);
    EXPECT_EQ(rig.sel().x, selrig::kTempoBoxX - 3); // at the same place

    // The style selector follows the session's locks and style when rebuilt.
    app.openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 1, false, false);
    rig.core().tempoLock = true;
    rig.core().styleNumber = 2;
    app.repaintStyleSelector();
    EXPECT_TRUE(rig.sensor(kLockTempoId).checked);
    EXPECT_TRUE(rig.sensor(2).checked);
    EXPECT_FALSE(rig.sensor(1).checked);

    // Closing: kind 0, the host told once, with the present flag.
    app.closeSelector(true);
    EXPECT_EQ(app.selectorKind, 0);
    EXPECT_FALSE(rig.sel().isOpen());
    EXPECT_EQ(rig.host.closed, 1);
    EXPECT_TRUE(rig.host.lastPresent);
    EXPECT_EQ(app.selectorSensorAt(rig.sel().x + 20, rig.sel().y + 40), -1);
    EXPECT_FALSE(app.isBusy());

    // The chord editor, page menu and point editor hold the displayed page.
    app.openPageMenu(&rig.back, nullptr, 100, selrig::kSlotTop, 0, selrig::kPageLeft, selrig::kPageRight);
    EXPECT_TRUE(app.isBusy());
    app.closeSelector(false);
    EXPECT_FALSE(rig.host.lastPresent);
}
