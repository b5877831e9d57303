#include "tests/data/shipped_data.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unistd.h>

#include "app/qvcontext.h"
#include "engine/harmony.h"
#include "platform/clock.h"
#include "platform/recordingmidibackend.h"
#include "tests/common/scratchsetup.h"

namespace shipped {

namespace fs = std::filesystem;

std::string dataFolder() {
    return std::string(QV_SOURCE_DIR) + "/data";
}
std::string stylesFolder() {
    return dataFolder() + "/Styles";
}
std::string samplesFolder() {
    return dataFolder() + "/Samples";
}

std::vector<std::string> samplePaths() {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(samplesFolder(), ec))
        if (entry.path().extension() == ".qvs") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string freshFolder(const std::string& tag) {
    static int serial = 0;
    fs::path p = fs::temp_directory_path() /
                 ("qv-shipped-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::error_code ec;
    fs::remove_all(p, ec);
    fs::create_directories(p, ec);
    return p.string();
}

std::string styleFileName(int id) {
    std::string n = std::to_string(id);
    while (n.size() < 3) n = "0" + n;
    return n + ".qms";
}

std::vector<int> styleIdsIn(const std::string& folder) {
    std::vector<int> ids;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != 7 || name.substr(3) != ".qms") continue;
        if (!std::all_of(name.begin(), name.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        ids.push_back(std::stoi(name.substr(0, 3)));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<QvChord> progression(bool triple, bool withCoda) {
    const int bar = 48;
    const int beat = triple ? 16 : 12, half = beat / 2;
    const int first = 2 * beat;        // a half bar: two beats in 3/4
    const int second = bar - 2 * beat; // and the remaining beats
    std::vector<QvChord> chords{
        QvChord(0, 0, 0, kAutoBassArg, false, bar),      // C
        QvChord(9, 1, 0, kAutoBassArg, false, first),    // Am
        QvChord(11, 14, 0, kAutoBassArg, false, second), // Bm7b5
        QvChord(4, 4, 0, kAutoBassArg, false, bar),      // E7
        QvChord(7, 9, 0, kAutoBassArg, false, first),    // Gsus4
        QvChord(7, 4, 0, kAutoBassArg, false, second),   // G7
        QvChord(0, 0, 0, 4, false, bar),                 // C/E
        QvChord(5, 0, 1, kAutoBassArg, false, first),    // F, first inversion
        QvChord(2, 1, 0, kAutoBassArg, false, second),   // Dm
        QvChord(10, 0, 0, kAutoBassArg, false, bar),     // Bb
        QvChord(2, 0, 0, 6, false, first),               // D/F#
        QvChord(7, 0, 0, kAutoBassArg, false, second),   // G
        // The coda: Cmaj7 | Am7 D7 from the "and" of two | Fm6 G7 from the "and" of two, C anticipated on
        // the "and" of the last beat | C | C.
        QvChord(0, 6, 0, kAutoBassArg, false, bar),
        QvChord(9, 5, 0, kAutoBassArg, false, beat + half),
        QvChord(2, 4, 0, kAutoBassArg, false, bar - beat - half),
        QvChord(5, 8, 0, kAutoBassArg, false, beat + half),
        QvChord(7, 4, 0, kAutoBassArg, false, bar - 2 * beat),
        QvChord(0, 0, 0, kAutoBassArg, false, half + 2 * bar),
    };
    if (!withCoda) chords.resize(12);
    return chords;
}

std::vector<QvChord> everyChordType() {
    std::vector<QvChord> chords;
    for (int variant = 0; variant < 20; ++variant)
        chords.push_back(QvChord((variant * 5) % 12, variant, 0, kAutoBassArg, false, 48));
    return chords;
}

QvContext::Setup testSetup(const std::string& work, Clock& clock, const std::string& folder) {
    QvContext::Setup setup = scratchSetup(work, &clock);
    setup.synth = std::make_unique<RecordingMidiBackend>(std::vector<std::string>{"Recorder"});
    setup.stylesFolder = folder;
    return setup;
}

StyleRenderer::StyleRenderer(const std::string& folder) : work(freshFolder("render")), clock(1000) {
    context = std::make_unique<QvContext>(testSetup(work, clock, folder));
}

StyleRenderer::~StyleRenderer() {
    context.reset();
    std::error_code ec;
    fs::remove_all(work, ec);
}

StyleRender StyleRenderer::render(int id, bool withCoda, int key) {
    return renderOver(
        id,
        [withCoda, key](bool triple) {
            std::vector<QvChord> chords = progression(triple, withCoda);
            for (QvChord& c : chords) c.transpose(key);
            return chords;
        },
        key);
}

StyleRender StyleRenderer::renderEveryChordType(int id) {
    return renderOver(id, [](bool) { return everyChordType(); });
}

StyleRender StyleRenderer::renderOver(int id, const std::function<std::vector<QvChord>(bool)>& chordsFor,
                                      int key) {
    QvContext& ctx = *context;
    QvCore& core = ctx.engine.core;
    ctx.app.newSession(true);
    ctx.app.selectStyle(id, true, false, false);
    QvPage& page = core.pages.at(0);
    for (const QvChord& c : chordsFor(ctx.engine.styles.current().is34())) page.addChord(c, -1);
    core.pageSlots.clear();
    core.pageSlots.add(0);
    core.loopMode = 2;
    StyleRender r = capture();
    r.key = key;
    return r;
}

StyleRender StyleRenderer::renderSession(const std::string& path) {
    context->app.newSession(true);
    if (!context->app.openSession(path)) return StyleRender{};
    StyleRender r = capture();
    r.song = fs::path(path).filename().string();
    return r;
}

StyleRender StyleRenderer::capture() {
    StyleRender r;
    QvContext& ctx = *context;
    QvEngine& engine = ctx.engine;
    QvCore& core = engine.core;
    MidiOutput& midi = *ctx.midi;
    r.style = engine.styles.current();
    for (int i = 0; i < 7; ++i) r.channelOfTrack[i] = ctx.app.partMidiChannel(i);

    // As the MIDI file export does: from the start, capture, settings at time 0, then the song.
    core.playFrom(0, false, false);
    midi.startMidiCapture();
    core.applyMix(core.masterVolume(), true);
    const int end = core.songLength() * 8 + midi.captureTime;
    ctx.app.togglePlay();
    while (midi.captureTime < end - 1) core.updatePlayback(false, false);
    for (int i = 0; i < engine.instruments.count(); ++i) engine.instruments.at(i).allNotesOff(true);
    r.songEnd = midi.captureTime;
    for (int i = 0; i < midi.captureList.count(); ++i) r.events.push_back(midi.captureList.at(i));
    midi.capturing = false;
    midi.captureList.clear();
    if (engine.stepControl.isPlaying()) ctx.app.togglePlay();

    // Each chord as the engine hears it: from the first chord check at or after its start (every
    // second step, every third on a triplet grid) to the next chord's.
    const int bar = std::max(1, r.style.stepsPerBar), every = r.style.stepsPerBeat % 3 == 0 ? 3 : 2;
    for (int e = 0; e < core.pageSlots.count(); ++e) {
        const QvPage& page = core.pages.at(core.pageSlots.at(e));
        r.entryStarts.push_back(core.startTickOf(e) * 8);
        for (int i = 0, units = 0; i < page.chordCount(); units += page.chordLength(i++)) {
            int step = 0;
            while (step * 48 / bar < units || step % every != 0) ++step;
            ChordSpan span{page.chordAt(i), (core.startTickOf(e) + step) * 8, 0};
            if (!r.chords.empty()) r.chords.back().end = span.start;
            r.chords.push_back(span);
        }
    }
    if (!r.chords.empty()) r.chords.back().end = core.songLength() * 8;
    return r;
}

StyleRender renderStyle(const std::string& folder, int id, bool withCoda) {
    return StyleRenderer(folder).render(id, withCoda);
}

StyleRender renderEveryChordType(const std::string& folder, int id) {
    return StyleRenderer(folder).renderEveryChordType(id);
}

namespace {

int drumClass(int k) {
    if (k == 35 || k == 36) return 1000;
    if (k >= 37 && k <= 40) return 1001;
    if (k == 42 || k == 44 || k == 46) return 1002;
    if (k == 51 || k == 53 || k == 59) return 1003;
    if (k == 49 || k == 57) return 1004;
    if (k == 52 || k == 55) return 1005;
    return k;
}

std::string trackName(const StyleRender& r, int track) {
    return "track " + std::to_string(track) + " (" + r.style.tracks.at(track).arp.name + ")";
}

} // namespace

// The intervals of each chord variant (the harmony's table, written out here on its own).
std::vector<int> variantIntervals(int variant) {
    static const std::vector<std::vector<int>> table{
        {0, 4, 7},     {0, 3, 7},    {0, 4, 8},    {0, 3, 6},    {0, 4, 7, 10}, {0, 3, 7, 10}, {0, 4, 7, 11},
        {0, 4, 7, 9},  {0, 3, 7, 9}, {0, 5, 7},    {0, 2, 7},    {0, 3, 7, 11}, {0, 4, 8, 10}, {0, 4, 8, 11},
        {0, 3, 6, 10}, {0, 3, 6, 9}, {0, 4, 5, 7}, {0, 3, 5, 7}, {0, 2, 4, 7},  {0, 2, 3, 7}};
    return variant >= 0 && variant < int(table.size()) ? table[variant] : table[0];
}

const ChordSpan* chordAt(const StyleRender& r, int time) {
    for (const ChordSpan& c : r.chords)
        if (time >= c.start && time < c.end) return &c;
    return nullptr;
}

std::vector<Sounding> soundingNotes(const StyleRender& r, bool pedalDownAtEnd[16]) {
    // Pair every note-on with its note-off, and follow the sustain pedal of every channel: a note that
    // ends under the pedal sounds on until the pedal comes up.
    std::vector<Sounding> notes;
    std::map<std::pair<int, int>, std::vector<size_t>> open;
    std::vector<size_t> pedalled[16];
    bool pedal[16] = {};
    auto end = [&](size_t i, int time) {
        notes[i].off = time;
        notes[i].held = time;
        if (pedal[notes[i].channel]) pedalled[notes[i].channel].push_back(i);
    };
    for (const MidiEvent& e : r.events) {
        const int kind = e.status & 0xF0, ch = e.channel();
        if (kind == 0xB0 && e.data1 == 64) {
            pedal[ch] = e.data2 >= 64;
            if (!pedal[ch]) {
                for (size_t i : pedalled[ch]) notes[i].held = e.time;
                pedalled[ch].clear();
            }
        }
        if (kind == 0xB0 && e.data1 == 123) // all notes off ends every note of the channel
            for (auto& [key, list] : open)
                if (key.first == ch) {
                    for (size_t i : list) end(i, e.time);
                    list.clear();
                }
        if (kind != 0x90 && kind != 0x80) continue;
        const auto key = std::make_pair(ch, int(e.data1));
        if (kind == 0x90 && e.data2 > 0) {
            open[key].push_back(notes.size());
            notes.push_back(Sounding{ch, e.data1, e.time, -1, -1});
        } else if (!open[key].empty()) {
            end(open[key].front(), e.time);
            open[key].erase(open[key].begin());
        }
    }
    if (pedalDownAtEnd)
        for (int ch = 0; ch < 16; ++ch) pedalDownAtEnd[ch] = pedal[ch];
    return notes;
}

std::vector<std::string> renderProblems(const StyleRender& r) {
    std::vector<std::string> problems;
    auto problem = [&problems](const std::string& text) {
        if (problems.size() < 40) problems.push_back(text);
    };

    bool pedal[16] = {};
    const std::vector<Sounding> notes = soundingNotes(r, pedal);
    for (int ch = 0; ch < 16; ++ch)
        if (pedal[ch]) problem("channel " + std::to_string(ch) + ": sustain pedal left down at the end");

    std::map<int, int> trackOfChannel;
    for (int t = 0; t < 7; ++t)
        if (r.style.tracks.at(t).mode != 0) trackOfChannel[r.channelOfTrack[t]] = t;

    std::map<int, int> notesOfTrack;
    for (const Sounding& n : notes) {
        const auto found = trackOfChannel.find(n.channel);
        const int track = found == trackOfChannel.end() ? -1 : found->second;
        if (track >= 0) ++notesOfTrack[track];
        const std::string who = track >= 0 ? trackName(r, track) : "channel " + std::to_string(n.channel);
        const std::string at = " at " + std::to_string(n.on);
        if (n.pitch < 28 || n.pitch > 100)
            problem(who + ": note " + std::to_string(n.pitch) + " out of 28..100" + at);
        if (n.off < 0) {
            problem(who + ": note " + std::to_string(n.pitch) + " never ends" + at);
            continue;
        }
        // A note still sounding when the song ended must have started within its pattern's last cycle
        // (plus a bar): anything older hangs on past what the pattern asks for.
        if (track >= 0 && n.off >= r.songEnd) {
            const int limit = 8 * (r.style.tracks.at(track).arp.length + r.style.stepsPerBar);
            if (r.songEnd - n.on > limit)
                problem(who + ": note " + std::to_string(n.pitch) + " left sounding to the end" + at);
        }
    }

    // Drums: no two notes of one class at one time.
    std::map<int, std::set<int>> drumClassesAt;
    for (const Sounding& n : notes)
        if (n.channel == 9 && !drumClassesAt[n.on].insert(drumClass(n.pitch)).second)
            problem("drums: two notes of one class at " + std::to_string(n.on) + " (" +
                    std::to_string(n.pitch) + ")");

    for (int t = 0; t < 7; ++t) {
        const StyleTrack& track = r.style.tracks.at(t);
        if (track.mode == 0) continue;
        if (notesOfTrack[t] == 0) problem(trackName(r, t) + ": silent");
        const int channel = r.channelOfTrack[t];
        if (track.type == 1) {
            // The bass plays the root (or the slash bass) at every chord change, or where its pattern has
            // the root within half a beat after it.
            const QvChord* previous = nullptr;
            for (const ChordSpan& span : r.chords) {
                if (previous && previous->equals(span.chord)) continue;
                previous = &span.chord;
                int last = -1;
                for (const Sounding& n : notes)
                    if (n.channel == channel && n.on >= span.start &&
                        n.on <= span.start + r.style.stepsPerBeat / 2 * 8 && (last < 0 || n.on == span.start))
                        last = n.pitch;
                const int want = span.chord.effectiveBass();
                if (last < 0 || last % 12 != want)
                    problem(trackName(r, t) + ": no bass note " + std::to_string(want) +
                            " at the chord change at " + std::to_string(span.start) +
                            (last < 0 ? "" : " (played " + std::to_string(last) + ")"));
            }
        }
        if (track.type >= 2) {
            bool writesColour = false, writesNinth = false;
            for (int i = 0; i < track.arp.notes.count(); ++i) {
                const StyleNote& note = track.arp.notes.at(i);
                if (note.key % 12 == 9 && (track.type == 2 || note.key < 60)) writesColour = true;
                if (note.key % 12 == 2 && track.type == 2 && note.key >= 60) writesNinth = true;
            }
            for (const Sounding& n : notes) {
                if (n.channel != channel) continue;
                const ChordSpan* span = chordAt(r, n.on);
                if (!span) continue;
                const QvChord& c = span->chord;
                std::set<int> allowed;
                for (int i : variantIntervals(c.variant)) allowed.insert((c.key + i) % 12);
                if (writesColour) allowed.insert(pitchClassOf(mapChordPitch(c, 69)));
                if (!c.autoBass) allowed.insert(c.effectiveBass());
                // The ninth written as a tension: only as the part's top voice.
                if (writesNinth && (c.key + 2) % 12 == n.pitch % 12) {
                    bool top = true;
                    for (const Sounding& m : notes)
                        if (m.channel == channel && m.on <= n.on && (m.off < 0 || m.off > n.on) &&
                            m.pitch > n.pitch)
                            top = false;
                    if (top) allowed.insert(n.pitch % 12);
                }
                if (!allowed.count(n.pitch % 12))
                    problem(trackName(r, t) + ": note " + std::to_string(n.pitch) +
                            " is not a tone of the chord at " + std::to_string(n.on));
            }
        }
    }
    return problems;
}

bool copyStyle(int id, const std::string& folder, StyleFile& style) {
    style.load(stylesFolder() + "/" + styleFileName(id));
    return style.save(folder + "/" + styleFileName(id));
}

} // namespace shipped
