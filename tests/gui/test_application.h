// The one QApplication of the GUI test program, created on first use (offscreen unless the
// environment names another platform).
#pragma once

#include <QApplication>

namespace qlnx::test {

inline QApplication& TestApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qlnx_gui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of other tests may outlive any static destruction order.
    return *new QApplication(argc, argv);
}

}  // namespace qlnx::test
