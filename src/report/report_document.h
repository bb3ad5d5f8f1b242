// The test report of one record as a PDF file: the title block, the loops, the skeleton with
// the yield constructions, the loading history, and the loop, level, skeleton and protocol
// tables, on numbered pages with the record's name in the footer.
#pragma once

#include <QByteArray>
#include <QLocale>

#include "report/report_input.h"

namespace qlnx {

// A4, or Letter where the locale measures in US units.
ReportPaper PaperOfLocale(const QLocale& locale);

// The whole PDF file. Needs a QApplication (the charts are drawn by widgets never shown).
QByteArray RecordReportPdf(const RecordReport& report, ReportPaper paper,
                           const ReportLanguage& language);

}  // namespace qlnx
