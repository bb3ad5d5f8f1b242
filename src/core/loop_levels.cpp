#include "core/loop_levels.h"

#include <cmath>

#include "core/evaluation_numbers.h"

namespace qlnx {

namespace {

// Fills the level row of loops[first .. first + cycles - 1] and the degradation of its
// cycles.
LevelRow MeasureLevel(std::vector<LoopQuantities>& loops, size_t first, size_t cycles, int level,
                      PeakPointRule rule) {
    const auto fb = [&](size_t c) { return std::fabs(loops[first + c].PosPeak(rule).Force); };
    const auto fd = [&](size_t c) { return std::fabs(loops[first + c].NegPeak(rule).Force); };
    double sumFB = 0, sumDB = 0, sumFD = 0, sumDD = 0;
    for (size_t c = 0; c < cycles; ++c) {
        LoopQuantities& q = loops[first + c];
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
    row.FirstLoop = loops[first].Loop;
    row.Cycles = static_cast<int>(cycles);
    row.Amplitude = loops[first].Amplitude;
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
    size_t first = 0;
    while (first < loops.size()) {
        const double reference = loops[first].RawAmplitude();
        size_t end = first + 1;
        while (end < loops.size() &&
               std::fabs(loops[end].RawAmplitude() - reference) <= tolerance * reference) {
            ++end;
        }
        const int level = static_cast<int>(levels.size()) + 1;
        levels.push_back(MeasureLevel(loops, first, end - first, level, rule));
        first = end;
    }
    return levels;
}

}  // namespace qlnx
