#pragma once
// A program context for the selector tests: the shipped styles (or a library built in the test), a
// fake clock, no MIDI device, a host that records closes, a scripted wait loop and a back buffer of
// the narrow main window's size with its panel colour and black display area.
#include <memory>
#include <string>

#include "app/qvcontext.h"
#include "app/selectorcontents.h"
#include "tests/common/qtapp.h"
#include "tests/common/scratchsetup.h"
#include "tests/common/scriptedloop.h"
#include "tests/common/tempdir.h"
#include "ui/qvselector.h"
#include "ui/theme.h"

namespace selrig {

class ClosingHost : public QvHost {
  public:
    int closed = 0;
    bool lastPresent = false;
    void selectorClosed(bool present) override {
        ++closed;
        lastPresent = present;
    }
};

// The main window's narrow layout: display (30, 70)-(956, 392), Style, Tempo and Key boxes with their
// left and bottom edges, the page area and the slot strip.
constexpr int kWindowWidth = 987;
constexpr int kWindowHeight = 602;
constexpr int kStyleBoxX = 46, kTempoBoxX = 270, kKeyBoxX = 494, kBoxBottom = 180;
constexpr int kPageLeft = 46, kPageRight = 942, kPageTop = 217;
constexpr int kSlotTop = 352;
constexpr int kStripLeft = 36, kStripRight = 952, kStripTop = 197;

struct Rig {
    TempDir dir;
    ScriptedModalLoop loop;
    ScopedModalLoop installed{&loop};
    FakeClock clock{5000};
    ClosingHost host;
    std::unique_ptr<QvContext> ctx;
    Limage back;

    // stylesFolder empty: the shipped styles of the source tree.
    explicit Rig(const std::string& stylesFolder = "") {
        ensureQtApp();
        QvContext::Setup s = scratchSetup(dir, &clock, &host);
        s.stylesFolder = stylesFolder.empty() ? std::string(QV_SOURCE_DIR) + "/data/Styles" : stylesFolder;
        ctx = std::make_unique<QvContext>(std::move(s));
        paintBackground(false);
    }

    QuoVelanta& app() { return ctx->app; }
    QvCore& core() { return ctx->engine.core; }
    Options& options() { return ctx->engine.options; }
    QvSelector& sel() { return ctx->selector; }

    // The window's frame colour and the black display, in the light or the dark look.
    void paintBackground(bool light) {
        back.setSize(kWindowWidth, kWindowHeight, true);
        Theme theme;
        theme.whiteModel = light;
        back.fill(theme.themePanelColour());
        Canvas& c = *back.canvas();
        c.brush = {0, false};
        c.fillRect({30, 70, 957, 393});
    }

    // The sensor with that id (a default sensor when none has it).
    const Sensor& sensor(int id) { return sel().sensors.at(sel().sensorIndex(id)); }
    // A window point in the middle of the sensor with that id.
    TPoint centreOf(int id) {
        const TRect r = sel().sensorRect(id);
        return {sel().x + (r.Left + r.Right) / 2, sel().y + (r.Top + r.Bottom) / 2};
    }
    int countChecked() {
        int n = 0;
        for (const Sensor& s : sel().sensors) n += s.checked ? 1 : 0;
        return n;
    }
};

} // namespace selrig
