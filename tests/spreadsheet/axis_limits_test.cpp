// The ends of a report's axes: round steps of 1, 2 or 5 times a power of ten, at most a fifth
// of the data's range, the data's ends rounded outwards to whole steps.
#include <gtest/gtest.h>

#include "spreadsheet/axis_limits.h"

namespace qlnx {
namespace {

TEST(RoundAxisLimits, TableOfRanges) {
    // Exact: each end is a whole number of steps formed without a rounded power of ten.
    const struct {
        double lo, hi, minimum, maximum;
    } cases[] = {
        {-90000, 90695, -100000, 100000},  // a peak of 90,695: not 150,000
        {-136.2, 135.8, -150, 150},
        {0, 47, 0, 50},
        {-0.0201, 0.0199, -0.025, 0.02},  // steps of 0.005 formed exactly
        {0.3, 0.3, 0.3, 0.35},            // one value: one step above it
        {0, 0, 0, 0.2},
        {-3.13e-3, 2.9e-2, -0.005, 0.03},
    };
    for (const auto& c : cases) {
        const AxisLimits limits = RoundAxisLimits(c.lo, c.hi);
        EXPECT_EQ(limits.Minimum, c.minimum) << c.lo << ".." << c.hi;
        EXPECT_EQ(limits.Maximum, c.maximum) << c.lo << ".." << c.hi;
    }
}

}  // namespace
}  // namespace qlnx
