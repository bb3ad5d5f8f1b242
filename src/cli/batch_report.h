// qlnx-batch --report: the report of a run written through the safe-write path.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/batch_options.h"
#include "cli/report_writers.h"
#include "core/report_settings.h"
#include "core/safe_write.h"
#include "core/series_evaluation.h"

namespace qlnx {

// How the run read the record, for the report's title block.
ReportReading BatchReading(const BatchOptions& options, double noiseBand, LoopDirection direction,
                           const std::string& skeletonMethod);

// Writes the report of the run to options.ReportFile; the error box's message when it cannot
// be written.
std::optional<std::string> WriteBatchReport(const BatchOptions& options, RecordReport report,
                                            const ReportWriters& writers, const WriteGuard& guard);

// Writes the report of a series run to options.ReportFile (never over the project file or a
// record of the series); the error box's message when it cannot be written.
std::optional<std::string> WriteSeriesReport(const BatchOptions& options,
                                             const SeriesEvaluation& evaluation,
                                             const std::vector<SeriesGroup>& groups,
                                             const ReportWriters& writers);

}  // namespace qlnx
