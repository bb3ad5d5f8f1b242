#include "gui/chart/decimation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qlnx {

namespace {

// Run keys: a pixel column (shifted to be positive) or one of the places off screen.
constexpr int64_t kLeft = -1, kRight = -2, kBelow = -3, kAbove = -4, kGap = -5;

// Unused room in the lists of a reduction that is given back to the system.
constexpr size_t kShrinkSlack = size_t{1} << 16;

// Reduces points [from, to) as a polyline of their own, appending the kept indices and the
// first index of every run. from is the first point of a run.
void DecimateRange(std::span<const double> xs, std::span<const double> ys, const PixelView& view,
                   size_t from, size_t to, std::vector<int>& kept, std::vector<int>& runStarts) {
    if (from >= to) return;
    const double sx = view.width / (view.xUpper - view.xLower);
    const double sy = view.height / (view.yUpper - view.yLower);
    if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0 || sy == 0 || view.width <= 0 ||
        view.height <= 0) {
        // No usable pixel grid: every point is a run of its own and stays.
        for (size_t i = from; i < to; ++i) {
            kept.push_back(static_cast<int>(i));
            runStarts.push_back(static_cast<int>(i));
        }
        return;
    }
    const double lo = -view.margin, right = view.width + view.margin;
    const double top = view.height + view.margin;
    const double xl = view.xLower, yl = view.yLower;
    const double columnShift = std::ceil(view.margin) + 1.5;

    auto keyOf = [&](size_t i) -> int64_t {
        const double px = (xs[i] - xl) * sx;
        const double py = (ys[i] - yl) * sy;
        if (px >= lo && px <= right && py >= lo && py <= top) {
            // Column k holds the points that the rasteriser puts on pixel k, those whose x
            // rounds to k. Shifted to be positive, truncation is the floor.
            return static_cast<int64_t>(px + columnShift);
        }
        if (std::isnan(px) || std::isnan(py)) return kGap;
        if (px < lo) return kLeft;
        if (px > right) return kRight;
        return py < lo ? kBelow : kAbove;
    };

    size_t first = from, low = from, high = from;
    double yLow = ys[from], yHigh = ys[from];
    int64_t runKey = keyOf(from);
    auto flush = [&](size_t last) {
        if (runKey >= 0) {
            int idx[4] = {static_cast<int>(first), static_cast<int>(low), static_cast<int>(high),
                          static_cast<int>(last)};
            std::sort(idx, idx + 4);
            for (int k = 0; k < 4; ++k) {
                if (k == 0 || idx[k] != idx[k - 1]) kept.push_back(idx[k]);
            }
        } else {
            kept.push_back(static_cast<int>(first));
            if (last != first) kept.push_back(static_cast<int>(last));
        }
    };

    runStarts.push_back(static_cast<int>(from));
    for (size_t i = from + 1; i < to; ++i) {
        const int64_t key = keyOf(i);
        // A gap point never joins a run: every one of them breaks the line.
        if (key == runKey && key != kGap) {
            // Strict comparisons: of equal extremes the earliest point stays.
            const double y = ys[i];
            if (y < yLow) {
                yLow = y;
                low = i;
            }
            if (y > yHigh) {
                yHigh = y;
                high = i;
            }
            continue;
        }
        flush(i - 1);
        runKey = key;
        first = low = high = i;
        yLow = yHigh = ys[i];
        runStarts.push_back(static_cast<int>(i));
    }
    flush(to - 1);
}

}  // namespace

std::vector<int> DecimateByPixelColumn(std::span<const double> xs, std::span<const double> ys,
                                       const PixelView& view) {
    PixelDecimation d;
    d.Build(xs, ys, view);
    return d.Kept();
}

void PixelDecimation::Build(std::span<const double> xs, std::span<const double> ys,
                            const PixelView& view) {
    view_ = view;
    kept_.clear();
    runStarts_.clear();
    const size_t n = std::min(xs.size(), ys.size());
    kept_.reserve(std::min<size_t>(n, size_t{1} << 17));
    DecimateRange(xs, ys, view, 0, n, kept_, runStarts_);
    // Grown by doubling, the two lists may hold up to twice the room they need: at millions of
    // points kept that is tens of megabytes held for as long as the view stays.
    if (kept_.capacity() > kept_.size() + kShrinkSlack) kept_.shrink_to_fit();
    if (runStarts_.capacity() > runStarts_.size() + kShrinkSlack) runStarts_.shrink_to_fit();
}

void PixelDecimation::PointMoved(std::span<const double> xs, std::span<const double> ys,
                                 int index) {
    const size_t n = std::min(xs.size(), ys.size());
    if (n == 0 || runStarts_.empty() || index < 0 || static_cast<size_t>(index) >= n) return;
    // The moved point changes at most the runs of its two neighbours and its own: redo the
    // stretch from the start of the run holding index - 1 to the end of the run holding
    // index + 1. Its ends stay run boundaries, as the points on both sides of each are unmoved.
    const int lo = std::max(0, index - 1);
    const int hi = std::min(static_cast<int>(n) - 1, index + 1);
    const auto firstRun = std::upper_bound(runStarts_.begin(), runStarts_.end(), lo) - 1;
    const auto lastRun = std::upper_bound(runStarts_.begin(), runStarts_.end(), hi) - 1;
    const auto afterRuns = lastRun + 1;
    const int from = *firstRun;
    const int to = afterRuns == runStarts_.end() ? static_cast<int>(n) : *afterRuns;

    std::vector<int> kept, starts;
    DecimateRange(xs, ys, view_, static_cast<size_t>(from), static_cast<size_t>(to), kept, starts);
    const auto keptFrom = std::lower_bound(kept_.begin(), kept_.end(), from);
    const auto keptTo = std::lower_bound(keptFrom, kept_.end(), to);
    const auto at = kept_.erase(keptFrom, keptTo);
    kept_.insert(at, kept.begin(), kept.end());
    const auto startsAt = runStarts_.erase(firstRun, afterRuns);
    runStarts_.insert(startsAt, starts.begin(), starts.end());
}

}  // namespace qlnx
