// The report writers qlnx-batch is given by its main program: the PDF needs Qt, which the batch
// library (linked by the Python module too) does without.
#pragma once

#include <functional>
#include <string>

#include "report/report_input.h"

namespace qlnx {

struct ReportWriters {
    // The PDF file's bytes of one record's report; throws std::exception with the reason.
    std::function<std::string(const RecordReport&)> Record;
    // The PDF file's bytes of a series' report.
    std::function<std::string(const SeriesReport&)> Series;
};

}  // namespace qlnx
