// A style file on arbitrary bytes: it is put into an empty Styles folder as style 66, the program is
// built once over it, selects it and plays a small fixed session through the capture path (as the MIDI
// export does) and for a while in real time. A loop that does not end shows as a timeout.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/qvchord.h"
#include "engine/stylefile.h"
#include "fuzz_context.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string dir = qvfuzz::scratch();
    std::filesystem::create_directories(dir + "Styles");
    qvfuzz::writeInput("Styles/66.qms", data, size);

    // The style on its own: what was read writes and reads back.
    StyleFile style;
    style.load(dir + "Styles/66.qms");
    if (style.tracks.count() != kStyleTrackCount) std::abort();
    if (!style.save(dir + "copy.qms")) std::abort();
    StyleFile copy;
    copy.load(dir + "copy.qms");
    if (copy.tracks.count() != kStyleTrackCount || copy.stepsPerBar != style.stepsPerBar ||
        copy.stepsPerBeat != style.stepsPerBeat)
        std::abort();

    // The program is built once (building it is most of the cost); each input reloads the library and
    // starts a new session on the fuzzed style.
    static qvfuzz::Program program(dir);
    QuoVelanta& app = program.ctx->app;
    QvCore& core = program.ctx->engine.core;
    program.ctx->engine.styles.loadAll();
    app.newSession(true);
    app.selectStyle(66, true, false, false);
    // Two bars of chords with an arrangement point, played twice.
    QvPage& page = core.pages.at(0);
    page.addChord(QvChord(0, 0, 0, kAutoBassArg, false, 48), -1);
    page.addChord(QvChord(7, 15, 1, 4, false, 48), -1);
    page.addAPoint(24);
    core.pageSlots.clear();
    core.pageSlots.add(0);
    core.pageSlots.add(0);
    program.render(20000);
    program.poll(2000);
    qvfuzz::removeFile("copy.qms");
    return 0;
}
