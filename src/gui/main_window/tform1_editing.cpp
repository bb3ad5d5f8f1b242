// The chart-editing handlers of the main window: operation type and object, drag write-back,
// adding and deleting nodes by double click, and the legend's hold on the loop marks.
#include <QComboBox>
#include <QLabel>
#include <QUndoStack>
#include <string>
#include <utility>

#include "core/node_editing.h"
#include "gui/chart/chart_widget.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/edit_history.h"
#include "gui/main_window/tform1.h"

namespace qlnx {

void TForm1::cbb3Change() {
    EditMode = cbb3->currentIndex();
    const int previous = cbb2->currentIndex();
    cbb2->clear();
    for (const std::string& item : EditObjectItems(EditMode))
        cbb2->addItem(QString::fromStdString(item));
    cht1->setCursorActive(EditMode == kEditAdd);
    // Leaving add mode keeps the chosen object; entering it with "LOOP" chosen falls back to
    // "None".
    cbb2->setCurrentIndex(0);
    if (previous < cbb2->count()) cbb2->setCurrentIndex(previous);
    EditSeries = EditSeriesOfObject(state_, cbb2->currentIndex());
    ApplyEditMode(EditMode, EditSeries);
}

void TForm1::cbb2Change() {
    EditSeries = EditSeriesOfObject(state_, cbb2->currentIndex());
    ApplyEditMode(EditMode, EditSeries);
}

void TForm1::ApplyEditMode(int mode, ChartSeries* target) {
    ChartSeries& loop = state_.LoopSeries();
    const bool targetsLoop = target == &loop;
    if (mode == kEditDrag) {
        loop.PointerVisible = targetsLoop;
        if (targetsLoop) {
            cht1->setOnDrag([this](int index) { LoopPointDragged(index); });
        } else {
            cht1->setOnDrag(nullptr);
        }
        cht1->setDragSeries(target);
    } else if (mode == kEditAdd || mode == kEditDelete) {
        loop.PointerVisible = targetsLoop;
    } else {
        // The drag tool keeps its series: its points can still be dragged, without write-back.
        cht1->setOnDrag(nullptr);
        loop.PointerVisible = false;
    }
    cht1->refresh();
}

void TForm1::LoopPointDragged(int index) { WriteBackLoopPoint(state_, index); }

void TForm1::cht1MouseMove(int x, int y) {
    LastMouseX = x;
    LastMouseY = y;
}

void TForm1::cht1DblClick() {
    if (EditSeries == nullptr) return;
    if (EditMode == kEditAdd) {
        const double x = cht1->XScreenToValue(LastMouseX);
        const double y = cht1->YScreenToValue(LastMouseY);
        SkeletonPoints before = TakeSkeletonPoints(state_);
        AddNodeAt(state_, *EditSeries, x, y);
        PushSkeletonEdit(QStringLiteral("addition of a node"), std::move(before));
        cht1->refresh();
    } else if (EditMode == kEditDelete) {
        const int index = cht1->GetCursorValueIndex(*EditSeries);
        if (index < 0) return;
        if (EditSeries == &state_.LoopSeries()) {
            const LoopPointDeletion deletion = DeleteLoopPoint(state_, index);
            undoStack_->push(
                new LoopPointDeletionStep(state_, deletion, [this] { cht1->refresh(); }));
        } else {
            SkeletonPoints before = TakeSkeletonPoints(state_);
            DeleteNode(state_, *EditSeries, index);
            PushSkeletonEdit(QStringLiteral("deletion of a node"), std::move(before));
        }
        cht1->refresh();
    }
}

SkeletonPoints TForm1::TakeSkeletonBeforeReplacing() const { return TakeSkeletonPoints(state_); }

void TForm1::StartEditHistory(const SkeletonPoints& edited) {
    dragStart_.reset();
    undoStack_->clear();
    // Edits of the loop points belong to the curve the command replaced; the edited skeleton
    // can be put back over the new one, so its replacement is a step of the new history.
    const bool wasEdited = !(edited == unedited_);
    unedited_ = TakeSkeletonPoints(state_);
    replacedEdits_ = wasEdited && !(edited == unedited_);
    if (!replacedEdits_) return;
    undoStack_->push(
        new SkeletonEditStep(QStringLiteral("replacement of the edited skeleton curve"), state_,
                             edited, unedited_, [this] { cht1->refresh(); }));
}

void TForm1::NoteReplacedEdits() {
    if (!replacedEdits_) return;
    const QString status = DesignedText(rzfldsts3);
    ShowStatus(
        status.isEmpty()
            ? QStringLiteral("The edited skeleton curve was replaced; Undo brings it back.")
            : QStringLiteral("%1 The edited skeleton curve was replaced; Undo brings it back.")
                  .arg(status));
}

void TForm1::PushSkeletonEdit(const QString& what, SkeletonPoints before) {
    SkeletonPoints after = TakeSkeletonPoints(state_);
    if (after == before) return;
    undoStack_->push(new SkeletonEditStep(what, state_, std::move(before), std::move(after),
                                          [this] { cht1->refresh(); }));
}

void TForm1::DragStarted(int index) {
    ChartSeries* series = cht1->dragSeries();
    if (series == nullptr || index < 0 || index >= series->Count()) return;
    DragStart start;
    start.Series = series;
    if (series == &state_.LoopSeries()) {
        start.Move.Index = index;
        start.Move.FromX = series->GetxValue(index);
        start.Move.FromY = series->GetyValue(index);
        // The drag tool writes the point back while its on-drag handler is set (from the drag
        // mode on the loop until the mode None).
        if (cht1->hasOnDrag()) {
            start.Move.Sample = LoopSampleOfPoint(state_, index);
            if (start.Move.Sample >= 0 &&
                static_cast<size_t>(start.Move.Sample) < state_.RawDisp.size()) {
                start.Move.FromDisp = state_.RawDisp[static_cast<size_t>(start.Move.Sample)];
                start.Move.FromForce = state_.RawForce[static_cast<size_t>(start.Move.Sample)];
            } else {
                start.Move.Sample = -1;
            }
        }
    } else {
        start.Skeleton = TakeSkeletonPoints(state_);
    }
    dragStart_ = std::move(start);
}

void TForm1::DragFinished(int index) {
    if (!dragStart_) return;
    DragStart start = std::move(*dragStart_);
    dragStart_.reset();
    if (start.Series == &state_.LoopSeries()) {
        LoopPointMove move = start.Move;
        if (index != move.Index || index >= start.Series->Count()) return;
        move.ToX = start.Series->GetxValue(index);
        move.ToY = start.Series->GetyValue(index);
        if (move.ToX == move.FromX && move.ToY == move.FromY) return;
        undoStack_->push(new LoopPointMoveStep(state_, move, [this] { cht1->refresh(); }));
    } else {
        PushSkeletonEdit(QStringLiteral("drag of a node"), std::move(start.Skeleton));
    }
}

void TForm1::Undo1Click() {
    // Not while the mouse is still dragging a point: the drag's step is not yet in the history.
    if (dragStart_ || !undoStack_->canUndo()) return;
    const QString what = undoStack_->undoText();
    undoStack_->undo();
    ShowStatus(QStringLiteral("Undone: %1.").arg(what));
}

void TForm1::Redo1Click() {
    if (dragStart_ || !undoStack_->canRedo()) return;
    const QString what = undoStack_->redoText();
    undoStack_->redo();
    ShowStatus(QStringLiteral("Redone: %1.").arg(what));
}

void TForm1::cht1ClickLegend() {
    // The chosen loop's marks have no legend entry of their own: they follow its check box.
    const bool shown = state_.SelectedLoopSeries().Active;
    state_.pntsrsSeries1().Active = shown;
    state_.pntsrsSeries2().Active = shown;
    cht1->refresh();
}

}  // namespace qlnx
