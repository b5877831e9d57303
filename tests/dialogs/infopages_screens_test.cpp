// Screenshots of the information pages in both looks, and a sheet of their pictures, for people to
// look at (build/ui-screens/).
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <gtest/gtest.h>

#include "dialogs/infoart.h"
#include "engine/options.h"
#include "infopages_rig.h"

using namespace dlg;

namespace {

QImage toQImage(const Limage& image) {
    QImage q(image.width(), image.height(), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.row(y);
        uchar* out = q.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
    }
    return q;
}

// The styles shipped with the program, so that the About page counts a real library.
std::vector<StyleFile> shippedStyles() {
    std::vector<StyleFile> styles;
    const std::filesystem::path folder = std::filesystem::path(QV_SOURCE_DIR) / "data" / "Styles";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() != ".qms") continue;
        StyleFile s;
        s.load(entry.path().string());
        s.id = std::atoi(entry.path().stem().string().c_str());
        styles.push_back(s);
    }
    return styles;
}

class InfoScreens : public ::testing::TestWithParam<bool> {
  protected:
    std::string name(const std::string& what) const {
        return "dialog-" + what + "-" + (GetParam() ? "white" : "dark");
    }
    // Saves the page on top at time `ms` after now, then closes it with Esc.
    void shootAt(info::Rig& rig, std::int64_t ms, const std::string& what, std::string& path) {
        rig.at(rig.now() + ms, [this, what, &path] {
            path = saveScreen(*topDialogPage(), name(what));
            pressTopKey(Qt::Key_Escape);
        });
    }
};

} // namespace

TEST_P(InfoScreens, EveryInformationPage) {
    info::Rig rig(shippedStyles());
    rig.options().whiteModel = GetParam();
    std::string tones, about, sound, loop;
    shootAt(rig, 30, "referencetones", tones);
    rig.pages->showReferenceTonesPage();
    shootAt(rig, 30, "about", about);
    rig.pages->showAboutPage();
    shootAt(rig, 30, "soundtest", sound);
    rig.pages->showSoundTestPage();
    shootAt(rig, 3300, "loophelp", loop); // the loop being dragged over the third bar
    rig.pages->showLoopHelpPage();
    EXPECT_FALSE(tones.empty());
    EXPECT_FALSE(about.empty());
    EXPECT_FALSE(sound.empty());
    EXPECT_FALSE(loop.empty());
}

INSTANTIATE_TEST_SUITE_P(Looks, InfoScreens, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "White" : "Dark"; });

TEST(InfoArt, PictureSheet) {
    ensureQtApp();
    const int w = infoart::kLoopFrameWidth, h = infoart::kLoopFrameHeight;
    QImage sheet(2 * w + 30, 4 * (h + 10) + 130, QImage::Format_RGB888);
    sheet.fill(QColor(80, 80, 80));
    QPainter p(&sheet);
    for (int k = 1; k <= 8; ++k) {
        const int x = 10 + ((k - 1) % 2) * (w + 10), y = 10 + ((k - 1) / 2) * (h + 10);
        p.drawImage(x, y, toQImage(infoart::loopFrame(k)));
    }
    const int y = 10 + 4 * (h + 10);
    p.drawImage(10, y, toQImage(infoart::soundTestPicture()));
    p.drawImage(80, y, toQImage(infoart::cursorPicture()));
    p.drawImage(110, y, toQImage(infoart::earthPicture(0xFFFFFF, 72)));
    p.drawImage(200, y, toQImage(infoart::earthPicture(0x505050, 110)));
    p.end();
    EXPECT_FALSE(saveScreen(sheet, "infoart-sheet").empty());

    // The pictures hold what their users expect: a mask with black round the loudspeaker, the
    // pointer's tip in its top left corner, the earth's corners in the background colour.
    const Limage& speaker = infoart::soundTestPicture();
    EXPECT_EQ(speaker.pixel(0, 0), 0);
    EXPECT_EQ(speaker.pixel(10, 28), 0xFFFFFF);
    EXPECT_NE(infoart::cursorPicture().pixel(0, 0), infoart::kCursorTransparent);
    EXPECT_EQ(infoart::cursorPicture().pixel(10, 0), infoart::kCursorTransparent);
    const Limage earth = infoart::earthPicture(0x123456, 40);
    EXPECT_EQ(earth.pixel(0, 0), 0x123456);
    EXPECT_NE(earth.pixel(20, 20), 0x123456);
}
