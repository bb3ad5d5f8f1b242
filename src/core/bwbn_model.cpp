#include "core/bwbn_model.h"

#include <algorithm>
#include <cmath>

#include "core/displacement_rk4.h"

namespace qlnx {

namespace {

double UltimateZ(const BwbnParameters& p) {
    const double c = p.beta + p.gamma;
    return c > 0 ? std::pow(1 / c, 1 / p.n) : 0.0;
}

double Zeta1(const BwbnParameters& p, double e) { return p.zetas * (1 - std::exp(-p.p * e)); }

double Zeta2(const BwbnParameters& p, double e) {
    return (p.Shi + p.deltaShi * e) * (p.lambda + Zeta1(p, e));
}

// The step limit from z_u and the dip's width zeta2, both worked out by the caller (a model
// keeps z_u, which its parameters fix, and needs zeta2 itself).
double StepLimitOf(const BwbnParameters& p, double zu, double zeta2, double cap) {
    double h = cap;
    if (zu > 0 && p.Ao > 0) h = std::min(h, zu / (8 * std::max(p.n, 1.0) * p.Ao));
    if (zeta2 > 0 && p.Ao > 0) h = std::min(h, zeta2 / (4 * p.Ao));
    return h;
}

}  // namespace

double BwbnStepLimit(const BwbnParameters& p, double e, double cap) {
    return StepLimitOf(p, UltimateZ(p), Zeta2(p, e), cap);
}

BwbnModel::BwbnModel(const BwbnParameters& p, double cap, double stepScale)
    : p_(p), cap_(cap), stepScale_(stepScale), zu_(UltimateZ(p)), hystK_((1 - p.alpha) * p.ko) {
    zScale_ = zu_ > 0 && std::isfinite(zu_) ? zu_ : 1.0;
    invScale_ = 1 / zScale_;
    const double scaleN = std::pow(zScale_, p.n);
    betaN_ = p.beta * scaleN;
    gammaN_ = p.gamma * scaleN;
    centre_ = p.q * zu_;
}

double BwbnModel::Derivative(double z, double e, double decay, int s) const {
    const double zeta1 = p_.zetas * (1 - decay);
    const double zeta2 = (p_.Shi + p_.deltaShi * e) * (p_.lambda + zeta1);
    // The dip's reciprocal squared width depends on e alone, so it is worked out beside the
    // power of z instead of after it.
    const double inverseWidth = 1 / (zeta2 * zeta2);
    const double offset = (s > 0 ? z : -z) - centre_;
    const double width = offset * offset * inverseWidth;
    // Far outside the dip zeta1*exp(-width) is below 2^-54 and 1 minus it is exactly 1: the
    // exponential is not needed there (nor is it taken for a width that is not a number).
    const double pinch = width >= 40 && std::abs(zeta1) <= 10 ? 1.0 : 1 - zeta1 * std::exp(-width);
    const double zn = std::pow(std::abs(z) * invScale_, p_.n);
    // beta*sgn(s*z) + gamma, scaled by zScale^n
    const double shape = (s > 0) == (z >= 0) || z == 0 ? betaN_ + gammaN_ : gammaN_ - betaN_;
    return pinch * (p_.Ao - zn * shape);
}

double BwbnModel::Step(double u) {
    const double du = u - u_;
    if (du == 0 || failed_) return f_;
    // exp(-p*e) at the start of the step serves the step limit and the first RK4 stage.
    const double e0 = e_;
    const double decay0 = std::exp(-p_.p * e0);
    const double zeta2 = (p_.Shi + p_.deltaShi * e0) * (p_.lambda + p_.zetas * (1 - decay0));
    const double hmax = StepLimitOf(p_, zu_, zeta2, cap_) * stepScale_;
    double z = z_;
    double e = e_;
    const auto derivative = [this, e0, decay0](double zk, double ek, int s, double& dz,
                                               double& de) {
        dz = Derivative(zk, ek, ek == e0 ? decay0 : std::exp(-p_.p * ek), s);
        de = hystK_ * zk;
    };
    if (!(zeta2 > 0) || !Rk4DisplacementStep(derivative, du, hmax, z, e)) {
        failed_ = true;
        return f_;
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
