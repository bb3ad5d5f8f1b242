// What the series window draws for a group: each specimen's skeleton (or working curve) in
// the chosen scale, and the mean skeleton of the scaled branches with its standard deviation.
#pragma once

#include <string>
#include <vector>

#include "core/series_evaluation.h"
#include "core/series_normalisation.h"
#include "core/series_statistics.h"

namespace qlnx {

struct OverlaySpecimen {
    std::string Name;
    SkeletonBranchNodes Positive;  // scaled
    SkeletonBranchNodes Negative;
    std::vector<double> CurveX;  // the scaled working curve, when asked for
    std::vector<double> CurveY;
};

struct SeriesOverlay {
    std::vector<OverlaySpecimen> Specimens;  // those the scale applies to, in order
    // "<name>: <why>" for each specimen the scale cannot apply to.
    std::vector<std::string> LeftOut;
    MeanSkeletonBranch MeanPositive;
    MeanSkeletonBranch MeanNegative;
};

// The overlay of the specimens (in order) in scale, with the yield method's points for the
// yield scale; curves: the working curves too, else only the skeletons.
SeriesOverlay MakeSeriesOverlay(const std::vector<const SeriesSpecimen*>& specimens,
                                SeriesScale scale, YieldMethod yield, bool curves);

// The specimens of a group, in order.
std::vector<const SeriesSpecimen*> GroupSpecimens(const SeriesEvaluation& evaluation,
                                                  const std::string& group);

}  // namespace qlnx
