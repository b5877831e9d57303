#pragma once
// The program's one collection: a growable array that owns its elements by value.
#include <functional>
#include <new>
#include <utility>

template <typename T> class Llist {
  public:
    int top = -1;             // index of the last item; -1 when empty
    mutable int current = -1; // cursor: last item read, added, inserted or iterated
    int capacity = 0;
    int growStep = 1;
    T* items = nullptr;
    T defaultElement{};
    int outOfRangeMode = 0; // 0: out-of-range reads give defaultElement; 1: clamp to first/last
    bool keepOrder = true;

    explicit Llist(int capacity_ = 0, int growStep_ = 1, bool keepOrder_ = true)
        : growStep(growStep_ < 1 ? 1 : growStep_), keepOrder(keepOrder_) {
        if (capacity_ > 0) setCapacity(capacity_, false);
    }
    Llist(const Llist& o) : growStep(o.growStep) { copyFrom(o); }
    Llist(Llist&& o) noexcept { swapWith(o); }
    Llist& operator=(const Llist& o) {
        assign(o);
        return *this;
    }
    Llist& operator=(Llist&& o) noexcept {
        if (this != &o) {
            clearStorage();
            swapWith(o);
        }
        return *this;
    }
    virtual ~Llist() { clearStorage(); }

    int count() const { return top + 1; }
    bool empty() const { return top < 0; }

    void assign(const Llist& o) {
        if (this == &o) return;
        copyFrom(o);
    }

    void setCapacity(int n, bool keep) {
        if (n <= 0) {
            clearStorage();
            return;
        }
        T* fresh = new (std::nothrow) T[n]();
        if (!fresh) {
            clearStorage();
            return;
        }
        int newTop = top < n - 1 ? top : n - 1;
        if (keep)
            for (int i = 0; i <= newTop; ++i) fresh[i] = std::move(items[i]);
        delete[] items;
        items = fresh;
        capacity = n;
        top = keep ? newTop : -1;
    }

    // Out-of-range reads in mode 0 hand out a scratch copy of the default element, so a write
    // through such a reference never changes what later out-of-range reads return.
    T& at(int i) {
        if (i >= 0 && i <= top) {
            current = i;
            return items[i];
        }
        if (top >= 0 && outOfRangeMode == 1) return i < 0 ? items[0] : items[top];
        scratch = defaultElement;
        return scratch;
    }
    const T& at(int i) const {
        if (i >= 0 && i <= top) {
            current = i;
            return items[i];
        }
        if (top >= 0 && outOfRangeMode == 1) return i < 0 ? items[0] : items[top];
        return defaultElement;
    }
    T& operator[](int i) { return at(i); }
    const T& operator[](int i) const { return at(i); }

    virtual void add(const T& item) {
        if (capacity == top + 1) {
            if (ownsAddress(&item)) {
                T copy = item; // the item lives in our array, which is about to move
                grow();
                if (capacity == top + 1) return;
                items[++top] = std::move(copy);
                current = top;
                return;
            }
            grow();
            if (capacity == top + 1) return;
        }
        items[++top] = item;
        current = top;
    }

    virtual void remove(int i) {
        if (i == -1) i = current;
        if (i < 0 || i > top) return;
        if (top == 0) {
            setCapacity(0, false);
            return;
        }
        if (keepOrder) {
            for (int k = i; k < top; ++k) items[k] = std::move(items[k + 1]);
        } else if (i != top) {
            items[i] = std::move(items[top]);
        }
        items[top] = T{};
        int oldTop = top;
        top -= 1;
        if (oldTop < capacity - growStep) setCapacity(oldTop, true);
    }

    void insert(const T& item, int i) {
        if (i == -1) i = current;
        if (i < 0) return;
        if (i > top) {
            add(item);
            return;
        }
        T copy = item; // may refer to one of our own items
        add(items[top]);
        if (top < 0 || items == nullptr || top < i) return;
        for (int k = top - 1; k > i; --k) items[k] = std::move(items[k - 1]);
        items[i] = std::move(copy);
        current = i;
    }

    // Grows by other's capacity and copies other's items behind the last one; appending a list to
    // itself copies the items it held before.
    void appendAll(const Llist& other) {
        if (&other == this) {
            Llist copy(other);
            appendAll(copy);
            return;
        }
        int n = other.top + 1;
        if (other.capacity > 0) {
            int need = top + 1 + n;
            setCapacity(capacity + other.capacity, true);
            if (capacity < need) return;
        }
        for (int k = 0; k < n; ++k) items[top + 1 + k] = other.items[k];
        top += n;
        current = top;
    }

    bool next() const {
        current += 1;
        if (current > top) {
            current = top;
            return false;
        }
        return true;
    }

    void clear() { setCapacity(0, false); }
    // Empties the list and keeps its storage for what is added next.
    void removeAll() {
        for (int i = 0; i <= top; ++i) items[i] = T{};
        top = -1;
        current = -1;
    }

    T* begin() { return items; }
    T* end() { return items ? items + top + 1 : items; }
    const T* begin() const { return items; }
    const T* end() const { return items ? items + top + 1 : items; }

  private:
    T scratch{};

    bool ownsAddress(const T* p) const {
        std::less<const T*> less;
        return items && !less(p, items) && less(p, items + capacity);
    }
    void grow() { setCapacity(capacity + (growStep < 1 ? 1 : growStep), true); } // growStep is public
    void clearStorage() {
        delete[] items;
        items = nullptr;
        capacity = 0;
        top = -1;
    }
    void copyFrom(const Llist& o) {
        current = -1;
        growStep = o.growStep;
        defaultElement = o.defaultElement;
        outOfRangeMode = o.outOfRangeMode;
        keepOrder = o.keepOrder;
        top = -1;
        setCapacity(o.capacity, false);
        if (capacity < o.top + 1) return;
        for (int k = 0; k <= o.top; ++k) items[k] = o.items[k];
        top = o.top;
    }
    void swapWith(Llist& o) noexcept {
        std::swap(top, o.top);
        std::swap(current, o.current);
        std::swap(capacity, o.capacity);
        std::swap(growStep, o.growStep);
        std::swap(items, o.items);
        std::swap(defaultElement, o.defaultElement);
        std::swap(outOfRangeMode, o.outOfRangeMode);
        std::swap(keepOrder, o.keepOrder);
    }
};
