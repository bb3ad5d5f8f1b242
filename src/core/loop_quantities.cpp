#include "core/loop_quantities.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "core/evaluation_numbers.h"

namespace qlnx {

namespace {

// The first zero of the force after the peak at `from`: the first k in from + 1 .. end where the
// force passes from the peak's side to zero or beyond, with the displacement interpolated linearly
// at zero force. Null when the peak's force is not on its side or the force never comes back.
template <typename OnPeakSide, typename AtOrPastZero>
std::optional<double> ResidualAfter(const double* D, const double* F, int32_t from, int32_t end,
                                    OnPeakSide onPeakSide, AtOrPastZero atOrPastZero) {
    if (!onPeakSide(F[from])) return std::nullopt;
    for (int32_t k = from + 1; k <= end; ++k) {
        if (onPeakSide(F[k - 1]) && atOrPastZero(F[k])) {
            const double d0 = D[k - 1];
            const double f0 = F[k - 1];
            return FiniteOrNull(d0 + (0 - f0) * (D[k] - d0) / (F[k] - f0));
        }
    }
    return std::nullopt;
}

}  // namespace

int32_t ResidualScanEnd(const std::vector<int32_t>& loopStart, int32_t peak, int32_t lastSample) {
    const auto j =
        std::upper_bound(loopStart.begin(), loopStart.end(), peak) - loopStart.begin() - 1;
    const auto next = j + 2;
    if (next < 0 || next >= static_cast<std::ptrdiff_t>(loopStart.size())) return lastSample;
    return std::min(loopStart[static_cast<size_t>(next)], lastSample);
}

LoopQuantities MeasureLoop(const double* D, const double* F, const LoopFrame& frame, bool complete,
                           PeakPointRule rule, const std::vector<int32_t>& loopStart,
                           int32_t lastSample) {
    const int32_t s = frame.S;
    const int32_t e = frame.E;
    // One pass: the path integral and the four peak points. Of points equal in what decides,
    // the first stays (strict comparisons in ascending order). A peak changes only where a
    // sample reaches it, which the outer test (>=, <=) finds with one well-predicted branch.
    int32_t dMax = s, dMin = s, fMax = s, fMin = s;
    double dMaxD = D[s], dMaxF = F[s];
    double dMinD = D[s], dMinF = F[s];
    double fMaxD = D[s], fMaxF = F[s];
    double fMinD = D[s], fMinF = F[s];
    const auto track = [&](int32_t k, double d, double f) {
        if (d >= dMaxD) [[unlikely]] {
            if (d > dMaxD || f > dMaxF) dMax = k, dMaxD = d, dMaxF = f;
        }
        if (d <= dMinD) [[unlikely]] {
            if (d < dMinD || f < dMinF) dMin = k, dMinD = d, dMinF = f;
        }
        if (f >= fMaxF) [[unlikely]] {
            if (f > fMaxF || d > fMaxD) fMax = k, fMaxD = d, fMaxF = f;
        }
        if (f <= fMinF) [[unlikely]] {
            if (f < fMinF || d < fMinD) fMin = k, fMinD = d, fMinF = f;
        }
    };
    // Twice the energy, summed in the order of the path so that a loop whose segments
    // cancel gives the same small number as any plain sum; the factor 0.5 is applied once at
    // the end (exact).
    double twiceEnergy = 0;
    for (int32_t k = s + 1; k <= e; ++k) {
        const double d = D[k];
        const double f = F[k];
        twiceEnergy += (F[k - 1] + f) * (d - D[k - 1]);
        track(k, d, f);
    }

    LoopQuantities q;
    q.Complete = complete;
    q.PosPeakDisp = {dMaxD, dMaxF, dMax};
    q.NegPeakDisp = {dMinD, dMinF, dMin};
    q.PosPeakForce = {fMaxD, fMaxF, fMax};
    q.NegPeakForce = {fMinD, fMinF, fMin};
    q.Amplitude = FiniteOrNull(q.RawAmplitude());

    const double energy = 0.5 * twiceEnergy;
    q.Energy = FiniteOrNull(energy);
    const LoopPoint& b = q.PosPeak(rule);
    const LoopPoint& dn = q.NegPeak(rule);
    q.PeaksOffQuadrant = b.Disp * b.Force <= 0 || dn.Disp * dn.Force <= 0;
    if (!q.PeaksOffQuadrant) {
        const double elastic =
            0.5 * std::fabs(b.Disp * b.Force) + 0.5 * std::fabs(dn.Disp * dn.Force);
        q.DampingRatio = QuotientOrNull(energy, 2 * std::numbers::pi * elastic);
        q.DissipationCoefficient = QuotientOrNull(energy, elastic);
        q.SecantStiffness = QuotientOrNull(std::fabs(b.Force) + std::fabs(dn.Force),
                                           std::fabs(b.Disp) + std::fabs(dn.Disp));
    }
    q.ResidualPos = ResidualAfter(
        D, F, b.Index, ResidualScanEnd(loopStart, b.Index, lastSample),
        [](double f) { return f > 0; }, [](double f) { return 0 >= f; });
    q.ResidualNeg = ResidualAfter(
        D, F, dn.Index, ResidualScanEnd(loopStart, dn.Index, lastSample),
        [](double f) { return f < 0; }, [](double f) { return 0 <= f; });
    return q;
}

std::vector<LoopQuantities> MeasureLoops(const AnalysisState& state, PeakPointRule rule) {
    std::vector<LoopQuantities> rows;
    if (state.LoopDisp.empty() || state.LoopStart.empty()) return rows;
    // Loops that can be framed: never more than LoopStart holds a start for.
    const auto framed = static_cast<int64_t>((state.LoopStart.size() + 1) / 2);
    const int count = static_cast<int>(std::min<int64_t>(state.LoopCount, framed));
    rows.reserve(static_cast<size_t>(std::max(count, 0)));
    const double* D = state.LoopDisp.data();
    const double* F = state.LoopForce.data();
    const auto last =
        static_cast<int32_t>(std::min(state.LoopDisp.size(), state.LoopForce.size()) - 1);
    double cumulative = 0;
    for (int i = 0; i < count; ++i) {
        const LoopFrame frame = GetLoopFrame(state, i);
        const bool complete =
            frame.HasTurn() && 2 * static_cast<size_t>(i) + 2 < state.LoopStart.size();
        LoopQuantities q = MeasureLoop(D, F, frame, complete, rule, state.LoopStart, last);
        q.Loop = i + 1;
        // The running sum of the energies as computed; it is null from a non-finite one on.
        const auto& energy = q.Energy;
        cumulative += energy ? *energy : std::nan("");
        q.CumulativeEnergy = FiniteOrNull(cumulative);
        rows.push_back(q);
    }
    return rows;
}

}  // namespace qlnx
