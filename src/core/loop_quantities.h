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
    int Loop = 0;   // 1-based, as shown
    int Level = 0;  // 1-based; set by AssignLevels
    int Cycle = 0;  // 1-based within the level; set by AssignLevels
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

// The quantities of one loop over the points S..E of the working curve D, F (loop numbers,
// levels, cumulative energy and degradation are left to the callers).
LoopQuantities MeasureLoop(const double* D, const double* F, const LoopFrame& frame, bool complete,
                           PeakPointRule rule);

// One row per loop of the analysis (none before an analysis), with loop numbers and the
// cumulative energy.
std::vector<LoopQuantities> MeasureLoops(const AnalysisState& state, PeakPointRule rule);

}  // namespace qlnx
