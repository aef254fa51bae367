#pragma once
// The one QApplication a GUI test executable needs, made on first use and
// never destroyed: destroying it among the other static objects at exit
// crashes, and the process ends right after the tests anyway.

#include <QApplication>

namespace tw::test_support {

inline QApplication& ensureApplication() {
    static int argc = 1;
    static char name[] = "tallywick_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace tw::test_support
