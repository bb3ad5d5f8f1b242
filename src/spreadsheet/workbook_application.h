// The in-process workbook application served as "Excel.Application".
#pragma once

#include <filesystem>
#include <string_view>

#include "spreadsheet/dispatch.h"
#include "spreadsheet/spreadsheet_ui.h"

namespace qlnx {

inline constexpr std::string_view kWorkbookApplicationProgId = "Excel.Application";

// A new application object. Its workbooks are written as .xlsx files when published
// (DocumentPublisher): to ui.OutputFile if set (not opened), else as a new file
// "QLNX-export-<yyyymmdd>-<hhmmss>[-n].xlsx" in ui.OutputFolder or the user's temporary
// folder, opened with ui.OpenDocument; when nothing opens it, an information box names it.
// ui.Progress follows the writing of each workbook file.
DispatchPtr CreateWorkbookApplication(const SpreadsheetUi& ui);

// A file name in folder that did not exist and is now reserved (created empty).
std::filesystem::path ReserveExportFileName(const std::filesystem::path& folder);

}  // namespace qlnx
