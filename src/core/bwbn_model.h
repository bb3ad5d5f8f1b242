// Bouc-Wen-Baber-Noori hysteresis with Foliente's pinching (OpenSees BWBN): Bouc-Wen without
// degradation, its tangent cut by a dip that deepens and widens with the hysteretic work.
#pragma once

namespace qlnx {

struct BwbnParameters {
    double alpha = 0;
    double ko = 0;
    double n = 1;
    double gamma = 0;
    double beta = 0;
    double Ao = 1;
    double q = 0;         // centre of the dip, as a fraction of z_u
    double zetas = 0;     // total slip, < 1
    double p = 0;         // growth of the dip's depth per unit of hysteretic work
    double Shi = 0;       // width of the dip (a length)
    double deltaShi = 0;  // growth of the width per unit of hysteretic work
    double lambda = 0;    // severity
};

// Largest displacement sub-step at hysteretic work e: the knee's z_u/(8*max(n,1)*Ao), the
// dip's width zeta2(e)/(4*Ao), and `cap`.
double BwbnStepLimit(const BwbnParameters& p, double e, double cap);

// F = alpha*ko*u + (1-alpha)*ko*z,
// dz/du = h*[Ao - |z|^n*(beta*sgn(s*z) + gamma)],
// h = 1 - zeta1(e)*exp(-(z*s - q*z_u)^2/zeta2(e)^2), zeta1 = zetas*(1-exp(-p*e)),
// zeta2 = (Shi + deltaShi*e)*(lambda + zeta1), e = (1-alpha)*ko*int z du; RK4 sub-steps.
class BwbnModel {
public:
    BwbnModel(const BwbnParameters& p, double cap, double stepScale = 1.0);
    double Step(double u);
    bool Failed() const { return failed_; }

private:
    // dz/du at (z, e) loading in direction s, given decay = exp(-p*e).
    double Derivative(double z, double e, double decay, int s) const;

    BwbnParameters p_;
    double cap_;
    double stepScale_;
    double zu_;        // ultimate hysteretic displacement (1/(beta+gamma))^(1/n)
    double zScale_;    // zu_ when defined, else 1
    double invScale_;  // 1 / zScale_
    double centre_;    // q * zu_, the dip's centre
    double betaN_;
    double gammaN_;
    double hystK_;
    double u_ = 0;
    double z_ = 0;
    double e_ = 0;
    double f_ = 0;
    bool failed_ = false;
};

}  // namespace qlnx
