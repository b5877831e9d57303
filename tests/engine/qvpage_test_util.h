#pragma once
// Building chord pages from lengths and reading them back, and a small session around the pages.
#include <vector>

#include "engine/qvpage.h"
#include "model_test_util.h"

inline QvPage pageOfLengths(const std::vector<int>& lens, int firstKey = 0) {
    QvPage p;
    int k = firstKey;
    for (int len : lens) p.addChord(QvChord(k++, 0, 0, kAutoBassArg, false, len), -1);
    return p;
}

inline std::vector<int> lengthsOf(const QvPage& p) {
    std::vector<int> out;
    for (const QvChord& c : p.chords) out.push_back(c.len);
    return out;
}

inline std::vector<int> keysOf(const QvPage& p) {
    std::vector<int> out;
    for (const QvChord& c : p.chords) out.push_back(c.key);
    return out;
}

inline std::vector<int> selectedOf(const QvPage& p) {
    std::vector<int> out;
    for (int i = 0; i < p.chordCount(); ++i)
        if (p.isSelected(i)) out.push_back(i);
    return out;
}

inline std::vector<int> pointPositionsOf(const QvPage& p) {
    std::vector<int> out;
    for (const QvAPoint& a : p.apoints) out.push_back(a.pos);
    return out;
}

// The clipboard, the live arrangement, the prompt and the meter that the page operations ask for.
struct TestSession {
    QvPage clipboard;
    bool clipboardIs34 = false;
    QvAPoint live;
    FakePrompt prompt;
    bool triple = false;
    QvPage* edited = nullptr;

    PageContext context() {
        PageContext c;
        c.clipboard = &clipboard;
        c.clipboardIs34 = &clipboardIs34;
        c.liveArrangement = &live;
        c.prompt = &prompt;
        c.isTripleMeter = [this] { return triple; };
        c.editedPage = [this] { return edited; };
        return c;
    }
};
