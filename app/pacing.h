#pragma once
// A fixed pause of a command that keeps playback going without delivering window events, so that no
// handler runs inside the command that pauses (flashes, the pacing of a held key).
#include <cstdint>

#include "ui/modalloop.h"

inline void paceMs(int ms) {
    ModalLoop& loop = modalLoop();
    const std::int64_t start = loop.nowMs();
    while (loop.nowMs() - start < ms) {
        loop.tick(true);
        loop.sleepMs(2);
    }
}
