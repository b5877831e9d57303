#include "engine/qvpage.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "foundation/strutil.h"

namespace {

int toIntRange(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

bool tripleMeter(const PageContext& ctx) {
    return ctx.isTripleMeter ? ctx.isTripleMeter() : false;
}

bool clipboardIs34(const PageContext& ctx) {
    return ctx.clipboardIs34 ? *ctx.clipboardIs34 : false;
}

void setClipboardIs34(const PageContext& ctx, bool value) {
    if (ctx.clipboardIs34) *ctx.clipboardIs34 = value;
}

void resetLive(QvAPoint* live) {
    if (live) *live = QvAPoint(0);
}

} // namespace

// ---- chords ----------------------------------------------------------------------------------------

QvChord QvPage::chordAt(int i) const {
    if (i < 0 || i >= chords.count()) return QvChord();
    return chords.at(i);
}

int QvPage::chordStart(int i) const {
    if (i < 0 || i >= chords.count()) return 0;
    long long sum = 0;
    for (int k = 0; k < i; ++k) sum += chords.at(k).len;
    return toIntRange(sum);
}

int QvPage::chordLength(int i) const {
    if (i < 0 || i >= chords.count()) return 0;
    return chords.at(i).len;
}

void QvPage::addChord(const QvChord& chord, int i) {
    if (i < 0 || i >= chords.count())
        chords.add(chord);
    else
        chords.insert(chord, i);
    dirty = true;
}

void QvPage::setChord(const QvChord& chord, int i) {
    if (i < 0 || i >= chords.count()) return;
    chords.at(i) = chord;
    dirty = true;
}

void QvPage::addChords(const Llist<QvChord>& list, bool replace, const PageContext& ctx) {
    Llist<QvChord> copies(list); // the list may be this page's own
    if (replace) {
        chords.clear();
        apoints.clear();
        resetLive(ctx.liveArrangement);
    }
    for (const QvChord& c : copies) chords.add(c);
    dirty = true;
    QvPage* edited = ctx.editedPage ? ctx.editedPage() : nullptr;
    if (!edited) edited = this;
    if (edited->bars() <= 8) zoom = 8;
}

void QvPage::transposeChords(int semitones, bool onlySelected) {
    for (QvChord& c : chords)
        if (!onlySelected || c.selected) c.transpose(semitones);
}

// ---- selection -------------------------------------------------------------------------------------

void QvPage::setSelected(int i, bool value) {
    if (i >= 0 && i < chords.count()) chords.at(i).selected = value;
}

void QvPage::selectAll() {
    for (QvChord& c : chords) c.selected = true;
}

void QvPage::selectNone() {
    for (QvChord& c : chords) c.selected = false;
}

bool QvPage::isSelected(int i) const {
    return i >= 0 && i < chords.count() && chords.at(i).selected;
}

int QvPage::selectedCount() const {
    int n = 0;
    for (const QvChord& c : chords) n += c.selected ? 1 : 0;
    return n;
}

void QvPage::selectionRange(int& first, int& last) const {
    first = last = -1;
    for (int i = 0; i < chords.count(); ++i) {
        if (!chords.at(i).selected) continue;
        if (first < 0) first = i;
        last = i;
    }
}

void QvPage::deleteSelected() {
    for (int i = chords.count() - 1; i >= 0; --i)
        if (chords.at(i).selected) chords.remove(i);
    dirty = true;
}

// ---- arrangement points ----------------------------------------------------------------------------

QvAPoint QvPage::apointAt(int i) const {
    if (i < 0 || i >= apoints.count()) return QvAPoint(0);
    return apoints.at(i);
}

int QvPage::setAPoint(const QvAPoint& point, int i) {
    dirty = true;
    if (i < 0 || i >= apoints.count()) return -1;
    apoints.at(i) = point;
    return sortAPoints(i);
}

void QvPage::removeAPoint(int i) {
    dirty = true;
    if (i >= 0 && i < apoints.count()) apoints.remove(i);
}

int QvPage::findAPoint(int pos) const {
    for (int i = 0; i < apoints.count(); ++i)
        if (apoints.at(i).pos == pos) return i;
    return -1;
}

void QvPage::addAPoint(int pos) {
    dirty = true;
    if (findAPoint(pos) >= 0) return;
    for (int i = 0; i < apoints.count(); ++i) {
        if (apoints.at(i).pos > pos) {
            apoints.insert(QvAPoint(pos), i);
            return;
        }
    }
    apoints.add(QvAPoint(pos));
}

bool QvPage::apointsWithin8Bars() const {
    return apoints.empty() || apoints.at(apoints.count() - 1).pos <= 8 * kUnitsPerBar;
}

// Stable sort by position; returns the new index of the point that was at index `follow` (-1: none).
int QvPage::sortAPoints(int follow) {
    int n = apoints.count();
    std::vector<int> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return apoints.at(a).pos < apoints.at(b).pos; });
    int result = -1;
    bool moved = false;
    for (int i = 0; i < n; ++i) {
        if (order[static_cast<size_t>(i)] == follow) result = i;
        if (order[static_cast<size_t>(i)] != i) moved = true;
    }
    if (moved) {
        Llist<QvAPoint> sorted(n, 1, true);
        for (int i = 0; i < n; ++i) sorted.add(apoints.at(order[static_cast<size_t>(i)]));
        apoints = sorted;
    }
    return result;
}

// ---- length ----------------------------------------------------------------------------------------

int QvPage::length(bool chordsOnly) const {
    if (dirty) {
        long long sum = 0;
        for (const QvChord& c : chords) sum += c.len;
        long long total = sum;
        if (!apoints.empty()) {
            long long last = apoints.at(apoints.count() - 1).pos;
            if (last % kUnitsPerBar == 0) last += kUnitsPerBar;
            if (last > total) total = last;
        }
        chordsLength = toIntRange(sum);
        cachedLength = toIntRange(total);
        dirty = false;
    }
    return chordsOnly ? chordsLength : cachedLength;
}

int QvPage::bars() const {
    long long len = length(false);
    long long b = (len + kUnitsPerBar - 1) / kUnitsPerBar;
    return b < 1 ? 1 : toIntRange(b);
}

// ---- clearing and the clipboard --------------------------------------------------------------------

void QvPage::clear(QvAPoint* liveArrangement) {
    chords.clear();
    apoints.clear();
    resetLive(liveArrangement);
    dirty = true;
    zoom = 8;
}

void QvPage::copySelectedToClipboard(const PageContext& ctx) const {
    if (!ctx.clipboard) return;
    Llist<QvChord> picked(0, 1, true);
    for (const QvChord& c : chords)
        if (c.selected) picked.add(c);
    ctx.clipboard->clear(); // the live arrangement is left alone: copying must not end a break
    for (const QvChord& c : picked) ctx.clipboard->chords.add(c);
    setClipboardIs34(ctx, tripleMeter(ctx));
}

void QvPage::copyAllToClipboard(const PageContext& ctx) const {
    if (!ctx.clipboard || ctx.clipboard == this) {
        setClipboardIs34(ctx, tripleMeter(ctx));
        return;
    }
    ctx.clipboard->clear();
    ctx.clipboard->chords = chords;
    ctx.clipboard->apoints = apoints;
    setClipboardIs34(ctx, tripleMeter(ctx));
}

void QvPage::bringClipboardToMeter(const PageContext& ctx) const {
    if (!ctx.clipboard) return;
    bool triple = tripleMeter(ctx);
    bool is34 = clipboardIs34(ctx);
    if (!is34 && triple)
        ctx.clipboard->convertMeter(true);
    else if (is34 && !triple)
        ctx.clipboard->convertMeter(false);
    setClipboardIs34(ctx, triple);
}

bool QvPage::paste(int i, bool fromSelection, bool move, const PageContext& ctx) {
    if (!fromSelection) {
        if (!ctx.clipboard) return false;
        if (!clipboardIs34(ctx) && tripleMeter(ctx) && !ctx.clipboard->convertPasteTo34(ctx.prompt))
            return false;
    }
    dirty = true;
    Llist<QvChord> toPaste(0, 1, true);
    if (fromSelection) {
        for (const QvChord& c : chords)
            if (c.selected) toPaste.add(c);
        for (QvChord& c : chords) {
            c.pasteSaved = c.selected;
            c.selected = false;
        }
    } else {
        bringClipboardToMeter(ctx);
        toPaste = ctx.clipboard->chords;
    }
    long long pasteSum = 0;
    for (QvChord& c : toPaste) {
        c.selected = true;
        c.pasteSaved = false;
        pasteSum += c.len;
    }
    if (!(fromSelection && move) && pasteSum + length(true) > kMaxPageUnits) {
        if (ctx.prompt) {
            Llist<std::string> lines(0, 1, true);
            lines.add("There is not enough free space on this page to paste the selected chords.");
            lines.add("A page can hold maximum " + std::string("16") + " bars. Please select another page.");
            ctx.prompt->messageBox(lines, PromptButtons::Ok, "");
        }
        if (fromSelection) {
            for (QvChord& c : chords) {
                c.selected = c.pasteSaved;
                c.pasteSaved = false;
            }
        }
        return false;
    }
    int at = (i < 0 || i > chords.count()) ? chords.count() : i;
    for (const QvChord& c : toPaste) {
        if (at >= chords.count())
            chords.add(c);
        else
            chords.insert(c, at);
        ++at;
    }
    dirty = true; // the limit check above recomputed the lengths
    if (fromSelection && move) {
        for (int k = chords.count() - 1; k >= 0; --k)
            if (chords.at(k).pasteSaved) chords.remove(k);
        dirty = true;
    }
    if (fromSelection)
        for (QvChord& c : chords) c.pasteSaved = false;
    return true;
}

bool QvPage::replaceFromClipboard(const PageContext& ctx) {
    if (!ctx.clipboard) return false;
    if (!clipboardIs34(ctx) && tripleMeter(ctx) && !ctx.clipboard->convertPasteTo34(ctx.prompt)) return false;
    dirty = true;
    bringClipboardToMeter(ctx);
    if (ctx.clipboard != this) {
        chords = ctx.clipboard->chords;
        apoints = ctx.clipboard->apoints;
        sortAPoints(-1);
    }
    return true;
}

// ---- meter conversion ------------------------------------------------------------------------------

namespace {

int posInBar(int p) {
    int r = p % kUnitsPerBar;
    return r < 0 ? r + kUnitsPerBar : r;
}

struct GridMap {
    int from1, to1, from2, to2;
    int operator()(int p) const {
        if (posInBar(p) == from1) p += to1 - from1;
        if (posInBar(p) == from2) p += to2 - from2;
        return p;
    }
};

} // namespace

void QvPage::ends(Llist<int>& out) const {
    out.clear();
    long long sum = 0;
    for (const QvChord& c : chords) {
        sum += c.len;
        out.add(toIntRange(sum));
    }
}

void QvPage::convertMeter(bool toTriple) {
    int n = chords.count();
    if (n == 0) return;
    dirty = true;
    const GridMap map = toTriple ? GridMap{12, 16, 36, 32} : GridMap{16, 12, 32, 36};
    Llist<int> e(0, 1, true);
    ends(e);
    // The ends as taken before any change (with the last chord's stretch): step 3 decides on these.
    Llist<int> e3(e);

    for (int i = 0; i < n; ++i) {
        QvChord& c = chords.at(i);
        int end = e.at(i);
        int mapped;
        if (toTriple) {
            c.endBefore34 = end;
            int stretched = end;
            if (i == n - 1 && posInBar(end) == 36 && c.len == 12) {
                stretched = end + 12;
                e3.at(i) = stretched;
            }
            mapped = map(stretched);
        } else {
            mapped = end == c.endAfter34 ? c.endBefore34 : map(end);
        }
        int delta = mapped - end;
        c.len += delta;
        if (i + 1 < n) chords.at(i + 1).len -= delta;
    }

    if (toTriple) {
        for (int i = 0; i < n; ++i) {
            if (posInBar(e3.at(i)) != 24) continue;
            int d = (i < n - 1 && e3.at(i + 1) == e3.at(i) + 12) ? -8 : 8;
            chords.at(i).len += d;
            if (i + 1 < n) chords.at(i + 1).len -= d;
        }
        long long sum = 0;
        for (QvChord& c : chords) {
            sum += c.len;
            c.endAfter34 = toIntRange(sum);
        }
    }

    int m = apoints.count();
    for (int i = 0; i < m; ++i) {
        QvAPoint& p = apoints.at(i);
        if (toTriple) {
            p.posBefore34 = p.pos;
            p.pos = map(p.pos);
        } else {
            p.pos = p.pos == p.posAfter34 ? p.posBefore34 : map(p.pos);
        }
    }
    if (toTriple) {
        for (int i = 0; i < m; ++i) {
            QvAPoint& p = apoints.at(i);
            if (posInBar(p.pos) != 24) continue;
            bool closeNext = i + 1 < m && apoints.at(i + 1).pos == p.pos + 8;
            p.pos += closeNext ? -8 : 8;
        }
        for (QvAPoint& p : apoints) p.posAfter34 = p.pos;
    }
    sortAPoints(-1);
}

int QvPage::dropChordsOffGrid34(bool del) {
    int count = 0;
    Llist<int> e(0, 1, true);
    for (;;) {
        ends(e);
        int n = chords.count();
        int found = -1;
        for (int i = 1; i <= n - 3; ++i) {
            int end = e.at(i);
            if (posInBar(end) != 24 || e.at(i - 1) != end - 12 || e.at(i + 1) != end + 12) continue;
            if (!del) {
                ++count;
                continue;
            }
            found = i;
            break;
        }
        if (found < 0) return count;
        chords.at(found - 1).len += chords.at(found).len;
        chords.remove(found);
        dirty = true;
        ++count;
    }
}

int QvPage::dropAPointsOffGrid34(bool del) {
    int count = 0;
    for (;;) {
        int n = apoints.count();
        int found = -1;
        for (int i = 1; i <= n - 2; ++i) {
            int pos = apoints.at(i).pos;
            if (posInBar(pos) != 24 || apoints.at(i + 1).pos != pos + 12 || apoints.at(i - 1).pos != pos - 12)
                continue;
            if (!del) {
                ++count;
                continue;
            }
            found = i;
            break;
        }
        if (found < 0) return count;
        apoints.remove(found - 1);
        dirty = true;
        ++count;
    }
}

bool QvPage::convertPasteTo34(Prompt* prompt) {
    int a = dropChordsOffGrid34(false);
    int b = dropAPointsOffGrid34(false);
    if (a == 0 && b == 0) return true;
    if (!prompt) return false;
    std::string point = "Arrangement Point";
    std::transform(point.begin(), point.end(), point.begin(),
                   [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; });
    Llist<std::string> lines(0, 1, true);
    lines.add("The clipboard content was created with a music style in 4/4 time. ");
    lines.add("");
    if (a > 0)
        lines.add((a == 1 ? std::string("One chord has") : intToText(a) + " chords have") +
                  " to be deleted in order to align the chords in the actual 3/4 time.");
    if (b > 0)
        lines.add((b == 1 ? "One " + point + " has" : intToText(b) + " " + point + "s have") +
                  " to be deleted in order to align the " + point + "s in the actual 3/4 time.");
    // Only OK deletes: a box closed without an answer counts as Cancel.
    if (prompt->messageBox(lines, PromptButtons::OkCancel, "") != 0) return false;
    dropChordsOffGrid34(true);
    dropAPointsOffGrid34(true);
    return true;
}

// ---- file ------------------------------------------------------------------------------------------

void QvPage::serialize() {
    if (writing) {
        // The elements' own copies of their text are dropped: pages are copied whole into the undo history.
        for (QvChord& c : chords) {
            serializeObject("chords", c);
            c.lines.clear();
        }
        for (QvAPoint& p : apoints) {
            serializeObject("apoints", p);
            p.lines.clear();
        }
        serializeInt("pageZoom", zoom);
        return;
    }
    PageCuts ignored;
    read(kShortestChord44, ignored);
}

void QvPage::read(int shortest, PageCuts& cuts) {
    writing = false;
    dirty = true;
    // The page's limits hold for what is read: chords past 768 units (16 bars) are dropped, the one
    // that crosses that line is shortened to end on it. Only the chords kept are copied out of the text.
    int sections = 0;
    visitSections(lines, "chords", [&sections](int, int) { return ++sections < kMaxChordsPerPage; });
    chords.clear();
    if (sections > 0) chords.setCapacity(sections, false);
    int units = 0;
    visitSections(lines, "chords", [&](int first, int last) {
        if (chords.count() >= kMaxChordsPerPage) {
            ++cuts.chordsPastCount;
            return true;
        }
        if (units >= kMaxPageUnits) {
            ++cuts.chordsPastEnd;
            return true;
        }
        QvChord c(0, 0, 0, kAutoBassArg, false, -1);
        c.lines = linesBetween(lines, first, last);
        c.writing = false;
        c.serializeWith(shortest);
        c.lines.clear();
        if (c.len > kMaxPageUnits - units) {
            c.len = kMaxPageUnits - units;
            ++cuts.chordsShortened;
        }
        units += c.len;
        chords.add(c);
        return true;
    });
    if (chords.count() > 0 && chords.capacity > chords.count()) chords.setCapacity(chords.count(), true);

    // Points in position order, one a position (the first read of those at one position stays), and
    // no more than a page holds. Positions are few (0..767), so the points are placed by position as
    // they are read instead of being sorted and thinned out afterwards.
    std::vector<QvAPoint> byPos(kMaxPointPos + 1);
    std::vector<bool> taken(kMaxPointPos + 1, false);
    int distinct = 0;
    visitSections(lines, "apoints", [&](int first, int last) {
        QvAPoint p(0);
        p.lines = linesBetween(lines, first, last);
        p.writing = false;
        p.serialize();
        p.lines.clear();
        std::size_t at = static_cast<std::size_t>(std::clamp(p.pos, 0, kMaxPointPos));
        if (taken[at]) {
            ++cuts.pointsSamePlace;
        } else {
            taken[at] = true;
            byPos[at] = std::move(p);
            ++distinct;
        }
        return true;
    });
    apoints.clear();
    int kept = std::min(distinct, kMaxPointsPerPage);
    cuts.pointsPastCount += distinct - kept;
    if (kept > 0) apoints.setCapacity(kept, false);
    for (std::size_t at = 0; at < byPos.size() && apoints.count() < kept; ++at)
        if (taken[at]) apoints.add(byPos[at]);

    serializeInt("pageZoom", zoom);
    zoom = zoom == 16 ? 16 : 8;
}
