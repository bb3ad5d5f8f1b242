// The range of lines an import keeps: from the first line read to the last line asked for,
// so an idle tail of the record (after rupture, or the logger left running) is left out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/analysis_state.h"
#include "core/curve_import.h"

namespace qlnx {

// The warning for a last line that comes before the first line in reading order; nullptr
// when the range is sound (or no last line is asked for).
const char* LastLineRefusal(const ImportParameters& parameters);

// The 1-based file line that sample i of the imported curve was read from, parameters being
// those of the import: line FirstLine + i * Step for two columns; for a record read by its
// channels, counted from its first data line with the step, past the rows left out for a
// gap. Reading from the lines of a range of samples reads just those samples again.
int64_t LineOfSample(const AnalysisState& state, const ImportParameters& parameters, size_t sample);

// Drops the rows read past parameters.LastLine (and the time samples beside them); nothing
// when LastLine is 0.
void KeepRowsThroughLastLine(AnalysisState& state, const ImportParameters& parameters);

}  // namespace qlnx
