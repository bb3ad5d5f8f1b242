// Menegotto-Pinto steel with the curvature decay of Filippou et al. (OpenSees Steel02 without
// isotropic hardening).
#pragma once

namespace qlnx {

struct Steel02Parameters {
    double Fy = 0;   // yield force
    double E0 = 0;   // initial stiffness
    double b = 0;    // hardening ratio, 0 <= b < 1
    double R0 = 20;  // curvature of the first branch
    double cR1 = 0.925;
    double cR2 = 0.15;
};

// Each branch runs from its reversal point towards the point where the elastic line through it
// meets the hardening asymptote of the direction loaded; the curvature R falls with the plastic
// excursion of the half-cycle before. Closed form on every branch, so exact for any step.
class Steel02Model {
public:
    explicit Steel02Model(const Steel02Parameters& p);
    double Step(double u);
    bool Failed() const { return false; }

private:
    Steel02Parameters p_;
    double ey_;
    double uPrev_ = 0;
    double fPrev_ = 0;
    int dir_ = 0;
    double ur_ = 0;
    double fr_ = 0;
    double u0_ = 0;
    double f0_ = 0;
    double r_ = 0;
    double epsMax_;
    double epsMin_;
};

}  // namespace qlnx
