#include "core/calibration_models.h"

#include <algorithm>
#include <cmath>

#include "core/bouc_wen_model.h"
#include "core/bwbn_model.h"
#include "core/saws_model.h"
#include "core/steel01_model.h"
#include "core/steel02_model.h"

namespace qlnx {

namespace {

// Largest record-step fraction of the largest displacement for the integrated models.
double SubStepCap(const RecordScales& s) { return s.Ubar / 200; }

template <typename Model>
size_t Drive(Model& model, std::span<const double> u, std::span<double> f, const RunWatch& watch) {
    if (u.empty()) return 0;
    f[0] = u[0] != 0 ? model.Step(u[0]) : 0.0;
    if (model.Failed()) return 0;
    size_t i = 1;
    while (i < u.size()) {
        const size_t end = std::min(u.size(), (i / kRunWatchBlock + 1) * kRunWatchBlock);
        for (; i < end; ++i) {
            f[i] = model.Step(u[i]);
            if (model.Failed()) return i;
        }
        if (i < u.size() && watch.AfterSamples && !watch.AfterSamples(watch.Context, i)) return i;
    }
    return u.size();
}

FitParameter Param(std::string name, double lower, double upper, bool log, double start) {
    return {std::move(name), lower, upper, log, std::clamp(start, lower, upper), false};
}

// ---- Steel01: theta = (E0, Fy, b)

std::vector<FitParameter> Steel01Parameters_(const RecordScales& s,
                                             std::vector<std::string>& warnings) {
    const double fy = 0.7 * s.Fbar;
    double b = 0.02;
    if (s.Ubar > 0.7 * s.Uy) {
        b = std::clamp((s.Fbar - fy) / (s.Kbar * (s.Ubar - fy / s.Kbar)), 0.0, 0.2);
    }
    std::vector<FitParameter> p{Param("E0", 0.25 * s.Kbar, 5 * s.Kbar, true, s.Kbar),
                                Param("Fy", 0.05 * s.Fbar, 1.2 * s.Fbar, false, fy),
                                Param("b", 0, 0.5, false, b)};
    if (s.Ubar < 1.5 * fy / s.Kbar) {
        p[2].Fixed = true;
        warnings.push_back("The record hardly passes yield: b is fixed at its start value.");
    }
    return p;
}

Steel01Parameters Steel01Of(std::span<const double> t) { return {t[1], t[0], t[2]}; }

std::vector<NamedValue> Steel01OpenSees(std::span<const double> t, const RecordScales&) {
    const Steel01Parameters p = Steel01Of(t);
    return {{"Fy", p.Fy}, {"E0", p.E0}, {"b", p.b}};
}

size_t Steel01Run(std::span<const double> t, const RecordScales&, std::span<const double> u,
                  std::span<double> f, double, const RunWatch& watch) {
    Steel01Model model(Steel01Of(t));
    return Drive(model, u, f, watch);
}

// ---- Steel02: theta = (E0, Fy, b, R0, c~, cR2) with cR1 = c~ (1 - 1/R0)

std::vector<FitParameter> Steel02Parameters_(const RecordScales& s, std::vector<std::string>&) {
    return {Param("E", 0.25 * s.Kbar, 5 * s.Kbar, true, s.Kbar),
            Param("Fy", 0.1 * s.Fbar, 1.2 * s.Fbar, false, 0.75 * s.Fbar),
            Param("b", 0, 0.5, false, 0.02),
            Param("R0", 5, 30, false, 20),
            Param("cR1", 0.3, 1.0, false, 0.925 / (1 - 1.0 / 20)),
            Param("cR2", 0.01, 1.0, true, 0.15)};
}

Steel02Parameters Steel02Of(std::span<const double> t) {
    return {t[1], t[0], t[2], t[3], t[4] * (1 - 1 / t[3]), t[5]};
}

std::vector<NamedValue> Steel02OpenSees(std::span<const double> t, const RecordScales&) {
    const Steel02Parameters p = Steel02Of(t);
    return {{"Fy", p.Fy}, {"E", p.E0}, {"b", p.b}, {"R0", p.R0}, {"cR1", p.cR1}, {"cR2", p.cR2}};
}

size_t Steel02Run(std::span<const double> t, const RecordScales&, std::span<const double> u,
                  std::span<double> f, double, const RunWatch& watch) {
    Steel02Model model(Steel02Of(t));
    return Drive(model, u, f, watch);
}

// ---- Bouc-Wen: theta = (ko, alpha, n, Q, rho, dnu^, deta^); Ao = 1, deltaA = 0

std::vector<FitParameter> BoucWenCommon(const RecordScales& s) {
    const double k0 = 1.2 * s.Kbar;
    const double alpha = s.HasPostPeak ? std::clamp(s.PostPeakSlope / k0, 0.01, 0.3) : 0.05;
    return {Param("ko", 0.25 * s.Kbar, 5 * s.Kbar, true, k0),
            Param("alpha", 1e-4, 0.5, false, alpha), Param("n", 1, 10, false, 2),
            Param("Q", 0.2 * s.Fbar, 1.5 * s.Fbar, false,
                  std::max(0.2 * s.Fbar, s.Fbar - alpha * k0 * s.Ubar)),
            Param("rho", 0.1, 1.0, false, 0.5)};
}

std::vector<FitParameter> BoucWenParameters_(const RecordScales& s, std::vector<std::string>&) {
    std::vector<FitParameter> p = BoucWenCommon(s);
    p.push_back(Param("deltaNu", 0, 5, false, 0));
    p.push_back(Param("deltaEta", 0, 5, false, 0));
    return p;
}

// The ultimate hysteretic displacement of (ko, alpha, Q) and the shape parameters.
void ShapeOf(std::span<const double> t, double& beta, double& gamma, double& zu) {
    zu = t[3] / ((1 - t[1]) * t[0]);
    const double sum = 1 / std::pow(zu, t[2]);
    beta = t[4] * sum;
    gamma = (1 - t[4]) * sum;
}

BoucWenParameters BoucWenOf(std::span<const double> t, const RecordScales& s) {
    BoucWenParameters p;
    double zu = 0;
    p.alpha = t[1];
    p.ko = t[0];
    p.n = t[2];
    ShapeOf(t, p.beta, p.gamma, zu);
    p.Ao = 1;
    p.deltaA = 0;
    p.deltaNu = t[5] / s.Ebar;
    p.deltaEta = t[6] / s.Ebar;
    return p;
}

std::vector<NamedValue> BoucWenOpenSees(std::span<const double> t, const RecordScales& s) {
    const BoucWenParameters p = BoucWenOf(t, s);
    return {{"alpha", p.alpha},   {"ko", p.ko},           {"n", p.n},
            {"gamma", p.gamma},   {"beta", p.beta},       {"Ao", p.Ao},
            {"deltaA", p.deltaA}, {"deltaNu", p.deltaNu}, {"deltaEta", p.deltaEta}};
}

size_t BoucWenRun(std::span<const double> t, const RecordScales& s, std::span<const double> u,
                  std::span<double> f, double stepScale, const RunWatch& watch) {
    BoucWenModel model(BoucWenOf(t, s), SubStepCap(s), stepScale);
    return Drive(model, u, f, watch);
}

double BoucWenAdvice(std::span<const double> t, const RecordScales& s) {
    return BoucWenStepLimit(BoucWenOf(t, s), 0, SubStepCap(s));
}

// ---- BWBN: the Bouc-Wen part, then (zetas, p^, q, Shi^, deltaShi^, lambda)

std::vector<FitParameter> BwbnParameters_(const RecordScales& s, std::vector<std::string>&) {
    std::vector<FitParameter> p = BoucWenCommon(s);
    p.push_back(Param("zetas", 0, 0.95, false, 0.5));
    p.push_back(Param("p", 0, 20, false, 1));
    p.push_back(Param("q", 0, 0.5, false, 0.1));
    p.push_back(Param("Shi", 0.02, 1.0, true, 0.2));
    p.push_back(Param("deltaShi", 0, 1.0, false, 0));
    p.push_back(Param("lambda", 0.01, 1.0, true, 0.5));
    return p;
}

BwbnParameters BwbnOf(std::span<const double> t, const RecordScales& s) {
    BwbnParameters p;
    double zu = 0;
    p.alpha = t[1];
    p.ko = t[0];
    p.n = t[2];
    ShapeOf(t, p.beta, p.gamma, zu);
    p.Ao = 1;
    p.zetas = t[5];
    p.p = t[6] / s.Ebar;
    p.q = t[7];
    p.Shi = t[8] * zu;
    p.deltaShi = t[9] * zu / s.Ebar;
    p.lambda = t[10];
    return p;
}

std::vector<NamedValue> BwbnOpenSees(std::span<const double> t, const RecordScales& s) {
    const BwbnParameters p = BwbnOf(t, s);
    double beta = 0, gamma = 0, zu = 0;
    ShapeOf(t, beta, gamma, zu);
    return {{"alpha", p.alpha},
            {"ko", p.ko},
            {"n", p.n},
            {"gamma", p.gamma},
            {"beta", p.beta},
            {"Ao", p.Ao},
            {"q", p.q},
            {"zetas", p.zetas},
            {"p", p.p},
            {"Shi", p.Shi},
            {"deltaShi", p.deltaShi},
            {"lambda", p.lambda},
            {"tol", std::min(1e-8, 1e-8 * zu)},
            {"maxIter", 100}};
}

size_t BwbnRun(std::span<const double> t, const RecordScales& s, std::span<const double> u,
               std::span<double> f, double stepScale, const RunWatch& watch) {
    BwbnModel model(BwbnOf(t, s), SubStepCap(s), stepScale);
    return Drive(model, u, f, watch);
}

double BwbnAdvice(std::span<const double> t, const RecordScales& s) {
    return BwbnStepLimit(BwbnOf(t, s), 0, SubStepCap(s));
}

// ---- SAWS: theta = (S0, F0, FI/F0, DU/Ubar, R1, R2, R3, R4, alpha, beta)

std::vector<FitParameter> SawsParameters_(const RecordScales& s,
                                          std::vector<std::string>& warnings) {
    const double k0 = 1.2 * s.Kbar;
    const double theta = s.Ubar > 0 ? s.PeakU / s.Ubar : 1.0;
    const double du = std::clamp(theta, 0.1, 2.0) * s.Ubar;
    double f0 = s.Fbar;
    for (int i = 0; i < 5; ++i) {
        f0 = s.Fbar / (1 - std::exp(-k0 * du / f0)) - 0.05 * k0 * du;
        if (!(f0 > 0)) {
            f0 = s.Fbar;
            break;
        }
    }
    f0 = std::clamp(f0, 0.2 * s.Fbar, 1.5 * s.Fbar);
    const double r2 = s.HasPostPeak ? s.PostPeakSlope / k0 : -0.05;
    std::vector<FitParameter> p{Param("S0", 0.25 * s.Kbar, 5 * s.Kbar, true, k0),
                                Param("F0", 0.2 * s.Fbar, 1.5 * s.Fbar, false, f0),
                                Param("FI", 0.01, 0.6, false, std::clamp(s.FIobs / f0, 0.02, 0.5)),
                                Param("DU", 0.1, 2.0, false, theta),
                                Param("R1", 0, 0.3, false, 0.05),
                                Param("R2", -1.0, -0.005, false, r2),
                                Param("R3", 0.8, 3.0, false, 1.1),
                                Param("R4", 0.001, 0.3, true, 0.05),
                                Param("alpha", 0, 1.5, false, 0.7),
                                Param("beta", 1.0, 1.5, false, 1.1)};
    if (!s.HasPostPeak) {
        p[5].Start = -0.05;
        p[5].Fixed = true;
        warnings.push_back("The record does not pass its force peak: R2 is fixed at -0.05.");
    }
    return p;
}

SawsParameters SawsOf(std::span<const double> t, const RecordScales& s) {
    return {t[1], t[2] * t[1], t[3] * s.Ubar, t[0], t[4], t[5], t[6], t[7], t[8], t[9]};
}

std::vector<NamedValue> SawsOpenSees(std::span<const double> t, const RecordScales& s) {
    const SawsParameters p = SawsOf(t, s);
    return {{"F0", p.F0}, {"FI", p.FI}, {"DU", p.DU}, {"S0", p.S0},       {"R1", p.R1},
            {"R2", p.R2}, {"R3", p.R3}, {"R4", p.R4}, {"alpha", p.alpha}, {"beta", p.beta}};
}

size_t SawsRun(std::span<const double> t, const RecordScales& s, std::span<const double> u,
               std::span<double> f, double, const RunWatch& watch) {
    SawsModel model(SawsOf(t, s));
    return Drive(model, u, f, watch);
}

const CalibrationModelRow kModels[] = {
    {CalibrationModel::Steel01, "steel01", "Steel01 (bilinear)", "Steel01", false,
     Steel01Parameters_, Steel01OpenSees, Steel01Run, nullptr,
     "bilinear with kinematic hardening, no isotropic hardening (a1..a4 omitted)"},
    {CalibrationModel::Steel02, "steel02", "Steel02 (Menegotto-Pinto)", "Steel02", true,
     Steel02Parameters_, Steel02OpenSees, Steel02Run, nullptr,
     "R = R0*(1 - cR1*xi/(cR2 + xi)) with xi from the new asymptote point to the historic "
     "extreme reversal of the side loaded (initially +-Fy/E); no isotropic hardening"},
    {CalibrationModel::BoucWen, "bouc-wen", "Bouc-Wen", "BoucWen", true, BoucWenParameters_,
     BoucWenOpenSees, BoucWenRun, BoucWenAdvice,
     "F = alpha*ko*u + (1-alpha)*ko*z; degradation energy e = (1-alpha)*ko*int z du"},
    {CalibrationModel::Bwbn, "bwbn", "BWBN (pinching)", "BWBN", true, BwbnParameters_, BwbnOpenSees,
     BwbnRun, BwbnAdvice,
     "F = alpha*ko*u + (1-alpha)*ko*z; no degradation; pinching energy e = (1-alpha)*ko*int z du; "
     "z_u = (1/(beta+gamma))^(1/n) with Ao = 1"},
    {CalibrationModel::Saws, "saws", "SAWS (timber wall)", "SAWS", false, SawsParameters_,
     SawsOpenSees, SawsRun, nullptr,
     "the largest displacement of the side reloaded sets Kp and the target beta*dmax; unloading "
     "from any branch at R3*S0; the envelope is met from inside"},
};

}  // namespace

std::span<const CalibrationModelRow> CalibrationModels() { return kModels; }

const CalibrationModelRow& CalibrationModelRowOf(CalibrationModel model) {
    return kModels[static_cast<size_t>(model)];
}

const CalibrationModelRow* CalibrationModelOfName(std::string_view name) {
    for (const CalibrationModelRow& row : kModels) {
        if (row.BatchName == name) return &row;
    }
    return nullptr;
}

}  // namespace qlnx
