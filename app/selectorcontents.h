#pragma once
// What the main window's selectors show: the sensor ids of every kind, and the style selector's
// cells and pages as data (the openers themselves are QuoVelanta methods, selectorcontents.cpp).
#include <string>

#include "foundation/llist.h"

class Styles;

// Style selector (kind 1): a style cell's id is the style number.
constexpr int kStyleNextPageId = -100;
constexpr int kStylePrevPageId = -101;
constexpr int kLockVolumeLevelsId = -200;
constexpr int kLockTempoId = -201;
constexpr int kStyleSelectorColumns = 7;
constexpr int kStyleSelectorRows = 8;
constexpr int kStyleSelectorCells = kStyleSelectorColumns * kStyleSelectorRows;
constexpr int kStyleSelectorWidth = (125 + 1) * 7 + 2 * 10 - 1;      // 901
constexpr int kStyleSelectorHeight = 2 * 10 + (19 + 1) * 8 + 21 - 1; // 200

// Tempo selector (kind 2): id k (0..39) is 25 + 5k BPM.
constexpr int kTempoSelectorWidth = 254;
constexpr int kTempoSelectorHeight = 179;
constexpr int kTempoCells = 40;

// Key selector (kind 3): ids 0..11 are the key shift buttons (-5 .. +6), key = (id + 7) mod 12.
constexpr int kKeyFlatId = 100;
constexpr int kKeySharpId = 101;
constexpr int kKeySelectorWidth = 352;
constexpr int kKeySelectorHeight = 70;

// Chord editor (kind 4): exactly the ranges the builder creates.
constexpr int kChordRootFirstId = 0; // 0..11: root (pitch class as shown)
constexpr int kChordRootLastId = 11;
constexpr int kChordBassFirstId = 50; // 50..61: bass (pitch class as shown)
constexpr int kChordBassLastId = 61;
constexpr int kChordVariantFirstId = 100; // 100..119: variant id - 100
constexpr int kChordVariantLastId = 119;
constexpr int kChordInversionUpId = 200;
constexpr int kChordInversionDownId = 201;
constexpr int kChordBassToggleId = 202;
constexpr int kChordSelectorWidth = 461;
constexpr int kChordSelectorHeight = 95;
// The chord variants of the top row, left to right.
constexpr int kChordEditorVariants[16] = {0, 1, 2, 3, 6, 4, 5, 12, 14, 15, 7, 8, 9, 18, 19, 10};

// Page menu (kind 5): ids 0..35 are the pages.
constexpr int kPageCutId = 1001;
constexpr int kPageCopyId = 1002;
constexpr int kPagePasteId = 1003;
constexpr int kPageMenuWidth = 379;
constexpr int kPageMenuHeight = 79;

// Arrangement point selector (kind 6); its power, menu and help buttons are the overlay's
// powerRect1, powerRect2, menuRect and helpRect.
constexpr int kArrangementDrumModeId = 1;
constexpr int kArrangementBassModeId = 2;
constexpr int kArrangementChordModeId = 3;
constexpr int kArrangementKickId = 11; // 11..14: kick, snare, hi-hat, other percussion
constexpr int kArrangementPercId = 14;
constexpr int kArrangementLayerAId = 31; // 31..33: chord layers A, B, C
constexpr int kArrangementLayerCId = 33;
constexpr int kArrangementCymbalId = 100;
constexpr int kArrangementSelectorWidth = 25 * 7 + 7 + 331; // 513
constexpr int kArrangementSelectorHeight = 80;

// The styles in the order the selector lists them: library order, those numbered 88..149 last.
struct StyleSelectorEntry {
    int id = 0;
    std::string name;
};

struct StyleSelectorCell {
    enum Kind { Style, Ghost, Next, Prev };
    Kind kind = Ghost;
    int entry = -1; // index into the entries for a Style cell
};

// One page: kStyleSelectorCells cells, column by column, top to bottom.
using StyleSelectorPage = Llist<StyleSelectorCell>;

void styleSelectorEntries(const Styles& styles, Llist<StyleSelectorEntry>& out);
// Lays the entries out on as many pages as they need. Utility styles (numbered 90..110) wait for the
// last column of a page, the cells before it stay empty. One page when everything fits in its 56
// cells; otherwise every page but the last ends with a "next" cell and every page but the first starts
// with a "prev" cell, so every style is on exactly one page.
void layoutStyleSelectorPages(const Llist<StyleSelectorEntry>& entries, Llist<StyleSelectorPage>& pages);
// The page that shows entry `entry`, 0 when none does.
int styleSelectorPageOf(const Llist<StyleSelectorPage>& pages, int entry);
