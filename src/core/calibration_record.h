// The record a hysteretic model is fitted to: its displacement and force samples, the scales
// that bound and start the parameters, and the optional removal of noise reversals.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace qlnx {

// Reference scales of one record, computed once before a fit.
struct RecordScales {
    double Fbar = 0;           // largest absolute force
    double Ubar = 0;           // largest absolute displacement
    double Kbar = 0;           // initial stiffness estimate (about the secant at 40 % of Fbar)
    double Uy = 0;             // apparent yield displacement Fbar / Kbar
    double Ebar = 0;           // energy scale max(total work, Fbar * Ubar)
    double FIobs = 0;          // median |F| at the zero crossings of the displacement (0 if none)
    double PeakU = 0;          // |u| at the sample of the largest |F|
    double PostPeakSlope = 0;  // backbone slope beyond the force peak (0 when the record has none)
    bool HasPostPeak = false;
};

// Computes the scales; kbarOverride > 0 replaces the stiffness estimate.
RecordScales ComputeRecordScales(std::span<const double> u, std::span<const double> f,
                                 double kbarOverride = 0);

// Cumulative work E_i by the trapezoid rule, E_0 = 0.
std::vector<double> CumulativeWork(std::span<const double> u, std::span<const double> f);

// Indices of the samples kept when every reversal of amplitude below `threshold` is removed:
// the kept displacements run monotonically between turning points that are at least
// `threshold` apart. Holds (equal displacements) are kept. The first and last samples are kept.
std::vector<size_t> ReversalFilter(std::span<const double> u, double threshold);

}  // namespace qlnx
