// The growable array and the rings built on it.
#include <gtest/gtest.h>

#include <string>

#include "foundation/circularlist.h"
#include "foundation/llist.h"

namespace {

using Strings = Llist<std::string>;

Strings make(std::initializer_list<const char*> items, int growStep = 1, bool keepOrder = true) {
    Strings l(0, growStep, keepOrder);
    for (const char* s : items) l.add(s);
    return l;
}

std::string joined(const Strings& l) {
    std::string s;
    for (const std::string& x : l) s += x + ",";
    return s;
}

} // namespace

TEST(Llist, ConstructionAndCopiesStartWithoutCursor) {
    Strings a(5, 0, false);
    EXPECT_EQ(a.top, -1);
    EXPECT_EQ(a.current, -1);
    EXPECT_EQ(a.capacity, 5);
    EXPECT_EQ(a.growStep, 1);
    a.add("x");
    a.add("y");
    a.at(1);
    ASSERT_EQ(a.current, 1);
    Strings b(a);
    EXPECT_EQ(b.current, -1);
    Strings c = make({"p"});
    c.at(0);
    c.assign(a);
    EXPECT_EQ(c.current, -1);
    EXPECT_EQ(joined(c), "x,y,");
    EXPECT_EQ(c.capacity, 5);
    EXPECT_FALSE(c.keepOrder);
}

TEST(Llist, OutOfRangeReads) {
    Strings l = make({"a", "b", "c"});
    l.defaultElement = "none";
    l.at(1);
    EXPECT_EQ(l.at(5), "none");
    EXPECT_EQ(l.at(-3), "none");
    EXPECT_EQ(l.current, 1);
    // A write through an out-of-range reference does not change later out-of-range reads.
    l.at(7) = "scribble";
    EXPECT_EQ(l.at(8), "none");
    EXPECT_EQ(l.defaultElement, "none");
    EXPECT_EQ(joined(l), "a,b,c,");

    l.outOfRangeMode = 1;
    EXPECT_EQ(l.at(5), "c");
    EXPECT_EQ(l.at(-3), "a");
    EXPECT_EQ(l.current, 1);

    Strings empty;
    empty.defaultElement = "d";
    EXPECT_EQ(empty.at(0), "d");
    empty.outOfRangeMode = 1;
    EXPECT_EQ(empty.at(0), "d");
    empty.at(0) = "changed";
    EXPECT_EQ(empty.at(-1), "d");
    const Strings& ce = empty;
    EXPECT_EQ(ce.at(3), "d");
}

TEST(Llist, RemoveKeepsOrderOrMovesLast) {
    Strings kept = make({"a", "b", "c"});
    kept.remove(0);
    EXPECT_EQ(joined(kept), "b,c,");
    Strings moved = make({"a", "b", "c"}, 1, false);
    moved.remove(0);
    EXPECT_EQ(joined(moved), "c,b,");

    Strings l = make({"a", "b", "c"});
    l.remove(7);
    l.remove(-2);
    EXPECT_EQ(joined(l), "a,b,c,");
    l.at(1);
    l.remove(-1);
    EXPECT_EQ(joined(l), "a,c,");
    EXPECT_EQ(l.current, 1);

    Strings one = make({"only"});
    one.remove(0);
    EXPECT_EQ(one.capacity, 0);
    EXPECT_EQ(one.items, nullptr);
    EXPECT_EQ(one.top, -1);
    one.remove(-1);
    EXPECT_EQ(one.top, -1);
}

TEST(Llist, CapacityGrowsAndShrinksByGrowStep) {
    Llist<int> l(10, 1, true);
    for (int k = 0; k < 10; ++k) l.add(k);
    EXPECT_EQ(l.capacity, 10);
    l.add(10);
    EXPECT_EQ(l.capacity, 11);
    l.remove(10);
    EXPECT_EQ(l.capacity, 11);
    l.remove(9);
    EXPECT_EQ(l.top + 1, 9);
    EXPECT_EQ(l.capacity, 9);

    Llist<int> b(10, 1, true);
    for (int k = 0; k < 10; ++k) b.add(k);
    b.remove(0);
    EXPECT_EQ(b.capacity, 10);
    b.remove(0);
    EXPECT_EQ(b.capacity, 8);
    EXPECT_EQ(b.at(0), 2);

    // Grow step 3: capacities 3, 6, 9 while adding, and back to the exact count when more than
    // three slots are free.
    Llist<int> g(0, 3, true);
    std::string seq;
    for (int k = 0; k < 7; ++k) {
        g.add(k);
        seq += std::to_string(g.capacity) + " ";
    }
    EXPECT_EQ(seq, "3 3 3 6 6 6 9 ");
    seq.clear();
    while (g.top >= 0) {
        g.remove(g.top);
        seq += std::to_string(g.capacity) + " ";
    }
    EXPECT_EQ(seq, "9 5 5 5 5 1 0 ");
}

TEST(Llist, SetCapacity) {
    Strings l = make({"a", "b", "c", "d"});
    l.setCapacity(2, true);
    EXPECT_EQ(joined(l), "a,b,");
    EXPECT_EQ(l.capacity, 2);
    l.setCapacity(6, true);
    EXPECT_EQ(joined(l), "a,b,");
    EXPECT_EQ(l.capacity, 6);
    EXPECT_EQ(l.items[4], "");
    l.setCapacity(0, true);
    EXPECT_EQ(l.top, -1);
    EXPECT_EQ(l.items, nullptr);
}

TEST(Llist, Insert) {
    Strings l = make({"a", "b"});
    l.insert("x", 0);
    EXPECT_EQ(joined(l), "x,a,b,");
    EXPECT_EQ(l.current, 0);
    l.insert("y", 3);
    EXPECT_EQ(joined(l), "x,a,b,y,");
    EXPECT_EQ(l.current, 3);
    l.at(1);
    l.insert("z", -1);
    EXPECT_EQ(joined(l), "x,z,a,b,y,");
    l.insert("n", -2);
    EXPECT_EQ(joined(l), "x,z,a,b,y,");

    Strings empty;
    empty.insert("q", -1); // no current item: nothing to insert before
    EXPECT_EQ(empty.top, -1);
    empty.insert("q", 0);
    EXPECT_EQ(joined(empty), "q,");
}

TEST(Llist, AddAndInsertOfOwnItemSurviveReallocation) {
    std::string longText(100, 'k'); // beyond the short-string buffer, so a stale read shows
    Strings l(0, 1, true);
    l.add(longText + "0");
    l.add(longText + "1");
    ASSERT_EQ(l.capacity, 2);
    l.add(l.at(0));
    EXPECT_EQ(l.at(2), longText + "0");
    ASSERT_EQ(l.capacity, 3);
    l.insert(l.at(2), 1);
    EXPECT_EQ(joined(l), longText + "0," + longText + "0," + longText + "1," + longText + "0,");
    l.insert(l.at(3), 0);
    EXPECT_EQ(l.at(0), longText + "0");
    EXPECT_EQ(l.top, 4);
}

TEST(Llist, AppendAll) {
    Strings a = make({"a", "b"});
    Strings b(4, 1, true);
    b.add("c");
    a.appendAll(b);
    EXPECT_EQ(joined(a), "a,b,c,");
    EXPECT_EQ(a.capacity, 6);
    EXPECT_EQ(a.current, 2);

    a.appendAll(a);
    EXPECT_EQ(joined(a), "a,b,c,a,b,c,");
    EXPECT_EQ(a.capacity, 12);

    Strings empty;
    a.appendAll(empty);
    EXPECT_EQ(a.top, 5);
    EXPECT_EQ(a.capacity, 12);
}

TEST(Llist, NextIterates) {
    Strings l = make({"a", "b"});
    std::string seen;
    l.current = -1;
    while (l.next()) seen += l.at(l.current);
    EXPECT_EQ(seen, "ab");
    EXPECT_EQ(l.current, 1);
    EXPECT_FALSE(l.next());
    EXPECT_EQ(l.current, 1);
    Strings empty;
    EXPECT_FALSE(empty.next());
    EXPECT_EQ(empty.current, -1);
}

TEST(Llist, CopiesAreDeepAndKeepSettings) {
    Llist<Strings> outer(0, 2, false);
    outer.add(make({"a", "b"}));
    outer.add(make({"c"}));
    outer.defaultElement = make({"dflt"});
    outer.outOfRangeMode = 1;

    Llist<Strings> copy;
    copy.assign(outer);
    copy.at(0).at(0) = "changed";
    copy.at(1).add("d");
    EXPECT_EQ(joined(outer.at(0)), "a,b,");
    EXPECT_EQ(joined(outer.at(1)), "c,");
    EXPECT_EQ(joined(copy.at(0)), "changed,b,");
    EXPECT_EQ(copy.growStep, 2);
    EXPECT_FALSE(copy.keepOrder);
    EXPECT_EQ(copy.outOfRangeMode, 1);
    EXPECT_EQ(joined(copy.defaultElement), "dflt,");

    Llist<Strings> constructed(outer);
    outer.at(1).at(0) = "x";
    EXPECT_EQ(joined(constructed.at(1)), "c,");

    copy.assign(copy);
    EXPECT_EQ(copy.top, 1);
    copy = Llist<Strings>(outer);
    EXPECT_EQ(joined(copy.at(1)), "x,");
}

TEST(CircularList, CapacityAndWrap) {
    History<std::string> h0(0);
    EXPECT_EQ(h0.capacity, 1);
    History<std::string> hn(-4);
    EXPECT_EQ(hn.capacity, 1);
    EXPECT_EQ(hn.items.top, 0);

    History<std::string> h(3);
    for (const char* s : {"a", "b", "c", "d"}) h.push(s);
    EXPECT_EQ(h.count, 3);
    EXPECT_EQ(h.position, 2);
    EXPECT_EQ(h.entry(0) + h.entry(1) + h.entry(2), "bcd");

    History<int> big(100);
    for (int k = 0; k < 250; ++k) big.push(k);
    EXPECT_EQ(big.count, 100);
    EXPECT_EQ(big.entry(0), 150);
    EXPECT_EQ(big.entry(99), 249);
    EXPECT_EQ(big.position, 99);
}

TEST(CircularList, UndoThenPushDropsRedoEntries) {
    History<std::string> h(5);
    h.defaultElement = "-";
    for (const char* s : {"a", "b", "c"}) h.push(s);
    EXPECT_TRUE(h.undo());
    EXPECT_TRUE(h.undo());
    EXPECT_FALSE(h.undo());
    EXPECT_EQ(h.position, 0);
    EXPECT_TRUE(h.canRedo());
    h.push("x");
    EXPECT_EQ(h.count, 2);
    EXPECT_EQ(h.position, 1);
    EXPECT_EQ(h.entry(0) + h.entry(1), "ax");
    EXPECT_FALSE(h.redo());
    // The dropped entry's slot still holds "b"; it is not an entry any more.
    EXPECT_EQ(h.entry(2), "-");
    EXPECT_EQ(h.entry(-1), "-");
    h.entry(4) = "scribble";
    EXPECT_EQ(h.entry(3), "-");

    h.moveTo(5);
    EXPECT_EQ(h.position, 1);
    h.moveTo(0);
    EXPECT_EQ(h.position, 0);
    EXPECT_TRUE(h.redo());
    EXPECT_EQ(h.entry(h.position), "x");
}

TEST(CircularList, MergeReplacesNewestEntry) {
    History<int> h(3);
    h.push(1);
    h.push(2);
    h.moveTo(h.position - 1); // merge: the newest entry is replaced
    h.push(3);
    EXPECT_EQ(h.count, 2);
    EXPECT_EQ(h.entry(0) * 10 + h.entry(1), 13);
    // On a full, wrapped ring as well.
    h.push(4);
    h.push(5);
    h.moveTo(h.position - 1);
    h.push(6);
    EXPECT_EQ(h.count, 3);
    EXPECT_EQ(h.entry(0) * 100 + h.entry(1) * 10 + h.entry(2), 346);
    // A single entry cannot move back: the merge becomes a new entry.
    History<int> one(3);
    one.push(7);
    one.moveTo(one.position - 1);
    one.push(8);
    EXPECT_EQ(one.count, 2);
    const History<int>& c = one;
    EXPECT_EQ(c.entry(0), 7);
    EXPECT_EQ(c.entry(5), 0);
}

TEST(CircularList, ResetStartsAgain) {
    History<int> h(3);
    for (int k = 0; k < 5; ++k) h.push(k);
    h.reset();
    EXPECT_EQ(h.entry(0), 0);
    h.push(42);
    EXPECT_EQ(h.count, 1);
    EXPECT_EQ(h.position, 0);
    EXPECT_EQ(h.entry(0), 42);
}

TEST(Llist, NonPositiveGrowStepStillGrows) {
    Llist<int> l(0, 1, true);
    l.growStep = 0;
    l.add(1);
    l.add(2);
    EXPECT_EQ(l.top, 1);
    EXPECT_EQ(l.capacity, 2);
}

TEST(HistoryObject, AnEmptyBaseDestroyedThroughItsPointer) {
    static_assert(std::has_virtual_destructor_v<HistoryObject>);
    static_assert(sizeof(HistoryObject) == sizeof(void*)); // nothing but its table pointer
    static int destroyed = 0;
    struct Entry : HistoryObject {
        ~Entry() override { ++destroyed; }
    };
    HistoryObject* entry = new Entry;
    delete entry;
    EXPECT_EQ(destroyed, 1);
}
