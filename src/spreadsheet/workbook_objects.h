// The workbook side of the in-process application's object model: Workbooks, Workbook,
// Worksheet, Range, Shapes and Shape.
#pragma once

#include <memory>

#include "spreadsheet/auto_value.h"
#include "spreadsheet/workbook_data.h"

namespace qlnx {

// Default cell size of a new worksheet, points: 8.43 characters wide (64 pixels), 20 pixels
// high. "Left" and "Top" of a cell, and the anchor of a chart, are counted in these.
inline constexpr double kDefaultColumnWidthPt = 48;
inline constexpr double kDefaultRowHeightPt = 15;

// The Workbooks collection of app.
AutoValue NewWorkbooksObject(std::shared_ptr<ApplicationData> app);

}  // namespace qlnx
