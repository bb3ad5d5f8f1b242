// Range and tolerance point removal on the two skeleton curves.
#pragma once

#include <string_view>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx {

struct CurvePoints {
    std::vector<double> X;
    std::vector<double> Y;
};

// Keeps the first point; inside lo < x < hi keeps a point only when its displacement is more
// than tol from the last kept point; outside the range keeps every point.
CurvePoints ThinCurveByRange(const CurvePoints& points, double lo, double hi, double tol);

// The thinning command: converts the two range boxes and the tolerance box (trimmed; throws
// ConversionError before any series changes), then thins the positive and negative series.
void ThinSkeletonCurves(AnalysisState& state, std::string_view rangeText1,
                        std::string_view rangeText2, std::string_view toleranceText);

// Whether thinning took a branch's peak out of it: the branch's first point of largest force
// (smallest on the negative branch) in before, missing from after. The evaluation's peak
// point then moves to another node.
bool ThinningRemovedPeak(const CurvePoints& before, const CurvePoints& after, bool positive);

}  // namespace qlnx
