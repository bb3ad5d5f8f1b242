#include "core/skeleton.h"

#include <algorithm>

namespace qlnx {

namespace {

// The loops that can be framed: LoopCount, but never more than LoopStart holds a start for.
int FramedLoopCount(const AnalysisState& state) {
    const auto framed = static_cast<int64_t>((state.LoopStart.size() + 1) / 2);
    return static_cast<int>(std::min<int64_t>(state.LoopCount, framed));
}

}  // namespace

void SkeletonSide::AppendOutwardPoints(const double* D, const double* F, int32_t a, int32_t b) {
    // The record is kept in a register; the direction is decided once per walk.
    double record = LastX();
    const auto walk = [&](auto beyond) {
        for (int32_t k = a; k <= b; ++k) {
            if (beyond(D[k], record)) {
                record = D[k];
                Append(D[k], F[k]);
            }
        }
    };
    if (positive_) {
        walk([](double x, double last) { return x > last; });
    } else {
        walk([](double x, double last) { return x < last; });
    }
}

int32_t ExtremeForceIndex(const SkeletonSide& side, const double* F, int32_t from, int32_t to,
                          int32_t candidate, double bar) {
    int32_t best = candidate;
    if (side.Positive()) {
        for (int32_t k = from; k <= to; ++k) {
            if (F[k] > bar) {
                bar = F[k];
                best = k;
            }
        }
    } else {
        for (int32_t k = from; k <= to; ++k) {
            if (F[k] < bar) {
                bar = F[k];
                best = k;
            }
        }
    }
    return best;
}

std::string ExtractionName(SkeletonMethod method, LoopDirection direction,
                           bool keepDispIncreasing) {
    const SkeletonMethodRow* row = FindSkeletonMethod(method);
    std::string name(row != nullptr ? row->BatchName : std::string_view());
    name += direction == LoopDirection::Negative ? " negative" : " positive";
    if (keepDispIncreasing) name += " keep-disp-increasing";
    return name;
}

void ExtractSkeleton(AnalysisState& state, SkeletonMethod method, LoopDirection direction,
                     bool keepDispIncreasing, int envelopeCycle) {
    ChartSeries& positiveSeries = state.PositiveSkeletonSeries();
    ChartSeries& negativeSeries = state.NegativeSkeletonSeries();
    positiveSeries.Clear();
    negativeSeries.Clear();

    if (state.LoopStart.empty()) return;
    const SkeletonMethodRow* const row = FindSkeletonMethod(method);
    if (row == nullptr) return;
    // A loop table that does not fit the working curve (never left by the loop analysis)
    // would send the walks past the curve's end: extract nothing from it.
    const size_t pointCount = state.LoopDisp.size();
    if (pointCount == 0 || state.LoopForce.size() != pointCount || state.LoopStart.front() < 0 ||
        static_cast<size_t>(state.LoopStart.back()) >= pointCount) {
        return;
    }

    SkeletonLevelWalk levels;
    const SkeletonRun run{state,
                          state.LoopDisp.data(),
                          state.LoopForce.data(),
                          static_cast<int32_t>(pointCount),
                          keepDispIncreasing,
                          envelopeCycle,
                          &levels};
    SkeletonSide positive(positiveSeries, true);
    SkeletonSide negative(negativeSeries, false);
    const bool positiveLeads = direction == LoopDirection::Positive;
    SkeletonSide& leading = positiveLeads ? positive : negative;
    SkeletonSide& trailing = positiveLeads ? negative : positive;

    const int loopCount = FramedLoopCount(state);
    if (row->PointsPerLoop > 0) {
        const size_t most = 1 + row->PointsPerLoop * static_cast<size_t>(std::max(loopCount, 0));
        positive.Reserve(most);
        negative.Reserve(most);
    }
    for (int i = 0; i < loopCount; ++i) {
        if (i == 0) {
            // The start point goes to both sides without the outward test, so every later
            // test and every reading of a last point finds a point.
            positive.Append(run.D[0], run.F[0]);
            negative.Append(run.D[0], run.F[0]);
        }
        row->Step(run, SkeletonLoop{i, GetLoopFrame(state, i), leading, trailing});
    }
}

}  // namespace qlnx
