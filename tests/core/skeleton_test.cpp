// The extraction driver shared by the six skeleton methods.
#include "core/skeleton.h"

#include <gtest/gtest.h>

#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::ExampleCurve;
using testing::MakeState;
using testing::Points;
using testing::PointsOf;

constexpr SkeletonMethod kAllMethods[] = {
    SkeletonMethod::MaxForcePoint,      SkeletonMethod::MaxDispPoint,
    SkeletonMethod::MaxForceAndDispPoints, SkeletonMethod::EnvelopeToMaxForce,
    SkeletonMethod::EnvelopeToMaxDisp,  SkeletonMethod::SBDecomposition,
};

TEST(ExtractSkeleton, BeforeAnyAnalysisEmptiesBothSeries) {
    for (const auto method : kAllMethods) {
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
    for (const auto method : kAllMethods) {
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
    for (const auto method : kAllMethods) {
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
    for (const auto method : kAllMethods) {
        ExtractSkeleton(s, method, LoopDirection::Positive, false);
        ExtractSkeleton(one, method, LoopDirection::Positive, false);
        EXPECT_EQ(PointsOf(s.PositiveSkeletonSeries()), PointsOf(one.PositiveSkeletonSeries()));
        EXPECT_EQ(PointsOf(s.NegativeSkeletonSeries()), PointsOf(one.NegativeSkeletonSeries()));
    }
}

}  // namespace
}  // namespace qlnx
