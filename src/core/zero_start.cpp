#include "core/zero_start.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/number_text.h"

namespace qlnx {

namespace {

// The first value lies more than the share of the channel's range from zero.
bool StartsOffZero(const std::vector<double>& values) {
    if (values.empty()) return false;
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return std::fabs(values.front()) > kOffsetStartShare * (*hi - *lo);
}

std::vector<double> Shifted(const std::vector<double>& values, double by) {
    std::vector<double> out(values.size());
    std::transform(values.begin(), values.end(), out.begin(), [by](double v) { return v - by; });
    return out;
}

}  // namespace

bool SuggestZeroStart(const AnalysisState& state) {
    return StartsOffZero(state.RawDisp) || StartsOffZero(state.RawForce);
}

std::string ZeroStartSuggestionText(const AnalysisState& state) {
    const std::string d = state.RawDisp.empty() ? "0" : FormatGeneral15(state.RawDisp.front());
    const std::string f = state.RawForce.empty() ? "0" : FormatGeneral15(state.RawForce.front());
    return "This record does not start at rest: its first sample is at displacement " + d +
           ", force " + f +
           ". Zeroing both at the first sample measures the skeleton's origin and the residual "
           "deformations from where the test started.";
}

void ZeroAtFirstSample(AnalysisState& state) {
    if (state.RawDisp.empty() || state.RawForce.empty()) return;
    const double d0 = state.RawDisp.front();
    const double f0 = state.RawForce.front();
    state.RawDisp = Shifted(state.RawDisp, d0);
    state.RawForce = Shifted(state.RawForce, f0);
    ChartSeries& loop = state.LoopSeries();
    loop.Assign(Shifted(loop.XValues(), d0), Shifted(loop.YValues(), f0));
    state.ClearAnalysis();
}

}  // namespace qlnx
