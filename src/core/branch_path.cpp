#include "core/branch_path.h"

#include <algorithm>
#include <cmath>

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
    double largest = 0;
    for (size_t k = 0; k < n; ++k) largest = std::max(largest, std::fabs(xs[k]));
    const double step = kOutwardShare * largest;
    for (size_t k = 0; k < n; ++k) {
        const double d = sign * xs[k];
        // The path's first point is always kept; a later one only when it goes further out.
        if (!d_.empty() && !(d > d_.back() + step)) {
            dropped_.push_back(k);
            continue;
        }
        d_.push_back(d);
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

CappedUltimate FindUltimate(const BranchPath& p, double ratio, std::optional<double> dispCap) {
    const UltimatePoint u = FindUltimate(p, ratio);
    if (!dispCap || !(*dispCap < u.Disp)) return {u, false};
    // The outward path rises in d, so one segment spans the cap (or the cap lies before the
    // path's first point, which is then the ultimate).
    for (size_t k = 0; k + 1 < p.Size(); ++k) {
        if (p.D(k) <= *dispCap && *dispCap <= p.D(k + 1)) {
            const double d0 = p.D(k);
            const double f0 = p.F(k);
            const double f = f0 + (*dispCap - d0) * (p.F(k + 1) - f0) / (p.D(k + 1) - d0);
            const double area = p.AreaTo(k) + 0.5 * (f0 + f) * (*dispCap - d0);
            return {{*dispCap, f, area, true}, true};
        }
    }
    return {{p.D(0), p.F(0), 0, true}, true};
}

std::optional<double> InitialStiffness(const BranchPath& p) {
    const double fmax = p.PeakForce();
    return QuotientOrNull(FiniteOrNull(0.4 * fmax), p.RisingCrossing(0.4 * fmax));
}

double EqualEnergyDisp(const BranchPath& p) {
    return 2 * (p.PeakDisp() - p.AreaTo(p.Peak()) / p.PeakForce());
}

}  // namespace qlnx
