// Loading levels of the test evaluation: loops of about the same amplitude grouped in order,
// the strength degradation between their cycles and each level's ring stiffness.
#pragma once

#include <optional>
#include <vector>

#include "core/evaluation_options.h"
#include "core/loop_quantities.h"

namespace qlnx {

// One row per level; numbers 1-based, as shown.
struct LevelRow {
    int Level = 0;
    int FirstLoop = 0;
    int Cycles = 0;
    // The amplitude of the level's first loop, which the others are compared with.
    std::optional<double> Amplitude;
    std::optional<double> RingStiffness;
    std::optional<double> RingStiffnessPos;
    std::optional<double> RingStiffnessNeg;
    // |F(1)| - |F(3)| and its fraction of |F(1)|, each side; null below three cycles.
    std::optional<double> ImpairmentPos;
    std::optional<double> ImpairmentNeg;
    std::optional<double> ImpairmentPosRatio;
    std::optional<double> ImpairmentNegRatio;
};

// Groups the complete loops in order into levels: the first opens level 1; a later one joins
// the current level when |a - a_ref| <= tolerance * a_ref (a_ref the amplitude of the level's
// first loop), else it opens the next. Sets each complete row's Level, Cycle and strength
// degradation (peak points B and D by the rule) and returns the level rows; an incomplete
// loop's Level and Cycle are null and it is in no level.
std::vector<LevelRow> AssignLevels(std::vector<LoopQuantities>& loops, double tolerance,
                                   PeakPointRule rule);

}  // namespace qlnx
