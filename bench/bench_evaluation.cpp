// Speed of the test evaluation on records of 10M samples in 30 and in 3000 loops: the
// per-loop quantities alone (samples per second), beside the loop analysis of the same
// record, and the whole evaluation after a skeleton extraction.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/evaluate_test.h"
#include "core/loop_analysis.h"
#include "core/loop_quantities.h"
#include "core/skeleton.h"

namespace {

constexpr int64_t kSamples = 10'000'000;

// `loops` cycles over kSamples samples, three at each amplitude with the amplitude growing
// between groups; the force softens and lags the displacement, so every loop dissipates.
qlnx::AnalysisState Record(int64_t loops) {
    qlnx::AnalysisState s;
    s.RawDisp.reserve(static_cast<size_t>(kSamples));
    s.RawForce.reserve(static_cast<size_t>(kSamples));
    const int64_t perLoop = kSamples / loops;
    for (int64_t i = 0; i < kSamples; ++i) {
        const int64_t loop = i / perLoop;
        const double t =
            2 * std::numbers::pi * static_cast<double>(i % perLoop) / static_cast<double>(perLoop);
        const double amplitude = 1 + static_cast<double>(loop / 3);
        const double d = amplitude * std::sin(t);
        s.RawDisp.push_back(d);
        s.RawForce.push_back(100 * std::tanh(amplitude * std::sin(t + 0.3)) * (1 + 0.001 * d));
    }
    return s;
}

qlnx::AnalysisState& AnalysedRecord(int64_t loops) {
    static qlnx::AnalysisState thirty;
    static qlnx::AnalysisState thousands;
    qlnx::AnalysisState& s = loops == 30 ? thirty : thousands;
    if (s.RawDisp.empty()) {
        s = Record(loops);
        qlnx::AnalyzeLoops(s);
        qlnx::ExtractSkeleton(s, qlnx::SkeletonMethod::EnvelopeToMaxForce,
                              qlnx::LoopDirection::Positive, true);
    }
    return s;
}

// The loop analysis of the record, for comparison in the same run.
void BM_AnalyzeLoops(benchmark::State& st) {
    qlnx::AnalysisState s = Record(st.range(0));
    for (auto _ : st) {
        auto message = qlnx::AnalyzeLoops(s);
        benchmark::DoNotOptimize(message);
    }
    st.counters["loops"] = s.LoopCount;
    st.SetItemsProcessed(st.iterations() * kSamples);
}
BENCHMARK(BM_AnalyzeLoops)->Arg(30)->Arg(3000)->Unit(benchmark::kMillisecond);

// Energy, peaks, damping, stiffness and residuals of every loop.
void BM_MeasureLoops(benchmark::State& st) {
    const qlnx::AnalysisState& s = AnalysedRecord(st.range(0));
    for (auto _ : st) {
        auto rows = qlnx::MeasureLoops(s, qlnx::PeakPointRule::Displacement);
        benchmark::DoNotOptimize(rows.data());
    }
    st.counters["loops"] = s.LoopCount;
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(s.LoopDisp.size()));
}
BENCHMARK(BM_MeasureLoops)->Arg(30)->Arg(3000)->Unit(benchmark::kMillisecond);

// The whole evaluation: loops, levels and both skeleton branches (as method 4 leaves them).
void BM_EvaluateTest(benchmark::State& st) {
    const qlnx::AnalysisState& s = AnalysedRecord(st.range(0));
    for (auto _ : st) {
        auto e = qlnx::EvaluateTest(s, qlnx::EvaluationOptions{});
        benchmark::DoNotOptimize(e.Loops.data());
    }
    st.counters["loops"] = s.LoopCount;
    st.counters["skeletonPoints"] =
        s.Chart.GetSeries(qlnx::ChartModel::PositiveSkeletonSeries).Count() +
        s.Chart.GetSeries(qlnx::ChartModel::NegativeSkeletonSeries).Count();
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(s.LoopDisp.size()));
}
BENCHMARK(BM_EvaluateTest)->Arg(30)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
