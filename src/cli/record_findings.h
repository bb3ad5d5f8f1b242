// What the analysis found about a record, as qlnx-batch and the Python module report it.
#pragma once

#include "cli/json_output.h"
#include "core/analysis_state.h"

namespace qlnx {

// The side the record loads towards first and the noise band suggested for it, with the
// noise band in force.
RecordFindings FindingsOf(const AnalysisState& state, double band);

}  // namespace qlnx
