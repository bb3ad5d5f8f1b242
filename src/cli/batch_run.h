// One run of qlnx-batch: the window's operations in the window's order, then the output.
#pragma once

#include <ostream>

#include "cli/batch_options.h"
#include "cli/report_writers.h"

namespace qlnx {

inline constexpr int kExitDone = 0;
inline constexpr int kExitMessage = 1;  // the window would have shown a warning or error
inline constexpr int kExitUsage = 2;

// Checks the first-line and step texts, imports the file, analyses the loops (whatever the
// import reported, as if "Analyze Loop" were pressed next), extracts and thins the skeleton
// curve when asked, writes the files asked for, exports the chart to a workbook when asked,
// and prints the loop table or the JSON object to out. Every message the window would show goes to
// err as well. Returns the exit status. The test report (--report) is written by reports; a
// program without them refuses it.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err,
             const ReportWriters& reports = {});

}  // namespace qlnx
