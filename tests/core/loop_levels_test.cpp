// Loading levels: grouping by amplitude, strength degradation and ring stiffness.
#include "core/loop_levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "evaluation_expect.h"

namespace qlnx {
namespace {

using testing::Near;

// Loops with the given positive and negative peak points (both rules see the same points).
std::vector<LoopQuantities> Loops(const std::vector<std::array<double, 4>>& peaks) {
    std::vector<LoopQuantities> loops;
    for (const auto& [dB, fB, dD, fD] : peaks) {
        LoopQuantities q;
        q.Loop = static_cast<int>(loops.size()) + 1;
        q.Complete = true;
        q.PosPeakDisp = q.PosPeakForce = {dB, fB, 0};
        q.NegPeakDisp = q.NegPeakForce = {dD, fD, 0};
        q.Amplitude = q.RawAmplitude();
        loops.push_back(q);
    }
    return loops;
}

TEST(AssignLevels, ThreeCyclesOfOneLevel) {
    for (const PeakPointRule rule : {PeakPointRule::Displacement, PeakPointRule::Force}) {
        auto loops = Loops({{2, 16, -2, -15}, {2, 15.2, -2, -14.1}, {2, 14.8, -2, -13.9}});
        const auto levels = AssignLevels(loops, 0.10, rule);
        ASSERT_EQ(levels.size(), 1u);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(loops[static_cast<size_t>(c)].Level, 1);
            EXPECT_EQ(loops[static_cast<size_t>(c)].Cycle, c + 1);
        }
        EXPECT_FALSE(loops[0].StrengthToFirstPos || loops[0].StrengthToPreviousPos ||
                     loops[0].StrengthToFirstNeg || loops[0].StrengthToPreviousNeg);
        EXPECT_TRUE(Near(loops[1].StrengthToPreviousPos, 0.95));
        EXPECT_TRUE(Near(loops[2].StrengthToPreviousPos, 0.9736842105263158));
        EXPECT_TRUE(Near(loops[1].StrengthToFirstPos, 0.95));
        EXPECT_TRUE(Near(loops[2].StrengthToFirstPos, 0.925));
        EXPECT_TRUE(Near(loops[1].StrengthToFirstNeg, 14.1 / 15));
        EXPECT_TRUE(Near(loops[2].StrengthToPreviousNeg, 13.9 / 14.1));
        const LevelRow& l = levels[0];
        EXPECT_EQ(l.Level, 1);
        EXPECT_EQ(l.FirstLoop, 1);
        EXPECT_EQ(l.Cycles, 3);
        EXPECT_EQ(l.Amplitude, 2.0);
        EXPECT_TRUE(Near(l.ImpairmentPos, 1.2));
        EXPECT_TRUE(Near(l.ImpairmentPosRatio, 0.075));
        EXPECT_TRUE(Near(l.ImpairmentNeg, 1.1));
        EXPECT_TRUE(Near(l.ImpairmentNegRatio, 1.1 / 15));
        EXPECT_TRUE(Near(l.RingStiffnessPos, 46.0 / 6));
        EXPECT_TRUE(Near(l.RingStiffnessNeg, 43.0 / 6));
        EXPECT_TRUE(Near(l.RingStiffness, 89.0 / 12));
    }
}

TEST(AssignLevels, GroupsByTheAmplitudeOfTheLevelsFirstLoop) {
    // Amplitudes 4, 4.25, 3.75, 4.5, 8, 8.75 (exact in binary).
    const std::vector<std::array<double, 4>> peaks = {
        {4, 1, -4, -1}, {4.5, 1, -4, -1}, {3.5, 1, -4, -1},
        {5, 1, -4, -1}, {8, 1, -8, -1},   {9.5, 1, -8, -1},
    };
    const struct {
        double tolerance;
        std::vector<int> levelOfLoop;
        std::vector<int> cycleOfLoop;
    } cases[] = {
        // The bound is inclusive: 4.5 is within 0.125 * 4.
        {0.125, {1, 1, 1, 1, 2, 2}, {1, 2, 3, 4, 1, 2}},
        {0.0625, {1, 1, 1, 2, 3, 4}, {1, 2, 3, 1, 1, 1}},
        {0, {1, 2, 3, 4, 5, 6}, {1, 1, 1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tolerance);
        auto loops = Loops(peaks);
        const auto levels = AssignLevels(loops, c.tolerance, PeakPointRule::Displacement);
        for (size_t i = 0; i < loops.size(); ++i) {
            EXPECT_EQ(loops[i].Level, c.levelOfLoop[i]) << "loop " << i + 1;
            EXPECT_EQ(loops[i].Cycle, c.cycleOfLoop[i]) << "loop " << i + 1;
        }
        ASSERT_EQ(levels.size(), static_cast<size_t>(c.levelOfLoop.back()));
        EXPECT_EQ(levels.back().FirstLoop,
                  static_cast<int>(
                      std::find(c.levelOfLoop.begin(), c.levelOfLoop.end(), c.levelOfLoop.back()) -
                      c.levelOfLoop.begin()) +
                      1);
        // Fewer than three cycles: no impairment.
        for (const auto& l : levels) EXPECT_EQ(l.ImpairmentPos.has_value(), l.Cycles >= 3);
    }
}

TEST(AssignLevels, ZeroPeaksGiveNulls) {
    auto loops = Loops({{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    const auto levels = AssignLevels(loops, 0.1, PeakPointRule::Force);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_FALSE(loops[1].StrengthToFirstPos.has_value());
    EXPECT_FALSE(levels[0].RingStiffness.has_value());
    EXPECT_EQ(levels[0].ImpairmentPos, 0.0);
    EXPECT_FALSE(levels[0].ImpairmentPosRatio.has_value());
}

TEST(AssignLevels, IncompleteLoopsJoinNoLevel) {
    // Loop 3 is a cut-short last half-cycle in the middle of the record's rows (amplitude 6):
    // it keeps its row, has no level or cycle, and loop 4 joins level 1 beside loops 1 and 2.
    // Loop 6, incomplete at the end, opens nothing after level 2.
    auto loops = Loops({{2, 16, -2, -15},
                        {2, 15.2, -2, -14.1},
                        {10, 0.5, -2, -0.5},
                        {2, 14.8, -2, -13.9},
                        {4, 20, -4, -20},
                        {1, 80, 0, -5}});
    loops[2].Complete = false;
    loops[5].Complete = false;
    const auto levels = AssignLevels(loops, 0.10, PeakPointRule::Displacement);
    ASSERT_EQ(levels.size(), 2u);
    for (const size_t i : {2u, 5u}) {
        EXPECT_FALSE(loops[i].Level.has_value());
        EXPECT_FALSE(loops[i].Cycle.has_value());
        EXPECT_FALSE(loops[i].StrengthToFirstPos.has_value());
    }
    EXPECT_EQ(loops[3].Level, 1);
    EXPECT_EQ(loops[3].Cycle, 3);
    EXPECT_EQ(loops[4].Level, 2);
    EXPECT_EQ(loops[4].Cycle, 1);
    // Level 1 is the worked example of three cycles, as if loop 3 were not there.
    EXPECT_EQ(levels[0].Cycles, 3);
    EXPECT_TRUE(Near(loops[3].StrengthToPreviousPos, 14.8 / 15.2));
    EXPECT_TRUE(Near(levels[0].ImpairmentPos, 1.2));
    EXPECT_TRUE(Near(levels[0].RingStiffness, 89.0 / 12));
    EXPECT_EQ(levels[1].FirstLoop, 5);
    EXPECT_EQ(levels[1].Cycles, 1);
    EXPECT_TRUE(Near(levels[1].RingStiffness, 5));
}

TEST(AssignLevels, DefaultToleranceIsTenPercent) {
    // Amplitude 5.5 lies 10 % from 5 (0.1 * 5 rounds to 0.5 exactly): in the level; 5.53
    // is beyond it.
    auto loops = Loops({{5, 1, -5, -1}, {5.5, 1, -5.5, -1}, {5.53, 1, -5.53, -1}});
    const auto levels =
        AssignLevels(loops, EvaluationOptions{}.LevelTolerance, EvaluationOptions{}.PeakPoint);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(loops[1].Cycle, 2);
    EXPECT_EQ(loops[2].Level, 2);
}

}  // namespace
}  // namespace qlnx
