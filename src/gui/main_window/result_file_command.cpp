#include "gui/main_window/result_file_command.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <optional>
#include <string>

#include "core/result_files.h"
#include "core/skeleton_file.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/qt_text.h"

namespace qlnx {

namespace {}  // namespace

bool ReplacesUnconfirmedFile(const std::string& dialogName, const std::string& written) {
    // The same file by device and inode, whatever it is: std::filesystem::equivalent refuses
    // to compare pipes and devices.
    struct stat writtenFile {};
    if (::stat(written.c_str(), &writtenFile) != 0) return false;
    struct stat dialogFile {};
    const bool sameFile = ::stat(dialogName.c_str(), &dialogFile) == 0 &&
                          dialogFile.st_dev == writtenFile.st_dev &&
                          dialogFile.st_ino == writtenFile.st_ino;
    return !sameFile;
}

QString ResultFileFilter() {
    // The types "Text files (*.txt)" with mask *.TXT and " CSV files (*.csv)" with mask *.CSV,
    // in the dialog's "description (patterns)" form; the descriptions already carry the
    // patterns, and masks match names in any case.
    return QStringLiteral("Text files (*.txt);; CSV files (*.csv)");
}

QString ReplaceQuestionText(const QString& fileName) {
    return fileName + QStringLiteral(" already exists.\nDo you want to replace it?");
}

QString SaveResultFile(QWidget* parent, UserDialogs& dialogs, const AnalysisState& state,
                       ResultFileKind kind, ResultSaveDialog& dialog) {
    const bool modifiedLoop = kind == ResultFileKind::ModifiedLoop;
    const std::string_view suffix = modifiedLoop                       ? kModifiedLoopSuffix
                                    : kind == ResultFileKind::Skeleton ? kSkeletonSuffix
                                                                       : kAnalysisResultSuffix;
    SaveFileRequest request;
    request.Filter = ResultFileFilter();
    request.FilterIndex = dialog.FilterIndex;
    request.InitialFolder = dialog.InitialFolder;
    request.FileName = PathText(ProposedResultName(state.FileNameText, suffix));
    const std::optional<SaveFileAnswer> answer = dialogs.saveFile(parent, request);
    if (!answer) return {};
    dialog.FilterIndex = answer->FilterIndex;

    const std::string dialogName = PathBytes(answer->FileName);
    const ResultFileTarget target = ResultTargetOf(dialogName, answer->FilterIndex);
    if (ReplacesUnconfirmedFile(dialogName, target.Path) &&
        !dialogs.question(parent, QString::fromLatin1(kReplaceQuestionTitle),
                          ReplaceQuestionText(QFileInfo(PathText(target.Path)).fileName()))) {
        return {};
    }
    // The record being analysed is never written over, under whatever name it is chosen.
    WriteGuard guard;
    guard.RecordPath = state.FileNameText;
    if (modifiedLoop) {
        // A working curve of millions of points takes seconds; Cancel writes nothing and
        // leaves an old file as it was.
        const std::unique_ptr<ProgressReport> progress = dialogs.progress(
            parent, QStringLiteral("QLNX"),
            QStringLiteral("Writing %1").arg(QFileInfo(PathText(target.Path)).fileName()));
        const bool written = SaveModifiedLoopFile(
            state, target.Form, target.Path,
            [&progress](double done) { return progress->Update(done); }, guard);
        return written ? PathText(target.Path) : QString();
    }
    WriteTextFile(target.Path,
                  kind == ResultFileKind::Skeleton ? SkeletonFileText(state, target.Form)
                                                   : AnalysisResultFileText(state, target.Form),
                  guard);
    return PathText(target.Path);
}

QString SaveResultFile(QWidget* parent, UserDialogs& dialogs, const AnalysisState& state,
                       ResultFileKind kind, const QString& initialFolder) {
    ResultSaveDialog dialog{initialFolder, 1};
    return SaveResultFile(parent, dialogs, state, kind, dialog);
}

}  // namespace qlnx
