// The whole test evaluation on a generated record: invariance under scaling of either axis
// and symmetry under negation of the record.
#include "core/evaluate_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/loop_analysis.h"
#include "core/skeleton.h"
#include "evaluation_expect.h"

namespace qlnx {
namespace {

using testing::Same;

// Five levels of three cycles each, amplitude 1..5 mm, a softening and lagging force that
// loses strength from cycle to cycle; 200 samples a cycle.
AnalysisState Record(double dispScale, double forceScale, double sign) {
    AnalysisState state;
    // The record starts unloaded, so the skeleton starts at the origin.
    state.RawDisp.push_back(0);
    state.RawForce.push_back(0);
    for (int level = 0; level < 5; ++level) {
        const double amplitude = 1 + level;
        for (int cycle = 0; cycle < 3; ++cycle) {
            const double strength = 40 * (1 - 0.04 * cycle) * (1 - 0.02 * level * level);
            for (int k = 1; k <= 200; ++k) {
                const double t = 2 * std::numbers::pi * k / 200;
                const double d = amplitude * std::sin(t);
                const double f = strength * std::tanh(0.6 * amplitude * std::sin(t + 0.35));
                state.RawDisp.push_back(sign * dispScale * d);
                state.RawForce.push_back(sign * forceScale * f);
            }
        }
    }
    state.RawDisp.push_back(0);
    state.RawForce.push_back(state.RawForce.back());
    EXPECT_EQ(AnalyzeLoops(state), std::nullopt);
    ExtractSkeleton(state, SkeletonMethod::EnvelopeToMaxForce, LoopDirection::Positive, true);
    return state;
}

std::optional<double> Scaled(std::optional<double> v, double c) {
    if (!v) return v;
    return *v * c;
}

// b is a evaluated on the record with displacements times cd and forces times cf, negated
// when mirrored (then the sides swap).
void ExpectTransformed(const TestEvaluation& a, const TestEvaluation& b, double cd, double cf,
                       bool mirrored) {
    const double s = mirrored ? -1 : 1;
    ASSERT_EQ(a.Loops.size(), b.Loops.size());
    for (size_t i = 0; i < a.Loops.size(); ++i) {
        SCOPED_TRACE("loop " + std::to_string(i + 1));
        const LoopQuantities& x = a.Loops[i];
        const LoopQuantities& y = b.Loops[i];
        EXPECT_EQ(x.Level, y.Level);
        EXPECT_EQ(x.Cycle, y.Cycle);
        EXPECT_EQ(x.Complete, y.Complete);
        EXPECT_EQ(x.PeaksOffQuadrant, y.PeaksOffQuadrant);
        const LoopPoint& yPosDisp = mirrored ? y.NegPeakDisp : y.PosPeakDisp;
        const LoopPoint& yPosForce = mirrored ? y.NegPeakForce : y.PosPeakForce;
        EXPECT_EQ(x.PosPeakDisp.Index, yPosDisp.Index);
        EXPECT_EQ(x.PosPeakForce.Index, yPosForce.Index);
        EXPECT_TRUE(testing::Near(yPosDisp.Disp, s * cd * x.PosPeakDisp.Disp));
        EXPECT_TRUE(Same(y.Amplitude, Scaled(x.Amplitude, cd)));
        EXPECT_TRUE(Same(y.Energy, Scaled(x.Energy, cd * cf)));
        EXPECT_TRUE(Same(y.CumulativeEnergy, Scaled(x.CumulativeEnergy, cd * cf), 1e-8));
        EXPECT_TRUE(Same(y.DampingRatio, x.DampingRatio));
        EXPECT_TRUE(Same(y.DissipationCoefficient, x.DissipationCoefficient));
        EXPECT_TRUE(Same(y.SecantStiffness, Scaled(x.SecantStiffness, cf / cd)));
        EXPECT_TRUE(Same(mirrored ? y.ResidualNeg : y.ResidualPos, Scaled(x.ResidualPos, s * cd)));
        EXPECT_TRUE(Same(mirrored ? y.ResidualPos : y.ResidualNeg, Scaled(x.ResidualNeg, s * cd)));
        EXPECT_TRUE(
            Same(mirrored ? y.StrengthToFirstNeg : y.StrengthToFirstPos, x.StrengthToFirstPos));
        EXPECT_TRUE(Same(mirrored ? y.StrengthToPreviousPos : y.StrengthToPreviousNeg,
                         x.StrengthToPreviousNeg));
    }
    ASSERT_EQ(a.Levels.size(), b.Levels.size());
    for (size_t l = 0; l < a.Levels.size(); ++l) {
        const LevelRow& x = a.Levels[l];
        const LevelRow& y = b.Levels[l];
        EXPECT_EQ(x.FirstLoop, y.FirstLoop);
        EXPECT_EQ(x.Cycles, y.Cycles);
        EXPECT_TRUE(Same(y.RingStiffness, Scaled(x.RingStiffness, cf / cd)));
        EXPECT_TRUE(Same(mirrored ? y.RingStiffnessNeg : y.RingStiffnessPos,
                         Scaled(x.RingStiffnessPos, cf / cd)));
        EXPECT_TRUE(
            Same(mirrored ? y.ImpairmentNeg : y.ImpairmentPos, Scaled(x.ImpairmentPos, cf)));
        EXPECT_TRUE(
            Same(mirrored ? y.ImpairmentPosRatio : y.ImpairmentNegRatio, x.ImpairmentNegRatio));
    }
    const auto sides = {
        std::pair{&a.Skeleton.Positive, mirrored ? &b.Skeleton.Negative : &b.Skeleton.Positive},
        std::pair{&a.Skeleton.Negative, mirrored ? &b.Skeleton.Positive : &b.Skeleton.Negative}};
    for (const auto& [xs, ys] : sides) {
        ASSERT_EQ(xs->has_value(), ys->has_value());
        if (!xs->has_value()) continue;
        const BranchEvaluation& x = **xs;
        const BranchEvaluation& y = **ys;
        EXPECT_TRUE(testing::Near(y.Peak.Force, s * cf * x.Peak.Force));
        EXPECT_TRUE(testing::Near(y.Ultimate.Disp, s * cd * x.Ultimate.Disp));
        EXPECT_EQ(x.UltimateReached, y.UltimateReached);
        EXPECT_EQ(x.DroppedPoints, y.DroppedPoints);
        for (size_t m = 0; m < kYieldMethodCount; ++m) {
            SCOPED_TRACE(kYieldMethods[m].Name);
            ASSERT_EQ(x.Yield[m].has_value(), y.Yield[m].has_value());
            if (!x.Yield[m]) continue;
            EXPECT_TRUE(testing::Near(y.Yield[m]->Disp, s * cd * x.Yield[m]->Disp));
            EXPECT_TRUE(testing::Near(y.Yield[m]->Force, s * cf * x.Yield[m]->Force));
            EXPECT_TRUE(Same(y.Yield[m]->Ductility, x.Yield[m]->Ductility));
            EXPECT_TRUE(Same(y.Yield[m]->Stiffness, Scaled(x.Yield[m]->Stiffness, cf / cd)));
            EXPECT_EQ(y.Yield[m]->Fallback, x.Yield[m]->Fallback);
        }
    }
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        EXPECT_TRUE(Same(a.Skeleton.MeanDuctility[m], b.Skeleton.MeanDuctility[m]));
    }
}

TEST(EvaluateTest, GeneratedRecordHasItsLevelsAndBothBranches) {
    const AnalysisState state = Record(1, 1, 1);
    const TestEvaluation e = EvaluateTest(state, EvaluationOptions{});
    ASSERT_EQ(e.Loops.size(), 15u);
    ASSERT_EQ(e.Levels.size(), 5u);
    for (const auto& l : e.Levels) EXPECT_EQ(l.Cycles, 3);
    for (const auto& q : e.Loops) {
        EXPECT_TRUE(q.Complete);
        EXPECT_GT(*q.Energy, 0);
        EXPECT_GT(*q.DampingRatio, 0);
    }
    ASSERT_TRUE(e.Skeleton.Positive && e.Skeleton.Negative);
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        EXPECT_TRUE(e.Skeleton.MeanDuctility[m].has_value()) << kYieldMethods[m].Name;
    }
}

TEST(EvaluateTest, ScalingEitherAxisScalesTheQuantitiesByTheirUnits) {
    for (const PeakPointRule rule : {PeakPointRule::Displacement, PeakPointRule::Force}) {
        EvaluationOptions options;
        options.PeakPoint = rule;
        options.UltimateRatio = 0.8;
        const TestEvaluation a = EvaluateTest(Record(1, 1, 1), options);
        const TestEvaluation b = EvaluateTest(Record(0.01, 7.3, 1), options);
        ExpectTransformed(a, b, 0.01, 7.3, false);
    }
}

TEST(EvaluateTest, NegatedRecordSwapsTheSides) {
    const AnalysisState state = Record(1, 1, 1);
    AnalysisState negated = Record(1, 1, -1);
    // The negated record's branches are the original ones negated, sides swapped.
    const auto negatedSeries = [](const ChartSeries& series) {
        std::vector<double> x = series.XValues();
        std::vector<double> y = series.YValues();
        for (double& v : x) v = -v;
        for (double& v : y) v = -v;
        return std::pair{x, y};
    };
    auto [px, py] = negatedSeries(state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries));
    auto [nx, ny] = negatedSeries(state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries));
    negated.PositiveSkeletonSeries().Assign(px, py);
    negated.NegativeSkeletonSeries().Assign(nx, ny);
    for (const PeakPointRule rule : {PeakPointRule::Displacement, PeakPointRule::Force}) {
        EvaluationOptions options;
        options.PeakPoint = rule;
        ExpectTransformed(EvaluateTest(state, options), EvaluateTest(negated, options), 1, 1, true);
    }
}

TEST(EvaluationPresets, En12512CapsTheUltimateSlipWhenTheUnitIsKnown) {
    const struct {
        EvaluationPreset preset;
        std::optional<double> millimetresPerUnit;
        std::optional<double> cap;
    } cases[] = {
        {EvaluationPreset::En12512, 1.0, 30.0},                   // millimetres
        {EvaluationPreset::En12512, 10.0, 3.0},                   // centimetres
        {EvaluationPreset::En12512, std::nullopt, std::nullopt},  // unit unknown
        {EvaluationPreset::Jgj, 1.0, std::nullopt},
        {EvaluationPreset::Astm, 1.0, std::nullopt},
    };
    for (const auto& c : cases) {
        EvaluationOptions options;
        options.UltimateDispCap = 99.0;  // a preset sets or clears it
        ApplyPreset(options, c.preset, c.millimetresPerUnit);
        EXPECT_EQ(options.UltimateDispCap, c.cap) << PresetInfo(c.preset).Name;
        EXPECT_EQ(options.UltimateRatio, PresetInfo(c.preset).UltimateRatio);
    }
}

}  // namespace
}  // namespace qlnx
