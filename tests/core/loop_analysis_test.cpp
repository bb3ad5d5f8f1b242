// Loop analysis: working curve, half-cycle table, loop count and per-loop extremes.
#include "core/loop_analysis.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/curve_import.h"
#include "imported_record.h"

namespace qlnx {
namespace {

using Values = std::vector<double>;
using Indices = std::vector<int32_t>;
using Points = std::vector<std::pair<double, double>>;

using test::Imported;

// Every double below is compared exactly: the interpolation has one fixed order of operations.
TEST(AnalyzeLoops, WorkedExample) {
    AnalysisState state = Imported({{0, 0}, {2, 10}, {-1, -5}, {3, 12}, {3, 12}, {-2, -8}});
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    EXPECT_EQ(state.LoopDisp, (Values{0, 2, 0, -1, 0, 3, 0, -2}));
    EXPECT_EQ(state.LoopForce, (Values{0, 10, 0, -5, -0.75, 12, 0, -8}));
    EXPECT_EQ(state.LoopStart, (Indices{0, 2, 4, 6}));
    EXPECT_EQ(state.LoopCount, 2);
    EXPECT_EQ(state.LoopCountText, "2");
    EXPECT_EQ(state.SelectedLoop, 0);
    EXPECT_EQ(state.MaxDispIndex1, (Indices{1, 5}));
    EXPECT_EQ(state.MaxDispIndex2, (Indices{3, 7}));
    EXPECT_EQ(state.MaxDisp1, (Values{2, 3}));
    EXPECT_EQ(state.MaxDisp2, (Values{-1, -2}));
    EXPECT_EQ(state.MaxDispForce1, (Values{10, 12}));
    EXPECT_EQ(state.MaxDispForce2, (Values{-5, -8}));
    // The first loop is shown; the imported curve and its series are untouched.
    EXPECT_EQ(state.LoopReadouts[0], "2");
    EXPECT_EQ(state.SelectedLoopSeries().Title, "Loop_1");
    EXPECT_EQ(state.RawDisp, (Values{0, 2, -1, 3, 3, -2}));
    EXPECT_EQ(state.LoopSeries().Count(), 6);
}

TEST(AnalyzeLoops, TableOfCurves) {
    const struct {
        const char* what;
        Points raw;
        Values loopDisp;
        Values loopForce;
        Indices loopStart;
        int loopCount;
        Indices index1;
        Indices index2;
        // clang-format off
    } cases[] = {
        {"exact zeros insert nothing",
         {{0, 0}, {1, 5}, {0, 1}, {-1, -5}, {0, 0}},
         {0, 1, 0, -1, 0}, {0, 5, 1, -5, 0}, {0, 2, 4}, 1, {1}, {3}},
        {"never returns to x0",
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}},
         {0, 1, 2, 3}, {0, 1, 2, 3}, {0}, 1, {}, {}},
        {"ends on the last crossing point: third half-cycle in no loop",
         {{0, 0}, {1, 1}, {0, 0}, {-1, -1}, {0, 0}, {1, 1}, {0, 0}},
         {0, 1, 0, -1, 0, 1, 0}, {0, 1, 0, -1, 0, 1, 0}, {0, 2, 4, 6}, 1, {1}, {3}},
        {"one point more: the final point takes part in the search",
         {{0, 0}, {1, 1}, {0, 0}, {-1, -1}, {0, 0}, {1, 1}, {0, 0}, {2, 2}},
         {0, 1, 0, -1, 0, 1, 0, 2}, {0, 1, 0, -1, 0, 1, 0, 2}, {0, 2, 4, 6}, 2, {1, 5},
         {3, 7}},
        {"ends inside the first half-cycle of its last loop",
         {{0, 0}, {2, 2}, {0, 0}, {-2, -2}, {0, 0}, {1, 1}},
         {0, 2, 0, -2, 0, 1}, {0, 2, 0, -2, 0, 1}, {0, 2, 4}, 2, {1}, {3}},
        {"turn on the last point: second half-cycle empty",
         {{0, 0}, {1, 1}, {2, 2}, {0, 0}},
         {0, 1, 2, 0}, {0, 1, 2, 0}, {0, 3}, 1, {2}, {}},
        {"identical points kept once, same displacement with another force kept",
         {{0, 0}, {1, 1}, {1, 1}, {1, 2}, {-1, 0}},
         {0, 1, 1, 0, -1}, {0, 1, 2, 1, 0}, {0, 3}, 1, {1}, {4}},
        {"a point at x0 after a point at x0 is no passage",
         {{0, 0}, {0, 1}, {0, 1}, {1, 1}, {0, 2}},
         {0, 0, 1, 0}, {0, 1, 1, 2}, {0, 3}, 1, {2}, {}},
        {"a repeat before the extreme shifts its index",
         {{0, 0}, {1, 1}, {1, 1}, {2, 2}, {-1, -1}, {0, 0}},
         {0, 1, 2, 0, -1, 0}, {0, 1, 2, 0, -1, 0}, {0, 3, 5}, 1, {2}, {4}},
        {"ties keep the earliest point",
         {{0, 0}, {2, 1}, {2, 5}, {-2, -1}, {-2, -5}, {0, 0}},
         {0, 2, 2, 0, -2, -2, 0}, {0, 1, 5, 2, -1, -5, 0}, {0, 3, 6}, 1, {1}, {4}},
        {"reference displacement 0.5",
         {{0.5, 0}, {1.5, 10}, {-0.5, -10}, {0.5, 0}},
         {0.5, 1.5, 0.5, -0.5, 0.5}, {0, 10, 0, -10, 0}, {0, 2, 4}, 1, {1}, {3}},
        // Ranked by the distance from x0, the second extreme is 3, not the crossing point 5.
        {"half-cycles on one side of zero",
         {{5, 0}, {7, 10}, {5, 0}, {3, -10}, {5, 0}},
         {5, 7, 5, 3, 5}, {0, 10, 0, -10, 0}, {0, 2, 4}, 1, {1}, {3}},
        {"four points are analysed",
         {{0, 0}, {1, 3}, {-1, -1}, {0, 0}},
         {0, 1, 0, -1, 0}, {0, 3, 1, -1, 0}, {0, 2, 4}, 1, {1}, {3}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AnalysisState state = Imported(c.raw);
        ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
        EXPECT_EQ(state.LoopDisp, c.loopDisp);
        EXPECT_EQ(state.LoopForce, c.loopForce);
        EXPECT_EQ(state.LoopStart, c.loopStart);
        EXPECT_EQ(state.LoopCount, c.loopCount);
        EXPECT_EQ(state.LoopCountText, std::to_string(c.loopCount));
        EXPECT_EQ(state.MaxDispIndex1, c.index1);
        EXPECT_EQ(state.MaxDispIndex2, c.index2);
        // The recorded values are those of the working curve at the recorded indices.
        ASSERT_EQ(state.MaxDisp1.size(), c.index1.size());
        ASSERT_EQ(state.MaxDisp2.size(), c.index2.size());
        for (size_t k = 0; k < c.index1.size(); ++k) {
            EXPECT_EQ(state.MaxDisp1[k], c.loopDisp[static_cast<size_t>(c.index1[k])]);
            EXPECT_EQ(state.MaxDispForce1[k], c.loopForce[static_cast<size_t>(c.index1[k])]);
        }
        for (size_t k = 0; k < c.index2.size(); ++k) {
            EXPECT_EQ(state.MaxDisp2[k], c.loopDisp[static_cast<size_t>(c.index2[k])]);
            EXPECT_EQ(state.MaxDispForce2[k], c.loopForce[static_cast<size_t>(c.index2[k])]);
        }
    }
}

// The crossing force is interpolated from the last point of the working curve. A repeat
// that was skipped compares equal to it but may carry the other sign of a zero force, and
// an interpolation term that is zero (an infinite or vast step) passes that sign on.
TEST(AnalyzeLoops, CrossingInterpolatesFromTheKeptPointNotASkippedRepeat) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        Points raw;
        size_t crossing;  // working-curve index of the inserted crossing point
        double force;     // its force, sign of zero included
        // clang-format off
    } cases[] = {
        {"infinite step after a repeat with -0 (fuzz finding)",
         {{1, 0}, {1e308, 0}, {0, 3}, {2, 0}, {0, 0}, {0, -0.0}, {kInf, -1}}, 8, 0.0},
        {"product underflows after a repeat with -0", {{0, 0}, {-1, 0}, {-1, -0.0}, {1e300, -1e-300}},
         2, 0.0},
        {"kept -0, repeat with +0", {{0, 0}, {-1, -0.0}, {-1, 0}, {1e300, -1e-300}}, 2, -0.0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AnalysisState state = Imported(c.raw);
        ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
        ASSERT_LT(c.crossing, state.LoopForce.size());
        EXPECT_EQ(state.LoopDisp[c.crossing], c.raw[0].first);
        EXPECT_EQ(state.LoopForce[c.crossing], c.force);
        EXPECT_EQ(std::signbit(state.LoopForce[c.crossing]), std::signbit(c.force));
    }
}

TEST(AnalyzeLoops, ThreePointsOrFewerAreRefused) {
    for (const Points& raw : {Points{}, Points{{0, 0}, {1, 1}, {-1, -1}}}) {
        // Left-overs of an earlier analysis that the refusal must empty.
        AnalysisState state = Imported({{0, 0}, {2, 10}, {-1, -5}, {3, 12}, {-2, -8}});
        ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
        state.PositiveSkeletonSeries().AddXY(1, 1);
        state.NegativeSkeletonSeries().AddXY(-1, -1);
        state.LoopCountText = "kept";
        state.RawDisp.clear();
        state.RawForce.clear();
        for (const auto& [d, f] : raw) {
            state.RawDisp.push_back(d);
            state.RawForce.push_back(f);
        }

        EXPECT_EQ(AnalyzeLoops(state), "Imported Loop is less than 3 points!");
        EXPECT_TRUE(state.LoopDisp.empty());
        EXPECT_TRUE(state.LoopForce.empty());
        EXPECT_TRUE(state.LoopStart.empty());
        EXPECT_TRUE(state.MaxDispIndex1.empty());
        EXPECT_TRUE(state.MaxDisp2.empty());
        EXPECT_EQ(state.LoopCount, 0);
        EXPECT_EQ(state.SelectedLoop, -1);
        for (const auto& text : state.LoopReadouts) EXPECT_EQ(text, "");
        EXPECT_EQ(state.pntsrsSeries1().Count(), 0);
        EXPECT_EQ(state.pntsrsSeries2().Count(), 0);
        EXPECT_EQ(state.SelectedLoopSeries().Count(), 0);
        EXPECT_EQ(state.PositiveSkeletonSeries().Count(), 0);
        EXPECT_EQ(state.NegativeSkeletonSeries().Count(), 0);
        // The raw curve, its series and the loop count box stay.
        EXPECT_EQ(state.RawDisp.size(), raw.size());
        EXPECT_EQ(state.LoopSeries().Count(), 5);
        EXPECT_EQ(state.LoopCountText, "kept");
    }
}

TEST(AnalyzeLoops, RunningTwiceGivesTheSameResultAndNoSkeleton) {
    AnalysisState state = Imported({{0, 0}, {2, 10}, {-1, -5}, {3, 12}, {3, 12}, {-2, -8}});
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    const AnalysisState first = state;
    state.PositiveSkeletonSeries().AddXY(2, 10);
    state.SelectedLoop = 1;
    ShowLoop(state);
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    EXPECT_EQ(state.LoopDisp, first.LoopDisp);
    EXPECT_EQ(state.LoopForce, first.LoopForce);
    EXPECT_EQ(state.LoopStart, first.LoopStart);
    EXPECT_EQ(state.MaxDisp1, first.MaxDisp1);
    EXPECT_EQ(state.MaxDisp2, first.MaxDisp2);
    EXPECT_EQ(state.LoopCount, first.LoopCount);
    EXPECT_EQ(state.SelectedLoop, 0);
    EXPECT_EQ(state.LoopReadouts, first.LoopReadouts);
    EXPECT_EQ(state.PositiveSkeletonSeries().Count(), 0);
}

// The rules written out plainly, one after the other: the working curve sample by sample,
// then the loop count, then each half-cycle searched from its start to its end.
struct Reference {
    std::vector<double> disp, force;
    std::vector<int32_t> starts, index1, index2;
    int loops = 0;
};

Reference Analyse(const std::vector<double>& rd, const std::vector<double>& rf) {
    Reference r;
    const double x0 = rd[0];
    r.disp = {rd[0]};
    r.force = {rf[0]};
    r.starts = {0};
    for (size_t i = 1; i < rd.size(); ++i) {
        const double d = rd[i], f = rf[i], dL = r.disp.back(), fL = r.force.back();
        if (d == x0 && dL != x0) {
            r.disp.push_back(d);
            r.force.push_back(f);
            r.starts.push_back(static_cast<int32_t>(r.disp.size() - 1));
        } else if ((d > x0 && x0 > dL) || (d < x0 && x0 < dL)) {
            r.disp.push_back(x0);
            r.force.push_back((x0 - dL) * (f - fL) / (d - dL) + fL);
            r.starts.push_back(static_cast<int32_t>(r.disp.size() - 1));
            r.disp.push_back(d);
            r.force.push_back(f);
        } else if (!(d == dL && f == fL)) {
            r.disp.push_back(d);
            r.force.push_back(f);
        }
    }
    const auto m = static_cast<int>(r.starts.size());
    const auto last = static_cast<int32_t>(r.disp.size() - 1);
    r.loops = m <= 2 ? 1 : (m - 1) / 2 + (r.starts.back() != last ? 1 : 0);
    const auto search = [&](int32_t from, int32_t through) {
        int32_t best = from;
        for (int32_t j = from + 1; j <= through; ++j) {
            if (std::fabs(r.disp[static_cast<size_t>(j)] - x0) >
                std::fabs(r.disp[static_cast<size_t>(best)] - x0)) {
                best = j;
            }
        }
        return best;
    };
    for (int k = 0; k < r.loops; ++k) {
        const int32_t s = r.starts[static_cast<size_t>(2 * k)];
        if (2 * k + 1 > m - 1) continue;
        const int32_t t = r.starts[static_cast<size_t>(2 * k + 1)];
        const int32_t e = 2 * k + 2 <= m - 1 ? r.starts[static_cast<size_t>(2 * k + 2)] : last;
        r.index1.push_back(search(s, t));
        if (t < e) r.index2.push_back(search(t, e));
    }
    return r;
}

// Random curves of a few displacement levels, so that passages, crossings, repeats, ties and
// long runs all occur, some with NaN and infinite samples; compared exactly with the rules
// written out plainly.
TEST(AnalyzeLoops, AgreesWithTheRulesOnRandomCurves) {
    uint64_t seed = 12345;
    const auto next = [&seed](uint64_t range) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return (seed >> 33) % range;
    };
    const double specials[] = {std::nan(""), INFINITY, -INFINITY, 1e308, -1e308};
    for (int round = 0; round < 400; ++round) {
        const size_t n = 4 + next(round < 300 ? 40 : 3000);
        const bool withSpecials = round % 7 == 0;
        std::vector<double> rd, rf;
        for (size_t i = 0; i < n; ++i) {
            double d = static_cast<double>(static_cast<int>(next(7)) - 3) * 0.5;
            double f = static_cast<double>(next(5));
            if (next(4) == 0 && !rd.empty()) {
                d = rd.back();  // repeats and equal displacements
                if (next(2) == 0) f = rf.back();
            }
            if (withSpecials && next(10) == 0) d = specials[next(5)];
            rd.push_back(d);
            rf.push_back(f);
        }
        AnalysisState state;
        state.RawDisp = rd;
        state.RawForce = rf;
        ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
        const Reference r = Analyse(rd, rf);
        SCOPED_TRACE("round " + std::to_string(round));
        // Compared bit for bit (NaN included) through their texts.
        ASSERT_EQ(testing::PrintToString(state.LoopDisp), testing::PrintToString(r.disp));
        ASSERT_EQ(testing::PrintToString(state.LoopForce), testing::PrintToString(r.force));
        ASSERT_EQ(state.LoopStart, r.starts);
        ASSERT_EQ(state.LoopCount, r.loops);
        ASSERT_EQ(state.MaxDispIndex1, r.index1);
        ASSERT_EQ(state.MaxDispIndex2, r.index2);
    }
}

// The invariants of the analysis on measured records, one of them with a reference
// displacement other than 0 and many tiny passages through it.
TEST(AnalyzeLoops, RealRecordsKeepTheInvariants) {
    // The real records sit beside the checkout; a checkout elsewhere has none to read.
    if (!std::filesystem::exists(QLNX_SHARED_DATA))
        GTEST_SKIP() << "no real records beside this checkout";
    const struct {
        const char* file;
        int32_t first;
    } cases[] = {
        {"clt_wall_TS1_shear.csv", 1},
        {"clt_connection_trial2.csv", 3},
        {"friction_damper_1Hz30lb1in.csv", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        AnalysisState state;
        ASSERT_EQ(ImportCurveFile(state, std::string(QLNX_SHARED_DATA) + "/" + c.file, {c.first, 1})
                      .Warning(),
                  std::nullopt);
        ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
        const double x0 = state.RawDisp[0];
        ASSERT_EQ(state.LoopDisp.size(), state.LoopForce.size());
        EXPECT_EQ(state.LoopDisp[0], x0);
        ASSERT_EQ(state.LoopStart[0], 0);
        for (size_t i = 1; i < state.LoopStart.size(); ++i) {
            EXPECT_LT(state.LoopStart[i - 1], state.LoopStart[i]);
            EXPECT_EQ(state.LoopDisp[static_cast<size_t>(state.LoopStart[i])], x0);
        }
        EXPECT_GE(state.LoopCount, 1);
        EXPECT_LE(state.MaxDisp2.size(), state.MaxDisp1.size());
        EXPECT_LE(state.MaxDisp1.size(), static_cast<size_t>(state.LoopCount));
        // Every extreme lies inside its own half-cycle and no point of it is farther out.
        for (size_t k = 0; k < state.MaxDispIndex1.size(); ++k) {
            const LoopFrame f = GetLoopFrame(state, static_cast<int>(k));
            EXPECT_GE(state.MaxDispIndex1[k], f.S);
            EXPECT_LE(state.MaxDispIndex1[k], f.T);
            for (int32_t j = f.S; j <= f.T; ++j) {
                EXPECT_LE(std::fabs(state.LoopDisp[static_cast<size_t>(j)] - x0),
                          std::fabs(state.MaxDisp1[k] - x0));
            }
        }
    }
}

}  // namespace
}  // namespace qlnx
