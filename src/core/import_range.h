// The range of lines an import keeps: from the first line read to the last line asked for,
// so an idle tail of the record (after rupture, or the logger left running) is left out.
#pragma once

#include "core/analysis_state.h"
#include "core/curve_import.h"

namespace qlnx {

// The warning for a last line that comes before the first line in reading order; nullptr
// when the range is sound (or no last line is asked for).
const char* LastLineRefusal(const ImportParameters& parameters);

// Drops the rows read past parameters.LastLine (row i being line FirstLine + i * Step, as
// the reader reads them); nothing when LastLine is 0.
void KeepRowsThroughLastLine(AnalysisState& state, const ImportParameters& parameters);

}  // namespace qlnx
