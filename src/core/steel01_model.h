// Bilinear hysteresis with kinematic hardening (OpenSees Steel01 without isotropic hardening).
#pragma once

namespace qlnx {

struct Steel01Parameters {
    double Fy = 0;  // yield force
    double E0 = 0;  // initial stiffness
    double b = 0;   // post-yield stiffness ratio, 0 <= b < 1
};

// The force stays between the two bounding lines b*E0*u +- (1-b)*Fy and is elastic with slope
// E0 between them; exact for any displacement step.
class Steel01Model {
public:
    explicit Steel01Model(const Steel01Parameters& p)
        : k0_(p.E0), bk0_(p.b * p.E0), band_((1 - p.b) * p.Fy) {}
    double Step(double u) {
        const double trial = f_ + k0_ * (u - u_);
        const double hardening = bk0_ * u;
        double f = trial;
        if (f < hardening - band_) f = hardening - band_;
        if (f > hardening + band_) f = hardening + band_;
        u_ = u;
        f_ = f;
        return f;
    }
    bool Failed() const { return false; }

private:
    double k0_;
    double bk0_;
    double band_;
    double u_ = 0;
    double f_ = 0;
};

}  // namespace qlnx
