#include "core/calibration_fit.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace qlnx {

namespace {

// Penalty of a parameter set that leaves the model's domain at sample k of n: finite, so the
// local polish can handle it, and smaller the further the set got through the record.
double Penalty(size_t k, size_t n) { return 10 + static_cast<double>(k) / static_cast<double>(n); }

double ThetaOf(const FitParameter& p, double x) {
    if (p.Log) return p.Lower * std::pow(p.Upper / p.Lower, x);
    return p.Lower + x * (p.Upper - p.Lower);
}

double XOf(const FitParameter& p, double theta) {
    double x = p.Log ? std::log(theta / p.Lower) / std::log(p.Upper / p.Lower)
                     : (theta - p.Lower) / (p.Upper - p.Lower);
    if (!std::isfinite(x)) x = 0;
    return std::clamp(x, 0.0, 1.0);
}

// When an evaluation may end before the last sample: J_F and J_E only grow as samples are
// added (sums of squares, in a fixed order), so once the value over the samples run so far
// reaches Threshold, the value over the whole record would too.
struct StopRule {
    double Threshold = std::numeric_limits<double>::infinity();
    bool ForceOnly = false;  // compare J_F alone (else J = J_F + w_E J_E)
};

// The objective on one (possibly pre-filtered) sequence of samples.
class Objective {
public:
    Objective(const CalibrationModelRow& row, const RecordScales& scales, std::vector<double> u,
              std::vector<double> f, const CalibrationSettings& settings)
        : row_(row),
          scales_(scales),
          u_(std::move(u)),
          f_(std::move(f)),
          energyWeight_(settings.EnergyWeight),
          model_(u_.size()) {
        const size_t n = u_.size();
        weights_.assign(n, 1.0);
        if (settings.ArcLengthWeights) {
            for (size_t i = 0; i < n; ++i) {
                const double back = i > 0 ? std::abs(u_[i] - u_[i - 1]) : 0.0;
                const double ahead = i + 1 < n ? std::abs(u_[i + 1] - u_[i]) : 0.0;
                weights_[i] = 0.5 * (back + ahead);
            }
        }
        weightSum_ = 0;
        for (double w : weights_) weightSum_ += w;
        if (!(weightSum_ > 0)) {
            weights_.assign(n, 1.0);
            weightSum_ = static_cast<double>(n);
        }
        work_ = CumulativeWork(u_, f_);
    }

    // J = J_F + w_E J_E, or the penalty; jf and energyRatio (when given) receive J_F and the
    // ratio of the model's work to the record's at the end. Under a stop rule the run may end
    // early, once no later sample can bring the value back below the threshold: the value
    // returned (and in ForceOnly, jf) is then the one over the samples run, at least the
    // threshold, and energyRatio is not set.
    double operator()(std::span<const double> theta, double stepScale, double* jf = nullptr,
                      double* energyRatio = nullptr, const StopRule& rule = {}) {
        ++evaluations_;
        const size_t n = u_.size();
        sums_ = {};
        rule_ = rule;
        stopped_ = false;
        RunWatch watch;
        if (rule.Threshold < std::numeric_limits<double>::infinity() && energyWeight_ >= 0) {
            watch = {&Objective::AfterSamples, this};
        }
        const size_t done = row_.Run(theta, scales_, u_, model_, stepScale, watch);
        if (stopped_) {
            ++stops_;
            stoppedSamples_ += done;
            if (jf) *jf = partialJf_;
            return partialValue_;
        }
        if (done < n) return Penalty(done, n);
        Accumulate(n);
        if (sums_.nonFinite < n) return Penalty(sums_.nonFinite, n);
        const double nrmse = ForceError();
        if (jf) *jf = nrmse;
        if (energyRatio) *energyRatio = work_.back() != 0 ? sums_.modelWork / work_.back() : 0.0;
        const double j = nrmse + energyWeight_ * EnergyError();
        return std::isfinite(j) ? j : Penalty(n, n);
    }

    const std::vector<double>& ModelForce() const { return model_; }
    size_t Evaluations() const { return evaluations_; }
    size_t Stops() const { return stops_; }
    // Mean fraction of the samples the evaluations that stopped early had run.
    double StoppedFraction() const {
        return stops_ == 0 ? 0.0
                           : static_cast<double>(stoppedSamples_) /
                                 (static_cast<double>(stops_) * static_cast<double>(u_.size()));
    }

private:
    // The running sums over samples 0..next-1 of one evaluation, in the order of the samples.
    struct Sums {
        size_t next = 0;
        size_t nonFinite = std::numeric_limits<size_t>::max();  // first non-finite model force
        double force = 0;
        double energy = 0;
        double modelWork = 0;
    };

    void Accumulate(size_t end) {
        Sums& s = sums_;
        for (; s.next < end && s.nonFinite > s.next; ++s.next) {
            const size_t i = s.next;
            if (!std::isfinite(model_[i])) {
                s.nonFinite = i;
                break;
            }
            const double d = model_[i] - f_[i];
            s.force += weights_[i] * d * d;
            if (i > 0) s.modelWork += 0.5 * (model_[i] + model_[i - 1]) * (u_[i] - u_[i - 1]);
            const double de = s.modelWork - work_[i];
            s.energy += weights_[i] * de * de;
        }
    }

    double ForceError() const { return std::sqrt(sums_.force / weightSum_) / scales_.Fbar; }
    double EnergyError() const { return std::sqrt(sums_.energy / weightSum_) / scales_.Ebar; }

    // The watch over a run under a stop rule: brings the sums up to the samples done and stops
    // the run when the whole record's value is bound to reach the threshold. A model that
    // fails later returns a penalty of at least 10 + done/n, so the threshold must not be above
    // that either.
    static bool AfterSamples(void* context, size_t done) {
        Objective& o = *static_cast<Objective*>(context);
        o.Accumulate(done);
        const size_t n = o.u_.size();
        if (o.sums_.nonFinite < n || o.rule_.Threshold > Penalty(done, n)) return true;
        const double jf = o.ForceError();
        const double j = jf + o.energyWeight_ * o.EnergyError();
        if (!((o.rule_.ForceOnly ? jf : j) >= o.rule_.Threshold)) return true;
        o.stopped_ = true;
        o.partialJf_ = jf;
        o.partialValue_ = std::isfinite(j) ? j : Penalty(n, n);
        return false;
    }

    const CalibrationModelRow& row_;
    const RecordScales& scales_;
    std::vector<double> u_;
    std::vector<double> f_;
    double energyWeight_;
    std::vector<double> model_;
    std::vector<double> weights_;
    double weightSum_ = 0;
    std::vector<double> work_;
    size_t evaluations_ = 0;
    Sums sums_;
    StopRule rule_;
    bool stopped_ = false;
    double partialJf_ = 0;
    double partialValue_ = 0;
    size_t stops_ = 0;
    size_t stoppedSamples_ = 0;
};

// The optimiser's view: x in [0,1]^d over the free parameters.
struct Search {
    Objective& objective;
    const std::vector<FitParameter>& parameters;
    std::vector<size_t> free;
    double stepScale = 1;
    const ProgressCallback& progress;
    size_t totalBudget = 1;
    std::vector<double> theta;
    std::vector<double> bestX;
    double best = std::numeric_limits<double>::infinity();
    // The global stage's population. CRS starts from `population` points, all kept, and takes a
    // later point only when its value is strictly below the highest value kept, in place of
    // it: so the values kept are always the `population` lowest values of the stage. `lowest`
    // holds them as a max-heap; once it is full, an evaluation that reaches its top is turned
    // down whatever its exact value, and may stop before the end of the record.
    size_t population = 0;  // 0 outside the global stage
    std::vector<double> lowest = {};
    bool stopEarly = true;

    std::vector<double> ThetaAt(const double* x) const {
        std::vector<double> t(parameters.size());
        for (size_t j = 0; j < parameters.size(); ++j) t[j] = parameters[j].Start;
        for (size_t k = 0; k < free.size(); ++k) t[free[k]] = ThetaOf(parameters[free[k]], x[k]);
        return t;
    }

    double Evaluate(const double* x) {
        if (progress && objective.Evaluations() % 16 == 0) {
            const double fraction = std::min(1.0, static_cast<double>(objective.Evaluations()) /
                                                      static_cast<double>(totalBudget));
            if (!progress(fraction)) throw nlopt::forced_stop();
        }
        theta = ThetaAt(x);
        StopRule rule;
        if (stopEarly && population > 0 && lowest.size() == population) {
            rule.Threshold = lowest.front();
        }
        const double j = objective(theta, stepScale, nullptr, nullptr, rule);
        if (population > 0) Keep(j);
        if (j < best) {
            best = j;
            bestX.assign(x, x + free.size());
        }
        return j;
    }

    void Keep(double j) {
        if (lowest.size() < population) {
            lowest.push_back(j);
            std::push_heap(lowest.begin(), lowest.end());
        } else if (j < lowest.front()) {
            std::pop_heap(lowest.begin(), lowest.end());
            lowest.back() = j;
            std::push_heap(lowest.begin(), lowest.end());
        }
    }

    static double Callback(unsigned, const double* x, double*, void* data) {
        return static_cast<Search*>(data)->Evaluate(x);
    }
};

// Runs one NLopt stage from x; the best point seen is kept in the search whatever the
// optimiser reports. Returns false when the fit was cancelled.
bool RunStage(Search& search, nlopt::algorithm algorithm, size_t budget, std::vector<double> x,
              uint32_t seed, bool local) {
    const unsigned d = static_cast<unsigned>(x.size());
    nlopt::opt opt(algorithm, d);
    opt.set_lower_bounds(std::vector<double>(d, 0.0));
    opt.set_upper_bounds(std::vector<double>(d, 1.0));
    opt.set_min_objective(Search::Callback, &search);
    opt.set_maxeval(static_cast<int>(budget));
    if (local) {
        opt.set_initial_step(std::vector<double>(d, 0.05));
        opt.set_xtol_rel(1e-6);
        opt.set_ftol_rel(1e-10);
    }
    if (algorithm == nlopt::GN_CRS2_LM) {
        // The library's own default, stated so that the search knows the population it keeps.
        search.population = 10 * (d + 1);
        search.lowest.clear();
        search.lowest.reserve(search.population);
        opt.set_population(static_cast<unsigned>(search.population));
    }
    double value = 0;
    bool running = true;
    try {
        nlopt::srand(seed);
        opt.optimize(x, value);
    } catch (const nlopt::forced_stop&) {
        running = false;
    } catch (const nlopt::roundoff_limited&) {
    } catch (const std::runtime_error&) {
    }
    search.population = 0;
    return running;
}

}  // namespace

std::vector<std::string> UndeterminedNames(const CalibrationResult& r) {
    std::vector<std::string> names;
    for (const ParameterSensitivity& s : r.Sensitivity) {
        if (s.Undetermined) names.push_back(s.Name);
    }
    return names;
}

std::string OptimiserVersion() {
    return std::to_string(nlopt::version_major()) + "." + std::to_string(nlopt::version_minor()) +
           "." + std::to_string(nlopt::version_bugfix());
}

CalibrationResult FitModel(CalibrationModel model, std::span<const double> u,
                           std::span<const double> f, const CalibrationSettings& settings,
                           const ProgressCallback& progress) {
    if (u.size() != f.size() || u.size() < 3) {
        throw std::invalid_argument("A model is fitted to a record of at least 3 samples.");
    }
    for (size_t i = 0; i < u.size(); ++i) {
        if (!std::isfinite(u[i]) || !std::isfinite(f[i])) {
            throw std::invalid_argument("Sample " + std::to_string(i + 1) +
                                        " of the record is not a number.");
        }
    }
    const CalibrationModelRow& row = CalibrationModelRowOf(model);
    CalibrationResult r;
    r.Model = model;
    r.Settings = settings;
    r.Scales = ComputeRecordScales(u, f, settings.KbarOverride);
    if (!(r.Scales.Fbar > 0) || !(r.Scales.Ubar > 0)) {
        throw std::invalid_argument("The record has no force or no displacement to fit.");
    }
    r.Parameters = row.Parameters(r.Scales, r.Warnings);

    if (settings.Prefilter) {
        r.Samples = ReversalFilter(u, 1e-3 * r.Scales.Ubar);
    } else {
        r.Samples.resize(u.size());
        for (size_t i = 0; i < u.size(); ++i) r.Samples[i] = i;
    }
    std::vector<double> su(r.Samples.size());
    std::vector<double> sf(r.Samples.size());
    for (size_t k = 0; k < r.Samples.size(); ++k) {
        su[k] = u[r.Samples[k]];
        sf[k] = f[r.Samples[k]];
    }
    Objective objective(row, r.Scales, std::move(su), std::move(sf), settings);

    Search search{objective, r.Parameters, {}, 1.0, progress, 1, {}, {}};
    search.stopEarly = settings.StopEarly;
    for (size_t j = 0; j < r.Parameters.size(); ++j) {
        if (!r.Parameters[j].Fixed) search.free.push_back(j);
    }
    const size_t d = search.free.size();
    const double scale = settings.BudgetScale > 0 ? settings.BudgetScale : 1.0;
    r.GlobalBudget =
        std::max<size_t>(20 * (d + 1), static_cast<size_t>(400.0 * static_cast<double>(d) * scale));
    r.LocalBudget =
        std::max<size_t>(4 * (d + 1), static_cast<size_t>(200.0 * static_cast<double>(d) * scale));
    search.totalBudget = r.GlobalBudget + r.LocalBudget + 26 * d;
    r.GlobalAlgorithm = "GN_CRS2_LM";
    r.LocalAlgorithm = row.Smooth ? "LN_BOBYQA" : "LN_SBPLX";

    std::vector<double> x0(d);
    for (size_t k = 0; k < d; ++k) {
        const FitParameter& p = r.Parameters[search.free[k]];
        x0[k] = XOf(p, p.Start);
    }
    // The start is the first point seen, so the fit never ends worse than it.
    search.Evaluate(x0.data());
    bool running = RunStage(search, nlopt::GN_CRS2_LM, r.GlobalBudget, x0, settings.Seed, false);
    const nlopt::algorithm local = row.Smooth ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX;
    if (running) {
        running = RunStage(search, local, r.LocalBudget, search.bestX, settings.Seed, true);
    }
    // The integrated models: the same parameters on sub-steps of a quarter.
    if (running && row.StepAdvice) {
        const std::vector<double> theta = search.ThetaAt(search.bestX.data());
        objective(theta, 1.0);
        const std::vector<double> coarse = objective.ModelForce();
        objective(theta, 0.25);
        double change = 0;
        for (size_t i = 0; i < coarse.size(); ++i) {
            change = std::max(change, std::abs(coarse[i] - objective.ModelForce()[i]));
        }
        r.AccuracyChange = change / r.Scales.Fbar;
        if (r.AccuracyChange > 1e-4) {
            r.Warnings.push_back(
                "Sub-steps of a quarter change the force by more than 1e-4 of "
                "the largest force: refitted on them.");
            r.StepScale = 0.25;
            search.stepScale = 0.25;
            search.best = std::numeric_limits<double>::infinity();
            const std::vector<double> from = search.bestX;
            search.Evaluate(from.data());
            running = RunStage(search, local, r.LocalBudget, from, settings.Seed, true);
        }
    }
    r.Cancelled = !running;

    r.Theta = search.ThetaAt(search.bestX.data());
    double energyRatio = 0;
    r.Objective = objective(r.Theta, r.StepScale, &r.NRMSE, &energyRatio);
    r.EnergyRatio = energyRatio;
    const std::vector<double> fitted = objective.ModelForce();
    r.ModelForce.assign(u.size(), 0.0);
    size_t k = 0;
    for (size_t i = 0; i < u.size(); ++i) {
        while (k + 1 < r.Samples.size() && r.Samples[k + 1] <= i) ++k;
        r.ModelForce[i] = fitted[k];
    }
    r.OpenSees = row.OpenSees(r.Theta, r.Scales);
    if (row.StepAdvice) r.StepAdvice = row.StepAdvice(r.Theta, r.Scales) * r.StepScale;

    // How far each parameter may move, alone, before J_F rises by 10 %.
    const double limit = 1.1 * r.NRMSE;
    for (size_t j = 0; j < r.Parameters.size(); ++j) {
        const FitParameter& p = r.Parameters[j];
        ParameterSensitivity s{p.Name, r.Theta[j], -1, false, p.Fixed, false};
        if (!p.Fixed && !r.Cancelled) {
            const double x = XOf(p, r.Theta[j]);
            s.AtBound = x <= 1e-3 || x >= 1 - 1e-3;
            std::vector<double> theta = r.Theta;
            // Only whether J_F reaches the limit matters here, so a run may stop as soon as
            // it does (not when a limit above 10 could be confused with a penalty).
            StopRule rule;
            if (settings.StopEarly) rule = {limit, true};
            auto jfAt = [&](double relative) {
                theta[j] = r.Theta[j] * (1 + relative);
                double jf = 0;
                const double value = objective(theta, r.StepScale, &jf, nullptr, rule);
                return value >= 10 ? value : jf;
            };
            for (const double side : {1.0, -1.0}) {
                if (r.Theta[j] == 0 || jfAt(0.5 * side) < limit) continue;
                double lo = 0;
                double hi = 0.5;
                for (int i = 0; i < 12; ++i) {
                    const double mid = 0.5 * (lo + hi);
                    if (jfAt(mid * side) >= limit) {
                        hi = mid;
                    } else {
                        lo = mid;
                    }
                }
                if (s.RelativeChange < 0 || hi < s.RelativeChange) s.RelativeChange = hi;
            }
            s.Undetermined = s.AtBound || s.RelativeChange < 0;
        }
        r.Sensitivity.push_back(s);
    }
    r.Evaluations = objective.Evaluations();
    r.StoppedEarly = objective.Stops();
    r.StoppedAtFraction = objective.StoppedFraction();
    return r;
}

}  // namespace qlnx
