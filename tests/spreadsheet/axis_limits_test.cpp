// The ends of a report's axes: round steps of 1, 2 or 5 times a power of ten, at most a fifth
// of the data's range, the data's ends rounded outwards to whole steps.
#include <gtest/gtest.h>

#include "spreadsheet/axis_limits.h"

namespace qlnx {
namespace {

TEST(RoundAxisLimits, TableOfRanges) {
    // Exact: each end is a whole number of steps formed without a rounded power of ten.
    // The step and the digits its tick labels need come with the ends.
    const struct {
        double lo, hi, minimum, maximum, step;
        int decimals;
    } cases[] = {
        {-90000, 90695, -100000, 100000, 20000, 0},  // a peak of 90,695: not 150,000
        {-136.2, 135.8, -150, 150, 50, 0},
        {0, 47, 0, 50, 5, 0},
        {-0.0201, 0.0199, -0.025, 0.02, 0.005, 3},  // steps of 0.005 formed exactly
        {0.3, 0.3, 0.3, 0.35, 0.05, 2},             // one value: one step above it
        {0, 0, 0, 0.2, 0.2, 1},
        {-3.13e-3, 2.9e-2, -0.005, 0.03, 0.005, 3},
        {-0.28, 0.29, -0.3, 0.3, 0.1, 1},  // 0.1 formed as 1/10, not 1 x 0.1
    };
    for (const auto& c : cases) {
        const AxisLimits limits = RoundAxisLimits(c.lo, c.hi);
        EXPECT_EQ(limits.Minimum, c.minimum) << c.lo << ".." << c.hi;
        EXPECT_EQ(limits.Maximum, c.maximum) << c.lo << ".." << c.hi;
        EXPECT_EQ(limits.Step, c.step) << c.lo << ".." << c.hi;
        EXPECT_EQ(limits.Decimals, c.decimals) << c.lo << ".." << c.hi;
    }
}

}  // namespace
}  // namespace qlnx
