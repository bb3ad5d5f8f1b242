// Fuzz target: arbitrary doubles (finite and not) as an imported curve, then the loop
// analysis, all six skeleton methods in both directions with and without the outward test,
// and the thinning of the result.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/analysis_state.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"
#include "core/thinning.h"

namespace {

void CheckInvariants(const qlnx::AnalysisState& s) {
    if (s.LoopDisp.size() != s.LoopForce.size()) std::abort();
    if (s.LoopStart.empty()) return;
    if (s.LoopStart[0] != 0) std::abort();
    for (size_t i = 1; i < s.LoopStart.size(); ++i) {
        if (s.LoopStart[i] <= s.LoopStart[i - 1]) std::abort();
        if (static_cast<size_t>(s.LoopStart[i]) >= s.LoopDisp.size()) std::abort();
    }
    if (s.MaxDisp1.size() != s.MaxDispIndex1.size() || s.MaxDisp1.size() != s.MaxDispForce1.size())
        std::abort();
    if (s.MaxDisp2.size() != s.MaxDispIndex2.size() || s.MaxDisp2.size() != s.MaxDispForce2.size())
        std::abort();
    if (s.MaxDisp2.size() > s.MaxDisp1.size()) std::abort();
    if (s.MaxDisp1.size() > static_cast<size_t>(s.LoopCount)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t options = data[0];
    ++data;
    --size;
    qlnx::AnalysisState state;
    const size_t pairs = size / 16;
    for (size_t i = 0; i < pairs; ++i) {
        double d = 0;
        double f = 0;
        std::memcpy(&d, data + 16 * i, 8);
        std::memcpy(&f, data + 16 * i + 8, 8);
        // Small integers make crossings, repeats and ties likely; raw bits reach NaN and INF.
        if (options & 1) {
            d = static_cast<double>(static_cast<int8_t>(data[16 * i]) % 8);
            f = static_cast<double>(static_cast<int8_t>(data[16 * i + 8]) % 8);
        }
        state.RawDisp.push_back(d);
        state.RawForce.push_back(f);
        state.LoopSeries().AddXY(d, f);
    }
    (void)qlnx::AnalyzeLoops(state);
    CheckInvariants(state);
    for (int loop = 0; loop < state.LoopCount; ++loop) {
        state.SelectedLoop = loop;
        qlnx::ShowLoop(state);
    }
    for (int m = 1; m <= 6; ++m) {
        for (const auto direction : {qlnx::LoopDirection::Positive, qlnx::LoopDirection::Negative}) {
            for (const bool keep : {false, true}) {
                qlnx::ExtractSkeleton(state, static_cast<qlnx::SkeletonMethod>(m), direction, keep);
            }
        }
    }
    qlnx::ExtractSkeleton(state, static_cast<qlnx::SkeletonMethod>(1 + options % 6),
                          (options & 2) ? qlnx::LoopDirection::Negative
                                        : qlnx::LoopDirection::Positive,
                          (options & 4) != 0);
    qlnx::ThinSkeletonCurves(state, "-3", "3", "1");
    CheckInvariants(state);
    return 0;
}
