#include "core/steel02_model.h"

#include <algorithm>
#include <cmath>

namespace qlnx {

Steel02Model::Steel02Model(const Steel02Parameters& p)
    : p_(p), ey_(p.Fy / p.E0), r_(p.R0), epsMax_(ey_), epsMin_(-ey_) {}

double Steel02Model::Step(double u) {
    const double du = u - uPrev_;
    if (du == 0) return fPrev_;
    const int s = du > 0 ? 1 : -1;
    const double b = p_.b;
    if (dir_ == 0) {
        dir_ = s;
        ur_ = 0;
        fr_ = 0;
        u0_ = s * ey_;
        f0_ = s * p_.Fy;
        r_ = p_.R0;
    } else if (s != dir_) {
        ur_ = uPrev_;
        fr_ = fPrev_;
        if (s < 0) {
            epsMax_ = std::max(epsMax_, ur_);
        } else {
            epsMin_ = std::min(epsMin_, ur_);
        }
        u0_ = (p_.E0 * ur_ - fr_ + s * (1 - b) * p_.Fy) / (p_.E0 * (1 - b));
        f0_ = b * p_.E0 * u0_ + s * (1 - b) * p_.Fy;
        const double em = s > 0 ? epsMax_ : epsMin_;
        const double xi = std::abs(em - u0_) / ey_;
        r_ = p_.R0 * (1 - p_.cR1 * xi / (p_.cR2 + xi));
        dir_ = s;
    }
    double f;
    if (std::abs(u0_ - ur_) < 1e-12 * ey_) {
        f = b * p_.E0 * u + s * (1 - b) * p_.Fy;
    } else {
        const double es = (u - ur_) / (u0_ - ur_);
        // es/(1+|es|^R)^(1/R), written for |es| > 1 so that |es|^R cannot overflow.
        const double a = std::abs(es);
        const double curve = a <= 1
                                 ? es / std::pow(1 + std::pow(a, r_), 1 / r_)
                                 : (es > 0 ? 1.0 : -1.0) / std::pow(1 + std::pow(a, -r_), 1 / r_);
        const double shape = b * es + (1 - b) * curve;
        f = fr_ + (f0_ - fr_) * shape;
    }
    uPrev_ = u;
    fPrev_ = f;
    return f;
}

}  // namespace qlnx
