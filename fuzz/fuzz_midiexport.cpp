// The exported MIDI file read back: the input's first byte chooses the export settings (format 0 or 1,
// normalising, leading silence, count-in), the rest is a session file opened through the program's
// open path (shipped styles; a file it refuses is followed by a new session). A successful export must be a
// well-formed Standard MIDI File: the header the settings ask for, chunks whose lengths hold exactly their
// events, variable-length numbers of at most four bytes, only complete channel messages with data bytes below
// 128, one end-of-track at each track's end, and every note that starts ended within its track.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "foundation/textfile.h"
#include "fuzz_context.h"

namespace {

qvfuzz::Program& program() {
    return qvfuzz::shippedStylesProgram();
}

struct Bytes {
    const std::string& s;
    std::size_t at = 0;
    int u8() {
        QV_REQUIRE(at < s.size());
        return static_cast<unsigned char>(s[at++]);
    }
    std::uint32_t be(int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = (v << 8) | std::uint32_t(u8());
        return v;
    }
    std::uint32_t varLen() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            int b = u8();
            v = (v << 7) | std::uint32_t(b & 0x7F);
            if ((b & 0x80) == 0) return v;
        }
        std::abort(); // longer than four bytes
    }
    std::string tag() {
        QV_REQUIRE(at + 4 <= s.size());
        std::string t = s.substr(at, 4);
        at += 4;
        return t;
    }
};

void checkTrack(Bytes& in, std::size_t end) {
    std::map<int, int> sounding; // channel x 128 + pitch -> notes on
    int running = 0;
    bool ended = false;
    while (in.at < end) {
        QV_REQUIRE(!ended); // nothing after the end of the track
        in.varLen();
        int status = in.u8();
        if (status < 0x80) { // running status
            QV_REQUIRE(running >= 0x80);
            in.at -= 1;
            status = running;
        }
        if (status == 0xFF) {
            int type = in.u8();
            std::uint32_t length = in.varLen();
            QV_REQUIRE(in.at + length <= end);
            in.at += length;
            if (type == 0x2F) {
                QV_REQUIRE(length == 0);
                ended = true;
            }
            continue;
        }
        QV_REQUIRE(status >= 0x80 && status < 0xF0); // no system messages in the program's files
        running = status;
        int kind = status & 0xF0, channel = status & 0x0F;
        int d1 = in.u8();
        QV_REQUIRE(d1 < 0x80);
        if (kind == 0xC0 || kind == 0xD0) continue;
        int d2 = in.u8();
        QV_REQUIRE(d2 < 0x80);
        int key = channel * 128 + d1;
        if (kind == 0x90 && d2 > 0) {
            sounding[key] += 1;
        } else if (kind == 0x80 || kind == 0x90) {
            if (sounding[key] > 0) sounding[key] -= 1;
        }
    }
    QV_REQUIRE(in.at == end && ended);
    for (const auto& [key, on] : sounding) QV_REQUIRE(on == 0);
}

void checkMidiFile(const std::string& bytes, int format) {
    Bytes in{bytes};
    QV_REQUIRE(in.tag() == "MThd");
    QV_REQUIRE(in.be(4) == 6);
    QV_REQUIRE(int(in.be(2)) == format);
    int tracks = int(in.be(2));
    QV_REQUIRE(in.be(2) == 96);
    QV_REQUIRE(format == 0 ? tracks == 1 : tracks >= 1);
    for (int t = 0; t < tracks; ++t) {
        QV_REQUIRE(in.tag() == "MTrk");
        std::size_t length = in.be(4);
        QV_REQUIRE(in.at + length <= bytes.size());
        checkTrack(in, in.at + length);
    }
    QV_REQUIRE(in.at == bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    qvfuzz::Program& p = program();
    QuoVelanta& app = p.ctx->app;
    Options& options = p.ctx->engine.options;
    const int settings = data[0];
    std::string path = qvfuzz::writeInput("input.qvs", data + 1, size - 1);
    qvfuzz::savesInPlace([&] { qvfuzz::openOrNew(app, path); });
    options.exportToMidi_format = settings & 1;
    options.exportToMidi_normalize = settings & 2;
    options.exportToMidi_silence = settings & 4;
    options.exportToMidi_silenceBars = 1 + ((settings >> 3) & 3);
    options.exportToMidi_precount = settings & 0x20;
    options.exportToMidi_precountBars = 1 + ((settings >> 6) & 1);
    options.exportToMidi_settings = settings & 0x80;
    const std::string midi = qvfuzz::scratch() + "export.mid";
    qvfuzz::removeFile("export.mid");
    bool exported = false;
    qvfuzz::savesInPlace([&] { exported = app.exportMidiFile(midi); });
    if (exported) {
        std::string bytes;
        QV_REQUIRE(readFileBytes(midi, bytes));
        checkMidiFile(bytes, settings & 1);
    }
    qvfuzz::removeFile("export.mid");
    return 0;
}
