// Envelope skeleton methods: the record-displacement points of each half-cycle's loading
// branch, up to its extreme-force point or its extreme-displacement point.
#include "core/skeleton.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qlnx {

namespace {

// The envelope walk over a..b, with b kept inside the working curve.
void Walk(const SkeletonRun& run, SkeletonSide& side, int32_t a, int32_t b) {
    a = std::max(a, 0);
    b = std::min(b, run.PointCount - 1);
    side.AppendOutwardPoints(run.D, run.F, a, b);
}

// The recorded extreme-displacement index of loop i, or the half-cycle's own when the loop
// analysis recorded none for it.
int32_t SplitAtMaxDisp(const SkeletonRun& run, const std::vector<int32_t>& recorded, int i,
                       int32_t from, int32_t to) {
    if (static_cast<size_t>(i) < recorded.size()) return recorded[static_cast<size_t>(i)];
    return FarthestFromStart(run.D, from, to);
}

}  // namespace

void EnvelopeToMaxForceLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    const LoopFrame& f = loop.Frame;
    const double* F = run.F;
    if (f.HasTurn()) {
        const int32_t p = ExtremeForceIndex(loop.Leading, F, f.S, f.T, f.S, F[f.S]);
        Walk(run, loop.Leading, f.S, p);
        // The trailing split starts at T but is measured against the loop's first force F[S].
        const int32_t q = ExtremeForceIndex(loop.Trailing, F, f.T, f.E, f.T, F[f.S]);
        Walk(run, loop.Trailing, f.T, q);
    } else {
        const int32_t p = ExtremeForceIndex(loop.Leading, F, f.S, f.E, f.S, F[f.S]);
        Walk(run, loop.Leading, f.S, p);
    }
}

void EnvelopeToMaxDispLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    const LoopFrame& f = loop.Frame;
    const AnalysisState& s = run.State;
    if (f.HasTurn()) {
        Walk(run, loop.Leading, f.S, SplitAtMaxDisp(run, s.MaxDispIndex1, loop.Index, f.S, f.T));
        Walk(run, loop.Trailing, f.T, SplitAtMaxDisp(run, s.MaxDispIndex2, loop.Index, f.T, f.E));
    } else {
        Walk(run, loop.Leading, f.S, FarthestFromStart(run.D, f.S, f.E));
    }
}

}  // namespace qlnx
