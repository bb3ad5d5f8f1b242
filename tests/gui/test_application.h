// The one QApplication of the GUI test program, created on first use (offscreen unless the
// environment names another platform). It is the program's own GuardedApplication, so an
// error escaping an event handler reaches the error report as in the program.
#pragma once

#include <QApplication>

#include "gui/error_guard.h"

namespace qlnx::test {

inline QApplication& TestApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qlnx_gui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of other tests may outlive any static destruction order.
    return *new GuardedApplication(argc, argv);
}

}  // namespace qlnx::test
