// Comparisons for the test evaluation: numbers to 1e-9 relative (sums may be ordered
// differently from a hand calculation), nulls exactly.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace qlnx::testing {

inline ::testing::AssertionResult Near(double actual, double expected, double relative = 1e-9) {
    const double tolerance = relative * std::fmax(std::fabs(expected), 1e-300);
    if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got " << actual << " (" << std::hexfloat << actual << std::defaultfloat
           << "), expected " << expected << " to " << relative << " relative";
}

inline ::testing::AssertionResult Near(const std::optional<double>& actual, double expected,
                                       double relative = 1e-9) {
    if (!actual) return ::testing::AssertionFailure() << "got null, expected " << expected;
    return Near(*actual, expected, relative);
}

// Both null, or both numbers within the tolerance.
inline ::testing::AssertionResult Same(const std::optional<double>& actual,
                                       const std::optional<double>& expected,
                                       double relative = 1e-9) {
    if (!actual && !expected) return ::testing::AssertionSuccess();
    if (!actual || !expected) {
        return ::testing::AssertionFailure() << (actual ? "got a number" : "got null")
                                             << ", expected " << (expected ? "a number" : "null");
    }
    return Near(*actual, *expected, relative);
}

}  // namespace qlnx::testing
