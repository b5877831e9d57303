// The style-folder scan on fuzzed files: the input is cut into up to eight files, each with a fuzzed
// name (numbers that repeat, names that are no number, other extensions) and fuzzed contents; the
// library reads the folder, every style it lists must be whole, the number rules must hold, and the
// program selects and plays every style it found.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "engine/styles.h"
#include "fuzz_context.h"

namespace {

// A cursor over the input.
struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool more() const { return at < size; }
    int byte() { return at < size ? data[at++] : 0; }
    std::string take(std::size_t n) {
        n = std::min(n, size - at);
        std::string s(reinterpret_cast<const char*>(data + at), n);
        at += n;
        return s;
    }
};

// A name that stays inside the folder: no separators, no NUL, not "." or "..".
std::string safeName(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    if (name.empty() || name == "." || name == "..") name = "x" + name;
    return name.substr(0, 100);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string dir = qvfuzz::scratch();
    const std::string folder = dir + "Styles/";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder);

    // Records: a name length byte, the name (a ".qms" is added when the low bit of the length byte is
    // clear), a two-byte length and the contents.
    Reader in{data, size};
    for (int files = 0; files < 8 && in.more(); ++files) {
        int nameByte = in.byte();
        std::string name = safeName(in.take(std::size_t(nameByte >> 3)));
        if ((nameByte & 1) == 0) name += ".qms";
        std::size_t length = std::size_t(in.byte()) << 8;
        length |= std::size_t(in.byte());
        qvfuzz::writeInput("Styles/" + name, reinterpret_cast<const std::uint8_t*>(in.data + in.at),
                           std::min(length, in.size - in.at));
        in.at += std::min(length, in.size - in.at);
    }

    Styles library(folder);
    std::set<int> ids;
    int notes = 0, tracks = 0, counted = 0;
    for (int i = 0; i < library.count(); ++i) {
        const StyleFile& s = library.at(i);
        QV_REQUIRE(s.tracks.count() == kStyleTrackCount);
        QV_REQUIRE(s.id >= 0);
        QV_REQUIRE(s.stepsPerBeat >= 1 && s.stepsPerBar >= 1 && s.bpm >= 1);
        QV_REQUIRE(library.indexOfId(s.id) >= i); // the last style of a number wins
        ids.insert(s.id);
        if (!Styles::isUtilityStyle(s.id)) {
            notes += s.countActiveNotes();
            tracks += s.countActiveTracks();
            ++counted;
        }
    }
    QV_REQUIRE(library.noteCount == notes && library.trackCount == tracks && library.styleCount == counted);
    for (int id : ids) {
        library.select(id);
        QV_REQUIRE(library.current().id == id);
        QV_REQUIRE(library.current().tracks.count() == kStyleTrackCount);
    }

    // The program over the same folder: each style selected and played for a moment.
    static qvfuzz::Program program(dir);
    QuoVelanta& app = program.ctx->app;
    program.ctx->engine.styles.loadAll();
    app.newSession(true);
    int played = 0;
    for (int id : ids) {
        if (played++ == 3) break;
        app.selectStyle(id, true, false, false);
        QvPage& page = program.ctx->engine.core.pages.at(0);
        page.addChord(QvChord(2, 1, 0, kAutoBassArg, false, 48), -1);
        program.render(2000);
    }
    return 0;
}
