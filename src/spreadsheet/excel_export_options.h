// The spreadsheet export settings held by the main window, and their defaults.
#pragma once

#include <cstdint>
#include <string>

#include "spreadsheet/auto_value.h"

namespace qlnx {

struct TExcelExportOptions {
    AutoValue ExcelApp;       // application of the latest export; Null before/after failure
    int32_t ChartWidth = 0;   // chart shape width, points
    int32_t ChartHeight = 0;  // chart shape height, points
    bool ShowLegend = false;  // legend at the right, formatted; off: no legend call at all
    bool LegendIncludeInLayout = false;
    bool ShowTitle = false;  // the chart's "HasTitle"; on: the title text is set
    std::string TitleText;
    bool ShowAxisLine = false;   // visibility of both axis lines
    std::string XAxisCrossesAt;  // when not empty: number, truncated, X axis "CrossesAt"
    std::string YAxisCrossesAt;
    bool ShowAxisTitle = false;  // both axis titles set and sized
    std::string XAxisTitle;
    std::string YAxisTitle;
    int32_t TickLabelFontSize = 0;
    int32_t AxisTitleFontSize = 0;
    int32_t LegendFontSize = 0;
    bool ShowPlotAreaLine = false;
    float LineWeight = 0;         // series line weight, points
    int32_t LineColorMode = 0;    // 0 automatic, 1 the colour of the chart's series
    int32_t MarkerColorMode = 0;  // the same for the marker fill (only with ShowMarker)
    bool ShowMarker = false;
    int32_t MarkerSize = 0;
    int32_t MarkerStyle = 0;  // marker style code, passed unchanged
    int32_t ExportMode = 0;   // 0 single output (two columns per series), 1 combined
    // The report-ready chart; each default keeps the chart as the export has always made it.
    int32_t LineType = 0;          // 0 smoothed lines (scatter type 72), 1 straight lines (74)
    int32_t SeriesOrder = 0;       // 0 chart order, 1 loop first (drawn under the others) and
                                   // the point series last (single output)
    int32_t PointSeriesStyle = 0;  // 0 as the other series, 1 markers only (no line), 2 left
                                   // out of the sheet and the chart, with every empty series
    int32_t LoopSeriesStyle = 0;   // 0 as the other series, 1 thin line without markers
    int32_t LegendPosition = 0;    // 0 at the right, 1 at the bottom
    int32_t AxisCrossing = 0;      // 0 at the typed positions, 1 each axis at the other's minimum
    int32_t ChartPlacement = 0;    // 0 at cell C5, 1 to the right of the data
    int32_t SeriesNames = 0;       // 0 the chart series' titles, 1 names for a report
                                   // ("Skeleton, positive", "Loop 3"; ReportSeriesName)
    int32_t AxisLimits = 0;        // 0 the application's own, 1 round numbers just beyond the data
};

// Line weight of the loop series drawn as a thin line, points.
inline constexpr float kThinLoopLineWeight = 0.25f;

// The report-ready chart: straight lines, the loop as a thin line under the other series, the
// point series and empty series left out, names for a report, the window's colours, axis
// limits rounded from the data, the axes crossing at their minimum, the legend at the bottom
// outside the plot, a chart of 480 x 300 pt to the right of the data, one series per chart
// series, with the given axis titles shown. Other fields keep their values.
void SetReportReadyOptions(TExcelExportOptions& options, const std::string& xAxisTitle,
                           const std::string& yAxisTitle);

// Sets every field to its default: ExcelApp Null, 300 x 450 pt chart, legend shown and not
// in the layout, no title ("Graph Title"), axis lines, titles "X Axis"/"Y Axis" crossing at
// "-10000", font sizes 10, plot-area line, weight 0.5, automatic colours, markers style 8
// size 4, single output; smoothed lines, chart order, every series alike, legend at the
// right, axes at the typed positions, chart at C5, the series' titles, automatic axis limits.
void InitExcelExportOptions(TExcelExportOptions& options);

}  // namespace qlnx
