#pragma once
// Where in the rendered sound a time-stamped MIDI message takes effect. The audio device asks for
// whole periods of sound at times of its own; messages are placed inside the period by their time
// stamps instead of at its start, so that every message sounds a fixed latency after it was sent,
// whatever the period size. The frames rendered are mapped onto the sender's clock: anchored when a
// stretch of sound begins, then kept in step with the device's clock, also after the device has
// played on without us (a dropout): messages that it made late are then played at once.
#include <array>
#include <cstdint>
#include <optional>

class RenderTimeline {
  public:
    // frameRate: frames per second; marginNs: latency beyond one period, for the jitter of the periods;
    // carryNs: at the start of a stretch of sound, messages waiting no longer than this keep their
    // exact times (the rest keep their spacing but start with the sound).
    RenderTimeline(double frameRate, std::int64_t marginNs, std::int64_t carryNs);

    // A stretch of sound begins (the stream opened or woke from rest): its first period is a silent
    // lead-in that takes no messages, the next one anchors the timeline. carryNs as above.
    void restart(std::int64_t carryNs);
    // A period of `frames` frames starts rendering at nowNs; oldestNs is the time stamp of the oldest
    // message waiting, if any. False for the lead-in period.
    bool beginPeriod(std::int64_t nowNs, int frames, std::optional<std::int64_t> oldestNs);
    // The frame of the current period at which a message stamped atNs takes effect (0 for a message
    // already due), or -1 when it belongs to a later period. A message never goes before one taken
    // earlier. Only after beginPeriod returned true.
    int take(std::int64_t atNs);
    // The current period has been rendered.
    void endPeriod() { rendered += periodFrames; }

    bool anchored() const { return isAnchored; }
    // Frames from a message's time stamp to the frame it is placed at (valid once anchored).
    std::int64_t latencyFrames() const { return latency; }

  private:
    static constexpr int kMaxWindow = 64;

    double framesPerNs;
    std::int64_t marginNs;
    std::int64_t carryNs;
    std::int64_t rendered = 0; // frames rendered before the current period
    int periodFrames = 0;
    bool leadIn = true;
    bool isAnchored = false;
    // The mapping of the sender's clock onto frames: frame(t) = baseFrame + (t - baseNs) * framesPerNs.
    std::int64_t baseNs = 0;
    double baseFrame = 0;
    std::int64_t latency = 0;
    // Messages stamped before catchUpBeforeNs are moved later by catchUpNs.
    std::int64_t catchUpBeforeNs = 0;
    std::int64_t catchUpNs = 0;
    std::int64_t lastTarget = 0;
    // How late (in frames, against the mapping) each of the latest windowSize periods began; the
    // least late of them tells an offset of the device's clock from a thread that woke late.
    std::array<double, kMaxWindow> lateness{};
    int windowSize = 0;
    int windowFilled = 0;
    int windowNext = 0;

    double frameAt(std::int64_t ns) const { return baseFrame + double(ns - baseNs) * framesPerNs; }
    void keepInStep(std::int64_t nowNs);
    // The device's clock is `frames` later against the sender's than the mapping says: the mapping
    // follows (a message then takes effect that many frames earlier).
    void follow(double frames);
};
