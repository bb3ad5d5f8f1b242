#include "spreadsheet/evaluation_workbook.h"

#include <xlsxwriter.h>

#include <cmath>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/evaluation_units.h"
#include "core/protocol_table.h"
#include "spreadsheet/sheet_writer.h"

namespace qlnx {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& reason) {
    throw FileError("Cannot write the workbook \"" + file.string() + "\": " + reason);
}

size_t ColumnOf(const EvaluationTable& t, const std::string& name) {
    for (size_t c = 0; c < t.Header.size(); ++c) {
        if (t.Header[c] == name) return c;
    }
    return 0;
}

// A scatter chart of one loop-table column against the loop number.
void AddLoopChart(lxw_workbook* book, lxw_worksheet* sheet, lxw_row_t anchorRow,
                  lxw_col_t anchorCol, lxw_row_t first, lxw_row_t last, lxw_col_t loopCol,
                  lxw_col_t valueCol, const char* title, const char* yTitle) {
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    lxw_chart_series* s = chart_add_series(chart, nullptr, nullptr);
    chart_series_set_categories(s, "Evaluation", first, loopCol, last, loopCol);
    chart_series_set_values(s, "Evaluation", first, valueCol, last, valueCol);
    chart_series_set_name(s, yTitle);
    chart_title_set_name(chart, title);
    chart_axis_set_name(chart->x_axis, "Loop");
    chart_axis_set_name(chart->y_axis, yTitle);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    lxw_chart_options options{};
    options.x_scale = 1.4;
    options.y_scale = 1.2;
    worksheet_insert_chart_opt(sheet, anchorRow, anchorCol, chart, &options);
}

}  // namespace

void WriteEvaluationWorkbook(const TestEvaluation& e, const EvaluationReportHeader& header,
                             const std::filesystem::path& file,
                             const ProtocolRecognition* protocol) {
    lxw_workbook* book = workbook_new(file.c_str());
    if (book == nullptr) Fail(file, "the file cannot be created");
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Evaluation");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    SheetWriter w(sheet, bold);

    // The report's header line: what was evaluated and how.
    const std::pair<const char*, TableValue> items[] = {
        {"Record", TableValue::Text(header.Record)},
        {"SkeletonMethod", TableValue::Text(header.SkeletonMethod)},
        {"Preset", TableValue::Text(header.Preset)},
        {"UltimateRatio", TableValue::Of(e.Options.UltimateRatio)},
        {"PeakPoint", TableValue::Text(PeakPointName(e.Options.PeakPoint))},
        {"LevelTolerance", TableValue::Of(e.Options.LevelTolerance)},
        {"NoiseBand", TableValue::Of(e.Options.NoiseBand)},
    };
    lxw_col_t c = 0;
    for (const auto& [name, value] : items) {
        w.Text(0, c++, name, true);
        w.Value(0, c++, value);
    }
    // The units, as the evaluation CSV gives them, when the record's are known.
    if (!header.DisplacementUnit.empty() || !header.ForceUnit.empty()) {
        const auto unit = [&header](ColumnDimension d) {
            return TableValue::Text(UnitOfDimension(d, header.DisplacementUnit, header.ForceUnit));
        };
        const std::pair<const char*, TableValue> units[] = {
            {"DisplacementUnit", TableValue::Text(header.DisplacementUnit)},
            {"ForceUnit", TableValue::Text(header.ForceUnit)},
            {"EnergyUnit", unit(ColumnDimension::Energy)},
            {"StiffnessUnit", unit(ColumnDimension::Stiffness)},
        };
        for (const auto& [name, value] : units) {
            w.Text(0, c++, name, true);
            w.Value(0, c++, value);
        }
    }
    const auto withUnit = [&header](const char* title, std::string_view column) {
        const std::string unit =
            UnitOfDimension(DimensionOfColumn(column), header.DisplacementUnit, header.ForceUnit);
        return unit.empty() ? std::string(title) : std::string(title) + " (" + unit + ")";
    };
    const std::string energyTitle = withUnit("Energy", "Energy");
    const std::string stiffnessTitle = withUnit("Secant stiffness", "SecantStiffness");

    const EvaluationTable loops = LoopTable(e);
    const lxw_row_t loopsTop = 2;
    lxw_row_t r = w.Table(loopsTop, loops);
    r = w.Table(r + 1, LevelTable(e));
    r = w.Table(r + 1, SkeletonTable(e.Skeleton));
    if (protocol != nullptr) {
        r = w.Table(r + 1, ProtocolSummaryTable(*protocol));
        r = w.Table(r + 1, ProtocolCandidateTable(*protocol));
        w.Table(r + 1, ProtocolLevelTable(*protocol));
    }

    if (!loops.Rows.empty()) {
        const lxw_row_t first = loopsTop + 2;
        const lxw_row_t last = first + static_cast<lxw_row_t>(loops.Rows.size()) - 1;
        const auto loopCol = static_cast<lxw_col_t>(ColumnOf(loops, "Loop"));
        const auto anchorCol = static_cast<lxw_col_t>(loops.Header.size() + 1);
        AddLoopChart(book, sheet, loopsTop, anchorCol, first, last, loopCol,
                     static_cast<lxw_col_t>(ColumnOf(loops, "Energy")), "Energy per loop",
                     energyTitle.c_str());
        AddLoopChart(book, sheet, loopsTop + 20, anchorCol, first, last, loopCol,
                     static_cast<lxw_col_t>(ColumnOf(loops, "DampingRatio")),
                     "Equivalent viscous damping per loop", "he");
        AddLoopChart(book, sheet, loopsTop + 40, anchorCol, first, last, loopCol,
                     static_cast<lxw_col_t>(ColumnOf(loops, "SecantStiffness")),
                     "Secant stiffness per loop", stiffnessTitle.c_str());
    }
    const lxw_error closeError = workbook_close(book);
    if (w.FirstError() != LXW_NO_ERROR) Fail(file, lxw_strerror(w.FirstError()));
    if (closeError != LXW_NO_ERROR) Fail(file, lxw_strerror(closeError));
}

}  // namespace qlnx
