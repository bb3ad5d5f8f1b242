#include "core/yield_constructions.h"

#include <algorithm>
#include <cmath>

#include "core/branch_path.h"
#include "core/evaluation_numbers.h"

namespace qlnx {

namespace {

// Builds the lines and marks in the mirrored branch (first quadrant) and turns them to true
// signs at the end.
class Builder {
public:
    explicit Builder(BranchConstruction& out) : out_(out) {}
    void Line(double d0, double f0, double d1, double f1) {
        out_.Lines.push_back({{d0, f0}, {d1, f1}});
    }
    void Mark(double d, double f, std::string label) {
        out_.Marks.push_back({{d, f}, std::move(label)});
    }

private:
    BranchConstruction& out_;
};

void GeneralYieldLines(const BranchPath& p, const YieldPoint& y, Builder& b) {
    const double fmax = p.PeakForce();
    const auto k0 = InitialStiffness(p);
    const auto dA = QuotientOrNull(FiniteOrNull(fmax), k0);
    const auto fB = p.CurveAt(dA);
    if (!dA || !fB) return;
    // The initial tangent to A on the peak force, down to B on the curve, the secant through
    // B up to C on the peak force, down to the yield point.
    b.Line(0, 0, *dA, fmax);
    b.Line(std::min(*dA, y.Disp), fmax, p.PeakDisp(), fmax);
    b.Line(*dA, fmax, *dA, *fB);
    b.Line(0, 0, y.Disp, fmax);
    b.Line(y.Disp, fmax, y.Disp, y.Force);
    b.Mark(*dA, fmax, "A");
    b.Mark(*dA, *fB, "B");
    b.Mark(y.Disp, fmax, "C");
}

void EqualEnergyLines(const BranchPath& p, const YieldPoint& y, bool intersection, Builder& b) {
    const double fmax = p.PeakForce();
    const double dl = EqualEnergyDisp(p);
    // The bilinear of equal area to the peak: up to (dl, Fmax), then flat to the peak.
    b.Line(0, 0, dl, fmax);
    b.Line(dl, fmax, p.PeakDisp(), fmax);
    if (!intersection) b.Line(dl, fmax, y.Disp, y.Force);
}

void ParkLines(const BranchPath& p, const YieldPoint& y, Builder& b) {
    const double fmax = p.PeakForce();
    const auto d75 = p.RisingCrossing(0.75 * fmax);
    b.Line(0, 0, y.Disp, fmax);
    b.Line(y.Disp, fmax, std::max(y.Disp, p.PeakDisp()), fmax);
    if (d75) b.Mark(*d75, 0.75 * fmax, "0.75 Fmax");
}

void FarthestPointLines(const BranchPath& p, const YieldPoint& y, Builder& b) {
    // The chord from the origin to the peak, and the point's vertical distance to it (the
    // distance the method maximises, up to a constant factor).
    b.Line(0, 0, p.PeakDisp(), p.PeakForce());
    if (p.PeakDisp() != 0) {
        b.Line(y.Disp, y.Force, y.Disp, p.PeakForce() / p.PeakDisp() * y.Disp);
    }
}

void EeepLines(const BranchPath& p, const YieldPoint& y, const UltimatePoint& u, Builder& b) {
    const double fmax = p.PeakForce();
    b.Line(0, 0, y.Disp, y.Force);
    b.Line(y.Disp, y.Force, u.Disp, y.Force);
    b.Line(u.Disp, y.Force, u.Disp, u.Force);
    if (const auto d40 = p.RisingCrossing(0.4 * fmax)) b.Mark(*d40, 0.4 * fmax, "0.4 Fmax");
}

void En12512Lines(const BranchPath& p, const YieldPoint& y, Builder& b) {
    const double fmax = p.PeakForce();
    const auto d10 = p.RisingCrossing(0.1 * fmax);
    const auto d40 = p.RisingCrossing(0.4 * fmax);
    if (!d10 || !d40 || !y.Stiffness) return;
    const double k = *y.Stiffness;
    const double k2 = k / 6;
    // Line 1 from where it crosses zero force (or its 10 % point, whichever comes first)
    // to the yield point; line 2 from the yield point to the peak's displacement.
    const double b1 = 0.1 * fmax - k * *d10;
    const double start = std::min(*d10, -b1 / k);
    b.Line(start, b1 + k * start, y.Disp, y.Force);
    const double b2 = y.Force - k2 * y.Disp;
    const double end = std::max(y.Disp, p.PeakDisp());
    b.Line(y.Disp, y.Force, end, b2 + k2 * end);
    b.Mark(*d10, 0.1 * fmax, "0.1 Fmax");
    b.Mark(*d40, 0.4 * fmax, "0.4 Fmax");
}

BranchPoint Signed(BranchPoint p, double sign) { return {sign * p.Disp, sign * p.Force}; }

}  // namespace

std::optional<BranchConstruction> ConstructYield(const std::vector<double>& xs,
                                                 const std::vector<double>& ys, bool negative,
                                                 double ultimateRatio, YieldMethod method,
                                                 std::optional<double> ultimateDispCap) {
    const std::optional<BranchEvaluation> e =
        EvaluateBranch(xs, ys, negative, ultimateRatio, ultimateDispCap);
    if (!e) return std::nullopt;
    const double sign = negative ? -1.0 : 1.0;
    const BranchPath p(xs, ys, sign);
    const UltimatePoint u = FindUltimate(p, ultimateRatio, ultimateDispCap).Point;

    BranchConstruction c;
    Builder b(c);
    const auto& yield = e->Yield[static_cast<size_t>(method)];
    if (yield) {
        // The evaluation's yield point, mirrored like the path.
        YieldPoint y = *yield;
        y.Disp *= sign;
        y.Force *= sign;
        switch (method) {
            case YieldMethod::GeneralYield: GeneralYieldLines(p, y, b); break;
            case YieldMethod::EqualEnergy: EqualEnergyLines(p, y, false, b); break;
            case YieldMethod::EqualEnergyIntersection: EqualEnergyLines(p, y, true, b); break;
            case YieldMethod::Park: ParkLines(p, y, b); break;
            case YieldMethod::FarthestPoint: FarthestPointLines(p, y, b); break;
            case YieldMethod::EEEP: EeepLines(p, y, u, b); break;
            case YieldMethod::EN12512: En12512Lines(p, y, b); break;
        }
        b.Mark(y.Disp, y.Force, "Y");
        c.HasYield = true;
    }
    const double ultimateForce = ultimateRatio * p.PeakForce();
    c.UltimateLine = {{0, ultimateForce}, {u.Disp, ultimateForce}};
    b.Mark(p.PeakDisp(), p.PeakForce(), "M");
    b.Mark(u.Disp, u.Force, u.Reached ? "U" : "U*");

    for (ConstructionSegment& s : c.Lines) s = {Signed(s.From, sign), Signed(s.To, sign)};
    c.UltimateLine = {Signed(c.UltimateLine.From, sign), Signed(c.UltimateLine.To, sign)};
    for (ConstructionMark& m : c.Marks) m.At = Signed(m.At, sign);
    // Already in true signs: the series' own points.
    for (const size_t k : p.Dropped()) c.Dropped.push_back({xs[k], ys[k]});
    for (size_t k = 0; k < xs.size() && k < ys.size(); ++k) c.Nodes.push_back({xs[k], ys[k]});
    return c;
}

}  // namespace qlnx
