// qlnx-batch --report: the title block's settings of a run and the report written through the
// safe-write path.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_options.h"
#include "cli/report_writers.h"
#include "core/safe_write.h"

namespace qlnx {

// The settings a run was read and evaluated with, as the report's title block lists them:
// import options or channels, noise band, loop direction, skeleton method, evaluation options
// and preset.
std::vector<std::pair<std::string, std::string>> BatchReportSettings(
    const BatchOptions& options, const AnalysisState& state, const TestEvaluation* evaluation,
    double noiseBand, LoopDirection direction, const std::string& skeletonMethod);

// Writes the report of the run to options.ReportFile; the error box's message when it cannot
// be written.
std::optional<std::string> WriteBatchReport(const BatchOptions& options, RecordReport report,
                                            const ReportWriters& writers, const WriteGuard& guard);

}  // namespace qlnx
