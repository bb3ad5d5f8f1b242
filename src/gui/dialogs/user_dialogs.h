// Modal dialogs of the main window behind one interface, so tests can script them.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace qlnx {

struct OpenFileRequest {
    QString Title;
    QString
        Filter;  // Qt filter string, e.g. "Text Files (*txt);;CSV Files (*csv);;All Files (*.*)"
    QString InitialFolder;  // folder shown first
};

struct SaveFileRequest {
    QString Filter;       // "Text files (*.txt);; CSV files (*.csv)"
    int FilterIndex = 1;  // 1-based file type selected first
    QString InitialFolder;
    QString FileName;  // name offered
};

struct SaveFileAnswer {
    QString FileName;     // full path chosen
    int FilterIndex = 1;  // 1-based file type chosen
};

// A long operation's progress, shown to the user with a Cancel button while it lives.
class ProgressReport {
public:
    virtual ~ProgressReport() = default;
    // Shows the fraction done (0 to 1) and keeps the window painting; false once the user
    // has asked to stop.
    virtual bool Update(double fraction) = 0;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The chosen existing file, or nullopt when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) = 0;
    // The chosen name and type (the dialog asked before overwriting it), or nullopt.
    virtual std::optional<SaveFileAnswer> saveFile(QWidget* parent,
                                                   const SaveFileRequest& request) = 0;
    // Modal boxes with one OK button.
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
    // The progress of an operation started now: a window-modal box with label, the progress
    // and a Cancel button, shown only when the operation runs longer than about half a
    // second, and closed when the report is destroyed. By default nothing is shown and
    // nothing is ever cancelled.
    virtual std::unique_ptr<ProgressReport> progress(QWidget* parent, const QString& title,
                                                     const QString& label);
};

inline std::unique_ptr<ProgressReport> UserDialogs::progress(QWidget*, const QString&,
                                                             const QString&) {
    struct Silent final : ProgressReport {
        bool Update(double) override { return true; }
    };
    return std::make_unique<Silent>();
}

}  // namespace qlnx
