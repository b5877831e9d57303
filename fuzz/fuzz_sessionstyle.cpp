// A fuzzed session played with a fuzzed style: the input's first two bytes give the length of the
// style file that follows; the rest is the session file. The style is the only one in the folder (as
// number 1 and under the number the session asks for, when it names one), so the session is opened
// (a file the program refuses is followed by a new session), played through the capture path and in
// real time, and exported, always with the fuzzed style.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/strutil.h"
#include "fuzz_context.h"

namespace {

// The style number a session file names ("style=" line), or -1.
int namedStyle(const std::string& session) {
    std::size_t at = session.find("style=");
    if (at == std::string::npos) return -1;
    int n = textToInt(session.substr(at + 6, 12));
    return n >= 0 && n < 100000 ? n : -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::size_t styleLength = std::min<std::size_t>((std::size_t(data[0]) << 8) | data[1], size - 2);
    const std::uint8_t* style = data + 2;
    const std::uint8_t* session = style + styleLength;
    std::size_t sessionLength = size - 2 - styleLength;

    const std::string dir = qvfuzz::scratch();
    std::error_code ec;
    std::filesystem::remove_all(dir + "Styles", ec);
    std::filesystem::create_directories(dir + "Styles");
    qvfuzz::writeInput("Styles/1.qms", style, styleLength);
    int named = namedStyle(std::string(reinterpret_cast<const char*>(session), sessionLength));
    if (named >= 0 && named != 1)
        qvfuzz::writeInput("Styles/" + std::to_string(named) + ".qms", style, styleLength);
    std::string path = qvfuzz::writeInput("input.qvs", session, sessionLength);

    static qvfuzz::Program program(dir);
    QuoVelanta& app = program.ctx->app;
    program.ctx->engine.styles.loadAll();
    qvfuzz::savesInPlace([&] {
        qvfuzz::openOrNew(app, path);
        program.render(20000);
        program.poll(600);
        app.exportMidiFile(dir + "export.mid");
    });
    qvfuzz::removeFile("export.mid");
    return 0;
}
