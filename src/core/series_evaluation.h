// A project's specimens evaluated for comparison: each record checked against its SHA-256,
// imported, split into loops, its skeleton put back and the test evaluated, as the window
// shows the specimen; the specimens run side by side on the machine's cores.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/project.h"
#include "core/series_table.h"

namespace qlnx {

// One specimen of the comparison: its table row's sources, its height, its record, the units
// it was read in and its working curve.
struct SeriesSpecimen {
    SeriesMember Member;
    std::optional<double> Height;
    std::string RecordPath;
    std::string DisplacementUnit;
    std::string ForceUnit;
    std::vector<double> CurveDisp;
    std::vector<double> CurveForce;
};

struct SeriesEvaluation {
    // The specimens whose records could be used, in project order.
    std::vector<SeriesSpecimen> Specimens;
    // Why a specimen was left out, and the warnings of the others ("<name>: <message>").
    std::vector<std::string> Messages;
    bool Stopped = false;  // the progress asked to stop; Specimens is then empty
};

// Evaluates the specimens on up to threads threads (0: one per core). The result does not
// depend on the number of threads. progress is called from the calling thread only, with the
// fraction of specimens done, at least every few hundredths of a second while they run.
SeriesEvaluation EvaluateSpecimens(const std::vector<Specimen>& specimens,
                                   const ProgressCallback& progress = {}, unsigned threads = 0);

// The members of the evaluation, in order.
std::vector<SeriesMember> MembersOf(const SeriesEvaluation& evaluation);

}  // namespace qlnx
