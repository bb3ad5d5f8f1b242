// The working curve of a noisy record: only passages through the reference displacement that
// take the record from one side of a noise band to the other start a half-cycle.
#pragma once

#include <cstdint>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx {

// Builds LoopDisp, LoopForce and LoopStart (emptied by the caller) from RawDisp/RawForce
// (at least one sample) with the noise band band > 0 around x0 = RawDisp[0]. The record's
// side becomes "+" at a sample above x0 + band and "-" at one below x0 - band (the first such
// sample only sets it); each change of side counts the last passage at or before that sample,
// as the plain splitting finds passages (an exact landing on x0 after a point off it, or a
// crossing between the last appended sample and this one; repeats skipped). Only counted
// passages insert their crossing point and start a half-cycle; the samples of the others are
// ordinary points. Returns the working-curve index of each half-cycle's extreme (the point
// farthest from x0, start and end included, earliest on ties), one per LoopStart entry.
std::vector<int32_t> BuildBandedWorkingCurve(AnalysisState& state, double band);

// The extreme of every half-cycle of the working curve: the point farthest from x0 from its
// LoopStart entry through the next one (or the last point), earliest on ties.
std::vector<int32_t> FarthestOfHalfCycles(const AnalysisState& state);

}  // namespace qlnx
