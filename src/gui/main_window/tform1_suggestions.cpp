// The main window's suggestions after an analysis and an extraction, shown in the message bar
// with an Apply button that carries them out.
#include <QComboBox>
#include <QLineEdit>

#include "core/number_text.h"
#include "core/record_suggestions.h"
#include "core/zero_start.h"
#include "gui/main_window/message_bar.h"
#include "gui/main_window/tform1.h"

namespace qlnx {

bool TForm1::ShowsSkeleton() const {
    return state_.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count() > 0 ||
           state_.Chart.GetSeries(ChartModel::NegativeSkeletonSeries).Count() > 0;
}

void TForm1::SuggestAfterAnalysis() {
    // Loops of dither make every later number meaningless: the band comes first, and the
    // direction is suggested once the loops are real.
    if (const std::optional<NoiseSuggestion> noise = SuggestNoiseBand(state_, noiseBandInForce_)) {
        const QString band = QString::fromStdString(FormatGeneral15(noise->Band));
        messageBar_->ShowMessage(QString::fromStdString(NoiseSuggestionText(*noise)), [this, band] {
            RunCommand([this, band] {
                edtNoiseBand->setText(band);
                btn2Click();
            });
        });
        return;
    }
    // A record that does not start at rest puts the skeleton's origin and the residuals off
    // by its first sample: zeroing it comes before the direction.
    if (SuggestZeroStart(state_)) {
        messageBar_->ShowMessage(QString::fromStdString(ZeroStartSuggestionText(state_)), [this] {
            RunCommand([this] {
                ZeroAtFirstSample(state_);
                btn2Click();
            });
        });
        return;
    }
    SuggestLoopDirection();
}

void TForm1::SuggestLoopDirection() {
    const std::optional<LoopDirection> loadsFirst = LoadingDirection(state_, noiseBandInForce_);
    const LoopDirection chosen =
        cbb4->currentIndex() == 0 ? LoopDirection::Positive : LoopDirection::Negative;
    if (!loadsFirst || *loadsFirst == chosen) {
        // A direction message that no longer holds goes; a noise message stays.
        const QString shown = messageBar_->Text();
        for (const LoopDirection side : {LoopDirection::Positive, LoopDirection::Negative}) {
            if (shown == QString::fromStdString(DirectionSuggestionText(side)))
                messageBar_->Dismiss();
        }
        return;
    }
    const int index = *loadsFirst == LoopDirection::Positive ? 0 : 1;
    messageBar_->ShowMessage(QString::fromStdString(DirectionSuggestionText(*loadsFirst)),
                             [this, index] {
                                 RunCommand([this, index] {
                                     cbb4->setCurrentIndex(index);
                                     RememberRecordSettings();
                                     if (ShowsSkeleton()) btn5Click();
                                 });
                             });
}

}  // namespace qlnx
