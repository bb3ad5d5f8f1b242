// Fits on records made by each model with known parameters and 1 % force noise.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "../calibration_records.h"
#include "core/bouc_wen_model.h"
#include "core/bwbn_model.h"
#include "core/calibration_fit.h"
#include "core/saws_model.h"
#include "core/steel01_model.h"
#include "core/steel02_model.h"

namespace qlnx {
namespace {

const std::vector<double>& History() {
    static const std::vector<double> u = test::CyclicHistory(30, 1200);
    return u;
}

// A shorter one for the integrated models.
const std::vector<double>& ShortHistory() {
    static const std::vector<double> u = test::CyclicHistory(30, 500);
    return u;
}

double Value(const CalibrationResult& r, std::string_view name) {
    for (const NamedValue& v : r.OpenSees) {
        if (v.Name == name) return v.Value;
    }
    ADD_FAILURE() << name;
    return 0;
}

TEST(CalibrationFitTest, BilinearRecordGivesSteel01ItsParametersToTheNoise) {
    const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.03}), History(), 0.01);
    const CalibrationResult r = FitModel(CalibrationModel::Steel01, History(), f, {});
    EXPECT_LE(r.NRMSE, 0.012);
    EXPECT_NEAR(Value(r, "Fy"), 10, 0.2);
    EXPECT_NEAR(Value(r, "E0"), 5, 0.1);
    EXPECT_NEAR(Value(r, "b"), 0.03, 0.03 * 0.02);
    EXPECT_NEAR(r.EnergyRatio, 1, 0.02);
    EXPECT_FALSE(r.Cancelled);
    EXPECT_EQ(r.ModelForce.size(), History().size());
}

struct ModelCase {
    CalibrationModel Model;
    std::vector<double> Force;
    CalibrationSettings Settings;
};

TEST(CalibrationFitTest, EachModelFitsItsOwnRecord) {
    const std::vector<double>& u = History();
    CalibrationSettings quick;
    quick.BudgetScale = 0.5;
    CalibrationSettings filtered = quick;
    filtered.Prefilter = true;
    const ModelCase cases[] = {
        {CalibrationModel::Steel02,
         test::ModelRecord(Steel02Model({10, 5, 0.03, 18, 0.9, 0.15}), u, 0.01), filtered},
        {CalibrationModel::BoucWen,
         test::ModelRecord(BoucWenModel(test::BoucWenSpecimen(), 0.15), ShortHistory(), 0.01),
         quick},
        {CalibrationModel::Bwbn,
         test::ModelRecord(BwbnModel(test::PinchedSpecimen(), 0.15), ShortHistory(), 0.01), quick},
        {CalibrationModel::Saws,
         test::ModelRecord(SawsModel({10, 1.5, 20, 5, 0.05, -0.1, 1.1, 0.04, 0.7, 1.1}), u, 0.01),
         filtered},
    };
    for (const ModelCase& c : cases) {
        const std::vector<double>& x = c.Force.size() == u.size() ? u : ShortHistory();
        const CalibrationResult r = FitModel(c.Model, x, c.Force, c.Settings);
        const std::string_view name = CalibrationModelRowOf(c.Model).BatchName;
        EXPECT_LE(r.NRMSE, 0.02) << name;
        EXPECT_NEAR(r.EnergyRatio, 1, 0.05) << name;
        EXPECT_EQ(r.Sensitivity.size(), r.Parameters.size()) << name;
        if (CalibrationModelRowOf(c.Model).StepAdvice) {
            EXPECT_GE(r.AccuracyChange, 0) << name;
            EXPECT_GT(r.StepAdvice, 0) << name;
        }
    }
}

TEST(CalibrationFitTest, PinchedRecordFitsBwbnBetterThanBoucWen) {
    const std::vector<double>& u = ShortHistory();
    const std::vector<double> f =
        test::ModelRecord(BwbnModel(test::PinchedSpecimen(), 0.15), u, 0.01);
    CalibrationSettings settings;
    settings.BudgetScale = 0.5;
    const CalibrationResult bw = FitModel(CalibrationModel::BoucWen, u, f, settings);
    const CalibrationResult bwbn = FitModel(CalibrationModel::Bwbn, u, f, settings);
    EXPECT_LT(bwbn.NRMSE, 0.7 * bw.NRMSE);
}

TEST(CalibrationFitTest, TheSameFitTwiceGivesTheSameBits) {
    const std::vector<double> f =
        test::ModelRecord(Steel02Model({10, 5, 0.03, 18, 0.9, 0.15}), History(), 0.01);
    CalibrationSettings settings;
    settings.BudgetScale = 0.2;
    settings.Seed = 42;
    const CalibrationResult a = FitModel(CalibrationModel::Steel02, History(), f, settings);
    const CalibrationResult b = FitModel(CalibrationModel::Steel02, History(), f, settings);
    EXPECT_EQ(a.Theta, b.Theta);
    EXPECT_EQ(a.ModelForce, b.ModelForce);
    EXPECT_EQ(a.NRMSE, b.NRMSE);
    EXPECT_EQ(a.Evaluations, b.Evaluations);
    settings.Seed = 43;
    const CalibrationResult c = FitModel(CalibrationModel::Steel02, History(), f, settings);
    EXPECT_NE(a.Theta, c.Theta);
}

// Evaluations of the global search and of the sensitivity check stop as soon as their outcome
// is decided; the fit must come out the same, bit for bit, as when every run goes to the end.
TEST(CalibrationFitTest, StoppingHopelessRunsEarlyChangesNoBit) {
    const std::vector<double>& u = History();
    CalibrationSettings quick;
    quick.BudgetScale = 0.25;
    CalibrationSettings pinched = quick;
    pinched.EnergyWeight = 0.25;
    pinched.ArcLengthWeights = true;
    const ModelCase cases[] = {
        {CalibrationModel::Steel01, test::ModelRecord(Steel01Model({10, 5, 0.03}), u, 0.01), {}},
        {CalibrationModel::Steel02,
         test::ModelRecord(Steel02Model({10, 5, 0.03, 18, 0.9, 0.15}), u, 0.01), quick},
        {CalibrationModel::BoucWen,
         test::ModelRecord(BoucWenModel(test::BoucWenSpecimen(), 0.15), u, 0.01), quick},
        {CalibrationModel::Bwbn,
         test::ModelRecord(BwbnModel(test::PinchedSpecimen(), 0.15), u, 0.01), quick},
        {CalibrationModel::Bwbn,
         test::ModelRecord(BwbnModel(test::PinchedSpecimen(), 0.15), u, 0.01), pinched},
        {CalibrationModel::Saws,
         test::ModelRecord(SawsModel({10, 1.5, 20, 5, 0.05, -0.1, 1.1, 0.04, 0.7, 1.1}), u, 0.01),
         quick},
    };
    for (const ModelCase& c : cases) {
        CalibrationSettings full = c.Settings;
        full.StopEarly = false;
        const CalibrationResult a = FitModel(c.Model, u, c.Force, c.Settings);
        const CalibrationResult b = FitModel(c.Model, u, c.Force, full);
        const std::string_view name = CalibrationModelRowOf(c.Model).BatchName;
        EXPECT_GT(a.StoppedEarly, 0u) << name;
        EXPECT_GT(a.StoppedAtFraction, 0) << name;
        EXPECT_LT(a.StoppedAtFraction, 1) << name;
        EXPECT_EQ(b.StoppedEarly, 0u) << name;
        EXPECT_EQ(a.Theta, b.Theta) << name;
        EXPECT_EQ(a.NRMSE, b.NRMSE) << name;
        EXPECT_EQ(a.Objective, b.Objective) << name;
        EXPECT_EQ(a.EnergyRatio, b.EnergyRatio) << name;
        EXPECT_EQ(a.AccuracyChange, b.AccuracyChange) << name;
        EXPECT_EQ(a.ModelForce, b.ModelForce) << name;
        EXPECT_EQ(a.Evaluations, b.Evaluations) << name;
        ASSERT_EQ(a.Sensitivity.size(), b.Sensitivity.size()) << name;
        for (size_t j = 0; j < a.Sensitivity.size(); ++j) {
            EXPECT_EQ(a.Sensitivity[j].RelativeChange, b.Sensitivity[j].RelativeChange) << name;
            EXPECT_EQ(a.Sensitivity[j].AtBound, b.Sensitivity[j].AtBound) << name;
            EXPECT_EQ(a.Sensitivity[j].Undetermined, b.Sensitivity[j].Undetermined) << name;
        }
    }
}

TEST(CalibrationFitTest, CancelStopsWithTheBestSetSoFar) {
    const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.03}), History(), 0.01);
    int calls = 0;
    const CalibrationResult r =
        FitModel(CalibrationModel::Steel01, History(), f, {}, [&](double) { return ++calls < 3; });
    EXPECT_TRUE(r.Cancelled);
    EXPECT_LT(r.Evaluations, 100u);
    EXPECT_EQ(r.Theta.size(), 3u);
    EXPECT_LT(r.NRMSE, 1.0);
}

TEST(CalibrationFitTest, RecordsThatCannotBeFittedAreRefused) {
    const std::vector<double> two{0, 1};
    EXPECT_THROW(FitModel(CalibrationModel::Steel01, two, two, {}), std::invalid_argument);
    const std::vector<double> u{0, 1, 2};
    const std::vector<double> zero{0, 0, 0};
    EXPECT_THROW(FitModel(CalibrationModel::Steel01, u, zero, {}), std::invalid_argument);
    const std::vector<double> nan{0, std::nan(""), 1};
    EXPECT_THROW(FitModel(CalibrationModel::Steel01, u, nan, {}), std::invalid_argument);
}

TEST(CalibrationFitTest, UndeterminedParametersAreMarked) {
    // An elastic-perfectly-plastic record: a hardening ratio at its bound 0.
    const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.0}), History(), 0.0);
    const CalibrationResult r = FitModel(CalibrationModel::Steel01, History(), f, {});
    EXPECT_TRUE(r.Sensitivity[2].Undetermined);
    EXPECT_TRUE(r.Sensitivity[2].AtBound);
    EXPECT_FALSE(r.Sensitivity[0].Undetermined);
    EXPECT_FALSE(r.Sensitivity[1].Undetermined);
    EXPECT_GT(r.Sensitivity[1].RelativeChange, 0);
}

}  // namespace
}  // namespace qlnx
