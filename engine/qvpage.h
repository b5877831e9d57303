#pragma once
// One chord page: chords played one after another, arrangement points over them, selection and zoom;
// also the chord clipboard operations and the conversion between the 4/4 and the 3/4 grid.
#include <functional>
#include <string>

#include "engine/prompt.h"
#include "engine/qvapoint.h"
#include "engine/qvchord.h"
#include "foundation/llist.h"
#include "foundation/textstream.h"

class QvPage;

// A page read from a file holds at most this many chords and points. The editor places chord
// boundaries and points on quarter bars (12 units) in 4/4 and on beats (16 units) in 3/4, and the
// meter conversion moves them by 4 or 8 units, so every one of them lies on a 4-unit grid: 768 / 4.
constexpr int kMaxChordsPerPage = 192;
constexpr int kMaxPointsPerPage = 192;

// What reading a page left out to keep within a page's limits.
struct PageCuts {
    int chordsPastCount = 0; // chords after the first kMaxChordsPerPage
    int chordsPastEnd = 0;   // chords that would start at or after the page's 16 bars
    int chordsShortened = 0; // the chord that crossed the end of the 16 bars, shortened to end on it
    int pointsPastCount = 0; // points after the first kMaxPointsPerPage positions
    int pointsSamePlace = 0; // points at a position an earlier point of the file already took
};

// What the page operations need from the session around them. Every member may be left empty: an
// operation then skips what needs it (no clipboard: nothing copied or pasted; no prompt: refusals are
// silent and the 3/4 question counts as Cancel; no meter function: 4/4; no edited page: this page).
struct PageContext {
    QvPage* clipboard = nullptr;         // the chord clipboard page
    bool* clipboardIs34 = nullptr;       // the clipboard content is on the 3/4 grid
    QvAPoint* liveArrangement = nullptr; // the arrangement state playback reads
    Prompt* prompt = nullptr;            // refusals and the 3/4 question
    std::function<bool()> isTripleMeter; // the session's current style is in 3/4
    std::function<QvPage*()> editedPage; // the page edited in the session window
};

class QvPage : public TextStream {
  public:
    Llist<QvChord> chords{0, 1, true};   // in play order; a chord starts where the previous one ends
    Llist<QvAPoint> apoints{0, 1, true}; // kept in ascending pos
    mutable bool dirty = true;           // the cached lengths must be recomputed
    mutable int cachedLength = 0;        // page length in 48ths of a bar
    mutable int chordsLength = 0;        // sum of the chord lengths
    int zoom = 8;                        // bars across the page display: 8 or 16

    QvPage() { clear(); }

    // Chords (indexes out of range: setters ignore them, getters give 0 or the default chord).
    int chordCount() const { return chords.count(); }
    QvChord chordAt(int i) const;
    int chordStart(int i) const;
    int chordLength(int i) const;
    void addChord(const QvChord& chord, int i); // before index i; negative or past the end appends
    void setChord(const QvChord& chord, int i);
    // Appends copies; with replace every chord and point is removed first and the live arrangement
    // state reset. The zoom becomes 8 when the edited page has at most 8 bars.
    void addChords(const Llist<QvChord>& list, bool replace, const PageContext& ctx);
    void transposeChords(int semitones, bool onlySelected);
    bool isEmpty() const { return chords.empty() && apoints.empty(); }

    // Selection.
    void setSelected(int i, bool value);
    void selectAll();
    void selectNone();
    bool isSelected(int i) const;
    int selectedCount() const;
    void selectionRange(int& first, int& last) const; // both -1 when nothing is selected
    void deleteSelected();

    // Arrangement points.
    int apointCount() const { return apoints.count(); }
    QvAPoint apointAt(int i) const; // a default point at 0 when out of range
    // Replaces point i and keeps the points in position order; returns the point's index afterwards
    // (-1 when i is out of range). Marks the page changed in any case.
    int setAPoint(const QvAPoint& point, int i);
    void removeAPoint(int i);
    int findAPoint(int pos) const; // index of the point at exactly pos, else -1
    void addAPoint(int pos);       // a default point, unless one lies there already
    bool apointsWithin8Bars() const;

    // Length in 48ths of a bar: the chords' sum, raised to the last point (a point on a bar line
    // claims its whole bar). With chordsOnly only the chords' sum.
    int length(bool chordsOnly = false) const;
    int bars() const; // length rounded up to bars, at least 1
    void markChanged() { dirty = true; }
    void invalidateLength() { dirty = true; }

    // Removes every chord and point, zoom 8. A given live arrangement state is reset to a default point.
    void clear(QvAPoint* liveArrangement = nullptr);

    // Clipboard (ctx.clipboard). The clipboard page is cleared without touching the live arrangement.
    void copySelectedToClipboard(const PageContext& ctx) const; // selected chords, no points
    void copyAllToClipboard(const PageContext& ctx) const;      // every chord and point
    // Inserts the chords to paste before index i: the clipboard's, or with fromSelection this page's
    // selected chords (with move the originals are removed). Refused (false) past 768 units or when the
    // 3/4 question is declined; a refused paste leaves the page as it was.
    bool paste(int i, bool fromSelection, bool move, const PageContext& ctx);
    // The page's chords and points become the clipboard's; false when the 3/4 question is declined.
    bool replaceFromClipboard(const PageContext& ctx);

    // Meter conversion between the 4/4 and the 3/4 grid; a round trip without edits is exact.
    void convertMeter(bool toTriple);
    // Counts (and with del removes) the chords / points that cannot be placed on the 3/4 grid.
    int dropChordsOffGrid34(bool del);
    int dropAPointsOffGrid34(bool del);
    // On the clipboard page: asks before 4/4 content goes into a 3/4 session and deletes what does not
    // fit when the answer is OK; false for Cancel or a closed box (nothing deleted).
    bool convertPasteTo34(Prompt* prompt);

    // Blocks "chords" and "apoints", then "pageZoom". After reading, the chords end within 768 units
    // (at most kMaxChordsPerPage of them), the points are sorted stably by position with one a
    // position (at most kMaxPointsPerPage), and a zoom other than 16 reads as 8.
    void serialize() override;
    // Reading from lines, as serialize does: a chord length of 0 or less becomes shortest; what the
    // limits leave out is added to cuts.
    void read(int shortest, PageCuts& cuts);

  private:
    void ends(Llist<int>& out) const;
    int sortAPoints(int follow);
    void bringClipboardToMeter(const PageContext& ctx) const;
};
