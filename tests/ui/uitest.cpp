#include "uitest.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// Text needs a Qt GUI application; every test of this executable runs with one.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

  private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const gQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

std::string savePng(const Bitmap24& image, const std::string& name) {
    if (image.isEmpty()) return {};
    const QString folder = QString::fromUtf8(QV_BINARY_DIR) + "/ui-gallery";
    if (!QDir().mkpath(folder)) return {};
    const QImage view(image.bits(), image.width(), image.height(), image.stride(), QImage::Format_BGR888);
    const QString path = folder + "/" + QString::fromStdString(name) + ".png";
    if (!view.save(path, "PNG")) return {};
    return path.toStdString();
}

std::string savePng(const Limage& image, const std::string& name) {
    if (!image.isValid()) return {};
    Bitmap24 copy;
    if (!copy.setSize(image.width(), image.height())) return {};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() * 3; ++x) copy.scanLine(y)[x] = image.row(y)[x];
    return savePng(copy, name);
}

int countDiffering(const Limage& image, int left, int top, int right, int bottom, TColor background) {
    int n = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const TColor c = image.pixel(x, y);
            if (c != -1 && c != background) ++n;
        }
    return n;
}
