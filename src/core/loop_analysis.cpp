#include "core/loop_analysis.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/noise_band.h"
#include "core/sample_memory.h"

namespace qlnx {

namespace {

// The farthest point of the half-cycle so far: its working-curve index and its distance.
struct Farthest {
    int64_t index = 0;
    double value = 0;
};

// Scans samples i, i + 1, ... that need nothing but to be appended: no passage through x0,
// no crossing of it and no repeat of the sample before. Tracks the farthest of them, whose
// working-curve index is its sample index + offset. Returns the first sample that needs
// more, or n. Kept apart, with everything in locals, so that this loop that sees nearly
// every sample compiles to registers only.
size_t ScanPlainSamples(const double* disp, const double* force, size_t i, size_t n, double x0,
                        int64_t offset, Farthest& farthest) {
    double dL = disp[i - 1];
    double fL = force[i - 1];
    // Where the last sample lies against x0; each comparison is made once per sample and
    // combined without branches (bitwise, not short-circuit).
    bool lastAbove = dL > x0;
    bool lastBelow = dL < x0;
    bool lastAt = dL == x0;
    int64_t best = farthest.index;
    double bestValue = farthest.value;
    for (; i < n; ++i) {
        const double d = disp[i];
        const double f = force[i];
        const bool above = d > x0;
        const bool below = d < x0;
        const bool at = d == x0;
        const bool passage = at & !lastAt;
        const bool crossing = (above & lastBelow) | (below & lastAbove);
        const bool repeat = (d == dL) & (f == fL);
        if (passage | crossing | repeat) break;
        const double value = std::fabs(d - x0);
        const bool farther = value > bestValue;
        best = farther ? static_cast<int64_t>(i) + offset : best;
        bestValue = farther ? value : bestValue;
        lastAbove = above;
        lastBelow = below;
        lastAt = at;
        dL = d;
        fL = f;
    }
    farthest = {best, bestValue};
    return i;
}

// Builds the working curve from the imported one: crossing points at the reference
// displacement x0 are inserted (or taken over when a sample lies exactly on x0) and
// recorded in LoopStart; a point equal to its predecessor is skipped.
//
// In the same pass it finds the extreme of every half-cycle: the point farthest from x0
// among the half-cycle's points, its start and its end (the next crossing point, or the
// last point of the curve) included, scanned by ascending index with a strict comparison so
// that of equal distances the earliest wins. Ranking by the distance from x0 (not by |D|)
// keeps the crossing point itself from winning when a half-cycle stays on one side of zero;
// with x0 = 0 both rankings are the same. Returns one index per LoopStart entry.
std::vector<int32_t> BuildWorkingCurve(AnalysisState& state) {
    const std::vector<double>& rawDisp = state.RawDisp;
    const std::vector<double>& rawForce = state.RawForce;
    std::vector<double>& disp = state.LoopDisp;
    std::vector<double>& force = state.LoopForce;
    std::vector<int32_t>& starts = state.LoopStart;
    const size_t n = rawDisp.size();
    // Crossing points are few in a test record; the vectors grow if a noisy one has more.
    ReserveSamples(disp, n + n / 64 + 64);
    ReserveSamples(force, n + n / 64 + 64);
    std::vector<int32_t> farthestOfHalfCycle;

    const double x0 = rawDisp[0];
    Farthest farthest{0, std::fabs(x0 - x0)};
    const auto append = [&](double d, double f) {
        const double value = std::fabs(d - x0);
        if (value > farthest.value) farthest = {static_cast<int64_t>(disp.size()), value};
        disp.push_back(d);
        force.push_back(f);
    };
    // A crossing point ends one half-cycle (as its last point) and starts the next.
    const auto appendCrossing = [&](double d, double f) {
        append(d, f);
        farthestOfHalfCycle.push_back(static_cast<int32_t>(farthest.index));
        const auto index = static_cast<int64_t>(disp.size()) - 1;
        farthest = {index, std::fabs(d - x0)};
        starts.push_back(static_cast<int32_t>(index));
    };

    disp.push_back(rawDisp[0]);
    force.push_back(rawForce[0]);
    starts.push_back(0);
    size_t i = 1;
    while (i < n) {
        // Samples i .. stop - 1 are appended as they are, in one copy.
        const auto offset = static_cast<int64_t>(disp.size()) - static_cast<int64_t>(i);
        const size_t stop =
            ScanPlainSamples(rawDisp.data(), rawForce.data(), i, n, x0, offset, farthest);
        const auto from = static_cast<std::ptrdiff_t>(i);
        const auto to = static_cast<std::ptrdiff_t>(stop);
        disp.insert(disp.end(), rawDisp.begin() + from, rawDisp.begin() + to);
        force.insert(force.end(), rawForce.begin() + from, rawForce.begin() + to);
        if (stop == n) break;

        // Sample stop passes through x0, crosses it or repeats the sample before it. The
        // interpolation starts from the last point of the working curve: a skipped repeat
        // compares equal to it but may differ in the sign of a zero, which the
        // interpolated force would carry.
        const double d = rawDisp[stop];
        const double f = rawForce[stop];
        const double dL = disp.back();
        const double fL = force.back();
        if (d == x0 && dL != x0) {
            appendCrossing(d, f);
        } else if ((d > x0 && x0 > dL) || (d < x0 && x0 < dL)) {
            // Linear interpolation of the force at x0, in this order of operations.
            appendCrossing(x0, (x0 - dL) * (f - fL) / (d - dL) + fL);
            append(d, f);
        }
        // Otherwise it repeats the last point and is skipped; the last point of the working
        // curve is then still equal to sample stop, as the next scan assumes.
        i = stop + 1;
    }
    farthestOfHalfCycle.push_back(static_cast<int32_t>(farthest.index));
    return farthestOfHalfCycle;
}

int CountLoops(const AnalysisState& state) {
    const size_t m = state.LoopStart.size();
    if (m <= 2) return 1;
    int count = static_cast<int>((m - 1) / 2);
    // A curve that goes on after its last crossing point has a final, incomplete loop.
    if (static_cast<size_t>(state.LoopStart.back()) != state.LoopDisp.size() - 1) ++count;
    return count;
}

// Loop k's extremes are those of its half-cycles 2k (S to T) and 2k + 1 (T to E); a loop
// without a turn records nothing, and a second half-cycle that is only the turn point is
// none.
void RecordExtremes(AnalysisState& state, const std::vector<int32_t>& farthest) {
    const auto record = [&](int32_t index, std::vector<int32_t>& indices,
                            std::vector<double>& disps, std::vector<double>& forces) {
        indices.push_back(index);
        disps.push_back(state.LoopDisp[static_cast<size_t>(index)]);
        forces.push_back(state.LoopForce[static_cast<size_t>(index)]);
    };
    for (int k = 0; k < state.LoopCount; ++k) {
        const LoopFrame frame = GetLoopFrame(state, k);
        if (!frame.HasTurn()) continue;
        const auto half = 2 * static_cast<size_t>(k);
        record(farthest[half], state.MaxDispIndex1, state.MaxDisp1, state.MaxDispForce1);
        if (frame.T < frame.E) {
            record(farthest[half + 1], state.MaxDispIndex2, state.MaxDisp2, state.MaxDispForce2);
        }
    }
}

}  // namespace

std::optional<std::string> AnalyzeLoops(AnalysisState& state, double noiseBand) {
    state.ClearAnalysis();
    state.ClearLoopReadouts();
    if (state.RawDisp.size() <= 3) {
        return std::string("Imported Loop is less than 3 points!");
    }
    const std::vector<int32_t> farthest =
        noiseBand > 0 ? BuildBandedWorkingCurve(state, noiseBand) : BuildWorkingCurve(state);
    state.LoopCount = CountLoops(state);
    state.LoopCountText = std::to_string(state.LoopCount);
    RecordExtremes(state, farthest);
    state.SelectedLoop = 0;
    ShowLoop(state);
    return std::nullopt;
}

}  // namespace qlnx
