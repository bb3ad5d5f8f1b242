// Fitting a hysteretic model to a record: a global search over the parameters' box, then a
// local polish, with budgets and a fixed seed so that the same fit gives the same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/calibration_models.h"
#include "core/calibration_record.h"
#include "core/progress.h"

namespace qlnx {

struct CalibrationSettings {
    uint32_t Seed = 1;              // seed of the global search's random numbers
    double EnergyWeight = 0;        // weight of the cumulative-work term (0.25 for pinched loops)
    bool ArcLengthWeights = false;  // weigh each sample by the displacement path around it
    bool Prefilter = false;   // remove reversals smaller than 1e-3 of the largest displacement
    double BudgetScale = 1;   // fraction of the evaluation budgets (1: 400 d global, 200 d local)
    double KbarOverride = 0;  // initial stiffness estimate to use instead of the record's
    // Stop an evaluation of the global search or of the sensitivity check as soon as the
    // samples run show that its outcome is decided (the results are the same bits either way).
    bool StopEarly = true;
};

// How well the data determine one fitted parameter.
struct ParameterSensitivity {
    std::string Name;
    double Value = 0;           // in the fit's own terms (see FitParameter)
    double RelativeChange = 0;  // smallest relative change raising J_F by 10 % (> 0.5: none found)
    bool AtBound = false;
    bool Fixed = false;
    bool Undetermined = false;  // at a bound, or no change up to 50 % raises J_F by 10 %
};

struct CalibrationResult {
    CalibrationModel Model = CalibrationModel::Steel01;
    RecordScales Scales;
    CalibrationSettings Settings;
    std::vector<FitParameter> Parameters;  // bounds and starts
    std::vector<double> Theta;             // fitted values, one per parameter
    std::vector<NamedValue> OpenSees;      // the command's arguments
    std::vector<ParameterSensitivity> Sensitivity;
    double NRMSE = 0;            // J_F
    double Objective = 0;        // J_F + w_E J_E
    double EnergyRatio = 0;      // model work over record work at the end
    double AccuracyChange = -1;  // largest force change / Fbar with sub-steps of 1/4 (-1: exact)
    double StepScale = 1;        // 1/4 when the accuracy check asked for a refit
    double StepAdvice = 0;       // largest analysis displacement step to use (0: any)
    size_t Evaluations = 0;
    size_t StoppedEarly = 0;         // evaluations that stopped before the end of the record
    double StoppedAtFraction = 0;    // the mean fraction of the record those had run
    std::vector<double> ModelForce;  // one per record sample
    std::vector<size_t> Samples;     // the samples fitted (all, unless pre-filtered)
    std::vector<std::string> Warnings;
    std::string GlobalAlgorithm;
    std::string LocalAlgorithm;
    size_t GlobalBudget = 0;
    size_t LocalBudget = 0;
    bool Cancelled = false;
};

// Fits `model` to the record (u, f). Progress runs over the evaluation budget; a callback
// that returns false stops the fit, which then returns the best set so far, Cancelled.
// Throws std::invalid_argument for a record that cannot be fitted (fewer than 3 samples, no
// force or no displacement, non-finite values).
CalibrationResult FitModel(CalibrationModel model, std::span<const double> u,
                           std::span<const double> f, const CalibrationSettings& settings,
                           const ProgressCallback& progress = {});

// The names of the parameters the data do not determine.
std::vector<std::string> UndeterminedNames(const CalibrationResult& result);

// The version of the optimisation library, "2.7.1".
std::string OptimiserVersion();

}  // namespace qlnx
