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
void ExpectS1(const BranchEvaluation& e, double ratio, double sign) {
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
    // Stiff start, then nearly flat: the tangent reaches Fmax at d_A = 10 > Dmax = 2.
    auto e = EvaluateBranch({0, 1, 2}, {0, 1, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::GeneralYield)].has_value());
    // A branch starting at (0, 5): the force never rises through 10 % or 40 % of Fmax.
    e = EvaluateBranch({0, 1, 2}, {5, 9, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EEEP)].has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EN12512)].has_value());
    EXPECT_TRUE(e->Yield[Index(YieldMethod::Park)].has_value());
    // The peak at a negative displacement of the positive branch: the equal-energy
    // displacement is negative, so neither equal-energy construction has a point.
    e = EvaluateBranch({0, -1, 2}, {0, 10, 5}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergy)].has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergyIntersection)].has_value());
    // A flat first segment has no initial stiffness.
    e = EvaluateBranch({0, 1, 2, 3}, {0, 0, 10, 9}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::GeneralYield)].has_value());
}

TEST(EvaluateBranch, EeepFallsBackWhenTheAreaIsTooLarge) {
    // Ke = 0.4, Du = 12 (not reached), A = 37: 144 - 2 * 37 / 0.4 < 0.
    const auto e = EvaluateBranch({0, 10, 11, 12}, {0, 4, 10, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    const auto& eeep = e->Yield[Index(YieldMethod::EEEP)];
    ASSERT_TRUE(eeep.has_value());
    EXPECT_TRUE(eeep->Fallback);
    EXPECT_TRUE(Near(eeep->Force, 8.5));
    EXPECT_TRUE(Near(eeep->Disp, 21.25));
    EXPECT_TRUE(Near(eeep->Ductility, 12 / 21.25));
    EXPECT_TRUE(Near(eeep->Stiffness, 0.4));
}

TEST(EvaluateBranch, ReadingsAtTheEdges) {
    // A flat segment at exactly u * Fmax gives its start as the ultimate displacement.
    auto e = EvaluateBranch({0, 1, 2, 3}, {0, 10, 10, 10}, false, 1.0);
    ASSERT_TRUE(e.has_value());
    EXPECT_TRUE(e->UltimateReached);
    EXPECT_EQ(e->Ultimate.Disp, 1);
    // Path (0,0) (2,0) (2,8) (4,10) with a vertical segment. Equal energy: area to M 18,
    // Dy = 2 * (4 - 1.8) = 4.4 lies beyond Dmax: null.
    e = EvaluateBranch({0, 2, 2, 4}, {0, 0, 8, 10}, false, 0.85);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->Yield[Index(YieldMethod::EqualEnergy)].has_value());
    // Park: the rising crossing of 7.5 lies on the vertical segment at d = 2.
    EXPECT_TRUE(Near(e->Yield[Index(YieldMethod::Park)]->Disp, 2 / 0.75));
    // FarthestPoint: |10 d - 4 F| is 20 at (2, 0) and 12 at (2, 8).
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

}  // namespace
}  // namespace qlnx
