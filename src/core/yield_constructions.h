// The geometry of a yield construction on one skeleton branch, as the chart draws it: the
// construction's lines, the ultimate line at u * Fmax, and the marked points with their
// labels, in the branch's true signs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/skeleton_evaluation.h"

namespace qlnx {

struct ConstructionSegment {
    BranchPoint From;
    BranchPoint To;
};

struct ConstructionMark {
    BranchPoint At;
    std::string Label;
};

struct BranchConstruction {
    // The lines of the method (empty when its construction leaves the data).
    std::vector<ConstructionSegment> Lines;
    // The force u * Fmax from the force axis to the ultimate displacement (to the last point's
    // displacement when the branch never falls to u * Fmax: the ultimate lies beyond it).
    ConstructionSegment UltimateLine;
    // The method's helper points (A, B, C of the general yield method, the 10 %, 40 % and
    // 75 % points where a method passes through them), the peak "M", the yield point "Y"
    // and the ultimate point "U" ("U*" on the last point when the branch does not fall to
    // u * Fmax: a lower bound of the ultimate displacement).
    std::vector<ConstructionMark> Marks;
    // The method found a yield point.
    bool HasYield = false;
    // The points of the branch the outward path leaves out (they step back): the chart shows
    // them faded, as points the construction does not use.
    std::vector<BranchPoint> Dropped;
    // The branch's own points, in true signs: the chart keeps the labels clear of them.
    std::vector<BranchPoint> Nodes;
};

// The construction of method on the branch xs, ys (the points of a skeleton series in
// order; negative: the negative branch, evaluated mirrored), with the ultimate ratio u.
// Null when the branch has no evaluation. The yield point is the one EvaluateBranch gives;
// the lines follow the branch's outward path.
std::optional<BranchConstruction> ConstructYield(const std::vector<double>& xs,
                                                 const std::vector<double>& ys, bool negative,
                                                 double ultimateRatio, YieldMethod method,
                                                 std::optional<double> ultimateDispCap = {});

}  // namespace qlnx
