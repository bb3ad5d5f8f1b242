// Envelope skeleton methods: the record-displacement points of each half-cycle's loading
// branch, up to its extreme-force point or its extreme-displacement point.
#pragma once

#include "core/skeleton.h"

namespace qlnx {

// Per-loop steps run by ExtractSkeleton after the start point; see skeleton.h for the terms.
// Both apply the outward test to every point, whatever KeepDispIncreasing says.

// Walks S..P to the leading side, P the first extreme force of S..T; and T..Q to the
// trailing side, Q the first force of T..E beyond F[S] by the trailing rule (T when none).
// A loop without a turn walks S..P over S..E for the leading side only.
void EnvelopeToMaxForceLoop(const SkeletonRun& run, const SkeletonLoop& loop);

// Walks S..MaxDispIndex1[i] to the leading side and T..MaxDispIndex2[i] to the trailing side.
// Where the loop has no recorded index (a last loop without a turn, or with T = E), the
// half-cycle's first point of largest |D - D[0]| is used: over S..E, or T alone.
void EnvelopeToMaxDispLoop(const SkeletonRun& run, const SkeletonLoop& loop);

}  // namespace qlnx
