#include "gui/main_window/tform1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QUndoStack>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <utility>

#include "core/curve_import.h"
#include "core/errors.h"
#include "core/loop_analysis.h"
#include "core/number_text.h"
#include "core/record_suggestions.h"
#include "core/skeleton.h"
#include "core/text_lines.h"
#include "core/thinning.h"
#include "gui/channels/channel_mapping.h"
#include "gui/channels/record_units.h"
#include "gui/chart/chart_widget.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/dialog_filter.h"
#include "gui/dialogs/dialog_folders.h"
#include "gui/dialogs/donation_box.h"
#include "gui/dialogs/export_option_form.h"
#include "gui/dialogs/help_window.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/error_guard.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"
#include "gui/language/tooltips.h"
#include "gui/main_window/message_bar.h"
#include "gui/main_window/result_file_command.h"
#include "gui/main_window/status_link_field.h"
#include "gui/qt_text.h"
#include "gui/reading_number.h"
#include "spreadsheet/chart_export.h"

#ifndef QLNX_INSTALLED_DATA_DIR
#define QLNX_INSTALLED_DATA_DIR "/usr/share/qlnx"
#endif

#ifndef QLNX_HOME_PAGE
#define QLNX_HOME_PAGE ""
#endif

namespace qlnx {

namespace {

// Design size of the client area (menu bar not included).
constexpr int kClientWidth = 915;
constexpr int kClientHeight = 744;

// Records of every usual ending first (text, workbooks, MATLAB and LabVIEW files), then the
// types the window has always offered. Whatever its name, a file is read by its content.
const char* const kOpenFilter =
    "Test records|*.txt;*.csv;*.dat;*.xlsx;*.xlsm;*.ods;*.xls;*.mat;*.lvm;*.TXT;*.CSV;*.DAT;"
    "*.XLSX;*.XLSM;*.ODS;*.XLS;*.MAT;*.LVM|Text Files|*txt|CSV Files|*csv|All Files|*.*";
const QString kWarningTitle = QStringLiteral("Warning");
const QString kProgressTitle = QStringLiteral("QLNX");

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

}  // namespace

TForm1::TForm1(UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), openUrl_(&QDesktopServices::openUrl) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(
        QStringLiteral("QLNX ") + ProgramVersion() +
        QStringLiteral(" \u2013 hysteresis loops and skeleton curves of cyclic loading tests"));
    undoStack_ = new QUndoStack(this);
    BuildControls();
    BuildMenu();
    BuildProjectCommands();
    BuildHistoryCommand();
    BuildStatusBar();
    UpdateRecentRecordsMenu();
    ApplyWindowToolTips(this);
    ChooseLanguage(StoredLanguage());
    saveDialog_.FilterIndex = 1;
    InitExcelExportOptions(ExcelExportOptions);
    {
        QSettings settings;
        importOptions_ = LoadImportOptions(settings);
    }
    recordSettingsShown_ = BoxSettings();
    LoadExportOptionsSettings(ExcelExportOptions);
    cht1->setDragSeries(nullptr);
    cht1->setCursorActive(false);
    ConnectHandlers();

    // The designed size, made taller where the screen has room for the whole control column,
    // which otherwise scrolls.
    int height = kClientHeight + mm1->sizeHint().height();
    if (auto* column = findChild<QScrollArea*>(QStringLiteral("ControlColumn"))) {
        const int needed = column->widget()->sizeHint().height() + mm1->sizeHint().height() +
                           rzstsbr1->sizeHint().height() + 8;
        height = std::max(height, needed);
    }
    if (const QScreen* s = screen())
        height = std::min(height, s->availableGeometry().height() - 40);
    resize(kClientWidth, height);
    if (const QScreen* s = screen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    ShowState(true);
}

TForm1::~TForm1() {
    // The history is a child of the window: it empties itself after the window's own parts are
    // gone, and its signals must not reach the window then.
    undoStack_->disconnect();
}

void TForm1::Guarded(void (TForm1::*handler)()) {
    RunCommand([this, handler] { (this->*handler)(); });
}

void TForm1::RunCommand(const std::function<void()>& command) {
    // A long command keeps the window painting; a drop or a queued call that arrives meanwhile
    // must not start a second command on the state the first one is working on.
    if (commandRunning_) return;
    commandRunning_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{commandRunning_};
    RunGuarded(dialogs_, this, command);
    NoteWindowChange();
}

void TForm1::ConnectHandlers() {
    const auto onClick = [this](QPushButton* button, void (TForm1::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Guarded(handler); });
    };
    const auto onTrigger = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { Guarded(handler); });
    };
    onClick(btn1, &TForm1::btn1Click);
    onClick(btn9, &TForm1::btn9Click);
    onClick(btn2, &TForm1::btn2Click);
    onClick(btn5, &TForm1::btn5Click);
    onClick(btn6, &TForm1::btn6Click);
    onClick(btn7, &TForm1::btn7Click);
    onClick(btn8, &TForm1::btn8Click);
    onClick(btn3, &TForm1::btn3Click);
    onClick(btn4, &TForm1::btn4Click);
    onTrigger(ImportData1, &TForm1::btn1Click);
    onTrigger(ExportModifiedLoop1, &TForm1::ExportModifiedLoop1Click);
    onTrigger(ExportResults1, &TForm1::ExportResults1Click);
    onTrigger(ExportSkeleton1, &TForm1::ExportSkeleton1Click);
    onTrigger(TestReport1, &TForm1::TestReport1Click);
    onTrigger(ExportDraw12Excel1, &TForm1::ExportDraw12Excel1Click);
    onTrigger(ExcelExportOptions1, &TForm1::ExcelExportOptions1Click);
    onTrigger(ImportOptions1, &TForm1::ImportOptions1Click);
    onTrigger(mniAbout1, &TForm1::mniAbout1Click);
    onTrigger(mniDonation1, &TForm1::mniDonation1Click);
    onTrigger(Howtouse1, &TForm1::Howtouse1Click);
    onTrigger(mniWebsite1, &TForm1::mniWebsite1Click);
    connect(rzfldsts2, &StatusLinkField::clicked, this,
            [this] { Guarded(&TForm1::rzfldsts2Click); });
    // "activated" fires on a choice by the user only, never when the window fills the list.
    connect(cbb1, &QComboBox::activated, this, [this] { Guarded(&TForm1::cbb1Change); });
    connect(cbb3, &QComboBox::activated, this, [this] { Guarded(&TForm1::cbb3Change); });
    connect(cbb2, &QComboBox::activated, this, [this] { Guarded(&TForm1::cbb2Change); });
    connect(cht1, &ChartWidget::chartDoubleClicked, this,
            [this] { Guarded(&TForm1::cht1DblClick); });
    connect(cht1, &ChartWidget::chartMouseMoved, this, &TForm1::cht1MouseMove);
    connect(cht1, &ChartWidget::legendClicked, this, [this] { Guarded(&TForm1::cht1ClickLegend); });

    // Menu keys and desktop conveniences.
    onTrigger(ReImport1, &TForm1::btn9Click);
    onTrigger(AnalyzeLoop1, &TForm1::btn2Click);
    onTrigger(ExtractSkeleton1, &TForm1::btn5Click);
    onTrigger(TestEvaluation1, &TForm1::TestEvaluation1Click);
    onTrigger(CalibrateModel1, &TForm1::CalibrateModel1Click);
    onTrigger(Undo1, &TForm1::Undo1Click);
    onTrigger(NewProject1, &TForm1::NewProject1Click);
    onTrigger(OpenProject1, &TForm1::OpenProject1Click);
    onTrigger(SaveProject1, &TForm1::SaveProject1Click);
    onTrigger(SaveProjectAs1, &TForm1::SaveProjectAs1Click);
    onTrigger(Redo1, &TForm1::Redo1Click);
    connect(undoStack_, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::undoTextChanged, this, [this](const QString& text) {
        SetDesignedText(Undo1,
                        text.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + text);
    });
    connect(undoStack_, &QUndoStack::redoTextChanged, this, [this](const QString& text) {
        SetDesignedText(Redo1,
                        text.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + text);
    });
    connect(cht1, &ChartWidget::dragStarted, this, &TForm1::DragStarted);
    connect(cht1, &ChartWidget::dragFinished, this, &TForm1::DragFinished);
    connect(cht1, &ChartWidget::saveImageRequested, this,
            [this] { Guarded(&TForm1::SaveChartImage1Click); });
    connect(cht1, &ChartWidget::chartMouseMoved, this, &TForm1::ShowMouseReadout);
    connect(cht1, &ChartWidget::chartMouseLeft, this, &TForm1::ClearMouseReadout);
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(this);
    setAcceptDrops(true);
}

void TForm1::ShowStatus(const QString& text) {
    SetDesignedText(rzfldsts3, text);
    SetDesignedToolTip(rzfldsts3, text);
}

void TForm1::ShowState(bool refit) {
    edt5->setText(PathText(state_.FileNameText));
    edt6->setText(QString::fromStdString(state_.LoopCountText));
    // The first per-loop columns have a box each; any further column is shown by the result
    // file and the batch tool only.
    ShowReadouts();
    if (cbb1->count() != state_.LoopCount) {
        QStringList items;
        items.reserve(state_.LoopCount);
        for (int k = 0; k < state_.LoopCount; ++k) items << QString::fromStdString(LoopItemText(k));
        cbb1->clear();
        cbb1->addItems(items);
        if (CurrentLanguage() != Language::AsDesigned) RetranslateTree(cbb1);
    }
    cbb1->setCurrentIndex(state_.SelectedLoop);
    cht1->refresh();
    if (refit) cht1->rescaleToData();
}

// --- Import -------------------------------------------------------------------------------

namespace {

// The line message of a reading that failed on a column chosen in Import Options past the end
// of the row, naming where the columns are set; nullopt for any other failure and for the
// first two columns, which every record is read with unless told otherwise.
std::optional<QString> ColumnsPastTheEnd(const ImportResult& result, const ImportOptions& options) {
    if (result.Failure != ImportFailure::MissingField || options.Channels) return std::nullopt;
    if (options.DisplacementColumn == 1 && options.ForceColumn == 2) return std::nullopt;
    const int64_t missing = result.Position + 1;
    if (missing != options.DisplacementColumn && missing != options.ForceColumn) {
        return std::nullopt;
    }
    return QStringLiteral(
               "Line %1 has no field %2: Import Options reads the displacement from column %3 "
               "and the force from column %4.")
        .arg(result.Line)
        .arg(missing)
        .arg(options.DisplacementColumn)
        .arg(options.ForceColumn);
}

}  // namespace

void TForm1::btn1Click() { ImportLoop(); }

void TForm1::btn9Click() { ReImportLoop(); }

std::optional<ImportParameters> TForm1::ReadImportBoxes() {
    // A step that is no integer throws to the error report; nothing has changed yet.
    const ImportCheck check =
        CheckImportParameters(edt7->text().toStdString(), edt8->text().toStdString());
    if (!check.Parameters) {
        dialogs_.warning(this, kWarningTitle, QString::fromStdString(check.Warning));
        if (check.FocusTo == ImportCheck::Focus::FirstLine) edt7->setFocus();
        if (check.FocusTo == ImportCheck::Focus::Step) edt8->setFocus();
        return std::nullopt;
    }
    ImportParameters parameters = *check.Parameters;
    parameters.LastLine = lastLine_;
    return parameters;
}

void TForm1::ImportLoop() {
    const std::optional<ImportParameters> parameters = ReadImportBoxes();
    if (!parameters) return;
    OpenFileRequest request;
    request.Title = QStringLiteral("Open");
    request.Filter = QtFileFilter(QString::fromLatin1(kOpenFilter));
    request.InitialFolder = DialogFolder(FileKind::Record, PathText(state_.FileNameText));
    const std::optional<QString> path = dialogs_.openFile(this, request);
    if (!path) return;
    RememberDialogFolder(FileKind::Record, *path);
    PutSettingsOfRecord(*path);
    ImportWithParameters(*path);
}

void TForm1::RecentRecordClick(const RecentRecord& record) {
    const QString& path = record.Path;
    if (IsProjectPath(path) && QFileInfo(path).isFile()) {
        if (KeepProjectChanges()) OpenProjectFrom(path);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        ForgetRecentRecord(path);
        UpdateRecentRecordsMenu();
        messageBar_->ShowMessage(
            QStringLiteral("%1 no longer exists; it was taken off the recent records.").arg(path));
        return;
    }
    // Read and analysed as last time; an entry of a record whose settings were never stored
    // keeps its first line and step, the rest the defaults.
    std::optional<RecordSettings> stored = StoredRecordSettings(path);
    if (!stored) {
        stored.emplace();
        if (!record.FirstLine.isEmpty()) stored->FirstLine = record.FirstLine;
        if (!record.Step.isEmpty()) stored->Step = record.Step;
    }
    PutBoxSettings(*stored);
    nextSheet_ = record.Sheet.toStdString();
    nextVariable_ = record.Variable.toStdString();
    ImportWithParameters(path);
    nextSheet_.clear();
    nextVariable_.clear();
}

void TForm1::UpdateRecentRecordsMenu() {
    RecentRecords1->clear();
    const std::vector<RecentRecord> records = RecentRecords();
    int number = 0;
    for (const RecentRecord& r : records) {
        ++number;
        QString part;
        if (!r.Sheet.isEmpty()) part = QStringLiteral("sheet %1, ").arg(r.Sheet);
        if (!r.Variable.isEmpty()) part = QStringLiteral("variable %1, ").arg(r.Variable);
        const QString caption =
            IsProjectPath(r.Path)
                ? QStringLiteral("&%1 %2  (project)")
                      .arg(number % 10)
                      .arg(QFileInfo(r.Path).fileName())
                : QStringLiteral("&%1 %2  (%3first line %4, step %5)")
                      .arg(number % 10)
                      .arg(QFileInfo(r.Path).fileName(), part, r.FirstLine, r.Step);
        QAction* action = RecentRecords1->addAction(caption);
        SetDesignedText(action, caption);
        action->setObjectName(QStringLiteral("RecentRecord%1").arg(number));
        action->setToolTip(r.Path);
        connect(action, &QAction::triggered, this,
                [this, r] { RunCommand([this, r] { RecentRecordClick(r); }); });
    }
    RecentRecords1->setEnabled(!records.empty());
}

void TForm1::ReImportLoop() {
    const std::string name = std::string(TrimControl(PathBytes(edt5->text())));
    if (name.empty()) return;
    const std::optional<ImportParameters> parameters = ReadImportBoxes();
    if (!parameters) return;
    ImportFrom(name, *parameters);
}

void TForm1::OpenCurveFile(const QString& path) {
    // A project named on the command line opens as a project.
    if (IsProjectPath(path)) {
        OpenProjectFile(path);
        return;
    }
    // The file-name box shows full paths, as the open dialog gives them.
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    RunCommand([this, &fullPath] {
        // Boxes the window refuses refuse the file before any setting is put, as in the
        // open dialog.
        if (!ReadImportBoxes()) return;
        PutSettingsOfRecord(fullPath);
        ImportWithParameters(fullPath);
    });
}

void TForm1::SetImportBoxes(const std::optional<QString>& firstLine,
                            const std::optional<QString>& step) {
    if (firstLine) edt7->setText(*firstLine);
    if (step) edt8->setText(*step);
}

void TForm1::SetNoiseBandBox(const QString& text) { edtNoiseBand->setText(text); }

void TForm1::ImportWithParameters(const QString& path) {
    const std::optional<ImportParameters> parameters = ReadImportBoxes();
    if (!parameters) return;
    ImportFrom(PathBytes(path), *parameters);
}

void TForm1::ImportFrom(const std::string& path, const ImportParameters& boxes) {
    // The sheet or variable: the one Recent Records asks for, else the one the record in view
    // was read with when it is read again.
    ImportParameters parameters = boxes;
    const bool again = path == state_.FileNameText;
    parameters.Sheet = !nextSheet_.empty() ? nextSheet_ : again ? recordSheet_ : std::string();
    parameters.Variable = !nextVariable_.empty() ? nextVariable_
                          : again                ? recordVariable_
                                                 : std::string();
    const SkeletonPoints edited = TakeSkeletonBeforeReplacing();
    // The record of the specimen shown keeps the specimen's mapping (as the project holds it
    // or as Import Options changed it); any other gets the one remembered for its header.
    const bool specimenRecord =
        project_.Current() >= 0 && project_.At(project_.Current()).RecordPath == path;
    if (!specimenRecord) {
        importOptions_.Channels = MappingForImport(path, state_.FileNameText, parameters.FirstLine,
                                                   importOptions_.Decimal, importOptions_.Channels);
    }
    readWith_ = parameters;
    ImportResult result;
    {
        // A record of millions of rows takes a while; Cancel leaves the state of a file that
        // cannot be read. The box closes before any warning is shown.
        const QString name = QFileInfo(PathText(path)).fileName();
        const std::unique_ptr<ProgressReport> progress =
            dialogs_.progress(this, kProgressTitle, QStringLiteral("Reading %1").arg(name));
        result = ImportCurveFile(state_, path, WithOptions(parameters, importOptions_),
                                 [&progress](double done) { return progress->Update(done); });
    }
    StartEditHistory(edited);
    messageBar_->Dismiss();
    ShowState(true);
    ShowRecordUnits();
    ShowHowTheFileWasRead(path, parameters.FirstLine, result);
    NoteReplacedEdits();
    // Settings that did not read the record are not kept for it.
    recordReadWith_.reset();
    if (result.Ok() && !state_.FileNameText.empty()) recordReadWith_ = BoxSettings();
    if (!state_.FileNameText.empty()) {
        // The sheet read (the workbook's metadata names it), the variable asked for.
        recordSheet_.clear();
        for (const auto& [key, value] : state_.Channels.Metadata) {
            if (key == "Sheet") recordSheet_ = value;
        }
        recordVariable_ = result.Ok() ? parameters.Variable : std::string();
        RememberRecentRecord({PathText(state_.FileNameText), edt7->text(), edt8->text(),
                              QString::fromStdString(recordSheet_),
                              QString::fromStdString(recordVariable_)});
        UpdateRecentRecordsMenu();
        RememberRecordSettings();
    }
    // A header line gets its remedy with Apply; any other failure its line.
    if (const auto suggestion = result.HeaderSuggestion()) {
        const QString first = QString::number(*result.SuggestedFirstLine);
        messageBar_->ShowMessage(QString::fromStdString(*suggestion), [this, first] {
            RunCommand([this, first] {
                edt7->setText(first);
                ReImportLoop();
            });
        });
    } else if (const auto misfit = ColumnsPastTheEnd(result, importOptions_)) {
        // Columns chosen for another record: the bar says where they are set and opens it.
        messageBar_->ShowMessage(*misfit, QStringLiteral("Import Options\u2026"),
                                 [this] { RunCommand([this] { ImportOptions1Click(); }); });
    } else if (const auto line = result.LineMessage()) {
        messageBar_->ShowMessage(QString::fromStdString(*line));
    }
    if (const auto warning = result.Warning()) {
        dialogs_.warning(this, kWarningTitle, QString::fromStdString(*warning));
    }
}

void TForm1::ShowHowTheFileWasRead(const std::string& path, int64_t firstLine,
                                   const ImportResult& result) {
    if (state_.FileNameText.empty()) {
        rzfldsts3->clear();
        return;
    }
    QString text = QStringLiteral("%1 rows").arg(state_.RawDisp.size());
    if (result.Format)
        text += QStringLiteral("; ") + QString::fromStdString(DescribeRowFormat(*result.Format));
    text += RecordUnitsText(state_.Channels);
    // A first line below the data's start leaves rows unread without any failure.
    if (result.NumericLinesSkipped == 1) {
        text += QStringLiteral("; 1 numeric line above line %1 was not read").arg(firstLine);
    } else if (result.NumericLinesSkipped > 1) {
        text += QStringLiteral("; %1 numeric lines above line %2 were not read")
                    .arg(result.NumericLinesSkipped)
                    .arg(firstLine);
    }
    SetDesignedText(rzfldsts3, text);
    SetDesignedToolTip(rzfldsts3,
                       QFileInfo(PathText(path)).fileName() + QStringLiteral(": ") + text);
}

void TForm1::ImportOptions1Click() {
    // The preview shows the record imported last, from the lines the boxes name.
    std::string text;
    const std::string name = std::string(TrimControl(PathBytes(edt5->text())));
    if (!name.empty()) {
        try {
            text = ReadTextFile(name);
        } catch (const FileError&) {
            text.clear();
        }
    }
    ImportParameters lines;
    try {
        if (const auto checked =
                CheckImportParameters(edt7->text().toStdString(), edt8->text().toStdString())
                    .Parameters) {
            lines = *checked;
        }
    } catch (const ConversionError&) {
        // A step that is no integer: the preview reads from the boxes' defaults.
    }
    TImportOptionForm dialog(importOptions_, std::move(text), lines, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const ImportOptions before = importOptions_;
    importOptions_ = dialog.Options();
    QSettings settings;
    SaveImportOptions(settings, importOptions_);
    // The channels are remembered for the file's layout and applied to the record at once.
    if (const std::optional<ChannelLayout>& layout = dialog.ChannelLayoutShown()) {
        if (importOptions_.Channels) {
            SaveChannelMapping(settings, LayoutKey(*layout), *importOptions_.Channels);
        } else {
            ForgetChannelMapping(settings, LayoutKey(*layout));
        }
    }
    // The record shown is read again with options that changed, or when its last reading
    // failed; the reading keeps them for the record.
    if (importOptions_ != before || !recordReadWith_) ReImportLoop();
}

// --- Loop analysis ------------------------------------------------------------------------

void TForm1::btn2Click() {
    const NoiseBandCheck band = CheckNoiseBand(edtNoiseBand->text().toStdString());
    if (!band.Band) {
        dialogs_.warning(this, kWarningTitle, QString::fromStdString(band.Warning));
        edtNoiseBand->setFocus();
        return;
    }
    const SkeletonPoints edited = TakeSkeletonBeforeReplacing();
    const std::optional<std::string> warning = AnalyzeLoops(state_, *band.Band);
    StartEditHistory(edited);
    noiseBandInForce_ = *band.Band;
    RememberRecordSettings();
    ShowState(true);
    messageBar_->Dismiss();
    if (warning) {
        ShowStatus(QString());
        dialogs_.warning(this, kWarningTitle, QString::fromStdString(*warning));
        return;
    }
    QString status = QStringLiteral("%1 loops found").arg(state_.LoopCount);
    if (noiseBandInForce_ > 0) {
        status += QStringLiteral(" with a noise band of ") +
                  QString::fromStdString(FormatSignificant(noiseBandInForce_, kReadoutDigits));
    }
    ShowStatus(status + QLatin1Char('.'));
    NoteReplacedEdits();
    SuggestAfterAnalysis();
}

void TForm1::RunAnalysis() { Guarded(&TForm1::btn2Click); }

void TForm1::cbb1Change() {
    state_.SelectedLoop = cbb1->currentIndex();
    ShowLoop(state_);
    ShowState(false);
}

// --- Skeleton curve ---------------------------------------------------------------------------

void TForm1::btn5Click() {
    size_t checked = 0;
    while (checked < rbMethods.size() && !rbMethods[checked]->isChecked()) ++checked;
    if (checked == rbMethods.size()) return;
    const SkeletonMethod method = SkeletonMethods()[checked].Method;
    const LoopDirection direction =
        cbb4->currentIndex() == 0 ? LoopDirection::Positive : LoopDirection::Negative;
    const SkeletonPoints edited = TakeSkeletonBeforeReplacing();
    ExtractSkeleton(state_, method, direction, chk1->isChecked());
    // The evaluation's files name the method as the batch tool does, in every language.
    skeletonMethodInForce_ = ExtractionName(method, direction, chk1->isChecked());
    RememberRecordSettings();
    StartEditHistory(edited);
    cht1->refresh();
    ShowStatus(
        QStringLiteral("Skeleton curve: %1 points on the positive branch, %2 on the negative.")
            .arg(state_.PositiveSkeletonSeries().Count())
            .arg(state_.NegativeSkeletonSeries().Count()));
    NoteReplacedEdits();
    SuggestLoopDirection();
}

void TForm1::btn6Click() {
    // A box that does not convert throws before either curve changes.
    SkeletonPoints before = TakeSkeletonPoints(state_);
    ThinSkeletonCurves(state_, edt9->text().toStdString(), edt10->text().toStdString(),
                       edt11->text().toStdString());
    const auto removed = [](size_t was, int now) { return static_cast<long long>(was) - now; };
    const long long positive =
        removed(before.PositiveX.size(), state_.PositiveSkeletonSeries().Count());
    const long long negative =
        removed(before.NegativeX.size(), state_.NegativeSkeletonSeries().Count());
    const SkeletonPoints after = TakeSkeletonPoints(state_);
    const bool positivePeak = ThinningRemovedPeak({before.PositiveX, before.PositiveY},
                                                  {after.PositiveX, after.PositiveY}, true);
    const bool negativePeak = ThinningRemovedPeak({before.NegativeX, before.NegativeY},
                                                  {after.NegativeX, after.NegativeY}, false);
    PushSkeletonEdit(QStringLiteral("thinning"), std::move(before));
    // The evaluation reads the branch's peak from its nodes: losing it moves the peak.
    QString status = QStringLiteral("Thinning removed %1 points (%2 positive, %3 negative).");
    if (positivePeak && negativePeak) {
        status = QStringLiteral(
            "Thinning removed %1 points (%2 positive, %3 negative), the "
            "peak points of both branches among them.");
    } else if (positivePeak || negativePeak) {
        status = positivePeak ? QStringLiteral(
                                    "Thinning removed %1 points (%2 positive, %3 "
                                    "negative), the positive branch's peak point "
                                    "among them.")
                              : QStringLiteral(
                                    "Thinning removed %1 points (%2 positive, %3 "
                                    "negative), the negative branch's peak point "
                                    "among them.");
    }
    ShowStatus(status.arg(positive + negative).arg(positive).arg(negative));
    cht1->refresh();
}

// --- Result files and the workbook ------------------------------------------------------------

void TForm1::btn7Click() { ExportResults1Click(); }

QString TForm1::SaveResult(ResultFileKind kind) {
    saveDialog_.InitialFolder = DialogFolder(FileKind::Result, PathText(state_.FileNameText));
    const QString written = SaveResultFile(this, dialogs_, state_, kind, saveDialog_);
    RememberDialogFolder(FileKind::Result, written);
    return written;
}

void TForm1::ExportModifiedLoop1Click() {
    const QString written = SaveResult(ResultFileKind::ModifiedLoop);
    if (!written.isEmpty())
        ShowStatus(QStringLiteral("Saved the working curve to %1.").arg(written));
}

void TForm1::ExportResults1Click() {
    const QString written = SaveResult(ResultFileKind::AnalysisResults);
    if (!written.isEmpty())
        ShowStatus(QStringLiteral("Saved the loop extremes to %1.").arg(written));
}

void TForm1::ExportSkeleton1Click() {
    if (!ShowsSkeleton()) {
        messageBar_->ShowMessage(
            QStringLiteral("There is no skeleton curve to save: extract it first."));
        return;
    }
    const QString written = SaveResult(ResultFileKind::Skeleton);
    if (!written.isEmpty())
        ShowStatus(QStringLiteral("Saved the skeleton curve to %1.").arg(written));
}

void TForm1::btn8Click() { ExportDraw12Excel1Click(); }

void TForm1::ExportDraw12Excel1Click() {
    SpreadsheetUi ui;
    ui.Information = [this](const std::string& caption, const std::string& text) {
        dialogs_.information(this, QString::fromStdString(caption), QString::fromStdString(text));
    };
    ui.Warning = [this](const std::string& caption, const std::string& text) {
        dialogs_.warning(this, QString::fromStdString(caption), QString::fromStdString(text));
    };
    ui.OpenDocument = [this](const std::filesystem::path& file) {
        ShowStatus(QStringLiteral("Workbook written to %1.").arg(PathText(file.string())));
        return openUrl_(QUrl::fromLocalFile(PathText(file.string())));
    };
    // Cancel ends the export with what was sent or written so far, which is then opened.
    // The application object keeps ui until the next export: it must not keep the box.
    const std::shared_ptr<ProgressReport> progress = dialogs_.progress(
        this, kProgressTitle, QStringLiteral("Exporting the chart to a workbook"));
    ui.Progress = [box = std::weak_ptr<ProgressReport>(progress)](double done) {
        const std::shared_ptr<ProgressReport> report = box.lock();
        return !report || report->Update(done);
    };
    // The chart's axis titles in the workbook carry the record's units when they are known.
    // The options keep the workbook application between exports: the titles are set on them
    // for this export only.
    const std::string x = ExcelExportOptions.XAxisTitle;
    const std::string y = ExcelExportOptions.YAxisTitle;
    const ChartAxisTitles titles = UnitAxisTitles();
    if (x == ChartModel::kXAxisTitle) ExcelExportOptions.XAxisTitle = titles.x.toStdString();
    if (y == ChartModel::kYAxisTitle) ExcelExportOptions.YAxisTitle = titles.y.toStdString();
    try {
        ExportChartToExcel(ExcelExportOptions, state_.Chart, ui);
    } catch (...) {
        ExcelExportOptions.XAxisTitle = x;
        ExcelExportOptions.YAxisTitle = y;
        throw;
    }
    ExcelExportOptions.XAxisTitle = x;
    ExcelExportOptions.YAxisTitle = y;
}

void TForm1::ExcelExportOptions1Click() {
    ShowExportOptionsDialog(
        ExcelExportOptions, this,
        [this](const std::string& message) { ShowErrorReport(dialogs_, this, message); },
        // The chart's designed axis titles (with the record's units), whatever language the
        // window shows them in: the workbook is the same in every language.
        UnitAxisTitles());
}

// --- About, donation, help and web site -----------------------------------------------------

void TForm1::btn3Click() { mniAbout1Click(); }

void TForm1::btn4Click() { mniDonation1Click(); }

void TForm1::mniAbout1Click() {
    TAboutBox box(this);
    box.exec();
}

void TForm1::mniDonation1Click() {
    TDonationBox box(this);
    box.exec();
}

QUrl TForm1::HelpPageUrl() const {
    // The guide in the language in force.
    const QString file = QLatin1Char('/') + HelpWindow::GuideFile(CurrentLanguage());
    const QString beside = (guideFolder_.isEmpty() ? ProgramFolder() : guideFolder_) + file;
    if (QFileInfo::exists(beside)) return QUrl::fromLocalFile(beside);
    return QUrl::fromLocalFile(QStringLiteral(QLNX_INSTALLED_DATA_DIR) + file);
}

QUrl TForm1::HomePageUrl() const {
    const QString home = QStringLiteral(QLNX_HOME_PAGE);
    return home.isEmpty() ? HelpPageUrl() : QUrl(home);
}

void TForm1::OpenAddress(const QUrl& url) {
    if (!openUrl_(url)) {
        dialogs_.warning(this, kWarningTitle,
                         QStringLiteral("Cannot open %1.").arg(url.toDisplayString()));
    }
}

void TForm1::Howtouse1Click() {
    // The guide built into the program, in a window of its own beside the main window.
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(
            [this](const QUrl& url) {
                OpenAddress(url);
                return true;
            },
            this);
    }
    helpWindow_->FollowLanguage();
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void TForm1::mniWebsite1Click() { OpenAddress(HomePageUrl()); }

void TForm1::rzfldsts2Click() { OpenAddress(HomePageUrl()); }

}  // namespace qlnx
