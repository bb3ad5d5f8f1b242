#include "report/report_document.h"

#include <qcustomplot.h>

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>

#include "core/errors.h"
#include "core/protocol_table.h"
#include "core/record_hash.h"
#include "report/report_charts.h"
#include "report/report_page.h"
#include "report/report_tables.h"

#ifndef QLNX_VERSION
#define QLNX_VERSION "0"
#endif

namespace qlnx {

namespace {

QString Local(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

// The record's file: its name, SHA-256 and modification time, as it is now on disk.
std::vector<std::pair<QString, QString>> RecordRows(const RecordReport& r,
                                                    const ReportPages& pages) {
    std::vector<std::pair<QString, QString>> rows;
    rows.emplace_back(pages.Text("Specimen"), QString::fromStdString(r.Specimen));
    rows.emplace_back(pages.Text("Record file"), Local(r.RecordPath));
    QString sha;
    try {
        sha = QString::fromStdString(FileSha256(r.RecordPath));
    } catch (const qlnx::Error& e) {
        sha = QString::fromStdString(e.what());
    }
    rows.emplace_back(pages.Text("SHA-256"), sha);
    const QFileInfo info(Local(r.RecordPath));
    if (info.exists())
        rows.emplace_back(pages.Text("Modified"),
                          info.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return rows;
}

}  // namespace

ReportPaper PaperOfLocale(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? ReportPaper::Letter
                                                                   : ReportPaper::A4;
}

QByteArray RecordReportPdf(const RecordReport& r, ReportPaper paper,
                           const ReportLanguage& language) {
    const QString name = QString::fromStdString(r.Specimen);
    ReportPages pages(paper, language, name + QStringLiteral(" — ") + Local(r.RecordPath), name);
    pages.Heading(pages.Text("Test Report") + QStringLiteral(": ") + name, 16);
    auto rows = RecordRows(r, pages);
    for (const auto& [label, value] : r.Settings)
        rows.emplace_back(pages.Text(label), QString::fromStdString(value));
    if (r.Protocol != nullptr) {
        rows.emplace_back(pages.Text("Loading protocol"),
                          r.Protocol->Protocol
                              ? pages.Text(std::string(ProtocolRow(*r.Protocol->Protocol).Name))
                              : pages.Text("not recognised"));
    }
    rows.emplace_back(pages.Text("Program"), QStringLiteral("QLNX " QLNX_VERSION));
    rows.emplace_back(pages.Text("Report date"),
                      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    DrawTitleBlock(pages, rows);

    const AnalysisState& state = *r.State;
    Chart(pages, pages.Text("Hysteresis loops"), 250,
          [&](const QRectF& area) { DrawLoopsChart(pages, state, area); });
    Chart(pages, pages.Text("Skeleton curve and yield constructions"), 300,
          [&](const QRectF& area) {
              DrawSkeletonChart(pages, state, r.Evaluation, r.Constructions, area);
          });
    Chart(pages, pages.Text("Loading history"), 220,
          [&](const QRectF& area) { DrawHistoryChart(pages, state, r.Protocol, area); });

    const std::string& d = state.Channels.DisplacementUnit;
    const std::string& f = state.Channels.ForceUnit;
    if (r.Evaluation != nullptr) {
        pages.NewPage();
        DrawReportTable(pages, pages.Text("Loops"), LoopTable(*r.Evaluation), d, f);
        DrawReportTable(pages, pages.Text("Levels"), LevelTable(*r.Evaluation), d, f);
        DrawReportTable(pages, pages.Text("Skeleton"), SkeletonTable(r.Evaluation->Skeleton), d, f,
                        2);
    }
    if (r.Protocol != nullptr && !r.Protocol->Levels.empty()) {
        DrawReportTable(pages, pages.Text("Loading protocol levels"),
                        ProtocolLevelTable(*r.Protocol), d, f);
    }
    return pages.Finish();
}

}  // namespace qlnx
