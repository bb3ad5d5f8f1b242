// Range and tolerance thinning of the skeleton curves.
#include "core/thinning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/errors.h"
#include "core/number_text.h"
#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::Points;
using testing::PointsOf;

// Forces are the point's position, so a wrong pairing of forces shows.
CurvePoints Curve(const std::vector<double>& xs) {
    CurvePoints c;
    c.X = xs;
    for (size_t i = 0; i < xs.size(); ++i) c.Y.push_back(static_cast<double>(i));
    return c;
}

TEST(ThinCurveByRange, TableOfCurves) {
    const struct {
        std::string name;
        std::vector<double> xs;
        double lo, hi, tol;
        std::vector<double> keptX;
        std::vector<double> keptY;
        // clang-format off
    } cases[] = {
        {"12 is 2 from 10, 15 is 5 from 10", {0, 5, 10, 12, 15, 30, 40}, 8, 35, 4,
         {0, 5, 10, 15, 30, 40}, {0, 1, 2, 4, 5, 6}},
        {"positive range leaves a negative curve", {0, -5, -10, -12}, 8, 35, 4,
         {0, -5, -10, -12}, {0, 1, 2, 3}},
        {"negative range", {0, -5, -10, -12}, -35, -8, 4, {0, -5, -10}, {0, 1, 2}},
        {"points at lo and hi are outside", {0, 8, 9, 35, 34}, 8, 35, 4, {0, 8, 35},
         {0, 1, 3}},
        {"measured from the last kept point", {10, 13, 16, 17}, 0, 100, 4, {10, 16},
         {0, 2}},
        {"tolerance 0 removes only repeats", {0, 10, 10, 11, 11}, 5, 20, 0, {0, 10, 11},
         {0, 1, 3}},
        {"first point inside stays once", {10, 12, 15}, 5, 20, 4, {10, 15}, {0, 2}},
        {"zero-width range", {0, 1, 1, 2}, 1, 1, 5, {0, 1, 1, 2}, {0, 1, 2, 3}},
        {"empty curve", {}, 0, 1, 1, {}, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CurvePoints kept = ThinCurveByRange(Curve(c.xs), c.lo, c.hi, c.tol);
        EXPECT_EQ(kept.X, c.keptX);
        EXPECT_EQ(kept.Y, c.keptY);
    }
}

class ThinSkeletonCurvesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDecimalSeparator('.');
        Fill(state.PositiveSkeletonSeries(), {0, 5, 10, 12, 15, 30, 40});
        Fill(state.NegativeSkeletonSeries(), {0, -5, -10, -12});
    }
    static void Fill(ChartSeries& s, const std::vector<double>& xs) {
        for (const double x : xs) s.AddXY(x, 2 * x);
    }
    static std::vector<double> Xs(const ChartSeries& s) { return s.XValues(); }

    AnalysisState state;
};

// The peak is the first point of largest force (smallest on the negative branch); only its
// removal counts, not that of an equal force further on.
TEST(ThinningRemovedPeak, TableOfBranches) {
    const CurvePoints positive{{0, 1, 2, 3}, {0, 10, 12, 12}};
    const CurvePoints negative{{0, -1, -2}, {0, -12, -5}};
    const struct {
        const CurvePoints& before;
        CurvePoints after;
        bool positive;
        bool removed;
    } cases[] = {
        {positive, {{0, 1, 2, 3}, {0, 10, 12, 12}}, true, false},
        {positive, {{0, 1, 3}, {0, 10, 12}}, true, true},  // the first 12 went, the second stays
        {positive, {{0, 2}, {0, 12}}, true, false},
        {negative, {{0, -2}, {0, -5}}, false, true},
        {negative, {{0, -1}, {0, -12}}, false, false},
        {CurvePoints{}, {}, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThinningRemovedPeak(c.before, c.after, c.positive), c.removed) << &c - cases;
}

TEST_F(ThinSkeletonCurvesTest, ThinsBothCurvesWithOneRange) {
    ThinSkeletonCurves(state, " 8 ", "35\t", "4");
    EXPECT_EQ(Xs(state.PositiveSkeletonSeries()), (std::vector<double>{0, 5, 10, 15, 30, 40}));
    EXPECT_EQ(Xs(state.NegativeSkeletonSeries()), (std::vector<double>{0, -5, -10, -12}));
    EXPECT_EQ(state.PositiveSkeletonSeries().GetyValue(3), 30);
    // The same boxes again change nothing further.
    ThinSkeletonCurves(state, "8", "35", "4");
    EXPECT_EQ(Xs(state.PositiveSkeletonSeries()), (std::vector<double>{0, 5, 10, 15, 30, 40}));

    ThinSkeletonCurves(state, "-8", "-35", "-4");
    EXPECT_EQ(Xs(state.NegativeSkeletonSeries()), (std::vector<double>{0, -5, -10}));
}

TEST_F(ThinSkeletonCurvesTest, RangeEndsInEitherOrderAndTheToleranceSign) {
    AnalysisState other = state;
    ThinSkeletonCurves(state, "50", "10", "-4");
    ThinSkeletonCurves(other, "10", "50", "4");
    EXPECT_EQ(PointsOf(state.PositiveSkeletonSeries()), PointsOf(other.PositiveSkeletonSeries()));
    EXPECT_EQ(Xs(state.PositiveSkeletonSeries()), (std::vector<double>{0, 5, 10, 15, 30, 40}));
}

TEST_F(ThinSkeletonCurvesTest, InitialRangeKeepsEveryPoint) {
    const Points positive = PointsOf(state.PositiveSkeletonSeries());
    const Points negative = PointsOf(state.NegativeSkeletonSeries());
    ThinSkeletonCurves(state, "0", "0", "100");
    EXPECT_EQ(PointsOf(state.PositiveSkeletonSeries()), positive);
    EXPECT_EQ(PointsOf(state.NegativeSkeletonSeries()), negative);
}

TEST_F(ThinSkeletonCurvesTest, ABadBoxChangesNothing) {
    const struct {
        const char* range1;
        const char* range2;
        const char* tolerance;
        const char* message;
    } cases[] = {
        {"0", "0", "", "'' is not a valid floating point value"},
        {"8", "35", " \t ", "'' is not a valid floating point value"},
        {" abc ", "35", "4", "'abc' is not a valid floating point value"},
        {"8", "\t1,5 ", "4", "'1,5' is not a valid floating point value"},
        {"8", "35", " 4 mm", "'4 mm' is not a valid floating point value"},
    };
    const Points positive = PointsOf(state.PositiveSkeletonSeries());
    const Points negative = PointsOf(state.NegativeSkeletonSeries());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            ThinSkeletonCurves(state, c.range1, c.range2, c.tolerance);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(PointsOf(state.PositiveSkeletonSeries()), positive);
        EXPECT_EQ(PointsOf(state.NegativeSkeletonSeries()), negative);
    }
}

TEST_F(ThinSkeletonCurvesTest, AnEmptyCurveEndsTheCommand) {
    // No positive curve: the negative one is left alone too.
    state.PositiveSkeletonSeries().Clear();
    ThinSkeletonCurves(state, "-35", "-8", "4");
    EXPECT_EQ(Xs(state.NegativeSkeletonSeries()), (std::vector<double>{0, -5, -10, -12}));

    // No negative curve: the positive one is still thinned.
    Fill(state.PositiveSkeletonSeries(), {0, 5, 10, 12, 15});
    state.NegativeSkeletonSeries().Clear();
    ThinSkeletonCurves(state, "8", "35", "4");
    EXPECT_EQ(Xs(state.PositiveSkeletonSeries()), (std::vector<double>{0, 5, 10, 15}));
    EXPECT_EQ(state.NegativeSkeletonSeries().Count(), 0);
}

}  // namespace
}  // namespace qlnx
