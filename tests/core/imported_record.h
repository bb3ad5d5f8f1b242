// A record as the import leaves it, built in a test from (displacement, force) pairs.
#pragma once

#include <utility>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx::test {

using RecordPoints = std::vector<std::pair<double, double>>;

// RawDisp/RawForce and the loop series hold the points, as after an import of their rows.
inline AnalysisState Imported(const RecordPoints& points) {
    AnalysisState state;
    for (const auto& [d, f] : points) {
        state.RawDisp.push_back(d);
        state.RawForce.push_back(f);
        state.LoopSeries().AddXY(d, f);
    }
    return state;
}

}  // namespace qlnx::test
