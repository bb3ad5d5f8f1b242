// The "Calibrate Model" window: the models to fit and the fit's settings, Run with a progress
// bar and Cancel (the fit runs on a worker thread), the models' force drawn over the record,
// the comparison of the models, the parameter table with the parameters the data do not
// determine marked, the energy per loop of model and record, and the OpenSees text to copy
// or save.
#pragma once

#include <QWidget>
#include <vector>

#include "core/analysis_state.h"
#include "core/calibration_models.h"
#include "gui/calibration/calibration_run.h"

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace qlnx {

class UserDialogs;

class CalibrationWindow : public QWidget {
    Q_OBJECT
public:
    CalibrationWindow(const AnalysisState& state, UserDialogs& dialogs, QWidget* parent);
    ~CalibrationWindow() override;

    // Shows the window (beside the main window the first time) and brings it to the front.
    void Open();

    void RunClick();
    void CancelClick();
    void CopyClick();
    void SaveClick();

    // The fits shown, in the order run; the run behind them.
    const std::vector<TimedFit>& Fits() const { return fits_; }
    CalibrationRun& Run() { return run_; }
    // The OpenSees text of the model shown (Tcl, or OpenSeesPy when python).
    QString OpenSeesTextShown(bool python) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void RunFinished();
    void ShowProgress();
    void ShowFits();
    void ShowModel();
    void SetRunning(bool running);
    void Guarded(void (CalibrationWindow::*handler)());
    const TimedFit* ShownFit() const;

    const AnalysisState& state_;
    UserDialogs& dialogs_;
    CalibrationRun run_;
    std::vector<TimedFit> fits_;
    // The record the fits were made on, and the analysis it belonged to.
    std::vector<double> fittedDisp_;
    std::vector<double> fittedForce_;
    uint64_t fittedRevision_ = 0;

    std::vector<QCheckBox*> chkModels;
    QSpinBox* spnSeed = nullptr;
    QDoubleSpinBox* spnEnergyWeight = nullptr;
    QCheckBox* chkPrefilter = nullptr;
    QCheckBox* chkArcLength = nullptr;
    QPushButton* btnRun = nullptr;
    QPushButton* btnCancel = nullptr;
    QProgressBar* prgFit = nullptr;
    QLabel* lblStatus = nullptr;
    QCustomPlot* pltFit = nullptr;
    QTabWidget* tabResults = nullptr;
    QTableWidget* tblComparison = nullptr;
    QComboBox* cbbModel = nullptr;
    QTableWidget* tblParameters = nullptr;
    QTableWidget* tblLoopEnergy = nullptr;
    QComboBox* cbbOpenSeesForm = nullptr;
    QPlainTextEdit* txtOpenSees = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnSave = nullptr;
    QTimer* progressTimer_ = nullptr;
};

}  // namespace qlnx
