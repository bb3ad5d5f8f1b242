// Skeleton curve extraction: the driver shared by the six methods.
#pragma once

#include "core/analysis_state.h"

namespace qlnx {

enum class SkeletonMethod {
    MaxForcePoint = 1,
    MaxDispPoint,
    MaxForceAndDispPoints,
    EnvelopeToMaxForce,
    EnvelopeToMaxDisp,
    SBDecomposition,
};

enum class LoopDirection { Positive, Negative };

// Clears both skeleton series and refills them from the working curve and the loop table.
// Does nothing more when no analysis has run. Shows no message.
void ExtractSkeleton(AnalysisState& state, SkeletonMethod method, LoopDirection direction,
                     bool keepDispIncreasing);

}  // namespace qlnx
