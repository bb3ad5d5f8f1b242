// Peak-point skeleton methods: each loop's extreme-force point, its extreme-displacement
// points, or both.
#include "core/skeleton.h"

#include <algorithm>
#include <vector>

namespace qlnx {

namespace {

// Entry i of a per-loop extreme when both its displacement and force vectors hold it.
bool HasEntry(const std::vector<double>& disp, const std::vector<double>& force, int i) {
    return static_cast<size_t>(i) < std::min(disp.size(), force.size());
}

}  // namespace

void MaxForcePointLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    const LoopFrame& f = loop.Frame;
    const double* F = run.F;
    if (f.HasTurn()) {
        const int32_t lead = ExtremeForceIndex(loop.Leading, F, f.S, f.T, f.S, F[f.S]);
        loop.Leading.AppendCandidate(run.D[lead], F[lead], run.KeepDispIncreasing);
        // The trailing candidate starts at the loop's first point S, not at T: when no force
        // of T..E goes beyond F[S], the point S itself is taken.
        const int32_t trail = ExtremeForceIndex(loop.Trailing, F, f.T, f.E, f.S, F[f.S]);
        loop.Trailing.AppendCandidate(run.D[trail], F[trail], run.KeepDispIncreasing);
    } else {
        const int32_t lead = ExtremeForceIndex(loop.Leading, F, f.S, f.E, f.S, F[f.S]);
        loop.Leading.AppendCandidate(run.D[lead], F[lead], run.KeepDispIncreasing);
    }
}

void MaxDispPointLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    const AnalysisState& s = run.State;
    const auto i = static_cast<size_t>(loop.Index);
    if (HasEntry(s.MaxDisp1, s.MaxDispForce1, loop.Index)) {
        loop.Leading.AppendCandidate(s.MaxDisp1[i], s.MaxDispForce1[i], run.KeepDispIncreasing);
    }
    if (HasEntry(s.MaxDisp2, s.MaxDispForce2, loop.Index)) {
        loop.Trailing.AppendCandidate(s.MaxDisp2[i], s.MaxDispForce2[i], run.KeepDispIncreasing);
    }
}

void MaxForceAndDispPointsLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    MaxForcePointLoop(run, loop);
    MaxDispPointLoop(run, loop);
}

}  // namespace qlnx
