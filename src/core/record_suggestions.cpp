#include "core/record_suggestions.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/number_text.h"

namespace qlnx {

namespace {

// The share of the displacement range below which a loop is taken for noise, and of which
// the suggested band is made.
constexpr double kSmallShare = 0.01;

}  // namespace

NoiseBandCheck CheckNoiseBand(std::string_view text) {
    const std::string_view trimmed = TrimControl(text);
    const std::optional<double> value = ParseFloat(trimmed, DecimalSeparator());
    if (!value) return {std::nullopt, FloatConversionMessage(trimmed)};
    if (*value < 0) return {std::nullopt, "Noise Band must not be negative!"};
    return {*value, {}};
}

double DisplacementRange(const AnalysisState& state) {
    if (state.RawDisp.empty()) return 0;
    const auto [lo, hi] = std::minmax_element(state.RawDisp.begin(), state.RawDisp.end());
    return *hi - *lo;
}

double LoopAmplitude(const AnalysisState& state, int loop) {
    const LoopFrame frame = GetLoopFrame(state, loop);
    double lo = state.LoopDisp[static_cast<size_t>(frame.S)];
    double hi = lo;
    for (auto k = static_cast<size_t>(frame.S) + 1; k <= static_cast<size_t>(frame.E); ++k) {
        lo = std::min(lo, state.LoopDisp[k]);
        hi = std::max(hi, state.LoopDisp[k]);
    }
    return (hi - lo) / 2;
}

std::optional<LoopDirection> LoadingDirection(const AnalysisState& state, double band) {
    if (state.RawDisp.empty()) return std::nullopt;
    const double x0 = state.RawDisp[0];
    const double reach = std::max(band, kSmallShare * DisplacementRange(state));
    for (const double d : state.RawDisp) {
        if (std::fabs(d - x0) > reach) {
            return d > x0 ? LoopDirection::Positive : LoopDirection::Negative;
        }
    }
    return std::nullopt;
}

std::optional<NoiseSuggestion> SuggestNoiseBand(const AnalysisState& state, double bandInForce) {
    if (bandInForce != 0 || state.LoopCount <= 0 || state.LoopDisp.empty()) return std::nullopt;
    const double limit = kSmallShare * DisplacementRange(state);
    // A record whose range overflows, or that never moves, has no band to offer.
    if (!std::isfinite(limit) || limit <= 0) return std::nullopt;
    NoiseSuggestion suggestion;
    suggestion.Loops = state.LoopCount;
    suggestion.Band = limit;
    for (int i = 0; i < state.LoopCount; ++i) {
        if (LoopAmplitude(state, i) < limit) ++suggestion.SmallLoops;
    }
    if (4 * static_cast<long long>(suggestion.SmallLoops) <= suggestion.Loops) return std::nullopt;
    return suggestion;
}

std::string NoiseSuggestionText(const NoiseSuggestion& suggestion) {
    return std::to_string(suggestion.SmallLoops) + " of " + std::to_string(suggestion.Loops) +
           " loops are smaller than 1 % of the displacement range (noise around the first "
           "displacement?). A noise band of " +
           FormatSignificant(suggestion.Band, 3) + " merges them.";
}

std::string DirectionSuggestionText(LoopDirection loadsFirst) {
    return loadsFirst == LoopDirection::Negative
               ? "This record loads towards negative displacements first; Loop Direction "
                 "Negative fits it."
               : "This record loads towards positive displacements first; Loop Direction "
                 "Positive fits it.";
}

}  // namespace qlnx
