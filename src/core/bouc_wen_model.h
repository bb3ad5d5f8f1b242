// Bouc-Wen hysteresis with the stiffness and strength degradation of Baber and Noori (OpenSees
// BoucWen), integrated in the displacement with RK4 on sub-steps small enough for the knee.
#pragma once

namespace qlnx {

struct BoucWenParameters {
    double alpha = 0;  // post-yield stiffness ratio
    double ko = 0;     // initial stiffness
    double n = 1;      // sharpness of the knee
    double gamma = 0;
    double beta = 0;
    double Ao = 1;
    double deltaA = 0;    // per unit of hysteretic energy
    double deltaNu = 0;   // per unit of hysteretic energy
    double deltaEta = 0;  // per unit of hysteretic energy
};

// Largest displacement sub-step at hysteretic energy e: eta*z_u/(8*max(n,1)*A), no larger than
// `cap`. z_u is the ultimate hysteretic displacement; with beta+gamma <= 0 it is undefined and
// only the cap applies.
double BoucWenStepLimit(const BoucWenParameters& p, double e, double cap);

// F = alpha*ko*u + (1-alpha)*ko*z with
// dz/du = [A - nu*|z|^n*(beta*sgn(s*z) + gamma)]/eta, A, nu, eta linear in the hysteretic work
// e = (1-alpha)*ko*int z du. `cap` bounds every sub-step (a fraction of the record's largest
// displacement) and `stepScale` shrinks the sub-steps (1 for a fit, 1/4 for the accuracy check).
class BoucWenModel {
public:
    BoucWenModel(const BoucWenParameters& p, double cap, double stepScale = 1.0);
    double Step(double u);
    // A set of parameters that left the model's domain (A or eta not positive, a non-finite
    // state, or a step that would need more than 10^4 sub-steps).
    bool Failed() const { return failed_; }

private:
    void Derivative(double z, double e, int s, double& dz, double& de) const;

    BoucWenParameters p_;
    double cap_;
    double stepScale_;
    double zScale_;  // z_u at e = 0 (1 when undefined): |z|^n is (|z|/zScale)^n * zScale^n
    double betaN_;   // beta * zScale^n
    double gammaN_;  // gamma * zScale^n
    double hystK_;   // (1 - alpha) * ko
    double u_ = 0;
    double z_ = 0;
    double e_ = 0;
    double f_ = 0;
    bool failed_ = false;
};

}  // namespace qlnx
