// What the analysis found about a record, as qlnx-batch and the Python module report it.
#pragma once

#include <optional>

#include "cli/json_output.h"
#include "core/analysis_state.h"
#include "core/record_suggestions.h"

namespace qlnx {

// The side the record loads towards first and the noise band suggested for it, with the
// noise band in force. noise, when given, receives the whole noise suggestion for the text
// that tells it (each finding walks the samples, so each is found once).
RecordFindings FindingsOf(const AnalysisState& state, double band,
                          std::optional<NoiseSuggestion>* noise = nullptr);

}  // namespace qlnx
