// A project's specimen shown again: its record imported with its options, its loops split
// with its noise band, its skeleton as the user left it, and its evaluation.
#pragma once

#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluate_test.h"
#include "core/progress.h"
#include "core/project.h"

namespace qlnx {

struct SpecimenRun {
    // The warnings and errors the window would show, in order (empty when all went well).
    std::vector<std::string> Messages;
    double NoiseBand = 0;  // the band the loops were split with (0 when the box is refused)
    TestEvaluation Evaluation;
};

// Imports the specimen's record into state (cleared first) as "Import Loop" does with its
// import options, analyses the loops as "Analyze Loop" does with its noise band, then puts
// back its stored skeleton nodes (or, when none are stored, extracts the skeleton by its
// method and thins it by its thinning steps) and evaluates the test with its evaluation
// options. directionFromRecord: extract towards the side the record loads first instead of
// the specimen's direction. Checks nothing about the record's bytes: that is CheckRecord's
// job before.
SpecimenRun OpenSpecimen(AnalysisState& state, const Specimen& specimen,
                         const ProgressCallback& progress = {}, bool directionFromRecord = false);

// The nodes of a skeleton series, in series order.
SkeletonBranchNodes SkeletonNodesOf(const ChartSeries& series);

// The skeleton series of state into the specimen's stored nodes.
void StoreSkeletonNodes(Specimen& specimen, const AnalysisState& state);

// The specimen's evaluation options with the noise band the loops were split with.
EvaluationOptions SpecimenEvaluationOptions(const Specimen& specimen, double noiseBand);

}  // namespace qlnx
