// Per-loop quantities: energy, elastic energy and damping, secant stiffness, residuals.
#include "core/loop_quantities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "core/loop_analysis.h"
#include "evaluation_expect.h"
#include "imported_record.h"

namespace qlnx {
namespace {

using testing::Near;
using Points = std::vector<std::pair<double, double>>;

AnalysisState Analysed(const Points& points) {
    AnalysisState state = test::Imported(points);
    EXPECT_EQ(AnalyzeLoops(state), std::nullopt);
    return state;
}

// A closed polygon as a record: it starts and ends on the point where its top edge crosses
// D = 0, so the record is one complete loop.
struct ClosedForm {
    const char* what;
    Points record;
    double energy;
    double damping;
    std::optional<double> stiffness;
};

const ClosedForm kClosedForms[] = {
    {"elastic-perfectly-plastic",
     {{0, 10}, {4, 10}, {2, -10}, {0, -10}, {-4, -10}, {-2, 10}, {0, 10}},
     120,
     120 / (2 * std::numbers::pi * 40),
     2.5},
    {"bilinear with 10 % hardening",
     {{0, 9}, {4, 13}, {2, -7}, {0, -9}, {-4, -13}, {-2, 7}, {0, 9}},
     108,
     108 / (2 * std::numbers::pi * 52),
     3.25},
    {"square",
     {{0, 1}, {1, 1}, {1, -1}, {0, -1}, {-1, -1}, {-1, 1}, {0, 1}},
     4,
     2 / std::numbers::pi,
     1},
    // Peaks (4, 10) and (-2, -20) that differ in both coordinates: Es = 20 + 20, and a
    // triangle built with the other side's force or displacement would not give 40.
    {"unequal sides (4,10) (3,-20) (-2,-20) (-1,10)",
     {{0, 10}, {4, 10}, {3, -20}, {0, -20}, {-2, -20}, {-1, 10}, {0, 10}},
     150,
     150 / (2 * std::numbers::pi * 40),
     5},
};

TEST(MeasureLoops, ClosedFormsWithEitherPeakPointAndRunBackwards) {
    for (const auto& c : kClosedForms) {
        for (const PeakPointRule rule : {PeakPointRule::Displacement, PeakPointRule::Force}) {
            for (const bool backwards : {false, true}) {
                SCOPED_TRACE(std::string(c.what) + (backwards ? ", backwards" : "") + ", by " +
                             std::string(PeakPointName(rule)));
                Points record = c.record;
                if (backwards) std::reverse(record.begin(), record.end());
                const auto rows = MeasureLoops(Analysed(record), rule);
                ASSERT_EQ(rows.size(), 1u);
                const LoopQuantities& q = rows[0];
                const double sign = backwards ? -1 : 1;
                EXPECT_EQ(q.Loop, 1);
                EXPECT_TRUE(q.Complete);
                EXPECT_TRUE(Near(q.Energy, sign * c.energy));
                EXPECT_TRUE(Near(q.CumulativeEnergy, sign * c.energy));
                EXPECT_TRUE(Near(q.DampingRatio, sign * c.damping));
                EXPECT_TRUE(
                    Near(q.DissipationCoefficient, sign * c.damping * 2 * std::numbers::pi));
                EXPECT_TRUE(Near(q.SecantStiffness, *c.stiffness));
                EXPECT_FALSE(q.PeaksOffQuadrant);
                EXPECT_EQ(q.Amplitude, (c.record[1].first - c.record[4].first) / 2);
            }
        }
    }
}

TEST(MeasureLoops, EllipseInFourThousandSteps) {
    Points record;
    for (int k = 0; k <= 4000; ++k) {
        const double t = 2 * std::numbers::pi * k / 4000;
        record.emplace_back(2 * std::sin(t), 20 * std::sin(t) + 4 * std::cos(t));
    }
    for (const PeakPointRule rule : {PeakPointRule::Displacement, PeakPointRule::Force}) {
        const auto rows = MeasureLoops(Analysed(record), rule);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_NEAR(*rows[0].Energy, 25.13273, 1e-5);
        EXPECT_NEAR(*rows[0].DampingRatio, 0.1, 1e-4);
    }
}

TEST(MeasureLoops, PeakPointsResidualsAndFrames) {
    // Elastic-perfectly-plastic loop: P+ = Q+ = (4, 10) at index 1, P- = Q- = (-4, -10).
    // The force falls through zero on (4,10)-(2,-10) at D = 3 and rises through zero on
    // (-4,-10)-(-2,10) at D = -3.
    auto rows = MeasureLoops(Analysed(kClosedForms[0].record), PeakPointRule::Displacement);
    EXPECT_EQ(rows[0].PosPeakDisp.Index, 1);
    EXPECT_EQ(rows[0].NegPeakDisp.Index, 4);
    EXPECT_TRUE(Near(rows[0].ResidualPos, 3));
    EXPECT_TRUE(Near(rows[0].ResidualNeg, -3));

    // A flat top: by displacement the outer end wins; by force the largest force, of those
    // the largest displacement; points equal in both keep the first.
    rows = MeasureLoops(Analysed({{0, 0},
                                  {1, 5},
                                  {3, 5},
                                  {3, 5.5},
                                  {3, 5.5},
                                  {2, 5.5},
                                  {0, 0},
                                  {-2, -5},
                                  {-2, -5},
                                  {0, 0}}),
                        PeakPointRule::Force);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].PosPeakDisp.Index, 3);
    EXPECT_EQ(rows[0].PosPeakForce.Index, 3);
    EXPECT_EQ(rows[0].NegPeakDisp.Index, 6);
    EXPECT_EQ(rows[0].NegPeakForce.Index, 6);
    // The force comes back to zero exactly on a sample, which counts (F[k-1] > 0 >= F[k]).
    EXPECT_EQ(rows[0].ResidualPos, 0.0);
    EXPECT_EQ(rows[0].ResidualNeg, 0.0);

    // The worked example of the loop analysis: loop 1 is complete, loop 2 (S = 4, T = 6,
    // E = 7, the last point) is not; energies by hand -0.375 ... and the running sum.
    rows = MeasureLoops(Analysed({{0, 0}, {2, 10}, {-1, -5}, {3, 12}, {3, 12}, {-2, -8}}),
                        PeakPointRule::Displacement);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].Complete);
    EXPECT_FALSE(rows[1].Complete);
    // Loop 1: (0,0) (2,10) (0,0) (-1,-5) (0,-0.75): 10 - 10 + 2.5 - 2.875.
    EXPECT_TRUE(Near(rows[0].Energy, -0.375));
    // Loop 2: (0,-0.75) (3,12) (0,0) (-2,-8): 16.875 - 18 + 8.
    EXPECT_TRUE(Near(rows[1].Energy, 6.875));
    EXPECT_TRUE(Near(rows[1].CumulativeEnergy, 6.5));
    EXPECT_EQ(rows[1].Loop, 2);
}

TEST(MeasureLoops, NullsWithoutElasticEnergyOrPeaksOnTheirSide) {
    // Forces all zero: the peaks lie on the displacement axis, off their quadrants, so
    // damping, dissipation coefficient and stiffness are null; no residual without a positive
    // (negative) peak force.
    auto rows = MeasureLoops(Analysed({{0, 0}, {1, 0}, {0, 0}, {-1, 0}, {0, 0}}),
                             PeakPointRule::Displacement);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Energy, 0);
    EXPECT_FALSE(rows[0].DampingRatio.has_value());
    EXPECT_FALSE(rows[0].DissipationCoefficient.has_value());
    EXPECT_FALSE(rows[0].SecantStiffness.has_value());
    EXPECT_TRUE(rows[0].PeaksOffQuadrant);
    EXPECT_FALSE(rows[0].ResidualPos.has_value());
    EXPECT_FALSE(rows[0].ResidualNeg.has_value());
    // Displacements all at the reference: off the quadrants as well.
    rows = MeasureLoops(Analysed({{0, 0}, {0, 1}, {0, 2}, {0, -1}}), PeakPointRule::Force);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(rows[0].SecantStiffness.has_value());
    EXPECT_FALSE(rows[0].DampingRatio.has_value());
    // Before any analysis there are no loops.
    EXPECT_TRUE(MeasureLoops(AnalysisState{}, PeakPointRule::Force).empty());
}

TEST(MeasureLoops, PeaksOffTheirQuadrantLeaveDampingAndStiffnessNull) {
    // After a fracture the force at the largest displacement is negative: P+ = (4, -1).
    // The energy stays; the elastic triangles mean nothing. By force the peaks (2, 8) and
    // (-3, -8) are in their quadrants.
    const Points record{{0, 5}, {2, 8}, {4, -1}, {0, -6}, {-3, -8}, {-1, 3}, {0, 5}};
    auto rows = MeasureLoops(Analysed(record), PeakPointRule::Displacement);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].PeaksOffQuadrant);
    EXPECT_TRUE(rows[0].Energy.has_value());
    EXPECT_FALSE(rows[0].DampingRatio.has_value());
    EXPECT_FALSE(rows[0].DissipationCoefficient.has_value());
    EXPECT_FALSE(rows[0].SecantStiffness.has_value());
    rows = MeasureLoops(Analysed(record), PeakPointRule::Force);
    EXPECT_FALSE(rows[0].PeaksOffQuadrant);
    EXPECT_TRUE(rows[0].DampingRatio.has_value());
    EXPECT_TRUE(Near(rows[0].SecantStiffness, 16.0 / 5));
    // A peak at zero force is off its quadrant too (D * F <= 0).
    rows = MeasureLoops(Analysed({{0, 5}, {4, 0}, {0, -5}, {-4, -5}, {0, 5}}),
                        PeakPointRule::Displacement);
    EXPECT_TRUE(rows[0].PeaksOffQuadrant);
    EXPECT_FALSE(rows[0].SecantStiffness.has_value());
}

TEST(MeasureLoops, ResidualScanRunsIntoTheNextHalfCycle) {
    // Loop 1: (0,0) (4,10) (0,0) (-4,-10) (0,-16/3). The force of the unloading from
    // (-4, -10) is still negative when the displacement passes 0 and ends the loop; it comes
    // through zero on (2,-3)-(3,5), at d = 2.375, in the next loop's first half-cycle.
    const auto rows = MeasureLoops(
        Analysed({{0, 0}, {4, 10}, {-4, -10}, {2, -3}, {3, 5}, {0, 1}, {-1, -2}, {0, 0}}),
        PeakPointRule::Displacement);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(Near(rows[0].ResidualNeg, 2.375));
    EXPECT_TRUE(Near(rows[0].ResidualPos, 0));
    // Loop 2's negative peak (-1, -2) lies in the last half-cycle: the scan runs to the last
    // sample, where the force reaches 0 at d = 0.
    EXPECT_TRUE(Near(rows[1].ResidualNeg, 0));
}

TEST(ResidualScanEnd, HalfCycleAfterThePeaksOrTheLastSample) {
    const std::vector<int32_t> starts{0, 4, 9, 15};
    const struct {
        int32_t peak;
        int32_t end;
    } cases[] = {{0, 9}, {3, 9}, {4, 15}, {8, 15}, {9, 20}, {15, 20}, {20, 20}};
    for (const auto& c : cases) EXPECT_EQ(ResidualScanEnd(starts, c.peak, 20), c.end) << c.peak;
}

}  // namespace
}  // namespace qlnx
