#include "core/bwbn_model.h"

#include <algorithm>
#include <cmath>

namespace qlnx {

namespace {

constexpr double kMostSubSteps = 1e4;

double UltimateZ(const BwbnParameters& p) {
    const double c = p.beta + p.gamma;
    return c > 0 ? std::pow(1 / c, 1 / p.n) : 0.0;
}

double Zeta1(const BwbnParameters& p, double e) { return p.zetas * (1 - std::exp(-p.p * e)); }

double Zeta2(const BwbnParameters& p, double e) {
    return (p.Shi + p.deltaShi * e) * (p.lambda + Zeta1(p, e));
}

}  // namespace

double BwbnStepLimit(const BwbnParameters& p, double e, double cap) {
    double h = cap;
    const double zu = UltimateZ(p);
    if (zu > 0 && p.Ao > 0) h = std::min(h, zu / (8 * std::max(p.n, 1.0) * p.Ao));
    const double z2 = Zeta2(p, e);
    if (z2 > 0 && p.Ao > 0) h = std::min(h, z2 / (4 * p.Ao));
    return h;
}

BwbnModel::BwbnModel(const BwbnParameters& p, double cap, double stepScale)
    : p_(p), cap_(cap), stepScale_(stepScale), zu_(UltimateZ(p)), hystK_((1 - p.alpha) * p.ko) {
    zScale_ = zu_ > 0 && std::isfinite(zu_) ? zu_ : 1.0;
    const double scaleN = std::pow(zScale_, p.n);
    betaN_ = p.beta * scaleN;
    gammaN_ = p.gamma * scaleN;
}

void BwbnModel::Derivative(double z, double e, int s, double& dz, double& de) const {
    const double zeta1 = Zeta1(p_, e);
    const double zeta2 = (p_.Shi + p_.deltaShi * e) * (p_.lambda + zeta1);
    const double offset = z * s - p_.q * zu_;
    const double pinch = 1 - zeta1 * std::exp(-(offset * offset) / (zeta2 * zeta2));
    const double zn = std::pow(std::abs(z) / zScale_, p_.n);
    const double sign = s * z >= 0 ? 1.0 : -1.0;
    dz = pinch * (p_.Ao - zn * (betaN_ * sign + gammaN_));
    de = hystK_ * z;
}

double BwbnModel::Step(double u) {
    const double du = u - u_;
    if (du == 0 || failed_) return f_;
    const int s = du > 0 ? 1 : -1;
    const double hmax = BwbnStepLimit(p_, e_, cap_) * stepScale_;
    const double count = std::ceil(std::abs(du) / hmax);
    if (!(Zeta2(p_, e_) > 0) || !(count <= kMostSubSteps)) {
        failed_ = true;
        return f_;
    }
    const int m = std::max(1, static_cast<int>(count));
    const double h = du / m;
    double z = z_;
    double e = e_;
    for (int k = 0; k < m; ++k) {
        double z1, e1, z2, e2, z3, e3, z4, e4;
        Derivative(z, e, s, z1, e1);
        Derivative(z + 0.5 * h * z1, e + 0.5 * h * e1, s, z2, e2);
        Derivative(z + 0.5 * h * z2, e + 0.5 * h * e2, s, z3, e3);
        Derivative(z + h * z3, e + h * e3, s, z4, e4);
        z += h / 6 * (z1 + 2 * z2 + 2 * z3 + z4);
        e += h / 6 * (e1 + 2 * e2 + 2 * e3 + e4);
    }
    if (!std::isfinite(z) || !std::isfinite(e)) {
        failed_ = true;
        return f_;
    }
    u_ = u;
    z_ = z;
    e_ = e;
    f_ = p_.alpha * p_.ko * u + hystK_ * z;
    return f_;
}

}  // namespace qlnx
