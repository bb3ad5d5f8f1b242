#include "spreadsheet/axis_limits.h"

#include <cmath>
#include <utility>

namespace qlnx {

AxisLimits RoundAxisLimits(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) return {0, 1, 0.2, 1};
    if (hi < lo) std::swap(lo, hi);
    double span = hi - lo;
    if (span == 0) span = lo == 0 ? 1 : std::fabs(lo);
    // The step as mantissa x 10^exponent, so that its multiples are formed exactly: a negative
    // exponent divides by the exact power of ten instead of multiplying by its rounded inverse.
    const double rough = span / 5;
    int exponent = static_cast<int>(std::floor(std::log10(rough)));
    const double leading = rough / std::pow(10.0, exponent);
    const double mantissa = leading >= 5 ? 5 : leading >= 2 ? 2 : 1;
    const double power = std::pow(10.0, std::abs(exponent));
    const auto multiple = [&](double count) {
        return exponent >= 0 ? count * mantissa * power : count * mantissa / power;
    };
    // Steps in value; a rounding error past a whole count costs at most one step more.
    const auto steps = [&](double value) {
        return exponent >= 0 ? value / (mantissa * power) : value * power / mantissa;
    };
    double lower = std::floor(steps(lo));
    double upper = std::ceil(steps(hi));
    if (lower == upper) ++upper;
    return {multiple(lower), multiple(upper), multiple(1), exponent < 0 ? -exponent : 0};
}

}  // namespace qlnx
