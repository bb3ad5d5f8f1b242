// Reading a 1M-row, 4-channel .xlsx sheet (a title row and a name row with units above the
// numbers): the sheet into rows of text, and the whole import of displacement and force by their
// channels. bench/xlsx_read.py runs both beside openpyxl reading the same file in read-only mode.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/analysis_state.h"
#include "core/channel_import.h"
#include "core/curve_import.h"
#include "formats/record_source.h"
#include "peak_memory.h"

namespace {

constexpr int kRows = 1'000'000;

// The workbook, written once by libxlsxwriter row by row: at QLNX_BENCH_XLSX when set (the
// comparison script reads the same file afterwards), else in the temporary folder.
const std::string& WorkbookPath() {
    static const std::string path = [] {
        const char* given = std::getenv("QLNX_BENCH_XLSX");
        const std::string file =
            given != nullptr ? std::string(given)
                             : (std::filesystem::temp_directory_path() /
                                ("qlnx_bench_xlsx_read_" + std::to_string(::getpid()) + ".xlsx"))
                                   .string();
        if (std::filesystem::exists(file)) return file;
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Test");
        const char* names[] = {"Time [s]", "Disp [mm]", "Force [kN]", "Stroke [mm]"};
        worksheet_write_string(sheet, 0, 0, "Test W3, cyclic", nullptr);
        for (lxw_col_t c = 0; c < 4; ++c) worksheet_write_string(sheet, 1, c, names[c], nullptr);
        for (int i = 0; i < kRows; ++i) {
            const double t = i * 0.01;
            const double disp = std::round(20 * std::sin(t / 8) * (1 + t / 4000) * 1e6) / 1e6;
            const double force = std::round(50 * std::tanh(disp / 5) * 1e4) / 1e4;
            const auto row = static_cast<lxw_row_t>(i + 2);
            worksheet_write_number(sheet, row, 0, t, nullptr);
            worksheet_write_number(sheet, row, 1, disp, nullptr);
            worksheet_write_number(sheet, row, 2, force, nullptr);
            worksheet_write_number(sheet, row, 3, std::round(disp * 1.02 * 1e4) / 1e4, nullptr);
        }
        if (workbook_close(workbook) != LXW_NO_ERROR) std::abort();
        return file;
    }();
    return path;
}

void BM_XlsxSheetToText(benchmark::State& state) {
    const std::string& path = WorkbookPath();
    for (auto _ : state) {
        const qlnx::RecordText text =
            qlnx::ReadRecordText(path, qlnx::RecordFormat::Workbook, qlnx::RecordChoice{});
        benchmark::DoNotOptimize(text.Text.data());
    }
    state.counters["peak_MB"] = qlnx::bench::PeakResidentMB();
}
BENCHMARK(BM_XlsxSheetToText)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_XlsxChannelImport(benchmark::State& state) {
    const std::string& path = WorkbookPath();
    qlnx::ChannelSettings settings;
    settings.Displacement = "Disp";
    settings.Force = "Force";
    qlnx::ImportParameters parameters;
    parameters.Channels = &settings;
    for (auto _ : state) {
        qlnx::AnalysisState analysis;
        const auto result = qlnx::ImportCurveFile(analysis, path, parameters);
        if (!result.Ok() || analysis.RawDisp.size() != kRows) {
            state.SkipWithError(result.Warning().value_or("wrong number of rows").c_str());
            break;
        }
        benchmark::DoNotOptimize(analysis.RawDisp.data());
    }
    state.counters["peak_MB"] = qlnx::bench::PeakResidentMB();
}
BENCHMARK(BM_XlsxChannelImport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
