#include "core/thinning.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/number_text.h"

namespace qlnx {

namespace {

// Thins one skeleton series in place; false when it has no points.
bool ThinSeries(ChartSeries& series, double lo, double hi, double tol) {
    if (series.Count() == 0) return false;
    const CurvePoints kept =
        ThinCurveByRange(CurvePoints{series.XValues(), series.YValues()}, lo, hi, tol);
    series.Clear();
    series.Reserve(kept.X.size());
    for (size_t i = 0; i < kept.X.size(); ++i) series.AddXY(kept.X[i], kept.Y[i]);
    return true;
}

}  // namespace

CurvePoints ThinCurveByRange(const CurvePoints& points, double lo, double hi, double tol) {
    CurvePoints kept;
    const size_t n = std::min(points.X.size(), points.Y.size());
    if (n == 0) return kept;
    kept.X.reserve(n);
    kept.Y.reserve(n);
    kept.X.push_back(points.X[0]);
    kept.Y.push_back(points.Y[0]);
    double reference = points.X[0];
    for (size_t i = 1; i < n; ++i) {
        const double x = points.X[i];
        const bool inside = lo < x && x < hi;
        // Inside the range a point must lie more than tol from the last kept point, not
        // from the last examined one.
        if (inside && !(std::fabs(reference - x) > tol)) continue;
        kept.X.push_back(x);
        kept.Y.push_back(points.Y[i]);
        reference = x;
    }
    return kept;
}

void ThinSkeletonCurves(AnalysisState& state, std::string_view rangeText1,
                        std::string_view rangeText2, std::string_view toleranceText) {
    // All three boxes are converted before any series changes, so a bad box leaves both
    // curves as they were.
    double lo = StrToFloat(TrimControl(rangeText1));
    double hi = StrToFloat(TrimControl(rangeText2));
    if (hi < lo) std::swap(lo, hi);
    const double tol = std::fabs(StrToFloat(TrimControl(toleranceText)));

    if (!ThinSeries(state.PositiveSkeletonSeries(), lo, hi, tol)) return;
    ThinSeries(state.NegativeSkeletonSeries(), lo, hi, tol);
}

bool ThinningRemovedPeak(const CurvePoints& before, const CurvePoints& after, bool positive) {
    const size_t n = std::min(before.X.size(), before.Y.size());
    if (n == 0) return false;
    size_t peak = 0;
    for (size_t i = 1; i < n; ++i) {
        if (positive ? before.Y[i] > before.Y[peak] : before.Y[i] < before.Y[peak]) peak = i;
    }
    for (size_t i = 0; i < std::min(after.X.size(), after.Y.size()); ++i) {
        if (after.X[i] == before.X[peak] && after.Y[i] == before.Y[peak]) return false;
    }
    return true;
}

}  // namespace qlnx
