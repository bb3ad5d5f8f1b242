#include "gui/chart/chart_image_command.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "core/errors.h"
#include "core/safe_write.h"
#include "gui/chart/chart_widget.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/main_window/result_file_command.h"
#include "gui/qt_text.h"

namespace qlnx {

namespace {

// The suffix the saved file gets: one the user typed, else the chosen type's.
QString ImageFileName(const QString& chosen, int filterIndex) {
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("pdf")) return chosen;
    return chosen + (filterIndex == 2 ? QStringLiteral(".pdf") : QStringLiteral(".png"));
}

}  // namespace

QString ChartImageFilter() { return QStringLiteral("PNG image (*.png);;PDF document (*.pdf)"); }

QString SaveChartImage(QWidget* parent, UserDialogs& dialogs, ChartWidget& chart,
                       const QString& recordFile, const QString& initialFolder) {
    return SaveImage(
        parent, dialogs,
        [&chart](const QString& file, bool pdf) { return chart.saveImage(file, pdf); }, recordFile,
        initialFolder);
}

QString SaveImage(QWidget* parent, UserDialogs& dialogs,
                  const std::function<bool(const QString& file, bool pdf)>& draw,
                  const QString& recordFile, const QString& initialFolder) {
    SaveFileRequest request;
    request.Filter = ChartImageFilter();
    request.FilterIndex = 1;
    if (recordFile.isEmpty()) {
        request.FileName = QStringLiteral("chart");
    } else {
        const QFileInfo record(recordFile);
        request.InitialFolder = record.absolutePath();
        request.FileName = record.completeBaseName();
    }
    if (!initialFolder.isEmpty()) request.InitialFolder = initialFolder;
    const std::optional<SaveFileAnswer> answer = dialogs.saveFile(parent, request);
    if (!answer) return {};

    const QString target = ImageFileName(answer->FileName, answer->FilterIndex);
    if (ReplacesUnconfirmedFile(PathBytes(answer->FileName), PathBytes(target)) &&
        !dialogs.question(parent, QString::fromLatin1(kReplaceQuestionTitle),
                          ReplaceQuestionText(QFileInfo(target).fileName()))) {
        return {};
    }

    // The target is checked first; the chart's own savers write to a private scratch folder,
    // and the finished bytes then replace the target in one step (or go into a device or pipe
    // in place).
    WriteGuard guard;
    guard.RecordPath = PathBytes(recordFile);
    SafeFileWrite file(PathBytes(target), guard);
    const bool pdf = QFileInfo(target).suffix().toLower() == QLatin1String("pdf");
    const QTemporaryDir scratch;
    const QString scratchFile =
        scratch.filePath(pdf ? QStringLiteral("chart.pdf") : QStringLiteral("chart.png"));
    QFile image(scratchFile);
    if (!scratch.isValid() || !draw(scratchFile, pdf) || !image.open(QIODevice::ReadOnly)) {
        throw FileError("Cannot create file \"" + PathBytes(target) +
                        "\". The chart could not be drawn into an image");
    }
    const QByteArray bytes = image.readAll();
    file.Write(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    file.Commit();
    return target;
}

}  // namespace qlnx
