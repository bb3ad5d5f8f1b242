// What an edit on the chart changed, kept so that it can be undone and redone: the skeleton
// branches before and after, a moved loop point, a deleted loop point.
#pragma once

#include <cstdint>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx {

// The points of both skeleton branches (an add, delete, drag or thinning of their nodes).
struct SkeletonPoints {
    std::vector<double> PositiveX, PositiveY, NegativeX, NegativeY;
    bool operator==(const SkeletonPoints&) const = default;
};
SkeletonPoints TakeSkeletonPoints(const AnalysisState& state);
void RestoreSkeletonPoints(AnalysisState& state, const SkeletonPoints& points);

// A point of the loop series dragged from (FromX, FromY) to (ToX, ToY). Sample >= 0 when the
// drag wrote the point back into RawDisp/RawForce, which held (FromDisp, FromForce) before.
struct LoopPointMove {
    int Index = -1;
    double FromX = 0, FromY = 0, ToX = 0, ToY = 0;
    int32_t Sample = -1;
    double FromDisp = 0, FromForce = 0;
};
// Puts the point (and its sample, when written back) where it was before (forward false) or
// after (forward true) the drag.
void ApplyLoopPointMove(AnalysisState& state, const LoopPointMove& move, bool forward);

// A point of the loop series deleted, with the sample it showed.
struct LoopPointDeletion {
    int Index = -1;
    double X = 0, Y = 0;
    TColor Color = clTeeColor;
    int32_t Sample = -1;
    bool SamplesWereImplicit = false;  // the loop series showed sample i at point i
};
// Deletes point index of the loop series as the delete tool does; returns what it took.
LoopPointDeletion DeleteLoopPoint(AnalysisState& state, int index);
// Puts the deleted point back, the sample map as it was.
void RestoreLoopPoint(AnalysisState& state, const LoopPointDeletion& deletion);

}  // namespace qlnx
