#pragma once
// A MIDI backend for tests: a given list of device names, a chosen open result, and a record of
// everything done to it.
#include <string>
#include <vector>

#include "platform/midibackend.h"

struct RecordedMidiMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    bool operator==(const RecordedMidiMessage&) const = default;
};

class RecordingMidiBackend : public MidiBackend {
  public:
    RecordingMidiBackend() = default;
    explicit RecordingMidiBackend(std::vector<std::string> deviceNames_) : names(std::move(deviceNames_)) {}

    Llist<std::string> deviceNames() override {
        Llist<std::string> list;
        for (const std::string& n : names) list.add(n);
        return list;
    }
    int open(int index) override {
        if (opened) close();
        note("open " + std::to_string(index));
        if (index < 0 || index >= int(names.size())) return kMidiBadDevice;
        if (openResult != kMidiOk) return openResult;
        opened = true;
        openedIndex = index;
        return kMidiOk;
    }
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        if (!opened) return;
        sent.push_back({status, data1, data2});
        note("send " + std::to_string(status) + " " + std::to_string(data1) + " " + std::to_string(data2));
    }
    void reset() override {
        if (!opened) return;
        ++resets;
        note("reset");
    }
    void close() override {
        if (!opened) return;
        opened = false;
        openedIndex = -1;
        note("close");
    }
    bool isOpen() const override { return opened; }

    std::vector<std::string> names; // the devices this backend offers
    int openResult = kMidiOk;       // what open returns for a valid index
    bool opened = false;
    int openedIndex = -1;
    int resets = 0;
    std::vector<RecordedMidiMessage> sent;
    std::vector<std::string> log; // "open i", "send s d1 d2" (decimal), "reset", "close"
    // When set, every log entry also goes here (a record that outlives the backend).
    std::vector<std::string>* mirror = nullptr;

  private:
    void note(const std::string& entry) {
        log.push_back(entry);
        if (mirror) mirror->push_back(entry);
    }
};
