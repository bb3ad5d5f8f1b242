// The plainly written references of the loop analysis, the six skeleton methods and the
// thinning (fuzz/reference_analysis.h): first held against the worked examples, so that they
// read the rules right, then the program held against them on seeded random records, both
// loop directions, with and without the outward test.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../../fuzz/reference_analysis.h"
#include "core/analysis_state.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"
#include "core/thinning.h"

namespace qlnx {
namespace {

namespace ref = reference;
using Values = std::vector<double>;

// The working curve of the worked example of the skeleton methods (its loops: S 0, T 4, E 8
// and S 8, T 13, E 17).
const Values kExampleD = {0, 1, 2, 1, 0, -1, -2, -1, 0, 2, 3, 4, 1, 0, -3, -4, -1, 0};
const Values kExampleF = {0, 10, 15, 5, -2, -10, -14, -4, 3, 16, 20, 18, 6, -3, -18, -17, -5, 2};

TEST(SkeletonReference, WorkedExampleOfTheSixMethods) {
    const auto loops = ref::AnalyzeLoops(kExampleD, kExampleF);
    ASSERT_TRUE(loops);
    EXPECT_EQ(loops->D, kExampleD);
    EXPECT_EQ(loops->Start, (std::vector<int32_t>{0, 4, 8, 13, 17}));
    EXPECT_EQ(loops->Count, 2);
    EXPECT_EQ(loops->Index1, (std::vector<int32_t>{2, 11}));
    EXPECT_EQ(loops->Index2, (std::vector<int32_t>{6, 15}));
    const struct {
        int method;
        bool keep;
        Values posX, posY, negX, negY;
        // clang-format off
    } cases[] = {
        {1, false, {0, 2, 3}, {0, 15, 20}, {0, -2, -3}, {0, -14, -18}},
        {1, true, {0, 2, 3}, {0, 15, 20}, {0, -2, -3}, {0, -14, -18}},
        {2, false, {0, 2, 4}, {0, 15, 18}, {0, -2, -4}, {0, -14, -17}},
        {3, false, {0, 2, 2, 3, 4}, {0, 15, 15, 20, 18}, {0, -2, -2, -3, -4}, {0, -14, -14, -18, -17}},
        {3, true, {0, 2, 3, 4}, {0, 15, 20, 18}, {0, -2, -3, -4}, {0, -14, -18, -17}},
        {4, false, {0, 1, 2, 3}, {0, 10, 15, 20}, {0, -1, -2, -3}, {0, -10, -14, -18}},
        {4, true, {0, 1, 2, 3}, {0, 10, 15, 20}, {0, -1, -2, -3}, {0, -10, -14, -18}},
        {5, false, {0, 1, 2, 3, 4}, {0, 10, 15, 20, 18}, {0, -1, -2, -3, -4}, {0, -10, -14, -18, -17}},
        {6, false, {0, 1, 2, 28.0 / 13, 41.0 / 13}, {0, 10, 15, 16, 20},
         {0, -2.0 / 7, -9.0 / 7, -16.0 / 7, -108.0 / 35}, {0, -2, -10, -14, -18}},
    };
    // clang-format on
    const auto near = [](const Values& got, const Values& want) {
        if (got.size() != want.size()) return false;
        for (size_t i = 0; i < got.size(); ++i) {
            if (std::fabs(got[i] - want[i]) > 1e-12) return false;
        }
        return true;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("method " + std::to_string(c.method) + (c.keep ? " outward" : ""));
        const ref::Skeleton s = ref::ExtractSkeleton(*loops, c.method, true, c.keep);
        EXPECT_TRUE(near(s.Positive.X, c.posX)) << ::testing::PrintToString(s.Positive.X);
        EXPECT_EQ(s.Positive.Y, c.posY);
        EXPECT_TRUE(near(s.Negative.X, c.negX)) << ::testing::PrintToString(s.Negative.X);
        EXPECT_EQ(s.Negative.Y, c.negY);
    }
}

TEST(SkeletonReference, WorkedExampleOfTheThinning) {
    Values x = {0, 5, 10, 12, 15, 30, 40};
    Values y = {0, 1, 2, 3, 4, 5, 6};
    ref::Thin(x, y, 8, 35, 4);
    EXPECT_EQ(x, (Values{0, 5, 10, 15, 30, 40}));
    EXPECT_EQ(y, (Values{0, 1, 2, 4, 5, 6}));
    Values nx = {0, -5, -10, -12};
    Values ny = {0, 1, 2, 3};
    ref::Thin(nx, ny, 8, 35, 4);
    EXPECT_EQ(nx, (Values{0, -5, -10, -12}));
    ref::Thin(nx, ny, -35, -8, 4);
    EXPECT_EQ(nx, (Values{0, -5, -10}));
    // The ends of the range are outside it.
    Values ex = {0, 8, 9, 35};
    Values ey = {0, 0, 0, 0};
    ref::Thin(ex, ey, 8, 35, 100);
    EXPECT_EQ(ex, (Values{0, 8, 35}));
}

// Random records of three kinds: cycles of growing amplitude with noisy forces, small
// integers (crossings on points, repeats and equal extremes are frequent), and cycles whose
// reference displacement is not zero.
Values Record(std::mt19937& rng, int kind, Values& force) {
    const int n = 4 + static_cast<int>(rng() % 60);
    Values disp;
    force.clear();
    std::uniform_real_distribution<double> noise(-1, 1);
    for (int i = 0; i < n; ++i) {
        double d = 0;
        double f = 0;
        if (kind == 0) {
            const double amplitude = 1 + 0.3 * i;
            d = amplitude * std::sin(0.9 * i) + 0.2 * noise(rng);
            f = 5 * d - 0.3 * d * std::fabs(d) + noise(rng);
        } else if (kind == 1) {
            d = static_cast<double>(static_cast<int>(rng() % 7) - 3);
            f = static_cast<double>(static_cast<int>(rng() % 9) - 4);
        } else {
            d = 0.5 + (i == 0 ? 0 : 3 * std::sin(1.3 * i) * (1 + 0.1 * i));
            f = 2 * d + noise(rng);
        }
        disp.push_back(d);
        force.push_back(f);
    }
    return disp;
}

bool SameBits(const Values& a, const Values& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](double u, double v) {
               return std::bit_cast<uint64_t>(u) == std::bit_cast<uint64_t>(v);
           });
}

std::string Describe(const Values& d, const Values& f) {
    std::ostringstream out;
    out.precision(17);
    for (size_t i = 0; i < d.size(); ++i) out << "(" << d[i] << ", " << f[i] << ") ";
    return out.str();
}

TEST(SkeletonReference, ProgramAgreesOnRandomRecords) {
    std::mt19937 rng(7321);
    int compared = 0;
    for (int record = 0; record < 900 && !HasFailure(); ++record) {
        Values force;
        const Values disp = Record(rng, record % 3, force);
        SCOPED_TRACE("record " + Describe(disp, force));
        AnalysisState state;
        state.RawDisp = disp;
        state.RawForce = force;
        ASSERT_FALSE(AnalyzeLoops(state));
        const auto loops = ref::AnalyzeLoops(disp, force);
        ASSERT_TRUE(loops);
        ASSERT_TRUE(SameBits(state.LoopDisp, loops->D) && SameBits(state.LoopForce, loops->F));
        ASSERT_EQ(state.LoopStart, loops->Start);
        ASSERT_EQ(state.LoopCount, loops->Count);
        ASSERT_EQ(state.MaxDispIndex1, loops->Index1);
        ASSERT_EQ(state.MaxDispIndex2, loops->Index2);
        for (const SkeletonMethodRow& row : SkeletonMethods()) {
            const int method = static_cast<int>(row.Method);
            for (const bool positive : {true, false}) {
                for (const bool keep : {false, true}) {
                    SCOPED_TRACE("method " + std::to_string(method) +
                                 (positive ? " positive" : " negative") + (keep ? " outward" : ""));
                    ExtractSkeleton(state, row.Method,
                                    positive ? LoopDirection::Positive : LoopDirection::Negative,
                                    keep);
                    const ref::Skeleton want = ref::ExtractSkeleton(*loops, method, positive, keep);
                    EXPECT_TRUE(
                        SameBits(state.PositiveSkeletonSeries().XValues(), want.Positive.X) &&
                        SameBits(state.PositiveSkeletonSeries().YValues(), want.Positive.Y))
                        << ::testing::PrintToString(state.PositiveSkeletonSeries().XValues())
                        << " instead of " << ::testing::PrintToString(want.Positive.X);
                    EXPECT_TRUE(
                        SameBits(state.NegativeSkeletonSeries().XValues(), want.Negative.X) &&
                        SameBits(state.NegativeSkeletonSeries().YValues(), want.Negative.Y))
                        << ::testing::PrintToString(state.NegativeSkeletonSeries().XValues())
                        << " instead of " << ::testing::PrintToString(want.Negative.X);
                    ++compared;
                }
            }
        }
        // Thinning the working curve with a range and a tolerance drawn from its own values.
        const auto pick = [&] { return loops->D[rng() % loops->D.size()]; };
        const double lo = pick();
        const double hi = pick();
        const double tol = std::fabs(pick()) * static_cast<double>(rng() % 3) / 2;
        const CurvePoints kept = ThinCurveByRange(CurvePoints{loops->D, loops->F}, lo, hi, tol);
        Values x = loops->D;
        Values y = loops->F;
        ref::Thin(x, y, lo, hi, tol);
        EXPECT_TRUE(SameBits(kept.X, x) && SameBits(kept.Y, y))
            << "thinning " << lo << " .. " << hi << " by " << tol;
    }
    EXPECT_EQ(compared, 900 * 4 * static_cast<int>(SkeletonMethods().size()));
}

}  // namespace
}  // namespace qlnx
