// Plain re-statements of the loop analysis, the seven skeleton methods and the thinning,
// written rule by rule for clarity rather than speed, that the analysis fuzz target holds
// the program's versions against.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace qlnx::reference {

struct Loops {
    std::vector<double> D;
    std::vector<double> F;
    std::vector<int32_t> Start;
    int Count = 0;
    std::vector<int32_t> Index1;  // extreme of each loop's first half-cycle
    std::vector<int32_t> Index2;  // and of its second

    int32_t S(int i) const { return Start[2 * static_cast<size_t>(i)]; }
    int32_t T(int i) const {
        const size_t k = 2 * static_cast<size_t>(i) + 1;
        return k < Start.size() ? Start[k] : -1;
    }
    int32_t E(int i) const {
        const size_t k = 2 * static_cast<size_t>(i) + 2;
        return k < Start.size() ? Start[k] : static_cast<int32_t>(D.size()) - 1;
    }
};

// The working curve, the half-cycle starts, the loop count and the extremes, or nothing for
// fewer than four points. An extreme is the first point farthest from the reference
// displacement over the half-cycle, its end included.
inline std::optional<Loops> AnalyzeLoops(const std::vector<double>& disp,
                                         const std::vector<double>& force) {
    if (disp.size() <= 3) return std::nullopt;
    Loops r;
    const double x0 = disp[0];
    r.D.push_back(disp[0]);
    r.F.push_back(force[0]);
    r.Start.push_back(0);
    const auto last = [&] { return static_cast<int32_t>(r.D.size()) - 1; };
    for (size_t i = 1; i < disp.size(); ++i) {
        const double d = disp[i];
        const double f = force[i];
        const double dL = r.D.back();
        const double fL = r.F.back();
        if (d == x0 && dL != x0) {
            r.D.push_back(d);
            r.F.push_back(f);
            r.Start.push_back(last());
        } else if ((d > x0 && x0 > dL) || (d < x0 && x0 < dL)) {
            r.D.push_back(x0);
            r.F.push_back((x0 - dL) * (f - fL) / (d - dL) + fL);
            r.Start.push_back(last());
            r.D.push_back(d);
            r.F.push_back(f);
        } else if (d == dL && f == fL) {
            continue;
        } else {
            r.D.push_back(d);
            r.F.push_back(f);
        }
    }
    const size_t m = r.Start.size();
    r.Count = m <= 2 ? 1 : static_cast<int>((m - 1) / 2) + (r.Start.back() != last() ? 1 : 0);
    const auto farthest = [&](int32_t from, int32_t to) {
        int32_t best = from;
        double value = std::fabs(r.D[static_cast<size_t>(from)] - x0);
        for (int32_t j = from + 1; j <= to; ++j) {
            const double v = std::fabs(r.D[static_cast<size_t>(j)] - x0);
            if (v > value) {
                value = v;
                best = j;
            }
        }
        return best;
    };
    for (int k = 0; k < r.Count; ++k) {
        if (r.T(k) < 0) continue;
        r.Index1.push_back(farthest(r.S(k), r.T(k)));
        if (r.T(k) < r.E(k)) r.Index2.push_back(farthest(r.T(k), r.E(k)));
    }
    return r;
}

struct Side {
    bool Positive = true;
    std::vector<double> X;
    std::vector<double> Y;

    bool Beyond(double a, double b) const { return Positive ? a > b : a < b; }
    bool Outward(double x) const { return Beyond(x, X.back()); }
    void Add(double x, double y) {
        X.push_back(x);
        Y.push_back(y);
    }
};

struct Skeleton {
    Side Positive{true, {}, {}};
    Side Negative{false, {}, {}};
};

// method 1..7 as SkeletonMethod; positiveLeads for the direction Positive; envelopeCycle the
// cycle of each level method 7 takes.
inline Skeleton ExtractSkeleton(const Loops& r, int method, bool positiveLeads, bool keep,
                                int envelopeCycle = 1) {
    Skeleton s;
    Side& lead = positiveLeads ? s.Positive : s.Negative;
    Side& trail = positiveLeads ? s.Negative : s.Positive;
    const auto& D = r.D;
    const auto& F = r.F;
    const auto at = [](int32_t k) { return static_cast<size_t>(k); };
    const auto candidate = [&](Side& side, double x, double y, bool test) {
        if (!test || side.Outward(x)) side.Add(x, y);
    };
    // First index of the extreme force over from..to that goes beyond bar, else c.
    const auto extreme = [&](const Side& side, int32_t from, int32_t to, int32_t c, double bar) {
        for (int32_t k = from; k <= to; ++k) {
            if (side.Beyond(F[at(k)], bar)) {
                bar = F[at(k)];
                c = k;
            }
        }
        return c;
    };
    const auto walk = [&](Side& side, int32_t a, int32_t b) {
        for (int32_t k = a; k <= b; ++k) candidate(side, D[at(k)], F[at(k)], true);
    };
    const double x0 = D[0];
    const auto farthest = [&](int32_t from, int32_t to) {
        int32_t best = from;
        for (int32_t k = from + 1; k <= to; ++k) {
            if (std::fabs(D[at(k)] - x0) > std::fabs(D[at(best)] - x0)) best = k;
        }
        return best;
    };
    struct Crossing {
        int32_t Index;
        double X;
    };
    const auto crossing = [&](int32_t a, int32_t b, double level) -> std::optional<Crossing> {
        for (int32_t k = a; k < b; ++k) {
            const double f = F[at(k)];
            const double g = F[at(k + 1)];
            if (f == level) return Crossing{k, D[at(k)]};
            if ((f < level && g > level) || (f > level && g < level)) {
                return Crossing{k, D[at(k)] + (level - f) * (D[at(k + 1)] - D[at(k)]) / (g - f)};
            }
        }
        return std::nullopt;
    };
    const auto transfer = [&](Side& side, int32_t a, int32_t b, double level, double anchor,
                              std::optional<double> x) {
        for (int32_t k = a; k <= b; ++k) {
            const double f = F[at(k)];
            if (!side.Beyond(f, level) || !side.Beyond(f, side.Y.back())) continue;
            candidate(side, x ? D[at(k)] - *x + anchor : D[at(k)], f, keep);
        }
    };

    // Method 7: the level reached so far, the amplitude of its first loop, the cycle.
    int level = 0;
    double levelAmplitude = 0;
    int cycle = 0;

    for (int i = 0; i < r.Count; ++i) {
        const int32_t S = r.S(i);
        const int32_t T = r.T(i);
        const int32_t E = r.E(i);
        if (i == 0) {
            s.Positive.Add(D[0], F[0]);
            s.Negative.Add(D[0], F[0]);
        }
        const auto maxForce = [&] {
            if (T >= 0) {
                const int32_t p = extreme(lead, S, T, S, F[at(S)]);
                candidate(lead, D[at(p)], F[at(p)], keep);
                const int32_t q = extreme(trail, T, E, S, F[at(S)]);
                candidate(trail, D[at(q)], F[at(q)], keep);
            } else {
                const int32_t p = extreme(lead, S, E, S, F[at(S)]);
                candidate(lead, D[at(p)], F[at(p)], keep);
            }
        };
        const auto maxDisp = [&] {
            const auto k = static_cast<size_t>(i);
            if (k < r.Index1.size()) candidate(lead, D[at(r.Index1[k])], F[at(r.Index1[k])], keep);
            if (k < r.Index2.size()) {
                candidate(trail, D[at(r.Index2[k])], F[at(r.Index2[k])], keep);
            }
        };
        switch (method) {
            case 1: maxForce(); break;
            case 2: maxDisp(); break;
            case 3:
                maxForce();
                maxDisp();
                break;
            case 4:
                if (T >= 0) {
                    walk(lead, S, extreme(lead, S, T, S, F[at(S)]));
                    walk(trail, T, extreme(trail, T, E, T, F[at(S)]));
                } else {
                    walk(lead, S, extreme(lead, S, E, S, F[at(S)]));
                }
                break;
            case 5: {
                const auto k = static_cast<size_t>(i);
                if (T >= 0) {
                    walk(lead, S, k < r.Index1.size() ? r.Index1[k] : farthest(S, T));
                    walk(trail, T, k < r.Index2.size() ? r.Index2[k] : farthest(T, E));
                } else {
                    walk(lead, S, farthest(S, E));
                }
                break;
            }
            case 6: {
                const double leadLevel = lead.Y.back();
                const double leadAnchor = lead.X.back();
                const double trailLevel = trail.Y.back();
                const double trailAnchor = trail.X.back();
                if (T < 0) {
                    const auto c = crossing(S, E, leadLevel);
                    transfer(lead, S, E, leadLevel, leadAnchor,
                             c ? std::optional<double>(c->X) : std::nullopt);
                    break;
                }
                const int32_t from = i == 0 ? S : r.Start[2 * static_cast<size_t>(i) - 1];
                if (const auto c = crossing(from, T, leadLevel)) {
                    transfer(lead, c->Index, T, leadLevel, leadAnchor, c->X);
                }
                if (const auto c = crossing(S + 1, E, trailLevel)) {
                    transfer(trail, c->Index, E - 1, trailLevel, trailAnchor, c->X);
                }
                break;
            }
            case 7: {
                // Only loops that turn and end on a crossing count as cycles.
                if (T < 0 || 2 * static_cast<size_t>(i) + 2 >= r.Start.size()) break;
                int32_t hi = S;
                int32_t lo = S;
                for (int32_t k = S + 1; k <= E; ++k) {
                    const double d = D[at(k)];
                    const double f = F[at(k)];
                    if (d > D[at(hi)] || (d == D[at(hi)] && f > F[at(hi)])) hi = k;
                    if (d < D[at(lo)] || (d == D[at(lo)] && f < F[at(lo)])) lo = k;
                }
                const double a = (D[at(hi)] - D[at(lo)]) / 2;
                if (level > 0 && std::fabs(a - levelAmplitude) <= 0.10 * levelAmplitude) {
                    ++cycle;
                } else {
                    ++level;
                    levelAmplitude = a;
                    cycle = 1;
                }
                if (cycle == envelopeCycle) {
                    candidate(s.Positive, D[at(hi)], F[at(hi)], keep);
                    candidate(s.Negative, D[at(lo)], F[at(lo)], keep);
                }
                break;
            }
            default: break;
        }
    }
    return s;
}

// Keeps the first point; inside lo < x < hi only points more than tol from the last kept
// point; every point outside.
inline void Thin(std::vector<double>& x, std::vector<double>& y, double lo, double hi, double tol) {
    if (x.empty()) return;
    std::vector<double> kx{x[0]};
    std::vector<double> ky{y[0]};
    for (size_t i = 1; i < x.size(); ++i) {
        if (lo < x[i] && x[i] < hi && !(std::fabs(kx.back() - x[i]) > tol)) continue;
        kx.push_back(x[i]);
        ky.push_back(y[i]);
    }
    x.swap(kx);
    y.swap(ky);
}

}  // namespace qlnx::reference
