#include "platform/rendertimeline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A device clock slower than the sender's makes the latency grow: beyond this much of it, the mapping
// is brought back, at most kSlewNs per window of about a second (too little to be heard).
constexpr double kToleranceNs = 40e6;
constexpr double kSlewNs = 1e6;
constexpr double kWindowNs = 1e9;

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
    windowEarliest = -std::numeric_limits<double>::infinity();
    windowPeriods = 0;
    isAnchored = true;
    return true;
}

void RenderTimeline::keepInStep(std::int64_t nowNs) {
    // Positive: the device asks for frames earlier than the mapping says, which a late thread never
    // causes; messages would come late, so the mapping follows at once.
    const double ahead = double(rendered) - frameAt(nowNs);
    if (ahead > 0) {
        baseFrame += ahead;
        return;
    }
    // Negative: the device's clock is slower, or this period began late; the least late period of
    // a window tells which.
    windowEarliest = std::max(windowEarliest, ahead);
    if (++windowPeriods < std::max(4.0, kWindowNs * framesPerNs / std::max(1, periodFrames))) return;
    const double tolerance = kToleranceNs * framesPerNs;
    if (windowEarliest < -tolerance)
        baseFrame += std::max(windowEarliest + tolerance, -kSlewNs * framesPerNs);
    windowEarliest = -std::numeric_limits<double>::infinity();
    windowPeriods = 0;
}

int RenderTimeline::take(std::int64_t atNs) {
    const std::int64_t t = atNs < catchUpBeforeNs ? atNs + catchUpNs : atNs;
    std::int64_t target = std::llround(frameAt(t)) + latency;
    target = std::max(target, lastTarget);
    if (target >= rendered + periodFrames) return -1;
    lastTarget = target;
    return int(std::max<std::int64_t>(0, target - rendered));
}
