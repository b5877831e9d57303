#pragma once
// Window tests: one application for the whole test executable (the program's own class, offscreen
// unless the environment says otherwise), and the screenshots written for people to look at under
// build/ui-screens/.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <string>

#include "app/programloop.h"

// Builds the application on first use; call it at the start of every test that needs Qt.
inline QApplication& ensureQtApp() {
    static QApplication* app = []() -> QApplication* {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qv_test";
        static char* argv[] = {name, nullptr};
        if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return existing;
        return new ProgramApplication(argc, argv);
    }();
    return *app;
}

// Writes image as build/ui-screens/<name>.png; returns the path, or an empty text on failure.
inline std::string saveScreen(const QImage& image, const std::string& name) {
    if (image.isNull()) return {};
    const QString folder = QString::fromUtf8(QV_BINARY_DIR) + "/ui-screens";
    if (!QDir().mkpath(folder)) return {};
    const QString path = folder + "/" + QString::fromStdString(name) + ".png";
    return image.save(path, "PNG") ? path.toStdString() : std::string();
}

// A window's current look (what its paint event draws).
inline std::string saveScreen(QWidget& window, const std::string& name) {
    return saveScreen(window.grab().toImage(), name);
}
