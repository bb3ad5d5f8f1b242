// The modal dialogs of the program, shown with Qt's file dialogs and message boxes.
#pragma once

#include "gui/dialogs/user_dialogs.h"

namespace qlnx {

class QtUserDialogs : public UserDialogs {
public:
    std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) override;
    std::optional<SaveFileAnswer> saveFile(QWidget* parent,
                                           const SaveFileRequest& request) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    void error(QWidget* parent, const QString& title, const QString& text) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& title, const QString& text) override;
    std::unique_ptr<ProgressReport> progress(QWidget* parent, const QString& title,
                                             const QString& label) override;
};

}  // namespace qlnx
