// Statistics of a test series: mean, sample standard deviation, coefficient of variation,
// extremes and the 5 % characteristic value of a quantity over the specimens, and the mean
// skeleton of a group's branches.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/project.h"

namespace qlnx {

// k_s(n) = (6.5 n + 6) / (3.7 n - 3): the factor of the 5 % fractile at 75 % confidence for
// n test values (lognormal, EN 14358).
double CharacteristicFactor(size_t n);

struct SampleStatistics {
    size_t Count = 0;  // the values that are not null
    std::optional<double> Mean;
    std::optional<double> StdDev;  // sample standard deviation (n - 1); null below 2 values
    std::optional<double> CoV;     // StdDev / Mean; null when Mean is 0
    std::optional<double> Min;
    std::optional<double> Max;
    // exp(mean(ln x) - k_s(n) * s(ln x)); null below 3 values or when a value is not
    // positive, CharacteristicNote then says why.
    std::optional<double> Characteristic;
    std::string CharacteristicNote;
};

// The statistics of the values that are not null, taken in order.
SampleStatistics DescribeSample(const std::vector<std::optional<double>>& values);

inline constexpr int kMeanSkeletonSteps = 50;

// The mean skeleton of one branch with its true signs: Disp from 0 outwards, the mean force
// and the sample standard deviation of the force (positive; null below two specimens) at
// each grid displacement.
struct MeanSkeletonBranch {
    size_t Specimens = 0;  // the branches that took part
    std::vector<double> Disp;
    std::vector<double> Mean;
    std::vector<std::optional<double>> StdDev;
};

// Each branch's path (origin first unless the first node has d = 0; the negative branch
// mirrored) is read at 51 displacements in 50 equal steps from 0 to the smallest of the
// paths' largest displacements: the force at x is taken from the first segment of the path,
// in path order, with d_k <= x <= d_k+1, interpolated linearly (F_k on a vertical segment).
// A branch whose path has fewer than two points, or reaches no positive displacement, takes
// no part; without any branch the result is empty.
MeanSkeletonBranch MeanSkeleton(const std::vector<SkeletonBranchNodes>& branches, bool negative);

}  // namespace qlnx
