#pragma once
// A MIDI backend that writes every message to a text file, one "send STATUS DATA1 DATA2" line each
// (decimal), flushed at once. Only the smoke run selects it (QV_SMOKE_MIDI_LOG names the file), to
// see from outside that playback sends MIDI without a sound card.
#include <cstdio>
#include <string>

#include "platform/midibackend.h"

class FileMidiLog : public MidiBackend {
  public:
    explicit FileMidiLog(std::string path_) : path(std::move(path_)) {}
    ~FileMidiLog() override { close(); }
    Llist<std::string> deviceNames() override {
        Llist<std::string> list;
        list.add("MIDI log");
        return list;
    }
    int open(int index) override {
        close();
        if (index != 0) return kMidiBadDevice;
        file = std::fopen(path.c_str(), "a");
        return file != nullptr ? kMidiOk : kMidiBadDevice;
    }
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        if (file == nullptr) return;
        std::fprintf(file, "send %d %d %d\n", status, data1, data2);
        std::fflush(file);
    }
    void reset() override {}
    void close() override {
        if (file != nullptr) std::fclose(file);
        file = nullptr;
    }
    bool isOpen() const override { return file != nullptr; }

  private:
    std::string path;
    std::FILE* file = nullptr;
};
