// SB decomposition skeleton method: each side is chained from the pieces of the loading
// paths whose force goes beyond the side's last force, shifted onto the side's last point.
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

// Per-loop step run by ExtractSkeleton after the start point; see skeleton.h for the terms.
// Levels and anchors are the forces and displacements of both sides' last points at the
// start of the loop. The leading side takes the piece from the crossing of its level found
// from the previous loop's turn (S for loop 0) up to T included; the trailing side the piece
// from the crossing of its level found from S+1 up to E-1. A loop without a turn gives S..E
// to the leading side, unshifted when its level is never crossed.
void SBDecompositionLoop(const SkeletonRun& run, const SkeletonLoop& loop);

}  // namespace qlnx
