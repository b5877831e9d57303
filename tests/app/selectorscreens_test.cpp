// Screenshots of every selector kind in both looks, composed over a plain main-window background
// (build/ui-screens/selector-*.png).
#include <gtest/gtest.h>

#include <QImage>

#include "engine/qvapoint.h"
#include "tests/app/selector_rig.h"

using selrig::Rig;

namespace {

std::string shoot(Limage& image, const std::string& name) {
    const QImage view(image.bitmap()->bits(), image.width(), image.height(), image.bitmap()->stride(),
                      QImage::Format_BGR888);
    return saveScreen(view.copy(), name);
}

// Pixels of the overlay's area that differ from the background the overlay was drawn on.
int changedPixels(Rig& rig, const Limage& before) {
    const TRect b = rig.sel().bounds();
    int n = 0;
    for (int y = b.Top; y < b.Bottom; ++y)
        for (int x = b.Left; x < b.Right; ++x) n += rig.back.pixel(x, y) != before.pixel(x, y) ? 1 : 0;
    return n;
}

} // namespace

TEST(SelectorScreens, EveryKindInBothLooks) {
    for (bool light : {false, true}) {
        const std::string look = light ? "light" : "dark";
        Rig rig;
        rig.options().whiteModel = light;
        QuoVelanta& app = rig.app();
        rig.core().pages.at(0).addChord(QvChord(0, 0), -1);
        rig.core().pages.at(4).addChord(QvChord(2, 1), -1);
        rig.ctx->customStyleMixes.storeCurrentMix(rig.core().mix, 3);
        Limage clean;

        auto check = [&](const std::string& what) {
            EXPECT_GT(changedPixels(rig, clean), rig.sel().width() * rig.sel().height() / 2) << what;
            EXPECT_FALSE(shoot(rig.back, "selector-" + what + "-" + look).empty()) << what;
        };
        rig.paintBackground(light);
        clean.assign(rig.back);
        app.openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 3, false, false);
        check("style");

        rig.paintBackground(light);
        app.openTempoSelector(&rig.back, nullptr, selrig::kTempoBoxX, selrig::kBoxBottom, 120);
        check("tempo");

        rig.paintBackground(light);
        rig.core().key = 3;
        app.openKeySelector(&rig.back, nullptr, selrig::kKeyBoxX, selrig::kBoxBottom, true);
        check("key");

        rig.paintBackground(light);
        QvChord chord(1, 14, 2, 8, true); // C#m7b5 / G#, bass up, second inversion
        app.openChordSelector(chord, &rig.back, nullptr, 300, selrig::kPageTop + 14, selrig::kPageLeft,
                              selrig::kPageRight);
        check("chord");

        rig.paintBackground(light);
        app.openChordSelector(QvChord(9, 3, -3), &rig.back, nullptr, 120, selrig::kPageTop + 14,
                              selrig::kPageLeft, selrig::kPageRight);
        check("chord-autobass");

        rig.paintBackground(light);
        app.openPageMenu(&rig.back, nullptr, 150, selrig::kSlotTop, 4, selrig::kPageLeft, selrig::kPageRight);
        check("pagemenu");

        rig.paintBackground(light);
        QvAPoint point;
        point.oSnare = false;
        point.oC = false;
        point.mBass = 1;
        app.openArrangementSelector(point, &rig.back, nullptr, selrig::kStripLeft, selrig::kStripTop,
                                    selrig::kStripRight, 200);
        check("arrangement");

        rig.paintBackground(light);
        point.arrangeEnabled = false;
        app.openArrangementSelector(point, &rig.back, nullptr, selrig::kStripLeft, selrig::kStripTop,
                                    selrig::kStripRight, -1);
        check("arrangement-off");

        // A library that needs pages: the first and a later page.
        Styles& styles = rig.ctx->engine.styles;
        for (int id = 35; id <= 80; ++id) {
            StyleFile s;
            s.id = id;
            s.name = "Extra Style " + std::to_string(id);
            styles.add(s);
        }
        rig.paintBackground(light);
        app.openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 3, false, false);
        check("style-page1");
        rig.paintBackground(light);
        app.styleSelectorPage = 1;
        app.rebuildStyleSelector(true);
        check("style-page2");
    }
}
