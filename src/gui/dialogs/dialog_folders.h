// Where the file dialogs open, and the records opened lately: both remembered across runs in
// the program's settings.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace qlnx {

// The kinds of file the window's dialogs choose; each remembers its own folder.
enum class FileKind { Record, Result, ChartImage };

// The folder a dialog for kind opens in: the one last used for that kind, when it still
// exists; else the folder of the record being analysed (recordPath, empty when none); else the
// home folder.
QString DialogFolder(FileKind kind, const QString& recordPath);
// Remembers the folder of chosenFile for the dialogs of kind.
void RememberDialogFolder(FileKind kind, const QString& chosenFile);

// A record opened lately, with the first line and step it was read with, and the sheet of a
// workbook or the variable of a MATLAB file read (empty: none, or every numeric one).
struct RecentRecord {
    QString Path;
    QString FirstLine;
    QString Step;
    QString Sheet;
    QString Variable;
};
// The last records opened, newest first, at most kRecentRecords.
inline constexpr int kRecentRecords = 10;
std::vector<RecentRecord> RecentRecords();
// Puts record first in the list (once), dropping the oldest beyond the limit.
void RememberRecentRecord(const RecentRecord& record);
// Takes path out of the list.
void ForgetRecentRecord(const QString& path);

}  // namespace qlnx
