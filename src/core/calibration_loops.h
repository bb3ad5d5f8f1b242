// The energy each analysed loop dissipates, in the record and under a fitted model's force
// along the same displacements, so that the model can be judged loop by loop.
#pragma once

#include <span>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx {

struct LoopEnergyPair {
    int Loop = 0;       // 1-based, as the Loop No. box shows it
    double Record = 0;  // the loop's area under the measured force
    double Model = 0;   // the same area under the model's force
};

// One row per loop of the analysis, over the working curve's samples S..E of each loop (the
// trapezoid sum the evaluation uses). modelForce holds one force per working-curve sample;
// a force of another length (a fit of an earlier analysis) gives no rows.
std::vector<LoopEnergyPair> LoopEnergies(const AnalysisState& state,
                                         std::span<const double> modelForce);

}  // namespace qlnx
