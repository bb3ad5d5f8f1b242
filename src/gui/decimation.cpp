#include "gui/decimation.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qlnx {

namespace {

enum class Place { Column, Left, Right, Below, Above, Gap };

struct Key {
    Place place = Place::Gap;
    long column = 0;
    bool operator==(const Key& o) const {
        // A gap point never joins a run: every one of them breaks the line.
        return place != Place::Gap && place == o.place && column == o.column;
    }
};

}  // namespace

std::vector<int> DecimateByPixelColumn(std::span<const double> xs, std::span<const double> ys,
                                       const PixelView& view) {
    const size_t n = std::min(xs.size(), ys.size());
    std::vector<int> kept;
    const double sx = view.width / (view.xUpper - view.xLower);
    const double sy = view.height / (view.yUpper - view.yLower);
    if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0 || sy == 0 || view.width <= 0 ||
        view.height <= 0) {
        // No usable pixel grid: keep everything.
        kept.resize(n);
        std::iota(kept.begin(), kept.end(), 0);
        return kept;
    }
    const double lo = -view.margin;
    const double right = view.width + view.margin;
    const double top = view.height + view.margin;

    auto keyOf = [&](size_t i) {
        const double px = (xs[i] - view.xLower) * sx;
        const double py = (ys[i] - view.yLower) * sy;
        if (std::isnan(px) || std::isnan(py)) return Key{Place::Gap, 0};
        if (px < lo) return Key{Place::Left, 0};
        if (px > right) return Key{Place::Right, 0};
        if (py < lo) return Key{Place::Below, 0};
        if (py > top) return Key{Place::Above, 0};
        return Key{Place::Column, static_cast<long>(std::floor(px))};
    };

    kept.reserve(std::min<size_t>(n, size_t{1} << 17));
    size_t first = 0, low = 0, high = 0;
    Key runKey;
    auto flush = [&](size_t last) {
        if (runKey.place == Place::Column) {
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

    for (size_t i = 0; i < n; ++i) {
        const Key k = keyOf(i);
        if (i > 0 && k == runKey) {
            // Strict comparisons: of equal extremes the earliest point stays.
            if (ys[i] < ys[low]) low = i;
            if (ys[i] > ys[high]) high = i;
            continue;
        }
        if (i > 0) flush(i - 1);
        runKey = k;
        first = low = high = i;
    }
    if (n > 0) flush(n - 1);
    return kept;
}

}  // namespace qlnx
