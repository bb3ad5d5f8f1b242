// The main window's part in the test evaluation: opening the evaluation window and what it
// needs from the window (the noise band and skeleton method in force, the record, the Loop
// No. box and the address opener).
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include "core/number_text.h"
#include "gui/evaluation/evaluation_window.h"
#include "gui/main_window/tform1.h"

namespace qlnx {

void TForm1::TestEvaluation1Click() {
    if (evaluationWindow_ == nullptr) {
        evaluationWindow_ = new EvaluationWindow(state_, cht1, dialogs_, this);
        evaluationWindow_->SetContext([this] {
            EvaluationContext c;
            c.NoiseBand = noiseBandInForce_;
            const bool extracted = state_.PositiveSkeletonSeries().Count() > 0 ||
                                   state_.NegativeSkeletonSeries().Count() > 0;
            c.SkeletonMethod =
                extracted && !skeletonMethodInForce_.empty() ? skeletonMethodInForce_ : "none";
            c.RecordPath = QFile::encodeName(edt5->text()).toStdString();
            return c;
        });
        // A loop row chosen in the table is chosen in the Loop No. box, by its own handler.
        evaluationWindow_->SetLoopSelector([this](int loop) {
            if (loop < 0 || loop >= cbb1->count() || loop == cbb1->currentIndex()) return;
            cbb1->setCurrentIndex(loop);
            Guarded(&TForm1::cbb1Change);
        });
        evaluationWindow_->SetUrlOpener([this](const QUrl& url) { return openUrl_(url); });
    }
    evaluationWindow_->Open();
}

}  // namespace qlnx
