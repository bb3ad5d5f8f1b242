// The settings a record was read and evaluated with, as a test report's title block lists
// them: label (the designed text, translated where shown) and value, for the window and the
// batch tool alike.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluate_test.h"
#include "core/evaluation_options.h"
#include "core/import_format.h"
#include "core/skeleton.h"

namespace qlnx {

struct ReportReading {
    std::string FirstLineText;  // the boxes as typed
    std::string StepText;
    int32_t LastLine = 0;  // 0: to the end
    DecimalMode Decimal = DecimalMode::Auto;
    int32_t DisplacementColumn = 1;
    int32_t ForceColumn = 2;
    bool ZeroStart = false;
    double NoiseBand = 0;
    LoopDirection Direction = LoopDirection::Positive;
    std::string SkeletonMethod = "none";
    std::optional<EvaluationPreset> Preset;
};

// Import options (or the channels when the record was read by them), noise band, loop
// direction, skeleton method, the evaluation's options when evaluated, and the preset.
std::vector<std::pair<std::string, std::string>> ReportSettings(const ReportReading& reading,
                                                                const AnalysisState& state,
                                                                const TestEvaluation* evaluation);

}  // namespace qlnx
