// Loading protocols: the generated sequences, their recognition in records that follow them
// loosely, and the planned-against-applied table.
#include "core/protocol_recognition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "core/loop_levels.h"

namespace qlnx {
namespace {

// Loops with these positive and negative peak displacements, levels assigned as the test
// evaluation does.
std::vector<LoopQuantities> Loops(const std::vector<std::pair<double, double>>& peaks) {
    std::vector<LoopQuantities> loops;
    for (const auto& [pos, neg] : peaks) {
        LoopQuantities q;
        q.Loop = static_cast<int>(loops.size()) + 1;
        q.Complete = true;
        q.PosPeakDisp = q.PosPeakForce = {pos, 10, 0};
        q.NegPeakDisp = q.NegPeakForce = {neg, -10, 0};
        loops.push_back(q);
    }
    AssignLevels(loops, 0.10, PeakPointRule::Displacement);
    return loops;
}

TEST(LoadingProtocols, SequencesAsTheStandardsGiveThem) {
    struct Case {
        LoadingProtocol protocol;
        std::vector<PlannedLevel> first;
    };
    const Case cases[] = {
        {LoadingProtocol::Iso16670,
         {{0.0125, 1}, {0.025, 1}, {0.05, 1}, {0.075, 1}, {0.1, 1}, {0.2, 3}, {0.4, 3}, {0.6, 3}}},
        {LoadingProtocol::En12512,
         {{0.25, 1}, {0.5, 1}, {0.75, 3}, {1, 3}, {2, 3}, {4, 3}, {6, 3}}},
        {LoadingProtocol::Curee,
         {{0.05, 6},
          {0.075, 1},
          {0.05625, 6},
          {0.1, 1},
          {0.075, 6},
          {0.2, 1},
          {0.15, 3},
          {0.3, 1},
          {0.225, 3},
          {0.4, 1},
          {0.3, 2},
          {0.7, 1},
          {0.525, 2},
          {1.0, 1},
          {0.75, 2},
          {1.5, 1},
          {1.125, 2}}},
        {LoadingProtocol::Fema461, {{1, 2}, {1.4, 2}, {1.96, 2}}},
        {LoadingProtocol::Aisc341,
         {{0.00375, 6},
          {0.005, 6},
          {0.0075, 6},
          {0.01, 4},
          {0.015, 2},
          {0.02, 2},
          {0.03, 2},
          {0.04, 2},
          {0.05, 2}}},
        {LoadingProtocol::JgjT101, {{0.25, 1}, {0.5, 1}, {0.75, 1}, {1, 3}, {2, 3}, {3, 3}}},
    };
    for (const Case& c : cases) {
        const LoadingProtocolRow& row = ProtocolRow(c.protocol);
        SCOPED_TRACE(std::string(row.Name));
        EXPECT_EQ(ProtocolOfName(row.Name), c.protocol);
        for (size_t j = 0; j < c.first.size(); ++j) {
            EXPECT_NEAR(row.Level(j).Relative, c.first[j].Relative, 1e-12) << j;
            EXPECT_EQ(row.Level(j).Cycles, c.first[j].Cycles) << j;
        }
        // Generated up to a largest amplitude, in the reference's units (a trailing level
        // after the largest primary one is still run).
        double largest = 0;
        for (const PlannedLevel& level : c.first) largest = std::max(largest, level.Relative);
        const auto plan = PlanLevels(row, 10.0, 10.0 * largest * (1 + 1e-12));
        ASSERT_EQ(plan.size(), c.first.size());
        EXPECT_NEAR(plan.back().Relative, 10.0 * c.first.back().Relative, 1e-9);
    }
    EXPECT_FALSE(ProtocolOfName("ISO"));
}

// A record of the protocol at reference r over its first `levels` levels: each side's
// amplitude off by up to 2 %, a re-centring cycle of a third of the amplitude after the
// middle level, and the last level with more than one cycle cut to one.
struct Generated {
    std::vector<std::pair<double, double>> Peaks;
    int RecentringLoop = 0;  // 1-based
};

Generated Generate(const LoadingProtocolRow& row, double r, size_t levels, std::mt19937& rng) {
    std::uniform_real_distribution<double> noise(-0.02, 0.02);
    Generated g;
    size_t lastCut = 0;
    for (size_t j = 0; j < levels; ++j) {
        if (row.Level(j).Cycles > 1) lastCut = j;
    }
    for (size_t j = 0; j < levels; ++j) {
        const PlannedLevel level = row.Level(j);
        const int cycles = j == lastCut ? 1 : level.Cycles;
        for (int c = 0; c < cycles; ++c) {
            const double a = level.Relative * r;
            g.Peaks.emplace_back(a * (1 + noise(rng)), -a * (1 + noise(rng)));
        }
        if (j == levels / 2) {
            const double a = level.Relative * r / 3;
            g.Peaks.emplace_back(a, -a);
            g.RecentringLoop = static_cast<int>(g.Peaks.size());
        }
    }
    return g;
}

TEST(RecogniseProtocol, EachProtocolAtThreeReferences) {
    std::mt19937 rng(33);
    for (const LoadingProtocolRow& row : LoadingProtocols()) {
        const size_t levels = row.Protocol == LoadingProtocol::Curee ? 14 : 10;
        for (const double r : {0.37, 12.0, 85.0}) {
            SCOPED_TRACE(std::string(row.Name) + " at " + std::to_string(r));
            const Generated g = Generate(row, r, levels, rng);
            const auto loops = Loops(g.Peaks);
            const ProtocolRecognition result = RecogniseProtocol(loops);
            ASSERT_EQ(result.Protocol, row.Protocol);
            EXPECT_NEAR(*result.Reference, r, 0.03 * r);
            EXPECT_GE(*result.Score, kProtocolScoreThreshold);
            for (const ProtocolCandidate& other : result.Candidates) {
                if (other.Protocol != row.Protocol) {
                    EXPECT_LT(other.Score, *result.Score) << ProtocolRow(other.Protocol).Name;
                }
            }
            EXPECT_EQ(result.Unassigned, std::vector<int>{g.RecentringLoop});
            ASSERT_EQ(result.Levels.size(), levels);
            EXPECT_EQ(result.LargestLevelReached, static_cast<int>(levels));
            int applied = 0;
            for (size_t j = 0; j < levels; ++j) {
                const ProtocolLevel& level = result.Levels[j];
                EXPECT_NEAR(*level.PlannedAmplitude, row.Level(j).Relative * *result.Reference,
                            1e-9 * r);
                EXPECT_EQ(level.PlannedCycles, row.Level(j).Cycles);
                EXPECT_LE(std::fabs(*level.DifferencePercent), 5.0);
                EXPECT_EQ(level.FirstLoop, applied + 1 + (applied + 1 >= g.RecentringLoop ? 1 : 0));
                applied += level.AppliedCycles;
            }
            EXPECT_EQ(applied + 1, static_cast<int>(g.Peaks.size()));
            EXPECT_LT(std::fabs(*result.Asymmetry), 0.02);
        }
    }
}

TEST(RecogniseProtocol, RandomAmplitudesAreNotRecognised) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> logAmplitude(0, std::log(100.0));
    for (int trial = 0; trial < 5; ++trial) {
        std::vector<std::pair<double, double>> peaks;
        for (int i = 0; i < 40; ++i) {
            const double a = std::exp(logAmplitude(rng));
            peaks.emplace_back(a, -a);
        }
        const auto loops = Loops(peaks);
        const ProtocolRecognition result = RecogniseProtocol(loops);
        EXPECT_FALSE(result.Protocol);
        EXPECT_FALSE(result.Reference);
        EXPECT_EQ(result.Candidates.size(), LoadingProtocols().size());
        // The measured levels instead, nothing planned.
        int cycles = 0;
        for (const ProtocolLevel& level : result.Levels) {
            EXPECT_FALSE(level.PlannedAmplitude || level.PlannedCycles || level.DifferencePercent);
            cycles += level.AppliedCycles;
        }
        EXPECT_EQ(cycles, 40);
    }
}

TEST(RecogniseProtocol, PlannedAgainstAppliedByHand) {
    // EN 12512 at a yield slip of 2: 0.5, 1, then three each at 1.5 and 2; the positive side
    // pushed 10 % further than the negative, the last level stopped after two cycles.
    const auto loops = Loops({{0.525, -0.475},
                              {1.05, -0.95},
                              {1.575, -1.425},
                              {1.575, -1.425},
                              {1.575, -1.425},
                              {2.1, -1.9},
                              {2.1, -1.9}});
    const ProtocolRecognition result = RecogniseProtocol(loops);
    ASSERT_EQ(result.Protocol, LoadingProtocol::En12512);
    EXPECT_NEAR(*result.Reference, 2.0, 1e-12);
    ASSERT_EQ(result.Levels.size(), 4u);
    const ProtocolLevel& last = result.Levels[3];
    EXPECT_NEAR(*last.PlannedAmplitude, 2.0, 1e-12);
    EXPECT_EQ(last.PlannedCycles, 3);
    EXPECT_EQ(last.AppliedCycles, 2);
    EXPECT_EQ(last.FirstLoop, 6);
    EXPECT_EQ(last.Loops, (std::vector<int>{6, 7}));
    EXPECT_NEAR(*last.AppliedPositive, 2.1, 1e-12);
    EXPECT_NEAR(*last.AppliedNegative, 1.9, 1e-12);
    EXPECT_NEAR(*last.DifferencePercent, 0.0, 1e-9);
    EXPECT_NEAR(*result.Asymmetry, 0.05, 1e-12);
    // Every loop matched, and no planned cycle skipped before the last one matched.
    EXPECT_EQ(*result.Score, 1.0);
    EXPECT_EQ(result.LargestLevelReached, 4);
    EXPECT_TRUE(result.Unassigned.empty());
}

TEST(RecogniseProtocol, NoLoopsNoFit) {
    const ProtocolRecognition result = RecogniseProtocol({});
    EXPECT_FALSE(result.Protocol);
    EXPECT_TRUE(result.Levels.empty());
}

}  // namespace
}  // namespace qlnx
