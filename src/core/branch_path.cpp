#include "core/branch_path.h"

#include "core/evaluation_numbers.h"

namespace qlnx {

BranchPath::BranchPath(const std::vector<double>& xs, const std::vector<double>& ys, double sign) {
    const size_t n = xs.size();
    const bool fromOrigin = n > 0 && xs[0] != 0;
    d_.reserve(n + 1);
    f_.reserve(n + 1);
    if (fromOrigin) {
        d_.push_back(0);
        f_.push_back(0);
    }
    for (size_t k = 0; k < n; ++k) {
        d_.push_back(sign * xs[k]);
        f_.push_back(sign * ys[k]);
    }
    area_.assign(d_.size(), 0);
    for (size_t k = 1; k < d_.size(); ++k) {
        area_[k] = area_[k - 1] + 0.5 * (f_[k - 1] + f_[k]) * (d_[k] - d_[k - 1]);
    }
    for (size_t k = 1; k < f_.size(); ++k) {
        if (f_[k] > f_[peak_]) peak_ = k;
    }
}

std::optional<double> BranchPath::RisingCrossing(double f) const {
    for (size_t k = 0; k < peak_; ++k) {
        if (f_[k] < f && f <= f_[k + 1]) {
            return FiniteOrNull(d_[k] + (f - f_[k]) * (d_[k + 1] - d_[k]) / (f_[k + 1] - f_[k]));
        }
    }
    return std::nullopt;
}

std::optional<double> BranchPath::CurveAt(std::optional<double> x) const {
    if (!x || !(*x <= PeakDisp())) return std::nullopt;
    for (size_t k = 0; k < peak_; ++k) {
        if (d_[k] <= *x && *x <= d_[k + 1]) {
            if (d_[k] == d_[k + 1]) return FiniteOrNull(f_[k]);
            return FiniteOrNull(f_[k] + (*x - d_[k]) * (f_[k + 1] - f_[k]) / (d_[k + 1] - d_[k]));
        }
    }
    return std::nullopt;
}

UltimatePoint FindUltimate(const BranchPath& p, double ratio) {
    const double target = ratio * p.PeakForce();
    for (size_t k = p.Peak(); k + 1 < p.Size(); ++k) {
        if (p.F(k + 1) <= target) {
            const double d0 = p.D(k);
            const double f0 = p.F(k);
            // A flat segment at exactly the target force gives its start.
            const double du =
                p.F(k + 1) == f0 ? d0 : d0 + (target - f0) * (p.D(k + 1) - d0) / (p.F(k + 1) - f0);
            const double area = p.AreaTo(k) + 0.5 * (f0 + target) * (du - d0);
            return {du, target, area, true};
        }
    }
    const size_t last = p.Size() - 1;
    return {p.D(last), p.F(last), p.AreaTo(last), false};
}

double EqualEnergyDisp(const BranchPath& p) {
    return 2 * (p.PeakDisp() - p.AreaTo(p.Peak()) / p.PeakForce());
}

}  // namespace qlnx
