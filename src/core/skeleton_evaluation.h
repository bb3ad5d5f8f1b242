// Evaluation of the skeleton curve, each branch: peak, ultimate point, and the yield point
// and ductility by seven constructions.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "core/chart_series.h"

namespace qlnx {

enum class YieldMethod {
    GeneralYield,
    EqualEnergy,
    EqualEnergyIntersection,
    Park,
    FarthestPoint,
    EEEP,
    EN12512,
};

inline constexpr int kYieldMethodCount = 7;

struct YieldMethodInfo {
    YieldMethod Method;
    std::string_view Name;  // the name in reports and JSON
    bool HasStiffness;      // reports the stiffness of its construction
    bool HasFallback;       // may fall back to a fixed yield force
};

inline constexpr std::array<YieldMethodInfo, kYieldMethodCount> kYieldMethods = {{
    {YieldMethod::GeneralYield, "GeneralYield", false, false},
    {YieldMethod::EqualEnergy, "EqualEnergy", false, false},
    {YieldMethod::EqualEnergyIntersection, "EqualEnergyIntersection", false, false},
    {YieldMethod::Park, "Park", false, false},
    {YieldMethod::FarthestPoint, "FarthestPoint", false, false},
    {YieldMethod::EEEP, "EEEP", true, true},
    {YieldMethod::EN12512, "EN12512", true, false},
}};

struct BranchPoint {
    double Disp = 0;
    double Force = 0;
};

// A yield point with its true signs; ductility and stiffness positive.
struct YieldPoint {
    double Disp = 0;
    double Force = 0;
    std::optional<double> Ductility;  // null when the yield displacement is 0
    std::optional<double> Stiffness;  // EEEP: Ke; EN12512: the slope of the first line
    bool Fallback = false;            // EEEP: the radicand was negative
};

struct BranchEvaluation {
    BranchPoint Peak;
    BranchPoint Ultimate;
    bool UltimateReached = false;
    // The displacement cap (EN 12512's largest slip) decided the ultimate point.
    bool UltimateCapped = false;
    // How many points of the branch the outward path left out (they step back).
    int DroppedPoints = 0;
    // By YieldMethod; null where a construction leaves the data.
    std::array<std::optional<YieldPoint>, kYieldMethodCount> Yield;
};

// Evaluates one branch given as its points in series order (xs, ys of equal length). The
// negative branch is evaluated mirrored, (-d, -F), and reported with its true signs. The path
// is the points preceded by the origin unless the first point has d = 0, walked outwards
// (BranchPath). Null when the path has fewer than two points or its largest force is not
// positive and finite. ultimateDispCap (mirrored units, positive) caps the ultimate
// displacement when set.
std::optional<BranchEvaluation> EvaluateBranch(const std::vector<double>& xs,
                                               const std::vector<double>& ys, bool negative,
                                               double ultimateRatio,
                                               std::optional<double> ultimateDispCap = {});

struct SkeletonEvaluation {
    std::optional<BranchEvaluation> Positive;
    std::optional<BranchEvaluation> Negative;
    // By YieldMethod: the mean of the two sides' ductilities, null when either is null.
    std::array<std::optional<double>, kYieldMethodCount> MeanDuctility;
};

SkeletonEvaluation EvaluateSkeleton(const ChartSeries& positive, const ChartSeries& negative,
                                    double ultimateRatio,
                                    std::optional<double> ultimateDispCap = {});

}  // namespace qlnx
