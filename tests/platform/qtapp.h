#pragma once
// One QApplication for the Qt tests of this executable (offscreen), made on first use.
#include <QApplication>

inline QApplication* ensureQtApp() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return app;
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}
