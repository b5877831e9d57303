#include "engine/midiout.h"

#include "platform/fluidsynthbackend.h"
#include "platform/rtmidialsabackend.h"

namespace {

const char* const kGmProgramNames[128] = {"Acoustic Grand Piano",
                                          "Bright Acoustic Piano",
                                          "Electric Grand Piano",
                                          "Honky-tonk Piano",
                                          "Electric Piano 1",
                                          "Electric Piano 2",
                                          "Harpsichord",
                                          "Clavi",
                                          "Celesta",
                                          "Glockenspiel",
                                          "Music Box",
                                          "Vibraphone",
                                          "Marimba",
                                          "Xylophone",
                                          "Tubular Bells",
                                          "Dulcimer",
                                          "Drawbar Organ",
                                          "Percussive Organ",
                                          "Rock Organ",
                                          "Church Organ",
                                          "Reed Organ",
                                          "Accordion",
                                          "Harmonica",
                                          "Tango Accordion",
                                          "Nylon-String Guitar",
                                          "Steel-String Guitar",
                                          "Jazz Guitar",
                                          "Clean Electric Guitar",
                                          "Muted Electric Guitar",
                                          "Overdriven Guitar",
                                          "Distortion Guitar",
                                          "Guitar Harmonics",
                                          "Acoustic Bass",
                                          "Electric Bass - Finger",
                                          "Electric Bass - Pick",
                                          "Fretless Bass",
                                          "Slap Bass 1",
                                          "Slap Bass 2",
                                          "Synth Bass 1",
                                          "Synth Bass 2",
                                          "Violin",
                                          "Viola",
                                          "Cello",
                                          "Contrabass",
                                          "Tremolo Strings",
                                          "Pizzicato Strings",
                                          "Orchestral Harp",
                                          "Timpani",
                                          "String Ensemble 1",
                                          "String Ensemble 2",
                                          "Synth Strings 1",
                                          "Synth Strings 2",
                                          "Choir Aahs",
                                          "Voice Oohs",
                                          "Synth Voice",
                                          "Orchestra Hit",
                                          "Trumpet",
                                          "Trombone",
                                          "Tuba",
                                          "Muted Trumpet",
                                          "French Horn",
                                          "Brass Section",
                                          "Synth Brass 1",
                                          "Synth Brass 2",
                                          "Soprano Sax",
                                          "Alto Sax",
                                          "Tenor Sax",
                                          "Baritone Sax",
                                          "Oboe",
                                          "English Horn",
                                          "Bassoon",
                                          "Clarinet",
                                          "Piccolo",
                                          "Flute",
                                          "Recorder",
                                          "Pan Flute",
                                          "Blown Bottle",
                                          "Shakuhachi",
                                          "Whistle",
                                          "Ocarina",
                                          "Square",
                                          "Sawtooth",
                                          "Synth Calliope",
                                          "Chiff",
                                          "Charang",
                                          "Voice",
                                          "Fifths",
                                          "Bass + Lead",
                                          "New Age Pad",
                                          "Warm Pad",
                                          "Polysynth Pad",
                                          "Choir Pad",
                                          "Bowed Pad",
                                          "Metallic Pad",
                                          "Halo Pad",
                                          "Sweep Pad",
                                          "Rain",
                                          "Soundtrack",
                                          "Crystal",
                                          "Atmosphere",
                                          "Brightness",
                                          "Goblins",
                                          "Echoes",
                                          "Sci-fi",
                                          "Sitar",
                                          "Banjo",
                                          "Shamisen",
                                          "Koto",
                                          "Kalimba",
                                          "Bag pipe",
                                          "Fiddle",
                                          "Shanai",
                                          "Tinkle Bell",
                                          "Agogo",
                                          "Steel Drums",
                                          "Woodblock",
                                          "Taiko Drum",
                                          "Melodic Tom",
                                          "Synth Drum",
                                          "Reverse Cymbal",
                                          "Guitar Fret Noise",
                                          "Breath Noise",
                                          "Seashore",
                                          "Bird Tweet",
                                          "Telephone Ring",
                                          "Helicopter",
                                          "Applause",
                                          "Gunshot"};

bool inRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}
bool validChannel(int channel) {
    return inRange(channel, 0, 15);
}
bool validData(int v) {
    return inRange(v, 0, 127);
}

constexpr int kCaptureReserve = 1000000;
constexpr int kCaptureGrowth = 100000;

} // namespace

std::string gmProgramName(int program) {
    return inRange(program, 0, 127) ? kGmProgramNames[program] : "";
}

MidiOutput::MidiOutput(std::unique_ptr<MidiBackend> portBackend, std::unique_ptr<MidiBackend> synthBackend)
    : ports(std::move(portBackend)), synth(std::move(synthBackend)) {}

MidiOutput::MidiOutput()
    : MidiOutput(std::make_unique<RtMidiAlsaBackend>(), std::make_unique<FluidSynthBackend>()) {}

MidiOutput::~MidiOutput() {
    closeMidiOut();
}

void MidiOutput::listMidiOutDevices(Llist<std::string>& names) {
    names.clear();
    if (!ports) return;
    Llist<std::string> found = ports->deviceNames();
    for (const std::string& n : found) names.add(n);
}

int MidiOutput::defaultDeviceAmong(const Llist<std::string>& names) {
    for (const char* key : {"Microsoft", "MS", "GS"})
        for (int i = 0; i < names.count(); ++i)
            if (names.at(i).find(key) != std::string::npos) return i;
    return -1;
}

int MidiOutput::defaultMidiOutDevice() {
    Llist<std::string> names;
    listMidiOutDevices(names);
    return defaultDeviceAmong(names);
}

int MidiOutput::openMidiOut(int device) {
    closeMidiOut();
    MidiBackend* backend = device == -1 ? synth.get() : device >= 0 ? ports.get() : nullptr;
    if (!backend) return kMidiBadDevice;
    int result = kMidiError;
    try {
        result = backend->open(device == -1 ? 0 : device);
    } catch (...) {
        result = kMidiError;
    }
    if (result != kMidiOk) {
        backend->close();
        return result;
    }
    active = backend;
    openFlag = true;
    return kMidiOk;
}

void MidiOutput::resetMidiOut() {
    if (openFlag) active->reset();
}

void MidiOutput::closeMidiOut() {
    if (!openFlag) return;
    resetMidiOut();
    active->close();
    active = nullptr;
    openFlag = false;
}

void MidiOutput::sendMidiShort(int status, int data1, int data2) {
    // Not a short message: dropped, so that neither a device nor a MIDI file gets a broken one.
    if (!inRange(status, 0x80, 0xFF) || !validData(data1) || !validData(data2)) return;
    if (capturing) {
        MidiEvent e;
        e.time = captureTime;
        e.status = std::uint8_t(status);
        e.data1 = std::uint8_t(data1);
        e.data2 = std::uint8_t(data2);
        captureList.add(e);
        return;
    }
    if (openFlag) active->send(std::uint8_t(status), std::uint8_t(data1), std::uint8_t(data2));
}

void MidiOutput::sendProgramChange(int program, int channel) {
    if (validChannel(channel) && validData(program)) sendMidiShort(0xC0 + channel, program, 0);
}

void MidiOutput::sendVolume(int value, int channel) {
    if (validChannel(channel) && validData(value)) sendMidiShort(0xB0 + channel, 7, value);
}

void MidiOutput::sendPan(int value, int channel) {
    if (validChannel(channel) && validData(value)) sendMidiShort(0xB0 + channel, 10, value);
}

void MidiOutput::sendNoteOn(int note, int velocity, int channel) {
    if (validChannel(channel) && validData(note) && validData(velocity))
        sendMidiShort(0x90 + channel, note, velocity);
}

void MidiOutput::sendSustain(bool on, int channel) {
    if (validChannel(channel)) sendMidiShort(0xB0 + channel, 64, on ? 127 : 0);
}

void MidiOutput::sendAllNotesOff(int channel) {
    if (validChannel(channel)) sendMidiShort(0xB0 + channel, 123, 0);
}

void MidiOutput::sendFineTune(int cents, int channel) {
    if (!validChannel(channel) || channel == 9) return;
    if (cents < -50) cents = -50;
    if (cents > 50) cents = 50;
    int v = 8192 + cents * 8192 / 100; // division truncates toward zero
    int status = 0xB0 + channel;
    sendMidiShort(status, 100, 1);
    sendMidiShort(status, 101, 0);
    sendMidiShort(status, 6, v / 128);
    sendMidiShort(status, 38, v % 128);
}

void MidiOutput::sendCoarseTune(int semitones, int channel) {
    if (!validChannel(channel) || channel == 9) return;
    if (semitones < -64) semitones = -64;
    int msb = semitones >= 64 ? 127 : semitones + 64;
    int status = 0xB0 + channel;
    sendMidiShort(status, 100, 2);
    sendMidiShort(status, 101, 0);
    sendMidiShort(status, 6, msb);
    sendMidiShort(status, 38, 0);
}

void MidiOutput::startMidiCapture() {
    if (captureList.capacity >= kCaptureReserve) {
        captureList.removeAll();
    } else {
        captureList.clear();
        captureList.setCapacity(kCaptureReserve, false);
    }
    captureList.growStep = kCaptureGrowth;
    captureTime = 0;
    capturing = true;
}

void MidiOutput::endMidiCapture() {
    capturing = false;
    captureList.removeAll();
}
