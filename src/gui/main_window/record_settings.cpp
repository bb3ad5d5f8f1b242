#include "gui/main_window/record_settings.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>

namespace qlnx {

namespace {

// One group per record, named by a digest of its absolute path: a path's slashes would
// otherwise open nested groups.
QString RecordGroup(const QString& absolutePath) {
    return QStringLiteral("Records/") +
           QString::fromLatin1(
               QCryptographicHash::hash(absolutePath.toUtf8(), QCryptographicHash::Sha1).toHex());
}

}  // namespace

std::optional<RecordSettings> StoredRecordSettings(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QSettings settings;
    settings.beginGroup(RecordGroup(absolute));
    if (settings.value(QStringLiteral("Path")).toString() != absolute) return std::nullopt;
    RecordSettings r;
    r.FirstLine = settings.value(QStringLiteral("FirstLine"), r.FirstLine).toString();
    r.Step = settings.value(QStringLiteral("Step"), r.Step).toString();
    r.NoiseBand = settings.value(QStringLiteral("NoiseBand"), r.NoiseBand).toString();
    r.Direction =
        settings.value(QStringLiteral("Direction")).toString() == QStringLiteral("negative")
            ? LoopDirection::Negative
            : LoopDirection::Positive;
    r.Import = LoadImportOptions(settings);
    r.LastLine = settings.value(QStringLiteral("LastLine"), 0).toInt();
    r.WholeFirstLine = settings.value(QStringLiteral("WholeFirstLine")).toString();
    return r;
}

void StoreRecordSettings(const QString& path, const RecordSettings& r) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QSettings settings;
    settings.beginGroup(RecordGroup(absolute));
    settings.setValue(QStringLiteral("Path"), absolute);
    settings.setValue(QStringLiteral("FirstLine"), r.FirstLine);
    settings.setValue(QStringLiteral("Step"), r.Step);
    settings.setValue(QStringLiteral("NoiseBand"), r.NoiseBand);
    settings.setValue(QStringLiteral("Direction"), r.Direction == LoopDirection::Negative
                                                       ? QStringLiteral("negative")
                                                       : QStringLiteral("positive"));
    SaveImportOptions(settings, r.Import);
    settings.setValue(QStringLiteral("LastLine"), r.LastLine);
    settings.setValue(QStringLiteral("WholeFirstLine"), r.WholeFirstLine);
}

}  // namespace qlnx
