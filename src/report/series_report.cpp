#include "report/series_report.h"

#include <qcustomplot.h>

#include <QDateTime>
#include <QFile>
#include <map>

#include "core/evaluation_units.h"
#include "core/series_overlay.h"
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

QString MethodName(YieldMethod yield) {
    const std::string_view name = kYieldMethods[static_cast<size_t>(yield)].Name;
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The units the specimens were read in, when they all share them (empty otherwise: the
// table's numbers then have no common unit to print).
std::pair<std::string, std::string> CommonUnits(const std::vector<const SeriesSpecimen*>& group) {
    if (group.empty()) return {};
    std::pair<std::string, std::string> units{group.front()->DisplacementUnit,
                                              group.front()->ForceUnit};
    for (const SeriesSpecimen* s : group) {
        if (s->DisplacementUnit != units.first) units.first.clear();
        if (s->ForceUnit != units.second) units.second.clear();
    }
    return units;
}

// Why columns have no characteristic value, one line a reason naming its columns.
void CharacteristicNotes(ReportPages& pages, const SeriesTable& table) {
    std::map<std::string, QStringList> columns;
    for (size_t c = 0; c < table.Columns.size(); ++c) {
        const SampleStatistics& s = table.Statistics[c];
        if (s.Characteristic || s.CharacteristicNote.empty()) continue;
        columns[s.CharacteristicNote] << pages.Text(table.Columns[c]);
    }
    for (const auto& [note, names] : columns) {
        pages.Paragraph(pages.Text("No characteristic value (%1): %2")
                            .arg(pages.Text(note), names.join(QStringLiteral(", "))),
                        7);
    }
}

// One row a quantity of the comparison table: its positive and negative values side by side
// (a quantity of both sides, "PeakForcePos" and "PeakForceNeg"), or its one value, with the
// unit.
EvaluationTable KeyResults(const SeriesTable& table, size_t row, const std::string& d,
                           const std::string& f) {
    EvaluationTable t;
    t.Header = {"Quantity", "Positive", "Negative", "Unit"};
    const auto column = [&](const std::string& name) -> std::optional<size_t> {
        for (size_t c = 0; c < table.Columns.size(); ++c) {
            if (table.Columns[c] == name) return c;
        }
        return std::nullopt;
    };
    const auto ends = [](const std::string& s, const char* end) {
        return s.size() > 3 && s.compare(s.size() - 3, 3, end) == 0;
    };
    for (size_t c = 0; c < table.Columns.size(); ++c) {
        const std::string& name = table.Columns[c];
        const std::string stem = name.size() > 3 ? name.substr(0, name.size() - 3) : name;
        if (ends(name, "Neg") && column(stem + "Pos")) continue;
        const std::optional<size_t> negative =
            ends(name, "Pos") ? column(stem + "Neg") : std::nullopt;
        const std::string quantity = negative ? stem : name;
        t.Rows.push_back(
            {TableValue::Text(quantity), TableValue::Of(table.Rows[row][c]),
             negative ? TableValue::Of(table.Rows[row][*negative]) : TableValue::Null(),
             TableValue::Text(UnitOfDimension(DimensionOfColumn(quantity), d, f))});
    }
    return t;
}

// A specimen's page: its record, its key results and, where it fits, its skeleton with the
// yield method's construction over its loops.
void SpecimenPage(ReportPages& pages, const SeriesSpecimen& s, const SeriesTable& table, size_t row,
                  YieldMethod yield) {
    pages.NewPage();
    const QString name = QString::fromStdString(s.Member.Name);
    pages.Heading(pages.Text("Specimen") + QStringLiteral(": ") + name, 14);
    std::vector<std::pair<QString, QString>> rows;
    if (!s.Member.Group.empty())
        rows.emplace_back(pages.Text("Group"), QString::fromStdString(s.Member.Group));
    if (!s.RecordPath.empty()) rows.emplace_back(pages.Text("Record file"), Local(s.RecordPath));
    rows.emplace_back(pages.Text("Yield method"), MethodName(yield));
    DrawTitleBlock(pages, rows);
    DrawReportTable(pages, pages.Text("Key results"),
                    KeyResults(table, row, s.DisplacementUnit, s.ForceUnit), s.DisplacementUnit,
                    s.ForceUnit);
    // The chart takes the room left on the page, when that is enough to read it.
    const double height = std::min(320.0, pages.Room() - 40);
    if (height < 160) return;
    SkeletonChartData data;
    data.CurveX = &s.CurveDisp;
    data.CurveY = &s.CurveForce;
    data.PositiveX = &s.Member.Positive.X;
    data.PositiveY = &s.Member.Positive.Y;
    data.NegativeX = &s.Member.Negative.X;
    data.NegativeY = &s.Member.Negative.Y;
    data.DisplacementUnit = s.DisplacementUnit;
    data.ForceUnit = s.ForceUnit;
    Chart(pages, pages.Text("Skeleton curve and yield constructions"), height,
          [&](const QRectF& area) {
              DrawSkeletonChart(pages, data, &s.Member.Evaluation, {yield}, area);
          });
}

}  // namespace

QByteArray SeriesReportPdf(const SeriesReport& r, ReportPaper paper,
                           const ReportLanguage& language) {
    const QString name = QString::fromStdString(r.Name);
    const QString footer = r.Source.empty() ? name : name + QStringLiteral(" — ") + Local(r.Source);
    ReportPages pages(paper, language, footer, name);
    pages.Heading(pages.Text("Series Report") + QStringLiteral(": ") + name, 16);
    const SeriesEvaluation& evaluation = *r.Evaluation;
    const std::vector<SeriesGroup>& groups = *r.Groups;
    const SeriesScaleInfo& scale = kSeriesScales[static_cast<size_t>(r.Scale)];
    std::vector<std::pair<QString, QString>> rows;
    if (!r.Source.empty()) rows.emplace_back(pages.Text("Project file"), Local(r.Source));
    rows.emplace_back(pages.Text("Specimens"), QString::number(evaluation.Specimens.size()));
    rows.emplace_back(pages.Text("Yield method"), MethodName(r.Yield));
    rows.emplace_back(pages.Text("Normalisation"), pages.Text(scale.Name));
    rows.emplace_back(pages.Text("Program"), QStringLiteral("QLNX " QLNX_VERSION));
    rows.emplace_back(pages.Text("Report date"),
                      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    DrawTitleBlock(pages, rows);
    for (const std::string& m : evaluation.Messages)
        pages.Paragraph(QString::fromStdString(m), 7.5);

    for (const SeriesGroup& group : groups) {
        const std::vector<const SeriesSpecimen*> specimens = GroupSpecimens(evaluation, group.Name);
        if (groups.size() > 1 || !group.Name.empty()) {
            pages.Heading(pages.Text("Group") + QStringLiteral(": ") +
                              (group.Name.empty() ? pages.Text("(no group)")
                                                  : QString::fromStdString(group.Name)),
                          14);
        }
        const auto [d, f] = CommonUnits(specimens);
        DrawReportTable(pages, pages.Text("Comparison table"), SeriesGroupTable(group), d, f);
        CharacteristicNotes(pages, group.Table);

        const SeriesOverlay overlay = MakeSeriesOverlay(specimens, r.Scale, r.Yield, false);
        for (const std::string& m : overlay.LeftOut)
            pages.Paragraph(pages.Text("Not drawn: %1.").arg(QString::fromStdString(m)), 7.5);
        // The axes' titles; unscaled, with the units the specimens share.
        const auto title = [&](const char* designed, const std::string& unit) {
            const QString text = pages.Text(designed);
            return r.Scale == SeriesScale::None && !unit.empty()
                       ? QStringLiteral("%1 (%2)").arg(text, QString::fromStdString(unit))
                       : text;
        };
        const QString x = title(scale.XTitle, d);
        const QString y = title(scale.YTitle, f);
        SeriesChartParts parts;
        parts.PenScale = 0.6;
        parts.Mean = false;
        Chart(pages, pages.Text("Skeleton curves of the specimens"), 270, [&](const QRectF& area) {
            DrawSeriesOverlayChart(pages, overlay, parts, x, y, area);
        });
        parts.Specimens = false;
        parts.Mean = true;
        Chart(
            pages, pages.Text("Mean skeleton \u00b1 one standard deviation"), 270,
            [&](const QRectF& area) { DrawSeriesOverlayChart(pages, overlay, parts, x, y, area); });
    }
    for (const SeriesGroup& group : groups) {
        const std::vector<const SeriesSpecimen*> specimens = GroupSpecimens(evaluation, group.Name);
        for (size_t i = 0; i < specimens.size() && i < group.Table.Rows.size(); ++i)
            SpecimenPage(pages, *specimens[i], group.Table, i, r.Yield);
    }
    return pages.Finish();
}

}  // namespace qlnx
