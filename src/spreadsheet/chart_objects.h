// The chart side of the in-process application's object model: Chart, SeriesCollection,
// Series, Axis, titles, tick labels, legend, plot area and their format, line, fill, colour
// and font objects.
#pragma once

#include "spreadsheet/auto_value.h"
#include "spreadsheet/workbook_data.h"

namespace qlnx {

// The Chart object of chart (chart.chart must not be null).
AutoValue NewChartObject(ChartHandle chart);

}  // namespace qlnx
