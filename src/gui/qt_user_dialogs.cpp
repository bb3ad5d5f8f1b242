#include "gui/qt_user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "gui/progress_box.h"

namespace qlnx {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

std::optional<QString> QtUserDialogs::openFile(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent, request.Title, request.InitialFolder, request.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);  // the chosen file must exist
    dialog.setSizeGripEnabled(true);
    const QStringList filters = dialog.nameFilters();
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<SaveFileAnswer> QtUserDialogs::saveFile(QWidget* parent,
                                                      const SaveFileRequest& request) {
    QFileDialog dialog(parent, QString(), request.InitialFolder, request.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);  // ask before overwriting
    dialog.setSizeGripEnabled(true);
    const QStringList filters = dialog.nameFilters();
    const int index = request.FilterIndex - 1;
    if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    SaveFileAnswer answer;
    answer.FileName = dialog.selectedFiles().front();
    const auto chosen = filters.indexOf(dialog.selectedNameFilter());
    answer.FilterIndex = chosen >= 0 ? static_cast<int>(chosen) + 1 : 1;
    return answer;
}

void QtUserDialogs::warning(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(parent, QMessageBox::Warning, title, text);
}

void QtUserDialogs::error(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, title, text);
}

void QtUserDialogs::information(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(parent, QMessageBox::Information, title, text);
}

bool QtUserDialogs::question(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::unique_ptr<ProgressReport> QtUserDialogs::progress(QWidget* parent, const QString& title,
                                                        const QString& label) {
    return std::make_unique<ProgressBox>(parent, title, label);
}

}  // namespace qlnx
