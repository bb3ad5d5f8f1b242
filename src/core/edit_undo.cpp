#include "core/edit_undo.h"

#include <cstddef>

#include "core/node_editing.h"

namespace qlnx {

SkeletonPoints TakeSkeletonPoints(const AnalysisState& state) {
    const ChartSeries& positive = state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    const ChartSeries& negative = state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
    return {positive.XValues(), positive.YValues(), negative.XValues(), negative.YValues()};
}

void RestoreSkeletonPoints(AnalysisState& state, const SkeletonPoints& points) {
    // Skeleton nodes carry no colours of their own, so the points are all there is to restore.
    state.PositiveSkeletonSeries().Assign(points.PositiveX, points.PositiveY);
    state.NegativeSkeletonSeries().Assign(points.NegativeX, points.NegativeY);
}

void ApplyLoopPointMove(AnalysisState& state, const LoopPointMove& move, bool forward) {
    ChartSeries& loop = state.LoopSeries();
    if (move.Index < 0 || move.Index >= loop.Count()) return;
    loop.SetXY(move.Index, forward ? move.ToX : move.FromX, forward ? move.ToY : move.FromY);
    if (move.Sample < 0 || static_cast<size_t>(move.Sample) >= state.RawDisp.size()) return;
    const auto sample = static_cast<size_t>(move.Sample);
    state.RawDisp[sample] = forward ? move.ToX : move.FromDisp;
    state.RawForce[sample] = forward ? move.ToY : move.FromForce;
}

LoopPointDeletion DeleteLoopPoint(AnalysisState& state, int index) {
    ChartSeries& loop = state.LoopSeries();
    LoopPointDeletion deletion;
    if (index < 0 || index >= loop.Count()) return deletion;
    deletion = {index,
                loop.GetxValue(index),
                loop.GetyValue(index),
                loop.PointColor(index),
                LoopSampleOfPoint(state, index),
                state.LoopSeriesSamples.empty()};
    DeleteNode(state, loop, index);
    return deletion;
}

void RestoreLoopPoint(AnalysisState& state, const LoopPointDeletion& deletion) {
    ChartSeries& loop = state.LoopSeries();
    if (deletion.Index < 0 || deletion.Index > loop.Count()) return;
    loop.Insert(deletion.Index, deletion.X, deletion.Y, deletion.Color);
    auto& samples = state.LoopSeriesSamples;
    if (deletion.SamplesWereImplicit) {
        samples.clear();
    } else {
        samples.insert(samples.begin() + static_cast<std::ptrdiff_t>(deletion.Index),
                       deletion.Sample);
    }
}

}  // namespace qlnx
