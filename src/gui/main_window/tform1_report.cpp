// The main window's File > Test Report…: the report of the record as analysed and evaluated
// now (with the evaluation window's options and construction when it is open), saved as a PDF
// through the safe-write path.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>

#include "core/evaluate_test.h"
#include "core/protocol_recognition.h"
#include "core/report_settings.h"
#include "core/safe_write.h"
#include "gui/dialogs/dialog_folders.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/evaluation/evaluation_window.h"
#include "gui/language/language.h"
#include "gui/main_window/message_bar.h"
#include "gui/main_window/tform1.h"
#include "gui/qt_text.h"
#include "report/report_document.h"

namespace qlnx {

void TForm1::TestReport1Click() {
    if (state_.LoopCount == 0) {
        messageBar_->ShowMessage(
            QStringLiteral("There is no analysed record to report: import and analyse one first."));
        return;
    }
    const std::string recordPath = QFile::encodeName(edt5->text()).toStdString();
    SaveFileRequest request;
    request.Filter = QStringLiteral("PDF files (*.pdf)");
    request.InitialFolder = DialogFolder(FileKind::Result, PathText(recordPath));
    request.FileName = QFileInfo(PathText(recordPath)).completeBaseName() + QStringLiteral(".pdf");
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;

    EvaluationOptions options;
    options.NoiseBand = noiseBandInForce_;
    ReportReading reading;
    RecordReport report;
    report.Constructions = {YieldMethod::EEEP};
    if (evaluationWindow_ != nullptr) {
        options = evaluationWindow_->Options();
        reading.Preset = evaluationWindow_->Preset();
        report.Constructions = {evaluationWindow_->Construction()};
    }
    const TestEvaluation evaluation = EvaluateTest(state_, options);
    const ProtocolRecognition protocol = RecogniseProtocol(state_, options, &evaluation.Loops);
    reading.FirstLineText = edt7->text().toStdString();
    reading.StepText = edt8->text().toStdString();
    reading.Decimal = importOptions_.Decimal;
    reading.DisplacementColumn = importOptions_.DisplacementColumn;
    reading.ForceColumn = importOptions_.ForceColumn;
    reading.NoiseBand = noiseBandInForce_;
    reading.Direction =
        cbb4->currentIndex() == 1 ? LoopDirection::Negative : LoopDirection::Positive;
    if (ShowsSkeleton() && !skeletonMethodInForce_.empty())
        reading.SkeletonMethod = skeletonMethodInForce_;
    report.Specimen = QFileInfo(PathText(recordPath)).completeBaseName().toStdString();
    report.RecordPath = recordPath;
    report.Settings = ReportSettings(reading, state_, &evaluation);
    report.State = &state_;
    report.Evaluation = &evaluation;
    report.Protocol = &protocol;
    ReportLanguage language;
    language.Chinese = CurrentLanguage() == Language::Chinese;
    language.Translate = [](const std::string& designed) {
        return Translated(QString::fromStdString(designed)).toStdString();
    };
    const QByteArray pdf = RecordReportPdf(report, PaperOfLocale(QLocale::system()), language);
    QString chosen = answer->FileName;
    if (!chosen.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        chosen += QStringLiteral(".pdf");
    const std::string target = QFile::encodeName(chosen).toStdString();
    WriteGuard guard;
    guard.RecordPath = recordPath;
    WriteFileSafely(target, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())),
                    guard);
    RememberDialogFolder(FileKind::Result, chosen);
    ShowStatus(QStringLiteral("Saved the test report to %1.").arg(chosen));
}

}  // namespace qlnx
