// Reading curve files of 1M and 10M rows, beside a bare comma split with std::from_chars on the
// same bytes. The import's peak memory is compared with its budget: the file's size plus 48
// bytes per row (run one size alone for that figure: the peak only grows).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <map>

#include "core/curve_import.h"
#include "core/loop_analysis.h"
#include "core/text_lines.h"
#include "peak_memory.h"

namespace {

// A cyclic record of growing amplitude with `rows` rows, written as a test rig would: fixed
// decimals, comma-separated, or (european) semicolon-separated with decimal commas. Made
// once per size and layout and removed at exit.
const std::string& CurveFile(int rows, bool european = false) {
    struct Files {
        std::map<int, std::string> paths;
        ~Files() {
            for (const auto& [rows, path] : paths) std::filesystem::remove(path);
        }
    };
    static Files files;
    std::string& path = files.paths[european ? -rows : rows];
    if (path.empty()) {
        const auto file = std::filesystem::temp_directory_path() /
                          ("qlnx_bench_import_" + std::to_string(::getpid()) + "_" +
                           std::to_string(rows) + (european ? "_eu" : "") + ".csv");
        std::ofstream out(file, std::ios::binary);
        char line[64];
        for (int i = 0; i < rows; ++i) {
            const double t = i / 500.0;
            const double disp = 0.5 * (1 + t / 40) * std::sin(t);
            const double force = 120 * std::tanh(disp / 3) + 4 * std::cos(t);
            const int n = std::snprintf(line, sizeof line, "%.6f,%.4f\n", disp, force);
            if (european) {
                for (int k = 0; k < n; ++k) {
                    line[k] = line[k] == ',' ? ';' : line[k] == '.' ? ',' : line[k];
                }
            }
            out.write(line, n);
        }
        path = file.string();
    }
    return path;
}

int64_t FileSize(int rows) {
    return static_cast<int64_t>(std::filesystem::file_size(CurveFile(rows)));
}

void BM_ReadCurveFile(benchmark::State& st) {
    const auto rows = static_cast<int>(st.range(0));
    const std::string& path = CurveFile(rows);
    qlnx::AnalysisState state;
    for (auto _ : st) {
        state.ClearImportedCurve();
        auto message = qlnx::ReadCurveFile(state, path, {1, 1});
        benchmark::DoNotOptimize(message);
        if (state.RawDisp.size() != static_cast<size_t>(rows)) st.SkipWithError("rows missing");
    }
    st.SetBytesProcessed(st.iterations() * FileSize(rows));
    st.SetItemsProcessed(st.iterations() * rows);
}
BENCHMARK(BM_ReadCurveFile)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The same record semicolon-separated with decimal commas, as European loggers write it: the
// rows go through the full field rule.
void BM_ReadCurveFileDecimalComma(benchmark::State& st) {
    const auto rows = static_cast<int>(st.range(0));
    const std::string& path = CurveFile(rows, true);
    qlnx::AnalysisState state;
    for (auto _ : st) {
        state.ClearImportedCurve();
        auto result = qlnx::ReadCurveFile(state, path, {1, 1});
        benchmark::DoNotOptimize(result);
        if (state.RawDisp.size() != static_cast<size_t>(rows)) st.SkipWithError("rows missing");
    }
    st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    st.SetItemsProcessed(st.iterations() * rows);
}
BENCHMARK(BM_ReadCurveFileDecimalComma)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The whole import as the window runs it: clearing, reading and drawing the loop series, from
// an empty state each time (as at the first import), with or without someone following its
// progress (argument 2: 1 with a progress callback that never stops it).
void BM_ImportCurveFile(benchmark::State& st) {
    const auto rows = static_cast<int>(st.range(0));
    const std::string& path = CurveFile(rows);
    int64_t reports = 0;
    qlnx::ProgressCallback progress;
    if (st.range(1) == 1) {
        progress = [&reports](double) {
            ++reports;
            return true;
        };
    }
    for (auto _ : st) {
        qlnx::AnalysisState state;
        auto message = qlnx::ImportCurveFile(state, path, {1, 1}, progress);
        benchmark::DoNotOptimize(message);
        if (state.LoopSeries().Count() != rows) st.SkipWithError("rows missing");
        st.PauseTiming();
        state = qlnx::AnalysisState();  // freeing is not part of the import
        st.ResumeTiming();
    }
    st.SetBytesProcessed(st.iterations() * FileSize(rows));
    st.SetItemsProcessed(st.iterations() * rows);
    st.counters["reports"] = static_cast<double>(reports) / static_cast<double>(st.iterations());
    st.counters["peakMB"] = qlnx::bench::PeakResidentMB();
    st.counters["budgetMB"] = (static_cast<double>(FileSize(rows)) + 48.0 * rows) / (1 << 20);
}
BENCHMARK(BM_ImportCurveFile)
    ->ArgNames({"rows", "progress"})
    ->ArgsProduct({{1'000'000, 10'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Baseline: the bytes already in memory, split at commas and line feeds, each field
// converted with std::from_chars into two reserved vectors. No checks beyond that.
void BM_BaselineFromChars(benchmark::State& st) {
    const auto rows = static_cast<int>(st.range(0));
    const std::string bytes = qlnx::ReadFileBytes(CurveFile(rows));
    std::vector<double> disp;
    std::vector<double> force;
    for (auto _ : st) {
        disp.clear();
        force.clear();
        disp.reserve(static_cast<size_t>(rows));
        force.reserve(static_cast<size_t>(rows));
        const char* p = bytes.data();
        const char* end = p + bytes.size();
        while (p < end) {
            double d = 0;
            double f = 0;
            p = std::from_chars(p, end, d).ptr + 1;  // past the comma
            p = std::from_chars(p, end, f).ptr + 1;  // past the line feed
            disp.push_back(d);
            force.push_back(f);
        }
        benchmark::DoNotOptimize(disp.data());
        benchmark::DoNotOptimize(force.data());
    }
    if (disp.size() != static_cast<size_t>(rows)) st.SkipWithError("rows missing");
    st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(bytes.size()));
    st.SetItemsProcessed(st.iterations() * rows);
}
BENCHMARK(BM_BaselineFromChars)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Import and loop analysis of the record as the window runs them one after the other, from
// an empty state each time (argument 2: 1 reads the rows line by line, 0 in pieces on every
// core), beside BM_BaselineReadParseStore of the same file.
void BM_ImportAndAnalyze(benchmark::State& st) {
    const auto rows = static_cast<int>(st.range(0));
    const std::string& path = CurveFile(rows);
    qlnx::SetImportReading({st.range(1) == 1, 0});
    for (auto _ : st) {
        qlnx::AnalysisState state;
        auto result = qlnx::ImportCurveFile(state, path, {1, 1});
        auto message = qlnx::AnalyzeLoops(state);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(message);
        if (state.RawDisp.size() != static_cast<size_t>(rows) || state.LoopCount == 0) {
            st.SkipWithError("rows or loops missing");
        }
        st.PauseTiming();
        state = qlnx::AnalysisState();  // freeing is not part of the work
        st.ResumeTiming();
    }
    qlnx::SetImportReading({});
    st.SetItemsProcessed(st.iterations() * rows);
}
BENCHMARK(BM_ImportAndAnalyze)
    ->ArgNames({"rows", "lineByLine"})
    ->ArgsProduct({{1'000'000, 10'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Baseline of the whole import: the bare single-thread reading of the file into memory, the
// comma and line-feed split with std::from_chars and the store into two vectors reserved
// for the rows.
void BM_BaselineReadParseStore(benchmark::State& st) {
    const auto rows = static_cast<int>(st.range(0));
    const std::string& path = CurveFile(rows);
    for (auto _ : st) {
        std::string bytes(static_cast<size_t>(FileSize(rows)), '\0');
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            st.SkipWithError("cannot read");
        }
        if (file != nullptr) std::fclose(file);
        std::vector<double> disp;
        std::vector<double> force;
        disp.reserve(static_cast<size_t>(rows));
        force.reserve(static_cast<size_t>(rows));
        const char* p = bytes.data();
        const char* end = p + bytes.size();
        while (p < end) {
            double d = 0;
            double f = 0;
            p = std::from_chars(p, end, d).ptr + 1;  // past the comma
            p = std::from_chars(p, end, f).ptr + 1;  // past the line feed
            disp.push_back(d);
            force.push_back(f);
        }
        benchmark::DoNotOptimize(disp.data());
        benchmark::DoNotOptimize(force.data());
        if (disp.size() != static_cast<size_t>(rows)) st.SkipWithError("rows missing");
    }
    st.SetItemsProcessed(st.iterations() * rows);
}
BENCHMARK(BM_BaselineReadParseStore)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// The parts of the reading alone: decoding check, line walk, field split.
void BM_DecodeAndSplitOnly(benchmark::State& st) {
    const std::string bytes = qlnx::ReadFileBytes(CurveFile(static_cast<int>(st.range(0))));
    for (auto _ : st) {
        std::string text = bytes;
        qlnx::DecodeText(text);
        size_t fields = 0;
        for (qlnx::LineCursor c(text); c.Valid(); c.Next()) {
            qlnx::FieldReader r(c.Line());
            std::string_view f;
            fields += r.Next(f);
            fields += r.Next(f);
        }
        benchmark::DoNotOptimize(fields);
    }
    st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeAndSplitOnly)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
