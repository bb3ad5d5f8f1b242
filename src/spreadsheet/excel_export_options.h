// The spreadsheet export settings held by the main window, and their defaults.
#pragma once

#include <cstdint>
#include <string>

#include "spreadsheet/auto_value.h"

namespace qlnx {

struct TExcelExportOptions {
    AutoValue ExcelApp;           // application of the latest export; Null before/after failure
    int32_t ChartWidth = 0;       // chart shape width, points
    int32_t ChartHeight = 0;      // chart shape height, points
    bool ShowLegend = false;      // legend at the right, formatted; off: no legend call at all
    bool LegendIncludeInLayout = false;
    bool ShowTitle = false;       // the chart's "HasTitle"; on: the title text is set
    std::string TitleText;
    bool ShowAxisLine = false;    // visibility of both axis lines
    std::string XAxisCrossesAt;   // when not empty: number, truncated, X axis "CrossesAt"
    std::string YAxisCrossesAt;
    bool ShowAxisTitle = false;   // both axis titles set and sized
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
    int32_t MarkerStyle = 0;      // marker style code, passed unchanged
    int32_t ExportMode = 0;       // 0 single output (two columns per series), 1 combined
};

// Sets every field to its default: ExcelApp Null, 300 x 450 pt chart, legend shown and not
// in the layout, no title ("Graph Title"), axis lines, titles "X Axis"/"Y Axis" crossing at
// "-10000", font sizes 10, plot-area line, weight 0.5, automatic colours, markers style 8
// size 4, single output.
void InitExcelExportOptions(TExcelExportOptions& options);

}  // namespace qlnx
