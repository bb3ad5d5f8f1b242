// The first-cycle envelope: the peak displacement points of one cycle of each loading level.
#include <algorithm>
#include <cmath>

#include "core/loop_quantities.h"
#include "core/skeleton.h"

namespace qlnx {

namespace {

// The test evaluation's level tolerance, at its default.
const double kTolerance = EvaluationOptions{}.LevelTolerance;

}  // namespace

void FirstCycleEnvelopeLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    const LoopFrame& f = loop.Frame;
    // A loop that never came back to the reference (the record's last, cut short) is no
    // cycle of any level.
    const size_t endEntry = 2 * static_cast<size_t>(loop.Index) + 2;
    if (!f.HasTurn() || endEntry >= run.State.LoopStart.size()) return;
    const auto last =
        static_cast<int32_t>(std::min(run.State.LoopDisp.size(), run.State.LoopForce.size()) - 1);
    const LoopQuantities q =
        MeasureLoop(run.D, run.F, f, true, PeakPointRule::Displacement, run.State.LoopStart, last);
    const double amplitude = q.RawAmplitude();
    SkeletonLevelWalk& walk = *run.Levels;
    if (walk.Level > 0 && std::fabs(amplitude - walk.Reference) <= kTolerance * walk.Reference) {
        ++walk.Cycle;
    } else {
        ++walk.Level;
        walk.Reference = amplitude;
        walk.Cycle = 1;
    }
    if (walk.Cycle != run.EnvelopeCycle) return;
    SkeletonSide& positive = loop.Leading.Positive() ? loop.Leading : loop.Trailing;
    SkeletonSide& negative = loop.Leading.Positive() ? loop.Trailing : loop.Leading;
    positive.AppendCandidate(q.PosPeakDisp.Disp, q.PosPeakDisp.Force, run.KeepDispIncreasing);
    negative.AppendCandidate(q.NegPeakDisp.Disp, q.NegPeakDisp.Force, run.KeepDispIncreasing);
}

}  // namespace qlnx
