#include "spreadsheet/excel_toolkit.h"

#include <algorithm>
#include <limits>

#include "spreadsheet/automation_calls.h"

namespace qlnx {

namespace {

DispatchPtr GetObject(const DispatchPtr& object, std::string_view name) {
    return ValueToObject(PropertyGet(object, name));
}

uint32_t Rgb(int32_t red, int32_t green, int32_t blue) {
    return static_cast<uint32_t>(red & 0xFF) + 256u * static_cast<uint32_t>(green & 0xFF) +
           65536u * static_cast<uint32_t>(blue & 0xFF);
}

DispatchPtr Axis(const DispatchPtr& chart, int32_t axisType) {
    return ValueToObject(CallIntInt(chart, "Axes", axisType, kXlPrimary));
}

void SetAxisTitle(const DispatchPtr& chart, int32_t element, int32_t axisType,
                  std::string_view text) {
    CallInt(chart, "SetElement", element);
    const DispatchPtr axis = Axis(chart, axisType);
    const DispatchPtr title = GetObject(axis, "AxisTitle");
    SetTextProperty(title, "Text", text);
}

void SetAxisCrossesAt(const DispatchPtr& chart, int32_t axisType, int32_t value) {
    const DispatchPtr axis = Axis(chart, axisType);
    SetIntProperty(axis, "CrossesAt", value);
}

// format."Line"."Visible" = flag; a visible line takes the theme's text colour.
void ShowFormatLine(const DispatchPtr& format, bool flag) {
    const DispatchPtr line = GetObject(format, "Line");
    SetBoolProperty(line, "Visible", flag);
    if (flag) {
        const DispatchPtr colour = GetObject(line, "ForeColor");
        SetIntProperty(colour, "ObjectThemeColor", kMsoThemeColorText1);
    }
}

void ShowAxisLine(const DispatchPtr& chart, int32_t axisType, bool flag) {
    const DispatchPtr axis = Axis(chart, axisType);
    const DispatchPtr format = GetObject(axis, "Format");
    ShowFormatLine(format, flag);
}

// series."Format".<part> made visible and coloured.
void SetSeriesPartColor(const DispatchPtr& series, std::string_view part, int32_t red,
                        int32_t green, int32_t blue) {
    const DispatchPtr format = GetObject(series, "Format");
    const DispatchPtr target = GetObject(format, part);
    SetBoolProperty(target, "Visible", true);
    const DispatchPtr colour = GetObject(target, "ForeColor");
    SetUIntProperty(colour, "RGB", Rgb(red, green, blue));
}

bool FitsShort(int32_t v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

}  // namespace

void SetBoolProperty(const DispatchPtr& object, std::string_view name, bool flag) {
    PropertySet(object, name, AutoValue::Bool(flag));
}

void SetIntProperty(const DispatchPtr& object, std::string_view name, int32_t value) {
    PropertySet(object, name, AutoValue::I4(value));
}

void SetUIntProperty(const DispatchPtr& object, std::string_view name, uint32_t value) {
    PropertySet(object, name, AutoValue::UI4(value));
}

void SetFloatProperty(const DispatchPtr& object, std::string_view name, float value) {
    PropertySet(object, name, AutoValue::R4(value));
}

void SetTextProperty(const DispatchPtr& object, std::string_view name, std::string_view text) {
    PropertySet(object, name, AutoValue::Text(text));
}

AutoValue CallInt(const DispatchPtr& object, std::string_view name, int32_t a) {
    return CallFunction(object, name, {AutoValue::I4(a)});
}

AutoValue CallIntInt(const DispatchPtr& object, std::string_view name, int32_t a, int32_t b) {
    return CallFunction(object, name, {AutoValue::I4(a), AutoValue::I4(b)});
}

DispatchPtr GetCell(const DispatchPtr& sheet, int32_t row, int32_t column) {
    return ValueToObject(PropertyGet(sheet, "Cells", {AutoValue::I4(row), AutoValue::I4(column)}));
}

DispatchPtr GetCellShort(const DispatchPtr& sheet, int16_t row, int16_t column) {
    return ValueToObject(PropertyGet(sheet, "Cells", {AutoValue::I2(row), AutoValue::I2(column)}));
}

DispatchPtr GetSheetByName(const DispatchPtr& workbook, std::string_view name) {
    return ValueToObject(PropertyGet(workbook, "Sheets", {AutoValue::Text(name)}));
}

void SetCellText(const DispatchPtr& sheet, int32_t row, int32_t column, std::string_view text) {
    const DispatchPtr cell =
        FitsShort(row) && FitsShort(column)
            ? GetCellShort(sheet, static_cast<int16_t>(row), static_cast<int16_t>(column))
            : GetCell(sheet, row, column);
    SetTextProperty(cell, "Value", text);
}

int32_t GetCellLeft(const DispatchPtr& sheet, int32_t row, int32_t column) {
    const DispatchPtr cell = GetCell(sheet, row, column);
    return ValueToInt32(PropertyGet(cell, "Left"));
}

int32_t GetCellTop(const DispatchPtr& sheet, int32_t row, int32_t column) {
    const DispatchPtr cell = GetCell(sheet, row, column);
    return ValueToInt32(PropertyGet(cell, "Top"));
}

DispatchPtr AddChartShape(const DispatchPtr& sheet, int32_t left, int32_t top, int32_t width,
                          int32_t height, int32_t chartType) {
    const DispatchPtr shapes = GetObject(sheet, "Shapes");
    DispatchPtr shape = ValueToObject(CallIntInt(shapes, "AddChart2", kChartStyle240, chartType));
    SetIntProperty(shape, "Left", left);
    SetIntProperty(shape, "Top", top);
    SetIntProperty(shape, "Width", width);
    SetIntProperty(shape, "Height", height);
    return shape;
}

void SetChartHasTitle(const DispatchPtr& chart, bool flag) {
    SetBoolProperty(chart, "HasTitle", flag);
}

void SetChartTitleText(const DispatchPtr& chart, std::string_view text) {
    if (!ValueToBool(PropertyGet(chart, "HasTitle"))) return;
    const DispatchPtr title = GetObject(chart, "ChartTitle");
    SetTextProperty(title, "Text", text);
}

void SetXAxisTitle(const DispatchPtr& chart, std::string_view text) {
    SetAxisTitle(chart, kMsoElementPrimaryCategoryAxisTitle, kXlCategory, text);
}

void SetYAxisTitle(const DispatchPtr& chart, std::string_view text) {
    SetAxisTitle(chart, kMsoElementPrimaryValueAxisTitle, kXlValue, text);
}

void SetXAxisCrossesAt(const DispatchPtr& chart, int32_t value) {
    SetAxisCrossesAt(chart, kXlCategory, value);
}

void SetYAxisCrossesAt(const DispatchPtr& chart, int32_t value) {
    SetAxisCrossesAt(chart, kXlValue, value);
}

void SetXAxisCrossesMinimum(const DispatchPtr& chart) {
    SetIntProperty(Axis(chart, kXlCategory), "Crosses", kXlAxisCrossesMinimum);
}

void SetYAxisCrossesMinimum(const DispatchPtr& chart) {
    SetIntProperty(Axis(chart, kXlValue), "Crosses", kXlAxisCrossesMinimum);
}

void ShowXAxisLine(const DispatchPtr& chart, bool flag) { ShowAxisLine(chart, kXlCategory, flag); }

void ShowYAxisLine(const DispatchPtr& chart, bool flag) { ShowAxisLine(chart, kXlValue, flag); }

void SetAxisScale(const DispatchPtr& chart, int32_t axisType, double minimum, double maximum) {
    const DispatchPtr axis = Axis(chart, axisType);
    PropertySet(axis, "MinimumScale", AutoValue::R8(minimum));
    PropertySet(axis, "MaximumScale", AutoValue::R8(maximum));
}

void SetAxisTicks(const DispatchPtr& chart, int32_t axisType, double step,
                  std::string_view numberFormat) {
    const DispatchPtr axis = Axis(chart, axisType);
    PropertySet(axis, "MajorUnit", AutoValue::R8(step));
    const DispatchPtr labels = GetObject(axis, "TickLabels");
    PropertySet(labels, "NumberFormat", AutoValue::Text(numberFormat));
}

void SetMajorTickMark(const DispatchPtr& chart, int32_t axisType, int32_t mark) {
    const DispatchPtr axis = Axis(chart, axisType);
    SetIntProperty(axis, "MajorTickMark", mark);
}

void SetPlotAreaLine(const DispatchPtr& chart, bool flag) {
    const DispatchPtr area = GetObject(chart, "PlotArea");
    const DispatchPtr format = GetObject(area, "Format");
    ShowFormatLine(format, flag);
}

void SetSeriesSource(const DispatchPtr& series, std::string_view name, std::string_view xValues,
                     std::string_view values) {
    SetTextProperty(series, "Name", name);
    SetTextProperty(series, "XValues", xValues);
    SetTextProperty(series, "Values", values);
}

void SetSeriesLineColor(const DispatchPtr& series, int32_t red, int32_t green, int32_t blue) {
    SetSeriesPartColor(series, "Line", red, green, blue);
}

void SetSeriesMarkerFillColor(const DispatchPtr& series, int32_t red, int32_t green, int32_t blue) {
    SetSeriesPartColor(series, "Fill", red, green, blue);
}

void SetSeriesLineWeight(const DispatchPtr& series, float weight) {
    const DispatchPtr format = GetObject(series, "Format");
    const DispatchPtr line = GetObject(format, "Line");
    SetBoolProperty(line, "Visible", true);
    SetFloatProperty(line, "Weight", weight);
}

void SetSeriesLineVisible(const DispatchPtr& series, bool flag) {
    const DispatchPtr format = GetObject(series, "Format");
    const DispatchPtr line = GetObject(format, "Line");
    SetBoolProperty(line, "Visible", flag);
}

void SetSeriesMarker(const DispatchPtr& series, int32_t style, int32_t size) {
    SetIntProperty(series, "MarkerStyle", style);
    if (style == kXlMarkerStyleNone) return;
    SetIntProperty(series, "MarkerSize", size);
}

std::string ColumnLetters(int32_t column) {
    std::string letters;
    int32_t n = column;
    while (n > 0) {
        const int32_t r = n % 26;
        letters.push_back(r != 0 ? static_cast<char>('@' + r) : 'Z');
        n = (n - 1) / 26;
    }
    std::reverse(letters.begin(), letters.end());
    return letters;
}

std::string CellReference(int32_t row, int32_t column, std::string_view marker) {
    std::string ref(marker);
    ref += ColumnLetters(column);
    ref += marker;
    ref += std::to_string(row);
    return ref;
}

}  // namespace qlnx
