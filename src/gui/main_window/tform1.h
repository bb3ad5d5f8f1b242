// The main window: the controls of the analysis, the chart, the menu and the status bar, with
// one handler per command; each handler reads its controls, runs one core operation and shows
// the result.
#pragma once

#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "core/curve_import.h"
#include "core/edit_undo.h"
#include "gui/dialogs/dialog_folders.h"
#include "gui/dialogs/import_option_form.h"
#include "gui/language/language.h"
#include "gui/main_window/record_settings.h"
#include "gui/main_window/result_file_command.h"
#include "gui/project/project_session.h"
#include "spreadsheet/excel_export_options.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QUndoStack;
class QUrl;

namespace qlnx {

// A name ending in .qlnx: a project, opened as one.
bool IsProjectPath(const QString& path);

class ChartWidget;
class CalibrationWindow;
struct ChartAxisTitles;
class EvaluationWindow;
class SeriesWindow;
class SpecimensPanel;
class HelpWindow;
class LoadingHistoryView;
class MessageBar;
class StatusLinkField;
class UserDialogs;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window with its defaults; every modal dialog goes through dialogs.
    explicit TForm1(UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The analysis state the window shows (read-only for callers).
    const AnalysisState& State() const { return state_; }

    // Imports path with the first-line and step boxes as they are, as "Import Loop" does when
    // the open dialog returns path (used for a file named on the command line). Runs inside
    // the error guard.
    void OpenCurveFile(const QString& path);
    // The spreadsheet export settings, edited by Options > Excel Export Options.
    TExcelExportOptions ExcelExportOptions;
    // The import options (decimal separator, columns), edited by Options > Import Options…
    // and remembered in the settings.
    const ImportOptions& CurrentImportOptions() const { return importOptions_; }

    // Sets the texts of the first-line box (edt7) and the step box (edt8) where given.
    void SetImportBoxes(const std::optional<QString>& firstLine,
                        const std::optional<QString>& step);
    // Sets the text of the Noise Band box.
    void SetNoiseBandBox(const QString& text);
    // Runs "Analyze Loop" inside the error guard.
    void RunAnalysis();

    // Replaces how web addresses and the user guide are opened (default: QDesktopServices).
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }
    // The address the web-site commands open: the configured home page, else the user guide.
    QUrl HomePageUrl() const;
    // The user guide beside the executable, else the installed one.
    QUrl HelpPageUrl() const;
    // Replaces the folder searched for the guide beside the executable (default: the
    // executable's folder), so that a test can put a guide there without writing beside it.
    void setGuideFolder(const QString& folder) { guideFolder_ = folder; }

public slots:
    void btn1Click();
    void btn9Click();
    void btn2Click();
    void cbb1Change();
    void btn5Click();
    void btn6Click();
    void btn7Click();
    void btn8Click();
    void ExportDraw12Excel1Click();
    void ExportModifiedLoop1Click();
    void ExportResults1Click();
    void ExportSkeleton1Click();
    void ExcelExportOptions1Click();
    void ImportOptions1Click();
    void btn3Click();
    void btn4Click();
    void mniAbout1Click();
    void mniDonation1Click();
    void Howtouse1Click();
    void mniWebsite1Click();
    void rzfldsts2Click();
    void cbb3Change();
    void cbb2Change();
    void cht1DblClick();
    void cht1MouseMove(int x, int y);
    void cht1ClickLegend();

    // Analysis > Test Evaluation (tform1_evaluation.cpp): opens the evaluation window.
    void TestEvaluation1Click();
    // The evaluation window, once opened (nullptr before).
    EvaluationWindow* Evaluation() const { return evaluationWindow_; }
    // Analysis > Calibrate Model (tform1_calibration.cpp): opens the calibration window.
    void CalibrateModel1Click();
    void TestReport1Click();
    CalibrationWindow* Calibration() const { return calibrationWindow_; }

    // View > Loading History (tform1_history.cpp): the record's displacement against time in a
    // panel under the chart; a cycle clicked there is chosen in the Loop No. box, a range
    // dragged there is read again (first-line box and last line) and analysed.
    void LoadingHistory1Click();
    LoadingHistoryView* History() const { return historyView_; }

    // Edit > Undo and Redo of the chart edits (tform1_editing.cpp).
    void Undo1Click();
    void Redo1Click();

    // File > New / Open / Save / Save As Project and the specimens panel (tform1_project.cpp).
    void NewProject1Click();
    void OpenProject1Click();
    void SaveProject1Click();
    void SaveProjectAs1Click();
    // The specimens panel's Add: the record in the window, as it stands, joins the project.
    void AddSpecimen1Click();
    // Opens a project as File > Open Project does when the dialog returns path.
    void OpenProjectFile(const QString& path);
    // The project open in the window.
    const ProjectSession& CurrentProject() const { return project_; }
    // Analysis > Compare Specimens (tform1_series.cpp): the project's specimens evaluated as
    // stored and compared in the series window.
    void CompareSpecimens1Click();
    // The series window, once opened (nullptr before).
    SeriesWindow* Series() const { return seriesWindow_; }

    // Desktop conveniences (tform1_desktop.cpp): chart image, status read-out, file drop.
    void SaveChartImage1Click();
    void ShowMouseReadout(int x, int y);
    void ClearMouseReadout();

protected:
    // A record file dropped on the window is imported with the boxes as they are.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Lets the menu's keys reach their commands while an edit box has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing with unsaved changes to the project asks whether to save them.
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout (tform1_layout.cpp).
    void BuildControls();
    void BuildMenu();
    void BuildStatusBar();
    // View > Language (tform1_language.cpp): the language of every text, remembered.
    void BuildViewMenu();
    void ChooseLanguage(Language language);
    void ConnectHandlers();
    // Runs a handler inside the error guard, unless another command is still running.
    void Guarded(void (TForm1::*handler)());
    void RunCommand(const std::function<void()>& command);

    // The loading history's command and what it needs from the window (tform1_history.cpp).
    void BuildHistoryCommand();
    // Samples first..last (0-based) of the record shown become its range of lines: the first
    // line in the first-line box, the last line beside it; the record is read again and, when
    // it was analysed, analysed again.
    void ChooseRecordRange(size_t first, size_t last);
    // Back to the whole record: the first line from before the range was chosen, no last line.
    void ReadWholeRecord();
    // Reads the record again with the boxes and the last line, analysing it when it was.
    void ReadRangeAgain();

    // Operations.
    void ImportLoop();
    void ReImportLoop();
    void ImportWithParameters(const QString& path);
    // Reads the first-line and step boxes; on a refusal shows the warning, moves the focus
    // and returns nullopt.
    std::optional<ImportParameters> ReadImportBoxes();
    // Imports path (file-system bytes) with the import options and shows the result: the
    // warning, the line and the header suggestion in the message bar, and in the status area
    // how the file was read.
    void ImportFrom(const std::string& path, const ImportParameters& parameters);
    void ShowHowTheFileWasRead(const std::string& path, int64_t firstLine,
                               const ImportResult& result);
    // The record's units in the chart's axis titles and the read-outs' labels
    // (tform1_channels.cpp).
    void ShowRecordUnits();
    // The chart's designed axis titles with the record's units, as the workbook takes them.
    ChartAxisTitles UnitAxisTitles() const;
    void OpenAddress(const QUrl& url);
    // Brings the drag tool, its write-back and the loop series' markers in line with the
    // operation type and its target series.
    void ApplyEditMode(int mode, ChartSeries* target);
    // The drag tool's on-drag handler: writes the dragged loop point into the imported curve.
    void LoopPointDragged(int index);
    // The undo history: emptied by an import, an analysis and an extraction, which replace
    // the curves that edits change; a drag becomes one step when the mouse lets go. When the
    // command replaced a skeleton curve that had been edited (edited, as taken before the
    // command), that replacement stays one undoable step and the status line says so.
    void StartEditHistory(const SkeletonPoints& edited);
    // The skeleton branches now, and whether edits made them differ from what the last
    // import, analysis or extraction left.
    SkeletonPoints TakeSkeletonBeforeReplacing() const;
    void NoteReplacedEdits();
    void PushSkeletonEdit(const QString& what, SkeletonPoints before);
    void DragStarted(int index);
    void DragFinished(int index);

    // Suggestions in the message bar (tform1_suggestions.cpp): after an analysis, a noise
    // band when most loops are dither, else the loop direction that fits the record; after an
    // extraction, the loop direction.
    void SuggestAfterAnalysis();
    void SuggestLoopDirection();
    bool ShowsSkeleton() const;

    // Projects (tform1_project.cpp): the menu's commands and the panel; the shown specimen
    // taken from the window and put into it; the title with its unsaved-changes mark.
    void BuildProjectCommands();
    void BuildSeriesCommands();
    void OpenProjectFrom(const QString& path);
    bool FindRecord(Specimen& specimen, bool& changed);
    void SaveProjectTo(const std::string& path);
    void CaptureSpecimen(Specimen& specimen) const;
    // The import options' channel mapping into the specimen, with the header it is made for.
    void CaptureChannelMapping(Specimen& specimen) const;
    bool ShowsCurrentSpecimen();
    void StoreShownSpecimen();
    void ShowSpecimen(int index);
    void ShowProject();
    void NoteWindowChange();
    // Asks to save a changed project; false when it stays unsaved after a Yes.
    bool KeepProjectChanges();

    // Recent records (File menu): the entries from the settings; a chosen one is imported with
    // the first line and step it was read with, a missing one taken off with a message.
    void UpdateRecentRecordsMenu();
    void RecentRecordClick(const RecentRecord& record);
    // Per-record settings (tform1_record_settings.cpp). The boxes' first line, step, noise
    // band and direction and the import columns and decimal, as they stand.
    RecordSettings BoxSettings() const;
    void PutBoxSettings(const RecordSettings& settings);
    // Before another record than the current one is read: each setting still as it was put or
    // used for the last record becomes the one stored for path (the default for a record never
    // opened); a setting the user changed since stays for the record about to be read.
    void PutSettingsOfRecord(const QString& path);
    // Stores the settings in the boxes as the current record's, with the first line, step and
    // import options it was read with; nothing for a record not read whole.
    void RememberRecordSettings();
    // A result file of kind through the save dialog, opened in the results' folder; the
    // path written, or empty.
    QString SaveResult(ResultFileKind kind);
    // A short line in the status bar saying what the last command did.
    void ShowStatus(const QString& text);

    // Copies the boxes that mirror the analysis state (file name, loop count, loop read-outs,
    // Loop No. items and selection) and redraws the chart; refit rescales the axes to the data.
    void ShowState(bool refit);
    // The chosen loop's read-outs (edt1..edt4) in fixed notation where it fits the boxes, with
    // every digit in their tooltips; again whenever a box changes its width.
    void ShowReadouts();

    UserDialogs& dialogs_;
    AnalysisState state_;
    ImportOptions importOptions_;
    // The import's last line (0: to the end of the record), read with the first-line box
    // (edt7) and the step box (edt8) into the import's parameters; the loading history's range
    // sets it with the first line.
    int32_t lastLine_ = 0;
    // The first-line box as it was before a range was chosen (Whole Record puts it back), and
    // the parameters the record shown was read with.
    std::optional<QString> wholeFirstLine_;
    ImportParameters readWith_;
    // The sheet or variable the next import reads (set by Recent Records; empty: the first
    // sheet with numbers, every numeric variable), and the ones the record in view was read
    // with, for reading it again.
    std::string nextSheet_, nextVariable_;
    std::string recordSheet_, recordVariable_;
    // The settings last put in the boxes for a record or used with it.
    RecordSettings recordSettingsShown_;
    // The settings the current record was read with; empty when its reading failed.
    std::optional<RecordSettings> recordReadWith_;
    std::function<bool(const QUrl&)> openUrl_;
    QString guideFolder_;          // empty: the executable's folder
    bool commandRunning_ = false;  // a command handler is on the stack
    double noiseBandInForce_ = 0;  // the noise band of the last analysis
    // Chart editing: operation type (index of cbb3), target series (none at start) and the
    // last mouse position over the chart, in the chart's pixels.
    int EditMode = 0;
    ChartSeries* EditSeries = nullptr;
    int LastMouseX = 0;
    int LastMouseY = 0;
    QUndoStack* undoStack_ = nullptr;
    // What a running drag started from: the skeleton branches, or the loop point and its sample.
    struct DragStart {
        ChartSeries* Series = nullptr;
        SkeletonPoints Skeleton;
        LoopPointMove Move;
    };
    std::optional<DragStart> dragStart_;
    // The skeleton branches as the last import, analysis or extraction left them, and whether
    // that command replaced edited branches.
    SkeletonPoints unedited_;
    bool replacedEdits_ = false;
    // The test evaluation's window and what it reports: the method and direction of the last
    // extraction.
    EvaluationWindow* evaluationWindow_ = nullptr;
    CalibrationWindow* calibrationWindow_ = nullptr;
    std::string skeletonMethodInForce_;
    ProjectSession project_;
    SpecimensPanel* specimensPanel_ = nullptr;
    SeriesWindow* seriesWindow_ = nullptr;
    LoadingHistoryView* historyView_ = nullptr;
    QAction* LoadingHistory1 = nullptr;
    QAction* CompareSpecimens1 = nullptr;
    QString baseTitle_;
    QAction* NewProject1 = nullptr;
    QAction* OpenProject1 = nullptr;
    QAction* SaveProject1 = nullptr;
    QAction* SaveProjectAs1 = nullptr;
    // The save dialog of the result files: its first folder and the file type chosen last.
    ResultSaveDialog saveDialog_;

    // Controls, named as the window's design names them (object names are the same).
    QGroupBox* grp1 = nullptr;
    QGroupBox* grp2 = nullptr;
    QGroupBox* grp3 = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lbl2 = nullptr;
    QLabel* lbl3 = nullptr;
    QLabel* lbl4 = nullptr;
    QLabel* lbl5 = nullptr;
    QLabel* lbl6 = nullptr;
    QLabel* lbl7 = nullptr;
    QLabel* lbl8 = nullptr;
    QLabel* lbl9 = nullptr;
    QLabel* lbl10 = nullptr;
    QLabel* lbl11 = nullptr;
    QLabel* lbl12 = nullptr;
    QLabel* lbl13 = nullptr;
    QLineEdit* edt1 = nullptr;
    QLineEdit* edt2 = nullptr;
    QLineEdit* edt3 = nullptr;
    QLineEdit* edt4 = nullptr;
    QLineEdit* edt5 = nullptr;
    QLineEdit* edt6 = nullptr;
    QLineEdit* edt7 = nullptr;
    QLineEdit* edt8 = nullptr;
    QLineEdit* edt9 = nullptr;
    QLineEdit* edt10 = nullptr;
    QLineEdit* edt11 = nullptr;
    QComboBox* cbb1 = nullptr;
    QComboBox* cbb2 = nullptr;
    QComboBox* cbb3 = nullptr;
    QComboBox* cbb4 = nullptr;
    QLabel* lblNoiseBand = nullptr;
    QLineEdit* edtNoiseBand = nullptr;
    MessageBar* messageBar_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;  // made at the first "How to use?"
    // The skeleton methods' radio buttons (rb1, ...), in the order of SkeletonMethods().
    std::vector<QRadioButton*> rbMethods;
    QCheckBox* chk1 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
    QPushButton* btn3 = nullptr;
    QPushButton* btn4 = nullptr;
    QPushButton* btn5 = nullptr;
    QPushButton* btn6 = nullptr;
    QPushButton* btn7 = nullptr;
    QPushButton* btn8 = nullptr;
    QPushButton* btn9 = nullptr;
    ChartWidget* cht1 = nullptr;
    QMenuBar* mm1 = nullptr;
    QAction* ImportData1 = nullptr;
    QMenu* RecentRecords1 = nullptr;
    QAction* ReImport1 = nullptr;
    QAction* AnalyzeLoop1 = nullptr;
    QAction* ExtractSkeleton1 = nullptr;
    QAction* TestEvaluation1 = nullptr;
    QAction* CalibrateModel1 = nullptr;
    QAction* ExportModifiedLoop1 = nullptr;
    QAction* ExportResults1 = nullptr;
    QAction* ExportSkeleton1 = nullptr;
    QAction* TestReport1 = nullptr;
    QAction* ExportDraw12Excel1 = nullptr;
    QAction* ExcelExportOptions1 = nullptr;
    QAction* ImportOptions1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* mniAbout1 = nullptr;
    QAction* mniDonation1 = nullptr;
    QAction* Howtouse1 = nullptr;
    QAction* mniWebsite1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Language1 = nullptr;
    QAction* LanguageDesigned1 = nullptr;
    QAction* LanguageEnglish1 = nullptr;
    QAction* LanguageChinese1 = nullptr;
    QStatusBar* rzstsbr1 = nullptr;
    QLabel* rzfldsts1 = nullptr;           // credit
    QLabel* rzfldsts3 = nullptr;           // greeting
    StatusLinkField* rzfldsts2 = nullptr;  // link to the web site
    QLabel* rzfldsts4 = nullptr;           // displacement and force under the mouse
};

}  // namespace qlnx
