#include "core/protocol_recognition.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/evaluation_numbers.h"
#include "core/loop_levels.h"

namespace qlnx {

namespace {

// Levels of each protocol paired with the record's anchor amplitudes for a first guess.
constexpr size_t kPairedLevels = 64;
// Past the first match, a cycle is looked for in the current planned level and this many
// after it: a record does not skip further ahead.
constexpr size_t kLevelsAhead = 2;

struct PlannedCycles {
    std::vector<PlannedLevel> Levels;
    std::vector<double> Amplitude;   // per planned cycle
    std::vector<size_t> Level;       // per planned cycle
    std::vector<size_t> LevelStart;  // first cycle of each level, and the count at the end
};

PlannedCycles Plan(const LoadingProtocolRow& row, double reference, double largest,
                   size_t maxLevels) {
    PlannedCycles plan;
    plan.Levels =
        PlanLevels(row, reference, largest * (1 + kProtocolAmplitudeTolerance), maxLevels);
    for (size_t l = 0; l < plan.Levels.size(); ++l) {
        plan.LevelStart.push_back(plan.Amplitude.size());
        for (int c = 0; c < plan.Levels[l].Cycles; ++c) {
            plan.Amplitude.push_back(plan.Levels[l].Relative);
            plan.Level.push_back(l);
        }
    }
    plan.LevelStart.push_back(plan.Amplitude.size());
    return plan;
}

struct Match {
    double Reference = 0;
    double Score = -1;
    std::vector<int64_t> Cycle;  // per loop: matched planned cycle, -1 none
    size_t Reached = 0;          // the loop a matching that gave up stopped at
};

bool Matches(double amplitude, double planned) {
    return std::fabs(amplitude - planned) <= kProtocolAmplitudeTolerance * planned;
}

// Matches the loops in order against the planned cycles at this reference; the planned
// cycles are generated as the matching reaches them. Gives up (Score -1) once so many loops
// are left unmatched that the score cannot reach `beat`.
Match MatchAt(const LoadingProtocolRow& row, double reference, const std::vector<double>& amps,
              double largest, size_t valid, double beat = 0) {
    Match m;
    m.Reference = reference;
    m.Cycle.assign(amps.size(), -1);
    const double top = largest * (1 + kProtocolAmplitudeTolerance);
    const size_t maxLevels = valid + kPairedLevels;
    std::vector<double> amplitude;  // per planned cycle
    std::vector<size_t> levelOf;    // per planned cycle
    std::vector<size_t> levelStart;
    bool complete = false;
    // Generates the plan through level `last` (or to its end).
    const auto extendTo = [&](size_t last) {
        while (!complete && levelStart.size() <= last) {
            const size_t j = levelStart.size();
            const PlannedLevel level = row.Level(j);
            const double a = level.Relative * reference;
            if (j >= maxLevels || a > top) {
                complete = true;
                break;
            }
            levelStart.push_back(amplitude.size());
            for (int c = 0; c < level.Cycles; ++c) {
                amplitude.push_back(a);
                levelOf.push_back(j);
            }
        }
    };
    const auto startOf = [&](size_t level) {
        extendTo(level);
        return level < levelStart.size() ? levelStart[level] : amplitude.size();
    };
    size_t next = 0;
    bool any = false;
    size_t matched = 0;
    size_t unmatched = 0;
    size_t span = 0;
    const auto allowed = static_cast<double>(valid) * (1 - beat);
    for (size_t i = 0; i < amps.size(); ++i) {
        const double a = amps[i];
        if (!(a > 0) || !std::isfinite(a)) continue;
        bool found = false;
        const size_t level = next < amplitude.size() ? levelOf[next] : levelStart.size();
        const size_t limit = any ? startOf(level + kLevelsAhead + 1)
                                 : startOf(std::numeric_limits<size_t>::max() - 1);
        for (size_t k = next; k < limit; ++k) {
            if (Matches(a, amplitude[k])) {
                m.Cycle[i] = static_cast<int64_t>(k);
                next = k + 1;
                span = k + 1;
                any = true;
                ++matched;
                found = true;
                break;
            }
        }
        if (!found && static_cast<double>(++unmatched) > allowed) {
            m.Score = -1;
            m.Reached = i;
            return m;
        }
    }
    m.Score = matched > 0
                  ? static_cast<double>(matched) / static_cast<double>(valid + span - matched)
                  : 0;
    return m;
}

// The reference minimising the squared log ratios of the matched cycles to their planned
// amplitudes.
std::optional<double> LeastSquaresReference(const LoadingProtocolRow& row, const Match& m,
                                            const std::vector<double>& amps, double largest,
                                            size_t valid) {
    const PlannedCycles plan = Plan(row, m.Reference, largest, valid + kPairedLevels);
    double sum = 0;
    size_t n = 0;
    for (size_t i = 0; i < amps.size(); ++i) {
        if (m.Cycle[i] < 0) continue;
        const double relative = plan.Amplitude[static_cast<size_t>(m.Cycle[i])] / m.Reference;
        sum += std::log(amps[i]) - std::log(relative);
        ++n;
    }
    if (n == 0) return std::nullopt;
    return std::exp(sum / static_cast<double>(n));
}

// The protocol's best fit. Guesses that cannot beat the best fit so far, of this protocol or
// of those before it (`beat`), give up early; when every guess gave up, the one that went
// furthest is matched in full, so the protocol still has a true (lower) score.
Match BestFit(const LoadingProtocolRow& row, const std::vector<double>& anchors,
              const std::vector<double>& amps, double largest, size_t valid, double beat) {
    std::vector<double> guesses;
    for (size_t j = 0; j < kPairedLevels; ++j) {
        const double relative = row.Level(j).Relative;
        for (const double a : anchors) guesses.push_back(a / relative);
    }
    std::sort(guesses.begin(), guesses.end());
    Match best;
    double furthest = 0;
    size_t reached = 0;
    double last = 0;
    for (const double g : guesses) {
        // Guesses within half a percent of one tried give the same matching.
        if (last > 0 && g <= last * 1.005) continue;
        last = g;
        Match m = MatchAt(row, g, amps, largest, valid, std::max(best.Score, beat));
        if (m.Score < 0 && m.Reached >= reached) {
            reached = m.Reached;
            furthest = g;
        }
        if (m.Score > best.Score) best = std::move(m);
    }
    if (best.Score < 0 && furthest > 0) best = MatchAt(row, furthest, amps, largest, valid);
    // Refine the best guess; keep the refined fit unless it matches worse.
    for (int round = 0; round < 3 && best.Score > 0; ++round) {
        const std::optional<double> refined =
            LeastSquaresReference(row, best, amps, largest, valid);
        if (!refined || *refined == best.Reference) break;
        Match m = MatchAt(row, *refined, amps, largest, valid);
        if (m.Score < best.Score) break;
        best = std::move(m);
    }
    return best;
}

void AddLoop(ProtocolLevel& level, const LoopQuantities& loop) {
    const double pos = loop.PosPeakDisp.Disp;
    const double neg = std::fabs(loop.NegPeakDisp.Disp);
    const auto n = static_cast<double>(level.AppliedCycles);
    // Running means, so a level's figures do not depend on how many cycles came before.
    level.AppliedPositive = (level.AppliedPositive.value_or(0) * n + pos) / (n + 1);
    level.AppliedNegative = (level.AppliedNegative.value_or(0) * n + neg) / (n + 1);
    ++level.AppliedCycles;
    if (!level.FirstLoop) level.FirstLoop = loop.Loop;
    level.Loops.push_back(loop.Loop);
}

void Finish(ProtocolRecognition& result) {
    double pos = 0;
    double neg = 0;
    for (ProtocolLevel& level : result.Levels) {
        if (level.AppliedCycles == 0) continue;
        if (level.PlannedAmplitude) {
            const double applied = (*level.AppliedPositive + *level.AppliedNegative) / 2;
            level.DifferencePercent =
                FiniteOrNull((applied - *level.PlannedAmplitude) / *level.PlannedAmplitude * 100);
        }
        pos += *level.AppliedPositive * level.AppliedCycles;
        neg += *level.AppliedNegative * level.AppliedCycles;
    }
    result.Asymmetry = QuotientOrNull(pos - neg, pos + neg);
}

}  // namespace

ProtocolRecognition RecogniseProtocol(std::span<const LoopQuantities> loops) {
    ProtocolRecognition result;
    std::vector<double> amps(loops.size());
    size_t valid = 0;
    double largest = 0;
    std::vector<double> anchors;
    int lastLevel = 0;
    for (size_t i = 0; i < loops.size(); ++i) {
        amps[i] = loops[i].RawAmplitude();
        if (!(amps[i] > 0) || !std::isfinite(amps[i])) continue;
        ++valid;
        largest = std::max(largest, amps[i]);
        // The first cycles of the first three measured levels anchor the guesses.
        if (loops[i].Level.value_or(0) > lastLevel) {
            lastLevel = *loops[i].Level;
            if (anchors.size() < 3) anchors.push_back(amps[i]);
        }
    }
    if (valid == 0) return result;
    if (anchors.empty()) {
        for (size_t i = 0; i < amps.size() && anchors.empty(); ++i) {
            if (amps[i] > 0 && std::isfinite(amps[i])) anchors.push_back(amps[i]);
        }
    }
    anchors.push_back(largest);

    std::optional<size_t> winner;
    Match winning;
    double bestScore = 0;
    for (const LoadingProtocolRow& row : LoadingProtocols()) {
        Match m = BestFit(row, anchors, amps, largest, valid, bestScore);
        bestScore = std::max(bestScore, m.Score);
        result.Candidates.push_back({row.Protocol, m.Reference, m.Score});
        if (m.Score >= kProtocolScoreThreshold && (!winner || m.Score > winning.Score)) {
            winner = result.Candidates.size() - 1;
            winning = std::move(m);
        }
    }

    if (winner) {
        const LoadingProtocolRow& row = LoadingProtocols()[*winner];
        result.Protocol = row.Protocol;
        result.Reference = winning.Reference;
        result.Score = winning.Score;
        const PlannedCycles plan = Plan(row, winning.Reference, largest, valid + kPairedLevels);
        size_t reached = 0;
        for (size_t i = 0; i < loops.size(); ++i) {
            if (winning.Cycle[i] >= 0) {
                reached = std::max(reached, plan.Level[static_cast<size_t>(winning.Cycle[i])]);
            }
        }
        for (size_t l = 0; l <= reached; ++l) {
            ProtocolLevel level;
            level.PlannedAmplitude = plan.Levels[l].Relative;
            level.PlannedCycles = plan.Levels[l].Cycles;
            result.Levels.push_back(std::move(level));
        }
        for (size_t i = 0; i < loops.size(); ++i) {
            if (winning.Cycle[i] < 0) {
                result.Unassigned.push_back(loops[i].Loop);
            } else {
                AddLoop(result.Levels[plan.Level[static_cast<size_t>(winning.Cycle[i])]], loops[i]);
            }
        }
        result.LargestLevelReached = static_cast<int>(reached) + 1;
    } else {
        // Not recognised: the measured levels as they are.
        for (const LoopQuantities& q : loops) {
            // An incomplete loop belongs to no level.
            const int level = q.Level.value_or(0);
            if (level <= 0) {
                result.Unassigned.push_back(q.Loop);
                continue;
            }
            if (result.Levels.size() < static_cast<size_t>(level)) {
                result.Levels.resize(static_cast<size_t>(level));
            }
            AddLoop(result.Levels[static_cast<size_t>(level - 1)], q);
        }
    }
    Finish(result);
    return result;
}

ProtocolRecognition RecogniseProtocol(const AnalysisState& state, const EvaluationOptions& options,
                                      const std::vector<LoopQuantities>* evaluated) {
    if (evaluated != nullptr) return RecogniseProtocol(*evaluated);
    std::vector<LoopQuantities> loops = MeasureLoops(state, options.PeakPoint);
    AssignLevels(loops, options.LevelTolerance, options.PeakPoint);
    return RecogniseProtocol(loops);
}

}  // namespace qlnx
