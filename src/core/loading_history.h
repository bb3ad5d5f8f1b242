// The loading history of a record: its displacement against time (or sample number), with
// the span of each loop, the levels of the recognised protocol and their planned amplitudes,
// as the history view draws them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluation_options.h"

namespace qlnx {

// A stretch of the history, in the abscissa's values.
struct HistorySpan {
    double First = 0;
    double Last = 0;
};

struct HistoryLevel {
    HistorySpan Span;  // from its first loop's start to its last loop's end
    std::optional<double> PlannedAmplitude;
};

struct LoadingHistory {
    // One value a sample of the imported curve: the time channel's when the record has one
    // beside every sample, else the sample number (1, 2, ...).
    std::vector<double> X;
    bool IsTime = false;
    std::string TimeUnit;
    std::vector<HistorySpan> Loops;  // one a loop of the analysis, in order
    std::vector<HistoryLevel> Levels;
    std::optional<std::string> Protocol;  // the recognised protocol's name
};

// The sample position (raw-curve index; an inserted crossing point lies halfway between the
// samples it was interpolated between) of each point of the working curve, found by walking
// the two curves together.
std::vector<double> WorkingCurveSamples(const AnalysisState& state);

// The history of the analysed (or only imported) record; the levels are those the protocol
// recognition finds with options (the measured levels when no protocol is recognised).
LoadingHistory MakeLoadingHistory(const AnalysisState& state, const EvaluationOptions& options);

// The loop (0-based) whose span holds x, or nullopt.
std::optional<int> LoopAt(const LoadingHistory& history, double x);

// The first and last sample (0-based) whose abscissa lies within [from, to] (either order);
// nullopt when none does.
struct SampleRange {
    size_t First = 0;
    size_t Last = 0;
};
std::optional<SampleRange> SamplesWithin(const LoadingHistory& history, double from, double to);

}  // namespace qlnx
