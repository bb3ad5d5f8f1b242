// The five hysteretic models against their closed forms and their defining properties.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../calibration_records.h"
#include "core/bouc_wen_model.h"
#include "core/bwbn_model.h"
#include "core/calibration_models.h"
#include "core/calibration_record.h"
#include "core/saws_model.h"
#include "core/steel01_model.h"
#include "core/steel02_model.h"

namespace qlnx {
namespace {

TEST(Steel01ModelTest, ElasticYieldHardeningAndElasticUnloading) {
    // Fy 10, E0 100, b 0.1: bounds 10u +- 9; yield at u = 0.1.
    Steel01Model m({10, 100, 0.1});
    struct Case {
        double u, f;
    } cases[] = {{0.05, 5}, {0.1, 10}, {0.3, 12}, {0.2, 2}, {0.0, -9}, {-0.1, -10}, {0.3, 12}};
    for (const Case& c : cases) EXPECT_NEAR(m.Step(c.u), c.f, 1e-12) << c.u;
}

TEST(Steel02ModelTest, VirginBranchIsTheMenegottoPintoCurve) {
    const Steel02Parameters p{10, 100, 0.02, 20, 0.925, 0.15};
    Steel02Model m(p);
    for (int k = 1; k <= 40; ++k) {
        const double u = 0.01 * k;
        const double e = u / 0.1;
        const double expected =
            10 * (0.02 * e + 0.98 * e / std::pow(1 + std::pow(e, 20.0), 1 / 20.0));
        EXPECT_NEAR(m.Step(u), expected, 1e-12) << u;
    }
}

TEST(Steel02ModelTest, ApproachesSteel01AsTheCurvatureGrows) {
    const std::vector<double> u = test::CyclicHistory(0.6, 3000);
    Steel01Model bilinear({10, 100, 0.05});
    Steel02Model sharp({10, 100, 0.05, 2000, 0.0, 0.15});
    double worst = 0;
    for (double x : u) worst = std::max(worst, std::abs(bilinear.Step(x) - sharp.Step(x)));
    EXPECT_LT(worst, 0.01 * 10);
}

TEST(BoucWenModelTest, MonotonicLoadingFollowsTheClosedForms) {
    // alpha 0, so F = ko z; A0 1, no degradation; c = beta + gamma.
    for (const double n : {1.0, 2.0}) {
        BoucWenParameters p;
        p.ko = 3;
        p.n = n;
        p.beta = 0.7;
        p.gamma = 0.5;
        const double c = p.beta + p.gamma;
        const double zu = std::pow(1 / c, 1 / n);
        BoucWenModel m(p, 100.0);
        for (int k = 1; k <= 30; ++k) {
            const double u = 0.2 * k;
            const double z =
                n == 1 ? (1 - std::exp(-c * u)) / c : std::tanh(std::sqrt(c) * u) / std::sqrt(c);
            EXPECT_NEAR(m.Step(u) / p.ko, z, 1e-6 * zu) << "n " << n << " u " << u;
        }
    }
}

TEST(BoucWenModelTest, EqualBetaAndGammaUnloadAtUnitSlope) {
    BoucWenParameters p;
    p.ko = 1;
    p.n = 2;
    p.beta = 0.5;
    p.gamma = 0.5;
    BoucWenModel m(p, 0.01);
    const double zp = m.Step(3.0);
    EXPECT_NEAR(m.Step(2.7), zp - 0.3, 1e-12);
    EXPECT_NEAR(m.Step(2.4), zp - 0.6, 1e-12);
}

TEST(BoucWenModelTest, DegradationOutsideItsDomainFails) {
    BoucWenParameters p;
    p.ko = 1;
    p.n = 1;
    p.beta = 0.5;
    p.gamma = 0.5;
    p.deltaA = 10;  // A = 1 - 10 e turns negative after a little work
    BoucWenModel m(p, 0.05);
    for (int cycle = 0; cycle < 20 && !m.Failed(); ++cycle) {
        m.Step(2.0);
        m.Step(-2.0);
    }
    EXPECT_TRUE(m.Failed());
}

TEST(BwbnModelTest, WithoutPinchingItIsBoucWen) {
    BoucWenParameters bw;
    bw.alpha = 0.05;
    bw.ko = 10;
    bw.n = 2;
    bw.beta = 0.6;
    bw.gamma = 0.4;
    BwbnParameters bn;
    bn.alpha = bw.alpha;
    bn.ko = bw.ko;
    bn.n = bw.n;
    bn.beta = bw.beta;
    bn.gamma = bw.gamma;
    bn.zetas = 0;
    bn.Shi = 0.2;
    bn.lambda = 0.5;
    const std::vector<double> u = test::CyclicHistory(4, 800);
    BoucWenModel a(bw, 0.02);
    BwbnModel b(bn, 0.02);
    double worst = 0;
    for (double x : u) worst = std::max(worst, std::abs(a.Step(x) - b.Step(x)));
    EXPECT_LT(worst, 1e-6);
}

TEST(BwbnModelTest, PinchingLowersTheForceNearZeroDisplacement) {
    BwbnParameters p;
    p.alpha = 0.05;
    p.ko = 10;
    p.n = 2;
    p.beta = 0.6;
    p.gamma = 0.4;
    p.Shi = 0.3;
    p.lambda = 0.5;
    p.q = 0.1;
    BwbnParameters pinched = p;
    pinched.zetas = 0.9;
    pinched.p = 0.5;
    const std::vector<double> u = test::CyclicHistory(4, 2000);
    BwbnModel plain(p, 0.02);
    BwbnModel pin(pinched, 0.02);
    // Loop area: the work over the whole history.
    double workPlain = 0, workPinched = 0, prev = 0, fPlain = 0, fPin = 0;
    for (double x : u) {
        const double a = plain.Step(x);
        const double b = pin.Step(x);
        workPlain += 0.5 * (a + fPlain) * (x - prev);
        workPinched += 0.5 * (b + fPin) * (x - prev);
        prev = x;
        fPlain = a;
        fPin = b;
    }
    EXPECT_LT(workPinched, 0.8 * workPlain);
}

const SawsParameters kSaws{10, 1.5, 2.0, 20, 0.05, -0.1, 1.1, 0.04, 0.7, 1.1};

TEST(SawsModelTest, MonotonicLoadingFollowsTheEnvelope) {
    // Past the peak (DU 2) and past zero force.
    for (const double sign : {1.0, -1.0}) {
        SawsModel m(kSaws);
        for (int k = 1; k <= 140; ++k) {
            const double u = sign * 0.1 * k;
            EXPECT_EQ(m.Step(u), SawsEnvelope(kSaws, u)) << u;
        }
    }
    EXPECT_EQ(SawsEnvelope(kSaws, 20.0), 0.0);
    const double fu = (10 + 0.05 * 20 * 2) * (1 - std::exp(-20 * 2.0 / 10));
    EXPECT_DOUBLE_EQ(SawsEnvelope(kSaws, 2.0), fu);
    EXPECT_DOUBLE_EQ(SawsEnvelope(kSaws, 3.0), fu - 0.1 * 20);
}

TEST(SawsModelTest, UnloadingRunsIntoThePinchingLine) {
    SawsModel m(kSaws);
    const double fPeak = m.Step(1.5);
    // Elastic unloading at R3 S0 = 22 from the peak.
    EXPECT_NEAR(m.Step(1.4), fPeak - 2.2, 1e-12);
    // Far enough down, the force is on the pinching line -FI + R4 S0 u.
    EXPECT_NEAR(m.Step(0.0), -1.5, 1e-12);
    EXPECT_NEAR(m.Step(-0.05), -1.5 - 0.8 * 0.05, 1e-12);
    // No excursion to the negative side yet: the reloading line is S0 u through the origin; it
    // overtakes the pinching line at u = -1.5/19.2 and lies beyond the envelope, which the
    // path then follows as on first loading.
    EXPECT_EQ(m.Step(-0.2), SawsEnvelope(kSaws, -0.2));
}

TEST(SawsModelTest, SmallUnloadReloadReturnsToTheEnvelopePoint) {
    SawsModel m(kSaws);
    const double fPeak = m.Step(1.0);
    m.Step(0.95);
    EXPECT_NEAR(m.Step(1.0), fPeak, 1e-9);
    EXPECT_NEAR(m.Step(1.2), SawsEnvelope(kSaws, 1.2), 1e-9);
}

TEST(SawsModelTest, ReloadingMeetsTheEnvelopeAtTheTargetOrBefore) {
    // After a full cycle to +-1.5 the reload towards + is degraded: below the envelope at 1.5,
    // back on it by beta * 1.5.
    SawsModel m(kSaws);
    m.Step(1.5);
    m.Step(-1.5);
    EXPECT_LT(m.Step(1.5), SawsEnvelope(kSaws, 1.5));
    EXPECT_NEAR(m.Step(1.1 * 1.5), SawsEnvelope(kSaws, 1.1 * 1.5), 1e-9);
}

TEST(SawsModelTest, ASingleLargeStepEqualsManySmallOnes) {
    SawsModel coarse(kSaws);
    SawsModel fine(kSaws);
    const double targets[] = {1.5, -1.5, 1.8};
    double prev = 0;
    for (double t : targets) {
        for (int k = 1; k <= 100; ++k) fine.Step(prev + (t - prev) * k / 100);
        prev = t;
        EXPECT_NEAR(coarse.Step(t), fine.Step(t), 1e-9) << t;
    }
}

// Every row of the table, at its start on a record of its own scale, twice: the same bits.
TEST(CalibrationModelsTest, EveryModelRunsAndRepeatsBitwise) {
    const std::vector<double> u = test::CyclicHistory(30, 1500);
    const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.03}), u, 0.0);
    const RecordScales scales = ComputeRecordScales(u, f);
    for (const CalibrationModelRow& row : CalibrationModels()) {
        std::vector<std::string> warnings;
        std::vector<double> theta;
        for (const FitParameter& p : row.Parameters(scales, warnings)) theta.push_back(p.Start);
        std::vector<double> a(u.size()), b(u.size());
        ASSERT_EQ(row.Run(theta, scales, u, a, 1.0, {}), u.size()) << row.BatchName;
        ASSERT_EQ(row.Run(theta, scales, u, b, 1.0, {}), u.size()) << row.BatchName;
        EXPECT_EQ(a, b) << row.BatchName;
        EXPECT_EQ(CalibrationModelOfName(row.BatchName), &row);
    }
    EXPECT_EQ(CalibrationModelOfName("steel03"), nullptr);
}

TEST(CalibrationRecordTest, ScalesOfABilinearRecord) {
    const std::vector<double> u = test::CyclicHistory(30, 1500);
    const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.03}), u, 0.0);
    const RecordScales s = ComputeRecordScales(u, f);
    EXPECT_DOUBLE_EQ(s.Ubar, 30);
    EXPECT_NEAR(s.Fbar, 0.97 * 10 + 0.03 * 5 * 30, 1e-9);
    EXPECT_NEAR(s.Kbar, 5, 1e-9);  // elastic up to 40 % of the peak
    EXPECT_GE(s.Ebar, s.Fbar * s.Ubar);
}

TEST(CalibrationRecordTest, ReversalFilterDropsOnlySmallReversals) {
    const std::vector<double> u{0, 1, 2, 1.9995, 2.0005, 3, 2, 1, 1.0002, 0, 0, 1};
    // Threshold 0.01: the wiggles at 2 and 1 go, the real turns at 3 and 0 stay.
    EXPECT_EQ(ReversalFilter(u, 0.01), (std::vector<size_t>{0, 1, 2, 4, 5, 6, 7, 9, 10, 11}));
    EXPECT_EQ(ReversalFilter(u, 0.0001).size(), u.size());
}

}  // namespace
}  // namespace qlnx
