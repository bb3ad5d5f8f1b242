// Model fits on a worker thread, so that the windows stay usable while they run: the fraction
// done for a progress bar, and a cancel that the fit loop honours at its next evaluation.
#pragma once

#include <QObject>
#include <atomic>
#include <string>
#include <vector>

#include "core/calibration_fit.h"
#include "core/calibration_models.h"

class QThread;

namespace qlnx {

// One model fitted, with the time its fit took.
struct TimedFit {
    CalibrationResult Result;
    double Seconds = 0;
};

class CalibrationRun : public QObject {
    Q_OBJECT
public:
    explicit CalibrationRun(QObject* parent = nullptr);
    // A run still going is cancelled and waited for.
    ~CalibrationRun() override;

    // Fits the models one after the other to the record (u, f); false (nothing started)
    // while a run is going on.
    bool Start(std::vector<double> u, std::vector<double> f, std::vector<CalibrationModel> models,
               const CalibrationSettings& settings);
    // Asks the running fit to stop; finished() follows.
    void Cancel() { cancel_ = true; }
    bool Running() const { return thread_ != nullptr; }
    // Fraction of the whole run done, 0 to 1.
    double Fraction() const { return permille_.load() / 1000.0; }

    // After finished(): the models fitted in full (a model whose fit was stopped is left
    // out), whether the run was cancelled, and the message of a record that cannot be fitted.
    const std::vector<TimedFit>& Fits() const { return fits_; }
    bool Cancelled() const { return cancelled_; }
    const std::string& ErrorText() const { return error_; }

signals:
    void finished();

private:
    void Work(const std::vector<double>& u, const std::vector<double>& f,
              const std::vector<CalibrationModel>& models, const CalibrationSettings& settings);

    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<int> permille_{0};
    // Written by the worker only; read after it has finished.
    std::vector<TimedFit> fits_;
    bool cancelled_ = false;
    std::string error_;
};

}  // namespace qlnx
