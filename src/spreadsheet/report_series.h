// Names of the chart's series as a report shows them, the same in every language.
#pragma once

#include <string>

#include "core/chart_model.h"

namespace qlnx {

// "Hysteresis loops" for the loop series, "Loop 3" for the chosen loop ("Chosen loop" while
// none is chosen), "Skeleton, positive" and "Skeleton, negative", and for the point series
// "Loop start, turn and end" and "Largest displacements".
std::string ReportSeriesName(const ChartModel& chart, int index);

}  // namespace qlnx
