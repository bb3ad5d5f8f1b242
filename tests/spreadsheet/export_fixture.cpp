#include "export_fixture.h"

#include <fstream>

namespace qlnx::testing {

ChartModel SmallChart() {
    ChartModel chart;
    chart.GetSeries(ChartModel::pntsrsSeries1).AddXY(1.5, -2);
    ChartSeries& loop = chart.GetSeries(ChartModel::LoopSeries);
    loop.AddXY(0, 0);
    loop.AddXY(1.0 / 3.0, 12.25);
    loop.AddXY(-1e-5, -1.5e20);
    chart.GetSeries(ChartModel::PositiveSkeletonSeries).AddXY(2, 3.5);
    return chart;
}

SpreadsheetUi RecordingUi(ShownBoxes& boxes) {
    SpreadsheetUi ui;
    ui.Information = [&boxes](const std::string& caption, const std::string& text) {
        boxes.information.push_back(caption + "|" + text);
    };
    ui.Warning = [&boxes](const std::string& caption, const std::string& text) {
        boxes.warnings.push_back(caption + "|" + text);
    };
    ui.OpenDocument = [&boxes](const std::filesystem::path& file) {
        boxes.opened.push_back(file.string());
        return boxes.openSucceeds;
    };
    return ui;
}

RecordingExcel::RecordingExcel()
    : registration_("Excel.Application", [this](const SpreadsheetUi&) {
          ++created;
          return NewRecordingApplication(recorder);
      }) {}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace qlnx::testing
