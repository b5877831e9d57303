#pragma once
// An engine over a fake clock and a recording MIDI backend, with seven voices and track engines, for
// the unit tests of the playback classes. Files go to a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/qvengine.h"
#include "platform/recordingmidibackend.h"
#include "tests/common/tempdir.h"

namespace enginetest {

// A fresh scratch folder for one test.
using Folder = TempDir;

class Rig {
  public:
    Folder folder;
    FakeClock clock{5000};
    RecordingMidiBackend* rec = nullptr;
    MidiOutput midi;
    QvEngine engine;

    Rig()
        : midi(nullptr, recorder(rec)),
          engine(midi, clock, QvEngine::Setup{folder.file("Styles"), folder.file("options.cfg"), nullptr}) {
        midi.openMidiOut(-1);
        for (int i = 0; i < 7; ++i) engine.instruments.add(Instrument(&engine, i == 0 ? 9 : i));
        for (int i = 0; i < 7; ++i) engine.arpeggios.add(Arpeggio(&engine, i));
        rec->sent.clear();
    }

    Instrument& voice(int i) { return engine.instruments.at(i); }
    std::vector<RecordedMidiMessage>& sent() { return rec->sent; }
    // Moves the clock's accumulator (the time base of queued notes).
    void at(double steps) { engine.stepControl.accumulator = steps; }

  private:
    static std::unique_ptr<MidiBackend> recorder(RecordingMidiBackend*& out) {
        auto b = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Recorder"});
        out = b.get();
        return b;
    }
};

inline RecordedMidiMessage msg(int status, int d1, int d2) {
    return {std::uint8_t(status), std::uint8_t(d1), std::uint8_t(d2)};
}

} // namespace enginetest

inline std::ostream& operator<<(std::ostream& os, const RecordedMidiMessage& m) {
    return os << "{" << int(m.status) << "," << int(m.data1) << "," << int(m.data2) << "}";
}
