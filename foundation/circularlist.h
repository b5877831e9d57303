#pragma once
// A fixed-capacity ring of elements kept by value, and the same ring used as an undo history.
#include "foundation/llist.h"

// The empty base of history entries.
class HistoryObject {
  public:
    virtual ~HistoryObject() = default;
};

template <typename T> class CircularList {
  public:
    int capacity = 1;
    int count = 0;
    int position = -1; // current entry (0 = oldest); -1 when there is none
    int start = 0;     // ring slot the next pushed entry goes to
    Llist<T> items{0, 1, true};
    T defaultElement{};

    explicit CircularList(int capacity_) : capacity(capacity_ < 1 ? 1 : capacity_) {
        items.setCapacity(capacity, false);
        for (int i = 0; i < capacity; ++i) items.add(defaultElement);
    }
    virtual ~CircularList() = default;

    // Ring slot of entry i; -1 when i is not one of the count entries.
    int slotOf(int i) const {
        if (i < 0 || i >= count) return -1;
        int s = (start - count + i) % capacity;
        if (s < 0) s += capacity;
        return s;
    }

    // Entry i (0 = oldest); the default element for an index outside the entries.
    T& entry(int i) {
        int s = slotOf(i);
        if (s < 0) {
            scratch = defaultElement;
            return scratch;
        }
        return items.at(s);
    }
    const T& entry(int i) const {
        int s = slotOf(i);
        return s < 0 ? defaultElement : items.at(s);
    }

    void moveTo(int i) {
        if (i >= 0 && i <= count - 1) position = i;
    }

    void reset() {
        count = 0;
        position = -1;
        start = 0;
    }

  private:
    T scratch{};
};

template <typename T> class History : public CircularList<T> {
  public:
    explicit History(int capacity_) : CircularList<T>(capacity_) {}

    void push(const T& element) {
        int d = this->count - this->position - 1;
        if (d > 0) {
            this->start -= d;
            if (this->start < 0) this->start += this->capacity;
            this->count -= d;
        }
        this->items.at(this->start) = element;
        if (this->position != this->capacity - 1) this->position += 1;
        this->start += 1;
        if (this->start >= this->capacity) this->start = 0;
        if (this->count != this->capacity) this->count += 1;
    }

    bool canUndo() const { return this->position > 0; }
    bool canRedo() const { return this->position < this->count - 1; }
    bool undo() {
        if (!canUndo()) return false;
        this->moveTo(this->position - 1);
        return true;
    }
    bool redo() {
        if (!canRedo()) return false;
        this->moveTo(this->position + 1);
        return true;
    }
};
