// Loop analysis: the working curve, the half-cycle table and each loop's extremes.
#pragma once

#include <optional>
#include <string>

#include "core/analysis_state.h"

namespace qlnx {

// Rebuilds the working curve, LoopStart, the per-loop extremes and the Loop No. items from
// RawDisp/RawForce, then shows loop 0. Returns the warning to show when fewer than four
// points were imported ("Imported Loop is less than 3 points!"). noiseBand >= 0: with 0 every
// passage through the first displacement starts a half-cycle; above 0 only a passage that
// takes the record from beyond one side of the band to beyond the other does.
std::optional<std::string> AnalyzeLoops(AnalysisState& state, double noiseBand = 0);

// Shows the loop of the selected Loop No. item: read-outs, selected-loop series and marks.
void ShowLoop(AnalysisState& state);

}  // namespace qlnx
