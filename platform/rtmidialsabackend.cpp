#include "platform/rtmidialsabackend.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <unistd.h>

namespace {

// RtMidi reports problems through this callback once it is set, instead of throwing or printing.
void ignoreRtMidiError(RtMidiError::Type /*type*/, const std::string& /*text*/, void* failed) {
    *static_cast<bool*>(failed) = true;
}

} // namespace

RtMidiAlsaBackend::RtMidiAlsaBackend(std::string clientName) : client(std::move(clientName)) {}

RtMidiAlsaBackend::~RtMidiAlsaBackend() {
    close();
}

bool RtMidiAlsaBackend::ensureClient() {
    if (out) return true;
    // Without a usable sequencer device there is nothing to list or open; trying anyway would only
    // make ALSA and RtMidi print their failure on every listing.
    if (::access("/dev/snd/seq", R_OK | W_OK) != 0) return false;
    try {
        // Only the ALSA API: it throws when the sequencer (/dev/snd/seq) is missing.
        out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, client);
        out->setErrorCallback(ignoreRtMidiError, &failed);
    } catch (...) {
        out.reset();
    }
    return out != nullptr;
}

std::vector<std::string> RtMidiAlsaBackend::currentPortNames() {
    std::vector<std::string> names;
    if (!ensureClient()) return names;
    try {
        unsigned int n = out->getPortCount();
        for (unsigned int i = 0; i < n; ++i) {
            names.push_back(portDisplayName(out->getPortName(i), int(i)));
        }
    } catch (...) {
        names.clear();
    }
    return names;
}

int RtMidiAlsaBackend::findListedPort(const std::vector<std::string>& listed, int index,
                                      const std::vector<std::string>& now) {
    if (index < 0 || index >= int(listed.size())) return -1;
    const std::string& wanted = listed[std::size_t(index)];
    int ordinal = 0;
    for (int i = 0; i < index; ++i)
        if (listed[std::size_t(i)] == wanted) ++ordinal;
    for (int i = 0, seen = 0; i < int(now.size()); ++i)
        if (now[std::size_t(i)] == wanted && seen++ == ordinal) return i;
    return -1;
}

std::string RtMidiAlsaBackend::portDisplayName(const std::string& name, int i) {
    // A port whose name cannot be read keeps its place in the list under a made-up name.
    return name.empty() ? "MIDI output " + std::to_string(i + 1) : name;
}

std::vector<std::string> RtMidiAlsaBackend::sortedPortNames(std::vector<std::string> names) {
    // By name, so that the index stored in the options keeps meaning the same port from one run to
    // the next, whatever order the devices came up in; equal names keep the sequencer's order.
    std::stable_sort(names.begin(), names.end());
    return names;
}

Llist<std::string> RtMidiAlsaBackend::deviceNames() {
    listed = sortedPortNames(currentPortNames());
    Llist<std::string> result;
    for (const std::string& n : listed) result.add(n);
    return result;
}

int RtMidiAlsaBackend::open(int index) {
    close();
    if (listed.empty()) listed = sortedPortNames(currentPortNames());
    if (index < 0 || index >= int(listed.size())) return kMidiBadDevice;
    // The port is found again by its name, so that ports that came or went since the list was made
    // do not shift it.
    int port = findListedPort(listed, index, currentPortNames());
    if (port < 0 || !out) return kMidiBadDevice;
    try {
        failed = false;
        out->openPort(unsigned(port), client + " output");
        if (failed || !out->isPortOpen()) {
            out->closePort();
            return kMidiAllocated;
        }
    } catch (...) {
        return kMidiError;
    }
    opened = true;
    return kMidiOk;
}

void RtMidiAlsaBackend::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!opened) return;
    unsigned char msg[3] = {status, data1, data2};
    try {
        out->sendMessage(msg, size_t(midiShortLength(status)));
    } catch (...) {
    }
}

void RtMidiAlsaBackend::reset() {
    if (!opened) return;
    sendSilenceToAllChannels();
}

void RtMidiAlsaBackend::close() {
    if (!opened) return;
    opened = false;
    try {
        out->closePort();
    } catch (...) {
    }
}
