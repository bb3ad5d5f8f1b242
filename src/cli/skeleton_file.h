// The skeleton curve file of qlnx-batch: both branches in one CSV text.
#pragma once

#include <string>

#include "core/analysis_state.h"

namespace qlnx {

// "Branch,X,Y", then a "Positive" row per point of the positive skeleton series and a
// "Negative" row per point of the negative one, in series order; numbers in the general
// 15-digit format; CR LF after every line.
std::string SkeletonCsvText(const AnalysisState& state);

}  // namespace qlnx
