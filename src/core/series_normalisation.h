// The scales a test series is compared in: forces and displacements as measured, as fractions
// of each specimen's peak or yield point, or the displacement as drift (over the specimen's
// height). Each side of a specimen is scaled by its own reference point.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/evaluate_test.h"
#include "core/project.h"
#include "core/skeleton_evaluation.h"

namespace qlnx {

enum class SeriesScale { None, Peak, Yield, Drift };

struct SeriesScaleInfo {
    SeriesScale Scale;
    const char* Name;    // the window's list item
    const char* XTitle;  // the axis titles
    const char* YTitle;
};

inline constexpr std::array<SeriesScaleInfo, 4> kSeriesScales = {{
    {SeriesScale::None, "None", "Displacement", "Force"},
    {SeriesScale::Peak, "F/Fmax against \u0394/\u0394(Fmax)", "\u0394/\u0394(Fmax)", "F/Fmax"},
    {SeriesScale::Yield, "F/Fy against \u0394/\u0394y", "\u0394/\u0394y", "F/Fy"},
    {SeriesScale::Drift, "Drift", "Drift \u0394/H (%)", "Force"},
}};

// The divisors of one specimen: a displacement d >= 0 is divided by Disp[0], d < 0 by
// Disp[1] (positive numbers), and a force alike by Force[0] or Force[1], so that signs stay.
// The displacement's quotient is then multiplied by DispTimes: 100 for a drift in %, as the
// import computes it (d / H * 100); 1 leaves the quotient as it is.
struct SpecimenScale {
    std::array<double, 2> Disp{1, 1};
    std::array<double, 2> Force{1, 1};
    double DispTimes = 1;
};

// The divisors of a specimen for scale, from its evaluation (the skeleton's peak points, or
// the yield points of the yield method) or its height. A side without its reference point
// takes the other side's. Null, with why, when the specimen has neither (or, for drift, no
// positive height).
std::optional<SpecimenScale> ScaleOf(const TestEvaluation& evaluation,
                                     const std::optional<double>& height, SeriesScale scale,
                                     YieldMethod yield, std::string& why);

// The points (x, y) divided by the scale, into sx, sy (resized to fit).
void ScalePoints(const SpecimenScale& scale, const std::vector<double>& x,
                 const std::vector<double>& y, std::vector<double>& sx, std::vector<double>& sy);

SkeletonBranchNodes ScaleBranch(const SpecimenScale& scale, const SkeletonBranchNodes& branch);

}  // namespace qlnx
