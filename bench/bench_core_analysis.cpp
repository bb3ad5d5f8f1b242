// Loop analysis of a 10M-point record.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/loop_analysis.h"

namespace {

constexpr size_t kPoints = 10'000'000;

// Growing-amplitude cycles of 400 samples each, with force lagging displacement: about
// 25,000 loops and 50,000 inserted crossing points.
qlnx::AnalysisState Record() {
    qlnx::AnalysisState state;
    state.RawDisp.reserve(kPoints);
    state.RawForce.reserve(kPoints);
    for (size_t i = 0; i < kPoints; ++i) {
        const double t = static_cast<double>(i) * (2 * M_PI / 400);
        const double amplitude = 1 + static_cast<double>(i) / 1e6;
        state.RawDisp.push_back(amplitude * std::sin(t));
        state.RawForce.push_back(100 * std::tanh(amplitude * std::sin(t + 0.3)));
    }
    return state;
}

void BM_AnalyzeLoops(benchmark::State& st) {
    qlnx::AnalysisState state = Record();
    for (auto _ : st) {
        auto message = qlnx::AnalyzeLoops(state);
        benchmark::DoNotOptimize(message);
    }
    st.counters["loops"] = state.LoopCount;
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(kPoints));
}
BENCHMARK(BM_AnalyzeLoops)->Unit(benchmark::kMillisecond);

// Reference: copying the two columns into two reserved vectors, one pass, no decisions.
void BM_BaselineCopyPoints(benchmark::State& st) {
    const qlnx::AnalysisState state = Record();
    std::vector<double> disp;
    std::vector<double> force;
    disp.reserve(kPoints);
    force.reserve(kPoints);
    for (auto _ : st) {
        disp.clear();
        force.clear();
        for (size_t i = 0; i < kPoints; ++i) {
            disp.push_back(state.RawDisp[i]);
            force.push_back(state.RawForce[i]);
        }
        benchmark::DoNotOptimize(disp.data());
        benchmark::DoNotOptimize(force.data());
    }
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(kPoints));
}
BENCHMARK(BM_BaselineCopyPoints)->Unit(benchmark::kMillisecond);

}  // namespace
