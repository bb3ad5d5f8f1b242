#include "spreadsheet/excel_export_options.h"

#include "spreadsheet/office_codes.h"

namespace qlnx {

void InitExcelExportOptions(TExcelExportOptions& o) {
    o.ExcelApp = AutoValue::Null();
    o.ChartWidth = 300;
    o.ChartHeight = 450;
    o.ShowLegend = true;
    o.LegendIncludeInLayout = false;
    o.ShowTitle = false;
    o.TitleText = "Graph Title";
    o.ShowAxisLine = true;
    o.XAxisCrossesAt = "-10000";
    o.YAxisCrossesAt = "-10000";
    o.ShowAxisTitle = true;
    o.XAxisTitle = "X Axis";
    o.YAxisTitle = "Y Axis";
    o.TickLabelFontSize = 10;
    o.AxisTitleFontSize = 10;
    o.LegendFontSize = 10;
    o.ShowPlotAreaLine = true;
    o.LineWeight = 0.5f;
    o.LineColorMode = 0;
    o.MarkerColorMode = 0;
    o.ShowMarker = true;
    o.MarkerSize = 4;
    o.MarkerStyle = kXlMarkerStyleCircle;
    o.ExportMode = 0;
    o.LineType = 0;
    o.SeriesOrder = 0;
    o.PointSeriesStyle = 0;
    o.LoopSeriesStyle = 0;
    o.LegendPosition = 0;
    o.AxisCrossing = 0;
    o.ChartPlacement = 0;
    o.SeriesNames = 0;
    o.AxisLimits = 0;
}

void SetReportReadyOptions(TExcelExportOptions& o, const std::string& xAxisTitle,
                           const std::string& yAxisTitle) {
    o.LineType = 1;
    o.SeriesOrder = 1;
    o.PointSeriesStyle = 2;
    o.SeriesNames = 1;
    o.AxisLimits = 1;
    o.LineColorMode = 1;
    o.MarkerColorMode = 1;
    o.LoopSeriesStyle = 1;
    o.LegendPosition = 1;
    o.AxisCrossing = 1;
    o.ChartPlacement = 1;
    o.ChartWidth = 480;
    o.ChartHeight = 300;
    o.ShowMarker = true;
    o.ShowLegend = true;
    o.LegendIncludeInLayout = true;  // outside the plot: the plot makes room for it
    o.ShowAxisTitle = true;
    o.XAxisTitle = xAxisTitle;
    o.YAxisTitle = yAxisTitle;
    o.ExportMode = 0;  // one combined series would join every curve with one line
}

}  // namespace qlnx
