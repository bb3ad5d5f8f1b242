// Speed of the six skeleton-extraction methods on analysed records of 1M and 10M points
// (points of the working curve per second), and of the range thinning on a skeleton curve as
// dense as such a record.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/analysis_state.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"
#include "core/thinning.h"

namespace {

constexpr int kLoops = 500;

// Backbone of the synthetic specimen: yielding with hardening.
double Backbone(double d) { return 120.0 * std::tanh(d / 3.0) + 4.0 * d; }

// A record of kLoops cycles of `points` points in all, three at each amplitude, the amplitude
// growing between groups:
// every half-cycle starts exactly at the reference displacement 0, loads along the backbone
// and unloads elastically; a small deterministic ripple stands in for measurement noise.
// A final point at 0 closes the last loop. The loop analysis then builds the loop table.
qlnx::AnalysisState AnalysedRecord(int64_t points) {
    qlnx::AnalysisState s;
    const int64_t perHalf = points / (2 * kLoops);
    s.RawDisp.reserve(static_cast<size_t>(points + 1));
    s.RawForce.reserve(static_cast<size_t>(points + 1));
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

// One record at a time: the one of the size asked for last.
qlnx::AnalysisState& Record(int64_t points) {
    static int64_t made = 0;
    static qlnx::AnalysisState state;
    if (made != points) {
        state = qlnx::AnalysisState();
        state = AnalysedRecord(points);
        made = points;
    }
    return state;
}

void BM_ExtractSkeleton(benchmark::State& bench) {
    const auto method = static_cast<qlnx::SkeletonMethod>(bench.range(1));
    const auto direction =
        bench.range(2) == 0 ? qlnx::LoopDirection::Positive : qlnx::LoopDirection::Negative;
    qlnx::AnalysisState& state = Record(bench.range(0));
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
    ->ArgNames({"points", "method", "negative"})
    ->ArgsProduct({{1'000'000}, {1, 2, 3, 4, 5, 6}, {0}})
    ->Args({1'000'000, 6, 1})
    ->ArgsProduct({{10'000'000}, {1, 2, 3, 4, 5, 6}, {0}})
    ->Args({10'000'000, 6, 1})
    ->Unit(benchmark::kMillisecond);

// A skeleton curve as dense as a record (every point kept by an envelope of a long
// monotonic test), thinned over its middle half.
void BM_ThinCurveByRange(benchmark::State& bench) {
    const int64_t points = bench.range(0);
    const double last = static_cast<double>(points) * 0.001;
    qlnx::CurvePoints curve;
    curve.X.resize(static_cast<size_t>(points));
    curve.Y.resize(static_cast<size_t>(points));
    for (int64_t k = 0; k < points; ++k) {
        curve.X[static_cast<size_t>(k)] = static_cast<double>(k) * 0.001;
        curve.Y[static_cast<size_t>(k)] = Backbone(static_cast<double>(k) * 0.001);
    }
    for (auto _ : bench) {
        auto kept = qlnx::ThinCurveByRange(curve, 0.25 * last, 0.75 * last, 0.0105);
        benchmark::DoNotOptimize(kept.X.data());
    }
    bench.SetItemsProcessed(bench.iterations() * points);
}
BENCHMARK(BM_ThinCurveByRange)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
