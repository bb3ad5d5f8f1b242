#include "core/series_normalisation.h"

#include <algorithm>
#include <cmath>

namespace qlnx {

namespace {

// The magnitudes of a side's reference point, null when either is zero or not finite.
std::optional<std::array<double, 2>> Reference(double disp, double force) {
    const double d = std::abs(disp);
    const double f = std::abs(force);
    if (!(d > 0) || !(f > 0) || !std::isfinite(d) || !std::isfinite(f)) return std::nullopt;
    return std::array<double, 2>{d, f};
}

std::optional<std::array<double, 2>> SideReference(const std::optional<BranchEvaluation>& branch,
                                                   SeriesScale scale, YieldMethod yield) {
    if (!branch) return std::nullopt;
    if (scale == SeriesScale::Peak) return Reference(branch->Peak.Disp, branch->Peak.Force);
    const auto& point = branch->Yield[static_cast<size_t>(yield)];
    if (!point) return std::nullopt;
    return Reference(point->Disp, point->Force);
}

}  // namespace

std::optional<SpecimenScale> ScaleOf(const TestEvaluation& evaluation,
                                     const std::optional<double>& height, SeriesScale scale,
                                     YieldMethod yield, std::string& why) {
    SpecimenScale s;
    switch (scale) {
        case SeriesScale::None: return s;
        case SeriesScale::Drift:
            if (!height || !(*height > 0) || !std::isfinite(*height)) {
                why = "no height is given for drift";
                return std::nullopt;
            }
            s.Disp = {*height, *height};
            s.DispTimes = 100;
            return s;
        case SeriesScale::Peak:
        case SeriesScale::Yield: break;
    }
    auto pos = SideReference(evaluation.Skeleton.Positive, scale, yield);
    auto neg = SideReference(evaluation.Skeleton.Negative, scale, yield);
    if (!pos && !neg) {
        why = scale == SeriesScale::Peak
                  ? "its skeleton curve has no peak point"
                  : "its skeleton curve has no " +
                        std::string(kYieldMethods[static_cast<size_t>(yield)].Name) +
                        " yield point";
        return std::nullopt;
    }
    if (!pos) pos = neg;
    if (!neg) neg = pos;
    s.Disp = {(*pos)[0], (*neg)[0]};
    s.Force = {(*pos)[1], (*neg)[1]};
    return s;
}

void ScalePoints(const SpecimenScale& scale, const std::vector<double>& x,
                 const std::vector<double>& y, std::vector<double>& sx, std::vector<double>& sy) {
    const size_t n = std::min(x.size(), y.size());
    sx.resize(n);
    sy.resize(n);
    for (size_t i = 0; i < n; ++i) {
        sx[i] = x[i] / scale.Disp[x[i] < 0 ? 1 : 0] * scale.DispTimes;
        sy[i] = y[i] / scale.Force[y[i] < 0 ? 1 : 0];
    }
}

SkeletonBranchNodes ScaleBranch(const SpecimenScale& scale, const SkeletonBranchNodes& branch) {
    SkeletonBranchNodes scaled;
    ScalePoints(scale, branch.X, branch.Y, scaled.X, scaled.Y);
    return scaled;
}

}  // namespace qlnx
