// The settings that belong to a record: put in the boxes when the record is opened, stored
// with it when it is read or analysed.
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

#include "gui/main_window/tform1.h"
#include "gui/qt_text.h"

namespace qlnx {

RecordSettings TForm1::BoxSettings() const {
    RecordSettings r;
    r.FirstLine = edt7->text();
    r.Step = edt8->text();
    r.NoiseBand = edtNoiseBand->text();
    r.Direction = cbb4->currentIndex() == 1 ? LoopDirection::Negative : LoopDirection::Positive;
    r.Import = importOptions_;
    r.Import.Channels.reset();
    r.LastLine = lastLine_;
    r.WholeFirstLine = wholeFirstLine_.value_or(QString());
    return r;
}

void TForm1::PutBoxSettings(const RecordSettings& r) {
    edt7->setText(r.FirstLine);
    edt8->setText(r.Step);
    edtNoiseBand->setText(r.NoiseBand);
    cbb4->setCurrentIndex(r.Direction == LoopDirection::Negative ? 1 : 0);
    // The channels stay those of the file's layout.
    importOptions_.Decimal = r.Import.Decimal;
    importOptions_.DisplacementColumn = r.Import.DisplacementColumn;
    importOptions_.ForceColumn = r.Import.ForceColumn;
    lastLine_ = r.LastLine;
    wholeFirstLine_.reset();
    if (!r.WholeFirstLine.isEmpty()) wholeFirstLine_ = r.WholeFirstLine;
    recordSettingsShown_ = BoxSettings();
}

void TForm1::PutSettingsOfRecord(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!state_.FileNameText.empty() &&
        QFileInfo(PathText(state_.FileNameText)).absoluteFilePath() == absolute) {
        return;
    }
    const RecordSettings next = StoredRecordSettings(absolute).value_or(RecordSettings{});
    const RecordSettings& was = recordSettingsShown_;
    RecordSettings boxes = BoxSettings();
    const auto follow = [](auto& box, const auto& shown, const auto& stored) {
        if (box == shown) box = stored;
    };
    // The range chosen in the loading history goes with the record's own first line.
    const bool firstLineFollows = boxes.FirstLine == was.FirstLine;
    boxes.LastLine = firstLineFollows ? next.LastLine : 0;
    boxes.WholeFirstLine = firstLineFollows ? next.WholeFirstLine : QString();
    follow(boxes.FirstLine, was.FirstLine, next.FirstLine);
    follow(boxes.Step, was.Step, next.Step);
    follow(boxes.NoiseBand, was.NoiseBand, next.NoiseBand);
    follow(boxes.Direction, was.Direction, next.Direction);
    follow(boxes.Import.Decimal, was.Import.Decimal, next.Import.Decimal);
    if (boxes.Import.DisplacementColumn == was.Import.DisplacementColumn &&
        boxes.Import.ForceColumn == was.Import.ForceColumn) {
        boxes.Import.DisplacementColumn = next.Import.DisplacementColumn;
        boxes.Import.ForceColumn = next.Import.ForceColumn;
    }
    PutBoxSettings(boxes);
}

void TForm1::RememberRecordSettings() {
    if (state_.FileNameText.empty() || !recordReadWith_) return;
    // The first line, step and import options are those the record was read with: boxes
    // changed since then wait for the next reading.
    RecordSettings r = BoxSettings();
    r.FirstLine = recordReadWith_->FirstLine;
    r.Step = recordReadWith_->Step;
    r.Import = recordReadWith_->Import;
    r.LastLine = recordReadWith_->LastLine;
    r.WholeFirstLine = recordReadWith_->WholeFirstLine;
    recordSettingsShown_ = r;
    StoreRecordSettings(PathText(state_.FileNameText), r);
}

}  // namespace qlnx
