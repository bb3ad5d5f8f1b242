#include "core/bouc_wen_model.h"

#include <algorithm>
#include <cmath>

namespace qlnx {

namespace {

constexpr double kMostSubSteps = 1e4;

}  // namespace

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
    const int s = du > 0 ? 1 : -1;
    const double a = p_.Ao - p_.deltaA * e_;
    const double eta = 1 + p_.deltaEta * e_;
    const double hmax = BoucWenStepLimit(p_, e_, cap_) * stepScale_;
    const double count = std::ceil(std::abs(du) / hmax);
    if (!(a > 0) || !(eta > 0) || !(count <= kMostSubSteps)) {
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
