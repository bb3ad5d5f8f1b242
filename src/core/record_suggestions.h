// What the program suggests after an analysis of a real record: a noise band when most loops
// are dither around the reference displacement, and the side the record loads towards first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/analysis_state.h"
#include "core/skeleton.h"

namespace qlnx {

// The noise band box's text checked as Analyze Loop reads it: trimmed of codes <= 32 and
// converted with the program's decimal separator. Band is set when the analysis may go on;
// otherwise Warning is the text to show ("'x' is not a valid floating point value" or
// "Noise Band must not be negative!").
struct NoiseBandCheck {
    std::optional<double> Band;
    std::string Warning;
};
NoiseBandCheck CheckNoiseBand(std::string_view text);

// Largest minus smallest imported displacement (0 for an empty record).
double DisplacementRange(const AnalysisState& state);

// Amplitude of loop i of the working curve: half the distance between its largest and
// smallest displacement over the points S .. E.
double LoopAmplitude(const AnalysisState& state, int loop);

// The side of x0 = RawDisp[0] of the first imported sample farther than
// max(band, 1 % of the displacement range) from x0; none for a record that never gets there.
std::optional<LoopDirection> LoadingDirection(const AnalysisState& state, double band);

// After an analysis without a noise band: when more than a quarter of the loops have an
// amplitude under 1 % of the displacement range, the band that merges them (1 % of the range).
struct NoiseSuggestion {
    int SmallLoops = 0;
    int Loops = 0;
    double Band = 0;
};
std::optional<NoiseSuggestion> SuggestNoiseBand(const AnalysisState& state, double bandInForce);

// The texts of the window's message bar.
std::string NoiseSuggestionText(const NoiseSuggestion& suggestion);
std::string DirectionSuggestionText(LoopDirection loadsFirst);

}  // namespace qlnx
