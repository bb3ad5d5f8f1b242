// The steps of the Edit menu's Undo and Redo: one command per drag, add, delete and thinning,
// each restoring what core/edit_undo.h kept of it.
#pragma once

#include <QUndoCommand>
#include <functional>

#include "core/edit_undo.h"

namespace qlnx {

// Every step changes the analysis state and then calls shown, which redraws the chart.
using ShowEdit = std::function<void()>;

// An edit of the skeleton branches, pushed after it was done (the first redo does nothing).
class SkeletonEditStep : public QUndoCommand {
public:
    SkeletonEditStep(const QString& text, AnalysisState& state, SkeletonPoints before,
                     SkeletonPoints after, ShowEdit shown);
    void undo() override;
    void redo() override;

private:
    AnalysisState& state_;
    SkeletonPoints before_, after_;
    ShowEdit shown_;
    bool done_ = true;
};

// A drag of a loop point, with its write-back into the imported curve.
class LoopPointMoveStep : public QUndoCommand {
public:
    LoopPointMoveStep(AnalysisState& state, const LoopPointMove& move, ShowEdit shown);
    void undo() override;
    void redo() override;

private:
    AnalysisState& state_;
    LoopPointMove move_;
    ShowEdit shown_;
    bool done_ = true;
};

// A deletion of a loop point.
class LoopPointDeletionStep : public QUndoCommand {
public:
    LoopPointDeletionStep(AnalysisState& state, const LoopPointDeletion& deletion, ShowEdit shown);
    void undo() override;
    void redo() override;

private:
    AnalysisState& state_;
    LoopPointDeletion deletion_;
    ShowEdit shown_;
    bool done_ = true;
};

}  // namespace qlnx
