#include "spreadsheet/series_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "spreadsheet/sheet_writer.h"

namespace qlnx {

namespace {

const char* const kSheet = "Series";

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& reason) {
    throw FileError("Cannot write the workbook \"" + file.string() + "\": " + reason);
}

// One line of the chart: a skeleton as one path from the negative branch's far end through the
// origin side to the positive branch's far end.
struct ChartLine {
    std::string Name;
    std::vector<double> X;
    std::vector<double> Y;
};

ChartLine WholeSkeleton(std::string name, const SkeletonBranchNodes& positive,
                        const SkeletonBranchNodes& negative) {
    ChartLine line{std::move(name), {}, {}};
    for (size_t i = negative.X.size(); i-- > 0;) {
        line.X.push_back(negative.X[i]);
        line.Y.push_back(negative.Y[i]);
    }
    line.X.insert(line.X.end(), positive.X.begin(), positive.X.end());
    line.Y.insert(line.Y.end(), positive.Y.begin(), positive.Y.end());
    return line;
}

// The mean skeleton, or the mean shifted by +-1 standard deviation (sign), both branches.
ChartLine MeanLine(std::string name, const SeriesOverlay& o, int sign) {
    SkeletonBranchNodes branches[2];
    const MeanSkeletonBranch* means[2] = {&o.MeanPositive, &o.MeanNegative};
    for (int b = 0; b < 2; ++b) {
        const MeanSkeletonBranch& m = *means[b];
        // The deviation widens the band away from the axis on each side.
        const double outward = b == 0 ? 1.0 : -1.0;
        for (size_t i = 0; i < m.Disp.size(); ++i) {
            if (sign != 0 && !m.StdDev[i]) continue;
            branches[b].X.push_back(m.Disp[i]);
            branches[b].Y.push_back(m.Mean[i] + (sign == 0 ? 0.0 : sign * outward * *m.StdDev[i]));
        }
    }
    return WholeSkeleton(std::move(name), branches[0], branches[1]);
}

}  // namespace

void WriteSeriesWorkbook(const SeriesGroup& group, const SeriesOverlay& overlay, YieldMethod yield,
                         const SeriesWorkbookTitles& titles, const std::filesystem::path& file) {
    lxw_workbook* book = workbook_new(file.c_str());
    if (book == nullptr) Fail(file, "the file cannot be created");
    lxw_worksheet* sheet = workbook_add_worksheet(book, kSheet);
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    SheetWriter w(sheet, bold);

    // What the table and the chart show.
    const std::pair<const char*, std::string> items[] = {
        {"Group", group.Name},
        {"YieldMethod", std::string(kYieldMethods[static_cast<size_t>(yield)].Name)},
        {"Scale", titles.Scale},
    };
    lxw_col_t c = 0;
    for (const auto& [name, value] : items) {
        w.Text(0, c++, name, true);
        w.Text(0, c++, value);
    }
    const EvaluationTable table = SeriesGroupTable(group);
    lxw_row_t r = w.Table(2, table);

    // The curves beneath the table, two columns a line, and the chart over them.
    std::vector<ChartLine> lines;
    for (const OverlaySpecimen& s : overlay.Specimens) {
        lines.push_back(WholeSkeleton(s.Name, s.Positive, s.Negative));
    }
    const bool mean = !overlay.MeanPositive.Disp.empty() || !overlay.MeanNegative.Disp.empty();
    if (mean) {
        lines.push_back(MeanLine("Mean", overlay, 0));
        lines.push_back(MeanLine("Mean + StdDev", overlay, 1));
        lines.push_back(MeanLine("Mean - StdDev", overlay, -1));
    }
    const lxw_row_t top = r + 1;
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    for (size_t l = 0; l < lines.size(); ++l) {
        const ChartLine& line = lines[l];
        const auto x = static_cast<lxw_col_t>(2 * l);
        w.Text(top, x, line.Name, true);
        w.Text(top + 1, x, titles.XAxis, true);
        w.Text(top + 1, x + 1, titles.YAxis, true);
        for (size_t i = 0; i < line.X.size(); ++i) {
            const auto row = static_cast<lxw_row_t>(top + 2 + i);
            w.Value(row, x, TableValue::Of(line.X[i]));
            w.Value(row, x + 1, TableValue::Of(line.Y[i]));
        }
        if (line.X.empty()) continue;
        const auto last = static_cast<lxw_row_t>(top + 1 + line.X.size());
        lxw_chart_series* s = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_categories(s, kSheet, top + 2, x, last, x);
        chart_series_set_values(s, kSheet, top + 2, x + 1, last, x + 1);
        chart_series_set_name(s, line.Name.c_str());
        if (mean && l >= overlay.Specimens.size()) {
            lxw_chart_line style{};
            style.color = LXW_COLOR_BLACK;
            style.width = l == overlay.Specimens.size() ? 2.25 : 1;
            style.dash_type = l == overlay.Specimens.size() ? LXW_CHART_LINE_DASH_SOLID
                                                            : LXW_CHART_LINE_DASH_DASH;
            chart_series_set_line(s, &style);
            chart_series_set_marker_type(s, LXW_CHART_MARKER_NONE);
        }
    }
    chart_title_set_name(chart, group.Name.empty() ? "Skeleton curves" : group.Name.c_str());
    chart_axis_set_name(chart->x_axis, titles.XAxis.c_str());
    chart_axis_set_name(chart->y_axis, titles.YAxis.c_str());
    chart_axis_set_crossing(chart->x_axis, 0);
    chart_axis_set_crossing(chart->y_axis, 0);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_RIGHT);
    lxw_chart_options options{};
    options.x_scale = 2.0;
    options.y_scale = 1.8;
    worksheet_insert_chart_opt(sheet, 2, static_cast<lxw_col_t>(table.Header.size() + 1), chart,
                               &options);
    const lxw_error closeError = workbook_close(book);
    if (w.FirstError() != LXW_NO_ERROR) Fail(file, lxw_strerror(w.FirstError()));
    if (closeError != LXW_NO_ERROR) Fail(file, lxw_strerror(closeError));
}

}  // namespace qlnx
