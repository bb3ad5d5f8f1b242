// Peak-point skeleton methods: each loop's extreme-force point, its extreme-displacement
// points, or both.
#pragma once

#include "core/skeleton.h"

namespace qlnx {

// Per-loop steps run by ExtractSkeleton after the start point; see skeleton.h for the terms.

// Leading side: the extreme force of S..T; trailing side: the extreme force of T..E against
// the candidate S. A loop without a turn gives the extreme of S..E to the leading side only.
void MaxForcePointLoop(const SkeletonRun& run, const SkeletonLoop& loop);

// The loop's recorded largest-displacement points (MaxDisp1 to the leading side, MaxDisp2 to
// the trailing side), each only where the loop has an entry.
void MaxDispPointLoop(const SkeletonRun& run, const SkeletonLoop& loop);

// MaxForcePointLoop, then MaxDispPointLoop.
void MaxForceAndDispPointsLoop(const SkeletonRun& run, const SkeletonLoop& loop);

}  // namespace qlnx
