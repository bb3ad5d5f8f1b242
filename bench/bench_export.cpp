// Export of a 1M-point loop series (single output) through the automation layer into a
// written .xlsx, beside libxlsxwriter writing the same cells and chart directly. A worksheet
// holds 1,048,575 data rows, so a 10M-point series is refused before anything is made.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/chart_model.h"
#include "peak_memory.h"
#include "spreadsheet/chart_export.h"

namespace {

constexpr int kPoints = 1'000'000;

// A loop series as imported from a test rig: cycles of growing amplitude, displacement to
// 6 decimals, force to 4.
const qlnx::ChartModel& LoopChart() {
    static const qlnx::ChartModel chart = [] {
        qlnx::ChartModel c;
        std::vector<double> xs(kPoints);
        std::vector<double> ys(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            const double t = i / 500.0;
            const double disp = 0.5 * (1 + t / 40) * std::sin(t);
            const double force = 120 * std::tanh(disp / 3) + 4 * std::cos(t);
            xs[static_cast<size_t>(i)] = std::round(disp * 1e6) / 1e6;
            ys[static_cast<size_t>(i)] = std::round(force * 1e4) / 1e4;
        }
        c.GetSeries(qlnx::ChartModel::LoopSeries).Assign(std::move(xs), std::move(ys));
        return c;
    }();
    return chart;
}

std::filesystem::path OutputFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string(name) + "_" + std::to_string(::getpid()) + ".xlsx");
}

// Argument 1: with a progress callback that never stops the export, as the window runs it.
void BM_ExportThroughAutomationLayer(benchmark::State& state) {
    const qlnx::ChartModel& chart = LoopChart();
    qlnx::SpreadsheetUi ui;
    ui.OutputFile = OutputFile("qlnx_bench_export_layer");
    int64_t reports = 0;
    if (state.range(0) == 1) {
        ui.Progress = [&reports](double) {
            ++reports;
            return true;
        };
    }
    for (auto _ : state) {
        qlnx::TExcelExportOptions options;
        qlnx::InitExcelExportOptions(options);
        qlnx::ExportChartToExcel(options, chart, ui);
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(ui.OutputFile)) / 1e6;
    state.counters["reports"] =
        static_cast<double>(reports) / static_cast<double>(state.iterations());
    state.counters["peakMB"] = qlnx::bench::PeakResidentMB();
    std::filesystem::remove(ui.OutputFile);
}
BENCHMARK(BM_ExportThroughAutomationLayer)
    ->ArgName("progress")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The same workbook written straight with libxlsxwriter: numbers, headers, one scatter
// chart with six series bound to the cells and the default export formatting.
void WriteDirect(const qlnx::ChartModel& chart, const std::string& file) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    const int n = chart.SeriesCount();
    for (int i = 0; i < n; ++i) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(2 * i), "X", nullptr);
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(2 * i + 1),
                               chart.GetSeries(i).Title.c_str(), nullptr);
    }
    int rows = 0;
    for (int i = 0; i < n; ++i) rows = std::max(rows, chart.GetSeries(i).Count());
    for (int r = 0; r < rows; ++r) {
        for (int i = 0; i < n; ++i) {
            const qlnx::ChartSeries& s = chart.GetSeries(i);
            if (r >= s.Count()) continue;
            const auto row = static_cast<lxw_row_t>(r + 1);
            worksheet_write_number(sheet, row, static_cast<lxw_col_t>(2 * i), s.GetxValue(r),
                                   nullptr);
            worksheet_write_number(sheet, row, static_cast<lxw_col_t>(2 * i + 1), s.GetyValue(r),
                                   nullptr);
        }
    }
    lxw_chart* c = workbook_add_chart(book, LXW_CHART_SCATTER_SMOOTH_WITH_MARKERS);
    for (int i = 0; i < n; ++i) {
        const qlnx::ChartSeries& s = chart.GetSeries(i);
        const auto last = static_cast<lxw_row_t>(s.Count() + 1);
        lxw_chart_series* series = chart_add_series(c, nullptr, nullptr);
        chart_series_set_categories(series, "Sheet1", 1, static_cast<lxw_col_t>(2 * i), last,
                                    static_cast<lxw_col_t>(2 * i));
        chart_series_set_values(series, "Sheet1", 1, static_cast<lxw_col_t>(2 * i + 1), last,
                                static_cast<lxw_col_t>(2 * i + 1));
        chart_series_set_name_range(series, "Sheet1", 0, static_cast<lxw_col_t>(2 * i + 1));
        chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
        chart_series_set_marker_size(series, 4);
        lxw_chart_line line{};
        line.width = 0.5f;
        chart_series_set_line(series, &line);
    }
    lxw_chart_font font{};
    font.size = 10;
    lxw_chart_line axisLine{};
    axisLine.color = LXW_COLOR_BLACK;
    for (lxw_chart_axis* axis : {c->x_axis, c->y_axis}) {
        chart_axis_set_name(axis, axis == c->x_axis ? "X Axis" : "Y Axis");
        chart_axis_set_name_font(axis, &font);
        chart_axis_set_num_font(axis, &font);
        chart_axis_set_line(axis, &axisLine);
        chart_axis_set_crossing(axis, -10000);
        chart_axis_set_major_tick_mark(axis, LXW_CHART_AXIS_TICK_MARK_INSIDE);
    }
    chart_legend_set_position(c, LXW_CHART_LEGEND_OVERLAY_RIGHT);
    chart_legend_set_font(c, &font);
    chart_plotarea_set_line(c, &axisLine);
    chart_title_off(c);
    lxw_chart_options place{};
    place.x_scale = 300.0 / 360.0;
    place.y_scale = 450.0 / 216.0;
    worksheet_insert_chart_opt(sheet, 4, 2, c, &place);
    workbook_close(book);
}

void BM_DirectLibxlsxwriter(benchmark::State& state) {
    const qlnx::ChartModel& chart = LoopChart();
    const std::string file = OutputFile("qlnx_bench_export_direct").string();
    for (auto _ : state) WriteDirect(chart, file);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    state.counters["peakMB"] = qlnx::bench::PeakResidentMB();
    std::filesystem::remove(file);
}
BENCHMARK(BM_DirectLibxlsxwriter)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
