#include "gui/main_window/edit_history.h"

#include <utility>

namespace qlnx {

SkeletonEditStep::SkeletonEditStep(const QString& text, AnalysisState& state, SkeletonPoints before,
                                   SkeletonPoints after, ShowEdit shown)
    : QUndoCommand(text),
      state_(state),
      before_(std::move(before)),
      after_(std::move(after)),
      shown_(std::move(shown)) {}

void SkeletonEditStep::undo() {
    RestoreSkeletonPoints(state_, before_);
    shown_();
}

void SkeletonEditStep::redo() {
    // Pushed once the edit is on the chart: the push's own redo has nothing to do.
    if (std::exchange(done_, false)) return;
    RestoreSkeletonPoints(state_, after_);
    shown_();
}

LoopPointMoveStep::LoopPointMoveStep(AnalysisState& state, const LoopPointMove& move,
                                     ShowEdit shown)
    : QUndoCommand(QStringLiteral("drag of a loop point")),
      state_(state),
      move_(move),
      shown_(std::move(shown)) {}

void LoopPointMoveStep::undo() {
    ApplyLoopPointMove(state_, move_, false);
    shown_();
}

void LoopPointMoveStep::redo() {
    if (std::exchange(done_, false)) return;
    ApplyLoopPointMove(state_, move_, true);
    shown_();
}

LoopPointDeletionStep::LoopPointDeletionStep(AnalysisState& state,
                                             const LoopPointDeletion& deletion, ShowEdit shown)
    : QUndoCommand(QStringLiteral("deletion of a loop point")),
      state_(state),
      deletion_(deletion),
      shown_(std::move(shown)) {}

void LoopPointDeletionStep::undo() {
    RestoreLoopPoint(state_, deletion_);
    shown_();
}

void LoopPointDeletionStep::redo() {
    if (std::exchange(done_, false)) return;
    DeleteLoopPoint(state_, deletion_.Index);
    shown_();
}

}  // namespace qlnx
