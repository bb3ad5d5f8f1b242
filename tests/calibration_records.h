// Records made from a model with known parameters along a cyclic history of growing
// amplitudes with trailing cycles, for the calibration tests and benchmarks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "core/bouc_wen_model.h"
#include "core/bwbn_model.h"

namespace qlnx::test {

// Displacements: for each amplitude fraction of `peak`, one primary cycle and two trailing
// cycles at three quarters of it, sampled at about `samples` points in all.
inline std::vector<double> CyclicHistory(double peak, size_t samples) {
    const double fractions[] = {0.05, 0.075, 0.1, 0.2, 0.3, 0.4, 0.7, 1.0};
    std::vector<double> amplitudes;
    for (double a : fractions) {
        amplitudes.push_back(a * peak);
        amplitudes.push_back(0.75 * a * peak);
        amplitudes.push_back(0.75 * a * peak);
    }
    double path = 0;
    for (double a : amplitudes) path += 4 * a;
    const double step = path / static_cast<double>(samples);
    std::vector<double> u{0.0};
    for (double a : amplitudes) {
        for (const double target : {a, -a, 0.0}) {
            const double from = u.back();
            const int n = std::max(1, static_cast<int>(std::ceil(std::abs(target - from) / step)));
            for (int k = 1; k <= n; ++k) u.push_back(from + (target - from) * k / n);
        }
    }
    return u;
}

// The force of a virgin model driven along u, plus normal noise of `noise` times the largest
// force (a fixed seed: the same record every time).
template <typename Model>
std::vector<double> ModelRecord(Model model, const std::vector<double>& u, double noise,
                                uint32_t seed = 7) {
    std::vector<double> f(u.size());
    for (size_t i = 0; i < u.size(); ++i) f[i] = model.Step(u[i]);
    double fbar = 0;
    for (double v : f) fbar = std::max(fbar, std::abs(v));
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0.0, noise * fbar);
    for (double& v : f) v += normal(random);
    return f;
}

// A degrading-free Bouc-Wen specimen: a knee of sharpness 2 near 10 force units.
inline BoucWenParameters BoucWenSpecimen() {
    BoucWenParameters p;
    p.alpha = 0.05;
    p.ko = 5;
    p.n = 2;
    p.beta = 0.006;
    p.gamma = 0.004;
    return p;
}

// The same specimen pinched: a dip that deepens with the hysteretic work.
inline BwbnParameters PinchedSpecimen() {
    BwbnParameters p;
    p.alpha = 0.05;
    p.ko = 5;
    p.n = 2;
    p.beta = 0.006;
    p.gamma = 0.004;
    p.zetas = 0.85;
    p.p = 0.002;
    p.q = 0.1;
    p.Shi = 3;
    p.lambda = 0.5;
    return p;
}

}  // namespace qlnx::test
