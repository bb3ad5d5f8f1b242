// The core work of one qlnx-batch run after the import: loop analysis, skeleton extraction and
// test evaluation of a record file (QLNX_BENCH_RECORD, read once before timing), the figure the
// Python module's benchmark (bench/python_module.py) sets its own time against.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "core/curve_import.h"
#include "core/evaluate_test.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"

namespace {

void BM_BatchCoreWork(benchmark::State& st) {
    const char* path = std::getenv("QLNX_BENCH_RECORD");
    if (path == nullptr) {
        st.SkipWithError("QLNX_BENCH_RECORD names no record file");
        return;
    }
    qlnx::AnalysisState state;
    if (!qlnx::ImportCurveFile(state, path, {}).Ok()) {
        st.SkipWithError("the record does not import");
        return;
    }
    for (auto _ : st) {
        auto message = qlnx::AnalyzeLoops(state, 0);
        qlnx::ExtractSkeleton(state, qlnx::SkeletonMethod::EnvelopeToMaxForce,
                              qlnx::LoopDirection::Positive, false);
        const qlnx::TestEvaluation evaluation = qlnx::EvaluateTest(state, {});
        benchmark::DoNotOptimize(message);
        benchmark::DoNotOptimize(evaluation.Loops.data());
    }
    st.counters["loops"] = state.LoopCount;
    st.counters["samples"] = static_cast<double>(state.RawDisp.size());
}
BENCHMARK(BM_BatchCoreWork)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
