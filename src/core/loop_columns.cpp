#include "core/loop_columns.h"

#include <algorithm>

#include "core/analysis_state.h"

namespace qlnx {

// clang-format off
const LoopColumnTable kLoopExtremeColumns = {{
    {"MaxDisp1", "Max Disp 1", "1stMaxDisp", 0,
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp1; },
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp1; }},
    {"MaxDisp2", "Max Disp 2", "2ndMaxDisp", 2,
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp2; },
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp2; }},
    {"MaxDispForce1", "Max Disp Force 1", "1stMaxDispForce", 1,
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDispForce1; },
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp1; }},
    {"MaxDispForce2", "Max Disp Force 2", "2ndMaxDispForce", 3,
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDispForce2; },
     [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp2; }},
}};
// clang-format on

std::optional<double> LoopColumnValue(const LoopColumn& column, const AnalysisState& state,
                                      size_t loop) {
    const std::vector<double>& values = column.Values(state);
    if (loop >= column.Entries(state).size() || loop >= values.size()) return std::nullopt;
    return values[loop];
}

std::array<const LoopColumn*, kLoopColumnCount> LoopColumnsInResultOrder() {
    std::array<const LoopColumn*, kLoopColumnCount> ordered{};
    for (const LoopColumn& column : kLoopExtremeColumns) {
        ordered.at(column.ResultPosition) = &column;
    }
    return ordered;
}

}  // namespace qlnx
