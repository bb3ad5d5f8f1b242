// Importing a 1M-row, 8-channel record: by its channels with two expressions, against the
// two-column import of the same rows.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/channel_import.h"
#include "core/curve_import.h"

namespace {

constexpr int kRows = 1000000;

// The record without a header (for the two-column import) and with a name and a unit row.
const std::string& RecordPath(bool header) {
    static const std::array<std::string, 2> paths = [] {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("qlnx_bench_channels_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::string rows;
        char line[256];
        for (int i = 0; i < kRows; ++i) {
            const double t = i * 0.001;
            const double d = 20 * std::sin(t) * (1 + t / 400);
            std::snprintf(line, sizeof line, "%.6g,%.6g,%.6g,%.6g,%.6g,%.6g,%.6g,%.6g\n", d,
                          50 * std::tanh(d / 5), t, d * 0.98, 0.02 * d, 25 * std::tanh(d / 5),
                          25 * std::tanh(d / 5) + 0.1, 21.5);
            rows += line;
        }
        const std::string plain = (dir / "plain.csv").string();
        const std::string named = (dir / "named.csv").string();
        std::ofstream(plain, std::ios::binary) << rows;
        std::ofstream(named, std::ios::binary)
            << "Disp [mm],Force [kN],Time [s],LVDT_N [mm],Slip [mm],LC1 [kN],LC2 [kN],Temp\n"
            << rows;
        return std::array<std::string, 2>{plain, named};
    }();
    return paths[header ? 1 : 0];
}

void BM_TwoColumnImport(benchmark::State& state) {
    const std::string& path = RecordPath(false);
    for (auto _ : state) {
        qlnx::AnalysisState analysis;
        const auto result = qlnx::ImportCurveFile(analysis, path, qlnx::ImportParameters{});
        if (!result.Ok() || analysis.RawDisp.size() != kRows) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(analysis.RawDisp.data());
    }
}
BENCHMARK(BM_TwoColumnImport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChannelImportTwoExpressions(benchmark::State& state) {
    const std::string& path = RecordPath(true);
    qlnx::ChannelSettings settings;
    settings.Displacement = "LVDT_N - Slip";
    settings.Force = "LC1 + LC2";
    qlnx::ImportParameters parameters;
    parameters.Channels = &settings;
    for (auto _ : state) {
        qlnx::AnalysisState analysis;
        const auto result = qlnx::ImportCurveFile(analysis, path, parameters);
        if (!result.Ok() || analysis.RawDisp.size() != kRows) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(analysis.RawDisp.data());
    }
}
BENCHMARK(BM_ChannelImportTwoExpressions)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
