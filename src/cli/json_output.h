// The analysis state as one JSON object, numbers in their shortest exact text.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "core/analysis_state.h"
#include "core/calibration_fit.h"
#include "core/evaluate_test.h"
#include "core/protocol_recognition.h"
#include "core/skeleton.h"

namespace qlnx {

// What the import adds after the message, when it failed at a line.
struct ImportNotes {
    std::optional<int64_t> Line;                // "line": the 1-based line of the failure
    std::optional<int64_t> SuggestedFirstLine;  // "SuggestedFirstLine"
};

// What the analysis found about the record beyond its loops: the side it loads towards first
// and the noise band suggested for it (none when no suggestion is made).
struct RecordFindings {
    std::optional<LoopDirection> LoadsFirst;
    std::optional<double> SuggestedNoiseBand;
    // The record does not start at rest: zeroing both channels at the first sample is
    // suggested.
    bool SuggestedZeroStart = false;
};

// Writes {"message": ..., ["line": N, "SuggestedFirstLine": N,] "RawDisp": [...], ...,
// "MaxDispForce2": [...], "PositiveSkeleton":
// [[x, y], ...], "NegativeSkeleton": [...], "LoadsFirst": "positive" | "negative" | null,
// "SuggestedNoiseBand": number | null, "SuggestedZeroStart": true | false[, "Evaluation":
// {...}][, "Protocol": {...}][, "Calibration": [...]]} with the vectors of the state in the
// order of the analysis. A double is written as the shortest text that reads back to the same
// double; a double that is not finite as null.
void WriteAnalysisJson(std::ostream& out, const AnalysisState& state,
                       const std::optional<std::string>& message,
                       const RecordFindings& findings = {},
                       const TestEvaluation* evaluation = nullptr, const ImportNotes& notes = {},
                       const ProtocolRecognition* protocol = nullptr,
                       const std::vector<CalibrationResult>* calibration = nullptr);

// Appends text as a JSON string (quoted, with escapes).
void AppendJsonString(std::string& out, std::string_view text);

// Appends a double as a JSON number (shortest round-trip text) or null.
void AppendJsonNumber(std::string& out, double value);

}  // namespace qlnx
