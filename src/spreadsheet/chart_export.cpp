#include "spreadsheet/chart_export.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/number_text.h"
#include "spreadsheet/automation_calls.h"
#include "spreadsheet/axis_limits.h"
#include "spreadsheet/cell_store.h"
#include "spreadsheet/document_publisher.h"
#include "spreadsheet/excel_application.h"
#include "spreadsheet/excel_toolkit.h"
#include "spreadsheet/report_series.h"

namespace qlnx {

namespace {

std::string SheetRef(int32_t row, int32_t column) {
    return "=Sheet1!" + CellReference(row, column, "$");
}

std::string SheetRange(int32_t firstRow, int32_t lastRow, int32_t column) {
    return SheetRef(firstRow, column) + ":" + CellReference(lastRow, column, "$");
}

// Share of the progress range that sending the cells takes; writing the file takes the rest
// (measured on a million-point series: sending takes an eighth of the whole).
constexpr double kSendShare = 0.15;

// Thrown out of the cell loops when the user stops the export.
struct ExportStopped {};

// Counts the points sent and reports them to the export's progress.
class SendProgress {
public:
    SendProgress(const ProgressCallback& progress, const ChartModel& chart)
        : stretch_(progress, 0.0, kSendShare, PointCount(chart)) {}
    // One more point is sent; throws ExportStopped when the user has asked to stop.
    void Point() {
        if (!stretch_.Tick(sent_++)) throw ExportStopped{};
    }

private:
    static uint64_t PointCount(const ChartModel& chart) {
        uint64_t n = 0;
        for (int i = 0; i < chart.SeriesCount(); ++i) {
            n += static_cast<uint64_t>(chart.GetSeries(i).Count());
        }
        return n;
    }

    ProgressStretch stretch_;
    uint64_t sent_ = 0;
};

// Writes the number text of value into the cell, reusing one buffer for all cells.
class NumberCellWriter {
public:
    explicit NumberCellWriter(const DispatchPtr& sheet) : sheet_(sheet) {}
    void Write(int32_t row, int32_t column, double value) {
        text_.clear();
        AppendGeneral15(text_, value, DecimalSeparator());
        SetCellText(sheet_, row, column, text_);
    }

private:
    const DispatchPtr& sheet_;
    std::string text_;
};

// What a chart series is drawn as besides the options every series shares.
enum class SeriesRole { kOther, kPoint, kLoop };

SeriesRole RoleOf(const TExcelExportOptions& o, int index) {
    if (o.PointSeriesStyle == 1 &&
        (index == ChartModel::pntsrsSeries1 || index == ChartModel::pntsrsSeries2)) {
        return SeriesRole::kPoint;
    }
    if (o.LoopSeriesStyle == 1 && index == ChartModel::LoopSeries) return SeriesRole::kLoop;
    return SeriesRole::kOther;
}

void FormatNewSeries(const TExcelExportOptions& o, const DispatchPtr& series, ColorBytes c,
                     SeriesRole role = SeriesRole::kOther) {
    if (role == SeriesRole::kPoint) {
        // Markers only: the marks of a point series are not joined by lines.
        SetSeriesMarker(series, o.MarkerStyle, o.MarkerSize);
        if (o.MarkerColorMode == 1) SetSeriesMarkerFillColor(series, c.Red, c.Green, c.Blue);
        SetSeriesLineVisible(series, false);
        return;
    }
    if (o.LineColorMode == 1) SetSeriesLineColor(series, c.Red, c.Green, c.Blue);
    if (role == SeriesRole::kLoop) {
        // Thousands of points: a thin line, no markers to hide the curves over it.
        SetSeriesMarker(series, kXlMarkerStyleNone, 2);
        SetSeriesLineWeight(series, kThinLoopLineWeight);
        return;
    }
    if (o.ShowMarker) {
        SetSeriesMarker(series, o.MarkerStyle, o.MarkerSize);
        if (o.MarkerColorMode == 1) SetSeriesMarkerFillColor(series, c.Red, c.Green, c.Blue);
    } else {
        SetSeriesMarker(series, kXlMarkerStyleNone, 2);
    }
    SetSeriesLineWeight(series, o.LineWeight);
}

bool IsPointSeries(int i) {
    return i == ChartModel::pntsrsSeries1 || i == ChartModel::pntsrsSeries2;
}

// The chart series written, in chart order: all of them, or without the point series and
// the series without points.
std::vector<int> ExportedSeries(const TExcelExportOptions& o, const ChartModel& chart) {
    std::vector<int> exported;
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        if (o.PointSeriesStyle == 2 && (IsPointSeries(i) || chart.GetSeries(i).Count() == 0)) {
            continue;
        }
        exported.push_back(i);
    }
    return exported;
}

// The chart series in the order they are added (the later drawn over the earlier): chart
// order, or the loop first and the point series last; only those exported.
std::vector<int> SeriesDrawingOrder(const TExcelExportOptions& o,
                                    const std::vector<int>& exported) {
    if (o.SeriesOrder != 1) return exported;
    std::vector<int> order;
    for (const int i : exported) {
        if (i == ChartModel::LoopSeries) order.push_back(i);
    }
    for (const int i : exported) {
        if (i != ChartModel::LoopSeries && !IsPointSeries(i)) order.push_back(i);
    }
    for (const int i : exported) {
        if (IsPointSeries(i)) order.push_back(i);
    }
    return order;
}

// The title of a series' column and chart series.
std::string SeriesName(const TExcelExportOptions& o, const ChartModel& chart, int index) {
    return o.SeriesNames == 1 ? ReportSeriesName(chart, index) : chart.GetSeries(index).Title;
}

// Both axes from round numbers below the smallest to round numbers above the largest finite
// value of the series exported; an axis without finite values keeps the application's ends.
void SetRoundAxisLimits(const DispatchPtr& excelChart, const ChartModel& chart,
                        const std::vector<int>& exported) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double xLo = kInf, xHi = -kInf, yLo = kInf, yHi = -kInf;
    for (const int i : exported) {
        const ChartSeries& s = chart.GetSeries(i);
        for (int p = 0; p < s.Count(); ++p) {
            const double x = s.GetxValue(p), y = s.GetyValue(p);
            if (std::isfinite(x)) {
                xLo = std::min(xLo, x);
                xHi = std::max(xHi, x);
            }
            if (std::isfinite(y)) {
                yLo = std::min(yLo, y);
                yHi = std::max(yHi, y);
            }
        }
    }
    // The ticks at the round step, labelled with the digits the step has: the application
    // adds the step up itself, and -0.3 + 3 x 0.1 would otherwise read 2.77555756156289E-17.
    const auto setAxis = [&](int32_t axisType, double lo, double hi) {
        const AxisLimits a = RoundAxisLimits(lo, hi);
        SetAxisScale(excelChart, axisType, a.Minimum, a.Maximum);
        const std::string format =
            a.Decimals > 0 ? "0." + std::string(static_cast<size_t>(a.Decimals), '0') : "0";
        SetAxisTicks(excelChart, axisType, a.Step, format);
    };
    if (xLo <= xHi) setAxis(kXlCategory, xLo, xHi);
    if (yLo <= yHi) setAxis(kXlValue, yLo, yHi);
}

// The crossing position typed in the options, truncated toward zero.
int32_t CrossingValue(const std::string& text, const char* boxName) {
    const double v = std::trunc(StrToFloat(text));
    if (!(v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())) {
        throw Error(std::string(boxName) + " " + text +
                    " is out of the range -2147483648 to 2147483647");
    }
    return static_cast<int32_t>(v);
}

void SetAxisTitleFontSize(const DispatchPtr& chart, int32_t axisType, int32_t size) {
    const DispatchPtr axis = ValueToObject(CallIntInt(chart, "Axes", axisType, kXlPrimary));
    const DispatchPtr title = ValueToObject(PropertyGet(axis, "AxisTitle"));
    const DispatchPtr font = ValueToObject(PropertyGet(title, "Font"));
    SetIntProperty(font, "Size", size);
}

void SetTickLabelFontSize(const DispatchPtr& chart, int32_t axisType, int32_t size) {
    const DispatchPtr axis = ValueToObject(CallInt(chart, "Axes", axisType));
    const DispatchPtr labels = ValueToObject(PropertyGet(axis, "TickLabels"));
    const DispatchPtr font = ValueToObject(PropertyGet(labels, "Font"));
    SetIntProperty(font, "Size", size);
}

void FormatChart(const TExcelExportOptions& o, const DispatchPtr& chart) {
    if (o.ShowAxisTitle) {
        SetXAxisTitle(chart, o.XAxisTitle);
        SetAxisTitleFontSize(chart, kXlCategory, o.AxisTitleFontSize);
    }
    ShowXAxisLine(chart, o.ShowAxisLine);
    if (o.AxisCrossing == 1) {
        SetXAxisCrossesMinimum(chart);
    } else if (!o.XAxisCrossesAt.empty()) {
        SetXAxisCrossesAt(chart, CrossingValue(o.XAxisCrossesAt, "X Axis Position"));
    }
    SetMajorTickMark(chart, kXlCategory, kXlTickMarkInside);
    if (o.ShowAxisTitle) {
        SetYAxisTitle(chart, o.YAxisTitle);
        SetAxisTitleFontSize(chart, kXlValue, o.AxisTitleFontSize);
    }
    ShowYAxisLine(chart, o.ShowAxisLine);
    if (o.AxisCrossing == 1) {
        SetYAxisCrossesMinimum(chart);
    } else if (!o.YAxisCrossesAt.empty()) {
        SetYAxisCrossesAt(chart, CrossingValue(o.YAxisCrossesAt, "Y Axis Position"));
    }
    SetMajorTickMark(chart, kXlValue, kXlTickMarkInside);
    SetTickLabelFontSize(chart, kXlValue, o.TickLabelFontSize);
    SetTickLabelFontSize(chart, kXlCategory, o.TickLabelFontSize);
    if (o.ShowLegend) {
        CallInt(chart, "SetElement",
                o.LegendPosition == 1 ? kMsoElementLegendBottom : kMsoElementLegendRight);
        {
            const DispatchPtr legend = ValueToObject(PropertyGet(chart, "Legend"));
            SetBoolProperty(legend, "IncludeInLayout", o.LegendIncludeInLayout);
        }
        const DispatchPtr legend = ValueToObject(PropertyGet(chart, "Legend"));
        const DispatchPtr font = ValueToObject(PropertyGet(legend, "Font"));
        SetIntProperty(font, "Size", o.LegendFontSize);
    }
    SetPlotAreaLine(chart, o.ShowPlotAreaLine);
    SetChartHasTitle(chart, o.ShowTitle);
    if (o.ShowTitle) SetChartTitleText(chart, o.TitleText);
}

// One column pair per series: "X" and the title in row 1, the points from row 2.
void ExportSingle(const TExcelExportOptions& o, const ChartModel& chart,
                  const DispatchPtr& application, const DispatchPtr& sheet,
                  const DispatchPtr& shape, SendProgress& sending) {
    NumberCellWriter cells(sheet);
    const std::vector<int> exported = ExportedSeries(o, chart);
    // The place of each series' column pair among those written.
    std::vector<int32_t> place(static_cast<size_t>(chart.SeriesCount()), 0);
    for (size_t k = 0; k < exported.size(); ++k) {
        place[static_cast<size_t>(exported[k])] = static_cast<int32_t>(k);
    }
    for (const int i : exported) {
        const ChartSeries& s = chart.GetSeries(i);
        const int32_t xColumn = 2 * place[static_cast<size_t>(i)] + 1;
        const int32_t yColumn = 2 * place[static_cast<size_t>(i)] + 2;
        SetCellText(sheet, 1, xColumn, "X");
        SetCellText(sheet, 1, yColumn, SeriesName(o, chart, i));
        for (int p = 0; p < s.Count(); ++p) {
            sending.Point();
            cells.Write(p + 2, xColumn, s.GetxValue(p));
            cells.Write(p + 2, yColumn, s.GetyValue(p));
        }
    }
    CallProcedure(shape, "Select");
    const DispatchPtr excelChart = ValueToObject(PropertyGet(application, "ActiveChart"));
    const DispatchPtr collection = ValueToObject(CallFunction(excelChart, "SeriesCollection"));
    for (const int i : SeriesDrawingOrder(o, exported)) {
        const ChartSeries& s = chart.GetSeries(i);
        const int32_t xColumn = 2 * place[static_cast<size_t>(i)] + 1;
        const int32_t yColumn = 2 * place[static_cast<size_t>(i)] + 2;
        // X and Y lists of a chart series are always equally long.
        const int32_t nX = s.Count();
        const int32_t nY = s.Count();
        const DispatchPtr series = ValueToObject(CallFunction(collection, "NewSeries"));
        // The ranges end one row below the last data row.
        SetSeriesSource(series, SheetRef(1, yColumn), SheetRange(2, nX + 2, xColumn),
                        SheetRange(2, nY + 2, yColumn));
        FormatNewSeries(o, series, BytesOf(s.Color), RoleOf(o, i));
    }
    FormatChart(o, excelChart);
    if (o.AxisLimits == 1) SetRoundAxisLimits(excelChart, chart, exported);
}

// One table "Serie Name", "X", "Y": each series' title on the row of its first point.
void ExportCombined(const TExcelExportOptions& o, const ChartModel& chart,
                    const DispatchPtr& application, const DispatchPtr& sheet,
                    const DispatchPtr& shape, SendProgress& sending) {
    NumberCellWriter cells(sheet);
    SetCellText(sheet, 1, 1, "Serie Name");
    SetCellText(sheet, 1, 2, "X");
    SetCellText(sheet, 1, 3, "Y");
    int32_t row = 2;
    const std::vector<int> exported = ExportedSeries(o, chart);
    for (const int i : exported) {
        const ChartSeries& s = chart.GetSeries(i);
        // A series without points adds no row: the next title overwrites its title.
        SetCellText(sheet, row, 1, SeriesName(o, chart, i));
        for (int p = 0; p < s.Count(); ++p) {
            sending.Point();
            cells.Write(row, 2, s.GetxValue(p));
            cells.Write(row, 3, s.GetyValue(p));
            ++row;
        }
    }
    CallProcedure(shape, "Select");
    const DispatchPtr excelChart = ValueToObject(PropertyGet(application, "ActiveChart"));
    const DispatchPtr collection = ValueToObject(CallFunction(excelChart, "SeriesCollection"));
    const DispatchPtr series = ValueToObject(CallFunction(collection, "NewSeries"));
    const int32_t n = row - 2;
    SetSeriesSource(series, "X-Y", SheetRange(2, n + 2, 2), SheetRange(2, n + 2, 3));
    FormatNewSeries(o, series, BytesOf(chart.GetSeries(0).Color));
    FormatChart(o, excelChart);
    if (o.AxisLimits == 1) SetRoundAxisLimits(excelChart, chart, exported);
}

void BuildWorkbook(const TExcelExportOptions& o, const ChartModel& chart,
                   const DispatchPtr& application, SendProgress& sending) {
    ShowExcelApplication(o.ExcelApp);
    const DispatchPtr books = ValueToObject(PropertyGet(application, "WorkBooks"));
    const DispatchPtr workbook = ValueToObject(CallFunction(books, "Add"));
    const DispatchPtr sheet = GetSheetByName(workbook, "Sheet1");
    // At C5, or from row 2 of the second column after the data, clear of every cell.
    int32_t row = 5;
    int32_t column = 3;
    if (o.ChartPlacement == 1) {
        row = 2;
        const auto written = static_cast<int32_t>(ExportedSeries(o, chart).size());
        column = (o.ExportMode == 0 ? 2 * written : 3) + 2;
    }
    const int32_t left = GetCellLeft(sheet, row, column);
    const int32_t top = GetCellTop(sheet, row, column);
    // The chart is made on the still empty sheet, before any cell is written.
    const DispatchPtr shape =
        AddChartShape(sheet, left, top, o.ChartWidth, o.ChartHeight,
                      o.LineType == 1 ? kXlXYScatterLines : kXlXYScatterSmooth);
    if (o.ExportMode == 0) {
        ExportSingle(o, chart, application, sheet, shape, sending);
    } else {
        ExportCombined(o, chart, application, sheet, shape, sending);
    }
}

void Publish(const DispatchPtr& application) {
    if (auto* publisher = dynamic_cast<DocumentPublisher*>(application.get())) {
        publisher->PublishDocuments();
    }
}

}  // namespace

std::string WorksheetOverflowMessage(const ChartModel& chart, int exportMode) {
    const std::string limit = std::to_string(kMaxWorksheetDataRows);
    if (exportMode == 0) {
        for (int i = 0; i < chart.SeriesCount(); ++i) {
            const ChartSeries& s = chart.GetSeries(i);
            if (s.Count() > kMaxWorksheetDataRows) {
                return "The series \"" + s.Title + "\" has " + std::to_string(s.Count()) +
                       " points, more than the " + limit +
                       " data rows of a worksheet. Nothing was exported.";
            }
        }
        return {};
    }
    // The combined table: every point takes a row; an empty series' title takes the
    // current row without advancing.
    int64_t row = 2;
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        const ChartSeries& s = chart.GetSeries(i);
        const int64_t lastRow = row + std::max(s.Count(), 1) - 1;
        if (lastRow > kMaxWorksheetDataRows + 1) {
            return "The series \"" + s.Title + "\" does not fit into the combined table: a " +
                   "worksheet has " + limit + " data rows. Nothing was exported.";
        }
        row += s.Count();
    }
    return {};
}

void ExportChartToExcel(TExcelExportOptions& options, const ChartModel& chart,
                        const SpreadsheetUi& ui) {
    const std::string overflow = WorksheetOverflowMessage(chart, options.ExportMode);
    if (!overflow.empty()) {
        if (ui.Warning) ui.Warning("QLNX", overflow);
        return;
    }
    // The application reports the writing of the file as the last part of the export. Once
    // the user has stopped the export, the writing of what was sent goes on to its end: its
    // reports keep the window painting, their answers no longer count.
    const auto stopped = std::make_shared<bool>(false);
    SpreadsheetUi applicationUi = ui;
    if (ui.Progress) {
        applicationUi.Progress = [report = ui.Progress, stopped](double fraction) {
            const bool goOn = report(kSendShare + (1.0 - kSendShare) * fraction);
            if (*stopped) return true;
            *stopped = !goOn;
            return goOn;
        };
    }
    const AutoValue created = CreateExcelApplication(options.ExcelApp, applicationUi);
    if (created.IsNull()) return;
    const DispatchPtr application = ValueToObject(created);
    SendProgress sending(ui.Progress, chart);
    try {
        BuildWorkbook(options, chart, application, sending);
    } catch (const ExportStopped&) {
        // Stopped by the user: what was sent is written and opened, as after a failure,
        // and there is nothing to report.
        *stopped = true;
    } catch (...) {
        // What was built stays with the user, as it would in an open spreadsheet window;
        // the original error is the one reported.
        try {
            Publish(application);
        } catch (...) {
        }
        throw;
    }
    Publish(application);
}

}  // namespace qlnx
