// Shared set-up of the export tests: a small chart and a recording "Excel.Application".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/chart_model.h"
#include "recording_target.h"
#include "spreadsheet/class_registry.h"
#include "spreadsheet/excel_export_options.h"
#include "spreadsheet/spreadsheet_ui.h"

namespace qlnx::testing {

// The six series of the window's chart with a few points: Point1 one point, Point2 none,
// Loop three, Loop_ none, Vorlix_Positive one, Vorlix_Negative none (so the last series is
// empty, and an empty series sits between filled ones).
ChartModel SmallChart();

// Message boxes shown through a SpreadsheetUi.
struct ShownBoxes {
    std::vector<std::string> information;  // "caption|text"
    std::vector<std::string> warnings;
    std::vector<std::string> opened;  // files given to OpenDocument
    bool openSucceeds = true;
};

// A SpreadsheetUi that records into boxes (which must outlive it).
SpreadsheetUi RecordingUi(ShownBoxes& boxes);

// Serves "Excel.Application" by recording objects while alive.
class RecordingExcel {
public:
    RecordingExcel();
    std::shared_ptr<CallRecorder> recorder = std::make_shared<CallRecorder>();
    int created = 0;  // applications created

private:
    ScopedClassRegistration registration_;
};

// Lines of a text file (LF or CR LF), for golden call logs.
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace qlnx::testing
