// Skeleton evaluation: peak, ultimate point and the seven yield constructions of each branch.
#include "core/skeleton_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "evaluation_expect.h"

namespace qlnx {
namespace {

using testing::Near;
using Values = std::vector<double>;

constexpr size_t Index(YieldMethod m) { return static_cast<size_t>(m); }

const Values kS1X{0, 1, 3, 5, 7, 9};
const Values kS1Y{0, 10, 15, 16, 14, 12};

Values Negated(Values v) {
    for (double& x : v) x = -x;
    return v;
}

struct Expected {
    YieldMethod Method;
    double Disp;
    double Force;
};

// The worked example S1 by hand: Fmax 16 at 5, area to M 61. GeneralYield: K0 = 10,
// d_A = 1.6, F_B = 11.5, d_C = 25.6 / 11.5. EqualEnergyIntersection: slope 128/19, the
// segment (1,10)-(3,15) met at t = 62/161. EEEP: Ke = 10; A = 61 + 30 + the part to Du.
void ExpectS1(const BranchEvaluation& e, double ratio, double sign, int dropped = 0) {
    const double du = ratio == 0.8 ? 8.2 : 7.4;
    const double area = 91 + 0.5 * (14 + 16 * ratio) * (du - 7);
    const double eeepForce = 10 * (du - std::sqrt(du * du - 2 * area / 10));
    const double dC = 25.6 / 11.5;
    const Expected expected[] = {
        {YieldMethod::GeneralYield, dC, 10 + 2.5 * (dC - 1)},
        {YieldMethod::EqualEnergy, 2.375, 13.4375},
        {YieldMethod::EqualEnergyIntersection, 285.0 / 161, 1920.0 / 161},
        {YieldMethod::Park, 2.4, 16},
        {YieldMethod::FarthestPoint, 1, 10},
        {YieldMethod::EEEP, eeepForce / 10, eeepForce},
        {YieldMethod::EN12512, 1.2, 12},
    };
    EXPECT_EQ(e.DroppedPoints, dropped);
    EXPECT_FALSE(e.UltimateCapped);
    EXPECT_EQ(e.Peak.Disp, sign * 5);
    EXPECT_EQ(e.Peak.Force, sign * 16);
    EXPECT_TRUE(e.UltimateReached);
    EXPECT_TRUE(Near(e.Ultimate.Disp, sign * du));
    EXPECT_TRUE(Near(e.Ultimate.Force, sign * 16 * ratio));
    for (const auto& x : expected) {
        SCOPED_TRACE(kYieldMethods[Index(x.Method)].Name);
        const auto& y = e.Yield[Index(x.Method)];
        ASSERT_TRUE(y.has_value());
        EXPECT_TRUE(Near(y->Disp, sign * x.Disp));
        EXPECT_TRUE(Near(y->Force, sign * x.Force));
        EXPECT_TRUE(Near(y->Ductility, du / x.Disp));
        EXPECT_FALSE(y->Fallback);
        EXPECT_EQ(y->Stiffness.has_value(), kYieldMethods[Index(x.Method)].HasStiffness);
        if (y->Stiffness) {
            EXPECT_TRUE(Near(*y->Stiffness, 10));
        }
    }
}

TEST(EvaluateBranch, WorkedExampleWithBothUltimateRatiosOnBothSides) {
    for (const double ratio : {0.85, 0.8}) {
        SCOPED_TRACE(ratio);
        const auto positive = EvaluateBranch(kS1X, kS1Y, false, ratio);
        ASSERT_TRUE(positive.has_value());
        ExpectS1(*positive, ratio, 1);
        // The negative branch is evaluated mirrored and reported with its true signs.
        const auto negative = EvaluateBranch(Negated(kS1X), Negated(kS1Y), true, ratio);
        ASSERT_TRUE(negative.has_value());
        ExpectS1(*negative, ratio, -1);
    }
    // The figures as printed: EEEP with u = 0.8.
    const auto e = EvaluateBranch(kS1X, kS1Y, false, 0.8);
    const auto& eeep = *e->Yield[Index(YieldMethod::EEEP)];
    EXPECT_TRUE(Near(eeep.Force, 14.306573, 1e-7));
    EXPECT_TRUE(Near(eeep.Disp, 1.430657, 1e-6));
    EXPECT_TRUE(Near(*eeep.Ductility, 5.731631, 1e-7));
}

TEST(EvaluateBranch, UltimateNotReachedTakesTheLastPoint) {
    // S1 without its last two points, plus (7, 16.5): the force never falls after the peak.
    const auto e = EvaluateBranch({0, 1, 3, 5, 7}, {0, 10, 15, 16, 16.5}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->UltimateReached);
    EXPECT_EQ(e->Ultimate.Disp, 7);
    EXPECT_EQ(e->Ultimate.Force, 16.5);
    EXPECT_EQ(e->Peak.Disp, 7);
    EXPECT_TRUE(Near(e->Yield[Index(YieldMethod::Park)]->Ductility,
                     7 / e->Yield[Index(YieldMethod::Park)]->Disp));
}

TEST(EvaluateBranch, OriginPrecedesABranchThatDoesNotStartAtZero) {
    // S1 without its origin gives the same evaluation.
    const Values x(kS1X.begin() + 1, kS1X.end());
    const Values y(kS1Y.begin() + 1, kS1Y.end());
    ExpectS1(*EvaluateBranch(x, y, false, 0.85), 0.85, 1);
    // A single point away from zero is a path of two points.
    const auto single = EvaluateBranch({2}, {5}, false, 0.85);
    ASSERT_TRUE(single.has_value());
    EXPECT_EQ(single->Peak.Disp, 2);
    EXPECT_FALSE(single->UltimateReached);
    ASSERT_TRUE(single->Yield[Index(YieldMethod::GeneralYield)].has_value());
    EXPECT_EQ(single->Yield[Index(YieldMethod::GeneralYield)]->Disp, 2);
    EXPECT_EQ(single->Yield[Index(YieldMethod::GeneralYield)]->Ductility, 1);
}

TEST(EvaluateBranch, NullBranches) {
    const struct {
        const char* what;
        Values x;
        Values y;
    } cases[] = {
        {"empty", {}, {}},
        {"one point at zero displacement", {0}, {3}},
        {"largest force zero", {0, 1, 2}, {0, 0, -1}},
        {"largest force negative", {1, 2}, {-1, -2}},
        {"largest force not a number", {0, 1}, {std::nan(""), 1}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(EvaluateBranch(c.x, c.y, false, 0.85).has_value()) << c.what;
        EXPECT_FALSE(EvaluateBranch(Negated(c.x), Negated(c.y), true, 0.85).has_value()) << c.what;
    }
}

TEST(EvaluateBranch, ConstructionsThatLeaveTheDataAreNull) {
    // Soft start, then steep: the secant to 0.4 Fmax (Ke = 3) reaches Fmax at d_A = 10 / 3,
    // beyond Dmax = 2.
    auto e = EvaluateBranch({0, 1, 2}, {0, 1, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::GeneralYield)].has_value());
    // A branch starting at (0, 5): the force never rises through 10 % or 40 % of Fmax.
    e = EvaluateBranch({0, 1, 2}, {5, 9, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EEEP)].has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EN12512)].has_value());
    EXPECT_TRUE(e->Yield[Index(YieldMethod::Park)].has_value());
    // The peak at the path's first point (0, 10): the equal-energy displacement is 0, so
    // neither equal-energy construction has a point.
    e = EvaluateBranch({0, 2}, {10, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergy)].has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergyIntersection)].has_value());
    // A flat first segment: Ke = 4 / 1.4 reaches Fmax at 3.5, beyond Dmax = 2.
    e = EvaluateBranch({0, 1, 2, 3}, {0, 0, 10, 9}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::GeneralYield)].has_value());
}

TEST(EvaluateBranch, EeepFallsBackWhenTheAreaIsTooLarge) {
    // Ke = 4 / 0.8 = 5, Du = 2 (not reached), A = 1.6 + 1.4 + 10 = 13: 4 - 2 * 13 / 5 < 0.
    const auto e = EvaluateBranch({0, 0.8, 1, 2}, {0, 4, 10, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    const auto& eeep = e->Yield[Index(YieldMethod::EEEP)];
    ASSERT_TRUE(eeep.has_value());
    EXPECT_TRUE(eeep->Fallback);
    EXPECT_TRUE(Near(eeep->Force, 8.5));
    EXPECT_TRUE(Near(eeep->Disp, 1.7));
    EXPECT_TRUE(Near(eeep->Ductility, 2 / 1.7));
    EXPECT_TRUE(Near(eeep->Stiffness, 5));
}

TEST(EvaluateBranch, YieldPointsBeyondTheUltimateAreNull) {
    // A curve that stiffens to its end: Ke = 0.4, Du = 12 (not reached). The EEEP fallback
    // would put yield at 8.5 / 0.4 = 21.25, the EN 12512 tangent (k = 0.4, b2 = 10 - 11 k / 6)
    // at 27.8 and Park at 10.583 / 0.75 = 14.1: all beyond Du, so none has a yield point.
    auto e = EvaluateBranch({0, 10, 11, 12}, {0, 4, 10, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    for (YieldMethod m : {YieldMethod::EEEP, YieldMethod::EN12512, YieldMethod::Park}) {
        EXPECT_FALSE(e->Yield[Index(m)].has_value()) << static_cast<int>(m);
    }
    // The same on the negative side, and a yield point exactly at Du stays (Park: the 75 %
    // crossing at 1.5 gives 2 = Du on a flat top).
    e = EvaluateBranch({0, -10, -11, -12}, {0, -4, -10, -10}, true, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EEEP)].has_value());
    e = EvaluateBranch({0, 1, 2}, {0, 5, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    const auto& park = e->Yield[Index(YieldMethod::Park)];
    ASSERT_TRUE(park.has_value());
    EXPECT_TRUE(Near(park->Disp, 2));
    EXPECT_TRUE(Near(park->Ductility, 1));
}

TEST(EvaluateBranch, ReadingsAtTheEdges) {
    // A flat segment at exactly u * Fmax gives its start as the ultimate displacement.
    auto e = EvaluateBranch({0, 1, 2, 3}, {0, 10, 10, 10}, false, 1.0);
    ASSERT_TRUE(e.has_value());
    EXPECT_TRUE(e->UltimateReached);
    EXPECT_EQ(e->Ultimate.Disp, 1);
    // Points (0,0) (2,0) (2,8) (4,10): the outward path leaves out (2, 8), which goes no
    // further out, and has no vertical segment. Equal energy: area to M 10, Dy = 2 * (4 - 1)
    // = 6 lies beyond Dmax: null.
    e = EvaluateBranch({0, 2, 2, 4}, {0, 0, 8, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->DroppedPoints, 1);
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergy)].has_value());
    // Park: the rising crossing of 7.5 lies on (2,0)-(4,10) at d = 3.5, so Dy = 3.5 / 0.75
    // lies beyond Du = 4: null.
    EXPECT_FALSE(e->Yield[Index(YieldMethod::Park)].has_value());
    // FarthestPoint: |10 d - 4 F| is 20 at (2, 0).
    EXPECT_EQ(e->Yield[Index(YieldMethod::FarthestPoint)]->Disp, 2);
    EXPECT_EQ(e->Yield[Index(YieldMethod::FarthestPoint)]->Force, 0);
}

TEST(EvaluateSkeleton, MeanDuctilityNeedsBothSides) {
    ChartSeries positive;
    ChartSeries negative;
    positive.Assign(kS1X, kS1Y);
    negative.Assign(Negated(kS1X), Negated(kS1Y));
    SkeletonEvaluation s = EvaluateSkeleton(positive, negative, 0.8);
    ASSERT_TRUE(s.Positive && s.Negative);
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        EXPECT_TRUE(testing::Same(s.MeanDuctility[m], s.Positive->Yield[m]->Ductility));
    }
    negative.Clear();
    s = EvaluateSkeleton(positive, negative, 0.8);
    EXPECT_FALSE(s.Negative.has_value());
    for (const auto& mean : s.MeanDuctility) EXPECT_FALSE(mean.has_value());
}

// Revision 2 of the evaluation: the outward path, the secant initial stiffness of the general
// yield method, the tolerances of degenerate constructions and the ultimate slip cap.

TEST(EvaluateBranch, OutwardPathLeavesOutPointsThatStepBack) {
    // S1 with two points that step back (a skeleton of the largest forces on a record whose
    // largest force comes before its largest displacement): (4, 16.5) is the largest force but
    // lies behind (5, 16), and (6, 13) behind (7, 14). The outward path is S1 again.
    const Values x{0, 1, 3, 5, 4, 7, 6, 9};
    const Values y{0, 10, 15, 16, 16.5, 14, 13, 12};
    for (const double ratio : {0.85, 0.8}) {
        SCOPED_TRACE(ratio);
        ExpectS1(*EvaluateBranch(x, y, false, ratio), ratio, 1, 2);
        ExpectS1(*EvaluateBranch(Negated(x), Negated(y), true, ratio), ratio, -1, 2);
    }
    // The ultimate never lies before the peak: (1,10) (5,16) (3,12) would fall to 13.6 at
    // d = 3.8 on its way back; outward, (3, 12) is left out and the ultimate is not reached.
    const auto e = EvaluateBranch({1, 5, 3}, {10, 16, 12}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->DroppedPoints, 1);
    EXPECT_FALSE(e->UltimateReached);
    EXPECT_EQ(e->Ultimate.Disp, 5);
    for (const auto& yield : e->Yield) {
        if (yield && yield->Ductility) {
            EXPECT_GE(*yield->Ductility, 1);
        }
    }
}

TEST(EvaluateBranch, OutwardStepIsAShareOfTheLargestDisplacement) {
    // Largest |d| 8: a point counts as further out only beyond 8e-9 past the last one kept.
    const struct {
        double next;
        int dropped;
    } cases[] = {
        {5, 1},           // the same displacement
        {5 + 4e-9, 1},    // within the step
        {5 + 1.6e-8, 0},  // beyond it
        {4.9, 1},         // behind
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.next);
        const auto e = EvaluateBranch({1, 5, c.next, 8}, {10, 16, 15, 12}, false, 0.85);
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->DroppedPoints, c.dropped);
        const auto n = EvaluateBranch({-1, -5, -c.next, -8}, {-10, -16, -15, -12}, true, 0.85);
        EXPECT_EQ(n->DroppedPoints, c.dropped);
    }
}

TEST(EvaluateBranch, GeneralYieldTakesTheSecantToFortyPercent) {
    // (1,2) (2,10) (4,16) (6,12): the first segment's slope 2 would reach Fmax at d = 8, far
    // beyond the peak. Ke = 6.4 / 1.55; d_A = 3.875, F_B = 15.625, d_C = 62 / 15.625 = 3.968,
    // Fy = 10 + 3 * 1.968.
    const auto e = EvaluateBranch({1, 2, 4, 6}, {2, 10, 16, 12}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    const auto& g = e->Yield[Index(YieldMethod::GeneralYield)];
    ASSERT_TRUE(g.has_value());
    EXPECT_TRUE(Near(g->Disp, 3.968));
    EXPECT_TRUE(Near(g->Force, 15.904));
    EXPECT_TRUE(Near(*e->Yield[Index(YieldMethod::EEEP)]->Stiffness, 6.4 / 1.55));
}

TEST(EvaluateBranch, StraightBranchHasNoKneeAndNoIntersection) {
    // A straight rise in steps of 0.1 (rounded as a measured curve is), then a fall: equal
    // energy gives Dmax itself, the intersection and the farthest point have nothing.
    Values x, y;
    for (int k = 0; k <= 30; ++k) {
        x.push_back(0.1 * k);
        y.push_back(0.9 * (0.1 * k));
    }
    x.push_back(3.5);
    y.push_back(1.0);
    for (const bool negative : {false, true}) {
        SCOPED_TRACE(negative);
        const auto e = negative ? EvaluateBranch(Negated(x), Negated(y), true, 0.85)
                                : EvaluateBranch(x, y, false, 0.85);
        ASSERT_TRUE(e.has_value());
        const double sign = negative ? -1 : 1;
        const auto& ee = e->Yield[Index(YieldMethod::EqualEnergy)];
        ASSERT_TRUE(ee.has_value());
        EXPECT_TRUE(Near(ee->Disp, sign * 3));
        EXPECT_TRUE(Near(ee->Force, sign * 2.7));
        EXPECT_EQ(ee->Disp, e->Peak.Disp);
        EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergyIntersection)].has_value());
        EXPECT_FALSE(e->Yield[Index(YieldMethod::FarthestPoint)].has_value());
    }
}

TEST(EvaluateBranch, IntersectionNeedsAStartAboveTheLine) {
    // A stiffening start: the path lies under the equal-energy line from the origin on, and
    // the origin is on the line, not above it.
    auto e = EvaluateBranch({0, 2, 4, 6}, {0, 1, 10, 5}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergyIntersection)].has_value());
    // The same with a first point (0, t) exactly 1e-9 Fmax above the line (Fmax = 1024, a
    // power of two, so t is the tolerance to the last bit): on the line, so still null.
    const double t = 1e-9 * 1024.0;
    e = EvaluateBranch({0, 2, 4, 6}, {t, 100, 1024, 500}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergyIntersection)].has_value());
    // Clearly above: (0, 1) gives the intersection on its first segment.
    e = EvaluateBranch({0, 2, 4, 6}, {1, 100, 1024, 500}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    ASSERT_TRUE(e->Yield[Index(YieldMethod::EqualEnergyIntersection)].has_value());
    EXPECT_LT(e->Yield[Index(YieldMethod::EqualEnergyIntersection)]->Disp, 2);
}

TEST(EvaluateBranch, UltimateDisplacementCap) {
    // S1 with u = 0.8 falls to 12.8 at 8.2. A cap at 6 comes first: the ultimate is the path
    // at 6, (6, 15), with the area 61 + 15.5 up to it; a cap at 9 changes nothing.
    auto e = EvaluateBranch(kS1X, kS1Y, false, 0.8, 6.0);
    ASSERT_TRUE(e.has_value());
    EXPECT_TRUE(e->UltimateCapped);
    EXPECT_TRUE(e->UltimateReached);
    EXPECT_EQ(e->Ultimate.Disp, 6);
    EXPECT_EQ(e->Ultimate.Force, 15);
    const auto& eeep = *e->Yield[Index(YieldMethod::EEEP)];
    EXPECT_TRUE(Near(eeep.Force, 10 * (6 - std::sqrt(36 - 2 * 76.5 / 10))));
    EXPECT_TRUE(Near(eeep.Ductility, 6 / eeep.Disp));
    const auto n = EvaluateBranch(Negated(kS1X), Negated(kS1Y), true, 0.8, 6.0);
    EXPECT_TRUE(n->UltimateCapped);
    EXPECT_EQ(n->Ultimate.Disp, -6);
    EXPECT_EQ(n->Ultimate.Force, -15);
    e = EvaluateBranch(kS1X, kS1Y, false, 0.8, 9.0);
    EXPECT_FALSE(e->UltimateCapped);
    EXPECT_TRUE(Near(e->Ultimate.Disp, 8.2));
    // A branch that never falls: the cap before its last point decides, and the ultimate is
    // then a point of the data, not a lower bound.
    e = EvaluateBranch({0, 1, 3, 5, 7}, {0, 10, 15, 16, 16.5}, false, 0.85, 6.0);
    EXPECT_TRUE(e->UltimateCapped);
    EXPECT_TRUE(e->UltimateReached);
    EXPECT_EQ(e->Ultimate.Disp, 6);
    EXPECT_EQ(e->Ultimate.Force, 16.25);
}

}  // namespace
}  // namespace qlnx
