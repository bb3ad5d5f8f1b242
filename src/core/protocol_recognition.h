// Recognition of the loading protocol a record followed, and the planned levels against the
// applied ones.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluation_options.h"
#include "core/loading_protocols.h"
#include "core/loop_quantities.h"

namespace qlnx {

// A protocol's best fit to the record.
struct ProtocolCandidate {
    LoadingProtocol Protocol = LoadingProtocol::Iso16670;
    double Reference = 0;
    double Score = 0;
};

// One level: a planned level of the recognised protocol (up to the largest one reached), or
// a measured level of the record when no protocol is recognised (nothing planned then).
struct ProtocolLevel {
    std::optional<double> PlannedAmplitude;
    std::optional<int> PlannedCycles;
    // Means over the level's applied cycles of the positive peak displacement and of the
    // magnitude of the negative one; null when no cycle was applied at the level.
    std::optional<double> AppliedPositive;
    std::optional<double> AppliedNegative;
    // (applied amplitude - planned) / planned in %, the applied amplitude being the mean of
    // the two sides.
    std::optional<double> DifferencePercent;
    int AppliedCycles = 0;
    std::optional<int> FirstLoop;  // 1-based
    std::vector<int> Loops;        // 1-based, in order
};

struct ProtocolRecognition {
    std::optional<LoadingProtocol> Protocol;  // null: not recognised
    std::optional<double> Reference;
    std::optional<double> Score;
    std::vector<ProtocolCandidate> Candidates;  // each protocol's best, in table order
    std::vector<ProtocolLevel> Levels;
    std::vector<int> Unassigned;  // 1-based loop numbers that belong to no level
    // 1-based number of the largest planned level with an applied cycle.
    std::optional<int> LargestLevelReached;
    // (sum of positive peaks - sum of negative magnitudes) / their sum over the level cycles.
    std::optional<double> Asymmetry;
};

// Score a protocol needs to be recognised.
inline constexpr double kProtocolScoreThreshold = 0.8;
// A cycle matches a planned one when its amplitude lies within this fraction of it.
inline constexpr double kProtocolAmplitudeTolerance = 0.10;

// The loops in order (their peak displacements by displacement; Level 0 = in no measured
// level). For each protocol the reference displacement whose planned cycles the loops match
// best in order, refined by least squares on log amplitude over the matched cycles; the score
// is matched / (loops + planned cycles up to the last matched one - matched), so both a loop
// left over and a planned cycle skipped count against it.
ProtocolRecognition RecogniseProtocol(std::span<const LoopQuantities> loops);

// The same for the analysed record: the loops the evaluation measured, when given, else the
// loops measured and grouped into levels here with the options' peak points and tolerance.
ProtocolRecognition RecogniseProtocol(const AnalysisState& state, const EvaluationOptions& options,
                                      const std::vector<LoopQuantities>* evaluated = nullptr);

}  // namespace qlnx
