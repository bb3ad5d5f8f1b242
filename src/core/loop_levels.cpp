#include "core/loop_levels.h"

#include <cmath>

#include "core/evaluation_numbers.h"

namespace qlnx {

namespace {

// Fills the level row of the loops of one level (their indices, in order) and the degradation
// of its cycles.
LevelRow MeasureLevel(std::vector<LoopQuantities>& loops, const std::vector<size_t>& members,
                      int level, PeakPointRule rule) {
    const size_t cycles = members.size();
    const auto fb = [&](size_t c) { return std::fabs(loops[members[c]].PosPeak(rule).Force); };
    const auto fd = [&](size_t c) { return std::fabs(loops[members[c]].NegPeak(rule).Force); };
    double sumFB = 0, sumDB = 0, sumFD = 0, sumDD = 0;
    for (size_t c = 0; c < cycles; ++c) {
        LoopQuantities& q = loops[members[c]];
        q.Level = level;
        q.Cycle = static_cast<int>(c) + 1;
        sumFB += fb(c);
        sumDB += std::fabs(q.PosPeak(rule).Disp);
        sumFD += fd(c);
        sumDD += std::fabs(q.NegPeak(rule).Disp);
        if (c == 0) continue;
        q.StrengthToFirstPos = QuotientOrNull(fb(c), fb(0));
        q.StrengthToFirstNeg = QuotientOrNull(fd(c), fd(0));
        q.StrengthToPreviousPos = QuotientOrNull(fb(c), fb(c - 1));
        q.StrengthToPreviousNeg = QuotientOrNull(fd(c), fd(c - 1));
    }
    LevelRow row;
    row.Level = level;
    row.FirstLoop = loops[members[0]].Loop;
    row.Cycles = static_cast<int>(cycles);
    row.Amplitude = loops[members[0]].Amplitude;
    row.RingStiffness = QuotientOrNull(sumFB + sumFD, sumDB + sumDD);
    row.RingStiffnessPos = QuotientOrNull(sumFB, sumDB);
    row.RingStiffnessNeg = QuotientOrNull(sumFD, sumDD);
    if (cycles >= 3) {
        row.ImpairmentPos = FiniteOrNull(fb(0) - fb(2));
        row.ImpairmentNeg = FiniteOrNull(fd(0) - fd(2));
        row.ImpairmentPosRatio = QuotientOrNull(row.ImpairmentPos, FiniteOrNull(fb(0)));
        row.ImpairmentNegRatio = QuotientOrNull(row.ImpairmentNeg, FiniteOrNull(fd(0)));
    }
    return row;
}

}  // namespace

std::vector<LevelRow> AssignLevels(std::vector<LoopQuantities>& loops, double tolerance,
                                   PeakPointRule rule) {
    std::vector<LevelRow> levels;
    // An incomplete loop (the record's last, cut short) keeps its row but opens or joins no
    // level: its amplitude says nothing of the level it was heading for.
    std::vector<size_t> members;
    double reference = 0;
    const auto close = [&] {
        if (members.empty()) return;
        const int level = static_cast<int>(levels.size()) + 1;
        levels.push_back(MeasureLevel(loops, members, level, rule));
        members.clear();
    };
    for (size_t i = 0; i < loops.size(); ++i) {
        LoopQuantities& q = loops[i];
        q.Level.reset();
        q.Cycle.reset();
        if (!q.Complete) continue;
        if (members.empty() ||
            !(std::fabs(q.RawAmplitude() - reference) <= tolerance * reference)) {
            close();
            reference = q.RawAmplitude();
        }
        members.push_back(i);
    }
    close();
    return levels;
}

}  // namespace qlnx
