#include "gui/dialogs/qt_user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "gui/dialogs/progress_box.h"
#include "gui/language/language.h"

namespace qlnx {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, Translated(title), Translated(text), QMessageBox::Ok, parent);
    box.exec();
}

// The names of the file types in the language in force; their patterns stay as they are.
QString TranslatedFilter(const QString& filter) {
    QStringList types = filter.split(QStringLiteral(";;"));
    for (QString& type : types) {
        const qsizetype patterns = type.lastIndexOf(QStringLiteral(" ("));
        const QString name = patterns < 0 ? type : type.left(patterns);
        const qsizetype indent =
            name.size() - QString(name).remove(QRegularExpression(QStringLiteral("^\\s+"))).size();
        type = name.left(indent) + Translated(name.mid(indent)) +
               (patterns < 0 ? QString() : type.mid(patterns));
    }
    return types.join(QStringLiteral(";;"));
}

}  // namespace

std::optional<QString> QtUserDialogs::openFile(QWidget* parent, const OpenFileRequest& request) {
    // The file types keep their order in any language, so their numbers stay the same.
    QFileDialog dialog(parent, Translated(request.Title), request.InitialFolder,
                       TranslatedFilter(request.Filter));
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
    QFileDialog dialog(parent, QString(), request.InitialFolder, TranslatedFilter(request.Filter));
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
    return QMessageBox::question(parent, Translated(title), Translated(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::unique_ptr<ProgressReport> QtUserDialogs::progress(QWidget* parent, const QString& title,
                                                        const QString& label) {
    return std::make_unique<ProgressBox>(parent, Translated(title), Translated(label));
}

}  // namespace qlnx
