#include "platform/rendertimeline.h"

#include <algorithm>
#include <cmath>

namespace {

// A period that begins late tells nothing by itself: the thread may have woken late while the device
// still had sound to play. When every period of a window of about half a second began late, the
// device has played on without us (a dropout, or a clock slower than the sender's): the mapping
// follows the least late of them. Less than kToleranceNs is left alone (the jitter of the wake-ups).
// A period that begins later than the device's whole buffer (two periods) needs no window: no late
// wake-up explains it, the device has run dry.
constexpr double kWindowNs = 0.5e9;
constexpr double kToleranceNs = 1e6;
constexpr double kBufferPeriods = 2.0;

} // namespace

RenderTimeline::RenderTimeline(double frameRate, std::int64_t marginNs_, std::int64_t carryNs_)
    : framesPerNs(frameRate / 1e9), marginNs(marginNs_), carryNs(carryNs_) {}

void RenderTimeline::restart(std::int64_t carryNs_) {
    carryNs = carryNs_;
    leadIn = true;
    isAnchored = false;
}

bool RenderTimeline::beginPeriod(std::int64_t nowNs, int frames, std::optional<std::int64_t> oldestNs) {
    periodFrames = frames;
    if (leadIn) {
        leadIn = false;
        return false;
    }
    if (isAnchored) {
        keepInStep(nowNs);
        return true;
    }
    // The period before this one was written into an empty buffer: from here on the device asks for
    // a period each time it has played one, so the frames rendered so far are "now".
    latency = frames + std::llround(double(marginNs) * framesPerNs);
    baseFrame = double(rendered);
    baseNs = nowNs;
    catchUpBeforeNs = nowNs;
    catchUpNs = 0;
    if (oldestNs && *oldestNs < nowNs) {
        if (nowNs - *oldestNs <= carryNs)
            baseNs = *oldestNs;
        else
            catchUpNs = nowNs - *oldestNs;
    }
    lastTarget = rendered;
    windowSize =
        int(std::clamp(std::ceil(kWindowNs * framesPerNs / std::max(1, frames)), 4.0, double(kMaxWindow)));
    windowFilled = 0;
    windowNext = 0;
    isAnchored = true;
    return true;
}

void RenderTimeline::follow(double frames) {
    baseFrame -= frames;
    for (int i = 0; i < windowFilled; ++i) lateness[std::size_t(i)] -= frames;
}

void RenderTimeline::keepInStep(std::int64_t nowNs) {
    double late = frameAt(nowNs) - double(rendered);
    // Early: the device asks for frames earlier than the mapping says, which a late thread never
    // causes; messages would come late, so the mapping follows at once. So it does when the device
    // has surely run dry.
    if (late < 0 || late > kBufferPeriods * periodFrames) {
        follow(late);
        late = 0;
    }
    lateness[std::size_t(windowNext)] = late;
    windowNext = (windowNext + 1) % windowSize;
    windowFilled = std::min(windowFilled + 1, windowSize);
    if (windowFilled < windowSize) return;
    // Late: the least late period of the window is what the device's clock is behind; messages that
    // the dropout made late are then due, and are played at once (take gives them frame 0).
    const double leastLate = *std::min_element(lateness.begin(), lateness.begin() + windowSize);
    if (leastLate > kToleranceNs * framesPerNs) follow(leastLate);
}

int RenderTimeline::take(std::int64_t atNs) {
    const std::int64_t t = atNs < catchUpBeforeNs ? atNs + catchUpNs : atNs;
    std::int64_t target = std::llround(frameAt(t)) + latency;
    target = std::max(target, lastTarget);
    if (target >= rendered + periodFrames) return -1;
    lastTarget = target;
    return int(std::max<std::int64_t>(0, target - rendered));
}
