// Speed of building and writing the modified-loop file, built in one buffer, for working
// curves of up to 10M points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/number_text.h"
#include "core/result_files.h"

namespace {

// A decaying cyclic curve with full-precision values, like a measured record.
qlnx::AnalysisState CyclicCurve(int64_t points) {
    qlnx::AnalysisState state;
    state.LoopDisp.reserve(static_cast<size_t>(points));
    state.LoopForce.reserve(static_cast<size_t>(points));
    for (int64_t k = 0; k < points; ++k) {
        const double t = static_cast<double>(k) * 0.001;
        state.LoopDisp.push_back(25.0 * std::sin(t) * (1.0 + t * 0.01));
        state.LoopForce.push_back(310.0 * std::tanh(std::sin(t - 0.2)) + 0.37 * std::cos(7 * t));
    }
    return state;
}

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() / "qlnx_bench_loop.csv").string();
}

void BM_BuildText(benchmark::State& bench) {
    const auto state = CyclicCurve(bench.range(0));
    for (auto _ : bench) {
        auto text = qlnx::ModifiedLoopFileText(state, qlnx::ResultForm::Csv);
        benchmark::DoNotOptimize(text.data());
    }
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}

void BM_ExportThroughText(benchmark::State& bench) {
    const auto state = CyclicCurve(bench.range(0));
    const std::string path = BenchPath();
    for (auto _ : bench) {
        qlnx::WriteTextFile(path, qlnx::ModifiedLoopFileText(state, qlnx::ResultForm::Csv));
    }
    std::remove(path.c_str());
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}

}  // namespace

BENCHMARK(BM_BuildText)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportThroughText)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
