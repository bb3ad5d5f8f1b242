// One skeleton branch as a path in the first quadrant (the negative branch mirrored), with
// its peak, the area along it, and the readings the yield constructions take from it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace qlnx {

class BranchPath {
public:
    // The points xs, ys (equal length) times sign, preceded by the origin unless the first
    // point has d = 0.
    BranchPath(const std::vector<double>& xs, const std::vector<double>& ys, double sign);

    size_t Size() const { return d_.size(); }
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

// 2 * (Dmax - E / Fmax), E the area to M: the displacement of the equal-energy bilinear.
double EqualEnergyDisp(const BranchPath& p);

}  // namespace qlnx
