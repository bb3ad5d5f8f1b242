// The test report of a series as a PDF file: for each group the comparison table with its
// statistics (mean, CoV, characteristic values), the overlay of the specimens' skeletons and
// the mean skeleton, then one page a specimen with its key results and its skeleton chart.
#pragma once

#include <QByteArray>
#include "report/report_input.h"

namespace qlnx {

// The whole PDF file. Needs a QApplication (the charts are drawn by widgets never shown).
QByteArray SeriesReportPdf(const SeriesReport& report, ReportPaper paper,
                           const ReportLanguage& language);

}  // namespace qlnx
