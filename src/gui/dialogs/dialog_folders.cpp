#include "gui/dialogs/dialog_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace qlnx {

namespace {

QString FolderKey(FileKind kind) {
    switch (kind) {
        case FileKind::Record: return QStringLiteral("Folders/Records");
        case FileKind::Result: return QStringLiteral("Folders/Results");
        case FileKind::ChartImage: return QStringLiteral("Folders/ChartImages");
    }
    return QStringLiteral("Folders/Other");
}

const QString kRecentKey = QStringLiteral("RecentRecords");

void StoreRecentRecords(const std::vector<RecentRecord>& records) {
    QSettings settings;
    settings.beginWriteArray(kRecentKey, static_cast<int>(records.size()));
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        settings.setArrayIndex(i);
        const RecentRecord& r = records[static_cast<size_t>(i)];
        settings.setValue(QStringLiteral("Path"), r.Path);
        settings.setValue(QStringLiteral("FirstLine"), r.FirstLine);
        settings.setValue(QStringLiteral("Step"), r.Step);
        settings.setValue(QStringLiteral("Sheet"), r.Sheet);
        settings.setValue(QStringLiteral("Variable"), r.Variable);
    }
    settings.endArray();
}

}  // namespace

QString DialogFolder(FileKind kind, const QString& recordPath) {
    const QString remembered = QSettings().value(FolderKey(kind)).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
    if (!recordPath.isEmpty()) {
        const QFileInfo record(recordPath);
        if (record.absoluteDir().exists()) return record.absolutePath();
    }
    return QDir::homePath();
}

void RememberDialogFolder(FileKind kind, const QString& chosenFile) {
    if (chosenFile.isEmpty()) return;
    QSettings().setValue(FolderKey(kind), QFileInfo(chosenFile).absolutePath());
}

std::vector<RecentRecord> RecentRecords() {
    QSettings settings;
    const int count = settings.beginReadArray(kRecentKey);
    std::vector<RecentRecord> records;
    for (int i = 0; i < count && static_cast<int>(records.size()) < kRecentRecords; ++i) {
        settings.setArrayIndex(i);
        RecentRecord r{settings.value(QStringLiteral("Path")).toString(),
                       settings.value(QStringLiteral("FirstLine")).toString(),
                       settings.value(QStringLiteral("Step")).toString(),
                       settings.value(QStringLiteral("Sheet")).toString(),
                       settings.value(QStringLiteral("Variable")).toString()};
        if (!r.Path.isEmpty()) records.push_back(r);
    }
    settings.endArray();
    return records;
}

void RememberRecentRecord(const RecentRecord& record) {
    std::vector<RecentRecord> records{record};
    for (const RecentRecord& r : RecentRecords()) {
        if (r.Path != record.Path && static_cast<int>(records.size()) < kRecentRecords)
            records.push_back(r);
    }
    StoreRecentRecords(records);
}

void ForgetRecentRecord(const QString& path) {
    std::vector<RecentRecord> records;
    for (const RecentRecord& r : RecentRecords()) {
        if (r.Path != path) records.push_back(r);
    }
    StoreRecentRecords(records);
}

}  // namespace qlnx
