// The first-cycle envelope on a record of four levels with repeated cycles, by hand.
#include <gtest/gtest.h>

#include <vector>

#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::AnalysedCurve;
using testing::Points;
using testing::PointsOf;

struct Cycle {
    double Pos;
    double PosForce;
    double Neg;
    double NegForce;
};

// Each cycle 0, Pos/2, Pos, Pos/2, 0, Neg/2, Neg, Neg/2 and back to 0 (S, T, E at the zeros),
// then a last loop that turns out at 4 and never comes back (no turn: no cycle of a level).
AnalysedCurve FourLevels() {
    const std::vector<Cycle> cycles = {
        {1.0, 10, -1.0, -9},  {1.05, 9, -0.95, -8},                        // level 1
        {2.0, 16, -2.0, -15}, {2.1, 15, -1.9, -14}, {1.9, 14, -2.0, -13},  // level 2
        {3.0, 20, -3.2, -19}, {3.1, 18, -3.0, -17}, {2.9, 17, -2.9, -16},  // level 3
        {4.5, 22, -4.4, -21}};                                             // level 4
    AnalysedCurve c;
    for (const Cycle& y : cycles) {
        c.LoopStart.push_back(static_cast<int32_t>(c.D.size()));
        for (const auto& [d, f] : std::vector<std::pair<double, double>>{
                 {0, 0}, {y.Pos / 2, y.PosForce / 2}, {y.Pos, y.PosForce}, {y.Pos / 2, 1}}) {
            c.D.push_back(d);
            c.F.push_back(f);
        }
        c.LoopStart.push_back(static_cast<int32_t>(c.D.size()));
        for (const auto& [d, f] : std::vector<std::pair<double, double>>{
                 {0, -1}, {y.Neg / 2, y.NegForce / 2}, {y.Neg, y.NegForce}, {y.Neg / 2, -1}}) {
            c.D.push_back(d);
            c.F.push_back(f);
        }
    }
    c.LoopStart.push_back(static_cast<int32_t>(c.D.size()));
    for (const double d : {0.0, 2.0, 4.0, 2.0, 1.0}) {
        c.D.push_back(d);
        c.F.push_back(d * 5);
    }
    c.LoopCount = static_cast<int>(cycles.size()) + 1;
    return c;
}

TEST(FirstCycleEnvelope, PeaksOfTheChosenCycleOfEachLevel) {
    struct Case {
        int cycle;
        Points positive;
        Points negative;
    };
    const Case cases[] = {
        {1,
         {{0, 0}, {1, 10}, {2, 16}, {3, 20}, {4.5, 22}},
         {{0, 0}, {-1, -9}, {-2, -15}, {-3.2, -19}, {-4.4, -21}}},
        // The stabilised envelope: the second cycles; level 4 has none.
        {2,
         {{0, 0}, {1.05, 9}, {2.1, 15}, {3.1, 18}},
         {{0, 0}, {-0.95, -8}, {-1.9, -14}, {-3, -17}}},
        {3, {{0, 0}, {1.9, 14}, {2.9, 17}}, {{0, 0}, {-2, -13}, {-2.9, -16}}},
    };
    for (const Case& c : cases) {
        for (const LoopDirection direction : {LoopDirection::Positive, LoopDirection::Negative}) {
            SCOPED_TRACE("cycle " + std::to_string(c.cycle));
            AnalysisState s = testing::MakeState(FourLevels());
            ExtractSkeleton(s, SkeletonMethod::FirstCycleEnvelope, direction, false, c.cycle);
            EXPECT_EQ(PointsOf(s.PositiveSkeletonSeries()), c.positive);
            EXPECT_EQ(PointsOf(s.NegativeSkeletonSeries()), c.negative);
        }
    }
}

TEST(FirstCycleEnvelope, OutwardCheckDropsAFirstCycleShortOfTheLast) {
    AnalysedCurve curve = FourLevels();
    // Level 3's first cycle pulled back to 1.9 on the negative side: a level of its own
    // (amplitude 2.45 against level 2's 2.0) whose negative peak lies inside the branch.
    curve.D[46] = -1.9;
    AnalysisState s = testing::MakeState(curve);
    ExtractSkeleton(s, SkeletonMethod::FirstCycleEnvelope, LoopDirection::Positive, true);
    EXPECT_EQ(PointsOf(s.NegativeSkeletonSeries()),
              (Points{{0, 0}, {-1, -9}, {-2, -15}, {-3, -17}, {-4.4, -21}}));
}

}  // namespace
}  // namespace qlnx
