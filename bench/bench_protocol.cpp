// Cost of recognising the loading protocol beside the test evaluation it is reported with:
// a record of 10M samples in 3000 loops, three cycles at each multiple of the first
// amplitude (a displacement-controlled protocol run to 1000 levels).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/evaluate_test.h"
#include "core/loop_analysis.h"
#include "core/protocol_recognition.h"
#include "core/skeleton.h"

namespace {

constexpr int64_t kSamples = 10'000'000;
constexpr int64_t kLoops = 3000;

const qlnx::AnalysisState& AnalysedRecord() {
    static qlnx::AnalysisState s;
    if (s.RawDisp.empty()) {
        s.RawDisp.reserve(static_cast<size_t>(kSamples));
        s.RawForce.reserve(static_cast<size_t>(kSamples));
        const int64_t perLoop = kSamples / kLoops;
        for (int64_t i = 0; i < kSamples; ++i) {
            const int64_t loop = i / perLoop;
            const double t = 2 * std::numbers::pi * static_cast<double>(i % perLoop) /
                             static_cast<double>(perLoop);
            const double amplitude = 1 + static_cast<double>(loop / 3);
            const double d = amplitude * std::sin(t);
            s.RawDisp.push_back(d);
            s.RawForce.push_back(100 * std::tanh(amplitude * std::sin(t + 0.3)));
        }
        qlnx::AnalyzeLoops(s);
        qlnx::ExtractSkeleton(s, qlnx::SkeletonMethod::EnvelopeToMaxForce,
                              qlnx::LoopDirection::Positive, true);
    }
    return s;
}

// The evaluation alone, the reference of the comparison.
void BM_EvaluateWithoutProtocol(benchmark::State& st) {
    const qlnx::AnalysisState& s = AnalysedRecord();
    for (auto _ : st) {
        auto e = qlnx::EvaluateTest(s, qlnx::EvaluationOptions{});
        benchmark::DoNotOptimize(e.Loops.data());
    }
    st.counters["loops"] = s.LoopCount;
}
BENCHMARK(BM_EvaluateWithoutProtocol)->Unit(benchmark::kMillisecond);

// The evaluation, then the recognition from its loops, as the batch tool runs them.
void BM_EvaluateWithProtocol(benchmark::State& st) {
    const qlnx::AnalysisState& s = AnalysedRecord();
    for (auto _ : st) {
        auto e = qlnx::EvaluateTest(s, qlnx::EvaluationOptions{});
        auto p = qlnx::RecogniseProtocol(s, e.Options, &e.Loops);
        benchmark::DoNotOptimize(p.Levels.data());
    }
    st.counters["loops"] = s.LoopCount;
}
BENCHMARK(BM_EvaluateWithProtocol)->Unit(benchmark::kMillisecond);

// The recognition alone, from the evaluated loops.
void BM_RecogniseProtocol(benchmark::State& st) {
    const qlnx::AnalysisState& s = AnalysedRecord();
    const auto e = qlnx::EvaluateTest(s, qlnx::EvaluationOptions{});
    for (auto _ : st) {
        auto p = qlnx::RecogniseProtocol(e.Loops);
        benchmark::DoNotOptimize(p.Levels.data());
        st.counters["recognised"] = p.Protocol ? 1 : 0;
    }
}
BENCHMARK(BM_RecogniseProtocol)->Unit(benchmark::kMillisecond);

}  // namespace
