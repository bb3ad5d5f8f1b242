// The hysteretic models a record can be fitted to: one row each, with the parameters the fit
// moves (bounds, scale, start), how they become the OpenSees command's arguments, and how the
// model is driven through a displacement history.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/calibration_record.h"

namespace qlnx {

enum class CalibrationModel { Steel01, Steel02, BoucWen, Bwbn, Saws };

// One parameter as the fit sees it: x in [0, 1] maps to Lower..Upper linearly, or
// geometrically when Log. A fixed parameter keeps Start and is not moved.
struct FitParameter {
    std::string Name;
    double Lower = 0;
    double Upper = 1;
    bool Log = false;
    double Start = 0;
    bool Fixed = false;
};

// Looks at a run after every kRunWatchBlock samples: AfterSamples(context, done) is told how
// many samples are done (all valid so far) and returns false to stop the run there.
struct RunWatch {
    bool (*AfterSamples)(void* context, size_t done) = nullptr;
    void* Context = nullptr;
};
inline constexpr size_t kRunWatchBlock = 512;

struct NamedValue {
    std::string Name;
    double Value = 0;
};

struct CalibrationModelRow {
    CalibrationModel Model;
    std::string_view BatchName;  // --calibrate's word
    std::string_view Title;      // shown in the window and the JSON
    std::string_view Command;    // the OpenSees uniaxialMaterial name
    bool Smooth;                 // polish with BOBYQA (else with SBPLX: paths switch)
    // Bounds and starts on this record; appends a warning for each parameter it had to fix.
    std::vector<FitParameter> (*Parameters)(const RecordScales& scales,
                                            std::vector<std::string>& warnings);
    // The command's arguments after the tag, in its order and with its names.
    std::vector<NamedValue> (*OpenSees)(std::span<const double> theta, const RecordScales& scales);
    // Drives a virgin model through u (from 0 to u[0] first), writing f. Returns u.size() when
    // every step was valid, else the index of the first invalid sample, or the samples done
    // when the watch stopped the run. stepScale shrinks the sub-steps of the integrated models.
    size_t (*Run)(std::span<const double> theta, const RecordScales& scales,
                  std::span<const double> u, std::span<double> f, double stepScale,
                  const RunWatch& watch);
    // Largest analysis displacement step to advise (0: any step is exact).
    double (*StepAdvice)(std::span<const double> theta, const RecordScales& scales);
    // The assumptions its export rests on until a run against OpenSees has confirmed them.
    std::string_view Assumptions;
};

std::span<const CalibrationModelRow> CalibrationModels();
const CalibrationModelRow& CalibrationModelRowOf(CalibrationModel model);
// The row of a --calibrate word, or nullptr.
const CalibrationModelRow* CalibrationModelOfName(std::string_view name);

}  // namespace qlnx
