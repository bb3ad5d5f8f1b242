// The one QApplication of the GUI test program, created on first use (offscreen unless the
// environment names another platform). It is the program's own GuardedApplication, so an
// error escaping an event handler reaches the error report as in the program.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "gui/error_guard.h"

namespace qlnx::test {

inline QApplication& TestApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qlnx_gui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of other tests may outlive any static destruction order.
    auto* app = new GuardedApplication(argc, argv);
    // The settings of the tests live in a folder of their own, never in the user's.
    static QTemporaryDir settings;
    QCoreApplication::setOrganizationName(QStringLiteral("QLNX tests"));
    QCoreApplication::setApplicationName(QStringLiteral("qlnx_gui_tests"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    return *app;
}

}  // namespace qlnx::test
