// A record that does not start at rest: its first displacement (or force) lies well away from
// zero, so the origin of the skeleton constructions and the residual deformations would be
// measured from a point the specimen never was at. The program suggests zeroing both channels
// at the first sample.
#pragma once

#include <string>

#include "core/analysis_state.h"

namespace qlnx {

// The share of a channel's range beyond which its first sample counts as an offset start.
inline constexpr double kOffsetStartShare = 0.02;

// True when the imported record's first displacement lies more than 2 % of the displacement
// range from 0, or its first force more than 2 % of the force range.
bool SuggestZeroStart(const AnalysisState& state);

// The message bar's text (and the batch tool's suggestion on standard error).
std::string ZeroStartSuggestionText(const AnalysisState& state);

// Subtracts the first sample's displacement and force from every imported sample and every
// point of the loop series, and empties the analysis, which must be run again.
void ZeroAtFirstSample(AnalysisState& state);

}  // namespace qlnx
