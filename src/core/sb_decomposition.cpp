#include "core/sb_decomposition.h"

namespace qlnx {

namespace {

// A side's level (force) and anchor (displacement): its last point when the loop starts.
struct SideLevel {
    double Level;
    double Anchor;
};

SideLevel LevelOf(const SkeletonSide& side) { return {side.LastY(), side.LastX()}; }

// Transfers the points a..b whose force sets a new record beyond the level and beyond the
// side's current last force. With a crossing each point is shifted as (D - x*) + anchor, in
// that order; without one (shift false) it keeps its own displacement exactly.
void TransferPiece(const SkeletonRun& run, SkeletonSide& side, int32_t a, int32_t b,
                   const SideLevel& at, bool shift, double crossingX) {
    const double* D = run.D;
    const double* F = run.F;
    for (int32_t k = a; k <= b; ++k) {
        const double f = F[k];
        if (!side.Beyond(f, at.Level) || !side.Beyond(f, side.LastY())) continue;
        const double x = shift ? D[k] - crossingX + at.Anchor : D[k];
        side.AppendCandidate(x, f, run.KeepDispIncreasing);
    }
}

}  // namespace

std::optional<LevelCrossing> FindLevelCrossing(const double* D, const double* F, int32_t from,
                                               int32_t to, double level) {
    for (int32_t k = from; k < to; ++k) {
        const double f = F[k];
        if (f == level) return LevelCrossing{k, D[k]};
        const double next = F[k + 1];
        if ((f < level && next > level) || (f > level && next < level)) {
            // Linear interpolation of the displacement at the level, in this fixed order of
            // operations (the shifted points depend on it to the last bit).
            return LevelCrossing{k, D[k] + (level - f) * (D[k + 1] - D[k]) / (next - f)};
        }
    }
    return std::nullopt;
}

void SBDecompositionLoop(const SkeletonRun& run, const SkeletonLoop& loop) {
    const LoopFrame& f = loop.Frame;
    const SideLevel lead = LevelOf(loop.Leading);
    const SideLevel trail = LevelOf(loop.Trailing);

    if (!f.HasTurn()) {
        const auto c = FindLevelCrossing(run.D, run.F, f.S, f.E, lead.Level);
        TransferPiece(run, loop.Leading, f.S, f.E, lead, c.has_value(), c ? c->Displacement : 0.0);
        return;
    }
    // The leading search starts at the previous loop's turn, so it also covers that loop's
    // second half-cycle, where the path may already pass the level.
    const int32_t from =
        loop.Index == 0 ? f.S : run.State.LoopStart[static_cast<size_t>(2 * loop.Index - 1)];
    if (const auto c = FindLevelCrossing(run.D, run.F, from, f.T, lead.Level)) {
        TransferPiece(run, loop.Leading, c->Index, f.T, lead, true, c->Displacement);
    }
    // The trailing piece ends at E-1: the next loop's first point belongs to that loop.
    if (const auto c = FindLevelCrossing(run.D, run.F, f.S + 1, f.E, trail.Level)) {
        TransferPiece(run, loop.Trailing, c->Index, f.E - 1, trail, true, c->Displacement);
    }
}

}  // namespace qlnx
