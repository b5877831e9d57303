#include "engine/qvhistory.h"

QvHistory::QvHistory(QvCore& live_, StepControl& clock_, HistoryClient& client_)
    : live(live_), clock(clock_), client(client_) {}

std::string QvHistory::mergeKey(const std::string& description) {
    std::size_t colon = description.find(':');
    return colon == std::string::npos ? description : description.substr(0, colon);
}

void QvHistory::reset(const std::string& description) {
    ring.reset();
    record(description, false);
    modified = false;
}

void QvHistory::record(const std::string& description, bool merge) {
    long long loopSteps =
        static_cast<long long>(live.stepsPerBar()) * (static_cast<long long>(live.loopEnd) + 1);
    if (live.songLength() < loopSteps) {
        live.loopStart = -1;
        live.loopEnd = -1;
        live.loopRegionActive = false;
        client.repaintRepeatBox();
    }
    client.playbackTick();
    live.clockCopy = clock;
    if (merge && ring.position >= 1 && mergeKey(ring.entry(ring.position).name) == mergeKey(description))
        ring.position -= 1;
    live.name = description;
    ring.push(live);
    client.playbackTick();
    modified = true;
}

void QvHistory::restore() {
    live = ring.entry(ring.position);
    for (QvPage& page : live.pages) page.selectNone();
    clock = live.clockCopy;
    if (clock.isPlaying()) clock.togglePlay();
    client.afterHistoryRestore();
    modified = true;
}

void QvHistory::undo() {
    if (!canUndo() || !client.allowRestore(ring.entry(ring.position - 1))) return;
    ring.moveTo(ring.position - 1);
    restore();
}

void QvHistory::redo() {
    if (!canRedo() || !client.allowRestore(ring.entry(ring.position + 1))) return;
    ring.moveTo(ring.position + 1);
    restore();
}

void QvHistory::jumpTo(int index) {
    if (index < 0 || index > ring.count - 1 || !client.allowRestore(ring.entry(index))) return;
    ring.moveTo(index);
    restore();
}

std::string QvHistory::description(int i) const {
    if (i < 0 || i >= ring.count) return "";
    return ring.entry(i).name;
}

std::string QvHistory::undoDescription() const {
    return canUndo() ? description(ring.position) : "";
}

std::string QvHistory::redoDescription() const {
    return canRedo() ? description(ring.position + 1) : "";
}
