// Speed of the six skeleton-extraction methods on a large analysed record (points of the
// working curve per second), and of the range thinning on a dense skeleton curve.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/analysis_state.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"
#include "core/thinning.h"

namespace {

constexpr int64_t kPoints = 10'000'000;
constexpr int kLoops = 500;

// Backbone of the synthetic specimen: yielding with hardening.
double Backbone(double d) { return 120.0 * std::tanh(d / 3.0) + 4.0 * d; }

// A record of kLoops cycles, three at each amplitude, the amplitude growing between groups:
// every half-cycle starts exactly at the reference displacement 0, loads along the backbone
// and unloads elastically; a small deterministic ripple stands in for measurement noise.
// A final point at 0 closes the last loop. The loop analysis then builds the loop table.
qlnx::AnalysisState AnalysedRecord() {
    qlnx::AnalysisState s;
    const int64_t perHalf = kPoints / (2 * kLoops);
    s.RawDisp.reserve(static_cast<size_t>(kPoints + 1));
    s.RawForce.reserve(static_cast<size_t>(kPoints + 1));
    uint32_t noise = 12345;
    for (int loop = 0; loop < kLoops; ++loop) {
        const double amplitude = 1.0 + 0.5 * (loop / 3);
        const double peakForce = Backbone(amplitude);
        for (const double sign : {1.0, -1.0}) {
            for (int64_t k = 0; k < perHalf; ++k) {
                const double t = static_cast<double>(k) / static_cast<double>(perHalf);
                const double d = amplitude * std::sin(std::numbers::pi * t);
                noise = noise * 1664525u + 1013904223u;
                const double ripple = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.2;
                const double f = (t <= 0.5 ? Backbone(d) : peakForce - 60.0 * (amplitude - d));
                s.RawDisp.push_back(sign * d);
                s.RawForce.push_back(sign * f + ripple);
            }
        }
    }
    s.RawDisp.push_back(0.0);
    s.RawForce.push_back(0.0);
    (void)qlnx::AnalyzeLoops(s);
    return s;
}

qlnx::AnalysisState& Record() {
    static qlnx::AnalysisState state = AnalysedRecord();
    return state;
}

void BM_ExtractSkeleton(benchmark::State& bench) {
    const auto method = static_cast<qlnx::SkeletonMethod>(bench.range(0));
    const auto direction =
        bench.range(1) == 0 ? qlnx::LoopDirection::Positive : qlnx::LoopDirection::Negative;
    qlnx::AnalysisState& state = Record();
    for (auto _ : bench) {
        qlnx::ExtractSkeleton(state, method, direction, false);
        benchmark::DoNotOptimize(state.PositiveSkeletonSeries().XValues().data());
    }
    bench.counters["loops"] = state.LoopCount;
    bench.counters["positive"] = state.PositiveSkeletonSeries().Count();
    bench.counters["negative"] = state.NegativeSkeletonSeries().Count();
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(state.LoopDisp.size()));
}
BENCHMARK(BM_ExtractSkeleton)
    ->ArgNames({"method", "negative"})
    ->ArgsProduct({{1, 2, 3, 4, 5, 6}, {0}})
    ->Args({6, 1})
    ->Unit(benchmark::kMillisecond);

// A skeleton curve as dense as a record (every point kept by an envelope of a long
// monotonic test), thinned over its middle half.
void BM_ThinCurveByRange(benchmark::State& bench) {
    qlnx::CurvePoints curve;
    curve.X.resize(static_cast<size_t>(kPoints));
    curve.Y.resize(static_cast<size_t>(kPoints));
    for (int64_t k = 0; k < kPoints; ++k) {
        curve.X[static_cast<size_t>(k)] = static_cast<double>(k) * 0.001;
        curve.Y[static_cast<size_t>(k)] = Backbone(static_cast<double>(k) * 0.001);
    }
    for (auto _ : bench) {
        auto kept = qlnx::ThinCurveByRange(curve, 2500.0, 7500.0, 0.0105);
        benchmark::DoNotOptimize(kept.X.data());
    }
    bench.SetItemsProcessed(bench.iterations() * kPoints);
}
BENCHMARK(BM_ThinCurveByRange)->Unit(benchmark::kMillisecond);

}  // namespace
