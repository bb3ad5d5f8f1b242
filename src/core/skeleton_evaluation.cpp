#include "core/skeleton_evaluation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/branch_path.h"
#include "core/evaluation_numbers.h"

namespace qlnx {

namespace {

struct Construction {
    std::optional<double> Disp;
    std::optional<double> Force;
    std::optional<double> Stiffness;
    bool Fallback = false;
};

// The initial stiffness is the secant to the first rising crossing of 0.4 Fmax: the slope of
// a measured curve's first segment is noise.
Construction GeneralYield(const BranchPath& p) {
    const double fmax = p.PeakForce();
    const auto k0 = InitialStiffness(p);
    const auto dA = QuotientOrNull(FiniteOrNull(fmax), k0);
    const auto fB = p.CurveAt(dA);
    if (!dA || !fB) return {};
    const auto dC = QuotientOrNull(fmax * *dA, *fB);
    return {dC, p.CurveAt(dC), std::nullopt};
}

// On a straight branch the equal-energy displacement is Dmax up to rounding: a value beyond
// it by no more than the tolerance is Dmax.
Construction EqualEnergy(const BranchPath& p) {
    double dy = EqualEnergyDisp(p);
    const double dmax = p.PeakDisp();
    if (dy > dmax && dy - dmax <= kConstructionTolerance * dmax) dy = dmax;
    const auto y = FiniteOrNull(dy);
    return {y, p.CurveAt(y), std::nullopt};
}

// The line through the origin and (2 * (Dmax - E / Fmax), Fmax) meets the path before M: the
// first segment whose start lies above the line (by more than the tolerance of Fmax) and
// whose end lies on or below it (within the tolerance), interpolated on the segment.
Construction EqualEnergyIntersection(const BranchPath& p) {
    const double dl = EqualEnergyDisp(p);
    if (!(dl > 0)) return {};
    const double slope = p.PeakForce() / dl;
    const double tolerance = kConstructionTolerance * p.PeakForce();
    for (size_t k = 0; k < p.Peak(); ++k) {
        const double g0 = p.F(k) - slope * p.D(k);
        const double g1 = p.F(k + 1) - slope * p.D(k + 1);
        if (g0 > tolerance && g1 <= tolerance) {
            // An end on the line within the tolerance but above it is the meeting point.
            const double t = std::min(1.0, g0 / (g0 - g1));
            return {FiniteOrNull(p.D(k) + t * (p.D(k + 1) - p.D(k))),
                    FiniteOrNull(p.F(k) + t * (p.F(k + 1) - p.F(k))), std::nullopt};
        }
    }
    return {};
}

Construction Park(const BranchPath& p) {
    const auto d75 = p.RisingCrossing(0.75 * p.PeakForce());
    if (!d75) return {};
    return {FiniteOrNull(*d75 / 0.75), p.PeakForce(), std::nullopt};
}

// The point up to M farthest from the chord origin-M, |Fmax * d - Dmax * F|; first on ties.
// None when no point lies farther than the tolerance of Fmax * Dmax: a straight branch has no
// knee.
Construction FarthestPoint(const BranchPath& p) {
    const double fmax = p.PeakForce();
    const double dmax = p.PeakDisp();
    size_t best = 0;
    double bestValue = std::fabs(fmax * p.D(0) - dmax * p.F(0));
    for (size_t k = 1; k <= p.Peak(); ++k) {
        const double value = std::fabs(fmax * p.D(k) - dmax * p.F(k));
        if (value > bestValue) {
            best = k;
            bestValue = value;
        }
    }
    if (!(bestValue > kConstructionTolerance * fmax * dmax)) return {};
    return {FiniteOrNull(p.D(best)), FiniteOrNull(p.F(best)), std::nullopt};
}

// The equivalent energy elastic-plastic bilinear: elastic slope through the 40 % point, and
// the same area as the path to the ultimate point.
Construction Eeep(const BranchPath& p, const UltimatePoint& u) {
    const double fmax = p.PeakForce();
    const auto ke = InitialStiffness(p);
    if (!ke) return {};
    const double radicand = u.Disp * u.Disp - 2 * u.Area / *ke;
    Construction c;
    c.Stiffness = ke;
    if (radicand < 0) {
        c.Force = FiniteOrNull(0.85 * fmax);
        c.Fallback = true;
    } else {
        c.Force = FiniteOrNull(*ke * (u.Disp - std::sqrt(radicand)));
    }
    if (c.Force) c.Disp = QuotientOrNull(*c.Force, *ke);
    return c;
}

// Line 1 through the rising crossings of 10 % and 40 % of Fmax; line 2 of a sixth of its
// slope touching the path up to M; the yield point is where they meet.
Construction En12512(const BranchPath& p) {
    const double fmax = p.PeakForce();
    const auto d10 = p.RisingCrossing(0.1 * fmax);
    const auto d40 = p.RisingCrossing(0.4 * fmax);
    if (!d10 || !d40) return {};
    const auto k = QuotientOrNull(0.4 * fmax - 0.1 * fmax, *d40 - *d10);
    if (!k) return {};
    const double b1 = 0.1 * fmax - *k * *d10;
    const double k2 = *k / 6;
    double b2 = p.F(0) - k2 * p.D(0);
    for (size_t i = 1; i <= p.Peak(); ++i) {
        const double b = p.F(i) - k2 * p.D(i);
        if (b > b2) b2 = b;
    }
    const auto dy = QuotientOrNull(b2 - b1, *k - k2);
    if (!dy) return {};
    return {dy, FiniteOrNull(b1 + *k * *dy), k};
}

}  // namespace

std::optional<BranchEvaluation> EvaluateBranch(const std::vector<double>& xs,
                                               const std::vector<double>& ys, bool negative,
                                               double ultimateRatio,
                                               std::optional<double> ultimateDispCap) {
    const double sign = negative ? -1.0 : 1.0;
    const BranchPath p(xs, ys, sign);
    if (p.Size() < 2) return std::nullopt;
    const double fmax = p.PeakForce();
    if (!(fmax > 0) || !std::isfinite(fmax)) return std::nullopt;

    const CappedUltimate capped = FindUltimate(p, ultimateRatio, ultimateDispCap);
    const UltimatePoint& u = capped.Point;
    BranchEvaluation result;
    result.Peak = {sign * p.PeakDisp(), sign * fmax};
    result.Ultimate = {sign * u.Disp, sign * u.Force};
    result.UltimateReached = u.Reached;
    result.UltimateCapped = capped.Capped;
    result.DroppedPoints = static_cast<int>(p.Dropped().size());

    const Construction constructions[kYieldMethodCount] = {
        GeneralYield(p), EqualEnergy(p), EqualEnergyIntersection(p), Park(p), FarthestPoint(p),
        Eeep(p, u),      En12512(p),
    };
    for (int m = 0; m < kYieldMethodCount; ++m) {
        const Construction& c = constructions[m];
        if (!c.Disp || !c.Force) continue;
        // A yield point before the origin or beyond the ultimate point is no yield point of
        // this curve: it would give a ductility below 1 (an EEEP fallback or an EN 12512
        // tangent on a curve that stiffens to its end, a Park point past a short plateau).
        if (*c.Disp < 0 || *c.Disp > u.Disp + kConstructionTolerance * std::fabs(u.Disp)) continue;
        // Beyond the ultimate by no more than the tolerance (rounding on a straight branch):
        // the yield point is at the ultimate displacement, and the ductility 1.
        const double dy = std::min(*c.Disp, u.Disp);
        YieldPoint y;
        y.Disp = sign * dy;
        y.Force = sign * *c.Force;
        y.Ductility = QuotientOrNull(u.Disp, dy);
        y.Stiffness = c.Stiffness;
        y.Fallback = c.Fallback;
        result.Yield[static_cast<size_t>(m)] = y;
    }
    return result;
}

SkeletonEvaluation EvaluateSkeleton(const ChartSeries& positive, const ChartSeries& negative,
                                    double ultimateRatio, std::optional<double> ultimateDispCap) {
    SkeletonEvaluation s;
    s.Positive = EvaluateBranch(positive.XValues(), positive.YValues(), false, ultimateRatio,
                                ultimateDispCap);
    s.Negative = EvaluateBranch(negative.XValues(), negative.YValues(), true, ultimateRatio,
                                ultimateDispCap);
    if (!s.Positive || !s.Negative) return s;
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        const auto& a = s.Positive->Yield[m];
        const auto& b = s.Negative->Yield[m];
        if (a && b && a->Ductility && b->Ductility) {
            s.MeanDuctility[m] = FiniteOrNull((*a->Ductility + *b->Ductility) / 2);
        }
    }
    return s;
}

}  // namespace qlnx
