// The evaluation's tables on the report's pages: headers with their units, numbers rounded for
// reading, long tables continued over pages under a repeated header, wide ones in blocks of
// columns, and the warnings of marked cells explained under the table.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "core/evaluation_tables.h"
#include "report/report_page.h"

namespace qlnx {

// Significant digits of the numbers in the report's tables (the evaluation CSV has them all).
inline constexpr int kReportDigits = 4;

// A cell as the report prints it: numbers to kReportDigits significant digits in the result
// files' number form, counts whole, flags and words in the report's language, null as "–".
QString ReportCellText(const TableValue& value, const ReportPages& pages);

// Draws the table under its title. A table wider than the page is drawn in blocks of columns,
// each beginning with the first keyColumns columns again.
void DrawReportTable(ReportPages& pages, const QString& title, const EvaluationTable& table,
                     std::string_view displacementUnit, std::string_view forceUnit,
                     size_t keyColumns = 1);

}  // namespace qlnx
