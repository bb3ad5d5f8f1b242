// The integration the two Bouc-Wen models share: one displacement step of the hysteretic
// displacement z and the hysteretic work e by classical RK4 on equal sub-steps no longer than
// a limit, the direction of loading fixed over the step.
#pragma once

#include <algorithm>
#include <cmath>

namespace qlnx {

// Most sub-steps one displacement step may take; a set of parameters that needs more has left
// the model's domain.
inline constexpr double kMostSubSteps = 1e4;

// Advances (z, e) over the non-zero displacement step du on m = max(1, ceil(|du| / hmax))
// equal sub-steps; derivative(z, e, s, dz, de) gives dz/du and de/du while loading in
// direction s = sgn(du). Returns false, leaving (z, e) as they were, when more than
// kMostSubSteps sub-steps would be needed.
template <class Derivative>
bool Rk4DisplacementStep(const Derivative& derivative, double du, double hmax, double& z,
                         double& e) {
    const int s = du > 0 ? 1 : -1;
    const double count = std::ceil(std::abs(du) / hmax);
    if (!(count <= kMostSubSteps)) return false;
    const int m = std::max(1, static_cast<int>(count));
    const double h = du / m;
    double zk = z;
    double ek = e;
    for (int k = 0; k < m; ++k) {
        double z1, e1, z2, e2, z3, e3, z4, e4;
        derivative(zk, ek, s, z1, e1);
        derivative(zk + 0.5 * h * z1, ek + 0.5 * h * e1, s, z2, e2);
        derivative(zk + 0.5 * h * z2, ek + 0.5 * h * e2, s, z3, e3);
        derivative(zk + h * z3, ek + h * e3, s, z4, e4);
        zk += h / 6 * (z1 + 2 * z2 + 2 * z3 + z4);
        ek += h / 6 * (e1 + 2 * e2 + 2 * e3 + e4);
    }
    z = zk;
    e = ek;
    return true;
}

}  // namespace qlnx
