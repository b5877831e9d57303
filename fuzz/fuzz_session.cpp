// A session file on arbitrary bytes, opened through the program's own open path (the shipped styles
// in the Styles folder; a file it refuses is followed by a new session), then played for a bounded number of
// steps through the capture path and in real time, and exported as a MIDI file.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "fuzz_context.h"

namespace {

qvfuzz::Program& program() {
    return qvfuzz::shippedStylesProgram();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qvfuzz::Program& p = program();
    std::string path = qvfuzz::writeInput("input.qvs", data, size);
    QuoVelanta& app = p.ctx->app;
    std::string midi = qvfuzz::scratch() + "export.mid";
    qvfuzz::savesInPlace([&] {
        qvfuzz::openOrNew(app, path);
        p.render(20000);
        p.poll(500);
        app.exportMidiFile(midi);
    });
    qvfuzz::removeFile("export.mid");
    return 0;
}
