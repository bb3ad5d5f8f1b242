// The extraction driver shared by the six skeleton methods.
#include "core/skeleton.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::ExampleCurve;
using testing::MakeState;
using testing::Points;
using testing::PointsOf;

std::vector<SkeletonMethod> AllMethods() {
    std::vector<SkeletonMethod> methods;
    for (const SkeletonMethodRow& row : SkeletonMethods()) methods.push_back(row.Method);
    return methods;
}

TEST(ExtractSkeleton, BeforeAnyAnalysisEmptiesBothSeries) {
    for (const auto method : AllMethods()) {
        AnalysisState s;
        s.LoopDisp = {0, 1};
        s.LoopForce = {0, 1};
        s.PositiveSkeletonSeries().AddXY(1, 2);
        s.NegativeSkeletonSeries().AddXY(-1, -2);
        ExtractSkeleton(s, method, LoopDirection::Positive, false);
        EXPECT_EQ(s.PositiveSkeletonSeries().Count(), 0);
        EXPECT_EQ(s.NegativeSkeletonSeries().Count(), 0);
    }
}

TEST(ExtractSkeleton, WithoutAMethodEmptiesBothSeries) {
    AnalysisState s = MakeState(ExampleCurve());
    ExtractSkeleton(s, SkeletonMethod::MaxForcePoint, LoopDirection::Positive, false);
    ExtractSkeleton(s, static_cast<SkeletonMethod>(0), LoopDirection::Positive, false);
    EXPECT_EQ(s.PositiveSkeletonSeries().Count(), 0);
    EXPECT_EQ(s.NegativeSkeletonSeries().Count(), 0);
}

TEST(ExtractSkeleton, EveryRunReplacesThePreviousResult) {
    for (const auto method : AllMethods()) {
        for (const auto direction : {LoopDirection::Positive, LoopDirection::Negative}) {
            AnalysisState s = MakeState(ExampleCurve());
            ExtractSkeleton(s, method, direction, false);
            const Points positive = PointsOf(s.PositiveSkeletonSeries());
            const Points negative = PointsOf(s.NegativeSkeletonSeries());
            EXPECT_EQ(positive.front(), (std::pair<double, double>{0, 0}));
            EXPECT_EQ(negative.front(), (std::pair<double, double>{0, 0}));
            // A thinned or edited result, then another method, then the first again.
            s.PositiveSkeletonSeries().AddXY(9, 9);
            ExtractSkeleton(s, SkeletonMethod::SBDecomposition, LoopDirection::Negative, true);
            ExtractSkeleton(s, method, direction, false);
            EXPECT_EQ(PointsOf(s.PositiveSkeletonSeries()), positive);
            EXPECT_EQ(PointsOf(s.NegativeSkeletonSeries()), negative);
            // The loop analysis' output is left as it was.
            EXPECT_EQ(s.LoopStart, ExampleCurve().LoopStart);
            EXPECT_EQ(s.LoopDisp, ExampleCurve().D);
        }
    }
}

TEST(ExtractSkeleton, NegativeDirectionOnTheMirroredCurveMirrorsTheResult) {
    // The direction only swaps which side is leading: a test loaded towards negative
    // displacements first, read with direction Negative, gives the mirror image.
    for (const auto method : AllMethods()) {
        for (const bool keep : {false, true}) {
            SCOPED_TRACE(static_cast<int>(method) * 10 + keep);
            AnalysisState s = MakeState(ExampleCurve());
            AnalysisState m = MakeState(testing::Mirrored(ExampleCurve()));
            ExtractSkeleton(s, method, LoopDirection::Positive, keep);
            ExtractSkeleton(m, method, LoopDirection::Negative, keep);
            EXPECT_EQ(PointsOf(m.NegativeSkeletonSeries()),
                      testing::MirroredPoints(PointsOf(s.PositiveSkeletonSeries())));
            EXPECT_EQ(PointsOf(m.PositiveSkeletonSeries()),
                      testing::MirroredPoints(PointsOf(s.NegativeSkeletonSeries())));
        }
    }
}

TEST(ExtractSkeleton, NeverFramesMoreLoopsThanTheTableHolds) {
    // LoopCount says 5, but LoopStart only frames loop 0 (S = 0, T = 4, E = 17).
    AnalysisState s = MakeState(ExampleCurve());
    s.LoopStart = {0, 4};
    AnalysisState one = s;
    s.LoopCount = 5;
    one.LoopCount = 1;
    for (const auto method : AllMethods()) {
        ExtractSkeleton(s, method, LoopDirection::Positive, false);
        ExtractSkeleton(one, method, LoopDirection::Positive, false);
        EXPECT_EQ(PointsOf(s.PositiveSkeletonSeries()), PointsOf(one.PositiveSkeletonSeries()));
        EXPECT_EQ(PointsOf(s.NegativeSkeletonSeries()), PointsOf(one.NegativeSkeletonSeries()));
    }
}

TEST(SkeletonMethods, ReadTheLoopExtremesAsTheirRowSays) {
    // Other points of the same half-cycles as the loops' largest displacements: a method
    // that reads those points gives another curve, any other method the same one.
    for (const SkeletonMethodRow& row : SkeletonMethods()) {
        SCOPED_TRACE(std::string(row.BatchName));
        AnalysisState s = MakeState(ExampleCurve());
        testing::AnalysedCurve other = ExampleCurve();
        other.MaxDispIndex1 = {1, 9};
        other.MaxDispIndex2 = {5, 14};
        AnalysisState moved = MakeState(other);
        ExtractSkeleton(s, row.Method, LoopDirection::Positive, false);
        ExtractSkeleton(moved, row.Method, LoopDirection::Positive, false);
        const bool same =
            PointsOf(s.PositiveSkeletonSeries()) == PointsOf(moved.PositiveSkeletonSeries()) &&
            PointsOf(s.NegativeSkeletonSeries()) == PointsOf(moved.NegativeSkeletonSeries());
        EXPECT_NE(same, row.ReadsLoopExtremes);
    }
}

TEST(SkeletonMethods, NamedAndNumberedOnce) {
    std::set<std::string_view> names;
    for (const SkeletonMethodRow& row : SkeletonMethods()) {
        EXPECT_EQ(FindSkeletonMethod(row.Method), &row);
        EXPECT_EQ(SkeletonMethodOfName(row.BatchName), row.Method);
        EXPECT_EQ(SkeletonMethodOfName(std::to_string(static_cast<int>(row.Method))), row.Method);
        for (const std::string_view name : {row.BatchName, row.WidgetName, row.Caption}) {
            EXPECT_TRUE(names.insert(name).second) << name;
        }
    }
    EXPECT_EQ(FindSkeletonMethod(static_cast<SkeletonMethod>(0)), nullptr);
    EXPECT_EQ(SkeletonMethodOfName("0"), std::nullopt);
    EXPECT_EQ(SkeletonMethodOfName(""), std::nullopt);
}

}  // namespace
}  // namespace qlnx
