// The in-process workbook application's object model: names, values it refuses, numbers.
#include "spreadsheet/workbook_application.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/number_text.h"
#include "spreadsheet/automation_calls.h"
#include "spreadsheet/automation_error.h"
#include "spreadsheet/excel_toolkit.h"

namespace qlnx {
namespace {

class WorkbookApplication : public ::testing::Test {
protected:
    void SetUp() override {
        SetDecimalSeparator('.');
        app = CreateWorkbookApplication(SpreadsheetUi{});
        book = ValueToObject(CallFunction(ValueToObject(PropertyGet(app, "WorkBooks")), "Add"));
        sheet = GetSheetByName(book, "Sheet1");
        shape = AddChartShape(sheet, 96, 60, 300, 450);
        CallProcedure(shape, "Select");
        chart = ValueToObject(PropertyGet(app, "ActiveChart"));
        series = ValueToObject(
            CallFunction(ValueToObject(CallFunction(chart, "SeriesCollection")), "NewSeries"));
    }

    static std::string ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const AutomationError& e) {
            return e.what();
        }
        return "<no error>";
    }

    DispatchPtr app, book, sheet, shape, chart, series;
};

TEST_F(WorkbookApplication, UnknownNameIsNamedAtTheLookup) {
    EXPECT_EQ(ErrorOf([&] { PropertyGet(sheet, "Colums"); }),
              "Unknown name \"Colums\": the Worksheet object has no member of that name");
    // Automation names are not case-sensitive ("WorkBooks" is the collection "Workbooks").
    EXPECT_NO_THROW(PropertyGet(app, "workbooks"));
}

TEST_F(WorkbookApplication, CellPositionInPoints) {
    EXPECT_EQ(GetCellLeft(sheet, 5, 3), 96);
    EXPECT_EQ(GetCellTop(sheet, 5, 3), 60);
    EXPECT_EQ(GetCellLeft(sheet, 1, 1), 0);
}

TEST_F(WorkbookApplication, RefusesWhatAWorkbookCannotHold) {
    const struct {
        std::function<void()> call;
        const char* error;
        // clang-format off
    } cases[] = {
        {[&] { GetCell(sheet, 1048577, 1); },
         "Worksheet.Cells lies outside the worksheet (rows 1 to 1048576, columns 1 to 16384)"},
        {[&] { GetSheetByName(book, "Sheet2"); }, "Workbook.Sheets has no sheet named \"Sheet2\""},
        {[&] { SetIntProperty(series, "MarkerSize", 1); },
         "Series.MarkerSize must lie between 2 and 72 points"},
        {[&] { SetIntProperty(series, "MarkerStyle", 10); }, "Series.MarkerStyle is not a marker style"},
        {[&] { SetTextProperty(series, "XValues", "A1:A3"); },
         "Series.XValues needs a reference such as =Sheet1!$A$2:$A$10, not \"A1:A3\""},
        {[&] { SetTextProperty(series, "Values", "=Sheet2!$A$1:$A$3"); },
         "Series.Values refers to a sheet the workbook does not have: \"=Sheet2!$A$1:$A$3\""},
        {[&] { PropertyGet(ValueToObject(CallIntInt(chart, "Axes", 2, 1)), "AxisTitle"); },
         "Axis.AxisTitle is not available: the axis has no title"},
        {[&] { CallIntInt(chart, "Axes", 1, 2); }, "Chart.Axes knows the primary axis group (1) only"},
        {[&] { PropertyGet(chart, "Legend"); }, "Chart.Legend is not available: the chart has no legend"},
        {[&] { CallInt(chart, "SetElement", 102); }, "Chart.SetElement supports the elements 101, 104, 301 and 307 only"},
        {[&] { SetIntProperty(shape, "Width", 0); }, "Shape.Width must lie above 0 and at most 169056 points"},
        {[&] { PropertyGet(sheet, "Cells", {AutoValue::I4(1)}); },
         "Worksheet.Cells is given the wrong number of arguments"},
        {[&] { PropertyGet(sheet, "Cells", {AutoValue::Text("A"), AutoValue::I4(1)}); },
         "Worksheet.Cells needs a whole number (Type mismatch)"},
        {[&] { CallFunction(sheet, "Shapes"); }, "Worksheet.Shapes cannot be called"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error);
}

TEST_F(WorkbookApplication, FontSizesAndWeightsWithinTheirRanges) {
    CallInt(chart, "SetElement", 101);
    const DispatchPtr font =
        ValueToObject(PropertyGet(ValueToObject(PropertyGet(chart, "Legend")), "Font"));
    EXPECT_NO_THROW(SetIntProperty(font, "Size", 409));
    EXPECT_EQ(ErrorOf([&] { SetIntProperty(font, "Size", 0); }),
              "Font.Size must lie between 1 and 409 points");
    EXPECT_EQ(ErrorOf([&] { SetSeriesLineWeight(series, -1); }),
              "LineFormat.Weight must lie between 0 and 1584 points");
}

}  // namespace
}  // namespace qlnx
