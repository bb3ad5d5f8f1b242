#include "core/loop_analysis.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qlnx {

namespace {

// Builds the working curve from the imported one: crossing points at the reference
// displacement x0 are inserted (or taken over when a sample lies exactly on x0) and
// recorded in LoopStart; a point equal to its predecessor is skipped.
void BuildWorkingCurve(AnalysisState& state) {
    const std::vector<double>& rawDisp = state.RawDisp;
    const std::vector<double>& rawForce = state.RawForce;
    std::vector<double>& disp = state.LoopDisp;
    std::vector<double>& force = state.LoopForce;
    std::vector<int32_t>& starts = state.LoopStart;
    const size_t n = rawDisp.size();
    // Crossing points are few in a test record; the vectors grow if a noisy one has more.
    disp.reserve(n + 64);
    force.reserve(n + 64);

    const double x0 = rawDisp[0];
    double dL = rawDisp[0];
    double fL = rawForce[0];
    disp.push_back(dL);
    force.push_back(fL);
    starts.push_back(0);
    for (size_t i = 1; i < n; ++i) {
        const double d = rawDisp[i];
        const double f = rawForce[i];
        if (d == x0 && dL != x0) {
            starts.push_back(static_cast<int32_t>(disp.size()));
        } else if ((d > x0 && x0 > dL) || (d < x0 && x0 < dL)) {
            // Linear interpolation of the force at x0, in this order of operations.
            const double fX = (x0 - dL) * (f - fL) / (d - dL) + fL;
            starts.push_back(static_cast<int32_t>(disp.size()));
            disp.push_back(x0);
            force.push_back(fX);
        } else if (d == dL && f == fL) {
            continue;
        }
        disp.push_back(d);
        force.push_back(f);
        dL = d;
        fL = f;
    }
}

int CountLoops(const AnalysisState& state) {
    const size_t m = state.LoopStart.size();
    if (m <= 2) return 1;
    int count = static_cast<int>((m - 1) / 2);
    // A curve that goes on after its last crossing point has a final, incomplete loop.
    if (static_cast<size_t>(state.LoopStart.back()) != state.LoopDisp.size() - 1) ++count;
    return count;
}

// Index of the point of largest distance from x0 among from..through; of equal distances
// the earliest wins. Ranking by the distance from x0 (not by |D|) keeps the crossing point
// itself from winning when a half-cycle stays on one side of zero.
int32_t FarthestFrom(const std::vector<double>& disp, double x0, int32_t from, int32_t through) {
    int32_t best = from;
    double bestValue = std::fabs(disp[static_cast<size_t>(from)] - x0);
    for (int32_t j = from + 1; j <= through; ++j) {
        const double value = std::fabs(disp[static_cast<size_t>(j)] - x0);
        if (value > bestValue) {
            best = j;
            bestValue = value;
        }
    }
    return best;
}

void FindExtremes(AnalysisState& state) {
    const double x0 = state.LoopDisp[0];
    const auto record = [&](int32_t index, std::vector<int32_t>& indices,
                            std::vector<double>& disps, std::vector<double>& forces) {
        indices.push_back(index);
        disps.push_back(state.LoopDisp[static_cast<size_t>(index)]);
        forces.push_back(state.LoopForce[static_cast<size_t>(index)]);
    };
    for (int k = 0; k < state.LoopCount; ++k) {
        const LoopFrame frame = GetLoopFrame(state, k);
        if (!frame.HasTurn()) continue;
        record(FarthestFrom(state.LoopDisp, x0, frame.S, frame.T), state.MaxDispIndex1,
               state.MaxDisp1, state.MaxDispForce1);
        if (frame.T < frame.E) {
            record(FarthestFrom(state.LoopDisp, x0, frame.T, frame.E), state.MaxDispIndex2,
                   state.MaxDisp2, state.MaxDispForce2);
        }
    }
}

}  // namespace

std::optional<std::string> AnalyzeLoops(AnalysisState& state) {
    state.ClearAnalysis();
    state.ClearLoopReadouts();
    if (state.RawDisp.size() <= 3) {
        return std::string("Imported Loop is less than 3 points!");
    }
    BuildWorkingCurve(state);
    state.LoopCount = CountLoops(state);
    state.LoopCountText = std::to_string(state.LoopCount);
    FindExtremes(state);
    state.SelectedLoop = 0;
    ShowLoop(state);
    return std::nullopt;
}

}  // namespace qlnx
