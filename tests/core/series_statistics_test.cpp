#include "core/series_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace qlnx {
namespace {

TEST(SeriesStatistics, CharacteristicFactorAtThreeFiveAndTenValues) {
    // (6.5 n + 6) / (3.7 n - 3) by hand: 25.5 / 8.1, 38.5 / 15.5, 71 / 34.
    EXPECT_DOUBLE_EQ(CharacteristicFactor(3), 25.5 / 8.1);
    EXPECT_DOUBLE_EQ(CharacteristicFactor(5), 38.5 / 15.5);
    EXPECT_DOUBLE_EQ(CharacteristicFactor(10), 71.0 / 34.0);
}

struct SampleCase {
    const char* Name;
    std::vector<std::optional<double>> Values;
    size_t Count;
    std::optional<double> Mean, StdDev, CoV, Min, Max, Characteristic;
    const char* Note;
};

void ExpectNear(const std::optional<double>& actual, const std::optional<double>& expected,
                const char* what) {
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-12 * std::max(1.0, std::abs(*expected))) << what;
    }
}

TEST(SeriesStatistics, HandValues) {
    const std::optional<double> null;
    const SampleCase cases[] = {
        // ln 1, ln 2, ln 3: mean 0.597253, s 0.554513, k_s(3) 3.148148.
        {"three", {1.0, 2.0, 3.0}, 3, 2.0, 1.0, 0.5, 1.0, 3.0, 0.31610039617276187, ""},
        {"five",
         {10.0, 12.0, 11.0, 9.0, 13.0},
         5,
         11.0,
         1.5811388300841898,
         1.5811388300841898 / 11,
         9.0,
         13.0,
         7.602973064864143,
         ""},
        {"ten",
         {5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0, 12.0, 13.0, 14.0},
         10,
         9.5,
         3.0276503540974917,
         3.0276503540974917 / 9.5,
         5.0,
         14.0,
         4.426449463843276,
         ""},
        {"no spread", {4.0, 4.0, 4.0}, 3, 4.0, 0.0, 0.0, 4.0, 4.0, 4.0, ""},
        {"two values",
         {2.0, 4.0},
         2,
         3.0,
         std::sqrt(2.0),
         std::sqrt(2.0) / 3,
         2.0,
         4.0,
         null,
         "fewer than 3 values"},
        {"one value", {5.0}, 1, 5.0, null, null, 5.0, 5.0, null, "fewer than 3 values"},
        {"nulls left out",
         {null, 2.0, null, 4.0},
         2,
         3.0,
         std::sqrt(2.0),
         std::sqrt(2.0) / 3,
         2.0,
         4.0,
         null,
         "fewer than 3 values"},
        {"not positive",
         {1.0, -2.0, 4.0},
         3,
         1.0,
         3.0,
         3.0,
         -2.0,
         4.0,
         null,
         "a value is not positive"},
        {"zero mean",
         {-1.0, 0.0, 1.0},
         3,
         0.0,
         1.0,
         null,
         -1.0,
         1.0,
         null,
         "a value is not positive"},
        {"empty", {null}, 0, null, null, null, null, null, null, "no values"},
    };
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const SampleStatistics s = DescribeSample(c.Values);
        EXPECT_EQ(s.Count, c.Count);
        ExpectNear(s.Mean, c.Mean, "mean");
        ExpectNear(s.StdDev, c.StdDev, "std dev");
        ExpectNear(s.CoV, c.CoV, "CoV");
        ExpectNear(s.Min, c.Min, "min");
        ExpectNear(s.Max, c.Max, "max");
        ExpectNear(s.Characteristic, c.Characteristic, "characteristic");
        EXPECT_EQ(s.CharacteristicNote, c.Note);
    }
}

TEST(MeanSkeleton, ThreeHandMadeBranchesOnTheGridOfTheShortestReach) {
    // Paths (origin added): A reaches 2, B reaches 4, C reaches 3 and steps back to 2.5.
    const std::vector<SkeletonBranchNodes> branches = {
        {{1, 2}, {10, 20}},
        {{2, 4}, {10, 10}},
        {{0, 1, 3, 2.5}, {0, 5, 15, 20}},
    };
    const MeanSkeletonBranch mean = MeanSkeleton(branches, false);
    EXPECT_EQ(mean.Specimens, 3u);
    ASSERT_EQ(mean.Disp.size(), 51u);
    EXPECT_EQ(mean.Disp[0], 0.0);
    EXPECT_EQ(mean.Disp[25], 1.0);
    EXPECT_EQ(mean.Disp[50], 2.0);
    EXPECT_EQ(mean.Disp[10], 2.0 * 10 / 50);
    // x = 0: every force 0.
    EXPECT_EQ(mean.Mean[0], 0.0);
    EXPECT_EQ(*mean.StdDev[0], 0.0);
    // x = 1: A 10, B 5, C 5.
    EXPECT_DOUBLE_EQ(mean.Mean[25], 20.0 / 3);
    EXPECT_DOUBLE_EQ(*mean.StdDev[25], std::sqrt(25.0 / 3));
    // x = 2: A 20, B 10, C 10 (first segment spanning 2: (1, 5)-(3, 15), not the step back).
    EXPECT_DOUBLE_EQ(mean.Mean[50], 40.0 / 3);
    EXPECT_DOUBLE_EQ(*mean.StdDev[50], std::sqrt(100.0 / 3));
    // x = 0.4: A 4, B 2, C 2.
    EXPECT_DOUBLE_EQ(mean.Mean[10], 8.0 / 3);
}

TEST(MeanSkeleton, NegativeBranchMirroredAndReportedWithItsSigns) {
    // Mirrored paths: (0, 3) (0, 5) (2, 9), whose second node goes no further out and is left
    // out of the outward path: F at 0 is 3; (0, 0) (4, 8).
    const std::vector<SkeletonBranchNodes> branches = {
        {{0, 0, -2}, {-3, -5, -9}},
        {{-4}, {-8}},
    };
    const MeanSkeletonBranch mean = MeanSkeleton(branches, true);
    ASSERT_EQ(mean.Disp.size(), 51u);
    EXPECT_EQ(mean.Disp[50], -2.0);
    EXPECT_EQ(mean.Mean[0], -1.5);
    EXPECT_DOUBLE_EQ(*mean.StdDev[0], std::sqrt(4.5));
    // x = 1: 6 and 2.
    EXPECT_DOUBLE_EQ(mean.Mean[25], -4.0);
    EXPECT_DOUBLE_EQ(*mean.StdDev[25], std::sqrt(8.0));
}

TEST(MeanSkeleton, BranchesWithoutAPathTakeNoPart) {
    const std::vector<SkeletonBranchNodes> branches = {
        {{}, {}},      // no branch
        {{-1}, {-5}},  // never goes out on this side
        {{2}, {10}},
    };
    const MeanSkeletonBranch one = MeanSkeleton(branches, false);
    EXPECT_EQ(one.Specimens, 1u);
    ASSERT_EQ(one.Disp.size(), 51u);
    EXPECT_EQ(one.Mean[50], 10.0);
    EXPECT_FALSE(one.StdDev[50].has_value());
    EXPECT_TRUE(MeanSkeleton(std::vector<SkeletonBranchNodes>(1), true).Disp.empty());
}

}  // namespace
}  // namespace qlnx
