// Per-loop quantities of the test evaluation: peak points, amplitude, dissipated energy,
// equivalent damping, secant stiffness and residual deformations.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluation_options.h"

namespace qlnx {

// A point of the working curve: its displacement, force and index.
struct LoopPoint {
    double Disp = 0;
    double Force = 0;
    int32_t Index = 0;
};

// One row per loop. Numbers that the definitions leave undefined (a zero denominator, a
// construction without data) or that are not finite are null; the peak points always exist
// and are written as they are (a non-finite coordinate is null in the outputs).
struct LoopQuantities {
    int Loop = 0;  // 1-based, as shown
    // 1-based; set by AssignLevels for complete loops, null for an incomplete one.
    std::optional<int> Level;
    std::optional<int> Cycle;  // 1-based within the level
    // The loop has a turn and its end is a crossing point.
    bool Complete = false;
    std::optional<double> Amplitude;
    // P+, P- (extreme displacements) and Q+, Q- (extreme forces).
    LoopPoint PosPeakDisp;
    LoopPoint NegPeakDisp;
    LoopPoint PosPeakForce;
    LoopPoint NegPeakForce;
    std::optional<double> Energy;
    std::optional<double> CumulativeEnergy;
    std::optional<double> DampingRatio;
    std::optional<double> DissipationCoefficient;
    std::optional<double> SecantStiffness;
    // B or D does not lie in its quadrant (D_B * F_B <= 0 or D_D * F_D <= 0: after a fracture,
    // or force peaks of a slipping loop): the triangles of the elastic energy mean nothing, so
    // the damping, the dissipation coefficient and the secant stiffness are null.
    bool PeaksOffQuadrant = false;
    std::optional<double> ResidualPos;
    std::optional<double> ResidualNeg;
    // Strength degradation within the level (set by AssignLevels; null for a level's first
    // cycle).
    std::optional<double> StrengthToFirstPos;
    std::optional<double> StrengthToFirstNeg;
    std::optional<double> StrengthToPreviousPos;
    std::optional<double> StrengthToPreviousNeg;

    // The loop's peak points B (positive) and D (negative) under the rule.
    const LoopPoint& PosPeak(PeakPointRule rule) const {
        return rule == PeakPointRule::Force ? PosPeakForce : PosPeakDisp;
    }
    const LoopPoint& NegPeak(PeakPointRule rule) const {
        return rule == PeakPointRule::Force ? NegPeakForce : NegPeakDisp;
    }
    // The amplitude as computed, not finite included (levels compare it as it is).
    double RawAmplitude() const { return (PosPeakDisp.Disp - NegPeakDisp.Disp) / 2; }
};

// Where the scan for a residual deformation after the peak at index `peak` ends: the start of
// the half-cycle after the one that holds the peak (LoopStart[j + 2], j the last entry with
// LoopStart[j] <= peak), or the last sample. The unloading's zero force often comes a few
// samples after the displacement passage that ends the loop.
int32_t ResidualScanEnd(const std::vector<int32_t>& loopStart, int32_t peak, int32_t lastSample);

// The quantities of one loop over the points S..E of the working curve D, F (loop numbers,
// levels, cumulative energy and degradation are left to the callers). The residual scans may
// run past E, up to ResidualScanEnd with the working curve's LoopStart and last index.
LoopQuantities MeasureLoop(const double* D, const double* F, const LoopFrame& frame, bool complete,
                           PeakPointRule rule, const std::vector<int32_t>& loopStart,
                           int32_t lastSample);

// One row per loop of the analysis (none before an analysis), with loop numbers and the
// cumulative energy.
std::vector<LoopQuantities> MeasureLoops(const AnalysisState& state, PeakPointRule rule);

}  // namespace qlnx
