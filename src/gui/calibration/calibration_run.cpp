#include "gui/calibration/calibration_run.h"

#include <QThread>
#include <chrono>
#include <cmath>
#include <exception>

namespace qlnx {

CalibrationRun::CalibrationRun(QObject* parent) : QObject(parent) {}

CalibrationRun::~CalibrationRun() {
    if (thread_ != nullptr) {
        cancel_ = true;
        thread_->wait();
        delete thread_;
    }
}

bool CalibrationRun::Start(std::vector<double> u, std::vector<double> f,
                           std::vector<CalibrationModel> models,
                           const CalibrationSettings& settings) {
    if (thread_ != nullptr) return false;
    cancel_ = false;
    permille_ = 0;
    fits_.clear();
    cancelled_ = false;
    error_.clear();
    thread_ = QThread::create([this, u = std::move(u), f = std::move(f), models = std::move(models),
                               settings] { Work(u, f, models, settings); });
    // Emitted on the worker's side; delivered to this object's thread by the event loop.
    connect(thread_, &QThread::finished, this, [this] {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
        permille_ = 1000;
        emit finished();
    });
    thread_->start();
    return true;
}

void CalibrationRun::Work(const std::vector<double>& u, const std::vector<double>& f,
                          const std::vector<CalibrationModel>& models,
                          const CalibrationSettings& settings) {
    const double count = static_cast<double>(models.size());
    for (size_t k = 0; k < models.size(); ++k) {
        const double done = static_cast<double>(k);
        const ProgressCallback progress = [this, done, count](double fraction) {
            permille_ = static_cast<int>(std::lround(1000 * (done + fraction) / count));
            return !cancel_.load();
        };
        const auto start = std::chrono::steady_clock::now();
        try {
            CalibrationResult r = FitModel(models[k], u, f, settings, progress);
            if (r.Cancelled || cancel_) {
                cancelled_ = true;
                return;
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            fits_.push_back({std::move(r), took.count()});
        } catch (const std::exception& e) {
            error_ = e.what();
            return;
        }
    }
}

}  // namespace qlnx
