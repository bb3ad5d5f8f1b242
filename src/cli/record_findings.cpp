#include "cli/record_findings.h"

#include "core/record_suggestions.h"
#include "core/zero_start.h"

namespace qlnx {

RecordFindings FindingsOf(const AnalysisState& state, double band) {
    RecordFindings findings;
    findings.LoadsFirst = LoadingDirection(state, band);
    if (const auto suggestion = SuggestNoiseBand(state, band)) {
        findings.SuggestedNoiseBand = suggestion->Band;
    }
    findings.SuggestedZeroStart = SuggestZeroStart(state);
    return findings;
}

}  // namespace qlnx
