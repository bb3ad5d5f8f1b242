// Modal dialogs of the main window behind one interface, so tests can script them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace qlnx {

struct OpenFileRequest {
    QString Title;
    QString Filter;         // Qt filter string, e.g. "Text Files (*txt);;CSV Files (*csv);;All Files (*.*)"
    QString InitialFolder;  // folder shown first
};

struct SaveFileRequest {
    QString Filter;  // "Text files (*.txt);; CSV files (*.csv)"
    int FilterIndex = 1;  // 1-based file type selected first
    QString InitialFolder;
    QString FileName;  // name offered
};

struct SaveFileAnswer {
    QString FileName;  // full path chosen
    int FilterIndex = 1;  // 1-based file type chosen
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The chosen existing file, or nullopt when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) = 0;
    // The chosen name and type (the dialog asked before overwriting it), or nullopt.
    virtual std::optional<SaveFileAnswer> saveFile(QWidget* parent, const SaveFileRequest& request) = 0;
    // Modal boxes with one OK button.
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
};

}  // namespace qlnx
