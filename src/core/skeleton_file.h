// The skeleton curve file: both branches, one row per node, in the text or CSV form of the
// other result files.
#pragma once

#include <string>
#include <string_view>

#include "core/analysis_state.h"
#include "core/result_files.h"

namespace qlnx {

// Suffix of the name offered for the skeleton curve file.
inline constexpr std::string_view kSkeletonSuffix = "_Skeleton";

// A "Positive" row per point of the positive skeleton series, then a "Negative" row per point
// of the negative one, in series order: branch, displacement and force, separated by a blank
// (text) or a comma (CSV), numbers in the general 15-digit format with the form's decimal
// separator, CR LF after every row.
std::string SkeletonRowsText(const AnalysisState& state, ResultForm form);

// The file the window writes: the header "Branch Disp Force" ("Branch,Disp,Force"), then the
// rows.
std::string SkeletonFileText(const AnalysisState& state, ResultForm form);

}  // namespace qlnx
