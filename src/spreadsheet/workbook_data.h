// What the in-process workbook application holds: workbooks, their sheets and cells, and
// the embedded charts with every setting the automation calls made on them.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/cell_store.h"

namespace qlnx {

// A block of cells on a named sheet, rows and columns 1-based and inclusive.
struct CellRange {
    std::string sheet;
    int32_t firstRow = 1;
    int32_t firstColumn = 1;
    int32_t lastRow = 1;
    int32_t lastColumn = 1;
};

struct ColorSetting {
    std::optional<uint32_t> rgb;        // 0x00BBGGRR, as the object model passes it
    std::optional<int32_t> themeColor;  // theme colour index
};

struct LineSetting {
    std::optional<bool> visible;
    ColorSetting color;
    std::optional<float> weight;  // points
};

struct FillSetting {
    std::optional<bool> visible;
    ColorSetting color;
};

struct FontSetting {
    std::optional<double> size;  // points
};

struct SeriesData {
    // "Name": a literal text or a reference to one cell.
    std::optional<std::string> nameText;
    std::optional<CellRange> nameCell;
    std::optional<CellRange> xValues;
    std::optional<CellRange> values;
    LineSetting line;
    FillSetting fill;  // the marker fill of a scatter series
    std::optional<int32_t> markerStyle;
    std::optional<int32_t> markerSize;
};

struct AxisData {
    bool hasTitle = false;
    std::string titleText = "Axis Title";
    FontSetting titleFont;
    LineSetting line;
    std::optional<double> crossesAt;  // where the other axis crosses this one
    std::optional<int32_t> crosses;   // or at this axis' minimum (4) or maximum (2)
    std::optional<int32_t> majorTickMark;
    FontSetting tickLabelFont;
    std::optional<double> minimumScale;  // the axis' ends; unset, the application's own
    std::optional<double> maximumScale;
    std::optional<double> majorUnit;  // the step between ticks; unset, the application's own
    std::string tickLabelFormat;      // the tick labels' number format; empty, General
};

struct ChartData {
    int32_t style = 0;
    int32_t chartType = 0;
    // Position and size of the chart's shape, points.
    double left = 0;
    double top = 0;
    double width = 360;
    double height = 216;
    std::deque<SeriesData> series;
    AxisData axes[2];  // [0] X (category), [1] Y (value)
    // A new chart has no legend until one is placed, so a chart whose legend is never
    // asked for shows none.
    bool hasLegend = false;
    bool legendAtBottom = false;  // placed at the bottom, else at the right
    bool legendIncludeInLayout = true;
    FontSetting legendFont;
    LineSetting plotAreaLine;
    bool hasTitle = false;
    std::string titleText = "Chart Title";
};

struct WorksheetData {
    std::string name;
    CellStore cells;
    std::deque<ChartData> charts;
};

struct WorkbookData {
    std::deque<WorksheetData> sheets;
    bool published = false;  // written to a file; its cells were released
};

// A chart with the workbook that holds it (and keeps it alive).
struct ChartHandle {
    std::shared_ptr<WorkbookData> book;
    ChartData* chart = nullptr;
};

// The state of one application object.
struct ApplicationData {
    bool visible = false;
    std::vector<std::shared_ptr<WorkbookData>> workbooks;
    ChartHandle activeChart;  // the chart of the shape selected last
};

}  // namespace qlnx
