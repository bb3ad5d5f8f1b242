// The SB decomposition: crossing search and the shifted pieces of each side.
#include "core/sb_decomposition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/skeleton.h"
#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::AnalysedCurve;
using testing::ExampleCurve;
using testing::MakeState;
using testing::Mirrored;
using testing::MirroredPoints;
using testing::Points;
using testing::PointsOf;

constexpr auto kSB = SkeletonMethod::SBDecomposition;
constexpr auto kPos = LoopDirection::Positive;
constexpr auto kNeg = LoopDirection::Negative;

struct SBCase {
    std::string name;
    AnalysedCurve curve;
    LoopDirection direction;
    bool keep;
    Points positive;
    Points negative;
};

void ExpectSB(const SBCase& c) {
    SCOPED_TRACE(c.name);
    testing::ExpectBranches(c.curve, kSB, c.direction, c.keep, c.positive, c.negative);
}

TEST(FindLevelCrossing, FirstPointAtOrSegmentAcrossTheLevel) {
    const double D[] = {0, 1, 2, 3, 4};
    const double F[] = {0, 10, 15, 5, 15};
    const struct {
        int32_t from, to;
        double level;
        int32_t index;  // -1: no crossing
        double x;
    } cases[] = {
        {0, 4, 0, 0, 0},  // the first point itself is at the level
        {1, 4, 12, 1, 1.0 + (12.0 - 10.0) * (2.0 - 1.0) / (15.0 - 10.0)},  // upward
        {2, 4, 10, 2, 2.5},  // downward: 2 + (10 - 15) * (3 - 2) / (5 - 15)
        {1, 4, 15, 2, 2},    // a segment only touching the level is found at its end point
        {1, 4, 20, -1, 0},   // never reached
        {1, 2, 15, -1, 0},   // the range ends before the point at the level
        {2, 2, 10, -1, 0},   // empty range
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        const auto got = FindLevelCrossing(D, F, c.from, c.to, c.level);
        if (c.index < 0) {
            EXPECT_FALSE(got.has_value());
            continue;
        }
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(got->Index, c.index);
        EXPECT_EQ(got->Displacement, c.x);
    }
}

TEST(SBDecomposition, WorkedExample) {
    // Expected displacements are computed with the extraction's order of operations:
    // x* = D[k] + (L - F[k]) * (D[k+1] - D[k]) / (F[k+1] - F[k]), then (D - x*) + anchor.
    const double x0 = 1.0 + (0.0 - 5.0) * (0.0 - 1.0) / (-2.0 - 5.0);        // 2/7
    const double x1 = 0.0 + (15.0 - 3.0) * (2.0 - 0.0) / (16.0 - 3.0);       // 24/13
    const double x2 = 0.0 + (-14.0 - -3.0) * (-3.0 - 0.0) / (-18.0 - -3.0);  // -11/5
    const double anchorNeg = -2.0 - x0 + 0.0;                                // -16/7
    const Points positive{{0, 0}, {1, 10}, {2, 15}, {2 - x1 + 2, 16}, {3 - x1 + 2, 20}};
    const Points negative{{0, 0},
                          {0 - x0 + 0, -2},
                          {-1 - x0 + 0, -10},
                          {-2 - x0 + 0, -14},
                          {-3 - x2 + anchorNeg, -18}};
    // These operations give 28/13, 41/13, -2/7, -16/7 exactly as the nearest doubles, but
    // -9/7 and -108/35 one step towards zero from theirs; that is the correct result.
    EXPECT_EQ(positive[3].first, 28.0 / 13.0);
    EXPECT_EQ(positive[4].first, 41.0 / 13.0);
    EXPECT_EQ(negative[1].first, -2.0 / 7.0);
    EXPECT_EQ(negative[2].first, std::nextafter(-9.0 / 7.0, 0.0));
    EXPECT_EQ(negative[4].first, std::nextafter(-108.0 / 35.0, 0.0));

    // Negative direction on the same curve: the negative side leads. In loop 1 its search,
    // from T(0) = 4, stops at once on point 4, whose force equals the level -2.
    const double y0 = 1.0 + (0.0 - 5.0) * (0.0 - 1.0) / (-2.0 - 5.0);
    const double anchorPos = 1.0 - y0 + 0.0;
    const double y1 = 1.0 + (5.0 - 6.0) * (0.0 - 1.0) / (-3.0 - 6.0);
    // clang-format off
    const SBCase cases[] = {
        {"positive", ExampleCurve(), kPos, false, positive, negative},
        {"positive, keep", ExampleCurve(), kPos, true, positive, negative},
        {"negative direction", ExampleCurve(), kNeg, false,
         {{0, 0}, {1 - y0 + 0, 5}, {1 - y1 + anchorPos, 6}},
         {{0, 0}, {0, -2}, {-1, -10}, {-2, -14}}},
    };
    // clang-format on
    for (const auto& c : cases) ExpectSB(c);
}

TEST(SBDecomposition, EdgeCases) {
    // Loop 1 leads from the crossing of 10 at x* = 2 (between points 5 and 6): (3, 12), then
    // (2.5, 14) lies inside the last point. Without the flag it is appended; with it, it is
    // dropped, so 13 still beats the current last force 12 and (4, 13) follows. The trailing
    // side's level -10 is never crossed in loop 1.
    const AnalysedCurve inside{{0, 2, 0, -2, 0, 1, 3, 2.5, 4, 0, -1, 0},
                               {0, 10, 0, -10, 0, 8, 12, 14, 13, 0, -5, 0},
                               {0, 2, 4, 9, 11},
                               2,
                               {1, 8},
                               {3, 10}};
    // The leading piece ends with T included (force 12); the trailing piece stops before E,
    // whose force -12 would be beyond. Trailing crossing of 0 between points 2 and 3.
    const AnalysedCurve ends{{0, 2, 0, -2, 0}, {0, 10, 12, -10, -12}, {0, 2, 4}, 1, {1}, {3}};
    const double xe = 0.0 + (0.0 - 12.0) * (-2.0 - 0.0) / (-10.0 - 12.0);
    // Last loop without a turn whose level 10 is never crossed: the points beyond keep their
    // own displacements exactly ((0.45 - 0.1) + 0.1 would not give 0.45); 14 equal to the
    // current last force is not taken.
    const AnalysedCurve lastNoTurn{{0, 0.1, 0, -0.1, 0, 0.45, 0.5, 0.6},
                                   {0, 10, 0, -10, 12, 14, 14, 20},
                                   {0, 2, 4},
                                   2,
                                   {1},
                                   {3}};
    const Points lastPositive{{0, 0}, {0.1, 10}, {0, 12}, {0.45, 14}, {0.6, 20}};
    const Points lastPositiveKeep{{0, 0}, {0.1, 10}, {0.45, 14}, {0.6, 20}};
    const Points lastNegative{{0, 0}, {-0.1, -10}};

    // clang-format off
    const SBCase cases[] = {
        {"shifted point inside", inside, kPos, false, {{0, 0}, {2, 10}, {3, 12}, {2.5, 14}},
         {{0, 0}, {-2, -10}}},
        {"shifted point inside, keep", inside, kPos, true, {{0, 0}, {2, 10}, {3, 12}, {4, 13}},
         {{0, 0}, {-2, -10}}},
        {"piece ends", ends, kPos, false, {{0, 0}, {2, 10}, {0, 12}},
         {{0, 0}, {-2 - xe + 0, -10}}},
        {"last loop without turn or crossing", lastNoTurn, kPos, false, lastPositive,
         lastNegative},
        {"last loop without turn or crossing, keep", lastNoTurn, kPos, true, lastPositiveKeep,
         lastNegative},
        {"last loop without turn or crossing, negative", Mirrored(lastNoTurn), kNeg, false,
         MirroredPoints(lastNegative), MirroredPoints(lastPositive)},
    };
    // clang-format on
    for (const auto& c : cases) ExpectSB(c);
}

TEST(SBDecomposition, LoopBelowTheEarlierPeaksAddsNothing) {
    const AnalysedCurve twoLoops{{0, 2, 0, -2, 0, 1, 0, -1, 0},
                                 {0, 10, 1, -10, -1, 5, 1, -5, 0},
                                 {0, 2, 4, 6, 8},
                                 2,
                                 {1, 5},
                                 {3, 7}};
    // Loop 1 reaches neither 10 nor -10. Read with direction Negative, the same curve would
    // let loop 1's leading search pick up loop 0's second half-cycle, so the check runs on
    // the mirrored curve for that direction.
    for (const auto direction : {kPos, kNeg}) {
        const AnalysedCurve curve = direction == kPos ? twoLoops : Mirrored(twoLoops);
        AnalysedCurve firstOnly = curve;
        firstOnly.LoopCount = 1;
        AnalysisState both = MakeState(curve);
        AnalysisState one = MakeState(firstOnly);
        ExtractSkeleton(both, kSB, direction, false);
        ExtractSkeleton(one, kSB, direction, false);
        EXPECT_GT(one.PositiveSkeletonSeries().Count() + one.NegativeSkeletonSeries().Count(), 2);
        EXPECT_EQ(PointsOf(both.PositiveSkeletonSeries()), PointsOf(one.PositiveSkeletonSeries()));
        EXPECT_EQ(PointsOf(both.NegativeSkeletonSeries()), PointsOf(one.NegativeSkeletonSeries()));
    }
}

}  // namespace
}  // namespace qlnx
