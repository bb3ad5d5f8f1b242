#include "core/calibration_record.h"

#include <algorithm>
#include <cmath>

namespace qlnx {

namespace {

double InitialStiffness(std::span<const double> u, std::span<const double> f, double fbar,
                        double ubar) {
    const size_t n = u.size();
    size_t a = n;
    for (size_t i = 0; i < n; ++i) {
        if (std::abs(f[i] - f[0]) >= 0.4 * fbar) {
            a = i;
            break;
        }
    }
    if (a < n) {
        if (a >= 3) {
            double sxy = 0;
            double sxx = 0;
            for (size_t i = 0; i <= a; ++i) {
                sxy += (u[i] - u[0]) * (f[i] - f[0]);
                sxx += (u[i] - u[0]) * (u[i] - u[0]);
            }
            if (sxx > 0 && sxy / sxx > 0) return sxy / sxx;
        }
        const double du = std::abs(u[a] - u[0]);
        if (du > 0) {
            const double k = std::abs(f[a] - f[0]) / du;
            if (k > 0 && std::isfinite(k)) return k;
        }
    }
    return ubar > 0 ? 10 * fbar / ubar : 1.0;
}

}  // namespace

std::vector<double> CumulativeWork(std::span<const double> u, std::span<const double> f) {
    std::vector<double> e(u.size(), 0.0);
    for (size_t i = 1; i < u.size(); ++i) {
        e[i] = e[i - 1] + 0.5 * (f[i] + f[i - 1]) * (u[i] - u[i - 1]);
    }
    return e;
}

RecordScales ComputeRecordScales(std::span<const double> u, std::span<const double> f,
                                 double kbarOverride) {
    RecordScales s;
    const size_t n = u.size();
    if (n == 0) return s;
    size_t peak = 0;
    for (size_t i = 0; i < n; ++i) {
        if (std::abs(f[i]) > s.Fbar) {
            s.Fbar = std::abs(f[i]);
            peak = i;
        }
        s.Ubar = std::max(s.Ubar, std::abs(u[i]));
    }
    s.Kbar = kbarOverride > 0 ? kbarOverride : InitialStiffness(u, f, s.Fbar, s.Ubar);
    s.Uy = s.Fbar / s.Kbar;
    const std::vector<double> work = CumulativeWork(u, f);
    s.Ebar = std::max(work.back(), s.Fbar * s.Ubar);
    s.PeakU = std::abs(u[peak]);

    // Force at the zero crossings of the displacement, interpolated.
    std::vector<double> crossings;
    for (size_t i = 1; i < n; ++i) {
        const bool cross = (u[i - 1] < 0 && u[i] >= 0) || (u[i - 1] > 0 && u[i] <= 0);
        if (!cross) continue;
        const double t = u[i - 1] / (u[i - 1] - u[i]);
        crossings.push_back(std::abs(f[i - 1] + t * (f[i] - f[i - 1])));
    }
    if (!crossings.empty()) {
        std::sort(crossings.begin(), crossings.end());
        const size_t m = crossings.size();
        s.FIobs = m % 2 == 1 ? crossings[m / 2] : 0.5 * (crossings[m / 2 - 1] + crossings[m / 2]);
    }

    // Backbone beyond the peak: the sample of largest displacement on the peak's side.
    const double side = f[peak] >= 0 ? 1.0 : -1.0;
    size_t far = peak;
    for (size_t i = 0; i < n; ++i) {
        if (side * u[i] > side * u[far]) far = i;
    }
    if (std::abs(u[far]) > 1.05 * s.PeakU) {
        s.HasPostPeak = true;
        s.PostPeakSlope = (f[far] - f[peak]) / (u[far] - u[peak]);
    }
    return s;
}

std::vector<size_t> ReversalFilter(std::span<const double> u, double threshold) {
    const size_t n = u.size();
    std::vector<size_t> kept;
    if (n == 0) return kept;
    // Turning points that are at least `threshold` apart (a dead band on the reversals).
    std::vector<size_t> turns{0};
    size_t extreme = 0;
    int dir = 0;
    for (size_t i = 1; i < n; ++i) {
        const double d = u[i] - u[extreme];
        if (dir == 0) {
            // The first excursion that leaves the dead band sets the direction.
            if (std::abs(d) >= threshold && d != 0) {
                dir = d > 0 ? 1 : -1;
                extreme = i;
            }
            continue;
        }
        if (dir * d >= 0) {
            extreme = i;
        } else if (-dir * d >= threshold) {
            turns.push_back(extreme);
            dir = -dir;
            extreme = i;
        }
    }
    turns.push_back(n - 1);
    // Between two turning points keep the samples that do not step back.
    kept.push_back(0);
    for (size_t t = 1; t < turns.size(); ++t) {
        const size_t from = turns[t - 1];
        const size_t to = turns[t];
        const double s = u[to] >= u[from] ? 1.0 : -1.0;
        double last = u[from];
        for (size_t i = from + 1; i <= to; ++i) {
            if (i == to || (s * (u[i] - last) >= 0 && s * (u[to] - u[i]) >= 0)) {
                if (i != kept.back()) kept.push_back(i);
                last = u[i];
            }
        }
    }
    return kept;
}

}  // namespace qlnx
