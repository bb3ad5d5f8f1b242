// The number rules the test evaluation shares: a value that is not finite is null, and so is
// a quotient with a zero denominator.
#pragma once

#include <cmath>
#include <optional>

namespace qlnx {

inline std::optional<double> FiniteOrNull(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

inline std::optional<double> QuotientOrNull(double numerator, double denominator) {
    if (denominator == 0) return std::nullopt;
    return FiniteOrNull(numerator / denominator);
}

inline std::optional<double> QuotientOrNull(std::optional<double> numerator,
                                            std::optional<double> denominator) {
    if (!numerator || !denominator) return std::nullopt;
    return QuotientOrNull(*numerator, *denominator);
}

}  // namespace qlnx
