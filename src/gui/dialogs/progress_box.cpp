#include "gui/dialogs/progress_box.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "gui/language/language.h"

namespace qlnx {

namespace {

// Steps of the bar, the longest time the window goes without handling its events, and the
// time after which the box shows (sooner when the work is sure to take longer).
constexpr int kSteps = 1000;
constexpr qint64 kEventIntervalMs = 25;
constexpr int kShowAfterMs = 500;

}  // namespace

ProgressBox::ProgressBox(QWidget* parent, const QString& title, const QString& label)
    : parent_(parent), title_(title), label_(label) {}

ProgressBox::~ProgressBox() = default;

bool ProgressBox::Update(double fraction) {
    if (cancelled_ || finished_) {
        // The box is gone; the work that still runs keeps the window painting.
        if (sinceEvents_.elapsed() >= kEventIntervalMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceEvents_.restart();
        }
        return !cancelled_;
    }
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(label_, Translated(QStringLiteral("Cancel")), 0,
                                                    kSteps, parent_.data());
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
        dialog_->setMinimumDuration(kShowAfterMs);
        dialog_->setValue(0);  // starts the clock of the minimum duration
        sinceEvents_.start();
    }
    const int value = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kSteps));
    dialog_->setValue(value);
    if (sinceEvents_.elapsed() >= kEventIntervalMs) {
        // While the box is not shown the window is not blocked by it: clicks and keys wait
        // until the work is over, paints and timers run now.
        QCoreApplication::processEvents(dialog_->isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        sinceEvents_.restart();
    }
    cancelled_ = dialog_->wasCanceled();
    finished_ = value == kSteps;
    if (cancelled_ || finished_) dialog_.reset();
    return !cancelled_;
}

}  // namespace qlnx
