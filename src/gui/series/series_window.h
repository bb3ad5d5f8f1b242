// The "Compare Specimens" window: the specimens of a project's group overlaid (skeleton
// curves or working curves) in a chosen scale, the mean skeleton with its band, and the
// comparison table with its statistics; Copy, Save…, Export to Workbook…, Save Chart… and
// Test Report….
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/series_evaluation.h"
#include "core/series_overlay.h"
#include "core/series_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QUrl;

namespace qlnx {

class EvaluationTableModel;
class SeriesPlot;
class UserDialogs;

class SeriesWindow : public QWidget {
    Q_OBJECT
public:
    SeriesWindow(UserDialogs& dialogs, QWidget* parent);
    ~SeriesWindow() override;

    // The evaluated specimens of the project (in its order): the groups are listed anew and
    // the group shown stays when it still exists.
    void SetSpecimens(SeriesEvaluation evaluation);
    // Where the project lies (the folder the save dialogs open in).
    void SetProjectPath(const QString& path) { projectPath_ = path; }
    void SetUrlOpener(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }
    // Where exported workbooks go (default: the temporary folder).
    void SetWorkbookFolder(std::filesystem::path folder) { workbookFolder_ = std::move(folder); }

    // Shows the window (beside its parent the first time).
    void Open();

    // The group shown, its table and statistics, and what the chart draws.
    const SeriesGroup* Group() const;
    const SeriesOverlay& Overlay() const { return overlay_; }
    SeriesPlot* Plot() const { return plot_; }
    EvaluationTableModel* TableModel() const { return model_; }

    // Draws the chart anew after a change of what it shows (scale, curves, mean).
    void Redraw();

    void CopyClick();
    void SaveClick();
    void ExportClick();
    void ImageClick();
    void ReportClick();

private:
    void BuildControls();
    void GroupChanged();
    void YieldChanged();
    void ShowNotes();
    void RememberChoices() const;
    SeriesScale Scale() const;
    YieldMethod Yield() const;
    QString SaveFolder() const;
    void Guarded(void (SeriesWindow::*handler)());

    UserDialogs& dialogs_;
    std::function<bool(const QUrl&)> openUrl_;
    std::filesystem::path workbookFolder_;
    QString projectPath_;

    SeriesEvaluation evaluation_;
    std::vector<SeriesGroup> groups_;
    SeriesOverlay overlay_;

    QComboBox* cbbSeriesGroup = nullptr;
    QComboBox* cbbSeriesCurves = nullptr;
    QComboBox* cbbSeriesScale = nullptr;
    QComboBox* cbbSeriesYield = nullptr;
    QCheckBox* chkSeriesMean = nullptr;
    QLabel* lblSeriesNotes = nullptr;
    SeriesPlot* plot_ = nullptr;
    QTableView* tblSeries = nullptr;
    EvaluationTableModel* model_ = nullptr;
    QPushButton* btnSeriesCopy = nullptr;
    QPushButton* btnSeriesSave = nullptr;
    QPushButton* btnSeriesExport = nullptr;
    QPushButton* btnSeriesImage = nullptr;
    QPushButton* btnSeriesReport = nullptr;
};

}  // namespace qlnx
