#pragma once
// The Style Programmer's model, without a window: the grid of one page of the current track's
// pattern, the mouse actions on it, the pattern operations of the context menu, the track
// parameters with their ranges, and the track library. Every operation works on a StyleFile (the
// programmer's edit buffer) and says whether it changed it; re-applying the style is the caller's.
#include <string>
#include <vector>

#include "engine/stylefile.h"
#include "platform/qt/gditypes.h"

class Styles;

constexpr int kGridColumns = 64;
constexpr int kGridRows = 47;
constexpr int kGridLowestKey = 35; // row 0; row 46 is key 81
// Pattern lengths are kept within 1..kProgrammerMaxLength steps (the longest the style file keeps).
constexpr int kProgrammerMaxLength = kMaxPatternLength;

// Grid geometry in window pixels.
constexpr int kGridLeft = 92, kGridTop = 28, kCellWidth = 10, kCellHeight = 14;
constexpr int kLabelMargin = 80; // clicks left of this are margin actions

// The context menu: item texts (with the popup menu's separator marker) and their operation tags.
struct PatternOperation {
    const char* text;
    int tag; // N > 0: copy the first N steps; -1..-8 the operations below
};
extern const PatternOperation kPatternOperations[17];

struct ProgrammerCell {
    int velocity = 0;    // of the note shown here (0 also for a silent note)
    double length = 1.0; // steps
    int note = -1;       // index of the shown note in the pattern; -1: empty
    bool empty() const { return note < 0; }
};

// The track panel's parameter cells, in hit-test order.
enum class TrackParam { Program, Volume, Transpose, Mode, Type, Layer, BreakLength, BreakVolume, SusVolume };
constexpr int kTrackParamCount = 9;

// A row of the track library: the style (list index) and track it copies, and its text.
struct LibraryItem {
    int styleIndex = -1;
    int track = -1;
    int styleId = -1; // the style's number, checked again when the item is used
    std::string text;
};

extern const char* const kLibraryCategories[5]; // "Drums", "Bass", "SusHit", "Strum", "Other"

// The 47 row labels (General MIDI drum names of keys 35..81).
const std::string& gridRowLabel(int row);

class ProgrammerModel {
  public:
    StyleFile* style = nullptr; // the style edited (never null while in use)
    int currentTrack = 0;       // 0..6
    int gridPage = 0;           // 0..3
    bool paintAdds = true;      // during a left drag: adds notes (true) or removes them
    ProgrammerCell cells[kGridColumns][kGridRows];

    explicit ProgrammerModel(StyleFile* style_ = nullptr) : style(style_) {}

    StyleTrack& track();
    const StyleTrack& track() const { return const_cast<ProgrammerModel*>(this)->track(); }
    StyleArp& arp() { return track().arp; }
    const StyleArp& arp() const { return track().arp; }
    // 48 when the style has 6, 12 or 24 steps per bar, else 64.
    int stepsPerPage() const;
    static int stepsPerPage(const StyleFile& s);
    // The pattern step shown in a grid column.
    int stepOf(int column) const { return gridPage * stepsPerPage() + column; }

    // Rebuilds the cells of the shown page from the pattern: each shows the last note of the
    // pattern (in list order) at its step and key.
    void loadGrid();
    void selectPage(int page);   // 0..3
    void selectTrack(int track); // 0..6

    // Grid hit test in window pixels (edges belong to the cell tested first: lower column, lower
    // row); false outside the grid.
    static bool cellAt(int x, int y, int& column, int& row);
    static TRect cellRect(int column, int row); // inclusive edges

    // A press (or a drag repeating it) on a grid cell. ctrl: length step; alt or shift: velocity
    // step; right: increase / strum height; dragging: a mouse move repeating the press. True when
    // the pattern changed.
    bool gridPress(int column, int row, bool right, bool ctrl, bool alt, bool shift, bool dragging);
    // The note shown at a cell becomes the cell's values (update) or every note at the cell is
    // removed; an empty cell adds a note with the cell's values.
    void setGridCell(int column, int row, bool update);

    // Pattern operations of the context menu (tag as in kPatternOperations); true when it changed
    // anything.
    bool runOperation(int tag);
    bool repeatFirstSteps(int n);
    bool scaleTrackSpeed(bool faster);
    bool scaleNoteLengths(bool longer);
    bool transposeTrack(int semitones);
    bool clearTrackNotes();
    // Pattern length from the edit's text, kept within 1..kProgrammerMaxLength.
    bool setPatternLength(const std::string& text);
    // The four style fields from their edits' texts; tempo 1..999, steps per beat and per bar
    // 1..their maxima.
    bool setStyleFields(const std::string& name, const std::string& bpm, const std::string& perBeat,
                        const std::string& perBar);

    // Track panel.
    static TRect trackRowRect(int track, int width); // the whole panel row of a track
    static TRect paramRect(int track, TrackParam p, int width);
    // Whether the cell exists (track 0 has no program and no transpose).
    static bool hasParam(int track, TrackParam p);
    bool paramAt(int x, int y, int width, int& track, TrackParam& p) const;
    std::string paramText(int track, TrackParam p) const;
    int paramValue(int track, TrackParam p) const;
    static void paramRange(int track, TrackParam p, int& lo, int& hi, int& step);
    // One click: moves the value by its step (1 with fine) up or down, within its range.
    bool stepParam(int track, TrackParam p, bool increase, bool fine);
    bool setProgram(int track, int program);

    // Track library: the items of category c (0..4) over every style of the library.
    std::vector<LibraryItem> libraryItems(const Styles& styles, int category) const;
    // Copies the item's pattern into the current track; false (nothing changes) when the item no
    // longer names a style and track of the library.
    bool copyFromLibrary(const Styles& styles, const LibraryItem& item);

  private:
    int findShownNote(int step, int key) const; // last match in list order, -1 none
};
