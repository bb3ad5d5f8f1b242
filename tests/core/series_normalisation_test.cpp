// The scales of a test series (peak, yield, drift) and the specimens evaluated side by side.
#include "core/series_normalisation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../file_bytes.h"
#include "core/project_file.h"
#include "core/record_hash.h"
#include "core/series_evaluation.h"

namespace qlnx {
namespace {

BranchEvaluation Branch(double peakDisp, double peakForce, double yieldDisp, double yieldForce) {
    BranchEvaluation b;
    b.Peak = {peakDisp, peakForce};
    YieldPoint y;
    y.Disp = yieldDisp;
    y.Force = yieldForce;
    b.Yield[static_cast<size_t>(YieldMethod::EEEP)] = y;
    return b;
}

TEST(SeriesNormalisation, EachSideByItsReferencePoint) {
    TestEvaluation both;
    both.Skeleton.Positive = Branch(8, 40, 2, 35);
    both.Skeleton.Negative = Branch(-10, -50, -4, -45);
    TestEvaluation positiveOnly;
    positiveOnly.Skeleton.Positive = both.Skeleton.Positive;
    TestEvaluation none;
    const struct {
        const char* Name;
        const TestEvaluation* Evaluation;
        std::optional<double> Height;
        SeriesScale Scale;
        std::optional<SpecimenScale> Expected;
        const char* Why;
    } cases[] = {
        {"none", &none, {}, SeriesScale::None, SpecimenScale{}, ""},
        {"peak", &both, {}, SeriesScale::Peak, SpecimenScale{{8, 10}, {40, 50}}, ""},
        {"yield", &both, {}, SeriesScale::Yield, SpecimenScale{{2, 4}, {35, 45}}, ""},
        // A side without its point takes the other side's.
        {"one side", &positiveOnly, {}, SeriesScale::Peak, SpecimenScale{{8, 8}, {40, 40}}, ""},
        {"no skeleton", &none, {}, SeriesScale::Peak, {}, "its skeleton curve has no peak point"},
        {"no yield point",
         &none,
         {},
         SeriesScale::Yield,
         {},
         "its skeleton curve has no EEEP yield point"},
        {"drift", &none, 2500.0, SeriesScale::Drift, SpecimenScale{{2500, 2500}, {1, 1}, 100}, ""},
        {"no height", &both, {}, SeriesScale::Drift, {}, "no height is given for drift"},
        {"zero height", &both, 0.0, SeriesScale::Drift, {}, "no height is given for drift"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string why;
        const auto scale = ScaleOf(*c.Evaluation, c.Height, c.Scale, YieldMethod::EEEP, why);
        ASSERT_EQ(scale.has_value(), c.Expected.has_value());
        EXPECT_EQ(why, c.Why);
        if (!scale) continue;
        EXPECT_EQ(scale->Disp, c.Expected->Disp);
        EXPECT_EQ(scale->Force, c.Expected->Force);
        EXPECT_EQ(scale->DispTimes, c.Expected->DispTimes);
    }
    // Drift in % of the height (1600 mm): 40 mm is 2.5 %, forces as measured.
    {
        std::string why;
        const auto drift = ScaleOf(none, 1600.0, SeriesScale::Drift, YieldMethod::EEEP, why);
        ASSERT_TRUE(drift.has_value());
        std::vector<double> x, y;
        ScalePoints(*drift, {40, -8, 4, -12}, {7, -3, 0, 2}, x, y);
        EXPECT_EQ(x, (std::vector<double>{2.5, -0.5, 0.25, -0.75}));
        EXPECT_EQ(y, (std::vector<double>{7, -3, 0, 2}));
    }
    // Points keep their signs: each quadrant by its own side's divisors.
    const SpecimenScale s{{8, 10}, {40, 50}};
    std::vector<double> x, y;
    ScalePoints(s, {8, -10, 4, -5, 0}, {40, -50, -25, 20, 0}, x, y);
    EXPECT_EQ(x, (std::vector<double>{1, -1, 0.5, -0.5, 0}));
    EXPECT_EQ(y, (std::vector<double>{1, -1, -0.5, 0.5, 0}));
}

TEST(SeriesEvaluation, TheSameOnOneThreadAndOnSeveral) {
    const std::filesystem::path folder = test::MakeTempFolder("qlnx-series-evaluation");
    ASSERT_FALSE(folder.empty());
    std::vector<Specimen> specimens;
    for (int k = 0; k < 5; ++k) {
        const std::filesystem::path record = folder / ("s" + std::to_string(k) + ".csv");
        {
            std::ofstream out(record);
            out.precision(10);
            for (int i = 0; i < 3000; ++i) {
                const double t = i / 3000.0;
                const double d = (1 + 9 * t) * std::sin(2 * M_PI * 8 * t);
                out << d << ',' << (20 + k) * std::tanh(d / 3) << '\n';
            }
        }
        Specimen s;
        s.Name = "S" + std::to_string(k);
        s.Group = k < 3 ? "A" : "B";
        s.RecordPath = record.string();
        s.RecordSha256 = FileSha256(s.RecordPath);
        s.Skeleton.Method = SkeletonMethod::EnvelopeToMaxForce;
        specimens.push_back(s);
    }
    // A record changed since it was added is left out, with the reason.
    specimens[3].RecordSha256 = std::string(64, '0');
    const SeriesEvaluation one = EvaluateSpecimens(specimens, {}, 1);
    std::vector<double> fractions;
    const SeriesEvaluation two = EvaluateSpecimens(
        specimens,
        [&fractions](double f) {
            fractions.push_back(f);
            return true;
        },
        2);
    ASSERT_EQ(one.Specimens.size(), 4u);
    ASSERT_EQ(two.Specimens.size(), 4u);
    EXPECT_EQ(one.Messages, two.Messages);
    ASSERT_EQ(one.Messages.size(), 1u);
    EXPECT_EQ(one.Messages[0], RecordStateText(specimens[3], RecordState::Changed));
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(one.Specimens[i].Member.Name, two.Specimens[i].Member.Name);
        EXPECT_EQ(one.Specimens[i].CurveDisp, two.Specimens[i].CurveDisp);
        EXPECT_EQ(one.Specimens[i].CurveForce, two.Specimens[i].CurveForce);
        EXPECT_EQ(one.Specimens[i].Member.Positive.Y, two.Specimens[i].Member.Positive.Y);
    }
    EXPECT_EQ(SeriesCsvText(MakeSeriesGroups(MembersOf(one), YieldMethod::EEEP)),
              SeriesCsvText(MakeSeriesGroups(MembersOf(two), YieldMethod::EEEP)));
    ASSERT_FALSE(fractions.empty());
    EXPECT_EQ(fractions.back(), 1.0);
    // Asked to stop, it gives nothing.
    const SeriesEvaluation stopped = EvaluateSpecimens(
        specimens, [](double) { return false; }, 2);
    EXPECT_TRUE(stopped.Stopped);
    EXPECT_TRUE(stopped.Specimens.empty());
    test::RemoveTempFolder(folder);
}

}  // namespace
}  // namespace qlnx
