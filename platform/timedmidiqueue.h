#pragma once
// Time-stamped MIDI messages on their way from the thread that sends them to the audio thread that
// plays them: a fixed ring without locks for one sender and one reader, so that neither ever waits
// for the other.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

struct TimedMidiMessage {
    std::int64_t atNs = 0; // steady-clock time at which it was sent
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

class TimedMidiQueue {
  public:
    // Room for capacity messages (rounded up to a power of two).
    explicit TimedMidiQueue(std::size_t capacity) {
        std::size_t n = 1;
        while (n < capacity) n <<= 1;
        ring.resize(n);
        mask = n - 1;
    }

    // Sender: false when the ring is full (the message is not kept).
    bool push(const TimedMidiMessage& m) {
        const std::size_t t = tail.load();
        if (t - head.load() > mask) return false;
        ring[t & mask] = m;
        tail.store(t + 1);
        return true;
    }
    // Reader: the oldest message, or null when there is none.
    const TimedMidiMessage* front() const {
        const std::size_t h = head.load();
        return h == tail.load() ? nullptr : &ring[h & mask];
    }
    // Reader: drops the oldest message.
    void pop() {
        const std::size_t h = head.load();
        if (h != tail.load()) head.store(h + 1);
    }
    bool empty() const { return head.load() == tail.load(); }
    // Only while no other thread uses the queue.
    void clear() { head.store(tail.load()); }

  private:
    std::vector<TimedMidiMessage> ring;
    std::size_t mask = 0;
    // Sequentially consistent: a sender that finds the reader asleep after its push, or a reader that
    // finds the queue empty after saying it sleeps, is never both wrong (the wake-up cannot be lost).
    std::atomic<std::size_t> head{0}; // next to read
    std::atomic<std::size_t> tail{0}; // next to write
};
