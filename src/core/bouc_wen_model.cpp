#include "core/bouc_wen_model.h"

#include <algorithm>
#include <cmath>

#include "core/displacement_rk4.h"

namespace qlnx {

double BoucWenStepLimit(const BoucWenParameters& p, double e, double cap) {
    const double a = p.Ao - p.deltaA * e;
    const double nu = 1 + p.deltaNu * e;
    const double eta = 1 + p.deltaEta * e;
    const double c = p.beta + p.gamma;
    if (!(c > 0) || !(a > 0) || !(nu > 0) || !(eta > 0)) return cap;
    const double zu = std::pow(a / (nu * c), 1 / p.n);
    return std::min(eta * zu / (8 * std::max(p.n, 1.0) * a), cap);
}

BoucWenModel::BoucWenModel(const BoucWenParameters& p, double cap, double stepScale)
    : p_(p), cap_(cap), stepScale_(stepScale), hystK_((1 - p.alpha) * p.ko) {
    const double c = p.beta + p.gamma;
    zScale_ = c > 0 ? std::pow(p.Ao / c, 1 / p.n) : 1.0;
    if (!(zScale_ > 0) || !std::isfinite(zScale_)) zScale_ = 1.0;
    const double scaleN = std::pow(zScale_, p.n);
    betaN_ = p.beta * scaleN;
    gammaN_ = p.gamma * scaleN;
}

void BoucWenModel::Derivative(double z, double e, int s, double& dz, double& de) const {
    const double a = p_.Ao - p_.deltaA * e;
    const double nu = 1 + p_.deltaNu * e;
    const double eta = 1 + p_.deltaEta * e;
    const double zn = std::pow(std::abs(z) / zScale_, p_.n);
    const double sign = s * z >= 0 ? 1.0 : -1.0;
    dz = (a - nu * zn * (betaN_ * sign + gammaN_)) / eta;
    de = hystK_ * z;
}

double BoucWenModel::Step(double u) {
    const double du = u - u_;
    if (du == 0 || failed_) return f_;
    const double a = p_.Ao - p_.deltaA * e_;
    const double eta = 1 + p_.deltaEta * e_;
    const double hmax = BoucWenStepLimit(p_, e_, cap_) * stepScale_;
    double z = z_;
    double e = e_;
    const auto derivative = [this](double zk, double ek, int s, double& dz, double& de) {
        Derivative(zk, ek, s, dz, de);
    };
    if (!(a > 0) || !(eta > 0) || !Rk4DisplacementStep(derivative, du, hmax, z, e)) {
        failed_ = true;
        return f_;
    }
    const double aEnd = p_.Ao - p_.deltaA * e;
    const double etaEnd = 1 + p_.deltaEta * e;
    if (!std::isfinite(z) || !std::isfinite(e) || !(aEnd > 0) || !(etaEnd > 0)) {
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
