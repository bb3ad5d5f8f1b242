// The one QApplication of the GUI test program, created on first use (offscreen unless the
// environment names another platform), with its settings in a temporary folder. It is the
// program's own GuardedApplication, so an error escaping an event handler reaches the error
// report as in the program.
#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>

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
    // Settings the windows remember go to a folder of this run, never the user's own.
    QCoreApplication::setOrganizationName(QStringLiteral("QLNX-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("qlnx_gui_tests"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    static const QString settings =
        QDir::temp().filePath(QStringLiteral("qlnx-gui-tests-settings-%1").arg(QCoreApplication::applicationPid()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
    return *app;
}

}  // namespace qlnx::test
