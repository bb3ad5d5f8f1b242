// The ends of a chart axis for a report: round numbers just beyond the data.
#pragma once

namespace qlnx {

struct AxisLimits {
    double Minimum = 0;
    double Maximum = 0;
    double Step = 1;   // the round step between ticks
    int Decimals = 0;  // the digits after the point a tick label needs
};

// The data's range [lo, hi] widened to whole steps of a round step (the largest of 1, 2 or 5
// times a power of ten not above a fifth of the range): lo rounded down and hi rounded up to
// multiples of it, so 0 stays a tick. A range of one value gets one step above it;
// non-finite data give 0..1 in steps of 0.2.
AxisLimits RoundAxisLimits(double lo, double hi);

}  // namespace qlnx
