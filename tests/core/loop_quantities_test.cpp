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
                EXPECT_EQ(q.Amplitude, c.record[1].first == 1 ? 1 : 4);
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
    // Forces all zero: Es = 0 leaves damping and dissipation coefficient null; the stiffness
    // is 0; no residual without a positive (negative) peak force.
    auto rows = MeasureLoops(Analysed({{0, 0}, {1, 0}, {0, 0}, {-1, 0}, {0, 0}}),
                             PeakPointRule::Displacement);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Energy, 0);
    EXPECT_FALSE(rows[0].DampingRatio.has_value());
    EXPECT_FALSE(rows[0].DissipationCoefficient.has_value());
    EXPECT_EQ(rows[0].SecantStiffness, 0);
    EXPECT_FALSE(rows[0].ResidualPos.has_value());
    EXPECT_FALSE(rows[0].ResidualNeg.has_value());
    // Displacements all at the reference: the secant stiffness has no denominator.
    rows = MeasureLoops(Analysed({{0, 0}, {0, 1}, {0, 2}, {0, -1}}), PeakPointRule::Force);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(rows[0].SecantStiffness.has_value());
    EXPECT_FALSE(rows[0].DampingRatio.has_value());
    // Before any analysis there are no loops.
    EXPECT_TRUE(MeasureLoops(AnalysisState{}, PeakPointRule::Force).empty());
}

}  // namespace
}  // namespace qlnx
