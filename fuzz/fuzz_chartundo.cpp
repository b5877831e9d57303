// The chord chart and the undo history on a fuzzed session: the input's first eight bytes are edits,
// the rest is a session file opened through the program's open path (shipped styles); one that does
// not open leaves the session and its history as they were. The chart is built in all sixteen layouts
// and checked line by line; then the edits are made, each recorded as an undo step; undoing them all
// gives back the session as opened (or a new one), and redoing them all the edited one.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/sessionfile.h"
#include "fuzz_context.h"

namespace {

qvfuzz::Program& program() {
    return qvfuzz::shippedStylesProgram();
}

// The session as its file would hold it.
std::string snapshot(QuoVelanta& app) {
    app.saveFile(kSessionHeader, "");
    std::string text = app.lines.joined();
    app.lines.clear();
    return text;
}

void checkChart(QuoVelanta& app, Options& options) {
    for (int layout = 0; layout < 16; ++layout) {
        options.exportToText_pages = layout & 1;
        options.exportToText_bars = layout & 2;
        options.exportToText_4bars = layout & 4;
        options.exportToText_dots = layout & 8;
        Llist<std::string> lines;
        app.exportChordsAsText(lines);
        QV_REQUIRE(lines.count() >= 4);
        QV_REQUIRE(lines.at(0).rfind("Session: ", 0) == 0);
        bool ruled = false;
        for (const std::string& line : lines) {
            QV_REQUIRE(line.find('\n') == std::string::npos && line.find('\r') == std::string::npos);
            if (line == std::string(50, '-')) {
                ruled = true;
                continue;
            }
            if (!ruled || line.empty() || line.rfind("Page ", 0) == 0 || line == "Chords:") continue;
            // A chord line laid out in bars starts and ends with the bar sign.
            if (options.exportToText_bars) QV_REQUIRE(line.front() == '|' && line.back() == '|');
        }
        QV_REQUIRE(ruled);
    }
}

// One edit of the session, chosen by a byte.
std::string edit(QvCore& core, int op) {
    QvPage& page = core.pages.at((op >> 3) % kPageCount);
    switch (op & 7) {
    case 0:
        page.addChord(QvChord(op % 12, (op >> 2) % 20, 0, kAutoBassArg, false, 24), -1);
        return "Edit chord";
    case 1:
        page.selectAll();
        page.deleteSelected();
        return "Delete chords";
    case 2:
        core.tempo(core.tempo() + (op & 0x40 ? 7 : -7));
        return "Adjust tempo: " + std::to_string(core.tempo()) + " BPM";
    case 3:
        page.transposeChords((op >> 3) % 12 - 6, false);
        return "Transpose";
    case 4:
        page.addAPoint((op >> 3) % 48);
        return "Add arrangement point";
    case 5:
        core.parsePageSequence(std::string(1, char('1' + (op >> 4) % 9)) + "1");
        return "Page sequence";
    case 6:
        core.key = (core.key + 1) % 12;
        return "Key: " + std::to_string(core.key);
    default:
        page.convertMeter(op & 0x80);
        return "Meter";
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    qvfuzz::Program& p = program();
    QuoVelanta& app = p.ctx->app;
    QvHistory& history = p.ctx->history;
    std::string path = qvfuzz::writeInput("input.qvs", data + 8, size - 8);
    history.modified = false; // the last input's edits are let go without the question
    // A file the program cannot read as a session is refused before anything is touched: the session
    // and its history stay as they were, and the edits below go on from there.
    Text_ readable;
    const bool opens = readSessionText(path, readable) == FileProblem::None;
    const std::string before = snapshot(app);
    const int entries = history.count(), position = history.position();
    const std::string last = history.description(entries - 1);
    bool done = false;
    qvfuzz::savesInPlace([&] { done = app.openSession(path); });
    if (opens) {
        QV_REQUIRE(history.count() == 1 && !history.canUndo() && history.description(0) == "[Open session]");
    } else {
        QV_REQUIRE(!done && snapshot(app) == before);
        QV_REQUIRE(history.count() == entries && history.position() == position &&
                   history.description(entries - 1) == last && !history.modified);
        // The edits below start from a new session, the same for every input that does not open.
        QV_REQUIRE(app.newSession(false) && history.count() == 1 && !history.canUndo());
    }
    checkChart(app, p.ctx->engine.options);

    const std::string opened = snapshot(app);
    for (int i = 0; i < 8; ++i) history.record(edit(p.ctx->engine.core, data[i]), data[i] & 0x20);
    const std::string edited = snapshot(app);
    checkChart(app, p.ctx->engine.options);
    while (history.canUndo()) history.undo();
    QV_REQUIRE(snapshot(app) == opened);
    while (history.canRedo()) history.redo();
    QV_REQUIRE(snapshot(app) == edited);
    return 0;
}
