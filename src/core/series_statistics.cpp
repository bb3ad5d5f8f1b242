#include "core/series_statistics.h"

#include <algorithm>
#include <cmath>

#include "core/branch_path.h"

namespace qlnx {

namespace {

double MeanOf(const std::vector<double>& values) {
    double sum = 0;
    for (const double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

// Sample standard deviation about mean (n - 1 in the denominator); n >= 2.
double StdDevOf(const std::vector<double>& values, double mean) {
    double sum = 0;
    for (const double v : values) sum += (v - mean) * (v - mean);
    return std::sqrt(sum / static_cast<double>(values.size() - 1));
}

// The force of the path at x: the first segment in path order with d_k <= x <= d_k+1.
std::optional<double> PathForceAt(const BranchPath& path, double x) {
    for (size_t k = 0; k + 1 < path.Size(); ++k) {
        const double d0 = path.D(k);
        const double d1 = path.D(k + 1);
        if (!(d0 <= x && x <= d1)) continue;
        if (d0 == d1) return path.F(k);
        return path.F(k) + (path.F(k + 1) - path.F(k)) * (x - d0) / (d1 - d0);
    }
    return std::nullopt;
}

double LargestDisp(const BranchPath& path) {
    double largest = path.D(0);
    for (size_t k = 1; k < path.Size(); ++k) largest = std::max(largest, path.D(k));
    return largest;
}

}  // namespace

double CharacteristicFactor(size_t n) {
    const auto count = static_cast<double>(n);
    return (6.5 * count + 6) / (3.7 * count - 3);
}

SampleStatistics DescribeSample(const std::vector<std::optional<double>>& values) {
    SampleStatistics s;
    std::vector<double> present;
    for (const auto& v : values) {
        if (v && std::isfinite(*v)) present.push_back(*v);
    }
    s.Count = present.size();
    if (present.empty()) {
        s.CharacteristicNote = "no values";
        return s;
    }
    const double mean = MeanOf(present);
    s.Mean = mean;
    s.Min = *std::min_element(present.begin(), present.end());
    s.Max = *std::max_element(present.begin(), present.end());
    if (present.size() >= 2) {
        s.StdDev = StdDevOf(present, mean);
        if (mean != 0) s.CoV = *s.StdDev / mean;
    }
    if (present.size() < 3) {
        s.CharacteristicNote = "fewer than 3 values";
        return s;
    }
    if (*s.Min <= 0) {
        s.CharacteristicNote = "a value is not positive";
        return s;
    }
    std::vector<double> logs;
    logs.reserve(present.size());
    for (const double v : present) logs.push_back(std::log(v));
    const double logMean = MeanOf(logs);
    const double logStdDev = StdDevOf(logs, logMean);
    s.Characteristic = std::exp(logMean - CharacteristicFactor(present.size()) * logStdDev);
    return s;
}

MeanSkeletonBranch MeanSkeleton(const std::vector<SkeletonBranchNodes>& branches, bool negative) {
    const double sign = negative ? -1.0 : 1.0;
    std::vector<BranchPath> paths;
    for (const SkeletonBranchNodes& branch : branches) {
        if (branch.X.empty()) continue;
        BranchPath path(branch.X, branch.Y, sign);
        if (path.Size() < 2 || !(LargestDisp(path) > 0)) continue;
        paths.push_back(std::move(path));
    }
    MeanSkeletonBranch result;
    result.Specimens = paths.size();
    if (paths.empty()) return result;
    double reach = LargestDisp(paths.front());
    for (const BranchPath& path : paths) reach = std::min(reach, LargestDisp(path));
    std::vector<double> forces(paths.size());
    for (int i = 0; i <= kMeanSkeletonSteps; ++i) {
        const double x = reach * i / kMeanSkeletonSteps;
        for (size_t p = 0; p < paths.size(); ++p) {
            // Every path runs from d = 0 to at least reach, so a segment spans x.
            forces[p] = PathForceAt(paths[p], x).value_or(std::nan(""));
        }
        const double mean = MeanOf(forces);
        result.Disp.push_back(sign * x);
        result.Mean.push_back(sign * mean);
        result.StdDev.push_back(forces.size() >= 2 ? std::optional(StdDevOf(forces, mean))
                                                   : std::nullopt);
    }
    return result;
}

}  // namespace qlnx
