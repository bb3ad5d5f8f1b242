// The test evaluation: per-loop quantities, levels and the skeleton's yield points, from the
// analysis state as the loop analysis and the skeleton series leave it.
#pragma once

#include <vector>

#include "core/analysis_state.h"
#include "core/evaluation_options.h"
#include "core/loop_levels.h"
#include "core/loop_quantities.h"
#include "core/skeleton_evaluation.h"

namespace qlnx {

struct TestEvaluation {
    EvaluationOptions Options;
    std::vector<LoopQuantities> Loops;
    std::vector<LevelRow> Levels;
    SkeletonEvaluation Skeleton;
};

// Evaluates the working curve's loops (LoopDisp, LoopForce, LoopStart, LoopCount) and both
// skeleton branches as the chart series hold them. Reads only; an unanalysed state gives no
// loops, empty skeleton series give null branches.
TestEvaluation EvaluateTest(const AnalysisState& state, const EvaluationOptions& options);

}  // namespace qlnx
