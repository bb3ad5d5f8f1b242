#include "cli/record_findings.h"

#include "core/record_suggestions.h"
#include "core/zero_start.h"

namespace qlnx {

RecordFindings FindingsOf(const AnalysisState& state, double band,
                          std::optional<NoiseSuggestion>* noise) {
    RecordFindings findings;
    findings.LoadsFirst = LoadingDirection(state, band);
    const std::optional<NoiseSuggestion> suggestion = SuggestNoiseBand(state, band);
    if (suggestion) findings.SuggestedNoiseBand = suggestion->Band;
    if (noise != nullptr) *noise = suggestion;
    findings.SuggestedZeroStart = SuggestZeroStart(state);
    return findings;
}

}  // namespace qlnx
