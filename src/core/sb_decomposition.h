// The SB decomposition's search for where a loading path reaches a force level (its per-loop
// step, SBDecompositionLoop, is declared with the other methods' in skeleton_methods.h).
#pragma once

#include <cstdint>
#include <optional>

#include "core/skeleton.h"

namespace qlnx {

// Where the path first reaches a force level.
struct LevelCrossing {
    int32_t Index;        // k: F[k] equals the level, or the segment k..k+1 passes it
    double Displacement;  // D[k], or the displacement interpolated on the segment
};

// Searches k = from .. to-1 in ascending order for the first point at level exactly, or the
// first segment k..k+1 whose ends lie strictly on opposite sides of it. Reads F up to to.
std::optional<LevelCrossing> FindLevelCrossing(const double* D, const double* F, int32_t from,
                                               int32_t to, double level);

}  // namespace qlnx
