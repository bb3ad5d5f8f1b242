// Keeps errors from crossing the Qt event loop: the error report of the main window.
#pragma once

#include <QApplication>
#include <functional>

namespace qlnx {

class UserDialogs;

// The title of the error box.
inline constexpr const char* kErrorBoxTitle = "QLNX";

// Shows the error report for a failure message: a modal error box titled "QLNX" with
// ErrorBoxText(message) (a full stop appended when the last character is above '.').
void ShowErrorReport(UserDialogs& dialogs, QWidget* parent, const std::string& message);

// Runs handler. An exception it lets escape ends the handler and is shown by the error
// report: qlnx::Error and std::exception with their what(), any other thrown value with an
// empty message. Nothing is rethrown.
void RunGuarded(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

// The application object: whatever escapes an event handler that no guard wrapped is caught
// in notify() and shown by the error report, so the program keeps running.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    // The dialogs the error report uses; none set: the error goes to standard error only.
    void setDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    UserDialogs* dialogs_ = nullptr;
};

}  // namespace qlnx
