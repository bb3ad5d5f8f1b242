// The ten-parameter hysteresis of timber shear walls of Folz and Filiatrault (OpenSees SAWS):
// an exponential envelope, unloading at r3*K0, a pinching line through (0, +-FI) and a reloading
// line of degraded stiffness aimed at the envelope beyond the largest displacement so far.
#pragma once

namespace qlnx {

struct SawsParameters {
    double F0 = 0;  // intercept of the envelope's asymptote
    double FI = 0;  // intercept of the pinching line
    double DU = 0;  // displacement at the peak force
    double S0 = 0;  // initial stiffness K0
    double R1 = 0;  // asymptote slope ratio
    double R2 = 0;  // descending slope ratio (< 0)
    double R3 = 1;  // unloading slope ratio
    double R4 = 0;  // pinching slope ratio
    double alpha = 0;
    double beta = 1;
};

// Envelope force at displacement d (odd in d).
double SawsEnvelope(const SawsParameters& p, double d);

// Piecewise closed form: lines are met exactly; the envelope is met by a scan in pieces of at
// most F0/(20*S0) and 60 bisections, so a step of any size gives the same force.
class SawsModel {
public:
    explicit SawsModel(const SawsParameters& p);
    double Step(double u);
    bool Failed() const { return false; }

private:
    enum class Segment { Envelope, Unloading, Pinching, Reloading };
    struct Line {
        double Slope = 0;
        double Intercept = 0;  // force at d = 0
        double At(double d) const { return Intercept + Slope * d; }
    };
    Line Current() const;
    // The first d in (from, to] on the side loaded towards where line c reaches the envelope
    // (false if none). The pinching line, which starts outside the envelope near zero
    // displacement, must come from inside it; the other lines join the envelope wherever they
    // would pass it.
    bool EnvelopeCrossing(const Line& c, double from, double to, int s, bool fromInside,
                          double& at) const;

    SawsParameters p_;
    double d0_;
    double uPrev_ = 0;
    double fPrev_ = 0;
    int dir_ = 0;
    Segment seg_ = Segment::Envelope;
    double dmaxPos_ = 0;
    double dmaxNeg_ = 0;
    Line unl_;
    Line pin_;
    Line rel_;
};

}  // namespace qlnx
