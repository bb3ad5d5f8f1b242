// Reading the references of a chart series' formulas: "=Sheet1!$E$2:$E$1002".
#pragma once

#include <optional>
#include <string_view>

#include "spreadsheet/workbook_data.h"

namespace qlnx {

// Parses "=" sheet "!" cell [":" cell], where sheet is a name or a quoted name ('My sheet',
// '' for a quote) and cell is [$]letters[$]digits. The second cell must not lie above or
// left of the first. Rows and columns must lie on a worksheet, except that the last row may
// be one beyond the sheet's end (a range that ends below the data of a full column).
// Returns nullopt for anything else.
std::optional<CellRange> ParseRangeFormula(std::string_view formula);

}  // namespace qlnx
