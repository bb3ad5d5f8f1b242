// qlnx-batch on a test series: the specimens of a project, or several records read with the
// same options, evaluated one after the other and compared.
#pragma once

#include <ostream>
#include <string>

#include "cli/batch_options.h"
#include "cli/report_writers.h"
#include "core/series_table.h"

namespace qlnx {

// Runs --project FILE.qlnx or --series FILE...: evaluates each specimen, prints the
// comparison table (or, with --json, {"Specimens": [...], "Series": {...}}) and writes the
// table as CSV when asked for. A project that cannot be read, or a record that is missing or
// changed since the project was saved, is reported on err (the record's specimen is left
// out). With --report, the series' report is written by reports. Returns the exit status.
int RunSeries(const BatchOptions& options, std::ostream& out, std::ostream& err,
              const ReportWriters& reports = {});

// Appends the "Series" object (without its key): the yield method and the groups, each with
// its table (one object a specimen, keyed by column), the statistics rows keyed the same
// way, why a characteristic value is null, and the mean skeleton of each branch.
void AppendSeriesJson(std::string& out, const std::vector<SeriesGroup>& groups, YieldMethod yield);

}  // namespace qlnx
