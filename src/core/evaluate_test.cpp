#include "core/evaluate_test.h"

namespace qlnx {

TestEvaluation EvaluateTest(const AnalysisState& state, const EvaluationOptions& options) {
    TestEvaluation result;
    result.Options = options;
    result.Loops = MeasureLoops(state, options.PeakPoint);
    result.Levels = AssignLevels(result.Loops, options.LevelTolerance, options.PeakPoint);
    result.Skeleton = EvaluateSkeleton(state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries),
                                       state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries),
                                       options.UltimateRatio, options.UltimateDispCap);
    return result;
}

}  // namespace qlnx
