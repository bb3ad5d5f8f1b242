// Reading a 1M-row curve file, beside a bare comma split with std::from_chars on the same bytes.
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

#include "core/curve_import.h"
#include "core/text_lines.h"

namespace {

constexpr int kRows = 1'000'000;

// A cyclic record of growing amplitude, written as a test rig would: fixed decimals.
const std::string& CurveFile() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() /
                          ("qlnx_bench_import_" + std::to_string(::getpid()) + ".csv");
        std::ofstream out(file, std::ios::binary);
        char line[64];
        for (int i = 0; i < kRows; ++i) {
            const double t = i / 500.0;
            const double disp = 0.5 * (1 + t / 40) * std::sin(t);
            const double force = 120 * std::tanh(disp / 3) + 4 * std::cos(t);
            const int n = std::snprintf(line, sizeof line, "%.6f,%.4f\n", disp, force);
            out.write(line, n);
        }
        return file.string();
    }();
    return path;
}

int64_t FileSize() { return static_cast<int64_t>(std::filesystem::file_size(CurveFile())); }

void BM_ReadCurveFile(benchmark::State& st) {
    const std::string& path = CurveFile();
    qlnx::AnalysisState state;
    for (auto _ : st) {
        state.ClearImportedCurve();
        auto message = qlnx::ReadCurveFile(state, path, {1, 1});
        benchmark::DoNotOptimize(message);
        if (state.RawDisp.size() != kRows) st.SkipWithError("rows missing");
    }
    st.SetBytesProcessed(st.iterations() * FileSize());
}
BENCHMARK(BM_ReadCurveFile)->Unit(benchmark::kMillisecond);

// The whole import as the window runs it: clearing, reading and drawing the loop series.
void BM_ImportCurveFile(benchmark::State& st) {
    const std::string& path = CurveFile();
    qlnx::AnalysisState state;
    for (auto _ : st) {
        auto message = qlnx::ImportCurveFile(state, path, {1, 1});
        benchmark::DoNotOptimize(message);
        if (state.LoopSeries().Count() != kRows) st.SkipWithError("rows missing");
    }
    st.SetBytesProcessed(st.iterations() * FileSize());
}
BENCHMARK(BM_ImportCurveFile)->Unit(benchmark::kMillisecond);

// Baseline: the bytes already in memory, split at commas and line feeds, each field
// converted with std::from_chars into two reserved vectors. No checks beyond that.
void BM_BaselineFromChars(benchmark::State& st) {
    const std::string bytes = qlnx::ReadFileBytes(CurveFile());
    std::vector<double> disp;
    std::vector<double> force;
    for (auto _ : st) {
        disp.clear();
        force.clear();
        disp.reserve(kRows);
        force.reserve(kRows);
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
    if (disp.size() != kRows) st.SkipWithError("rows missing");
    st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_BaselineFromChars)->Unit(benchmark::kMillisecond);

// The parts of the reading alone: decoding check, line walk, field split.
void BM_DecodeAndSplitOnly(benchmark::State& st) {
    const std::string bytes = qlnx::ReadFileBytes(CurveFile());
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
BENCHMARK(BM_DecodeAndSplitOnly)->Unit(benchmark::kMillisecond);

}  // namespace
