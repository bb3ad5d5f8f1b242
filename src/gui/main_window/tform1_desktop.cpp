// The main window's desktop conveniences: a record dropped on the window, the menu keys in
// edit boxes, the chart image and the read-out of the values under the mouse.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include "gui/chart/chart_image_command.h"
#include "gui/chart/chart_widget.h"
#include "gui/dialogs/dialog_folders.h"
#include "gui/error_guard.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/tform1.h"
#include "gui/reading_number.h"

namespace qlnx {

namespace {

// The first local file among the dropped URLs, or an empty string.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

// One value under the mouse: fixed notation when it is no longer than the E-notation text the
// status field is sized for ("-0.000000e+00").
QString MouseReadoutNumber(double value) {
    constexpr qsizetype kFieldChars = 13;
    return ReadingNumber(value, kReadoutDigits,
                         [](const QString& text) { return text.size() <= kFieldChars; });
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // The import may show message boxes: run it once the drop has finished.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenCurveFile(path); }, Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // An edit box claims some keys of the menu for itself (Ctrl+E moves to the line's end);
    // the commands win, as the menu promises.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : {ImportData1, ReImport1, AnalyzeLoop1, ExtractSkeleton1,
                                      ExportResults1, ExportSkeleton1}) {
            if (action->shortcut() == pressed) return true;
        }
    }
    // A read-out box that changed its width may now hold its value in fixed notation, or no
    // longer.
    if (event->type() == QEvent::Resize &&
        (watched == edt1 || watched == edt2 || watched == edt3 || watched == edt4)) {
        ShowReadouts();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::SaveChartImage1Click() {
    const QString record = QFile::decodeName(QByteArray::fromStdString(state_.FileNameText));
    const QString written =
        SaveChartImage(this, dialogs_, *cht1, record, DialogFolder(FileKind::ChartImage, record));
    if (written.isEmpty()) return;
    RememberDialogFolder(FileKind::ChartImage, written);
    ShowStatus(QStringLiteral("Saved the chart as %1.").arg(written));
}

void TForm1::ShowMouseReadout(int x, int y) {
    if (!cht1->axisRect()->rect().contains(x, y)) {
        ClearMouseReadout();
        return;
    }
    const ChannelRecord& record = state_.Channels;
    if (record.Active && (!record.DisplacementUnit.empty() || !record.ForceUnit.empty())) {
        // With the record's units ("?" for one that is not known).
        const auto unit = [](const std::string& u) {
            return u.empty() ? QStringLiteral("?") : QString::fromStdString(u);
        };
        SetDesignedText(rzfldsts4, QStringLiteral("Disp = %1 %2   Force = %3 %4")
                                       .arg(MouseReadoutNumber(cht1->XScreenToValue(x)))
                                       .arg(unit(record.DisplacementUnit))
                                       .arg(MouseReadoutNumber(cht1->YScreenToValue(y)))
                                       .arg(unit(record.ForceUnit)));
        return;
    }
    SetDesignedText(rzfldsts4, QStringLiteral("Disp = %1   Force = %2")
                                   .arg(MouseReadoutNumber(cht1->XScreenToValue(x)))
                                   .arg(MouseReadoutNumber(cht1->YScreenToValue(y))));
}

void TForm1::ClearMouseReadout() { rzfldsts4->clear(); }

}  // namespace qlnx
