// The whole export's call sequence against a recording target, in both layouts.
#include "spreadsheet/chart_export.h"

#include <gtest/gtest.h>

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

    // Compares the log with a golden file; on a difference writes the log beside the
    // build for review and names the first differing line.
    void ExpectGolden(const std::string& name) {
        const auto expected = ReadLines(std::string(QLNX_TEST_DATA) + "/../spreadsheet/" + name);
        const auto& actual = excel.recorder->calls;
        for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            const std::string e = i < expected.size() ? expected[i] : "<end>";
            const std::string a = i < actual.size() ? actual[i] : "<end>";
            if (e != a) {
                std::ofstream out(std::string(QLNX_BINARY_DIR) + "/" + name);
                for (const auto& line : actual) out << line << "\n";
                ADD_FAILURE() << name << " line " << i + 1 << "\n expected: " << e
                              << "\n actual:   " << a;
                return;
            }
        }
    }

    TExcelExportOptions options;
    RecordingExcel excel;
    ShownBoxes boxes;
};

TEST_F(ChartExport, SingleOutputCallSequence) {
    Export(SmallChart());
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

}  // namespace
}  // namespace qlnx::testing
