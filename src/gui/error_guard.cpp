#include "gui/error_guard.h"

#include <QWidget>
#include <cstdio>
#include <exception>

#include "core/errors.h"
#include "gui/dialogs/user_dialogs.h"

namespace qlnx {

void ShowErrorReport(UserDialogs& dialogs, QWidget* parent, const std::string& message) {
    dialogs.error(parent, QString::fromUtf8(kErrorBoxTitle),
                  QString::fromStdString(ErrorBoxText(message)));
}

void RunGuarded(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
    // The message is taken out of the catch block first: the box runs its own event loop,
    // and the exception object should not stay alive across it.
    std::string message;
    try {
        handler();
        return;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message.clear();
    }
    ShowErrorReport(dialogs, parent, message);
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    std::string message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message.clear();
    }
    if (dialogs_ != nullptr) {
        ShowErrorReport(*dialogs_, activeWindow(), message);
    } else {
        std::fprintf(stderr, "QLNX: %s\n", message.c_str());
    }
    return false;
}

}  // namespace qlnx
