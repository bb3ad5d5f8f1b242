// The "Test Evaluation" window: the evaluation's options and presets, the loop, level and
// skeleton tables, the plots, Copy, Save… and Export to Workbook…, and the construction of
// the chosen yield method on the main chart. It follows the analysis state: every drawing of
// the chart after an edit or an extraction brings it up to date.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>

#include "core/analysis_state.h"
#include "core/evaluate_test.h"
#include "core/evaluation_tables.h"

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableView;
class QTabWidget;
class QUrl;

namespace qlnx {

class ChartWidget;
class ConstructionLayer;
class EvaluationPlots;
class EvaluationSortModel;
class EvaluationTableModel;
class UserDialogs;

// What the main window has in force and the report names.
struct EvaluationContext {
    double NoiseBand = 0;
    std::string SkeletonMethod = "none";  // "none" before an extraction
    std::string RecordPath;               // file-system bytes
};

class EvaluationWindow : public QWidget {
    Q_OBJECT
public:
    EvaluationWindow(const AnalysisState& state, ChartWidget* chart, UserDialogs& dialogs,
                     QWidget* parent);
    ~EvaluationWindow() override;

    void SetContext(std::function<EvaluationContext()> context) { context_ = std::move(context); }
    // Called with a 0-based loop when a loop row is chosen.
    void SetLoopSelector(std::function<void(int)> select) { selectLoop_ = std::move(select); }
    void SetUrlOpener(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }

    // Shows the window and brings it up to date: docked beside the chart when the user chose
    // so, else floating above the main window (beside it the first time, else where it was left
    // when that place is on a screen), always whole on the screen.
    void Open();
    // Docks the window beside the main window's chart, or lets it float above the main window.
    void SetDocked(bool docked);
    bool IsDocked() const;
    // Brings the evaluation, the tables, the plots and the construction up to date with the
    // state, recomputing only what changed: the skeleton alone after a skeleton edit.
    void Update();

    const TestEvaluation& Evaluation() const { return evaluation_; }
    EvaluationOptions Options() const;
    EvaluationReportHeader ReportHeader() const;
    // The construction chosen to be drawn, and the standard's preset chosen (none: custom).
    YieldMethod Construction() const;
    std::optional<EvaluationPreset> Preset() const;
    // The table with the record's units in its headers ("Energy (kN·mm)") when they are known.
    EvaluationTable WithUnits(EvaluationTable table) const;
    ConstructionLayer* Constructions() const { return constructions_; }
    EvaluationTableModel* LoopModel() const { return loopModel_; }
    EvaluationTableModel* LevelModel() const { return levelModel_; }
    EvaluationTableModel* SkeletonModel() const { return skeletonModel_; }

    void CopyClick();
    void SaveClick();
    void ExportClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void PresetChanged();
    void OptionChanged();
    void ShowSkeleton();
    void ShowConstruction();
    void LoopRowChosen(const QModelIndex& current);
    void SaveGeometry();
    void PlaceOnScreen();
    // Save Image… and Copy in the plot's context menu.
    void AddImageCommands(QCustomPlot* plot);
    void SavePlotImage(QCustomPlot& plot);
    void Guarded(void (EvaluationWindow::*handler)());

    // A tool window: it stays above the main window and never hides behind it.
    static constexpr Qt::WindowFlags kFloatingFlags = Qt::Window | Qt::Tool;

    const AnalysisState& state_;
    ChartWidget* chart_;
    UserDialogs& dialogs_;
    QWidget* main_;                // the main window, whatever holds this window
    QDockWidget* dock_ = nullptr;  // made the first time the window is docked
    std::function<EvaluationContext()> context_;
    std::function<void(int)> selectLoop_;
    std::function<bool(const QUrl&)> openUrl_;

    TestEvaluation evaluation_;
    // What the shown evaluation was computed from.
    struct Source {
        uint64_t Analysis = ~uint64_t{0};
        uint64_t Positive = ~uint64_t{0};
        uint64_t Negative = ~uint64_t{0};
        uint64_t Options = ~uint64_t{0};
    } shown_;
    uint64_t optionsRevision_ = 0;
    bool settingPreset_ = false;

    QComboBox* cbbPreset = nullptr;
    QDoubleSpinBox* spnUltimateRatio = nullptr;
    QComboBox* cbbPeakPoint = nullptr;
    QDoubleSpinBox* spnLevelTolerance = nullptr;
    QLabel* lblInForce = nullptr;
    QComboBox* cbbYieldMethod = nullptr;
    QComboBox* cbbSide = nullptr;
    QLabel* lblNote = nullptr;
    // Under the yield points' table: how many points of each branch the outward path left out.
    QLabel* lblDroppedPoints = nullptr;
    QTabWidget* tabTables = nullptr;
    QTableView* tblLoops = nullptr;
    QTableView* tblLevels = nullptr;
    QTableView* tblSkeleton = nullptr;
    EvaluationTableModel* loopModel_ = nullptr;
    EvaluationTableModel* levelModel_ = nullptr;
    EvaluationTableModel* skeletonModel_ = nullptr;
    EvaluationPlots* plots_ = nullptr;
    QCheckBox* chkDock = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnExport = nullptr;
    ConstructionLayer* constructions_ = nullptr;
};

}  // namespace qlnx
