// The .xlsx the workbook application writes, read back by an independent reader.
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <utility>

#include "../file_bytes.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "export_fixture.h"
#include "spreadsheet/chart_export.h"

namespace qlnx::testing {
namespace {

namespace fs = std::filesystem;

// Runs the reader script on file; one line per fact (see dump_workbook.py).
std::vector<std::string> DumpWorkbook(const fs::path& file) {
    const std::string command = "/usr/bin/python3 " + std::string(QLNX_TEST_DATA) +
                                "/../spreadsheet/dump_workbook.py '" + file.string() + "' 2>&1";
    std::vector<std::string> lines;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::string line;
        for (int c; (c = fgetc(pipe)) != EOF;) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line.push_back(static_cast<char>(c));
            }
        }
        if (!line.empty()) lines.push_back(line);
        EXPECT_EQ(pclose(pipe), 0) << ::testing::PrintToString(lines);
    }
    return lines;
}

// The header row of the single layout (an X column before each series) with more lines.
std::vector<std::string> WithSingleHeaders(std::vector<std::string> lines) {
    for (const char* header :
         {"cell A1 s 'X'", "cell B1 s 'Point1'", "cell C1 s 'X'", "cell D1 s 'Point2'",
          "cell E1 s 'X'", "cell F1 s 'Loop'", "cell G1 s 'X'", "cell H1 s 'Loop_'",
          "cell I1 s 'X'", "cell J1 s 'Vorlix_Positive'", "cell K1 s 'X'",
          "cell L1 s 'Vorlix_Negative'"}) {
        lines.emplace_back(header);
    }
    return lines;
}

class WorkbookFile : public ::testing::Test {
protected:
    void SetUp() override {
        SetDecimalSeparator('.');
        InitExcelExportOptions(options);
        // A folder of its own: the same test may run in another build at the same time.
        folder = test::MakeTempFolder("qlnx-workbook");
        ASSERT_FALSE(folder.empty());
        ui = RecordingUi(boxes);
        ui.OutputFolder = folder;
    }
    void TearDown() override { test::RemoveTempFolder(folder); }

    // Exports chart and returns the reader's lines of the one file written.
    std::vector<std::string> ExportAndDump(const ChartModel& chart) {
        ExportChartToExcel(options, chart, ui);
        EXPECT_EQ(boxes.opened.size(), 1u);
        if (boxes.opened.empty()) return {};
        return DumpWorkbook(boxes.opened.front());
    }

    // Every expected line is in the dump, and the dump holds no cell besides those expected:
    // a stray value in the sheet fails as surely as a missing one.
    static void ExpectLines(const std::vector<std::string>& dump,
                            const std::vector<std::string>& expected) {
        ExpectSomeLines(dump, expected);
        for (const std::string& line : dump) {
            if (line.rfind("cell ", 0) != 0) continue;
            EXPECT_NE(std::find(expected.begin(), expected.end(), line), expected.end())
                << "extra: " << line << "\nin:\n"
                << ::testing::PrintToString(dump);
        }
    }
    // Every expected line is in the dump; other cells may be there too.
    static void ExpectSomeLines(const std::vector<std::string>& dump,
                                const std::vector<std::string>& expected) {
        std::string all;  // every line: a printed vector stops at 32 elements
        for (const std::string& line : dump) all += line + "\n";
        for (const std::string& line : expected) {
            EXPECT_NE(std::find(dump.begin(), dump.end(), line), dump.end())
                << "missing: " << line << "\nin:\n"
                << all;
        }
    }

    TExcelExportOptions options;
    ShownBoxes boxes;
    SpreadsheetUi ui;
    fs::path folder;
};

TEST_F(WorkbookFile, SingleOutputCellsAndChart) {
    const auto dump = ExportAndDump(SmallChart());
    ExpectLines(
        dump,
        WithSingleHeaders({
            "sheets Sheet1",
            // Headers are texts; the number texts came back as numbers.
            "cell A2 n 1.5",
            "cell B2 n -2",
            "cell E2 n 0",
            "cell F2 n 0",
            "cell E3 n 0.333333333333333",
            "cell F3 n 12.25",
            "cell E4 n -1e-05",
            "cell F4 n -1.5e+20",
            "cell I2 n 2",
            "cell J2 n 3.5",
            "charts 1 ScatterChart",
            // At C5; 300 x 450 pt are 400 x 600 px: 6.25 columns of 64 px, 30 rows of 20 px.
            "anchor from=c2+0,r4+0 to=c8+152400,r34+0",
            "scatterStyle smoothMarker",
            // Ranges end one row below the data; an empty series refers to row 2 alone.
            "ser0 name=Sheet1!$B$1 x=Sheet1!$A$2:$A$3 y=Sheet1!$B$2:$B$3 smooth=1 line=auto/w6350 "
            "marker=circle markerSize=4 markerFill=None markerLine=auto/w6350",
            "ser1 name=Sheet1!$D$1 x=Sheet1!$C$2 y=Sheet1!$D$2 smooth=1 line=auto/w6350 "
            "marker=circle markerSize=4 markerFill=None markerLine=auto/w6350",
            "ser2 name=Sheet1!$F$1 x=Sheet1!$E$2:$E$5 y=Sheet1!$F$2:$F$5 smooth=1 line=auto/w6350 "
            "marker=circle markerSize=4 markerFill=None markerLine=auto/w6350",
            "ser5 name=Sheet1!$L$1 x=Sheet1!$K$2 y=Sheet1!$L$2 smooth=1 line=auto/w6350 "
            "marker=circle markerSize=4 markerFill=None markerLine=auto/w6350",
            // A crossing is stored on the crossing axis: both -10000 here.
            "axisx title='X Axis' titleSize=10 tickLabelSize=10 crossesAt=-10000 majorTick=in "
            "line=000000",
            "axisy title='Y Axis' titleSize=10 tickLabelSize=10 crossesAt=-10000 majorTick=in "
            "line=000000",
            // Not in the layout: drawn over the plot area.
            "legend pos=r overlay=1 size=10",
            "plotArea line=000000",
            "title none autoTitleDeleted=1",
        }));
    EXPECT_EQ(std::count_if(dump.begin(), dump.end(),
                            [](const std::string& l) { return l.rfind("ser", 0) == 0; }),
              6);
}

TEST_F(WorkbookFile, CombinedOutputCellsAndChart) {
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
    options.LineWeight = 0.3f;
    options.MarkerStyle = 4;
    options.MarkerSize = 7;
    options.TickLabelFontSize = 9;
    options.AxisTitleFontSize = 11;
    options.LegendFontSize = 12;
    options.ChartWidth = 480;
    options.ChartHeight = 216;
    const auto dump = ExportAndDump(SmallChart());
    ExpectLines(
        dump,
        {
            "cell A1 s 'Serie Name'",
            "cell B1 s 'X'",
            "cell C1 s 'Y'",
            "cell A2 s 'Point1'",
            "cell B2 n 1.5",
            "cell C2 n -2",
            // Point2 has no points: "Loop" took its row.
            "cell A3 s 'Loop'",
            "cell B3 n 0",
            "cell C3 n 0",
            "cell B4 n 0.333333333333333",
            "cell C4 n 12.25",
            "cell B5 n -1e-05",
            "cell C5 n -1.5e+20",
            "cell A6 s 'Vorlix_Positive'",
            "cell B6 n 2",
            "cell C6 n 3.5",
            // The last series is empty: its title stays below the last point.
            "cell A7 s 'Vorlix_Negative'",
            "charts 1 ScatterChart",
            // 480 x 216 pt from C5: 10 columns, 14.4 rows.
            "anchor from=c2+0,r4+0 to=c12+0,r18+76200",
            // One series "X-Y" in the colours of Point1 (yellow); the file holds line widths in
            // steps of 0.25 pt, so 0.3 pt is written as 0.25; marker style 4 draws as x.
            "ser0 name='X-Y' x=Sheet1!$B$2:$B$7 y=Sheet1!$C$2:$C$7 smooth=1 line=FFFF00/w3175 "
            "marker=x markerSize=7 markerFill=FFFF00 markerLine=FFFF00/w3175",
            // X crossing -2.7 went as -2: the Y axis crosses the X axis there. No Y crossing.
            "axisx title='X Axis' titleSize=11 tickLabelSize=9 crossesAt=None majorTick=in "
            "line=none",
            "axisy title='Y Axis' titleSize=11 tickLabelSize=9 crossesAt=-2 majorTick=in line=none",
            "legend pos=r overlay=None size=12",
            "plotArea line=none",
            "title 'Test 3'",
        });
}

// The report-ready chart of a record with its chosen loop and skeleton: names a report
// shows, the window's colours, no point series and no empty series, round axis ends just
// beyond the data (100,000 for a peak of 90,695), straight lines, the loop first and thin.
TEST_F(WorkbookFile, ReportReadyChart) {
    SetReportReadyOptions(options, "Displacement (mm)", "Force (N)");
    ChartModel chart;
    chart.GetSeries(ChartModel::pntsrsSeries1).AddXY(10, 90695);
    ChartSeries& loop = chart.GetSeries(ChartModel::LoopSeries);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {10.0, 90695.0}, {-9.5, -88000.0}, {0.0, 0.0}})
        loop.AddXY(x, y);
    ChartSeries& chosen = chart.GetSeries(ChartModel::SelectedLoopSeries);
    chosen.Title = "Loop_3";
    chosen.AddXY(10, 90695);
    chosen.AddXY(-9.5, -88000);
    chart.GetSeries(ChartModel::PositiveSkeletonSeries).AddXY(0, 0);
    chart.GetSeries(ChartModel::PositiveSkeletonSeries).AddXY(10, 90695);
    chart.GetSeries(ChartModel::NegativeSkeletonSeries).AddXY(0, 0);
    chart.GetSeries(ChartModel::NegativeSkeletonSeries).AddXY(-9.5, -88000);
    const auto dump = ExportAndDump(chart);
    ExpectSomeLines(
        dump,
        {
            "cell A1 s 'X'",
            "cell B1 s 'Hysteresis loops'",
            "cell D1 s 'Loop 3'",
            "cell F1 s 'Skeleton, positive'",
            "cell H1 s 'Skeleton, negative'",
            "charts 1 ScatterChart",
            "read scatterStyle=lineMarker xcrosses=min ycrosses=min legend=b overlay=None",
            // The loop first, thin and black; the others in the window's colours, their
            // markers filled alike.
            "ser0 name=Sheet1!$B$1 x=Sheet1!$A$2:$A$6 y=Sheet1!$B$2:$B$6 smooth=None "
            "line=000000/w3175 marker=none markerSize=None markerFill=None "
            "markerLine=000000/w3175",
            "ser1 name=Sheet1!$D$1 x=Sheet1!$C$2:$C$4 y=Sheet1!$D$2:$D$4 smooth=None "
            "line=FF00FF/w6350 marker=circle markerSize=4 markerFill=FF00FF "
            "markerLine=FF00FF/w6350",
            "ser2 name=Sheet1!$F$1 x=Sheet1!$E$2:$E$4 y=Sheet1!$F$2:$F$4 smooth=None "
            "line=FF0000/w6350 marker=circle markerSize=4 markerFill=FF0000 "
            "markerLine=FF0000/w6350",
            "ser3 name=Sheet1!$H$1 x=Sheet1!$G$2:$G$4 y=Sheet1!$H$2:$H$4 smooth=None "
            "line=0000FF/w6350 marker=circle markerSize=4 markerFill=0000FF "
            "markerLine=0000FF/w6350",
            "axisx title='Displacement (mm)' titleSize=10 tickLabelSize=10 crossesAt=None "
            "majorTick=in line=000000",
            "axisx scale min=-10 max=10 step=2 format=0",
            "axisy title='Force (N)' titleSize=10 tickLabelSize=10 crossesAt=None majorTick=in "
            "line=000000",
            "axisy scale min=-100000 max=100000 step=20000 format=0",
            "legend pos=b overlay=None size=10",
            // 480 x 300 pt from J2, right of the eight data columns: 10 columns, 20 rows.
            "anchor from=c9+0,r1+0 to=c19+0,r21+0",
        });
    for (const std::string& line : dump) {
        EXPECT_EQ(line.find("ser4"), std::string::npos) << line;
        EXPECT_EQ(line.find("Point"), std::string::npos) << line;
    }
}

// The designed export writes no axis ends of its own.
TEST_F(WorkbookFile, DesignedChartKeepsTheApplicationsAxisEnds) {
    const auto dump = ExportAndDump(SmallChart());
    for (const std::string& line : dump) EXPECT_EQ(line.find("scale"), std::string::npos) << line;
    ExpectSomeLines(dump, {"cell B1 s 'Point1'", "cell J1 s 'Vorlix_Positive'"});
}

TEST_F(WorkbookFile, MarkersOffLegendOffAndZeroWeight) {
    options.ShowMarker = false;
    options.MarkerColorMode = 1;
    options.ShowLegend = false;
    options.ShowAxisTitle = false;
    options.LineWeight = 0;
    ChartModel chart;
    chart.GetSeries(ChartModel::LoopSeries).AddXY(1, 2);
    const auto dump = ExportAndDump(chart);
    ExpectLines(
        dump,
        WithSingleHeaders({
            "cell E2 n 1",
            "cell F2 n 2",
            // Weight 0, the thinnest line, is the thinnest width the file format takes here.
            "ser2 name=Sheet1!$F$1 x=Sheet1!$E$2:$E$3 y=Sheet1!$F$2:$F$3 smooth=1 line=auto/w3175 "
            "marker=none markerSize=None markerFill=None markerLine=auto/w3175",
            "axisx title=none titleSize=None tickLabelSize=10 crossesAt=-10000 majorTick=in "
            "line=000000",
            "legend none",
        }));
}

TEST_F(WorkbookFile, NumberTextsWithADecimalCommaBecomeNumbers) {
    SetDecimalSeparator(',');
    ChartModel chart;
    chart.GetSeries(ChartModel::LoopSeries).AddXY(-2.5, 1e-5);
    chart.GetSeries(ChartModel::LoopSeries)
        .AddXY(std::numeric_limits<double>::infinity(), 0);  // "INF": text
    const auto dump = ExportAndDump(chart);
    SetDecimalSeparator('.');
    ExpectLines(dump, WithSingleHeaders(
                          {"cell E2 n -2.5", "cell F2 n 1e-05", "cell E3 s 'INF'", "cell F3 n 0"}));
}

TEST_F(WorkbookFile, NoProgramToOpenItNamesTheFile) {
    boxes.openSucceeds = false;
    ExportChartToExcel(options, SmallChart(), ui);
    ASSERT_EQ(boxes.opened.size(), 1u);
    const fs::path file = boxes.opened.front();
    EXPECT_EQ(file.parent_path(), folder);
    EXPECT_EQ(file.filename().string().rfind("QLNX-export-", 0), 0u);
    EXPECT_EQ(file.extension(), ".xlsx");
    EXPECT_TRUE(fs::file_size(file) > 0);
    ASSERT_EQ(boxes.information.size(), 1u);
    EXPECT_EQ(boxes.information.front(), "QLNX|The workbook was saved as\n" + file.string() +
                                             "\nbut no program on this computer opened it.");
    // A second export in the same second gets a file of its own.
    ExportChartToExcel(options, SmallChart(), ui);
    ASSERT_EQ(boxes.opened.size(), 2u);
    EXPECT_NE(boxes.opened[0], boxes.opened[1]);
    EXPECT_TRUE(fs::file_size(boxes.opened[0]) > 0);
}

TEST_F(WorkbookFile, FailedExportWritesWhatWasBuilt) {
    options.XAxisCrossesAt = "abc";
    EXPECT_THROW(ExportChartToExcel(options, SmallChart(), ui), ConversionError);
    ASSERT_EQ(boxes.opened.size(), 1u);
    const auto dump = DumpWorkbook(boxes.opened.front());
    // Cells, series and the formatting before the X crossing are there; the rest is not.
    ExpectSomeLines(
        dump,
        {
            "cell F3 n 12.25",
            "axisx title='X Axis' titleSize=10 tickLabelSize=None crossesAt=None majorTick=None "
            "line=000000",
            "axisy title=none titleSize=None tickLabelSize=None crossesAt=None majorTick=None "
            "line=unset",
            "legend none",
        });
}

TEST_F(WorkbookFile, BatchOutputGoesToTheGivenFileUnopened) {
    ui.OutputFile = folder / "batch.xlsx";
    ExportChartToExcel(options, SmallChart(), ui);
    EXPECT_TRUE(boxes.opened.empty());
    EXPECT_TRUE(boxes.information.empty());
    ExpectSomeLines(DumpWorkbook(ui.OutputFile), {"cell F3 n 12.25", "charts 1 ScatterChart"});
}

}  // namespace
}  // namespace qlnx::testing

namespace qlnx::testing {
namespace {

// The export reports its progress up to the end; stopped while the file is written, the
// file holds the rows written so far and the whole chart, and is opened as usual.
TEST_F(WorkbookFile, ProgressRunsToTheEndAndAStopKeepsTheRowsWritten) {
    ChartModel chart;
    ChartSeries& loop = chart.GetSeries(ChartModel::LoopSeries);
    for (int i = 0; i < 10000; ++i) loop.AddXY(i, i % 7);
    std::vector<double> fractions;
    double stopAt = 2;
    ui.Progress = [&](double f) {
        fractions.push_back(f);
        return f < stopAt;
    };
    ExportChartToExcel(options, chart, ui);
    ASSERT_GT(fractions.size(), 5u);
    EXPECT_EQ(fractions.front(), 0.0);
    EXPECT_EQ(fractions.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    ASSERT_EQ(boxes.opened.size(), 1u);
    ExpectSomeLines(DumpWorkbook(boxes.opened.back()),
                    {"cell F10001 n 3", "charts 1 ScatterChart"});

    fractions.clear();
    // The rows are written between 15 % and about half of the export.
    stopAt = 0.4;
    ExportChartToExcel(options, chart, ui);
    const auto stop =
        std::find_if(fractions.begin(), fractions.end(), [&](double f) { return f >= stopAt; });
    ASSERT_NE(stop, fractions.end());
    EXPECT_LT(*stop, 0.55);
    // The compression of what was written still reports, short of the end.
    EXPECT_LT(fractions.back(), 1.0);
    EXPECT_TRUE(boxes.information.empty());
    ASSERT_EQ(boxes.opened.size(), 2u);
    const auto dump = DumpWorkbook(boxes.opened.back());
    ExpectSomeLines(dump, {"cell E2 n 0", "charts 1 ScatterChart",
                           "ser2 name=Sheet1!$F$1 x=Sheet1!$E$2:$E$10002 y=Sheet1!$F$2:$F$10002 "
                           "smooth=1 line=auto/w6350 marker=circle markerSize=4 markerFill=None "
                           "markerLine=auto/w6350"});
    const auto cellsOfLoop = std::count_if(
        dump.begin(), dump.end(), [](const std::string& l) { return l.rfind("cell E", 0) == 0; });
    EXPECT_GT(cellsOfLoop, 1000);
    EXPECT_LT(cellsOfLoop, 10000);
}

}  // namespace
}  // namespace qlnx::testing
