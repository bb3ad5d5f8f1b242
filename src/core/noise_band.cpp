#include "core/noise_band.h"

#include <cmath>
#include <cstddef>

#include "core/sample_memory.h"

namespace qlnx {

namespace {

// A passage as the plain splitting finds it: the sample that lands on x0, or the sample after
// a crossing of x0 (the crossing point goes before it).
struct Passage {
    size_t Sample = 0;
    bool Crossing = false;
};

bool IsRepeat(double d, double f, double dL, double fL) { return d == dL && f == fL; }

// The passages that change the record's side of the band, in sample order. dL/fL follow the
// last sample the working curve appends, which is the same whichever passages count: an
// uncounted passage appends its sample as an ordinary point.
std::vector<Passage> CountedPassages(const std::vector<double>& disp,
                                     const std::vector<double>& force, double band) {
    const double x0 = disp[0];
    const double upper = x0 + band;
    const double lower = x0 - band;
    std::vector<Passage> counted;
    Passage last;
    bool hasPassage = false;
    int side = 0;
    double dL = disp[0];
    double fL = force[0];
    for (size_t i = 1; i < disp.size(); ++i) {
        const double d = disp[i];
        const double f = force[i];
        if (IsRepeat(d, f, dL, fL)) continue;
        if (d == x0 && dL != x0) {
            last = {i, false};
            hasPassage = true;
        } else if ((d > x0 && x0 > dL) || (d < x0 && x0 < dL)) {
            last = {i, true};
            hasPassage = true;
        }
        const int sampleSide = d > upper ? 1 : (d < lower ? -1 : 0);
        if (sampleSide != 0) {
            // Going from beyond one edge of the band to beyond the other passes x0 at least
            // once since the side was last set, so the last passage is a new one.
            if (side != 0 && sampleSide != side && hasPassage) counted.push_back(last);
            side = sampleSide;
        }
        dL = d;
        fL = f;
    }
    return counted;
}

}  // namespace

std::vector<int32_t> BuildBandedWorkingCurve(AnalysisState& state, double band) {
    const std::vector<double>& rawDisp = state.RawDisp;
    const std::vector<double>& rawForce = state.RawForce;
    const std::vector<Passage> counted = CountedPassages(rawDisp, rawForce, band);
    std::vector<double>& disp = state.LoopDisp;
    std::vector<double>& force = state.LoopForce;
    std::vector<int32_t>& starts = state.LoopStart;
    ReserveSamples(disp, rawDisp.size() + counted.size());
    ReserveSamples(force, rawDisp.size() + counted.size());
    starts.reserve(counted.size() + 1);

    const double x0 = rawDisp[0];
    disp.push_back(rawDisp[0]);
    force.push_back(rawForce[0]);
    starts.push_back(0);
    size_t next = 0;
    for (size_t i = 1; i < rawDisp.size(); ++i) {
        const double d = rawDisp[i];
        const double f = rawForce[i];
        // The last point is always a sample: a crossing point is followed by its sample.
        const double dL = disp.back();
        const double fL = force.back();
        if (IsRepeat(d, f, dL, fL)) continue;
        if (next < counted.size() && counted[next].Sample == i) {
            if (counted[next].Crossing) {
                // Linear interpolation of the force at x0, in the plain splitting's order of
                // operations.
                disp.push_back(x0);
                force.push_back((x0 - dL) * (f - fL) / (d - dL) + fL);
                starts.push_back(static_cast<int32_t>(disp.size() - 1));
                disp.push_back(d);
                force.push_back(f);
            } else {
                disp.push_back(d);
                force.push_back(f);
                starts.push_back(static_cast<int32_t>(disp.size() - 1));
            }
            ++next;
        } else {
            disp.push_back(d);
            force.push_back(f);
        }
    }
    return FarthestOfHalfCycles(state);
}

std::vector<int32_t> FarthestOfHalfCycles(const AnalysisState& state) {
    const std::vector<double>& disp = state.LoopDisp;
    const std::vector<int32_t>& starts = state.LoopStart;
    std::vector<int32_t> farthest;
    farthest.reserve(starts.size());
    for (size_t h = 0; h < starts.size(); ++h) {
        const int32_t to =
            h + 1 < starts.size() ? starts[h + 1] : static_cast<int32_t>(disp.size() - 1);
        farthest.push_back(FarthestFromStart(disp.data(), starts[h], to));
    }
    return farthest;
}

}  // namespace qlnx
