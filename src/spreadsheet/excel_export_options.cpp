#include "spreadsheet/excel_export_options.h"

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
    o.MarkerStyle = 8;
    o.ExportMode = 0;
}

}  // namespace qlnx
