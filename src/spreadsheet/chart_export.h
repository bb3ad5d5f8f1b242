// The chart's series sent to a new workbook as cells with an XY scatter chart over them.
//
// The window's two export commands (the "Export Draw1 2 Excel" menu item,
// ExportDraw12Excel1Click, and the button btn8Click) each call ExportChartToExcel with the
// window's ExcelExportOptions, its chart and its SpreadsheetUi, and nothing else.
#pragma once

#include "core/chart_model.h"
#include "spreadsheet/excel_export_options.h"
#include "spreadsheet/spreadsheet_ui.h"

namespace qlnx {

// Largest number of data rows below the header row of a worksheet.
inline constexpr int kMaxWorksheetDataRows = 1048575;

// Starts a new spreadsheet application (stored in options.ExcelApp), writes every series
// of chart (hidden ones included) into "Sheet1" of a new workbook, one column pair per
// series (ExportMode 0) or one three-column table (ExportMode 1), and builds a formatted
// XY scatter chart whose series refer to those cells. Reads chart, never changes it.
// - A series that would need rows beyond the worksheet is refused before anything is
//   created: a warning names it and the limit, and nothing else happens.
// - When the application cannot be created its information box has been shown; stop.
// - A call the application refuses, or an axis position that is not a number, throws
//   (AutomationError, ConversionError) after what was built so far has been published.
// - ui.Progress follows the cells sent and then the writing of the file. When it asks to
//   stop, the export ends there without a message: what was sent so far is written and
//   opened, as after a refused call (stopped while writing, the file keeps the rows
//   written so far).
// At the end the in-process workbook application writes the workbook and opens it.
void ExportChartToExcel(TExcelExportOptions& options, const ChartModel& chart,
                        const SpreadsheetUi& ui);

// The check above: the warning text for the first series that does not fit on a
// worksheet in the given mode, or an empty text when all fit.
std::string WorksheetOverflowMessage(const ChartModel& chart, int exportMode);

}  // namespace qlnx
