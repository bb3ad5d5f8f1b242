// The whole export's call sequence against a recording target, in both layouts.
#include "spreadsheet/chart_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "core/errors.h"
#include "core/number_text.h"
#include "export_fixture.h"
#include "spreadsheet/automation_error.h"

namespace qlnx::testing {
namespace {

class ChartExport : public ::testing::Test {
protected:
    void SetUp() override {
        SetDecimalSeparator('.');
        InitExcelExportOptions(options);
    }

    const std::vector<std::string>& Export(const ChartModel& chart) {
        ExportChartToExcel(options, chart, RecordingUi(boxes));
        EXPECT_TRUE(excel.recorder->protocolErrors.empty())
            << excel.recorder->protocolErrors.front();
        return excel.recorder->calls;
    }

    // Compares the log with a golden file; on a difference writes the log into the temporary
    // folder for review and names it with the first differing line.
    void ExpectGolden(const std::string& name) {
        const auto expected = ReadLines(std::string(QLNX_TEST_DATA) + "/../spreadsheet/" + name);
        const auto& actual = excel.recorder->calls;
        for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            const std::string e = i < expected.size() ? expected[i] : "<end>";
            const std::string a = i < actual.size() ? actual[i] : "<end>";
            if (e != a) {
                const std::string review =
                    (std::filesystem::temp_directory_path() / ("qlnx-" + name)).string();
                std::ofstream out(review);
                for (const auto& line : actual) out << line << "\n";
                ADD_FAILURE() << name << " line " << i + 1 << "\n expected: " << e
                              << "\n actual:   " << a << "\n the whole log: " << review;
                return;
            }
        }
    }

    TExcelExportOptions options;
    RecordingExcel excel;
    ShownBoxes boxes;
};

TEST_F(ChartExport, SingleOutputCallSequence) {
    // A series hidden through the legend is exported like any other.
    ChartModel chart = SmallChart();
    chart.GetSeries(ChartModel::LoopSeries).Active = false;
    Export(chart);
    ExpectGolden("export_calls_single.txt");
    EXPECT_EQ(excel.created, 1);
    // Every handle is released; only the application stays, held by the options.
    EXPECT_EQ(excel.recorder->liveObjects, 1);
    options.ExcelApp = AutoValue::Null();
    EXPECT_EQ(excel.recorder->liveObjects, 0);
}

TEST_F(ChartExport, CombinedOutputCallSequence) {
    options.ExportMode = 1;
    options.LineColorMode = 1;
    options.MarkerColorMode = 1;
    options.ShowTitle = true;
    options.TitleText = "Test 3";
    options.XAxisCrossesAt = "-2.7";
    options.YAxisCrossesAt = "";
    options.LegendIncludeInLayout = true;
    options.ShowAxisLine = false;
    options.ShowPlotAreaLine = false;
    options.ChartWidth = 480;
    options.ChartHeight = 320;
    options.LineWeight = 0.3f;
    options.MarkerStyle = 2;
    options.MarkerSize = 7;
    options.TickLabelFontSize = 9;
    options.AxisTitleFontSize = 11;
    options.LegendFontSize = 12;
    options.XAxisTitle = "Disp";
    options.YAxisTitle = "Force";
    Export(SmallChart());
    ExpectGolden("export_calls_combined.txt");
    EXPECT_EQ(excel.recorder->liveObjects, 1);
}

// Each option that changes what is sent, against the defaults' log.
TEST_F(ChartExport, OptionsChangeOnlyTheirCalls) {
    struct Case {
        const char* what;
        void (*set)(TExcelExportOptions&);
        std::vector<std::string> present;  // parts of calls that must appear
        std::vector<std::string> absent;   // parts of calls that must not
        // clang-format off
    } cases[] = {
        {"markers off sends only the style, and no marker colour",
         [](TExcelExportOptions& o) { o.ShowMarker = false; o.MarkerColorMode = 1; },
         {".MarkerStyle = I4 -4142"},
         {"MarkerSize", ".Fill()", "MarkerStyle = I4 8"}},
        {"line colour of the chart's series",
         [](TExcelExportOptions& o) { o.LineColorMode = 1; },
         // Point1 yellow, Loop black, Loop_ fuchsia, Vorlix_Positive red, Vorlix_Negative blue.
         {"RGB = UI4 65535", "RGB = UI4 0", "RGB = UI4 16711935", "RGB = UI4 255",
          "RGB = UI4 16711680"},
         {".Fill()"}},
        {"marker fill colour only",
         [](TExcelExportOptions& o) { o.MarkerColorMode = 1; },
         {".Fill()", "RGB = UI4 65535"},
         {}},
        {"crossing -10000 and -2.7",
         [](TExcelExportOptions& o) { o.YAxisCrossesAt = "-2.7"; },
         {"CrossesAt = I4 -10000", "CrossesAt = I4 -2"},
         {}},
        {"empty crossings send nothing",
         [](TExcelExportOptions& o) { o.XAxisCrossesAt = ""; o.YAxisCrossesAt = ""; },
         {},
         {"CrossesAt"}},
        {"title off",
         [](TExcelExportOptions& o) { o.ShowTitle = false; },
         {"HasTitle = BOOL 0"},
         {"ChartTitle", "HasTitle()"}},
        {"legend off makes no legend call",
         [](TExcelExportOptions& o) { o.ShowLegend = false; },
         {},
         {"Legend", "SetElement(I4 101)"}},
        {"axis titles off",
         [](TExcelExportOptions& o) { o.ShowAxisTitle = false; },
         {},
         {"AxisTitle", "SetElement(I4 301)", "SetElement(I4 307)"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        RecordingExcel local;
        TExcelExportOptions o;
        InitExcelExportOptions(o);
        c.set(o);
        ExportChartToExcel(o, SmallChart(), RecordingUi(boxes));
        for (const auto& part : c.present) {
            EXPECT_GE(local.recorder->Count(part), 1) << c.what << ": " << part;
        }
        for (const auto& part : c.absent) {
            EXPECT_EQ(local.recorder->Count(part), 0) << c.what << ": " << part;
        }
        EXPECT_TRUE(local.recorder->protocolErrors.empty()) << c.what;
    }
}

// The report-ready chart with the point series kept as markers only, the chart's own titles
// and colours and the application's axis ends: straight lines, right of the data, the loop
// first as a thin line without markers, the point series last, axes crossing at their minimum
// and the legend at the bottom in the layout.
TEST_F(ChartExport, ReportReadyCallsWithPointSeriesAsMarkers) {
    SetReportReadyOptions(options, "Disp", "Force");
    options.PointSeriesStyle = 1;
    options.SeriesNames = 0;
    options.AxisLimits = 0;
    options.LineColorMode = 0;
    options.MarkerColorMode = 0;
    const auto& calls = Export(SmallChart());
    const auto has = [&](const std::string& line) {
        return std::find(calls.begin(), calls.end(), line) != calls.end();
    };
    EXPECT_TRUE(has("get Sheets#4.Cells(I4 2, I4 14) -> Cells#5"));
    EXPECT_TRUE(has("call Shapes#7.AddChart2(I4 240, I4 74) -> AddChart2#8"));
    EXPECT_TRUE(has("put AddChart2#8.Width = I4 480"));
    EXPECT_TRUE(has("put AddChart2#8.Height = I4 300"));
    // The series' calls from the first new series to the first chart element, numbers dropped.
    std::vector<std::string> series;
    bool inSeries = false;
    for (const std::string& c : calls) {
        if (c.find(".NewSeries()") != std::string::npos) inSeries = true;
        if (c.find(".SetElement(") != std::string::npos) break;
        if (!inSeries) continue;
        std::string plain;
        for (size_t i = 0; i < c.size(); ++i) {
            if (c[i] == '#') {
                while (i + 1 < c.size() && std::isdigit(static_cast<unsigned char>(c[i + 1]))) ++i;
            } else {
                plain += c[i];
            }
        }
        series.push_back(plain);
    }
    const auto source = [](const char* name, const char* x, const char* y) {
        return std::vector<std::string>{
            "call SeriesCollection.NewSeries() -> NewSeries",
            std::string("put NewSeries.Name = BSTR \"=Sheet1!") + name + "\"",
            std::string("put NewSeries.XValues = BSTR \"=Sheet1!") + x + "\"",
            std::string("put NewSeries.Values = BSTR \"=Sheet1!") + y + "\""};
    };
    const std::vector<std::string> line = {
        "put NewSeries.MarkerStyle = I4 8", "put NewSeries.MarkerSize = I4 4",
        "get NewSeries.Format() -> Format", "get Format.Line() -> Line",
        "put Line.Visible = BOOL -1",       "put Line.Weight = R4 0.5"};
    const std::vector<std::string> markersOnly = {
        "put NewSeries.MarkerStyle = I4 8", "put NewSeries.MarkerSize = I4 4",
        "get NewSeries.Format() -> Format", "get Format.Line() -> Line",
        "put Line.Visible = BOOL 0"};
    std::vector<std::string> expected;
    const auto add = [&](std::vector<std::string> a, const std::vector<std::string>& b) {
        expected.insert(expected.end(), a.begin(), a.end());
        expected.insert(expected.end(), b.begin(), b.end());
    };
    add(source("$F$1", "$E$2:$E$5", "$F$2:$F$5"),
        {"put NewSeries.MarkerStyle = I4 -4142", "get NewSeries.Format() -> Format",
         "get Format.Line() -> Line", "put Line.Visible = BOOL -1", "put Line.Weight = R4 0.25"});
    add(source("$H$1", "$G$2:$G$2", "$H$2:$H$2"), line);
    add(source("$J$1", "$I$2:$I$3", "$J$2:$J$3"), line);
    add(source("$L$1", "$K$2:$K$2", "$L$2:$L$2"), line);
    add(source("$B$1", "$A$2:$A$3", "$B$2:$B$3"), markersOnly);
    add(source("$D$1", "$C$2:$C$2", "$D$2:$D$2"), markersOnly);
    for (size_t i = 0; i < std::max(series.size(), expected.size()); ++i) {
        const std::string a = i < series.size() ? series[i] : "<end>";
        const std::string e = i < expected.size() ? expected[i] : "<end>";
        if (a != e) {
            ADD_FAILURE() << "series call " << i << "\n expected: " << e << "\n actual:   " << a;
            break;
        }
    }
    EXPECT_EQ(excel.recorder->Count(".Crosses = I4 4"), 2);
    EXPECT_EQ(excel.recorder->Count("CrossesAt"), 0);
    EXPECT_EQ(excel.recorder->Count("SetElement(I4 104)"), 1);
    EXPECT_EQ(excel.recorder->Count("SetElement(I4 101)"), 0);
    EXPECT_EQ(excel.recorder->Count(".IncludeInLayout = BOOL -1"), 1);
    EXPECT_EQ(excel.recorder->Count("Text = BSTR \"Disp\""), 1);
    EXPECT_EQ(excel.recorder->Count("Text = BSTR \"Force\""), 1);
}

TEST_F(ChartExport, RowsBeyond32767GoAs32BitValues) {
    ChartModel chart;
    ChartSeries& loop = chart.GetSeries(ChartModel::LoopSeries);
    for (int i = 0; i < 32767; ++i) loop.AddXY(i, -i);
    const auto& calls = Export(chart);
    const auto has = [&](const std::string& line) {
        return std::find_if(calls.begin(), calls.end(), [&](const std::string& c) {
                   return c.rfind(line, 0) == 0;
               }) != calls.end();
    };
    EXPECT_TRUE(has("get Sheets#4.Cells(I2 32767, I2 5)"));
    EXPECT_TRUE(has("get Sheets#4.Cells(I4 32768, I4 5)"));
    EXPECT_TRUE(has("get Sheets#4.Cells(I4 32768, I4 6)"));
    EXPECT_FALSE(has("get Sheets#4.Cells(I2 -32768"));
    EXPECT_EQ(excel.recorder->Count(".XValues = BSTR \"=Sheet1!$E$2:$E$32769\""), 1);
}

TEST_F(ChartExport, SeriesLongerThanAWorksheetIsRefusedBeforeAnything) {
    ChartModel chart;
    chart.GetSeries(ChartModel::LoopSeries)
        .Assign(std::vector<double>(1048576, 1.0), std::vector<double>(1048576, 2.0));
    Export(chart);
    EXPECT_EQ(excel.created, 0);
    EXPECT_TRUE(excel.recorder->calls.empty());
    ASSERT_EQ(boxes.warnings.size(), 1u);
    EXPECT_EQ(boxes.warnings[0],
              "QLNX|The series \"Loop\" has 1048576 points, more than the 1048575 data rows of "
              "a worksheet. Nothing was exported.");
    EXPECT_TRUE(options.ExcelApp.IsNull());

    // Combined: together the series need one row too many.
    ChartModel two;
    two.GetSeries(ChartModel::LoopSeries)
        .Assign(std::vector<double>(1048570, 1.0), std::vector<double>(1048570, 2.0));
    two.GetSeries(ChartModel::PositiveSkeletonSeries)
        .Assign(std::vector<double>(6, 1.0), std::vector<double>(6, 2.0));
    EXPECT_EQ(WorksheetOverflowMessage(two, 0), "");
    EXPECT_EQ(WorksheetOverflowMessage(two, 1),
              "The series \"Vorlix_Positive\" does not fit into the combined table: a worksheet "
              "has 1048575 data rows. Nothing was exported.");
    // Exactly full: fits, with no row left for a following empty series' title.
    two.GetSeries(ChartModel::PositiveSkeletonSeries).Delete(0);
    EXPECT_EQ(WorksheetOverflowMessage(two, 1),
              "The series \"Vorlix_Negative\" does not fit into the combined table: a worksheet "
              "has 1048575 data rows. Nothing was exported.");
    two.GetSeries(ChartModel::NegativeSkeletonSeries).AddXY(0, 0);
    two.GetSeries(ChartModel::PositiveSkeletonSeries).Delete(0);
    EXPECT_EQ(WorksheetOverflowMessage(two, 1), "");
}

TEST_F(ChartExport, ApplicationThatCannotStartStopsTheExport) {
    options.ExcelApp = AutoValue::Object(NewRecordingApplication(excel.recorder));
    ScopedClassRegistration broken("Excel.Application", [](const SpreadsheetUi&) -> DispatchPtr {
        throw AutomationError("Server execution failed");
    });
    Export(SmallChart());
    ASSERT_EQ(boxes.information.size(), 1u);
    EXPECT_EQ(boxes.information[0], "错误|创建Excel文件出错, 请确认本机是否安装了MS-EXCEL.");
    EXPECT_TRUE(options.ExcelApp.IsNull());
    EXPECT_EQ(excel.recorder->liveObjects, 0);  // the earlier application was released
    EXPECT_TRUE(excel.recorder->calls.empty());
}

TEST_F(ChartExport, RefusedCallStopsTheExportAndReleasesEveryHandle) {
    excel.recorder->failAtMember = "CrossesAt";
    excel.recorder->failText = "Unable to set the CrossesAt property";
    try {
        Export(SmallChart());
        FAIL() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_STREQ(e.what(), "Unable to set the CrossesAt property");
    }
    EXPECT_EQ(excel.recorder->calls.back(), "put Axes#60.CrossesAt = I4 -10000 !! fails");
    EXPECT_EQ(excel.recorder->liveObjects, 1);
}

TEST_F(ChartExport, CrossingThatIsNotANumberStopsAtItsStep) {
    options.YAxisCrossesAt = "abc";
    try {
        Export(SmallChart());
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    // Step 10.6 (the Y axis line) was the last call.
    EXPECT_EQ(excel.recorder->calls.back(), "put ForeColor#70.ObjectThemeColor = I4 13");
    EXPECT_EQ(excel.recorder->liveObjects, 1);

    options.YAxisCrossesAt = "1e10";
    EXPECT_THROW(Export(SmallChart()), Error);
}

}  // namespace
}  // namespace qlnx::testing

namespace qlnx::testing {
namespace {

// Stopped while the cells go out: the export ends at that point without an error, in both
// layouts; the chart gets no series and no formatting, and every handle is released.
TEST_F(ChartExport, StoppedExportEndsAfterTheCellsSentSoFar) {
    ChartModel chart;
    ChartSeries& loop = chart.GetSeries(ChartModel::LoopSeries);
    for (int i = 0; i < 20000; ++i) loop.AddXY(i, -i);
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        RecordingExcel local;
        TExcelExportOptions o;
        InitExcelExportOptions(o);
        o.ExportMode = mode;
        std::vector<double> fractions;
        SpreadsheetUi ui = RecordingUi(boxes);
        ui.Progress = [&](double f) {
            fractions.push_back(f);
            return f < 0.05;
        };
        EXPECT_NO_THROW(ExportChartToExcel(o, chart, ui));
        ASSERT_FALSE(fractions.empty());
        // Sending the cells is the first 15 % of the export.
        EXPECT_GE(fractions.back(), 0.05);
        EXPECT_LT(fractions.back(), 0.15);
        const auto& calls = local.recorder->calls;
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().rfind("put Cells#", 0), 0u) << calls.back();
        // Part of the points of the loop series: two cells each.
        EXPECT_GT(local.recorder->Count(".Value = BSTR"), 2 * 4000);
        EXPECT_LT(local.recorder->Count(".Value = BSTR"), 2 * 16000);
        EXPECT_EQ(local.recorder->Count("NewSeries"), 0);
        EXPECT_EQ(local.recorder->Count("Axes"), 0);
        o.ExcelApp = AutoValue::Null();
        EXPECT_EQ(local.recorder->liveObjects, 0);
    }
    EXPECT_TRUE(boxes.warnings.empty());
    EXPECT_TRUE(boxes.information.empty());
}

}  // namespace
}  // namespace qlnx::testing
