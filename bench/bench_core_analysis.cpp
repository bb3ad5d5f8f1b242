// Loop analysis of records of 1M and 10M points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/loop_analysis.h"
#include "peak_memory.h"

namespace {

// Growing-amplitude cycles of 400 samples each, with force lagging displacement: at 10M
// points about 25,000 loops and 50,000 inserted crossing points.
qlnx::AnalysisState Record(size_t points) {
    qlnx::AnalysisState state;
    state.RawDisp.reserve(points);
    state.RawForce.reserve(points);
    for (size_t i = 0; i < points; ++i) {
        const double t = static_cast<double>(i) * (2 * M_PI / 400);
        const double amplitude = 1 + static_cast<double>(i) / 1e6;
        state.RawDisp.push_back(amplitude * std::sin(t));
        state.RawForce.push_back(100 * std::tanh(amplitude * std::sin(t + 0.3)));
    }
    return state;
}

void BM_AnalyzeLoops(benchmark::State& st) {
    const auto points = static_cast<size_t>(st.range(0));
    qlnx::AnalysisState state = Record(points);
    for (auto _ : st) {
        auto message = qlnx::AnalyzeLoops(state);
        benchmark::DoNotOptimize(message);
    }
    st.counters["loops"] = state.LoopCount;
    st.counters["peakMB"] = qlnx::bench::PeakResidentMB();
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(points));
}
BENCHMARK(BM_AnalyzeLoops)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Reference: copying the two columns into two reserved vectors, one pass, no decisions.
void BM_BaselineCopyPoints(benchmark::State& st) {
    const auto points = static_cast<size_t>(st.range(0));
    const qlnx::AnalysisState state = Record(points);
    std::vector<double> disp;
    std::vector<double> force;
    disp.reserve(points);
    force.reserve(points);
    for (auto _ : st) {
        disp.clear();
        force.clear();
        for (size_t i = 0; i < points; ++i) {
            disp.push_back(state.RawDisp[i]);
            force.push_back(state.RawForce[i]);
        }
        benchmark::DoNotOptimize(disp.data());
        benchmark::DoNotOptimize(force.data());
    }
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(points));
}
BENCHMARK(BM_BaselineCopyPoints)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
