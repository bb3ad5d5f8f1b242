#include "core/protocol_recognition.h"

#include <algorithm>
#include <array>
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

// A protocol's levels relative to the reference displacement, generated once per record and
// shared by every reference tried, so a guess costs a pass over the loops and nothing more.
class RelativePlan {
public:
    RelativePlan(const LoadingProtocolRow& row, size_t maxLevels)
        : row_(row), maxLevels_(maxLevels) {
        levelStart_.push_back(0);
    }

    // The levels the plan holds at this reference: up to the first whose amplitude passes
    // `top`, at most maxLevels.
    size_t LevelsAt(double reference, double top) {
        for (;;) {
            // The first level past the top is the first whose running largest amplitude is.
            const auto past =
                std::partition_point(runningMax_.begin(), runningMax_.end(),
                                     [&](double rel) { return !(rel * reference > top); });
            if (past != runningMax_.end() || relative_.size() >= maxLevels_) {
                return static_cast<size_t>(past - runningMax_.begin());
            }
            Grow();
        }
    }

    double Relative(size_t level) const { return relative_[level]; }
    int Cycles(size_t level) const { return cycles_[level]; }
    size_t Start(size_t level) const { return levelStart_[level]; }  // first cycle
    size_t LevelOf(size_t cycle) const { return levelOf_[cycle]; }

private:
    void Grow() {
        const size_t target = std::min(maxLevels_, std::max<size_t>(64, 2 * relative_.size()));
        while (relative_.size() < target) {
            const PlannedLevel level = row_.Level(relative_.size());
            relative_.push_back(level.Relative);
            runningMax_.push_back(runningMax_.empty()
                                      ? level.Relative
                                      : std::max(runningMax_.back(), level.Relative));
            cycles_.push_back(level.Cycles);
            for (int c = 0; c < level.Cycles; ++c) levelOf_.push_back(relative_.size() - 1);
            levelStart_.push_back(levelOf_.size());
        }
    }

    const LoadingProtocolRow& row_;
    size_t maxLevels_;
    std::vector<double> relative_;
    std::vector<double> runningMax_;
    std::vector<int> cycles_;
    std::vector<size_t> levelStart_;  // first cycle of each level, and the count at the end
    std::vector<size_t> levelOf_;     // per cycle
};

struct Match {
    double Reference = 0;
    double Score = -1;
    std::vector<int64_t> Cycle;  // per loop: matched planned cycle, -1 none
    size_t Reached = 0;          // the loop a matching that gave up stopped at
};

bool Matches(double amplitude, double planned) {
    return std::fabs(amplitude - planned) <= kProtocolAmplitudeTolerance * planned;
}

// Matches the loops in order against the planned cycles at this reference into `m` (its
// Cycle entries are written for the loops reached). Gives up (Score -1) as soon as the score
// can no longer reach `beat`: so many loops are left unmatched, or so many planned cycles
// skipped, that even matching every loop still to come would score less.
void MatchAt(RelativePlan& plan, double reference, const std::vector<double>& amps, double largest,
             size_t valid, double beat, Match& m) {
    m.Reference = reference;
    m.Score = -1;
    m.Reached = 0;
    m.Cycle.resize(amps.size());
    const size_t levels = plan.LevelsAt(reference, largest * (1 + kProtocolAmplitudeTolerance));
    const size_t cycles = plan.Start(levels);
    size_t next = 0;
    bool any = false;
    size_t matched = 0;
    size_t unmatched = 0;
    size_t span = 0;
    const auto allowed = static_cast<double>(valid) * (1 - beat);
    for (size_t i = 0; i < amps.size(); ++i) {
        const double a = amps[i];
        m.Cycle[i] = -1;
        if (!(a > 0) || !std::isfinite(a)) continue;
        // Past the first match a cycle is looked for in the current level and the few after
        // it; the cycles of one level share its amplitude, so a level is tried once.
        const size_t level = next < cycles ? plan.LevelOf(next) : levels;
        const size_t end = any ? std::min(levels, level + kLevelsAhead + 1) : levels;
        bool found = false;
        bool skipped = false;
        for (size_t l = level; l < end; ++l) {
            if (Matches(a, plan.Relative(l) * reference)) {
                const size_t k = std::max(next, plan.Start(l));
                m.Cycle[i] = static_cast<int64_t>(k);
                skipped = k != next;
                next = k + 1;
                span = k + 1;
                any = true;
                ++matched;
                found = true;
                break;
            }
        }
        if (found && !skipped) continue;
        // Matched loops add as much to the span as to the matched count, so the score can at
        // best reach what every loop still to come matching would give.
        if (!found) ++unmatched;
        const bool hopeless = (!found && static_cast<double>(unmatched) > allowed) ||
                              (beat > 0 && static_cast<double>(valid - unmatched) /
                                                   static_cast<double>(valid + span - matched) <
                                               beat);
        if (hopeless) {
            m.Reached = i;
            return;
        }
    }
    m.Score = matched > 0
                  ? static_cast<double>(matched) / static_cast<double>(valid + span - matched)
                  : 0;
}

// The reference minimising the squared log ratios of the matched cycles to their planned
// amplitudes (`logAmps`: the log of each loop's amplitude).
std::optional<double> LeastSquaresReference(const RelativePlan& plan, const Match& m,
                                            const std::vector<double>& logAmps) {
    double sum = 0;
    size_t n = 0;
    size_t lastLevel = std::numeric_limits<size_t>::max();
    double logRelative = 0;
    for (size_t i = 0; i < logAmps.size(); ++i) {
        if (m.Cycle[i] < 0) continue;
        const size_t level = plan.LevelOf(static_cast<size_t>(m.Cycle[i]));
        if (level != lastLevel) {
            lastLevel = level;
            logRelative = std::log(plan.Relative(level) * m.Reference / m.Reference);
        }
        sum += logAmps[i] - logRelative;
        ++n;
    }
    if (n == 0) return std::nullopt;
    return std::exp(sum / static_cast<double>(n));
}

// References to try first: paired with the first level's amplitude, those under which the
// most of the next levels' amplitudes also fall on planned levels a little further on.
std::vector<double> LikelyGuesses(const LoadingProtocolRow& row,
                                  const std::vector<double>& levelFirsts) {
    constexpr size_t kLookAhead = 8;
    constexpr size_t kKept = 3;
    std::vector<double> likely;
    if (levelFirsts.size() < 2) return likely;
    std::array<double, kPairedLevels + kLookAhead> relative{};
    for (size_t j = 0; j < relative.size(); ++j) relative[j] = row.Level(j).Relative;
    size_t bestCount = 1;
    for (size_t j = 0; j < kPairedLevels; ++j) {
        const double g = levelFirsts[0] / relative[j];
        size_t count = 0;
        size_t from = j + 1;
        for (size_t p = 1; p < levelFirsts.size(); ++p) {
            for (size_t l = from; l < std::min(relative.size(), from + kLookAhead); ++l) {
                if (Matches(levelFirsts[p], g * relative[l])) {
                    ++count;
                    from = l + 1;
                    break;
                }
            }
        }
        if (count > bestCount) {
            bestCount = count;
            likely.clear();
        }
        if (count == bestCount && likely.size() < kKept) likely.push_back(g);
    }
    return likely;
}

// The protocol's best fit. Guesses that cannot beat the best fit so far, of this protocol or
// of those before it (`beat`), give up early; when every guess gave up, the one that went
// furthest is matched in full, so the protocol still has a true (lower) score.
Match BestFit(const LoadingProtocolRow& row, RelativePlan& plan, const std::vector<double>& anchors,
              const std::vector<double>& levelFirsts, const std::vector<double>& amps,
              const std::vector<double>& logAmps, double largest, size_t valid, double beat) {
    std::vector<double> guesses;
    guesses.reserve(kPairedLevels * anchors.size());
    for (size_t j = 0; j < kPairedLevels; ++j) {
        const double relative = row.Level(j).Relative;
        for (const double a : anchors) guesses.push_back(a / relative);
    }
    std::sort(guesses.begin(), guesses.end());
    // Guesses within half a percent of one tried give the same matching.
    std::vector<double> tried;
    for (const double g : guesses) {
        if (tried.empty() || g > tried.back() * 1.005) tried.push_back(g);
    }
    Match best;
    Match m;
    // A score the protocol certainly reaches, that of a tried guess (the one nearest below
    // each likely reference): guesses that cannot reach it are not the best, so they stop as
    // soon as that shows.
    double floor = 0;
    for (const double likely : LikelyGuesses(row, levelFirsts)) {
        const auto above = std::upper_bound(tried.begin(), tried.end(), likely);
        if (above == tried.begin()) continue;
        MatchAt(plan, *(above - 1), amps, largest, valid, std::max(beat, floor), m);
        floor = std::max(floor, m.Score);
    }
    double furthest = 0;
    size_t reached = 0;
    for (const double g : tried) {
        MatchAt(plan, g, amps, largest, valid, std::max({best.Score, beat, floor}), m);
        if (m.Score < 0 && m.Reached >= reached) {
            reached = m.Reached;
            furthest = g;
        }
        if (m.Score > best.Score) std::swap(best, m);
    }
    if (best.Score < 0 && furthest > 0) MatchAt(plan, furthest, amps, largest, valid, 0, best);
    // Refine the best guess; keep the refined fit unless it matches worse.
    for (int round = 0; round < 3 && best.Score > 0; ++round) {
        const std::optional<double> refined = LeastSquaresReference(plan, best, logAmps);
        if (!refined || *refined == best.Reference) break;
        MatchAt(plan, *refined, amps, largest, valid, 0, m);
        if (m.Score < best.Score) break;
        std::swap(best, m);
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
    std::vector<double> levelFirsts;  // of the first few measured levels
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
            if (levelFirsts.size() < 8) levelFirsts.push_back(amps[i]);
        }
    }
    if (valid == 0) return result;
    if (anchors.empty()) {
        for (size_t i = 0; i < amps.size() && anchors.empty(); ++i) {
            if (amps[i] > 0 && std::isfinite(amps[i])) anchors.push_back(amps[i]);
        }
    }
    anchors.push_back(largest);
    std::vector<double> logAmps(amps.size());
    for (size_t i = 0; i < amps.size(); ++i) {
        if (amps[i] > 0 && std::isfinite(amps[i])) logAmps[i] = std::log(amps[i]);
    }

    std::vector<RelativePlan> plans;
    plans.reserve(LoadingProtocols().size());
    std::optional<size_t> winner;
    Match winning;
    double bestScore = 0;
    for (const LoadingProtocolRow& row : LoadingProtocols()) {
        plans.emplace_back(row, valid + kPairedLevels);
        Match m = BestFit(row, plans.back(), anchors, levelFirsts, amps, logAmps, largest, valid,
                          bestScore);
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
        const RelativePlan& plan = plans[*winner];
        size_t reached = 0;
        for (size_t i = 0; i < loops.size(); ++i) {
            if (winning.Cycle[i] >= 0) {
                reached = std::max(reached, plan.LevelOf(static_cast<size_t>(winning.Cycle[i])));
            }
        }
        for (size_t l = 0; l <= reached; ++l) {
            ProtocolLevel level;
            level.PlannedAmplitude = plan.Relative(l) * winning.Reference;
            level.PlannedCycles = plan.Cycles(l);
            result.Levels.push_back(std::move(level));
        }
        for (size_t i = 0; i < loops.size(); ++i) {
            if (winning.Cycle[i] < 0) {
                result.Unassigned.push_back(loops[i].Loop);
            } else {
                AddLoop(result.Levels[plan.LevelOf(static_cast<size_t>(winning.Cycle[i]))],
                        loops[i]);
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
