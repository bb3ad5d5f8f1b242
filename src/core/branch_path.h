// One skeleton branch as an outward path in the first quadrant (the negative branch mirrored),
// with its peak, the area along it, and the readings the yield constructions take from it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace qlnx {

class BranchPath {
public:
    // The points xs, ys (equal length) times sign, preceded by the origin unless the first
    // point has d = 0, and walked outwards: a point is left out when its d is not greater than
    // that of the last point kept by more than kOutwardShare times the largest |d| of the
    // branch. A skeleton that steps back (a record whose largest force comes before its
    // largest displacement) would otherwise put the ultimate point before the peak.
    BranchPath(const std::vector<double>& xs, const std::vector<double>& ys, double sign);

    static constexpr double kOutwardShare = 1e-9;

    size_t Size() const { return d_.size(); }
    // The indices into xs, ys of the points left out, in order.
    const std::vector<size_t>& Dropped() const { return dropped_; }
    double D(size_t k) const { return d_[k]; }
    double F(size_t k) const { return f_[k]; }
    // M: the first point of largest force.
    size_t Peak() const { return peak_; }
    double PeakDisp() const { return d_[peak_]; }
    double PeakForce() const { return f_[peak_]; }
    // Trapezoid area along the path from its first point to point k.
    double AreaTo(size_t k) const { return area_[k]; }

    // The displacement where the path first rises through force f before M: the first
    // segment ending at or before M with F_k < f <= F_k+1.
    std::optional<double> RisingCrossing(double f) const;
    // The force of the rising part at displacement x: the first segment before M that spans
    // x (a vertical one gives its start's force); null beyond the peak's displacement.
    std::optional<double> CurveAt(std::optional<double> x) const;

private:
    std::vector<double> d_;
    std::vector<double> f_;
    std::vector<double> area_;
    std::vector<size_t> dropped_;
    size_t peak_ = 0;
};

struct UltimatePoint {
    double Disp = 0;
    double Force = 0;
    double Area = 0;  // along the path to the ultimate point
    bool Reached = false;
};

// The first segment starting at or after M whose end falls to ratio * Fmax, interpolated
// there; otherwise the last point.
UltimatePoint FindUltimate(const BranchPath& p, double ratio);

// The ultimate point with a largest displacement: when the path reaches dispCap before the
// ultimate point of the ratio, the point of the path at dispCap (Capped true, Reached true:
// the ultimate is a point of the data, not a lower bound).
struct CappedUltimate {
    UltimatePoint Point;
    bool Capped = false;
};
CappedUltimate FindUltimate(const BranchPath& p, double ratio, std::optional<double> dispCap);

// 2 * (Dmax - E / Fmax), E the area to M: the displacement of the equal-energy bilinear.
double EqualEnergyDisp(const BranchPath& p);

// The elastic stiffness Ke = 0.4 Fmax over the first rising crossing of 0.4 Fmax, the initial
// stiffness of the general yield and EEEP constructions.
std::optional<double> InitialStiffness(const BranchPath& p);

// The share of Fmax (or of Dmax, or of Fmax * Dmax) within which a degenerate construction
// counts a force as on a line: a straight branch is straight up to rounding.
inline constexpr double kConstructionTolerance = 1e-9;

}  // namespace qlnx
