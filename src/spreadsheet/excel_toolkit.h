// Typed automation wrappers and the fixed call sequences on worksheets, charts and series,
// with the cell-reference texts the chart's range formulas are made of.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "spreadsheet/auto_value.h"
#include "spreadsheet/dispatch.h"
#include "spreadsheet/office_codes.h"

namespace qlnx {

// Every operation drops the handles it obtained on the way before it returns, also when it
// leaves by an AutomationError, which passes to the caller unchanged.

// put object.name = value, as boolean, 32-bit signed, 32-bit unsigned, 32-bit float, text.
void SetBoolProperty(const DispatchPtr& object, std::string_view name, bool flag);
void SetIntProperty(const DispatchPtr& object, std::string_view name, int32_t value);
void SetUIntProperty(const DispatchPtr& object, std::string_view name, uint32_t value);
void SetFloatProperty(const DispatchPtr& object, std::string_view name, float value);
void SetTextProperty(const DispatchPtr& object, std::string_view name, std::string_view text);
// call object.name(a) and object.name(a, b) with 32-bit signed arguments.
AutoValue CallInt(const DispatchPtr& object, std::string_view name, int32_t a);
AutoValue CallIntInt(const DispatchPtr& object, std::string_view name, int32_t a, int32_t b);
// get sheet."Cells"(row, column): 32-bit arguments, and 16-bit ones.
DispatchPtr GetCell(const DispatchPtr& sheet, int32_t row, int32_t column);
DispatchPtr GetCellShort(const DispatchPtr& sheet, int16_t row, int16_t column);

// get workbook."Sheets"(name).
DispatchPtr GetSheetByName(const DispatchPtr& workbook, std::string_view name);
// put cell."Value" = text for the cell at row, column (1-based). Row and column go as 16-bit
// values while both fit (row 32767 at most); a larger row goes as 32-bit values through
// GetCell, so no row of a worksheet is out of reach.
void SetCellText(const DispatchPtr& sheet, int32_t row, int32_t column, std::string_view text);
// get cell."Left" / cell."Top" in points, rounded to the nearest integer (ties to even).
int32_t GetCellLeft(const DispatchPtr& sheet, int32_t row, int32_t column);
int32_t GetCellTop(const DispatchPtr& sheet, int32_t row, int32_t column);
// A new XY scatter chart shape (style 240, type 72 unless given) placed and sized in points.
DispatchPtr AddChartShape(const DispatchPtr& sheet, int32_t left, int32_t top, int32_t width,
                          int32_t height, int32_t chartType = kXlXYScatterSmooth);

// Chart operations; "Axes" is always called as a method.
void SetChartHasTitle(const DispatchPtr& chart, bool flag);
// Sets the title text only when the chart's "HasTitle" reads true.
void SetChartTitleText(const DispatchPtr& chart, std::string_view text);
void SetXAxisTitle(const DispatchPtr& chart, std::string_view text);
void SetYAxisTitle(const DispatchPtr& chart, std::string_view text);
void SetXAxisCrossesAt(const DispatchPtr& chart, int32_t value);
void SetYAxisCrossesAt(const DispatchPtr& chart, int32_t value);
// put axis."Crosses" = xlAxisCrossesMinimum: the other axis crosses this one at its minimum.
void SetXAxisCrossesMinimum(const DispatchPtr& chart);
void SetYAxisCrossesMinimum(const DispatchPtr& chart);
// Axis line visibility; a visible line gets the theme's text colour.
void ShowXAxisLine(const DispatchPtr& chart, bool flag);
void ShowYAxisLine(const DispatchPtr& chart, bool flag);
void SetMajorTickMark(const DispatchPtr& chart, int32_t axisType, int32_t mark);
// The axis' "MinimumScale" and "MaximumScale".
void SetAxisScale(const DispatchPtr& chart, int32_t axisType, double minimum, double maximum);
// The axis' "MajorUnit" (the step between ticks) and its tick labels' "NumberFormat".
void SetAxisTicks(const DispatchPtr& chart, int32_t axisType, double step,
                  std::string_view numberFormat);
void SetPlotAreaLine(const DispatchPtr& chart, bool flag);

// Series operations. Colour components count by their low 8 bits.
void SetSeriesSource(const DispatchPtr& series, std::string_view name, std::string_view xValues,
                     std::string_view values);
void SetSeriesLineColor(const DispatchPtr& series, int32_t red, int32_t green, int32_t blue);
void SetSeriesMarkerFillColor(const DispatchPtr& series, int32_t red, int32_t green, int32_t blue);
void SetSeriesLineWeight(const DispatchPtr& series, float weight);
// series."Format"."Line"."Visible" = flag: a hidden line leaves the markers alone.
void SetSeriesLineVisible(const DispatchPtr& series, bool flag);
// Style kXlMarkerStyleNone sets only the style; any other style sets style, then size.
void SetSeriesMarker(const DispatchPtr& series, int32_t style, int32_t size);

// Letters of a column numbered from 1 (A) in bijective base 26: 27 gives AA, 703 AAA.
std::string ColumnLetters(int32_t column);
// marker + letters + marker + row: CellReference(12, 2, "$") is "$B$12".
std::string CellReference(int32_t row, int32_t column, std::string_view marker);

}  // namespace qlnx
