#pragma once
// A whole program context without a window or a sound device: a fake clock, a MIDI backend that
// records every message with the clock's time, a scripted prompt and a host that counts repaints.
// Sessions are rendered through the MIDI capture path, as the MIDI export does, or polled in real
// time through QuoVelanta::playbackTick.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/qvcontext.h"
#include "engine/stylefile.h"
#include "tests/common/scratchsetup.h"
#include "tests/common/tempdir.h"

namespace play {

struct TimedMessage {
    std::int64_t ms = 0;
    int status = 0;
    int data1 = 0;
    int data2 = 0;
};

// One device, "Test Synth"; every message sent while open is logged with the clock's time.
class TimedBackend : public MidiBackend {
  public:
    TimedBackend(Clock& clock_, std::vector<TimedMessage>& log_) : clock(clock_), log(log_) {}
    Llist<std::string> deviceNames() override {
        Llist<std::string> names;
        names.add("Test Synth");
        return names;
    }
    int open(int index) override {
        opened = index == 0;
        return opened ? kMidiOk : kMidiBadDevice;
    }
    void send(std::uint8_t status, std::uint8_t d1, std::uint8_t d2) override {
        if (opened) log.push_back({clock.nowMs(), status, d1, d2});
    }
    void reset() override {}
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    bool isReady() const override { return ready; }

    bool ready = true; // false: still opening, as the built-in synthesizer does at start

  private:
    Clock& clock;
    std::vector<TimedMessage>& log;
    bool opened = false;
};

class ScriptedPrompt : public Prompt {
  public:
    std::vector<int> answers; // given in turn; -1 (closed) once they run out
    int asked = 0;
    std::function<void()> onAsk; // runs while the question is shown
    Llist<std::string> lastLines;
    PromptButtons lastButtons = PromptButtons::Ok;
    int messageBox(const Llist<std::string>& lines, PromptButtons buttons, const std::string&) override {
        lastLines = lines;
        lastButtons = buttons;
        if (onAsk) onAsk();
        int r = asked < int(answers.size()) ? answers[asked] : -1;
        ++asked;
        return r;
    }
};

class CountingHost : public QvHost {
  public:
    bool showing = false;
    int ruler = 0, visualizer = 0, counter = 0, playButton = 0, pageArea = 0, pageSlots = 0, panels = 0,
        programmer = 0, tempoBox = 0;
    bool isShowing() override { return showing; }
    void repaintRuler(bool) override { ++ruler; }
    void repaintVisualizer() override { ++visualizer; }
    void repaintPositionCounter() override { ++counter; }
    void repaintPlayButton() override { ++playButton; }
    void repaintPageArea(bool) override { ++pageArea; }
    void repaintPageSlots() override { ++pageSlots; }
    void refreshPanels() override { ++panels; }
    void refreshStyleProgrammer() override { ++programmer; }
    void repaintTempoBox() override { ++tempoBox; }
};

// A fresh scratch folder for one test.
using ScratchFolder = TempDir;

// A note-on or note-off as the tests compare them.
struct Note {
    int time;
    int note;
    int vel;
    bool operator==(const Note&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Note& n) {
    return os << "{t" << n.time << " n" << n.note << " v" << n.vel << "}";
}

// Pattern helpers.
inline StyleNote sn(int key, int vel, int pos, double len) {
    return StyleNote(key, vel, pos, len);
}

inline StyleTrack makeTrack(int type, int mode, int prog, std::vector<StyleNote> notes, int length = 16,
                            int abc = 0, int strumHeight = 0) {
    StyleTrack t;
    t.type = type;
    t.mode = mode;
    t.prog = prog;
    t.abc = abc;
    t.arp.length = length;
    t.arp.strumHeight = strumHeight;
    for (const StyleNote& n : notes) t.arp.notes.add(n);
    return t;
}

inline StyleFile makeStyle(int id, int stepsPerBeat, int stepsPerBar, std::vector<StyleTrack> tracks) {
    StyleFile s;
    s.id = id;
    s.name = "Test " + std::to_string(id);
    s.bpm = 120;
    s.stepsPerBeat = stepsPerBeat;
    s.stepsPerBar = stepsPerBar;
    for (const StyleTrack& t : tracks) s.tracks.add(t);
    while (s.tracks.count() < 7) s.tracks.add(StyleTrack());
    return s;
}

// A 4/4 style: drums (kick, snare, hi-hat), a bass on the root and the fifth, a chord track moved
// onto the chord and a chord-code track.
inline StyleFile style44(int id = 1) {
    std::vector<StyleNote> drums;
    for (int s = 0; s < 16; s += 2) drums.push_back(sn(42, 80, s, 1));
    drums.push_back(sn(36, 100, 0, 1));
    drums.push_back(sn(36, 100, 8, 1));
    drums.push_back(sn(38, 100, 4, 1));
    drums.push_back(sn(38, 100, 12, 1));
    return makeStyle(id, 4, 16,
                     {makeTrack(0, 1, 0, drums), makeTrack(1, 1, 33, {sn(36, 100, 0, 4), sn(43, 90, 8, 4)}),
                      makeTrack(2, 1, 0,
                                {sn(60, 70, 0, 2), sn(64, 70, 0, 2), sn(67, 70, 0, 2), sn(60, 60, 8, 2),
                                 sn(64, 60, 8, 2), sn(67, 60, 8, 2)},
                                16, 1),
                      makeTrack(3, 1, 48, {sn(72, 50, 0, 4), sn(73, 50, 4, 4), sn(74, 50, 8, 4)}, 16, 2, 3)});
}

// A 3/4 style: 12 steps a bar.
inline StyleFile style34(int id = 2) {
    return makeStyle(id, 4, 12,
                     {makeTrack(0, 1, 0, {sn(36, 100, 0, 1), sn(38, 100, 4, 1), sn(38, 100, 8, 1)}, 12),
                      makeTrack(1, 1, 33, {sn(36, 100, 0, 4), sn(43, 90, 4, 2), sn(43, 90, 8, 2)}, 12),
                      makeTrack(2, 1, 0, {sn(60, 70, 0, 2), sn(64, 70, 0, 2), sn(67, 70, 0, 2)}, 12, 1)});
}

// The usual start of a command test: the test styles 1 (4/4) and 2 (3/4) in the library, style 1
// chosen and a fresh history.
inline void startWithTestStyles(QvContext& ctx) {
    ctx.engine.styles.add(style44(1));
    ctx.engine.styles.add(style34(2));
    ctx.app.selectStyle(1, true, false, false);
    ctx.history.reset("[New session]");
}

class Player {
  public:
    ScratchFolder dir;
    FakeClock clock{100000};
    std::vector<TimedMessage> live;
    ScriptedPrompt prompt;
    CountingHost host;
    std::unique_ptr<QvContext> ctx;
    TimedBackend* synth = nullptr;

    Player() {
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        auto backend = std::make_unique<TimedBackend>(clock, live);
        synth = backend.get();
        s.synth = std::move(backend);
        ctx = std::make_unique<QvContext>(std::move(s));
    }

    QvEngine& engine() { return ctx->engine; }
    QvCore& core() { return ctx->engine.core; }
    QuoVelanta& app() { return ctx->app; }
    MidiOutput& midi() { return *ctx->midi; }
    StepControl& clk() { return ctx->engine.stepControl; }

    void addStyle(const StyleFile& s) { engine().styles.add(s); }
    void use(int id) { app().selectStyle(id, true, false, false); }
    int channelOf(int part) { return app().partMidiChannel(part); }

    // Puts chords (key, variant, length) on a page.
    void setChords(int page, std::vector<QvChord> chords) {
        QvPage& p = core().pages.at(page);
        while (p.chordCount() > 0) p.chords.remove(0);
        for (const QvChord& c : chords) p.addChord(c, -1);
    }

    // Renders the whole song through the capture path, as the MIDI export does; `during` runs before
    // every call of the driver with the capture time.
    Llist<MidiEvent> render(const std::function<void(int)>& during = {}) {
        core().playFrom(0, false, false);
        midi().startMidiCapture();
        app().togglePlay();
        int end = core().songLength() * 8;
        int guard = 0;
        while (midi().captureTime < end - 1 && guard++ < 10000000) {
            if (during) during(midi().captureTime);
            core().updatePlayback(false, false);
        }
        silenceAllInstruments(engine().instruments);
        midi().capturing = false;
        Llist<MidiEvent> events = midi().captureList;
        midi().captureList.clear();
        if (clk().isPlaying()) clk().togglePlay();
        return events;
    }

    // Starts real-time playback and polls every `every` ms until `ms` have passed.
    void start() { app().togglePlay(); }
    void poll(std::int64_t ms, int every = 2) {
        for (std::int64_t t = 0; t < ms; t += every) {
            clock.advance(every);
            app().playbackTick();
        }
    }
};

inline std::vector<Note> noteOns(const Llist<MidiEvent>& events, int channel) {
    std::vector<Note> out;
    for (const MidiEvent& e : events)
        if (e.status == 0x90 + channel && e.data2 > 0) out.push_back({e.time, e.data1, e.data2});
    return out;
}

inline std::vector<Note> noteOffs(const Llist<MidiEvent>& events, int channel) {
    std::vector<Note> out;
    for (const MidiEvent& e : events)
        if (e.status == 0x90 + channel && e.data2 == 0) out.push_back({e.time, e.data1, 0});
    return out;
}

// Controller values of one controller on one channel: {time, value}.
inline std::vector<std::pair<int, int>> controls(const Llist<MidiEvent>& events, int channel,
                                                 int controller) {
    std::vector<std::pair<int, int>> out;
    for (const MidiEvent& e : events)
        if (e.status == 0xB0 + channel && e.data1 == controller) out.push_back({e.time, e.data2});
    return out;
}

inline std::vector<Note> onsAt(const std::vector<Note>& notes, int time) {
    std::vector<Note> out;
    for (const Note& n : notes)
        if (n.time == time) out.push_back(n);
    return out;
}

inline std::vector<int> pitches(const std::vector<Note>& notes) {
    std::vector<int> out;
    for (const Note& n : notes) out.push_back(n.note);
    return out;
}

} // namespace play
