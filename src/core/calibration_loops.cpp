#include "core/calibration_loops.h"

namespace qlnx {

namespace {

// Half of the path sum of (F[k-1] + F[k]) (D[k] - D[k-1]) over s..e.
double LoopArea(const std::vector<double>& d, std::span<const double> f, int32_t s, int32_t e) {
    double twice = 0;
    for (int32_t k = s + 1; k <= e; ++k) {
        const auto i = static_cast<size_t>(k);
        twice += (f[i - 1] + f[i]) * (d[i] - d[i - 1]);
    }
    return 0.5 * twice;
}

}  // namespace

std::vector<LoopEnergyPair> LoopEnergies(const AnalysisState& state,
                                         std::span<const double> modelForce) {
    std::vector<LoopEnergyPair> rows;
    const size_t n = state.LoopDisp.size();
    if (modelForce.size() != n || state.LoopForce.size() != n || n == 0) return rows;
    for (int loop = 0; loop < state.LoopCount; ++loop) {
        const LoopFrame frame = GetLoopFrame(state, loop);
        if (frame.S < 0 || frame.E < frame.S || static_cast<size_t>(frame.E) >= n) break;
        rows.push_back({loop + 1, LoopArea(state.LoopDisp, state.LoopForce, frame.S, frame.E),
                        LoopArea(state.LoopDisp, modelForce, frame.S, frame.E)});
    }
    return rows;
}

}  // namespace qlnx
