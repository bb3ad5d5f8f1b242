// Starting the spreadsheet application from its programmatic identifier, and showing it.
#pragma once

#include "spreadsheet/auto_value.h"
#include "spreadsheet/spreadsheet_ui.h"

namespace qlnx {

// Creates a new application object from "Excel.Application" (never reusing one), stores
// it into holder (releasing what holder held) and returns a copy. On any failure shows
// the information box "错误" / "创建Excel文件出错, 请确认本机是否安装了MS-EXCEL.",
// sets holder to Null and returns Null.
AutoValue CreateExcelApplication(AutoValue& holder, const SpreadsheetUi& ui);

// get holder."Application"; put application."Visible" = true.
void ShowExcelApplication(const AutoValue& holder);

}  // namespace qlnx
